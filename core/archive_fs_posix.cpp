// The archive's files and folders on Linux, where the system names are UTF-8 with slashes.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "core/archive_fs.h"
#include "core/gbk_text.h"
#include "core/os_posix_path.h"

namespace archive_fs {
namespace {

int fdOf(std::intptr_t handle) { return static_cast<int>(handle); }

// Linux has no MS-DOS attributes. A regular file counts as not yet backed up (archive bit), as
// read-only when its owner may not write it, and never as hidden or system.
std::uint8_t dosAttributesOf(mode_t mode) {
  std::uint8_t bits = kDosArchive;
  if (!(mode & S_IWUSR)) bits |= kDosReadOnly;
  return bits;
}

void closeFd(std::intptr_t& handle) {
  if (handle >= 0) ::close(fdOf(handle));
  handle = -1;
}

// Opens a regular file and nothing else; -1 otherwise. Non-blocking, so that a named pipe fails
// at once instead of holding the build until a writer or reader comes.
int openRegularFile(const std::string& path, int flags) {
  std::string native;
  if (!os::nativePath(path, native) || native.empty()) return -1;
  int fd = ::open(native.c_str(), flags | O_CLOEXEC | O_NONBLOCK, 0644);
  if (fd < 0) return -1;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return -1;
  }
  return fd;
}

}  // namespace

InputFile::~InputFile() { closeFd(handle_); }

bool InputFile::open(const std::string& path) {
  closeFd(handle_);
  handle_ = openRegularFile(path, O_RDONLY);
  return handle_ >= 0;
}

bool InputFile::facts(FileFacts& out) const {
  struct statx sx {};
  if (::statx(fdOf(handle_), "", AT_EMPTY_PATH, STATX_BASIC_STATS | STATX_BTIME, &sx) != 0) return false;
  out.size = sx.stx_size;
  out.dosAttributes = dosAttributesOf(sx.stx_mode);
  out.modified = sx.stx_mtime.tv_sec;
  out.accessed = sx.stx_atime.tv_sec;
  // Not every file system records when a file was born; its last write is the closest stand-in.
  out.created = (sx.stx_mask & STATX_BTIME) ? sx.stx_btime.tv_sec : out.modified;
  return true;
}

bool InputFile::read(std::uint8_t* buffer, std::size_t size, std::size_t& got) {
  for (;;) {
    ssize_t n = ::read(fdOf(handle_), buffer, size);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    got = static_cast<std::size_t>(n);
    return true;
  }
}

OutputFile::~OutputFile() { closeFd(handle_); }

bool OutputFile::create(const std::string& path) {
  closeFd(handle_);
  handle_ = openRegularFile(path, O_WRONLY | O_CREAT | O_TRUNC);
  return handle_ >= 0;
}

bool OutputFile::write(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fdOf(handle_), data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool OutputFile::seek(std::uint64_t offset) {
  return ::lseek(fdOf(handle_), static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

bool OutputFile::truncate(std::uint64_t length) { return ::ftruncate(fdOf(handle_), static_cast<off_t>(length)) == 0; }

bool OutputFile::close() {
  if (handle_ < 0) return false;
  int fd = fdOf(handle_);
  handle_ = -1;
  return ::close(fd) == 0;
}

bool OutputFile::isSameFile(const InputFile& in) const {
  struct stat a {}, b {};
  return ::fstat(fdOf(handle_), &a) == 0 && ::fstat(fdOf(in.handle_), &b) == 0 && a.st_dev == b.st_dev &&
         a.st_ino == b.st_ino;
}

bool listFolder(const std::string& folder, std::vector<ListedEntry>& out) {
  out.clear();
  std::string native;
  if (!os::nativePath(folder, native) || native.empty()) return false;
  DIR* dir = ::opendir(native.c_str());
  if (!dir) return false;
  std::vector<std::string> names;
  errno = 0;
  while (const dirent* d = ::readdir(dir)) {
    std::string name = d->d_name;
    if (name != "." && name != "..") names.push_back(std::move(name));
  }
  bool complete = errno == 0;
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    struct stat st {};
    // Links are followed, as a program that opens the name would. A name that is gone, or a link
    // to nothing, no longer exists as an entry; one that cannot be examined is listed as a file,
    // which then fails to open.
    if (::fstatat(::dirfd(dir), name.c_str(), &st, 0) != 0 && (errno == ENOENT || errno == ENOTDIR)) continue;
    ListedEntry entry;
    entry.folder = S_ISDIR(st.st_mode);
    entry.nameOk = os::pathFromNative(name, entry.name);
    if (!entry.nameOk) entry.name = name;
    out.push_back(std::move(entry));
  }
  ::closedir(dir);
  return complete;
}

bool sameExistingFile(const std::string& a, const std::string& b) {
  std::string nativeA, nativeB;
  struct stat sa {}, sb {};
  return os::nativePath(a, nativeA) && os::nativePath(b, nativeB) && !nativeA.empty() && !nativeB.empty() &&
         ::stat(nativeA.c_str(), &sa) == 0 && ::stat(nativeB.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

bool localTime(std::int64_t seconds, CivilTime& out) {
  time_t t = static_cast<time_t>(seconds);
  struct tm local {};
  if (!::localtime_r(&t, &local)) return false;
  out = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec};
  return true;
}

std::int64_t now() { return static_cast<std::int64_t>(::time(nullptr)); }

}  // namespace archive_fs
