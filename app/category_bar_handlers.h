// The category bar's handlers: items made at start-up, the strip sliding against the mouse,
// opening a category; and dragging the borderless main window.
#pragma once

#include <string_view>

#include "ui/control.h"

struct App;

// Binds the strip, the template item, the title and the page control while the main window loads.
void bindCategoryBar(App& app);

// A copy of the template item with the next tag, placed right of the items before it.
void addCategoryItem(App& app, std::string_view caption);

// Mouse moved over source (the strip or an item) at x relative to it.
void scrollCategoryBar(App& app, ui::Control source, int x);

// The clicked item's page, and the work its category starts.
void openCategory(App& app, ui::Control item);

// Lets the system move the window as if its caption had been pressed.
void dragMainWindow(App& app);
