#pragma once
// The user skin: a default skin held by a painter of its own, loaded from the program's
// resource "DefaultUserSkinData" and registered as "UserSkin" in the registry of extended
// painters while the unit runs (only when GDI+ is usable).

#include "dxSkinsLookAndFeelPainter.h"

class TdxSkinsUserSkinPainter : public TdxSkinLookAndFeelPainter {
public:
    static const TdxSkinsUserSkinPainter* Instance();
    TdxSkinInfo* PainterSkinInfo() const override;
    String OwningUnitName() const override;

protected:
    TdxSkinsUserSkinPainter() = default;
};

// The registered info of the user skin; nil while it is not registered.
TdxSkinUserLookAndFeelPainterInfo* UserSkinInfo();

void RegisterUserSkin();
void UnregisterUserSkin();

void InitializedxSkinsDefaultPainters();
void FinalizedxSkinsDefaultPainters();
