// The category bar's handlers and the drag of the main window.
#include "app/category_bar_handlers.h"

#include <string>

#include "app/app.h"
#include "app/category_bar.h"
#include "core/gbk_text.h"
#include "core/os.h"

namespace {

// The system moves a window while its caption is held: WM_NCLBUTTONDOWN with HTCAPTION.
constexpr unsigned kWmNcLButtonDown = 0xA1;
constexpr std::uintptr_t kHtCaption = 2;

// Categories whose opening starts work, by caption.
constexpr std::string_view kAdsCategory = "广告";
constexpr std::string_view kSkinCategory = "皮肤设置";
constexpr std::string_view kSiteCategory = "访问官网";
constexpr std::string_view kUpdateCategory = "检查更新";

constexpr int kSkinCategoryTag = 1;

int tagNumber(ui::Control item) { return static_cast<int>(gbk::textToNumber(item.tag())); }

}  // namespace

void bindCategoryBar(App& app) {
  MainWindow& w = *app.main;
  w.外形框_分类.onMouseMoved([&app](int x) { scrollCategoryBar(app, app.main->外形框_分类, x); });
  // Copies of the template item share these handlers and tell themselves apart as the source.
  w.超级链接框_分类.onMouseMoved([&app](int x) { scrollCategoryBar(app, app.toolkit.eventSource(), x); });
  w.超级链接框_分类.onLeftPressed([&app] { openCategory(app, app.toolkit.eventSource()); });
  // The borderless window moves when held by its title or a page's surface; its own background
  // moves it by itself.
  w.标题.onLeftPressed([&app] { dragMainWindow(app); });
  w.高级选择夹1.onLeftPressed([&app] { dragMainWindow(app); });
}

void addCategoryItem(App& app, std::string_view caption) {
  MainWindow& w = *app.main;
  ui::Hyperlink item = app.toolkit.copyControl(w.超级链接框_分类);
  int count = ++app.globals.categoryCount;
  item.setTag(std::to_string(count));
  w.画板1.setFont(item.font());
  int captionWidth = app.toolkit.textWidth(w.画板1, caption);
  CategoryItemPlace place = placeCategoryItem(app.globals.categoryNextX, captionWidth, w.外形框_分类.width());
  item.setLeft(place.left);
  item.setWidth(place.width);
  app.globals.categoryNextX = place.nextX;
  item.setVisible(true);
  item.setText(caption);
  w.外形框_分类.setWidth(place.stripWidth);
}

void scrollCategoryBar(App& app, ui::Control source, int x) {
  MainWindow& w = *app.main;
  bool onItem = !(source == w.外形框_分类);
  CategoryBarMouse mouse{x,
                         w.外形框_分类.left(),
                         w.外形框_分类.width(),
                         w.window.self().width(),
                         onItem,
                         onItem ? source.left() : 0,
                         onItem ? source.width() : 0};
  if (std::optional<int> left = categoryBarLeftFor(mouse)) w.外形框_分类.setLeft(*left);
}

void openCategory(App& app, ui::Control item) {
  MainWindow& w = *app.main;
  int page = tagNumber(item);
  // During a run the pack category leads to the run's progress.
  if (app.globals.packPageActive == 1 && item.tag() == "0") {
    w.高级选择夹1.setCurrentPage(w.高级选择夹1.pageCount() - 1);
    return;
  }
  if (app.globals.currentCategory == kSkinCategoryTag) app.pageHooks.leaveSkinPage(app);
  w.高级选择夹1.setCurrentPage(page);
  std::string caption = item.text();
  if (caption == kAdsCategory) app.workers.emplace_back([&app] { app.hooks.loadAdsPageAd(app); });
  if (caption == kSkinCategory) app.pageHooks.showSkinPage(app);
  if (caption == kSiteCategory) app.pageHooks.showSitePage(app);
  if (caption == kUpdateCategory) app.pageHooks.startUpdateCheck(app);
  app.globals.currentCategory = page;
  os::trimWorkingSet();
}

void dragMainWindow(App& app) { app.toolkit.sendMessage(app.main->window, kWmNcLButtonDown, kHtCaption, 0); }
