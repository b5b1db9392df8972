// ArchiveBuilder on Windows: sharing with other programs, and attributes and times from the file system.
#include "core/archive_builder.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "core/gbk_text_win32.h"
#include "core/os.h"
#include "core/win32_handle.h"
#include "test_folder.h"
#include "zip_decoder.h"

namespace {

test_zip::Archive readArchive(const std::string& path) {
  ByteSet bytes;
  os::readWholeFile(path, bytes);
  return test_zip::decode(bytes);
}

win32::UniqueFile openByAnother(const std::string& path, DWORD access, DWORD share) {
  return win32::UniqueFile(CreateFileW(gbk::wideOrEmpty(path).c_str(), access, share, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
}

TEST(ArchiveBuilderWin32, FileThatAnotherProgramWritesFailsTheBuild) {
  TestFolder dir;
  std::string src = dir.file("src");
  ASSERT_TRUE(CreateDirectoryW(gbk::wideOrEmpty(src).c_str(), nullptr));
  ASSERT_EQ(os::writeWholeFile(src + "\\a.ppt", {1, 2, 3}, os::CreateMode::kReplace), os::WriteResult::kOk);
  ASSERT_EQ(os::writeWholeFile(src + "\\b.ppt", {4, 5, 6}, os::CreateMode::kReplace), os::WriteResult::kOk);
  struct Case {
    const char* what;
    DWORD access, share;
    int result;
  } cases[] = {
      {"held open for writing", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, ArchiveBuilder::kFailed},
      {"held open for reading", GENERIC_READ, FILE_SHARE_READ, ArchiveBuilder::kWritten},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    win32::UniqueFile other = openByAnother(src + "\\b.ppt", c.access, c.share);
    ASSERT_TRUE(other.valid());
    EXPECT_EQ(ArchiveBuilder::build(src + "\\b.ppt", dir.file("single.zip"), {}), c.result);
    EXPECT_EQ(os::entryExists(dir.file("single.zip")), c.result == ArchiveBuilder::kWritten);
    EXPECT_EQ(ArchiveBuilder::build(src, dir.file("folder.zip"), {}), c.result);
    test_zip::Archive a = readArchive(dir.file("folder.zip"));
    ASSERT_EQ(a.problem, "");
    // Without the held file, the archive ends before it; with it, both are in.
    bool hasB = false;
    for (const auto& entry : a.central) hasB = hasB || entry.name == "b.ppt";
    EXPECT_EQ(hasB, c.result == ArchiveBuilder::kWritten);
  }
}

TEST(ArchiveBuilderWin32, NameOutsideGbkEndsTheWalk) {
  TestFolder dir;
  std::wstring src = gbk::wideOrEmpty(dir.file("src"));
  ASSERT_TRUE(CreateDirectoryW(src.c_str(), nullptr));
  for (const wchar_t* name : {L"\\a.ppt", L"\\b\U0001F600.ppt"}) {
    win32::UniqueFile f(CreateFileW((src + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(f.valid());
  }
  ArchiveFailure failure;
  EXPECT_EQ(ArchiveBuilder::build(dir.file("src"), dir.file("out.zip"), {}, {}, failure), ArchiveBuilder::kFailed);
  EXPECT_NE(failure.reason.find("GBK"), std::string::npos) << failure.reason;
  test_zip::Archive a = readArchive(dir.file("out.zip"));
  ASSERT_EQ(a.problem, "");
  for (const auto& entry : a.central) EXPECT_EQ(entry.name, "a.ppt");
}

FILETIME fileTimeOf(std::uint64_t unixSeconds) {
  std::uint64_t ticks = unixSeconds * 10000000ull + 116444736000000000ull;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

std::uint64_t secondsOf(const FILETIME& t) {
  return ((std::uint64_t(t.dwHighDateTime) << 32 | t.dwLowDateTime) - 116444736000000000ull) / 10000000ull;
}

TEST(ArchiveBuilderWin32, AttributesAndTimesComeFromTheFileSystem) {
  TestFolder dir;
  struct Case {
    const char* name;
    DWORD attributes;
  } cases[] = {
      {"plain.ppt", FILE_ATTRIBUTE_NORMAL},
      {"archived.ppt", FILE_ATTRIBUTE_ARCHIVE},
      {"everything.ppt", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE},
      {"readonly.ppt", FILE_ATTRIBUTE_READONLY},
  };
  const std::uint64_t created = 1500000000, accessed = 1700000000, written = 1765516734;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string path = dir.file(c.name);
    ASSERT_EQ(os::writeWholeFile(path, {1, 2, 3}, os::CreateMode::kReplace), os::WriteResult::kOk);
    {
      win32::UniqueFile f = openByAnother(path, FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ);
      ASSERT_TRUE(f.valid());
      FILETIME c1 = fileTimeOf(created), a1 = fileTimeOf(accessed), w1 = fileTimeOf(written);
      ASSERT_TRUE(SetFileTime(f.get(), &c1, &a1, &w1));
    }
    std::wstring wide = gbk::wideOrEmpty(path);
    ASSERT_TRUE(SetFileAttributesW(wide.c_str(), c.attributes));
    // The file system's own answer is the oracle; it keeps read-only at least.
    DWORD actual = GetFileAttributesW(wide.c_str());
    ASSERT_NE(actual, INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ((actual & FILE_ATTRIBUTE_READONLY) != 0, (c.attributes & FILE_ATTRIBUTE_READONLY) != 0);

    // The times as the file system reports them: not every one keeps a creation or access time as set.
    BY_HANDLE_FILE_INFORMATION info{};
    {
      win32::UniqueFile f = openByAnother(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
      ASSERT_TRUE(f.valid());
      ASSERT_TRUE(GetFileInformationByHandle(f.get(), &info));
    }
    EXPECT_EQ(secondsOf(info.ftLastWriteTime), written);

    std::string target = dir.file(std::string(c.name) + ".zip");
    int result = ArchiveBuilder::build(path, target, {});
    SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);  // so the folder can be removed
    ASSERT_EQ(result, ArchiveBuilder::kWritten);
    test_zip::Archive a = readArchive(target);
    ASSERT_EQ(a.problem, "");
    ASSERT_EQ(a.central.size(), 1u);
    std::uint32_t dos = actual & 0x27;
    std::uint32_t mode = (actual & FILE_ATTRIBUTE_READONLY) ? 0x8100 : 0x8180;
    EXPECT_EQ(a.central[0].externalAttributes, mode << 16 | dos);
    ASSERT_EQ(a.local[0].extra.size(), 17u);
    EXPECT_EQ(test_zip::le(a.local[0].extra, 5, 4), written);
    EXPECT_EQ(test_zip::le(a.local[0].extra, 13, 4), secondsOf(info.ftCreationTime));
    // Reading may move the access time on (Wine's hosts do when attributes changed since); the
    // archive holds the time found when the file was opened, between the one set and the one after.
    BY_HANDLE_FILE_INFORMATION after{};
    {
      win32::UniqueFile f = openByAnother(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE);
      ASSERT_TRUE(f.valid());
      ASSERT_TRUE(GetFileInformationByHandle(f.get(), &after));
    }
    EXPECT_GE(test_zip::le(a.local[0].extra, 9, 4), secondsOf(info.ftLastAccessTime));
    EXPECT_LE(test_zip::le(a.local[0].extra, 9, 4), secondsOf(after.ftLastAccessTime));
    FILETIME utc = fileTimeOf(written), local{};
    WORD date = 0, time = 0;
    ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
    ASSERT_TRUE(FileTimeToDosDateTime(&local, &date, &time));
    EXPECT_EQ(a.central[0].dosDate, date);
    EXPECT_EQ(a.central[0].dosTime, time);
  }
}

}  // namespace
