// ArchiveBuilder on real files: entries, order, progress, attributes, names and the failure results.
#include "core/archive_builder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "core/gbk_text.h"
#include "core/os.h"
#include "test_folder.h"
#include "zip_decoder.h"

namespace {

// A GBK program path as the standard library names it.
std::filesystem::path nativeOf(const std::string& path) {
  std::string utf8;
  gbk::gbkToUtf8(gbk::replaceChar(path, '\\', '/'), utf8);
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

void makeFolder(const std::string& path) { std::filesystem::create_directories(nativeOf(path)); }

void makeFile(const std::string& path, const ByteSet& data) {
  ASSERT_EQ(os::writeWholeFile(path, data, os::CreateMode::kReplace), os::WriteResult::kOk) << path;
}

ByteSet someBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  ByteSet out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(rng() % 7);  // compressible, but not trivially
  return out;
}

test_zip::Archive readArchive(const std::string& path) {
  ByteSet bytes;
  if (!os::readWholeFile(path, bytes)) {
    test_zip::Archive none;
    none.problem = "cannot read the archive";
    return none;
  }
  return test_zip::decode(bytes);
}

std::vector<std::string> namesOf(const test_zip::Archive& a) {
  std::vector<std::string> names;
  for (const auto& c : a.central) names.push_back(c.name);
  return names;
}

ByteSet contentOf(const test_zip::Archive& a, std::size_t i) {
  ByteSet out;
  EXPECT_TRUE(test_zip::contentOf(a.local[i], out)) << a.central[i].name;
  return out;
}

struct BuildRun {
  int result = 99;
  std::vector<int> reports;
  ArchiveFailure failure;
};

BuildRun build(const std::string& source, const std::string& target, const ArchiveControl& control = {}) {
  BuildRun run;
  run.result = ArchiveBuilder::build(
      source, target, [&](int percent) { run.reports.push_back(percent); }, control, run.failure);
  return run;
}

TEST(ArchiveBuilder, FolderGivesFilesFirstThenEachSubfolderWithProgress) {
  TestFolder dir;
  std::string src = dir.file("课件");
  makeFolder(src + "\\img");
  ByteSet ppt = someBytes(70000, 1), png = someBytes(20000, 2), zip = someBytes(30000, 3);
  makeFile(src + "\\a.ppt", ppt);
  makeFile(src + "\\img\\x.png", png);
  makeFile(src + "\\img\\y.zip", zip);
  std::string target = dir.file("out.zip");

  BuildRun run = build(src, target);
  ASSERT_EQ(run.result, ArchiveBuilder::kWritten) << run.failure.reason;
  EXPECT_EQ(run.reports, (std::vector<int>{25, 50, 75, 100}));
  test_zip::Archive a = readArchive(target);
  ASSERT_EQ(a.problem, "");
  std::vector<std::string> names = namesOf(a);
  ASSERT_EQ(names.size(), 4u);
  EXPECT_EQ(names[0], "a.ppt");
  EXPECT_EQ(names[1], "img/");
  // Within a folder the order is the listing's, which Windows does not promise to sort.
  std::vector<std::string> inImg(names.begin() + 2, names.end());
  std::sort(inImg.begin(), inImg.end());
  EXPECT_EQ(inImg, (std::vector<std::string>{"img/x.png", "img/y.zip"}));
  for (std::size_t i = 0; i < 4; ++i) {
    const test_zip::CentralHeader& c = a.central[i];
    SCOPED_TRACE(c.name);
    bool folder = c.name == "img/", stored = folder || c.name == "img/y.zip";
    EXPECT_EQ(c.method, stored ? 0 : 8);
    EXPECT_EQ(c.flags, stored ? 0 : 2);
    EXPECT_EQ(c.externalAttributes, folder ? 0x41C00010u : 0x81800020u);
    const ByteSet& expected = c.name == "a.ppt" ? ppt : c.name == "img/x.png" ? png : c.name == "img/y.zip" ? zip : ByteSet{};
    EXPECT_EQ(contentOf(a, i), expected);
    EXPECT_EQ(c.crc, test_zip::bitwiseCrc32(expected));
    EXPECT_EQ(c.size, expected.size());
  }
}

TEST(ArchiveBuilder, SingleFileIsOneDeflatedEntryUnderItsOwnName) {
  TestFolder dir;
  std::string source = dir.file("课件.ppt");
  ByteSet data = someBytes(100000, 4);
  makeFile(source, data);
  BuildRun run = build(source, dir.file("single.zip"));
  ASSERT_EQ(run.result, ArchiveBuilder::kWritten) << run.failure.reason;
  EXPECT_TRUE(run.reports.empty());
  test_zip::Archive a = readArchive(dir.file("single.zip"));
  ASSERT_EQ(a.problem, "");
  ASSERT_EQ(a.central.size(), 1u);
  EXPECT_EQ(a.central[0].name, "\xBF\xCE\xBC\xFE.ppt");  // GBK bytes, no folder
  EXPECT_EQ(a.central[0].method, 8);
  EXPECT_EQ(contentOf(a, 0), data);
}

TEST(ArchiveBuilder, EmptyFolderAndEmptyFile) {
  TestFolder dir;
  makeFolder(dir.file("empty"));
  BuildRun folder = build(dir.file("empty"), dir.file("empty.zip"));
  EXPECT_EQ(folder.result, ArchiveBuilder::kWritten);
  EXPECT_TRUE(folder.reports.empty());
  std::uint64_t size = 0;
  ASSERT_TRUE(os::fileSize(dir.file("empty.zip"), size));
  EXPECT_EQ(size, 22u);
  EXPECT_EQ(readArchive(dir.file("empty.zip")).problem, "");

  makeFile(dir.file("empty.ppt"), {});
  ASSERT_EQ(build(dir.file("empty.ppt"), dir.file("file.zip")).result, ArchiveBuilder::kWritten);
  test_zip::Archive a = readArchive(dir.file("file.zip"));
  ASSERT_EQ(a.problem, "");
  ASSERT_EQ(a.central.size(), 1u);
  EXPECT_EQ(a.central[0].method, 8);
  EXPECT_EQ(a.central[0].crc, 0u);
  EXPECT_EQ(a.central[0].size, 0u);
  EXPECT_EQ(a.local[0].data, (ByteSet{0x03, 0x00}));
}

TEST(ArchiveBuilder, ReadOnlyFileLosesTheOwnerWriteBit) {
  TestFolder dir;
  std::string src = dir.file("src");
  makeFolder(src);
  makeFile(src + "\\locked.ppt", {1, 2, 3});
  makeFile(src + "\\open.ppt", {4, 5, 6});
  std::filesystem::path locked = nativeOf(src + "\\locked.ppt");
  std::filesystem::permissions(locked, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
  BuildRun run = build(src, dir.file("out.zip"));
  std::filesystem::permissions(locked, std::filesystem::perms::owner_write, std::filesystem::perm_options::add);
  ASSERT_EQ(run.result, ArchiveBuilder::kWritten) << run.failure.reason;
  test_zip::Archive a = readArchive(dir.file("out.zip"));
  ASSERT_EQ(a.problem, "");
  ASSERT_EQ(a.central.size(), 2u);
  for (const auto& c : a.central) EXPECT_EQ(c.externalAttributes, c.name == "locked.ppt" ? 0x81000021u : 0x81800020u) << c.name;
}

TEST(ArchiveBuilder, ExistingTargetIsReplacedNotAppendedTo) {
  TestFolder dir;
  makeFile(dir.file("a.ppt"), someBytes(1000, 5));
  makeFile(dir.file("out.zip"), ByteSet(500000, 0xAA));
  ASSERT_EQ(build(dir.file("a.ppt"), dir.file("out.zip")).result, ArchiveBuilder::kWritten);
  ByteSet bytes;
  ASSERT_TRUE(os::readWholeFile(dir.file("out.zip"), bytes));
  EXPECT_LT(bytes.size(), 2000u);
  test_zip::Archive a = test_zip::decode(bytes);
  ASSERT_EQ(a.problem, "");
  EXPECT_EQ(a.central[0].localOffset, 0u);  // offsets count from the archive's own first byte
}

TEST(ArchiveBuilder, TrailBytesThatLookLikeBackslashesStayInNames) {
  TestFolder dir;
  std::string src = dir.file("src");
  makeFolder(src + "\\乗");
  makeFile(src + "\\乗\\誠.ppt", {7, 7, 7});
  BuildRun run = build(src, dir.file("out.zip"));
  ASSERT_EQ(run.result, ArchiveBuilder::kWritten) << run.failure.reason;
  EXPECT_EQ(namesOf(readArchive(dir.file("out.zip"))),
            (std::vector<std::string>{"\x81\x5C/", "\x81\x5C/\xD5\x5C.ppt"}));
}

TEST(ArchiveBuilder, FailureResults) {
  TestFolder dir;
  makeFile(dir.file("a.ppt"), {1});
  struct Case {
    const char* what;
    std::string source, target;
    int result;
    bool targetLeft;
  } cases[] = {
      {"empty source", "", dir.file("t1.zip"), ArchiveBuilder::kNothingToDo, false},
      {"empty target", dir.file("a.ppt"), "", ArchiveBuilder::kNothingToDo, false},
      {"missing source", dir.file("missing.ppt"), dir.file("t2.zip"), ArchiveBuilder::kNothingToDo, false},
      {"missing source folder", dir.file("none\\x"), dir.file("t3.zip"), ArchiveBuilder::kNothingToDo, false},
      {"target folder missing", dir.file("a.ppt"), dir.file("none\\t4.zip"), ArchiveBuilder::kFailed, false},
      {"target is a folder", dir.file("a.ppt"), dir.path(), ArchiveBuilder::kFailed, true},
  };
  for (const Case& c : cases) {
    BuildRun run = build(c.source, c.target);
    EXPECT_EQ(run.result, c.result) << c.what;
    EXPECT_FALSE(run.failure.reason.empty()) << c.what;
    if (!c.target.empty()) {
      EXPECT_EQ(os::entryExists(c.target), c.targetLeft) << c.what;
    }
    EXPECT_TRUE(run.reports.empty()) << c.what;
  }
}

TEST(ArchiveBuilder, ArchiveInsideTheSourceFolderFailsButKeepsTheOtherEntries) {
  TestFolder dir;
  makeFile(dir.file("a.ppt"), someBytes(3000, 6));
  makeFile(dir.file("b.ppt"), someBytes(3000, 7));
  BuildRun run = build(dir.path(), dir.file("c.zip"));
  EXPECT_EQ(run.result, ArchiveBuilder::kFailed);
  EXPECT_EQ(run.failure.path, dir.file("c.zip"));
  test_zip::Archive a = readArchive(dir.file("c.zip"));
  ASSERT_EQ(a.problem, "");  // closed, with whole entries only
  for (const std::string& name : namesOf(a)) EXPECT_NE(name, "c.zip");
  EXPECT_EQ(a.central.size(), run.reports.size());
}

TEST(ArchiveBuilder, ArchiveNamedLikeItsSourceLeavesTheSourceAlone) {
  TestFolder dir;
  ByteSet data = someBytes(5000, 8);
  makeFile(dir.file("a.ppt"), data);
  EXPECT_EQ(build(dir.file("a.ppt"), dir.file("a.ppt")).result, ArchiveBuilder::kFailed);
  ByteSet after;
  ASSERT_TRUE(os::readWholeFile(dir.file("a.ppt"), after));
  EXPECT_EQ(after, data);
}

TEST(ArchiveBuilder, ControlPointIsPassedBetweenPiecesAndCanStopTheBuild) {
  TestFolder dir;
  makeFile(dir.file("big.ppt"), someBytes(1 << 20, 9));
  int calls = 0;
  ASSERT_EQ(build(dir.file("big.ppt"), dir.file("all.zip"), [&] { return ++calls > 0; }).result,
            ArchiveBuilder::kWritten);
  EXPECT_GE(calls, (1 << 20) / (16 * 1024));

  calls = 0;
  BuildRun stopped = build(dir.file("big.ppt"), dir.file("stopped.zip"), [&] { return ++calls < 5; });
  EXPECT_EQ(stopped.result, ArchiveBuilder::kFailed);
  EXPECT_EQ(calls, 5);  // nothing more is asked once it said stop
  EXPECT_FALSE(os::entryExists(dir.file("stopped.zip")));

  std::string src = dir.file("src");
  makeFolder(src);
  for (const char* name : {"1.ppt", "2.ppt", "3.ppt"}) makeFile(src + "\\" + name, someBytes(40000, 10));
  bool reported = false;
  BuildRun partial;
  partial.result = ArchiveBuilder::build(
      src, dir.file("partial.zip"), [&](int) { reported = true; }, [&] { return !reported; });
  EXPECT_EQ(partial.result, ArchiveBuilder::kFailed);
  test_zip::Archive a = readArchive(dir.file("partial.zip"));
  ASSERT_EQ(a.problem, "");
  EXPECT_EQ(a.central.size(), 1u);
}

}  // namespace
