// The control model, events and operations of the toolkit, driven through the headless backend.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

#include "ui/headless.h"
#include "ui/toolkit.h"

namespace {

using ui::Kind;

ui::WindowTemplate sampleTemplate() {
  ui::WindowTemplate t;
  t.window = ui::control(Kind::kWindow, "窗口").at(0, 0, 400, 300).text("样例");
  t.add(ui::control(Kind::kEditBox, "编辑框_路径").at(10, 10, 200, 25).text("请选择"));
  t.add(ui::control(Kind::kLabel, "标签_说明").at(10, 40, 200, 20));
  t.add(ui::control(Kind::kColourPicker, "颜色选择器_底色").at(10, 70, 60, 20));
  t.add(ui::pageControl("选择夹", {"一", "二", "三"}).at(0, 100, 400, 200));
  t.add(ui::control(Kind::kPictureButton, "按钮_第二页").in("选择夹", 1).at(5, 5, 80, 32));
  t.add(ui::control(Kind::kHyperlink, "链接_分类").at(20, 15, 80, 50).tag("0").text("打包"));
  t.add(ui::control(Kind::kHyperlink, "链接_官网").at(120, 15, 80, 50).tag("7").address("www.example.com"));
  t.add(ui::control(Kind::kCanvas, "画板").hidden().font("宋体", 24));
  t.add(ui::control(Kind::kFileDialog, "对话框_保存").saving().filter("应用程序|*.exe"));
  t.add(ui::control(Kind::kDropTarget, "拖放"));
  t.add(ui::control(Kind::kTimer, "时钟"));
  return t;
}

struct ToolkitTest : ::testing::Test {
  ui::HeadlessBackend backend;
  ui::ScriptedDesktop desktop;
  ui::Toolkit toolkit{backend, desktop};
  ui::Window& window = toolkit.loadWindow(sampleTemplate(), nullptr, nullptr);
  ui::Control c(const char* name) { return window.control(name); }
};

TEST_F(ToolkitTest, TemplateGivesEveryControlItsKindParentPageAndFirstProperties) {
  ui::Control button = c("按钮_第二页");
  EXPECT_EQ(button.kind(), Kind::kPictureButton);
  EXPECT_EQ(button.parent(), c("选择夹"));
  EXPECT_EQ(button.page(), 1);
  EXPECT_EQ(button.left(), 5);
  EXPECT_EQ(button.width(), 80);
  EXPECT_EQ(c("编辑框_路径").parent(), window.self());
  EXPECT_EQ(c("选择夹").pageCount(), 3);
  EXPECT_EQ(window.self().text(), "样例");
  EXPECT_FALSE(window.find("没有这个控件"));
}

TEST_F(ToolkitTest, FindByTagReadsTheTagAsAnInteger) {
  EXPECT_EQ(window.findByTag(0), c("链接_分类"));
  EXPECT_EQ(window.findByTag(7), c("链接_官网"));
  EXPECT_FALSE(window.findByTag(3));
}

TEST_F(ToolkitTest, CopyIsHiddenSitsJustAboveTheOriginalAndSharesLookAndHandlers) {
  int clicks = 0;
  c("链接_分类").onLeftPressed([&] { ++clicks; });
  ui::Control copy = toolkit.copyControl(c("链接_分类"));
  EXPECT_FALSE(copy.visible());
  EXPECT_EQ(copy.text(), "打包");
  EXPECT_EQ(copy.top(), 15);
  EXPECT_EQ(copy.parent(), window.self());
  std::vector<int> order = window.zOrder();
  auto original = std::find(order.begin(), order.end(), c("链接_分类").id());
  ASSERT_NE(original + 1, order.end());
  EXPECT_EQ(*(original + 1), copy.id());
  copy.setVisible(true);
  EXPECT_TRUE(ui::input::press(copy));
  EXPECT_EQ(clicks, 1);
  // The copy is its own control: changing it leaves the original alone.
  copy.setText("帮助");
  EXPECT_EQ(c("链接_分类").text(), "打包");
}

TEST_F(ToolkitTest, EditBoxTextFromCodeRaisesTextChangedOnlyWhenItChanges) {
  int changes = 0;
  c("编辑框_路径").on(ui::Event::kTextChanged, [&](const ui::EventArgs&) { ++changes; });
  c("编辑框_路径").setText("C:\\演示.ppt");
  c("编辑框_路径").setText("C:\\演示.ppt");
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(ui::input::type(c("编辑框_路径"), "D:\\b.pptx"));
  EXPECT_EQ(changes, 2);
}

TEST_F(ToolkitTest, ColourPickerValueFromCodeRaisesNothing) {
  int changes = 0;
  c("颜色选择器_底色").on(ui::Event::kColourChanged, [&](const ui::EventArgs&) { ++changes; });
  c("颜色选择器_底色").setColour(ui::kTransparentColour);
  EXPECT_EQ(c("颜色选择器_底色").colour(), ui::kTransparentColour);
  EXPECT_EQ(changes, 0);
}

TEST_F(ToolkitTest, InputReachesOnlyControlsAPersonCouldReach) {
  int clicks = 0;
  c("按钮_第二页").onClicked([&] { ++clicks; });
  EXPECT_FALSE(ui::input::click(c("按钮_第二页")));  // its page is not showing
  c("选择夹").setCurrentPage(1);
  EXPECT_TRUE(ui::input::click(c("按钮_第二页")));
  c("按钮_第二页").setDisabled(true);
  EXPECT_FALSE(ui::input::click(c("按钮_第二页")));
  c("按钮_第二页").setDisabled(false);
  c("选择夹").setVisible(false);
  EXPECT_FALSE(ui::input::click(c("按钮_第二页")));
  EXPECT_EQ(clicks, 1);
  c("选择夹").setCurrentPage(5);  // outside the pages: ignored
  EXPECT_EQ(c("选择夹").currentPage(), 1);
}

TEST_F(ToolkitTest, EventSourceIsTheControlWhoseHandlerRuns) {
  ui::Control seen;
  auto remember = [&] { seen = toolkit.eventSource(); };
  c("链接_分类").onLeftPressed(remember);
  ui::Control copy = toolkit.copyControl(c("链接_分类"));
  copy.setVisible(true);
  ui::input::press(copy);
  EXPECT_EQ(seen, copy);
  ui::input::press(c("链接_分类"));
  EXPECT_EQ(seen, c("链接_分类"));
  EXPECT_FALSE(toolkit.eventSource().valid());
}

TEST_F(ToolkitTest, LinkRunsItsHandlerThenOpensItsAddressThenShowsVisited) {
  ui::Control link = c("链接_官网");
  link.setTextColour(ui::rgb(128, 128, 128));
  link.setVisitedColour(ui::rgb(1, 2, 3));
  std::size_t opensSeenByHandler = 99;
  link.onLeftPressed([&] { opensSeenByHandler = desktop.shellOpens().size(); });
  ui::input::press(link);
  EXPECT_EQ(opensSeenByHandler, 0u);
  EXPECT_EQ(desktop.shellOpens(), std::vector<std::string>{"www.example.com"});
  EXPECT_EQ(link.textColour(), ui::rgb(1, 2, 3));
}

TEST_F(ToolkitTest, LinkThatCannotOpenKeepsItsColourAndOneWithoutAddressOpensNothing) {
  desktop.setShellOpenSucceeds(false);
  c("链接_官网").setTextColour(ui::rgb(128, 128, 128));
  ui::input::press(c("链接_官网"));
  EXPECT_EQ(c("链接_官网").textColour(), ui::rgb(128, 128, 128));
  ui::input::press(c("链接_分类"));
  EXPECT_EQ(desktop.shellOpens().size(), 1u);
}

TEST_F(ToolkitTest, MessageBoxTakesTheDefaultCaptionAndReturnsTheScriptedAnswer) {
  desktop.answerMessageBox(kResultNo);
  EXPECT_EQ(toolkit.messageBox("真的要停止打包吗?", "", kMbYesNo), kResultNo);
  EXPECT_EQ(toolkit.messageBox("完成"), kResultOk);
  std::vector<ui::ScriptedDesktop::MessageBoxCall> calls = desktop.messageBoxes();
  ASSERT_EQ(calls.size(), 2u);
  EXPECT_EQ(calls[0].caption, "信息：");
  EXPECT_EQ(calls[0].flags, kMbYesNo);
  EXPECT_EQ(calls[1].caption, "信息：");
}

TEST_F(ToolkitTest, FileDialogPassesItsFilterAndKindAndKeepsTheChosenPath) {
  ui::Control dialog = c("对话框_保存");
  desktop.answerFileDialog(std::nullopt);
  EXPECT_FALSE(toolkit.runFileDialog(dialog));
  EXPECT_EQ(dialog.chosenPath(), "");
  desktop.answerFileDialog("C:\\输出\\演示.exe");
  EXPECT_TRUE(toolkit.runFileDialog(dialog));
  EXPECT_EQ(dialog.chosenPath(), "C:\\输出\\演示.exe");
  std::vector<ui::FileDialogRequest> requests = desktop.fileDialogs();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_TRUE(requests[1].save);
  EXPECT_EQ(requests[1].filter, "应用程序|*.exe");
}

TEST_F(ToolkitTest, DropTargetDeliversDroppedPathsToItsHandler) {
  std::string got;
  c("拖放").on(ui::Event::kGotFiles, [&](const ui::EventArgs& a) { got = a.text; });
  ASSERT_TRUE(toolkit.registerDropTarget(c("拖放"), window));
  EXPECT_EQ(desktop.dropTargets(), std::vector<std::uintptr_t>{backend.nativeHandle(window)});
  desktop.drop("C:\\a.ppt\r\nC:\\b.pptx\r\n");
  EXPECT_EQ(got, "C:\\a.ppt\r\nC:\\b.pptx\r\n");
}

TEST_F(ToolkitTest, TextWidthIsMeasuredInTheCanvasFont) {
  desktop.setTextWidthPerByte(6);
  EXPECT_EQ(toolkit.textWidth(c("画板"), "帮助"), 4 * 6 * 24 / 12);
  c("画板").setFont(ui::Font{"微软雅黑", 12, false});
  EXPECT_EQ(toolkit.textWidth(c("画板"), "帮助"), 4 * 6);
}

TEST_F(ToolkitTest, TimerTicksOnlyWhileItHasAPeriod) {
  int ticks = 0;
  c("时钟").on(ui::Event::kTick, [&](const ui::EventArgs&) { ++ticks; });
  EXPECT_FALSE(ui::input::timerTick(c("时钟")));
  c("时钟").setInterval(10);
  EXPECT_TRUE(ui::input::timerTick(c("时钟")));
  c("时钟").setInterval(0);
  EXPECT_FALSE(ui::input::timerTick(c("时钟")));
  EXPECT_EQ(ticks, 1);
}

TEST_F(ToolkitTest, ZOrderMovesAControlAboveOrBelowItsSiblings) {
  toolkit.setZOrder(c("编辑框_路径"), ui::kZTopmost);
  EXPECT_EQ(window.zOrder().back(), c("编辑框_路径").id());
  toolkit.setZOrder(c("编辑框_路径"), ui::kZBottom);
  EXPECT_EQ(window.zOrder()[1], c("编辑框_路径").id());
  EXPECT_EQ(window.zOrder()[0], 0);  // the window itself
}

TEST_F(ToolkitTest, EventsRaisedOnAWorkerRunOnTheUserInterfaceThread) {
  std::thread::id ranOn;
  c("编辑框_路径").on(ui::Event::kTextChanged, [&](const ui::EventArgs&) { ranOn = std::this_thread::get_id(); });
  std::thread worker([&] { c("编辑框_路径").setText("由工作线程写入"); });
  worker.join();
  EXPECT_EQ(ranOn, std::thread::id());  // not yet: it waits for the user-interface thread
  backend.runPosted();
  EXPECT_EQ(ranOn, std::this_thread::get_id());
}

// Meaningful under ThreadSanitizer: workers write while the user-interface thread reads and writes.
TEST_F(ToolkitTest, PropertiesWrittenFromSeveralThreadsStayWhole) {
  constexpr int kRounds = 2000;
  ui::Control label = c("标签_说明");
  std::atomic<bool> go{false};
  auto writer = [&](int seed) {
    while (!go) std::this_thread::yield();
    for (int i = 0; i < kRounds; ++i) {
      label.setWidth(seed + i);
      label.setText(std::string(1 + (i % 40), seed == 0 ? 'a' : 'b'));
      label.setPictures(ui::Pictures{ByteSet(i % 64, 1), {}, {}});
    }
  };
  std::thread a(writer, 0), b(writer, 1);
  go = true;
  for (int i = 0; i < kRounds; ++i) {
    std::string text = label.text();
    // A text is always one writer's whole value: all 'a' or all 'b'.
    ASSERT_TRUE(text.find_first_not_of(text.empty() ? 'x' : text[0]) == std::string::npos) << text;
    label.setLeft(i);
    (void)label.pictures();
  }
  a.join();
  b.join();
  EXPECT_EQ(label.left(), kRounds - 1);
}

}  // namespace
