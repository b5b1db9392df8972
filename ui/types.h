// Values shared by the toolkit's model, templates and backends: kinds, properties, colours, fonts.
#pragma once

#include <cstdint>
#include <string>

namespace ui {

using Colour = std::uint32_t;  // COLORREF 0x00BBGGRR

constexpr Colour rgb(int r, int g, int b) {
  return Colour(r & 0xFF) | Colour(g & 0xFF) << 8 | Colour(b & 0xFF) << 16;
}

// A colour picker's "透明" entry.
inline constexpr Colour kTransparentColour = 0xFF000000;

enum class Kind {
  kWindow,
  kLabel,
  kTransparentLabel,
  kEditBox,
  kComboBox,  // drop-down list, not editable
  kCheckBox,
  kPictureButton,
  kHyperlink,
  kShape,
  kPageControl,
  kColourPicker,
  kWebBrowser,
  kCanvas,
  kFileDialog,
  kDropTarget,
  kBalloonTip,
  kTimer,
};

// Kinds that have no native window of their own.
inline bool isInvisibleKind(Kind kind) {
  return kind == Kind::kCanvas || kind == Kind::kFileDialog || kind == Kind::kDropTarget ||
         kind == Kind::kBalloonTip || kind == Kind::kTimer;
}

// Names of the properties, as the backend is told which one changed.
enum class Prop {
  kLeft,
  kTop,
  kWidth,
  kHeight,
  kVisible,
  kDisabled,
  kText,
  kTag,
  kFont,
  kTextColour,
  kBackColour,
  kHoverColour,
  kVisitedColour,
  kGradient,  // mode and the three colours
  kBorder,
  kTextAlign,
  kPasswordMask,
  kReadOnly,
  kDigitsOnly,
  kItems,
  kCurrentIndex,
  kTicked,
  kPictures,  // normal, hot and pressed
  kAddress,
  kPageTitle,
  kCurrentPage,
  kHideHeaders,
  kColour,
  kInterval,
  kPosition,
  kBackPicture,
  kFilter,
  kChosenPath,
};

struct Font {
  std::string name = "微软雅黑";
  int height = 12;  // character height in pixels
  bool bold = false;
  bool operator==(const Font&) const = default;
};

// Window position property values.
inline constexpr int kPositionNormal = 0;
inline constexpr int kPositionCentre = 1;
inline constexpr int kPositionMinimised = 2;
inline constexpr int kPositionMaximised = 3;

// Label gradient modes.
inline constexpr int kGradientNone = 0;
inline constexpr int kGradientTopToBottom = 1;
inline constexpr int kGradientLeftToRight = 2;

// Border styles of labels and edit boxes.
inline constexpr int kBorderNone = 0;
inline constexpr int kBorderSunken = 1;  // thin sunken edge

// Text alignment of labels and hyperlinks.
inline constexpr int kAlignLeft = 0;
inline constexpr int kAlignCentre = 1;  // centred both ways, one line

// Z-order operation values.
inline constexpr int kZTop = 1;
inline constexpr int kZBottom = 2;
inline constexpr int kZTopmost = 3;
inline constexpr int kZNotTopmost = 4;

// xpLook colour schemes.
inline constexpr int kSchemeBlue = 1;
inline constexpr int kSchemeOlive = 2;
inline constexpr int kSchemeSilver = 3;

}  // namespace ui
