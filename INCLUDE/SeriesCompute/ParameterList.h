// ParameterEntry and ParameterList: the coordinates of a cyclic coordinate
// search over the fitted parameters of a model.
//
// An entry names one double parameter of the model (not owned) and,
// optionally, a neighbouring parameter whose current value bounds the
// search interval of the first. A cursor walks the list cyclically. The
// Box-Jenkins model fills and walks one; no other method holds one.
#ifndef QD_SERIESCOMPUTE_PARAMETERLIST_H
#define QD_SERIESCOMPUTE_PARAMETERLIST_H

#include <cstdint>

#include "Foundation/OrderedVector.h"

namespace qd {

struct ParameterEntry {
    ParameterEntry() noexcept : parameter(nullptr), neighbour(nullptr) {}
    explicit ParameterEntry(double* parameter, double* neighbour = nullptr) noexcept
        : parameter(parameter), neighbour(neighbour)
    {
    }

    double* parameter;  // the coordinate the search varies
    double* neighbour;  // bounds its interval; null when there is none
};

class ParameterList {
public:
    enum : std::uint32_t { INITIAL_CAPACITY = 64 };

    ParameterList() : entries_(), cursor_(0) {}

    // Appends an entry without neighbour; returns the stored record.
    ParameterEntry& addParameter(double& parameter)
    {
        entries_.insert(ParameterEntry(&parameter));
        return entries_[entries_.entries() - 1];
    }
    // Appends an entry whose interval is bounded by `neighbour`.
    ParameterEntry& addParameterWithNeighbour(double& parameter, double& neighbour)
    {
        entries_.insert(ParameterEntry(&parameter, &neighbour));
        return entries_[entries_.entries() - 1];
    }

    // The parameter of the entry at the cursor (FdBoundsErr 8211 when the
    // cursor is not below the number of entries).
    double& currentParameter() { return *entries_[cursor_].parameter; }
    // The value of the current entry's neighbour, 0.0 when it has none
    // (FdBoundsErr 8211 as above).
    double currentNeighbourValue() const
    {
        const ParameterEntry& entry = entries_[cursor_];
        return entry.neighbour != nullptr ? *entry.neighbour : 0.0;
    }
    // Moves to the next entry, back to 0 after the last.
    void advanceCursor()
    {
        ++cursor_;
        if (cursor_ >= entries_.entries())
            cursor_ = 0;
    }

    // Every entry dropped, storage back to 64 entries; the cursor stays.
    void clear()
    {
        entries_.clear();
        entries_.resizeArray(INITIAL_CAPACITY);
    }

    // Entry access with the index check of the ordered vectors.
    ParameterEntry& operator[](std::uint32_t i) { return entries_[i]; }
    const ParameterEntry& operator[](std::uint32_t i) const { return entries_[i]; }
    // Removes the entry at i (FdBoundsErr 8211 when i is not below the
    // count); later entries move down.
    void removeAt(std::uint32_t i) { entries_.removeAt(i); }

    std::uint32_t entries() const { return entries_.entries(); }
    std::uint32_t capacity() const { return entries_.capacity(); }
    std::uint32_t cursor() const { return cursor_; }

private:
    OrderedVector<ParameterEntry> entries_;
    std::uint32_t cursor_;
};

} // namespace qd

#endif
