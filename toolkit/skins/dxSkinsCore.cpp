#include "dxSkinsCore.h"

#include "dxGDIPlusAPI.h"

namespace {

// Registers the classes whose names a skin stream holds (borders are stored by the element
// record itself); the unit list unregisters them after the unit's end.
void StartSkinsCore() {
    CreateSharedSkinPartStream();
    RegisterClasses({TdxSkinControlGroup::StaticClass(), TdxSkinElement::StaticClass(), TdxSkinImage::StaticClass(),
                     TdxSkinIntegerProperty::StaticClass(), TdxSkinColor::StaticClass(),
                     TdxSkinRectProperty::StaticClass(), TdxSkinSizeProperty::StaticClass(),
                     TdxSkinBooleanProperty::StaticClass(), TdxSkinStringProperty::StaticClass()});
    if (GdiPlusUsable()) FindPngEncoder();
}

void StopSkinsCore() { FreeSharedSkinPartStream(); }

}  // namespace

void InitializeSkinsCore() { GlobalUnitsLoader()->RegisterUnit(&StartSkinsCore, &StopSkinsCore); }

void FinalizeSkinsCore() { GlobalUnitsLoader()->UnregisterUnit(&StopSkinsCore); }
