// FdBlock: reference-counted heap storage shared by the double vectors and
// matrices (and the int vectors of the LU pivots).
//
// A block counts its views minus one: a fresh block holds -1 (no view yet),
// every view adds one and the view whose release finds 0 deletes the block.
// All empty vectors and matrices view one shared empty block, whose count
// starts at 0 (a permanent reference held by the program): it is never freed.
//
// Sizes are 32-bit, as in the Windows build: a block whose byte size does not
// fit in 32 bits cannot be made and fails like any other allocation, with
// std::bad_alloc (the automation layer reports it as out of memory, code 3).
#ifndef FOUNDATION_FDBLOCK_H
#define FOUNDATION_FDBLOCK_H

#include <atomic>
#include <cstdint>

namespace qd {

class FdBlock {
public:
    // An empty block: null data, size 0.
    FdBlock() noexcept;
    // A block of n elements of elementSize bytes each (no storage when the
    // product is 0). Throws std::bad_alloc when it cannot be allocated.
    FdBlock(std::uint32_t n, std::uint32_t elementSize);
    virtual ~FdBlock();

    FdBlock(const FdBlock&) = delete;
    FdBlock& operator=(const FdBlock&) = delete;

    // Number of views minus one.
    std::int32_t references() const noexcept { return references_.load(std::memory_order_relaxed); }
    void addReference() noexcept { references_.fetch_add(1, std::memory_order_relaxed); }
    // Drops one reference; true when the caller held the last one and must
    // delete the block.
    bool releaseReference() noexcept { return references_.fetch_sub(1, std::memory_order_acq_rel) == 0; }

    void* data() const noexcept { return data_; }
    std::uint32_t size() const noexcept { return size_; }

    // The one block every empty vector and matrix views.
    static FdBlock* sharedEmpty() noexcept;

protected:
    // For derived blocks that allocate their own storage.
    FdBlock(void* data, std::uint32_t size) noexcept;

    // Byte size of n elements of elementSize bytes; throws std::bad_alloc
    // when it does not fit in 32 bits.
    static std::uint32_t byteSize(std::uint32_t n, std::uint32_t elementSize);

    std::atomic<std::int32_t> references_;
    void* data_;
    std::uint32_t size_;
};

// Storage of n doubles (8n bytes). Throws std::bad_alloc on failure.
double* allocateDoubles(std::uint32_t n);
// Storage of n 32-bit ints (4n bytes). Throws std::bad_alloc on failure.
std::int32_t* allocateInts(std::uint32_t n);

// A block of n doubles.
class DoubleBlock : public FdBlock {
public:
    explicit DoubleBlock(std::uint32_t n);
    ~DoubleBlock() override;
    double* doubles() const noexcept { return static_cast<double*>(data_); }
    std::uint32_t count() const noexcept { return size_ / 8u; }
};

// A block of n 32-bit ints.
class IntBlock : public FdBlock {
public:
    explicit IntBlock(std::uint32_t n);
    ~IntBlock() override;
    std::int32_t* ints() const noexcept { return static_cast<std::int32_t*>(data_); }
    std::uint32_t count() const noexcept { return size_ / 4u; }
};

} // namespace qd

#endif
