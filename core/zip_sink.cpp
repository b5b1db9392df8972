// Seekable archive sinks: offsets kept by the sink, bytes kept in memory or in the archive file.
#include "core/zip_sink.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr std::uint64_t kPositionUnknown = ~std::uint64_t(0);

}  // namespace

bool ZipSink::write(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return true;
  if (!put(offset_, data, size)) return false;
  offset_ += size;
  end_ = std::max(end_, offset_);
  return true;
}

bool ZipSink::seek(std::uint64_t offset) {
  if (offset > end_) return false;
  offset_ = offset;
  return true;
}

bool ZipSink::truncate() {
  if (!cut(offset_)) return false;
  end_ = offset_;
  return true;
}

bool MemorySink::put(std::uint64_t at, const std::uint8_t* data, std::size_t size) {
  std::size_t from = static_cast<std::size_t>(at);
  if (bytes_.size() < from + size) bytes_.resize(from + size);
  std::memcpy(bytes_.data() + from, data, size);
  return true;
}

bool MemorySink::cut(std::uint64_t at) {
  bytes_.resize(static_cast<std::size_t>(at));
  return true;
}

bool FileSink::put(std::uint64_t at, const std::uint8_t* data, std::size_t size) {
  // Appending needs no system seek; only going back to a header does.
  if (at != position_ && !file_.seek(at)) return false;
  position_ = at;
  if (!file_.write(data, size)) {
    position_ = kPositionUnknown;  // after a short write the next one seeks first
    return false;
  }
  position_ += size;
  return true;
}

bool FileSink::cut(std::uint64_t at) {
  if (!file_.truncate(at)) return false;
  position_ = at;
  return true;
}
