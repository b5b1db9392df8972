// Shared pieces of the Win32 backend: text conversion, fonts, decoded pictures and drawing.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <tuple>

#include "core/byte_set.h"
#include "ui/control.h"

namespace ui::win32ui {

std::wstring wide(std::string_view gbkText);
std::string narrow(std::wstring_view wideText);

// Fonts by name, character height and weight, made once and kept for the program's life.
HFONT fontFor(const Font& font);

// A JPEG (or any format the system's imaging component reads) as a 32-bit bitmap; null when it
// cannot be decoded.
HBITMAP decodePicture(const ByteSet& bytes, int& width, int& height);

// Fills rect with the three-colour gradient: top to bottom (mode 1) or left to right (mode 2).
void fillGradient(HDC dc, const RECT& rect, const Gradient& gradient);

void fillSolid(HDC dc, const RECT& rect, Colour colour);

// Draws the custom-drawn kinds (labels, links, shapes, page controls, picture buttons, colour
// pickers, browser panels). hot and pressed are the mouse state; surround is the parent's colour.
struct PaintState {
  bool hot = false;
  bool pressed = false;
  Colour surround = 0;
  HBITMAP pictures[3] = {nullptr, nullptr, nullptr};  // normal, hot, pressed
  int pictureWidth[3] = {0, 0, 0};
  int pictureHeight[3] = {0, 0, 0};
};
void paintControl(HDC dc, const RECT& client, Kind kind, const ControlProps& props, const PaintState& state);

// Height of the header row a page control shows when its headers are not hidden.
inline constexpr int kPageHeaderHeight = 22;

}  // namespace ui::win32ui
