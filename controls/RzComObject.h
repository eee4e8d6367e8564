#pragma once
// What the COM objects that the controls hand to the system share. Each is a plain object with
// its own reference count (TInterfacedObject: freed when the count returns to 0) that implements
// one interface by hand. The system calls their methods from its own code, so every method body
// runs behind ComGuard: an exception is handed to the application's handler and the caller gets
// E_UNEXPECTED.

#include <windows.h>
#include <objbase.h>

#include "CallbackBarrier.h"
#include "Interfaces.h"

template <class Body>
HRESULT ComGuard(Body&& body) noexcept {
    return CallbackBarrier(HRESULT(E_UNEXPECTED), std::forward<Body>(body));
}

// QueryInterface of an object that offers IUnknown and the one interface iid.
template <class Interface>
HRESULT QuerySingleInterface(Interface* self, REFIID wanted, REFIID iid, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(wanted, IID_IUnknown) || IsEqualIID(wanted, iid)) {
        *object = self;
        self->AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

// The reference count of a TInterfacedObject as the interface's AddRef and Release.
#define RZ_COM_REFERENCE_COUNT                                          \
    STDMETHODIMP_(ULONG) AddRef() override { return ULONG(_AddRef()); } \
    STDMETHODIMP_(ULONG) Release() override { return ULONG(_Release()); }
