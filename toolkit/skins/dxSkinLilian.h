#pragma once
// The skin "Lilian", stored with the program (resource "Lilian"), registered with its painter
// in the registry of extended painters while the unit runs (only when GDI+ is usable). The
// editor's ribbon asks for the colour scheme of that name.

#include "dxSkinsLookAndFeelPainter.h"

class TdxLilianPainter : public TdxSkinLookAndFeelPainter {
public:
    static const TdxLilianPainter* Instance();
    TdxSkinInfo* PainterSkinInfo() const override;
    String OwningUnitName() const override;

protected:
    TdxLilianPainter() = default;
};

// The registered info of the unit's skin; nil while it is not registered.
TdxSkinLookAndFeelPainterInfo* LilianSkinInfo();

void RegisterLilianSkins();
void UnregisterLilianSkins();

void InitializedxSkinLilian();
void FinalizedxSkinLilian();
