// Cutting a registered open command before its placeholder.
#include "ui/shell_command.h"

namespace ui {

std::string commandBeforePlaceholder(std::string_view registered) {
  // '"', '%' and '1' lie below 0x40, the lowest GBK trail byte, so a byte search cannot split a character.
  std::string line(registered);
  std::size_t at = line.find("\"%1\"");
  if (at == std::string::npos) at = line.find("%1");
  if (at != std::string::npos) line.resize(at);
  while (!line.empty() && line.back() == ' ') line.pop_back();
  return line;
}

std::string commandForAddress(std::string_view registered, std::string_view address) {
  std::string command = commandBeforePlaceholder(registered);
  if (command.empty()) return {};
  return command + " " + std::string(address);
}

}  // namespace ui
