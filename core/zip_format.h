// The fixed numbers of the ZIP archives the builder writes (APPNOTE, version 2.0 features only).
#pragma once

#include <cstddef>
#include <cstdint>

namespace zip {

// Record signatures.
inline constexpr std::uint32_t kLocalHeaderSignature = 0x04034B50;    // "PK\3\4"
inline constexpr std::uint32_t kCentralHeaderSignature = 0x02014B50;  // "PK\1\2"
inline constexpr std::uint32_t kEndRecordSignature = 0x06054B50;      // "PK\5\6"

// Lengths of the fixed parts of the records, names and extra fields not counted.
inline constexpr std::size_t kLocalHeaderLength = 30;
inline constexpr std::size_t kCentralHeaderLength = 46;
inline constexpr std::size_t kEndRecordLength = 22;

// Host 11 (NTFS) in the high byte, format version 2.3 in the low byte.
inline constexpr std::uint16_t kVersionMadeBy = 0x0B17;
// Deflate and folders need version 2.0 to extract.
inline constexpr std::uint16_t kVersionNeeded = 20;

// General purpose flag of a deflated entry: bits 1 and 2 as 1 and 0, "maximum compression".
inline constexpr std::uint16_t kFlagMaximumCompression = 0x0002;
inline constexpr std::uint16_t kFlagNone = 0;

inline constexpr std::uint16_t kMethodStored = 0;
inline constexpr std::uint16_t kMethodDeflated = 8;

// Extended-timestamp extra block ("UT"): ID, data size, flags, then 32-bit Unix times.
inline constexpr std::uint16_t kTimestampBlockId = 0x5455;
inline constexpr std::uint16_t kLocalTimestampDataSize = 13;   // flags + modification, access, creation
inline constexpr std::uint16_t kCentralTimestampDataSize = 5;  // flags + modification
inline constexpr std::uint8_t kTimestampFlags = 0x07;          // all three times present
inline constexpr std::uint16_t kLocalExtraLength = 4 + kLocalTimestampDataSize;      // 17
inline constexpr std::uint16_t kCentralExtraLength = 4 + kCentralTimestampDataSize;  // 9

// External attributes: a Unix mode in the high 16 bits, MS-DOS attribute bits in the low byte.
inline constexpr std::uint32_t kUnixRegularFile = 0x8000;
inline constexpr std::uint32_t kUnixOwnerRead = 0x0100;
inline constexpr std::uint32_t kUnixOwnerWrite = 0x0080;
inline constexpr std::uint32_t kUnixModeShift = 16;
// A folder entry: Unix mode 0x41C0 (directory, owner may read, write and search) and MS-DOS bit 0x10.
inline constexpr std::uint32_t kFolderAttributes = 0x41C00010;

// Limits of records without ZIP64: 16-bit entry counts, 32-bit sizes and offsets.
inline constexpr std::size_t kMaxEntries = 0xFFFF;
inline constexpr std::uint64_t kMaxSize = 0xFFFFFFFF;
// Names stay within the 260-character path limit of the Windows file functions.
inline constexpr std::size_t kMaxNameLength = 259;

}  // namespace zip
