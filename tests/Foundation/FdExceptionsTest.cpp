// Foundation exceptions and their numbered messages.
#include "Foundation/FdCString.h"
#include "Foundation/FdExceptions.h"
#include "Foundation/OrderedVector.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace qd;

namespace {

struct MessageRow {
    std::int32_t number;
    const char* catalogue;
    const MessageId& (*accessor)();
    const char* text;
};

const MessageRow kMessages[] = {
    {8192, "fdtools", &FDTOOLS_ALLOCOUT, "[ALLOCOUT] %s destructor called with allocation outstanding"},
    {8193, "fdtools", &FDTOOLS_BADRE, "[BADRE] Attempt to use invalid regular expression"},
    {8194, "fdtools", &FDTOOLS_CRABS, "[CRABS] FdFactory: attempting to create abstract class with ID %hu (0x%hx)"},
    {8195, "fdtools", &FDTOOLS_FLIST, "[FLIST] Free list size error: expected %ld, got %ld"},
    {8196, "fdtools", &FDTOOLS_ID, "[ID] Unexpected class ID %hu; should be %hu"},
    {8197, "fdtools", &FDTOOLS_INDEX, "[INDEX] Index (%u) out of range [0->%u]"},
    {8198, "fdtools", &FDTOOLS_LOCK, "[LOCK] Locked object deleted"},
    {8199, "fdtools", &FDTOOLS_LONGINDEX, "[LONGINDEX] Long index (%lu) out of range [0->%lu]"},
    {8200, "fdtools", &FDTOOLS_MAGIC, "[MAGIC] Bad magic number: %ld (should be %ld)"},
    {8201, "fdtools", &FDTOOLS_NEVECL, "[NEVECL] Unequal vector lengths: %u versus %u"},
    {8202, "fdtools", &FDTOOLS_NOCREATE, "[NOCREATE] FdFactory: no create function for class with ID %hu (0x%hx)"},
    {8203, "fdtools", &FDTOOLS_NOTALLOW, "[NOTALLOW] Function not allowed for derived class"},
    {8204, "fdtools", &FDTOOLS_READERR, "[READERR] Read error"},
    {8205, "fdtools", &FDTOOLS_REF, "[REF] Bad persistence reference"},
    {8206, "fdtools", &FDTOOLS_SEEKERR, "[SEEKERR] Seek error"},
    {8207, "fdtools", &FDTOOLS_STREAM, "[STREAM] Bad input stream"},
    {8208, "fdtools", &FDTOOLS_SUBSTRING, "[SUBSTRING] Illegal substring (%d, %u) from %u element FdCString"},
    {8209, "fdtools", &FDTOOLS_UNLOCK, "[UNLOCK] Improper use of locked object"},
    {8210, "fdtools", &FDTOOLS_WRITEERR, "[WRITEERR] Write error"},
    {8211, "fdtools", &FDTOOLS_INDEXERR, "[INDEXERR] Illegal Index (%u) for collection or string with %u elements"},
    {8212, "fdtools", &FDTOOLS_NPOSINDEX, "[NPOSINDEX] The value FD_NPOS cannot be used as an index."},
    {8213, "fdtools", &FDTOOLS_NOPERSIST, "[NOPERSIST] Persistence not implemented for type %s."},
    {8214, "fdtools", &FDTOOLS_CRABSS, "[CRABSS] FdFactory: attempting to create abstract class with StringID %s."},
    {4096, "fdcore", &FDCORE_EOF, "[EOF] EOF on input"},
    {4097, "fdcore", &FDCORE_GENERIC, "[GENERIC] Generic error number %d; %s"},
    {4098, "fdcore", &FDCORE_INVADDR, "[INVADDR] Invalid address: %lx"},
    {4099, "fdcore", &FDCORE_LOCK, "[LOCK] Unable to lock memory"},
    {4100, "fdcore", &FDCORE_NOINIT, "[NOINIT] Memory allocated without being initialized"},
    {4101, "fdcore", &FDCORE_NOMEM, "[NOMEM] No memory"},
    {4102, "fdcore", &FDCORE_OPERR, "[OPERR] Could not open file %s"},
    {4103, "fdcore", &FDCORE_OUTALLOC, "[OUTALLOC] Memory released with allocations still outstanding"},
    {4104, "fdcore", &FDCORE_OVFLOW, "[OVFLOW] Overflow error -> \"%.*s\" <- (%u max characters)"},
    {4105, "fdcore", &FDCORE_STREAM, "[STREAM] Bad input stream"},
    {4106, "fdcore", &FDCORE_SYNSTREAM, "[SYNSTREAM] Syntax error in input stream: expected %s, got %s"},
    {12288, "fdmath", &FDMATH_ARRDIM, "[ARRDIM] Array index wrong dimension (%d != %d)"},
    {12289, "fdmath", &FDMATH_BADPARITY, "[BADPARITY] %s: Length (%u) of a real series must be %s"},
    {12290, "fdmath", &FDMATH_BADVERNO, "[BADVERNO] Bad formatting version number.  Expected %d; got %d"},
    {12291, "fdmath", &FDMATH_CANTSOLVE, "[CANTSOLVE] Matrix not successfully factored"},
    {12292, "fdmath", &FDMATH_INDEX, "[INDEX] Index (%d) out of range [0->%u]"},
    {12293, "fdmath", &FDMATH_LENPOS, "[LENPOS] Length (%d) must not be negative"},
    {12294, "fdmath", &FDMATH_MNMATCH, "[MNMATCH] Rows or columns do not match: (%u, %u) vs (%u, %u)"},
    {12295, "fdmath", &FDMATH_NMATCH, "[NMATCH] Dimension length doesn't match %u vs %u"},
    {12296, "fdmath", &FDMATH_NOCONDITION, "[NOCONDITION] Condition number not computed"},
    {12297, "fdmath", &FDMATH_NPOINTS, "[NPOINTS] Vector (%u) %s %d"},
    {12298, "fdmath", &FDMATH_NSQUARE, "[NSQUARE] Matrix (%u, %u) is not square"},
    {12299, "fdmath", &FDMATH_FDBDEALL, "[FDBDEALL] Attempt to deallocate unallocated FdBlock"},
    {12300, "fdmath", &FDMATH_SHORTBLOCK, "[SHORTBLOCK] Custom FdBlock too short (%u<%u)"},
    {12301, "fdmath", &FDMATH_SLICEBEG, "[SLICEBEG] slice begin (%d) out of range [0->%u]"},
    {12302, "fdmath", &FDMATH_SLICEEND, "[SLICEEND] slice end (%d) out of range [0->%u]"},
    {12303, "fdmath", &FDMATH_STORAGE, "[STORAGE] Storage type must be either ROW_MAJOR or COLUMN_MAJOR"},
    {12304, "fdmath", &FDMATH_STRCTOR, "[STRCTOR] Could not parse string constructor \"%s\""},
    {12305, "fdmath", &FDMATH_STRIDEPOS, "[STRIDEPOS] Stride (%d) must be positive"},
    {12306, "fdmath", &FDMATH_STRIDENZ, "[STRIDENZ] Stride must not be zero"},
    {12307, "fdmath", &FDMATH_STRIDEMAT, "[STRIDEMAT] Stride matrix has wrong num rows (%d!=%d)"},
    {12308, "fdmath", &FDMATH_VNMATCH, "[VNMATCH] Vector lengths do not match (%u vs %u)"},
    {12309, "fdmath", &FDMATH_ZEROSD, "[ZEROSD] Series has zero standard deviation"},
    {12310, "fdmath", &FDMATH_ZEROVEC, "[ZEROVEC] %s: vector is empty"},
    {12311, "fdmath", &FDMATH_ZROOT, "[ZROOT] Zero'th root of 1 requested"},
};

TEST(FdMessages, EveryRecordHasItsNumberCatalogueAndText)
{
    ASSERT_EQ(sizeof kMessages / sizeof kMessages[0], 58u);
    for (const MessageRow& row : kMessages) {
        SCOPED_TRACE(row.number);
        const MessageId& id = row.accessor();
        EXPECT_EQ(id.number, row.number);
        EXPECT_STREQ(id.catalogue, row.catalogue);
        EXPECT_STREQ(id.text, row.text);
        EXPECT_EQ(id.reserved, 0);
        EXPECT_EQ(fdFindMessage(row.number), &id);
    }
    for (std::int32_t outside : {4095, 4107, 8191, 8215, 12287, 12312, 0, -1})
        EXPECT_EQ(fdFindMessage(outside), nullptr) << outside;
}

TEST(FdMessages, FormattingFillsPlaceholders)
{
    struct Case {
        std::string got;
        const char* expected;
    };
    const Case cases[] = {
        {FormattedMessage(FDTOOLS_INDEXERR(), 70u, 64u).text(),
         "[INDEXERR] Illegal Index (70) for collection or string with 64 elements"},
        {FormattedMessage(FDTOOLS_NPOSINDEX()).text(), "[NPOSINDEX] The value FD_NPOS cannot be used as an index."},
        {FormattedMessage(FDMATH_INDEX(), -3, 5u).text(), "[INDEX] Index (-3) out of range [0->5]"},
        {FormattedMessage(FDMATH_ZEROVEC(), "minIndex").text(), "[ZEROVEC] minIndex: vector is empty"},
        {FormattedMessage(FDCORE_OVFLOW(), 33, "Buffer may not resize larger than and more", 4294967295u).text(),
         "[OVFLOW] Overflow error -> \"Buffer may not resize larger than\" <- (4294967295 max characters)"},
        {FormattedMessage(FDTOOLS_SUBSTRING(), 3, 9u, 5u).text(),
         "[SUBSTRING] Illegal substring (3, 9) from 5 element FdCString"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

TEST(FdMessages, LongMessagesAreCutTo503Characters)
{
    std::string arg(1000, 'x');
    FormattedMessage m(FDMATH_ZEROVEC(), arg.c_str());
    ASSERT_EQ(std::strlen(m.text()), 503u);
    EXPECT_EQ(std::string(m.text()).substr(0, 10), "[ZEROVEC] ");

    FormattedMessage copy(m);
    EXPECT_NE(copy.text(), m.text());
    EXPECT_STREQ(copy.text(), m.text());
    FormattedMessage other(FDTOOLS_READERR());
    other = m;
    EXPECT_STREQ(other.text(), m.text());
    other = other;
    EXPECT_STREQ(other.text(), m.text());
}

TEST(FdExceptions, OutOfRangeVectorAccessThrowsIndexMessage)
{
    OrderedVector<int> v;
    for (int i = 0; i < 64; ++i)
        v.insert(i);
    try {
        v[70];
        FAIL() << "no exception";
    } catch (const FdBoundsErr& e) {
        EXPECT_STREQ(e.why(), "[INDEXERR] Illegal Index (70) for collection or string with 64 elements");
    }
}

// Which handlers catch an exception raised through each throw operation.
template <class Raise>
std::string caughtBy(Raise raise)
{
    std::string seen;
    try { raise(); } catch (const FdBoundsErr&) { seen += "B"; } catch (...) {}
    try { raise(); } catch (const FdInternalErr&) { seen += "I"; } catch (...) {}
    try { raise(); } catch (const FdFileErr&) { seen += "F"; } catch (...) {}
    try { raise(); } catch (const FdStreamErr&) { seen += "S"; } catch (...) {}
    try { raise(); } catch (const FdExternalErr&) { seen += "E"; } catch (...) {}
    try { raise(); } catch (const Fdxalloc&) { seen += "A"; } catch (...) {}
    try { raise(); } catch (const Fdxmsg&) { seen += "X"; } catch (...) {}
    return seen;
}

TEST(FdExceptions, HandlersFollowTheClassTree)
{
    EXPECT_EQ(caughtBy([] { throwBoundsErr(FdBoundsErr("b")); }), "BIX");
    EXPECT_EQ(caughtBy([] { throwInternalErr(FdInternalErr("i")); }), "IX");
    EXPECT_EQ(caughtBy([] { throwFileErr(FdFileErr("f", 1, 2)); }), "FEX");
    EXPECT_EQ(caughtBy([] { throwStreamErr(FdStreamErr("s", 3)); }), "SEX");
    EXPECT_EQ(caughtBy([] { throwExternalErr(FdExternalErr("e")); }), "EX");
    EXPECT_EQ(caughtBy([] { throwXalloc(Fdxalloc(12u)); }), "AX");
    EXPECT_EQ(caughtBy([] { throwXmsg(Fdxmsg("x")); }), "X");
    // raise() and throwXmsg throw the root class, whatever the object is.
    EXPECT_EQ(caughtBy([] { FdBoundsErr("b").raise(); }), "X");
    EXPECT_EQ(caughtBy([] { throwXmsg(FdBoundsErr("b")); }), "X");
    EXPECT_EQ(caughtBy([] { fdRaiseBounds(FDTOOLS_INDEXERR(), 1u, 0u); }), "BIX");
    EXPECT_EQ(caughtBy([] { fdRaiseInternal(FDMATH_CANTSOLVE()); }), "IX");
    EXPECT_EQ(caughtBy([] { fdRaiseExternal(FDCORE_EOF()); }), "EX");
    EXPECT_EQ(caughtBy([] { fdRaiseFile(1, 2, FDCORE_OPERR(), "a.txt"); }), "FEX");
    EXPECT_EQ(caughtBy([] { fdRaiseStream(1, FDCORE_STREAM()); }), "SEX");
    EXPECT_EQ(caughtBy([] { fdRaiseXmsg(FDCORE_GENERIC(), 7, "x"); }), "X");
}

TEST(FdExceptions, CopiesOwnTheirTextAndBorrowedTextIsShared)
{
    char buffer[] = "owned text";
    Fdxmsg* first = new FdInternalErr(buffer);
    EXPECT_NE(first->why(), buffer);
    EXPECT_TRUE(first->ownsText());
    FdInternalErr copy(*static_cast<FdInternalErr*>(first));
    EXPECT_NE(copy.why(), first->why());
    delete first;
    EXPECT_STREQ(copy.why(), "owned text");

    Fdxmsg borrowed(buffer, false);
    EXPECT_EQ(borrowed.why(), buffer);
    EXPECT_FALSE(borrowed.ownsText());
    Fdxmsg borrowedCopy(borrowed);
    EXPECT_EQ(borrowedCopy.why(), buffer);

    Fdxmsg assigned("other");
    assigned = copy;
    EXPECT_STREQ(assigned.why(), "owned text");
    assigned = assigned;
    EXPECT_STREQ(assigned.why(), "owned text");

    FdCString withNul("ab", 2);
    FdBoundsErr fromString(withNul);
    EXPECT_STREQ(fromString.why(), "ab");
}

TEST(FdExceptions, ExtraFieldsAndDefaultAllocationText)
{
    Fdxalloc a(100u);
    EXPECT_EQ(a.why(), FDCORE_NOMEM().text);   // borrowed, not formatted
    EXPECT_EQ(a.size(), 100u);
    FdFileErr f("f", 4u, 5u);
    EXPECT_EQ(f.file(), 4u);
    EXPECT_EQ(f.kind(), 5u);
    FdStreamErr s(FdCString("s"), 6u);
    EXPECT_EQ(s.stream(), 6u);
    EXPECT_STREQ(s.why(), "s");
}

TEST(FdExceptions, IndexFailureDistinguishesNpos)
{
    try {
        fdRaiseIndex(FD_NPOS, 3);
        FAIL();
    } catch (const FdBoundsErr& e) {
        EXPECT_STREQ(e.why(), "[NPOSINDEX] The value FD_NPOS cannot be used as an index.");
    }
    try {
        fdRaiseIndex(3, 3);
        FAIL();
    } catch (const FdBoundsErr& e) {
        EXPECT_STREQ(e.why(), "[INDEXERR] Illegal Index (3) for collection or string with 3 elements");
    }
}

} // namespace
