// The pack page (page 0 of 高级选择夹1): source, output and options of a pack run, and the
// handlers that choose the source and target and start the run.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/pack_options.h"
#include "ui/window.h"

struct App;

struct PackPage {
  explicit PackPage(ui::Window& window);
  ui::TransparentLabel 标签_文件配置;
  ui::TransparentLabel 标签_文件路径;
  ui::EditBox 编辑框_文件路径;
  ui::PictureButton 按钮_浏览文件路径;
  ui::TransparentLabel 标签_输出路径;
  ui::EditBox 编辑框_输出路径;
  ui::PictureButton 按钮_浏览保存路径;
  ui::TransparentLabel 标签_程序配置;
  ui::CheckBox 选择框_是否打包同目录下所有文件;
  ui::CheckBox 选择框_使用密码;
  ui::Label 标签_密码;
  ui::EditBox 编辑框_密码;
  ui::Label 标签_再次输入密码;
  ui::EditBox 编辑框_再次输入密码;
  ui::Label 标签_起始播放幻灯片1;
  ui::EditBox 编辑框_起始播放幻灯片;
  ui::Label 标签_起始播放幻灯片2;
  ui::Label 标签_界面;
  ui::ComboBox 组合框_界面;
  ui::CheckBox 选择框_使用打包模块;
  ui::Label 标签_打包模块提示;
  ui::Label 标签_PPT打包提示;
  ui::PictureButton 按钮_打包;
  ui::FileDialog 通用对话框_文件路径;
  ui::FileDialog 通用对话框_输出路径;
  ui::BalloonTip 气球提示框1;
  // The options of a run, read from this page's controls and the globals when a step asks.
  std::unique_ptr<PackOptions> options;
};

// Texts of the pack page that other code compares with.
namespace pack_page_text {
inline constexpr std::string_view kStandardInterface = "标准界面";
inline constexpr std::string_view kHiddenInterface = "隐藏界面";
}  // namespace pack_page_text

// The hint colour of the page's notes.
inline constexpr ui::Colour kHintColour = ui::rgb(0, 136, 255);

// The page's controls, children of the page control pageControl on page index page, and the
// dialogs and balloon tip it uses.
std::vector<ui::ControlSpec> packPageTemplate(std::string_view pageControl, int page);

// Binds the page's handlers while the main window loads.
void bindPackPage(App& app);

// 按钮_浏览文件路径: the open dialog chooses the source.
void browseSource(App& app);
// 拖放对象1: a dropped file becomes the source; paths each end in CR LF when several are dropped.
void dropSource(App& app, const std::string& paths);
// The hint and the module check box, after the module file of kind beside the program.
void checkModuleFile(App& app, int kind);
// 按钮_浏览保存路径: the save dialog chooses the output.
void browseOutput(App& app);
// 选择框_使用密码: the two password boxes follow it.
void togglePasswordEdits(App& app);
// 选择框_是否打包同目录下所有文件: the start-slide box follows it.
void toggleStartSlideEdit(App& app);
// 按钮_打包: checks the request and starts the run.
void requestPack(App& app);
