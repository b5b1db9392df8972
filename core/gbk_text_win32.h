// GBK to UTF-16 and back, for the Windows parts that call the W functions.
#pragma once

#include <string>
#include <string_view>

namespace gbk {

bool gbkToWide(std::string_view gbk, std::wstring& out);
bool wideToGbk(std::wstring_view wide, std::string& out);

// For the W functions that take a path or text: the conversion, or an empty text when it fails.
inline std::wstring wideOrEmpty(std::string_view text) {
  std::wstring out;
  return gbkToWide(text, out) ? out : std::wstring();
}

}  // namespace gbk
