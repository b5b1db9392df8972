// What the toolkit needs of a windowing backend: native windows that mirror the model, the
// user-interface thread and its message loop. The Win32 backend and the headless one implement it.
#pragma once

#include <cstdint>
#include <functional>

#include "ui/types.h"

namespace ui {

class Window;

class Backend {
 public:
  virtual ~Backend() = default;
  // Makes the natives of every control of a freshly built model; the window stays hidden.
  virtual void createWindow(Window& window) = 0;
  // Shows the window as its properties say (place, position, visible).
  virtual void showWindow(Window& window) = 0;
  virtual void destroyWindow(Window& window) = 0;
  // A control was added after creation (a copy).
  virtual void controlAdded(Window& window, int id) = 0;
  // A property changed, on any thread; the backend reads the model's value on its own thread.
  virtual void propertyChanged(Window& window, int id, Prop prop) = 0;
  virtual void zOrderChanged(Window& window, int id) = 0;
  virtual void setFocus(Window& window, int id) = 0;
  virtual void setXpLook(int scheme) = 0;
  virtual void sendMessage(Window& window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) = 0;
  // The native handle of a window (HWND on Windows), as drop targets need it.
  virtual std::uintptr_t nativeHandle(Window& window) = 0;

  virtual bool onUiThread() const = 0;
  // Runs f on the user-interface thread, in order.
  virtual void post(std::function<void()> f) = 0;
  // Runs the message loop until quit; returns the exit code.
  virtual int runLoop() = 0;
  virtual void quit(int exitCode) = 0;
};

}  // namespace ui
