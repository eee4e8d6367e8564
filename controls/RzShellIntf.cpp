#include "RzShellIntf.h"

#include <objbase.h>

namespace {
bool comInitialized = false;
}

void RaiseOleSysError(HRESULT errorCode) { throw EOleSysError(SysErrorMessage(Cardinal(errorCode)), errorCode); }

void InitializeRzShellIntf() { comInitialized = SUCCEEDED(CoInitialize(nullptr)); }

void FinalizeRzShellIntf() {
    if (comInitialized) CoUninitialize();
    comInitialized = false;
}
