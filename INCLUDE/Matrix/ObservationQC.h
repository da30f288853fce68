// ObservationQC: the stored results of one observation, one slot for each
// observation-level quantity type 0 to 36.
//
// Most observations never hold a result, so the slots are not kept inline:
// an empty collection is one pointer, and the set slots live in a small
// block that is allocated on the first store and grows as types are added.
// The block holds only the set slots, in ascending type order, so the walk
// and the counts are those of a full array of 37 slots.
#ifndef QD_MATRIX_OBSERVATIONQC_H
#define QD_MATRIX_OBSERVATIONQC_H

#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityCollection.h"

namespace qd {

class ObservationQC : public QuantityCollection {
public:
    enum : std::int32_t { NUM_SLOTS = 37 };

    ObservationQC() noexcept : block_(nullptr) {}
    ObservationQC(const ObservationQC& other);
    ObservationQC& operator=(const ObservationQC& other);
    ~ObservationQC() override;

    void clear() override;
    std::int32_t count(std::int16_t type) const override
    {
        if (type == -1)
            return size();
        checkType(type, publishedLine(30));
        return find(type) != nullptr ? 1 : 0;
    }
    void restart() override;
    Quantity* next() override;
    std::int32_t lookup(std::int32_t type, double& value) const override
    {
        checkType(type, publishedLine(40));
        const Quantity* q = find(type);
        if (q == nullptr)
            return QD_QUANTITY_ABSENT;
        value = q->value;
        return QD_QUANTITY_FOUND;
    }
    double value(std::int32_t type) const override
    {
        checkType(type, publishedLine(54));
        const Quantity* q = find(type);
        return q != nullptr ? q->value : 0.0;
    }
    std::int32_t store(std::int32_t type, double value) override
    {
        checkType(type, publishedLine(62));
        put(type, value);
        return QD_QUANTITY_FOUND;
    }

    // True when no slot has ever been filled since construction or clear()
    // (no storage is held).
    bool holdsStorage() const { return block_ != nullptr; }
    void swap(ObservationQC& other) noexcept;

private:
    struct Block;

    static void checkType(std::int32_t type, std::int32_t line)
    {
        if (type < 0 || type >= NUM_SLOTS)
            qdThrow("INCLUDE\\Matrix/ObservationQC", line, ErrorCode::NotObservationLevel);
    }
    std::int32_t size() const;
    const Quantity* find(std::int32_t type) const;
    void put(std::int32_t type, double value);

    Block* block_;
};

} // namespace qd

#endif
