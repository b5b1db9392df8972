// The category bar's arithmetic.
#include "app/category_bar.h"

#include <algorithm>
#include <cstdlib>

CategoryItemPlace placeCategoryItem(int categoryNextX, int captionWidth, int stripWidth) {
  CategoryItemPlace place{};
  place.left = categoryNextX + kCategoryItemGap;
  place.width = captionWidth + kCategoryItemPadding;
  place.nextX = categoryNextX + place.width;
  // The widening adds the newest caption's width, not the item's right edge.
  int wanted = place.nextX + captionWidth;
  place.stripWidth = wanted > kMainWindowWidth ? std::max(stripWidth, wanted) : stripWidth;
  return place;
}

std::optional<int> categoryBarLeftFor(const CategoryBarMouse& mouse) {
  if (mouse.windowWidth <= 0 || mouse.stripWidth <= mouse.windowWidth) return std::nullopt;
  if (mouse.x < kScrollDeadZone) return std::nullopt;
  // Moves reported while the mouse leaves an item carry positions past its width.
  if (mouse.onItem && mouse.x >= mouse.itemWidth) return std::nullopt;
  int windowX = mouse.x + mouse.stripLeft + (mouse.onItem ? mouse.itemLeft : 0);
  double p = std::abs(windowX);
  double left = (-p / mouse.windowWidth) * mouse.stripWidth + p;
  return static_cast<int>(left);  // truncated toward zero
}
