// GBK conversions through iconv (code page 936 is iconv's CP936).
#include <iconv.h>

#include <cerrno>

#include "core/gbk_text.h"

namespace gbk {
namespace {

bool convert(const char* to, const char* from, std::string_view in, std::string& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  std::string result(in.size() * 4 + 4, '\0');
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = result.data();
  std::size_t dstLeft = result.size();
  std::size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1) || srcLeft != 0) return false;
  // iconv counts irreversible conversions in rc; any of them means the text was mangled.
  if (rc != 0) return false;
  result.resize(result.size() - dstLeft);
  out = std::move(result);
  return true;
}

}  // namespace

bool gbkToUtf8(std::string_view text, std::string& out) { return convert("UTF-8", "CP936", text, out); }

bool utf8ToGbk(std::string_view text, std::string& out) { return convert("CP936", "UTF-8", text, out); }

}  // namespace gbk
