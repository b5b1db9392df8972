// Everything that needs the desktop, behind one interface: message boxes, file and colour dialogs,
// balloon tips, text measuring, the shell, processes and drop targets.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/types.h"

namespace ui {

struct FileDialogRequest {
  bool save = false;
  std::string filter;  // "Name|*.a;*.b|Other|*.c"
  std::string initialPath;
  std::uintptr_t owner = 0;
};

class Desktop {
 public:
  virtual ~Desktop() = default;
  // Task-modal, without owner; flags are the MB_ values, the result is OK 0 ... Yes 5, No 6.
  virtual int messageBox(std::string_view text, std::string_view caption, int flags) = 0;
  // False when the user cancels.
  virtual bool fileDialog(const FileDialogRequest& request, std::string& path) = 0;
  // The system colour dialog; false when cancelled.
  virtual bool chooseColour(Colour initial, Colour& chosen) = 0;
  virtual void showBalloonTip(std::string_view text, int screenX, int screenY) = 0;
  // Pixel width of text drawn in font.
  virtual int textWidth(const Font& font, std::string_view text) = 0;
  // Opens an address with the shell's "open" verb; for links, falls back to the ".htm" command.
  virtual bool shellOpen(const std::string& address, bool htmFallback) = 0;
  // Starts a command line in a normal window without waiting.
  virtual bool startProcess(const std::string& commandLine) = 0;
  // Files dropped on the window reach gotFiles as paths each followed by CR LF.
  virtual bool registerDropTarget(std::uintptr_t windowHandle, std::function<void(const std::string&)> gotFiles) = 0;
};

}  // namespace ui
