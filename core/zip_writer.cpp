// The ZIP writer: every header field written on its own line, little-endian, as APPNOTE orders them.
#include "core/zip_writer.h"

#include <zlib.h>

#include <algorithm>

#include "core/gbk_text.h"
#include "core/zip_format.h"

namespace {

// Extensions of formats that are compressed already; their entries are stored.
constexpr std::string_view kStoredExtensions[] = {".z", ".zip", ".zoo", ".arc", ".lzh", ".arj", ".gz", ".tgz"};

// The central directory is written in pieces of about this size rather than one call per entry.
constexpr std::size_t kCentralPiece = 64 * 1024;

// Appends little-endian fields to a byte set.
class LeWriter {
 public:
  explicit LeWriter(ByteSet& out) : out_(out) {}
  void u8(std::uint8_t v) { out_.push_back(v); }
  void u16(std::uint16_t v) {
    out_.push_back(static_cast<std::uint8_t>(v));
    out_.push_back(static_cast<std::uint8_t>(v >> 8));
  }
  void u32(std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  }
  void text(std::string_view s) { out_.insert(out_.end(), s.begin(), s.end()); }

 private:
  ByteSet& out_;
};

std::uint32_t low32(std::uint64_t v) { return static_cast<std::uint32_t>(v); }

std::uint16_t low16(std::size_t v) { return static_cast<std::uint16_t>(v); }

}  // namespace

bool ZipWriter::isStoredName(std::string_view name) {
  std::size_t dot = gbk::lastCharPos(name, '.');
  if (dot == gbk::npos) return false;
  std::string extension = gbk::asciiLower(name.substr(dot));
  return std::find(std::begin(kStoredExtensions), std::end(kStoredExtensions), extension) !=
         std::end(kStoredExtensions);
}

ByteSet ZipWriter::localHeader(const Record& r) const {
  ByteSet out;
  out.reserve(zip::kLocalHeaderLength + r.entry.name.size() + zip::kLocalExtraLength);
  LeWriter w(out);
  w.u32(zip::kLocalHeaderSignature);        // local file header signature
  w.u16(zip::kVersionNeeded);               // version needed to extract
  w.u16(r.flags);                           // general purpose bit flag
  w.u16(r.method);                          // compression method
  w.u16(r.entry.modifiedLocal.time);        // last mod file time
  w.u16(r.entry.modifiedLocal.date);        // last mod file date
  w.u32(r.crc);                             // crc-32
  w.u32(low32(r.compressedSize));           // compressed size
  w.u32(low32(r.size));                     // uncompressed size
  w.u16(low16(r.entry.name.size()));        // file name length
  w.u16(zip::kLocalExtraLength);            // extra field length
  w.text(r.entry.name);                     // file name
  w.u16(zip::kTimestampBlockId);            // extended timestamp: header ID
  w.u16(zip::kLocalTimestampDataSize);      //   data size
  w.u8(zip::kTimestampFlags);               //   flags
  w.u32(r.entry.modified);                  //   modification time
  w.u32(r.entry.accessed);                  //   access time
  w.u32(r.entry.created);                   //   creation time
  return out;
}

ByteSet ZipWriter::centralHeader(const Record& r) const {
  ByteSet out;
  out.reserve(zip::kCentralHeaderLength + r.entry.name.size() + zip::kCentralExtraLength);
  LeWriter w(out);
  w.u32(zip::kCentralHeaderSignature);      // central file header signature
  w.u16(zip::kVersionMadeBy);               // version made by
  w.u16(zip::kVersionNeeded);               // version needed to extract
  w.u16(r.flags);                           // general purpose bit flag
  w.u16(r.method);                          // compression method
  w.u16(r.entry.modifiedLocal.time);        // last mod file time
  w.u16(r.entry.modifiedLocal.date);        // last mod file date
  w.u32(r.crc);                             // crc-32
  w.u32(low32(r.compressedSize));           // compressed size
  w.u32(low32(r.size));                     // uncompressed size
  w.u16(low16(r.entry.name.size()));        // file name length
  w.u16(zip::kCentralExtraLength);          // extra field length
  w.u16(0);                                 // file comment length
  w.u16(0);                                 // disk number start
  w.u16(0);                                 // internal file attributes
  w.u32(r.entry.externalAttributes);        // external file attributes
  w.u32(low32(r.localOffset));              // relative offset of local header
  w.text(r.entry.name);                     // file name
  w.u16(zip::kTimestampBlockId);            // extended timestamp: header ID
  w.u16(zip::kCentralTimestampDataSize);    //   data size
  w.u8(zip::kTimestampFlags);               //   flags
  w.u32(r.entry.modified);                  //   modification time
  return out;
}

ByteSet ZipWriter::endRecord(std::uint64_t centralOffset, std::uint64_t centralSize) const {
  ByteSet out;
  out.reserve(zip::kEndRecordLength);
  LeWriter w(out);
  w.u32(zip::kEndRecordSignature);          // end of central dir signature
  w.u16(0);                                 // number of this disk
  w.u16(0);                                 // disk where the central directory starts
  w.u16(low16(entries_.size()));            // entries in the central directory on this disk
  w.u16(low16(entries_.size()));            // entries in the central directory
  w.u32(low32(centralSize));                // size of the central directory
  w.u32(low32(centralOffset));              // offset of the start of the central directory
  w.u16(0);                                 // comment length
  return out;
}

bool ZipWriter::fail(ZipError error) {
  if (error_ == ZipError::kNone) error_ = error;
  return false;
}

bool ZipWriter::emit(const std::uint8_t* data, std::size_t size) {
  if (sink_.offset() + size > zip::kMaxSize) return fail(ZipError::kTooLarge);
  if (!sink_.write(data, size)) return fail(ZipError::kWriteFailed);
  current_.compressedSize += size;
  return true;
}

bool ZipWriter::beginEntry(const ZipEntry& entry) {
  if (inEntry_) return fail(ZipError::kNotInEntry);
  if (entries_.size() >= zip::kMaxEntries) return fail(ZipError::kTooManyEntries);
  if (entry.name.empty() || entry.name.size() > zip::kMaxNameLength) return fail(ZipError::kBadName);
  const bool stored = entry.folder || isStoredName(entry.name);
  current_ = Record{};
  current_.entry = entry;
  current_.method = stored ? zip::kMethodStored : zip::kMethodDeflated;
  current_.flags = stored ? zip::kFlagNone : zip::kFlagMaximumCompression;
  current_.localOffset = sink_.offset();
  inEntry_ = true;
  ByteSet header = localHeader(current_);
  if (sink_.offset() + header.size() > zip::kMaxSize) return fail(ZipError::kTooLarge);
  if (!sink_.write(header)) return fail(ZipError::kWriteFailed);
  if (!stored && !deflate_.start()) return fail(ZipError::kDeflateFailed);
  return true;
}

bool ZipWriter::addData(const std::uint8_t* data, std::size_t size) {
  if (!inEntry_ || current_.entry.folder) return fail(ZipError::kNotInEntry);
  current_.crc = static_cast<std::uint32_t>(crc32_z(current_.crc, data, size));
  current_.size += size;
  if (current_.size > zip::kMaxSize) return fail(ZipError::kTooLarge);
  if (current_.method == zip::kMethodStored) return emit(data, size);
  auto out = [this](const std::uint8_t* piece, std::size_t n) { return emit(piece, n); };
  return deflate_.feed(data, size, false, out) || fail(ZipError::kDeflateFailed);
}

bool ZipWriter::finishEntry() {
  if (!inEntry_) return fail(ZipError::kNotInEntry);
  if (current_.method == zip::kMethodDeflated) {
    auto out = [this](const std::uint8_t* piece, std::size_t n) { return emit(piece, n); };
    if (!deflate_.feed(nullptr, 0, true, out)) return fail(ZipError::kDeflateFailed);
  }
  // The sizes and crc-32 are known only now; the local header is written again in place.
  const std::uint64_t end = sink_.offset();
  if (!sink_.seek(current_.localOffset) || !sink_.write(localHeader(current_)) || !sink_.seek(end)) {
    return fail(ZipError::kWriteFailed);
  }
  entries_.push_back(std::move(current_));
  inEntry_ = false;
  return true;
}

bool ZipWriter::abandonEntry() {
  if (!inEntry_) return true;
  inEntry_ = false;
  return (sink_.seek(current_.localOffset) && sink_.truncate()) || fail(ZipError::kWriteFailed);
}

bool ZipWriter::close() {
  if (!abandonEntry()) return false;
  const std::uint64_t centralOffset = sink_.offset();
  ByteSet piece;
  for (const Record& r : entries_) {
    appendBytes(piece, centralHeader(r));
    if (piece.size() >= kCentralPiece && !emitCentral(piece)) return false;
  }
  if (!emitCentral(piece)) return false;
  ByteSet end = endRecord(centralOffset, sink_.offset() - centralOffset);
  return emitCentral(end);
}

bool ZipWriter::emitCentral(ByteSet& piece) {
  if (sink_.offset() + piece.size() > zip::kMaxSize) return fail(ZipError::kTooLarge);
  if (!sink_.write(piece)) return fail(ZipError::kWriteFailed);
  piece.clear();
  return true;
}
