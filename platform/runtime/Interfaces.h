#pragma once
// Interfaces: abstract classes that objects implement alongside their class, asked for with
// Supports.
//
// The rule: an interface whose references are counted, or that stands for a COM interface,
// derives from IInterface (virtually) and is held through IPtr; every other interface is a plain
// abstract class with a protected destructor, implemented by ordinary inheritance.
//
//     struct IStyleListener : virtual IInterface {          // counted
//         virtual void StyleChanged(TObject* style) = 0;
//     };
//     class TStyledBox : public TInterfacedObject, public IStyleListener { ... };
//     IPtr<IStyleListener> listener(new TStyledBox);
//
//     class IRefreshable {                                   // plain
//     public:
//         virtual void Refresh() = 0;
//     protected:
//         ~IRefreshable() = default;
//     };
//     IRefreshable* target;
//     if (Supports(object, target)) target->Refresh();
//
// Two lifetimes for the objects behind IInterface:
// - Reference-counted (TInterfacedObject): the object frees itself when the last IPtr to it
//   goes. Hold such objects only through IPtr; the count starts at 0, so an object never put
//   into an IPtr must be freed by hand.
// - Not counted (TNoRefCountObject): AddRef and Release do nothing; the object's owner frees it,
//   and interface pointers to it are plain borrowed pointers that must not outlive it.

#include <atomic>
#include <utility>

#include "SysExceptions.h"
#include "SysObject.h"

struct IInterface {
    virtual Integer _AddRef() = 0;
    virtual Integer _Release() = 0;

protected:
    ~IInterface() = default;  // never deleted through an interface
};

// Asks an object (or another interface of one) for an interface.
template <class I, class From>
bool Supports(From* instance, I*& result) {
    result = instance ? dynamic_cast<I*>(instance) : nullptr;
    return result != nullptr;
}

template <class I, class From>
bool Supports(From* instance) {
    return instance && dynamic_cast<I*>(instance) != nullptr;
}

class TInterfacedObject : public TObject, public virtual IInterface {
    Z_CLASS(TInterfacedObject, TObject)
public:
    Integer _AddRef() override { return ++refCount_; }
    Integer _Release() override {
        Integer count = --refCount_;
        if (count == 0) FreeObject(this);
        return count;
    }
    Integer RefCount() const { return refCount_; }
    // Freeing an object that is still referenced would leave the references dangling.
    void BeforeDestruction() override {
        if (refCount_ != 0) throw EInvalidPointer(L"Invalid pointer operation");
    }

private:
    std::atomic<Integer> refCount_{0};
};

class TNoRefCountObject : public TObject, public virtual IInterface {
    Z_CLASS(TNoRefCountObject, TObject)
public:
    Integer _AddRef() override { return -1; }
    Integer _Release() override { return -1; }
};

// A counted reference to an interface (or to a class implementing IInterface).
template <class T>
class IPtr {
public:
    IPtr() = default;
    IPtr(std::nullptr_t) {}
    IPtr(T* p) : p_(p) {
        if (p_) p_->_AddRef();
    }
    IPtr(const IPtr& other) : IPtr(other.p_) {}
    IPtr(IPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    template <class U>
    IPtr(const IPtr<U>& other) : IPtr(static_cast<T*>(other.get())) {}
    ~IPtr() { reset(); }

    IPtr& operator=(IPtr other) noexcept {
        std::swap(p_, other.p_);
        return *this;
    }
    void reset() {
        if (T* p = std::exchange(p_, nullptr)) p->_Release();
    }

    T* get() const { return p_; }
    T* operator->() const { return p_; }
    T& operator*() const { return *p_; }
    explicit operator bool() const { return p_ != nullptr; }
    friend bool operator==(const IPtr& a, const IPtr& b) { return a.p_ == b.p_; }
    friend bool operator==(const IPtr& a, std::nullptr_t) { return a.p_ == nullptr; }

private:
    T* p_ = nullptr;
};

// Supports for a counted reference: result holds its own reference.
template <class I, class T>
bool Supports(const IPtr<T>& instance, IPtr<I>& result) {
    I* found = nullptr;
    Supports(instance.get(), found);
    result = found;
    return found != nullptr;
}
