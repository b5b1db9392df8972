// The pack-progress page (last page of 高级选择夹1): its controls, its template, and the pack
// job's view over them.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/pack_job.h"
#include "ui/toolkit.h"
#include "ui/window_template.h"

struct GlobalState;

struct PackProgressPage {
  explicit PackProgressPage(ui::Window& window);
  ui::Label 标签_打包广告标题;
  ui::WebBrowser 超文本浏览框_打包广告;
  ui::Hyperlink 超级链接框_浏览器打开广告1;
  ui::Label 标签_打包进度提示;
  ui::Label 标签_打包进度背景;
  ui::Label 标签_打包进度;
  ui::PictureButton 按钮_运行打包文件;
  ui::PictureButton 按钮_暂停打包;
  ui::PictureButton 按钮_打开文件目录;
  ui::PictureButton 按钮_停止打包;
  ui::PictureButton 按钮_返回;
};

// The page's controls, children of the page control pageControl on page index page.
std::vector<ui::ControlSpec> packProgressPageTemplate(std::string_view pageControl, int page);

// The edit boxes a run disables while it works; those not (yet) in the window are left out.
inline constexpr std::string_view kJobEditBoxes[] = {"编辑框_作者", "编辑框_密码", "编辑框_底图路径",
                                                     "编辑框_程序标题", "编辑框_再次输入密码"};

// What a run shows, written into the main window's controls from the job's thread.
class ControlsPackJobView final : public PackJobView {
 public:
  ControlsPackJobView(ui::Toolkit& toolkit, ui::PageControl pages, PackProgressPage& page, GlobalState& globals);

  void setProgressWidth(int width) override;
  void setProgressCaption(std::string_view caption) override;
  void setEditBoxesEnabled(bool enabled) override;
  bool packProgressPageShowing() override;
  void showPackProgressPage() override;
  void showPackPage() override;
  void showCompletionButtons() override;
  void setPauseButtonLook(bool pauseLook) override;
  ByteSet pauseButtonNormalPicture() override;
  ByteSet pauseLookNormalPicture() override;
  void setPackPageActive(int value) override;
  int messageBox(std::string_view text, std::string_view caption, int flags) override;
  void trimWorkingSet() override;

 private:
  ui::Toolkit& toolkit_;
  ui::PageControl pages_;
  PackProgressPage& page_;
  GlobalState& globals_;
  std::vector<ui::EditBox> editBoxes_;
};

// Binds the page's buttons to the session, and the two output buttons to the path outputPath reads
// at the click.
void bindPackProgressPage(PackProgressPage& page, PackSession& session, std::function<std::string()> outputPath);
