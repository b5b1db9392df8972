// The pack-progress page: its controls, the pause button's two looks and the view the job writes.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/app_fixture.h"
#include "app/button_pictures.h"

namespace {

struct ProgressPage : AppFixture, ::testing::Test {
  ProgressPage() { loadMainWindow(app); }
  PackProgressPage& page() { return main().progress; }
};

TEST_F(ProgressPage, ControlsSitOnTheLastPageInTheirPlaces) {
  struct Place {
    ui::Control control;
    int left, top, width, height;
  };
  PackProgressPage& p = page();
  const Place places[] = {
      {p.标签_打包广告标题, 35, 27, 712, 20},     {p.超文本浏览框_打包广告, 35, 48, 725, 330},
      {p.超级链接框_浏览器打开广告1, 240, 384, 302, 20}, {p.标签_打包进度提示, 40, 393, 712, 16},
      {p.标签_打包进度背景, 39, 416, 722, 17},     {p.按钮_运行打包文件, 134, 448, 150, 32},
      {p.按钮_暂停打包, 262, 448, 80, 32},         {p.按钮_打开文件目录, 352, 448, 100, 32},
      {p.按钮_停止打包, 448, 448, 80, 32},         {p.按钮_返回, 536, 448, 100, 32},
  };
  for (const Place& place : places) {
    SCOPED_TRACE(place.control.name());
    EXPECT_EQ(place.control.parent(), main().高级选择夹1);
    EXPECT_EQ(place.control.page(), kPackProgressPage);
    EXPECT_EQ(place.control.left(), place.left);
    EXPECT_EQ(place.control.top(), place.top);
    EXPECT_EQ(place.control.width(), place.width);
    EXPECT_EQ(place.control.height(), place.height);
  }
  ui::Gradient bar = p.标签_打包进度.gradient();
  EXPECT_EQ(bar.mode, ui::kGradientTopToBottom);
  EXPECT_EQ(bar.colours, (std::array<ui::Colour, 3>{ui::rgb(255, 255, 255), ui::rgb(179, 217, 255), ui::rgb(223, 239, 255)}));
  EXPECT_EQ(p.标签_打包进度.left(), 40);
  EXPECT_EQ(p.标签_打包进度.top(), 417);
  EXPECT_EQ(p.标签_打包进度.height(), 15);
  EXPECT_EQ(p.标签_打包进度背景.backColour(), ui::rgb(245, 245, 245));
}

TEST_F(ProgressPage, PauseButtonSwitchesBetweenItsLooksAndTheCaptionFollows) {
  main().高级选择夹1.setCurrentPage(kPackProgressPage);
  ui::input::click(page().按钮_暂停打包);
  EXPECT_EQ(page().按钮_暂停打包.pictures(), pictures::resumeLook());
  EXPECT_EQ(page().标签_打包进度提示.text(), "暂停");
  ui::input::click(page().按钮_暂停打包);
  EXPECT_EQ(page().按钮_暂停打包.pictures(), pictures::pauseLook());
  EXPECT_EQ(page().标签_打包进度提示.text(), "打包中...");
}

TEST_F(ProgressPage, StopAsksAndOnYesLeavesTheProgressPage) {
  main().高级选择夹1.setCurrentPage(kPackProgressPage);
  app.globals.packPageActive = 1;
  page().标签_打包进度.setWidth(300);
  desktop.answerMessageBox(kResultNo);
  ui::input::click(page().按钮_停止打包);
  EXPECT_EQ(app.globals.packPageActive, 1);
  desktop.answerMessageBox(kResultYes);
  ui::input::click(page().按钮_停止打包);
  EXPECT_EQ(app.globals.packPageActive, 0);
  EXPECT_EQ(main().高级选择夹1.currentPage(), kPackPage);
  EXPECT_EQ(page().标签_打包进度.width(), 0);
  ASSERT_EQ(desktop.messageBoxes().size(), 2u);
  EXPECT_EQ(desktop.messageBoxes()[0].text, "真的要停止打包吗?");
}

TEST_F(ProgressPage, CompletionButtonsReplaceStopAndPauseAndReturnLeavesThePage) {
  ControlsPackJobView& view = *app.packView;
  main().高级选择夹1.setCurrentPage(kPackPage);
  view.showPackProgressPage();
  EXPECT_TRUE(view.packProgressPageShowing());
  view.showCompletionButtons();
  view.setPackPageActive(1);
  EXPECT_FALSE(page().按钮_停止打包.visible());
  EXPECT_FALSE(page().按钮_暂停打包.visible());
  EXPECT_TRUE(page().按钮_打开文件目录.visible());
  EXPECT_TRUE(page().按钮_运行打包文件.visible());
  ASSERT_TRUE(ui::input::click(page().按钮_返回));
  EXPECT_EQ(app.globals.packPageActive, 0);
  EXPECT_EQ(main().高级选择夹1.currentPage(), kPackPage);
}

// Meaningful under ThreadSanitizer: the job's thread writes the bar while the user reads the page.
TEST_F(ProgressPage, JobThreadWritesWhileTheUserInterfaceThreadReads) {
  ControlsPackJobView& view = *app.packView;
  std::atomic<bool> done{false};
  std::thread job([&] {
    for (int w = 0; w <= 720; ++w) {
      view.setProgressWidth(w);
      view.setProgressCaption(w % 2 ? "打包中..." : "暂停");
    }
    view.setPackPageActive(1);
    done = true;
  });
  int last = 0;
  while (!done) {
    int w = page().标签_打包进度.width();
    EXPECT_GE(w, last);
    last = w;
    (void)page().标签_打包进度提示.text();
    (void)app.globals.packPageActive.load();
  }
  job.join();
  EXPECT_EQ(page().标签_打包进度.width(), 720);
}

}  // namespace
