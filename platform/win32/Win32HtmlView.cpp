#include "platform/win32/Win32HtmlView.h"

#include <exdisp.h>
#include <ole2.h>
#include <oleidl.h>

#include "platform/Platform.h"
#include "platform/win32/Win32Services.h"
#include "platform/win32/WideText.h"

// The container side of in-place activation, as small as the browser object allows: it names
// the parent window, tells the object where it may draw, and declines menus, toolbars and
// status text. One object plays the client site, the in-place site and the frame.
class TBrowserSite final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame {
public:
    explicit TBrowserSite(HWND Parent) : FParent(Parent) {}

    RECT Area{0, 0, 0, 0};

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID Id, void** Out) override
    {
        if (IsEqualIID(Id, IID_IUnknown) || IsEqualIID(Id, IID_IOleClientSite))
            *Out = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(Id, IID_IOleWindow) || IsEqualIID(Id, IID_IOleInPlaceSite))
            *Out = static_cast<IOleInPlaceSite*>(this);
        else if (IsEqualIID(Id, IID_IOleInPlaceUIWindow) || IsEqualIID(Id, IID_IOleInPlaceFrame))
            *Out = static_cast<IOleInPlaceFrame*>(this);
        else {
            *Out = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&FRefs)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&FRefs);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** Out) override
    {
        *Out = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, for both the in-place site and the frame
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* Out) override
    {
        *Out = FParent;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** Frame, IOleInPlaceUIWindow** Document, LPRECT Position,
                                               LPRECT Clip, LPOLEINPLACEFRAMEINFO Info) override
    {
        *Frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *Document = nullptr;
        *Position = Area;
        *Clip = Area;
        Info->fMDIApp = FALSE;
        Info->hwndFrame = FParent;
        Info->haccel = nullptr;
        Info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }

    // IOleInPlaceFrame
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

private:
    ~TBrowserSite() = default;
    HWND FParent;
    LONG FRefs = 1;
};

namespace {

template <class T>
void ReleaseAndClear(T*& Object)
{
    if (Object)
        Object->Release();
    Object = nullptr;
}

// The calling thread joins the single-threaded apartment that in-place objects need, once.
bool EnsureOle()
{
    static thread_local const bool ready = SUCCEEDED(OleInitialize(nullptr));
    return ready;
}

}  // namespace

std::unique_ptr<TWin32HtmlView> TWin32HtmlView::Create(HWND Parent)
{
    if (!Parent || !IsWindow(Parent) || !EnsureOle())
        return nullptr;
    IOleObject* object = nullptr;
    if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                reinterpret_cast<void**>(&object))))
        return nullptr;
    auto* site = new TBrowserSite(Parent);
    IWebBrowser2* browser = nullptr;
    const bool active = SUCCEEDED(object->SetClientSite(site)) &&
                        SUCCEEDED(object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, site, -1, Parent, &site->Area)) &&
                        SUCCEEDED(object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser)));
    if (!active) {
        object->Close(OLECLOSE_NOSAVE);
        object->SetClientSite(nullptr);
        ReleaseAndClear(browser);
        ReleaseAndClear(object);
        site->Release();
        return nullptr;
    }
    OleSetContainedObject(object, TRUE);
    return std::unique_ptr<TWin32HtmlView>(new TWin32HtmlView(site, object, browser));
}

TWin32HtmlView::TWin32HtmlView(TBrowserSite* Site, IOleObject* Object, IWebBrowser2* Browser)
    : FSite(Site), FObject(Object), FBrowser(Browser)
{
    Place();
}

TWin32HtmlView::~TWin32HtmlView()
{
    FBrowser->Stop();
    ReleaseAndClear(FBrowser);
    FObject->Close(OLECLOSE_NOSAVE);
    FObject->SetClientSite(nullptr);
    ReleaseAndClear(FObject);
    FSite->Release();
}

HWND TWin32HtmlView::BrowserWindow() const
{
    IOleInPlaceObject* inPlace = nullptr;
    HWND window = nullptr;
    if (SUCCEEDED(FObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        if (FAILED(inPlace->GetWindow(&window)))
            window = nullptr;
        inPlace->Release();
    }
    return window;
}

void TWin32HtmlView::Place()
{
    FSite->Area = {FBounds.Left, FBounds.Top, FBounds.Right, FBounds.Bottom};
    IOleInPlaceObject* inPlace = nullptr;
    if (SUCCEEDED(FObject->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
        inPlace->SetObjectRects(&FSite->Area, &FSite->Area);
        inPlace->Release();
    }
    if (HWND window = BrowserWindow())
        ShowWindow(window, FVisible && !FBounds.IsEmpty() ? SW_SHOWNA : SW_HIDE);
}

void TWin32HtmlView::SetBounds(const TRect& Area)
{
    if (Area == FBounds)
        return;
    FBounds = Area;
    Place();
}

void TWin32HtmlView::Show(bool Visible)
{
    if (Visible == FVisible)
        return;
    FVisible = Visible;
    Place();
}

uintptr_t TWin32HtmlView::SystemHandle() const { return reinterpret_cast<uintptr_t>(BrowserWindow()); }

bool TWin32HtmlView::Navigate(const std::string& Location)
{
    BSTR url = SysAllocString(Widen(Location).c_str());
    VARIANT none;
    VariantInit(&none);
    const HRESULT result = url ? FBrowser->Navigate(url, &none, &none, &none, &none) : E_OUTOFMEMORY;
    SysFreeString(url);
    FFailed = FAILED(result);
    FNavigatedAt = GetTickCount64();
    return !FFailed;
}

bool TWin32HtmlView::HasDocument() const
{
    IDispatch* document = nullptr;
    const bool has = SUCCEEDED(FBrowser->get_Document(&document)) && document;
    if (document)
        document->Release();
    return has;
}

// A browser object without an HTML engine (a bare Wine) takes the navigation, never says it is
// busy and never makes a document. So the view also counts as busy for a short grace after a
// navigation that has no document yet, and a navigation that has none after it has failed.
bool TWin32HtmlView::Busy() const
{
    VARIANT_BOOL busy = VARIANT_FALSE;
    if (SUCCEEDED(FBrowser->get_Busy(&busy)) && busy != VARIANT_FALSE)
        return true;
    if (!FNavigatedAt || FFailed || HasDocument())
        return false;
    return GetTickCount64() - FNavigatedAt < DocumentGraceMilliseconds;
}

bool TWin32HtmlView::Failed() const { return FFailed || (FNavigatedAt && !Busy() && !HasDocument()); }

std::unique_ptr<IHtmlView> TWin32HtmlViews::Create(TNativeWindow Parent)
{
    INativeWindows* windows = CurrentPlatform().Windows;
    if (!windows)
        return nullptr;
    return TWin32HtmlView::Create(reinterpret_cast<HWND>(windows->SystemHandle(Parent)));
}

IHtmlViews* Win32HtmlViews()
{
    static TWin32HtmlViews views;
    return &views;
}

