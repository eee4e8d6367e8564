#include "RzShellIntf.h"

#include <objbase.h>

namespace {
bool comInitialized = false;
}

void RaiseOleSysError(HRESULT errorCode) {
    throw EOleSysError(SysErrorMessage(Cardinal(errorCode)), errorCode);
}

void InitializeShellIntf() {
    comInitialized = SUCCEEDED(CoInitialize(nullptr));
}

void FinalizeShellIntf() {
    if (comInitialized) CoUninitialize();
    comInitialized = false;
}
