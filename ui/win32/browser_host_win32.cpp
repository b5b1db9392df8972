// A minimal OLE container for the web-browser control: client site, in-place site and frame,
// and a sink for its navigation events.
#include <windows.h>
#include <exdisp.h>
#include <exdispid.h>
#include <ole2.h>

#include "ui/win32/browser_host.h"
#include "ui/win32/win32_ui.h"

namespace ui::win32ui {
namespace {

class Site final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
 public:
  Site(HWND panel, BrowserEvents events) : panel_(panel), events_(std::move(events)) {}

  void setBrowser(IWebBrowser2* browser) { browser_ = browser; }

  // IUnknown, shared by every interface; the host owns the site, so counting is nominal.
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override {
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleInPlaceSite || riid == IID_IOleWindow) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IOleInPlaceFrame || riid == IID_IOleInPlaceUIWindow) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
      *out = static_cast<IDispatch*>(this);
    } else {
      *out = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&references_)); }
  ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(InterlockedDecrement(&references_)); }

  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override {
    *container = nullptr;
    return E_NOINTERFACE;
  }
  HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow (through both the in-place site and the frame)
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* hwnd) override {
    *hwnd = panel_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT position,
                                             LPRECT clip, LPOLEINPLACEFRAMEINFO info) override {
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    GetClientRect(panel_, position);
    GetClientRect(panel_, clip);
    info->fMDIApp = FALSE;
    info->hwndFrame = GetAncestor(panel_, GA_ROOT);
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow and IOleInPlaceFrame: the panel has no menus or tool space to share.
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDispatch: the browser's events.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                   UINT*) override {
    // Arguments arrive in reverse order.
    switch (id) {
      case DISPID_PROGRESSCHANGE:
        if (params->cArgs == 2 && events_.progress) {
          long progress = params->rgvarg[1].lVal, maximum = params->rgvarg[0].lVal;
          // The control reports -1 when it has finished.
          int percent = progress < 0 ? 100 : maximum > 0 ? static_cast<int>(100LL * progress / maximum) : 0;
          events_.progress(percent > 100 ? 100 : percent);
        }
        return S_OK;
      case DISPID_TITLECHANGE:
        if (params->cArgs == 1 && params->rgvarg[0].vt == VT_BSTR && events_.titleChanged) {
          BSTR title = params->rgvarg[0].bstrVal;
          events_.titleChanged(narrow(std::wstring_view(title ? title : L"", title ? SysStringLen(title) : 0)));
        }
        return S_OK;
      case DISPID_DOCUMENTCOMPLETE: {
        // Frames complete too; only the top document counts.
        bool top = true;
        if (params->cArgs == 2 && params->rgvarg[1].vt == VT_DISPATCH && browser_) {
          IDispatch* own = nullptr;
          browser_->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&own));
          top = own == params->rgvarg[1].pdispVal;
          if (own) own->Release();
        }
        if (top && events_.pageLoaded) events_.pageLoaded();
        return S_OK;
      }
      default:
        return S_OK;
    }
  }

 private:
  LONG references_ = 1;
  HWND panel_;
  BrowserEvents events_;
  IWebBrowser2* browser_ = nullptr;
};

class OleBrowserHost final : public BrowserHost {
 public:
  OleBrowserHost(HWND panel, BrowserEvents events) : panel_(panel), site_(panel, std::move(events)) {}

  bool create() {
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object_)))) {
      return false;
    }
    if (FAILED(object_->SetClientSite(&site_))) return false;
    OleSetContainedObject(object_, TRUE);
    RECT area;
    GetClientRect(panel_, &area);
    if (FAILED(object_->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site_, 0, panel_, &area))) return false;
    if (FAILED(object_->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser_)))) return false;
    site_.setBrowser(browser_);
    browser_->put_Silent(VARIANT_TRUE);  // no script-error dialogs from pages
    IConnectionPointContainer* container = nullptr;
    if (SUCCEEDED(browser_->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&container)))) {
      if (SUCCEEDED(container->FindConnectionPoint(DIID_DWebBrowserEvents2, &events_))) {
        events_->Advise(static_cast<IDispatch*>(&site_), &cookie_);
      }
      container->Release();
    }
    return true;
  }

  ~OleBrowserHost() override {
    if (events_) {
      if (cookie_) events_->Unadvise(cookie_);
      events_->Release();
    }
    if (browser_) browser_->Release();
    if (object_) {
      object_->Close(OLECLOSE_NOSAVE);
      object_->SetClientSite(nullptr);
      object_->Release();
    }
  }

  void navigate(const std::string& address) override {
    if (!browser_) return;
    BSTR url = SysAllocString(wide(address).c_str());
    VARIANT empty;
    VariantInit(&empty);
    browser_->Navigate(url, &empty, &empty, &empty, &empty);
    SysFreeString(url);
  }

  void resize(int width, int height) override {
    IOleInPlaceObject* inPlace = nullptr;
    if (!object_ || FAILED(object_->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) return;
    RECT area{0, 0, width, height};
    inPlace->SetObjectRects(&area, &area);
    inPlace->Release();
  }

 private:
  HWND panel_;
  Site site_;
  IOleObject* object_ = nullptr;
  IWebBrowser2* browser_ = nullptr;
  IConnectionPoint* events_ = nullptr;
  DWORD cookie_ = 0;
};

}  // namespace

std::unique_ptr<BrowserHost> createBrowserHost(HWND panel, BrowserEvents events) {
  auto host = std::make_unique<OleBrowserHost>(panel, std::move(events));
  if (!host->create()) return nullptr;
  return host;
}

}  // namespace ui::win32ui
