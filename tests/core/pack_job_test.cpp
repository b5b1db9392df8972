// The pack job end to end on the calling thread and on its worker: layout, widths, failures, clean-up.
#include "core/pack_job.h"

#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <set>
#include <thread>

#include "core/data_cipher.h"
#include "core/message_box.h"
#include "core/os.h"
#include "core/packed_file.h"
#include "packed_fixtures.h"
#include "test_folder.h"

namespace {

const ByteSet kPauseNormal = {0xFF, 0xD8, 1};
const ByteSet kResumeNormal = {0xFF, 0xD8, 2};

// Records every effect with the thread that made it.
class RecordingView final : public PackJobView {
 public:
  struct Event {
    std::thread::id thread;
    std::string what;
  };

  void setProgressWidth(int width) override { add("width " + std::to_string(width)); }
  void setProgressCaption(std::string_view caption) override { add("caption " + std::string(caption)); }
  void setEditBoxesEnabled(bool enabled) override { add(enabled ? "enable" : "disable"); }
  bool packProgressPageShowing() override {
    std::lock_guard lock(mutex_);
    return progressPage_;
  }
  void showPackProgressPage() override {
    std::lock_guard lock(mutex_);
    progressPage_ = true;
    events_.push_back({std::this_thread::get_id(), "progress page"});
  }
  void showPackPage() override {
    std::lock_guard lock(mutex_);
    progressPage_ = false;
    events_.push_back({std::this_thread::get_id(), "pack page"});
  }
  void showCompletionButtons() override { add("completion buttons"); }
  void setPauseButtonLook(bool pauseLook) override {
    std::lock_guard lock(mutex_);
    picture_ = pauseLook ? kPauseNormal : kResumeNormal;
    events_.push_back({std::this_thread::get_id(), pauseLook ? "pause look" : "resume look"});
  }
  ByteSet pauseButtonNormalPicture() override {
    std::lock_guard lock(mutex_);
    return picture_;
  }
  ByteSet pauseLookNormalPicture() override { return kPauseNormal; }
  void setPackPageActive(int value) override {
    std::lock_guard lock(mutex_);
    active_ = value;
    events_.push_back({std::this_thread::get_id(), "active " + std::to_string(value)});
  }
  int messageBox(std::string_view text, std::string_view caption, int flags) override {
    add("box " + std::string(text) + " | " + std::string(caption));
    return flags == kMbYesNo ? answer : kResultOk;
  }
  void trimWorkingSet() override {}

  std::vector<Event> events() {
    std::lock_guard lock(mutex_);
    return events_;
  }
  std::vector<std::string> list(const std::string& prefix) {
    std::vector<std::string> out;
    for (const Event& e : events()) {
      if (e.what.rfind(prefix, 0) == 0) out.push_back(e.what.substr(prefix.size()));
    }
    return out;
  }
  int active() {
    std::lock_guard lock(mutex_);
    return active_;
  }
  int answer = kResultYes;

 private:
  void add(std::string what) {
    std::lock_guard lock(mutex_);
    events_.push_back({std::this_thread::get_id(), std::move(what)});
  }
  std::mutex mutex_;
  std::vector<Event> events_;
  ByteSet picture_ = kPauseNormal;
  bool progressPage_ = true;
  int active_ = 1;
};

void writeFile(const std::string& path, const ByteSet& data) {
  ASSERT_EQ(os::writeWholeFile(path, data, os::CreateMode::kReplace), os::WriteResult::kOk) << path;
}

ByteSet readFile(const std::string& path) {
  ByteSet data;
  os::readWholeFile(path, data);
  return data;
}

struct Fixture {
  TestFolder program, temp, source, out;
  ByteSet stub = fixtureProgram(5000, 1), module3 = fixtureProgram(3000, 2), module10 = fixtureProgram(4000, 3);
  PlainPackOptions options;
  PlainPlayerAppearance look;

  Fixture() {
    writeFile(program.file("qm.sj"), DataCipher::encrypt(stub, kFixedPassPhrase));
    writeFile(program.file("bf3.sj"), DataCipher::encrypt(module3, kFixedPassPhrase));
    writeFile(program.file("bf10.sj"), DataCipher::encrypt(module10, kFixedPassPhrase));
    writeFile(source.file("课件 1.pptx"), fixtureBytes(70000, 4));
    writeFile(source.file("notes.txt"), bytesOf(std::string(2000, 'n')));
    options.sourcePathValue = source.file("课件 1.pptx");
    options.sourceFolderValue = source.path();
    options.moduleKindValue = kModuleKindPptx;
    options.outputPathValue = out.file("输出 文件.exe");
    options.packWholeFolderValue = false;
  }
  PackJobInputs inputs(std::string password = "|") {
    PackJobInputs in;
    in.options = &options;
    in.appearance = &look;
    in.playerPassword = std::move(password);
    in.programFolder = program.path();
    in.tempFolder = temp.path() + "\\";
    return in;
  }
};

ByteSet concat(std::initializer_list<ByteSet> parts) {
  ByteSet out;
  for (const ByteSet& p : parts) appendBytes(out, p);
  return out;
}

TEST(PackJob, SingleFileWithModuleAndPassword) {
  Fixture f;
  RecordingView view;
  PackControl control;
  ASSERT_EQ(runPackJob(f.inputs("秘密"), view, control), PackJobResult::kFinished);
  EXPECT_EQ(view.list("width "), (std::vector<std::string>{"2", "5", "8", "703", "705", "708", "720"}));
  EXPECT_EQ(view.list("caption "), (std::vector<std::string>{"打包完成，请选择需要的操作"}));
  EXPECT_EQ(view.list("completion buttons").size(), 1u);
  EXPECT_EQ(view.active(), 1);
  EXPECT_EQ(f.temp.entryCount(), 0u);

  ByteSet output = readFile(f.options.outputPathValue);
  std::string reason;
  auto parts = parsePackedFile(output, reason);
  ASSERT_TRUE(parts) << reason;
  ByteSet sep = bytesOf(kBlockSeparator);
  ByteSet head = concat({f.stub, sep, f.module10, sep});
  ASSERT_GT(output.size(), head.size());
  EXPECT_TRUE(std::equal(head.begin(), head.end(), output.begin()));
  EXPECT_EQ(parts->stubSize, f.stub.size());
  EXPECT_EQ(parts->moduleSize, f.module10.size());
  EXPECT_EQ(parts->settingsOffset, head.size());
  EXPECT_EQ(parts->settings.fileName, "课件 1.pptx");
  EXPECT_EQ(parts->settings.useModule, 1);
  EXPECT_EQ(DataCipher::decrypt(parts->settings.cipheredPassword, kFixedPassPhrase), bytesOf("秘密"));
  ASSERT_EQ(parts->entries.size(), 1u);
  EXPECT_EQ(parts->entries[0].name, "课件 1.pptx");
  EXPECT_EQ(parts->entries[0].size, 70000u);
}

TEST(PackJob, ReplacesAnExistingOutput) {
  Fixture f;
  writeFile(f.options.outputPathValue, ByteSet(300000, 'x'));
  RecordingView view;
  PackControl control;
  ASSERT_EQ(runPackJob(f.inputs(), view, control), PackJobResult::kFinished);
  std::string reason;
  EXPECT_TRUE(parsePackedFile(readFile(f.options.outputPathValue), reason)) << reason;
}

TEST(PackJob, FolderWithoutModuleAndPptModuleKind) {
  Fixture f;
  f.options.packWholeFolderValue = true;
  f.options.useModuleValue = false;
  RecordingView view;
  PackControl control;
  ASSERT_EQ(runPackJob(f.inputs(), view, control), PackJobResult::kFinished);
  std::vector<std::string> widths = view.list("width ");
  // Two entries: 50 % and 100 %, then back to 703.
  EXPECT_EQ(widths, (std::vector<std::string>{"2", "5", "8", "360", "710", "703", "705", "708", "720"}));
  ByteSet output = readFile(f.options.outputPathValue);
  std::string reason;
  auto parts = parsePackedFile(output, reason);
  ASSERT_TRUE(parts) << reason;
  ByteSet head = concat({f.stub, bytesOf(kBlockSeparator), bytesOf(kBlockSeparator)});
  EXPECT_TRUE(std::equal(head.begin(), head.end(), output.begin()));
  EXPECT_EQ(parts->settings.useModule, 0);
  std::set<std::string> names;
  for (const ArchiveEntry& e : parts->entries) names.insert(e.name);
  EXPECT_EQ(names, (std::set<std::string>{"notes.txt", "课件 1.pptx"}));

  Fixture g;
  g.options.moduleKindValue = kModuleKindPpt;
  RecordingView view3;
  PackControl control3;
  ASSERT_EQ(runPackJob(g.inputs(), view3, control3), PackJobResult::kFinished);
  ByteSet out3 = readFile(g.options.outputPathValue);
  ByteSet head3 = concat({g.stub, bytesOf(kBlockSeparator), g.module3, bytesOf(kBlockSeparator)});
  EXPECT_TRUE(std::equal(head3.begin(), head3.end(), out3.begin()));
}

TEST(PackJob, FailuresReportTheirMessageAndLeaveNoTemporaryFile) {
  struct Case {
    const char* name;
    void (*spoil)(Fixture&);
    std::string message;
  };
  const Case cases[] = {
      {"module missing", [](Fixture& f) { os::deleteFile(f.program.file("bf10.sj")); }, "打包失败\r\n原因:播放模块有错误"},
      {"module corrupt", [](Fixture& f) { writeFile(f.program.file("bf10.sj"), ByteSet(16, 7)); }, "打包失败\r\n原因:播放模块有错误"},
      {"stub missing", [](Fixture& f) { os::deleteFile(f.program.file("qm.sj")); }, "打包失败，请稍候重试！"},
      {"source vanished", [](Fixture& f) { os::deleteFile(f.options.sourcePathValue); }, "打包失败，请稍候重试！"},
      {"output folder missing", [](Fixture& f) { f.options.outputPathValue = f.out.file("no\\such\\a.exe"); },
       "打包失败，请稍候重试！"},
  };
  for (const Case& c : cases) {
    Fixture f;
    c.spoil(f);
    RecordingView view;
    PackControl control;
    EXPECT_EQ(runPackJob(f.inputs(), view, control), PackJobResult::kFailed) << c.name;
    EXPECT_EQ(view.list("box "), (std::vector<std::string>{c.message + " | 信息："})) << c.name;
    EXPECT_EQ(view.active(), 0) << c.name;
    EXPECT_EQ(view.list("width ").back(), "0") << c.name;
    EXPECT_FALSE(view.packProgressPageShowing()) << c.name;
    EXPECT_TRUE(view.list("caption ").empty()) << c.name;
    EXPECT_EQ(f.temp.entryCount(), 0u) << c.name;
  }
}

TEST(PackJob, TemporaryNamesAndJoinLine) {
  TestFolder temp;
  std::string folder = temp.path() + "\\";
  writeFile(folder + "qm0", {1});
  writeFile(folder + "qm1", {1});
  EXPECT_EQ(findFreeTempName(folder, "qm"), folder + "qm2");
  EXPECT_EQ(findFreeTempName(folder, "bf"), folder + "bf0");
  EXPECT_EQ(joinCommandLine("T\\qm0", "T\\fgf0", "T\\bf0", "T\\1a.tmp", "T\\db0", "D:\\my out\\课件.exe"),
            "cmd /C copy /b \"T\\qm0\"+\"T\\fgf0\"+\"T\\bf0\"+\"T\\fgf0\"+\"T\\1a.tmp\"+\"T\\fgf0\"+\"T\\db0\" "
            "\"D:\\my out\\课件.exe\"");
  EXPECT_EQ(joinCommandLine("T\\qm0", "T\\fgf0", "", "T\\1a.tmp", "T\\db0", "o.exe"),
            "cmd /C copy /b \"T\\qm0\"+\"T\\fgf0\"+\"T\\fgf0\"+\"T\\1a.tmp\"+\"T\\fgf0\"+\"T\\db0\" \"o.exe\"");
}

TEST(PackSession, PauseResumeAndStopAtRandomMoments) {
  Fixture f;
  // A folder of many small files gives the stop many places to land.
  for (int i = 0; i < 60; ++i) writeFile(f.source.file("f" + std::to_string(i) + ".bin"), fixtureBytes(40000, 10 + i));
  f.options.packWholeFolderValue = true;
  std::mt19937 rng(42);
  for (int round = 0; round < 25; ++round) {
    RecordingView view;
    PackSession session(view);
    os::deleteFile(f.options.outputPathValue);
    std::thread::id main = std::this_thread::get_id();
    session.start(f.inputs());
    std::this_thread::sleep_for(std::chrono::microseconds(rng() % 20000));
    session.togglePause();
    EXPECT_EQ(view.pauseButtonNormalPicture(), kResumeNormal);
    std::size_t frozen = view.events().size();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (session.jobRunning()) {
      // Only this thread's own effects (the resume look and "暂停") may have come meanwhile.
      auto events = view.events();
      for (std::size_t i = frozen; i < events.size(); ++i) EXPECT_EQ(events[i].thread, main) << events[i].what;
    }
    if (round % 2 == 0) {
      session.togglePause();  // resume, then stop while running
      std::this_thread::sleep_for(std::chrono::microseconds(rng() % 5000));
    }
    std::size_t stopAt = view.events().size();
    session.stopPackJob();
    session.wait();
    // The job may still act until the stop lands; after the stop's own first effect it must not.
    auto events = view.events();
    std::size_t i = stopAt;
    while (i < events.size() && events[i].thread != main) ++i;
    for (; i < events.size(); ++i) EXPECT_EQ(events[i].thread, main) << events[i].what;
    EXPECT_EQ(view.pauseButtonNormalPicture(), kPauseNormal);
    EXPECT_EQ(view.active(), 0);
    EXPECT_EQ(f.temp.entryCount(), 0u) << "round " << round;
    if (session.lastResult() != PackJobResult::kFinished) {
      for (const std::string& caption : view.list("caption ")) EXPECT_NE(caption, "打包完成，请选择需要的操作");
    }
  }
}

TEST(PackSession, StopQuestionAndReturn) {
  Fixture f;
  RecordingView view;
  PackSession session(view);
  view.answer = kResultNo;
  session.confirmStop();
  EXPECT_EQ(view.list("box "), (std::vector<std::string>{"真的要停止打包吗? | 信息："}));
  EXPECT_EQ(view.active(), 1);
  session.start(f.inputs());
  session.wait();
  EXPECT_EQ(session.lastResult(), PackJobResult::kFinished);
  session.returnToPackPage();
  EXPECT_EQ(view.active(), 0);
  EXPECT_FALSE(view.packProgressPageShowing());
}

}  // namespace
