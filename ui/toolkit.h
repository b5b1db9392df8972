// The toolkit: loads windows from templates, raises events, and offers the operations handlers
// use (copies, z-order, focus, dialogs, message boxes, the exit clean-up).
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/message_box.h"
#include "ui/backend.h"
#include "ui/desktop.h"
#include "ui/window.h"

namespace ui {

class Toolkit {
 public:
  Toolkit(Backend& backend, Desktop& desktop) : backend_(backend), desktop_(desktop) {}
  ~Toolkit();
  Toolkit(const Toolkit&) = delete;
  Toolkit& operator=(const Toolkit&) = delete;

  Backend& backend() { return backend_; }
  Desktop& desktop() { return desktop_; }

  // Builds the model and the natives, runs bind (members, handlers), raises the created event,
  // then shows the window unless its template hides it.
  Window& loadWindow(const WindowTemplate& tmpl, Window* owner, const std::function<void(Window&)>& bind);

  // Runs the control's handler for event on the user-interface thread (now, when already on it).
  // Disabled controls raise no input events.
  void raise(Control control, Event event, EventArgs args = {});
  // The control whose event is being handled; invalid outside a handler.
  Control eventSource() const;

  Control copyControl(Control control);
  void setZOrder(Control control, int how);
  void setFocus(Control control);
  void setXpLook(int scheme);
  void sendMessage(Window& window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam);
  // Pixel width of text in the canvas's font.
  int textWidth(Control canvas, std::string_view text);
  // Runs a file dialog control; on OK its chosen path is set and true returned.
  bool runFileDialog(Control dialog);
  bool registerDropTarget(Control dropTarget, Window& window);
  void showBalloonTip(Control tip, std::string_view text, int screenX, int screenY);
  int messageBox(std::string_view text, std::string_view caption = kDefaultCaption, int flags = kMbOk);
  // A hyperlink's own opening: the shell, then the visited colour.
  void openLink(Control link);

  // The exit clean-up, run once when the message loop has ended.
  void setExitCleanup(std::function<void()> cleanup);
  // Runs the message loop; destroys the windows and runs the clean-up; returns the exit code.
  int run();
  // Ends the message loop with exitCode.
  void exit(int exitCode);

 private:
  Backend& backend_;
  Desktop& desktop_;
  std::deque<std::unique_ptr<Window>> windows_;
  std::vector<Control> sources_;  // user-interface thread only
  std::function<void()> cleanup_;
};

}  // namespace ui
