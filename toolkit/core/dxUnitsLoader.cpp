#include "dxUnitsLoader.h"

namespace {
TdxUnitsLoader* unitsLoader = nullptr;
}  // namespace

TdxUnitsLoader::~TdxUnitsLoader() { FinalizeUnits(); }

void TdxUnitsLoader::RegisterUnit(TdxUnitProc initialize, TdxUnitProc finalize) {
    if (initialize) {
        initialized_ = true;
        initialize();
    }
    finalizations_.push_back(finalize);
}

void TdxUnitsLoader::UnregisterUnit(TdxUnitProc finalize) {
    for (auto it = finalizations_.begin(); it != finalizations_.end(); ++it)
        if (*it == finalize) {
            finalizations_.erase(it);
            if (finalize) finalize();
            return;
        }
}

void TdxUnitsLoader::FinalizeUnits() {
    if (!initialized_) return;
    initialized_ = false;
    std::vector<TdxUnitProc> pending = std::move(finalizations_);
    finalizations_.clear();
    for (auto it = pending.rbegin(); it != pending.rend(); ++it)
        if (*it) (*it)();
}

TdxUnitsLoader* GlobalUnitsLoader() {
    if (!unitsLoader) unitsLoader = new TdxUnitsLoader();
    return unitsLoader;
}

void FreeGlobalUnitsLoader() {
    delete unitsLoader;
    unitsLoader = nullptr;
}
