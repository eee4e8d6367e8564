// The two skins stored with the program are registered at start-up with their painters; a name
// already taken is refused and the refused skin is freed; unregistering and registering again
// leaves the registry as it was.

#include <gtest/gtest.h>

#include "MutationSupport.h"
#include "SkinTestSupport.h"
#include "cxExtendedStylePainters.h"
#include "dxBarSkin.h"
#include "dxSkinLilian.h"
#include "dxSkinsDefaultPainters.h"
#include "dxSkinsdxRibbonPainter.h"

namespace {

int RegistryIndexOf(const String& name) {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    for (int i = 0; i < registry->Count(); ++i)
        if (registry->NameAt(i) == name) return i;
    return -1;
}

}  // namespace

TEST(dxBuiltInSkins, StartUpRegistersLilianAndUserSkinWithTheirPainters) {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    ASSERT_NE(registry, nullptr);
    TcxLookAndFeelPainterClass painter = nullptr;
    ASSERT_TRUE(registry->GetPainterByName(L"Lilian", painter));
    EXPECT_EQ(painter, TdxLilianPainter::Instance());
    ASSERT_TRUE(registry->GetPainterByName(L"UserSkin", painter));
    EXPECT_EQ(painter, TdxSkinsUserSkinPainter::Instance());
    // in name order
    EXPECT_LT(RegistryIndexOf(L"Lilian"), RegistryIndexOf(L"UserSkin"));

    TdxSkinInfo* lilian = TdxLilianPainter::Instance()->PainterSkinInfo();
    ASSERT_NE(lilian, nullptr);
    EXPECT_EQ(lilian->Skin()->Name(), L"Lilian");
    EXPECT_TRUE(dynamic_cast<TdxSkinLookAndFeelPainterInfo*>(lilian) != nullptr);
    TObject* data = nullptr;
    ASSERT_TRUE(registry->FindPainterData(TdxLilianPainter::Instance(), data));
    EXPECT_EQ(data, lilian);
    TdxSkinInfo* user = TdxSkinsUserSkinPainter::Instance()->PainterSkinInfo();
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(user->Skin()->Name(), L"DefaultUserSkinData");
    EXPECT_TRUE(dynamic_cast<TdxSkinUserLookAndFeelPainterInfo*>(user) != nullptr);
    EXPECT_EQ(TdxLilianPainter::Instance()->OwningUnitName(), L"dxSkinLilian");
    EXPECT_EQ(TdxSkinsUserSkinPainter::Instance()->OwningUnitName(), L"dxSkinsDefaultPainters");
}

TEST(dxBuiltInSkins, ASecondLilianIsRefusedAndTheFirstStaysInPlace) {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    TdxSkinInfo* first = LilianSkinInfo();
    const int count = registry->Count();
    RegisterLilianSkins();
    EXPECT_EQ(registry->Count(), count);
    EXPECT_EQ(LilianSkinInfo(), first);
    EXPECT_EQ(TdxLilianPainter::Instance()->PainterSkinInfo(), first);
    // the name is compared without case
    auto other = new TdxSkinLookAndFeelPainterInfo(new TdxSkin(L"Other"));
    EXPECT_FALSE(registry->RegisterPainter(L"LILIAN", TdxSkinLookAndFeelPainter::Instance(), other));
    delete other;  // a refused registration leaves the data with the caller
}

TEST(dxBuiltInSkins, UnregisteringLeavesNoReferenceAndRegisteringAgainRestores) {
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    const int count = registry->Count();
    UnregisterLilianSkins();
    UnregisterUserSkin();
    EXPECT_EQ(registry->Count(), count - 2);
    EXPECT_EQ(LilianSkinInfo(), nullptr);
    EXPECT_EQ(UserSkinInfo(), nullptr);
    TcxLookAndFeelPainterClass painter = nullptr;
    EXPECT_FALSE(registry->GetPainterByName(L"Lilian", painter));
    // with no skin the painter answers as the Office-style painter
    EXPECT_EQ(TdxLilianPainter::Instance()->ContentColor(), TcxOffice11LookAndFeelPainter::Instance()->ContentColor());
    UnregisterLilianSkins();  // twice does nothing
    RegisterUserSkin();
    RegisterLilianSkins();
    EXPECT_EQ(registry->Count(), count);
    ASSERT_NE(LilianSkinInfo(), nullptr);
    EXPECT_EQ(TdxLilianPainter::Instance()->ContentColor(), TColor(0xFBF9F9));
    // the skin schemes came back in registration order; put them back in the registry's
    // order, as start-up leaves them
    ASSERT_NE(SkinsRibbonPainterManager(), nullptr);
    SkinsRibbonPainterManager()->RemoveAllSchemes();
    SkinsRibbonPainterManager()->AddMissingSchemes();
}

// The skins' units end as the units loader ends them, last started first: the skin-driven
// schemes with their caches, then "Lilian", then "UserSkin". Nothing of them is left, and a
// second end and start leaves the heap exactly as the first did.
TEST(dxBuiltInSkins, EndingTheUnitsFreesEverySkinInfoAndScheme) {
    auto end = [] {
        FinalizedxSkinsdxRibbonPainter();
        FinalizedxSkinLilian();
        FinalizedxSkinsDefaultPainters();
    };
    auto start = [] {
        InitializedxSkinsDefaultPainters();
        InitializedxSkinLilian();
        InitializedxSkinsdxRibbonPainter();
    };
    auto schemeNames = [] {
        std::vector<String> names;
        for (int i = 0; i < BarSkinManagerInstance()->SkinCount(); ++i)
            names.push_back(BarSkinManagerInstance()->Skins(i)->SkinName());
        return names;
    };
    TcxExtendedStylePainters* registry = GlobalExtendedStylePainters();
    const int count = registry->Count();
    const std::vector<String> names = schemeNames();

    end();
    EXPECT_EQ(LilianSkinInfo(), nullptr);
    EXPECT_EQ(UserSkinInfo(), nullptr);
    EXPECT_EQ(RegistryIndexOf(L"Lilian"), -1);
    EXPECT_EQ(RegistryIndexOf(L"UserSkin"), -1);
    EXPECT_EQ(registry->Count(), count - 2);
    EXPECT_EQ(SkinsRibbonCache(), nullptr);
    EXPECT_EQ(SkinsRibbonPainterManager(), nullptr);
    EXPECT_EQ(schemeNames(), (std::vector<String>{L"Blue", L"Black", L"Silver"}));
    const THeapUse ended = HeapInUse();

    start();
    EXPECT_EQ(schemeNames(), names);
    ASSERT_NE(LilianSkinInfo(), nullptr);
    end();
    const THeapUse endedAgain = HeapInUse();
    EXPECT_EQ(endedAgain.bytes, ended.bytes);
    EXPECT_EQ(endedAgain.blocks, ended.blocks);

    start();
    EXPECT_EQ(registry->Count(), count);
    EXPECT_EQ(schemeNames(), names);
}
