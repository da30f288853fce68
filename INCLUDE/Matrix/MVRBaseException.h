// MVRBaseException: the one exception type of the engine's own code.
//
// Every check in the data model and the compute library that finds a bad
// argument, a missing result or an impossible computation throws an
// MVRBaseException by value. It carries a numeric error code (the text of a
// code comes from errorDescription() in "Matrix/ErrorCatalogue.h") and the
// place of the throw: the source file, as a path relative to the source tree,
// and the line.
//
// HOW TO THROW (the one idiom used by every throw site of the engine)
// -------------------------------------------------------------------
// The file and line are the engine's published error locations, not the
// compiler's __FILE__ / __LINE__. Clients see them in every error report, so
// they are written out literally at the throw site:
//
//   * Source files are written with back-slashes:   Libraries\MatrixLib\SeriesQC
//   * Header files have a forward slash before the
//     file name:                                     INCLUDE\Matrix/SeriesQC
//   * No extension, no leading slash or drive.
//
// A .cpp file names its own path once, near the top, in an unnamed namespace,
// and every throw in that file passes it together with the line number:
//
//     #include "Matrix/MVRBaseException.h"
//
//     namespace {
//     const char* const QD_SOURCE_PATH = "Libraries\\MatrixLib\\SeriesQC";
//     }
//
//     ...
//     if (type < 2000 || type > 4015)
//         qdThrow(QD_SOURCE_PATH, publishedLine(105), ErrorCode::NotSeriesLevel);
//
// publishedLine(n) marks the number as a published value: it is not the
// line of the throw in this file and must not be "corrected" when the file
// changes. The code is named (Matrix/ErrorCodes.h).
//
// Inline code in a header cannot use the including file's QD_SOURCE_PATH, so
// it passes its own header path literally:
//
//     qdThrow("INCLUDE\\Matrix/SeriesQC", publishedLine(31), ErrorCode::NotSingleValueStatistic);
//
// qdThrow(file, line, code) builds the exception from exactly those three
// values (same argument order as the constructor) and throws it; it never
// returns. Writing `throw MVRBaseException(FdCString(path), line, code);` has
// the same effect and is fine where an expression is needed.
//
// Catching: catch by value or by const reference. Read `code` and `line`
// directly and the path through file().
#ifndef QD_MATRIX_MVRBASEEXCEPTION_H
#define QD_MATRIX_MVRBASEEXCEPTION_H

#include <cstdint>
#include <new>

#include "Foundation/FdCString.h"
#include "Matrix/ErrorCodes.h"

namespace qd {

class MVRBaseException {
public:
    // Order of the arguments: file, line, code. The description stays empty.
    MVRBaseException(const FdCString& file, std::int32_t line, std::int32_t code);
    MVRBaseException(const MVRBaseException& other);
    MVRBaseException& operator=(const MVRBaseException& other);
    ~MVRBaseException();

    // Replaces the stored source path.
    void setFile(const FdCString& file);
    // A copy of the stored source path (shares the characters).
    FdCString file() const;
    // Always empty: nothing in the engine sets it.
    FdCString description() const;

    // Read directly by the catcher.
    std::int32_t code;

private:
    FdCString description_;
    FdCString file_;

public:
    std::int32_t line;
};

// Builds an MVRBaseException from (file, line, code) and throws it by value.
[[noreturn]] void qdThrow(const char* file, std::int32_t line, std::int32_t code);
[[noreturn]] inline void qdThrow(const char* file, std::int32_t line, ErrorCode code)
{
    qdThrow(file, line, codeNumber(code));
}

// An allocation failure: std::bad_alloc, or code 3 as the automation
// server's allocation-failure handler raises it.
inline bool isOutOfMemory(const MVRBaseException& e)
{
    return e.code == codeNumber(ErrorCode::OutOfMemory);
}

// For a handler that falls back to another path when a step fails (a
// catch (...) or a catch of MVRBaseException): lets an allocation failure
// through, so running out of memory is reported as code 3 instead of
// quietly choosing the fallback. Call it first inside the handler.
inline void rethrowOutOfMemory()
{
    try {
        throw;
    } catch (const std::bad_alloc&) {
        throw;
    } catch (const MVRBaseException& e) {
        if (isOutOfMemory(e))
            throw;
    } catch (...) {
    }
}

// A published error line: the line number clients see in the report, fixed
// by the engine's error locations and independent of where the throw sits.
constexpr std::int32_t publishedLine(std::int32_t line)
{
    return line;
}

} // namespace qd

#endif
