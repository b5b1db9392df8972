// Drives Tervalo.exe's main window as a person would, for the end-to-end run under Wine.
//   driver check            the window exists, is called "Tervalo", is 800 x 600 and shows the pack page
//   driver minimise-close   "_" minimises, restoring works, "×" ends the process
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "driver_common_win32.h"

namespace {

using namespace e2e;

int check() {
  HWND main = findMainWindow();
  expect(main != nullptr, "main window with caption \"Tervalo\" found");
  if (!main) return 1;
  waitFor([&] { return IsWindowVisible(main) != FALSE; }, 10000);
  expect(IsWindowVisible(main), "main window visible");
  RECT window, client;
  GetWindowRect(main, &window);
  GetClientRect(main, &client);
  expect(window.right - window.left == 800 && window.bottom - window.top == 600, "window is 800 x 600");
  expect(client.right == 800 && client.bottom == 600, "client area is 800 x 600 (no border)");
  LONG style = GetWindowLongW(main, GWL_STYLE);
  expect(!(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU)), "no caption bar, border or system menu");
  int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int centreX = (work.left + work.right) / 2, centreY = (work.top + work.bottom) / 2;
  expect(std::abs((window.left + window.right) / 2 - centreX) <= 1 &&
             std::abs((window.top + window.bottom) / 2 - centreY) <= 1,
         "window centred on the screen");
  std::printf("screen %dx%d, window at %ld,%ld\n", screenW, screenH, window.left, window.top);
  expect(findChild(main, L"打包", RECT{2, 104, 798, 598}) != nullptr, "page control shows the pack page");
  expect(findChild(main, L"_") != nullptr, "minimise link \"_\" present");
  expect(findChild(main, L"\u00D7") != nullptr, "close link \"\u00D7\" present");
  expect(findChild(main, L"Tervalo1.7 - Korvel\u5DE5\u4F5C\u5BA4") != nullptr, "title label present");
  return failures ? 1 : 0;
}

int minimiseAndClose() {
  HWND main = findMainWindow();
  expect(main != nullptr, "main window found");
  if (!main) return 1;
  HWND minimise = findChild(main, L"_");
  HWND close = findChild(main, L"\u00D7");
  expect(minimise && close, "title-bar links found");
  if (!minimise || !close) return 1;

  click(minimise);
  expect(waitFor([&] { return IsIconic(main) != FALSE; }, 10000), "\"_\" minimises the window");
  ShowWindow(main, SW_RESTORE);
  expect(waitFor([&] { return !IsIconic(main) && IsWindowVisible(main); }, 10000), "window restored");
  RECT window;
  GetWindowRect(main, &window);
  expect(window.right - window.left == 800 && window.bottom - window.top == 600, "restored window is 800 x 600");
  expect(findChild(main, L"打包", RECT{2, 104, 798, 598}) != nullptr, "pack page still shows after restoring");

  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
  expect(process != nullptr, "program's process opened");
  Sleep(300);
  click(findChild(main, L"\u00D7"));
  bool ended = process && WaitForSingleObject(process, 15000) == WAIT_OBJECT_0;
  expect(ended, "\"\u00D7\" ends the program");
  DWORD code = 1;
  if (ended) GetExitCodeProcess(process, &code);
  expect(ended && code == 0, "exit code 0");
  if (process) CloseHandle(process);
  return failures ? 1 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && std::strcmp(argv[1], "check") == 0) return check();
  if (argc == 2 && std::strcmp(argv[1], "minimise-close") == 0) return minimiseAndClose();
  std::printf("usage: driver check | minimise-close\n");
  return 2;
}
