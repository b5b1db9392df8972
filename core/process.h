// Processes the pack job and its page start: the join, the output's folder, the output itself.
#pragma once

#include <string>
#include <vector>

namespace process {

// Joins the parts into output. On Windows this runs commandLine (the cmd.exe copy line) hidden
// and waits for it; elsewhere the same parts are concatenated in-process. True when the join
// ran and reported success; the caller still checks the output's size.
bool runJoin(const std::string& commandLine, const std::vector<std::string>& parts, const std::string& output);

// explorer.exe's line that selects path in its folder; the path is quoted so a blank cannot split it.
std::string showInFolderCommandLine(const std::string& path);

// Shows the output selected in its folder, in a normal window, without waiting for it.
bool showInFolder(const std::string& path);

// Starts the program at path, named explicitly, without waiting for it.
bool startProgram(const std::string& path);

}  // namespace process
