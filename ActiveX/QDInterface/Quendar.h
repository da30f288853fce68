// Quendar: the control. A container places it on a form or document; it
// owns one matrix for its whole life, draws a plain box with its name, and
// hands out a MatrixX on that matrix through which the container runs every
// computation.
//
// Its OLE control side is written here: IOleObject (client site, extent,
// verbs, advise holder), IOleControl, in-place activation in a window of
// its own or windowless (IOleInPlaceObjectWindowless,
// IOleInPlaceActiveObject), drawing (IViewObjectEx), persistence of the
// extent (IPersistStreamInit, IPersistPropertyBag, IPersistStorage) and
// IQuickActivate. The matrix's data is not persisted.
#ifndef QD_QDINTERFACE_QUENDAR_H
#define QD_QDINTERFACE_QUENDAR_H

#include "AutomationFrame.h"
#include "QDInterfaceMembers.h"

#include <ocidl.h>
#include <oleidl.h>

#include <cstdint>
#include <memory>

namespace qd {
class ControlMatrix;
}
class MatrixX;

class Quendar : public AutomationClass<Quendar, IQuendarMembers, IQuendar>,
                public IOleObject,
                public IOleControl,
                public IOleInPlaceObjectWindowless,
                public IOleInPlaceActiveObject,
                public IViewObjectEx,
                public IPersistStreamInit,
                public IPersistPropertyBag,
                public IPersistStorage,
                public IQuickActivate {
public:
    static const ClassIdentity identity;
    // The registered status of the content aspect.
    static const DWORD miscStatus = 132497;
    // The flags of the text: centred horizontally and vertically on one line.
    static const UINT textFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    // The extent of a new control in HIMETRIC: an inch wide, half an inch high.
    static const LONG defaultWidth = 2540;
    static const LONG defaultHeight = 1270;

    Quendar();
    ~Quendar() override;

    QD_DELEGATING_IUNKNOWN
    const ComLayer::InterfaceEntry* interfaceTable() const override;

    // Draws the box and the name into dc on bounds.
    HRESULT onDraw(HDC dc, const RECT& bounds);

    // ---- IQuendar ----
    HRESULT STDMETHODCALLTYPE get_Matrix(IMatrixX** result) override;
    HRESULT STDMETHODCALLTYPE AddObservation(LONG seriesNumber, double value, BSTR description,
                                             short originType) override;
    HRESULT STDMETHODCALLTYPE get_DetailLevel(short* result) override;
    HRESULT STDMETHODCALLTYPE put_DetailLevel(short value) override;
    HRESULT STDMETHODCALLTYPE get_Value(LONG seriesIndex, LONG observationIndex, double* result) override;
    HRESULT STDMETHODCALLTYPE put_Value(LONG seriesIndex, LONG observationIndex, double value) override;

    // ---- IOleObject ----
    HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
    HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
    HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR application, LPCOLESTR object) override;
    HRESULT STDMETHODCALLTYPE Close(DWORD saveOption) override;
    HRESULT STDMETHODCALLTYPE SetMoniker(DWORD which, IMoniker* moniker) override;
    HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
    HRESULT STDMETHODCALLTYPE InitFromData(IDataObject* data, BOOL creation, DWORD reserved) override;
    HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD reserved, IDataObject** data) override;
    HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG message, IOleClientSite* activeSite, LONG index,
                                     HWND parent, LPCRECT position) override;
    HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB** verbs) override;
    HRESULT STDMETHODCALLTYPE Update() override;
    HRESULT STDMETHODCALLTYPE IsUpToDate() override;
    HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE GetUserType(DWORD form, LPOLESTR* text) override;
    HRESULT STDMETHODCALLTYPE SetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, SIZEL* size) override;
    HRESULT STDMETHODCALLTYPE Advise(IAdviseSink* sink, DWORD* connection) override;
    HRESULT STDMETHODCALLTYPE Unadvise(DWORD connection) override;
    HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA** advises) override;
    HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD aspect, DWORD* status) override;
    HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE* palette) override;

    // ---- IOleControl ----
    HRESULT STDMETHODCALLTYPE GetControlInfo(CONTROLINFO* info) override;
    HRESULT STDMETHODCALLTYPE OnMnemonic(MSG* message) override;
    HRESULT STDMETHODCALLTYPE OnAmbientPropertyChange(DISPID id) override;
    HRESULT STDMETHODCALLTYPE FreezeEvents(BOOL freeze) override;

    // ---- IOleWindow, IOleInPlaceObject(Windowless), IOleInPlaceActiveObject ----
    HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
    HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
    HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
    HRESULT STDMETHODCALLTYPE UIDeactivate() override;
    HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
    HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
    HRESULT STDMETHODCALLTYPE OnWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                              LRESULT* result) override;
    HRESULT STDMETHODCALLTYPE GetDropTarget(IDropTarget** target) override;
    HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG message) override;
    HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL activate) override;
    HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT border, IOleInPlaceUIWindow* window, BOOL frame) override;
    HRESULT STDMETHODCALLTYPE EnableModeless(BOOL enable) override;

    // ---- IViewObject, IViewObject2, IViewObjectEx ----
    HRESULT STDMETHODCALLTYPE Draw(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target,
                                   HDC targetDc, HDC dc, LPCRECTL bounds, LPCRECTL metafileBounds,
                                   BOOL(STDMETHODCALLTYPE* keepGoing)(ULONG_PTR), ULONG_PTR argument) override;
    HRESULT STDMETHODCALLTYPE GetColorSet(DWORD aspect, LONG index, void* aspectInfo, DVTARGETDEVICE* target,
                                          HDC targetDc, LOGPALETTE** colors) override;
    HRESULT STDMETHODCALLTYPE Freeze(DWORD aspect, LONG index, void* aspectInfo, DWORD* cookie) override;
    HRESULT STDMETHODCALLTYPE Unfreeze(DWORD cookie) override;
    HRESULT STDMETHODCALLTYPE SetAdvise(DWORD aspects, DWORD flags, IAdviseSink* sink) override;
    HRESULT STDMETHODCALLTYPE GetAdvise(DWORD* aspects, DWORD* flags, IAdviseSink** sink) override;
    HRESULT STDMETHODCALLTYPE GetExtent(DWORD aspect, LONG index, DVTARGETDEVICE* target, LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetRect(DWORD aspect, LPRECTL rect) override;
    HRESULT STDMETHODCALLTYPE GetViewStatus(DWORD* status) override;
    HRESULT STDMETHODCALLTYPE QueryHitPoint(DWORD aspect, LPCRECT bounds, POINT location, LONG closeHint,
                                            DWORD* hit) override;
    HRESULT STDMETHODCALLTYPE QueryHitRect(DWORD aspect, LPCRECT bounds, LPCRECT location, LONG closeHint,
                                           DWORD* hit) override;
    HRESULT STDMETHODCALLTYPE GetNaturalExtent(DWORD aspect, LONG index, DVTARGETDEVICE* target, HDC targetDc,
                                               DVEXTENTINFO* info, LPSIZEL size) override;

    // ---- IPersist, IPersistStreamInit, IPersistPropertyBag, IPersistStorage ----
    HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE IsDirty() override;
    HRESULT STDMETHODCALLTYPE Load(LPSTREAM stream) override;
    HRESULT STDMETHODCALLTYPE Save(LPSTREAM stream, BOOL clearDirty) override;
    HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER* size) override;
    HRESULT STDMETHODCALLTYPE InitNew() override;
    HRESULT STDMETHODCALLTYPE Load(IPropertyBag* bag, IErrorLog* log) override;
    HRESULT STDMETHODCALLTYPE Save(IPropertyBag* bag, BOOL clearDirty, BOOL saveAll) override;
    HRESULT STDMETHODCALLTYPE InitNew(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Load(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE Save(IStorage* storage, BOOL sameAsLoad) override;
    HRESULT STDMETHODCALLTYPE SaveCompleted(IStorage* storage) override;
    HRESULT STDMETHODCALLTYPE HandsOffStorage() override;

    // ---- IQuickActivate ----
    HRESULT STDMETHODCALLTYPE QuickActivate(QACONTAINER* container, QACONTROL* control) override;
    HRESULT STDMETHODCALLTYPE SetContentExtent(LPSIZEL size) override;
    HRESULT STDMETHODCALLTYPE GetContentExtent(LPSIZEL size) override;

private:
    // In-place activation (uiActivate: also UI activation) on the site.
    HRESULT activateInPlace(bool uiActivate, LPCRECT position);
    HRESULT createWindow(HWND parent);
    void destroyWindow();
    void dropInPlaceSite();
    // Asks whoever shows the control to draw it again.
    void invalidate();
    void viewChanged();
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    qd::ControlMatrix& holder(std::int32_t line);
    void setExtent(const SIZEL& size);

    // The control's data: shared with every MatrixX handed out for it, so
    // that one a script still holds outlives the control safely.
    std::shared_ptr<qd::ControlMatrix> holder_;
    ComLayer::ComPtr<MatrixX> matrixObject_;

    // OLE state.
    ComLayer::ComPtr<IOleClientSite> clientSite_;
    ComLayer::ComPtr<IOleAdviseHolder> adviseHolder_;
    ComLayer::ComPtr<IAdviseSink> viewSink_;
    DWORD viewAspects_ = 0;
    DWORD viewFlags_ = 0;
    SIZEL extent_;  // HIMETRIC
    bool dirty_ = false;
    LONG frozenEvents_ = 0;

    ComLayer::ComPtr<IOleInPlaceSite> inPlaceSite_;
    ComLayer::ComPtr<IOleInPlaceSiteEx> inPlaceSiteEx_;         // when the site has it
    ComLayer::ComPtr<IOleInPlaceSiteWindowless> windowlessSite_;  // when active windowless
    ComLayer::ComPtr<IOleInPlaceFrame> frame_;
    ComLayer::ComPtr<IOleInPlaceUIWindow> document_;
    bool inPlaceActive_ = false;
    bool uiActive_ = false;
    HWND window_ = nullptr;
    RECT position_ = {0, 0, 0, 0};
};

#endif
