// QuantityCollection: the interface of the stored results of an observation
// (ObservationQC), a series (SeriesQC) and a matrix (MatrixQC).
//
// Results are stored under their quantity type. A type that holds nothing
// reads 0.0; lookups answer QD_QUANTITY_FOUND (0) or QD_QUANTITY_ABSENT (2).
// A type of the wrong level throws the collection's type error.
#ifndef QD_MATRIX_QUANTITYCOLLECTION_H
#define QD_MATRIX_QUANTITYCOLLECTION_H

#include <cstdint>

#include "Matrix/QuantitySlots.h"

namespace qd {

class QuantityCollection {
public:
    virtual ~QuantityCollection() = default;

    // Forgets every stored quantity.
    virtual void clear() = 0;
    // -1: the number of stored values of the whole collection; a type: how
    // many values of that type are stored.
    virtual std::int32_t count(std::int16_t type) const = 0;
    // Sets the iteration back to the beginning.
    virtual void restart() = 0;
    // The next stored quantity, or null at the end of the walk. The pointer
    // stays valid until the next store, removal or clear of the collection.
    virtual Quantity* next() = 0;
    // The stored value, 0.0 when none is stored.
    virtual double value(std::int32_t type) const = 0;
    // 0 and the value written when stored; 2 (value untouched) when not.
    virtual std::int32_t lookup(std::int32_t type, double& value) const = 0;
    // 0 when stored, 2 when there is no place for it.
    virtual std::int32_t store(std::int32_t type, double value) = 0;

protected:
    QuantityCollection() = default;
    QuantityCollection(const QuantityCollection&) = default;
    QuantityCollection& operator=(const QuantityCollection&) = default;
};

} // namespace qd

#endif
