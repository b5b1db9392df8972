// An App on the headless toolkit with start-up hooks that record what they were asked.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "app/app.h"
#include "ui/headless.h"

struct AppFixture {
  ui::HeadlessBackend backend;
  ui::ScriptedDesktop desktop;
  ui::Toolkit toolkit{backend, desktop};
  std::mutex mutex;
  // Each hook call with the backend log's length at that moment, to check the order of steps.
  std::vector<std::pair<std::string, std::size_t>> hookCalls;
  App app{toolkit, recordingHooks()};

  StartupHooks recordingHooks() {
    StartupHooks hooks;
    auto note = [this](std::string what) {
      std::lock_guard lock(mutex);
      hookCalls.emplace_back(std::move(what), backend.log().size());
    };
    hooks.loadPreviewWindow = [note](App&) { note("preview"); };
    hooks.loadAdsPageAd = [note](App&) { note("ads"); };
    hooks.addCategoryItem = [note](App&, std::string_view caption) { note("category " + std::string(caption)); };
    return hooks;
  }

  std::vector<std::pair<std::string, std::size_t>> calls() {
    std::lock_guard lock(mutex);
    return hookCalls;
  }

  MainWindow& main() { return *app.main; }
};
