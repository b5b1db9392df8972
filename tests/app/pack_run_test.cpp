// The Pack button: refusals leave the page as it is; a request that passes starts a real run
// whose output holds the chosen source, and drops wait until the run has ended.
#include <gtest/gtest.h>

#include <condition_variable>
#include <random>

#include "app/page_fixture.h"
#include "core/data_cipher.h"
#include "core/os.h"
#include "core/packed_file.h"
#include "core/packed_fixtures.h"

namespace {

void writeFile(const std::string& path, const ByteSet& data) {
  ASSERT_EQ(os::writeWholeFile(path, data, os::CreateMode::kReplace), os::WriteResult::kOk) << path;
}

struct RunFixture : PageFixture {
  TestFolder slides;
  std::string presentation = slides.file("第一课.pptx");
  std::mutex gate;
  std::condition_variable opened;
  bool open = false;

  RunFixture() {
    writeFile(program.file("qm.sj"), DataCipher::encrypt(fixtureProgram(5000, 1), kFixedPassPhrase));
    writeFile(program.file("bf10.sj"), DataCipher::encrypt(fixtureProgram(4000, 2), kFixedPassPhrase));
    writeFile(presentation, bytesOf(std::string(30000, 'p')));
    writeFile(slides.file("notes.txt"), bytesOf("notes"));
  }
  ~RunFixture() {
    releaseJob();  // also when an assertion ended the test early, so the job can end
    std::filesystem::remove(outputNative());
  }

  void holdJobAtItsStart() {
    app.pageHooks.beforePackSteps = [this](App&) {
      std::unique_lock lock(gate);
      opened.wait(lock, [this] { return open; });
    };
  }
  void releaseJob() {
    {
      std::lock_guard lock(gate);
      open = true;
    }
    opened.notify_all();
  }

  std::filesystem::path outputNative() {
    std::filesystem::path folder = slides.native();
    return folder.parent_path() / (folder.filename().string() + ".exe");
  }
  void chooseSource() {
    desktop.answerFileDialog(presentation);
    ASSERT_TRUE(ui::input::click(page().按钮_浏览文件路径));
  }
  std::vector<std::string> boxTexts() {
    std::vector<std::string> texts;
    for (auto& box : desktop.messageBoxes()) texts.push_back(box.text);
    return texts;
  }
  PackedFileParts packedOutput() {
    ByteSet data;
    EXPECT_TRUE(os::readWholeFile(page().编辑框_输出路径.text(), data));
    std::string reason;
    std::optional<PackedFileParts> parts = parsePackedFile(data, reason);
    EXPECT_TRUE(parts) << reason;
    return parts.value_or(PackedFileParts{});
  }
  std::vector<std::string> entryNames(const PackedFileParts& parts) {
    std::vector<std::string> names;
    for (const ArchiveEntry& e : parts.entries) names.push_back(e.name);
    std::sort(names.begin(), names.end());
    return names;
  }
};

struct PackRun : RunFixture, ::testing::Test {};

TEST_F(PackRun, RefusalsKeepThePackPageAndResetOnlyTheProgress) {
  struct Case {
    const char* name;
    void (*setup)(RunFixture&);
    std::string box;
  };
  const Case cases[] = {
      {"no output chosen", [](RunFixture&) {}, "请选择输出文件路径"},
      {"no source chosen",
       [](RunFixture& f) {
         f.desktop.answerFileDialog(f.temp.file("out.exe"));
         ui::input::click(f.page().按钮_浏览保存路径);
       },
       "请选择要打包的文件"},
      {"start slide 0",
       [](RunFixture& f) {
         f.chooseSource();
         ui::input::type(f.page().编辑框_起始播放幻灯片, "0");
       },
       "起始幻灯片必须大于或等于1"},
      {"passwords differ",
       [](RunFixture& f) {
         f.chooseSource();
         ui::input::tick(f.page().选择框_使用密码);
         ui::input::type(f.page().编辑框_密码, "abc");
         ui::input::type(f.page().编辑框_再次输入密码, "abd");
       },
       "两次输入的密码不一样！"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunFixture f;
    c.setup(f);
    f.main().progress.标签_打包进度.setWidth(300);
    f.main().progress.标签_打包进度提示.setText("暂停");
    ASSERT_TRUE(ui::input::click(f.page().按钮_打包));
    EXPECT_EQ(f.boxTexts(), std::vector<std::string>{c.box});
    EXPECT_EQ(f.main().高级选择夹1.currentPage(), kPackPage);
    EXPECT_EQ(f.app.globals.packPageActive, 0);
    EXPECT_FALSE(f.app.packSession->jobRunning());
    EXPECT_EQ(f.main().progress.标签_打包进度.width(), 0);
    EXPECT_EQ(f.main().progress.标签_打包进度提示.text(), "打包中...");
  }
}

TEST_F(PackRun, ChosenPresentationIsPackedWithItsFolderIntoTheDefaultOutput) {
  // The job waits at its first step until the test has looked at the page it started.
  holdJobAtItsStart();
  chooseSource();
  ASSERT_EQ(page().编辑框_输出路径.text(), slides.path() + ".exe");
  // The buttons as an earlier, finished run left them.
  PackProgressPage& progress = main().progress;
  app.packView->showCompletionButtons();
  progress.按钮_返回.setVisible(true);
  ASSERT_TRUE(ui::input::click(page().按钮_打包));

  EXPECT_EQ(main().高级选择夹1.currentPage(), kPackProgressPage);
  EXPECT_EQ(app.globals.packPageActive, 1);
  EXPECT_EQ(app.globals.playerPassword.get(), "|");
  EXPECT_TRUE(app.packSession->jobRunning());
  EXPECT_FALSE(progress.按钮_返回.visible());
  EXPECT_FALSE(progress.按钮_打开文件目录.visible());
  EXPECT_FALSE(progress.按钮_运行打包文件.visible());
  EXPECT_TRUE(progress.按钮_停止打包.visible());
  EXPECT_TRUE(progress.按钮_暂停打包.visible());

  // A drop now would change what the job reads: it is refused and changes nothing.
  ASSERT_TRUE(desktop.drop("E:\\other.pptx"));
  ASSERT_EQ(desktop.balloonTips().size(), 1u);
  EXPECT_EQ(desktop.balloonTips()[0].text, "正在打包中，请稍候再拖入文件");
  EXPECT_EQ(page().编辑框_文件路径.text(), presentation);
  EXPECT_EQ(app.globals.sourceFolder.get(), slides.path());

  releaseJob();
  app.packSession->wait();
  EXPECT_EQ(app.packSession->lastResult(), PackJobResult::kFinished);
  EXPECT_EQ(progress.标签_打包进度提示.text(), "打包完成，请选择需要的操作");
  EXPECT_TRUE(boxTexts().empty());
  PackedFileParts parts = packedOutput();
  EXPECT_EQ(entryNames(parts), (std::vector<std::string>{"notes.txt", "第一课.pptx"}));
  EXPECT_EQ(parts.settings.fileName, "第一课.pptx");
  EXPECT_EQ(parts.settings.useModule, 1);
  EXPECT_EQ(parts.settings.title, "Tervalo播放器");
  EXPECT_EQ(temp.entryCount(), 0u);

  // Once the run has ended, a drop is taken again.
  desktop.drop("E:\\other.pptx");
  EXPECT_EQ(page().编辑框_文件路径.text(), "E:\\other.pptx");
}

TEST_F(PackRun, PasswordAndOptionsReachTheRun) {
  chooseSource();
  PackPage& p = page();
  ui::input::tick(p.选择框_使用密码);
  ui::input::type(p.编辑框_密码, "秘密");
  ui::input::type(p.编辑框_再次输入密码, "秘密");
  ui::input::tick(p.选择框_是否打包同目录下所有文件);
  ui::input::tick(p.选择框_是否打包同目录下所有文件);
  ui::input::tick(p.选择框_是否打包同目录下所有文件);  // off: the presentation alone
  ui::input::choose(p.组合框_界面, 1);
  ui::input::tick(p.选择框_使用打包模块);  // off
  ASSERT_TRUE(ui::input::click(p.按钮_打包));
  EXPECT_EQ(app.globals.playerPassword.get(), "秘密");
  app.packSession->wait();
  ASSERT_EQ(app.packSession->lastResult(), PackJobResult::kFinished);
  PackedFileParts parts = packedOutput();
  EXPECT_EQ(entryNames(parts), std::vector<std::string>{"第一课.pptx"});
  EXPECT_EQ(parts.settings.interfaceMode, 1);
  EXPECT_EQ(parts.settings.useModule, 0);
  EXPECT_EQ(parts.moduleSize, 0u);
  EXPECT_EQ(DataCipher::decrypt(parts.settings.cipheredPassword, kFixedPassPhrase), bytesOf("秘密"));
}

}  // namespace
