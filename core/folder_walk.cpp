// The folder walk behind folder archives, over the platform's folder listing.
#include "core/folder_walk.h"

#include <vector>

#include "core/archive_fs.h"
#include "core/gbk_text.h"

namespace {

WalkEntry entryOf(const std::string& folder, const std::string& relativeFolder, const archive_fs::ListedEntry& e) {
  WalkEntry out;
  out.path = gbk::withTrailingBackslash(folder) + e.name;
  out.relative = relativeFolder.empty() ? e.name : relativeFolder + "\\" + e.name;
  out.folder = e.folder;
  out.nameOk = e.nameOk;
  return out;
}

std::size_t countBelow(const std::string& folder, const std::string& relative, std::size_t nameLimit) {
  std::vector<archive_fs::ListedEntry> listing;
  archive_fs::listFolder(folder, listing);  // an unlistable folder counts as empty
  std::size_t count = listing.size();
  for (const archive_fs::ListedEntry& e : listing) {
    if (!e.folder || !e.nameOk) continue;
    WalkEntry sub = entryOf(folder, relative, e);
    // Also the guard against links that lead back up the tree: every level makes the name longer.
    if (sub.relative.size() <= nameLimit) count += countBelow(sub.path, sub.relative, nameLimit);
  }
  return count;
}

WalkEnd walkBelow(const std::string& folder, const std::string& relative,
                  const std::function<bool(const WalkEntry&)>& visit, std::string& failedFolder) {
  std::vector<archive_fs::ListedEntry> listing;
  if (!archive_fs::listFolder(folder, listing)) {
    failedFolder = folder;
    return WalkEnd::kListingFailed;
  }
  for (const archive_fs::ListedEntry& e : listing) {
    if (!e.folder && !visit(entryOf(folder, relative, e))) return WalkEnd::kStopped;
  }
  for (const archive_fs::ListedEntry& e : listing) {
    if (!e.folder) continue;
    WalkEntry sub = entryOf(folder, relative, e);
    if (!visit(sub)) return WalkEnd::kStopped;
    WalkEnd end = walkBelow(sub.path, sub.relative, visit, failedFolder);
    if (end != WalkEnd::kDone) return end;
  }
  return WalkEnd::kDone;
}

}  // namespace

std::size_t countEntries(const std::string& folder, std::size_t nameLimit) {
  return countBelow(folder, std::string(), nameLimit);
}

WalkEnd walkFolder(const std::string& folder, const std::function<bool(const WalkEntry&)>& visit,
                   std::string& failedFolder) {
  return walkBelow(folder, std::string(), visit, failedFolder);
}
