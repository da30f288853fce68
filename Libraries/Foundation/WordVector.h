// WordVector.h - fixed array of 32-bit words.
//
// WordVector is an owned array of 32-bit words with a checked access
// (FdBoundsErr 8211 (index, length), or 8212 for FD_NPOS).
#ifndef FOUNDATION_WORDVECTOR_H
#define FOUNDATION_WORDVECTOR_H

#include "Foundation/FdExceptions.h"

#include <cstddef>
#include <cstdint>
#include <new>

namespace qd {

class WordVector {
public:
    using W = std::uint32_t;

    explicit WordVector(std::uint32_t n = 0, W fill = W()) : length_(0), data_(allocate(n))
    {
        length_ = n;
        this->fill(fill);
    }

    WordVector(const WordVector& other) : length_(0), data_(allocate(other.length_))
    {
        length_ = other.length_;
        for (std::uint32_t i = 0; i < length_; ++i)
            data_[i] = other.data_[i];
    }

    WordVector& operator=(const WordVector& other)
    {
        if (data_ == other.data_)
            return *this;
        W* fresh = allocate(other.length_);
        for (std::uint32_t i = 0; i < other.length_; ++i)
            fresh[i] = other.data_[i];
        delete[] data_;
        data_ = fresh;
        length_ = other.length_;
        return *this;
    }

    ~WordVector() { delete[] data_; }

    std::uint32_t length() const { return length_; }
    W* data() { return data_; }
    const W* data() const { return data_; }

    void fill(W value)
    {
        for (std::uint32_t i = 0; i < length_; ++i)
            data_[i] = value;
    }

    // New array of n words with the first min(n, length) copied; the words
    // beyond the old length are left zero (their value is not to be relied on).
    void reshape(std::uint32_t n)
    {
        if (n == length_)
            return;
        W* fresh = allocate(n);
        const std::uint32_t keep = n < length_ ? n : length_;
        for (std::uint32_t i = 0; i < keep; ++i)
            fresh[i] = data_[i];
        delete[] data_;
        data_ = fresh;
        length_ = n;
    }

    // reshape(n), then the words from the old length on set to 0.
    void resize(std::uint32_t n)
    {
        const std::uint32_t old = length_;
        reshape(n);
        for (std::uint32_t i = old; i < length_; ++i)
            data_[i] = W();
    }

    W& operator()(std::uint32_t i)
    {
        check(i);
        return data_[i];
    }
    W operator()(std::uint32_t i) const
    {
        check(i);
        return data_[i];
    }
    W& operator[](std::uint32_t i) { return (*this)(i); }
    W operator[](std::uint32_t i) const { return (*this)(i); }

private:
    static W* allocate(std::uint32_t n)
    {
        if (n == 0)
            return nullptr;
        const std::uint64_t bytes = std::uint64_t(n) * sizeof(W);
        if (bytes > 0xFFFFFFFFu - 64u || bytes > std::uint64_t(PTRDIFF_MAX) - 64u)
            throw std::bad_alloc();
        return new W[n]();
    }

    void check(std::uint32_t i) const
    {
        if (i >= length_)
            fdRaiseIndex(i, length_);
    }

    std::uint32_t length_;
    W* data_;
};

} // namespace qd

#endif
