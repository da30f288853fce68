// SeriesQC: the results of one series.
//
// One slot for each single-valued series type 2000-2083 (slot type - 2000)
// and, for each multi-valued type 4000-4015, an entry that is absent until
// createMultiple() makes it: a QuantitySlots with one slot per element of
// the vector. The walk visits 17 parts in order: the single slots, then the
// entries of 4000 to 4015.
//
// Every Series holds two of them: its stored results and, in its value
// cache, the cached statistics.
#ifndef QD_MATRIX_SERIESQC_H
#define QD_MATRIX_SERIESQC_H

#include <cstdint>

#include "Matrix/MVRBaseException.h"
#include "Matrix/QuantityCollection.h"
#include "Matrix/QuantitySlots.h"

namespace qd {

class SeriesQC : public QuantityCollection {
public:
    enum : std::int32_t {
        FIRST_SINGLE = 2000,
        LAST_SINGLE = 2083,
        NUM_SINGLE = 84,
        FIRST_MULTIPLE = 4000,
        LAST_MULTIPLE = 4015,
        NUM_MULTIPLE = 16
    };

    SeriesQC();
    SeriesQC(const SeriesQC& other);
    SeriesQC& operator=(const SeriesQC& other);
    ~SeriesQC() override;

    void clear() override;
    std::int32_t count(std::int16_t type) const override;
    void restart() override;
    Quantity* next() override;

    // Single-valued types only (2000-2083); others throw 3064.
    double value(std::int32_t type) const override
    {
        return singles_.value(singleIndex(type));
    }
    std::int32_t lookup(std::int32_t type, double& value) const override
    {
        return singles_.lookup(singleIndex(type), value);
    }
    std::int32_t store(std::int32_t type, double value) override
    {
        return singles_.store(singleIndex(type), type, value);
    }

    // Slot of a single-valued type; any other type throws 3064.
    static std::int32_t singleIndex(std::int32_t type)
    {
        if (type < FIRST_SINGLE || type > LAST_SINGLE)
            qdThrow("INCLUDE\\Matrix/SeriesQC", publishedLine(31), ErrorCode::NotSingleValueStatistic);
        return type - FIRST_SINGLE;
    }
    // Position 1-16 of a multi-valued type; any other type throws 3063.
    static std::int32_t multipleIndex(std::int32_t type)
    {
        if (type < FIRST_MULTIPLE || type > LAST_MULTIPLE)
            qdThrow("INCLUDE\\Matrix/SeriesQC", publishedLine(38), ErrorCode::NotMultipleValueStatistic);
        return type - (FIRST_MULTIPLE - 1);
    }

    // Multi-valued results (4000-4015; other types throw 3063).
    // Replaces the type's entry by a new one of n empty slots (n = 0: the
    // entry becomes absent; n < 0 throws 3000 and leaves the entry as it was).
    void createMultiple(std::int32_t type, std::int32_t n);
    // 2 when the entry is absent, else the entry's lookup(index).
    std::int32_t lookupMultiple(std::int32_t type, std::int32_t index, double& value) const;
    // 2 when the entry is absent (nothing is made), else the entry's store.
    std::int32_t storeMultiple(std::int32_t type, std::int32_t index, double value);
    // The entry of a multi-valued type, null when absent.
    const QuantitySlots* multiple(std::int32_t type) const { return multiples_[multipleIndex(type) - 1]; }
    QuantitySlots* multiple(std::int32_t type) { return multiples_[multipleIndex(type) - 1]; }

    // Access by type of either range with an index, as the series
    // statistics use it on the cached statistics.
    std::int32_t lookupQuantity(std::int32_t type, std::int32_t index, double* value) const
    {
        if (type >= FIRST_SINGLE && type <= LAST_SINGLE) {
            if (index != 0)
                qdThrow("INCLUDE\\Matrix/SeriesQC", publishedLine(77), ErrorCode::OutOfBounds);
            double v = 0.0;
            const std::int32_t status = singles_.lookup(type - FIRST_SINGLE, v);
            if (status == QD_QUANTITY_FOUND && value != nullptr)
                *value = v;
            return status;
        }
        if (type < FIRST_MULTIPLE || type > LAST_MULTIPLE)
            qdThrow("INCLUDE\\Matrix/SeriesQC", publishedLine(83), ErrorCode::NotSeriesLevel);
        const QuantitySlots* entry = multiples_[type - FIRST_MULTIPLE];
        if (entry == nullptr)
            return QD_QUANTITY_ABSENT;
        double v = 0.0;
        const std::int32_t status = entry->lookup(index, v);
        if (status == QD_QUANTITY_FOUND && value != nullptr)
            *value = v;
        return status;
    }
    std::int32_t storeQuantity(std::int32_t type, std::int32_t index, double value)
    {
        if (type >= FIRST_SINGLE && type <= LAST_SINGLE) {
            if (index != 0)
                qdThrow("INCLUDE\\Matrix/SeriesQC", publishedLine(117), ErrorCode::OutOfBounds);
            return singles_.store(type - FIRST_SINGLE, type, value);
        }
        if (type < FIRST_MULTIPLE || type > LAST_MULTIPLE)
            qdThrow("INCLUDE\\Matrix/SeriesQC", publishedLine(123), ErrorCode::NotSeriesLevel);
        QuantitySlots* entry = multiples_[type - FIRST_MULTIPLE];
        if (entry == nullptr)
            return QD_QUANTITY_ABSENT;
        return entry->store(index, type, value);
    }
    std::int32_t removeQuantity(std::int32_t type)
    {
        if (type >= FIRST_SINGLE && type <= LAST_SINGLE)
            return singles_.erase(type - FIRST_SINGLE);
        if (type < FIRST_MULTIPLE || type > LAST_MULTIPLE)
            qdThrow("INCLUDE\\Matrix/SeriesQC", publishedLine(136), ErrorCode::NotSeriesLevel);
        destroyEntry(type - FIRST_MULTIPLE);
        return QD_QUANTITY_FOUND;
    }

    const QuantitySlots& singles() const { return singles_; }
    void swap(SeriesQC& other) noexcept;

private:
    void destroyEntry(std::int32_t k);

    QuantitySlots singles_;
    QuantitySlots* multiples_[NUM_MULTIPLE];
    std::int32_t position_;
};

} // namespace qd

#endif
