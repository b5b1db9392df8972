// The pack page's handlers: choosing the source and the target, the option boxes, and the request.
#include "app/pack_page.h"

#include "app/app.h"
#include "app/source_selection.h"
#include "core/os.h"
#include "core/pack_request.h"

namespace {

// A run's options as the controls and globals hold them at the moment a step asks.
class ControlsPackOptions final : public PackOptions {
 public:
  explicit ControlsPackOptions(App& app) : app_(app) {}

  std::string sourcePath() const override { return page().编辑框_文件路径.text(); }
  std::string sourceFolder() const override { return app_.globals.sourceFolder.get(); }
  int moduleKind() const override { return app_.globals.moduleKind; }
  std::string outputPath() const override { return page().编辑框_输出路径.text(); }
  bool usePassword() const override { return page().选择框_使用密码.ticked(); }
  std::string password() const override { return page().编辑框_密码.text(); }
  std::string passwordAgain() const override { return page().编辑框_再次输入密码.text(); }
  bool packWholeFolder() const override { return page().选择框_是否打包同目录下所有文件.ticked(); }
  bool useModule() const override { return page().选择框_使用打包模块.ticked(); }
  int interfaceMode() const override { return page().组合框_界面.currentIndex(); }
  std::string startSlide() const override { return page().编辑框_起始播放幻灯片.text(); }
  // Title and author live on the skin page; without it they count as untouched placeholders.
  std::string title() const override { return textOf("编辑框_程序标题", kTitlePlaceholder); }
  std::string author() const override { return textOf("编辑框_作者", kAuthorPlaceholder); }

 private:
  PackPage& page() const { return app_.main->pack; }
  std::string textOf(std::string_view name, std::string_view absent) const {
    auto box = app_.main->window.find(name);
    return box ? box->text() : std::string(absent);
  }

  App& app_;
};

// What the request does to the window: message boxes, the progress page, the job.
class WindowPackRequestHost final : public PackRequestHost {
 public:
  explicit WindowPackRequestHost(App& app) : app_(app) {}

  int messageBox(std::string_view text, std::string_view caption, int flags) override {
    return app_.toolkit.messageBox(text, caption, flags);
  }
  bool entryExists(const std::string& path) override { return os::entryExists(path); }
  void trimWorkingSet() override { os::trimWorkingSet(); }

  void resetProgress() override {
    app_.main->progress.标签_打包进度.setWidth(0);
    app_.main->progress.标签_打包进度提示.setText(pack_text::kPacking);
  }

  void beginPackRun(const std::string& playerPassword) override {
    MainWindow& w = *app_.main;
    app_.globals.playerPassword.set(playerPassword);
    app_.globals.packPageActive = 1;
    w.高级选择夹1.setCurrentPage(w.高级选择夹1.pageCount() - 1);
    w.progress.按钮_返回.setVisible(false);
    w.progress.按钮_打开文件目录.setVisible(false);
    w.progress.按钮_运行打包文件.setVisible(false);
    w.progress.按钮_停止打包.setVisible(true);
    w.progress.按钮_暂停打包.setVisible(true);

    PackJobInputs inputs;
    inputs.options = w.pack.options.get();
    inputs.appearance = &app_.pageHooks.playerAppearance(app_);
    inputs.playerPassword = playerPassword;
    inputs.programFolder = app_.pageHooks.programFolder();
    inputs.tempFolder = app_.pageHooks.tempFolder();
    App& app = app_;
    inputs.beforeSteps = [&app] { app.pageHooks.beforePackSteps(app); };
    app_.packSession->start(std::move(inputs));
  }

 private:
  App& app_;
};

// The source's kind, folder and module check, and the default output, shared by browse and drop.
void takeSource(App& app, const std::string& path, int kind, bool dropped) {
  PackPage& p = app.main->pack;
  app.globals.moduleKind = kind;
  std::string folder = sourceFolderOf(path);
  app.globals.sourceFolder.set(folder);
  p.编辑框_文件路径.setText(path);
  checkModuleFile(app, kind);
  // Only a dropped .ppt ties the start-slide box to its module file.
  if (dropped && kind == kModuleKindPpt) {
    p.编辑框_起始播放幻灯片.setDisabled(!os::entryExists(moduleFilePath(app.pageHooks.programFolder(), kind)));
  }
  p.编辑框_输出路径.setText(defaultOutputPath(folder));
}

}  // namespace

void bindPackPage(App& app) {
  PackPage& p = app.main->pack;
  p.options = std::make_unique<ControlsPackOptions>(app);
  p.按钮_浏览文件路径.onClicked([&app] { browseSource(app); });
  p.按钮_浏览保存路径.onClicked([&app] { browseOutput(app); });
  p.选择框_使用密码.onClicked([&app] { togglePasswordEdits(app); });
  p.选择框_是否打包同目录下所有文件.onClicked([&app] { toggleStartSlideEdit(app); });
  p.按钮_打包.onClicked([&app] { requestPack(app); });
  app.main->拖放对象1.on(ui::Event::kGotFiles, [&app](const ui::EventArgs& e) { dropSource(app, e.text); });
}

void browseSource(App& app) {
  PackPage& p = app.main->pack;
  if (!app.toolkit.runFileDialog(p.通用对话框_文件路径)) return;
  std::string path = p.通用对话框_文件路径.chosenPath();
  takeSource(app, path, moduleKindOfChosenSource(path), false);
}

void dropSource(App& app, const std::string& paths) {
  bool jobRunning = app.packSession && app.packSession->jobRunning();
  DropDecision decision = judgeDrop(paths, jobRunning);
  if (decision.verdict != DropVerdict::kAccept) {
    ui::Control window = app.main->window.self();
    std::string_view text =
        decision.verdict == DropVerdict::kPacking ? source_text::kDropWhilePacking : source_text::kWrongFileDropped;
    app.toolkit.showBalloonTip(app.main->pack.气球提示框1, text, window.left() + kDropBalloonOffsetX,
                               window.top() + kDropBalloonOffsetY);
    return;
  }
  takeSource(app, paths, decision.kind, true);
}

void checkModuleFile(App& app, int kind) {
  PackPage& p = app.main->pack;
  if (os::entryExists(moduleFilePath(app.pageHooks.programFolder(), kind))) {
    p.标签_打包模块提示.setText("");
    p.选择框_使用打包模块.setDisabled(false);
    return;
  }
  p.标签_打包模块提示.setText(missingModuleText(kind));
  p.选择框_使用打包模块.setDisabled(true);
  p.选择框_使用打包模块.setTicked(false);
}

void browseOutput(App& app) {
  PackPage& p = app.main->pack;
  if (!app.toolkit.runFileDialog(p.通用对话框_输出路径)) return;
  p.编辑框_输出路径.setText(withExeExtension(p.通用对话框_输出路径.chosenPath()));
}

void togglePasswordEdits(App& app) {
  PackPage& p = app.main->pack;
  bool enabled = p.选择框_使用密码.ticked();
  p.编辑框_密码.setDisabled(!enabled);
  p.编辑框_再次输入密码.setDisabled(!enabled);
}

void toggleStartSlideEdit(App& app) {
  PackPage& p = app.main->pack;
  p.编辑框_起始播放幻灯片.setDisabled(!p.选择框_是否打包同目录下所有文件.ticked());
}

void requestPack(App& app) {
  WindowPackRequestHost host(app);
  requestPack(*app.main->pack.options, host);
}
