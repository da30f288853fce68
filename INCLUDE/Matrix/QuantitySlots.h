// Quantity and QuantitySlots: the storage of every stored result.
//
// A Quantity is one stored result: the quantity type it was stored under
// (-1 for an empty slot) and its value. QuantitySlots is a fixed-size array
// of such slots addressed by index; the quantity collections keep their
// values in it.
#ifndef QD_MATRIX_QUANTITYSLOTS_H
#define QD_MATRIX_QUANTITYSLOTS_H

#include <cstdint>

namespace qd {

// Status answers of the lookups and stores of the quantity collections.
enum : std::int32_t {
    QD_QUANTITY_FOUND = 0,   // stored / found
    QD_QUANTITY_ABSENT = 2   // not stored / no place for it
};

struct Quantity {
    std::int32_t type = -1;  // -1: empty slot
    double value = 0.0;
};

class QuantitySlots {
public:
    // capacity below 1 throws 3000 (INCLUDE\Matrix/QuantitySlots line 23).
    explicit QuantitySlots(std::int32_t capacity);
    QuantitySlots(const QuantitySlots& other);
    QuantitySlots& operator=(const QuantitySlots& other);
    virtual ~QuantitySlots();

    // Empties every slot; count and position become 0. Returns the capacity.
    virtual std::int32_t clear();
    // Empties one slot: 0, or 2 when index is outside [0, capacity).
    virtual std::int32_t erase(std::int32_t index);
    // -1: the number of set slots; an index inside: 1 when set, else 0;
    // an index outside: 0.
    virtual std::int32_t count(std::int16_t index) const;
    virtual void restart();
    // The next set slot from the iteration position, or null at the end.
    virtual Quantity* next();
    // 0.0 when the index is outside or the slot is empty.
    virtual double value(std::int32_t index) const;
    // 0 and the value written when set; 2 when outside or empty.
    virtual std::int32_t lookup(std::int32_t index, double& value) const;
    // 2 when outside; otherwise type and value written and 0 returned.
    virtual std::int32_t store(std::int32_t index, std::int32_t type, double value);

    std::int32_t capacity() const { return capacity_; }
    std::int32_t position() const { return position_; }
    // Direct read access to a slot; index must lie in [0, capacity).
    const Quantity& slot(std::int32_t index) const { return slots_[index]; }

    void swap(QuantitySlots& other) noexcept;

private:
    std::int32_t capacity_;
    std::int32_t count_;
    std::int32_t position_;
    Quantity* slots_;
};

} // namespace qd

#endif
