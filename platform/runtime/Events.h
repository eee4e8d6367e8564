#pragma once
// Method pointers: an event is an object plus one of its member functions, the way the system's
// components call back up the layers. Two events are equal when they name the same object and
// the same member function, so handlers can be compared, found and removed. An event may also
// hold a plain function (no object), which tests and start-up code use.
//
//     TNotifyEvent onClick = MakeEvent(this, &TfmMain::btnAddClick);
//     if (onClick) onClick(sender);

#include <cstring>
#include <type_traits>
#include <utility>

class TObject;

template <class Signature>
class TEvent;

template <class R, class... Args>
class TEvent<R(Args...)> {
public:
    TEvent() = default;
    TEvent(std::nullptr_t) {}

    template <class C, class M>
    requires std::is_member_function_pointer_v<M> TEvent(C* object, M method) : object_(object) {
        static_assert(sizeof(M) <= sizeof(code_), "member function pointer too large");
        std::memcpy(code_, &method, sizeof(M));
        invoke_ = [](void* obj, const unsigned char* code, Args... args) -> R {
            M m;
            std::memcpy(&m, code, sizeof(M));
            return (static_cast<C*>(obj)->*m)(std::forward<Args>(args)...);
        };
    }

    // A plain function, with no object.
    TEvent(R (*function)(Args...)) {
        if (!function) return;
        std::memcpy(code_, &function, sizeof(function));
        invoke_ = [](void*, const unsigned char* code, Args... args) -> R {
            R (*f)(Args...);
            std::memcpy(&f, code, sizeof(f));
            return f(std::forward<Args>(args)...);
        };
    }

    bool Assigned() const { return invoke_ != nullptr; }
    explicit operator bool() const { return Assigned(); }
    void* Data() const { return object_; }

    R operator()(Args... args) const { return invoke_(object_, code_, std::forward<Args>(args)...); }

    friend bool operator==(const TEvent& a, const TEvent& b) {
        return a.invoke_ == b.invoke_ && a.object_ == b.object_ && std::memcmp(a.code_, b.code_, sizeof(code_)) == 0;
    }
    friend bool operator==(const TEvent& a, std::nullptr_t) { return !a.Assigned(); }
    // The same code whatever the object: two handlers that are one method of two objects (or
    // the same plain function) count as one handler where only the code matters.
    friend bool SameCode(const TEvent& a, const TEvent& b) {
        return a.invoke_ == b.invoke_ && std::memcmp(a.code_, b.code_, sizeof(code_)) == 0;
    }

private:
    using Invoker = R (*)(void*, const unsigned char*, Args...);
    void* object_ = nullptr;
    alignas(void*) unsigned char code_[2 * sizeof(void*)] = {};
    Invoker invoke_ = nullptr;
};

template <class C, class R, class... Args>
TEvent<R(Args...)> MakeEvent(C* object, R (C::*method)(Args...)) {
    return TEvent<R(Args...)>(object, method);
}

// The event types shared by all layers.
using TNotifyEvent = TEvent<void(TObject* Sender)>;
