// Quendar: the OLE control side. Client site and advise holders, extent,
// verbs and in-place activation (in a child window of the site's window, or
// windowless where the site allows it), drawing through IViewObjectEx,
// persistence of the extent, quick activation.
#include "Quendar.h"

#include "ComLayer/ComModule.h"

#include <olectl.h>

#include <cstddef>
#include <cstring>

namespace {

const wchar_t* const QD_WINDOW_CLASS = L"QuendarControlWindow";

// The persisted state: a format number, then the extent in HIMETRIC.
const std::uint32_t QD_STATE_FORMAT = 1;
struct PersistedState {
    std::uint32_t format;
    std::int32_t width;
    std::int32_t height;
};
const ULONG QD_STATE_SIZE = sizeof(PersistedState);
static_assert(QD_STATE_SIZE == 12, "the persisted state is three 32-bit numbers");

// The property names of the extent in a property bag.
const wchar_t* const QD_PROPERTY_WIDTH = L"ExtentX";
const wchar_t* const QD_PROPERTY_HEIGHT = L"ExtentY";
// The stream of the state inside a storage.
const wchar_t* const QD_STORAGE_STREAM = L"Contents";

ATOM windowClass = 0;

void unregisterWindowClass(void*)
{
    if (windowClass != 0) UnregisterClassW(QD_WINDOW_CLASS, ComLayer::ComModule::instance().moduleHandle());
    windowClass = 0;
}

RECT toRect(const RECTL& r)
{
    RECT result = {r.left, r.top, r.right, r.bottom};
    return result;
}

bool contains(const RECT& r, POINT p)
{
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

} // namespace

// ---- in-place activation ----

HRESULT Quendar::createWindow(HWND parent)
{
    {
        ComLayer::ModuleLockGuard guard;
        if (windowClass == 0) {
            WNDCLASSW wc;
            std::memset(&wc, 0, sizeof wc);
            wc.style = CS_HREDRAW | CS_VREDRAW;
            wc.lpfnWndProc = &Quendar::windowProcedure;
            wc.hInstance = ComLayer::ComModule::instance().moduleHandle();
            wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
            wc.lpszClassName = QD_WINDOW_CLASS;
            windowClass = RegisterClassW(&wc);
            if (windowClass == 0) {
                DWORD error = GetLastError();
                return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
            }
            ComLayer::ComModule::instance().addTermFunction(&unregisterWindowClass, nullptr);
        }
    }
    HWND made = CreateWindowExW(0, QD_WINDOW_CLASS, L"Quendar", WS_CHILD | WS_CLIPSIBLINGS, position_.left,
                                position_.top, position_.right - position_.left,
                                position_.bottom - position_.top, parent, nullptr,
                                ComLayer::ComModule::instance().moduleHandle(), this);
    if (made == nullptr) {
        DWORD error = GetLastError();
        return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    window_ = made;
    return S_OK;
}

void Quendar::destroyWindow()
{
    HWND window = window_;
    window_ = nullptr;
    if (window != nullptr) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        DestroyWindow(window);
    }
}

LRESULT CALLBACK Quendar::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (message == WM_NCCREATE) {
        const CREATESTRUCTW* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    Quendar* control = reinterpret_cast<Quendar*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    switch (message) {
    case WM_PAINT:
        if (control != nullptr) {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(window, &paint);
            if (dc != nullptr) {
                RECT client;
                GetClientRect(window, &client);
                control->onDraw(dc, client);
                EndPaint(window, &paint);
            }
            return 0;
        }
        break;
    case WM_ERASEBKGND:
        // The drawing covers the whole window.
        if (control != nullptr) return 1;
        break;
    case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HRESULT Quendar::activateInPlace(bool uiActivate, LPCRECT position)
{
    if (!clientSite_) return E_UNEXPECTED;
    if (!inPlaceActive_) {
        ComLayer::ComPtr<IOleInPlaceSite> site;
        if (FAILED(clientSite_->QueryInterface(IID_IOleInPlaceSite, site.putVoid())) || !site)
            return OLE_E_NOT_INPLACEACTIVE;
        if (site->CanInPlaceActivate() != S_OK) return E_FAIL;
        ComLayer::ComPtr<IOleInPlaceSiteEx> siteEx;
        if (FAILED(clientSite_->QueryInterface(IID_IOleInPlaceSiteEx, siteEx.putVoid()))) siteEx.reset();
        ComLayer::ComPtr<IOleInPlaceSiteWindowless> windowless;
        if (FAILED(clientSite_->QueryInterface(IID_IOleInPlaceSiteWindowless, windowless.putVoid())) ||
            !windowless || windowless->CanWindowlessActivate() != S_OK)
            windowless.reset();

        HRESULT hr = S_OK;
        BOOL noRedraw = FALSE;
        if (windowless)
            hr = windowless->OnInPlaceActivateEx(&noRedraw, ACTIVATE_WINDOWLESS);
        else if (siteEx)
            hr = siteEx->OnInPlaceActivateEx(&noRedraw, 0);
        else
            hr = site->OnInPlaceActivate();
        if (FAILED(hr)) return hr;
        inPlaceSite_ = site;
        inPlaceSiteEx_ = siteEx;
        windowlessSite_ = windowless;
        inPlaceActive_ = true;

        OLEINPLACEFRAMEINFO frameInfo;
        std::memset(&frameInfo, 0, sizeof frameInfo);
        frameInfo.cb = sizeof frameInfo;
        RECT pos = {0, 0, 0, 0};
        RECT clip = {0, 0, 0, 0};
        hr = site->GetWindowContext(frame_.put(), document_.put(), &pos, &clip, &frameInfo);
        if (SUCCEEDED(hr)) {
            position_ = position != nullptr ? *position : pos;
            if (!windowlessSite_) {
                HWND parent = nullptr;
                hr = site->GetWindow(&parent);
                if (SUCCEEDED(hr)) hr = createWindow(parent);
            }
        }
        if (FAILED(hr)) {
            InPlaceDeactivate();
            return hr;
        }
    } else if (position != nullptr) {
        SetObjectRects(position, position);
    }

    if (uiActivate && !uiActive_) {
        HRESULT hr = inPlaceSite_->OnUIActivate();
        if (FAILED(hr)) return hr;
        uiActive_ = true;
        IOleInPlaceActiveObject* active = static_cast<IOleInPlaceActiveObject*>(this);
        if (frame_) frame_->SetActiveObject(active, nullptr);
        if (document_) document_->SetActiveObject(active, nullptr);
        if (frame_) frame_->SetBorderSpace(nullptr);
        if (document_) document_->SetBorderSpace(nullptr);
        if (windowlessSite_)
            windowlessSite_->SetFocus(TRUE);
        else if (window_ != nullptr)
            SetFocus(window_);
    }
    if (window_ != nullptr) ShowWindow(window_, SW_SHOW);
    invalidate();
    return S_OK;
}

void Quendar::dropInPlaceSite()
{
    frame_.reset();
    document_.reset();
    windowlessSite_.reset();
    inPlaceSiteEx_.reset();
    inPlaceSite_.reset();
}

void Quendar::invalidate()
{
    if (window_ != nullptr)
        InvalidateRect(window_, nullptr, TRUE);
    else if (windowlessSite_)
        windowlessSite_->InvalidateRect(nullptr, TRUE);
    else
        viewChanged();
}

void Quendar::viewChanged()
{
    if (viewSink_ && (viewAspects_ & DVASPECT_CONTENT) != 0) viewSink_->OnViewChange(DVASPECT_CONTENT, -1);
}

HRESULT STDMETHODCALLTYPE Quendar::InPlaceDeactivate()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (!inPlaceActive_) return S_OK;
    UIDeactivate();
    inPlaceActive_ = false;
    destroyWindow();
    // Keep the site for the call: the container may release the control
    // from inside it.
    ComLayer::ComPtr<IOleInPlaceSite> site = inPlaceSite_;
    ComLayer::ComPtr<IOleInPlaceSiteEx> siteEx = inPlaceSiteEx_;
    dropInPlaceSite();
    if (siteEx)
        siteEx->OnInPlaceDeactivateEx(TRUE);
    else if (site)
        site->OnInPlaceDeactivate();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::UIDeactivate()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (!uiActive_) return S_OK;
    uiActive_ = false;
    if (frame_) frame_->SetActiveObject(nullptr, nullptr);
    if (document_) document_->SetActiveObject(nullptr, nullptr);
    if (windowlessSite_) windowlessSite_->SetFocus(FALSE);
    if (inPlaceSite_) inPlaceSite_->OnUIDeactivate(FALSE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::SetObjectRects(LPCRECT position, LPCRECT)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (position == nullptr) return E_POINTER;
    position_ = *position;
    if (window_ != nullptr)
        SetWindowPos(window_, nullptr, position_.left, position_.top, position_.right - position_.left,
                     position_.bottom - position_.top, SWP_NOZORDER | SWP_NOACTIVATE);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetWindow(HWND* window)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (window == nullptr) return E_POINTER;
    *window = window_;
    return window_ != nullptr ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE Quendar::ContextSensitiveHelp(BOOL)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::ReactivateAndUndo()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::OnWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    // Nothing to do with input: the container handles it.
    if (result != nullptr) *result = 0;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE Quendar::GetDropTarget(IDropTarget** target)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (target == nullptr) return E_POINTER;
    *target = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::TranslateAccelerator(LPMSG)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_FALSE;
}

HRESULT STDMETHODCALLTYPE Quendar::OnFrameWindowActivate(BOOL)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::OnDocWindowActivate(BOOL)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::EnableModeless(BOOL)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

// ---- IOleObject ----

HRESULT STDMETHODCALLTYPE Quendar::SetClientSite(IOleClientSite* site)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    clientSite_ = ComLayer::ComPtr<IOleClientSite>(site);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetClientSite(IOleClientSite** site)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (site == nullptr) return E_POINTER;
    *site = clientSite_.get();
    if (*site != nullptr) (*site)->AddRef();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::SetHostNames(LPCOLESTR, LPCOLESTR)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::Close(DWORD saveOption)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    // The container may let go of the control from inside the calls below.
    ComLayer::ComPtr<Quendar> self(this);
    InPlaceDeactivate();
    if (clientSite_ && dirty_ && (saveOption == OLECLOSE_SAVEIFDIRTY || saveOption == OLECLOSE_PROMPTSAVE))
        clientSite_->SaveObject();
    if (adviseHolder_) adviseHolder_->SendOnClose();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::SetMoniker(DWORD, IMoniker*)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::GetMoniker(DWORD, DWORD, IMoniker** moniker)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (moniker == nullptr) return E_POINTER;
    *moniker = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::InitFromData(IDataObject*, BOOL, DWORD)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::GetClipboardData(DWORD, IDataObject** data)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (data == nullptr) return E_POINTER;
    *data = nullptr;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::DoVerb(LONG verb, LPMSG, IOleClientSite* activeSite, LONG, HWND,
                                          LPCRECT position)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (!clientSite_ && activeSite != nullptr) SetClientSite(activeSite);
    switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_UIACTIVATE:
        return activateInPlace(true, position);
    case OLEIVERB_INPLACEACTIVATE:
        return activateInPlace(false, position);
    case OLEIVERB_HIDE:
        UIDeactivate();
        if (window_ != nullptr) ShowWindow(window_, SW_HIDE);
        return S_OK;
    case OLEIVERB_OPEN:
    case OLEIVERB_PROPERTIES:
        return E_NOTIMPL;
    case OLEIVERB_DISCARDUNDOSTATE:
        return S_OK;
    default:
        if (verb > 0) {
            // A verb the control does not have: do the primary one.
            HRESULT hr = activateInPlace(true, position);
            return FAILED(hr) ? hr : OLEOBJ_S_INVALIDVERB;
        }
        return E_NOTIMPL;
    }
}

HRESULT STDMETHODCALLTYPE Quendar::EnumVerbs(IEnumOLEVERB** verbs)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (verbs == nullptr) return E_POINTER;
    *verbs = nullptr;
    // The registration names no verbs; whatever the registry's answer to
    // that, the container learns that there are none.
    HRESULT hr = OleRegEnumVerbs(CLSID_Quendar, verbs);
    return SUCCEEDED(hr) ? hr : OLEOBJ_E_NOVERBS;
}

HRESULT STDMETHODCALLTYPE Quendar::Update()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::IsUpToDate()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetUserClassID(CLSID* clsid)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (clsid == nullptr) return E_POINTER;
    *clsid = CLSID_Quendar;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetUserType(DWORD form, LPOLESTR* text)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (text == nullptr) return E_POINTER;
    return OleRegGetUserType(CLSID_Quendar, form, text);
}

void Quendar::setExtent(const SIZEL& size)
{
    if (size.cx == extent_.cx && size.cy == extent_.cy) return;
    extent_ = size;
    dirty_ = true;
    viewChanged();
}

HRESULT STDMETHODCALLTYPE Quendar::SetExtent(DWORD aspect, SIZEL* size)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (size == nullptr) return E_POINTER;
    if (size->cx < 0 || size->cy < 0) return E_INVALIDARG;
    setExtent(*size);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetExtent(DWORD aspect, SIZEL* size)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (size == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *size = extent_;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::Advise(IAdviseSink* sink, DWORD* connection)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (connection == nullptr) return E_POINTER;
    *connection = 0;
    if (!adviseHolder_) {
        HRESULT hr = CreateOleAdviseHolder(adviseHolder_.put());
        if (FAILED(hr)) return hr;
    }
    return adviseHolder_->Advise(sink, connection);
}

HRESULT STDMETHODCALLTYPE Quendar::Unadvise(DWORD connection)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (!adviseHolder_) return OLE_E_NOCONNECTION;
    return adviseHolder_->Unadvise(connection);
}

HRESULT STDMETHODCALLTYPE Quendar::EnumAdvise(IEnumSTATDATA** advises)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (advises == nullptr) return E_POINTER;
    *advises = nullptr;
    if (!adviseHolder_) return S_OK;
    return adviseHolder_->EnumAdvise(advises);
}

HRESULT STDMETHODCALLTYPE Quendar::GetMiscStatus(DWORD aspect, DWORD* status)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (status == nullptr) return E_POINTER;
    if (aspect == DVASPECT_CONTENT) {
        *status = miscStatus;
        return S_OK;
    }
    return OleRegGetMiscStatus(CLSID_Quendar, aspect, status);
}

HRESULT STDMETHODCALLTYPE Quendar::SetColorScheme(LOGPALETTE*)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return E_NOTIMPL;
}

// ---- IOleControl ----

HRESULT STDMETHODCALLTYPE Quendar::GetControlInfo(CONTROLINFO* info)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (info == nullptr) return E_POINTER;
    // No mnemonics, no accelerators.
    info->hAccel = nullptr;
    info->cAccel = 0;
    info->dwFlags = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::OnMnemonic(MSG*)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::OnAmbientPropertyChange(DISPID)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::FreezeEvents(BOOL freeze)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    // The control fires no events; the count is kept for symmetry only.
    if (freeze)
        ++frozenEvents_;
    else if (frozenEvents_ > 0)
        --frozenEvents_;
    return S_OK;
}

// ---- IViewObject, IViewObject2, IViewObjectEx ----

HRESULT STDMETHODCALLTYPE Quendar::Draw(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC, HDC dc, LPCRECTL bounds,
                                        LPCRECTL, BOOL(STDMETHODCALLTYPE*)(ULONG_PTR), ULONG_PTR)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    if (dc == nullptr) return E_INVALIDARG;
    RECT area;
    if (bounds != nullptr)
        area = toRect(*bounds);
    else if (inPlaceActive_ && windowlessSite_)
        // A windowless control draws where the site placed it.
        area = position_;
    else
        return E_INVALIDARG;
    return onDraw(dc, area);
}

HRESULT STDMETHODCALLTYPE Quendar::GetColorSet(DWORD aspect, LONG, void*, DVTARGETDEVICE*, HDC,
                                               LOGPALETTE** colors)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (colors == nullptr) return E_POINTER;
    *colors = nullptr;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    return S_FALSE;  // no palette of its own
}

HRESULT STDMETHODCALLTYPE Quendar::Freeze(DWORD, LONG, void*, DWORD* cookie)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (cookie != nullptr) *cookie = 0;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::Unfreeze(DWORD)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE Quendar::SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    viewSink_ = ComLayer::ComPtr<IAdviseSink>(sink);
    viewAspects_ = sink != nullptr ? aspects : 0;
    viewFlags_ = sink != nullptr ? flags : 0;
    if (sink != nullptr && (flags & ADVF_PRIMEFIRST) != 0) viewChanged();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (aspects != nullptr) *aspects = viewAspects_;
    if (flags != nullptr) *flags = viewFlags_;
    if (sink != nullptr) {
        *sink = viewSink_.get();
        if (*sink != nullptr) (*sink)->AddRef();
    }
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetExtent(DWORD aspect, LONG, DVTARGETDEVICE*, LPSIZEL size)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return GetExtent(aspect, size);
}

HRESULT STDMETHODCALLTYPE Quendar::GetRect(DWORD aspect, LPRECTL rect)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (rect == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    rect->left = 0;
    rect->top = 0;
    rect->right = extent_.cx;
    rect->bottom = extent_.cy;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetViewStatus(DWORD* status)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (status == nullptr) return E_POINTER;
    // The box is filled with whatever brush the drawing context holds,
    // which may be hollow: neither opaque nor of a solid background.
    *status = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG,
                                                 DWORD* hit)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (hit == nullptr || bounds == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    *hit = contains(*bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG,
                                                DWORD* hit)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (hit == nullptr || bounds == nullptr || location == nullptr) return E_POINTER;
    if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
    RECT common;
    *hit = IntersectRect(&common, bounds, location) ? HITRESULT_HIT : HITRESULT_OUTSIDE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetNaturalExtent(DWORD, LONG, DVTARGETDEVICE*, HDC, DVEXTENTINFO*, LPSIZEL)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return E_NOTIMPL;
}

// ---- persistence ----

HRESULT STDMETHODCALLTYPE Quendar::GetClassID(CLSID* clsid)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (clsid == nullptr) return E_POINTER;
    *clsid = CLSID_Quendar;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::IsDirty()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return dirty_ ? S_OK : S_FALSE;
}

HRESULT STDMETHODCALLTYPE Quendar::InitNew()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    extent_.cx = defaultWidth;
    extent_.cy = defaultHeight;
    dirty_ = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::Load(LPSTREAM stream)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (stream == nullptr) return E_POINTER;
    PersistedState state;
    ULONG read = 0;
    HRESULT hr = stream->Read(&state, QD_STATE_SIZE, &read);
    if (FAILED(hr)) return hr;
    // Take nothing from a state that is short or of another format.
    if (read != QD_STATE_SIZE) return STG_E_READFAULT;
    if (state.format != QD_STATE_FORMAT || state.width < 0 || state.height < 0) return E_FAIL;
    extent_.cx = state.width;
    extent_.cy = state.height;
    dirty_ = false;
    viewChanged();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::Save(LPSTREAM stream, BOOL clearDirty)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (stream == nullptr) return E_POINTER;
    PersistedState state = {QD_STATE_FORMAT, extent_.cx, extent_.cy};
    ULONG written = 0;
    HRESULT hr = stream->Write(&state, QD_STATE_SIZE, &written);
    if (FAILED(hr)) return hr;
    if (written != QD_STATE_SIZE) return STG_E_WRITEFAULT;
    if (clearDirty) dirty_ = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::GetSizeMax(ULARGE_INTEGER* size)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (size == nullptr) return E_POINTER;
    size->QuadPart = QD_STATE_SIZE;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::Load(IPropertyBag* bag, IErrorLog* log)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (bag == nullptr) return E_POINTER;
    SIZEL loaded = {defaultWidth, defaultHeight};
    const wchar_t* const names[2] = {QD_PROPERTY_WIDTH, QD_PROPERTY_HEIGHT};
    LONG* const targets[2] = {&loaded.cx, &loaded.cy};
    for (int i = 0; i < 2; ++i) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        HRESULT hr = bag->Read(names[i], &value, log);
        // A property the bag does not have keeps its default.
        if (FAILED(hr)) continue;
        hr = VariantChangeType(&value, &value, 0, VT_I4);
        if (FAILED(hr) || value.lVal < 0) {
            VariantClear(&value);
            return FAILED(hr) ? hr : E_INVALIDARG;
        }
        *targets[i] = value.lVal;
        VariantClear(&value);
    }
    extent_ = loaded;
    dirty_ = false;
    viewChanged();
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::Save(IPropertyBag* bag, BOOL clearDirty, BOOL)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (bag == nullptr) return E_POINTER;
    const wchar_t* const names[2] = {QD_PROPERTY_WIDTH, QD_PROPERTY_HEIGHT};
    const LONG values[2] = {extent_.cx, extent_.cy};
    for (int i = 0; i < 2; ++i) {
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_I4;
        value.lVal = values[i];
        HRESULT hr = bag->Write(names[i], &value);
        if (FAILED(hr)) return hr;
    }
    if (clearDirty) dirty_ = false;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::InitNew(IStorage* storage)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (storage == nullptr) return E_POINTER;
    return InitNew();
}

HRESULT STDMETHODCALLTYPE Quendar::Load(IStorage* storage)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (storage == nullptr) return E_POINTER;
    ComLayer::ComPtr<IStream> stream;
    HRESULT hr = storage->OpenStream(QD_STORAGE_STREAM, nullptr, STGM_READ | STGM_SHARE_EXCLUSIVE, 0,
                                     stream.put());
    if (FAILED(hr)) return hr;
    return Load(stream.get());
}

HRESULT STDMETHODCALLTYPE Quendar::Save(IStorage* storage, BOOL)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (storage == nullptr) return E_POINTER;
    ComLayer::ComPtr<IStream> stream;
    HRESULT hr = storage->CreateStream(QD_STORAGE_STREAM, STGM_CREATE | STGM_WRITE | STGM_SHARE_EXCLUSIVE, 0, 0,
                                       stream.put());
    if (FAILED(hr)) return hr;
    return Save(stream.get(), TRUE);
}

HRESULT STDMETHODCALLTYPE Quendar::SaveCompleted(IStorage*)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::HandsOffStorage()
{
    const ComLayer::FloatingPointGuard floatingPoint;
    // The control keeps no storage between calls.
    return S_OK;
}

// ---- IQuickActivate ----

HRESULT STDMETHODCALLTYPE Quendar::QuickActivate(QACONTAINER* container, QACONTROL* control)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    if (container == nullptr || control == nullptr) return E_POINTER;
    // The fields read and written here are those of the first layout.
    if (container->cbSize < offsetof(QACONTAINER, pPropertyNotifySink) || control->cbSize < sizeof(QACONTROL))
        return E_INVALIDARG;
    SetClientSite(container->pClientSite);
    if (container->pAdviseSink != nullptr) SetAdvise(DVASPECT_CONTENT, 0, container->pAdviseSink);
    control->dwMiscStatus = miscStatus;
    GetViewStatus(&control->dwViewStatus);
    control->dwEventCookie = 0;
    control->dwPropNotifyCookie = 0;
    control->dwPointerActivationPolicy = 0;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE Quendar::SetContentExtent(LPSIZEL size)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return SetExtent(DVASPECT_CONTENT, size);
}

HRESULT STDMETHODCALLTYPE Quendar::GetContentExtent(LPSIZEL size)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return GetExtent(DVASPECT_CONTENT, size);
}
