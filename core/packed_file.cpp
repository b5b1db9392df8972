// The packed-file reader used by tervalo-pack inspect and the tests.
#include "core/packed_file.h"

#include <algorithm>

namespace {

constexpr std::uint32_t kEndRecordSignature = 0x06054B50;      // PK\5\6
constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;  // PK\1\2
constexpr std::size_t kEndRecordSize = 22;
constexpr std::size_t kCentralHeaderSize = 46;
constexpr std::uint32_t kPeSignature = 0x00004550;  // "PE\0\0"
constexpr std::size_t kSectionHeaderSize = 40;

std::size_t findSeparator(const ByteSet& data, std::size_t from) {
  auto it = std::search(data.begin() + static_cast<std::ptrdiff_t>(std::min(from, data.size())), data.end(),
                        kBlockSeparator.begin(), kBlockSeparator.end());
  return it == data.end() ? std::string::npos : static_cast<std::size_t>(it - data.begin());
}

bool separatorAt(const ByteSet& data, std::size_t pos) {
  return pos + kBlockSeparator.size() <= data.size() &&
         std::equal(kBlockSeparator.begin(), kBlockSeparator.end(), data.begin() + static_cast<std::ptrdiff_t>(pos));
}

// A part that is a Windows program is measured by its headers; anything else ends at the next separator.
std::size_t partEnd(const ByteSet& data, std::size_t offset) {
  std::size_t size = windowsProgramSize(data, offset);
  if (size > 0 && separatorAt(data, offset + size)) return offset + size;
  return findSeparator(data, offset);
}

}  // namespace

std::size_t windowsProgramSize(const ByteSet& data, std::size_t offset) {
  if (offset + 0x40 > data.size() || data[offset] != 'M' || data[offset + 1] != 'Z') return 0;
  std::size_t pe = offset + readLe32(&data[offset + 0x3C]);
  if (pe + 24 > data.size() || readLe32(&data[pe]) != kPeSignature) return 0;
  std::size_t sections = readLe16(&data[pe + 6]);
  std::size_t optionalSize = readLe16(&data[pe + 20]);
  std::size_t table = pe + 24 + optionalSize;
  if (table + sections * kSectionHeaderSize > data.size()) return 0;
  std::size_t end = table + sections * kSectionHeaderSize - offset;
  for (std::size_t i = 0; i < sections; ++i) {
    const std::uint8_t* s = &data[table + i * kSectionHeaderSize];
    std::size_t rawSize = readLe32(s + 16), rawOffset = readLe32(s + 20);
    if (rawSize > 0) end = std::max(end, rawOffset + rawSize);
  }
  return offset + end <= data.size() ? end : 0;
}

std::optional<std::vector<ArchiveEntry>> readArchiveDirectory(const ByteSet& archive) {
  if (archive.size() < kEndRecordSize) return std::nullopt;
  const std::uint8_t* end = &archive[archive.size() - kEndRecordSize];
  if (readLe32(end) != kEndRecordSignature) return std::nullopt;
  std::size_t count = readLe16(end + 10);
  std::size_t directorySize = readLe32(end + 12);
  std::size_t directoryOffset = readLe32(end + 16);
  if (directoryOffset + directorySize != archive.size() - kEndRecordSize) return std::nullopt;
  std::vector<ArchiveEntry> entries;
  std::size_t pos = directoryOffset;
  for (std::size_t i = 0; i < count; ++i) {
    if (pos + kCentralHeaderSize > archive.size() - kEndRecordSize) return std::nullopt;
    const std::uint8_t* h = &archive[pos];
    if (readLe32(h) != kCentralHeaderSignature) return std::nullopt;
    ArchiveEntry e;
    e.flags = readLe16(h + 8);
    e.method = readLe16(h + 10);
    e.crc = readLe32(h + 16);
    e.compressedSize = readLe32(h + 20);
    e.size = readLe32(h + 24);
    std::size_t nameLength = readLe16(h + 28), extraLength = readLe16(h + 30), commentLength = readLe16(h + 32);
    e.externalAttributes = readLe32(h + 38);
    e.localHeaderOffset = readLe32(h + 42);
    if (pos + kCentralHeaderSize + nameLength > archive.size()) return std::nullopt;
    e.name.assign(reinterpret_cast<const char*>(h + kCentralHeaderSize), nameLength);
    entries.push_back(std::move(e));
    pos += kCentralHeaderSize + nameLength + extraLength + commentLength;
  }
  return entries;
}

std::optional<PackedFileParts> parsePackedFile(const ByteSet& data, std::string& reason) {
  PackedFileParts p;
  // The archive is found from its end: its end record sits in the file's last 22 bytes.
  if (data.size() < kEndRecordSize || readLe32(&data[data.size() - kEndRecordSize]) != kEndRecordSignature) {
    reason = "no ZIP end record at the end of the file";
    return std::nullopt;
  }
  const std::uint8_t* end = &data[data.size() - kEndRecordSize];
  std::size_t directorySize = readLe32(end + 12), directoryOffset = readLe32(end + 16);
  if (directorySize + directoryOffset + kEndRecordSize > data.size()) {
    reason = "the ZIP end record points outside the file";
    return std::nullopt;
  }
  p.archiveOffset = data.size() - kEndRecordSize - directorySize - directoryOffset;
  p.archiveSize = data.size() - p.archiveOffset;
  if (p.archiveOffset < kBlockSeparator.size() || !separatorAt(data, p.archiveOffset - kBlockSeparator.size())) {
    reason = "no separator before the archive";
    return std::nullopt;
  }
  p.stubSize = partEnd(data, 0);
  if (p.stubSize == std::string::npos || p.stubSize == 0) {
    reason = "no player stub followed by a separator";
    return std::nullopt;
  }
  p.moduleOffset = p.stubSize + kBlockSeparator.size();
  std::size_t moduleEnd = separatorAt(data, p.moduleOffset) ? p.moduleOffset : partEnd(data, p.moduleOffset);
  if (moduleEnd == std::string::npos || moduleEnd + kBlockSeparator.size() > p.archiveOffset) {
    reason = "no separator after the playback module";
    return std::nullopt;
  }
  p.moduleSize = moduleEnd - p.moduleOffset;
  p.settingsOffset = moduleEnd + kBlockSeparator.size();
  std::size_t settingsEnd = p.archiveOffset - kBlockSeparator.size();
  if (settingsEnd < p.settingsOffset) {
    reason = "the parts overlap";
    return std::nullopt;
  }
  p.settingsSize = settingsEnd - p.settingsOffset;
  ByteSet block(data.begin() + static_cast<std::ptrdiff_t>(p.settingsOffset),
                data.begin() + static_cast<std::ptrdiff_t>(settingsEnd));
  auto fields = parseSettingsBlock(block);
  if (!fields) {
    reason = "the settings block does not hold its 20 fields";
    return std::nullopt;
  }
  p.settings = *fields;
  ByteSet archive(data.begin() + static_cast<std::ptrdiff_t>(p.archiveOffset), data.end());
  auto entries = readArchiveDirectory(archive);
  if (!entries) {
    reason = "the archive's central directory cannot be read";
    return std::nullopt;
  }
  p.entries = std::move(*entries);
  return p;
}
