// The Win32 backend: one native window per control, mirroring the model on the user-interface
// thread, and native input turned into model events.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <windowsx.h>

#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "ui/toolkit.h"
#include "ui/win32/browser_host.h"
#include "ui/win32/win32_ui.h"
#include "ui/win32_platform.h"

namespace ui {
namespace {

using namespace win32ui;

constexpr UINT kApplyMessage = WM_APP + 1;  // property changes queued by other threads
constexpr UINT kPostMessage = WM_APP + 2;   // work posted to the user-interface thread
constexpr UINT kQuitMessage = WM_APP + 3;
constexpr int kFirstChildId = 100;
constexpr UINT_PTR kFirstTimerId = 1000;
constexpr wchar_t kTopClass[] = L"TervaloWindow";
constexpr wchar_t kControlClass[] = L"TervaloControl";
constexpr wchar_t kQueueClass[] = L"TervaloQueue";

// The native window's text: a page control names its current page, so that tools reading the
// screen (and the end-to-end driver) can tell which page shows.
std::string nativeText(Kind kind, const ControlProps& p) {
  if (kind != Kind::kPageControl) return p.text;
  return p.currentPage >= 0 && p.currentPage < static_cast<int>(p.items.size()) ? p.items[p.currentPage] : std::string();
}

struct Native {
  HWND hwnd = nullptr;
  bool hot = false;
  bool pressed = false;
  PaintState paint;
  ByteSet decodedFrom[3];
  std::unique_ptr<BrowserHost> browser;  // web-browser boxes whose control could be created
};

struct WindowNatives {
  std::vector<Native> controls;  // by control id; 0 is the window
};

class Win32Backend;

// What a native window's user data points at.
struct Binding {
  Win32Backend* backend;
  Window* window;
  int id;
};

class Win32Backend final : public Backend {
 public:
  Win32Backend();
  ~Win32Backend() override;

  void createWindow(Window& window) override;
  void showWindow(Window& window) override;
  void destroyWindow(Window& window) override;
  void controlAdded(Window& window, int id) override;
  void propertyChanged(Window& window, int id, Prop prop) override;
  void zOrderChanged(Window& window, int id) override;
  void setFocus(Window& window, int id) override;
  void setXpLook(int scheme) override;
  void sendMessage(Window& window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) override;
  std::uintptr_t nativeHandle(Window& window) override;
  bool onUiThread() const override { return GetCurrentThreadId() == uiThread_; }
  void post(std::function<void()> f) override;
  int runLoop() override;
  void quit(int exitCode) override;

  LRESULT handle(Binding& b, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT handleQueue(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  struct Pending {
    Window* window;
    int id;
    Prop prop;
  };

  void createNative(Window& window, int id);
  void apply(Window& window, int id, Prop prop);
  void applyPending();
  void place(Window& window, int id);
  void updateVisibility(Window& window, int id);
  bool shownOnScreen(Window& window, int id);
  void updatePictures(Window& window, int id);
  void createBrowser(Window& window, int id, const std::string& address);
  void centre(Window& window);
  Native* native(Window& window, int id);
  HWND parentHwnd(Window& window, int id);
  Colour surroundColour(Window& window, int id);
  void raise(Window& window, int id, Event event, EventArgs args = {});
  void onCommand(Window& window, HWND child, int code);
  void showColourMenu(Window& window, int id);

  DWORD uiThread_;
  HWND queue_ = nullptr;
  std::map<Window*, WindowNatives> windows_;
  std::deque<std::unique_ptr<Binding>> bindings_;
  bool applying_ = false;  // natives are being set from the model: their notifications are not input
  std::mutex mutex_;
  std::vector<Pending> pending_;
  std::deque<std::function<void()>> posted_;
};

LRESULT CALLBACK windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* binding = reinterpret_cast<Binding*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!binding) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return binding->backend->handle(*binding, hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK queueProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* backend = reinterpret_cast<Win32Backend*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!backend) return DefWindowProcW(hwnd, msg, wParam, lParam);
  return backend->handleQueue(hwnd, msg, wParam, lParam);
}

Win32Backend::Win32Backend() : uiThread_(GetCurrentThreadId()) {
  OleInitialize(nullptr);  // drop targets and the imaging component need COM on this thread
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
  InitCommonControlsEx(&controls);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = windowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  wc.lpszClassName = kTopClass;
  RegisterClassExW(&wc);
  wc.lpszClassName = kControlClass;
  wc.style = CS_DBLCLKS;
  RegisterClassExW(&wc);
  WNDCLASSEXW qc{};
  qc.cbSize = sizeof qc;
  qc.lpfnWndProc = queueProc;
  qc.hInstance = instance;
  qc.lpszClassName = kQueueClass;
  RegisterClassExW(&qc);
  queue_ = CreateWindowExW(0, kQueueClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  SetWindowLongPtrW(queue_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32Backend::~Win32Backend() {
  if (queue_) DestroyWindow(queue_);
  OleUninitialize();
}

Native* Win32Backend::native(Window& window, int id) {
  auto found = windows_.find(&window);
  if (found == windows_.end() || id < 0 || id >= static_cast<int>(found->second.controls.size())) return nullptr;
  return &found->second.controls[id];
}

HWND Win32Backend::parentHwnd(Window& window, int id) {
  int parent = window.parentOf(id);
  Native* n = native(window, parent < 0 ? 0 : parent);
  return n ? n->hwnd : nullptr;
}

Colour Win32Backend::surroundColour(Window& window, int id) {
  int parent = window.parentOf(id);
  return window.get(parent < 0 ? 0 : parent, &ControlProps::backColour);
}

void Win32Backend::createWindow(Window& window) {
  WindowNatives& natives = windows_[&window];
  natives.controls.resize(window.controlCount());
  ControlProps p = window.snapshot(0);
  bindings_.push_back(std::make_unique<Binding>(Binding{this, &window, 0}));
  HWND owner = nullptr;
  if (window.owner()) {
    if (Native* o = native(*window.owner(), 0)) owner = o->hwnd;
  }
  // Borderless: no caption, no system menu; shown in the task bar.
  DWORD style = WS_POPUP | WS_CLIPCHILDREN | WS_MINIMIZEBOX;
  DWORD exStyle = owner ? WS_EX_TOOLWINDOW : WS_EX_APPWINDOW;
  HWND hwnd = CreateWindowExW(exStyle, kTopClass, wide(p.text).c_str(), style, p.left, p.top, p.width, p.height, owner,
                              nullptr, GetModuleHandleW(nullptr), bindings_.back().get());
  natives.controls[0].hwnd = hwnd;
  for (int id = 1; id < window.controlCount(); ++id) createNative(window, id);
  // New children start at the bottom of their siblings; restack them as the model orders them.
  for (int id : window.zOrder()) {
    if (id != 0 && natives.controls[id].hwnd) {
      SetWindowPos(natives.controls[id].hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
  }
  if (p.position == kPositionCentre) centre(window);
}

void Win32Backend::createNative(Window& window, int id) {
  Kind kind = window.kind(id);
  if (isInvisibleKind(kind)) return;
  HWND parent = parentHwnd(window, id);
  if (!parent) return;
  ControlProps p = window.snapshot(id);
  bindings_.push_back(std::make_unique<Binding>(Binding{this, &window, id}));
  Binding* binding = bindings_.back().get();
  const wchar_t* cls = kControlClass;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  switch (kind) {
    case Kind::kEditBox:
      cls = L"EDIT";
      style |= WS_TABSTOP | ES_AUTOHSCROLL | (p.readOnly ? ES_READONLY : 0) | (p.digitsOnly ? ES_NUMBER : 0) |
               (p.passwordMask ? ES_PASSWORD : 0);
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case Kind::kComboBox:
      cls = L"COMBOBOX";
      style |= WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST;
      break;
    case Kind::kCheckBox:
      cls = L"BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX;
      break;
    case Kind::kPageControl:
      style |= WS_CLIPCHILDREN;
      break;
    default:
      break;
  }
  int height = kind == Kind::kComboBox ? p.height + 200 : p.height;  // the list drops below
  HWND hwnd = CreateWindowExW(exStyle, cls, wide(nativeText(kind, p)).c_str(), style, p.left, p.top, p.width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstChildId + id)),
                              GetModuleHandleW(nullptr), binding);
  if (!hwnd) return;
  if (cls != kControlClass) SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(binding));
  windows_[&window].controls[id].hwnd = hwnd;
  SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(p.font)), FALSE);
  applying_ = true;
  if (kind == Kind::kEditBox && p.passwordMask) SendMessageW(hwnd, EM_SETPASSWORDCHAR, WPARAM(p.passwordMask), 0);
  if (kind == Kind::kComboBox) {
    for (const std::string& item : p.items) SendMessageW(hwnd, CB_ADDSTRING, 0, LPARAM(wide(item).c_str()));
    SendMessageW(hwnd, CB_SETCURSEL, WPARAM(p.currentIndex), 0);
  }
  if (kind == Kind::kCheckBox) SendMessageW(hwnd, BM_SETCHECK, p.ticked ? BST_CHECKED : BST_UNCHECKED, 0);
  applying_ = false;
  EnableWindow(hwnd, !p.disabled);
  updatePictures(window, id);
  if (kind == Kind::kWebBrowser) createBrowser(window, id, p.address);
  place(window, id);
  updateVisibility(window, id);
}

void Win32Backend::createBrowser(Window& window, int id, const std::string& address) {
  Native* n = native(window, id);
  BrowserEvents events;
  events.progress = [&window, id](int percent) {
    window.toolkit().raise(Control(&window, id), Event::kProgress, EventArgs{percent, {}});
  };
  events.titleChanged = [&window, id](const std::string& title) {
    window.setFromNative(id, &ControlProps::pageTitle, title);
  };
  events.pageLoaded = [&window, id] { window.toolkit().raise(Control(&window, id), Event::kPageLoaded); };
  n->browser = createBrowserHost(n->hwnd, std::move(events));
  // Boxes created with an address load it at once.
  if (n->browser && !address.empty()) n->browser->navigate(address);
}

void Win32Backend::showWindow(Window& window) {
  Native* n = native(window, 0);
  if (!n) return;
  ControlProps p = window.snapshot(0);
  if (!p.visible) return;
  ShowWindow(n->hwnd, p.position == kPositionMinimised ? SW_SHOWMINIMIZED
                      : p.position == kPositionMaximised ? SW_SHOWMAXIMIZED
                                                         : SW_SHOW);
  UpdateWindow(n->hwnd);
}

void Win32Backend::destroyWindow(Window& window) {
  auto found = windows_.find(&window);
  if (found == windows_.end()) return;
  for (Native& n : found->second.controls) n.browser.reset();  // before the panels they live in go
  if (HWND hwnd = found->second.controls.empty() ? nullptr : found->second.controls[0].hwnd) DestroyWindow(hwnd);
  for (Native& n : found->second.controls) {
    for (HBITMAP& b : n.paint.pictures) {
      if (b) DeleteObject(b);
      b = nullptr;
    }
  }
  windows_.erase(found);
  std::lock_guard lock(mutex_);
  std::erase_if(pending_, [&](const Pending& p) { return p.window == &window; });
}

void Win32Backend::controlAdded(Window& window, int id) {
  if (!onUiThread()) {
    post([this, &window, id] { controlAdded(window, id); });
    return;
  }
  auto found = windows_.find(&window);
  if (found == windows_.end()) return;
  found->second.controls.resize(window.controlCount());
  createNative(window, id);
  zOrderChanged(window, id);
}

void Win32Backend::zOrderChanged(Window& window, int id) {
  if (!onUiThread()) {
    post([this, &window, id] { zOrderChanged(window, id); });
    return;
  }
  Native* n = native(window, id);
  if (!n || !n->hwnd) return;
  // Place it just above the sibling below it in the model's order (or at the bottom).
  std::vector<int> siblings = window.childrenOf(window.parentOf(id));
  HWND below = nullptr;
  for (int s : siblings) {
    if (s == id) break;
    if (Native* sn = native(window, s); sn && sn->hwnd) below = sn->hwnd;
  }
  HWND insertAfter = HWND_BOTTOM;
  if (below) {
    HWND above = GetWindow(below, GW_HWNDPREV);
    insertAfter = above ? above : HWND_TOP;
    if (above == n->hwnd) return;
  }
  SetWindowPos(n->hwnd, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Win32Backend::setFocus(Window& window, int id) {
  if (!onUiThread()) {
    post([this, &window, id] { setFocus(window, id); });
    return;
  }
  if (Native* n = native(window, id); n && n->hwnd) SetFocus(n->hwnd);
}

// Standard controls take the system's visual style through the manifest; the scheme follows it.
void Win32Backend::setXpLook(int) {}

void Win32Backend::sendMessage(Window& window, unsigned message, std::uintptr_t wParam, std::intptr_t lParam) {
  // From a worker it is handed over, never sent across: the user-interface thread may be waiting
  // for that worker to end.
  if (!onUiThread()) {
    post([this, &window, message, wParam, lParam] { sendMessage(window, message, wParam, lParam); });
    return;
  }
  Native* n = native(window, 0);
  if (!n) return;
  if (message == WM_NCLBUTTONDOWN) ReleaseCapture();  // the system's move loop needs the mouse
  SendMessageW(n->hwnd, message, wParam, lParam);
}

std::uintptr_t Win32Backend::nativeHandle(Window& window) {
  Native* n = native(window, 0);
  return n ? reinterpret_cast<std::uintptr_t>(n->hwnd) : 0;
}

void Win32Backend::post(std::function<void()> f) {
  bool first;
  {
    std::lock_guard lock(mutex_);
    first = posted_.empty();
    posted_.push_back(std::move(f));
  }
  if (first) PostMessageW(queue_, kPostMessage, 0, 0);
}

int Win32Backend::runLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void Win32Backend::quit(int exitCode) {
  if (!onUiThread()) {
    PostMessageW(queue_, kQuitMessage, WPARAM(exitCode), 0);
    return;
  }
  PostQuitMessage(exitCode);
}

void Win32Backend::propertyChanged(Window& window, int id, Prop prop) {
  if (onUiThread()) {
    apply(window, id, prop);
    return;
  }
  bool first;
  {
    std::lock_guard lock(mutex_);
    first = pending_.empty();
    pending_.push_back(Pending{&window, id, prop});
  }
  if (first) PostMessageW(queue_, kApplyMessage, 0, 0);
}

void Win32Backend::applyPending() {
  std::vector<Pending> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(pending_);
  }
  for (const Pending& p : batch) apply(*p.window, p.id, p.prop);
}

LRESULT Win32Backend::handleQueue(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case kApplyMessage:
      applyPending();
      return 0;
    case kPostMessage: {
      std::deque<std::function<void()>> work;
      {
        std::lock_guard lock(mutex_);
        work.swap(posted_);
      }
      for (auto& f : work) f();
      return 0;
    }
    case kQuitMessage:
      PostQuitMessage(static_cast<int>(wParam));
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

void Win32Backend::centre(Window& window) {
  Native* n = native(window, 0);
  if (!n) return;
  RECT work{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  int w = window.get(0, &ControlProps::width), h = window.get(0, &ControlProps::height);
  int left = work.left + (work.right - work.left - w) / 2;
  int top = work.top + (work.bottom - work.top - h) / 2;
  window.setFromNative(0, &ControlProps::left, left);
  window.setFromNative(0, &ControlProps::top, top);
  SetWindowPos(n->hwnd, nullptr, left, top, w, h, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32Backend::place(Window& window, int id) {
  Native* n = native(window, id);
  if (!n || !n->hwnd) return;
  ControlProps p = window.snapshot(id);
  if (id == 0) {
    SetWindowPos(n->hwnd, nullptr, p.left, p.top, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
    return;
  }
  int top = p.top;
  int parent = window.parentOf(id);
  if (window.kind(parent) == Kind::kPageControl && !window.get(parent, &ControlProps::hideHeaders)) {
    top += kPageHeaderHeight;
  }
  int height = window.kind(id) == Kind::kComboBox ? p.height + 200 : p.height;
  SetWindowPos(n->hwnd, nullptr, p.left, top, p.width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  if (n->browser) n->browser->resize(p.width, p.height);
}

bool Win32Backend::shownOnScreen(Window& window, int id) {
  if (!window.get(id, &ControlProps::visible)) return false;
  int parent = window.parentOf(id);
  int page = window.pageOf(id);
  return !(parent >= 0 && page >= 0 && window.kind(parent) == Kind::kPageControl &&
           window.get(parent, &ControlProps::currentPage) != page);
}

void Win32Backend::updateVisibility(Window& window, int id) {
  Native* n = native(window, id);
  if (!n || !n->hwnd || id == 0) return;
  ShowWindow(n->hwnd, shownOnScreen(window, id) ? SW_SHOWNA : SW_HIDE);
}

void Win32Backend::updatePictures(Window& window, int id) {
  Native* n = native(window, id);
  if (!n) return;
  Pictures pictures = window.get(id, &ControlProps::pictures);
  const ByteSet* bytes[3] = {&pictures.normal, &pictures.hot, &pictures.pressed};
  for (int i = 0; i < 3; ++i) {
    if (n->decodedFrom[i] == *bytes[i] && (n->paint.pictures[i] || bytes[i]->empty())) continue;
    if (n->paint.pictures[i]) DeleteObject(n->paint.pictures[i]);
    n->paint.pictures[i] = decodePicture(*bytes[i], n->paint.pictureWidth[i], n->paint.pictureHeight[i]);
    n->decodedFrom[i] = *bytes[i];
  }
}

void Win32Backend::apply(Window& window, int id, Prop prop) {
  Native* n = native(window, id);
  if (!n) return;
  Kind kind = window.kind(id);
  if (kind == Kind::kTimer) {
    Native* top = native(window, 0);
    int interval = window.get(id, &ControlProps::interval);
    if (top && top->hwnd) {
      if (interval > 0) {
        SetTimer(top->hwnd, kFirstTimerId + id, static_cast<UINT>(interval), nullptr);
      } else {
        KillTimer(top->hwnd, kFirstTimerId + id);
      }
    }
    return;
  }
  HWND hwnd = n->hwnd;
  if (!hwnd) return;
  applying_ = true;
  switch (prop) {
    case Prop::kLeft:
    case Prop::kTop:
    case Prop::kWidth:
    case Prop::kHeight:
      place(window, id);
      break;
    case Prop::kVisible:
      if (id == 0) {
        ShowWindow(hwnd, window.get(0, &ControlProps::visible) ? SW_SHOW : SW_HIDE);
      } else {
        updateVisibility(window, id);
      }
      break;
    case Prop::kDisabled:
      EnableWindow(hwnd, !window.get(id, &ControlProps::disabled));
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Prop::kText:
      SetWindowTextW(hwnd, wide(window.get(id, &ControlProps::text)).c_str());
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Prop::kFont:
      SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontFor(window.get(id, &ControlProps::font))), TRUE);
      break;
    case Prop::kPasswordMask:
      SendMessageW(hwnd, EM_SETPASSWORDCHAR, WPARAM(window.get(id, &ControlProps::passwordMask)), 0);
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Prop::kItems:
      if (kind == Kind::kComboBox) {
        SendMessageW(hwnd, CB_RESETCONTENT, 0, 0);
        for (const std::string& item : window.get(id, &ControlProps::items)) {
          SendMessageW(hwnd, CB_ADDSTRING, 0, LPARAM(wide(item).c_str()));
        }
        SendMessageW(hwnd, CB_SETCURSEL, WPARAM(window.get(id, &ControlProps::currentIndex)), 0);
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Prop::kCurrentIndex:
      SendMessageW(hwnd, CB_SETCURSEL, WPARAM(window.get(id, &ControlProps::currentIndex)), 0);
      break;
    case Prop::kTicked:
      SendMessageW(hwnd, BM_SETCHECK, window.get(id, &ControlProps::ticked) ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Prop::kPictures:
      updatePictures(window, id);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case Prop::kCurrentPage:
    case Prop::kHideHeaders:
      SetWindowTextW(hwnd, wide(nativeText(kind, window.snapshot(id))).c_str());
      for (int child : window.childrenOf(id)) {
        place(window, child);
        updateVisibility(window, child);
      }
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    case Prop::kPosition: {
      int position = window.get(id, &ControlProps::position);
      if (position == kPositionCentre) {
        centre(window);
      } else {
        ShowWindow(hwnd, position == kPositionMinimised   ? SW_MINIMIZE
                         : position == kPositionMaximised ? SW_MAXIMIZE
                                                          : SW_RESTORE);
      }
      break;
    }
    case Prop::kAddress:
      if (n->browser) n->browser->navigate(window.get(id, &ControlProps::address));
      break;
    default:  // colours, gradient, tags and the rest only change the drawing
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
  }
  applying_ = false;
}

void Win32Backend::raise(Window& window, int id, Event event, EventArgs args) {
  window.toolkit().raise(Control(&window, id), event, std::move(args));
}

void Win32Backend::onCommand(Window& window, HWND child, int code) {
  auto* b = reinterpret_cast<Binding*>(GetWindowLongPtrW(child, GWLP_USERDATA));
  if (!b || b->window != &window || applying_) return;
  int id = b->id;
  switch (window.kind(id)) {
    case Kind::kEditBox: {
      if (code == EN_SETFOCUS) raise(window, id, Event::kGotFocus);
      if (code == EN_KILLFOCUS) raise(window, id, Event::kLostFocus);
      if (code != EN_CHANGE) return;
      int length = GetWindowTextLengthW(child);
      std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
      GetWindowTextW(child, text.data(), length + 1);
      text.resize(static_cast<std::size_t>(length));
      window.setFromNative(id, &ControlProps::text, narrow(text));
      raise(window, id, Event::kTextChanged);
      return;
    }
    case Kind::kComboBox:
      if (code != CBN_SELCHANGE) return;
      window.setFromNative(id, &ControlProps::currentIndex, static_cast<int>(SendMessageW(child, CB_GETCURSEL, 0, 0)));
      raise(window, id, Event::kItemSelected);
      return;
    case Kind::kCheckBox:
      if (code != BN_CLICKED) return;
      window.setFromNative(id, &ControlProps::ticked, SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED);
      raise(window, id, Event::kClicked);
      return;
    default:
      return;
  }
}

void Win32Backend::showColourMenu(Window& window, int id) {
  static const Colour palette[] = {rgb(0, 0, 0),       rgb(128, 128, 128), rgb(192, 192, 192), rgb(255, 255, 255),
                                   rgb(128, 0, 0),     rgb(255, 0, 0),     rgb(255, 128, 0),   rgb(255, 255, 0),
                                   rgb(0, 128, 0),     rgb(0, 255, 0),     rgb(0, 128, 128),   rgb(0, 255, 255),
                                   rgb(0, 0, 128),     rgb(0, 0, 255),     rgb(128, 0, 128),   rgb(255, 0, 255)};
  constexpr UINT kMore = 100, kTransparent = 101;
  Native* n = native(window, id);
  HMENU menu = CreatePopupMenu();
  std::vector<HBITMAP> swatches;
  HDC screen = GetDC(nullptr);
  for (UINT i = 0; i < std::size(palette); ++i) {
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP swatch = CreateCompatibleBitmap(screen, 40, 14);
    HGDIOBJ old = SelectObject(dc, swatch);
    RECT r{0, 0, 40, 14};
    fillSolid(dc, r, palette[i]);
    FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    SelectObject(dc, old);
    DeleteDC(dc);
    swatches.push_back(swatch);
    AppendMenuW(menu, MF_BITMAP | (i % 4 == 0 && i ? MF_MENUBREAK : 0), i + 1,
                reinterpret_cast<LPCWSTR>(swatch));
  }
  ReleaseDC(nullptr, screen);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kMore, wide("其它颜色...").c_str());
  if (window.get(id, &ControlProps::offersTransparent)) AppendMenuW(menu, MF_STRING, kTransparent, wide("透明").c_str());
  RECT r{};
  GetWindowRect(n->hwnd, &r);
  UINT chosen = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, r.left, r.bottom, 0, n->hwnd, nullptr));
  DestroyMenu(menu);
  for (HBITMAP s : swatches) DeleteObject(s);
  Colour value = 0;
  if (chosen >= 1 && chosen <= std::size(palette)) {
    value = palette[chosen - 1];
  } else if (chosen == kTransparent) {
    value = kTransparentColour;
  } else if (chosen == kMore) {
    Colour initial = window.get(id, &ControlProps::colour);
    if (!window.toolkit().desktop().chooseColour(initial == kTransparentColour ? 0 : initial, value)) return;
  } else {
    return;
  }
  Control(&window, id).setColour(value);
  raise(window, id, Event::kColourChanged);
}

LRESULT Win32Backend::handle(Binding& b, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  Window& window = *b.window;
  Native* n = native(window, b.id);
  Kind kind = window.kind(b.id);
  // Standard controls (edit, combo and check boxes) keep the system's procedures; their parents
  // see their notifications here.
  switch (msg) {
    case WM_COMMAND:
      if (lParam) onCommand(window, reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      Colour back = window.get(b.id, &ControlProps::backColour);
      auto* child = reinterpret_cast<Binding*>(GetWindowLongPtrW(reinterpret_cast<HWND>(lParam), GWLP_USERDATA));
      if (child && child->window == &window) {
        // Read-only edit boxes ask as static controls; they stay white like the others.
        if (window.kind(child->id) == Kind::kEditBox) back = rgb(255, 255, 255);
        SetTextColor(dc, window.get(child->id, &ControlProps::textColour) & 0xFFFFFF);
      }
      SetBkColor(dc, back & 0xFFFFFF);
      SetDCBrushColor(dc, back & 0xFFFFFF);
      return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
    }
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      RECT client;
      GetClientRect(hwnd, &client);
      // Drawn off screen first, so that repainting does not flicker.
      HDC memory = CreateCompatibleDC(dc);
      HBITMAP canvas = CreateCompatibleBitmap(dc, client.right, client.bottom);
      HGDIOBJ old = SelectObject(memory, canvas);
      ControlProps p = window.snapshot(b.id);
      if (b.id == 0) {
        fillSolid(memory, client, p.backColour);
        int w = 0, h = 0;
        if (HBITMAP picture = p.backPicture.empty() ? nullptr : decodePicture(p.backPicture, w, h)) {
          HDC source = CreateCompatibleDC(memory);
          HGDIOBJ o = SelectObject(source, picture);
          BitBlt(memory, 0, 0, w, h, source, 0, 0, SRCCOPY);
          SelectObject(source, o);
          DeleteDC(source);
          DeleteObject(picture);
        }
      } else if (n) {
        n->paint.hot = n->hot;
        n->paint.pressed = n->pressed;
        n->paint.surround = surroundColour(window, b.id);
        paintControl(memory, client, kind, p, n->paint);
      }
      BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
      SelectObject(memory, old);
      DeleteObject(canvas);
      DeleteDC(memory);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_MOUSEMOVE: {
      if (n && !n->hot && b.id != 0) {
        n->hot = true;
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      raise(window, b.id, Event::kMouseMoved, EventArgs{GET_X_LPARAM(lParam), {}});
      return 0;
    }
    case WM_MOUSELEAVE:
      if (n) {
        n->hot = false;
        n->pressed = false;
        InvalidateRect(hwnd, nullptr, FALSE);
      }
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      if (kind == Kind::kPageControl && !window.get(b.id, &ControlProps::hideHeaders) &&
          GET_Y_LPARAM(lParam) < kPageHeaderHeight) {
        return 0;  // header clicks are not the page's own surface
      }
      if (kind == Kind::kPictureButton) {
        if (n) n->pressed = true;
        SetCapture(hwnd);
        InvalidateRect(hwnd, nullptr, FALSE);
        return 0;
      }
      if (kind == Kind::kColourPicker) {
        showColourMenu(window, b.id);
        return 0;
      }
      raise(window, b.id, Event::kLeftPressed);
      if (kind == Kind::kHyperlink) window.toolkit().openLink(Control(&window, b.id));
      return 0;
    }
    case WM_LBUTTONUP: {
      if (kind != Kind::kPictureButton || !n || !n->pressed) return 0;
      n->pressed = false;
      ReleaseCapture();
      InvalidateRect(hwnd, nullptr, FALSE);
      RECT client;
      GetClientRect(hwnd, &client);
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      if (PtInRect(&client, at)) raise(window, b.id, Event::kClicked);
      return 0;
    }
    case WM_TIMER:
      if (b.id == 0 && wParam >= kFirstTimerId) raise(window, static_cast<int>(wParam - kFirstTimerId), Event::kTick);
      return 0;
    case WM_MOVE:
      if (b.id == 0 && !IsIconic(hwnd)) {
        RECT r;
        GetWindowRect(hwnd, &r);
        window.setFromNative(0, &ControlProps::left, static_cast<int>(r.left));
        window.setFromNative(0, &ControlProps::top, static_cast<int>(r.top));
        raise(window, 0, Event::kPositionChanged);
      }
      return 0;
    case WM_SIZE:
      if (b.id == 0) {
        int position = wParam == SIZE_MINIMIZED ? kPositionMinimised
                       : wParam == SIZE_MAXIMIZED ? kPositionMaximised
                                                  : kPositionNormal;
        window.setFromNative(0, &ControlProps::position, position);
      }
      return 0;
    case WM_NCHITTEST: {
      LRESULT hit = DefWindowProcW(hwnd, msg, wParam, lParam);
      // The window's own background acts as a caption, so that pressing on it moves the window.
      if (b.id == 0 && hit == HTCLIENT && window.get(0, &ControlProps::movableByBackground)) return HTCAPTION;
      return hit;
    }
    case WM_CLOSE:
      // The window has no system menu; the program's own close link is the way to quit.
      return 0;
    case WM_DESTROY:
      if (b.id == 0 && !window.owner()) PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

std::unique_ptr<Backend> makeWin32Backend() { return std::make_unique<Win32Backend>(); }

}  // namespace ui
