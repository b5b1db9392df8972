// The toolkit's operations over the model, the backend and the desktop services.
#include "ui/toolkit.h"

#include <utility>

namespace ui {

Toolkit::~Toolkit() {
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) backend_.destroyWindow(**it);
}

Window& Toolkit::loadWindow(const WindowTemplate& tmpl, Window* owner, const std::function<void(Window&)>& bind) {
  windows_.push_back(std::make_unique<Window>(*this, tmpl, owner));
  Window& window = *windows_.back();
  if (bind) bind(window);
  backend_.createWindow(window);
  raise(window.self(), Event::kCreated);
  backend_.showWindow(window);
  return window;
}

void Toolkit::raise(Control control, Event event, EventArgs args) {
  if (!backend_.onUiThread()) {
    backend_.post([this, control, event, args = std::move(args)] { raise(control, event, args); });
    return;
  }
  Handler handler = control.window().handler(control.id(), event);
  if (!handler) return;
  sources_.push_back(control);
  handler(args);
  sources_.pop_back();
}

Control Toolkit::eventSource() const { return sources_.empty() ? Control() : sources_.back(); }

Control Toolkit::copyControl(Control control) {
  return Control(&control.window(), control.window().copyControl(control.id()));
}

void Toolkit::setZOrder(Control control, int how) {
  if (how == kZNotTopmost) return;  // children have no topmost band to leave
  control.window().moveInZOrder(control.id(), how);
}

void Toolkit::setFocus(Control control) { backend_.setFocus(control.window(), control.id()); }

void Toolkit::setXpLook(int scheme) { backend_.setXpLook(scheme); }

void Toolkit::sendMessage(Window& window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  backend_.sendMessage(window, message, wParam, lParam);
}

int Toolkit::textWidth(Control canvas, std::string_view text) { return desktop_.textWidth(canvas.font(), text); }

bool Toolkit::runFileDialog(Control dialog) {
  FileDialogRequest request;
  request.save = dialog.window().saveDialog(dialog.id());
  request.filter = dialog.filter();
  request.initialPath = dialog.chosenPath();
  request.owner = backend_.nativeHandle(dialog.window());
  std::string path;
  if (!desktop_.fileDialog(request, path)) return false;
  dialog.setChosenPath(path);
  return true;
}

bool Toolkit::registerDropTarget(Control dropTarget, Window& window) {
  return desktop_.registerDropTarget(backend_.nativeHandle(window), [this, dropTarget](const std::string& paths) {
    raise(dropTarget, Event::kGotFiles, EventArgs{0, paths});
  });
}

void Toolkit::showBalloonTip(Control, std::string_view text, int screenX, int screenY) {
  desktop_.showBalloonTip(text, screenX, screenY);
}

int Toolkit::messageBox(std::string_view text, std::string_view caption, int flags) {
  return desktop_.messageBox(text, caption.empty() ? kDefaultCaption : caption, flags);
}

void Toolkit::openLink(Control link) {
  std::string address = link.address();
  if (address.empty()) return;
  if (desktop_.shellOpen(address, true)) link.setTextColour(link.visitedColour());
}

void Toolkit::setExitCleanup(std::function<void()> cleanup) { cleanup_ = std::move(cleanup); }

int Toolkit::run() {
  int code = backend_.runLoop();
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) backend_.destroyWindow(**it);
  windows_.clear();
  if (cleanup_) std::exchange(cleanup_, nullptr)();
  return code;
}

void Toolkit::exit(int exitCode) { backend_.quit(exitCode); }

}  // namespace ui
