// The bar skin's part list (unique IDs and names) and the registry of colour schemes.
#include <gtest/gtest.h>

#include "../ToolkitTestSupport.h"
#include "SkinTestSupport.h"
#include "dxBarSkin.h"
#include "dxCore.h"

namespace {

TdxSkinnedRect* NewPart(int id, const String& name = String()) {
    auto* part = new TdxSkinnedRect();
    part->SetPartId(id);
    part->SetPartName(name);
    return part;
}

TEST(dxCustomBarSkin, RefusesADuplicateIdOrNameWithItsMessage) {
    TdxCustomBarSkin skin(L"Test");
    EXPECT_EQ(skin.Add(nullptr), -1);
    EXPECT_EQ(skin.Add(NewPart(7, L"Knob")), 0);
    // Parts without an ID and without a name never clash.
    EXPECT_EQ(skin.Add(NewPart(-1)), 1);
    EXPECT_EQ(skin.Add(NewPart(-1)), 2);

    std::unique_ptr<TdxSkinnedRect> sameId(NewPart(7, L"Other"));
    try {
        skin.Add(sameId.get());
        FAIL() << "a second part with ID 7 was accepted";
    } catch (const EdxException& e) {
        EXPECT_EQ(e.Message(), L"ERROR: Duplicate part's ID = 7");
    }
    std::unique_ptr<TdxSkinnedRect> sameName(NewPart(8, L"KNOB"));
    try {
        skin.Add(sameName.get());
        FAIL() << "a second part named knob was accepted";
    } catch (const EdxException& e) {
        EXPECT_EQ(e.Message(), L"ERROR: Duplicate part's name = \"KNOB\"");
    }
    EXPECT_EQ(skin.Count(), 3);
    skin.Clear();
    EXPECT_EQ(skin.Count(), 0);
}

TEST(dxCustomBarSkin, AddsPartsCutFromAnAtlasWithTheirMargins) {
    TTestAtlas atlas(10, 10, [](int x, int y) { return 0xFF000000u | DWORD(x * 20) << 16 | DWORD(y * 20); });
    TdxCustomBarSkin skin(L"Test");
    EXPECT_EQ(skin.AddPart(atlas.image, TRect{0, 0, 4, 4}, 1, String(), 0), 0);
    EXPECT_EQ(skin.AddPartVerticalMargins(atlas.image, TRect{2, 2, 8, 9}, 2, 3, 2, L"Tall", 7), 1);
    EXPECT_EQ(skin.AddPartWithMargins(atlas.image, TRect{1, 1, 9, 9}, TRect{1, 2, 3, 4}, 3, String(), 5), 2);
    EXPECT_TRUE(SameRect(skin.Parts(0)->Margins(), TRect{0, 0, 0, 0}));
    EXPECT_TRUE(SameRect(skin.Parts(1)->Margins(), TRect{0, 2, 0, 3}));
    EXPECT_EQ(skin.Parts(1)->Interpolation(), 7);
    EXPECT_EQ(skin.Parts(1)->PartName(), L"Tall");
    EXPECT_EQ(skin.Parts(1)->SourceSize().cy, 7);
    EXPECT_TRUE(SameRect(skin.Parts(2)->ContentMargins(), TRect{1, 2, 3, 4}));
    EXPECT_EQ(skin.Parts(2)->MinimumSize().cx, 4);
    EXPECT_EQ(skin.Parts(2)->MinimumSize().cy, 6);
    EXPECT_THROW(skin.AddPart(atlas.image, TRect{0, 0, 2, 2}, 2, String(), 0), EdxException);
    EXPECT_EQ(skin.Count(), 3);
}

class TCountingSkinManager : public TdxBarSkinManager {
public:
    int changes = 0;

protected:
    void Changed() override { ++changes; }
};

class TPermanentSkin : public TdxCustomBarSkin {
public:
    TPermanentSkin() : TdxCustomBarSkin(L"Fixed") {}
    bool IsPermanent() const override { return true; }
};

TEST(dxBarSkinManager, KeepsOneSkinANameWithoutRegardToCase) {
    TCountingSkinManager manager;
    auto* blue = new TdxCustomBarSkin(L"Blue");
    auto* black = new TdxCustomBarSkin(L"Black");
    EXPECT_EQ(manager.AddSkin(blue), 0);
    EXPECT_EQ(manager.AddSkin(black), 1);
    EXPECT_EQ(manager.changes, 2);

    // Refused skins stay with the caller.
    std::unique_ptr<TdxCustomBarSkin> lower(new TdxCustomBarSkin(L"blue"));
    std::unique_ptr<TdxCustomBarSkin> nameless(new TdxCustomBarSkin(String()));
    EXPECT_EQ(manager.AddSkin(lower.get()), -1);
    EXPECT_EQ(manager.AddSkin(nameless.get()), -1);
    EXPECT_EQ(manager.AddSkin(nullptr), -1);
    EXPECT_EQ(manager.changes, 2);

    EXPECT_EQ(manager.FindSkin(L"BLACK"), black);
    EXPECT_EQ(manager.FindSkin(L"blue"), blue);
    EXPECT_EQ(manager.FindSkin(L"Lilian"), nullptr);
    EXPECT_EQ(manager.SkinCount(), 2);
}

TEST(dxBarSkinManager, RemovesOnlyRegisteredSkinsThatMayGo) {
    TCountingSkinManager manager;
    auto* blue = new TdxCustomBarSkin(L"Blue");
    auto* fixed = new TPermanentSkin();
    manager.AddSkin(blue);
    manager.AddSkin(fixed);

    // A skin that is not registered is not removed, and the answer says so.
    TdxCustomBarSkin stranger(L"Stranger");
    EXPECT_FALSE(manager.RemoveSkin(&stranger));
    EXPECT_FALSE(manager.RemoveSkin(nullptr));
    EXPECT_FALSE(manager.CanRemoveSkin(fixed));
    EXPECT_FALSE(manager.RemoveSkin(fixed));
    EXPECT_EQ(manager.SkinCount(), 2);
    EXPECT_EQ(manager.changes, 2);

    EXPECT_TRUE(manager.RemoveSkin(blue));  // freed
    EXPECT_EQ(manager.SkinCount(), 1);
    EXPECT_EQ(manager.Skins(0), fixed);
    EXPECT_EQ(manager.changes, 3);
}

TEST(dxBarSkinManager, StartUpRegistersBlueBlackAndSilver) {
    TdxBarSkinManager* manager = BarSkinManagerInstance();
    ASSERT_GE(manager->SkinCount(), 3);
    EXPECT_EQ(manager->Skins(0)->SkinName(), L"Blue");
    EXPECT_EQ(manager->Skins(1)->SkinName(), L"Black");
    EXPECT_EQ(manager->Skins(2)->SkinName(), L"Silver");
    EXPECT_NE(dynamic_cast<TdxBlueRibbonSkin*>(manager->Skins(0)), nullptr);
    EXPECT_NE(dynamic_cast<TdxBlackRibbonSkin*>(manager->Skins(1)), nullptr);
    EXPECT_NE(dynamic_cast<TdxSilverRibbonSkin*>(manager->Skins(2)), nullptr);
    EXPECT_EQ(manager->FindSkin(L"silver"), manager->Skins(2));
}

}  // namespace
