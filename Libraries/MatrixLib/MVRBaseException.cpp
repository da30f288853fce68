#include "Matrix/MVRBaseException.h"

namespace qd {

MVRBaseException::MVRBaseException(const FdCString& file, std::int32_t line, std::int32_t code)
    : code(code), description_(), file_(), line(line)
{
    setFile(file);
}

MVRBaseException::MVRBaseException(const MVRBaseException& other)
    : code(other.code), description_(other.description_), file_(other.file_), line(other.line)
{
}

MVRBaseException& MVRBaseException::operator=(const MVRBaseException& other)
{
    code = other.code;
    description_ = other.description_;
    file_ = other.file_;
    line = other.line;
    return *this;
}

MVRBaseException::~MVRBaseException() = default;

void MVRBaseException::setFile(const FdCString& file)
{
    file_ = file;
}

FdCString MVRBaseException::file() const
{
    return file_;
}

FdCString MVRBaseException::description() const
{
    return description_;
}

void qdThrow(const char* file, std::int32_t line, std::int32_t code)
{
    throw MVRBaseException(FdCString(file), line, code);
}

} // namespace qd
