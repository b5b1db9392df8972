// The Win32 backend against real native windows: the model mirrored onto them, from the
// user-interface thread and from workers, and native input turned back into model events.
#include <gtest/gtest.h>

#include <windows.h>

#include <thread>

#include "core/gbk_text_win32.h"
#include "ui/headless.h"
#include "ui/toolkit.h"
#include "ui/win32_platform.h"

namespace {

using ui::Kind;

ui::WindowTemplate nativeTemplate() {
  ui::WindowTemplate t;
  t.window = ui::control(Kind::kWindow, "窗口").at(10, 10, 400, 300).text("原生").hidden();
  t.add(ui::control(Kind::kEditBox, "编辑框").at(10, 10, 200, 25).text("请输入"));
  t.add(ui::control(Kind::kComboBox, "组合框").at(10, 40, 120, 25).items({"标准界面", "隐藏界面"}, 0));
  t.add(ui::control(Kind::kCheckBox, "选择框").at(10, 70, 120, 24).text("使用密码"));
  t.add(ui::control(Kind::kLabel, "标签").at(220, 10, 100, 20).text("说明"));
  t.add(ui::pageControl("选择夹", {"一", "二"}).at(0, 100, 400, 200));
  t.add(ui::control(Kind::kHyperlink, "链接_第二页").in("选择夹", 1).at(5, 5, 80, 20).text("第二页"));
  t.add(ui::control(Kind::kTimer, "时钟"));
  return t;
}

// Needs a display: under Wine without one no window can be made, and these tests skip. The
// end-to-end harness runs them again with its own Xvfb.
struct Win32Backend : ::testing::Test {
  std::unique_ptr<ui::Backend> backend = ui::makeWin32Backend();
  ui::ScriptedDesktop desktop;
  ui::Toolkit toolkit{*backend, desktop};
  ui::Window& window = toolkit.loadWindow(nativeTemplate(), nullptr, nullptr);

  void SetUp() override {
    if (!top()) GTEST_SKIP() << "no native window could be made (no display)";
  }

  HWND top() { return reinterpret_cast<HWND>(backend->nativeHandle(window)); }
  // The native child whose text is text.
  HWND child(const wchar_t* text) { return FindWindowExW(findParent(text), nullptr, nullptr, text); }
  HWND findParent(const wchar_t* text) {
    if (FindWindowExW(top(), nullptr, nullptr, text)) return top();
    HWND pages = FindWindowExW(top(), nullptr, nullptr, L"一");
    if (!pages) pages = FindWindowExW(top(), nullptr, nullptr, L"二");
    return pages;
  }
  static std::wstring textOf(HWND hwnd) {
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
  }
  static void pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
  }
};

TEST_F(Win32Backend, NativesStartAsTheTemplateSays) {
  ASSERT_TRUE(top());
  EXPECT_EQ(textOf(top()), L"原生");
  EXPECT_FALSE(IsWindowVisible(top()));
  HWND edit = FindWindowExW(top(), nullptr, L"EDIT", nullptr);
  ASSERT_TRUE(edit);
  EXPECT_EQ(textOf(edit), L"请输入");
  RECT r;
  GetWindowRect(edit, &r);
  EXPECT_EQ(r.right - r.left, 200);
  EXPECT_EQ(r.bottom - r.top, 25);
  HWND combo = FindWindowExW(top(), nullptr, L"COMBOBOX", nullptr);
  ASSERT_TRUE(combo);
  EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
}

TEST_F(Win32Backend, ChangesOnTheUserInterfaceThreadReachTheNativesAtOnce) {
  ui::Control label = window.control("标签");
  label.setText("新的说明");
  label.setLeft(230);
  HWND native = child(L"新的说明");
  ASSERT_TRUE(native);
  RECT r;
  GetWindowRect(native, &r);
  MapWindowPoints(HWND_DESKTOP, top(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 230);
  window.control("选择框").setTicked(true);
  EXPECT_EQ(SendMessageW(child(L"使用密码"), BM_GETCHECK, 0, 0), BST_CHECKED);
}

TEST_F(Win32Backend, ChangesFromAWorkerReachTheNativesThroughTheMessageQueue) {
  ui::Control label = window.control("标签");
  std::thread worker([&] {
    label.setText("工作线程");
    label.setWidth(150);
  });
  worker.join();
  EXPECT_EQ(label.text(), "工作线程");  // the model answers at once
  pump();
  HWND native = child(L"工作线程");
  ASSERT_TRUE(native);
  RECT r;
  GetWindowRect(native, &r);
  EXPECT_EQ(r.right - r.left, 150);
}

TEST_F(Win32Backend, TypingAndChoosingReachTheModelAndRaiseTheirEvents) {
  int changes = 0, selections = 0;
  window.control("编辑框").on(ui::Event::kTextChanged, [&](const ui::EventArgs&) { ++changes; });
  window.control("组合框").on(ui::Event::kItemSelected, [&](const ui::EventArgs&) { ++selections; });
  // Text set from code raises its event once, not again when the native reports the change.
  window.control("编辑框").setText("代码");
  EXPECT_EQ(changes, 1);
  HWND edit = FindWindowExW(top(), nullptr, L"EDIT", nullptr);
  EXPECT_EQ(textOf(edit), L"代码");
  // A person typing: the native changes first, character by character.
  SendMessageW(edit, EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"键入")) SendMessageW(edit, WM_CHAR, c, 1);
  std::string typed;
  gbk::wideToGbk(L"键入", typed);
  EXPECT_EQ(window.control("编辑框").text(), typed);
  EXPECT_EQ(changes, 3);  // one per typed character, as the system reports them
  HWND combo = FindWindowExW(top(), nullptr, L"COMBOBOX", nullptr);
  SendMessageW(combo, CB_SETCURSEL, 1, 0);
  SendMessageW(top(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(combo), CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
  EXPECT_EQ(window.control("组合框").currentIndex(), 1);
  EXPECT_EQ(selections, 1);
}

TEST_F(Win32Backend, OnlyTheCurrentPageShowsItsControls) {
  window.self().setVisible(true);
  HWND link = child(L"第二页");
  ASSERT_TRUE(link);
  EXPECT_FALSE(IsWindowVisible(link));
  window.control("选择夹").setCurrentPage(1);
  EXPECT_TRUE(IsWindowVisible(link));
  EXPECT_EQ(textOf(GetParent(link)), L"二");  // a page control names its current page
  window.control("选择夹").setCurrentPage(0);
  EXPECT_FALSE(IsWindowVisible(link));
}

TEST_F(Win32Backend, TimerTicksOnTheUserInterfaceThreadUntilStopped) {
  int ticks = 0;
  ui::Control timer = window.control("时钟");
  timer.on(ui::Event::kTick, [&](const ui::EventArgs&) {
    EXPECT_TRUE(backend->onUiThread());
    if (++ticks == 3) timer.setInterval(0);
  });
  timer.setInterval(10);
  // Waits for the ticks, however slowly they come; the test only fails if they never do.
  for (int i = 0; i < 1000 && ticks < 3; ++i) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    pump();
  }
  EXPECT_EQ(ticks, 3);
  Sleep(50);
  pump();
  EXPECT_EQ(ticks, 3);  // stopped
}

TEST_F(Win32Backend, BackgroundOfAMovableWindowActsAsItsCaption) {
  window.self().setVisible(true);
  RECT r;
  GetWindowRect(top(), &r);
  // A point that no control covers.
  LPARAM inside = MAKELPARAM(r.left + 390, r.top + 50);
  EXPECT_EQ(SendMessageW(top(), WM_NCHITTEST, 0, inside), HTCLIENT);
  // Templates switch it on; here through the model as a template would.
  window.setFromNative(0, &ui::ControlProps::movableByBackground, true);
  EXPECT_EQ(SendMessageW(top(), WM_NCHITTEST, 0, inside), HTCAPTION);
}

TEST_F(Win32Backend, MinimisingThroughThePositionProperty) {
  window.self().setVisible(true);
  window.self().setPosition(ui::kPositionMinimised);
  EXPECT_TRUE(IsIconic(top()));
  window.self().setPosition(ui::kPositionNormal);
  EXPECT_FALSE(IsIconic(top()));
}

}  // namespace
