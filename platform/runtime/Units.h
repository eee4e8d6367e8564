#pragma once
// Unit start-up. Nothing is done in global constructors: each library lists its initialization
// and finalization routines, and the program's main routine runs the lists in order, the
// finalizations in reverse. Tests run the same lists.
//
// A file X.cpp with start-up work exports InitializeX (and FinalizeX when it has work to undo),
// and its unit is named "X". The classes a unit registers while it initializes are unregistered
// after its finalization, so no unit has to list them twice.

#include <initializer_list>
#include <vector>

#include "SysObject.h"

struct TUnit {
    const char* name;
    void (*initialize)();  // may be null
    void (*finalize)();    // may be null
};

// The units run so far, in order, with the classes each registered.
class TUnitList {
public:
    // Runs each unit's initialization in order and remembers it for finalization. A unit that
    // has already been initialized is skipped, so overlapping lists are harmless.
    void Initialize(std::initializer_list<TUnit> units);
    // Runs the finalizations of every initialized unit, last first, each followed by the
    // unregistering of the classes it registered.
    void Finalize();
    bool IsInitialized(const char* name) const;
    // The classes the initialized units registered, in order.
    std::vector<TClass> Classes() const;

private:
    struct TRunUnit {
        TUnit unit;
        std::vector<TClass> classes;
    };
    std::vector<TRunUnit> units_;
};

// The program's unit list.
void InitializeUnits(std::initializer_list<TUnit> units);
void FinalizeUnits();
std::vector<TClass> ClassesRegisteredByUnits();
