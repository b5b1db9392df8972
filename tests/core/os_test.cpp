// The os layer: whole files, exclusive creation, existence of files and folders, the temporary folder.
#include "core/os.h"

#include <gtest/gtest.h>

#include "test_folder.h"

namespace {

TEST(Os, WholeFilesAndExclusiveCreation) {
  TestFolder dir;
  std::string path = dir.file("课件 1.bin");
  ByteSet data = {0, 1, 2, 0xFF, '\\', '/'};
  EXPECT_EQ(os::writeWholeFile(path, data, os::CreateMode::kExclusive), os::WriteResult::kOk);
  EXPECT_EQ(os::writeWholeFile(path, {9}, os::CreateMode::kExclusive), os::WriteResult::kExists);
  ByteSet back;
  ASSERT_TRUE(os::readWholeFile(path, back));
  EXPECT_EQ(back, data);
  EXPECT_EQ(os::writeWholeFile(path, {9}, os::CreateMode::kReplace), os::WriteResult::kOk);
  ASSERT_TRUE(os::readWholeFile(path, back));
  EXPECT_EQ(back, ByteSet{9});
  std::uint64_t size = 0;
  EXPECT_TRUE(os::fileSize(path, size));
  EXPECT_EQ(size, 1u);
  EXPECT_TRUE(os::deleteFile(path));
  EXPECT_FALSE(os::entryExists(path));
  EXPECT_FALSE(os::readWholeFile(path, back));
  EXPECT_TRUE(back.empty());
  EXPECT_EQ(os::writeWholeFile(dir.file("no\\such\\folder"), data, os::CreateMode::kReplace), os::WriteResult::kFailed);
}

TEST(Os, ExistenceFindsFilesAndFolders) {
  TestFolder dir;
  EXPECT_TRUE(os::entryExists(dir.path()));
  EXPECT_TRUE(os::isDirectory(dir.path()));
  EXPECT_FALSE(os::entryExists(dir.file("nothing")));
  EXPECT_FALSE(os::entryExists(""));
  std::string file = dir.file("f");
  os::writeWholeFile(file, {1}, os::CreateMode::kReplace);
  EXPECT_TRUE(os::entryExists(file));
  EXPECT_FALSE(os::isDirectory(file));
  ByteSet none;
  EXPECT_FALSE(os::readWholeFile(dir.path(), none));  // a folder is not a readable file
}

TEST(Os, FoldersAndPaths) {
  std::string temp = os::tempFolder();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
  EXPECT_TRUE(os::isDirectory(temp));
  std::string program = os::programFolder();
  ASSERT_FALSE(program.empty());
  EXPECT_NE(program.back(), '\\');
  EXPECT_TRUE(os::isDirectory(program));
  std::string path;
  ASSERT_TRUE(os::internalPath("a/b/c.ppt", path));
  EXPECT_EQ(path, "a\\b\\c.ppt");
  std::uint32_t t1 = os::tickCount(), t2 = os::tickCount();
  EXPECT_LE(t2 - t1, 1000u);
  os::trimWorkingSet();
}

}  // namespace
