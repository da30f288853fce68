// A small in-process container: a client site that can host the control
// windowless (or only in a window), an in-place frame and an advise sink,
// each recording the calls it receives and counting its references. The
// control goes through site, extent, advise, activation, UI activation,
// deactivation, close and teardown, and every reference count comes back
// to where it started.
#include "ControlTestSupport.h"

#include <string>
#include <vector>

namespace {

typedef std::vector<std::string> CallLog;

// IOleWindow, IOleInPlaceUIWindow and IOleInPlaceFrame of the container.
class Frame : public IOleInPlaceFrame {
public:
    explicit Frame(CallLog& log) : log_(log) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleWindow) ||
            IsEqualIID(iid, IID_IOleInPlaceUIWindow) || IsEqualIID(iid, IID_IOleInPlaceFrame)) {
            *result = static_cast<IOleInPlaceFrame*>(this);
            AddRef();
            return S_OK;
        }
        *result = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        *window = nullptr;
        return E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* object, LPCOLESTR) override
    {
        log_.push_back(object ? "frame.SetActiveObject(control)" : "frame.SetActiveObject(null)");
        if (object) object->AddRef();
        if (active) active->Release();
        active = object;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    ULONG refs = 1;
    IOleInPlaceActiveObject* active = nullptr;

private:
    CallLog& log_;
};

// The client site. Windowless: it offers IOleInPlaceSiteWindowless and
// lets the control activate without a window; otherwise only
// IOleInPlaceSite, with `window` as the parent.
class Site : public IOleClientSite, public IOleInPlaceSiteWindowless, public IAdviseSinkEx {
public:
    Site(bool windowless, HWND window) : frame(log), windowless_(windowless), window_(window) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** result) override
    {
        *result = nullptr;
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IOleClientSite))
            *result = static_cast<IOleClientSite*>(this);
        else if (IsEqualIID(iid, IID_IOleWindow) || IsEqualIID(iid, IID_IOleInPlaceSite))
            *result = static_cast<IOleInPlaceSite*>(this);
        else if (windowless_ && (IsEqualIID(iid, IID_IOleInPlaceSiteEx) ||
                                 IsEqualIID(iid, IID_IOleInPlaceSiteWindowless)))
            *result = static_cast<IOleInPlaceSiteWindowless*>(this);
        else if (IsEqualIID(iid, IID_IAdviseSink) || IsEqualIID(iid, IID_IAdviseSinkEx))
            *result = static_cast<IAdviseSinkEx*>(this);
        if (*result == nullptr) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }

    // IOleClientSite
    HRESULT STDMETHODCALLTYPE SaveObject() override { return note("SaveObject", S_OK); }
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override
    {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    HRESULT STDMETHODCALLTYPE ShowObject() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override
    {
        *window = window_;
        return window_ ? S_OK : E_FAIL;
    }
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override { return note("CanInPlaceActivate", S_OK); }
    HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override { return note("OnInPlaceActivate", S_OK); }
    HRESULT STDMETHODCALLTYPE OnUIActivate() override { return note("OnUIActivate", S_OK); }
    HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frameOut, IOleInPlaceUIWindow** document,
                                               LPRECT position, LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        log.push_back("GetWindowContext");
        frame.AddRef();
        *frameOut = &frame;
        *document = nullptr;
        *position = placement;
        *clip = placement;
        info->fMDIApp = FALSE;
        info->hwndFrame = window_;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Scroll(SIZE) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL) override { return note("OnUIDeactivate", S_OK); }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override { return note("OnInPlaceDeactivate", S_OK); }
    HRESULT STDMETHODCALLTYPE DiscardUndoState() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceSiteEx
    HRESULT STDMETHODCALLTYPE OnInPlaceActivateEx(BOOL* noRedraw, DWORD flags) override
    {
        if (noRedraw) *noRedraw = FALSE;
        return note(flags & ACTIVATE_WINDOWLESS ? "OnInPlaceActivateEx(windowless)" : "OnInPlaceActivateEx", S_OK);
    }
    HRESULT STDMETHODCALLTYPE OnInPlaceDeactivateEx(BOOL) override { return note("OnInPlaceDeactivateEx", S_OK); }
    HRESULT STDMETHODCALLTYPE RequestUIActivate() override { return S_OK; }

    // IOleInPlaceSiteWindowless
    HRESULT STDMETHODCALLTYPE CanWindowlessActivate() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetCapture() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetCapture(BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetFocus() override { return S_FALSE; }
    HRESULT STDMETHODCALLTYPE SetFocus(BOOL focus) override { return note(focus ? "SetFocus(on)" : "SetFocus(off)", S_OK); }
    HRESULT STDMETHODCALLTYPE GetDC(LPCRECT, DWORD, HDC* dc) override
    {
        *dc = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE ReleaseDC(HDC) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE InvalidateRect(LPCRECT, BOOL) override
    {
        ++invalidated;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE InvalidateRgn(HRGN, BOOL) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ScrollRect(INT, INT, LPCRECT, LPCRECT) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE AdjustRect(LPRECT) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDefWindowMessage(UINT, WPARAM, LPARAM, LRESULT* result) override
    {
        *result = 0;
        return S_OK;
    }

    // IAdviseSink, IAdviseSinkEx
    void STDMETHODCALLTYPE OnDataChange(FORMATETC*, STGMEDIUM*) override {}
    void STDMETHODCALLTYPE OnViewChange(DWORD, LONG) override { ++viewChanges; }
    void STDMETHODCALLTYPE OnRename(IMoniker*) override {}
    void STDMETHODCALLTYPE OnSave() override {}
    void STDMETHODCALLTYPE OnClose() override { log.push_back("OnClose"); }
    void STDMETHODCALLTYPE OnViewStatusChange(DWORD) override {}

    int count(const std::string& call) const
    {
        int n = 0;
        for (const std::string& entry : log) n += entry == call;
        return n;
    }

    CallLog log;
    Frame frame;
    ULONG refs = 1;
    RECT placement = {20, 10, 140, 60};
    int invalidated = 0;
    int viewChanges = 0;

private:
    HRESULT note(const char* call, HRESULT result)
    {
        log.push_back(call);
        return result;
    }

    bool windowless_;
    HWND window_;
};

int inkAt(HDC dc, int x, int y)
{
    return GetPixel(dc, x, y) == RGB(0, 0, 0);
}

} // namespace

class ControlContainerTest : public ControlTest {};

TEST_F(ControlContainerTest, WindowlessLifeInAContainer)
{
    Site site(true, nullptr);
    Ref<IQuendar> control;
    createControl(control);
    Ref<IOleObject> object;
    query(control.get(), IID_IOleObject, object);
    const ULONG controlRefs = refsOf(object.get());

    DWORD status = 0;
    EXPECT_EQ(S_OK, object->GetMiscStatus(DVASPECT_CONTENT, &status));
    EXPECT_EQ(132497u, status);
    CLSID clsid = GUID_NULL;
    EXPECT_EQ(S_OK, object->GetUserClassID(&clsid));
    EXPECT_TRUE(IsEqualGUID(CLSID_Quendar, clsid));

    // Site, extent and the two advise connections.
    ASSERT_EQ(S_OK, object->SetClientSite(&site));
    Ref<IOleClientSite> got;
    ASSERT_EQ(S_OK, object->GetClientSite(got.put()));
    EXPECT_EQ(static_cast<IOleClientSite*>(&site), got.get());
    got.reset();
    SIZEL extent = {3000, 1500};
    EXPECT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_EQ(DV_E_DVASPECT, object->SetExtent(DVASPECT_ICON, &extent));
    SIZEL read = {};
    EXPECT_EQ(S_OK, object->GetExtent(DVASPECT_CONTENT, &read));
    EXPECT_EQ(3000, read.cx);
    EXPECT_EQ(1500, read.cy);
    Ref<IViewObjectEx> view;
    query(control.get(), IID_IViewObjectEx, view);
    read = SIZEL{};
    EXPECT_EQ(S_OK, view->GetExtent(DVASPECT_CONTENT, -1, nullptr, &read));
    EXPECT_EQ(3000, read.cx);
    DWORD cookie = 0;
    ASSERT_EQ(S_OK, object->Advise(static_cast<IAdviseSinkEx*>(&site), &cookie));
    ASSERT_EQ(S_OK, view->SetAdvise(DVASPECT_CONTENT, 0, static_cast<IAdviseSinkEx*>(&site)));
    extent.cx = 3100;
    EXPECT_EQ(S_OK, object->SetExtent(DVASPECT_CONTENT, &extent));
    EXPECT_EQ(1, site.viewChanges);

    // In-place activation, windowless.
    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, nullptr, nullptr));
    EXPECT_EQ(1, site.count("CanInPlaceActivate"));
    EXPECT_EQ(1, site.count("OnInPlaceActivateEx(windowless)"));
    EXPECT_EQ(0, site.count("OnUIActivate"));
    Ref<IOleInPlaceObject> inPlace;
    query(control.get(), IID_IOleInPlaceObject, inPlace);
    HWND window = reinterpret_cast<HWND>(1);
    EXPECT_EQ(E_FAIL, inPlace->GetWindow(&window));
    EXPECT_EQ(nullptr, window);
    EXPECT_GT(site.invalidated, 0);

    // Drawn without bounds: at the place the site gave it.
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 160, 80);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 160, 80};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ASSERT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr, nullptr, 0));
    EXPECT_TRUE(inkAt(dc, 20, 10) && inkAt(dc, 139, 59) && inkAt(dc, 80, 10) && inkAt(dc, 20, 35));
    EXPECT_FALSE(inkAt(dc, 19, 10) || inkAt(dc, 140, 59) || inkAt(dc, 80, 9) || inkAt(dc, 80, 60));
    // Moved by the container.
    const RECT moved = {0, 0, 100, 40};
    EXPECT_EQ(S_OK, inPlace->SetObjectRects(&moved, &moved));
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ASSERT_EQ(S_OK, view->Draw(DVASPECT_CONTENT, -1, nullptr, nullptr, nullptr, dc, nullptr, nullptr, nullptr, 0));
    EXPECT_TRUE(inkAt(dc, 0, 0) && inkAt(dc, 99, 39));
    EXPECT_FALSE(inkAt(dc, 139, 59));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);

    // UI activation makes the control the frame's active object.
    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, nullptr, nullptr));
    EXPECT_EQ(1, site.count("OnUIActivate"));
    EXPECT_EQ(1, site.count("frame.SetActiveObject(control)"));
    EXPECT_NE(nullptr, site.frame.active);
    EXPECT_EQ(1, site.count("CanInPlaceActivate"));  // already in place
    // Activating again changes nothing.
    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_PRIMARY, nullptr, &site, 0, nullptr, nullptr));
    EXPECT_EQ(1, site.count("OnUIActivate"));

    ASSERT_EQ(S_OK, inPlace->UIDeactivate());
    EXPECT_EQ(1, site.count("frame.SetActiveObject(null)"));
    EXPECT_EQ(1, site.count("OnUIDeactivate"));
    EXPECT_EQ(nullptr, site.frame.active);
    ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, nullptr, nullptr));
    EXPECT_EQ(2, site.count("OnUIActivate"));

    // Close deactivates everything and tells the advise sink.
    ASSERT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
    EXPECT_EQ(2, site.count("OnUIDeactivate"));
    EXPECT_EQ(1, site.count("OnInPlaceDeactivateEx"));
    EXPECT_EQ(1, site.count("OnClose"));
    EXPECT_EQ(0, site.count("SaveObject"));
    EXPECT_EQ(nullptr, site.frame.active);
    EXPECT_EQ(S_OK, inPlace->InPlaceDeactivate());
    EXPECT_EQ(1, site.count("OnInPlaceDeactivateEx"));

    // Teardown: every reference goes back.
    EXPECT_EQ(S_OK, object->Unadvise(cookie));
    EXPECT_EQ(S_OK, view->SetAdvise(DVASPECT_CONTENT, 0, nullptr));
    EXPECT_EQ(S_OK, object->SetClientSite(nullptr));
    EXPECT_EQ(1u, site.refs);
    EXPECT_EQ(1u, site.frame.refs);
    inPlace.reset();
    view.reset();
    EXPECT_EQ(controlRefs, refsOf(object.get()));
}

// A container released while the control is still active in place: the
// control lets go of the site, the frame and itself.
TEST_F(ControlContainerTest, ReleasedWhileActive)
{
    Site site(true, nullptr);
    {
        Ref<IOleObject> object;
        create(CLSID_Quendar, IID_IOleObject, object);
        ASSERT_EQ(S_OK, object->SetClientSite(&site));
        ASSERT_EQ(S_OK, object->DoVerb(OLEIVERB_UIACTIVATE, nullptr, &site, 0, nullptr, nullptr));
        EXPECT_GT(site.refs, 1u);
        // The protocol: close, then drop the site.
        ASSERT_EQ(S_OK, object->Close(OLECLOSE_SAVEIFDIRTY));
        ASSERT_EQ(S_OK, object->SetClientSite(nullptr));
    }
    EXPECT_EQ(1u, site.refs);
    EXPECT_EQ(1u, site.frame.refs);
    EXPECT_EQ(1, site.count("OnInPlaceDeactivateEx"));
}

// A site that only offers a window: the control makes a child window of
// it. Without a display the parent is a message-only window, under which a
// child may not be creatable; either way activation and deactivation stay
// paired and nothing is left behind.
TEST_F(ControlContainerTest, WindowedSite)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuendarTestParent";
    RegisterClassW(&wc);
    HWND parent = CreateWindowExW(0, wc.lpszClassName, L"parent", 0, 0, 0, 300, 200, HWND_MESSAGE, nullptr,
                                  wc.hInstance, nullptr);
    ASSERT_NE(nullptr, parent);
    Site site(false, parent);
    {
        Ref<IOleObject> object;
        create(CLSID_Quendar, IID_IOleObject, object);
        ASSERT_EQ(S_OK, object->SetClientSite(&site));
        const HRESULT hr = object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, &site, 0, parent, nullptr);
        Ref<IOleInPlaceObject> inPlace;
        query(object.get(), IID_IOleInPlaceObject, inPlace);
        HWND window = nullptr;
        if (SUCCEEDED(hr)) {
            ASSERT_EQ(S_OK, inPlace->GetWindow(&window));
            EXPECT_EQ(parent, GetParent(window));
            RECT r;
            GetWindowRect(window, &r);
            EXPECT_EQ(site.placement.right - site.placement.left, r.right - r.left);
            EXPECT_EQ(S_OK, inPlace->InPlaceDeactivate());
            EXPECT_FALSE(IsWindow(window));
        } else {
            EXPECT_EQ(E_FAIL, inPlace->GetWindow(&window));
        }
        EXPECT_EQ(1, site.count("OnInPlaceActivate"));
        EXPECT_EQ(1, site.count("OnInPlaceDeactivate"));
        EXPECT_EQ(0, site.count("OnInPlaceActivateEx(windowless)"));
        ASSERT_EQ(S_OK, object->Close(OLECLOSE_NOSAVE));
        ASSERT_EQ(S_OK, object->SetClientSite(nullptr));
    }
    EXPECT_EQ(1u, site.refs);
    EXPECT_EQ(1u, site.frame.refs);
    DestroyWindow(parent);
    UnregisterClassW(wc.lpszClassName, wc.hInstance);
}

TEST_F(ControlContainerTest, ActivationNeedsASite)
{
    Ref<IOleObject> object;
    create(CLSID_Quendar, IID_IOleObject, object);
    EXPECT_EQ(E_UNEXPECTED, object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, nullptr, 0, nullptr, nullptr));
    EXPECT_EQ(E_NOTIMPL, object->DoVerb(OLEIVERB_OPEN, nullptr, nullptr, 0, nullptr, nullptr));
}

TEST_F(ControlContainerTest, QuickActivation)
{
    Site site(true, nullptr);
    {
        Ref<IQuickActivate> quick;
        create(CLSID_Quendar, IID_IQuickActivate, quick);
        QACONTAINER container = {};
        container.cbSize = sizeof container;
        container.pClientSite = &site;
        container.pAdviseSink = &site;
        QACONTROL control = {};
        control.cbSize = sizeof control;
        ASSERT_EQ(S_OK, quick->QuickActivate(&container, &control));
        EXPECT_EQ(132497u, control.dwMiscStatus);
        SIZEL size = {500, 250};
        EXPECT_EQ(S_OK, quick->SetContentExtent(&size));
        EXPECT_EQ(1, site.viewChanges);
        size = SIZEL{};
        EXPECT_EQ(S_OK, quick->GetContentExtent(&size));
        EXPECT_EQ(500, size.cx);
        EXPECT_EQ(250, size.cy);
        Ref<IOleObject> object;
        query(quick.get(), IID_IOleObject, object);
        Ref<IOleClientSite> got;
        ASSERT_EQ(S_OK, object->GetClientSite(got.put()));
        EXPECT_EQ(static_cast<IOleClientSite*>(&site), got.get());
        control.cbSize = 4;
        EXPECT_EQ(E_INVALIDARG, quick->QuickActivate(&container, &control));
    }
    // Released without the usual teardown: the control drops what it held.
    EXPECT_EQ(1u, site.refs);
}

// What the control answers from its registration.
TEST_F(ControlContainerTest, RegisteredTypeAndStatus)
{
    Ref<IOleObject> object;
    create(CLSID_Quendar, IID_IOleObject, object);
    LPOLESTR type = nullptr;
    ASSERT_EQ(S_OK, object->GetUserType(USERCLASSTYPE_FULL, &type));
    EXPECT_STREQ(L"Quendar Class", type);
    CoTaskMemFree(type);
    DWORD status = 1;
    EXPECT_EQ(S_OK, object->GetMiscStatus(DVASPECT_ICON, &status));
    EXPECT_EQ(0u, status);  // the registered default for the other aspects
    Ref<IEnumOLEVERB> verbs;
    EXPECT_EQ(OLEOBJ_E_NOVERBS, object->EnumVerbs(verbs.put()));
}
