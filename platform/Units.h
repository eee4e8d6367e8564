#pragma once
// Unit start-up. Nothing is done in global constructors: each library lists its initialization
// and finalization routines, and the program's main routine runs the lists in order, the
// finalizations in reverse. Tests run the same lists.

#include <initializer_list>

struct TUnit {
    const char* name;
    void (*initialize)();
    void (*finalize)();  // may be null
};

// Runs each unit's initialization in order and remembers it for finalization. A unit that has
// already been initialized is skipped, so overlapping lists are harmless.
void InitializeUnits(std::initializer_list<TUnit> units);
// Runs the finalizations of every initialized unit, last first.
void FinalizeUnits();
