// Array transfer of the extension objects: blocks of values, descriptions,
// origin types, observation results and index values between a client's
// SAFEARRAYs and a series or a matrix.
//
// Input arrays come by value or through a reference (read through it, never
// written), with typed elements or with Variant cells (what every script
// passes); a Variant cell is checked before anything changes. The array's
// own descriptor must agree with the VARIANT's tag. Output arrays are filled
// in place when they already have the requested shape (zero-based), or
// replaced by a new zero-based array; a target that holds nothing (a script
// variable never assigned) receives an array of Variant cells.
//
// Series-level arrays have one dimension; matrix-level arrays have two, the
// series first (varying fastest in storage) and the observation second.
// Every check of a transfer runs before its first change.
#ifndef QD_QDINTERFACE_ARRAYTRANSFER_H
#define QD_QDINTERFACE_ARRAYTRANSFER_H

#include "AutomationFrame.h"

#include "Foundation/FdCString.h"

#include <cstdint>
#include <vector>

namespace qd {
class Series;
class Matrix;
} // namespace qd

namespace ArrayTransfer {

// Where a transfer reports its failures.
struct Site {
    const ClassIdentity& identity;
    std::int32_t line;
    [[noreturn]] void fail(qd::ErrorCode code) const { throwCode(identity, line, code); }
};

// An input argument that holds an array.
struct InputArray {
    VARTYPE element = VT_EMPTY; // VT_R8, VT_BSTR, VT_I4, VT_I2 or VT_VARIANT
    SAFEARRAY* array = nullptr; // null: an array without dimensions
    std::int32_t dims = 0;
    std::uint32_t count[2] = {0, 0}; // elements of dimensions 1 and 2
    std::uint64_t total = 0;
};

// The VARIANT behind any chain of VT_BYREF|VT_VARIANT references; a null
// reference reads as VT_EMPTY.
const VARIANT& dereference(const VARIANT& v);

// The array held by v, by value or by reference, when its element type is
// VT_VARIANT or one of `typed` (a zero-terminated list) and its descriptor
// agrees with the tag (element type, element size, feature flags, a sane
// element count); false otherwise.
bool openArray(const VARIANT& v, const VARTYPE* typed, InputArray& out);

// The elements in storage order. A cell that is not of the kind is refused
// with `code`: numbers take VT_R8, VT_R4, VT_I2, VT_I4, VT_UI1, VT_CY and
// VT_DECIMAL cells; texts BSTR cells, with Empty and Null as the empty text
// (converted by StringTransfer, code 1); origin types any number cell,
// mapped to computed exactly when it equals 2.
std::vector<double> readNumbers(const InputArray& a, const Site& site, qd::ErrorCode code);
std::vector<qd::FdCString> readTexts(const InputArray& a, const Site& site, qd::ErrorCode code);
std::vector<std::int32_t> readOriginTypes(const InputArray& a, const Site& site, qd::ErrorCode code);

// The engine's origin type of a client's: exactly 2 is computed, any other
// value supplied.
std::int32_t originTypeOf(double given);

// An output array argument. check() verifies the target against the shape
// and changes nothing; write...() then fills it: in place when it already
// has the shape, else with a new zero-based array stored in the caller's
// variable. A variable may hold its array of Variant cells or of the element
// type, by value or by reference. `outOnly` marks an [out] parameter, whose
// content is never read beyond recognising a typed reference or a reference
// to a variable; an array of another shape in that variable is replaced,
// not refused, unless it is locked (then the family's code).
class OutputArray {
public:
    OutputArray(VARIANT* target, VARTYPE element, bool outOnly, const Site& site, qd::ErrorCode family);
    void check(std::int32_t dims, std::uint32_t count1, std::uint32_t count2 = 1);
    void writeNumbers(const std::vector<double>& values);
    void writeTexts(const std::vector<qd::FdCString>& texts);

private:
    // Typed: a typed reference to the caller's array (VT_BYREF|VT_ARRAY|
    // element); InVariable: an array the caller's variable holds; Fresh:
    // no array to fill, a new one of Variant cells goes in the variable.
    enum Mode { Typed, InVariable, Fresh };
    SAFEARRAY* create(VARTYPE element) const;
    void checkReplaceable() const;
    void install(SAFEARRAY* made);

    VARIANT* variable_ = nullptr;
    VARTYPE element_;
    bool outOnly_;
    bool referenced_ = false; // variable_ was reached through a reference
    Site site_;
    qd::ErrorCode family_;
    Mode mode_ = Fresh;
    SAFEARRAY** slot_ = nullptr; // where the caller's array is kept (not Fresh)
    VARTYPE cells_ = VT_VARIANT; // the cell type of the array filled or made
    SAFEARRAY* existing_ = nullptr;
    bool inPlace_ = false;
    std::int32_t dims_ = 0;
    std::uint32_t count_[2] = {0, 0};
};

// ---- the transfers --------------------------------------------------------------

// Observation range of a call: the series' (series level) or series 0's
// after the matrix's rectangular check (2000 from the site).
struct Range {
    std::int32_t first;
    std::int32_t count;
};
Range observationRange(const qd::Series& s, std::int32_t last, std::int32_t count);
Range observationRange(const qd::Matrix& m, std::int32_t last, std::int32_t count, const Site& site);

// The value an observation holds under a selector: -1 its value, 0 to 36 a
// stored observation-level result (0.0 when absent).
double selectedValue(const qd::Series& s, std::int32_t index, std::int32_t statType);

void getObservationValues(qd::Series& s, std::int32_t last, std::int32_t count, std::int32_t statType,
                          VARIANT* values, const Site& site);
void getObservationValues(qd::Matrix& m, std::int32_t last, std::int32_t count, std::int32_t statType,
                          VARIANT* values, const Site& site);
void getObservationDescriptions(qd::Series& s, std::int32_t last, std::int32_t count, VARIANT* descriptions,
                                const Site& site);
void getObservationDescriptions(qd::Matrix& m, std::int32_t last, std::int32_t count, VARIANT* descriptions,
                                const Site& site);
void addObservations(qd::Series& s, const VARIANT& values, const VARIANT& descriptions,
                     const VARIANT& originTypes, const Site& site);
void addObservations(qd::Matrix& m, std::int32_t seriesNumber, const VARIANT& values,
                     const VARIANT& descriptions, const VARIANT& originTypes, const Site& site);
void inputObservationResults(qd::Series& s, std::int32_t last, std::int32_t count, std::int32_t statType,
                             const VARIANT& values, const Site& site);
void inputObservationResults(qd::Matrix& m, std::int32_t last, std::int32_t count, std::int32_t statType,
                             const VARIANT& values, const Site& site);
void addIndexValues(qd::Series& s, const VARIANT& values, const Site& site);
void addIndexValues(qd::Matrix& m, const VARIANT& values, const Site& site);
void getIndexValues(qd::Series& s, VARIANT* values, const Site& site);
void getIndexValues(qd::Matrix& m, VARIANT* values, const Site& site);

// Makes series `last` exist, all or nothing (SeriesGrowth.h): growth the
// process cannot hold, or a series number past the 32-bit range, is code 3
// before anything is appended.
void growMatrixTo(qd::Matrix& m, std::int64_t last, const Site& site);

// The method codes of an input method list: a one-dimensional array of at
// least one 32- or 16-bit integer (16-bit codes sign-extended), or of
// Variant cells each holding a number that is a whole 32-bit code (a
// script's list), by value or by reference; another form or cell is refused
// with 3162, another shape or an empty list with 3163.
std::vector<std::int32_t> readMethodList(const VARIANT& v, const Site& site);

// The seasonal indexes of a zero-demand Holt-Winters forecast: input numbers
// (typed or Variant cells, by value or by reference) in one dimension of
// exactly seasonalityLength elements; another form or a number cell that is
// not a number is refused with 3160, another shape or count with 3161.
std::vector<double> readSeasonalIndexes(const VARIANT& v, std::int32_t seasonalityLength, const Site& site);

} // namespace ArrayTransfer

#endif
