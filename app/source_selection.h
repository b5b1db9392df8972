// The rules behind choosing a source and a target: extension, folder, default output, module file, drops.
#pragma once

#include <string>
#include <string_view>

#include "core/presentation_path.h"

namespace source_text {
inline constexpr std::string_view kWrongFileDropped = "文件放错啦!只能放入 .ppt 或 .pptx 文件哦!";
// A drop while a job runs would change inputs that the job still reads.
inline constexpr std::string_view kDropWhilePacking = "正在打包中，请稍候再拖入文件";
// Default output when the source lies in the root of a drive.
inline constexpr std::string_view kRootOutputName = "\\Tervalo输出文件.exe";
inline constexpr std::string_view kOpenFilter =
    "powerpoint2003演示文稿(*.ppt),powerpoint2010演示文稿(*.pptx)|*.pptx;*.ppt|"
    "powerpoint2003演示文稿(*.ppt)|*.ppt|powerpoint2010演示文稿(*.pptx)|*.pptx";
inline constexpr std::string_view kSaveFilter = "应用程序（*.exe）|*.exe";
}  // namespace source_text

// Where the wrong-file balloon points, relative to the main window's top left corner.
inline constexpr int kDropBalloonOffsetX = 145;
inline constexpr int kDropBalloonOffsetY = 134;

// The folder of the source: the text before its last backslash (a trail byte 0x5C is no backslash).
std::string sourceFolderOf(std::string_view path);

// The proposed output: the folder's name + ".exe" beside it, or a fixed name in a drive's root.
std::string defaultOutputPath(std::string_view folder);

// The hint shown when that module file is missing; it names the site to download it from.
std::string missingModuleText(int kind);

enum class DropVerdict {
  kAccept,
  kWrongFile,  // not one .ppt or .pptx file (several files joined with CR LF never are)
  kPacking,    // a job is running or paused
};

struct DropDecision {
  DropVerdict verdict;
  int kind;  // the module kind when accepted, else 0
};

DropDecision judgeDrop(std::string_view paths, bool packJobRunning);

// A name typed into the save dialog without an extension gets ".exe"; any other name stays.
std::string withExeExtension(std::string_view chosenPath);
