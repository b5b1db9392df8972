// Item places, strip widening and sliding of the category bar.
#include "app/category_bar.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(CategoryBar, ItemsTouchAndTheStripWidensByTheNewestCaption) {
  // Caption widths as a canvas might measure the eight start-up captions.
  const std::vector<int> widths = {84, 84, 84, 84, 42, 42, 42, 42};
  struct Expected {
    int left, width, nextX, stripWidth;
  };
  const Expected expected[] = {
      {100, 114, 194, 800}, {214, 114, 308, 800}, {328, 114, 422, 800}, {442, 114, 536, 800},
      {556, 72, 608, 800},  {628, 72, 680, 800},  {700, 72, 752, 800},  {772, 72, 824, 866},
  };
  int nextX = kFirstCategoryNextX;
  int strip = kMainWindowWidth;
  int previousRight = 20 + 80;  // the template item
  for (std::size_t i = 0; i < widths.size(); ++i) {
    CategoryItemPlace place = placeCategoryItem(nextX, widths[i], strip);
    EXPECT_EQ(place.left, expected[i].left) << "item " << i;
    EXPECT_EQ(place.width, expected[i].width) << "item " << i;
    EXPECT_EQ(place.nextX, expected[i].nextX) << "item " << i;
    EXPECT_EQ(place.stripWidth, expected[i].stripWidth) << "item " << i;
    EXPECT_EQ(place.left, previousRight) << "item " << i << " touches the one before";
    previousRight = place.left + place.width;
    nextX = place.nextX;
    strip = place.stripWidth;
  }
  // The strip ends w - 20 pixels right of the last item.
  EXPECT_EQ(strip - previousRight, widths.back() - 20);
}

TEST(CategoryBar, StripWideningEdges) {
  struct Case {
    int nextX, captionWidth, stripWidth, expectedStrip;
  };
  const Case cases[] = {
      {700, 35, 800, 800},   // 765 + 35 = 800: not greater, no widening
      {700, 36, 800, 802},   // 766 + 36 = 802
      {900, 10, 1400, 1400}, // a short caption after a long one never narrows the strip
      {900, 10, 800, 950},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(placeCategoryItem(c.nextX, c.captionWidth, c.stripWidth).stripWidth, c.expectedStrip)
        << c.nextX << " + " << c.captionWidth;
  }
}

TEST(CategoryBar, StripSlidesAgainstTheMouse) {
  struct Case {
    CategoryBarMouse mouse;
    std::optional<int> left;
  };
  const Case cases[] = {
      // On the strip: left = -p * (S - W) / W, truncated toward zero.
      {{400, 0, 1000, 800, false, 0, 0}, -100},
      {{800, 0, 1000, 800, false, 0, 0}, -200},
      {{5, 0, 1000, 800, false, 0, 0}, -1},        // -1.25 truncates to -1, not -2
      {{7, -3, 1000, 800, false, 0, 0}, -1},       // p = 4: -1.0
      {{6, -3, 1000, 800, false, 0, 0}, 0},        // p = 3: -0.75 truncates to 0
      {{10, -50, 1000, 800, false, 0, 0}, -10},    // p = |10 - 50| = 40
      {{4, 0, 1000, 800, false, 0, 0}, std::nullopt},
      {{0, -100, 1000, 800, false, 0, 0}, std::nullopt},
      {{400, 0, 800, 800, false, 0, 0}, std::nullopt},  // the strip fits
      {{400, 0, 640, 800, false, 0, 0}, std::nullopt},
      // On an item: the item's left joins in, and x must lie inside the item.
      {{50, -100, 1000, 800, true, 450, 114}, -100},  // p = 400
      {{113, 0, 1000, 800, true, 687, 114}, -200},    // p = 800
      {{114, 0, 1000, 800, true, 100, 114}, std::nullopt},
      {{4, 0, 1000, 800, true, 100, 114}, std::nullopt},
      {{50, 0, 800, 800, true, 100, 114}, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(categoryBarLeftFor(c.mouse), c.left)
        << "x " << c.mouse.x << " strip " << c.mouse.stripLeft << "/" << c.mouse.stripWidth
        << (c.mouse.onItem ? " item" : "");
  }
}

TEST(CategoryBar, MouseSweepTakesTheStripFromZeroToItsRightEdge) {
  const int strip = 1234;
  int left = 0;
  std::optional<int> last;
  for (int x = 0; x <= kMainWindowWidth; ++x) {
    // The strip reports x relative to itself, so its own moving left is part of the position.
    std::optional<int> moved = categoryBarLeftFor({x - left, left, strip, kMainWindowWidth, false, 0, 0});
    if (!moved) continue;
    EXPECT_LE(*moved, 0) << x;
    EXPECT_GE(*moved, kMainWindowWidth - strip) << x;
    if (last) {
      EXPECT_LE(*moved, *last) << x;
    }
    left = *moved;
    last = moved;
  }
  EXPECT_EQ(left, kMainWindowWidth - strip);
}

}  // namespace
