// Stored results by quantity type: slots, observation, series and matrix
// collections.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "Matrix/MatrixQC.h"
#include "Matrix/ObservationQC.h"
#include "Matrix/QuantitySlots.h"
#include "Matrix/SeriesQC.h"
#include "TestSupport.h"

using namespace qd;

namespace {

std::vector<std::pair<int, double>> walk(QuantityCollection& qc)
{
    std::vector<std::pair<int, double>> seen;
    while (Quantity* q = qc.next())
        seen.emplace_back(q->type, q->value);
    return seen;
}

using Walk = std::vector<std::pair<int, double>>;

TEST(QuantitySlots, StoreEraseCountAndBounds)
{
    QuantitySlots slots(4);
    EXPECT_EQ(slots.count(-1), 0);
    EXPECT_EQ(slots.store(1, 2001, 1.5), QD_QUANTITY_FOUND);
    EXPECT_EQ(slots.store(1, 2001, 2.5), QD_QUANTITY_FOUND);  // replaces, count stays
    EXPECT_EQ(slots.store(3, 2003, 3.5), QD_QUANTITY_FOUND);
    EXPECT_EQ(slots.count(-1), 2);
    EXPECT_EQ(slots.count(1), 1);
    EXPECT_EQ(slots.count(0), 0);
    EXPECT_EQ(slots.count(9), 0);

    // Indexes outside the array never throw.
    double v = -7.0;
    for (int index : {-2, 4, 100}) {
        EXPECT_EQ(slots.store(index, 1, 1.0), QD_QUANTITY_ABSENT);
        EXPECT_EQ(slots.lookup(index, v), QD_QUANTITY_ABSENT);
        EXPECT_EQ(slots.value(index), 0.0);
        EXPECT_EQ(slots.erase(index), QD_QUANTITY_ABSENT);
    }
    EXPECT_EQ(v, -7.0);
    EXPECT_EQ(slots.lookup(1, v), QD_QUANTITY_FOUND);
    EXPECT_EQ(v, 2.5);

    EXPECT_EQ(slots.erase(1), QD_QUANTITY_FOUND);
    EXPECT_EQ(slots.erase(1), QD_QUANTITY_FOUND);  // already empty: count unchanged
    EXPECT_EQ(slots.count(-1), 1);
    // A store under the empty marker keeps count and slots in agreement.
    slots.store(3, -1, 0.0);
    EXPECT_EQ(slots.count(-1), 0);
    EXPECT_EQ(slots.clear(), 4);
}

TEST(QuantitySlots, ClearEmptiesEverySlotAfterErasesAndRenames)
{
    QuantitySlots slots(5);
    // Emptied by erase before the clear: the position still goes back to 0.
    slots.store(2, 2002, 2.0);
    ASSERT_NE(slots.next(), nullptr);
    slots.erase(2);
    EXPECT_EQ(slots.clear(), 5);
    EXPECT_EQ(slots.position(), 0);

    // A result renamed to -1 in place keeps its value and stays counted:
    // with the other result erased no slot is set, yet the clear still has
    // the renamed slot's value to wipe.
    slots.store(1, 2001, 1.0);
    slots.store(4, 2004, 4.0);
    Quantity* renamed = slots.next();
    ASSERT_NE(renamed, nullptr);
    renamed->type = -1;
    slots.erase(4);
    slots.clear();
    for (int i = 0; i < slots.capacity(); ++i) {
        EXPECT_EQ(slots.slot(i).type, -1) << i;
        EXPECT_EQ(slots.slot(i).value, 0.0) << i;
    }
    EXPECT_EQ(slots.count(-1), 0);
    EXPECT_EQ(slots.next(), nullptr);
}

TEST(QuantitySlots, CapacityBelowOneThrows)
{
    EXPECT_MVR(QuantitySlots(0), 3000, "INCLUDE\\Matrix/QuantitySlots", 23);
    EXPECT_MVR(QuantitySlots(-5), 3000, "INCLUDE\\Matrix/QuantitySlots", 23);
}

TEST(QuantitySlots, CopyIsDeepAndSelfAssignmentIsHarmless)
{
    QuantitySlots a(3);
    a.store(0, 10, 1.0);
    a.store(2, 12, 3.0);
    ASSERT_NE(a.next(), nullptr);  // position moves past slot 0

    QuantitySlots b(a);
    a.store(0, 10, 99.0);
    EXPECT_EQ(b.value(0), 1.0);
    EXPECT_EQ(b.count(-1), 2);
    EXPECT_EQ(b.position(), 1);  // the position is copied too

    QuantitySlots c(1);
    c = b;
    EXPECT_EQ(c.capacity(), 3);
    EXPECT_EQ(c.value(2), 3.0);

    QuantitySlots& alias = c;
    c = alias;
    EXPECT_EQ(c.count(-1), 2);
    EXPECT_EQ(c.value(0), 1.0);
}

TEST(ObservationQC, NewCollectionIsEmpty)
{
    ObservationQC qc;
    EXPECT_EQ(qc.count(-1), 0);
    EXPECT_EQ(qc.value(29), 0.0);
    double v = 4.0;
    EXPECT_EQ(qc.lookup(29, v), QD_QUANTITY_ABSENT);
    EXPECT_EQ(v, 4.0);
    EXPECT_EQ(qc.next(), nullptr);
    EXPECT_FALSE(qc.holdsStorage());
}

TEST(ObservationQC, StoreReplaceAndCount)
{
    ObservationQC qc;
    qc.store(29, 5.5);
    EXPECT_TRUE(qc.holdsStorage());
    EXPECT_EQ(qc.count(-1), 1);
    EXPECT_EQ(qc.count(29), 1);
    double v = 0.0;
    EXPECT_EQ(qc.lookup(29, v), QD_QUANTITY_FOUND);
    EXPECT_EQ(v, 5.5);
    qc.store(29, 6.0);
    EXPECT_EQ(qc.count(-1), 1);
    EXPECT_EQ(qc.value(29), 6.0);
    qc.clear();
    EXPECT_EQ(qc.count(-1), 0);
    EXPECT_FALSE(qc.holdsStorage());
}

TEST(ObservationQC, TypeOutsideRangeThrowsFromEachOperation)
{
    ObservationQC qc;
    double v = 0.0;
    for (int type : {-2, 37, 2000}) {
        EXPECT_MVR(qc.count(static_cast<std::int16_t>(type)), 3059, "INCLUDE\\Matrix/ObservationQC", 30);
        EXPECT_MVR(qc.lookup(type, v), 3059, "INCLUDE\\Matrix/ObservationQC", 40);
        EXPECT_MVR(qc.value(type), 3059, "INCLUDE\\Matrix/ObservationQC", 54);
        EXPECT_MVR(qc.store(type, 1.0), 3059, "INCLUDE\\Matrix/ObservationQC", 62);
    }
    EXPECT_MVR(qc.value(-1), 3059, "INCLUDE\\Matrix/ObservationQC", 54);
    EXPECT_EQ(qc.count(-1), 0);
}

TEST(ObservationQC, WalkIsInTypeOrderWhateverTheStoreOrder)
{
    ObservationQC qc;
    for (int type : {36, 0, 29, 5, 16, 3, 35, 1})
        qc.store(type, type + 0.5);
    EXPECT_EQ(walk(qc), (Walk{{0, 0.5}, {1, 1.5}, {3, 3.5}, {5, 5.5}, {16, 16.5}, {29, 29.5}, {35, 35.5}, {36, 36.5}}));
    EXPECT_EQ(qc.next(), nullptr);  // stays at the end
    qc.restart();
    EXPECT_EQ(walk(qc).size(), 8u);
}

TEST(ObservationQC, StoreDuringWalkBehavesLikeFixedSlots)
{
    ObservationQC qc;
    qc.store(10, 1.0);
    qc.store(20, 2.0);
    Quantity* q = qc.next();
    ASSERT_NE(q, nullptr);
    EXPECT_EQ(q->type, 10);
    qc.store(5, 0.5);   // behind the position: not seen in this walk
    qc.store(15, 1.5);  // ahead of it: seen
    EXPECT_EQ(walk(qc), (Walk{{15, 1.5}, {20, 2.0}}));
}

TEST(ObservationQC, AllThirtySevenSlots)
{
    ObservationQC qc;
    for (int type = 36; type >= 0; --type)
        qc.store(type, type);
    EXPECT_EQ(qc.count(-1), 37);
    for (int type = 0; type < 37; ++type)
        EXPECT_EQ(qc.value(type), type);
    EXPECT_EQ(walk(qc).size(), 37u);
}

TEST(ObservationQC, CopiesAreDeepAndKeepThePosition)
{
    ObservationQC a;
    a.store(2, 2.0);
    a.store(7, 7.0);
    ASSERT_NE(a.next(), nullptr);
    ObservationQC b(a);
    a.store(2, -1.0);
    EXPECT_EQ(b.value(2), 2.0);
    EXPECT_EQ(walk(b), (Walk{{7, 7.0}}));

    ObservationQC empty;
    b = empty;
    EXPECT_EQ(b.count(-1), 0);
    EXPECT_FALSE(b.holdsStorage());

    ObservationQC& alias = a;
    a = alias;
    EXPECT_EQ(a.value(7), 7.0);
}

TEST(SeriesQC, SingleTypesAndTypeErrors)
{
    SeriesQC qc;
    EXPECT_EQ(qc.value(2019), 0.0);
    qc.store(2019, 4.5);
    qc.store(2083, 1.0);
    qc.store(2000, 2.0);
    EXPECT_EQ(qc.value(2019), 4.5);
    EXPECT_EQ(qc.count(-1), 3);
    EXPECT_EQ(qc.count(2019), 1);
    EXPECT_EQ(qc.count(2001), 0);

    double v = 0.0;
    for (int type : {4001, 1999, 2084, 29, 6000}) {
        EXPECT_MVR(qc.value(type), 3064, "INCLUDE\\Matrix/SeriesQC", 31);
        EXPECT_MVR(qc.lookup(type, v), 3064, "INCLUDE\\Matrix/SeriesQC", 31);
        EXPECT_MVR(qc.store(type, 1.0), 3064, "INCLUDE\\Matrix/SeriesQC", 31);
    }
    // count: 2084-3999 are not multi-valued types, everything else outside
    // 2000-4015 is not a series type.
    const struct {
        int type;
        int code;
        const char* file;
        int line;
    } countErrors[] = {
        {3000, 3063, "INCLUDE\\Matrix/SeriesQC", 38},
        {2084, 3063, "INCLUDE\\Matrix/SeriesQC", 38},
        {3999, 3063, "INCLUDE\\Matrix/SeriesQC", 38},
        {1999, 3060, "Libraries\\MatrixLib\\SeriesQC", 105},
        {4016, 3060, "Libraries\\MatrixLib\\SeriesQC", 105},
        {29, 3060, "Libraries\\MatrixLib\\SeriesQC", 105},
    };
    for (const auto& c : countErrors)
        EXPECT_MVR(qc.count(static_cast<std::int16_t>(c.type)), c.code, c.file, c.line);
}

TEST(SeriesQC, MultipleEntries)
{
    SeriesQC qc;
    EXPECT_EQ(qc.count(4001), 0);
    EXPECT_EQ(qc.storeMultiple(4001, 0, 1.0), QD_QUANTITY_ABSENT);
    EXPECT_EQ(qc.multiple(4001), nullptr);  // no entry was made
    qc.createMultiple(4001, 3);
    EXPECT_EQ(qc.count(4001), 0);
    EXPECT_EQ(qc.storeMultiple(4001, 0, 0.9), QD_QUANTITY_FOUND);
    EXPECT_EQ(qc.storeMultiple(4001, 2, 0.7), QD_QUANTITY_FOUND);
    EXPECT_EQ(qc.storeMultiple(4001, 3, 0.1), QD_QUANTITY_ABSENT);
    EXPECT_EQ(qc.count(4001), 2);
    EXPECT_EQ(qc.count(-1), 2);
    double v = 0.0;
    EXPECT_EQ(qc.lookupMultiple(4001, 2, v), QD_QUANTITY_FOUND);
    EXPECT_EQ(v, 0.7);
    EXPECT_EQ(qc.lookupMultiple(4001, 1, v), QD_QUANTITY_ABSENT);
    EXPECT_EQ(SeriesQC::multipleIndex(4000), 1);
    EXPECT_EQ(SeriesQC::multipleIndex(4015), 16);

    qc.createMultiple(4001, 1);  // replaces the old vector
    EXPECT_EQ(qc.count(4001), 0);
    qc.createMultiple(4001, 0);  // leaves the type without a vector
    EXPECT_EQ(qc.multiple(4001), nullptr);

    EXPECT_MVR(qc.createMultiple(2019, 2), 3063, "INCLUDE\\Matrix/SeriesQC", 38);
    EXPECT_MVR(qc.lookupMultiple(4016, 0, v), 3063, "INCLUDE\\Matrix/SeriesQC", 38);
    EXPECT_MVR(qc.storeMultiple(3999, 0, 1.0), 3063, "INCLUDE\\Matrix/SeriesQC", 38);
}

TEST(SeriesQC, FailedCreateKeepsTheOldEntry)
{
    SeriesQC qc;
    qc.createMultiple(4005, 2);
    qc.storeMultiple(4005, 1, 0.25);
    EXPECT_MVR(qc.createMultiple(4005, -1), 3000, "INCLUDE\\Matrix/QuantitySlots", 23);
    double v = 0.0;
    ASSERT_EQ(qc.lookupMultiple(4005, 1, v), QD_QUANTITY_FOUND);
    EXPECT_EQ(v, 0.25);
}

TEST(SeriesQC, WalkVisitsSinglesThenEntriesAndRestartsEveryPart)
{
    SeriesQC qc;
    qc.createMultiple(4015, 3);
    for (int i = 0; i < 3; ++i)
        qc.storeMultiple(4015, i, 10.0 + i);
    qc.store(2030, 0.3);
    qc.store(2028, 0.1);
    qc.createMultiple(4002, 1);
    qc.storeMultiple(4002, 0, 1.1);
    const Walk expected{{2028, 0.1}, {2030, 0.3}, {4002, 1.1}, {4015, 10.0}, {4015, 11.0}, {4015, 12.0}};
    EXPECT_EQ(walk(qc), expected);
    EXPECT_EQ(qc.next(), nullptr);
    qc.restart();
    EXPECT_EQ(walk(qc), expected);
}

TEST(SeriesQC, CopyAndAssignmentAreDeep)
{
    SeriesQC a;
    a.store(2019, 1.0);
    a.createMultiple(4001, 2);
    a.storeMultiple(4001, 1, 0.5);

    SeriesQC b(a);
    SeriesQC c;
    c.createMultiple(4003, 4);  // replaced by the assignment: absent in a
    c = a;
    a.storeMultiple(4001, 1, -1.0);
    a.clear();
    for (SeriesQC* qc : {&b, &c}) {
        double v = 0.0;
        EXPECT_EQ(qc->value(2019), 1.0);
        ASSERT_EQ(qc->lookupMultiple(4001, 1, v), QD_QUANTITY_FOUND);
        EXPECT_EQ(v, 0.5);
        EXPECT_EQ(qc->multiple(4003), nullptr);
        EXPECT_EQ(qc->count(-1), 2);
    }
    SeriesQC& alias = c;
    c = alias;
    EXPECT_EQ(c.count(4001), 1);
    EXPECT_EQ(a.count(-1), 0);
    EXPECT_EQ(a.multiple(4001), nullptr);
}

TEST(SeriesQC, AccessByTypeAndIndex)
{
    SeriesQC qc;
    double v = -1.0;
    EXPECT_EQ(qc.lookupQuantity(4001, 0, &v), QD_QUANTITY_ABSENT);
    EXPECT_EQ(qc.storeQuantity(4001, 0, 1.0), QD_QUANTITY_ABSENT);
    EXPECT_EQ(qc.multiple(4001), nullptr);
    EXPECT_EQ(qc.storeQuantity(2019, 0, 3.0), QD_QUANTITY_FOUND);
    EXPECT_EQ(qc.lookupQuantity(2019, 0, &v), QD_QUANTITY_FOUND);
    EXPECT_EQ(v, 3.0);
    qc.createMultiple(4001, 2);
    EXPECT_EQ(qc.storeQuantity(4001, 1, 0.4), QD_QUANTITY_FOUND);
    EXPECT_EQ(qc.lookupQuantity(4001, 1, &v), QD_QUANTITY_FOUND);
    EXPECT_EQ(v, 0.4);
    EXPECT_EQ(qc.lookupQuantity(4001, 5, &v), QD_QUANTITY_ABSENT);

    EXPECT_MVR(qc.lookupQuantity(2019, 1, &v), 3006, "INCLUDE\\Matrix/SeriesQC", 77);
    EXPECT_MVR(qc.storeQuantity(2019, 1, 1.0), 3006, "INCLUDE\\Matrix/SeriesQC", 117);
    EXPECT_MVR(qc.lookupQuantity(29, 0, &v), 3060, "INCLUDE\\Matrix/SeriesQC", 83);
    EXPECT_MVR(qc.storeQuantity(3000, 0, 1.0), 3060, "INCLUDE\\Matrix/SeriesQC", 123);
    EXPECT_MVR(qc.removeQuantity(29), 3060, "INCLUDE\\Matrix/SeriesQC", 136);

    EXPECT_EQ(qc.removeQuantity(2019), QD_QUANTITY_FOUND);
    EXPECT_EQ(qc.count(2019), 0);
    EXPECT_EQ(qc.removeQuantity(4001), QD_QUANTITY_FOUND);
    EXPECT_EQ(qc.multiple(4001), nullptr);
}

TEST(MatrixQC, TablesCellsAndTypeErrors)
{
    MatrixQC qc;
    EXPECT_EQ(qc.value(6001), 0.0);
    EXPECT_EQ(qc.store(6001, 1.0), QD_QUANTITY_ABSENT);
    qc.createStatisticMatrix(6001, 2, 2);
    QuantityMatrix* table = qc.statisticMatrix(6001);
    ASSERT_NE(table, nullptr);
    table->storeAt(1, 1, 6001, 0.7);
    EXPECT_EQ(table->valueAt(1, 1), 0.7);
    EXPECT_EQ(table->valueAt(0, 1), 0.0);
    EXPECT_EQ(qc.count(6001), 1);
    EXPECT_EQ(qc.store(6001, 0.1), QD_QUANTITY_FOUND);  // cell (0, 0)
    EXPECT_EQ(qc.value(6001), 0.1);
    EXPECT_EQ(qc.count(-1), 2);

    double v = 0.0;
    EXPECT_MVR(table->valueAt(2, 0), 3042, "INCLUDE\\Matrix/MatrixQC", 53);
    EXPECT_MVR(table->lookupAt(0, -1, v), 3042, "INCLUDE\\Matrix/MatrixQC", 45);
    EXPECT_MVR(table->storeAt(0, 2, 6001, 1.0), 3042, "INCLUDE\\Matrix/MatrixQC", 61);
    EXPECT_MVR(qc.value(6003), 3061, "INCLUDE\\Matrix/MatrixQC", 84);
    EXPECT_MVR(qc.store(5999, 1.0), 3061, "INCLUDE\\Matrix/MatrixQC", 84);
    EXPECT_MVR(qc.count(2019), 3061, "Libraries\\MatrixLib\\MatrixQC", 93);
    EXPECT_MVR(qc.createStatisticMatrix(6003, 1, 1), 3061, "INCLUDE\\Matrix/MatrixQC", 84);

    qc.createStatisticMatrix(6000, 1, 1);
    qc.store(6000, 5.0);
    EXPECT_EQ(walk(qc), (Walk{{6000, 5.0}, {6001, 0.1}, {6001, 0.7}}));
    qc.restart();
    EXPECT_EQ(walk(qc).size(), 3u);
    qc.clear();
    EXPECT_EQ(qc.count(-1), 0);
    EXPECT_EQ(qc.next(), nullptr);
}

TEST(MatrixQC, CreateStatisticMatrixShapes)
{
    MatrixQC qc;
    qc.createStatisticMatrix(6000, 0, 5);
    EXPECT_EQ(qc.statisticMatrix(6000), nullptr);

    qc.createStatisticMatrix(6002, 2, 3);
    qc.statisticMatrix(6002)->storeAt(1, 2, 6002, 9.0);
    // Failed creations leave the old table alone.
    EXPECT_MVR(qc.createStatisticMatrix(6002, -2, 3), 3000, "INCLUDE\\Matrix/QuantitySlots", 23);
    EXPECT_MVR(qc.createStatisticMatrix(6002, -2, -3), 3042, "INCLUDE\\Matrix/MatrixQC", 24);
    ASSERT_NE(qc.statisticMatrix(6002), nullptr);
    EXPECT_EQ(qc.statisticMatrix(6002)->valueAt(1, 2), 9.0);
    qc.createStatisticMatrix(6002, 5, 0);
    EXPECT_EQ(qc.statisticMatrix(6002), nullptr);
}

}  // namespace
