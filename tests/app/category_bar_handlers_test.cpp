// The category bar in the window: the items start-up makes, the strip sliding, opening categories,
// and dragging the window.
#include "app/category_bar_handlers.h"

#include <gtest/gtest.h>

#include "app/page_fixture.h"

namespace {

struct CategoryBarTest : PageFixture, ::testing::Test {
  explicit CategoryBarTest(int widthPerByte = 6) : PageFixture(widthPerByte) {}

  // The template item and its copies, left to right.
  std::vector<ui::Hyperlink> items() {
    std::vector<ui::Hyperlink> out;
    for (int id : main().window.childrenOf(main().外形框_分类.id())) out.emplace_back(&main().window, id);
    std::sort(out.begin(), out.end(), [](ui::Control a, ui::Control b) { return a.left() < b.left(); });
    return out;
  }
  ui::Hyperlink item(std::string_view caption) {
    for (ui::Hyperlink i : items()) {
      if (i.text() == caption) return i;
    }
    ADD_FAILURE() << "no item " << caption;
    return main().超级链接框_分类;
  }
  void open(std::string_view caption) { ASSERT_TRUE(ui::input::press(item(caption))); }
  int page() { return main().高级选择夹1.currentPage(); }
};

struct NarrowCaptions : CategoryBarTest {
  NarrowCaptions() : CategoryBarTest(3) {}
};

TEST_F(CategoryBarTest, StartUpMakesNineTouchingItemsEachThirtyWiderThanItsCaption) {
  const std::vector<std::string> captions = {"打包", "皮肤设置", "访问官网", "检查更新", "更新介绍",
                                             "帮助", "广告",     "赞助",     "关于"};
  std::vector<ui::Hyperlink> all = items();
  ASSERT_EQ(all.size(), captions.size());
  ui::Hyperlink tmpl = main().超级链接框_分类;
  int right = 100;  // the template item spans 20..100
  for (std::size_t i = 0; i < all.size(); ++i) {
    ui::Hyperlink it = all[i];
    SCOPED_TRACE(captions[i]);
    EXPECT_EQ(it.text(), captions[i]);
    EXPECT_EQ(it.tag(), std::to_string(i));
    EXPECT_TRUE(it.visible());
    EXPECT_EQ(it.top(), 15);
    EXPECT_EQ(it.height(), 50);
    EXPECT_EQ(it.font(), (ui::Font{"微软雅黑", 21, false}));
    EXPECT_EQ(it.textColour(), tmpl.textColour());
    EXPECT_EQ(it.hoverColour(), tmpl.hoverColour());
    if (i == 0) continue;
    // The scripted canvas measures 6 pixels a byte at 12 pixels, so 10.5 at the items' 21.
    EXPECT_EQ(it.left(), right);
    EXPECT_EQ(it.width(), static_cast<int>(captions[i].size()) * 21 / 2 + 30);
    right = it.left() + it.width();
  }
  EXPECT_EQ(app.globals.categoryCount, 8);
  EXPECT_EQ(app.globals.categoryNextX, right - 20);
  // Widened by the newest caption's width (42) past categoryNextX: 824 + 42.
  EXPECT_EQ(main().外形框_分类.width(), 866);
  EXPECT_EQ(main().外形框_分类.left(), 0);
}

TEST_F(CategoryBarTest, StripSlidesAgainstTheMouseFromItsLeftToItsRightEdge) {
  ui::Shape strip = main().外形框_分类;
  for (int x = 0; x < 5; ++x) {
    ui::input::moveMouse(strip, x);
    EXPECT_EQ(strip.left(), 0) << x;
  }
  ui::input::moveMouse(strip, 400);
  EXPECT_EQ(strip.left(), -33);  // -400 * 66 / 800
  // The mouse at the window's right edge, reported relative to the moved strip.
  ui::input::moveMouse(strip, 800 - strip.left());
  EXPECT_EQ(strip.left(), 800 - 866);
  ui::input::moveMouse(strip, 12 - strip.left());
  EXPECT_EQ(strip.left(), 0);  // p = 12: -0.99 truncates to 0

  // On an item the item's own place joins in; positions past its width are ignored.
  ui::Hyperlink help = item("帮助");
  ui::input::moveMouse(help, 10);
  int p = 10 + help.left();
  EXPECT_EQ(strip.left(), static_cast<int>(-p / 800.0 * 866 + p));
  int left = strip.left();
  ui::input::moveMouse(help, help.width());
  ui::input::moveMouse(help, 4);
  EXPECT_EQ(strip.left(), left);
}

TEST_F(NarrowCaptions, StripThatFitsNeverMoves) {
  EXPECT_EQ(main().外形框_分类.width(), 800);
  for (int x : {5, 400, 799}) {
    ui::input::moveMouse(main().外形框_分类, x);
    ui::input::moveMouse(item("关于"), 5);
    EXPECT_EQ(main().外形框_分类.left(), 0) << x;
  }
}

TEST_F(CategoryBarTest, ItemsOpenThePageOfTheirTagAndStartTheirWork) {
  struct Step {
    std::string caption;
    int page;
    std::vector<std::string> calls;  // hook calls this opening adds
  };
  const Step steps[] = {
      {"帮助", 5, {}},
      {"皮肤设置", 1, {"show skin"}},
      {"皮肤设置", 1, {"leave skin", "show skin"}},
      {"关于", 8, {"leave skin"}},
      {"访问官网", 2, {"site"}},
      {"检查更新", 3, {"update"}},
      {"检查更新", 3, {"update"}},
      {"广告", 6, {"ads"}},
      {"广告", 6, {"ads"}},
      {"更新介绍", 4, {}},
      {"赞助", 7, {}},
      {"打包", 0, {}},
  };
  std::vector<std::string> expected = recorded();  // the start-up loader's "ads"
  for (const Step& s : steps) {
    open(s.caption);
    EXPECT_EQ(page(), s.page) << s.caption;
    EXPECT_EQ(app.globals.currentCategory, s.page) << s.caption;
    expected.insert(expected.end(), s.calls.begin(), s.calls.end());
    EXPECT_EQ(recorded(), expected) << s.caption;
  }
}

TEST_F(CategoryBarTest, DuringARunThePackCategoryLeadsToTheProgressPage) {
  open("帮助");
  app.globals.packPageActive = 1;
  open("打包");
  EXPECT_EQ(page(), kPackProgressPage);
  EXPECT_EQ(app.globals.currentCategory, 5);
  open("关于");
  EXPECT_EQ(page(), 8);
  open("打包");
  EXPECT_EQ(page(), kPackProgressPage);
  // Return ends the run's hold on the pack category.
  main().progress.按钮_返回.setVisible(true);
  ASSERT_TRUE(ui::input::click(main().progress.按钮_返回));
  EXPECT_EQ(app.globals.packPageActive, 0);
  open("帮助");
  open("打包");
  EXPECT_EQ(page(), kPackPage);
  EXPECT_EQ(app.globals.currentCategory, 0);
}

TEST_F(CategoryBarTest, TitleAndEmptyPageSurfaceDragTheWindowOtherControlsDoNot) {
  auto drags = [this] {
    std::vector<std::string> log = backend.log();
    return std::count(log.begin(), log.end(), "message 161 2 0");
  };
  ASSERT_TRUE(ui::input::press(main().标题));
  EXPECT_EQ(drags(), 1);
  ASSERT_TRUE(ui::input::press(main().高级选择夹1));
  EXPECT_EQ(drags(), 2);
  ui::input::press(app.main->pack.编辑框_文件路径);
  ui::input::press(app.main->pack.按钮_打包);
  ui::input::press(main().外形框_分类);
  EXPECT_EQ(drags(), 2);
}

}  // namespace
