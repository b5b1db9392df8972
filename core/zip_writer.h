// Writes a ZIP archive entry by entry into a seekable sink: local headers, data, central directory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/byte_set.h"
#include "core/deflate_stream.h"
#include "core/zip_sink.h"
#include "core/zip_time.h"

// What an entry's headers say before its data is seen.
struct ZipEntry {
  std::string name;  // as stored: "/" between parts, a folder's name ending in "/"
  bool folder = false;
  std::uint32_t externalAttributes = 0;
  zip::DosDateTime modifiedLocal;
  std::uint32_t modified = 0;  // extended-timestamp times, already clamped
  std::uint32_t accessed = 0;
  std::uint32_t created = 0;
};

enum class ZipError {
  kNone,
  kTooManyEntries,  // a 16-bit count holds at most 65,535 entries
  kBadName,        // empty, or longer than 259 bytes
  kTooLarge,        // a size or offset would need more than 32 bits
  kWriteFailed,
  kDeflateFailed,
  kNotInEntry,      // data or an end without an entry begun
};

class ZipWriter {
 public:
  explicit ZipWriter(ZipSink& sink) : sink_(sink) {}

  // Stored for folders and for names with an extension of an already compressed format.
  static bool isStoredName(std::string_view name);

  // Writes the entry's local header; its sizes and crc-32 are filled in by finishEntry.
  bool beginEntry(const ZipEntry& entry);
  // Adds uncompressed data to the entry begun.
  bool addData(const std::uint8_t* data, std::size_t size);
  // Ends the data, rewrites the local header with the final values and keeps the central values.
  bool finishEntry();
  // Drops the entry begun and everything written for it, so the archive ends with the last whole entry.
  bool abandonEntry();
  // Writes the central directory and the end record after the finished entries.
  bool close();

  ZipError error() const { return error_; }
  std::size_t entryCount() const { return entries_.size(); }

 private:
  struct Record {
    ZipEntry entry;
    std::uint16_t method = 0;
    std::uint16_t flags = 0;
    std::uint32_t crc = 0;
    std::uint64_t compressedSize = 0;
    std::uint64_t size = 0;
    std::uint64_t localOffset = 0;
  };

  ByteSet localHeader(const Record& r) const;
  ByteSet centralHeader(const Record& r) const;
  ByteSet endRecord(std::uint64_t centralOffset, std::uint64_t centralSize) const;
  bool emit(const std::uint8_t* data, std::size_t size);
  bool emitCentral(ByteSet& piece);
  bool fail(ZipError error);

  ZipSink& sink_;
  DeflateStream deflate_;
  std::vector<Record> entries_;
  Record current_;
  bool inEntry_ = false;
  ZipError error_ = ZipError::kNone;
};
