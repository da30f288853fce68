#include "Foundation/FdBlock.h"

#include <limits>
#include <new>

namespace qd {

FdBlock::FdBlock() noexcept : references_(-1), data_(nullptr), size_(0) {}

FdBlock::FdBlock(void* data, std::uint32_t size) noexcept : references_(-1), data_(data), size_(size) {}

FdBlock::FdBlock(std::uint32_t n, std::uint32_t elementSize)
    : references_(-1), data_(nullptr), size_(byteSize(n, elementSize))
{
    if (size_ != 0) {
        data_ = ::operator new(size_);
    }
}

FdBlock::~FdBlock()
{
    ::operator delete(data_);
}

std::uint32_t FdBlock::byteSize(std::uint32_t n, std::uint32_t elementSize)
{
    const std::uint64_t bytes = static_cast<std::uint64_t>(n) * elementSize;
    if (bytes > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    return static_cast<std::uint32_t>(bytes);
}

FdBlock* FdBlock::sharedEmpty() noexcept
{
    // Made once and never freed; it starts with the program's own reference.
    static FdBlock* const empty = [] {
        FdBlock* block = new FdBlock();
        block->references_.store(0);
        return block;
    }();
    return empty;
}

// Touch the shared empty block during static initialisation, so that it
// exists before any client call.
static FdBlock* const sharedEmptyAtLoad = FdBlock::sharedEmpty();

double* allocateDoubles(std::uint32_t n)
{
    const std::uint64_t bytes = static_cast<std::uint64_t>(n) * sizeof(double);
    if (bytes > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    if (bytes == 0) {
        return nullptr;
    }
    return static_cast<double*>(::operator new(static_cast<std::size_t>(bytes)));
}

std::int32_t* allocateInts(std::uint32_t n)
{
    const std::uint64_t bytes = static_cast<std::uint64_t>(n) * sizeof(std::int32_t);
    if (bytes > std::numeric_limits<std::uint32_t>::max()) {
        throw std::bad_alloc();
    }
    if (bytes == 0) {
        return nullptr;
    }
    return static_cast<std::int32_t*>(::operator new(static_cast<std::size_t>(bytes)));
}

DoubleBlock::DoubleBlock(std::uint32_t n) : FdBlock(allocateDoubles(n), n * 8u) {}

DoubleBlock::~DoubleBlock() = default;

IntBlock::IntBlock(std::uint32_t n) : FdBlock(allocateInts(n), n * 4u) {}

IntBlock::~IntBlock() = default;

} // namespace qd
