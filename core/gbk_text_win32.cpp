// GBK conversions through code page 936, independent of the system's own ANSI code page.
#include <windows.h>

#include "core/gbk_text.h"
#include "core/gbk_text_win32.h"

namespace gbk {
namespace {

constexpr UINT kGbkCodePage = 936;

bool toWide(UINT codePage, std::string_view in, std::wstring& out) {
  if (in.empty()) {
    out.clear();
    return true;
  }
  int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (n <= 0) return false;
  std::wstring result(static_cast<std::size_t>(n), L'\0');
  MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), result.data(), n);
  out = std::move(result);
  return true;
}

bool fromWide(UINT codePage, std::wstring_view in, std::string& out) {
  if (in.empty()) {
    out.clear();
    return true;
  }
  BOOL usedDefault = FALSE;
  // The default-character flag is refused for UTF-8, where every character maps anyway.
  BOOL* usedDefaultArg = codePage == CP_UTF8 ? nullptr : &usedDefault;
  DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  int n = WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()), nullptr, 0, nullptr, usedDefaultArg);
  if (n <= 0 || usedDefault) return false;
  std::string result(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(codePage, flags, in.data(), static_cast<int>(in.size()), result.data(), n, nullptr, usedDefaultArg);
  out = std::move(result);
  return true;
}

}  // namespace

bool gbkToWide(std::string_view text, std::wstring& out) { return toWide(kGbkCodePage, text, out); }

bool wideToGbk(std::wstring_view text, std::string& out) { return fromWide(kGbkCodePage, text, out); }

bool gbkToUtf8(std::string_view text, std::string& out) {
  std::wstring wide;
  return toWide(kGbkCodePage, text, wide) && fromWide(CP_UTF8, wide, out);
}

bool utf8ToGbk(std::string_view text, std::string& out) {
  std::wstring wide;
  return toWide(CP_UTF8, text, wide) && fromWide(kGbkCodePage, wide, out);
}

}  // namespace gbk
