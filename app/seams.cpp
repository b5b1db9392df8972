// Start-up work that later parts of the program provide; each seam does nothing until then.
#include "app/app.h"
#include "app/category_bar_handlers.h"

StartupHooks defaultStartupHooks() {
  StartupHooks hooks;
  hooks.loadPreviewWindow = [](App&) {};
  hooks.loadAdsPageAd = [](App&) {};
  hooks.addCategoryItem = addCategoryItem;
  return hooks;
}
