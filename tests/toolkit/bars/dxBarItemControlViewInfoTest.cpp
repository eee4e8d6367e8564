// The item control's view levels and widths as its view info keeps them, the draw parameters'
// display size, and the glyph cache: what it matches and when it must be drawn again.

#include "BarTestSupport.h"

#include <functional>

#include "ImageList.h"
#include "cxBitmap.h"
#include "dxBarCachedImage.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarPopupMenu.h"
#include "dxCore.h"

namespace {

// A control with the possible levels the test gives, whose width is 10 x (level + 1) and which
// counts its measurings.
class TLevelsControl : public TdxBarItemControl {
    Z_CLASS(TLevelsControl, TdxBarItemControl)
public:
    TLevelsControl(TdxBarItemLink* link, TdxBarItemViewLevels possible)
        : TdxBarItemControl(link), possible_(possible) {}
    TdxBarItemViewLevels GetPossibleViewLevels() const override { return possible_; }
    int measurings = 0;

protected:
    int CalcWidth() override {
        ++measurings;
        return 10 * (ViewInfo()->GetViewLevel() + 1);
    }

private:
    TdxBarItemViewLevels possible_;
};

class ItemControlViewInfo : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        menu = new TdxBarPopupMenu(form.get());
        item = new TTestBarItem(form.get());
        link = menu->ItemLinks()->AddItem(item);
    }
    TdxBarPopupMenu* menu = nullptr;
    TTestBarItem* item = nullptr;
    TdxBarItemLink* link = nullptr;
};

TEST_F(ItemControlViewInfo, TheMostReducedLevelsFollowThePossibleAndAllowedSets) {
    struct Case {
        TdxBarItemViewLevels possible, linkLevels, allowed;
        TdxBarItemViewLevel possibleMin, allowedMin;
    };
    const Case cases[] = {
        // only the large level: it is both most reduced levels
        {{ivlLargeIconWithText},
         dxBarAllViewLevels,
         {ivlLargeIconWithText},
         ivlLargeIconWithText,
         ivlLargeIconWithText},
        {dxBarAllViewLevels, dxBarAllViewLevels, dxBarAllViewLevels, ivlControlOnly, ivlControlOnly},
        {dxBarAllViewLevels,
         {ivlLargeIconWithText, ivlSmallIcon},
         {ivlLargeIconWithText, ivlSmallIcon},
         ivlControlOnly,
         ivlSmallIcon},
        // the link allows only the large level: the most reduced possible one stands in
        {dxBarAllViewLevels, {ivlLargeIconWithText}, {ivlLargeIconWithText}, ivlControlOnly, ivlControlOnly},
        // the link allows none of the possible levels: all possible ones are allowed
        {{ivlSmallIconWithText}, {ivlControlOnly}, {ivlSmallIconWithText}, ivlSmallIconWithText, ivlSmallIconWithText},
    };
    for (const Case& c : cases) {
        link->SetViewLevels(c.linkLevels);
        TLevelsControl control(link, c.possible);
        TdxBarItemControlViewInfo* info = control.ViewInfo();
        EXPECT_EQ(info->GetAllowedViewLevels(), c.allowed);
        EXPECT_EQ(info->GetMostReducedPossibleLevel(), c.possibleMin);
        EXPECT_EQ(info->GetMinViewLevel(), c.allowedMin);
    }
}

TEST_F(ItemControlViewInfo, TheBaseControlCanShowTheIconAloneOnlyWithAnImage) {
    TdxBarItemControl plain(link);
    EXPECT_EQ(plain.GetPossibleViewLevels(), TdxBarItemViewLevels{ivlSmallIconWithText});
    item->SetImageIndex(0);
    TdxBarItemControl withImage(link);
    EXPECT_EQ(withImage.GetPossibleViewLevels(), (TdxBarItemViewLevels{ivlSmallIconWithText, ivlSmallIcon}));
}

TEST_F(ItemControlViewInfo, AnEmptyPossibleSetRaisesWithTheClassName) {
    TLevelsControl control(link, {});
    try {
        control.ViewInfo();
        FAIL() << "no exception";
    } catch (const EdxException& e) {
        EXPECT_EQ(e.Message(), L"TLevelsControl.GetPossibleViewLevels = []");
    }
}

TEST_F(ItemControlViewInfo, AWidthIsMeasuredOnceUntilTheCacheIsReset) {
    TLevelsControl control(link, dxBarAllViewLevels);
    TdxBarItemControlViewInfo* info = control.ViewInfo();
    info->SetViewLevel(ivlSmallIconWithText);
    EXPECT_EQ(info->GetWidthForLevel(ivlSmallIcon), 30);
    EXPECT_EQ(info->GetWidthForLevel(ivlSmallIcon), 30);
    EXPECT_EQ(control.measurings, 1);
    EXPECT_EQ(info->GetViewLevel(), ivlSmallIconWithText) << "the level is restored after measuring";
    EXPECT_EQ(info->GetWidthForLevel(ivlControlOnly), 40);
    EXPECT_EQ(control.measurings, 2);
    control.ResetCachedSizes(false);
    info->GetWidthForLevel(ivlSmallIcon);
    EXPECT_EQ(control.measurings, 2) << "the glyph reset keeps the widths";
    control.ResetCachedSizes(true);
    info->GetWidthForLevel(ivlSmallIcon);
    EXPECT_EQ(control.measurings, 3);
}

TEST_F(ItemControlViewInfo, ALevelOutsideTheAllowedSetRaises) {
    link->SetViewLevels({ivlLargeIconWithText, ivlSmallIconWithText});
    TLevelsControl control(link, dxBarAllViewLevels);
    try {
        control.ViewInfo()->GetWidthForLevel(ivlControlOnly);
        FAIL() << "no exception";
    } catch (const EdxException& e) {
        EXPECT_EQ(e.Message(), L"Testing! The level is not allowed");
    }
    EXPECT_EQ(control.measurings, 0);
}

TEST_F(ItemControlViewInfo, TheLinksPlacementReachesTheLayout) {
    // The first shown link begins no group; the second one does.
    TdxBarItemLink* second = menu->ItemLinks()->AddItem(new TTestBarItem(form.get()));
    second->SetBeginGroup(true);
    second->SetButtonGroup(bgpStart);
    second->SetPosition(ipContinuesRow);
    second->SetDistributed(false);
    TLevelsControl control(second, dxBarAllViewLevels);
    TdxBarItemControlViewInfo* info = control.ViewInfo();
    EXPECT_TRUE(info->BeginsNewGroup());
    EXPECT_FALSE(info->IsDistributed());
    EXPECT_EQ(info->GetLinkPosition(), ipContinuesRow);
    EXPECT_EQ(info->GetButtonGroupPosition(), bgpNone) << "the base control takes no part in button groups";
}

TEST_F(ItemControlViewInfo, ANewDisplaySizeMakesTheCachedGlyphStale) {
    TdxBarItemControl control(link);
    TBitmap glyph;
    glyph.SetSize(4, 4);
    control.CachedImage()->Store(TRect(0, 0, 4, 4), idmNormal, &glyph, nullptr, -1);
    control.DrawParams()->SetDisplaySize(0);
    EXPECT_TRUE(control.CachedImage()->Cached()) << "the same size keeps it";
    control.DrawParams()->SetDisplaySize(1);
    EXPECT_FALSE(control.CachedImage()->Cached());
}

TEST_F(ItemControlViewInfo, TheItemsImageChangesEmptyItsControlsCache) {
    TLevelsControl control(link, dxBarAllViewLevels);
    link->SetControl(&control);
    TBitmap glyph;
    glyph.SetSize(4, 4);
    auto refill = [&] { control.CachedImage()->Store(TRect(0, 0, 4, 4), idmNormal, &glyph, nullptr, -1); };
    struct Case {
        const char* change;
        std::function<void()> apply;
    };
    const Case cases[] = {
        {"a new image index", [&] { item->SetImageIndex(item->ImageIndex() + 1); }},
        {"a new image list", [&] { item->ImagesChanged(); }},
        {"a new large glyph", [&] { item->SetLargeImageIndex(item->LargeImageIndex() + 1); }},
        {"enabled", [&] { item->SetEnabled(!item->GetEnabled()); }},
    };
    for (const Case& c : cases) {
        refill();
        c.apply();
        EXPECT_FALSE(control.CachedImage()->Cached()) << c.change;
    }
    // A new image drops the widths too; a link whose glyph the user set keeps its cache.
    control.ViewInfo()->GetWidthForLevel(ivlSmallIcon);
    item->SetImageIndex(7);
    control.ViewInfo()->GetWidthForLevel(ivlSmallIcon);
    EXPECT_EQ(control.measurings, 2);
    link->SetUserDefine({udGlyph});
    refill();
    item->SetImageIndex(8);
    EXPECT_TRUE(control.CachedImage()->Cached());
}

// A control at (0,0)-(20,10) with two parts (left and right half) that fades with its own fader
// and counts its repaints.
class TFadingControl : public TdxBarItemControl {
    Z_CLASS(TFadingControl, TdxBarItemControl)
public:
    TFadingControl(TdxBarItemLink* link, TdxFader* fader) : TdxBarItemControl(link), fader_(fader) {
        ViewInfo()->SetBounds(TRect(0, 0, 20, 10));
    }
    TdxFader* GetFader() const override { return fader_; }
    bool CanFade() override { return true; }
    int repaints = 0;

protected:
    int HitTestPart(const TPoint& p) override {
        int part = TdxBarItemControl::HitTestPart(p);
        return part == -1 ? -1 : p.x < 10 ? 0 : 1;
    }
    void RepaintControl() override { ++repaints; }
    void CreateFadingImages(TBitmap*& normal, TBitmap*& hot, int&, int&, int&, int&) override {
        normal = new TBitmap;
        normal->SetSize(20, 10);
        hot = new TBitmap;
        hot->SetSize(20, 10);
    }

private:
    TdxFader* fader_;
};

TEST_F(ItemControlViewInfo, EnteringAndLeavingFadeMovingBetweenPartsOnlyRepaints) {
    TdxFader fader;
    fader.SetMode(1);
    auto control = std::make_unique<TFadingControl>(link, &fader);
    const TPoint outside{50, 50}, left{2, 2}, right{15, 2};

    control->UpdateHotPart(left);
    ASSERT_EQ(fader.Count(), 1);
    EXPECT_EQ(fader.Element(0)->Direction(), TdxFadingElement::fdIn);
    EXPECT_EQ(control->HotPart(), 0);
    fader.StopFading(control.get());
    ASSERT_EQ(fader.Count(), 0);

    const int repaints = control->repaints;  // the fader repaints too
    control->UpdateHotPart(right);
    EXPECT_EQ(fader.Count(), 0) << "between parts: no fade";
    EXPECT_EQ(control->HotPart(), 1);
    EXPECT_EQ(control->repaints, repaints + 1);
    control->UpdateHotPart(right);
    EXPECT_EQ(control->repaints, repaints + 1) << "the same part changes nothing";

    control->UpdateHotPart(outside);
    ASSERT_EQ(fader.Count(), 1);
    EXPECT_EQ(fader.Element(0)->Direction(), TdxFadingElement::fdOut);
    EXPECT_EQ(control->HotPart(), -1);

    // Freeing the control ends its fade.
    control.reset();
    EXPECT_EQ(fader.Count(), 0);

    // A disabled control has no hot part and does not fade.
    item->SetEnabled(false);
    TFadingControl disabled(link, &fader);
    disabled.UpdateHotPart(left);
    EXPECT_EQ(disabled.HotPart(), -1);
    EXPECT_EQ(fader.Count(), 0);
}

// Two 4 x 4 images, red and blue.
std::unique_ptr<TCustomImageList> TwoColourList() {
    auto list = std::make_unique<TCustomImageList>(nullptr, 4, 4);
    for (TColor colour : {clRed, clBlue}) {
        TBitmap image;
        image.SetSize(4, 4);
        image.Canvas()->Brush()->SetColor(colour);
        image.Canvas()->FillRect(TRect(0, 0, 4, 4));
        list->AddMasked(&image, clFuchsia);
    }
    return list;
}

TEST(CachedImage, TheCacheIsKeyedOnStateListAndImageIndex) {
    auto list = TwoColourList();
    TdxCachedImageOptions cache;
    const TRect r(0, 0, 4, 4);
    EXPECT_FALSE(cache.Matches(idmNormal, nullptr, list.get(), 0)) << "nothing cached yet";
    cache.Store(r, idmNormal, nullptr, list.get(), 0);
    EXPECT_TRUE(cache.Matches(idmNormal, nullptr, list.get(), 0));
    EXPECT_FALSE(cache.Matches(idmDisabled, nullptr, list.get(), 0)) << "another state";
    EXPECT_FALSE(cache.Matches(idmNormal, nullptr, list.get(), 1)) << "another image of the same list";
    TBitmap glyph;
    glyph.SetSize(4, 4);
    EXPECT_FALSE(cache.Matches(idmNormal, &glyph, list.get(), 0)) << "a glyph instead of the list";

    // What is stored is the image drawn: the red one, then after a new index the blue one.
    auto centre = [&] {
        TRGBColors pixels = cache.Glyph()->ReadPixels();
        RGBQUAD p = pixels[2 * 4 + 2];
        return RGB(p.rgbRed, p.rgbGreen, p.rgbBlue);
    };
    EXPECT_EQ(centre(), RGB(255, 0, 0));
    cache.Store(r, idmNormal, nullptr, list.get(), 1);
    EXPECT_TRUE(cache.Matches(idmNormal, nullptr, list.get(), 1));
    EXPECT_EQ(centre(), RGB(0, 0, 255));
    cache.Reset();
    EXPECT_FALSE(cache.Matches(idmNormal, nullptr, list.get(), 1));
}

}  // namespace
