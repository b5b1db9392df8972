// zip: a presentation or its folder into a ZIP archive, exactly as a pack run builds it.
#include <string>

#include "cli/commands.h"
#include "core/archive_builder.h"
#include "core/os.h"

namespace {

constexpr const char* kUsage = "usage: tervalo-pack zip SOURCE ARCHIVE [--report-progress]";
constexpr const char* kReportProgress = "--report-progress";

}  // namespace

int runZip(const Arguments& args) {
  bool reportProgress = false;
  Arguments paths;
  for (const std::string& arg : args) {
    if (arg == kReportProgress) {
      reportProgress = true;
    } else if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      printError("tervalo-pack zip: unknown option " + arg);
      printError(kUsage);
      return kExitUsage;
    } else {
      paths.push_back(arg);
    }
  }
  if (paths.size() != 2) {
    printError(kUsage);
    return kExitUsage;
  }
  std::string source, target;
  if (!os::internalPath(paths[0], source) || !os::internalPath(paths[1], target)) {
    printError("tervalo-pack: a path holds a backslash, which this system cannot name");
    return kExitUsage;
  }
  ArchiveProgress onProgress;
  if (reportProgress) onProgress = [](int percent) { printOut(std::to_string(percent)); };
  ArchiveFailure failure;
  int result = ArchiveBuilder::build(source, target, onProgress, {}, failure);
  if (result == ArchiveBuilder::kWritten) return kExitOk;
  std::string where = failure.path.empty() ? std::string() : ": " + failure.path;
  printError("tervalo-pack zip: " + failure.reason + where);
  return kExitFailed;
}
