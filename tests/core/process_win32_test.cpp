// Programs started by the pack-progress page: named explicitly, so a blank in the path is harmless.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "core/os.h"
#include "core/pack_job.h"
#include "core/process.h"
#include "test_folder.h"

namespace {

// Run as the child: leaves a marker so the parent sees which program was started.
TEST(ProcessWin32, MarkerChild) {
  const char* marker = std::getenv("TERVALO_MARKER_FILE");
  if (!marker) GTEST_SKIP() << "only runs as a started child";
  std::FILE* f = std::fopen(marker, "w");
  ASSERT_TRUE(f);
  std::fclose(f);
}

TEST(ProcessWin32, RunOutputStartsExactlyTheNamedProgram) {
  TestFolder dir;
  wchar_t self[MAX_PATH];
  ASSERT_GT(GetModuleFileNameW(nullptr, self, MAX_PATH), 0u);
  std::filesystem::create_directories(dir.native() / "with blank");
  std::filesystem::path target = dir.native() / "with blank" / L"运行 测试.exe";
  std::filesystem::copy_file(self, target);
  std::filesystem::path marker = dir.native() / "started";

  SetEnvironmentVariableW(L"GTEST_FILTER", L"ProcessWin32.MarkerChild");
  SetEnvironmentVariableW(L"TERVALO_MARKER_FILE", marker.wstring().c_str());
  bool started = runOutput(dir.path() + "\\with blank\\运行 测试.exe");
  SetEnvironmentVariableW(L"GTEST_FILTER", nullptr);
  SetEnvironmentVariableW(L"TERVALO_MARKER_FILE", nullptr);
  ASSERT_TRUE(started);
  for (int i = 0; i < 200 && !std::filesystem::exists(marker); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  EXPECT_TRUE(std::filesystem::exists(marker));
  EXPECT_FALSE(runOutput(dir.path() + "\\missing.exe"));
}

// A user's COPYCMD=/-Y makes copy ask before replacing the output; hidden, nobody could answer.
TEST(ProcessWin32, JoinReplacesAnExistingOutputWithoutAsking) {
  TestFolder dir;
  os::writeWholeFile(dir.file("a"), {'a'}, os::CreateMode::kReplace);
  os::writeWholeFile(dir.file("b"), {'b'}, os::CreateMode::kReplace);
  os::writeWholeFile(dir.file("out put.exe"), ByteSet(100, 'x'), os::CreateMode::kReplace);
  std::string line = "cmd /C copy /b \"" + dir.file("a") + "\"+\"" + dir.file("b") + "\" \"" + dir.file("out put.exe") + "\"";
  SetEnvironmentVariableW(L"COPYCMD", L"/-Y");
  auto done = std::make_shared<std::atomic<int>>(0);
  std::thread([done, line] { *done = process::runJoin(line, {}, std::string()) ? 1 : 2; }).detach();
  for (int i = 0; i < 600 && *done == 0; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  SetEnvironmentVariableW(L"COPYCMD", nullptr);
  if (*done == 0) {
    ADD_FAILURE() << "the join is still waiting after a minute";
    std::_Exit(1);  // its copy command would keep the process alive
  }
  EXPECT_EQ(*done, 1);
  ByteSet out;
  os::readWholeFile(dir.file("out put.exe"), out);
  EXPECT_EQ(out, (ByteSet{'a', 'b'}));
}

TEST(ProcessWin32, FolderLineQuotesThePath) {
  EXPECT_EQ(process::showInFolderCommandLine("D:\\my out\\课件.exe"), "explorer.exe /select,\"D:\\my out\\课件.exe\"");
}

}  // namespace
