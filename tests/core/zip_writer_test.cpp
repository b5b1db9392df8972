// The ZIP writer into a memory sink: every header field decoded by name, methods, limits, failures.
#include "core/zip_writer.h"

#include <gtest/gtest.h>

#include <random>

#include "zip_decoder.h"

namespace {

ZipEntry fileEntry(const std::string& name) {
  ZipEntry e;
  e.name = name;
  e.externalAttributes = 0x81800020;
  e.modifiedLocal = {0x6A5B, 0x5B8C};  // 2025-12-12 13:18:54
  e.modified = 1765545534;
  e.accessed = 1765545600;
  e.created = 1700000000;
  return e;
}

ZipEntry folderEntry(const std::string& name) {
  ZipEntry e = fileEntry(name);
  e.folder = true;
  e.externalAttributes = 0x41C00010;
  e.accessed = e.created = e.modified;
  return e;
}

bool addEntry(ZipWriter& w, const ZipEntry& e, const ByteSet& data, std::size_t piece = 16384) {
  if (!w.beginEntry(e)) return false;
  for (std::size_t at = 0; at < data.size(); at += piece) {
    if (!w.addData(data.data() + at, std::min(piece, data.size() - at))) return false;
  }
  return w.finishEntry();
}

ByteSet randomBytes(std::size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  ByteSet out(n);
  for (auto& b : out) b = static_cast<std::uint8_t>(rng());
  return out;
}

ByteSet textBytes(std::size_t n) {
  ByteSet out;
  for (std::size_t i = 0; out.size() < n; ++i) appendBytes(out, "<p:sp id=\"" + std::to_string(i % 977) + "\"/>\n");
  out.resize(n);
  return out;
}

TEST(ZipWriter, EveryHeaderFieldOfFileFolderAndStoredEntries) {
  MemorySink sink;
  ZipWriter w(sink);
  ByteSet text = textBytes(100000), zipped = randomBytes(5000, 1);
  ASSERT_TRUE(addEntry(w, fileEntry("a.ppt"), text));
  ASSERT_TRUE(addEntry(w, folderEntry("img/"), {}));
  ASSERT_TRUE(addEntry(w, fileEntry("img/y.zip"), zipped));
  ASSERT_TRUE(w.close());

  test_zip::Archive a = test_zip::decode(sink.bytes());
  ASSERT_EQ(a.problem, "");
  EXPECT_EQ(a.end.disk, 0);
  EXPECT_EQ(a.end.centralDisk, 0);
  EXPECT_EQ(a.end.entriesOnDisk, 3);
  EXPECT_EQ(a.end.entries, 3);
  EXPECT_EQ(a.end.commentLength, 0);
  ASSERT_EQ(a.central.size(), 3u);

  struct Expected {
    const char* name;
    std::uint16_t method, flags;
    ByteSet content;
    std::uint32_t attributes;
    ByteSet localExtra, centralExtra;
  };
  const Expected expected[] = {
      {"a.ppt", 8, 0x0002, text, 0x81800020, test_zip::timestampBlock({1765545534, 1765545600, 1700000000}),
       test_zip::timestampBlock({1765545534})},
      {"img/", 0, 0, {}, 0x41C00010, test_zip::timestampBlock({1765545534, 1765545534, 1765545534}),
       test_zip::timestampBlock({1765545534})},
      {"img/y.zip", 0, 0, zipped, 0x81800020, test_zip::timestampBlock({1765545534, 1765545600, 1700000000}),
       test_zip::timestampBlock({1765545534})},
  };
  for (std::size_t i = 0; i < 3; ++i) {
    const Expected& x = expected[i];
    const test_zip::CentralHeader& c = a.central[i];
    const test_zip::LocalHeader& l = a.local[i];
    SCOPED_TRACE(x.name);
    EXPECT_EQ(c.name, x.name);
    EXPECT_EQ(l.name, x.name);
    EXPECT_EQ(c.versionMadeBy, 0x0B17);
    EXPECT_EQ(c.versionNeeded, 20);
    EXPECT_EQ(l.versionNeeded, 20);
    EXPECT_EQ(c.flags, x.flags);
    EXPECT_EQ(l.flags, x.flags);
    EXPECT_EQ(c.method, x.method);
    EXPECT_EQ(l.method, x.method);
    EXPECT_EQ(c.dosTime, 0x6A5B);
    EXPECT_EQ(l.dosTime, 0x6A5B);
    EXPECT_EQ(c.dosDate, 0x5B8C);
    EXPECT_EQ(l.dosDate, 0x5B8C);
    EXPECT_EQ(c.crc, test_zip::bitwiseCrc32(x.content));
    EXPECT_EQ(l.crc, c.crc);
    EXPECT_EQ(c.size, x.content.size());
    EXPECT_EQ(l.size, c.size);
    EXPECT_EQ(c.compressedSize, l.data.size());
    EXPECT_EQ(l.compressedSize, c.compressedSize);
    EXPECT_EQ(c.nameLength, std::string(x.name).size());
    EXPECT_EQ(l.nameLength, c.nameLength);
    EXPECT_EQ(l.extraLength, 17);
    EXPECT_EQ(c.extraLength, 9);
    EXPECT_EQ(l.extra, x.localExtra);
    EXPECT_EQ(c.extra, x.centralExtra);
    EXPECT_EQ(c.commentLength, 0);
    EXPECT_EQ(c.diskStart, 0);
    EXPECT_EQ(c.internalAttributes, 0);
    EXPECT_EQ(c.externalAttributes, x.attributes);
    EXPECT_EQ(c.localOffset, l.offset);
    ByteSet content;
    ASSERT_TRUE(test_zip::contentOf(l, content));
    EXPECT_EQ(content, x.content);
  }
  EXPECT_LT(a.central[0].compressedSize, text.size() / 4);  // really compressed
  EXPECT_EQ(a.local[2].data, zipped);                       // stored as it is
}

TEST(ZipWriter, MethodFollowsTheExtensionOfTheWholeName) {
  struct Case {
    const char* name;
    std::uint16_t method;
  } cases[] = {
      {"a.ppt", 8},      {"a.pptx", 8},       {"a.ZIP", 0},     {"a.zip", 0},        {"b.Tgz", 0},
      {"b.tgz", 0},      {"c.Z", 0},          {"c.z", 0},       {"d.zoo", 0},        {"e.ARC", 0},
      {"f.lzh", 0},      {"g.arj", 0},        {"h.gz", 0},      {"noextension", 8},  {"old.zip/readme", 8},
      {"a.zip.ppt", 8},  {"a.ppt.zip", 0},    {"课件.gz", 0},   {"乗.zip", 0},       {"a.zipx", 8},
      {".zip", 0},       {"tar.gz.bak", 8},   {"a.", 8},        {"x.7z", 8},
  };
  for (const Case& c : cases) {
    MemorySink sink;
    ZipWriter w(sink);
    ASSERT_TRUE(addEntry(w, fileEntry(c.name), textBytes(3000)));
    ASSERT_TRUE(w.close());
    test_zip::Archive a = test_zip::decode(sink.bytes());
    ASSERT_EQ(a.problem, "") << c.name;
    EXPECT_EQ(a.central[0].method, c.method) << c.name;
    EXPECT_EQ(a.central[0].flags, c.method == 8 ? 0x0002 : 0) << c.name;
    ByteSet content;
    EXPECT_TRUE(test_zip::contentOf(a.local[0], content)) << c.name;
    EXPECT_EQ(content, textBytes(3000)) << c.name;
  }
}

TEST(ZipWriter, EmptyAndIncompressibleFilesAreDeflatedAnyway) {
  MemorySink sink;
  ZipWriter w(sink);
  ByteSet noise = randomBytes(300000, 7);
  ASSERT_TRUE(addEntry(w, fileEntry("empty.ppt"), {}));
  ASSERT_TRUE(addEntry(w, fileEntry("noise.png"), noise, 1000));  // pieces of odd sizes
  ASSERT_TRUE(w.close());
  test_zip::Archive a = test_zip::decode(sink.bytes());
  ASSERT_EQ(a.problem, "");
  EXPECT_EQ(a.local[0].data, (ByteSet{0x03, 0x00}));  // one empty final block
  EXPECT_EQ(a.central[0].crc, 0u);
  EXPECT_EQ(a.central[0].method, 8);
  EXPECT_EQ(a.central[1].method, 8);
  EXPECT_GT(a.central[1].compressedSize, noise.size());  // stored blocks inside the deflate stream
  EXPECT_EQ(a.central[1].crc, test_zip::bitwiseCrc32(noise));
  ByteSet content;
  ASSERT_TRUE(test_zip::contentOf(a.local[1], content));
  EXPECT_EQ(content, noise);
}

TEST(ZipWriter, NamesAreStoredAsGivenBytes) {
  MemorySink sink;
  ZipWriter w(sink);
  const std::string name = "课件/乗誠.ppt";  // 乗 is 81 5C and 誠 D5 5C: trail bytes that look like backslashes
  ASSERT_TRUE(addEntry(w, fileEntry(name), textBytes(10)));
  ASSERT_TRUE(w.close());
  test_zip::Archive a = test_zip::decode(sink.bytes());
  ASSERT_EQ(a.problem, "");
  EXPECT_EQ(a.central[0].name, "\xBF\xCE\xBC\xFE/\x81\x5C\xD5\x5C.ppt");
  EXPECT_EQ(a.local[0].name, a.central[0].name);
  EXPECT_EQ(a.central[0].flags & 0x0800, 0);  // no UTF-8 flag
}

TEST(ZipWriter, AbandonedEntryLeavesNoTrace) {
  MemorySink sink;
  ZipWriter w(sink);
  ASSERT_TRUE(addEntry(w, fileEntry("kept.ppt"), textBytes(5000)));
  ASSERT_TRUE(w.beginEntry(fileEntry("dropped.ppt")));
  ByteSet noise = randomBytes(200000, 3);
  ASSERT_TRUE(w.addData(noise.data(), noise.size()));
  ASSERT_TRUE(w.abandonEntry());
  ASSERT_TRUE(addEntry(w, fileEntry("after.ppt"), textBytes(70)));
  ASSERT_TRUE(w.close());
  test_zip::Archive a = test_zip::decode(sink.bytes());  // no gaps allowed
  ASSERT_EQ(a.problem, "");
  ASSERT_EQ(a.central.size(), 2u);
  EXPECT_EQ(a.central[0].name, "kept.ppt");
  EXPECT_EQ(a.central[1].name, "after.ppt");
  ByteSet content;
  ASSERT_TRUE(test_zip::contentOf(a.local[1], content));
  EXPECT_EQ(content, textBytes(70));
}

TEST(ZipWriter, EmptyArchiveIsTheEndRecordAlone) {
  MemorySink sink;
  ZipWriter w(sink);
  ASSERT_TRUE(w.close());
  EXPECT_EQ(sink.bytes(), (ByteSet{0x50, 0x4B, 0x05, 0x06, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(ZipWriter, NamesOfOneTo259Bytes) {
  struct Case {
    std::size_t length;
    bool ok;
  } cases[] = {{0, false}, {1, true}, {259, true}, {260, false}};
  for (const Case& c : cases) {
    MemorySink sink;
    ZipWriter w(sink);
    EXPECT_EQ(w.beginEntry(fileEntry(std::string(c.length, 'n'))), c.ok) << c.length;
    EXPECT_EQ(w.error(), c.ok ? ZipError::kNone : ZipError::kBadName) << c.length;
  }
}

TEST(ZipWriter, AtMost65535Entries) {
  MemorySink sink;
  ZipWriter w(sink);
  for (int i = 0; i < 65535; ++i) ASSERT_TRUE(addEntry(w, folderEntry(std::to_string(i) + "/"), {})) << i;
  EXPECT_FALSE(w.beginEntry(folderEntry("one-too-many/")));
  EXPECT_EQ(w.error(), ZipError::kTooManyEntries);
  ASSERT_TRUE(w.close());
  test_zip::Archive a = test_zip::decode(sink.bytes());
  ASSERT_EQ(a.problem, "");
  EXPECT_EQ(a.end.entries, 65535);
  EXPECT_EQ(a.central.back().name, "65534/");
}

// Stands where a large archive has already been written, keeping only the bytes written from then on.
class FarSink : public ZipSink {
 public:
  explicit FarSink(std::uint64_t start) : ZipSink(start), start_(start) {}
  ByteSet tail;

 private:
  bool put(std::uint64_t at, const std::uint8_t* data, std::size_t size) override {
    std::size_t from = static_cast<std::size_t>(at - start_);
    if (tail.size() < from + size) tail.resize(from + size);
    std::copy(data, data + size, tail.begin() + static_cast<long>(from));
    return true;
  }
  bool cut(std::uint64_t at) override {
    tail.resize(static_cast<std::size_t>(at - start_));
    return true;
  }
  std::uint64_t start_;
};

TEST(ZipWriter, ArchiveNeverPasses4GiB) {
  const std::uint64_t start = 0xFFFFFFFFull - 1000;  // room for one small entry and a little more
  FarSink sink(start);
  ZipWriter w(sink);
  ASSERT_TRUE(addEntry(w, fileEntry("fits.zip"), randomBytes(200, 1)));
  EXPECT_FALSE(addEntry(w, fileEntry("too-big.zip"), randomBytes(2000, 2)));
  EXPECT_EQ(w.error(), ZipError::kTooLarge);
  ASSERT_TRUE(w.abandonEntry());
  EXPECT_EQ(sink.end(), start + 30 + 8 + 17 + 200);  // the failed entry is gone again
  ASSERT_TRUE(w.close());
  EXPECT_LE(sink.end(), 0xFFFFFFFFull);
  // The end record points at the central directory right after the first entry.
  const ByteSet& t = sink.tail;
  ASSERT_GE(t.size(), 22u);
  EXPECT_EQ(test_zip::le(t, t.size() - 6, 4), start + 30 + 8 + 17 + 200);

  FarSink full(0xFFFFFFFFull - 100);
  ZipWriter w2(full);
  ASSERT_TRUE(addEntry(w2, folderEntry("a/"), {}));
  ASSERT_TRUE(addEntry(w2, folderEntry("b/"), {}));  // two 49-byte entries leave 2 bytes for the central directory
  EXPECT_FALSE(w2.close());
  EXPECT_EQ(w2.error(), ZipError::kTooLarge);
}

// Accepts a fixed number of bytes, as a disk that fills up.
class SmallDisk : public MemorySink {
 public:
  explicit SmallDisk(std::size_t room) : room_(room) {}

 private:
  bool put(std::uint64_t at, const std::uint8_t* data, std::size_t size) override {
    if (at + size > room_) return false;
    return MemorySink::put(at, data, size);
  }
  std::size_t room_;
};

TEST(ZipWriter, FullDiskFailsTheEntryOrTheClose) {
  ByteSet noise = randomBytes(50000, 5);
  {
    SmallDisk disk(20000);
    ZipWriter w(disk);
    EXPECT_FALSE(addEntry(w, fileEntry("noise.png"), noise));
    EXPECT_EQ(w.error(), ZipError::kWriteFailed);
  }
  {
    SmallDisk disk(30 + 9 + 17 + 50000 + 30);  // the entry fits, its central header does not
    ZipWriter w(disk);
    ASSERT_TRUE(addEntry(w, fileEntry("noise.zip"), noise));
    EXPECT_FALSE(w.close());
    EXPECT_EQ(w.error(), ZipError::kWriteFailed);
  }
}

}  // namespace
