// FdCString.cpp - reference-counted 8-bit string and its substring views.
#include "Foundation/FdCString.h"

#include "Foundation/FdExceptions.h"

#include <cctype>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <new>

namespace qd {

// Header of a representation; the characters follow it directly.
struct FdCString::Rep {
    std::uint32_t refs;      // references minus one: 0 means one owner
    std::uint32_t capacity;  // characters the block holds, without the NUL
    std::uint32_t length;    // characters in use
};

namespace {

constexpr std::uint32_t kHeaderSize = 12;
// capacity + header + NUL must be expressible in 32 bits.
constexpr std::uint32_t kMaxCapacity = 0xFFFFFFFFu - kHeaderSize - 1;

std::uint32_t gInitialCapacity = 15;
std::uint32_t gResizeIncrement = 16;
std::uint32_t gMaxWaste = 15;

// The shared empty representation: header all zero (one owner, the static
// itself; capacity 0; length 0) followed by an empty text. Zero-initialised
// before any dynamic initialisation, so strings built during static
// initialisation elsewhere can use it. Never freed.
alignas(std::uint32_t) char gEmptyStorage[kHeaderSize + 4];

char* emptyData()
{
    return gEmptyStorage + kHeaderSize;
}

std::uint32_t checkedLength(std::size_t n)
{
    if (n > kMaxCapacity)
        throw std::bad_alloc();
    return static_cast<std::uint32_t>(n);
}

std::uint32_t textLength(const char* text)
{
    return text == nullptr ? 0 : checkedLength(std::strlen(text));
}

inline void copyBytes(char* to, const char* from, std::uint32_t n)
{
    if (n != 0)
        std::memcpy(to, from, n);
}

inline unsigned char lowerByte(char c)
{
    return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c)));
}

inline unsigned char upperByte(char c)
{
    return static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
}

inline std::uint32_t rotl5(std::uint32_t h)
{
    return (h << 5) | (h >> 27);
}

[[noreturn]] void raiseSubString(std::uint32_t start, std::uint32_t extent, std::uint32_t length)
{
    fdRaiseBounds(FDTOOLS_SUBSTRING(), static_cast<std::int32_t>(start), extent, length);
}

} // namespace

// ---------------------------------------------------------------------------
// Representation management

FdCString::Rep* FdCString::rep() const
{
    return reinterpret_cast<Rep*>(data_ - kHeaderSize);
}

char* FdCString::makeRep(std::uint32_t capacity, std::uint32_t length)
{
    if (capacity == 0 && length == 0) {
        char* e = emptyData();
        ++reinterpret_cast<Rep*>(gEmptyStorage)->refs;
        return e;
    }
    if (capacity < length)
        capacity = length;
    if (capacity > kMaxCapacity)
        throw std::bad_alloc();
    char* block = static_cast<char*>(::operator new(static_cast<std::size_t>(capacity) + kHeaderSize + 1));
    Rep* r = reinterpret_cast<Rep*>(block);
    r->refs = 0;
    r->capacity = capacity;
    r->length = length;
    block[kHeaderSize + length] = '\0';
    return block + kHeaderSize;
}

void FdCString::release(char* data)
{
    Rep* r = reinterpret_cast<Rep*>(data - kHeaderSize);
    if (r->refs != 0) {
        --r->refs;
        return;
    }
    if (data != emptyData())
        ::operator delete(static_cast<void*>(data - kHeaderSize));
}

void FdCString::makeUnique()
{
    if (rep()->refs == 0)
        return;
    std::uint32_t len = length();
    char* fresh = makeRep(len, len);
    copyBytes(fresh, data_, len);
    release(data_);
    data_ = fresh;
}

FdCString FdCString::concat(const char* a, std::uint32_t na, const char* b, std::uint32_t nb)
{
    std::uint64_t total = std::uint64_t(na) + nb;
    if (total > kMaxCapacity)
        throw std::bad_alloc();
    std::uint32_t n = static_cast<std::uint32_t>(total);
    FdCString result(makeRep(adjustCapacity(n), n), AdoptRep{});
    copyBytes(result.data_, a, na);
    copyBytes(result.data_ + na, b, nb);
    return result;
}

// ---------------------------------------------------------------------------
// Capacity parameters

std::uint32_t FdCString::adjustCapacity(std::uint32_t n)
{
    std::uint32_t initial = gInitialCapacity;
    if (n <= initial)
        return initial;
    std::uint64_t inc = gResizeIncrement == 0 ? 1 : gResizeIncrement;
    std::uint64_t extra = std::uint64_t(n) - initial;
    std::uint64_t rounded = initial + (extra + inc - 1) / inc * inc;
    if (rounded > kMaxCapacity)
        return n;
    return static_cast<std::uint32_t>(rounded);
}

std::uint32_t FdCString::initialCapacity() { return gInitialCapacity; }
std::uint32_t FdCString::resizeIncrement() { return gResizeIncrement; }
std::uint32_t FdCString::maxWaste() { return gMaxWaste; }

std::uint32_t FdCString::initialCapacity(std::uint32_t value)
{
    std::uint32_t old = gInitialCapacity;
    gInitialCapacity = value;
    return old;
}

std::uint32_t FdCString::resizeIncrement(std::uint32_t value)
{
    std::uint32_t old = gResizeIncrement;
    gResizeIncrement = value;
    return old;
}

std::uint32_t FdCString::maxWaste(std::uint32_t value)
{
    std::uint32_t old = gMaxWaste;
    gMaxWaste = value;
    return old;
}

// ---------------------------------------------------------------------------
// Construction and assignment

FdCString::FdCString() : data_(makeRep(0, 0)) {}

FdCString::FdCString(const char* text) : data_(nullptr)
{
    std::uint32_t n = textLength(text);
    data_ = makeRep(n, n);
    copyBytes(data_, text, n);
}

FdCString::FdCString(const char* text, std::uint32_t n) : data_(makeRep(n, n))
{
    if (text != nullptr)
        copyBytes(data_, text, n);
    else if (n != 0)
        std::memset(data_, 0, n);
}

FdCString::FdCString(char c) : data_(makeRep(gInitialCapacity == 0 ? 1 : gInitialCapacity, 1))
{
    data_[0] = c;
}

FdCString::FdCString(char c, std::uint32_t n) : data_(makeRep(n, n))
{
    if (n != 0)
        std::memset(data_, static_cast<unsigned char>(c), n);
}

FdCString::FdCString(const SubString& view) : data_(nullptr)
{
    const char* begin = view.checkedBegin();
    std::uint32_t n = begin == nullptr ? 0 : view.extent_;
    data_ = makeRep(adjustCapacity(n), n);
    copyBytes(data_, begin, n);
}

FdCString::FdCString(const FdCString& other) : data_(other.data_)
{
    ++rep()->refs;
}

FdCString::~FdCString()
{
    release(data_);
}

FdCString FdCString::withCapacity(std::uint32_t capacity)
{
    return FdCString(makeRep(capacity, 0), AdoptRep{});
}

FdCString& FdCString::operator=(const char* text)
{
    std::uint32_t n = textLength(text);
    if (n != 0)
        return replace(0, length(), text, n);
    if (rep()->refs == 0) {
        rep()->length = 0;
        data_[0] = '\0';
    } else {
        char* e = makeRep(0, 0);
        release(data_);
        data_ = e;
    }
    return *this;
}

FdCString& FdCString::operator=(const FdCString& other)
{
    if (data_ == other.data_)
        return *this;
    ++other.rep()->refs;
    release(data_);
    data_ = other.data_;
    return *this;
}

// ---------------------------------------------------------------------------
// Editing

char* FdCString::openGap(std::uint32_t pos, std::uint32_t removed, const char* buffer, std::uint32_t inserted)
{
    const std::uint32_t len = length();
    if (pos > len)
        raiseSubString(pos, removed, len);
    if (removed > len - pos)
        removed = len - pos;
    const std::uint64_t total64 = std::uint64_t(len) - removed + inserted;
    if (total64 > kMaxCapacity)
        throw std::bad_alloc();
    const std::uint32_t total = static_cast<std::uint32_t>(total64);
    const std::uint32_t rem = len - removed - pos;

    Rep* r = rep();
    std::less<const char*> before;
    const bool inside = buffer != nullptr && !before(buffer, data_) && before(buffer, data_ + len);
    const bool tooMuchWaste = total < len && r->capacity - total > gMaxWaste;
    if (r->refs == 0 && r->capacity >= total && !tooMuchWaste && !inside) {
        if (rem != 0 && inserted != removed)
            std::memmove(data_ + pos + inserted, data_ + pos + removed, rem);
        if (buffer != nullptr)
            copyBytes(data_ + pos, buffer, inserted);
        r->length = total;
        data_[total] = '\0';
        return data_ + pos;
    }

    char* fresh = makeRep(adjustCapacity(total), total);
    copyBytes(fresh, data_, pos);
    if (buffer != nullptr)
        copyBytes(fresh + pos, buffer, inserted);
    copyBytes(fresh + pos + inserted, data_ + pos + removed, rem);
    release(data_);
    data_ = fresh;
    return data_ + pos;
}

FdCString& FdCString::replace(std::uint32_t pos, std::uint32_t removed, const char* buffer, std::uint32_t inserted)
{
    if (buffer == nullptr)
        inserted = 0;
    openGap(pos, removed, buffer, inserted);
    return *this;
}

FdCString& FdCString::operator+=(const char* text) { return append(text); }
FdCString& FdCString::operator+=(const FdCString& other) { return append(other); }

FdCString& FdCString::append(const char* text)
{
    return replace(length(), 0, text, textLength(text));
}

FdCString& FdCString::append(const char* text, std::uint32_t n)
{
    return replace(length(), 0, text, n);
}

FdCString& FdCString::append(const FdCString& other)
{
    return replace(length(), 0, other.data_, other.length());
}

FdCString& FdCString::append(char c, std::uint32_t count)
{
    char* gap = openGap(length(), 0, nullptr, count);
    if (count != 0)
        std::memset(gap, static_cast<unsigned char>(c), count);
    return *this;
}

FdCString& FdCString::prepend(const char* text)
{
    return replace(0, 0, text, textLength(text));
}

FdCString& FdCString::prepend(const FdCString& other)
{
    return replace(0, 0, other.data_, other.length());
}

FdCString& FdCString::prepend(char c, std::uint32_t count)
{
    char* gap = openGap(0, 0, nullptr, count);
    if (count != 0)
        std::memset(gap, static_cast<unsigned char>(c), count);
    return *this;
}

FdCString& FdCString::remove(std::uint32_t pos)
{
    std::uint32_t len = length();
    return replace(pos, pos <= len ? len - pos : 0, nullptr, 0);
}

FdCString& FdCString::remove(std::uint32_t pos, std::uint32_t n)
{
    return replace(pos, n, nullptr, 0);
}

void FdCString::resize(std::uint32_t n)
{
    std::uint32_t len = length();
    if (n < len)
        replace(n, len - n, nullptr, 0);
    else if (n > len)
        append(' ', n - len);
}

std::uint32_t FdCString::capacity() const
{
    return rep()->capacity;
}

std::uint32_t FdCString::capacity(std::uint32_t n)
{
    std::uint32_t len = length();
    if (n > len && n != rep()->capacity) {
        char* fresh = makeRep(n, len);
        copyBytes(fresh, data_, len);
        release(data_);
        data_ = fresh;
    }
    return rep()->capacity;
}

void FdCString::clobber(std::uint32_t n)
{
    Rep* r = rep();
    if (r->refs == 0 && r->capacity >= n) {
        r->length = 0;
        data_[0] = '\0';
        return;
    }
    char* fresh = makeRep(n, 0);
    release(data_);
    data_ = fresh;
}

FdCString FdCString::copy() const
{
    std::uint32_t len = length();
    FdCString result(makeRep(len, len), AdoptRep{});
    copyBytes(result.data_, data_, len);
    return result;
}

// ---------------------------------------------------------------------------
// Reading

std::uint32_t FdCString::length() const
{
    return rep()->length;
}

std::uint32_t FdCString::references() const
{
    return rep()->refs + 1;
}

bool FdCString::isAscii() const
{
    std::uint32_t len = length();
    for (std::uint32_t i = 0; i < len; ++i)
        if (static_cast<unsigned char>(data_[i]) > 127)
            return false;
    return true;
}

std::uint32_t FdCString::mbLength() const
{
    std::mbstate_t state;
    std::memset(&state, 0, sizeof state);
    const std::uint32_t len = length();
    const std::size_t maxChar = MB_CUR_MAX;
    std::uint32_t pos = 0;
    std::uint32_t count = 0;
    if (maxChar == 1) {
        // A single-byte locale: every byte is one character. Some C libraries
        // reject bytes above 127 in their "C" locale; counting here keeps the
        // result the same on every platform.
        while (pos < len && data_[pos] != '\0')
            ++pos;
        return pos;
    }
    while (pos < len && data_[pos] != '\0') {
        // Never look past the terminating NUL.
        std::size_t avail = std::size_t(len - pos) + 1;
        std::size_t n = std::mbrlen(data_ + pos, avail < maxChar ? avail : maxChar, &state);
        if (n == 0 || n == static_cast<std::size_t>(-1) || n == static_cast<std::size_t>(-2))
            return FD_NPOS;
        pos += static_cast<std::uint32_t>(n);
        ++count;
    }
    return pos > len ? FD_NPOS : count;
}

char& FdCString::operator()(std::uint32_t i)
{
    std::uint32_t len = length();
    if (i >= len)
        fdRaiseIndex(i, len);
    makeUnique();
    return data_[i];
}

char FdCString::operator()(std::uint32_t i) const
{
    std::uint32_t len = length();
    if (i >= len)
        fdRaiseIndex(i, len);
    return data_[i];
}

// ---------------------------------------------------------------------------
// Searching

std::uint32_t FdCString::first(char c) const
{
    return first(c, length());
}

std::uint32_t FdCString::first(char c, std::uint32_t n) const
{
    std::uint32_t len = length();
    if (n > len)
        n = len;
    for (std::uint32_t i = 0; i < n; ++i)
        if (data_[i] == c)
            return i;
    return FD_NPOS;
}

std::uint32_t FdCString::last(char c) const
{
    return last(c, length());
}

std::uint32_t FdCString::last(char c, std::uint32_t n) const
{
    std::uint32_t len = length();
    if (n > len)
        n = len;
    for (std::uint32_t i = n; i > 0; --i)
        if (data_[i - 1] == c)
            return i - 1;
    return FD_NPOS;
}

std::uint32_t FdCString::first(const char* set) const
{
    return first(set, length());
}

std::uint32_t FdCString::first(const char* set, std::uint32_t n) const
{
    if (set == nullptr)
        return FD_NPOS;
    std::uint32_t len = length();
    if (n > len)
        n = len;
    for (std::uint32_t i = 0; i < n; ++i)
        if (data_[i] != '\0' && std::strchr(set, data_[i]) != nullptr)
            return i;
    return FD_NPOS;
}

std::uint32_t FdCString::index(const char* pattern, std::uint32_t patternLength, std::uint32_t start,
                               caseCompare cmp) const
{
    const std::uint32_t len = length();
    if (std::uint64_t(start) + patternLength > len)
        return FD_NPOS;
    if (patternLength == 0)
        return start;
    for (std::uint32_t i = start; i + patternLength <= len; ++i) {
        std::uint32_t k = 0;
        if (cmp == exact) {
            if (std::memcmp(data_ + i, pattern, patternLength) == 0)
                return i;
            continue;
        }
        while (k < patternLength && lowerByte(data_[i + k]) == lowerByte(pattern[k]))
            ++k;
        if (k == patternLength)
            return i;
    }
    return FD_NPOS;
}

std::uint32_t FdCString::index(const char* pattern, std::uint32_t start, caseCompare cmp) const
{
    return index(pattern == nullptr ? "" : pattern, textLength(pattern), start, cmp);
}

std::uint32_t FdCString::index(const FdCString& pattern, std::uint32_t start, caseCompare cmp) const
{
    return index(pattern.data_, pattern.length(), start, cmp);
}

bool FdCString::contains(const char* pattern, caseCompare cmp) const
{
    return index(pattern, 0, cmp) != FD_NPOS;
}

// ---------------------------------------------------------------------------
// Views

SubString FdCString::subString(std::uint32_t start, std::uint32_t extent)
{
    SubString view(this, start, extent);
    view.checkedBegin();
    return view;
}

const SubString FdCString::subString(std::uint32_t start, std::uint32_t extent) const
{
    SubString view(this, start, extent);
    view.checkedBegin();
    return view;
}

SubString FdCString::subString(const FdCString& pattern, std::uint32_t start, caseCompare cmp)
{
    std::uint32_t n = pattern.length();
    std::uint32_t pos = index(pattern.data_, n, start, cmp);
    if (pos == FD_NPOS)
        return SubString(this, FD_NPOS, 0);
    return SubString(this, pos, n);
}

SubString FdCString::strip(stripType which, char c)
{
    std::uint32_t b = 0;
    std::uint32_t e = length();
    if (which & leading)
        while (b < e && data_[b] == c)
            ++b;
    if (which & trailing)
        while (e > b && data_[e - 1] == c)
            --e;
    if (b == e)
        return SubString(this, FD_NPOS, 0);
    return SubString(this, b, e - b);
}

// ---------------------------------------------------------------------------
// Comparison, hashing, case

int FdCString::compareTo(const char* text, caseCompare cmp) const
{
    if (text == nullptr)
        text = "";
    const std::uint32_t len = length();
    for (std::uint32_t i = 0;; ++i) {
        if (text[i] == '\0')
            return len > i ? 1 : 0;
        if (i == len)
            return -1;
        signed char a = static_cast<signed char>(data_[i]);
        signed char b = static_cast<signed char>(text[i]);
        if (cmp == ignoreCase) {
            a = static_cast<signed char>(lowerByte(data_[i]));
            b = static_cast<signed char>(lowerByte(text[i]));
        }
        if (a != b)
            return a < b ? -1 : 1;
    }
}

int FdCString::compareTo(const FdCString& other, caseCompare cmp) const
{
    const std::uint32_t la = length();
    const std::uint32_t lb = other.length();
    const std::uint32_t n = la < lb ? la : lb;
    for (std::uint32_t i = 0; i < n; ++i) {
        if (cmp == exact) {
            unsigned char a = static_cast<unsigned char>(data_[i]);
            unsigned char b = static_cast<unsigned char>(other.data_[i]);
            if (a != b)
                return a < b ? -1 : 1;
        } else {
            signed char a = static_cast<signed char>(lowerByte(data_[i]));
            signed char b = static_cast<signed char>(lowerByte(other.data_[i]));
            if (a != b)
                return a < b ? -1 : 1;
        }
    }
    if (la == lb)
        return 0;
    return la < lb ? -1 : 1;
}

std::uint32_t FdCString::hash(caseCompare cmp) const
{
    const std::uint32_t len = length();
    const unsigned char* p = reinterpret_cast<const unsigned char*>(data_);
    std::uint32_t h = len;
    if (cmp == ignoreCase) {
        for (std::uint32_t i = 0; i < len; ++i)
            h = std::uint32_t(upperByte(data_[i])) ^ rotl5(h);
        return h;
    }
    std::uint32_t i = 0;
    for (; i + 4 <= len; i += 4) {
        std::uint32_t word = std::uint32_t(p[i]) | (std::uint32_t(p[i + 1]) << 8) |
                             (std::uint32_t(p[i + 2]) << 16) | (std::uint32_t(p[i + 3]) << 24);
        h = word ^ rotl5(h);
    }
    if (i < len) {
        std::uint32_t word = 0;
        for (; i < len; ++i)
            word = (word << 8) | static_cast<std::uint32_t>(static_cast<std::int32_t>(static_cast<signed char>(p[i])));
        h = word ^ rotl5(h);
    }
    return h;
}

void FdCString::toLower()
{
    std::uint32_t len = length();
    if (len == 0)
        return;
    makeUnique();
    for (std::uint32_t i = 0; i < len; ++i)
        data_[i] = static_cast<char>(lowerByte(data_[i]));
}

void FdCString::toUpper()
{
    std::uint32_t len = length();
    if (len == 0)
        return;
    makeUnique();
    for (std::uint32_t i = 0; i < len; ++i)
        data_[i] = static_cast<char>(upperByte(data_[i]));
}

int FdCString::collate(const char* text) const
{
    return std::strcoll(data_, text == nullptr ? "" : text);
}

FdCString FdCString::strXForm() const
{
    std::size_t n = std::strxfrm(nullptr, data_, 0);
    std::uint32_t len = checkedLength(n);
    FdCString result(makeRep(len, len), AdoptRep{});
    if (len != 0)
        std::strxfrm(result.data_, data_, std::size_t(len) + 1);
    return result;
}

// ---------------------------------------------------------------------------
// Free functions

FdCString operator+(const FdCString& a, const FdCString& b)
{
    return FdCString::concat(a.data_, a.length(), b.data_, b.length());
}

FdCString operator+(const FdCString& a, const char* b)
{
    return FdCString::concat(a.data_, a.length(), b, textLength(b));
}

FdCString operator+(const char* a, const FdCString& b)
{
    return FdCString::concat(a, textLength(a), b.data_, b.length());
}

bool operator==(const FdCString& a, const FdCString& b)
{
    std::uint32_t n = a.length();
    return n == b.length() && (n == 0 || std::memcmp(a.data(), b.data(), n) == 0);
}

bool operator==(const FdCString& a, const char* b)
{
    std::uint32_t n = textLength(b);
    return n == a.length() && (n == 0 || std::memcmp(a.data(), b, n) == 0);
}

bool operator==(const char* a, const FdCString& b)
{
    return b == a;
}

FdCString toLower(const FdCString& s)
{
    FdCString r = s.copy();
    r.toLower();
    return r;
}

FdCString toUpper(const FdCString& s)
{
    FdCString r = s.copy();
    r.toUpper();
    return r;
}

// ---------------------------------------------------------------------------
// SubString

SubString::SubString(const FdCString* str, std::uint32_t start, std::uint32_t extent)
    : str_(const_cast<FdCString*>(str)), start_(start), extent_(extent)
{
}

const char* SubString::checkedBegin() const
{
    std::uint32_t len = str_->length();
    if (start_ == FD_NPOS) {
        if (extent_ != 0)
            raiseSubString(start_, extent_, len);
        return nullptr;
    }
    if (start_ > len || extent_ > len - start_)
        raiseSubString(start_, extent_, len);
    return str_->data_ + start_;
}

SubString& SubString::assign(const char* buffer, std::uint32_t n)
{
    if (checkedBegin() == nullptr)
        return *this;
    str_->replace(start_, extent_, buffer == nullptr ? "" : buffer, n);
    extent_ = n;
    return *this;
}

SubString& SubString::operator=(const char* text)
{
    return assign(text, textLength(text));
}

SubString& SubString::operator=(const FdCString& s)
{
    // Keep the source alive even when it is the viewed string itself.
    FdCString keep(s);
    return assign(keep.data(), keep.length());
}

SubString& SubString::operator=(const SubString& view)
{
    if (this == &view)
        return *this;
    const char* begin = view.checkedBegin();
    if (begin == nullptr)
        return assign("", 0);
    // Copy first: the source may view the same string as this view.
    FdCString source(begin, view.extent_);
    return assign(source.data(), source.length());
}

char& SubString::operator()(std::uint32_t i)
{
    checkedBegin();
    if (i >= extent_)
        fdRaiseIndex(i, extent_);
    str_->makeUnique();
    return str_->data_[start_ + i];
}

char SubString::operator()(std::uint32_t i) const
{
    const char* begin = checkedBegin();
    if (i >= extent_)
        fdRaiseIndex(i, extent_);
    return begin[i];
}

void SubString::toLower()
{
    if (checkedBegin() == nullptr || extent_ == 0)
        return;
    str_->makeUnique();
    for (std::uint32_t i = 0; i < extent_; ++i)
        str_->data_[start_ + i] = static_cast<char>(lowerByte(str_->data_[start_ + i]));
}

void SubString::toUpper()
{
    if (checkedBegin() == nullptr || extent_ == 0)
        return;
    str_->makeUnique();
    for (std::uint32_t i = 0; i < extent_; ++i)
        str_->data_[start_ + i] = static_cast<char>(upperByte(str_->data_[start_ + i]));
}

bool SubString::operator==(const char* text) const
{
    const char* begin = checkedBegin();
    std::uint32_t n = textLength(text);
    return n == extent_ && (n == 0 || std::memcmp(begin, text, n) == 0);
}

bool SubString::operator==(const FdCString& s) const
{
    const char* begin = checkedBegin();
    std::uint32_t n = s.length();
    return n == extent_ && (n == 0 || std::memcmp(begin, s.data(), n) == 0);
}

bool SubString::operator==(const SubString& view) const
{
    const char* a = checkedBegin();
    const char* b = view.checkedBegin();
    return extent_ == view.extent_ && (extent_ == 0 || std::memcmp(a, b, extent_) == 0);
}

} // namespace qd
