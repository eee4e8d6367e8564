// The manager's style: which painter its bars draw with, and its fonts.

#include <gtest/gtest.h>

#include "../RecordingVisualStyles.h"
#include "BarTestSupport.h"
#include "cxExtendedStylePainters.h"
#include "cxOffice11LookAndFeelPainter.h"
#include "dxBarStylePainters.h"
#include "dxOffice11.h"

namespace {

// A skin for the look and feel to find by name.
class TStyleTestSkinPainter : public TcxOffice11LookAndFeelPainter {
public:
    static const TStyleTestSkinPainter* Instance() {
        static const TStyleTestSkinPainter painter;
        return &painter;
    }
};

// A painter class the skins could put in.
class TStyleTestSkinBarPainter : public TdxBarFlatPainter {
    Z_CLASS(TStyleTestSkinBarPainter, TdxBarFlatPainter)
public:
    explicit TStyleTestSkinBarPainter(TcxLookAndFeelPainterClass data) : TdxBarFlatPainter(data), data(data) {}
    TcxLookAndFeelPainterClass data;
};

using BarManagerStyle = BarTest;

struct TStyleCase {
    TdxBarManagerStyle style;
    TcxLookAndFeelKind kind;
    bool nativeStyle, themes;
    TdxBarManagerStyle paintStyle, effectiveStyle;
    TdxBarPainterClass painter;
};

TEST_F(BarManagerStyle, StyleAndLookAndFeelChooseThePainter) {
    const TStyleCase cases[] = {
        {bmsStandard, lfFlat, false, false, bmsStandard, bmsStandard, TdxBarStandardPainter::StaticClass()},
        {bmsEnhanced, lfFlat, false, false, bmsEnhanced, bmsEnhanced, TdxBarEnhancedPainter::StaticClass()},
        {bmsFlat, lfFlat, false, false, bmsFlat, bmsFlat, TdxBarFlatPainter::StaticClass()},
        {bmsOffice11, lfFlat, false, false, bmsOffice11, bmsOffice11, TdxBarOffice11Painter::StaticClass()},
        // Without visual styles XP paints as Enhanced, yet menus and layouts still go by XP.
        {bmsXP, lfFlat, false, false, bmsEnhanced, bmsXP, TdxBarEnhancedPainter::StaticClass()},
        {bmsXP, lfFlat, false, true, bmsXP, bmsXP, TdxBarXPPainter::StaticClass()},
        {bmsUseLookAndFeel, lfUltraFlat, false, false, bmsFlat, bmsFlat, TdxBarFlatPainter::StaticClass()},
        {bmsUseLookAndFeel, lfStandard, false, false, bmsStandard, bmsStandard, TdxBarStandardPainter::StaticClass()},
        {bmsUseLookAndFeel, lfFlat, false, false, bmsEnhanced, bmsEnhanced, TdxBarEnhancedPainter::StaticClass()},
        {bmsUseLookAndFeel, lfOffice11, false, false, bmsOffice11, bmsOffice11, TdxBarOffice11Painter::StaticClass()},
        {bmsUseLookAndFeel, lfOffice11, true, false, bmsOffice11, bmsOffice11, TdxBarOffice11Painter::StaticClass()},
        {bmsUseLookAndFeel, lfOffice11, true, true, bmsXP, bmsXP, TdxBarXPPainter::StaticClass()},
    };
    for (const TStyleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << int(c.style) << " kind " << int(c.kind) << " native " << c.nativeStyle
                                        << " themes " << c.themes);
        std::unique_ptr<TRecordingVisualStyles> styles;
        if (c.themes) styles = std::make_unique<TRecordingVisualStyles>();
        manager->SetStyle(c.style);
        manager->LookAndFeel()->SetKind(c.kind);
        manager->LookAndFeel()->SetNativeStyle(c.nativeStyle);
        manager->StyleChanged();  // the theme may have changed since the last painter
        EXPECT_EQ(manager->IsThemeAvailable(), c.themes);
        EXPECT_EQ(manager->GetPaintStyle(), c.paintStyle);
        EXPECT_EQ(manager->GetEffectiveStyle(), c.effectiveStyle);
        EXPECT_EQ(manager->GetPainterClass(), c.painter);
        ASSERT_NE(manager->Painter(), nullptr);
        EXPECT_EQ(manager->GetPainterClassInUse(), c.painter);
        EXPECT_EQ(manager->IsNotStandardStyle(), c.effectiveStyle != bmsStandard);
        styles.reset();
        manager->StyleChanged();
    }
}

TEST_F(BarManagerStyle, ASkinnedLookAndFeelPaintsWithTheSkinsPainterClass) {
    // the skins' units may have put their painter in: start from the standard one
    const TdxBarPainterClass installed = SkinBarPainterClass();
    SetSkinBarPainterClass(nullptr);
    ASSERT_TRUE(GlobalExtendedStylePainters()->RegisterPainter(L"Heather", TStyleTestSkinPainter::Instance(), nullptr));
    manager->SetStyle(bmsUseLookAndFeel);
    manager->LookAndFeel()->SetKind(lfUltraFlat);
    manager->LookAndFeel()->SetSkinName(L"Heather");  // a look-and-feel change makes the painter anew

    EXPECT_EQ(manager->GetPaintStyle(), bmsSkinned);
    EXPECT_EQ(manager->GetEffectiveStyle(), bmsFlat);  // a skin does not count there
    EXPECT_EQ(manager->GetPainterClassInUse(), TdxBarStandardPainter::StaticClass());

    SetSkinBarPainterClass(TStyleTestSkinBarPainter::StaticClass());
    manager->StyleChanged();
    auto* painter = dynamic_cast<TStyleTestSkinBarPainter*>(manager->Painter());
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(painter->data, TStyleTestSkinPainter::Instance());  // the skin painter is the data

    // The manager's look and feel copied into another one keeps the skin.
    TcxLookAndFeel copy(nullptr);
    manager->AssignLookAndFeelTo(&copy);
    EXPECT_EQ(copy.SkinPainter(), TStyleTestSkinPainter::Instance());

    SetSkinBarPainterClass(installed);
    manager->LookAndFeel()->SetSkinName(L"");
    GlobalExtendedStylePainters()->UnregisterPainter(L"Heather");
    EXPECT_EQ(manager->GetPainterClassInUse(), TdxBarFlatPainter::StaticClass());
}

TEST_F(BarManagerStyle, AssignLookAndFeelToGivesTheStyleCode) {
    const std::pair<TdxBarManagerStyle, TcxLookAndFeelKind> cases[] = {
        {bmsStandard, lfFlat}, {bmsEnhanced, lfFlat}, {bmsFlat, lfUltraFlat}, {bmsOffice11, lfOffice11}};
    for (auto [style, kind] : cases) {
        manager->SetStyle(style);
        TcxLookAndFeel target(nullptr);
        target.SetKind(lfStandard);
        target.SetNativeStyle(true);
        manager->AssignLookAndFeelTo(&target);
        EXPECT_EQ(target.Kind(), kind) << int(style);
        EXPECT_FALSE(target.NativeStyle()) << int(style);
    }
}

TEST_F(BarManagerStyle, ADestroyedManagerMakesNoNewPainter) {
    manager->SetStyle(bmsUseLookAndFeel);
    manager->LookAndFeel()->SetKind(lfFlat);
    ASSERT_EQ(manager->GetPainterClassInUse(), TdxBarEnhancedPainter::StaticClass());
    manager->SetStateFlag(csDestroying, true);
    manager->LookAndFeel()->SetKind(lfOffice11);
    EXPECT_EQ(manager->GetPainterClassInUse(), TdxBarEnhancedPainter::StaticClass());
    manager->SetStateFlag(csDestroying, false);
    manager->LookAndFeel()->SetKind(lfStandard);
    EXPECT_EQ(manager->GetPainterClassInUse(), TdxBarStandardPainter::StaticClass());
}

TEST_F(BarManagerStyle, MostRecentUseCountFollowsThePercentage) {
    const std::pair<int, int> cases[] = {{95, 20}, {50, 2}, {0, 1}, {100, 0}, {250, 0}};
    for (auto [percents, count] : cases) {
        manager->SetMostRecentItemsPercents(Byte(percents));
        EXPECT_EQ(manager->MostRecentlyUsedUseCount(), count) << percents;
    }
}

NONCLIENTMETRICSW StyleTestMenuMetrics() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics;
}

TEST_F(BarManagerStyle, TheSystemMenuFontIsTheFontUntilTheUserSetsOne) {
    const LOGFONTW menuFont = StyleTestMenuMetrics().lfMenuFont;
    ASSERT_TRUE(manager->UseSystemFont());
    EXPECT_EQ(manager->Font()->Name(), String(menuFont.lfFaceName));
    EXPECT_EQ(manager->Font()->Height(), menuFont.lfHeight);

    int handlerCalls = 0;
    struct TCounter : TObject {
        int* calls;
        void Changed(TObject*, const void*) { ++*calls; }
    } counter;
    counter.calls = &handlerCalls;
    manager->SystemFontChangedHandlers()->AddHandler(MakeEvent(&counter, &TCounter::Changed));

    // A font set by hand ends UseSystemFont; Scaled keeps the height at the menu font's.
    manager->Font()->SetName(L"Courier New");
    manager->Font()->SetHeight(-30);
    EXPECT_FALSE(manager->UseSystemFont());
    EXPECT_EQ(manager->Font()->Name(), L"Courier New");
    EXPECT_EQ(manager->Font()->Height(), menuFont.lfHeight);
    EXPECT_EQ(manager->CaptionFont()->Name(), L"Courier New");
    EXPECT_EQ(manager->CaptionFont()->Height(), menuFont.lfHeight < -10 ? menuFont.lfHeight : -11);
    EXPECT_EQ(manager->EditFont()->Name(), L"Courier New");
    EXPECT_LE(manager->EditFont()->Height(), -11);
    EXPECT_EQ(handlerCalls, 2);

    // Without Scaled the user's height stays.
    manager->SetScaled(false);
    manager->Font()->SetHeight(-30);
    EXPECT_EQ(manager->Font()->Height(), -30);
    EXPECT_EQ(manager->EditFont()->Height(), -30);

    // UseSystemFont back on takes the menu font at once.
    manager->SetUseSystemFont(true);
    EXPECT_TRUE(manager->UseSystemFont());
    EXPECT_EQ(manager->Font()->Name(), String(menuFont.lfFaceName));
    EXPECT_EQ(manager->Font()->Height(), menuFont.lfHeight);
    manager->SystemFontChangedHandlers()->RemoveHandler(MakeEvent(&counter, &TCounter::Changed));
}

}  // namespace

namespace {

// An item that counts the glyph changes its manager passes on.
class TImageTestItem : public TTestBarItem {
    Z_CLASS(TImageTestItem, TTestBarItem)
public:
    using TTestBarItem::TTestBarItem;
    int glyphChanges = 0, largeChanges = 0;

protected:
    void GlyphOrImageChanged() override {
        ++glyphChanges;
        TTestBarItem::GlyphOrImageChanged();
    }
    void LargeGlyphChanged() override {
        ++largeChanges;
        TTestBarItem::LargeGlyphChanged();
    }
};

using BarManagerImages = BarTest;

TEST_F(BarManagerImages, TheGlyphSizeFollowsLargeIconsAndTheLargeList) {
    auto large = std::make_unique<TCustomImageList>(nullptr, 24, 24);
    TdxBarImageOptions* options = manager->ImageOptions();
    EXPECT_EQ(manager->GetGlyphSize(), 16);
    manager->SetLargeIcons(true);
    EXPECT_EQ(manager->GetGlyphSize(), 32);
    manager->SetUseLargeImagesForLargeIcons(true);
    EXPECT_EQ(manager->GetGlyphSize(), 32);  // no large list yet
    manager->SetLargeImages(large.get());
    EXPECT_EQ(manager->GetGlyphSize(), 24);
    EXPECT_TRUE(options->UsesLargeImagesForLargeIcons());
    manager->SetUseLargeImagesForLargeIcons(false);
    EXPECT_EQ(manager->GetGlyphSize(), 32);
    manager->SetUseLargeImagesForLargeIcons(true);
    EXPECT_EQ(manager->GetGlyphSize(), 24);
    manager->SetLargeIcons(false);
    EXPECT_EQ(manager->GetGlyphSize(), 16);

    // A list freed while referenced is dropped from every place that held it.
    manager->SetHotImages(large.get());
    large.reset();
    EXPECT_EQ(manager->GetLargeImages(), nullptr);
    EXPECT_EQ(manager->GetHotImages(), nullptr);
}

TEST_F(BarManagerImages, AListsChangeReachesTheItemsThatShowItsImages) {
    TCustomImageList images(nullptr, 16, 16), large(nullptr, 32, 32);
    auto* withImage = new TImageTestItem(form.get());
    withImage->SetImageIndex(0);
    auto* withoutImage = new TImageTestItem(form.get());
    withImage->glyphChanges = 0;
    manager->SetImages(&images);  // the new list's link fires
    EXPECT_EQ(withImage->glyphChanges, 1);
    EXPECT_EQ(withoutImage->glyphChanges, 0);
    manager->SetImages(&images);  // the same list again does nothing
    EXPECT_EQ(withImage->glyphChanges, 1);
    manager->SetDisabledImages(&images);
    EXPECT_EQ(withImage->glyphChanges, 2);
    manager->SetLargeImages(&large);
    EXPECT_EQ(withImage->largeChanges, 1);
    EXPECT_EQ(withoutImage->largeChanges, 0);
    manager->SetImages(nullptr);
    manager->SetDisabledImages(nullptr);
    manager->SetLargeImages(nullptr);
}

TEST_F(BarManagerImages, CopiedOptionsLeaveTheGlyphCacheAlone) {
    TCustomImageList images(nullptr, 16, 16);
    TdxBarImageOptions source(nullptr);
    source.SetImages(&images);
    source.SetCacheGlyphs(false);
    source.SetImageListBkColor(clRed);
    source.SetStretchGlyphs(false);
    manager->SetImageOptions(&source);
    EXPECT_EQ(manager->GetImages(), &images);
    EXPECT_EQ(manager->ImageListBkColor(), clRed);
    EXPECT_FALSE(manager->StretchGlyphs());
    EXPECT_TRUE(manager->ImageOptions()->CacheGlyphs());
    manager->SetImages(nullptr);
    source.SetImages(nullptr);
}

}  // namespace

namespace {

TEST_F(BarManagerStyle, FlatColoursComeFromTheSystemColours) {
    auto channels = [](TColor color, int (*f)(int)) {
        COLORREF c = COLORREF(ColorToRGB(color));
        return RGB(f(GetRValue(c)), f(GetGValue(c)), f(GetBValue(c)));
    };
    const COLORREF shadow = channels(clBtnShadow, [](int c) { return MulDiv(c, 8, 10); });
    const COLORREF toolbar = channels(clBtnFace, [](int c) { return (c + MulDiv(255 - c, 16, 100)) & 0xFF; });
    EXPECT_EQ(COLORREF(ColorToRGB(manager->GetFlatShadowColor())), shadow);
    EXPECT_EQ(COLORREF(ColorToRGB(manager->GetFlatToolbarColor())), toolbar);
    EXPECT_EQ(manager->GetFlatDownedColor(), BlendSystemColors(11, 9, 73));
    EXPECT_EQ(manager->GetFlatDownedSelColor(), BlendSystemColors(14, 44, 40));
    EXPECT_EQ(manager->GetFlatLightColor(), BlendSystemColors(-2, 30, 72));
    EXPECT_EQ(manager->ThemeBrush(), nullptr);  // no visual styles here
    TSize grip;
    manager->Painter()->GetSizeGripWidth(manager, grip);
    EXPECT_EQ(grip.cx, GetSystemMetrics(SM_CXHSCROLL));
    EXPECT_EQ(grip.cy, GetSystemMetrics(SM_CYHSCROLL));

    // The brushes paint those colours, also after the system colours changed.
    for (int round = 0; round < 2; ++round) {
        HDC dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 1, 1, 1, 32, BI_RGB};
        void* bits = nullptr;
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        RECT r{0, 0, 1, 1};
        FillRect(dc, &r, manager->FlatToolbarBrush());
        EXPECT_EQ(GetPixel(dc, 0, 0), toolbar);
        FillRect(dc, &r, manager->FlatShadowBrush());
        EXPECT_EQ(GetPixel(dc, 0, 0), shadow);
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        manager->SysColorsChanged();
    }
}

}  // namespace

namespace {

TEST_F(BarManagerStyle, MenuAndHintOptionsTellTheDesigner) {
    const std::pair<const char*, void (*)(TdxBarManager*)> cases[] = {
        {"MenuAnimations", [](TdxBarManager* m) { m->SetMenuAnimations(maFade); }},
        {"MenusShowRecentItemsFirst", [](TdxBarManager* m) { m->SetMenusShowRecentItemsFirst(false); }},
        {"ShowFullMenusAfterDelay", [](TdxBarManager* m) { m->SetShowFullMenusAfterDelay(false); }},
        {"ShowHint", [](TdxBarManager* m) { m->SetShowHint(false); }},
        {"ShowShortCutInHint", [](TdxBarManager* m) { m->SetShowShortCutInHint(true); }},
    };
    for (auto [name, change] : cases) {
        std::unique_ptr<TForm> other(CreateNewForm(nullptr));
        auto* fresh = new TdxBarManager(other.get());
        ASSERT_FALSE(fresh->Modified()) << name;
        change(fresh);
        EXPECT_TRUE(fresh->Modified()) << name;
    }
    // The same value again is no change.
    std::unique_ptr<TForm> other(CreateNewForm(nullptr));
    auto* fresh = new TdxBarManager(other.get());
    fresh->SetShowHint(true);
    EXPECT_FALSE(fresh->Modified());
}

}  // namespace
