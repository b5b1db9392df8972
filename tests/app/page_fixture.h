// The program on the headless toolkit with its real start-up, and page hooks that record their calls.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "app/app.h"
#include "core/test_folder.h"
#include "ui/headless.h"

struct PageFixture {
  ui::HeadlessBackend backend;
  ui::ScriptedDesktop desktop;
  ui::Toolkit toolkit{backend, desktop};
  TestFolder program;  // stands for the program's own folder
  TestFolder temp;
  // Before the App, whose end waits for the loader threads that write into them.
  std::mutex mutex;
  std::vector<std::string> calls;
  App app{toolkit};

  // Loads the main window; widthPerByte stands for the font metrics of the category captions.
  explicit PageFixture(int widthPerByte = 6) {
    desktop.setTextWidthPerByte(widthPerByte);
    auto note = [this](std::string what) {
      std::lock_guard lock(mutex);
      calls.push_back(std::move(what));
    };
    app.hooks.loadAdsPageAd = [note](App&) { note("ads"); };
    app.pageHooks.leaveSkinPage = [note](App&) { note("leave skin"); };
    app.pageHooks.showSkinPage = [note](App&) { note("show skin"); };
    app.pageHooks.showSitePage = [note](App&) { note("site"); };
    app.pageHooks.startUpdateCheck = [note](App&) { note("update"); };
    app.pageHooks.programFolder = [this] { return program.path(); };
    app.pageHooks.tempFolder = [this] { return temp.path() + "\\"; };
    app.globals.updateInfo.set(std::vector<std::string>{});
    loadMainWindow(app);
  }

  MainWindow& main() { return *app.main; }
  PackPage& page() { return app.main->pack; }

  // The recorded calls, once every loader thread started so far has ended.
  std::vector<std::string> recorded() {
    for (std::thread& worker : app.workers) worker.join();
    app.workers.clear();
    std::lock_guard lock(mutex);
    return calls;
  }
};
