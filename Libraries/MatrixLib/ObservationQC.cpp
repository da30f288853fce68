#include "Matrix/ObservationQC.h"

#include <cstdint>
#include <new>
#include <utility>

namespace qd {

// The block of set slots: a small header followed by `capacity` quantities,
// of which the first `size` are in use, in ascending type order. `position`
// is the slot number (0 to 37) at which the walk goes on.
struct ObservationQC::Block {
    std::int16_t size;
    std::int16_t capacity;
    // Kept in 32 bits: a result renamed in place by a client may carry any
    // 16-bit type, and the walk must still move strictly forward.
    std::int32_t position;
};

namespace {

inline std::size_t blockBytes(std::int32_t capacity)
{
    return 8 + static_cast<std::size_t>(capacity) * sizeof(Quantity);
}

}  // namespace

namespace {
template <class B>
inline Quantity* itemsOf(B* block)
{
    static_assert(sizeof(B) == 8, "block header must keep the slots aligned");
    return reinterpret_cast<Quantity*>(reinterpret_cast<char*>(block) + sizeof(B));
}

template <class B>
inline const Quantity* itemsOf(const B* block)
{
    return reinterpret_cast<const Quantity*>(reinterpret_cast<const char*>(block) + sizeof(B));
}

template <class B>
B* allocateBlock(std::int32_t capacity)
{
    void* memory = ::operator new(blockBytes(capacity));
    B* block = new (memory) B();
    block->size = 0;
    block->capacity = static_cast<std::int16_t>(capacity);
    block->position = 0;
    Quantity* items = itemsOf(block);
    for (std::int32_t i = 0; i < capacity; ++i)
        new (&items[i]) Quantity();
    return block;
}

template <class B>
void freeBlock(B* block)
{
    if (block != nullptr)
        ::operator delete(static_cast<void*>(block));
}
}  // namespace

ObservationQC::ObservationQC(const ObservationQC& other)
    : QuantityCollection(other), block_(nullptr)
{
    if (other.block_ != nullptr && other.block_->size > 0) {
        const std::int32_t n = other.block_->size;
        Block* block = allocateBlock<Block>(n);
        const Quantity* from = itemsOf(other.block_);
        Quantity* to = itemsOf(block);
        for (std::int32_t i = 0; i < n; ++i)
            to[i] = from[i];
        block->size = static_cast<std::int16_t>(n);
        block->position = other.block_->position;
        block_ = block;
    }
}

ObservationQC& ObservationQC::operator=(const ObservationQC& other)
{
    if (this != &other) {
        ObservationQC copy(other);
        swap(copy);
    }
    return *this;
}

ObservationQC::~ObservationQC()
{
    freeBlock(block_);
}

void ObservationQC::swap(ObservationQC& other) noexcept
{
    std::swap(block_, other.block_);
}

void ObservationQC::clear()
{
    Block* old = block_;
    block_ = nullptr;
    freeBlock(old);
}

std::int32_t ObservationQC::size() const
{
    return block_ != nullptr ? block_->size : 0;
}

const Quantity* ObservationQC::find(std::int32_t type) const
{
    if (block_ == nullptr)
        return nullptr;
    const Quantity* items = itemsOf(block_);
    for (std::int32_t i = 0; i < block_->size; ++i) {
        if (items[i].type == type)
            return &items[i];
        if (items[i].type > type)
            break;
    }
    return nullptr;
}

void ObservationQC::put(std::int32_t type, double value)
{
    std::int32_t size = block_ != nullptr ? block_->size : 0;
    std::int32_t at = 0;
    if (block_ != nullptr) {
        Quantity* items = itemsOf(block_);
        while (at < size && items[at].type < type)
            ++at;
        if (at < size && items[at].type == type) {
            items[at].value = value;
            return;
        }
    }
    if (block_ == nullptr || size == block_->capacity) {
        // Room for two results at first: a forecasting method stores its own
        // method code and the forecast in every observation it touches.
        std::int32_t capacity = block_ != nullptr ? block_->capacity * 2 : 2;
        if (capacity > NUM_SLOTS)
            capacity = NUM_SLOTS;
        // A client may have renamed a result in place (out of order or to a
        // type held twice), so the block can hold more than one slot per
        // type: it always grows by at least one.
        if (capacity < size + 1)
            capacity = size + 1;
        if (capacity > INT16_MAX)
            throw std::bad_alloc();
        Block* grown = allocateBlock<Block>(capacity);
        if (block_ != nullptr) {
            const Quantity* from = itemsOf(block_);
            Quantity* to = itemsOf(grown);
            for (std::int32_t i = 0; i < size; ++i)
                to[i] = from[i];
            grown->size = block_->size;
            grown->position = block_->position;
        }
        Block* old = block_;
        block_ = grown;
        freeBlock(old);
    }
    Quantity* items = itemsOf(block_);
    for (std::int32_t i = size; i > at; --i)
        items[i] = items[i - 1];
    items[at].type = type;
    items[at].value = value;
    block_->size = static_cast<std::int16_t>(size + 1);
}

void ObservationQC::restart()
{
    if (block_ != nullptr)
        block_->position = 0;
}

Quantity* ObservationQC::next()
{
    if (block_ == nullptr)
        return nullptr;
    Quantity* items = itemsOf(block_);
    for (std::int32_t i = 0; i < block_->size; ++i) {
        // The position moves past every result it visits; a result renamed
        // to the largest 32-bit type could not be passed and is not visited.
        if (items[i].type >= block_->position && items[i].type < INT32_MAX) {
            block_->position = items[i].type + 1;
            return &items[i];
        }
    }
    if (block_->position < NUM_SLOTS)
        block_->position = NUM_SLOTS;
    return nullptr;
}

} // namespace qd
