// ArchiveBuilder on Linux: sorted listings, names the archive cannot hold, times, limits and a full disk.
#include "core/archive_builder.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/os.h"
#include "test_folder.h"
#include "zip_decoder.h"

namespace {

namespace fs = std::filesystem;

void writeNative(const fs::path& p, std::size_t size, char fill = 'x') {
  fs::create_directories(p.parent_path());
  std::ofstream(p, std::ios::binary) << std::string(size, fill);
}

test_zip::Archive readArchive(const std::string& path) {
  ByteSet bytes;
  os::readWholeFile(path, bytes);
  return test_zip::decode(bytes);
}

std::vector<std::string> namesOf(const test_zip::Archive& a) {
  std::vector<std::string> names;
  for (const auto& c : a.central) names.push_back(c.name);
  return names;
}

int build(const std::string& source, const std::string& target, ArchiveFailure& failure) {
  return ArchiveBuilder::build(source, target, {}, {}, failure);
}

TEST(ArchiveBuilderPosix, ListingIsSortedByNameBytesWithFilesFirst) {
  TestFolder dir;
  fs::path src = dir.native() / "src";
  for (const char* name : {"z.ppt", "a/2.ppt", "B.ppt", "a/1.ppt", "b/c.ppt"}) writeNative(src / name, 10);
  writeNative(src / fs::path(u8"课.ppt"), 10);
  ArchiveFailure failure;
  ASSERT_EQ(build(dir.file("src"), dir.file("out.zip"), failure), ArchiveBuilder::kWritten) << failure.reason;
  EXPECT_EQ(namesOf(readArchive(dir.file("out.zip"))),
            (std::vector<std::string>{"B.ppt", "z.ppt", "\xBF\xCE.ppt", "a/", "a/1.ppt", "a/2.ppt", "b/", "b/c.ppt"}));
}

TEST(ArchiveBuilderPosix, EntriesTheArchiveCannotHoldEndTheWalk) {
  struct Case {
    const char* what;
    std::function<void(const fs::path&)> make;  // makes the bad entry, which sorts after a.ppt
  } cases[] = {
      {"name outside GBK", [](const fs::path& s) { writeNative(s / fs::path(u8"b\U0001F600.ppt"), 5); }},
      {"name holding a backslash", [](const fs::path& s) { writeNative(s / "back\\slash.ppt", 5); }},
      {"name of 260 bytes",
       [](const fs::path& s) { writeNative(s / "d" / std::string(129, 'n') / std::string(128, 'n'), 5); }},
      {"named pipe", [](const fs::path& s) { ASSERT_EQ(::mkfifo((s / "fifo").c_str(), 0644), 0); }},
      {"file of 4 GiB", [](const fs::path& s) {
         writeNative(s / "huge.ppt", 0);
         fs::resize_file(s / "huge.ppt", std::uint64_t(1) << 32);  // sparse: nothing is read before it fails
       }},
      {"link that leads back up", [](const fs::path& s) { fs::create_directory_symlink(".", s / "loop"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TestFolder dir;
    fs::path src = dir.native() / "src";
    writeNative(src / "a.ppt", 100);
    c.make(src);
    ArchiveFailure failure;
    EXPECT_EQ(build(dir.file("src"), dir.file("out.zip"), failure), ArchiveBuilder::kFailed);
    EXPECT_FALSE(failure.reason.empty());
    test_zip::Archive a = readArchive(dir.file("out.zip"));
    ASSERT_EQ(a.problem, "");
    ASSERT_FALSE(a.central.empty());
    EXPECT_EQ(a.central[0].name, "a.ppt");
  }
  TestFolder dir;
  // One byte shorter: 259 bytes.
  writeNative(dir.native() / "src" / "d" / std::string(128, 'n') / std::string(128, 'n'), 5);
  ArchiveFailure failure;
  EXPECT_EQ(build(dir.file("src"), dir.file("out.zip"), failure), ArchiveBuilder::kWritten) << failure.reason;
}

// Sets the time zone of the process for one test.
class TimeZone {
 public:
  explicit TimeZone(const char* tz) {
    if (const char* old = std::getenv("TZ")) old_ = old, hadOld_ = true;
    ::setenv("TZ", tz, 1);
    ::tzset();
  }
  ~TimeZone() {
    if (hadOld_) ::setenv("TZ", old_.c_str(), 1); else ::unsetenv("TZ");
    ::tzset();
  }

 private:
  std::string old_;
  bool hadOld_ = false;
};

TEST(ArchiveBuilderPosix, TimesAreTheFilesInLocalTimeAndClamped) {
  TimeZone china("CST-8");  // eight hours ahead of UTC, no daylight saving
  struct Case {
    std::int64_t modified, accessed;
    std::uint32_t storedModified, storedAccessed;
    std::uint16_t dosDate, dosTime;
  } cases[] = {
      // 2025-12-12 05:18:54 UTC is 13:18:54 in Beijing.
      {1765516734, 1765516800, 1765516734, 1765516800, 0x5B8C, 0x6A5B},
      // 1969-12-31 23:59:59 UTC: 1970-01-01 in the block, the first MS-DOS moment in the header.
      {-1, 0, 86399, 0, 0x0021, 0x0000},
      // 2100-01-01 12:34:56 UTC: 2037-12-31 12:34:56 in the block, 20:34:56 local in the header.
      {4102444800 + 45296, 2145916800, 2145830400 + 45296, 2145830400, 0xF021, 0xA45C},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.modified);
    TestFolder dir;
    writeNative(dir.native() / "a.ppt", 10);
    struct timespec times[2] = {{static_cast<time_t>(c.accessed), 0}, {static_cast<time_t>(c.modified), 0}};
    ASSERT_EQ(::utimensat(AT_FDCWD, (dir.native() / "a.ppt").c_str(), times, 0), 0);
    ArchiveFailure failure;
    ASSERT_EQ(build(dir.file("a.ppt"), dir.file("out.zip"), failure), ArchiveBuilder::kWritten) << failure.reason;
    test_zip::Archive a = readArchive(dir.file("out.zip"));
    ASSERT_EQ(a.problem, "");
    EXPECT_EQ(a.central[0].dosDate, c.dosDate);
    EXPECT_EQ(a.central[0].dosTime, c.dosTime);
    EXPECT_EQ(a.local[0].dosDate, c.dosDate);
    EXPECT_EQ(a.local[0].dosTime, c.dosTime);
    EXPECT_EQ(a.central[0].extra, test_zip::timestampBlock({c.storedModified}));
    ASSERT_EQ(a.local[0].extra.size(), 17u);
    EXPECT_EQ(test_zip::le(a.local[0].extra, 5, 4), c.storedModified);
    EXPECT_EQ(test_zip::le(a.local[0].extra, 9, 4), c.storedAccessed);
  }
}

// Lets the process write files only up to a size, as a disk that fills up; writes beyond fail with EFBIG.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &old_);
    previous_ = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit = old_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, previous_);
  }

 private:
  struct rlimit old_ {};
  void (*previous_)(int) = nullptr;
};

TEST(ArchiveBuilderPosix, DiskFullWhileWritingTheCentralDirectoryFails) {
  TestFolder dir;
  writeNative(dir.native() / "src" / "a.zip", 10000);
  const rlim_t entryEnd = 30 + 5 + 17 + 10000;  // stored, so its size is known
  struct Case {
    const char* what;
    std::string source;
    bool targetLeft;
  } cases[] = {
      {"folder", dir.file("src"), true},
      {"single file", dir.file("src\\a.zip"), false},
  };
  for (const Case& c : cases) {
    ArchiveFailure failure;
    int result = 0;
    {
      FileSizeLimit limit(entryEnd + 40);  // the entry fits, its central header does not
      result = build(c.source, dir.file("out.zip"), failure);
    }
    EXPECT_EQ(result, ArchiveBuilder::kFailed) << c.what;
    EXPECT_EQ(os::entryExists(dir.file("out.zip")), c.targetLeft) << c.what;
    EXPECT_NE(failure.reason.find("disk"), std::string::npos) << c.what << ": " << failure.reason;
  }
}

}  // namespace
