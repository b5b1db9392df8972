// The pack page: its controls arrive with source and target selection; until then it is empty.
#include "app/pack_page.h"

PackPage::PackPage(ui::Window&) {}

std::vector<ui::ControlSpec> packPageTemplate(std::string_view, int) { return {}; }

void bindPackPage(App&) {}
