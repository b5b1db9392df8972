// The inputs of one pack run and the player's look, each value read at the moment a step asks for it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/byte_set.h"

// Texts that stand in the edit boxes until the user chooses or types a value.
inline constexpr std::string_view kSourcePlaceholder =
    "请单击右面的浏览按钮选择PPT文件或将PPT文件直接拖到本程序窗口中";
inline constexpr std::string_view kOutputPlaceholder = "请单击右面的浏览按钮选择生成的文件输出路径";
inline constexpr std::string_view kTitlePlaceholder = "请输入PPT的标题";
inline constexpr std::string_view kAuthorPlaceholder = "请输入PPT的作者";
inline constexpr std::string_view kDefaultPlayerTitle = "Tervalo播放器";

// playerPassword's marker for a player without a password.
inline constexpr std::string_view kNoPasswordMarker = "|";

// ModuleKind: which playback module goes along (0 until a source is chosen).
inline constexpr int kModuleKindPpt = 3;
inline constexpr int kModuleKindPptx = 10;

using Colour = std::uint32_t;  // COLORREF 0x00BBGGRR

// The program backs these with its controls and globals; the command-line tool and tests with plain values.
class PackOptions {
 public:
  virtual ~PackOptions() = default;
  virtual std::string sourcePath() const = 0;
  virtual std::string sourceFolder() const = 0;
  virtual int moduleKind() const = 0;
  virtual std::string outputPath() const = 0;
  virtual bool usePassword() const = 0;
  virtual std::string password() const = 0;
  virtual std::string passwordAgain() const = 0;
  virtual bool packWholeFolder() const = 0;
  virtual bool useModule() const = 0;
  virtual int interfaceMode() const = 0;  // 0 standard, 1 hidden
  virtual std::string startSlide() const = 0;
  virtual std::string title() const = 0;
  virtual std::string author() const = 0;
};

class PlayerAppearance {
 public:
  virtual ~PlayerAppearance() = default;
  virtual Colour backColor() const = 0;
  virtual Colour borderColor() const = 0;
  virtual Colour textColor() const = 0;
  virtual std::int32_t opacity() const = 0;
  virtual ByteSet backPicture() const = 0;
  virtual std::int32_t barMode() const = 0;  // 1 top to bottom, 2 left to right
  virtual Colour barColor1() const = 0;
  virtual Colour barColor2() const = 0;
  virtual Colour barColor3() const = 0;
  virtual std::int32_t barBackMode() const = 0;
  virtual Colour barBackColor1() const = 0;
  virtual Colour barBackColor2() const = 0;
  virtual Colour barBackColor3() const = 0;
};

// The title the player shows: the typed title, or the default when it is empty or its placeholder.
std::string effectiveTitle(std::string_view title);

// The author field: the typed author, or nothing when it is empty or its placeholder.
std::string effectiveAuthor(std::string_view author);

// Plain values, starting as the program's controls start.
struct PlainPackOptions final : PackOptions {
  std::string sourcePathValue{kSourcePlaceholder};
  std::string sourceFolderValue;
  int moduleKindValue = 0;
  std::string outputPathValue{kOutputPlaceholder};
  bool usePasswordValue = false;
  std::string passwordValue;
  std::string passwordAgainValue;
  bool packWholeFolderValue = true;
  bool useModuleValue = true;
  int interfaceModeValue = 0;
  std::string startSlideValue = "1";
  std::string titleValue{kTitlePlaceholder};
  std::string authorValue{kAuthorPlaceholder};

  std::string sourcePath() const override { return sourcePathValue; }
  std::string sourceFolder() const override { return sourceFolderValue; }
  int moduleKind() const override { return moduleKindValue; }
  std::string outputPath() const override { return outputPathValue; }
  bool usePassword() const override { return usePasswordValue; }
  std::string password() const override { return passwordValue; }
  std::string passwordAgain() const override { return passwordAgainValue; }
  bool packWholeFolder() const override { return packWholeFolderValue; }
  bool useModule() const override { return useModuleValue; }
  int interfaceMode() const override { return interfaceModeValue; }
  std::string startSlide() const override { return startSlideValue; }
  std::string title() const override { return titleValue; }
  std::string author() const override { return authorValue; }
};

// Background colours of the six skin presets ("浅蓝", "浅紫", "蓝", "银白", "浅灰", "灰色").
inline constexpr Colour kSkinPresetBackColors[6] = {0x00FFD8B0, 0x00FFE6DC, 0x00FF8800,
                                                    0x00ECECEC, 0x00C0C0C0, 0x00808080};
// Every preset gives the progress bar these three gradient colours.
inline constexpr Colour kSkinPresetBarColors[3] = {0x00FFC8C8, 0x00FFB99B, 0x00FFBE78};

// Plain values, starting as the preview window starts (skin preset 1).
struct PlainPlayerAppearance final : PlayerAppearance {
  Colour backColorValue = kSkinPresetBackColors[0];
  Colour borderColorValue = 0x00FFB76F;
  Colour textColorValue = 0x00000000;
  std::int32_t opacityValue = 0;  // 0 until an opacity has been chosen
  ByteSet backPictureValue;
  std::int32_t barModeValue = 1;
  Colour barColorValues[3] = {kSkinPresetBarColors[0], kSkinPresetBarColors[1], kSkinPresetBarColors[2]};
  std::int32_t barBackModeValue = 1;
  Colour barBackColorValues[3] = {0x00ECECEC, 0x00FFFFFF, 0x00ECECEC};

  // Presets 1 to 6 set the background and the bar colours and nothing else; other numbers do nothing.
  void applySkinPreset(int number) {
    if (number < 1 || number > 6) return;
    backColorValue = kSkinPresetBackColors[number - 1];
    for (int i = 0; i < 3; ++i) barColorValues[i] = kSkinPresetBarColors[i];
  }

  Colour backColor() const override { return backColorValue; }
  Colour borderColor() const override { return borderColorValue; }
  Colour textColor() const override { return textColorValue; }
  std::int32_t opacity() const override { return opacityValue; }
  ByteSet backPicture() const override { return backPictureValue; }
  std::int32_t barMode() const override { return barModeValue; }
  Colour barColor1() const override { return barColorValues[0]; }
  Colour barColor2() const override { return barColorValues[1]; }
  Colour barColor3() const override { return barColorValues[2]; }
  std::int32_t barBackMode() const override { return barBackModeValue; }
  Colour barBackColor1() const override { return barBackColorValues[0]; }
  Colour barBackColor2() const override { return barBackColorValues[1]; }
  Colour barBackColor3() const override { return barBackColorValues[2]; }
};
