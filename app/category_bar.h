// The category bar's arithmetic: where each item goes, how wide the strip gets, how it slides.
#pragma once

#include <optional>

inline constexpr int kMainWindowWidth = 800;
// categoryNextX after start-up: the template item spans 20..100 of the strip.
inline constexpr int kFirstCategoryNextX = 80;
// categoryNextX lies this far left of the next item's left edge.
inline constexpr int kCategoryItemGap = 20;
// An item is this much wider than its caption.
inline constexpr int kCategoryItemPadding = 30;
// Mouse positions left of this, within the strip or an item, do not slide the strip.
inline constexpr int kScrollDeadZone = 5;

struct CategoryItemPlace {
  int left;        // in strip coordinates
  int width;
  int nextX;       // categoryNextX after the item
  int stripWidth;  // the strip's width after the item
};

// Place of a new item with a caption w pixels wide. The strip widens to nextX + w when that
// exceeds the window, and never narrows.
CategoryItemPlace placeCategoryItem(int categoryNextX, int captionWidth, int stripWidth);

// Where the mouse is on the strip or on one of its items.
struct CategoryBarMouse {
  int x;           // relative to the control that reported it
  int stripLeft;
  int stripWidth;
  int windowWidth;
  bool onItem;     // reported by an item rather than the strip
  int itemLeft;    // in strip coordinates; only when onItem
  int itemWidth;   // only when onItem
};

// The strip's new left, moving against the mouse in proportion; nothing while the strip fits,
// in the dead zone, or when an item reports a position past its own right edge.
std::optional<int> categoryBarLeftFor(const CategoryBarMouse& mouse);
