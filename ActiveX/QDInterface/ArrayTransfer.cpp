#include "ArrayTransfer.h"

#include "SeriesGrowth.h"
#include "StringTransfer.h"

#include "ComLayer/ComHolders.h"
#include "Matrix/Matrix.h"
#include "Matrix/QuantityTypes.h"
#include "Matrix/Series.h"
#include "Matrix/SeriesRange.h"

#include <cstring>
#include <limits>
#include <new>
#include <vector>

using namespace qd;

namespace ArrayTransfer {

namespace {

const std::int32_t observationPlaces = 64;
const std::int32_t lastObservationType = 36; // QD_LAGGED_FORECAST
const USHORT kindFlags = FADF_BSTR | FADF_UNKNOWN | FADF_DISPATCH | FADF_VARIANT | FADF_RECORD;

// The data of an array, locked for the life of the holder.
class DataLock {
public:
    DataLock(SAFEARRAY* a, const Site& site, ErrorCode code) : a_(a)
    {
        if (a_ != nullptr && FAILED(SafeArrayLock(a_))) site.fail(code);
    }
    ~DataLock()
    {
        if (a_ != nullptr) SafeArrayUnlock(a_);
    }
    DataLock(const DataLock&) = delete;
    DataLock& operator=(const DataLock&) = delete;

private:
    SAFEARRAY* a_;
};

std::size_t elementSize(VARTYPE element)
{
    switch (element) {
    case VT_R8: return sizeof(double);
    case VT_BSTR: return sizeof(BSTR);
    case VT_I4: return sizeof(LONG);
    case VT_I2: return sizeof(SHORT);
    case VT_VARIANT: return sizeof(VARIANT);
    default: return 0;
    }
}

// The descriptor agrees with the element type the tag names: the element
// size, the recorded type (when recorded), the kind flags, and a count of
// elements whose storage fits the address space. The counts of the
// dimensions, in order, go to `counts`.
bool descriptorAgrees(SAFEARRAY* a, VARTYPE element, std::int32_t& dims, std::uint32_t counts[2],
                      std::uint64_t& total)
{
    dims = 0;
    counts[0] = counts[1] = 0;
    total = 0;
    if (a == nullptr) return true;
    if (a->cbElements != elementSize(element)) return false;
    VARTYPE recorded = VT_EMPTY;
    if (SUCCEEDED(SafeArrayGetVartype(a, &recorded)) && recorded != element) return false;
    USHORT wanted = element == VT_BSTR ? FADF_BSTR : element == VT_VARIANT ? FADF_VARIANT : 0;
    if ((a->fFeatures & kindFlags) != wanted) return false;
    dims = a->cDims;
    if (dims == 0) return true;
    std::uint64_t n = 1;
    for (std::int32_t d = 1; d <= dims; ++d) {
        // The bounds are kept last dimension first.
        const std::uint64_t c = a->rgsabound[dims - d].cElements;
        if (d <= 2) counts[d - 1] = static_cast<std::uint32_t>(c);
        if (c != 0 && n > std::numeric_limits<std::uint64_t>::max() / c) return false;
        n *= c;
    }
    if (n > std::numeric_limits<std::size_t>::max() / a->cbElements) return false;
    if (n > 0 && a->pvData == nullptr) return false;
    total = n;
    return true;
}

// A number cell converted exactly; false for any other cell.
bool numberCell(const VARIANT& cell, double& value)
{
    const VARIANT& v = dereference(cell);
    const bool r = (v.vt & VT_BYREF) != 0;
    if (r && v.byref == nullptr) return false;
    switch (v.vt & ~VT_BYREF) {
    case VT_R8: value = r ? *v.pdblVal : v.dblVal; return true;
    case VT_R4: value = r ? *v.pfltVal : v.fltVal; return true;
    case VT_I2: value = r ? *v.piVal : v.iVal; return true;
    case VT_I4: value = r ? *v.plVal : v.lVal; return true;
    case VT_UI1: value = r ? *v.pbVal : v.bVal; return true;
    case VT_CY: return SUCCEEDED(VarR8FromCy(r ? *v.pcyVal : v.cyVal, &value));
    case VT_DECIMAL: {
        DECIMAL d = r ? *v.pdecVal : v.decVal;
        return SUCCEEDED(VarR8FromDec(&d, &value));
    }
    default: return false;
    }
}

// A text cell: a BSTR, or Empty and Null as the empty text.
bool textCell(const VARIANT& cell, BSTR& text)
{
    const VARIANT& v = dereference(cell);
    switch (v.vt) {
    case VT_BSTR: text = v.bstrVal; return true;
    case VT_BSTR | VT_BYREF:
        if (v.pbstrVal == nullptr) return false;
        text = *v.pbstrVal;
        return true;
    case VT_EMPTY:
    case VT_NULL: text = nullptr; return true;
    default: return false;
    }
}

} // namespace

const VARIANT& dereference(const VARIANT& v)
{
    static VARIANT empty; // zero-initialised: VT_EMPTY
    const VARIANT* at = &v;
    for (int depth = 0; at->vt == (VT_BYREF | VT_VARIANT); ++depth) {
        if (at->pvarVal == nullptr || depth == 16) return empty;
        at = at->pvarVal;
    }
    return *at;
}

bool openArray(const VARIANT& given, const VARTYPE* typed, InputArray& out)
{
    const VARIANT& v = dereference(given);
    if ((v.vt & VT_ARRAY) == 0) return false;
    const VARTYPE element = v.vt & VT_TYPEMASK;
    bool allowed = element == VT_VARIANT;
    for (const VARTYPE* t = typed; *t != VT_EMPTY; ++t) allowed = allowed || *t == element;
    if (!allowed || (v.vt & ~(VT_ARRAY | VT_BYREF | VT_TYPEMASK)) != 0) return false;
    SAFEARRAY* a = nullptr;
    if (v.vt & VT_BYREF) {
        if (v.pparray == nullptr) return false;
        a = *v.pparray;
    } else {
        a = v.parray;
    }
    out = InputArray();
    out.element = element;
    out.array = a;
    return descriptorAgrees(a, element, out.dims, out.count, out.total);
}

std::vector<double> readNumbers(const InputArray& a, const Site& site, ErrorCode code)
{
    std::vector<double> values;
    if (a.total == 0) return values;
    values.resize(static_cast<std::size_t>(a.total));
    DataLock lock(a.array, site, code);
    if (a.element == VT_R8) {
        std::memcpy(values.data(), a.array->pvData, values.size() * sizeof(double));
    } else if (a.element == VT_VARIANT) {
        const VARIANT* cells = static_cast<const VARIANT*>(a.array->pvData);
        for (std::size_t i = 0; i < values.size(); ++i)
            if (!numberCell(cells[i], values[i])) site.fail(code);
    } else {
        site.fail(code);
    }
    return values;
}

std::vector<FdCString> readTexts(const InputArray& a, const Site& site, ErrorCode code)
{
    std::vector<FdCString> texts;
    if (a.total == 0) return texts;
    const std::size_t n = static_cast<std::size_t>(a.total);
    texts.reserve(n);
    DataLock lock(a.array, site, code);
    for (std::size_t i = 0; i < n; ++i) {
        BSTR text = nullptr;
        if (a.element == VT_BSTR) {
            text = static_cast<BSTR*>(a.array->pvData)[i];
        } else if (a.element != VT_VARIANT || !textCell(static_cast<const VARIANT*>(a.array->pvData)[i], text)) {
            site.fail(code);
        }
        texts.push_back(StringTransfer(text));
    }
    return texts;
}

std::int32_t originTypeOf(double given)
{
    return given == 2.0 ? qd::QD_COMPUTED : qd::QD_SUPPLIED;
}

std::vector<std::int32_t> readOriginTypes(const InputArray& a, const Site& site, ErrorCode code)
{
    std::vector<std::int32_t> types;
    if (a.total == 0) return types;
    const std::size_t n = static_cast<std::size_t>(a.total);
    types.resize(n);
    DataLock lock(a.array, site, code);
    for (std::size_t i = 0; i < n; ++i) {
        double given = 0.0;
        switch (a.element) {
        case VT_I4: given = static_cast<const LONG*>(a.array->pvData)[i]; break;
        case VT_I2: given = static_cast<const SHORT*>(a.array->pvData)[i]; break;
        case VT_VARIANT:
            if (!numberCell(static_cast<const VARIANT*>(a.array->pvData)[i], given)) site.fail(code);
            break;
        default: site.fail(code);
        }
        types[i] = originTypeOf(given);
    }
    return types;
}

// ---- output arrays ------------------------------------------------------------------

OutputArray::OutputArray(VARIANT* target, VARTYPE element, bool outOnly, const Site& site, ErrorCode family)
    : element_(element), outOnly_(outOnly), site_(site), family_(family)
{
    checkResultPointer(site.identity, site.line, target);
    VARIANT* at = target;
    // Only the tag is looked at: a reference to the caller's variable or a
    // typed reference to its array.
    for (int depth = 0; at->vt == (VT_BYREF | VT_VARIANT); ++depth) {
        if (at->pvarVal == nullptr || depth == 16) site.fail(family);
        at = at->pvarVal;
        referenced_ = true;
    }
    variable_ = at;
    const VARTYPE vt = at->vt;
    // A variable the caller passed (an [in, out] argument, or a reference to
    // it) may hold its array by value or by reference, of Variant cells (a
    // script's) or of the element type (a Double() or String() kept in a
    // Variant).
    const bool variable = !outOnly || referenced_;
    const bool cellsKnown = (vt & VT_TYPEMASK) == element || (vt & VT_TYPEMASK) == VT_VARIANT;
    if (vt == (VT_BYREF | VT_ARRAY | element)) {
        if (at->pparray == nullptr) site.fail(family);
        mode_ = Typed;
        slot_ = at->pparray;
    } else if (variable && cellsKnown && (vt & ~VT_TYPEMASK) == (VT_BYREF | VT_ARRAY)) {
        if (at->pparray == nullptr) site.fail(family);
        mode_ = InVariable;
        slot_ = at->pparray;
    } else if (variable && cellsKnown && (vt & ~VT_TYPEMASK) == VT_ARRAY) {
        mode_ = InVariable;
        slot_ = &at->parray;
    } else if (outOnly || vt == VT_EMPTY) {
        mode_ = Fresh;
    } else {
        site.fail(family);
    }
    cells_ = mode_ == Fresh ? static_cast<VARTYPE>(VT_VARIANT) : static_cast<VARTYPE>(vt & VT_TYPEMASK);
    existing_ = slot_ != nullptr ? *slot_ : nullptr;
}

void OutputArray::check(std::int32_t dims, std::uint32_t count1, std::uint32_t count2)
{
    dims_ = dims;
    count_[0] = count1;
    count_[1] = dims == 2 ? count2 : 1;
    inPlace_ = false;
    if (mode_ == Fresh) {
        checkReplaceable();
        return;
    }
    if (existing_ == nullptr) return;
    std::int32_t d = 0;
    std::uint32_t counts[2];
    std::uint64_t total = 0;
    if (!descriptorAgrees(existing_, cells_, d, counts, total)) site_.fail(family_);
    if (d == 0) {
        checkReplaceable(); // allocated without dimensions: replaced
        return;
    }
    bool shaped = d == dims;
    for (std::int32_t k = 1; shaped && k <= d; ++k) {
        const SAFEARRAYBOUND& b = existing_->rgsabound[d - k];
        shaped = b.lLbound == 0 && b.cElements == count_[k - 1];
    }
    if (shaped) {
        inPlace_ = true;
        return;
    }
    // The old array of the caller's variable behind an [out] argument is
    // only what the variable held before: it is replaced. An [in, out]
    // argument and a typed reference must have the shape.
    if (!(outOnly_ && mode_ != Typed)) site_.fail(family_);
    checkReplaceable();
}

// The array the variable holds now, when the transfer replaces it, must be
// one the transfer can destroy: a locked one (a script's For Each over the
// variable holds a lock) cannot, so the call fails before anything changes,
// with the family's code when it has dimensions (an array of another shape)
// and 999 otherwise.
void OutputArray::checkReplaceable() const
{
    SAFEARRAY* old = nullptr;
    if (slot_ != nullptr)
        old = *slot_;
    else if ((!outOnly_ || referenced_) && (variable_->vt & (VT_ARRAY | VT_BYREF)) == VT_ARRAY)
        old = variable_->parray;
    if (old == nullptr || old->cLocks == 0) return;
    site_.fail(old->cDims > 0 ? family_ : ErrorCode::Unexpected);
}

SAFEARRAY* OutputArray::create(VARTYPE element) const
{
    SAFEARRAYBOUND bounds[2];
    bounds[0].lLbound = 0;
    bounds[0].cElements = count_[0];
    bounds[1].lLbound = 0;
    bounds[1].cElements = count_[1];
    SAFEARRAY* made = SafeArrayCreate(element, static_cast<UINT>(dims_), bounds);
    if (made == nullptr) site_.fail(ErrorCode::NewFailed);
    return made;
}

// Puts a filled new array in the caller's variable; the old array goes only
// once the new one exists, and the variable never refers to a destroyed one.
// When the old content cannot be released the call fails with 999 and the
// variable keeps it.
void OutputArray::install(SAFEARRAY* made)
{
    ComLayer::SafeArrayHolder holder(made);
    if (mode_ != Fresh) {
        SAFEARRAY* old = *slot_;
        if (old != nullptr && FAILED(SafeArrayDestroy(old))) site_.fail(ErrorCode::Unexpected);
        *slot_ = holder.detach();
        return;
    }
    // An [out] target reached directly is never read: its content is the
    // caller's to have released. A variable reached through a reference, or
    // an empty one, is cleared first.
    if ((!outOnly_ || referenced_) && FAILED(VariantClear(variable_))) site_.fail(ErrorCode::Unexpected);
    variable_->vt = VT_ARRAY | VT_VARIANT;
    variable_->parray = holder.detach();
}

void OutputArray::writeNumbers(const std::vector<double>& values)
{
    const bool typedCells = cells_ == element_;
    SAFEARRAY* a = inPlace_ ? existing_ : nullptr;
    ComLayer::SafeArrayHolder made;
    if (a == nullptr) {
        made.reset(create(cells_));
        a = made.get();
    }
    {
        DataLock lock(a, site_, family_);
        if (typedCells) {
            if (!values.empty()) std::memcpy(a->pvData, values.data(), values.size() * sizeof(double));
        } else {
            VARIANT* cells = static_cast<VARIANT*>(a->pvData);
            for (std::size_t i = 0; i < values.size(); ++i) {
                VariantClear(&cells[i]);
                cells[i].vt = VT_R8;
                cells[i].dblVal = values[i];
            }
        }
    }
    if (made.get() != nullptr) install(made.detach());
}

void OutputArray::writeTexts(const std::vector<FdCString>& texts)
{
    // Every new BSTR exists before any old one is released.
    std::vector<ComLayer::BstrHolder> made;
    made.reserve(texts.size());
    for (const FdCString& t : texts) made.emplace_back(makeBstr(t));
    const bool typedCells = cells_ == element_;
    SAFEARRAY* a = inPlace_ ? existing_ : nullptr;
    ComLayer::SafeArrayHolder fresh;
    if (a == nullptr) {
        fresh.reset(create(cells_));
        a = fresh.get();
    }
    {
        DataLock lock(a, site_, family_);
        if (typedCells) {
            BSTR* cells = static_cast<BSTR*>(a->pvData);
            for (std::size_t i = 0; i < made.size(); ++i) {
                BSTR old = cells[i];
                cells[i] = made[i].detach();
                SysFreeString(old);
            }
        } else {
            VARIANT* cells = static_cast<VARIANT*>(a->pvData);
            for (std::size_t i = 0; i < made.size(); ++i) {
                VariantClear(&cells[i]);
                cells[i].vt = VT_BSTR;
                cells[i].bstrVal = made[i].detach();
            }
        }
    }
    if (fresh.get() != nullptr) install(fresh.detach());
}

// ---- ranges and selectors ---------------------------------------------------------

Range observationRange(const Series& s, std::int32_t last, std::int32_t count)
{
    resolveSeriesRange(s, last, count);
    checkSeriesRange(s, last, count, 1);
    return Range{last - count + 1, count};
}

Range observationRange(const Matrix& m, std::int32_t last, std::int32_t count, const Site& site)
{
    if (!m.isRectangular()) site.fail(ErrorCode::InvalidMatrix);
    return observationRange(m.series(0), last, count);
}

double selectedValue(const Series& s, std::int32_t index, std::int32_t statType)
{
    const Observation& o = s.observation(index);
    if (statType == -1) return o.value;
    double value = 0.0;
    o.storedResults.lookup(statType, value);
    return value;
}

namespace {

void checkSelector(std::int32_t statType, bool allowValue, const Site& site)
{
    if ((statType == -1 && allowValue) || (statType >= 0 && statType <= lastObservationType)) return;
    site.fail(ErrorCode::NotObservationLevel);
}

std::uint32_t countOf(std::int32_t n)
{
    return static_cast<std::uint32_t>(n);
}

} // namespace

// ---- T1, T2: observation values and descriptions out --------------------------------

void getObservationValues(Series& s, std::int32_t last, std::int32_t count, std::int32_t statType,
                          VARIANT* values, const Site& site)
{
    const Range r = observationRange(s, last, count);
    checkSelector(statType, true, site);
    OutputArray out(values, VT_R8, false, site, ErrorCode::ValuesToArray);
    out.check(1, countOf(r.count));
    std::vector<double> data(static_cast<std::size_t>(r.count));
    for (std::int32_t i = 0; i < r.count; ++i) data[i] = selectedValue(s, r.first + i, statType);
    out.writeNumbers(data);
}

void getObservationValues(Matrix& m, std::int32_t last, std::int32_t count, std::int32_t statType,
                          VARIANT* values, const Site& site)
{
    const Range r = observationRange(m, last, count, site);
    checkSelector(statType, true, site);
    const std::int32_t S = m.numSeries();
    OutputArray out(values, VT_R8, false, site, ErrorCode::ValuesToArray);
    out.check(2, countOf(S), countOf(r.count));
    std::vector<double> data(static_cast<std::size_t>(S) * static_cast<std::size_t>(r.count));
    for (std::int32_t j = 0; j < r.count; ++j)
        for (std::int32_t k = 0; k < S; ++k)
            data[static_cast<std::size_t>(j) * S + k] = selectedValue(m.series(k), r.first + j, statType);
    out.writeNumbers(data);
}

void getObservationDescriptions(Series& s, std::int32_t last, std::int32_t count, VARIANT* descriptions,
                                const Site& site)
{
    const Range r = observationRange(s, last, count);
    OutputArray out(descriptions, VT_BSTR, false, site, ErrorCode::DescriptionsToArray);
    out.check(1, countOf(r.count));
    std::vector<FdCString> texts;
    texts.reserve(static_cast<std::size_t>(r.count));
    for (std::int32_t i = 0; i < r.count; ++i) texts.push_back(s.observation(r.first + i).description);
    out.writeTexts(texts);
}

void getObservationDescriptions(Matrix& m, std::int32_t last, std::int32_t count, VARIANT* descriptions,
                                const Site& site)
{
    const Range r = observationRange(m, last, count, site);
    const std::int32_t S = m.numSeries();
    OutputArray out(descriptions, VT_BSTR, false, site, ErrorCode::DescriptionsToArray);
    out.check(2, countOf(S), countOf(r.count));
    std::vector<FdCString> texts;
    texts.reserve(static_cast<std::size_t>(S) * static_cast<std::size_t>(r.count));
    for (std::int32_t j = 0; j < r.count; ++j)
        for (std::int32_t k = 0; k < S; ++k) texts.push_back(m.series(k).observation(r.first + j).description);
    out.writeTexts(texts);
}

// ---- T3: observations in ---------------------------------------------------------------

namespace {

// The checked and converted content of an AddObservationByArray call.
struct Batch {
    std::uint32_t seriesCount = 1; // S'
    std::uint32_t n = 0;
    std::vector<double> values;
    std::vector<FdCString> texts;     // empty: `text` for all
    FdCString text;
    std::vector<std::int32_t> origins; // empty: `origin` for all
    std::int32_t origin = qd::QD_SUPPLIED;

    const FdCString& textAt(std::size_t i) const { return texts.empty() ? text : texts[i]; }
    std::int32_t originAt(std::size_t i) const { return origins.empty() ? origin : origins[i]; }
};

bool sameShape(const InputArray& a, const InputArray& values)
{
    if (a.dims == 0) return true;
    if (a.dims != values.dims) return false;
    return a.count[0] == values.count[0] && (a.dims == 1 || a.count[1] == values.count[1]);
}

Batch readBatch(const VARIANT& values, const VARIANT& descriptions, const VARIANT& originTypes,
                std::int32_t maxDims, const Site& site)
{
    static const VARTYPE numbers[] = {VT_R8, VT_EMPTY};
    static const VARTYPE texts[] = {VT_BSTR, VT_EMPTY};
    static const VARTYPE integers[] = {VT_I4, VT_EMPTY};
    Batch batch;

    // Types.
    InputArray v;
    if (!openArray(values, numbers, v)) site.fail(ErrorCode::AddByArrayType);
    const VARIANT& d = dereference(descriptions);
    InputArray da;
    bool descriptionArray = false;
    BSTR scalarText = nullptr;
    if (d.vt == VT_BSTR) {
        scalarText = d.bstrVal;
    } else if (d.vt == (VT_BSTR | VT_BYREF)) {
        if (d.pbstrVal == nullptr) site.fail(ErrorCode::AddByArrayType);
        scalarText = *d.pbstrVal;
    } else if (d.vt != VT_NULL) {
        if (!openArray(d, texts, da)) site.fail(ErrorCode::AddByArrayType);
        descriptionArray = true;
    }
    const VARIANT& o = dereference(originTypes);
    InputArray oa;
    bool originArray = false;
    switch (o.vt) {
    case VT_I4: batch.origin = originTypeOf(o.lVal); break;
    case VT_I2: batch.origin = originTypeOf(o.iVal); break;
    case VT_I4 | VT_BYREF:
    case VT_I2 | VT_BYREF:
        if (o.byref == nullptr) site.fail(ErrorCode::AddByArrayType);
        batch.origin = originTypeOf(o.vt == (VT_I4 | VT_BYREF) ? *o.plVal : *o.piVal);
        break;
    case VT_NULL: break;
    default:
        if (!openArray(o, integers, oa)) site.fail(ErrorCode::AddByArrayType);
        originArray = true;
    }

    // Dimensions and sizes.
    if (v.dims < 1 || v.dims > maxDims) site.fail(ErrorCode::AddByArrayShape);
    if (descriptionArray && !sameShape(da, v)) site.fail(ErrorCode::AddByArrayShape);
    if (originArray && !sameShape(oa, v)) site.fail(ErrorCode::AddByArrayShape);
    if (v.dims == 2) {
        batch.seriesCount = v.count[0];
        batch.n = v.count[1];
    } else {
        batch.n = v.count[0];
    }
    if (batch.n > static_cast<std::uint32_t>(INT32_MAX) || batch.seriesCount > static_cast<std::uint32_t>(INT32_MAX))
        site.fail(ErrorCode::AddByArrayShape);

    // Every cell, before the first observation is appended.
    batch.values = readNumbers(v, site, ErrorCode::AddByArrayType);
    if (descriptionArray && da.dims > 0) batch.texts = readTexts(da, site, ErrorCode::AddByArrayType);
    batch.text = StringTransfer(scalarText);
    if (originArray && oa.dims > 0) batch.origins = readOriginTypes(oa, site, ErrorCode::AddByArrayType);
    return batch;
}

// Observation storage for `n` more observations of s, in one step when the
// batch is large; more than a series can hold is out of memory at once.
void prepareSeries(Series& s, std::uint32_t n, const Site& site)
{
    const std::int64_t total = static_cast<std::int64_t>(s.numObservations()) + n;
    if (total > Series::maxObservations()) site.fail(ErrorCode::OutOfMemory);
    if (n > static_cast<std::uint32_t>(observationPlaces) && total > observationPlaces)
        s.reserve(static_cast<std::int32_t>(total));
}

// Takes back the observations appended beyond the first `count`: an append
// that fails part way (a description that cannot be copied, a series that
// cannot grow) leaves the series as it was.
void takeBackObservations(Series& s, std::int32_t count) noexcept
{
    try {
        while (s.numObservations() > count) s.removeObservationAt(s.numObservations() - 1);
    } catch (...) {
    }
}

} // namespace

void addObservations(Series& s, const VARIANT& values, const VARIANT& descriptions, const VARIANT& originTypes,
                     const Site& site)
{
    const Batch batch = readBatch(values, descriptions, originTypes, 1, site);
    prepareSeries(s, batch.n, site);
    const std::int32_t before = s.numObservations();
    try {
        for (std::uint32_t i = 0; i < batch.n; ++i)
            s.addObservation(batch.values[i], batch.originAt(i), batch.textAt(i));
    } catch (...) {
        takeBackObservations(s, before);
        throw;
    }
}

void growMatrixTo(Matrix& m, std::int64_t last, const Site& site)
{
    if (last < m.numSeries()) return;
    if (last > INT32_MAX) site.fail(ErrorCode::OutOfMemory);
    growSeriesUpTo(m, static_cast<std::int32_t>(last), site.identity.sourcePath, site.line);
}

void addObservations(Matrix& m, std::int32_t seriesNumber, const VARIANT& values, const VARIANT& descriptions,
                     const VARIANT& originTypes, const Site& site)
{
    if (seriesNumber < 0) site.fail(ErrorCode::NegativeIndex);
    const Batch batch = readBatch(values, descriptions, originTypes, 2, site);
    // Series are made only by appending values: without values, nothing.
    if (batch.seriesCount == 0 || batch.n == 0) return;
    const std::int64_t last = static_cast<std::int64_t>(seriesNumber) + batch.seriesCount - 1;
    // Every series written must be able to take the batch before the
    // matrix grows.
    for (std::int64_t k = seriesNumber; k <= last && k < m.numSeries(); ++k) {
        const std::int64_t total = static_cast<std::int64_t>(m.series(static_cast<std::int32_t>(k)).numObservations()) +
                                   batch.n;
        if (total > Series::maxObservations()) site.fail(ErrorCode::OutOfMemory);
    }
    // A failure after the growth takes back the series it appended and the
    // observations appended to the series that were there.
    const std::int32_t before = m.numSeries();
    std::vector<std::int32_t> counts;
    for (std::int64_t k = seriesNumber; k <= last && k < before; ++k)
        counts.push_back(m.series(static_cast<std::int32_t>(k)).numObservations());
    growMatrixTo(m, last, site);
    try {
        for (std::uint32_t k = 0; k < batch.seriesCount; ++k)
            prepareSeries(m.series(seriesNumber + k), batch.n, site);
        for (std::uint32_t j = 0; j < batch.n; ++j) {
            for (std::uint32_t k = 0; k < batch.seriesCount; ++k) {
                const std::size_t i = static_cast<std::size_t>(j) * batch.seriesCount + k;
                m.series(seriesNumber + static_cast<std::int32_t>(k))
                    .addObservation(batch.values[i], batch.originAt(i), batch.textAt(i));
            }
        }
    } catch (...) {
        for (std::size_t k = 0; k < counts.size(); ++k)
            takeBackObservations(m.series(seriesNumber + static_cast<std::int32_t>(k)), counts[k]);
        takeBackSeries(m, before);
        throw;
    }
}

// ---- T4: observation results in ---------------------------------------------------------

namespace {

std::vector<double> readResults(const VARIANT& values, std::int32_t dims, std::uint32_t count1,
                                std::uint32_t count2, const Site& site)
{
    static const VARTYPE numbers[] = {VT_R8, VT_EMPTY};
    InputArray a;
    if (!openArray(values, numbers, a)) site.fail(ErrorCode::ValuesToArray);
    if (a.dims != dims || a.count[0] != count1 || (dims == 2 && a.count[1] != count2))
        site.fail(ErrorCode::ValuesToArray);
    return readNumbers(a, site, ErrorCode::ValuesToArray);
}

} // namespace

void inputObservationResults(Series& s, std::int32_t last, std::int32_t count, std::int32_t statType,
                             const VARIANT& values, const Site& site)
{
    const Range r = observationRange(s, last, count);
    checkSelector(statType, false, site);
    const std::vector<double> data = readResults(values, 1, countOf(r.count), 1, site);
    for (std::int32_t i = 0; i < r.count; ++i) s.observation(r.first + i).storedResults.store(statType, data[i]);
}

void inputObservationResults(Matrix& m, std::int32_t last, std::int32_t count, std::int32_t statType,
                             const VARIANT& values, const Site& site)
{
    const Range r = observationRange(m, last, count, site);
    checkSelector(statType, false, site);
    const std::int32_t S = m.numSeries();
    const std::vector<double> data = readResults(values, 2, countOf(S), countOf(r.count), site);
    for (std::int32_t j = 0; j < r.count; ++j)
        for (std::int32_t k = 0; k < S; ++k)
            m.series(k).observation(r.first + j).storedResults.store(statType,
                                                                     data[static_cast<std::size_t>(j) * S + k]);
}

// ---- T5, T6: index values ---------------------------------------------------------------

namespace {

void storeIndex(Series& s, const double* values, std::int32_t n)
{
    s.storedResults.createMultiple(qd::QD_INITIAL_SEASONAL_INDEX, n);
    s.storedResults.createMultiple(qd::QD_DECOMPOSITION_INDEX, n);
    for (std::int32_t i = 0; i < n; ++i) {
        s.storedResults.storeMultiple(qd::QD_INITIAL_SEASONAL_INDEX, i, values[i]);
        s.storedResults.storeMultiple(qd::QD_DECOMPOSITION_INDEX, i, values[i]);
    }
}

InputArray openIndex(const VARIANT& values, const Site& site)
{
    static const VARTYPE numbers[] = {VT_R8, VT_EMPTY};
    InputArray a;
    if (!openArray(values, numbers, a)) site.fail(ErrorCode::IndexByArrayType);
    return a;
}

double indexValue(const Series& s, std::int32_t i)
{
    double value = 0.0;
    s.storedResults.lookupMultiple(qd::QD_INITIAL_SEASONAL_INDEX, i, value);
    return value;
}

} // namespace

void addIndexValues(Series& s, const VARIANT& values, const Site& site)
{
    const InputArray a = openIndex(values, site);
    if (a.dims != 1 || a.count[0] == 0 || a.count[0] > static_cast<std::uint32_t>(INT32_MAX))
        site.fail(ErrorCode::IndexByArrayShape);
    const std::vector<double> data = readNumbers(a, site, ErrorCode::IndexByArrayType);
    storeIndex(s, data.data(), static_cast<std::int32_t>(a.count[0]));
}

void addIndexValues(Matrix& m, const VARIANT& values, const Site& site)
{
    if (m.numSeries() == 0) return;
    const InputArray a = openIndex(values, site);
    const std::int32_t S = m.numSeries();
    if (a.dims < 1 || a.dims > 2 || a.count[0] == 0) site.fail(ErrorCode::IndexByArrayShape);
    std::uint32_t n = a.count[0];
    if (a.dims == 2) {
        if (a.count[0] != countOf(S) || a.count[1] == 0) site.fail(ErrorCode::IndexByArrayShape);
        n = a.count[1];
    }
    if (n > static_cast<std::uint32_t>(INT32_MAX)) site.fail(ErrorCode::IndexByArrayShape);
    const std::vector<double> data = readNumbers(a, site, ErrorCode::IndexByArrayType);
    std::vector<double> row(n);
    for (std::int32_t k = 0; k < S; ++k) {
        if (a.dims == 1) {
            storeIndex(m.series(k), data.data(), static_cast<std::int32_t>(n));
            continue;
        }
        for (std::uint32_t i = 0; i < n; ++i) row[i] = data[static_cast<std::size_t>(i) * S + k];
        storeIndex(m.series(k), row.data(), static_cast<std::int32_t>(n));
    }
}

void getIndexValues(Series& s, VARIANT* values, const Site& site)
{
    const std::int32_t n = s.storedResults.count(qd::QD_INITIAL_SEASONAL_INDEX);
    if (n == 0) site.fail(ErrorCode::NoIndexToRetrieve);
    OutputArray out(values, VT_R8, true, site, ErrorCode::IndexToArray);
    out.check(1, countOf(n));
    std::vector<double> data(static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i) data[i] = indexValue(s, i);
    out.writeNumbers(data);
}

void getIndexValues(Matrix& m, VARIANT* values, const Site& site)
{
    if (!m.isRectangular()) site.fail(ErrorCode::InvalidMatrix);
    const std::int32_t S = m.numSeries();
    const std::int32_t n = m.series(0).storedResults.count(qd::QD_INITIAL_SEASONAL_INDEX);
    if (n == 0) site.fail(ErrorCode::NoIndexToRetrieve);
    for (std::int32_t k = 1; k < S; ++k)
        if (m.series(k).storedResults.count(qd::QD_INITIAL_SEASONAL_INDEX) != n)
            site.fail(ErrorCode::UnequalIndexLengths);
    OutputArray out(values, VT_R8, true, site, ErrorCode::IndexToArray);
    out.check(2, countOf(S), countOf(n));
    std::vector<double> data(static_cast<std::size_t>(S) * static_cast<std::size_t>(n));
    for (std::int32_t i = 0; i < n; ++i)
        for (std::int32_t k = 0; k < S; ++k) data[static_cast<std::size_t>(i) * S + k] = indexValue(m.series(k), i);
    out.writeNumbers(data);
}

std::vector<std::int32_t> readMethodList(const VARIANT& v, const Site& site)
{
    static const VARTYPE typed[] = {VT_I4, VT_I2, VT_EMPTY};
    InputArray a;
    if (!openArray(v, typed, a)) site.fail(ErrorCode::MethodArrayType);
    if (a.dims != 1 || a.total < 1) site.fail(ErrorCode::MethodArrayShape);
    std::vector<std::int32_t> codes(static_cast<std::size_t>(a.total));
    if (a.element == VT_VARIANT) {
        // A script's list (Variant cells, as every script array has): each
        // cell a number that is a whole 32-bit code.
        const std::vector<double> cells = readNumbers(a, site, ErrorCode::MethodArrayType);
        for (std::size_t i = 0; i < codes.size(); ++i) {
            const double code = cells[i];
            if (!(code >= std::numeric_limits<std::int32_t>::min() && code <= std::numeric_limits<std::int32_t>::max()) ||
                code != static_cast<double>(static_cast<std::int32_t>(code)))
                site.fail(ErrorCode::MethodArrayType);
            codes[i] = static_cast<std::int32_t>(code);
        }
        return codes;
    }
    DataLock lock(a.array, site, ErrorCode::MethodArrayShape);
    for (std::size_t i = 0; i < codes.size(); ++i)
        codes[i] = a.element == VT_I4 ? static_cast<std::int32_t>(static_cast<const LONG*>(a.array->pvData)[i])
                                      : static_cast<std::int32_t>(static_cast<const SHORT*>(a.array->pvData)[i]);
    return codes;
}

std::vector<double> readSeasonalIndexes(const VARIANT& v, std::int32_t seasonalityLength, const Site& site)
{
    static const VARTYPE numbers[] = {VT_R8, VT_EMPTY};
    InputArray a;
    if (!openArray(v, numbers, a)) site.fail(ErrorCode::SeasonalIndexArrayType);
    if (a.dims != 1 || seasonalityLength < 0 || a.total != static_cast<std::uint64_t>(seasonalityLength))
        site.fail(ErrorCode::SeasonalIndexArrayShape);
    return readNumbers(a, site, ErrorCode::SeasonalIndexArrayType);
}

} // namespace ArrayTransfer
