// GBK text helpers: whole-character walking and the path and number rules built on it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace gbk {

constexpr std::size_t npos = std::string::npos;

// A GBK lead byte (0x81..0xFE) takes the next byte with it; the trail byte may be 0x5C.
inline bool isLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// Byte length of the character that starts at pos (1 or 2; 1 for a lone lead byte at the end).
inline std::size_t charLength(std::string_view text, std::size_t pos) {
  return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// Position of the first single-byte character ch, scanning whole characters; npos when none.
std::size_t firstCharPos(std::string_view text, char ch);

// Position of the last single-byte character ch, scanning whole characters; npos when none.
std::size_t lastCharPos(std::string_view text, char ch);

// Position of the last backslash, never a trail byte; npos when none.
inline std::size_t lastBackslash(std::string_view text) { return lastCharPos(text, '\\'); }

// The text after the last backslash; the whole text without one.
std::string fileNameOf(std::string_view path);

// The text before the last backslash; empty without one.
std::string folderOf(std::string_view path);

// The text with a backslash appended unless it already ends in one (a trail byte 0x5C does not count).
std::string withTrailingBackslash(std::string_view path);

// Every single-byte character from is replaced by to; double-byte characters stay whole.
std::string replaceChar(std::string_view text, char from, char to);

// ASCII letters lower-cased; double-byte characters untouched.
std::string asciiLower(std::string_view text);

// Full-width ASCII forms (A3A1..A3FE) and the ideographic space (A1A1) folded to ASCII.
std::string foldFullWidth(std::string_view text);

// The leading decimal floating-point literal of the folded text (white space skipped,
// sign, digits, point, exponent); 0 when the text starts with no number.
double textToNumber(std::string_view text);

// Conversions at the system boundary. False when the text cannot be converted; out is then unchanged.
bool gbkToUtf8(std::string_view gbk, std::string& out);
bool utf8ToGbk(std::string_view utf8, std::string& out);

}  // namespace gbk
