// The seams of the category and pack pages: empty until the parts that provide them fill them in.
#include "app/page_hooks.h"

#include "core/os.h"

namespace {

// The look the preview window starts with; it stands in until the preview window holds the look.
const PlayerAppearance& startAppearance(App&) {
  static const PlainPlayerAppearance look;
  return look;
}

}  // namespace

PageHooks defaultPageHooks() {
  PageHooks hooks;
  hooks.leaveSkinPage = [](App&) {};
  hooks.showSkinPage = [](App&) {};
  hooks.showSitePage = [](App&) {};
  hooks.startUpdateCheck = [](App&) {};
  hooks.playerAppearance = startAppearance;
  hooks.beforePackSteps = [](App&) {};
  hooks.programFolder = os::programFolder;
  hooks.tempFolder = os::tempFolder;
  return hooks;
}
