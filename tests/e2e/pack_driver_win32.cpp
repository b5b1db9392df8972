// Drives a pack run through Tervalo.exe's pack page as a person would, for the end-to-end run under Wine.
//   driver choose-source PATH   "浏览", type PATH into the open dialog, Enter; the path boxes follow
//   driver pack-wait            "开始打包", then wait for the finished run's caption
//   driver return               "返回" on the finished run's page
//   driver pack-pause           "开始打包", then pause: the bar stops
//   driver resume-stop          resume (the bar moves on), pause again, stop, Yes: the pack page again
//   driver refuse-no-output     "开始打包" without an output: the message box, OK, the pack page stays
//   driver drag                 the title and the page's surface move the window, an edit box does not
//   driver slide                the category strip slides against the mouse
//   driver categories           category items switch the pages
//   driver choose-output NAME   "浏览" beside the output, type NAME without extension: NAME.exe
//   driver close                "×" ends the program
//   driver dump                 lists the window's controls
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "driver_common_win32.h"

namespace {

using namespace e2e;


// The page control, its text the current page's title; the one child at its place.
HWND pages(HWND main) {
  static HWND found = nullptr;
  if (!found) found = findChild(main, nullptr, RECT{2, 104, 798, 598});
  return found;
}

std::wstring currentPage(HWND main) {
  HWND p = pages(main);
  return p ? textOf(p) : L"";
}

// A control of the current page at its place in page coordinates.
HWND onPage(HWND main, int left, int top, int width, int height) {
  HWND p = pages(main);
  return p ? findChild(p, nullptr, RECT{left, top, left + width, top + height}) : nullptr;
}

void typeText(const std::wstring& text) {
  for (wchar_t c : text) {
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_KEYBOARD;
    input[0].ki.wScan = input[1].ki.wScan = c;
    input[0].ki.dwFlags = KEYEVENTF_UNICODE;
    input[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
    SendInput(2, input, sizeof(INPUT));
    Sleep(5);
  }
}

void pressKey(WORD key) {
  INPUT input[2] = {};
  input[0].type = input[1].type = INPUT_KEYBOARD;
  input[0].ki.wVk = input[1].ki.wVk = key;
  input[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

// A visible dialog of the system (file dialog or message box), optionally with that caption.
HWND findDialog(const wchar_t* caption) {
  HWND found = nullptr;
  waitFor([&] {
    found = FindWindowW(L"#32770", caption);
    return found && IsWindowVisible(found);
  }, 15000);
  return found && IsWindowVisible(found) ? found : nullptr;
}

BOOL CALLBACK collectStatic(HWND child, LPARAM param) {
  wchar_t cls[32] = {};
  GetClassNameW(child, cls, 32);
  std::wstring text = textOf(child);
  if (_wcsicmp(cls, L"Static") == 0 && !text.empty()) *reinterpret_cast<std::wstring*>(param) += text;
  return TRUE;
}

std::wstring messageText(HWND box) {
  std::wstring text;
  EnumChildWindows(box, collectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

// Pack page controls, in page coordinates.
HWND sourceBox(HWND main) { return onPage(main, 138, 40, 450, 25); }
HWND outputBox(HWND main) { return onPage(main, 138, 80, 450, 25); }
HWND browseSourceButton(HWND main) { return onPage(main, 600, 40, 80, 24); }
HWND packButton(HWND main) { return onPage(main, 302, 384, 150, 50); }
// Pack-progress page controls.
HWND progressBar(HWND main) {
  HWND p = pages(main);
  if (!p) return nullptr;
  HWND found = nullptr;
  // The bar's width changes; it is the one control whose top left corner is 40, 417.
  for (HWND c = GetWindow(p, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(HWND_DESKTOP, p, reinterpret_cast<POINT*>(&r), 2);
    if (r.left == 40 && r.top == 417 && IsWindowVisible(c)) found = c;
  }
  return found;
}
int progressWidth(HWND main) {
  HWND bar = progressBar(main);
  if (!bar) return 0;
  RECT r;
  GetWindowRect(bar, &r);
  return r.right - r.left;
}
HWND pauseButton(HWND main) { return onPage(main, 262, 448, 80, 32); }
HWND stopButton(HWND main) { return onPage(main, 448, 448, 80, 32); }
HWND returnButton(HWND main) { return onPage(main, 536, 448, 100, 32); }
bool captionShows(HWND main, const wchar_t* caption) {
  HWND p = pages(main);
  return p && findChild(p, caption) != nullptr;
}

int chooseSource(HWND main, const std::wstring& path) {
  expect(currentPage(main) == L"打包", "the pack page shows");
  expect(click(browseSourceButton(main)), "\"浏览\" beside the source clicked");
  HWND dialog = findDialog(nullptr);
  expect(dialog != nullptr, "the open dialog appeared");
  if (!dialog) return 1;
  Sleep(500);
  typeText(path);
  Sleep(300);
  pressKey(VK_RETURN);
  expect(waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 15000), "the dialog closed");
  bool taken = waitFor([&] { return textOf(sourceBox(main)) == path; }, 5000);
  expect(taken, "the source box shows the typed path");
  std::printf("source: %s\noutput: %s\n", utf8(textOf(sourceBox(main))).c_str(),
              utf8(textOf(outputBox(main))).c_str());
  return failures ? 1 : 0;
}

int packAndWait(HWND main) {
  expect(click(packButton(main)), "\"开始打包\" clicked");
  expect(waitFor([&] { return currentPage(main) == L"打包中"; }, 10000), "the pack-progress page shows");
  bool finished = waitFor([&] { return captionShows(main, L"打包完成，请选择需要的操作"); }, 120000);
  expect(finished, "\"打包完成，请选择需要的操作\" shows");
  expect(progressWidth(main) == 720, "the bar is full");
  expect(returnButton(main) != nullptr, "\"返回\" shows");
  expect(stopButton(main) == nullptr && pauseButton(main) == nullptr, "stop and pause are hidden");
  return failures ? 1 : 0;
}

int returnToPackPage(HWND main) {
  expect(click(returnButton(main)), "\"返回\" clicked");
  expect(waitFor([&] { return currentPage(main) == L"打包"; }, 10000), "the pack page shows again");
  return failures ? 1 : 0;
}

int packAndPause(HWND main) {
  expect(click(packButton(main)), "\"开始打包\" clicked");
  expect(waitFor([&] { return currentPage(main) == L"打包中"; }, 10000), "the pack-progress page shows");
  expect(waitFor([&] { return progressWidth(main) > 0; }, 30000), "the bar moves");
  expect(click(pauseButton(main)), "\"暂停\" clicked");
  expect(waitFor([&] { return captionShows(main, L"暂停"); }, 5000), "the caption says \"暂停\"");
  Sleep(500);
  int width = progressWidth(main);
  Sleep(2000);
  std::printf("paused at width %d\n", width);
  expect(width > 0 && width < 720, "the run paused part way");
  expect(progressWidth(main) == width, "a paused run makes no progress");
  return failures ? 1 : 0;
}

int resumeAndStop(HWND main) {
  int width = progressWidth(main);
  const int resumedFrom = width;
  expect(captionShows(main, L"暂停") && width < 720, "still paused");
  expect(click(pauseButton(main)), "\"继续\" clicked");
  expect(waitFor([&] { return captionShows(main, L"打包中..."); }, 5000), "the caption says \"打包中...\" again");
  // Paused again at once, inside the archive step, so that the stop lands before the join.
  Sleep(300);
  expect(click(pauseButton(main)), "\"暂停\" clicked again");
  expect(waitFor([&] { return captionShows(main, L"暂停"); }, 5000), "the caption says \"暂停\" again");
  Sleep(500);
  width = progressWidth(main);
  std::printf("paused again at width %d\n", width);
  expect(width > resumedFrom && width < 703, "the resumed run moved on and paused again inside the archive step");
  expect(click(stopButton(main)), "\"停止\" clicked");
  HWND box = findDialog(nullptr);
  expect(box != nullptr && messageText(box) == L"真的要停止打包吗?", "the stop question shows");
  if (!box) return 1;
  expect(click(GetDlgItem(box, IDYES)), "Yes clicked");
  expect(waitFor([&] { return !IsWindow(box); }, 5000), "the question closed");
  expect(waitFor([&] { return currentPage(main) == L"打包"; }, 10000), "the pack page shows again");
  return failures ? 1 : 0;
}

int refuseWithoutOutput(HWND main) {
  expect(click(packButton(main)), "\"开始打包\" clicked");
  HWND box = findDialog(L"请选择输出文件路径");
  expect(box != nullptr, "a message box with the caption \"请选择输出文件路径\" shows");
  if (!box) return 1;
  expect(messageText(box) == L"请选择输出文件路径", "its text is \"请选择输出文件路径\"");
  std::printf("message box shown\n");
  std::fflush(stdout);
  Sleep(2500);  // time for the screenshot
  expect(click(GetDlgItem(box, IDOK)), "OK clicked");
  expect(waitFor([&] { return !IsWindow(box); }, 5000), "the box closed");
  expect(currentPage(main) == L"打包", "the pack page still shows");
  return failures ? 1 : 0;
}

void mouseButton(bool down) {
  INPUT input = {};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
  SendInput(1, &input, sizeof(INPUT));
}

// Holds the left button at the point, moves the mouse by dx, dy and lets go: the window follows.
bool dragsWindow(HWND main, POINT from, int dx, int dy) {
  RECT before;
  GetWindowRect(main, &before);
  SetForegroundWindow(main);
  SetCursorPos(from.x, from.y);
  Sleep(150);
  mouseButton(true);
  Sleep(150);
  for (int step = 1; step <= 10; ++step) {
    SetCursorPos(from.x + dx * step / 10, from.y + dy * step / 10);
    Sleep(30);
  }
  Sleep(150);
  mouseButton(false);
  RECT after;
  bool moved = waitFor([&] {
    GetWindowRect(main, &after);
    return after.left == before.left + dx && after.top == before.top + dy;
  }, 3000);
  std::printf("window from %ld,%ld to %ld,%ld\n", before.left, before.top, after.left, after.top);
  return moved;
}

// The title and an empty part of the pack page move the window; an edit box does not.
int drag(HWND main) {
  RECT title;
  GetWindowRect(findChild(main, L"Tervalo1.7 - Korvel\u5DE5\u4F5C\u5BA4"), &title);
  expect(dragsWindow(main, POINT{title.left + 40, title.top + 9}, 40, 30), "dragging the title moves the window");
  RECT page;
  GetWindowRect(pages(main), &page);
  expect(dragsWindow(main, POINT{page.left + 20, page.top + 450}, -40, -30), "dragging the page's surface moves it back");
  RECT box;
  GetWindowRect(sourceBox(main), &box);
  RECT before, after;
  GetWindowRect(main, &before);
  SetCursorPos(box.left + 20, box.top + 10);
  Sleep(100);
  mouseButton(true);
  SetCursorPos(box.left + 60, box.top + 40);
  Sleep(200);
  mouseButton(false);
  Sleep(300);
  GetWindowRect(main, &after);
  expect(EqualRect(&before, &after), "dragging on an edit box leaves the window where it is");
  return failures ? 1 : 0;
}

// The category strip: the one child of the window whose top is 25 and height 80.
HWND categoryStrip(HWND main) {
  for (HWND c = GetWindow(main, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    RECT r;
    GetWindowRect(c, &r);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&r), 2);
    if (r.top == 25 && r.bottom - r.top == 80) return c;
  }
  return nullptr;
}

// Moving the mouse along the strip slides it against the mouse, so every item can be reached.
int slide(HWND main) {
  HWND strip = categoryStrip(main);
  expect(strip != nullptr, "the category strip found");
  if (!strip) return 1;
  RECT window, r;
  GetWindowRect(main, &window);
  auto stripLeft = [&] {
    GetWindowRect(strip, &r);
    return static_cast<int>(r.left - window.left);
  };
  GetWindowRect(strip, &r);
  int width = r.right - r.left;
  std::printf("strip %d pixels wide\n", width);
  expect(width > 800, "the nine items make the strip wider than the window");
  // Sweep to the right edge and back, the way a mouse passes over the strip and its items.
  for (int x = 10; x <= 795; x += 15) {
    SetCursorPos(window.left + x, window.top + 60);
    Sleep(20);
  }
  SetCursorPos(window.left + 795, window.top + 60);
  Sleep(300);
  int right = stripLeft();
  std::printf("strip left %d with the mouse at the right edge\n", right);
  expect(right <= -(width - 800) * 9 / 10 && right >= -(width - 800), "the strip's right end came into the window");
  for (int x = 795; x >= 6; x -= 15) {
    SetCursorPos(window.left + x, window.top + 60);
    Sleep(20);
  }
  SetCursorPos(window.left + 6, window.top + 60);
  Sleep(300);
  int left = stripLeft();
  std::printf("strip left %d with the mouse at the left edge\n", left);
  expect(left <= 0 && left >= -(width - 800) / 10, "the strip's left end came back");
  SetCursorPos(window.left + 400, window.top + 400);
  return failures ? 1 : 0;
}

// Clicks a category item; the strip slides under the mouse, so it follows the item until it rests.
bool clickCategory(HWND main, const wchar_t* caption) {
  HWND item = findChild(categoryStrip(main), caption);
  if (!item) return false;
  RECT r{}, last{};
  for (int i = 0; i < 20; ++i) {
    GetWindowRect(item, &r);
    if (i > 0 && EqualRect(&r, &last)) break;
    last = r;
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    Sleep(100);
  }
  clickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  return true;
}

// Category items switch the pages: page titles follow the item clicked.
int categories(HWND main) {
  struct Step {
    const wchar_t* caption;
    const wchar_t* page;
  };
  const Step steps[] = {{L"帮助", L"帮助"}, {L"关于", L"关于"}, {L"更新介绍", L"更新介绍"}, {L"打包", L"打包"}};
  for (const Step& s : steps) {
    char what[128];
    std::snprintf(what, sizeof what, "\"%s\" shows its page", utf8(s.caption).c_str());
    expect(clickCategory(main, s.caption) && waitFor([&] { return currentPage(main) == s.page; }, 5000), what);
  }
  return failures ? 1 : 0;
}

// "浏览" beside the output: a name typed without extension comes back with ".exe".
int chooseOutput(HWND main, const std::wstring& typed) {
  expect(click(onPage(main, 600, 80, 80, 24)), "\"浏览\" beside the output clicked");
  HWND dialog = findDialog(nullptr);
  expect(dialog != nullptr, "the save dialog appeared");
  if (!dialog) return 1;
  Sleep(500);
  typeText(typed);
  Sleep(300);
  pressKey(VK_RETURN);
  expect(waitFor([&] { return !IsWindow(dialog) || !IsWindowVisible(dialog); }, 15000), "the dialog closed");
  bool taken = waitFor([&] { return textOf(outputBox(main)) == typed + L".exe"; }, 5000);
  std::printf("output: %s\n", utf8(textOf(outputBox(main))).c_str());
  expect(taken, "the output box shows the typed name with \".exe\"");
  return failures ? 1 : 0;
}

int closeProgram(HWND main) {
  DWORD processId = 0;
  GetWindowThreadProcessId(main, &processId);
  HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, processId);
  expect(click(findChild(main, L"\u00D7")), "\"×\" clicked");
  expect(process && WaitForSingleObject(process, 15000) == WAIT_OBJECT_0, "the program ended");
  if (process) CloseHandle(process);
  return failures ? 1 : 0;
}

BOOL CALLBACK printChild(HWND child, LPARAM) {
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  RECT r;
  GetWindowRect(child, &r);
  HWND parent = GetParent(child);
  MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&r), 2);
  std::printf("%p in %p %s %ld,%ld %ldx%ld %s \"%s\"\n", static_cast<void*>(child), static_cast<void*>(parent),
              utf8(cls).c_str(), r.left, r.top, r.right - r.left, r.bottom - r.top,
              IsWindowVisible(child) ? "visible" : "hidden", utf8(textOf(child)).c_str());
  return TRUE;
}

// Every child window with its class, place and text, to see what the program shows.
int dump(HWND main) {
  EnumChildWindows(main, printChild, 0);
  return 0;
}

}  // namespace

int main() {
  // Arguments as UTF-16: a path may hold Chinese characters, whatever the ANSI code page.
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  std::wstring command = argc >= 2 ? argv[1] : L"";
  HWND main = findMainWindow();
  expect(main != nullptr, "main window found");
  if (!main) return 1;
  expect(waitFor([&] { return IsWindowVisible(main) != FALSE; }, 30000), "main window visible");
  if (command == L"dump") return dump(main);
  if (command == L"choose-source" && argc == 3) return chooseSource(main, argv[2]);
  if (command == L"pack-wait") return packAndWait(main);
  if (command == L"return") return returnToPackPage(main);
  if (command == L"pack-pause") return packAndPause(main);
  if (command == L"resume-stop") return resumeAndStop(main);
  if (command == L"refuse-no-output") return refuseWithoutOutput(main);
  if (command == L"close") return closeProgram(main);
  if (command == L"drag") return drag(main);
  if (command == L"slide") return slide(main);
  if (command == L"categories") return categories(main);
  if (command == L"choose-output" && argc == 3) return chooseOutput(main, argv[2]);
  std::printf("usage: driver choose-source PATH | pack-wait | return | pack-pause | resume-stop | refuse-no-output | drag | slide | categories | choose-output NAME | close | dump\n");
  return 2;
}
