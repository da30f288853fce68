// DataView: the head of every vector and matrix of numbers: the block it
// views (holding one reference to it) and the address of its first element.
//
// Views are values: construction takes a reference, destruction and
// reference-assignment release one, and the last release deletes the block.
// A default view views the shared empty block with a null begin.
#ifndef FOUNDATION_DATAVIEW_H
#define FOUNDATION_DATAVIEW_H

#include "Foundation/FdBlock.h"

#include <cstdint>

namespace qd {

class DataView {
public:
    // Views the shared empty block; begin is null.
    DataView() noexcept;
    // Views the block from its first byte.
    explicit DataView(FdBlock* block) noexcept;
    // A new block of n elements of elementSize bytes.
    DataView(std::uint32_t n, std::uint32_t elementSize);
    DataView(const DataView& other) noexcept;
    // Shares the other view's block with a begin of its own.
    DataView(const DataView& other, void* begin) noexcept;
    ~DataView();

    // Shares the other's block and begin and releases its own block.
    void referenceView(const DataView& other) noexcept;

    // True when this is the only view of its block and begins at its data.
    bool isSimple() const noexcept;

    FdBlock* block() const noexcept { return block_; }
    // True when both views share one block.
    bool sameBlock(const DataView& other) const noexcept { return block_ == other.block_; }

protected:
    DataView& operator=(const DataView& other) noexcept
    {
        referenceView(other);
        return *this;
    }
    // Takes a new block over (one reference already counted by the caller
    // through the construction of a view is NOT assumed: this adds one).
    void adoptBlock(FdBlock* block, void* begin) noexcept;

    void* rawBegin() const noexcept { return begin_; }

    FdBlock* block_;
    void* begin_;

private:
    static void release(FdBlock* block) noexcept;
};

} // namespace qd

#endif
