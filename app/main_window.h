// The MainWindow: its template and the members through which handlers reach its controls.
#pragma once

#include "app/pack_page.h"
#include "app/pack_progress_page.h"
#include "ui/window.h"

// Pages of 高级选择夹1.
inline constexpr int kPackPage = 0;
inline constexpr int kSitePage = 2;
inline constexpr int kAdsPage = 6;
inline constexpr int kPackProgressPage = 9;

struct MainWindow {
  explicit MainWindow(ui::Window& window);
  ui::Window& window;
  ui::TransparentLabel 标题;
  ui::Hyperlink 最小化;
  ui::Hyperlink 关闭;
  ui::Label 调整上面背景;
  ui::Label 调整下面背景;
  ui::Label 调整右面背景;
  ui::Hyperlink 调整左面背景;
  ui::Canvas 画板1;
  ui::Shape 外形框_分类;
  ui::Hyperlink 超级链接框_分类;
  ui::PageControl 高级选择夹1;
  ui::DropTarget 拖放对象1;
  ui::Label 标签_官网载入进度;
  ui::Label 标签_广告载入进度;
  PackPage pack;
  PackProgressPage progress;
};

ui::WindowTemplate mainWindowTemplate();
