// The pack job: settings block, stub, module, archive and separator joined into the output,
// on a worker thread, with cooperative pause and stop, and the logic of the pack-progress page.
#pragma once

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "core/byte_set.h"
#include "core/pack_options.h"

namespace pack_text {
inline constexpr std::string_view kPacking = "打包中...";
inline constexpr std::string_view kPaused = "暂停";
inline constexpr std::string_view kFinished = "打包完成，请选择需要的操作";
inline constexpr std::string_view kFailed = "打包失败，请稍候重试！";
inline constexpr std::string_view kModuleError = "打包失败\r\n原因:播放模块有错误";
inline constexpr std::string_view kConfirmStop = "真的要停止打包吗?";
}  // namespace pack_text

// Full width of the progress bar, which lies 1 pixel inside its 722-pixel background.
inline constexpr int kProgressFullWidth = 720;

// Pause and stop, passed between steps and between the archive's 16 KiB pieces.
class PackControl {
 public:
  void pause();
  void resume();
  void stop();  // also wakes a paused job
  bool paused() const;
  bool stopped() const;
  // Blocks while paused; false once stopped.
  bool checkpoint();
  // Like checkpoint, then runs effect while holding the guard, so a stop that has returned is
  // never followed by an effect of the run. effect must not wait for the user-interface thread.
  bool whileRunning(const std::function<void()>& effect);
  // Stops; true for the caller whose call did it, false when the run was stopped already.
  bool stopFirst();

 private:
  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool paused_ = false;
  bool stopped_ = false;
};

// What a run shows and asks. The program binds it to its controls, tervalo-pack to the console,
// tests to a recorder. The job calls it from its own thread; the page logic from the caller's.
class PackJobView {
 public:
  virtual ~PackJobView() = default;
  virtual void setProgressWidth(int width) = 0;                  // 标签_打包进度
  virtual void setProgressCaption(std::string_view caption) = 0;  // 标签_打包进度提示
  virtual void setEditBoxesEnabled(bool enabled) = 0;            // the five edit boxes
  virtual bool packProgressPageShowing() = 0;                    // last page of 高级选择夹1 current
  virtual void showPackProgressPage() = 0;
  virtual void showPackPage() = 0;                               // page 0
  virtual void showCompletionButtons() = 0;  // Return, Open folder, Run shown; Stop, Pause hidden
  virtual void setPauseButtonLook(bool pauseLook) = 0;  // pause look (暂停) or resume look (继续)
  virtual ByteSet pauseButtonNormalPicture() = 0;       // the button's current normal picture
  virtual ByteSet pauseLookNormalPicture() = 0;         // the pause look's normal picture
  virtual void setPackPageActive(int value) = 0;
  virtual int messageBox(std::string_view text, std::string_view caption, int flags) = 0;
  virtual void trimWorkingSet() = 0;
};

struct PackJobInputs {
  const PackOptions* options = nullptr;
  const PlayerAppearance* appearance = nullptr;
  std::string playerPassword;
  std::string programFolder;  // holds qm.sj, bf3.sj, bf10.sj; no trailing backslash
  std::string tempFolder;     // ends in a backslash
  // Runs first on the job's thread (the packing-page advertisement and the pack counter).
  std::function<void()> beforeSteps;
};

enum class PackJobResult { kFinished, kFailed, kStopped };

// The first free temporary name folder + prefix + N, N = 0, 1, 2, ...
std::string findFreeTempName(const std::string& tempFolder, std::string_view prefix);

// The cmd.exe copy line that joins the parts; an empty module path means no module.
std::string joinCommandLine(const std::string& stubPath, const std::string& separatorPath,
                            const std::string& modulePath, const std::string& settingsPath,
                            const std::string& archivePath, const std::string& outputPath);

// The whole run on the calling thread. A stopped run ends at its next control point.
PackJobResult runPackJob(const PackJobInputs& inputs, PackJobView& view, PackControl& control);

// One run at a time on a worker thread, and the buttons of the pack-progress page.
class PackSession {
 public:
  explicit PackSession(PackJobView& view) : view_(view) {}
  ~PackSession();
  PackSession(const PackSession&) = delete;
  PackSession& operator=(const PackSession&) = delete;

  // Starts runPackJob on a new thread; a previous, ended run is joined first.
  void start(PackJobInputs inputs);
  // 按钮_暂停打包: pause or resume, decided by the button's current normal picture.
  void togglePause();
  // 按钮_停止打包: asks first; Yes stops.
  void confirmStop();
  // Stops the run: its later steps do not run and its temporary files are removed.
  void stopPackJob();
  // 按钮_返回.
  void returnToPackPage();
  // Waits until the current run's thread has ended.
  void wait();
  bool jobRunning() const;
  PackJobResult lastResult() const;

 private:
  PackJobView& view_;
  std::thread thread_;
  std::shared_ptr<PackControl> control_;
  mutable std::mutex mutex_;
  bool running_ = false;
  PackJobResult lastResult_ = PackJobResult::kStopped;
};

// 按钮_打开文件目录: explorer.exe /select,"output" in a normal window, without waiting.
bool openOutputFolder(const std::string& outputPath);
// 按钮_运行打包文件: starts the output, named explicitly and quoted, without waiting.
bool runOutput(const std::string& outputPath);
