// The Win32 backend and desktop services; built only for Windows.
#pragma once

#include <memory>

#include "ui/backend.h"
#include "ui/desktop.h"

namespace ui {

// Must be made on the thread that becomes the user-interface thread.
std::unique_ptr<Backend> makeWin32Backend();
std::unique_ptr<Desktop> makeWin32Desktop();

}  // namespace ui
