// The pack page: its controls as the window starts, choosing source and target, the option boxes.
#include "app/pack_page.h"

#include <gtest/gtest.h>

#include "app/button_pictures.h"
#include "app/page_fixture.h"
#include "app/source_selection.h"
#include "core/os.h"

namespace {

using ui::Kind;

struct PackPageTest : PageFixture, ::testing::Test {
  void putModule(const char* name) {
    ASSERT_EQ(os::writeWholeFile(program.file(name), bytesOf("module"), os::CreateMode::kReplace),
              os::WriteResult::kOk);
  }
  void chooseInDialog(const std::string& path) {
    desktop.answerFileDialog(path);
    ASSERT_TRUE(ui::input::click(page().按钮_浏览文件路径));
  }
  struct Source {
    std::string path, output;
    int kind;
    std::string folder;
  };
  Source source() {
    return {page().编辑框_文件路径.text(), page().编辑框_输出路径.text(), app.globals.moduleKind,
            app.globals.sourceFolder.get()};
  }
};

TEST_F(PackPageTest, ControlsStartInTheirPlacesWithTheirTexts) {
  struct Place {
    ui::Control control;
    Kind kind;
    int left, top, width, height;  // width 0: sized by its text
    std::string text;
  };
  PackPage& p = page();
  const Place places[] = {
      {p.标签_文件配置, Kind::kTransparentLabel, 358, 16, 0, 0, "文件配置"},
      {p.标签_文件路径, Kind::kTransparentLabel, 64, 40, 0, 0, "文件路径："},
      {p.编辑框_文件路径, Kind::kEditBox, 138, 40, 450, 25, std::string(kSourcePlaceholder)},
      {p.按钮_浏览文件路径, Kind::kPictureButton, 600, 40, 80, 24, ""},
      {p.标签_输出路径, Kind::kTransparentLabel, 64, 77, 0, 0, "输出路径："},
      {p.编辑框_输出路径, Kind::kEditBox, 138, 80, 450, 25, std::string(kOutputPlaceholder)},
      {p.按钮_浏览保存路径, Kind::kPictureButton, 600, 80, 80, 24, ""},
      {p.标签_程序配置, Kind::kTransparentLabel, 358, 128, 0, 0, "程序配置"},
      {p.选择框_是否打包同目录下所有文件, Kind::kCheckBox, 136, 167, 140, 24, "打包同目录下所有文件"},
      {p.选择框_使用密码, Kind::kCheckBox, 413, 167, 68, 24, "使用密码"},
      {p.标签_密码, Kind::kLabel, 84, 206, 0, 0, "密码："},
      {p.编辑框_密码, Kind::kEditBox, 136, 206, 200, 25, ""},
      {p.标签_再次输入密码, Kind::kLabel, 377, 206, 0, 0, "请再次输入密码："},
      {p.编辑框_再次输入密码, Kind::kEditBox, 488, 206, 200, 25, ""},
      {p.标签_起始播放幻灯片1, Kind::kLabel, 104, 248, 0, 0, "从第"},
      {p.编辑框_起始播放幻灯片, Kind::kEditBox, 136, 248, 50, 25, "1"},
      {p.标签_起始播放幻灯片2, Kind::kLabel, 192, 248, 0, 0,
       "张幻灯片开始播放（输入整数，必须不小于1，不大于幻灯片总数，本功能需要使用打包模块）"},
      {p.标签_界面, Kind::kLabel, 89, 288, 0, 0, "界面："},
      {p.组合框_界面, Kind::kComboBox, 136, 288, 118, 25, ""},
      {p.选择框_使用打包模块, Kind::kCheckBox, 300, 288, 385, 24,
       "使用打包模块(不使用打包模块播放时需要电脑安装相应版本的office)"},
      {p.标签_打包模块提示, Kind::kLabel, 300, 320, 390, 24, ""},
      {p.标签_PPT打包提示, Kind::kLabel, 104, 344, 606, 24,
       "注意:打包前请关闭所有正在使用PPT文件的程序（如office、wps等软件），否则可能造成打包失败"},
      {p.按钮_打包, Kind::kPictureButton, 302, 384, 150, 50, ""},
  };
  for (const Place& place : places) {
    SCOPED_TRACE(place.control.name());
    EXPECT_EQ(place.control.kind(), place.kind);
    EXPECT_EQ(place.control.parent(), main().高级选择夹1);
    EXPECT_EQ(place.control.page(), kPackPage);
    EXPECT_EQ(place.control.left(), place.left);
    EXPECT_EQ(place.control.top(), place.top);
    EXPECT_EQ(place.control.text(), place.text);
    EXPECT_TRUE(place.control.visible());
    if (place.width > 0) {
      EXPECT_EQ(place.control.width(), place.width);
      EXPECT_EQ(place.control.height(), place.height);
      continue;
    }
    // A label sized by its text must still show all of it: wider than the scripted metrics say.
    ui::Font font = place.control.font();
    EXPECT_GE(place.control.width(), desktop.textWidth(font, place.text));
    EXPECT_GE(place.control.height(), font.height);
  }
  EXPECT_EQ(p.标签_文件配置.font(), (ui::Font{"微软雅黑", 13, true}));
  EXPECT_EQ(p.标签_程序配置.font(), (ui::Font{"微软雅黑", 13, true}));
  EXPECT_EQ(p.标签_文件路径.font(), (ui::Font{"微软雅黑", 12, false}));
  EXPECT_EQ(p.标签_打包模块提示.textColour(), ui::rgb(0, 136, 255));
  EXPECT_EQ(p.标签_PPT打包提示.textColour(), ui::rgb(0, 136, 255));
  EXPECT_EQ(p.标签_密码.textColour(), ui::rgb(0, 0, 0));

  EXPECT_TRUE(p.编辑框_文件路径.readOnly());
  EXPECT_TRUE(p.编辑框_输出路径.readOnly());
  EXPECT_TRUE(p.选择框_是否打包同目录下所有文件.ticked());
  EXPECT_FALSE(p.选择框_使用密码.ticked());
  for (ui::EditBox box : {p.编辑框_密码, p.编辑框_再次输入密码}) {
    EXPECT_EQ(box.passwordMask(), '*') << box.name();
    EXPECT_TRUE(box.disabled()) << box.name();
  }
  EXPECT_TRUE(p.编辑框_起始播放幻灯片.digitsOnly());
  EXPECT_FALSE(p.编辑框_起始播放幻灯片.disabled());
  EXPECT_EQ(p.组合框_界面.items(), (std::vector<std::string>{"标准界面", "隐藏界面"}));
  EXPECT_EQ(p.组合框_界面.currentIndex(), 0);
  EXPECT_TRUE(p.选择框_使用打包模块.ticked());
  EXPECT_FALSE(p.选择框_使用打包模块.disabled());
  EXPECT_EQ(p.按钮_浏览文件路径.pictures(), pictures::load("browse"));
  EXPECT_EQ(p.按钮_浏览保存路径.pictures(), pictures::load("browse"));
  EXPECT_EQ(p.按钮_打包.pictures(), pictures::load("start_pack"));
  EXPECT_FALSE(p.按钮_打包.pictures().normal.empty());
  EXPECT_EQ(p.通用对话框_文件路径.filter(), source_text::kOpenFilter);
  EXPECT_EQ(p.通用对话框_输出路径.filter(), "应用程序（*.exe）|*.exe");

  // The two path boxes lead the page's tab order.
  std::vector<int> children = main().window.childrenOf(main().高级选择夹1.id());
  std::vector<int> onPage;
  for (int id : children) {
    if (ui::Control(&main().window, id).page() == kPackPage) onPage.push_back(id);
  }
  ASSERT_GE(onPage.size(), 2u);
  EXPECT_EQ(onPage[0], p.编辑框_文件路径.id());
  EXPECT_EQ(onPage[1], p.编辑框_输出路径.id());
}

TEST_F(PackPageTest, ChoosingBySourceDialogSetsKindFolderAndDefaultOutput) {
  putModule("bf3.sj");
  putModule("bf10.sj");
  const Source cases[] = {
      {"D:\\slides\\talk.ppt", "D:\\slides.exe", 3, "D:\\slides"},
      {"D:\\slides\\talk.PPTX", "D:\\slides.exe", 10, "D:\\slides"},
      {"E:\\talk.pptx", "E:\\Tervalo输出文件.exe", 10, "E:"},
      // A name typed into the dialog with another extension packs as .pptx, from its real folder.
      {"D:\\slides\\notes.txt", "D:\\slides.exe", 10, "D:\\slides"},
      {"D:\\\x81\x5C\\talk.ppt", "D:\\\x81\x5C.exe", 3, "D:\\\x81\x5C"},
  };
  for (const Source& c : cases) {
    chooseInDialog(c.path);
    Source now = source();
    EXPECT_EQ(now.path, c.path);
    EXPECT_EQ(now.output, c.output) << c.path;
    EXPECT_EQ(now.kind, c.kind) << c.path;
    EXPECT_EQ(now.folder, c.folder) << c.path;
  }
  std::vector<ui::FileDialogRequest> asked = desktop.fileDialogs();
  ASSERT_EQ(asked.size(), std::size(cases));
  EXPECT_FALSE(asked[0].save);
  EXPECT_EQ(asked[0].filter, source_text::kOpenFilter);
  // Each run of the dialog starts from the path it returned last.
  EXPECT_EQ(asked[1].initialPath, cases[0].path);
}

TEST_F(PackPageTest, CancellingADialogKeepsTheEarlierChoices) {
  chooseInDialog("D:\\slides\\talk.ppt");
  desktop.answerFileDialog("D:\\out\\mine.exe");
  ASSERT_TRUE(ui::input::click(page().按钮_浏览保存路径));
  Source before = source();
  desktop.answerFileDialog(std::nullopt);
  ui::input::click(page().按钮_浏览文件路径);
  desktop.answerFileDialog(std::nullopt);
  ui::input::click(page().按钮_浏览保存路径);
  Source after = source();
  EXPECT_EQ(after.path, before.path);
  EXPECT_EQ(after.output, "D:\\out\\mine.exe");
  EXPECT_EQ(after.kind, before.kind);
  EXPECT_EQ(after.folder, before.folder);
}

TEST_F(PackPageTest, SaveDialogAppendsExeOnlyToANameWithoutExtension) {
  struct Case {
    std::string chosen, output;
  };
  const Case cases[] = {
      {"D:\\out\\talk", "D:\\out\\talk.exe"},
      {"D:\\out\\talk.exe", "D:\\out\\talk.exe"},
      {"D:\\out\\talk.scr", "D:\\out\\talk.scr"},
  };
  for (const Case& c : cases) {
    desktop.answerFileDialog(c.chosen);
    ASSERT_TRUE(ui::input::click(page().按钮_浏览保存路径));
    EXPECT_EQ(page().编辑框_输出路径.text(), c.output);
  }
  EXPECT_TRUE(desktop.fileDialogs().at(0).save);
  EXPECT_EQ(desktop.fileDialogs().at(0).filter, source_text::kSaveFilter);
}

TEST_F(PackPageTest, ModuleCheckFollowsTheModuleFileOfTheKind) {
  putModule("bf3.sj");
  PackPage& p = page();
  const std::string host = TERVALO_SITE_HOST;
  chooseInDialog("D:\\slides\\talk.pptx");
  EXPECT_EQ(p.标签_打包模块提示.text(), "PPTX打包模块不存在,如需要使用打包模块请到官网(" + host + ")下载");
  EXPECT_FALSE(p.选择框_使用打包模块.ticked());
  EXPECT_TRUE(p.选择框_使用打包模块.disabled());
  // The module is there again: the box comes back enabled, but the user ticks it.
  chooseInDialog("D:\\slides\\talk.ppt");
  EXPECT_EQ(p.标签_打包模块提示.text(), "");
  EXPECT_FALSE(p.选择框_使用打包模块.disabled());
  EXPECT_FALSE(p.选择框_使用打包模块.ticked());
  ASSERT_TRUE(ui::input::tick(p.选择框_使用打包模块));
  chooseInDialog("D:\\slides\\other.ppt");
  EXPECT_TRUE(p.选择框_使用打包模块.ticked());
  std::filesystem::remove(program.native() / "bf3.sj");
  desktop.drop("D:\\slides\\talk.ppt");
  EXPECT_EQ(p.标签_打包模块提示.text(), "PPT打包模块不存在,如需要使用打包模块请到官网(" + host + ")下载");
  EXPECT_TRUE(p.选择框_使用打包模块.disabled());
}

TEST_F(PackPageTest, DroppedPresentationsAreTakenAndOtherDropsOnlyShowTheBalloon) {
  putModule("bf10.sj");
  main().window.self().setLeft(100);
  main().window.self().setTop(50);
  struct Case {
    std::string paths;
    bool taken;
    Source expected;
  };
  const Case cases[] = {
      {"E:\\talk.pptx", true, {"E:\\talk.pptx", "E:\\Tervalo输出文件.exe", 10, "E:"}},
      {"D:\\slides\\Talk.PPTX", true, {"D:\\slides\\Talk.PPTX", "D:\\slides.exe", 10, "D:\\slides"}},
      {"D:\\notes.txt", false, {}},
      {"D:\\a.pptx\r\nD:\\b.pptx\r\n", false, {}},
      {"D:\\slides", false, {}},
  };
  std::size_t balloons = 0;
  for (const Case& c : cases) {
    Source before = source();
    ASSERT_TRUE(desktop.drop(c.paths));
    Source after = source();
    Source expected = c.taken ? c.expected : before;
    EXPECT_EQ(after.path, expected.path) << c.paths;
    EXPECT_EQ(after.output, expected.output) << c.paths;
    EXPECT_EQ(after.kind, expected.kind) << c.paths;
    EXPECT_EQ(after.folder, expected.folder) << c.paths;
    if (c.taken) continue;
    std::vector<ui::ScriptedDesktop::BalloonCall> shown = desktop.balloonTips();
    ASSERT_EQ(shown.size(), ++balloons) << c.paths;
    EXPECT_EQ(shown.back().text, "文件放错啦!只能放入 .ppt 或 .pptx 文件哦!");
    EXPECT_EQ(shown.back().x, 245);
    EXPECT_EQ(shown.back().y, 184);
  }
  EXPECT_EQ(balloons, 3u);
}

TEST_F(PackPageTest, DroppedPptTiesTheStartSlideBoxToItsModule) {
  PackPage& p = page();
  desktop.drop("D:\\slides\\talk.ppt");  // bf3.sj missing
  EXPECT_TRUE(p.编辑框_起始播放幻灯片.disabled());
  desktop.drop("D:\\slides\\talk.pptx");  // a .pptx leaves the box alone
  EXPECT_TRUE(p.编辑框_起始播放幻灯片.disabled());
  chooseInDialog("D:\\slides\\talk.ppt");  // so does the dialog
  EXPECT_TRUE(p.编辑框_起始播放幻灯片.disabled());
  putModule("bf3.sj");
  desktop.drop("D:\\slides\\talk.ppt");
  EXPECT_FALSE(p.编辑框_起始播放幻灯片.disabled());
}

TEST_F(PackPageTest, OptionBoxesEnableTheirEditsAndKeepWhatWasTyped) {
  PackPage& p = page();
  ASSERT_TRUE(ui::input::tick(p.选择框_使用密码));
  EXPECT_FALSE(p.编辑框_密码.disabled());
  EXPECT_FALSE(p.编辑框_再次输入密码.disabled());
  ui::input::type(p.编辑框_密码, "abc");
  ui::input::type(p.编辑框_再次输入密码, "abd");
  ui::input::tick(p.选择框_使用密码);
  EXPECT_TRUE(p.编辑框_密码.disabled());
  EXPECT_TRUE(p.编辑框_再次输入密码.disabled());
  EXPECT_EQ(p.编辑框_密码.text(), "abc");
  EXPECT_EQ(p.编辑框_再次输入密码.text(), "abd");

  ASSERT_TRUE(ui::input::tick(p.选择框_是否打包同目录下所有文件));
  EXPECT_TRUE(p.编辑框_起始播放幻灯片.disabled());
  ui::input::tick(p.选择框_是否打包同目录下所有文件);
  EXPECT_FALSE(p.编辑框_起始播放幻灯片.disabled());
}

}  // namespace
