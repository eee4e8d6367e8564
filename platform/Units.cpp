#include "Units.h"

#include <cstring>
#include <vector>

namespace {

std::vector<TUnit>& InitializedUnits() {
    static std::vector<TUnit> units;
    return units;
}

bool AlreadyInitialized(const TUnit& unit) {
    for (const TUnit& u : InitializedUnits())
        if (std::strcmp(u.name, unit.name) == 0) return true;
    return false;
}

}  // namespace

void InitializeUnits(std::initializer_list<TUnit> units) {
    for (const TUnit& unit : units) {
        if (AlreadyInitialized(unit)) continue;
        if (unit.initialize) unit.initialize();
        InitializedUnits().push_back(unit);
    }
}

void FinalizeUnits() {
    auto& units = InitializedUnits();
    while (!units.empty()) {
        TUnit unit = units.back();
        units.pop_back();
        if (unit.finalize) unit.finalize();
    }
}
