// The application: the toolkit it runs on, its global state, the MainWindow and the pack session.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "app/globals.h"
#include "app/main_window.h"
#include "app/pack_progress_page.h"
#include "app/page_hooks.h"
#include "core/pack_job.h"
#include "ui/toolkit.h"

struct App;

// Work of start-up that later parts of the program provide. Each starts as a clearly empty seam
// (see seams.cpp) and is replaced there by the part that implements it.
struct StartupHooks {
  std::function<void(App&)> loadPreviewWindow;  // loads the PreviewWindow, owned by the MainWindow, hidden
  std::function<void(App&)> loadAdsPageAd;      // runs on a thread of its own
  std::function<void(App&, std::string_view caption)> addCategoryItem;
};

StartupHooks defaultStartupHooks();

struct App {
  explicit App(ui::Toolkit& tk, StartupHooks startupHooks = defaultStartupHooks())
      : toolkit(tk), hooks(std::move(startupHooks)) {}
  ~App();

  ui::Toolkit& toolkit;
  StartupHooks hooks;
  PageHooks pageHooks = defaultPageHooks();
  GlobalState globals;
  std::unique_ptr<MainWindow> main;
  std::unique_ptr<ControlsPackJobView> packView;
  std::unique_ptr<PackSession> packSession;
  // Loader threads started at start-up; nobody waits for them but the App's end, so none outlives it.
  std::vector<std::thread> workers;
};

// The entry routine: prepares the global state, shows the MainWindow, runs the message loop;
// returns the exit code.
int startApplication(App& app);
// Loads the MainWindow (its creation runs onMainWindowCreated); startApplication's step 4.
void loadMainWindow(App& app);
void onMainWindowCreated(App& app);
// "×": quits, asking first while a pack run holds its page.
void closeMainWindow(App& app);
// "_".
void minimiseMainWindow(App& app);
// Ends the program with exit code 0 once the message loop returns; a running pack job is
// stopped and waited for first, so that its temporary files are gone.
void exitProgram(App& app);
void releaseGlobalState(App& app);
