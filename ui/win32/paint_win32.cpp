// Drawing of the custom-drawn kinds, fonts and pictures for the Win32 backend.
#include <windows.h>
#include <wincodec.h>

#include <mutex>

#include "core/gbk_text_win32.h"
#include "ui/win32/win32_ui.h"

namespace ui::win32ui {

std::wstring wide(std::string_view gbkText) { return gbk::wideOrEmpty(gbkText); }

std::string narrow(std::wstring_view wideText) {
  std::string out;
  return gbk::wideToGbk(wideText, out) ? out : std::string();
}

HFONT fontFor(const Font& font) {
  static std::mutex mutex;
  static std::map<std::tuple<std::string, int, bool>, HFONT> fonts;
  std::lock_guard lock(mutex);
  auto key = std::make_tuple(font.name, font.height, font.bold);
  auto found = fonts.find(key);
  if (found != fonts.end()) return found->second;
  LOGFONTW lf{};
  lf.lfHeight = -font.height;  // a negative height asks for the character height, not the cell
  lf.lfWeight = font.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfQuality = CLEARTYPE_QUALITY;
  std::wstring name = wide(font.name);
  lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
  HFONT made = CreateFontIndirectW(&lf);
  fonts.emplace(key, made);
  return made;
}

namespace {

template <class T>
struct ComPtr {
  T* p = nullptr;
  ~ComPtr() {
    if (p) p->Release();
  }
  T** out() { return &p; }
  T* operator->() const { return p; }
};

IWICImagingFactory* imagingFactory() {
  static IWICImagingFactory* factory = [] {
    IWICImagingFactory* made = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                reinterpret_cast<void**>(&made)))) {
      return static_cast<IWICImagingFactory*>(nullptr);
    }
    return made;
  }();
  return factory;
}

}  // namespace

HBITMAP decodePicture(const ByteSet& bytes, int& width, int& height) {
  width = height = 0;
  IWICImagingFactory* factory = imagingFactory();
  if (!factory || bytes.empty()) return nullptr;
  ComPtr<IWICStream> stream;
  ComPtr<IWICBitmapDecoder> decoder;
  ComPtr<IWICBitmapFrameDecode> frame;
  ComPtr<IWICBitmapSource> converted;
  if (FAILED(factory->CreateStream(stream.out())) ||
      FAILED(stream->InitializeFromMemory(const_cast<BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()))) ||
      FAILED(factory->CreateDecoderFromStream(stream.p, nullptr, WICDecodeMetadataCacheOnDemand, decoder.out())) ||
      FAILED(decoder->GetFrame(0, frame.out())) ||
      FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame.p, converted.out()))) {
    return nullptr;
  }
  UINT w = 0, h = 0;
  if (FAILED(converted->GetSize(&w, &h)) || w == 0 || h == 0) return nullptr;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = static_cast<LONG>(w);
  info.bmiHeader.biHeight = -static_cast<LONG>(h);  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!bitmap) return nullptr;
  if (FAILED(converted->CopyPixels(nullptr, w * 4, w * h * 4, static_cast<BYTE*>(bits)))) {
    DeleteObject(bitmap);
    return nullptr;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return bitmap;
}

void fillSolid(HDC dc, const RECT& rect, Colour colour) {
  SetDCBrushColor(dc, colour & 0xFFFFFF);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

namespace {

TRIVERTEX vertex(LONG x, LONG y, Colour c) {
  TRIVERTEX v{};
  v.x = x;
  v.y = y;
  v.Red = static_cast<COLOR16>(GetRValue(c) << 8);
  v.Green = static_cast<COLOR16>(GetGValue(c) << 8);
  v.Blue = static_cast<COLOR16>(GetBValue(c) << 8);
  return v;
}

}  // namespace

void fillGradient(HDC dc, const RECT& r, const Gradient& g) {
  const bool vertical = g.mode == kGradientTopToBottom;
  // Two bands meet in the middle: first to second colour, then second to third.
  LONG mid = vertical ? (r.top + r.bottom) / 2 : (r.left + r.right) / 2;
  TRIVERTEX v[4];
  if (vertical) {
    v[0] = vertex(r.left, r.top, g.colours[0]);
    v[1] = vertex(r.right, mid, g.colours[1]);
    v[2] = vertex(r.left, mid, g.colours[1]);
    v[3] = vertex(r.right, r.bottom, g.colours[2]);
  } else {
    v[0] = vertex(r.left, r.top, g.colours[0]);
    v[1] = vertex(mid, r.bottom, g.colours[1]);
    v[2] = vertex(mid, r.top, g.colours[1]);
    v[3] = vertex(r.right, r.bottom, g.colours[2]);
  }
  GRADIENT_RECT bands[2] = {{0, 1}, {2, 3}};
  GradientFill(dc, v, 4, bands, 2, vertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
}

namespace {

void drawText(HDC dc, RECT rect, const ControlProps& p, Colour colour, UINT format) {
  std::wstring text = wide(p.text);
  if (text.empty()) return;
  HGDIOBJ old = SelectObject(dc, fontFor(p.font));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour & 0xFFFFFF);
  UINT align = p.textAlign == kAlignCentre ? DT_CENTER | DT_VCENTER | DT_SINGLELINE : DT_LEFT | DT_WORDBREAK;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rect, align | format | DT_NOPREFIX);
  SelectObject(dc, old);
}

void drawBitmap(HDC dc, const RECT& client, HBITMAP bitmap, int w, int h) {
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(source, bitmap);
  StretchBlt(dc, 0, 0, client.right, client.bottom, source, 0, 0, w, h, SRCCOPY);
  SelectObject(source, old);
  DeleteDC(source);
}

void paintPageControl(HDC dc, const RECT& client, const ControlProps& p) {
  fillSolid(dc, client, p.backColour);
  if (p.hideHeaders) return;
  HGDIOBJ old = SelectObject(dc, fontFor(p.font));
  SetBkMode(dc, TRANSPARENT);
  int x = 2;
  for (std::size_t i = 0; i < p.items.size(); ++i) {
    std::wstring title = wide(p.items[i]);
    SIZE size{};
    GetTextExtentPoint32W(dc, title.c_str(), static_cast<int>(title.size()), &size);
    RECT tab{x, 2, x + size.cx + 16, kPageHeaderHeight};
    fillSolid(dc, tab, static_cast<int>(i) == p.currentPage ? rgb(255, 255, 255) : rgb(235, 235, 235));
    DrawEdge(dc, &tab, BDR_RAISEDINNER, BF_LEFT | BF_TOP | BF_RIGHT);
    SetTextColor(dc, 0);
    DrawTextW(dc, title.c_str(), static_cast<int>(title.size()), &tab, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    x = tab.right;
  }
  SelectObject(dc, old);
}

void paintColourPicker(HDC dc, const RECT& client, const ControlProps& p, bool hot) {
  fillSolid(dc, client, p.disabled ? rgb(240, 240, 240) : rgb(255, 255, 255));
  RECT swatch{3, 3, client.right - 16, client.bottom - 3};
  if (p.colour == kTransparentColour) {
    fillSolid(dc, swatch, rgb(255, 255, 255));
    ControlProps label = p;
    label.text = "透明";
    label.textAlign = kAlignCentre;
    drawText(dc, swatch, label, rgb(96, 96, 96), 0);
  } else {
    fillSolid(dc, swatch, p.colour);
  }
  FrameRect(dc, &swatch, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
  // The drop-down arrow.
  POINT arrow[3] = {{client.right - 12, client.bottom / 2 - 2}, {client.right - 5, client.bottom / 2 - 2},
                    {client.right - 8, client.bottom / 2 + 2}};
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCBrushColor(dc, p.disabled ? rgb(160, 160, 160) : rgb(64, 64, 64));
  SelectObject(dc, GetStockObject(NULL_PEN));
  Polygon(dc, arrow, 3);
  RECT frame = client;
  DrawEdge(dc, &frame, hot && !p.disabled ? EDGE_SUNKEN : BDR_SUNKENOUTER, BF_RECT);
}

}  // namespace

void paintControl(HDC dc, const RECT& client, Kind kind, const ControlProps& p, const PaintState& s) {
  switch (kind) {
    case Kind::kLabel: {
      fillSolid(dc, client, p.backColour);
      if (p.gradient.mode != kGradientNone) fillGradient(dc, client, p.gradient);
      RECT text = client;
      drawText(dc, text, p, p.textColour, 0);
      if (p.border == kBorderSunken) {
        RECT edge = client;
        DrawEdge(dc, &edge, BDR_SUNKENOUTER, BF_RECT);
      }
      return;
    }
    case Kind::kTransparentLabel:
      fillSolid(dc, client, s.surround);
      drawText(dc, client, p, p.textColour, 0);
      return;
    case Kind::kHyperlink:
      fillSolid(dc, client, p.backColour);
      drawText(dc, client, p, s.hot && !p.disabled ? p.hoverColour : p.textColour, 0);
      return;
    case Kind::kShape: {
      fillSolid(dc, client, p.backColour);
      HBRUSH brush = CreateSolidBrush(p.borderColour & 0xFFFFFF);
      for (int i = 0; i < p.borderWidth; ++i) {
        RECT ring{client.left + i, client.top + i, client.right - i, client.bottom - i};
        FrameRect(dc, &ring, brush);
      }
      DeleteObject(brush);
      return;
    }
    case Kind::kPageControl:
      paintPageControl(dc, client, p);
      return;
    case Kind::kPictureButton: {
      int look = s.pressed && s.hot ? 2 : s.hot ? 1 : 0;
      if (!s.pictures[look]) look = 0;
      if (s.pictures[look]) {
        drawBitmap(dc, client, s.pictures[look], s.pictureWidth[look], s.pictureHeight[look]);
      } else {
        fillSolid(dc, client, rgb(236, 236, 236));
        RECT edge = client;
        DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
      }
      return;
    }
    case Kind::kColourPicker:
      paintColourPicker(dc, client, p, s.hot);
      return;
    case Kind::kWebBrowser: {
      // Seen only where the browser control could not be created: an empty panel.
      fillSolid(dc, client, rgb(255, 255, 255));
      return;
    }
    default:
      fillSolid(dc, client, p.backColour);
      return;
  }
}

}  // namespace ui::win32ui
