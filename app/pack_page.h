// The pack page (page 0 of 高级选择夹1): source, output and options of a pack run.
// Its controls and handlers are filled in with source and target selection.
#pragma once

#include <vector>

#include "ui/window.h"

struct App;

struct PackPage {
  explicit PackPage(ui::Window& window);
};

// The page's controls, children of the page control pageControl on page index page.
std::vector<ui::ControlSpec> packPageTemplate(std::string_view pageControl, int page);

// Binds the page's handlers while the main window loads.
void bindPackPage(App& app);
