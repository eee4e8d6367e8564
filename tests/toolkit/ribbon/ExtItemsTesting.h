#pragma once
// The bar unit's own tests restart it, which forgets the item registrations of the units that
// start after it: the extra items' tests register the large button again when it is missing.

#include "dxBarExtItems.h"
#include "dxBarItemRegistry.h"
#include "dxBarUnit.h"

inline void EnsureLargeButtonRegistered() {
    TdxBarItemList* registry = ItemRegistryInstance();
    if (registry && !registry->ControlClassOf(TdxBarLargeButton::StaticClass()))
        RegisterItemControlClass(TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass(), true);
}
