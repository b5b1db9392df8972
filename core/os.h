// The operating-system layer: files, folders, time and the process, for GBK paths with backslashes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/byte_set.h"

namespace os {

// Outcome of writing a whole file.
enum class WriteResult {
  kOk,
  kExists,  // exclusive creation found the name taken
  kFailed,  // could not create, or could not write every byte
};

enum class CreateMode {
  kReplace,    // create anew or truncate
  kExclusive,  // fail with kExists when an entry of that name is there
};

// Reads the whole file; false (out emptied) when it is missing or unreadable.
bool readWholeFile(const std::string& path, ByteSet& out);

WriteResult writeWholeFile(const std::string& path, const ByteSet& data, CreateMode mode);

// True when a file or a folder of that name exists.
bool entryExists(const std::string& path);

bool isDirectory(const std::string& path);

bool deleteFile(const std::string& path);

// Size of a file in bytes; false when it cannot be read.
bool fileSize(const std::string& path, std::uint64_t& size);

// The user's temporary folder, always ending in a backslash.
std::string tempFolder();

// Milliseconds since the system started, wrapping at 2^32.
std::uint32_t tickCount();

// The folder of the running program's own file, without a trailing backslash.
std::string programFolder();

// Gives the process's unused pages back to the system; does nothing where there is no such call.
void trimWorkingSet();

// The program's arguments (without the program name) as GBK texts; false when one cannot be held in GBK.
bool programArguments(int argc, char** argv, std::vector<std::string>& args);

// A path as the user typed it, in the program's form: separators become backslashes.
// False when the name cannot be a path here (on Linux a name that holds a backslash).
bool internalPath(const std::string& typed, std::string& path);

// Writes a GBK text to standard output or standard error as UTF-8.
void printText(bool toStdErr, const std::string& text);

// True when standard error is a terminal (a console on Windows).
bool stdErrIsTerminal();

}  // namespace os
