// runPackJob and the pack-progress page: one run from settings block to finished output.
#include "core/pack_job.h"

#include "core/archive_builder.h"
#include "core/data_cipher.h"
#include "core/message_box.h"
#include "core/os.h"
#include "core/presentation_path.h"
#include "core/process.h"
#include "core/settings_block.h"

void PackControl::pause() {
  std::lock_guard lock(mutex_);
  paused_ = true;
}

void PackControl::resume() {
  {
    std::lock_guard lock(mutex_);
    paused_ = false;
  }
  wake_.notify_all();
}

void PackControl::stop() {
  {
    std::lock_guard lock(mutex_);
    stopped_ = true;
  }
  wake_.notify_all();
}

bool PackControl::paused() const {
  std::lock_guard lock(mutex_);
  return paused_;
}

bool PackControl::stopped() const {
  std::lock_guard lock(mutex_);
  return stopped_;
}

bool PackControl::whileRunning(const std::function<void()>& effect) {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [&] { return !paused_ || stopped_; });
  if (stopped_) return false;
  effect();
  return true;
}

bool PackControl::stopFirst() {
  bool first;
  {
    std::lock_guard lock(mutex_);
    first = !stopped_;
    stopped_ = true;
  }
  wake_.notify_all();
  return first;
}

bool PackControl::checkpoint() {
  std::unique_lock lock(mutex_);
  wake_.wait(lock, [&] { return !paused_ || stopped_; });
  return !stopped_;
}

std::string findFreeTempName(const std::string& tempFolder, std::string_view prefix) {
  for (unsigned n = 0;; ++n) {
    std::string path = tempFolder + std::string(prefix) + std::to_string(n);
    if (!os::entryExists(path)) return path;
  }
}

std::string joinCommandLine(const std::string& stubPath, const std::string& separatorPath,
                            const std::string& modulePath, const std::string& settingsPath,
                            const std::string& archivePath, const std::string& outputPath) {
  std::string line = "cmd /C copy /b \"" + stubPath;
  auto add = [&](const std::string& path) { line += "\"+\"" + path; };
  add(separatorPath);
  if (!modulePath.empty()) add(modulePath);
  add(separatorPath);
  add(settingsPath);
  add(separatorPath);
  add(archivePath);
  line += "\" \"" + outputPath + "\"";
  return line;
}

namespace {

// The options with useModule taken once, so the block, the module part and the join agree.
class FixedModuleOptions final : public PackOptions {
 public:
  FixedModuleOptions(const PackOptions& inner, bool useModule) : inner_(inner), useModule_(useModule) {}
  std::string sourcePath() const override { return inner_.sourcePath(); }
  std::string sourceFolder() const override { return inner_.sourceFolder(); }
  int moduleKind() const override { return inner_.moduleKind(); }
  std::string outputPath() const override { return inner_.outputPath(); }
  bool usePassword() const override { return inner_.usePassword(); }
  std::string password() const override { return inner_.password(); }
  std::string passwordAgain() const override { return inner_.passwordAgain(); }
  bool packWholeFolder() const override { return inner_.packWholeFolder(); }
  bool useModule() const override { return useModule_; }
  int interfaceMode() const override { return inner_.interfaceMode(); }
  std::string startSlide() const override { return inner_.startSlide(); }
  std::string title() const override { return inner_.title(); }
  std::string author() const override { return inner_.author(); }

 private:
  const PackOptions& inner_;
  bool useModule_;
};

// What the page shows of a stopped or failed run: back to the pack page (when the progress page
// was showing), an empty bar, the edit boxes usable, Pause ready for the next run.
void showStopped(PackJobView& view) {
  view.setPackPageActive(0);
  if (view.packProgressPageShowing()) view.showPackPage();
  view.setProgressWidth(0);
  view.setEditBoxesEnabled(true);
  view.setPauseButtonLook(true);
}

// Creates prefix + N exclusively with data, taking the next number when a name is taken.
bool createFreeTempFile(const std::string& tempFolder, std::string_view prefix, const ByteSet& data,
                        std::string& path) {
  for (unsigned n = 0; n < 1000000; ++n) {
    std::string candidate = tempFolder + std::string(prefix) + std::to_string(n);
    if (os::entryExists(candidate)) continue;
    switch (os::writeWholeFile(candidate, data, os::CreateMode::kExclusive)) {
      case os::WriteResult::kOk:
        path = candidate;
        return true;
      case os::WriteResult::kExists:
        continue;
      case os::WriteResult::kFailed:
        os::deleteFile(candidate);
        return false;
    }
  }
  return false;
}

// One run's steps. Every effect on the view passes the control point first, so a paused run
// shows no progress and a stopped one shows nothing more.
class Run {
 public:
  Run(const PackJobInputs& inputs, PackJobView& view, PackControl& control)
      : in_(inputs), view_(view), control_(control) {}

  PackJobResult execute();

 private:
  bool step() { return control_.checkpoint(); }
  bool effect(const std::function<void()>& fn) { return control_.whileRunning(fn); }
  bool width(int w) {
    return effect([&] { view_.setProgressWidth(w); });
  }
  bool readSealed(const std::string& name, ByteSet& plain) {
    os::readWholeFile(in_.programFolder + "\\" + name, plain);
    DataCipher::decryptInPlace(plain, kFixedPassPhrase);
    return !plain.empty();
  }
  bool keep(const std::string& path) {
    if (path.empty()) return false;
    made_.push_back(path);
    return true;
  }
  PackJobResult fail(std::string_view message);
  PackJobResult stopped();

  const PackJobInputs& in_;
  PackJobView& view_;
  PackControl& control_;
  std::vector<std::string> made_;  // temporary files of this run, removed unless it finishes
};

PackJobResult Run::stopped() {
  for (const std::string& path : made_) os::deleteFile(path);
  return PackJobResult::kStopped;
}

PackJobResult Run::fail(std::string_view message) {
  for (const std::string& path : made_) os::deleteFile(path);
  if (control_.stopped()) return PackJobResult::kStopped;  // stopped meanwhile: no failure message
  view_.messageBox(message, kDefaultCaption, kMbOk);
  // The first stop does the page's stop effects; a Stop pressed while the box was up did them already.
  if (control_.stopFirst()) showStopped(view_);
  return PackJobResult::kFailed;
}

PackJobResult Run::execute() {
  if (in_.beforeSteps) in_.beforeSteps();
  if (!effect([&] {
        view_.setEditBoxesEnabled(false);
        view_.setProgressWidth(2);
      })) {
    return stopped();
  }

  const bool useModule = in_.options->useModule();
  FixedModuleOptions options(*in_.options, useModule);
  std::string settingsPath = writeSettingsBlock(options, *in_.appearance, in_.playerPassword, in_.tempFolder);
  if (!keep(settingsPath)) return fail(pack_text::kFailed);
  if (!width(5) || !width(8)) return stopped();

  std::string modulePath;
  if (useModule) {
    ByteSet module;
    bool ok = readSealed(std::string(moduleFileName(options.moduleKind())), module);
    view_.trimWorkingSet();
    if (!step()) return stopped();
    if (!ok) return fail(pack_text::kModuleError);
    if (!createFreeTempFile(in_.tempFolder, "bf", module, modulePath) || !keep(modulePath)) {
      return fail(pack_text::kFailed);
    }
  }
  if (!step()) return stopped();

  std::string stubPath;
  {
    ByteSet stub;
    if (!readSealed("qm.sj", stub)) return fail(pack_text::kFailed);
    if (!step()) return stopped();
    if (!createFreeTempFile(in_.tempFolder, "qm", stub, stubPath) || !keep(stubPath)) return fail(pack_text::kFailed);
  }
  if (!step()) return stopped();

  // The archive's name is taken by an empty file first, so no other run can share it.
  std::string archivePath;
  if (!createFreeTempFile(in_.tempFolder, "db", {}, archivePath) || !keep(archivePath)) return fail(pack_text::kFailed);
  std::string source = options.packWholeFolder() ? options.sourceFolder() : options.sourcePath();
  int built = ArchiveBuilder::build(
      source, archivePath,
      [&](int percent) { width(static_cast<int>(7.0 * percent + 10)); },
      [&] { return control_.checkpoint(); });
  if (!step()) return stopped();
  if (built != ArchiveBuilder::kWritten) return fail(pack_text::kFailed);
  if (!width(703)) return stopped();

  std::string separatorPath;
  if (!createFreeTempFile(in_.tempFolder, "fgf", bytesOf(kBlockSeparator), separatorPath) || !keep(separatorPath)) {
    return fail(pack_text::kFailed);
  }
  std::string outputPath = options.outputPath();
  std::vector<std::string> parts = {stubPath, separatorPath};
  if (useModule) parts.push_back(modulePath);
  for (const std::string& p : {separatorPath, settingsPath, separatorPath, archivePath}) parts.push_back(p);
  std::uint64_t expected = 0;
  for (const std::string& p : parts) {
    std::uint64_t size = 0;
    if (!os::fileSize(p, size)) return fail(pack_text::kFailed);
    expected += size;
  }
  if (!step()) return stopped();
  // Once started, the join runs to its end; a stop pressed meanwhile takes effect after it.
  std::string line = joinCommandLine(stubPath, separatorPath, modulePath, settingsPath, archivePath, outputPath);
  bool joined = process::runJoin(line, parts, outputPath);
  std::uint64_t outputSize = 0;
  if (!joined || !os::fileSize(outputPath, outputSize) || outputSize != expected) return fail(pack_text::kFailed);
  if (!step()) return stopped();

  if (!width(705)) return stopped();
  os::deleteFile(settingsPath);
  if (!width(708)) return stopped();
  os::deleteFile(archivePath);
  os::deleteFile(separatorPath);
  if (!modulePath.empty()) os::deleteFile(modulePath);
  os::deleteFile(stubPath);
  made_.clear();
  // The output is complete from here on; a stop now only keeps the page from saying so.
  bool shown = effect([&] {
    view_.setProgressWidth(kProgressFullWidth);
    view_.setProgressCaption(pack_text::kFinished);
    view_.showPackProgressPage();
    view_.showCompletionButtons();
    view_.setEditBoxesEnabled(true);
    view_.setPackPageActive(1);
  });
  return shown ? PackJobResult::kFinished : PackJobResult::kStopped;
}

}  // namespace

PackJobResult runPackJob(const PackJobInputs& inputs, PackJobView& view, PackControl& control) {
  return Run(inputs, view, control).execute();
}

PackSession::~PackSession() {
  if (control_) control_->stop();
  if (thread_.joinable()) thread_.join();
}

void PackSession::start(PackJobInputs inputs) {
  if (thread_.joinable()) {
    if (control_) control_->stop();
    thread_.join();
  }
  auto control = std::make_shared<PackControl>();
  {
    std::lock_guard lock(mutex_);
    control_ = control;
    running_ = true;
  }
  thread_ = std::thread([this, control, inputs = std::move(inputs)] {
    PackJobResult result = runPackJob(inputs, view_, *control);
    std::lock_guard lock(mutex_);
    lastResult_ = result;
    running_ = false;
  });
}

void PackSession::togglePause() {
  std::shared_ptr<PackControl> control;
  {
    std::lock_guard lock(mutex_);
    control = control_;
  }
  if (view_.pauseButtonNormalPicture() == view_.pauseLookNormalPicture()) {
    if (control) control->pause();
    view_.setPauseButtonLook(false);
    view_.setProgressCaption(pack_text::kPaused);
  } else {
    if (control) control->resume();
    view_.setPauseButtonLook(true);
    view_.setProgressCaption(pack_text::kPacking);
  }
}

void PackSession::confirmStop() {
  if (view_.messageBox(pack_text::kConfirmStop, kDefaultCaption, kMbYesNo) == kResultYes) stopPackJob();
}

void PackSession::stopPackJob() {
  std::shared_ptr<PackControl> control;
  {
    std::lock_guard lock(mutex_);
    control = control_;
  }
  if (control) control->stop();
  showStopped(view_);
}

void PackSession::returnToPackPage() {
  view_.showPackPage();
  view_.setPackPageActive(0);
}

void PackSession::wait() {
  if (thread_.joinable()) thread_.join();
}

bool PackSession::jobRunning() const {
  std::lock_guard lock(mutex_);
  return running_;
}

PackJobResult PackSession::lastResult() const {
  std::lock_guard lock(mutex_);
  return lastResult_;
}

bool openOutputFolder(const std::string& outputPath) { return process::showInFolder(outputPath); }

bool runOutput(const std::string& outputPath) { return process::startProgram(outputPath); }
