// Test-only ZIP decoder: every header field by its APPNOTE name, written apart from the writer's code.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "core/byte_set.h"

namespace test_zip {

struct LocalHeader {
  std::uint64_t offset = 0;
  std::uint32_t signature = 0;
  std::uint16_t versionNeeded = 0;
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint16_t dosTime = 0;
  std::uint16_t dosDate = 0;
  std::uint32_t crc = 0;
  std::uint32_t compressedSize = 0;
  std::uint32_t size = 0;
  std::uint16_t nameLength = 0;
  std::uint16_t extraLength = 0;
  std::string name;
  ByteSet extra;
  ByteSet data;
};

struct CentralHeader {
  std::uint32_t signature = 0;
  std::uint16_t versionMadeBy = 0;
  std::uint16_t versionNeeded = 0;
  std::uint16_t flags = 0;
  std::uint16_t method = 0;
  std::uint16_t dosTime = 0;
  std::uint16_t dosDate = 0;
  std::uint32_t crc = 0;
  std::uint32_t compressedSize = 0;
  std::uint32_t size = 0;
  std::uint16_t nameLength = 0;
  std::uint16_t extraLength = 0;
  std::uint16_t commentLength = 0;
  std::uint16_t diskStart = 0;
  std::uint16_t internalAttributes = 0;
  std::uint32_t externalAttributes = 0;
  std::uint32_t localOffset = 0;
  std::string name;
  ByteSet extra;
};

struct EndRecord {
  std::uint32_t signature = 0;
  std::uint16_t disk = 0;
  std::uint16_t centralDisk = 0;
  std::uint16_t entriesOnDisk = 0;
  std::uint16_t entries = 0;
  std::uint32_t centralSize = 0;
  std::uint32_t centralOffset = 0;
  std::uint16_t commentLength = 0;
};

struct Archive {
  std::string problem;  // empty when the bytes decode as a well-formed archive without gaps
  EndRecord end;
  std::vector<CentralHeader> central;
  std::vector<LocalHeader> local;
};

inline std::uint32_t le(const ByteSet& b, std::size_t at, int bytes) {
  std::uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + static_cast<std::size_t>(i)];
  return v;
}

// Decodes an archive that has no comment; the local headers must follow one another without gaps
// and the central directory must follow the last entry's data.
inline Archive decode(const ByteSet& b) {
  Archive a;
  if (b.size() < 22) {
    a.problem = "shorter than an end record";
    return a;
  }
  std::size_t p = b.size() - 22;
  EndRecord& e = a.end;
  e.signature = le(b, p, 4);
  e.disk = static_cast<std::uint16_t>(le(b, p + 4, 2));
  e.centralDisk = static_cast<std::uint16_t>(le(b, p + 6, 2));
  e.entriesOnDisk = static_cast<std::uint16_t>(le(b, p + 8, 2));
  e.entries = static_cast<std::uint16_t>(le(b, p + 10, 2));
  e.centralSize = le(b, p + 12, 4);
  e.centralOffset = le(b, p + 16, 4);
  e.commentLength = static_cast<std::uint16_t>(le(b, p + 20, 2));
  if (e.signature != 0x06054B50) a.problem = "no end record signature";
  if (std::uint64_t(e.centralOffset) + e.centralSize != p) a.problem = "central directory does not end at the end record";
  if (!a.problem.empty()) return a;
  std::size_t c = e.centralOffset;
  std::uint64_t expectedLocal = 0;
  for (int i = 0; i < e.entries; ++i) {
    if (c + 46 > p) {
      a.problem = "central directory cut short";
      return a;
    }
    CentralHeader h;
    h.signature = le(b, c, 4);
    h.versionMadeBy = static_cast<std::uint16_t>(le(b, c + 4, 2));
    h.versionNeeded = static_cast<std::uint16_t>(le(b, c + 6, 2));
    h.flags = static_cast<std::uint16_t>(le(b, c + 8, 2));
    h.method = static_cast<std::uint16_t>(le(b, c + 10, 2));
    h.dosTime = static_cast<std::uint16_t>(le(b, c + 12, 2));
    h.dosDate = static_cast<std::uint16_t>(le(b, c + 14, 2));
    h.crc = le(b, c + 16, 4);
    h.compressedSize = le(b, c + 20, 4);
    h.size = le(b, c + 24, 4);
    h.nameLength = static_cast<std::uint16_t>(le(b, c + 28, 2));
    h.extraLength = static_cast<std::uint16_t>(le(b, c + 30, 2));
    h.commentLength = static_cast<std::uint16_t>(le(b, c + 32, 2));
    h.diskStart = static_cast<std::uint16_t>(le(b, c + 34, 2));
    h.internalAttributes = static_cast<std::uint16_t>(le(b, c + 36, 2));
    h.externalAttributes = le(b, c + 38, 4);
    h.localOffset = le(b, c + 42, 4);
    c += 46;
    h.name.assign(b.begin() + static_cast<long>(c), b.begin() + static_cast<long>(c + h.nameLength));
    c += h.nameLength;
    h.extra.assign(b.begin() + static_cast<long>(c), b.begin() + static_cast<long>(c + h.extraLength));
    c += h.extraLength + h.commentLength;
    if (h.signature != 0x02014B50) a.problem = "central header signature";
    if (h.localOffset != expectedLocal) a.problem = "gap or overlap before local header of " + h.name;
    if (!a.problem.empty()) return a;

    LocalHeader l;
    std::size_t q = h.localOffset;
    l.offset = q;
    l.signature = le(b, q, 4);
    l.versionNeeded = static_cast<std::uint16_t>(le(b, q + 4, 2));
    l.flags = static_cast<std::uint16_t>(le(b, q + 6, 2));
    l.method = static_cast<std::uint16_t>(le(b, q + 8, 2));
    l.dosTime = static_cast<std::uint16_t>(le(b, q + 10, 2));
    l.dosDate = static_cast<std::uint16_t>(le(b, q + 12, 2));
    l.crc = le(b, q + 14, 4);
    l.compressedSize = le(b, q + 18, 4);
    l.size = le(b, q + 22, 4);
    l.nameLength = static_cast<std::uint16_t>(le(b, q + 26, 2));
    l.extraLength = static_cast<std::uint16_t>(le(b, q + 28, 2));
    q += 30;
    l.name.assign(b.begin() + static_cast<long>(q), b.begin() + static_cast<long>(q + l.nameLength));
    q += l.nameLength;
    l.extra.assign(b.begin() + static_cast<long>(q), b.begin() + static_cast<long>(q + l.extraLength));
    q += l.extraLength;
    if (q + l.compressedSize > e.centralOffset) {
      a.problem = "data of " + h.name + " runs into the central directory";
      return a;
    }
    l.data.assign(b.begin() + static_cast<long>(q), b.begin() + static_cast<long>(q + l.compressedSize));
    if (l.signature != 0x04034B50) a.problem = "local header signature of " + h.name;
    expectedLocal = q + l.compressedSize;
    a.central.push_back(std::move(h));
    a.local.push_back(std::move(l));
  }
  if (c != p) a.problem = "central directory holds more than its entries";
  if (expectedLocal != e.centralOffset) a.problem = "gap between the last entry and the central directory";
  return a;
}

// CRC-32 of APPNOTE computed bit by bit (reflected polynomial 0xEDB88320), apart from zlib's tables.
inline std::uint32_t bitwiseCrc32(const ByteSet& data) {
  std::uint32_t crc = 0xFFFFFFFF;
  for (std::uint8_t byte : data) {
    crc ^= byte;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

// Inflates a raw deflate stream; false unless the stream ends exactly at the end of the data.
inline bool inflateRaw(const ByteSet& in, ByteSet& out) {
  out.clear();
  z_stream z{};
  if (inflateInit2(&z, -15) != Z_OK) return false;
  z.next_in = const_cast<Bytef*>(in.data());
  z.avail_in = static_cast<uInt>(in.size());
  std::uint8_t buffer[65536];
  int rc = Z_OK;
  while (rc == Z_OK) {
    z.next_out = buffer;
    z.avail_out = sizeof buffer;
    rc = inflate(&z, Z_NO_FLUSH);
    out.insert(out.end(), buffer, buffer + (sizeof buffer - z.avail_out));
    if (rc == Z_BUF_ERROR && z.avail_in == 0) break;
  }
  bool ok = rc == Z_STREAM_END && z.avail_in == 0;
  inflateEnd(&z);
  return ok;
}

// The uncompressed data of an entry, by its method.
inline bool contentOf(const LocalHeader& l, ByteSet& out) {
  if (l.method == 0) {
    out = l.data;
    return true;
  }
  return l.method == 8 && inflateRaw(l.data, out);
}

// The extended-timestamp block as written: ID 0x5455, data size, flags 7, then the times.
inline ByteSet timestampBlock(std::initializer_list<std::uint32_t> times) {
  ByteSet out = {0x55, 0x54, static_cast<std::uint8_t>(1 + 4 * times.size()), 0x00, 0x07};
  for (std::uint32_t t : times) appendLe32(out, t);
  return out;
}

}  // namespace test_zip
