// Processes on Windows: cmd.exe runs the copy line hidden; explorer and the output start normally.
#include <windows.h>

#include <cwchar>

#include "core/gbk_text.h"
#include "core/gbk_text_win32.h"
#include "core/process.h"
#include "core/win32_handle.h"

namespace process {
namespace {

std::wstring systemProgram(UINT (*folderOf)(LPWSTR, UINT), const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  UINT n = folderOf(folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return std::wstring();
  return std::wstring(folder, n) + L"\\" + name;
}

UINT systemFolder(LPWSTR buffer, UINT size) { return GetSystemDirectoryW(buffer, size); }
UINT windowsFolder(LPWSTR buffer, UINT size) { return GetWindowsDirectoryW(buffer, size); }

// The program's environment with one variable set, as a block for CreateProcessW.
std::wstring environmentWith(const std::wstring& name, const std::wstring& value) {
  std::wstring block;
  if (wchar_t* env = GetEnvironmentStringsW()) {
    for (const wchar_t* p = env; *p; p += wcslen(p) + 1) {
      std::wstring entry(p);
      if (_wcsnicmp(entry.c_str(), (name + L"=").c_str(), name.size() + 1) == 0) continue;
      block += entry;
      block.push_back(L'\0');
    }
    FreeEnvironmentStringsW(env);
  }
  block += name + L"=" + value;
  block.push_back(L'\0');
  block.push_back(L'\0');
  return block;
}

// Starts application with commandLine; the application is always named, so a blank in a path
// can never make the system pick another program.
win32::UniqueObject start(const std::wstring& application, std::wstring commandLine, bool hidden,
                          std::wstring* environment = nullptr) {
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = hidden ? SW_HIDE : SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  if (application.empty() ||
      !CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                      (hidden ? CREATE_NO_WINDOW : 0) | (environment ? CREATE_UNICODE_ENVIRONMENT : 0),
                      environment ? environment->data() : nullptr, nullptr, &si, &pi)) {
    return win32::UniqueObject();
  }
  CloseHandle(pi.hThread);
  return win32::UniqueObject(pi.hProcess);
}

bool startWithoutWaiting(const std::wstring& application, const std::wstring& commandLine) {
  win32::UniqueObject proc = start(application, commandLine, false);
  if (!proc.valid()) return false;
  WaitForInputIdle(proc.get(), 1000);
  return true;
}

}  // namespace

bool runJoin(const std::string& commandLine, const std::vector<std::string>&, const std::string&) {
  std::wstring line;
  if (!gbk::gbkToWide(commandLine, line)) return false;
  // copy asks before replacing an existing output when COPYCMD says so; in a hidden window
  // nobody could answer, so the join says yes for itself.
  std::wstring environment = environmentWith(L"COPYCMD", L"/Y");
  win32::UniqueObject proc = start(systemProgram(systemFolder, L"cmd.exe"), line, true, &environment);
  if (!proc.valid()) return false;
  if (WaitForSingleObject(proc.get(), INFINITE) != WAIT_OBJECT_0) return false;
  DWORD exitCode = 1;
  return GetExitCodeProcess(proc.get(), &exitCode) && exitCode == 0;
}

bool showInFolder(const std::string& path) {
  std::wstring line;
  if (!gbk::gbkToWide(showInFolderCommandLine(path), line)) return false;
  return startWithoutWaiting(systemProgram(windowsFolder, L"explorer.exe"), line);
}

bool startProgram(const std::string& path) {
  std::wstring wide;
  if (!gbk::gbkToWide(path, wide) || wide.empty()) return false;
  return startWithoutWaiting(wide, L"\"" + wide + L"\"");
}

}  // namespace process
