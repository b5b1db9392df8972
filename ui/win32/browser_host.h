// The system's web-browser control hosted as an ActiveX control inside a panel window.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace ui::win32ui {

struct BrowserEvents {
  std::function<void(int percent)> progress;
  std::function<void(const std::string& title)> titleChanged;
  std::function<void()> pageLoaded;  // the top frame's document is complete
};

class BrowserHost {
 public:
  virtual ~BrowserHost() = default;
  virtual void navigate(const std::string& address) = 0;
  virtual void resize(int width, int height) = 0;
};

// Null where the control cannot be created (for instance under Wine without its HTML engine);
// the panel then stays empty.
std::unique_ptr<BrowserHost> createBrowserHost(HWND panel, BrowserEvents events);

}  // namespace ui::win32ui
