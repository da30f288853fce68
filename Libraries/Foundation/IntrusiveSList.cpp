// IntrusiveSList.cpp - intrusive singly linked list.
#include "Foundation/IntrusiveSList.h"

#include "Foundation/FdExceptions.h"

namespace qd {

IntrusiveSList::IntrusiveSList(FdSLink* link)
{
    init();
    insertAfter(&head_, link);
}

void IntrusiveSList::init()
{
    head_.next = &tail_;
    tail_.next = &tail_;
    last_ = &head_;
    count_ = 0;
}

void IntrusiveSList::insertAfter(FdSLink* prev, FdSLink* link)
{
    link->next = prev->next;
    prev->next = link;
    if (prev == last_)
        last_ = link;
    ++count_;
}

FdSLink* IntrusiveSList::removeAfter(FdSLink* prev)
{
    if (prev == nullptr || prev == last_ || prev == &tail_)
        return nullptr;
    FdSLink* link = prev->next;
    prev->next = link->next;
    if (link == last_)
        last_ = prev;
    --count_;
    return link;
}

FdSLink* IntrusiveSList::at(std::uint32_t i)
{
    if (i >= count_)
        fdRaiseIndex(i, count_);
    FdSLink* p = head_.next;
    while (i-- != 0)
        p = p->next;
    return p;
}

void IntrusiveSList::insertAt(std::uint32_t i, FdSLink* link)
{
    if (i > count_)
        fdRaiseIndex(i, count_);
    insertAfter(i == 0 ? &head_ : at(i - 1), link);
}

FdSLink* IntrusiveSList::removeAt(std::uint32_t i)
{
    if (i >= count_)
        fdRaiseIndex(i, count_);
    return removeAfter(i == 0 ? &head_ : at(i - 1));
}

FdSLink* IntrusiveSList::findPredecessor(FdSLink* link)
{
    if (link == nullptr || link == &head_ || link == &tail_)
        return nullptr;
    // The tail sentinel temporarily points at link, so the walk always stops.
    tail_.next = link;
    FdSLink* p = &head_;
    while (p->next != link)
        p = p->next;
    tail_.next = &tail_;
    return p == &tail_ ? nullptr : p;
}

FdSLink* IntrusiveSList::remove(FdSLink* link)
{
    FdSLink* prev = findPredecessor(link);
    if (prev == nullptr)
        return nullptr;
    prev->next = link->next;
    link->next = nullptr;
    if (link == last_)
        last_ = prev;
    --count_;
    return link;
}

} // namespace qd
