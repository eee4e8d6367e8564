#pragma once
// The callback barrier. The compiler unwinds with DWARF tables, which cannot pass through the
// frames of Windows itself: an exception that reaches a Win32 caller ends the process. So every
// entry point that Windows calls (window procedure, hook, timer, thread start, enumeration)
// runs its body through CallbackBarrier, which catches everything and hands it to the
// installed handler; the application's handler shows the standard error box and goes on.

#include <exception>
#include <utility>

using TCallbackExceptionHandler = void (*)(std::exception_ptr error);

// Installs the handler and returns the previous one. The default shows a message box.
TCallbackExceptionHandler SetCallbackExceptionHandler(TCallbackExceptionHandler handler);
// Hands an exception caught at a barrier to the installed handler; never throws.
void HandleCallbackException(std::exception_ptr error) noexcept;

// Runs body(); when it throws, reports the exception and returns fallback.
template <class Body, class Result>
Result CallbackBarrier(Result fallback, Body&& body) noexcept {
    try {
        return std::forward<Body>(body)();
    } catch (...) {
        HandleCallbackException(std::current_exception());
        return fallback;
    }
}

template <class Body>
void CallbackBarrier(Body&& body) noexcept {
    try {
        std::forward<Body>(body)();
    } catch (...) {
        HandleCallbackException(std::current_exception());
    }
}
