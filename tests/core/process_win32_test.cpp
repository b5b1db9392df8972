// Programs started by the pack-progress page: named explicitly, so a blank in the path is harmless.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
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

TEST(ProcessWin32, FolderLineQuotesThePath) {
  EXPECT_EQ(process::showInFolderCommandLine("D:\\my out\\课件.exe"), "explorer.exe /select,\"D:\\my out\\课件.exe\"");
}

}  // namespace
