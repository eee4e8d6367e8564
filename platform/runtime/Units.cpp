#include "Units.h"

#include <algorithm>
#include <cstring>

void TUnitList::Initialize(std::initializer_list<TUnit> units) {
    for (const TUnit& unit : units) {
        if (IsInitialized(unit.name)) continue;
        std::vector<TClass> before = RegisteredClasses();
        if (unit.initialize) unit.initialize();
        TRunUnit run{unit, {}};
        for (TClass cls : RegisteredClasses())
            if (std::find(before.begin(), before.end(), cls) == before.end()) run.classes.push_back(cls);
        units_.push_back(std::move(run));
    }
}

void TUnitList::Finalize() {
    while (!units_.empty()) {
        TRunUnit run = std::move(units_.back());
        units_.pop_back();
        if (run.unit.finalize) run.unit.finalize();
        for (TClass cls : run.classes) UnRegisterClass(cls);
    }
}

bool TUnitList::IsInitialized(const char* name) const {
    return std::any_of(units_.begin(), units_.end(),
                       [&](const TRunUnit& run) { return std::strcmp(run.unit.name, name) == 0; });
}

std::vector<TClass> TUnitList::Classes() const {
    std::vector<TClass> classes;
    for (const TRunUnit& run : units_) classes.insert(classes.end(), run.classes.begin(), run.classes.end());
    return classes;
}

namespace {
TUnitList& ProgramUnits() {
    static TUnitList units;
    return units;
}
}  // namespace

void InitializeUnits(std::initializer_list<TUnit> units) { ProgramUnits().Initialize(units); }

void FinalizeUnits() { ProgramUnits().Finalize(); }

std::vector<TClass> ClassesRegisteredByUnits() { return ProgramUnits().Classes(); }
