// Linux paths: the program's GBK backslash paths to and from UTF-8 slash paths.
#pragma once

#include <string>

namespace os {

bool nativePath(const std::string& path, std::string& native);
bool pathFromNative(const std::string& native, std::string& path);

}  // namespace os
