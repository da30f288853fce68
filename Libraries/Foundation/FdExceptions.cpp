// FdExceptions.cpp - message catalogues, formatting and the foundation
// exception classes.
#include "Foundation/FdExceptions.h"

#include "Foundation/FdCString.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace qd {

namespace {

// Catalogue "fdtools" (8192-8214)
const MessageId fdtoolsCatalogue[] = {
    {"fdtools", 8192, "[ALLOCOUT] %s destructor called with allocation outstanding", 0},
    {"fdtools", 8193, "[BADRE] Attempt to use invalid regular expression", 0},
    {"fdtools", 8194, "[CRABS] FdFactory: attempting to create abstract class with ID %hu (0x%hx)", 0},
    {"fdtools", 8195, "[FLIST] Free list size error: expected %ld, got %ld", 0},
    {"fdtools", 8196, "[ID] Unexpected class ID %hu; should be %hu", 0},
    {"fdtools", 8197, "[INDEX] Index (%u) out of range [0->%u]", 0},
    {"fdtools", 8198, "[LOCK] Locked object deleted", 0},
    {"fdtools", 8199, "[LONGINDEX] Long index (%lu) out of range [0->%lu]", 0},
    {"fdtools", 8200, "[MAGIC] Bad magic number: %ld (should be %ld)", 0},
    {"fdtools", 8201, "[NEVECL] Unequal vector lengths: %u versus %u", 0},
    {"fdtools", 8202, "[NOCREATE] FdFactory: no create function for class with ID %hu (0x%hx)", 0},
    {"fdtools", 8203, "[NOTALLOW] Function not allowed for derived class", 0},
    {"fdtools", 8204, "[READERR] Read error", 0},
    {"fdtools", 8205, "[REF] Bad persistence reference", 0},
    {"fdtools", 8206, "[SEEKERR] Seek error", 0},
    {"fdtools", 8207, "[STREAM] Bad input stream", 0},
    {"fdtools", 8208, "[SUBSTRING] Illegal substring (%d, %u) from %u element FdCString", 0},
    {"fdtools", 8209, "[UNLOCK] Improper use of locked object", 0},
    {"fdtools", 8210, "[WRITEERR] Write error", 0},
    {"fdtools", 8211, "[INDEXERR] Illegal Index (%u) for collection or string with %u elements", 0},
    {"fdtools", 8212, "[NPOSINDEX] The value FD_NPOS cannot be used as an index.", 0},
    {"fdtools", 8213, "[NOPERSIST] Persistence not implemented for type %s.", 0},
    {"fdtools", 8214, "[CRABSS] FdFactory: attempting to create abstract class with StringID %s.", 0},
};

// Catalogue "fdcore" (4096-4106)
const MessageId fdcoreCatalogue[] = {
    {"fdcore", 4096, "[EOF] EOF on input", 0},
    {"fdcore", 4097, "[GENERIC] Generic error number %d; %s", 0},
    {"fdcore", 4098, "[INVADDR] Invalid address: %lx", 0},
    {"fdcore", 4099, "[LOCK] Unable to lock memory", 0},
    {"fdcore", 4100, "[NOINIT] Memory allocated without being initialized", 0},
    {"fdcore", 4101, "[NOMEM] No memory", 0},
    {"fdcore", 4102, "[OPERR] Could not open file %s", 0},
    {"fdcore", 4103, "[OUTALLOC] Memory released with allocations still outstanding", 0},
    {"fdcore", 4104, "[OVFLOW] Overflow error -> \"%.*s\" <- (%u max characters)", 0},
    {"fdcore", 4105, "[STREAM] Bad input stream", 0},
    {"fdcore", 4106, "[SYNSTREAM] Syntax error in input stream: expected %s, got %s", 0},
};

// Catalogue "fdmath" (12288-12311)
const MessageId fdmathCatalogue[] = {
    {"fdmath", 12288, "[ARRDIM] Array index wrong dimension (%d != %d)", 0},
    {"fdmath", 12289, "[BADPARITY] %s: Length (%u) of a real series must be %s", 0},
    {"fdmath", 12290, "[BADVERNO] Bad formatting version number.  Expected %d; got %d", 0},
    {"fdmath", 12291, "[CANTSOLVE] Matrix not successfully factored", 0},
    {"fdmath", 12292, "[INDEX] Index (%d) out of range [0->%u]", 0},
    {"fdmath", 12293, "[LENPOS] Length (%d) must not be negative", 0},
    {"fdmath", 12294, "[MNMATCH] Rows or columns do not match: (%u, %u) vs (%u, %u)", 0},
    {"fdmath", 12295, "[NMATCH] Dimension length doesn't match %u vs %u", 0},
    {"fdmath", 12296, "[NOCONDITION] Condition number not computed", 0},
    {"fdmath", 12297, "[NPOINTS] Vector (%u) %s %d", 0},
    {"fdmath", 12298, "[NSQUARE] Matrix (%u, %u) is not square", 0},
    {"fdmath", 12299, "[FDBDEALL] Attempt to deallocate unallocated FdBlock", 0},
    {"fdmath", 12300, "[SHORTBLOCK] Custom FdBlock too short (%u<%u)", 0},
    {"fdmath", 12301, "[SLICEBEG] slice begin (%d) out of range [0->%u]", 0},
    {"fdmath", 12302, "[SLICEEND] slice end (%d) out of range [0->%u]", 0},
    {"fdmath", 12303, "[STORAGE] Storage type must be either ROW_MAJOR or COLUMN_MAJOR", 0},
    {"fdmath", 12304, "[STRCTOR] Could not parse string constructor \"%s\"", 0},
    {"fdmath", 12305, "[STRIDEPOS] Stride (%d) must be positive", 0},
    {"fdmath", 12306, "[STRIDENZ] Stride must not be zero", 0},
    {"fdmath", 12307, "[STRIDEMAT] Stride matrix has wrong num rows (%d!=%d)", 0},
    {"fdmath", 12308, "[VNMATCH] Vector lengths do not match (%u vs %u)", 0},
    {"fdmath", 12309, "[ZEROSD] Series has zero standard deviation", 0},
    {"fdmath", 12310, "[ZEROVEC] %s: vector is empty", 0},
    {"fdmath", 12311, "[ZROOT] Zero'th root of 1 requested", 0},
};
constexpr std::int32_t kFdtoolsFirst = 8192;
constexpr std::int32_t kFdcoreFirst = 4096;
constexpr std::int32_t kFdmathFirst = 12288;
constexpr std::int32_t kFdtoolsCount = static_cast<std::int32_t>(sizeof(fdtoolsCatalogue) / sizeof(MessageId));
constexpr std::int32_t kFdcoreCount = static_cast<std::int32_t>(sizeof(fdcoreCatalogue) / sizeof(MessageId));
constexpr std::int32_t kFdmathCount = static_cast<std::int32_t>(sizeof(fdmathCatalogue) / sizeof(MessageId));

// Heap copy of n bytes plus a terminating NUL.
char* copyText(const char* text, std::size_t n)
{
    char* p = new char[n + 1];
    if (n != 0)
        std::memcpy(p, text, n);
    p[n] = '\0';
    return p;
}

} // namespace

const MessageId& FDTOOLS_ALLOCOUT() { return fdtoolsCatalogue[0]; }
const MessageId& FDTOOLS_BADRE() { return fdtoolsCatalogue[1]; }
const MessageId& FDTOOLS_CRABS() { return fdtoolsCatalogue[2]; }
const MessageId& FDTOOLS_FLIST() { return fdtoolsCatalogue[3]; }
const MessageId& FDTOOLS_ID() { return fdtoolsCatalogue[4]; }
const MessageId& FDTOOLS_INDEX() { return fdtoolsCatalogue[5]; }
const MessageId& FDTOOLS_LOCK() { return fdtoolsCatalogue[6]; }
const MessageId& FDTOOLS_LONGINDEX() { return fdtoolsCatalogue[7]; }
const MessageId& FDTOOLS_MAGIC() { return fdtoolsCatalogue[8]; }
const MessageId& FDTOOLS_NEVECL() { return fdtoolsCatalogue[9]; }
const MessageId& FDTOOLS_NOCREATE() { return fdtoolsCatalogue[10]; }
const MessageId& FDTOOLS_NOTALLOW() { return fdtoolsCatalogue[11]; }
const MessageId& FDTOOLS_READERR() { return fdtoolsCatalogue[12]; }
const MessageId& FDTOOLS_REF() { return fdtoolsCatalogue[13]; }
const MessageId& FDTOOLS_SEEKERR() { return fdtoolsCatalogue[14]; }
const MessageId& FDTOOLS_STREAM() { return fdtoolsCatalogue[15]; }
const MessageId& FDTOOLS_SUBSTRING() { return fdtoolsCatalogue[16]; }
const MessageId& FDTOOLS_UNLOCK() { return fdtoolsCatalogue[17]; }
const MessageId& FDTOOLS_WRITEERR() { return fdtoolsCatalogue[18]; }
const MessageId& FDTOOLS_INDEXERR() { return fdtoolsCatalogue[19]; }
const MessageId& FDTOOLS_NPOSINDEX() { return fdtoolsCatalogue[20]; }
const MessageId& FDTOOLS_NOPERSIST() { return fdtoolsCatalogue[21]; }
const MessageId& FDTOOLS_CRABSS() { return fdtoolsCatalogue[22]; }

const MessageId& FDCORE_EOF() { return fdcoreCatalogue[0]; }
const MessageId& FDCORE_GENERIC() { return fdcoreCatalogue[1]; }
const MessageId& FDCORE_INVADDR() { return fdcoreCatalogue[2]; }
const MessageId& FDCORE_LOCK() { return fdcoreCatalogue[3]; }
const MessageId& FDCORE_NOINIT() { return fdcoreCatalogue[4]; }
const MessageId& FDCORE_NOMEM() { return fdcoreCatalogue[5]; }
const MessageId& FDCORE_OPERR() { return fdcoreCatalogue[6]; }
const MessageId& FDCORE_OUTALLOC() { return fdcoreCatalogue[7]; }
const MessageId& FDCORE_OVFLOW() { return fdcoreCatalogue[8]; }
const MessageId& FDCORE_STREAM() { return fdcoreCatalogue[9]; }
const MessageId& FDCORE_SYNSTREAM() { return fdcoreCatalogue[10]; }

const MessageId& FDMATH_ARRDIM() { return fdmathCatalogue[0]; }
const MessageId& FDMATH_BADPARITY() { return fdmathCatalogue[1]; }
const MessageId& FDMATH_BADVERNO() { return fdmathCatalogue[2]; }
const MessageId& FDMATH_CANTSOLVE() { return fdmathCatalogue[3]; }
const MessageId& FDMATH_INDEX() { return fdmathCatalogue[4]; }
const MessageId& FDMATH_LENPOS() { return fdmathCatalogue[5]; }
const MessageId& FDMATH_MNMATCH() { return fdmathCatalogue[6]; }
const MessageId& FDMATH_NMATCH() { return fdmathCatalogue[7]; }
const MessageId& FDMATH_NOCONDITION() { return fdmathCatalogue[8]; }
const MessageId& FDMATH_NPOINTS() { return fdmathCatalogue[9]; }
const MessageId& FDMATH_NSQUARE() { return fdmathCatalogue[10]; }
const MessageId& FDMATH_FDBDEALL() { return fdmathCatalogue[11]; }
const MessageId& FDMATH_SHORTBLOCK() { return fdmathCatalogue[12]; }
const MessageId& FDMATH_SLICEBEG() { return fdmathCatalogue[13]; }
const MessageId& FDMATH_SLICEEND() { return fdmathCatalogue[14]; }
const MessageId& FDMATH_STORAGE() { return fdmathCatalogue[15]; }
const MessageId& FDMATH_STRCTOR() { return fdmathCatalogue[16]; }
const MessageId& FDMATH_STRIDEPOS() { return fdmathCatalogue[17]; }
const MessageId& FDMATH_STRIDENZ() { return fdmathCatalogue[18]; }
const MessageId& FDMATH_STRIDEMAT() { return fdmathCatalogue[19]; }
const MessageId& FDMATH_VNMATCH() { return fdmathCatalogue[20]; }
const MessageId& FDMATH_ZEROSD() { return fdmathCatalogue[21]; }
const MessageId& FDMATH_ZEROVEC() { return fdmathCatalogue[22]; }
const MessageId& FDMATH_ZROOT() { return fdmathCatalogue[23]; }
const MessageId* fdFindMessage(std::int32_t number)
{
    if (number >= kFdtoolsFirst && number < kFdtoolsFirst + kFdtoolsCount)
        return &fdtoolsCatalogue[number - kFdtoolsFirst];
    if (number >= kFdcoreFirst && number < kFdcoreFirst + kFdcoreCount)
        return &fdcoreCatalogue[number - kFdcoreFirst];
    if (number >= kFdmathFirst && number < kFdmathFirst + kFdmathCount)
        return &fdmathCatalogue[number - kFdmathFirst];
    return nullptr;
}

// ---------------------------------------------------------------------------
// FormattedMessage

void FormattedMessage::format(const char* fmt, ...)
{
    char buffer[FD_MESSAGE_BUFFER_SIZE];
    va_list args;
    va_start(args, fmt);
    int n = std::vsnprintf(buffer, sizeof buffer, fmt, args);
    va_end(args);
    if (n < 0)
        buffer[0] = '\0';
    text_ = copyText(buffer, std::strlen(buffer));
}

FormattedMessage::FormattedMessage(const FormattedMessage& other)
    : text_(copyText(other.text_, std::strlen(other.text_)))
{
}

FormattedMessage& FormattedMessage::operator=(const FormattedMessage& other)
{
    if (this != &other) {
        char* copy = copyText(other.text_, std::strlen(other.text_));
        delete[] text_;
        text_ = copy;
    }
    return *this;
}

FormattedMessage::~FormattedMessage()
{
    delete[] text_;
}

// ---------------------------------------------------------------------------
// Fdxmsg

Fdxmsg::Fdxmsg(const char* text) : text_(nullptr), ownsText_(0)
{
    take(text, true);
}

Fdxmsg::Fdxmsg(const FdCString& text) : text_(nullptr), ownsText_(0)
{
    text_ = copyText(text.data(), text.length());
    ownsText_ = 1;
}

Fdxmsg::Fdxmsg(const char* text, bool copy) : text_(nullptr), ownsText_(0)
{
    take(text, copy);
}

Fdxmsg::Fdxmsg(const Fdxmsg& other) : text_(nullptr), ownsText_(0)
{
    take(other.text_, other.ownsText_ != 0);
}

Fdxmsg& Fdxmsg::operator=(const Fdxmsg& other)
{
    if (this != &other) {
        Fdxmsg copy(other);
        release();
        text_ = copy.text_;
        ownsText_ = copy.ownsText_;
        copy.text_ = nullptr;
        copy.ownsText_ = 0;
    }
    return *this;
}

Fdxmsg::~Fdxmsg()
{
    release();
}

void Fdxmsg::take(const char* text, bool copy)
{
    if (text == nullptr)
        text = "";
    if (copy) {
        text_ = copyText(text, std::strlen(text));
        ownsText_ = 1;
    } else {
        text_ = text;
        ownsText_ = 0;
    }
}

void Fdxmsg::release()
{
    if (ownsText_ != 0)
        delete[] const_cast<char*>(text_);
    text_ = nullptr;
    ownsText_ = 0;
}

void Fdxmsg::raise() const
{
    throw Fdxmsg(*this);
}

// ---------------------------------------------------------------------------
// Derived classes

Fdxalloc::Fdxalloc(std::uint32_t size) : Fdxmsg(FDCORE_NOMEM().text, false), size_(size) {}
Fdxalloc::Fdxalloc(const char* text, std::uint32_t size) : Fdxmsg(text), size_(size) {}
Fdxalloc::Fdxalloc(const FdCString& text, std::uint32_t size) : Fdxmsg(text), size_(size) {}

FdExternalErr::FdExternalErr(const char* text) : Fdxmsg(text) {}
FdExternalErr::FdExternalErr(const FdCString& text) : Fdxmsg(text) {}

FdFileErr::FdFileErr(const char* text, std::uint32_t file, std::uint32_t kind)
    : FdExternalErr(text), file_(file), kind_(kind) {}
FdFileErr::FdFileErr(const FdCString& text, std::uint32_t file, std::uint32_t kind)
    : FdExternalErr(text), file_(file), kind_(kind) {}

FdStreamErr::FdStreamErr(const char* text, std::uint32_t stream) : FdExternalErr(text), stream_(stream) {}
FdStreamErr::FdStreamErr(const FdCString& text, std::uint32_t stream) : FdExternalErr(text), stream_(stream) {}

FdInternalErr::FdInternalErr(const char* text) : Fdxmsg(text) {}
FdInternalErr::FdInternalErr(const FdCString& text) : Fdxmsg(text) {}

FdBoundsErr::FdBoundsErr(const char* text) : FdInternalErr(text) {}
FdBoundsErr::FdBoundsErr(const FdCString& text) : FdInternalErr(text) {}

// ---------------------------------------------------------------------------
// Throw operations

void throwXmsg(const Fdxmsg& e) { throw e; }
void throwXalloc(const Fdxalloc& e) { throw e; }
void throwExternalErr(const FdExternalErr& e) { throw e; }
void throwFileErr(const FdFileErr& e) { throw e; }
void throwStreamErr(const FdStreamErr& e) { throw e; }
void throwInternalErr(const FdInternalErr& e) { throw e; }
void throwBoundsErr(const FdBoundsErr& e) { throw e; }

void fdRaiseIndex(std::uint32_t index, std::uint32_t count)
{
    if (index == 0xFFFFFFFFu)
        fdRaiseBounds(FDTOOLS_NPOSINDEX());
    fdRaiseBounds(FDTOOLS_INDEXERR(), index, count);
}

} // namespace qd
