// Message-box buttons, icons and results as the program numbers them.
#pragma once

#include <string_view>

inline constexpr std::string_view kDefaultCaption = "信息：";

// Button and icon flags (the Win32 MB_ values).
inline constexpr int kMbOk = 0x0;
inline constexpr int kMbYesNo = 0x4;
inline constexpr int kMbIconQuestion = 0x20;

// Results: OK 0, Cancel 1, Abort 2, Retry 3, Ignore 4, Yes 5, No 6.
enum MessageBoxResult : int {
  kResultOk = 0,
  kResultCancel = 1,
  kResultAbort = 2,
  kResultRetry = 3,
  kResultIgnore = 4,
  kResultYes = 5,
  kResultNo = 6,
};
