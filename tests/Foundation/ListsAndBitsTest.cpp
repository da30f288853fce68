// Lists, node pool, word and bit vectors, binary search, buffer growth.
#include "Foundation/BinarySearch.h"
#include "Foundation/BitArray.h"
#include "Foundation/BufferGrowth.h"
#include "Foundation/FdCString.h"
#include "Foundation/FdExceptions.h"
#include "Foundation/IntrusiveSList.h"
#include "Foundation/NodePool.h"
#include "Foundation/WordVector.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "FoundationTestSupport.h"

using namespace qd;

namespace {

struct Node : FdSLink {
    explicit Node(int v) : value(v) {}
    int value;
};

std::vector<int> values(IntrusiveSList& list)
{
    std::vector<int> out;
    for (FdSLink* p = list.head()->next; p != list.tail(); p = p->next)
        out.push_back(static_cast<Node*>(p)->value);
    return out;
}

TEST(IntrusiveSList, LastFollowsInsertionAndRemoval)
{
    Node a(1), b(2), c(3);
    IntrusiveSList list;
    EXPECT_EQ(list.last(), list.head());
    EXPECT_EQ(list.first(), nullptr);
    list.insertAfter(list.head(), &a);
    list.insertAfter(&a, &b);
    EXPECT_EQ(list.last(), &b);
    list.insertAfter(&b, &c);
    EXPECT_EQ(list.last(), &c);
    EXPECT_EQ(list.entries(), 3u);
    EXPECT_EQ(values(list), (std::vector<int>{1, 2, 3}));

    EXPECT_EQ(list.removeAfter(&b), &c);
    EXPECT_EQ(list.last(), &b);
    EXPECT_EQ(list.removeAfter(&b), nullptr);  // nothing after the last link
    EXPECT_EQ(list.removeAfter(nullptr), nullptr);
    EXPECT_EQ(list.entries(), 2u);
    EXPECT_EQ(list.removeFirst(), &a);
    EXPECT_EQ(list.removeFirst(), &b);
    EXPECT_EQ(list.removeFirst(), nullptr);
    EXPECT_EQ(list.last(), list.head());
    EXPECT_EQ(list.entries(), 0u);
    EXPECT_EQ(list.tail()->next, list.tail());
}

TEST(IntrusiveSList, PositionsAndSearch)
{
    Node n[5] = {Node(0), Node(1), Node(2), Node(3), Node(4)};
    IntrusiveSList list(&n[1]);
    list.insertAt(0, &n[0]);
    list.insertAt(2, &n[3]);
    list.insertAt(2, &n[2]);
    EXPECT_EQ(values(list), (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(list.at(2), &n[2]);
    EXPECT_EQ(boundsMessage([&] { list.at(4); }),
              "[INDEXERR] Illegal Index (4) for collection or string with 4 elements");
    EXPECT_EQ(boundsMessage([&] { list.insertAt(5, &n[4]); }),
              "[INDEXERR] Illegal Index (5) for collection or string with 4 elements");
    EXPECT_EQ(boundsMessage([&] { list.removeAt(FD_NPOS); }),
              "[NPOSINDEX] The value FD_NPOS cannot be used as an index.");

    EXPECT_TRUE(list.contains(&n[3]));
    EXPECT_FALSE(list.contains(&n[4]));
    EXPECT_EQ(list.findPredecessor(&n[0]), list.head());
    EXPECT_EQ(list.remove(&n[4]), nullptr);
    EXPECT_EQ(list.remove(&n[3]), &n[3]);
    EXPECT_EQ(n[3].next, nullptr);
    EXPECT_EQ(list.last(), &n[2]);
    EXPECT_EQ(list.removeAt(1), &n[1]);
    EXPECT_EQ(values(list), (std::vector<int>{0, 2}));
    EXPECT_EQ(list.tail()->next, list.tail());  // the search restored the sentinel
    list.clear();
    EXPECT_EQ(list.entries(), 0u);
    EXPECT_EQ(list.last(), list.head());
}

TEST(NodePool, KeepsFiveBlocksPerSizeClass)
{
    nodePoolFlush();
    std::vector<void*> blocks;
    for (int i = 0; i < 6; ++i)
        blocks.push_back(nodePoolAllocate(8));
    for (void* b : blocks)
        nodePoolFree(b, 8);
    EXPECT_EQ(nodePoolCached(3), 5u);

    std::set<void*> cached(blocks.begin(), blocks.begin() + 5);
    for (int i = 0; i < 5; ++i) {
        void* b = nodePoolAllocate(i % 2 == 0 ? 7 : 8);
        EXPECT_EQ(cached.count(b), 1u);
        cached.erase(b);
    }
    EXPECT_EQ(nodePoolCached(3), 0u);
    for (void* b : blocks)
        if (std::find(blocks.begin(), blocks.begin() + 5, b) != blocks.begin() + 5)
            nodePoolFree(b, 8);

    // Sizes outside 1..10 bypass the pool, 0 included.
    void* zero = nodePoolAllocate(0);
    EXPECT_NE(zero, nullptr);
    nodePoolFree(zero, 0);
    void* big = nodePoolAllocate(11);
    nodePoolFree(big, 11);
    EXPECT_EQ(nodePoolCached(-1), 0u);
    EXPECT_EQ(nodePoolCached(5), 0u);
    EXPECT_THROW(nodePoolAllocate(0xFFFFFFFFu), std::bad_alloc);
    nodePoolFlush();
    for (int k = 0; k < NODE_POOL_CLASSES; ++k)
        EXPECT_EQ(nodePoolCached(k), 0u);
}

TEST(WordVector, FillReshapeResizeAndChecks)
{
    WordVector w(3, 7u);
    EXPECT_EQ(w.length(), 3u);
    EXPECT_EQ(w(2), 7u);
    WordVector copy(w);
    copy(0) = 1;
    EXPECT_EQ(w(0), 7u);
    w.resize(5);
    EXPECT_EQ(w(3), 0u);
    EXPECT_EQ(w(4), 0u);
    EXPECT_EQ(w(2), 7u);
    w.reshape(2);
    EXPECT_EQ(w.length(), 2u);
    w = copy;
    EXPECT_EQ(w.length(), 3u);
    EXPECT_EQ(w(0), 1u);
    w = w;
    EXPECT_EQ(w(0), 1u);
    w.fill(9);
    EXPECT_EQ(w(1), 9u);
    EXPECT_EQ(boundsMessage([&] { w(3); }),
              "[INDEXERR] Illegal Index (3) for collection or string with 3 elements");
    EXPECT_EQ(boundsMessage([&] { w(FD_NPOS); }), "[NPOSINDEX] The value FD_NPOS cannot be used as an index.");
    w.reshape(0);
    EXPECT_EQ(w.data(), nullptr);
    EXPECT_THROW(WordVector(0xFFFFFFFFu), std::bad_alloc);
}

TEST(BitArray, FirstSetAndFirstClear)
{
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::uint32_t n, set, clear;
    };
    const Case cases[] = {
        {{0x00, 0x02}, 10, 9, 0},
        {{0x00, 0xFC}, 10, FD_NPOS, 0},        // bits beyond 10 ignored
        {{0xFF, 0x01}, 10, 0, 9},
        {{0xFF, 0xFF}, 10, 0, FD_NPOS},
        {{0x80}, 8, 7, 0},
        {{0x7F}, 8, 0, 7},
        {{0x0C}, 8, 2, 0},
        {{0x00, 0x00, 0x10}, 24, 20, 0},
        {{0xFF}, 0, FD_NPOS, FD_NPOS},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(firstSet(c.bytes.data(), c.n), c.set) << c.n;
        EXPECT_EQ(firstClear(c.bytes.data(), c.n), c.clear) << c.n;
    }

    std::uint8_t t[3] = {0x0F, 0xF0, 0xAA};
    const std::uint8_t s[3] = {0xFF, 0x0F, 0x55};
    bitsAnd(t, s, 3);
    EXPECT_EQ(t[0], 0x0F);
    EXPECT_EQ(t[1], 0x00);
    EXPECT_EQ(t[2], 0x00);
    bitsOr(t, s, 2);
    EXPECT_EQ(t[0], 0xFF);
    EXPECT_EQ(t[1], 0x0F);
    EXPECT_EQ(t[2], 0x00);
    bitsXor(t, s, 3);
    EXPECT_EQ(t[0], 0x00);
    EXPECT_EQ(t[1], 0x00);
    EXPECT_EQ(t[2], 0x55);
    EXPECT_EQ(FD_PARTIAL_WORD_MASK[2][1], 0xFF);
    EXPECT_EQ(FD_PARTIAL_WORD_MASK[2][2], 0x00);
}

int compareInt(const void* element, const void* key)
{
    int a = *static_cast<const int*>(element);
    int b = *static_cast<const int*>(key);
    return a < b ? -1 : (a > b ? 1 : 0);
}

TEST(BinarySearch, ExactMatchesOnly)
{
    const int odd[] = {1, 3, 5, 7};
    struct Case {
        int key;
        bool found;
        std::uint32_t index;
    };
    for (Case c : {Case{5, true, 2}, Case{1, true, 0}, Case{7, true, 3}, Case{3, true, 1}, Case{4, false, 2},
                   Case{0, false, 0}, Case{8, false, 3}}) {
        std::uint32_t index = 99;
        EXPECT_EQ(binarySearch(&c.key, odd, 4, sizeof(int), compareInt, &index), c.found) << c.key;
        EXPECT_EQ(index, c.index) << c.key;
    }
    std::uint32_t index = 99;
    int key = 0;
    EXPECT_FALSE(binarySearch(&key, odd, 0, sizeof(int), compareInt, &index));
    EXPECT_EQ(index, 0u);
    const int seven[] = {7};
    key = 7;
    EXPECT_TRUE(binarySearch(&key, seven, 1, sizeof(int), compareInt, &index));
    EXPECT_EQ(index, 0u);
}

TEST(BufferGrowth, CapacityRuleAndItsLimit)
{
    EXPECT_EQ(nextBufferCapacity(0, 1), 16u);
    EXPECT_EQ(nextBufferCapacity(15, 100), 16u);
    EXPECT_EQ(nextBufferCapacity(16, 4), 32u);
    EXPECT_EQ(nextBufferCapacity(0x7FFFFFFFu, 1), 0xFFFFFFFEu);
    EXPECT_EQ(nextBufferCapacity(0x80000000u, 1), 0x7FFFFFFFu + 0x40000000u);
    const std::string overflow =
        "[OVFLOW] Overflow error -> \"Buffer may not resize larger than\" <- (4294967295 max characters)";
    EXPECT_EQ(boundsMessage([] { nextBufferCapacity(0xFFFFFFFDu, 1); }), overflow);
    EXPECT_EQ(boundsMessage([] { nextBufferCapacity(0x40000000u, 4); }), overflow);
    // The rule would hand out a smaller capacity just below the limit.
    EXPECT_EQ(boundsMessage([] { nextBufferCapacity(1073741823u, 4); }), overflow);
    EXPECT_EQ(foundationVersion(), 1799u);
}

} // namespace
