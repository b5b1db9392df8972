// Closing while a run is working: after Yes the job is stopped and its temporary files are gone
// before the program ends.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/app_fixture.h"
#include "core/data_cipher.h"
#include "core/os.h"
#include "core/test_folder.h"

namespace {

void writeFile(const std::filesystem::path& path, const ByteSet& data) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()), data.size());
}

template <class Condition>
bool waitFor(Condition condition) {
  for (int i = 0; i < 20000; ++i) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

TEST(CloseDuringRun, YesStopsTheJobAndRemovesItsTemporaryFilesBeforeTheEnd) {
  signal(SIGPIPE, SIG_IGN);  // the job may close the pipe before the writer's bytes arrive
  TestFolder program, temp, source;
  writeFile(program.native() / "bf10.sj", DataCipher::encrypt(bytesOf("module bytes"), kFixedPassPhrase));
  // The stub is a pipe: the job blocks reading it, after the settings file and the module copy exist.
  ASSERT_EQ(mkfifo((program.native() / "qm.sj").c_str(), 0600), 0);
  writeFile(source.native() / "a.pptx", bytesOf("presentation"));

  AppFixture f;
  loadMainWindow(f.app);
  PlainPackOptions options;
  options.sourcePathValue = source.file("a.pptx");
  options.sourceFolderValue = source.path();
  options.moduleKindValue = kModuleKindPptx;
  options.outputPathValue = temp.file("out.exe");
  PlainPlayerAppearance appearance;
  PackJobInputs inputs;
  inputs.options = &options;
  inputs.appearance = &appearance;
  inputs.playerPassword = "|";
  inputs.programFolder = program.path();
  inputs.tempFolder = temp.path() + "\\";
  f.app.globals.packPageActive = 1;
  f.main().高级选择夹1.setCurrentPage(kPackProgressPage);
  f.app.packSession->start(inputs);
  ASSERT_TRUE(waitFor([&] { return std::filesystem::exists(temp.native() / "bf0"); }))
      << (f.desktop.messageBoxes().empty() ? "" : f.desktop.messageBoxes()[0].text);

  // The pipe's writer stands in for the stub being read; it lets the job go on only once the
  // program has asked it to stop, so a close that does not stop the job leaves it blocked.
  std::thread pipeWriter([&] {
    waitFor([&] { return f.app.globals.packPageActive == 0; });
    // Without blocking: a job that stopped before reading has no reader on the pipe.
    waitFor([&] {
      int fd = open((program.native() / "qm.sj").c_str(), O_WRONLY | O_NONBLOCK);
      if (fd < 0) return !f.app.packSession->jobRunning();
      (void)!write(fd, "not a sealed stub", 17);
      close(fd);
      return true;
    });
  });
  f.desktop.answerMessageBox(kResultYes);
  ui::input::press(f.main().关闭);
  bool ended = !f.app.packSession->jobRunning();
  std::size_t leftBehind = temp.entryCount();
  if (f.app.globals.packPageActive != 0) f.app.globals.packPageActive = 0;  // unblock the writer on failure
  pipeWriter.join();

  EXPECT_EQ(f.backend.exitCode(), std::optional<int>(0));
  EXPECT_TRUE(ended);
  EXPECT_EQ(leftBehind, 0u);
  EXPECT_EQ(f.app.packSession->lastResult(), PackJobResult::kStopped);
  ASSERT_EQ(f.desktop.messageBoxes().size(), 1u);
  EXPECT_EQ(f.desktop.messageBoxes()[0].caption, "确定退出吗?");
}

}  // namespace
