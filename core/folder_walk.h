// Walks a folder for the archive: the files of each folder first, then each subfolder, depth first.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

struct WalkEntry {
  std::string path;      // the program's path of the entry
  std::string relative;  // the path below the walked folder, with backslashes, without a leading one
  bool folder = false;
  bool nameOk = true;    // false when the system's name cannot be held as a GBK text
};

enum class WalkEnd {
  kDone,
  kStopped,        // the visitor ended the walk
  kListingFailed,  // a folder could not be listed; failedFolder names it
};

// Counts every file and subfolder below the folder, at any depth. Below a subfolder whose relative
// path is longer than nameLimit bytes nothing is counted: its entry cannot be added, which ends a walk.
std::size_t countEntries(const std::string& folder, std::size_t nameLimit);

// Visits the files of the folder in listing order, then for each subfolder in listing order the
// subfolder itself and then its contents. The walked folder gets no visit of its own. A visitor
// returning false ends the walk; a subfolder visited successfully is then listed and walked.
WalkEnd walkFolder(const std::string& folder, const std::function<bool(const WalkEntry&)>& visit,
                   std::string& failedFolder);
