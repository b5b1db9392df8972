// The operating-system layer on Windows: GBK paths go to the W functions through code page 936.
#include <windows.h>
#include <psapi.h>
#include <shellapi.h>

#include <cstdio>
#include <algorithm>

#include "core/gbk_text.h"
#include "core/gbk_text_win32.h"
#include "core/os.h"
#include "core/win32_handle.h"

namespace os {

bool readWholeFile(const std::string& path, ByteSet& out) {
  out.clear();
  std::wstring wide;
  if (!gbk::gbkToWide(path, wide) || wide.empty()) return false;
  win32::UniqueFile file(CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) return false;
  ByteSet data;
  data.reserve(static_cast<std::size_t>(size.QuadPart));
  std::uint8_t buffer[64 * 1024];
  for (;;) {
    DWORD got = 0;
    if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) return false;
    if (got == 0) break;
    data.insert(data.end(), buffer, buffer + got);
  }
  out = std::move(data);
  return true;
}

WriteResult writeWholeFile(const std::string& path, const ByteSet& data, CreateMode mode) {
  std::wstring wide;
  if (!gbk::gbkToWide(path, wide) || wide.empty()) return WriteResult::kFailed;
  DWORD disposition = mode == CreateMode::kExclusive ? CREATE_NEW : CREATE_ALWAYS;
  win32::UniqueFile file(
      CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) {
    DWORD error = GetLastError();
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? WriteResult::kExists : WriteResult::kFailed;
  }
  std::size_t done = 0;
  while (done < data.size()) {
    DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size() - done, 1u << 20));
    DWORD written = 0;
    if (!WriteFile(file.get(), data.data() + done, chunk, &written, nullptr) || written == 0) {
      return WriteResult::kFailed;
    }
    done += written;
  }
  return CloseHandle(file.release()) ? WriteResult::kOk : WriteResult::kFailed;
}

bool entryExists(const std::string& path) {
  std::wstring wide;
  return gbk::gbkToWide(path, wide) && !wide.empty() && GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool isDirectory(const std::string& path) {
  std::wstring wide;
  if (!gbk::gbkToWide(path, wide) || wide.empty()) return false;
  DWORD attributes = GetFileAttributesW(wide.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool deleteFile(const std::string& path) {
  std::wstring wide;
  return gbk::gbkToWide(path, wide) && !wide.empty() && DeleteFileW(wide.c_str());
}

bool fileSize(const std::string& path, std::uint64_t& size) {
  std::wstring wide;
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!gbk::gbkToWide(path, wide) || !GetFileAttributesExW(wide.c_str(), GetFileExInfoStandard, &data) ||
      (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return false;
  }
  size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
  return true;
}

std::string tempFolder() {
  wchar_t buffer[MAX_PATH + 2];
  DWORD n = GetTempPathW(MAX_PATH + 1, buffer);
  std::string folder;
  if (n == 0 || n > MAX_PATH + 1 || !gbk::wideToGbk(std::wstring_view(buffer, n), folder)) folder = "C:\\Windows\\Temp";
  return gbk::withTrailingBackslash(folder);
}

std::uint32_t tickCount() { return GetTickCount(); }

std::string programFolder() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return std::string();
    if (n < buffer.size()) {
      buffer.resize(n);
      break;
    }
    buffer.resize(buffer.size() * 2);
  }
  std::string path;
  if (!gbk::wideToGbk(buffer, path)) return std::string();
  return gbk::folderOf(path);
}

void trimWorkingSet() { EmptyWorkingSet(GetCurrentProcess()); }

bool programArguments(int, char**, std::vector<std::string>& args) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return false;
  std::vector<std::string> result;
  bool ok = true;
  for (int i = 1; i < count && ok; ++i) {
    std::string text;
    ok = gbk::wideToGbk(wide[i], text);
    result.push_back(std::move(text));
  }
  LocalFree(wide);
  if (ok) args = std::move(result);
  return ok;
}

bool internalPath(const std::string& typed, std::string& path) {
  path = gbk::replaceChar(typed, '/', '\\');
  return true;
}

void printText(bool toStdErr, const std::string& text) {
  HANDLE out = GetStdHandle(toStdErr ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE);
  DWORD mode = 0;
  std::wstring wide;
  if (GetConsoleMode(out, &mode) && gbk::gbkToWide(text, wide)) {
    DWORD written = 0;
    WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
    return;
  }
  std::string utf8;
  if (!gbk::gbkToUtf8(text, utf8)) utf8 = text;
  std::FILE* stream = toStdErr ? stderr : stdout;
  std::fwrite(utf8.data(), 1, utf8.size(), stream);
  std::fflush(stream);
}

bool stdErrIsTerminal() {
  DWORD mode = 0;
  return GetConsoleMode(GetStdHandle(STD_ERROR_HANDLE), &mode) != 0;
}

}  // namespace os
