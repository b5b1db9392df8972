// ArchiveBuilder: the presentation, or its whole folder, into one ZIP archive file.
#pragma once

#include <functional>
#include <string>

// Receives the percentage of entries done after each entry of a folder build.
using ArchiveProgress = std::function<void(int percent)>;

// Called between 16 KiB pieces and between entries. It may block while the caller is paused;
// returning false abandons the build, which then fails like any other (result 0).
using ArchiveControl = std::function<bool()>;

// Why a build did not give result 1: what went wrong, and the path it concerns (may be empty).
struct ArchiveFailure {
  std::string reason;
  std::string path;
};

class ArchiveBuilder {
 public:
  static constexpr int kWritten = 1;
  static constexpr int kFailed = 0;
  static constexpr int kNothingToDo = -1;  // empty path or missing source; nothing written

  static int build(const std::string& source, const std::string& target, const ArchiveProgress& onProgress,
                   const ArchiveControl& control = {});
  // The same build, telling why it failed.
  static int build(const std::string& source, const std::string& target, const ArchiveProgress& onProgress,
                   const ArchiveControl& control, ArchiveFailure& failure);
};
