// Reference-counted string and substring views.
#include "Foundation/FdCString.h"
#include "Foundation/FdExceptions.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstring>
#include <string>

#include "FoundationTestSupport.h"

using namespace qd;

namespace {

std::string str(const FdCString& s)
{
    return std::string(s.data(), s.length());
}

TEST(FdCString, EmptyStringsShareOneRepresentation)
{
    FdCString a;
    FdCString b("");
    FdCString c = FdCString::withCapacity(0);
    EXPECT_EQ(a.data(), b.data());
    EXPECT_EQ(a.data(), c.data());
    EXPECT_EQ(a.capacity(), 0u);
    const std::uint32_t refs = a.references();
    {
        FdCString d;
        EXPECT_EQ(a.references(), refs + 1);
    }
    EXPECT_EQ(a.references(), refs);

    // Emptying a shared string goes back to the shared representation;
    // emptying an unshared one keeps its block.
    FdCString shared("abc");
    FdCString other(shared);
    shared = "";
    EXPECT_EQ(shared.data(), a.data());
    EXPECT_EQ(str(other), "abc");
    const char* block = other.data();
    other = "";
    EXPECT_EQ(other.data(), block);
    EXPECT_TRUE(other.isNull());
    EXPECT_EQ(other.capacity(), 3u);
}

TEST(FdCString, CapacityRounding)
{
    struct Case {
        std::uint32_t n, expected;
    };
    for (Case c : {Case{0, 15}, Case{15, 15}, Case{16, 31}, Case{31, 31}, Case{32, 47}, Case{47, 47},
                   Case{48, 63}, Case{0xFFFFFFF0u, 0xFFFFFFF0u}})
        EXPECT_EQ(FdCString::adjustCapacity(c.n), c.expected) << c.n;
}

// The three capacity parameters are process-wide; each setter returns the
// old value and the rules follow the installed values.
TEST(FdCString, CapacityParametersDriveTheRules)
{
    struct Restore {
        std::uint32_t initial, increment, waste;
        ~Restore()
        {
            FdCString::initialCapacity(initial);
            FdCString::resizeIncrement(increment);
            FdCString::maxWaste(waste);
        }
    } restore{FdCString::initialCapacity(7), FdCString::resizeIncrement(8), FdCString::maxWaste(0)};
    EXPECT_EQ(restore.initial, 15u);
    EXPECT_EQ(restore.increment, 16u);
    EXPECT_EQ(restore.waste, 15u);
    EXPECT_EQ(FdCString::initialCapacity(), 7u);

    EXPECT_EQ(FdCString::adjustCapacity(7), 7u);
    EXPECT_EQ(FdCString::adjustCapacity(8), 15u);
    EXPECT_EQ(FdCString::adjustCapacity(16), 23u);
    EXPECT_EQ(FdCString('c').capacity(), 7u);

    // With no waste allowed, any shrinking edit moves to a fitting block.
    FdCString s("abcdefghijklmnop");  // capacity 16
    s.remove(12);
    EXPECT_EQ(s.capacity(), 15u);
    EXPECT_EQ(str(s), "abcdefghijkl");
}

TEST(FdCString, AppendGrowsInIncrementsAndStaysInPlaceWhenItFits)
{
    FdCString s("abcde");
    EXPECT_EQ(s.capacity(), 5u);
    s += "f";
    EXPECT_EQ(s.capacity(), 15u);
    EXPECT_EQ(str(s), "abcdef");

    FdCString e;
    e += "0123456789abcdef";
    EXPECT_EQ(e.capacity(), 31u);

    FdCString forty(std::string(40, 'x').c_str());
    forty += "y";  // 41 -> capacity 47
    ASSERT_EQ(forty.capacity(), 47u);
    forty.remove(40);
    ASSERT_EQ(forty.length(), 40u);
    const char* block = forty.data();
    forty += "1234567";
    EXPECT_EQ(forty.data(), block);
    EXPECT_EQ(forty.capacity(), 47u);
    forty.remove(40);
    forty += "12345678";
    EXPECT_EQ(forty.capacity(), 63u);
    EXPECT_EQ(str(forty), std::string(40, 'x') + "12345678");
}

TEST(FdCString, ShrinkingAssignmentRespectsMaxWaste)
{
    auto fortyIn47 = [] {
        FdCString s(std::string(41, 'x').c_str());
        s += "z";
        s.remove(40);
        return s;
    };
    FdCString a = fortyIn47();
    ASSERT_EQ(a.length(), 40u);
    ASSERT_EQ(a.capacity(), 47u);
    a = std::string(30, 'a').c_str();
    EXPECT_EQ(a.capacity(), 31u);
    EXPECT_EQ(str(a), std::string(30, 'a'));

    FdCString b = fortyIn47();
    const char* block = b.data();
    b = std::string(33, 'b').c_str();
    EXPECT_EQ(b.data(), block);
    EXPECT_EQ(b.capacity(), 47u);
    EXPECT_EQ(str(b), std::string(33, 'b'));
}

TEST(FdCString, CopiesShareAndWritersCopyFirst)
{
    FdCString a("hello");
    FdCString b(a);
    EXPECT_EQ(a.data(), b.data());
    EXPECT_EQ(a.references(), 2u);

    a = a;
    b = a;
    EXPECT_EQ(a.references(), 2u);

    b(0) = 'j';
    EXPECT_EQ(str(a), "hello");
    EXPECT_EQ(str(b), "jello");
    EXPECT_EQ(a.references(), 1u);

    FdCString c(a);
    c.toUpper();
    EXPECT_EQ(str(a), "hello");
    EXPECT_EQ(str(c), "HELLO");
    EXPECT_EQ(str(toLower(c)), "hello");
    EXPECT_EQ(str(c), "HELLO");

    FdCString d(a);
    d += "!";
    EXPECT_EQ(str(a), "hello");
    EXPECT_EQ(str(d), "hello!");
}

TEST(FdCString, EditsWhoseSourceLiesInsideTheString)
{
    FdCString s("abc");
    s.capacity(40);
    s += s;  // never in place, even with room to spare
    EXPECT_EQ(str(s), "abcabc");
    EXPECT_EQ(s.capacity(), 15u);
    s.capacity(40);
    s.append(s.data() + 1, 2);
    EXPECT_EQ(str(s), "abcabcbc");
    s = s.data() + 5;
    EXPECT_EQ(str(s), "cbc");
    s.prepend(s);
    EXPECT_EQ(str(s), "cbccbc");
}

TEST(FdCString, ConcatenationAndEmbeddedNul)
{
    FdCString a("ab");
    FdCString b("cd");
    FdCString c = a + b;
    EXPECT_EQ(str(c), "abcd");
    EXPECT_EQ(c.capacity(), 15u);
    EXPECT_EQ(str("x" + a), "xab");
    EXPECT_EQ(str(a + "y"), "aby");

    FdCString nul("a\0b", 3);
    EXPECT_EQ(nul.length(), 3u);
    EXPECT_EQ(nul.data()[3], '\0');
    EXPECT_EQ(str(nul + nul), std::string("a\0ba\0b", 6));
    EXPECT_TRUE(nul == FdCString("a\0b", 3));
    EXPECT_FALSE(nul == "a");
}

TEST(FdCString, CheckedAccess)
{
    FdCString s("abc");
    EXPECT_EQ(s(2), 'c');
    EXPECT_EQ(boundsMessage([&] { s(3); }),
              "[INDEXERR] Illegal Index (3) for collection or string with 3 elements");
    EXPECT_EQ(boundsMessage([&] { s(FD_NPOS); }), "[NPOSINDEX] The value FD_NPOS cannot be used as an index.");
    const FdCString& cs = s;
    EXPECT_EQ(boundsMessage([&] { cs[7]; }),
              "[INDEXERR] Illegal Index (7) for collection or string with 3 elements");
    FdCString empty;
    EXPECT_EQ(boundsMessage([&] { empty[0]; }),
              "[INDEXERR] Illegal Index (0) for collection or string with 0 elements");
}

TEST(FdCString, SubStringViewsAreCheckedAgainstTheString)
{
    FdCString s("hello world");
    EXPECT_EQ(str(FdCString(s.subString(6, 5))), "world");
    EXPECT_EQ(FdCString(s.subString(6, 5)).capacity(), 15u);
    EXPECT_EQ(str(FdCString(s.subString(11, 0))), "");
    EXPECT_EQ(FdCString(s.subString(FD_NPOS, 0)).length(), 0u);

    EXPECT_EQ(boundsMessage([&] { s.subString(6, 6); }),
              "[SUBSTRING] Illegal substring (6, 6) from 11 element FdCString");
    EXPECT_EQ(boundsMessage([&] { s.subString(12, 0); }),
              "[SUBSTRING] Illegal substring (12, 0) from 11 element FdCString");
    EXPECT_EQ(boundsMessage([&] { s.subString(1, FD_NPOS); }),
              "[SUBSTRING] Illegal substring (1, 4294967295) from 11 element FdCString");
    EXPECT_EQ(boundsMessage([&] { s.subString(FD_NPOS, 2); }),
              "[SUBSTRING] Illegal substring (-1, 2) from 11 element FdCString");

    // A view that the string has outgrown in reverse is refused on use.
    SubString tail = s.subString(6, 5);
    s.remove(8);
    EXPECT_EQ(boundsMessage([&] { FdCString copy(tail); }),
              "[SUBSTRING] Illegal substring (6, 5) from 8 element FdCString");
    EXPECT_EQ(boundsMessage([&] { tail = "x"; }),
              "[SUBSTRING] Illegal substring (6, 5) from 8 element FdCString");
    EXPECT_EQ(str(s), "hello wo");
}

TEST(FdCString, ReplaceRefusesPositionsBeyondTheEnd)
{
    FdCString s("abc");
    EXPECT_EQ(boundsMessage([&] { s.replace(4, 0, "x", 1); }),
              "[SUBSTRING] Illegal substring (4, 0) from 3 element FdCString");
    EXPECT_EQ(boundsMessage([&] { s.remove(5); }),
              "[SUBSTRING] Illegal substring (5, 0) from 3 element FdCString");
    s.replace(1, 100, "XY", 2);  // removal cut to the remaining characters
    EXPECT_EQ(str(s), "aXY");
    s.replace(3, 0, "!", 1);
    EXPECT_EQ(str(s), "aXY!");
    s.replace(0, 1, nullptr, 5);  // null buffer: pure deletion
    EXPECT_EQ(str(s), "XY!");
}

TEST(FdCString, SubStringAssignmentEditsTheParent)
{
    FdCString s("hello world");
    FdCString keep(s);
    SubString w = s.subString(6, 5);
    w = "there";
    EXPECT_EQ(str(s), "hello there");
    EXPECT_EQ(str(keep), "hello world");
    w = "all of you";
    EXPECT_EQ(str(s), "hello all of you");
    EXPECT_EQ(w.length(), 10u);
    EXPECT_TRUE(w == "all of you");

    SubString h = s.subString(0, 5);
    w = h;  // source view of the same string
    EXPECT_EQ(str(s), "hello hello");
    s.subString(0, 5) = s;
    EXPECT_EQ(str(s), "hello hello hello");

    SubString none = s.subString("absent");
    EXPECT_TRUE(none.isNull());
    none = "ignored";
    EXPECT_EQ(str(s), "hello hello hello");

    SubString found = s.subString("HELLO", 1, FdCString::ignoreCase);
    EXPECT_EQ(found.start(), 6u);
    found.toUpper();
    EXPECT_EQ(str(s), "hello HELLO hello");
    EXPECT_EQ(found(4), 'O');
    EXPECT_EQ(boundsMessage([&] { found(5); }),
              "[INDEXERR] Illegal Index (5) for collection or string with 5 elements");
}

TEST(FdCString, SearchingAndStripping)
{
    FdCString s("  abcabc  ");
    EXPECT_EQ(s.first('b'), 3u);
    EXPECT_EQ(s.last('b'), 6u);
    EXPECT_EQ(s.first('b', 3), FD_NPOS);
    EXPECT_EQ(s.last('b', 6), 3u);
    EXPECT_EQ(s.first("cx"), 4u);
    EXPECT_EQ(s.first('z'), FD_NPOS);
    EXPECT_EQ(s.index("abc"), 2u);
    EXPECT_EQ(s.index("abc", 3), 5u);
    EXPECT_EQ(s.index("ABC", 0, FdCString::ignoreCase), 2u);
    EXPECT_EQ(s.index("ABC"), FD_NPOS);
    EXPECT_EQ(s.index("", 4), 4u);
    EXPECT_EQ(s.index("c  ", 8), FD_NPOS);
    EXPECT_EQ(s.index("x", FD_NPOS), FD_NPOS);

    EXPECT_TRUE(s.strip(FdCString::both) == "abcabc");
    EXPECT_TRUE(s.strip(FdCString::leading) == "abcabc  ");
    EXPECT_TRUE(s.strip(FdCString::trailing) == "  abcabc");
    FdCString blanks("   ");
    EXPECT_TRUE(blanks.strip(FdCString::both).isNull());
}

TEST(FdCString, ComparisonAndHash)
{
    FdCString abc("abc");
    struct Case {
        const char* other;
        int exact, folded;
    };
    for (Case c : {Case{"abc", 0, 0}, Case{"abd", -1, -1}, Case{"ab", 1, 1}, Case{"abcd", -1, -1},
                   Case{"ABC", 1, 0}, Case{"", 1, 1}}) {
        EXPECT_EQ(abc.compareTo(c.other), c.exact) << c.other;
        EXPECT_EQ(abc.compareTo(c.other, FdCString::ignoreCase), c.folded) << c.other;
        EXPECT_EQ(abc.compareTo(FdCString(c.other)), c.exact) << c.other;
        EXPECT_EQ(abc.compareTo(FdCString(c.other), FdCString::ignoreCase), c.folded) << c.other;
    }
    // Strings compare bytes unsigned; texts compare them signed.
    FdCString high("\xe9");
    EXPECT_EQ(high.compareTo(FdCString("a")), 1);
    EXPECT_EQ(high.compareTo("a"), -1);

    // Exact hash: words mixed as h = word ^ rotl(h, 5), starting from the
    // length; leftover bytes sign-extended into one last word.
    auto rotl = [](std::uint32_t h) { return (h << 5) | (h >> 27); };
    std::uint32_t h = 5;
    h = 0x64636261u ^ rotl(h);  // "abcd"
    h = 0x65u ^ rotl(h);        // "e"
    EXPECT_EQ(FdCString("abcde").hash(), h);
    std::uint32_t h2 = 2;
    h2 = 0xFFFFFF80u ^ rotl(h2);  // 0x7f then 0x80: (0x7f << 8) | sign-extended 0x80
    EXPECT_EQ(FdCString("\x7f\x80").hash(), h2);
    EXPECT_EQ(FdCString().hash(), 0u);
    EXPECT_EQ(FdCString("AbC").hash(FdCString::ignoreCase), FdCString("aBc").hash(FdCString::ignoreCase));
    EXPECT_NE(FdCString("AbC").hash(), FdCString("aBc").hash());
}

TEST(FdCString, OtherConstructorsAndEdits)
{
    EXPECT_EQ(FdCString('x').capacity(), 15u);
    EXPECT_EQ(str(FdCString('x')), "x");
    EXPECT_EQ(str(FdCString('-', 3)), "---");
    FdCString s("ab");
    s.append('.', 2).prepend('>', 1);
    EXPECT_EQ(str(s), ">ab..");
    s.resize(3);
    EXPECT_EQ(str(s), ">ab");
    s.resize(5);
    EXPECT_EQ(str(s), ">ab  ");
    FdCString deep = s.copy();
    EXPECT_NE(deep.data(), s.data());
    EXPECT_EQ(deep.capacity(), 5u);
    deep.clobber(3);
    EXPECT_TRUE(deep.isNull());
    EXPECT_EQ(deep.capacity(), 5u);
    FdCString shared(s);
    shared.clobber(100);
    EXPECT_EQ(shared.capacity(), 100u);
    EXPECT_EQ(str(s), ">ab  ");
    EXPECT_TRUE(FdCString("abc").isAscii());
    EXPECT_FALSE(FdCString("a\xff").isAscii());
}

TEST(FdCString, OversizedRequestsFailCleanly)
{
    FdCString s("abc");
    EXPECT_THROW(s.append('x', 0xFFFFFFFFu), std::bad_alloc);
    EXPECT_THROW(FdCString::withCapacity(0xFFFFFFFFu), std::bad_alloc);
    EXPECT_EQ(str(s), "abc");
}

TEST(FdCString, MultibyteLength)
{
    EXPECT_EQ(FdCString("abc").mbLength(), 3u);
    EXPECT_EQ(FdCString().mbLength(), 0u);
    EXPECT_EQ(FdCString("ab\0cd", 5).mbLength(), 2u);  // stops at an embedded NUL

    // In the single-byte "C" locale every byte is a character, high bytes
    // included, on every platform.
    std::string previous = std::setlocale(LC_CTYPE, nullptr);
    ASSERT_NE(std::setlocale(LC_CTYPE, "C"), nullptr);
    EXPECT_EQ(FdCString("a\xe9z").mbLength(), 3u);
    EXPECT_EQ(FdCString("\x80\xff").mbLength(), 2u);

    const char* const locales[] = {"C.UTF-8", "en_US.UTF-8", ".932", "Japanese_Japan.932", ".65001"};
    const char* chosen = nullptr;
    for (const char* name : locales)
        if (std::setlocale(LC_CTYPE, name) != nullptr) {
            chosen = name;
            break;
        }
    if (chosen == nullptr) {
        std::setlocale(LC_CTYPE, previous.c_str());
        GTEST_SKIP() << "no multibyte locale available";
    }
    const bool utf8 = std::string(chosen).find("932") == std::string::npos;
    if (utf8) {
        EXPECT_EQ(FdCString("a\xc3\xa9z").mbLength(), 3u);
        EXPECT_EQ(FdCString("a\xc3").mbLength(), FD_NPOS);   // runs past the end
        EXPECT_EQ(FdCString("a\xff" "b").mbLength(), FD_NPOS);
    } else {
        EXPECT_EQ(FdCString("a\x82\xa0z").mbLength(), 3u);
        EXPECT_EQ(FdCString("a\x82").mbLength(), FD_NPOS);
    }
    std::setlocale(LC_CTYPE, previous.c_str());
}

} // namespace
