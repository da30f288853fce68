// FdExceptions.h - the foundation exception classes and their numbered messages.
//
// Every foundation check (strings, ordered vectors, lists, double vectors and
// matrices, LU factorisation) reports misuse by throwing, by value, one of the
// classes below; its text is formatted from a numbered message record.
//
//   Fdxmsg
//     Fdxalloc          (requested size)
//     FdExternalErr
//       FdFileErr       (file, kind)
//       FdStreamErr     (stream)
//     FdInternalErr
//       FdBoundsErr
//
// Message records
// ---------------
// Each record is a constant MessageId {catalogue tag, number, English format
// text, reserved}. Three catalogues: "fdtools" 8192-8214, "fdcore" 4096-4106
// and "fdmath" 12288-12311. Every record has one accessor function that
// returns it, named <CATALOGUE>_<TAG> after the bracketed tag of its text:
//
//   FDTOOLS_INDEXERR()   8211 "[INDEXERR] Illegal Index (%u) for collection ..."
//   FDTOOLS_NPOSINDEX()  8212 "[NPOSINDEX] The value FD_NPOS cannot be used ..."
//   FDTOOLS_SUBSTRING()  8208, FDCORE_NOMEM() 4101, FDCORE_OVFLOW() 4104,
//   FDMATH_INDEX() 12292, FDMATH_MNMATCH() 12294, ...
//
// fdFindMessage(number) looks a record up by its number (null when unknown).
//
// Raising
// -------
// The idiom of every check: format the record with the values into a
// FormattedMessage, build the exception from its text (an owned copy) and
// throw it through the class's throw operation. The fdRaise... helpers do
// exactly that in one call, e.g.
//
//   fdRaiseBounds(FDMATH_INDEX(), std::int32_t(i), std::uint32_t(n));
//   fdRaiseInternal(FDMATH_CANTSOLVE());
//
// Arguments follow printf conventions: pass std::int32_t for %d,
// std::uint32_t for %u and const char* for %s. The formatted text is cut to
// 503 characters.
//
// fdRaiseIndex(i, n) is the common container index failure: message 8212 when
// i is FD_NPOS, otherwise 8211 (i, n), thrown as FdBoundsErr.
#ifndef FOUNDATION_FDEXCEPTIONS_H
#define FOUNDATION_FDEXCEPTIONS_H

#include <cstdint>

namespace qd {

class FdCString;

// One numbered message.
struct MessageId {
    const char* catalogue;   // NUL-terminated catalogue tag
    std::int32_t number;     // message number
    const char* text;        // English printf format text
    std::int32_t reserved;   // always 0
};

// Size of the formatting buffer: a formatted message holds at most 503
// characters plus its NUL.
constexpr std::uint32_t FD_MESSAGE_BUFFER_SIZE = 504;

// ---------------------------------------------------------------------------
// Catalogue "fdtools" (8192-8214)
const MessageId& FDTOOLS_ALLOCOUT();   // 8192
const MessageId& FDTOOLS_BADRE();      // 8193
const MessageId& FDTOOLS_CRABS();      // 8194
const MessageId& FDTOOLS_FLIST();      // 8195
const MessageId& FDTOOLS_ID();         // 8196
const MessageId& FDTOOLS_INDEX();      // 8197
const MessageId& FDTOOLS_LOCK();       // 8198
const MessageId& FDTOOLS_LONGINDEX();  // 8199
const MessageId& FDTOOLS_MAGIC();      // 8200
const MessageId& FDTOOLS_NEVECL();     // 8201
const MessageId& FDTOOLS_NOCREATE();   // 8202
const MessageId& FDTOOLS_NOTALLOW();   // 8203
const MessageId& FDTOOLS_READERR();    // 8204
const MessageId& FDTOOLS_REF();        // 8205
const MessageId& FDTOOLS_SEEKERR();    // 8206
const MessageId& FDTOOLS_STREAM();     // 8207
const MessageId& FDTOOLS_SUBSTRING();  // 8208
const MessageId& FDTOOLS_UNLOCK();     // 8209
const MessageId& FDTOOLS_WRITEERR();   // 8210
const MessageId& FDTOOLS_INDEXERR();   // 8211
const MessageId& FDTOOLS_NPOSINDEX();  // 8212
const MessageId& FDTOOLS_NOPERSIST();  // 8213
const MessageId& FDTOOLS_CRABSS();     // 8214

// Catalogue "fdcore" (4096-4106)
const MessageId& FDCORE_EOF();         // 4096
const MessageId& FDCORE_GENERIC();     // 4097
const MessageId& FDCORE_INVADDR();     // 4098
const MessageId& FDCORE_LOCK();        // 4099
const MessageId& FDCORE_NOINIT();      // 4100
const MessageId& FDCORE_NOMEM();       // 4101
const MessageId& FDCORE_OPERR();       // 4102
const MessageId& FDCORE_OUTALLOC();    // 4103
const MessageId& FDCORE_OVFLOW();      // 4104
const MessageId& FDCORE_STREAM();      // 4105
const MessageId& FDCORE_SYNSTREAM();   // 4106

// Catalogue "fdmath" (12288-12311)
const MessageId& FDMATH_ARRDIM();      // 12288
const MessageId& FDMATH_BADPARITY();   // 12289
const MessageId& FDMATH_BADVERNO();    // 12290
const MessageId& FDMATH_CANTSOLVE();   // 12291
const MessageId& FDMATH_INDEX();       // 12292
const MessageId& FDMATH_LENPOS();      // 12293
const MessageId& FDMATH_MNMATCH();     // 12294
const MessageId& FDMATH_NMATCH();      // 12295
const MessageId& FDMATH_NOCONDITION(); // 12296
const MessageId& FDMATH_NPOINTS();     // 12297
const MessageId& FDMATH_NSQUARE();     // 12298
const MessageId& FDMATH_FDBDEALL();    // 12299
const MessageId& FDMATH_SHORTBLOCK();  // 12300
const MessageId& FDMATH_SLICEBEG();    // 12301
const MessageId& FDMATH_SLICEEND();    // 12302
const MessageId& FDMATH_STORAGE();     // 12303
const MessageId& FDMATH_STRCTOR();     // 12304
const MessageId& FDMATH_STRIDEPOS();   // 12305
const MessageId& FDMATH_STRIDENZ();    // 12306
const MessageId& FDMATH_STRIDEMAT();   // 12307
const MessageId& FDMATH_VNMATCH();     // 12308
const MessageId& FDMATH_ZEROSD();      // 12309
const MessageId& FDMATH_ZEROVEC();     // 12310
const MessageId& FDMATH_ZROOT();       // 12311

// The record with the given number in any of the three catalogues, or null.
const MessageId* fdFindMessage(std::int32_t number);

// ---------------------------------------------------------------------------
// A message record formatted with its arguments; keeps an owned heap copy of
// exactly the formatted length.
class FormattedMessage {
public:
    template <class... Args>
    explicit FormattedMessage(const MessageId& id, Args... args) : text_(nullptr)
    {
        format(id.text, args...);
    }
    FormattedMessage(const FormattedMessage& other);
    FormattedMessage& operator=(const FormattedMessage& other);
    ~FormattedMessage();

    const char* text() const { return text_; }

private:
    void format(const char* fmt, ...);
    char* text_;
};

// ---------------------------------------------------------------------------
// Root of the foundation exceptions: a message text, owned or borrowed.
class Fdxmsg {
public:
    explicit Fdxmsg(const char* text);            // owned copy
    explicit Fdxmsg(const FdCString& text);       // owned copy of its characters
    Fdxmsg(const char* text, bool copy);          // copy false: borrowed, never freed
    Fdxmsg(const Fdxmsg& other);                  // owned text copied again
    Fdxmsg& operator=(const Fdxmsg& other);
    virtual ~Fdxmsg();

    const char* why() const { return text_; }
    bool ownsText() const { return ownsText_ != 0; }

    // Throws a copy of this object as Fdxmsg.
    [[noreturn]] void raise() const;

private:
    void take(const char* text, bool copy);
    void release();

    const char* text_;
    std::int32_t ownsText_;
};

// Allocation failure; by default it borrows the text of message 4101.
class Fdxalloc : public Fdxmsg {
public:
    explicit Fdxalloc(std::uint32_t size);
    Fdxalloc(const char* text, std::uint32_t size);
    Fdxalloc(const FdCString& text, std::uint32_t size);
    std::uint32_t size() const { return size_; }

private:
    std::uint32_t size_;
};

class FdExternalErr : public Fdxmsg {
public:
    explicit FdExternalErr(const char* text);
    explicit FdExternalErr(const FdCString& text);
};

class FdFileErr : public FdExternalErr {
public:
    FdFileErr(const char* text, std::uint32_t file, std::uint32_t kind);
    FdFileErr(const FdCString& text, std::uint32_t file, std::uint32_t kind);
    std::uint32_t file() const { return file_; }
    std::uint32_t kind() const { return kind_; }

private:
    std::uint32_t file_;
    std::uint32_t kind_;
};

class FdStreamErr : public FdExternalErr {
public:
    FdStreamErr(const char* text, std::uint32_t stream);
    FdStreamErr(const FdCString& text, std::uint32_t stream);
    std::uint32_t stream() const { return stream_; }

private:
    std::uint32_t stream_;
};

class FdInternalErr : public Fdxmsg {
public:
    explicit FdInternalErr(const char* text);
    explicit FdInternalErr(const FdCString& text);
};

class FdBoundsErr : public FdInternalErr {
public:
    explicit FdBoundsErr(const char* text);
    explicit FdBoundsErr(const FdCString& text);
};

// ---------------------------------------------------------------------------
// Throw operations: each throws a copy of the object by value, so that a
// handler for the class or any of its bases catches it.
[[noreturn]] void throwXmsg(const Fdxmsg& e);
[[noreturn]] void throwXalloc(const Fdxalloc& e);
[[noreturn]] void throwExternalErr(const FdExternalErr& e);
[[noreturn]] void throwFileErr(const FdFileErr& e);
[[noreturn]] void throwStreamErr(const FdStreamErr& e);
[[noreturn]] void throwInternalErr(const FdInternalErr& e);
[[noreturn]] void throwBoundsErr(const FdBoundsErr& e);

// ---------------------------------------------------------------------------
// Raising helpers: format the record with the arguments and throw.
template <class... Args>
[[noreturn]] void fdRaiseXmsg(const MessageId& id, Args... args)
{
    FormattedMessage m(id, args...);
    throwXmsg(Fdxmsg(m.text()));
}

template <class... Args>
[[noreturn]] void fdRaiseExternal(const MessageId& id, Args... args)
{
    FormattedMessage m(id, args...);
    throwExternalErr(FdExternalErr(m.text()));
}

template <class... Args>
[[noreturn]] void fdRaiseFile(std::uint32_t file, std::uint32_t kind, const MessageId& id, Args... args)
{
    FormattedMessage m(id, args...);
    throwFileErr(FdFileErr(m.text(), file, kind));
}

template <class... Args>
[[noreturn]] void fdRaiseStream(std::uint32_t stream, const MessageId& id, Args... args)
{
    FormattedMessage m(id, args...);
    throwStreamErr(FdStreamErr(m.text(), stream));
}

template <class... Args>
[[noreturn]] void fdRaiseInternal(const MessageId& id, Args... args)
{
    FormattedMessage m(id, args...);
    throwInternalErr(FdInternalErr(m.text()));
}

template <class... Args>
[[noreturn]] void fdRaiseBounds(const MessageId& id, Args... args)
{
    FormattedMessage m(id, args...);
    throwBoundsErr(FdBoundsErr(m.text()));
}

// Index failure of a container or string: 8212 for FD_NPOS, else 8211.
[[noreturn]] void fdRaiseIndex(std::uint32_t index, std::uint32_t count);

} // namespace qd

#endif
