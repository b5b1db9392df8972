// The headless backend, the scripted desktop and person-like input for tests.
#include "ui/headless.h"

#include <string>

namespace ui {

void HeadlessBackend::record(std::string entry) {
  std::lock_guard lock(mutex_);
  log_.push_back(std::move(entry));
}

void HeadlessBackend::createWindow(Window& window) { record("create " + window.self().text()); }
void HeadlessBackend::showWindow(Window& window) {
  if (window.self().visible()) record("show " + window.self().text());
}
void HeadlessBackend::destroyWindow(Window&) { record("destroy"); }
void HeadlessBackend::zOrderChanged(Window& window, int id) { record("zorder " + window.name(id)); }
void HeadlessBackend::setFocus(Window& window, int id) { record("focus " + window.name(id)); }
void HeadlessBackend::setXpLook(int scheme) { record("xplook " + std::to_string(scheme)); }

void HeadlessBackend::sendMessage(Window&, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  record("message " + std::to_string(message) + " " + std::to_string(wParam) + " " + std::to_string(lParam));
}

std::uintptr_t HeadlessBackend::nativeHandle(Window& window) { return reinterpret_cast<std::uintptr_t>(&window); }

void HeadlessBackend::post(std::function<void()> f) {
  {
    std::lock_guard lock(mutex_);
    posted_.push_back(std::move(f));
  }
  wake_.notify_all();
}

void HeadlessBackend::runPosted() {
  for (;;) {
    std::function<void()> f;
    {
      std::lock_guard lock(mutex_);
      if (posted_.empty()) return;
      f = std::move(posted_.front());
      posted_.pop_front();
    }
    f();
  }
}

int HeadlessBackend::runLoop() {
  for (;;) {
    std::function<void()> f;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [&] { return !posted_.empty() || exitCode_; });
      if (posted_.empty()) return *exitCode_;
      f = std::move(posted_.front());
      posted_.pop_front();
    }
    f();
  }
}

void HeadlessBackend::quit(int exitCode) {
  {
    std::lock_guard lock(mutex_);
    if (!exitCode_) exitCode_ = exitCode;
    log_.push_back("quit " + std::to_string(exitCode));
  }
  wake_.notify_all();
}

std::vector<std::string> HeadlessBackend::log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

std::optional<int> HeadlessBackend::exitCode() const {
  std::lock_guard lock(mutex_);
  return exitCode_;
}

void ScriptedDesktop::answerMessageBox(int result) {
  std::lock_guard lock(mutex_);
  messageAnswers_.push_back(result);
}

void ScriptedDesktop::answerFileDialog(std::optional<std::string> path) {
  std::lock_guard lock(mutex_);
  fileAnswers_.push_back(std::move(path));
}

void ScriptedDesktop::answerColour(std::optional<Colour> colour) {
  std::lock_guard lock(mutex_);
  colourAnswers_.push_back(colour);
}

void ScriptedDesktop::setShellOpenSucceeds(bool v) {
  std::lock_guard lock(mutex_);
  shellOpenSucceeds_ = v;
}

void ScriptedDesktop::setDropTargetSucceeds(bool v) {
  std::lock_guard lock(mutex_);
  dropTargetSucceeds_ = v;
}

void ScriptedDesktop::setTextWidthPerByte(int pixels) {
  std::lock_guard lock(mutex_);
  widthPerByte_ = pixels;
}

void ScriptedDesktop::onMessageBox(std::function<void(const MessageBoxCall&)> f) {
  std::lock_guard lock(mutex_);
  onMessageBox_ = std::move(f);
}

int ScriptedDesktop::messageBox(std::string_view text, std::string_view caption, int flags) {
  MessageBoxCall call{std::string(text), std::string(caption), flags};
  std::function<void(const MessageBoxCall&)> look;
  int answer = kResultOk;
  {
    std::lock_guard lock(mutex_);
    messageBoxes_.push_back(call);
    look = onMessageBox_;
    if (!messageAnswers_.empty()) {
      answer = messageAnswers_.front();
      messageAnswers_.pop_front();
    }
  }
  if (look) look(call);
  return answer;
}

bool ScriptedDesktop::fileDialog(const FileDialogRequest& request, std::string& path) {
  std::lock_guard lock(mutex_);
  fileDialogs_.push_back(request);
  if (fileAnswers_.empty()) return false;
  std::optional<std::string> answer = std::move(fileAnswers_.front());
  fileAnswers_.pop_front();
  if (!answer) return false;
  path = *answer;
  return true;
}

bool ScriptedDesktop::chooseColour(Colour, Colour& chosen) {
  std::lock_guard lock(mutex_);
  if (colourAnswers_.empty()) return false;
  std::optional<Colour> answer = colourAnswers_.front();
  colourAnswers_.pop_front();
  if (!answer) return false;
  chosen = *answer;
  return true;
}

void ScriptedDesktop::showBalloonTip(std::string_view text, int screenX, int screenY) {
  std::lock_guard lock(mutex_);
  balloons_.push_back(BalloonCall{std::string(text), screenX, screenY});
}

int ScriptedDesktop::textWidth(const Font& font, std::string_view text) {
  std::lock_guard lock(mutex_);
  return static_cast<int>(text.size()) * widthPerByte_ * font.height / 12;
}

bool ScriptedDesktop::shellOpen(const std::string& address, bool) {
  std::lock_guard lock(mutex_);
  shellOpens_.push_back(address);
  return shellOpenSucceeds_;
}

bool ScriptedDesktop::startProcess(const std::string& commandLine) {
  std::lock_guard lock(mutex_);
  processes_.push_back(commandLine);
  return true;
}

bool ScriptedDesktop::registerDropTarget(std::uintptr_t windowHandle, std::function<void(const std::string&)> gotFiles) {
  std::lock_guard lock(mutex_);
  dropTargets_.push_back(windowHandle);
  if (!dropTargetSucceeds_) return false;
  dropCallback_ = std::move(gotFiles);
  return true;
}

bool ScriptedDesktop::drop(const std::string& paths) {
  std::function<void(const std::string&)> callback;
  {
    std::lock_guard lock(mutex_);
    callback = dropCallback_;
  }
  if (!callback) return false;
  callback(paths);
  return true;
}

#define UI_RECORDS(Type, getter, member) \
  Type ScriptedDesktop::getter() const { \
    std::lock_guard lock(mutex_);        \
    return member;                       \
  }
UI_RECORDS(std::vector<ScriptedDesktop::MessageBoxCall>, messageBoxes, messageBoxes_)
UI_RECORDS(std::vector<FileDialogRequest>, fileDialogs, fileDialogs_)
UI_RECORDS(std::vector<ScriptedDesktop::BalloonCall>, balloonTips, balloons_)
UI_RECORDS(std::vector<std::string>, shellOpens, shellOpens_)
UI_RECORDS(std::vector<std::string>, processes, processes_)
UI_RECORDS(std::vector<std::uintptr_t>, dropTargets, dropTargets_)
#undef UI_RECORDS

namespace input {
namespace {

// Shown on screen: visible and enabled itself, and every parent too, on its page's current page.
bool reachable(Control control) {
  for (Control c = control; c.valid(); c = c.parent()) {
    if (!c.visible() || c.disabled()) return false;
    Control parent = c.parent();
    if (parent.valid() && parent.kind() == Kind::kPageControl && c.page() >= 0 && parent.currentPage() != c.page()) {
      return false;
    }
  }
  return true;
}

bool raiseInput(Control control, Event event, EventArgs args = {}) {
  if (!reachable(control)) return false;
  control.window().toolkit().raise(control, event, std::move(args));
  return true;
}

}  // namespace

bool click(Control control) {
  if (!reachable(control)) return false;
  Toolkit& toolkit = control.window().toolkit();
  if (control.kind() == Kind::kCheckBox) control.setTicked(!control.ticked());
  if (control.kind() == Kind::kHyperlink) {
    toolkit.raise(control, Event::kLeftPressed);
    toolkit.openLink(control);
    return true;
  }
  toolkit.raise(control, Event::kClicked);
  return true;
}

bool press(Control control) {
  if (!raiseInput(control, Event::kLeftPressed)) return false;
  if (control.kind() == Kind::kHyperlink) control.window().toolkit().openLink(control);
  return true;
}

bool moveMouse(Control control, int x) { return raiseInput(control, Event::kMouseMoved, EventArgs{x, {}}); }

bool type(Control editBox, std::string_view text) {
  if (!reachable(editBox) || editBox.readOnly()) return false;
  editBox.setText(text);
  return true;
}

bool choose(Control comboBox, int index) {
  if (!reachable(comboBox) || index < 0 || index >= static_cast<int>(comboBox.items().size())) return false;
  comboBox.setCurrentIndex(index);
  return raiseInput(comboBox, Event::kItemSelected);
}

bool tick(Control checkBox) { return click(checkBox); }

bool timerTick(Control timer) {
  if (timer.interval() <= 0) return false;
  timer.window().toolkit().raise(timer, Event::kTick);
  return true;
}

}  // namespace input

}  // namespace ui
