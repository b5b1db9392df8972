// GBK text helpers shared by every layer.
#include "core/gbk_text.h"

#include <cstdlib>

namespace gbk {

std::size_t firstCharPos(std::string_view text, char ch) {
  for (std::size_t i = 0; i < text.size(); i += charLength(text, i)) {
    if (text[i] == ch) return i;
  }
  return npos;
}

std::size_t lastCharPos(std::string_view text, char ch) {
  std::size_t found = npos;
  for (std::size_t i = 0; i < text.size(); i += charLength(text, i)) {
    if (text[i] == ch) found = i;
  }
  return found;
}

std::string fileNameOf(std::string_view path) {
  std::size_t slash = lastBackslash(path);
  return std::string(slash == npos ? path : path.substr(slash + 1));
}

std::string folderOf(std::string_view path) {
  std::size_t slash = lastBackslash(path);
  return slash == npos ? std::string() : std::string(path.substr(0, slash));
}

std::string withTrailingBackslash(std::string_view path) {
  std::string out(path);
  if (out.empty() || lastBackslash(out) != out.size() - 1) out += '\\';
  return out;
}

std::string replaceChar(std::string_view text, char from, char to) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); i += charLength(out, i)) {
    if (out[i] == from) out[i] = to;
  }
  return out;
}

std::string asciiLower(std::string_view text) {
  std::string out(text);
  for (std::size_t i = 0; i < out.size(); i += charLength(out, i)) {
    if (out[i] >= 'A' && out[i] <= 'Z') out[i] = static_cast<char>(out[i] - 'A' + 'a');
  }
  return out;
}

std::string foldFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    std::size_t len = charLength(text, i);
    auto lead = static_cast<unsigned char>(text[i]);
    auto trail = len == 2 ? static_cast<unsigned char>(text[i + 1]) : 0;
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE && trail != 0xA4) {
      // A3A1..A3FE are the full-width forms of 0x21..0x7E; A3A4 is the yen sign, not '$'.
      out.push_back(static_cast<char>(trail - 0xA1 + 0x21));
    } else if (lead == 0xA1 && trail == 0xA1) {
      out.push_back(' ');  // ideographic space
    } else {
      out.append(text.substr(i, len));
    }
    i += len;
  }
  return out;
}

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

double textToNumber(std::string_view text) {
  std::string folded = foldFullWidth(text);
  std::size_t i = 0;
  while (i < folded.size() && isSpace(folded[i])) ++i;
  std::size_t start = i;
  if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < folded.size() && isDigit(folded[i])) ++i, ++digits;
  if (i < folded.size() && folded[i] == '.') {
    ++i;
    while (i < folded.size() && isDigit(folded[i])) ++i, ++digits;
  }
  if (digits == 0) return 0;
  std::size_t end = i;
  if (i < folded.size() && (folded[i] == 'e' || folded[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < folded.size() && (folded[j] == '+' || folded[j] == '-')) ++j;
    if (j < folded.size() && isDigit(folded[j])) {
      while (j < folded.size() && isDigit(folded[j])) ++j;
      end = j;
    }
  }
  // The literal is plain ASCII now; strtod reads it in the "C" locale the program keeps.
  std::string literal = folded.substr(start, end - start);
  return std::strtod(literal.c_str(), nullptr);
}

}  // namespace gbk
