// The operating-system layer on Linux: GBK paths with backslashes become UTF-8 paths with slashes.
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "core/gbk_text.h"
#include "core/os.h"
#include "core/os_posix_path.h"

namespace os {

bool nativePath(const std::string& path, std::string& native) {
  std::string utf8;
  if (!gbk::gbkToUtf8(gbk::replaceChar(path, '\\', '/'), utf8)) return false;
  native = std::move(utf8);
  return true;
}

bool pathFromNative(const std::string& native, std::string& path) {
  // A Linux name may hold a backslash, which the program's paths cannot tell from a separator.
  if (native.find('\\') != std::string::npos) return false;
  std::string text;
  if (!gbk::utf8ToGbk(native, text)) return false;
  path = gbk::replaceChar(text, '/', '\\');
  return true;
}

bool readWholeFile(const std::string& path, ByteSet& out) {
  out.clear();
  std::string native;
  if (!nativePath(path, native)) return false;
  int fd = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    return false;
  }
  ByteSet data;
  data.reserve(static_cast<std::size_t>(st.st_size));
  std::uint8_t buffer[64 * 1024];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return false;
    }
    if (n == 0) break;
    data.insert(data.end(), buffer, buffer + n);
  }
  ::close(fd);
  out = std::move(data);
  return true;
}

WriteResult writeWholeFile(const std::string& path, const ByteSet& data, CreateMode mode) {
  std::string native;
  if (!nativePath(path, native)) return WriteResult::kFailed;
  int flags = O_WRONLY | O_CREAT | O_CLOEXEC | (mode == CreateMode::kExclusive ? O_EXCL : O_TRUNC);
  int fd = ::open(native.c_str(), flags, 0644);
  if (fd < 0) return errno == EEXIST ? WriteResult::kExists : WriteResult::kFailed;
  std::size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ::close(fd);
      return WriteResult::kFailed;
    }
    done += static_cast<std::size_t>(n);
  }
  return ::close(fd) == 0 ? WriteResult::kOk : WriteResult::kFailed;
}

bool entryExists(const std::string& path) {
  std::string native;
  struct stat st {};
  return nativePath(path, native) && !native.empty() && ::stat(native.c_str(), &st) == 0;
}

bool isDirectory(const std::string& path) {
  std::string native;
  struct stat st {};
  return nativePath(path, native) && ::stat(native.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool deleteFile(const std::string& path) {
  std::string native;
  return nativePath(path, native) && ::unlink(native.c_str()) == 0;
}

bool fileSize(const std::string& path, std::uint64_t& size) {
  std::string native;
  struct stat st {};
  if (!nativePath(path, native) || ::stat(native.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  size = static_cast<std::uint64_t>(st.st_size);
  return true;
}

std::string tempFolder() {
  const char* dir = std::getenv("TMPDIR");
  std::string folder;
  if (!dir || !*dir || !pathFromNative(dir, folder)) folder = "\\tmp";
  return gbk::withTrailingBackslash(folder);
}

std::uint32_t tickCount() {
  struct timespec ts {};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(ts.tv_sec) * 1000u + static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u);
}

std::string programFolder() {
  char buffer[4096];
  ssize_t n = ::readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::string();
  std::string path;
  if (!pathFromNative(std::string(buffer, static_cast<std::size_t>(n)), path)) return std::string();
  return gbk::folderOf(path);
}

void trimWorkingSet() {}

bool programArguments(int argc, char** argv, std::vector<std::string>& args) {
  std::vector<std::string> result;
  for (int i = 1; i < argc; ++i) {
    std::string text;
    if (!gbk::utf8ToGbk(argv[i], text)) return false;
    result.push_back(std::move(text));
  }
  args = std::move(result);
  return true;
}

bool internalPath(const std::string& typed, std::string& path) {
  if (gbk::lastBackslash(typed) != gbk::npos) return false;
  path = gbk::replaceChar(typed, '/', '\\');
  return true;
}

void printText(bool toStdErr, const std::string& text) {
  std::string utf8;
  if (!gbk::gbkToUtf8(text, utf8)) utf8 = text;
  std::fputs(utf8.c_str(), toStdErr ? stderr : stdout);
}

bool stdErrIsTerminal() { return ::isatty(2) == 1; }

}  // namespace os
