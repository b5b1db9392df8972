// The button pictures stored with the program: three JPEGs (normal, hot, pressed) per button.
#pragma once

#include <string_view>

#include "ui/control.h"

namespace pictures {

// The pictures named stem_normal, stem_hot and stem_pressed.
ui::Pictures load(std::string_view stem);

// 按钮_暂停打包's two looks: 暂停 while the job runs, 继续 while it is paused.
const ui::Pictures& pauseLook();
const ui::Pictures& resumeLook();

}  // namespace pictures
