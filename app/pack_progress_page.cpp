// The pack-progress page: places and looks of its controls, and the job's view over them.
#include "app/pack_progress_page.h"

#include "app/button_pictures.h"
#include "app/globals.h"
#include "core/os.h"

using ui::Kind;
using ui::rgb;

PackProgressPage::PackProgressPage(ui::Window& w)
    : UI_BIND(w, 标签_打包广告标题),
      UI_BIND(w, 超文本浏览框_打包广告),
      UI_BIND(w, 超级链接框_浏览器打开广告1),
      UI_BIND(w, 标签_打包进度提示),
      UI_BIND(w, 标签_打包进度背景),
      UI_BIND(w, 标签_打包进度),
      UI_BIND(w, 按钮_运行打包文件),
      UI_BIND(w, 按钮_暂停打包),
      UI_BIND(w, 按钮_打开文件目录),
      UI_BIND(w, 按钮_停止打包),
      UI_BIND(w, 按钮_返回) {}

std::vector<ui::ControlSpec> packProgressPageTemplate(std::string_view pages, int page) {
  const ui::Colour barBack = rgb(245, 245, 245);
  return {
      ui::control(Kind::kLabel, "标签_打包广告标题").in(pages, page).at(35, 27, 712, 20),
      ui::control(Kind::kWebBrowser, "超文本浏览框_打包广告").in(pages, page).at(35, 48, 725, 330),
      ui::control(Kind::kHyperlink, "超级链接框_浏览器打开广告1")
          .in(pages, page)
          .at(240, 384, 302, 20)
          .linkColours(rgb(0, 136, 255), rgb(0, 96, 200)),
      // 16 pixels high rather than 11, so that its 12-pixel characters are not cut off at the bottom.
      ui::control(Kind::kLabel, "标签_打包进度提示").in(pages, page).at(40, 393, 712, 16).text("打包中..."),
      ui::control(Kind::kLabel, "标签_打包进度背景").in(pages, page).at(39, 416, 722, 17).back(barBack).sunken(),
      ui::control(Kind::kLabel, "标签_打包进度")
          .in(pages, page)
          .at(40, 417, 0, 15)
          .gradient(ui::kGradientTopToBottom, rgb(255, 255, 255), rgb(179, 217, 255), rgb(223, 239, 255)),
      ui::control(Kind::kPictureButton, "按钮_运行打包文件")
          .in(pages, page)
          .at(134, 448, 150, 32)
          .pictures(pictures::load("run_output"))
          .hidden(),
      // Its looks are program constants, given at start-up.
      ui::control(Kind::kPictureButton, "按钮_暂停打包").in(pages, page).at(262, 448, 80, 32),
      ui::control(Kind::kPictureButton, "按钮_打开文件目录")
          .in(pages, page)
          .at(352, 448, 100, 32)
          .pictures(pictures::load("locate_file"))
          .hidden(),
      ui::control(Kind::kPictureButton, "按钮_停止打包")
          .in(pages, page)
          .at(448, 448, 80, 32)
          .pictures(pictures::load("stop")),
      ui::control(Kind::kPictureButton, "按钮_返回")
          .in(pages, page)
          .at(536, 448, 100, 32)
          .pictures(pictures::load("return"))
          .hidden(),
  };
}

ControlsPackJobView::ControlsPackJobView(ui::Toolkit& toolkit, ui::PageControl pages, PackProgressPage& page,
                                         GlobalState& globals)
    : toolkit_(toolkit), pages_(pages), page_(page), globals_(globals) {
  for (std::string_view name : kJobEditBoxes) {
    if (auto box = pages.window().find(name)) editBoxes_.push_back(*box);
  }
}

void ControlsPackJobView::setProgressWidth(int width) { page_.标签_打包进度.setWidth(width); }

void ControlsPackJobView::setProgressCaption(std::string_view caption) { page_.标签_打包进度提示.setText(caption); }

void ControlsPackJobView::setEditBoxesEnabled(bool enabled) {
  for (ui::EditBox& box : editBoxes_) box.setDisabled(!enabled);
}

bool ControlsPackJobView::packProgressPageShowing() { return pages_.currentPage() == pages_.pageCount() - 1; }

void ControlsPackJobView::showPackProgressPage() { pages_.setCurrentPage(pages_.pageCount() - 1); }

void ControlsPackJobView::showPackPage() { pages_.setCurrentPage(0); }

void ControlsPackJobView::showCompletionButtons() {
  page_.按钮_返回.setVisible(true);
  page_.按钮_打开文件目录.setVisible(true);
  page_.按钮_运行打包文件.setVisible(true);
  page_.按钮_停止打包.setVisible(false);
  page_.按钮_暂停打包.setVisible(false);
}

void ControlsPackJobView::setPauseButtonLook(bool pauseLook) {
  page_.按钮_暂停打包.setPictures(pauseLook ? pictures::pauseLook() : pictures::resumeLook());
}

ByteSet ControlsPackJobView::pauseButtonNormalPicture() { return page_.按钮_暂停打包.normalPicture(); }

ByteSet ControlsPackJobView::pauseLookNormalPicture() { return pictures::pauseLook().normal; }

void ControlsPackJobView::setPackPageActive(int value) { globals_.packPageActive = value; }

int ControlsPackJobView::messageBox(std::string_view text, std::string_view caption, int flags) {
  return toolkit_.messageBox(text, caption, flags);
}

void ControlsPackJobView::trimWorkingSet() { os::trimWorkingSet(); }

void bindPackProgressPage(PackProgressPage& page, PackSession& session, std::function<std::string()> outputPath) {
  page.按钮_暂停打包.onClicked([&session] { session.togglePause(); });
  page.按钮_停止打包.onClicked([&session] { session.confirmStop(); });
  page.按钮_返回.onClicked([&session] { session.returnToPackPage(); });
  page.按钮_打开文件目录.onClicked([outputPath] {
    if (std::string path = outputPath(); !path.empty()) openOutputFolder(path);
  });
  page.按钮_运行打包文件.onClicked([outputPath] {
    if (std::string path = outputPath(); !path.empty()) runOutput(path);
  });
}
