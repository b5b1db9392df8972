// The archive's files and folders on Windows, through the W functions and code page 936.
#include <windows.h>

#include <algorithm>

#include "core/archive_fs.h"
#include "core/gbk_text_win32.h"
#include "core/win32_handle.h"

namespace archive_fs {
namespace {

// FILETIME counts 100-nanosecond ticks since 1601-01-01 UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksFrom1601To1970 = 116'444'736'000'000'000;
// Largest piece handed to one ReadFile or WriteFile call, whose counts are 32-bit.
constexpr std::size_t kMaxIoPiece = 1u << 30;

HANDLE handleOf(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

std::intptr_t integerOf(HANDLE handle) { return reinterpret_cast<std::intptr_t>(handle); }

void closeHandle(std::intptr_t& handle) {
  win32::UniqueFile owner(handleOf(handle));
  handle = -1;
}

std::int64_t secondsOf(const FILETIME& time) {
  std::int64_t ticks = static_cast<std::int64_t>((std::uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime);
  std::int64_t since1970 = ticks - kTicksFrom1601To1970;
  // Rounded down, so that a moment before 1970 does not move forward to a later second.
  return since1970 >= 0 ? since1970 / kTicksPerSecond : -((-since1970 + kTicksPerSecond - 1) / kTicksPerSecond);
}

// The file attributes keep only the four MS-DOS bits an archive entry records; FILE_ATTRIBUTE_NORMAL
// (0x80) and the like are no MS-DOS attributes.
std::uint8_t dosAttributesOf(DWORD attributes) {
  return static_cast<std::uint8_t>(attributes & (kDosReadOnly | kDosHidden | kDosSystem | kDosArchive));
}

bool identityOf(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return GetFileInformationByHandle(handle, &info) != 0;
}

bool sameIdentity(const BY_HANDLE_FILE_INFORMATION& a, const BY_HANDLE_FILE_INFORMATION& b) {
  return a.dwVolumeSerialNumber == b.dwVolumeSerialNumber && a.nFileIndexHigh == b.nFileIndexHigh &&
         a.nFileIndexLow == b.nFileIndexLow;
}

}  // namespace

InputFile::~InputFile() { closeHandle(handle_); }

bool InputFile::open(const std::string& path) {
  closeHandle(handle_);
  std::wstring wide = gbk::wideOrEmpty(path);
  if (wide.empty()) return false;
  // Sharing for reading only: a file that another program has open for writing is refused
  // (ERROR_SHARING_VIOLATION), and nobody may start writing to it while it is archived.
  win32::UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return false;
  handle_ = integerOf(file.release());
  return true;
}

bool InputFile::facts(FileFacts& out) const {
  BY_HANDLE_FILE_INFORMATION info{};
  if (!identityOf(handleOf(handle_), info)) return false;
  out.size = (std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  out.dosAttributes = dosAttributesOf(info.dwFileAttributes);
  out.modified = secondsOf(info.ftLastWriteTime);
  out.accessed = secondsOf(info.ftLastAccessTime);
  out.created = secondsOf(info.ftCreationTime);
  return true;
}

bool InputFile::read(std::uint8_t* buffer, std::size_t size, std::size_t& got) {
  DWORD n = 0;
  if (!ReadFile(handleOf(handle_), buffer, static_cast<DWORD>(std::min(size, kMaxIoPiece)), &n, nullptr)) {
    return false;
  }
  got = n;
  return true;
}

OutputFile::~OutputFile() { closeHandle(handle_); }

bool OutputFile::create(const std::string& path) {
  closeHandle(handle_);
  std::wstring wide = gbk::wideOrEmpty(path);
  if (wide.empty()) return false;
  // No sharing: nobody reads a half-written archive, and the builder itself cannot open it as a source.
  win32::UniqueFile file(
      CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return false;
  handle_ = integerOf(file.release());
  return true;
}

bool OutputFile::write(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    DWORD written = 0;
    if (!WriteFile(handleOf(handle_), data, static_cast<DWORD>(std::min(size, kMaxIoPiece)), &written, nullptr) ||
        written == 0) {
      return false;
    }
    data += written;
    size -= written;
  }
  return true;
}

bool OutputFile::seek(std::uint64_t offset) {
  LARGE_INTEGER to{};
  to.QuadPart = static_cast<LONGLONG>(offset);
  return SetFilePointerEx(handleOf(handle_), to, nullptr, FILE_BEGIN) != 0;
}

bool OutputFile::truncate(std::uint64_t length) {
  return seek(length) && SetEndOfFile(handleOf(handle_)) != 0;
}

bool OutputFile::close() {
  if (handle_ == -1) return false;
  HANDLE handle = handleOf(handle_);
  handle_ = -1;
  return CloseHandle(handle) != 0;
}

bool OutputFile::isSameFile(const InputFile& in) const {
  BY_HANDLE_FILE_INFORMATION a{}, b{};
  return identityOf(handleOf(handle_), a) && identityOf(handleOf(in.handle_), b) && sameIdentity(a, b);
}

bool listFolder(const std::string& folder, std::vector<ListedEntry>& out) {
  out.clear();
  std::wstring pattern = gbk::wideOrEmpty(folder);
  if (pattern.empty()) return false;
  if (pattern.back() != L'\\') pattern += L'\\';
  pattern += L'*';
  WIN32_FIND_DATAW data{};
  HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                 FIND_FIRST_EX_LARGE_FETCH);
  if (find == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;  // a drive's empty root
  bool complete = true;
  for (;;) {
    std::wstring_view name = data.cFileName;
    if (name != L"." && name != L"..") {
      ListedEntry entry;
      entry.folder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
      entry.nameOk = gbk::wideToGbk(name, entry.name);
      out.push_back(std::move(entry));
    }
    if (!FindNextFileW(find, &data)) {
      complete = GetLastError() == ERROR_NO_MORE_FILES;
      break;
    }
  }
  FindClose(find);
  return complete;
}

bool sameExistingFile(const std::string& a, const std::string& b) {
  auto openForIdentity = [](const std::string& path) {
    std::wstring wide = gbk::wideOrEmpty(path);
    if (wide.empty()) return win32::UniqueFile();
    // No access rights and full sharing: this only asks the file system who the file is.
    return win32::UniqueFile(CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                         nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  };
  win32::UniqueFile fa = openForIdentity(a), fb = openForIdentity(b);
  BY_HANDLE_FILE_INFORMATION ia{}, ib{};
  return fa.valid() && fb.valid() && identityOf(fa.get(), ia) && identityOf(fb.get(), ib) && sameIdentity(ia, ib);
}

bool localTime(std::int64_t seconds, CivilTime& out) {
  if (seconds < -kTicksFrom1601To1970 / kTicksPerSecond || seconds > (INT64_MAX - kTicksFrom1601To1970) / kTicksPerSecond) {
    return false;
  }
  std::uint64_t ticks = static_cast<std::uint64_t>(seconds * kTicksPerSecond + kTicksFrom1601To1970);
  FILETIME utc{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
  FILETIME local{};
  SYSTEMTIME st{};
  if (!FileTimeToLocalFileTime(&utc, &local) || !FileTimeToSystemTime(&local, &st)) return false;
  out = {st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond};
  return true;
}

std::int64_t now() {
  FILETIME time{};
  GetSystemTimeAsFileTime(&time);
  return secondsOf(time);
}

}  // namespace archive_fs
