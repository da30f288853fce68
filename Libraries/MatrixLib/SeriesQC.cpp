#include "Matrix/SeriesQC.h"

#include <memory>
#include <utility>

namespace qd {

namespace {
const char* const QD_SOURCE_PATH = "Libraries\\MatrixLib\\SeriesQC";
}

SeriesQC::SeriesQC()
    : singles_(NUM_SINGLE), multiples_(), position_(0)
{
}

SeriesQC::SeriesQC(const SeriesQC& other)
    : QuantityCollection(other), singles_(other.singles_), multiples_(), position_(other.position_)
{
    try {
        for (std::int32_t k = 0; k < NUM_MULTIPLE; ++k) {
            if (other.multiples_[k] != nullptr)
                multiples_[k] = new QuantitySlots(*other.multiples_[k]);
        }
    } catch (...) {
        for (std::int32_t k = 0; k < NUM_MULTIPLE; ++k)
            destroyEntry(k);
        throw;
    }
}

SeriesQC& SeriesQC::operator=(const SeriesQC& other)
{
    if (this != &other) {
        // Build the whole copy first: a failed allocation leaves this
        // collection untouched, and no entry is released before it is
        // replaced.
        SeriesQC copy(other);
        swap(copy);
    }
    return *this;
}

SeriesQC::~SeriesQC()
{
    for (std::int32_t k = 0; k < NUM_MULTIPLE; ++k)
        destroyEntry(k);
}

void SeriesQC::swap(SeriesQC& other) noexcept
{
    singles_.swap(other.singles_);
    for (std::int32_t k = 0; k < NUM_MULTIPLE; ++k)
        std::swap(multiples_[k], other.multiples_[k]);
    std::swap(position_, other.position_);
}

void SeriesQC::destroyEntry(std::int32_t k)
{
    QuantitySlots* entry = multiples_[k];
    multiples_[k] = nullptr;
    delete entry;
}

void SeriesQC::clear()
{
    singles_.clear();
    for (std::int32_t k = 0; k < NUM_MULTIPLE; ++k)
        destroyEntry(k);
    position_ = 0;
}

std::int32_t SeriesQC::count(std::int16_t type) const
{
    if (type == -1) {
        std::int32_t total = singles_.count(-1);
        for (std::int32_t k = 0; k < NUM_MULTIPLE; ++k) {
            if (multiples_[k] != nullptr)
                total += multiples_[k]->count(-1);
        }
        return total;
    }
    if (type < FIRST_SINGLE || type > LAST_MULTIPLE)
        qdThrow(QD_SOURCE_PATH, publishedLine(105), ErrorCode::NotSeriesLevel);
    if (type <= LAST_SINGLE)
        return singles_.count(static_cast<std::int16_t>(type - FIRST_SINGLE));
    const QuantitySlots* entry = multiples_[multipleIndex(type) - 1];
    return entry != nullptr ? entry->count(-1) : 0;
}

void SeriesQC::restart()
{
    position_ = 0;
    singles_.restart();
    for (std::int32_t k = 0; k < NUM_MULTIPLE; ++k) {
        if (multiples_[k] != nullptr)
            multiples_[k]->restart();
    }
}

Quantity* SeriesQC::next()
{
    while (position_ <= NUM_MULTIPLE) {
        QuantitySlots* part = position_ == 0 ? &singles_ : multiples_[position_ - 1];
        if (part != nullptr) {
            if (Quantity* q = part->next())
                return q;
        }
        ++position_;
    }
    return nullptr;
}

void SeriesQC::createMultiple(std::int32_t type, std::int32_t n)
{
    const std::int32_t k = multipleIndex(type) - 1;
    if (n == 0) {
        destroyEntry(k);
        return;
    }
    // The new entry is made before the old one goes: a size below 1 throws
    // 3000 from QuantitySlots and leaves the old entry in place.
    std::unique_ptr<QuantitySlots> entry(new QuantitySlots(n));
    destroyEntry(k);
    multiples_[k] = entry.release();
}

std::int32_t SeriesQC::lookupMultiple(std::int32_t type, std::int32_t index, double& value) const
{
    const QuantitySlots* entry = multiples_[multipleIndex(type) - 1];
    if (entry == nullptr)
        return QD_QUANTITY_ABSENT;
    return entry->lookup(index, value);
}

std::int32_t SeriesQC::storeMultiple(std::int32_t type, std::int32_t index, double value)
{
    QuantitySlots* entry = multiples_[multipleIndex(type) - 1];
    if (entry == nullptr)
        return QD_QUANTITY_ABSENT;
    return entry->store(index, type, value);
}

} // namespace qd
