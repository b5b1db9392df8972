// Start-up, the title-bar links and the end of the program.
#include <thread>

#include "app/app.h"
#include "app/button_pictures.h"
#include "app/category_bar_handlers.h"
#include "core/os.h"

namespace close_text {
constexpr std::string_view kQuestion = "正在打包PPT中，确定停止打包并退出吗?";
constexpr std::string_view kCaption = "确定退出吗?";
}  // namespace close_text

// Categories added at start-up, in this order; they get the tags "1" to "8".
constexpr std::string_view kCategoryCaptions[] = {"皮肤设置", "访问官网", "检查更新", "更新介绍",
                                                  "帮助",     "广告",     "赞助",     "关于"};

App::~App() {
  if (packSession) packSession->wait();
  for (std::thread& worker : workers) worker.join();
}

void loadMainWindow(App& app) {
  app.toolkit.loadWindow(mainWindowTemplate(), nullptr, [&app](ui::Window& window) {
    app.main = std::make_unique<MainWindow>(window);
    MainWindow& w = *app.main;
    app.packView = std::make_unique<ControlsPackJobView>(app.toolkit, w.高级选择夹1, w.progress, app.globals);
    app.packSession = std::make_unique<PackSession>(*app.packView);
    bindPackProgressPage(w.progress, *app.packSession, [&window] {
      auto box = window.find("编辑框_输出路径");
      return box ? box->text() : std::string();
    });
    bindPackPage(app);
    bindCategoryBar(app);
    w.最小化.onLeftPressed([&app] { minimiseMainWindow(app); });
    w.关闭.onLeftPressed([&app] { closeMainWindow(app); });
    window.self().on(ui::Event::kCreated, [&app](const ui::EventArgs&) { onMainWindowCreated(app); });
  });
}

int startApplication(App& app) {
  app.globals.updateInfo.set(std::vector<std::string>{});
  app.toolkit.setExitCleanup([&app] { releaseGlobalState(app); });
  loadMainWindow(app);
  return app.toolkit.run();
}

void onMainWindowCreated(App& app) {
  MainWindow& w = *app.main;
  ui::Toolkit& toolkit = app.toolkit;
  toolkit.setXpLook(ui::kSchemeSilver);
  w.progress.按钮_暂停打包.setPictures(pictures::pauseLook());
  w.高级选择夹1.setHideHeaders(true);
  w.高级选择夹1.setCurrentPage(kPackPage);
  app.globals.categoryNextX = 80;
  w.window.self().setText("Tervalo");
  w.标签_广告载入进度.setWidth(0);
  w.标签_官网载入进度.setWidth(0);
  toolkit.registerDropTarget(w.拖放对象1, w.window);
  app.hooks.loadPreviewWindow(app);
  // The loader runs once and ends by itself.
  app.workers.emplace_back([&app] { app.hooks.loadAdsPageAd(app); });
  for (ui::Control edge : {w.调整左面背景, w.调整下面背景, w.调整上面背景, w.调整右面背景}) {
    toolkit.setZOrder(edge, ui::kZTopmost);
  }
  for (std::string_view caption : kCategoryCaptions) app.hooks.addCategoryItem(app, caption);
  toolkit.setFocus(w.window.self());
  os::trimWorkingSet();
}

void closeMainWindow(App& app) {
  if (app.globals.packPageActive != 1) {
    exitProgram(app);
    return;
  }
  int answer = app.toolkit.messageBox(close_text::kQuestion, close_text::kCaption, kMbYesNo | kMbIconQuestion);
  if (answer == kResultYes) exitProgram(app);
}

void minimiseMainWindow(App& app) { app.main->window.self().setPosition(ui::kPositionMinimised); }

void exitProgram(App& app) {
  if (app.packSession && app.packSession->jobRunning()) {
    app.packSession->stopPackJob();
    app.packSession->wait();
  }
  app.toolkit.exit(0);
}

void releaseGlobalState(App& app) {
  app.globals.updateInfo.set(std::nullopt);
  app.globals.playerPassword.set({});
  app.globals.sourceFolder.set({});
}
