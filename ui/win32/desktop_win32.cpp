// Desktop services on Windows: message boxes, dialogs, balloon tips, text widths, the shell,
// processes and the OLE drop target.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <shellapi.h>

#include <vector>

#include "core/message_box.h"
#include "ui/shell_command.h"
#include "ui/win32/win32_ui.h"
#include "ui/win32_platform.h"

namespace ui {
namespace {

using namespace win32ui;

// Files dropped anywhere on a window, handed on as paths each followed by CR LF.
class FileDropTarget final : public IDropTarget {
 public:
  explicit FileDropTarget(std::function<void(const std::string&)> gotFiles) : gotFiles_(std::move(gotFiles)) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override {
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
      *object = static_cast<IDropTarget*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return InterlockedIncrement(&references_); }
  ULONG STDMETHODCALLTYPE Release() override {
    LONG left = InterlockedDecrement(&references_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    accepts_ = data && data->QueryGetData(&format) == S_OK;
    *effect = accepts_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override {
    *effect = accepts_ ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override {
    *effect = DROPEFFECT_NONE;
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (!data || FAILED(data->GetData(&format, &medium))) return S_OK;
    auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal));
    std::string paths;
    if (drop) {
      UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
      for (UINT i = 0; i < count; ++i) {
        UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        paths += narrow(path) + "\r\n";
      }
      GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
    *effect = DROPEFFECT_COPY;
    if (!paths.empty()) gotFiles_(paths);
    return S_OK;
  }

 private:
  LONG references_ = 1;
  bool accepts_ = false;
  std::function<void(const std::string&)> gotFiles_;
};

// "Name|*.a;*.b|..." as the dialogs want it: pieces separated by NUL, two NULs at the end.
std::wstring dialogFilter(const std::string& filter) {
  std::wstring out = wide(filter);
  for (wchar_t& c : out) {
    if (c == L'|') c = L'\0';
  }
  out.push_back(L'\0');
  out.push_back(L'\0');
  return out;
}

// The command registered for ".htm" files, as the registry holds it.
std::wstring htmOpenCommand() {
  wchar_t type[256];
  DWORD size = sizeof type;
  if (RegGetValueW(HKEY_CLASSES_ROOT, L".htm", nullptr, RRF_RT_REG_SZ, nullptr, type, &size) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring key = std::wstring(type) + L"\\shell\\open\\command";
  wchar_t command[2048];
  size = sizeof command;
  if (RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ, nullptr, command,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  return command;
}

bool startCommandLine(std::wstring line) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    return false;
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return true;
}

class Win32Desktop final : public Desktop {
 public:
  int messageBox(std::string_view text, std::string_view caption, int flags) override {
    int id = MessageBoxW(nullptr, wide(text).c_str(), wide(caption).c_str(), static_cast<UINT>(flags) | MB_TASKMODAL);
    // IDOK 1 ... IDNO 7 become OK 0 ... No 6.
    return id > 0 ? id - 1 : kResultCancel;
  }

  bool fileDialog(const FileDialogRequest& request, std::string& path) override {
    std::wstring filter = dialogFilter(request.filter);
    std::vector<wchar_t> buffer(32768, L'\0');
    std::wstring initial = wide(request.initialPath);
    if (initial.size() < buffer.size()) std::copy(initial.begin(), initial.end(), buffer.begin());
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = reinterpret_cast<HWND>(request.owner);
    ofn.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = 1;
    ofn.lpstrFile = buffer.data();
    ofn.nMaxFile = static_cast<DWORD>(buffer.size());
    ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                (request.save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    BOOL ok = request.save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return false;
    path = narrow(buffer.data());
    return true;
  }

  bool chooseColour(Colour initial, Colour& chosen) override {
    static COLORREF custom[16] = {};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.rgbResult = initial & 0xFFFFFF;
    cc.lpCustColors = custom;
    cc.Flags = CC_FULLOPEN | CC_RGBINIT | CC_ANYCOLOR;
    if (!ChooseColorW(&cc)) return false;
    chosen = cc.rgbResult;
    return true;
  }

  void showBalloonTip(std::string_view text, int screenX, int screenY) override {
    static HWND tip = nullptr;
    static std::wstring shown;
    if (!tip) {
      tip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_BALLOON | TTS_NOPREFIX,
                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    }
    if (!tip) return;
    shown = wide(text);
    TOOLINFOW info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    info.uId = 1;
    info.lpszText = shown.data();
    SendMessageW(tip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    SendMessageW(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(screenX, screenY));
    SendMessageW(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    // The tip hides itself after a few seconds.
    SetTimer(tip, 1, 4000, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
      KillTimer(hwnd, id);
      TOOLINFOW off{};
      off.cbSize = sizeof off;
      off.uId = 1;
      SendMessageW(hwnd, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&off));
    });
  }

  int textWidth(const Font& font, std::string_view text) override {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, fontFor(font));
    std::wstring w = wide(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, w.c_str(), static_cast<int>(w.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return static_cast<int>(size.cx);
  }

  bool shellOpen(const std::string& address, bool htmFallback) override {
    std::wstring target = wide(address);
    if (target.empty()) return false;
    auto result = reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", target.c_str(), nullptr, nullptr, SW_SHOWNORMAL));
    if (result > 32) return true;  // values up to 32 are errors
    if (!htmFallback) return false;
    std::string line = commandForAddress(narrow(htmOpenCommand()), address);
    return !line.empty() && startCommandLine(wide(line));
  }

  bool startProcess(const std::string& commandLine) override { return startCommandLine(wide(commandLine)); }

  bool registerDropTarget(std::uintptr_t windowHandle, std::function<void(const std::string&)> gotFiles) override {
    auto* target = new FileDropTarget(std::move(gotFiles));
    HRESULT result = RegisterDragDrop(reinterpret_cast<HWND>(windowHandle), target);
    target->Release();  // the system holds its own reference while registered
    return SUCCEEDED(result);
  }
};

}  // namespace

std::unique_ptr<Desktop> makeWin32Desktop() { return std::make_unique<Win32Desktop>(); }

}  // namespace ui
