#include "dxSkinsDefaultPainters.h"

#include "cxExtendedStylePainters.h"
#include "dxGDIPlusAPI.h"

namespace {

const wchar_t userSkinName[] = L"UserSkin";
const wchar_t userSkinResource[] = L"DefaultUserSkinData";

TdxSkinUserLookAndFeelPainterInfo* userSkinInfo = nullptr;

}  // namespace

const TdxSkinsUserSkinPainter* TdxSkinsUserSkinPainter::Instance() {
    static const TdxSkinsUserSkinPainter painter;
    return &painter;
}

TdxSkinInfo* TdxSkinsUserSkinPainter::PainterSkinInfo() const { return userSkinInfo; }
String TdxSkinsUserSkinPainter::OwningUnitName() const { return L"dxSkinsDefaultPainters"; }

TdxSkinUserLookAndFeelPainterInfo* UserSkinInfo() { return userSkinInfo; }

void RegisterUserSkin() {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    if (!GdiPlusUsable() || !registry) return;
    auto info = new TdxSkinUserLookAndFeelPainterInfo(new TdxSkin(userSkinResource, true, GetModuleHandleW(nullptr)));
    // A refused name leaves the data with us: free it rather than keep a skin nobody owns.
    if (registry->RegisterPainter(userSkinName, TdxSkinsUserSkinPainter::Instance(), info))
        userSkinInfo = info;
    else
        delete info;
}

void UnregisterUserSkin() {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    if (registry && userSkinInfo) registry->UnregisterPainter(userSkinName);
    userSkinInfo = nullptr;
}

void InitializedxSkinsDefaultPainters() { GlobalUnitsLoader()->RegisterUnit(&RegisterUserSkin, &UnregisterUserSkin); }
void FinalizedxSkinsDefaultPainters() { GlobalUnitsLoader()->UnregisterUnit(&UnregisterUserSkin); }
