#include "dxSkinLilian.h"

#include "cxExtendedStylePainters.h"
#include "dxGDIPlusAPI.h"

namespace {

struct TLilianSkin {
    const wchar_t* name;  // the registry's name, which is also the resource's
    TcxLookAndFeelPainterClass painter;
};

// The unit's skins, and the registered info of each (nil while not registered).
const TLilianSkin& LilianSkin() {
    static const TLilianSkin skin{L"Lilian", TdxLilianPainter::Instance()};
    return skin;
}
TdxSkinLookAndFeelPainterInfo* lilianInfo = nullptr;

}  // namespace

const TdxLilianPainter* TdxLilianPainter::Instance() {
    static const TdxLilianPainter painter;
    return &painter;
}

TdxSkinInfo* TdxLilianPainter::PainterSkinInfo() const { return lilianInfo; }
String TdxLilianPainter::OwningUnitName() const { return L"dxSkinLilian"; }

TdxSkinLookAndFeelPainterInfo* LilianSkinInfo() { return lilianInfo; }

void RegisterLilianSkins() {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    if (!GdiPlusUsable() || !registry) return;
    const TLilianSkin& row = LilianSkin();
    auto info = new TdxSkinLookAndFeelPainterInfo(new TdxSkin(row.name, true, GetModuleHandleW(nullptr)));
    // A refused name leaves the data with us: free it rather than keep a skin nobody owns.
    if (registry->RegisterPainter(row.name, row.painter, info))
        lilianInfo = info;
    else
        delete info;
}

void UnregisterLilianSkins() {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    if (registry && lilianInfo) registry->UnregisterPainter(LilianSkin().name);
    lilianInfo = nullptr;
}

void InitializedxSkinLilian() { GlobalUnitsLoader()->RegisterUnit(&RegisterLilianSkins, &UnregisterLilianSkins); }
void FinalizedxSkinLilian() { GlobalUnitsLoader()->UnregisterUnit(&UnregisterLilianSkins); }
