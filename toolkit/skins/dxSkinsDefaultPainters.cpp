#include "dxSkinsDefaultPainters.h"

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
    // a refused second registration leaves the first one's info in place
    if (auto info = RegisterStoredSkin<TdxSkinUserLookAndFeelPainterInfo>(userSkinName, userSkinResource,
                                                                          TdxSkinsUserSkinPainter::Instance()))
        userSkinInfo = info;
}

void UnregisterUserSkin() {
    TdxSkinInfo* info = userSkinInfo;
    UnregisterStoredSkin(userSkinName, info);
    userSkinInfo = nullptr;
}

void InitializedxSkinsDefaultPainters() { GlobalUnitsLoader()->RegisterUnit(&RegisterUserSkin, &UnregisterUserSkin); }
void FinalizedxSkinsDefaultPainters() { GlobalUnitsLoader()->UnregisterUnit(&UnregisterUserSkin); }
