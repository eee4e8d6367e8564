#pragma once
// COM for the GUI thread, the shell interfaces the controls call, and the OLE error exception.
//
// Shell interfaces are plain COM pointers: whoever obtains one calls Release exactly once.
// TComRef does that at scope end where a routine holds one only for its own use.

#include <windows.h>
#include <shlobj.h>

#include "SysExceptions.h"

using IUnknown_NRC = IUnknown;
using IShellFolder_NRC = IShellFolder;
using IShellDetails_NRC = IShellDetails;

// A failed COM call turned into an exception; the message is the system's text for the code.
class EOleSysError : public Exception {
    Z_CLASS(EOleSysError, Exception)
public:
    EOleSysError(String message, HRESULT errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
    HRESULT ErrorCode() const { return errorCode_; }

private:
    HRESULT errorCode_;
};

[[noreturn]] void RaiseOleSysError(HRESULT errorCode);
// Raises EOleSysError for a failing HRESULT; returns it otherwise.
inline HRESULT OleCheck(HRESULT result) {
    if (FAILED(result)) RaiseOleSysError(result);
    return result;
}

// Holds one reference and releases it once.
template <class T>
class TComRef {
public:
    TComRef() = default;
    explicit TComRef(T* p) : p_(p) {}
    ~TComRef() { Reset(); }
    TComRef(const TComRef&) = delete;
    TComRef& operator=(const TComRef&) = delete;
    TComRef(TComRef&& other) noexcept : p_(other.p_) { other.p_ = nullptr; }

    T* Get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    // For out-parameters: releases what is held first.
    T** Out() {
        Reset();
        return &p_;
    }
    void** OutVoid() { return reinterpret_cast<void**>(Out()); }
    T* Detach() {
        T* p = p_;
        p_ = nullptr;
        return p;
    }
    void Reset() {
        if (p_) p_->Release();
        p_ = nullptr;
    }

private:
    T* p_ = nullptr;
};

// Unit start-up: COM for the GUI thread (apartment), undone at the end only if it succeeded.
void InitializeRzShellIntf();
void FinalizeRzShellIntf();
