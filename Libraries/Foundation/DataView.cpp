#include "Foundation/DataView.h"

namespace qd {

DataView::DataView() noexcept : block_(FdBlock::sharedEmpty()), begin_(nullptr)
{
    block_->addReference();
}

DataView::DataView(FdBlock* block) noexcept : block_(block), begin_(block->data())
{
    block_->addReference();
}

DataView::DataView(std::uint32_t n, std::uint32_t elementSize)
    : block_(new FdBlock(n, elementSize)), begin_(nullptr)
{
    begin_ = block_->data();
    block_->addReference();
}

DataView::DataView(const DataView& other) noexcept : block_(other.block_), begin_(other.begin_)
{
    block_->addReference();
}

DataView::DataView(const DataView& other, void* begin) noexcept : block_(other.block_), begin_(begin)
{
    block_->addReference();
}

DataView::~DataView()
{
    release(block_);
}

void DataView::release(FdBlock* block) noexcept
{
    if (block->releaseReference()) {
        delete block;
    }
}

void DataView::referenceView(const DataView& other) noexcept
{
    // Take the new reference first, so that assigning a view of the same
    // block (itself included) never frees it.
    FdBlock* old = block_;
    other.block_->addReference();
    block_ = other.block_;
    begin_ = other.begin_;
    release(old);
}

void DataView::adoptBlock(FdBlock* block, void* begin) noexcept
{
    FdBlock* old = block_;
    block->addReference();
    block_ = block;
    begin_ = begin;
    release(old);
}

bool DataView::isSimple() const noexcept
{
    return block_->references() == 0 && begin_ == block_->data();
}

} // namespace qd
