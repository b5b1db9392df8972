// Command lines shared by the platform parts of the process service.
#include "core/process.h"

namespace process {

std::string showInFolderCommandLine(const std::string& path) { return "explorer.exe /select,\"" + path + "\""; }

}  // namespace process
