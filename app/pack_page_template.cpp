// The pack page's controls: places, texts and first states.
#include "app/pack_page.h"

#include "app/button_pictures.h"
#include "app/source_selection.h"

using ui::Kind;
using ui::rgb;

PackPage::PackPage(ui::Window& w)
    : UI_BIND(w, 标签_文件配置),
      UI_BIND(w, 标签_文件路径),
      UI_BIND(w, 编辑框_文件路径),
      UI_BIND(w, 按钮_浏览文件路径),
      UI_BIND(w, 标签_输出路径),
      UI_BIND(w, 编辑框_输出路径),
      UI_BIND(w, 按钮_浏览保存路径),
      UI_BIND(w, 标签_程序配置),
      UI_BIND(w, 选择框_是否打包同目录下所有文件),
      UI_BIND(w, 选择框_使用密码),
      UI_BIND(w, 标签_密码),
      UI_BIND(w, 编辑框_密码),
      UI_BIND(w, 标签_再次输入密码),
      UI_BIND(w, 编辑框_再次输入密码),
      UI_BIND(w, 标签_起始播放幻灯片1),
      UI_BIND(w, 编辑框_起始播放幻灯片),
      UI_BIND(w, 标签_起始播放幻灯片2),
      UI_BIND(w, 标签_界面),
      UI_BIND(w, 组合框_界面),
      UI_BIND(w, 选择框_使用打包模块),
      UI_BIND(w, 标签_打包模块提示),
      UI_BIND(w, 标签_PPT打包提示),
      UI_BIND(w, 按钮_打包),
      UI_BIND(w, 通用对话框_文件路径),
      UI_BIND(w, 通用对话框_输出路径),
      UI_BIND(w, 气球提示框1) {}

namespace {

constexpr ui::Colour kEditBack = rgb(255, 255, 255);

// A label given only its top left corner: one line, as wide as its text (a GBK character is two
// bytes and about one character height wide) with a little room to spare.
ui::ControlSpec textLabel(Kind kind, std::string_view name, std::string_view text, int left, int top,
                          int fontHeight = 12, bool bold = false) {
  int width = static_cast<int>(text.size()) * fontHeight / 2 + fontHeight / 2;
  return ui::control(kind, name).at(left, top, width, fontHeight + 8).text(text).fontHeight(fontHeight, bold);
}

ui::ControlSpec editBox(std::string_view name, int left, int top, int width) {
  return ui::control(Kind::kEditBox, name).at(left, top, width, 25).sunken().back(kEditBack);
}

}  // namespace

std::vector<ui::ControlSpec> packPageTemplate(std::string_view pages, int page) {
  std::vector<ui::ControlSpec> specs = {
      // The two path boxes come first: they lead the tab order.
      editBox("编辑框_文件路径", 138, 40, 450).readOnly().text(kSourcePlaceholder),
      editBox("编辑框_输出路径", 138, 80, 450).readOnly().text(kOutputPlaceholder),
      textLabel(Kind::kTransparentLabel, "标签_文件配置", "文件配置", 358, 16, 13, true),
      textLabel(Kind::kTransparentLabel, "标签_文件路径", "文件路径：", 64, 40),
      ui::control(Kind::kPictureButton, "按钮_浏览文件路径").at(600, 40, 80, 24).pictures(pictures::load("browse")),
      textLabel(Kind::kTransparentLabel, "标签_输出路径", "输出路径：", 64, 77),
      ui::control(Kind::kPictureButton, "按钮_浏览保存路径").at(600, 80, 80, 24).pictures(pictures::load("browse")),
      textLabel(Kind::kTransparentLabel, "标签_程序配置", "程序配置", 358, 128, 13, true),
      ui::control(Kind::kCheckBox, "选择框_是否打包同目录下所有文件")
          .at(136, 167, 140, 24)
          .text("打包同目录下所有文件")
          .ticked(),
      ui::control(Kind::kCheckBox, "选择框_使用密码").at(413, 167, 68, 24).text("使用密码"),
      textLabel(Kind::kLabel, "标签_密码", "密码：", 84, 206),
      editBox("编辑框_密码", 136, 206, 200).password('*').disabled(),
      textLabel(Kind::kLabel, "标签_再次输入密码", "请再次输入密码：", 377, 206),
      editBox("编辑框_再次输入密码", 488, 206, 200).password('*').disabled(),
      textLabel(Kind::kLabel, "标签_起始播放幻灯片1", "从第", 104, 248),
      editBox("编辑框_起始播放幻灯片", 136, 248, 50).digitsOnly().text("1"),
      textLabel(Kind::kLabel, "标签_起始播放幻灯片2",
                "张幻灯片开始播放（输入整数，必须不小于1，不大于幻灯片总数，本功能需要使用打包模块）", 192, 248),
      textLabel(Kind::kLabel, "标签_界面", "界面：", 89, 288),
      ui::control(Kind::kComboBox, "组合框_界面")
          .at(136, 288, 118, 25)
          .items({std::string(pack_page_text::kStandardInterface), std::string(pack_page_text::kHiddenInterface)},
                 0),
      ui::control(Kind::kCheckBox, "选择框_使用打包模块")
          .at(300, 288, 385, 24)
          .text("使用打包模块(不使用打包模块播放时需要电脑安装相应版本的office)")
          .ticked(),
      ui::control(Kind::kLabel, "标签_打包模块提示").at(300, 320, 390, 24).textColour(kHintColour),
      ui::control(Kind::kLabel, "标签_PPT打包提示")
          .at(104, 344, 606, 24)
          .text("注意:打包前请关闭所有正在使用PPT文件的程序（如office、wps等软件），否则可能造成打包失败")
          .textColour(kHintColour),
      ui::control(Kind::kPictureButton, "按钮_打包").at(302, 384, 150, 50).pictures(pictures::load("start_pack")),
  };
  for (ui::ControlSpec& spec : specs) spec.in(pages, page);
  // Not shown: the two file dialogs and the balloon tip of wrong drops.
  specs.push_back(ui::control(Kind::kFileDialog, "通用对话框_文件路径").filter(source_text::kOpenFilter));
  specs.push_back(ui::control(Kind::kFileDialog, "通用对话框_输出路径").filter(source_text::kSaveFilter).saving());
  specs.push_back(ui::control(Kind::kBalloonTip, "气球提示框1"));
  return specs;
}
