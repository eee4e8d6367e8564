#pragma once
// The exception classes of the runtime. Every exception the system raises derives from
// Exception, carries a message and a class (for the error box), and is thrown by value.

#include <exception>

#include "SysObject.h"

class Exception : public TObject, public std::exception {
    Z_CLASS(Exception, TObject)
public:
    explicit Exception(String message) : message_(std::move(message)) {}
    const String& Message() const { return message_; }
    void SetMessage(const String& message);
    const char* what() const noexcept override { return what_.c_str(); }

private:
    String message_;
    std::string what_ = NarrowForWhat(message_);
    static std::string NarrowForWhat(const String& message);
};

#define Z_EXCEPTION(Name, Base) \
    class Name : public Base {  \
        Z_CLASS(Name, Base)     \
    public:                     \
        using Base::Base;       \
    };

Z_EXCEPTION(EAbort, Exception)  // silent: the application's handler shows nothing
Z_EXCEPTION(EConvertError, Exception)
Z_EXCEPTION(EListError, Exception)
Z_EXCEPTION(EStringListError, Exception)
Z_EXCEPTION(EStreamError, Exception)
Z_EXCEPTION(EFilerError, EStreamError)
Z_EXCEPTION(EReadError, EFilerError)
Z_EXCEPTION(EWriteError, EFilerError)
Z_EXCEPTION(EFOpenError, EStreamError)
Z_EXCEPTION(EFCreateError, EStreamError)
Z_EXCEPTION(EClassNotFound, EFilerError)
Z_EXCEPTION(EResNotFound, Exception)
Z_EXCEPTION(EInvalidOperation, Exception)
Z_EXCEPTION(EInvalidPointer, Exception)
Z_EXCEPTION(EOutOfResources, Exception)
Z_EXCEPTION(EComponentError, Exception)
Z_EXCEPTION(EIntError, Exception)
Z_EXCEPTION(EMathError, Exception)
Z_EXCEPTION(EAssertionFailed, Exception)
Z_EXCEPTION(EInvalidCast, Exception)

class EOSError : public Exception {
    Z_CLASS(EOSError, Exception)
public:
    EOSError(String message, Cardinal errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
    Cardinal ErrorCode() const { return errorCode_; }

private:
    Cardinal errorCode_;
};

// The system's text for a Win32 error code, without the trailing line break.
String SysErrorMessage(Cardinal errorCode);
// Raises EOSError for GetLastError(), with the system's message.
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseLastOSError(Cardinal errorCode);
// Raises EOSError when a Win32 call returned false.
inline void Win32Check(bool ok) {
    if (!ok) RaiseLastOSError();
}

// Raises EListError "List index out of bounds (n)", the text of every list's bad index.
[[noreturn]] void ListIndexError(Integer index);

// The message of an assertion that has no text of its own.
inline constexpr wchar_t kAssertionFailure[] = L"Assertion failure";

// Assertions stay on in every build; a failure raises EAssertionFailed whose message is the
// given text followed by " (file, line n)".
[[noreturn]] void AssertionFailed(const String& message, const char* file, int line);
//
// Assert takes two arguments. Calls and declarations of another library's functions named Assert
// (with three or four arguments) pass through the macro unchanged, so headers may come in any order.
#define Assert(...) ZARNIK_ASSERT_BY_COUNT(__VA_ARGS__, Assert, Assert, ZARNIK_ASSERT, unused)(__VA_ARGS__)
#define ZARNIK_ASSERT_BY_COUNT(a1, a2, a3, a4, chosen, ...) chosen
#define ZARNIK_ASSERT(cond, message)                                   \
    do {                                                               \
        if (!(cond)) ::AssertionFailed((message), __FILE__, __LINE__); \
    } while (0)
