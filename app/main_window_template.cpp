// The MainWindow's template: frame, title bar, category strip, the ten pages and their contents.
#include "app/main_window.h"

using ui::Kind;
using ui::rgb;

MainWindow::MainWindow(ui::Window& w)
    : window(w),
      UI_BIND(w, 标题),
      UI_BIND(w, 最小化),
      UI_BIND(w, 关闭),
      UI_BIND(w, 调整上面背景),
      UI_BIND(w, 调整下面背景),
      UI_BIND(w, 调整右面背景),
      UI_BIND(w, 调整左面背景),
      UI_BIND(w, 画板1),
      UI_BIND(w, 外形框_分类),
      UI_BIND(w, 超级链接框_分类),
      UI_BIND(w, 高级选择夹1),
      UI_BIND(w, 拖放对象1),
      UI_BIND(w, 标签_官网载入进度),
      UI_BIND(w, 标签_广告载入进度),
      pack(w),
      progress(w) {}

namespace {

constexpr ui::Colour kSurface = rgb(250, 250, 250);
constexpr ui::Colour kEdge = rgb(192, 192, 192);
constexpr ui::Colour kLinkGrey = rgb(128, 128, 128);
constexpr ui::Colour kLinkHover = rgb(192, 192, 192);
constexpr ui::Colour kBarBack = rgb(245, 245, 245);
constexpr const char* kPages = "高级选择夹1";

// A page-loading bar over its sunken background, starting empty.
void addLoadingBar(ui::WindowTemplate& t, const char* name, int page, int left, int top) {
  t.add(ui::control(Kind::kLabel, std::string(name) + "背景")
            .in(kPages, page)
            .at(left - 1, top - 1, 780, 15)
            .back(kBarBack)
            .sunken());
  t.add(ui::control(Kind::kLabel, name)
            .in(kPages, page)
            .at(left, top, 778, 14)
            .gradient(ui::kGradientTopToBottom, rgb(255, 255, 255), rgb(179, 217, 255), rgb(223, 239, 255)));
}

}  // namespace

ui::WindowTemplate mainWindowTemplate() {
  ui::WindowTemplate t;
  t.window = ui::control(Kind::kWindow, "MainWindow")
                 .at(0, 0, 800, 600)
                 .back(kSurface)
                 .position(ui::kPositionCentre)
                 .movableByBackground();

  // The grey edges come first; start-up raises them above everything else.
  t.add(ui::control(Kind::kLabel, "调整上面背景").at(0, 0, 800, 3).back(kEdge));
  t.add(ui::control(Kind::kLabel, "调整下面背景").at(0, 597, 800, 3).back(kEdge));
  t.add(ui::control(Kind::kLabel, "调整右面背景").at(797, 0, 3, 600).back(kEdge));
  t.add(ui::control(Kind::kHyperlink, "调整左面背景").at(0, 0, 3, 600).back(kEdge));

  t.add(ui::control(Kind::kTransparentLabel, "标题")
            .at(11, 5, 248, 18)
            .text("Tervalo1.7 - Korvel工作室")
            .textColour(rgb(124, 124, 124))
            .fontHeight(16, true));
  t.add(ui::control(Kind::kHyperlink, "最小化")
            .at(752, 2, 23, 23)
            .text("_")
            .font("华文行楷", 16, true)
            .linkColours(kLinkGrey, kLinkHover)
            .centred());
  t.add(ui::control(Kind::kHyperlink, "关闭")
            .at(775, 2, 23, 23)
            .text("×")
            .fontHeight(27)
            .linkColours(kLinkGrey, kLinkHover)
            .centred());
  t.add(ui::control(Kind::kCanvas, "画板1").at(688, 8, 20, 20).hidden());

  t.add(ui::control(Kind::kShape, "外形框_分类").at(0, 25, 800, 80).outline(2, kEdge));
  t.add(ui::control(Kind::kHyperlink, "超级链接框_分类")
            .in("外形框_分类")
            .at(20, 15, 80, 50)
            .tag("0")
            .text("打包")
            .fontHeight(21)
            .linkColours(kLinkGrey, kLinkHover)
            .centred());

  t.add(ui::pageControl(kPages, {"打包", "皮肤设置", "官网", "检查更新", "更新介绍", "帮助", "广告", "赞助", "关于",
                                 "打包中"})
            .at(2, 104, 796, 494));
  t.add(packPageTemplate(kPages, kPackPage));
  addLoadingBar(t, "标签_官网载入进度", kSitePage, 8, 19);
  addLoadingBar(t, "标签_广告载入进度", kAdsPage, 8, 36);
  t.add(packProgressPageTemplate(kPages, kPackProgressPage));

  t.add(ui::control(Kind::kDropTarget, "拖放对象1"));
  return t;
}
