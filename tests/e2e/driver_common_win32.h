// What both end-to-end drivers need: checks, waiting, finding windows and controls, real clicks.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace e2e {

inline int failures = 0;

inline void expect(bool ok, const char* what) {
  std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
  std::fflush(stdout);
  if (!ok) ++failures;
}

template <class Condition>
bool waitFor(Condition condition, int milliseconds) {
  for (int waited = 0; waited < milliseconds; waited += 50) {
    if (condition()) return true;
    Sleep(50);
  }
  return condition();
}

// WM_GETTEXT itself: GetWindowText does not ask the controls of another process.
inline std::wstring textOf(HWND hwnd) {
  wchar_t text[1024] = {};
  DWORD_PTR copied = 0;
  if (hwnd) SendMessageTimeoutW(hwnd, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, &copied);
  return text;
}

inline std::string utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, out.data(), n, nullptr, nullptr);
  out.resize(static_cast<std::size_t>(n > 0 ? n - 1 : 0));
  return out;
}

inline HWND findMainWindow() {
  HWND found = nullptr;
  waitFor([&] { return (found = FindWindowW(L"TervaloWindow", L"Tervalo")) != nullptr; }, 60000);
  return found;
}

// A visible child of parent: with that text (nullptr: any), at that place in parent's client
// coordinates (all zero: any place).
struct ChildSearch {
  HWND parent;
  const wchar_t* text;
  RECT place;
  HWND found;
};

inline BOOL CALLBACK matchChild(HWND child, LPARAM param) {
  auto* search = reinterpret_cast<ChildSearch*>(param);
  if (GetParent(child) != search->parent || !IsWindowVisible(child)) return TRUE;
  if (search->text && textOf(child) != search->text) return TRUE;
  RECT r;
  GetWindowRect(child, &r);
  MapWindowPoints(HWND_DESKTOP, search->parent, reinterpret_cast<POINT*>(&r), 2);
  RECT want = search->place;
  bool anyPlace = want.left == 0 && want.top == 0 && want.right == 0 && want.bottom == 0;
  if (!anyPlace && !EqualRect(&r, &want)) return TRUE;
  search->found = child;
  return FALSE;
}

inline HWND findChild(HWND parent, const wchar_t* text, RECT place = {}) {
  ChildSearch search{parent, text, place, nullptr};
  EnumChildWindows(parent, matchChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

inline void clickAt(int x, int y) {
  SetCursorPos(x, y);
  Sleep(100);
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_MOUSE;
  input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, input, sizeof(INPUT));
  Sleep(100);
}

// A real left click in the middle of the control, through the system's input queue.
inline bool click(HWND control) {
  if (!control) return false;
  RECT r;
  GetWindowRect(control, &r);
  SetForegroundWindow(GetAncestor(control, GA_ROOT));
  clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return true;
}

}  // namespace e2e
