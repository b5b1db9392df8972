// Start-up order and results, the title-bar links and the end of the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "app/button_pictures.h"
#include "app/app_fixture.h"

namespace {

struct Startup : AppFixture, ::testing::Test {
  void start() {
    app.globals.updateInfo.set(std::vector<std::string>{});
    loadMainWindow(app);
  }
  // Waits for the ad loader's thread, which start-up does not keep.
  void waitForAdsHook() {
    for (int i = 0; i < 10000; ++i) {
      auto c = calls();
      if (std::any_of(c.begin(), c.end(), [](auto& call) { return call.first == "ads"; })) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
  std::size_t logIndex(const std::string& entry) {
    std::vector<std::string> log = backend.log();
    return std::find(log.begin(), log.end(), entry) - log.begin();
  }
};

TEST_F(Startup, FinishedWindowShowsThePackPageWithoutHeadersAndTheFrameOnTop) {
  start();
  MainWindow& w = main();
  EXPECT_EQ(w.window.self().text(), "Tervalo");
  EXPECT_EQ(w.window.self().width(), 800);
  EXPECT_EQ(w.window.self().height(), 600);
  EXPECT_EQ(w.window.self().position(), ui::kPositionCentre);
  EXPECT_TRUE(w.window.self().movableByBackground());
  EXPECT_TRUE(w.高级选择夹1.hideHeaders());
  EXPECT_EQ(w.高级选择夹1.currentPage(), kPackPage);
  EXPECT_EQ(w.高级选择夹1.pageCount(), 10);
  EXPECT_EQ(w.高级选择夹1.items().back(), "打包中");
  EXPECT_EQ(w.标签_广告载入进度.width(), 0);
  EXPECT_EQ(w.标签_官网载入进度.width(), 0);
  EXPECT_EQ(w.progress.按钮_暂停打包.pictures(), pictures::pauseLook());
  EXPECT_EQ(app.globals.categoryNextX, 80);
  EXPECT_EQ(app.globals.playerOpacity, 0);
  EXPECT_EQ(w.超级链接框_分类.tag(), "0");
  EXPECT_EQ(w.超级链接框_分类.text(), "打包");
  // The four edges end above everything, in the order they were raised.
  std::vector<int> order = w.window.zOrder();
  std::vector<int> top(order.end() - 4, order.end());
  EXPECT_EQ(top, (std::vector<int>{w.调整左面背景.id(), w.调整下面背景.id(), w.调整上面背景.id(), w.调整右面背景.id()}));
  EXPECT_EQ(desktop.dropTargets(), std::vector<std::uintptr_t>{backend.nativeHandle(w.window)});
}

TEST_F(Startup, StepsRunInTheirOrder) {
  start();
  waitForAdsHook();
  std::vector<std::string> log = backend.log();
  // Toolkit steps: look first, then the edges, then the focus; the window is shown afterwards.
  std::size_t look = logIndex("xplook 3");
  std::size_t firstEdge = logIndex("zorder 调整左面背景");
  std::size_t lastEdge = logIndex("zorder 调整右面背景");
  std::size_t focus = logIndex("focus MainWindow");
  std::size_t shown = logIndex("show Tervalo");
  ASSERT_LT(shown, log.size());
  EXPECT_LT(logIndex("create "), look);
  EXPECT_LT(look, firstEdge);
  EXPECT_LT(firstEdge, lastEdge);
  EXPECT_LT(lastEdge, focus);
  EXPECT_LT(focus, shown);

  std::vector<std::pair<std::string, std::size_t>> c = calls();
  std::vector<std::string> names;
  for (auto& call : c) {
    if (call.first != "ads") names.push_back(call.first);
  }
  EXPECT_EQ(names, (std::vector<std::string>{"preview", "category 皮肤设置", "category 访问官网", "category 检查更新",
                                             "category 更新介绍", "category 帮助", "category 广告", "category 赞助",
                                             "category 关于"}));
  // The preview loads after the look is set and before the edges are raised;
  // the categories are added after the edges and before the focus.
  EXPECT_GT(c[0].second, look);
  EXPECT_LE(c[0].second, firstEdge);
  auto firstCategory = std::find_if(c.begin(), c.end(), [](auto& call) { return call.first.starts_with("category"); });
  EXPECT_GT(firstCategory->second, lastEdge);
  EXPECT_LE(c.back().first == "ads" ? c[c.size() - 2].second : c.back().second, focus);
}

TEST_F(Startup, AFailedDropTargetLeavesTheRestOfStartUpAlone) {
  desktop.setDropTargetSucceeds(false);
  start();
  EXPECT_EQ(main().window.self().text(), "Tervalo");
  EXPECT_LT(logIndex("focus MainWindow"), backend.log().size());
}

TEST_F(Startup, StartApplicationRunsUntilCloseThenReleasesTheGlobalsAndReturnsZero) {
  bool updateInfoWasEmptyList = false;
  backend.post([&] {
    std::optional<std::vector<std::string>> info = app.globals.updateInfo.get();
    updateInfoWasEmptyList = info && info->empty();
    app.globals.playerPassword.set("密码");
    app.globals.sourceFolder.set("C:\\演示");
    ui::input::press(main().关闭);
  });
  EXPECT_EQ(startApplication(app), 0);
  EXPECT_TRUE(updateInfoWasEmptyList);
  EXPECT_FALSE(app.globals.updateInfo.get());
  EXPECT_EQ(app.globals.playerPassword.get(), "");
  EXPECT_EQ(app.globals.sourceFolder.get(), "");
  EXPECT_TRUE(desktop.messageBoxes().empty());
}

TEST_F(Startup, CloseAsksOnlyWhileAPackRunHoldsItsPage) {
  struct Case {
    int packPageActive;
    std::optional<int> answer;  // none: no question expected
    bool quits;
  };
  const Case cases[] = {{0, std::nullopt, true}, {1, kResultNo, false}, {1, kResultYes, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "packPageActive " << c.packPageActive << " answer " << c.answer.value_or(-1));
    AppFixture f;
    f.app.globals.updateInfo.set(std::vector<std::string>{});
    loadMainWindow(f.app);
    f.app.globals.packPageActive = c.packPageActive;
    f.main().高级选择夹1.setCurrentPage(kPackProgressPage);
    if (c.answer) f.desktop.answerMessageBox(*c.answer);
    ui::input::press(f.main().关闭);
    std::vector<ui::ScriptedDesktop::MessageBoxCall> asked = f.desktop.messageBoxes();
    ASSERT_EQ(asked.size(), c.answer ? 1u : 0u);
    if (c.answer) {
      EXPECT_EQ(asked[0].text, "正在打包PPT中，确定停止打包并退出吗?");
      EXPECT_EQ(asked[0].caption, "确定退出吗?");
      EXPECT_EQ(asked[0].flags, 36);
    }
    EXPECT_EQ(f.backend.exitCode(), c.quits ? std::optional<int>(0) : std::nullopt);
    if (!c.quits) {
      EXPECT_EQ(f.app.globals.packPageActive, 1);
      EXPECT_EQ(f.main().高级选择夹1.currentPage(), kPackProgressPage);
    }
  }
}

TEST_F(Startup, MinimiseSetsPositionTwoAndKeepsPageAndCategory) {
  start();
  main().高级选择夹1.setCurrentPage(5);
  app.globals.currentCategory = 5;
  ui::input::press(main().最小化);
  EXPECT_EQ(main().window.self().position(), ui::kPositionMinimised);
  main().window.self().setPosition(ui::kPositionNormal);
  EXPECT_EQ(main().高级选择夹1.currentPage(), 5);
  EXPECT_EQ(app.globals.currentCategory, 5);
  EXPECT_FALSE(backend.exitCode());
}

}  // namespace
