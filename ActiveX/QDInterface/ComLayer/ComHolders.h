// RAII holders for the platform's automation types: interface pointers,
// BSTR, VARIANT and SAFEARRAY. Each holder owns what it holds and frees it
// with the matching platform call when it goes out of scope.
#ifndef QD_COMLAYER_COMHOLDERS_H
#define QD_COMLAYER_COMHOLDERS_H

#include <windows.h>
#include <oleauto.h>
#include <unknwn.h>

#include <cstddef>
#include <utility>

namespace ComLayer {

// Holds one reference on an interface pointer.
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    // Takes a new reference on p.
    explicit ComPtr(T* p) : p_(p) { if (p_) p_->AddRef(); }
    ComPtr(const ComPtr& other) : ComPtr(other.p_) {}
    ComPtr(ComPtr&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }
    ~ComPtr() { reset(); }

    ComPtr& operator=(const ComPtr& other) {
        if (other.p_) other.p_->AddRef();
        reset();
        p_ = other.p_;
        return *this;
    }
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = other.p_;
            other.p_ = nullptr;
        }
        return *this;
    }

    // Takes over a reference the caller already owns.
    static ComPtr adopt(T* p) { ComPtr r; r.p_ = p; return r; }

    void reset() {
        T* old = p_;
        p_ = nullptr;
        if (old) old->Release();
    }
    // Gives up the reference without releasing it.
    T* detach() { T* p = p_; p_ = nullptr; return p; }
    // For out-parameters: releases what is held and returns the slot.
    T** put() { reset(); return &p_; }
    void** putVoid() { reset(); return reinterpret_cast<void**>(&p_); }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

private:
    T* p_ = nullptr;
};

// Holds one BSTR.
class BstrHolder {
public:
    BstrHolder() = default;
    explicit BstrHolder(BSTR b) : b_(b) {}
    BstrHolder(const BstrHolder&) = delete;
    BstrHolder& operator=(const BstrHolder&) = delete;
    BstrHolder(BstrHolder&& other) noexcept : b_(other.b_) { other.b_ = nullptr; }
    ~BstrHolder() { reset(); }

    void reset(BSTR b = nullptr) {
        if (b_) SysFreeString(b_);
        b_ = b;
    }
    BSTR detach() { BSTR b = b_; b_ = nullptr; return b; }
    BSTR* put() { reset(); return &b_; }
    BSTR get() const { return b_; }
    UINT length() const { return SysStringLen(b_); }

private:
    BSTR b_ = nullptr;
};

// Holds one VARIANT, cleared on destruction.
class VariantHolder {
public:
    VariantHolder() { VariantInit(&v_); }
    VariantHolder(const VariantHolder&) = delete;
    VariantHolder& operator=(const VariantHolder&) = delete;
    ~VariantHolder() { VariantClear(&v_); }

    void clear() { VariantClear(&v_); }
    VARIANT* get() { return &v_; }
    const VARIANT* get() const { return &v_; }
    VARIANT* operator->() { return &v_; }

private:
    VARIANT v_;
};

// Holds one SAFEARRAY, destroyed on destruction.
class SafeArrayHolder {
public:
    SafeArrayHolder() = default;
    explicit SafeArrayHolder(SAFEARRAY* a) : a_(a) {}
    SafeArrayHolder(const SafeArrayHolder&) = delete;
    SafeArrayHolder& operator=(const SafeArrayHolder&) = delete;
    ~SafeArrayHolder() { reset(); }

    void reset(SAFEARRAY* a = nullptr) {
        if (a_) SafeArrayDestroy(a_);
        a_ = a;
    }
    SAFEARRAY* detach() { SAFEARRAY* a = a_; a_ = nullptr; return a; }
    SAFEARRAY* get() const { return a_; }

private:
    SAFEARRAY* a_ = nullptr;
};

// An array of VARIANTs, each cleared when the array is cleared or
// destroyed: the item array of an enumeration.
class VariantArray {
public:
    VariantArray() = default;
    VariantArray(const VariantArray&) = delete;
    VariantArray& operator=(const VariantArray&) = delete;
    ~VariantArray() { clear(); }

    // Clears every item and frees the array.
    void clear()
    {
        if (items_ == nullptr) return;
        for (std::size_t i = 0; i < count_; ++i) VariantClear(&items_[i]);
        delete[] items_;
        items_ = nullptr;
        count_ = 0;
    }
    // Replaces the array by count empty VARIANTs.
    void allocate(std::size_t count)
    {
        clear();
        VARIANT* items = new VARIANT[count == 0 ? 1 : count];
        for (std::size_t i = 0; i < count; ++i) VariantInit(&items[i]);
        items_ = items;
        count_ = count;
    }
    VARIANT* data() { return items_; }
    VARIANT& operator[](std::size_t i) { return items_[i]; }
    std::size_t size() const { return count_; }

private:
    VARIANT* items_ = nullptr;
    std::size_t count_ = 0;
};

} // namespace ComLayer

#endif
