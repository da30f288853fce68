// Quendar: the automation members, the drawing and the interface table.
// The OLE control side is in QuendarOle.cpp.
#include "Quendar.h"

#include "MatrixX.h"
#include "ModuleAllocation.h"
#include "SeriesGrowth.h"
#include "StringTransfer.h"

#include "Matrix/Matrix.h"

#include <new>

using namespace qd;

const ClassIdentity Quendar::identity = {
    L"Quendar", L"Quendar.Quendar.1", "ActiveX\\QDInterface\\Quendar", &CLSID_Quendar, &IID_IQuendar};

namespace {

// The only detail level there is.
const short QD_DETAIL_LEVEL = 1;

} // namespace

Quendar::Quendar()
{
    extent_.cx = defaultWidth;
    extent_.cy = defaultHeight;
    // Without its holder the control stays usable as an OLE object and its
    // members report code 3.
    try {
        holder_ = std::make_shared<ControlMatrix>();
    } catch (...) {
        holder_.reset();
        // The failure gave the emergency reserve back: take it again.
        ModuleAllocation::restoreReserve();
    }
}

Quendar::~Quendar()
{
    // A container that forgot to deactivate the control: take the window
    // down so that no message reaches a destroyed object.
    destroyWindow();
}

const ComLayer::InterfaceEntry* Quendar::interfaceTable() const
{
    static const ComLayer::InterfaceEntry table[] = {
        QD_INTERFACE_ENTRY(Quendar, IQuendar),
        QD_INTERFACE_ENTRY_AS(Quendar, IID_IDispatch, IQuendar),
        QD_INTERFACE_ENTRY(Quendar, ISupportErrorInfo),
        QD_INTERFACE_ENTRY(Quendar, IOleObject),
        QD_INTERFACE_ENTRY(Quendar, IOleControl),
        QD_INTERFACE_ENTRY_AS(Quendar, IID_IOleWindow, IOleInPlaceObjectWindowless),
        QD_INTERFACE_ENTRY_AS(Quendar, IID_IOleInPlaceObject, IOleInPlaceObjectWindowless),
        QD_INTERFACE_ENTRY(Quendar, IOleInPlaceObjectWindowless),
        QD_INTERFACE_ENTRY(Quendar, IOleInPlaceActiveObject),
        QD_INTERFACE_ENTRY_AS(Quendar, IID_IViewObject, IViewObjectEx),
        QD_INTERFACE_ENTRY_AS(Quendar, IID_IViewObject2, IViewObjectEx),
        QD_INTERFACE_ENTRY(Quendar, IViewObjectEx),
        // IPersistStream is IPersistStreamInit without its last member.
        QD_INTERFACE_ENTRY_AS(Quendar, IID_IPersist, IPersistStreamInit),
        QD_INTERFACE_ENTRY_AS(Quendar, IID_IPersistStream, IPersistStreamInit),
        QD_INTERFACE_ENTRY(Quendar, IPersistStreamInit),
        QD_INTERFACE_ENTRY(Quendar, IPersistPropertyBag),
        QD_INTERFACE_ENTRY(Quendar, IPersistStorage),
        QD_INTERFACE_ENTRY(Quendar, IQuickActivate),
        QD_INTERFACE_END,
    };
    return table;
}

HRESULT Quendar::onDraw(HDC dc, const RECT& bounds)
{
    Rectangle(dc, bounds.left, bounds.top, bounds.right, bounds.bottom);
    RECT text = bounds;
    DrawTextW(dc, L"Quendar", -1, &text, textFormat);
    return S_OK;
}

ControlMatrix& Quendar::holder(std::int32_t line)
{
    if (!holder_) throwCode(identity, line, ErrorCode::OutOfMemory);
    return *holder_;
}

HRESULT STDMETHODCALLTYPE Quendar::get_Matrix(IMatrixX** result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        holder(__LINE__);
        if (!matrixObject_) {
            ComLayer::ComPtr<MatrixX> made = ComLayer::newObject<MatrixX>();
            // The matrix never moves inside its holder, and the holder is
            // the anchor (a pointer to the matrix sharing the holder's
            // ownership): the MatrixX keeps the matrix alive after the
            // control is gone and holds no reference on the control, so
            // there is no cycle.
            made->attach(bindOwned(std::shared_ptr<Matrix>(holder_, &holder_->matrix)));
            matrixObject_ = made;
        }
        return matrixObject_->QueryInterface(IID_IMatrixX, reinterpret_cast<void**>(result));
    });
}

HRESULT STDMETHODCALLTYPE Quendar::AddObservation(LONG seriesNumber, double value, BSTR description,
                                                  short originType)
{
    return runFrame(identity, __LINE__, [&] {
        ControlMatrix& h = holder(__LINE__);
        if (seriesNumber < 0) throwCode(identity, __LINE__, ErrorCode::NegativeIndex);
        FdCString text = StringTransfer(description);
        growSeriesUpTo(h.matrix, seriesNumber, identity.sourcePath, __LINE__);
        h.addObservation(seriesNumber, value, originType, text);
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE Quendar::get_DetailLevel(short* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        *result = QD_DETAIL_LEVEL;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE Quendar::put_DetailLevel(short)
{
    const ComLayer::FloatingPointGuard floatingPoint;
    return S_OK;
}

namespace {

Observation& checkedObservation(Matrix& m, LONG seriesIndex, LONG observationIndex, std::int32_t line)
{
    if (seriesIndex < 0) throwCode(Quendar::identity, line, ErrorCode::NegativeIndex);
    if (seriesIndex >= m.numSeries()) throwCode(Quendar::identity, line, ErrorCode::OutOfBounds);
    Series& s = m.series(seriesIndex);
    if (observationIndex < 0) throwCode(Quendar::identity, line, ErrorCode::NegativeIndex);
    if (observationIndex >= s.numObservations()) throwCode(Quendar::identity, line, ErrorCode::OutOfBounds);
    return s.observation(observationIndex);
}

} // namespace

HRESULT STDMETHODCALLTYPE Quendar::get_Value(LONG seriesIndex, LONG observationIndex, double* result)
{
    return runFrame(identity, __LINE__, [&] {
        checkResultPointer(identity, __LINE__, result);
        Matrix& m = holder(__LINE__).matrix;
        *result = checkedObservation(m, seriesIndex, observationIndex, __LINE__).value;
        return S_OK;
    });
}

HRESULT STDMETHODCALLTYPE Quendar::put_Value(LONG seriesIndex, LONG observationIndex, double value)
{
    return runFrame(identity, __LINE__, [&] {
        Matrix& m = holder(__LINE__).matrix;
        checkedObservation(m, seriesIndex, observationIndex, __LINE__).value = value;
        return S_OK;
    });
}
