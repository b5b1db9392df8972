// Files and folders as the archive builder sees them, for GBK paths with backslashes; one part per platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace archive_fs {

// MS-DOS attribute bits that an archive entry carries.
inline constexpr std::uint8_t kDosReadOnly = 0x01;
inline constexpr std::uint8_t kDosHidden = 0x02;
inline constexpr std::uint8_t kDosSystem = 0x04;
inline constexpr std::uint8_t kDosArchive = 0x20;

// What an open source file tells about itself. Times count seconds since 1970-01-01 00:00:00 UTC.
struct FileFacts {
  std::uint64_t size = 0;
  std::uint8_t dosAttributes = 0;  // only the four bits above
  std::int64_t modified = 0;
  std::int64_t accessed = 0;
  std::int64_t created = 0;
};

// A moment in the local time zone, as a calendar shows it.
struct CivilTime {
  int year = 1970;
  int month = 1;  // 1..12
  int day = 1;    // 1..31
  int hour = 0;
  int minute = 0;
  int second = 0;
};

// A source file, open for reading while others may only read it.
class InputFile {
 public:
  InputFile() = default;
  InputFile(const InputFile&) = delete;
  InputFile& operator=(const InputFile&) = delete;
  ~InputFile();

  // Opens a regular file; false for a missing file, a folder, a device, or one another program writes to.
  bool open(const std::string& path);
  bool facts(FileFacts& out) const;
  // Reads up to size bytes; got is 0 at the end of the file. False on a read error.
  bool read(std::uint8_t* buffer, std::size_t size, std::size_t& got);

 private:
  friend class OutputFile;
  std::intptr_t handle_ = -1;  // a descriptor on Linux, a HANDLE on Windows; -1 is invalid on both
};

// The archive file: created anew (or truncated), open for writing only, shared with nobody, seekable.
class OutputFile {
 public:
  OutputFile() = default;
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  ~OutputFile();

  // False when the file cannot be created or is not a regular disk file.
  bool create(const std::string& path);
  bool write(const std::uint8_t* data, std::size_t size);
  bool seek(std::uint64_t offset);
  // Cuts the file off at the given length.
  bool truncate(std::uint64_t length);
  // Closes the file; false when the system reports that data may not have been written.
  bool close();
  // True when in is this very file (the archive lies inside the folder being archived).
  bool isSameFile(const InputFile& in) const;

 private:
  std::intptr_t handle_ = -1;
};

// One entry of a folder listing. nameOk is false when the system's name cannot be held as a GBK path.
struct ListedEntry {
  std::string name;
  bool folder = false;
  bool nameOk = true;
};

// The files and subfolders of a folder, without "." and "..". On Linux sorted by the bytes of the
// system's names, so that the same folder gives the same archive; on Windows in the system's order.
bool listFolder(const std::string& folder, std::vector<ListedEntry>& out);

// True when both paths name one existing file (also through a second name for it).
bool sameExistingFile(const std::string& a, const std::string& b);

// The local calendar time of a moment; false when the system cannot express it.
bool localTime(std::int64_t seconds, CivilTime& out);

// The present moment in seconds since 1970-01-01 00:00:00 UTC.
std::int64_t now();

}  // namespace archive_fs
