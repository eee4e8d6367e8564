#include "dxSkinLilian.h"

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
    const TLilianSkin& row = LilianSkin();
    // a refused second registration leaves the first one's info in place
    if (auto info = RegisterStoredSkin<TdxSkinLookAndFeelPainterInfo>(row.name, row.name, row.painter))
        lilianInfo = info;
}

void UnregisterLilianSkins() {
    TdxSkinInfo* info = lilianInfo;
    UnregisterStoredSkin(LilianSkin().name, info);
    lilianInfo = nullptr;
}

void InitializedxSkinLilian() { GlobalUnitsLoader()->RegisterUnit(&RegisterLilianSkins, &UnregisterLilianSkins); }
void FinalizedxSkinLilian() { GlobalUnitsLoader()->UnregisterUnit(&UnregisterLilianSkins); }
