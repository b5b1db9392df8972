// The headless backend and scripted desktop services: the toolkit without a screen, for tests.
// Calls are recorded, answers are queued, and input is raised by name the way a person would.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "ui/backend.h"
#include "ui/desktop.h"
#include "ui/toolkit.h"

namespace ui {

class HeadlessBackend final : public Backend {
 public:
  HeadlessBackend() : uiThread_(std::this_thread::get_id()) {}

  void createWindow(Window& window) override;
  void showWindow(Window& window) override;
  void destroyWindow(Window& window) override;
  void controlAdded(Window&, int) override {}
  void propertyChanged(Window&, int, Prop) override {}
  void zOrderChanged(Window& window, int id) override;
  void setFocus(Window& window, int id) override;
  void setXpLook(int scheme) override;
  void sendMessage(Window& window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::uintptr_t nativeHandle(Window& window) override;
  bool onUiThread() const override { return std::this_thread::get_id() == uiThread_; }
  void post(std::function<void()> f) override;
  // Runs posted work until quit is asked for.
  int runLoop() override;
  void quit(int exitCode) override;

  // Runs what has been posted so far (handlers raised from workers).
  void runPosted();
  // What the toolkit asked for, in order: "create <caption>", "show", "zorder <name>",
  // "focus <name>", "xplook <scheme>", "message <n> <w> <l>", "destroy".
  std::vector<std::string> log() const;
  std::optional<int> exitCode() const;

 private:
  void record(std::string entry);

  std::thread::id uiThread_;
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::function<void()>> posted_;
  std::vector<std::string> log_;
  std::optional<int> exitCode_;
};

class ScriptedDesktop final : public Desktop {
 public:
  struct MessageBoxCall {
    std::string text;
    std::string caption;
    int flags;
  };
  struct BalloonCall {
    std::string text;
    int x;
    int y;
  };

  // Queued answers; an empty queue answers OK (message box), cancel (dialogs) or success.
  void answerMessageBox(int result);
  void answerFileDialog(std::optional<std::string> path);
  void answerColour(std::optional<Colour> colour);
  void setShellOpenSucceeds(bool v);
  void setDropTargetSucceeds(bool v);
  // Width of one byte of text in pixels, times the font height / 12 (a stand-in for metrics).
  void setTextWidthPerByte(int pixels);
  // Runs right before a message box answers (on the asking thread), to look at the state then.
  void onMessageBox(std::function<void(const MessageBoxCall&)> f);

  int messageBox(std::string_view text, std::string_view caption, int flags) override;
  bool fileDialog(const FileDialogRequest& request, std::string& path) override;
  bool chooseColour(Colour initial, Colour& chosen) override;
  void showBalloonTip(std::string_view text, int screenX, int screenY) override;
  int textWidth(const Font& font, std::string_view text) override;
  bool shellOpen(const std::string& address, bool htmFallback) override;
  bool startProcess(const std::string& commandLine) override;
  bool registerDropTarget(std::uintptr_t windowHandle, std::function<void(const std::string&)> gotFiles) override;

  std::vector<MessageBoxCall> messageBoxes() const;
  std::vector<FileDialogRequest> fileDialogs() const;
  std::vector<BalloonCall> balloonTips() const;
  std::vector<std::string> shellOpens() const;
  std::vector<std::string> processes() const;
  std::vector<std::uintptr_t> dropTargets() const;
  // Drops files on the window registered last, as the system would.
  bool drop(const std::string& paths);

 private:
  mutable std::mutex mutex_;
  std::deque<int> messageAnswers_;
  std::deque<std::optional<std::string>> fileAnswers_;
  std::deque<std::optional<Colour>> colourAnswers_;
  bool shellOpenSucceeds_ = true;
  bool dropTargetSucceeds_ = true;
  int widthPerByte_ = 6;
  std::function<void(const MessageBoxCall&)> onMessageBox_;
  std::vector<MessageBoxCall> messageBoxes_;
  std::vector<FileDialogRequest> fileDialogs_;
  std::vector<BalloonCall> balloons_;
  std::vector<std::string> shellOpens_;
  std::vector<std::string> processes_;
  std::vector<std::uintptr_t> dropTargets_;
  std::function<void(const std::string&)> dropCallback_;
};

// Input as a person gives it; nothing happens on a disabled or hidden control, as on screen.
namespace input {
bool click(Control control);
bool press(Control control);  // left button pressed
bool moveMouse(Control control, int x);
bool type(Control editBox, std::string_view text);
bool choose(Control comboBox, int index);
bool tick(Control checkBox);
// A timer's period has passed; nothing happens while it is stopped (interval 0).
bool timerTick(Control timer);
}  // namespace input

}  // namespace ui
