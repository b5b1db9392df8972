// The command registered for a file type, made ready to take an address.
#pragma once

#include <string>
#include <string_view>

namespace ui {

// The registered command cut before its placeholder: a quoted "%1" first, else a bare %1;
// blanks before the cut are dropped. A command without a placeholder stays whole.
std::string commandBeforePlaceholder(std::string_view registered);

// The command line that opens address with the registered command: the cut command, a blank, the address.
std::string commandForAddress(std::string_view registered, std::string_view address);

}  // namespace ui
