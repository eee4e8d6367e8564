#include "EngineUnits.h"

#include "PersistentClasses.h"
#include "Units.h"
#include "VectorLists.h"

void InitializeEngineUnits() {
    InitializeUnits({
        {"PersistentClasses", &RegisterPersistentClasses, nullptr},
        {"VectorLists", &RegisterVectorListClasses, nullptr},
    });
}
