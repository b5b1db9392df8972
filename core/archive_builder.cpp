// ArchiveBuilder: a presentation or its folder into a ZIP archive file, streamed in 16 KiB pieces.
#include "core/archive_builder.h"

#include <cstdint>
#include <vector>

#include "core/archive_fs.h"
#include "core/folder_walk.h"
#include "core/gbk_text.h"
#include "core/os.h"
#include "core/zip_format.h"
#include "core/zip_sink.h"
#include "core/zip_writer.h"

namespace {

// Source files are read, and stored entries copied, in pieces of this size; the control point
// is passed between them.
constexpr std::size_t kPieceSize = 16 * 1024;

// Unix mode of a regular file that its owner may read, and write unless it is read-only, above
// the file's MS-DOS attribute bits.
std::uint32_t fileAttributesOf(std::uint8_t dosAttributes) {
  std::uint32_t mode = zip::kUnixRegularFile | zip::kUnixOwnerRead;
  if (!(dosAttributes & archive_fs::kDosReadOnly)) mode |= zip::kUnixOwnerWrite;
  return mode << zip::kUnixModeShift | dosAttributes;
}

zip::DosDateTime localDosTimeOf(std::int64_t seconds) {
  archive_fs::CivilTime local;
  // A moment the system cannot express lies far beyond either end of the MS-DOS range.
  if (!archive_fs::localTime(seconds, local)) local.year = seconds < 0 ? 0 : 9999;
  return zip::dosDateTimeOf(local);
}

int percentOf(std::size_t done, std::size_t total) {
  // The folder may have grown since it was counted; the reports then stay at 100.
  if (total == 0 || done >= total) return 100;
  return static_cast<int>(static_cast<double>(done) / static_cast<double>(total) * 100.0);
}

const char* reasonOf(ZipError error) {
  switch (error) {
    case ZipError::kTooManyEntries: return "an archive holds at most 65535 entries";
    case ZipError::kBadName: return "an entry name must have 1 to 259 bytes";
    case ZipError::kTooLarge: return "the archive would reach 4 GiB";
    case ZipError::kWriteFailed: return "cannot write the archive (is the disk full?)";
    case ZipError::kDeflateFailed: return "compression failed";
    case ZipError::kNotInEntry:
    case ZipError::kNone: break;
  }
  return "the archive writer failed";
}

// One build: the open archive, its writer, and what the caller passed.
class Build {
 public:
  Build(archive_fs::OutputFile& out, ZipWriter& writer, const ArchiveControl& control, ArchiveFailure& failure)
      : out_(out), writer_(writer), control_(control), failure_(failure), piece_(kPieceSize) {}

  bool addFile(const std::string& path, const std::string& name) {
    if (!proceed()) return false;
    archive_fs::InputFile in;
    if (!in.open(path)) return fail("cannot open the file for reading (missing, not a regular file, or in use)", path);
    // The archive itself is open without sharing on Windows; elsewhere it is recognised here.
    if (out_.isSameFile(in)) return fail("the archive lies inside the folder being archived", path);
    archive_fs::FileFacts facts;
    if (!in.facts(facts)) return fail("cannot read the file's attributes", path);
    if (facts.size > zip::kMaxSize) return fail("a file of 4 GiB or more cannot be archived", path);
    ZipEntry entry;
    entry.name = gbk::replaceChar(name, '\\', '/');
    entry.externalAttributes = fileAttributesOf(facts.dosAttributes);
    entry.modifiedLocal = localDosTimeOf(facts.modified);
    entry.modified = zip::timestampOf(facts.modified);
    entry.accessed = zip::timestampOf(facts.accessed);
    entry.created = zip::timestampOf(facts.created);
    if (!writer_.beginEntry(entry)) return failEntry(path);
    for (;;) {
      std::size_t got = 0;
      if (!in.read(piece_.data(), piece_.size(), got)) {
        writer_.abandonEntry();
        return fail("cannot read the file", path);
      }
      if (got == 0) break;
      if (!writer_.addData(piece_.data(), got)) return failEntry(path);
      if (!proceed()) {
        writer_.abandonEntry();
        return false;
      }
    }
    return writer_.finishEntry() || failEntry(path);
  }

  bool addFolder(const std::string& path, const std::string& relative) {
    if (!proceed()) return false;
    ZipEntry entry;
    entry.name = gbk::replaceChar(relative, '\\', '/');
    if (entry.name.empty() || entry.name.back() != '/') entry.name += '/';
    entry.folder = true;
    entry.externalAttributes = zip::kFolderAttributes;
    const std::int64_t now = archive_fs::now();
    entry.modifiedLocal = localDosTimeOf(now);
    entry.modified = entry.accessed = entry.created = zip::timestampOf(now);
    return (writer_.beginEntry(entry) && writer_.finishEntry()) || failEntry(path);
  }

  // The central directory and end record, then the file itself.
  bool closeArchive(const std::string& target) {
    if (!writer_.close()) return failEntry(target);
    return out_.close() || fail("cannot finish writing the archive", target);
  }

  bool fail(const std::string& reason, const std::string& path) {
    if (failure_.reason.empty()) failure_ = {reason, path};
    return false;
  }

 private:
  bool proceed() { return !control_ || control_() || fail("the build was stopped", std::string()); }

  bool failEntry(const std::string& path) {
    ZipError error = writer_.error();
    writer_.abandonEntry();
    return fail(reasonOf(error), path);
  }

  archive_fs::OutputFile& out_;
  ZipWriter& writer_;
  const ArchiveControl& control_;
  ArchiveFailure& failure_;
  std::vector<std::uint8_t> piece_;
};

int buildSingleFile(Build& build, archive_fs::OutputFile& out, const std::string& source, const std::string& target) {
  if (build.addFile(source, gbk::fileNameOf(source)) && build.closeArchive(target)) return ArchiveBuilder::kWritten;
  // A single file either is archived whole or leaves nothing behind.
  out.close();
  os::deleteFile(target);
  return ArchiveBuilder::kFailed;
}

int buildFolder(Build& build, const std::string& source, const std::string& target,
                const ArchiveProgress& onProgress) {
  const std::size_t total = countEntries(source, zip::kMaxNameLength);
  std::size_t done = 0;
  auto addEntry = [&](const WalkEntry& e) {
    if (!e.nameOk) return build.fail("a name cannot be written in the GBK character set", e.path);
    bool added = e.folder ? build.addFolder(e.path, e.relative) : build.addFile(e.path, e.relative);
    if (!added) return false;
    ++done;
    if (onProgress) onProgress(percentOf(done, total));
    return true;
  };
  std::string failedFolder;
  WalkEnd end = walkFolder(source, addEntry, failedFolder);
  if (end == WalkEnd::kListingFailed) build.fail("cannot list the folder", failedFolder);
  // The entries added so far stay, in a closed archive, even when one failed.
  bool closed = build.closeArchive(target);
  return end == WalkEnd::kDone && closed ? ArchiveBuilder::kWritten : ArchiveBuilder::kFailed;
}

}  // namespace

int ArchiveBuilder::build(const std::string& source, const std::string& target, const ArchiveProgress& onProgress,
                          const ArchiveControl& control) {
  ArchiveFailure failure;
  return build(source, target, onProgress, control, failure);
}

int ArchiveBuilder::build(const std::string& source, const std::string& target, const ArchiveProgress& onProgress,
                          const ArchiveControl& control, ArchiveFailure& failure) {
  failure = {};
  if (source.empty() || target.empty() || !os::entryExists(source)) {
    failure = {"the source or the archive path is empty, or the source does not exist", source};
    return kNothingToDo;
  }
  const bool folder = os::isDirectory(source);
  // Creating the archive would empty the presentation before it is read.
  if (!folder && archive_fs::sameExistingFile(source, target)) {
    failure = {"the archive would replace its own source", target};
    return kFailed;
  }
  archive_fs::OutputFile out;
  if (!out.create(target)) {
    failure = {"cannot create the archive", target};
    return kFailed;
  }
  FileSink sink(out);
  ZipWriter writer(sink);
  Build build(out, writer, control, failure);
  return folder ? buildFolder(build, source, target, onProgress) : buildSingleFile(build, out, source, target);
}
