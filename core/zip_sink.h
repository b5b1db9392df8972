// Where a ZIP archive goes: a seekable byte sink that keeps its own offsets, in memory or in a file.
#pragma once

#include <cstddef>
#include <cstdint>

#include "core/archive_fs.h"
#include "core/byte_set.h"

class ZipSink {
 public:
  virtual ~ZipSink() = default;

  // Writes at the current offset, overwriting or extending; the offset moves past the bytes.
  bool write(const std::uint8_t* data, std::size_t size);
  bool write(const ByteSet& bytes) { return write(bytes.data(), bytes.size()); }
  // Moves to an offset within what has been written.
  bool seek(std::uint64_t offset);
  // Drops every byte from the current offset on.
  bool truncate();

  std::uint64_t offset() const { return offset_; }
  std::uint64_t end() const { return end_; }

 protected:
  // The base offset lets a test stand a sink far into a large archive without writing gigabytes.
  explicit ZipSink(std::uint64_t startOffset = 0) : offset_(startOffset), end_(startOffset) {}

 private:
  virtual bool put(std::uint64_t at, const std::uint8_t* data, std::size_t size) = 0;
  virtual bool cut(std::uint64_t at) = 0;

  std::uint64_t offset_;
  std::uint64_t end_;
};

// Keeps the archive in memory, for tests that decode the bytes.
class MemorySink : public ZipSink {
 public:
  const ByteSet& bytes() const { return bytes_; }

 protected:
  bool put(std::uint64_t at, const std::uint8_t* data, std::size_t size) override;
  bool cut(std::uint64_t at) override;

 private:
  ByteSet bytes_;
};

// Writes the archive into its file; the file's own position follows the sink's offset.
class FileSink : public ZipSink {
 public:
  explicit FileSink(archive_fs::OutputFile& file) : file_(file) {}

 private:
  bool put(std::uint64_t at, const std::uint8_t* data, std::size_t size) override;
  bool cut(std::uint64_t at) override;

  archive_fs::OutputFile& file_;
  std::uint64_t position_ = 0;
};
