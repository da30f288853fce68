#include "Matrix/QuantitySlots.h"

#include <utility>

#include "Matrix/MVRBaseException.h"

namespace qd {

QuantitySlots::QuantitySlots(std::int32_t capacity)
    : capacity_(0), count_(0), position_(0), slots_(nullptr)
{
    if (capacity < 1)
        qdThrow("INCLUDE\\Matrix/QuantitySlots", publishedLine(23), ErrorCode::NegativeIndex);
    slots_ = new Quantity[static_cast<std::size_t>(capacity)];
    capacity_ = capacity;
}

QuantitySlots::QuantitySlots(const QuantitySlots& other)
    : capacity_(0), count_(0), position_(0), slots_(nullptr)
{
    slots_ = new Quantity[static_cast<std::size_t>(other.capacity_)];
    for (std::int32_t i = 0; i < other.capacity_; ++i)
        slots_[i] = other.slots_[i];
    capacity_ = other.capacity_;
    count_ = other.count_;
    position_ = other.position_;
}

QuantitySlots& QuantitySlots::operator=(const QuantitySlots& other)
{
    if (this != &other) {
        // The copy is complete before the old array goes, so a failed
        // allocation leaves this object as it was.
        QuantitySlots copy(other);
        swap(copy);
    }
    return *this;
}

QuantitySlots::~QuantitySlots()
{
    delete[] slots_;
}

void QuantitySlots::swap(QuantitySlots& other) noexcept
{
    std::swap(capacity_, other.capacity_);
    std::swap(count_, other.count_);
    std::swap(position_, other.position_);
    std::swap(slots_, other.slots_);
}

std::int32_t QuantitySlots::clear()
{
    // The count never falls below the set slots (a slot renamed to -1 in
    // place stays counted): with none counted every slot is already empty.
    if (count_ != 0) {
        for (std::int32_t i = 0; i < capacity_; ++i)
            slots_[i] = Quantity();
    }
    count_ = 0;
    position_ = 0;
    return capacity_;
}

std::int32_t QuantitySlots::erase(std::int32_t index)
{
    if (index < 0 || index >= capacity_)
        return QD_QUANTITY_ABSENT;
    if (slots_[index].type != -1)
        --count_;
    slots_[index] = Quantity();
    return QD_QUANTITY_FOUND;
}

std::int32_t QuantitySlots::count(std::int16_t index) const
{
    if (index == -1) {
        // Counted from the slots: a client may have emptied a slot by
        // renaming its result to -1 in place, past the running count.
        std::int32_t set = 0;
        for (std::int32_t i = 0; i < capacity_; ++i)
            if (slots_[i].type != -1)
                ++set;
        return set;
    }
    if (index < 0 || index >= capacity_)
        return 0;
    return slots_[index].type != -1 ? 1 : 0;
}

void QuantitySlots::restart()
{
    position_ = 0;
}

Quantity* QuantitySlots::next()
{
    while (position_ < capacity_) {
        Quantity* q = &slots_[position_++];
        if (q->type != -1)
            return q;
    }
    return nullptr;
}

double QuantitySlots::value(std::int32_t index) const
{
    if (index < 0 || index >= capacity_ || slots_[index].type == -1)
        return 0.0;
    return slots_[index].value;
}

std::int32_t QuantitySlots::lookup(std::int32_t index, double& value) const
{
    if (index < 0 || index >= capacity_ || slots_[index].type == -1)
        return QD_QUANTITY_ABSENT;
    value = slots_[index].value;
    return QD_QUANTITY_FOUND;
}

std::int32_t QuantitySlots::store(std::int32_t index, std::int32_t type, double value)
{
    if (index < 0 || index >= capacity_)
        return QD_QUANTITY_ABSENT;
    // The count follows the slot's state, so that a store under the empty
    // marker -1 cannot make it disagree with the slots.
    const bool wasSet = slots_[index].type != -1;
    const bool isSet = type != -1;
    if (isSet && !wasSet)
        ++count_;
    else if (wasSet && !isSet)
        --count_;
    slots_[index].type = type;
    slots_[index].value = value;
    return QD_QUANTITY_FOUND;
}

} // namespace qd
