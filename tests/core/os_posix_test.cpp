// Linux side of the path boundary: UTF-8 names with slashes, and names the program cannot hold.
#include <gtest/gtest.h>

#include <cstdlib>

#include "core/os.h"
#include "core/os_posix_path.h"

namespace {

TEST(OsPosix, PathsCrossTheBoundary) {
  std::string native;
  ASSERT_TRUE(os::nativePath("\\tmp\\课件\\a.ppt", native));
  EXPECT_EQ(native, "/tmp/\xE8\xAF\xBE\xE4\xBB\xB6/a.ppt");
  // 乗 (81 5C) keeps its trail byte: it is no separator.
  ASSERT_TRUE(os::nativePath("\\x\\\x81\x5C", native));
  EXPECT_EQ(native, "/x/\xE4\xB9\x97");
  std::string back;
  ASSERT_TRUE(os::pathFromNative("/x/\xE4\xB9\x97", back));
  EXPECT_EQ(back, "\\x\\\x81\x5C");
  EXPECT_FALSE(os::pathFromNative("/x/a\\b", back));
  EXPECT_FALSE(os::internalPath("a\\b", back));
  EXPECT_FALSE(os::pathFromNative("/x/\xF0\x9F\x98\x80", back));  // no GBK form
}

TEST(OsPosix, TempFolderFollowsTmpdir) {
  const char* old = std::getenv("TMPDIR");
  std::string saved = old ? old : "";
  setenv("TMPDIR", "/var/tmp/", 1);
  EXPECT_EQ(os::tempFolder(), "\\var\\tmp\\");
  setenv("TMPDIR", "/var/tmp", 1);
  EXPECT_EQ(os::tempFolder(), "\\var\\tmp\\");
  if (old) setenv("TMPDIR", saved.c_str(), 1); else unsetenv("TMPDIR");
}

}  // namespace
