// FdCString.h - the engine's 8-bit string with shared, reference-counted,
// copy-on-write storage, and SubString, a view into one.
//
// A string is one pointer to its characters; the 12-byte header (references
// minus one, capacity, length) lies just before them and a NUL follows the
// last one. Copying a string costs one counter increment. Characters are
// arbitrary bytes; an embedded NUL counts in the length.
//
// Bounds: checked character access throws FdBoundsErr 8211 (index, length),
// or 8212 for FD_NPOS. Substring views and replace() are checked as well: a
// view or an edit that reaches beyond the string throws FdBoundsErr 8208
// (start, extent, length) instead of touching memory outside it. A request
// for a representation larger than 32-bit sizes can describe throws
// std::bad_alloc.
#ifndef FOUNDATION_FDCSTRING_H
#define FOUNDATION_FDCSTRING_H

#include <cstdint>

namespace qd {

// Position value "none": all bits of a 32-bit unsigned integer.
constexpr std::uint32_t FD_NPOS = 0xFFFFFFFFu;

class SubString;

class FdCString {
public:
    enum caseCompare { exact, ignoreCase };
    enum stripType { leading = 1, trailing = 2, both = 3 };

    // --- construction and assignment -------------------------------------
    FdCString();
    FdCString(const char* text);                       // NOLINT: implicit on purpose
    FdCString(const char* text, std::uint32_t n);
    explicit FdCString(char c);
    FdCString(char c, std::uint32_t n);
    FdCString(const SubString& view);                  // NOLINT: implicit on purpose
    FdCString(const FdCString& other);
    ~FdCString();

    // An empty string with room for capacity characters.
    static FdCString withCapacity(std::uint32_t capacity);

    FdCString& operator=(const char* text);
    FdCString& operator=(const FdCString& other);

    // --- appending and editing --------------------------------------------
    FdCString& operator+=(const char* text);
    FdCString& operator+=(const FdCString& other);
    FdCString& operator+=(char c) { return append(c, 1); }
    FdCString& append(const char* text);
    FdCString& append(const char* text, std::uint32_t n);
    FdCString& append(const FdCString& other);
    FdCString& append(char c, std::uint32_t count = 1);
    FdCString& prepend(const char* text);
    FdCString& prepend(const FdCString& other);
    FdCString& prepend(char c, std::uint32_t count = 1);

    // The one editing primitive: replaces `removed` characters at pos by
    // `inserted` bytes from buffer (a null buffer inserts nothing). removed is
    // cut to the characters that remain after pos; pos beyond the length
    // throws FdBoundsErr 8208.
    FdCString& replace(std::uint32_t pos, std::uint32_t removed, const char* buffer, std::uint32_t inserted);

    FdCString& remove(std::uint32_t pos);                        // removes from pos to the end
    FdCString& remove(std::uint32_t pos, std::uint32_t n);       // removes n characters at pos
    void resize(std::uint32_t n);                                // cut, or pad with blanks
    std::uint32_t capacity() const;
    std::uint32_t capacity(std::uint32_t n);                     // move to a block of capacity n
    void clobber(std::uint32_t n);                               // empty, with room for n
    FdCString copy() const;                                      // private deep copy

    // --- reading ---------------------------------------------------------
    std::uint32_t length() const;
    const char* data() const { return data_; }
    bool isNull() const { return length() == 0; }
    bool isAscii() const;
    // Number of multibyte characters in the current locale; FD_NPOS when the
    // bytes are not a valid multibyte sequence.
    std::uint32_t mbLength() const;
    // Owners of the representation (1 when unshared).
    std::uint32_t references() const;

    // Checked access; the non-const forms make the string unique first.
    char& operator()(std::uint32_t i);
    char& operator[](std::uint32_t i) { return (*this)(i); }
    char operator()(std::uint32_t i) const;
    char operator[](std::uint32_t i) const { return (*this)(i); }

    // --- searching -------------------------------------------------------
    std::uint32_t first(char c) const;
    std::uint32_t first(char c, std::uint32_t n) const;           // within the first n bytes
    std::uint32_t last(char c) const;
    std::uint32_t last(char c, std::uint32_t n) const;
    std::uint32_t first(const char* set) const;                   // first byte found in set
    std::uint32_t first(const char* set, std::uint32_t n) const;
    std::uint32_t index(const char* pattern, std::uint32_t patternLength, std::uint32_t start,
                        caseCompare cmp) const;
    std::uint32_t index(const char* pattern, std::uint32_t start = 0, caseCompare cmp = exact) const;
    std::uint32_t index(const FdCString& pattern, std::uint32_t start = 0, caseCompare cmp = exact) const;
    bool contains(const char* pattern, caseCompare cmp = exact) const;

    // --- views -----------------------------------------------------------
    // View {this, start, extent}. A view outside the string throws
    // FdBoundsErr 8208; subString(FD_NPOS, 0) is the null view.
    SubString subString(std::uint32_t start, std::uint32_t extent);
    const SubString subString(std::uint32_t start, std::uint32_t extent) const;
    // View of the first occurrence of pattern at or after start (the null
    // view when absent).
    SubString subString(const FdCString& pattern, std::uint32_t start = 0, caseCompare cmp = exact);
    // View without leading and/or trailing runs of c.
    SubString strip(stripType which = trailing, char c = ' ');

    // --- comparison, hashing, case ----------------------------------------
    int compareTo(const char* text, caseCompare cmp = exact) const;
    int compareTo(const FdCString& other, caseCompare cmp = exact) const;
    std::uint32_t hash(caseCompare cmp = exact) const;
    void toLower();
    void toUpper();
    int collate(const char* text) const;
    FdCString strXForm() const;

    // --- capacity parameters (process-wide) ---------------------------------
    static std::uint32_t adjustCapacity(std::uint32_t n);
    static std::uint32_t initialCapacity();
    static std::uint32_t resizeIncrement();
    static std::uint32_t maxWaste();
    static std::uint32_t initialCapacity(std::uint32_t value);    // returns the old value
    static std::uint32_t resizeIncrement(std::uint32_t value);
    static std::uint32_t maxWaste(std::uint32_t value);

private:
    struct Rep;
    // Takes over a representation made by makeRep (the tag keeps a plain
    // char buffer from choosing this constructor over the text one).
    struct AdoptRep {};
    FdCString(char* data, AdoptRep) : data_(data) {}
    Rep* rep() const;
    static char* makeRep(std::uint32_t capacity, std::uint32_t length);
    static void release(char* data);
    static FdCString concat(const char* a, std::uint32_t na, const char* b, std::uint32_t nb);
    void makeUnique();
    // Opens room for `inserted` bytes at pos in place of `removed` characters
    // and copies buffer there when it is not null; returns the gap.
    char* openGap(std::uint32_t pos, std::uint32_t removed, const char* buffer, std::uint32_t inserted);

    char* data_;

    friend class SubString;
    friend FdCString operator+(const FdCString&, const FdCString&);
    friend FdCString operator+(const FdCString&, const char*);
    friend FdCString operator+(const char*, const FdCString&);
};

FdCString operator+(const FdCString& a, const FdCString& b);
FdCString operator+(const FdCString& a, const char* b);
FdCString operator+(const char* a, const FdCString& b);

bool operator==(const FdCString& a, const FdCString& b);
bool operator==(const FdCString& a, const char* b);
bool operator==(const char* a, const FdCString& b);
inline bool operator!=(const FdCString& a, const FdCString& b) { return !(a == b); }
inline bool operator!=(const FdCString& a, const char* b) { return !(a == b); }
inline bool operator!=(const char* a, const FdCString& b) { return !(a == b); }
inline bool operator<(const FdCString& a, const FdCString& b) { return a.compareTo(b) < 0; }

FdCString toLower(const FdCString& s);
FdCString toUpper(const FdCString& s);

// A view {string, start, extent} into an FdCString. It owns nothing and is
// valid while the viewed string is neither destroyed nor reassigned; every
// use re-checks the view against the string's current length.
class SubString {
public:
    std::uint32_t start() const { return start_; }
    std::uint32_t length() const { return extent_; }
    bool isNull() const { return start_ == FD_NPOS; }
    const FdCString& string() const { return *str_; }

    // Replace the viewed characters in the parent string; the view takes
    // the new extent. Nothing for the null view.
    SubString& operator=(const char* text);
    SubString& operator=(const FdCString& s);
    SubString& operator=(const SubString& view);

    // Checked access within the view.
    char& operator()(std::uint32_t i);
    char& operator[](std::uint32_t i) { return (*this)(i); }
    char operator()(std::uint32_t i) const;
    char operator[](std::uint32_t i) const { return (*this)(i); }

    void toLower();
    void toUpper();

    bool operator==(const char* text) const;
    bool operator==(const FdCString& s) const;
    bool operator==(const SubString& view) const;
    bool operator!=(const char* text) const { return !(*this == text); }
    bool operator!=(const FdCString& s) const { return !(*this == s); }
    bool operator!=(const SubString& view) const { return !(*this == view); }

    SubString(const SubString&) = default;

private:
    friend class FdCString;
    SubString(const FdCString* str, std::uint32_t start, std::uint32_t extent);
    // Pointer to the first viewed character after checking the view against
    // the string's current length (null for the null view).
    const char* checkedBegin() const;
    SubString& assign(const char* buffer, std::uint32_t n);

    FdCString* str_;
    std::uint32_t start_;
    std::uint32_t extent_;
};

} // namespace qd

#endif
