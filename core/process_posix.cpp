// Processes on Linux: the join is a streaming concatenation; the folder opens through xdg-open.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <thread>

#include "core/gbk_text.h"
#include "core/os_posix_path.h"
#include "core/process.h"

extern char** environ;

namespace process {
namespace {

constexpr std::size_t kCopyPiece = 1 << 20;

bool writeAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool appendFile(int out, const std::string& path, std::vector<char>& buffer) {
  std::string native;
  if (!os::nativePath(path, native)) return false;
  int in = ::open(native.c_str(), O_RDONLY | O_CLOEXEC);
  if (in < 0) return false;
  bool ok = true;
  for (;;) {
    ssize_t n = ::read(in, buffer.data(), buffer.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    if (!writeAll(out, buffer.data(), static_cast<std::size_t>(n))) {
      ok = false;
      break;
    }
  }
  ::close(in);
  return ok;
}

bool spawnDetached(const std::vector<std::string>& argv) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawnp(&pid, args[0], nullptr, nullptr, args.data(), environ) != 0) return false;
  // Reaped in the background so it leaves no zombie; the caller does not wait for it.
  std::thread([pid] {
    int status = 0;
    ::waitpid(pid, &status, 0);
  }).detach();
  return true;
}

}  // namespace

bool runJoin(const std::string&, const std::vector<std::string>& parts, const std::string& output) {
  std::string native;
  if (!os::nativePath(output, native)) return false;
  int out = ::open(native.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0755);
  if (out < 0) return false;
  std::vector<char> buffer(kCopyPiece);
  bool ok = true;
  for (const std::string& part : parts) {
    if (!appendFile(out, part, buffer)) {
      ok = false;
      break;
    }
  }
  if (::close(out) != 0) ok = false;
  return ok;
}

bool showInFolder(const std::string& path) {
  std::string native;
  return os::nativePath(gbk::folderOf(path), native) && spawnDetached({"xdg-open", native.empty() ? "/" : native});
}

bool startProgram(const std::string& path) {
  std::string native;
  return os::nativePath(path, native) && spawnDetached({native});
}

}  // namespace process
