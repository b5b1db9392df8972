// The checks of a pack request, in their fixed order, and the effects of one that passes.
#pragma once

#include <string>
#include <string_view>

#include "core/pack_options.h"

namespace request_text {
inline constexpr std::string_view kChooseOutput = "请选择输出文件路径";
inline constexpr std::string_view kStartSlideTooSmall = "起始幻灯片必须大于或等于1";
inline constexpr std::string_view kOverwriteOutput = "输出路径已经存在其他文件,要覆盖它吗?";
inline constexpr std::string_view kChooseSource = "请选择要打包的文件";
inline constexpr std::string_view kSourceMissing = "无法打包！要打包的文件不存在";
inline constexpr std::string_view kCancelEmptyPassword = "您选择使用密码但没有输入密码，确定要取消设置密码吗？";
inline constexpr std::string_view kPasswordsDiffer = "两次输入的密码不一样！";
}  // namespace request_text

// What the request needs of the program around it.
class PackRequestHost {
 public:
  virtual ~PackRequestHost() = default;
  // A task-modal message box without owner; returns the program's result numbers (Yes 5, No 6).
  virtual int messageBox(std::string_view text, std::string_view caption, int flags) = 0;
  // True when a file or folder exists at the path.
  virtual bool entryExists(const std::string& path) = 0;
  virtual void trimWorkingSet() = 0;
  // Step 1: the progress bar to width 0, its caption to "打包中...".
  virtual void resetProgress() = 0;
  // Steps 7 to 11 of a request that passed: store playerPassword, set packPageActive to 1,
  // show the pack-progress page, hide the completion buttons, show Stop and Pause, start the job.
  virtual void beginPackRun(const std::string& playerPassword) = 0;
};

enum class PackRequestOutcome { kRefused, kStarted };

// True when the start slide text reads as a number of at least 1.
bool startSlideAcceptable(std::string_view startSlide);

// requestPack: runs every check in order; a refusal ends it with nothing else changed.
PackRequestOutcome requestPack(const PackOptions& options, PackRequestHost& host);
