// IntrusiveSList.h - intrusive singly linked list.
//
// A link is any node whose first member is the pointer to the next link
// (derive the node from FdSLink, or make an FdSLink its first member). The
// list does not own its links. Two sentinels frame the links: the head
// sentinel's next is the first link (the tail sentinel when empty) and the
// tail sentinel's next points to itself. last() is the last real link, or the
// head sentinel when the list is empty.
//
// Index checks (at, insertAt, removeAt) throw FdBoundsErr 8211 (index,
// count), or 8212 for FD_NPOS.
#ifndef FOUNDATION_INTRUSIVESLIST_H
#define FOUNDATION_INTRUSIVESLIST_H

#include <cstdint>

namespace qd {

struct FdSLink {
    FdSLink* next = nullptr;
};

class IntrusiveSList {
public:
    IntrusiveSList() { init(); }
    explicit IntrusiveSList(FdSLink* link);
    // The sentinels point at each other: a list cannot be copied or moved.
    IntrusiveSList(const IntrusiveSList&) = delete;
    IntrusiveSList& operator=(const IntrusiveSList&) = delete;

    void init();
    void clear() { init(); }

    std::uint32_t entries() const { return count_; }
    bool isEmpty() const { return count_ == 0; }

    FdSLink* head() { return &head_; }               // the head sentinel
    const FdSLink* tail() const { return &tail_; }   // the tail sentinel
    FdSLink* last() { return last_; }
    FdSLink* first() { return count_ == 0 ? nullptr : head_.next; }

    // Links link after prev; link becomes last when prev was last.
    void insertAfter(FdSLink* prev, FdSLink* link);
    void append(FdSLink* link) { insertAfter(last_, link); }
    void prepend(FdSLink* link) { insertAfter(&head_, link); }

    // Unlinks and returns prev's successor; null for a null prev and when
    // prev has no real successor (prev is the last link).
    FdSLink* removeAfter(FdSLink* prev);
    // Unlinks and returns the first link, null when empty.
    FdSLink* removeFirst() { return removeAfter(&head_); }

    FdSLink* at(std::uint32_t i);
    void insertAt(std::uint32_t i, FdSLink* link);   // i may equal entries()
    FdSLink* removeAt(std::uint32_t i);

    // Unlinks link (its next is cleared); null when it is not in the list.
    FdSLink* remove(FdSLink* link);
    // The link whose next is link (the head sentinel for the first link), or
    // null when link is not in the list.
    FdSLink* findPredecessor(FdSLink* link);
    bool contains(FdSLink* link) { return findPredecessor(link) != nullptr; }

private:
    FdSLink head_;
    FdSLink tail_;
    FdSLink* last_;
    std::uint32_t count_;
};

} // namespace qd

#endif
