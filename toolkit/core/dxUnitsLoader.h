#pragma once
// The units loader (TdxUnitsLoader, GlobalUnitsLoader): units that need GDI+ run their set-up
// at once and their clean-up in reverse order at the end. The GDI+ binding's unit
// (dxGDIPlusAPI.h) starts it and frees it.

#include <vector>

#include "SysObject.h"

using TdxUnitProc = void (*)();

class TdxUnitsLoader : public TObject {
    Z_CLASS(TdxUnitsLoader, TObject)
public:
    TdxUnitsLoader() = default;
    ~TdxUnitsLoader() override;
    // Runs the initialization at once and keeps the finalization for the end.
    void RegisterUnit(TdxUnitProc initialize, TdxUnitProc finalize);
    // Takes the finalization back and runs it now, when it was registered.
    void UnregisterUnit(TdxUnitProc finalize);
    // Runs the kept finalizations, last registered first.
    void FinalizeUnits();

private:
    std::vector<TdxUnitProc> finalizations_;
    std::vector<TdxUnitProc> initializations_;
    bool initialized_ = false;  // some initialization has run
};

TdxUnitsLoader* GlobalUnitsLoader();
// Runs the kept finalizations and frees the process-wide loader (the binding unit's end).
void FreeGlobalUnitsLoader();
