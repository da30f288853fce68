// OrderedVector.h - growable array of values kept in insertion order.
//
// OrderedVector<T> holds its elements by value in a ValueArray<T>: every place
// of the array holds a constructed element; places from entries() to
// capacity() - 1 hold default-constructed (or reset) elements. A new vector
// has 64 places and grows by 64 places whenever an insertion finds it full.
// Callers that know they will append many elements reserve() room ahead;
// reserve() grows the array to at least the requested size, so appends stay
// amortized constant-time when the caller grows geometrically.
//
// Index checks (element access, insertAt, removeAt) throw FdBoundsErr with
// message 8211 (index, count).
//
// The search operations (index, occurrencesOf, remove, removeAll) compare
// with the element type's operator==. For an element type without one no
// element equals any value: index gives FD_NPOS, occurrencesOf 0, remove
// false and removeAll 0.
#ifndef FOUNDATION_ORDEREDVECTOR_H
#define FOUNDATION_ORDEREDVECTOR_H

#include "Foundation/FdCString.h"
#include "Foundation/FdExceptions.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <new>
#include <type_traits>
#include <utility>

namespace qd {

namespace fd_detail {

template <class T, class = void>
struct HasEquality : std::false_type {};

template <class T>
struct HasEquality<T, std::void_t<decltype(std::declval<const T&>() == std::declval<const T&>())>>
    : std::true_type {};

template <class T>
bool elementsEqual(const T& a, const T& b)
{
    if constexpr (HasEquality<T>::value)
        return static_cast<bool>(a == b);
    else
        return false;
}

// Throws std::bad_alloc when n elements of T cannot be described in 32-bit
// sizes (element count times size, plus the array's bookkeeping).
template <class T>
void checkArraySize(std::uint32_t n)
{
    const std::uint64_t bytes = std::uint64_t(n) * sizeof(T);
    if (bytes > 0xFFFFFFFFu - 64u || bytes > std::uint64_t(PTRDIFF_MAX) - 64u)
        throw std::bad_alloc();
}

} // namespace fd_detail

// A fixed number of element places; resize() moves to an array of another size.
template <class T>
class ValueArray {
public:
    explicit ValueArray(std::uint32_t n) : capacity_(0), data_(nullptr)
    {
        if (n != 0) {
            fd_detail::checkArraySize<T>(n);
            data_ = new T[n]();
        }
        capacity_ = n;
    }
    ValueArray(const ValueArray&) = delete;
    ValueArray& operator=(const ValueArray&) = delete;
    ~ValueArray() { delete[] data_; }

    std::uint32_t capacity() const { return capacity_; }
    T* data() { return data_; }
    const T* data() const { return data_; }
    T& operator[](std::uint32_t i) { return data_[i]; }
    const T& operator[](std::uint32_t i) const { return data_[i]; }

    // New array of n places (none for n = 0) holding the first
    // min(n, capacity) elements; the old array is freed. Nothing when n equals
    // the capacity. The array is unchanged when allocation fails.
    void resize(std::uint32_t n)
    {
        if (n == capacity_)
            return;
        T* fresh = nullptr;
        if (n != 0) {
            fd_detail::checkArraySize<T>(n);
            std::unique_ptr<T[]> hold(new T[n]());
            const std::uint32_t keep = n < capacity_ ? n : capacity_;
            for (std::uint32_t i = 0; i < keep; ++i)
                hold[i] = std::move(data_[i]);
            fresh = hold.release();
        }
        delete[] data_;
        data_ = fresh;
        capacity_ = n;
    }

    void swap(ValueArray& other) noexcept
    {
        std::swap(capacity_, other.capacity_);
        std::swap(data_, other.data_);
    }

private:
    std::uint32_t capacity_;
    T* data_;
};

template <class T>
class OrderedVector {
public:
    static constexpr std::uint32_t GROWTH = 64;

    OrderedVector() : array_(GROWTH), count_(0) {}

    OrderedVector(const OrderedVector& other)
        : array_(other.count_ > GROWTH ? other.count_ : GROWTH), count_(0)
    {
        for (std::uint32_t i = 0; i < other.count_; ++i)
            array_[i] = other.array_[i];
        count_ = other.count_;
    }

    // A moved-from vector is empty with no places; it grows again on insert.
    OrderedVector(OrderedVector&& other) noexcept : array_(0), count_(other.count_)
    {
        array_.swap(other.array_);
        other.count_ = 0;
    }

    OrderedVector& operator=(const OrderedVector& other)
    {
        if (this == &other)
            return *this;
        if (array_.capacity() < other.count_) {
            OrderedVector copy(other);
            array_.swap(copy.array_);
            std::swap(count_, copy.count_);
            return *this;
        }
        for (std::uint32_t i = 0; i < other.count_; ++i)
            array_[i] = other.array_[i];
        for (std::uint32_t i = other.count_; i < count_; ++i)
            array_[i] = T();
        count_ = other.count_;
        return *this;
    }

    OrderedVector& operator=(OrderedVector&& other) noexcept
    {
        array_.swap(other.array_);
        std::swap(count_, other.count_);
        return *this;
    }

    virtual ~OrderedVector() = default;

    // Position of the first element equal to value, FD_NPOS when none.
    virtual std::uint32_t index(const T& value) const
    {
        for (std::uint32_t i = 0; i < count_; ++i)
            if (fd_detail::elementsEqual(array_[i], value))
                return i;
        return FD_NPOS;
    }

    // Appends a copy of value.
    virtual void insert(const T& value) { insertAt(count_, value); }

    virtual std::uint32_t occurrencesOf(const T& value) const
    {
        std::uint32_t n = 0;
        for (std::uint32_t i = 0; i < count_; ++i)
            if (fd_detail::elementsEqual(array_[i], value))
                ++n;
        return n;
    }

    // Removes the first element equal to value (found through index()).
    virtual bool remove(const T& value)
    {
        std::uint32_t i = index(value);
        if (i == FD_NPOS)
            return false;
        removeAt(i);
        return true;
    }

    // Removes every element equal to value, keeping the others in order.
    virtual std::uint32_t removeAll(const T& value)
    {
        if (aliases(value)) {
            T copy(value);
            return removeAllOf(copy);
        }
        return removeAllOf(value);
    }

    std::uint32_t entries() const { return count_; }
    bool isEmpty() const { return count_ == 0; }
    std::uint32_t capacity() const { return array_.capacity(); }

    T& operator[](std::uint32_t i)
    {
        check(i);
        return array_[i];
    }
    const T& operator[](std::uint32_t i) const
    {
        check(i);
        return array_[i];
    }
    T& operator()(std::uint32_t i) { return (*this)[i]; }
    const T& operator()(std::uint32_t i) const { return (*this)[i]; }
    T& at(std::uint32_t i) { return (*this)[i]; }
    const T& at(std::uint32_t i) const { return (*this)[i]; }

    // The element places; valid until the array next grows or shrinks.
    T* data() { return array_.data(); }
    const T* data() const { return array_.data(); }

    // Inserts a copy of value at position i (0..entries()); later elements
    // move up one place.
    void insertAt(std::uint32_t i, const T& value)
    {
        if (i > count_)
            fdRaiseBounds(FDTOOLS_INDEXERR(), i, count_);
        if (aliases(value)) {
            // value lives in this vector's places, which may move or be
            // replaced: work from a copy.
            T copy(value);
            insertAt(i, copy);
            return;
        }
        if (count_ == array_.capacity())
            grow(GROWTH);
        place(i, value);
    }

    // Removes the element at position i; later elements move down one place
    // and the freed place is reset.
    void removeAt(std::uint32_t i)
    {
        check(i);
        // The blank for the vacated place is made first: when making it
        // fails, nothing has moved.
        T blank = T();
        for (std::uint32_t k = i + 1; k < count_; ++k)
            array_[k - 1] = std::move(array_[k]);
        array_[count_ - 1] = std::move(blank);
        --count_;
    }

    // Removes every element; the places are reset and the capacity kept.
    void clear()
    {
        for (std::uint32_t i = 0; i < count_; ++i)
            array_[i] = T();
        count_ = 0;
    }

    // Grows the array to at least n places (never shrinks it).
    void reserve(std::uint32_t n)
    {
        if (n > array_.capacity())
            array_.resize(n);
    }

    // Removes every element and moves to a fresh array of n places. The
    // new array is made first: when that fails, nothing is removed.
    void reset(std::uint32_t n)
    {
        ValueArray<T> fresh(n);
        array_.swap(fresh);
        count_ = 0;
    }

    // Moves to an array of exactly n places; elements beyond n are dropped.
    void resizeArray(std::uint32_t n)
    {
        array_.resize(n);
        if (count_ > n)
            count_ = n;
    }

protected:
    void check(std::uint32_t i) const
    {
        if (i >= count_)
            fdRaiseBounds(FDTOOLS_INDEXERR(), i, count_);
    }

private:
    bool aliases(const T& value) const
    {
        const T* begin = array_.data();
        if (begin == nullptr)
            return false;
        std::less<const T*> before;
        return !before(&value, begin) && before(&value, begin + array_.capacity());
    }

    void grow(std::uint32_t by)
    {
        const std::uint32_t cap = array_.capacity();
        if (cap > 0xFFFFFFFFu - by)
            throw std::bad_alloc();
        array_.resize(cap + by);
    }

    void place(std::uint32_t i, const T& value)
    {
        for (std::uint32_t k = count_; k > i; --k)
            array_[k] = std::move(array_[k - 1]);
        array_[i] = value;
        ++count_;
    }

    std::uint32_t removeAllOf(const T& value)
    {
        std::uint32_t write = 0;
        for (std::uint32_t k = 0; k < count_; ++k) {
            if (fd_detail::elementsEqual(array_[k], value))
                continue;
            if (write != k)
                array_[write] = std::move(array_[k]);
            ++write;
        }
        const std::uint32_t removed = count_ - write;
        for (std::uint32_t k = write; k < count_; ++k)
            array_[k] = T();
        count_ = write;
        return removed;
    }

    ValueArray<T> array_;
    std::uint32_t count_;
};

} // namespace qd

#endif
