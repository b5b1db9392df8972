// Work that opening a category or starting a run asks of later parts of the program, and the
// folders a run reads from. Each piece starts as a clearly empty seam (see page_hooks.cpp).
#pragma once

#include <functional>
#include <string>

#include "core/pack_options.h"

struct App;

struct PageHooks {
  // Opening and leaving categories: the skin page's preview window, the site page, the update check.
  std::function<void(App&)> leaveSkinPage;
  std::function<void(App&)> showSkinPage;
  std::function<void(App&)> showSitePage;
  std::function<void(App&)> startUpdateCheck;
  // The player's look as the preview window holds it.
  std::function<const PlayerAppearance&(App&)> playerAppearance;
  // Runs first on a pack job's thread: the packing-page advertisement and the pack counter.
  std::function<void(App&)> beforePackSteps;
  // The folder holding qm.sj, bf3.sj and bf10.sj (no trailing backslash), and the temporary folder.
  std::function<std::string()> programFolder;
  std::function<std::string()> tempFolder;
};

PageHooks defaultPageHooks();
