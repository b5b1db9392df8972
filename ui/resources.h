// Bytes stored with the program (the button pictures), by resource name.
#pragma once

#include <string_view>

#include "core/byte_set.h"

namespace ui {

// The resource's bytes; empty when the program holds none of that name.
ByteSet resourceBytes(std::string_view name);

}  // namespace ui
