// The ribbon painted into memory (fading off) against the colour scheme drawing the same parts
// by itself: the background, the tab headers in their states, the bottom edge of a minimized
// ribbon and the application button's glyph.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "ControlSnapshot.h"
#include "PixelSurface.h"
#include "RibbonTesting.h"
#include "SysUtils.h"

namespace {

// A memory picture that the colour scheme draws into directly.
class TReference {
public:
    TReference(int width, int height) : bitmap_(std::make_unique<TBitmap>()) {
        bitmap_->SetPixelFormat(pf24bit);
        bitmap_->SetSize(width, height);
    }
    HDC DC() { return bitmap_->Canvas()->Handle(); }
    TColor Pixel(int x, int y) { return TColor(GetPixel(DC(), x, y)); }

private:
    std::unique_ptr<TBitmap> bitmap_;
};

}  // namespace

TEST_F(RibbonTest, TheBackgroundAndTheTabHeadersInTheirStatesAreTheSchemes) {
    TdxRibbonTab* active = NewTab(L"Элементы");
    TdxRibbonTab* other = NewTab(L"Помощь");
    TdxRibbonTab* third = NewTab(L"Вид");
    TdxCustomRibbonSkin* scheme = ribbon->ColorScheme();
    ribbon->SetHotTab(third);
    TdxRibbonTabsViewInfo* tabs = ViewInfo()->TabsViewInfo();
    const struct {
        TdxRibbonTab* tab;
        TdxRibbonTabState state;
    } headers[] = {{active, rtsActive}, {other, rtsNormal}, {third, rtsHot}};

    TControlSnapshot shot(ribbon);
    TReference reference(ribbon->Width(), ribbon->Height());
    scheme->DrawRibbonBackground(reference.DC(), ViewInfo()->Bounds());
    for (const auto& h : headers) {
        ASSERT_EQ(tabs->Find(h.tab)->GetState(), h.state);
        scheme->DrawTab(reference.DC(), tabs->Find(h.tab)->Bounds(), h.state);
    }
    // The background right of the headers, in the tab row.
    const int x = tabs->Bounds().right - 3;
    for (int y = 1; y < 22; y += 4) EXPECT_EQ(shot.Pixel(x, y), reference.Pixel(x, y)) << "(" << x << ", " << y << ")";
    // Each header's left band, where no caption is drawn.
    for (const auto& h : headers) {
        const TRect r = tabs->Find(h.tab)->Bounds();
        for (int y = r.top; y < r.bottom - 1; ++y)
            for (int dx = 0; dx < 4; ++dx)
                EXPECT_EQ(shot.Pixel(r.left + dx, y), reference.Pixel(r.left + dx, y))
                    << "state " << h.state << " at (" << r.left + dx << ", " << y << ")";
    }
    // The three states look different, so the check above tells them apart.
    const int y = 12;
    const TColor normal = reference.Pixel(tabs->Find(other)->Bounds().left + 1, y);
    EXPECT_NE(reference.Pixel(tabs->Find(active)->Bounds().left + 1, y), normal);
    EXPECT_NE(reference.Pixel(tabs->Find(third)->Bounds().left + 1, y), normal);
}

TEST_F(RibbonTest, AMinimizedRibbonEndsInTheSchemesTwoPixelEdge) {
    NewTab(L"Элементы");
    ribbon->SetShowTabGroups(false);
    ASSERT_EQ(ribbon->Height(), 25);
    ASSERT_TRUE(ViewInfo()->ShowsBottomEdge());
    TControlSnapshot shot(ribbon);
    TReference reference(ribbon->Width(), ribbon->Height());
    TdxCustomRibbonSkin* scheme = ribbon->ColorScheme();
    scheme->DrawRibbonBackground(reference.DC(), ViewInfo()->Bounds());
    scheme->DrawRibbonBottomBorder(reference.DC(), TRect{0, 23, ribbon->Width(), 25});
    for (int y : {23, 24})
        for (int x : {2, ribbon->Width() / 2, ribbon->Width() - 3})
            EXPECT_EQ(shot.Pixel(x, y), reference.Pixel(x, y)) << "(" << x << ", " << y << ")";
    // The edge differs from the background above it.
    EXPECT_NE(shot.Pixel(ribbon->Width() - 3, 24), reference.Pixel(ribbon->Width() - 3, 21));
}

// With a quick access toolbar above the tabs the application button shows; its glyph is drawn
// centred at its own size. What lies under the glyph is read from the ribbon painted with a glyph
// that is transparent all over.
class RibbonApplicationButtonTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        NewTab(L"Элементы");
        ribbon->QuickAccessToolbar()->SetToolbar(NewBar(L"BarQuick"));
        ribbon->ApplicationButton()->SetStretchGlyph(false);
        ASSERT_TRUE(ViewInfo()->IsApplicationButtonShown());
        button = ViewInfo()->ApplicationButtonBounds();
        left = button.left + (RectWidth(button) - 16) / 2;
        top = button.top + (RectHeight(button) - 16) / 2;
    }
    // A 16 x 16 glyph of the format, every pixel given by pixel(x, y) (0xAARRGGBB for 32 bits).
    std::unique_ptr<TBitmap> Glyph(TPixelFormat format, const std::function<DWORD(int, int)>& pixel) {
        auto glyph = std::make_unique<TBitmap>();
        glyph->SetPixelFormat(format);
        glyph->SetSize(16, 16);
        for (int y = 0; y < 16; ++y) {
            auto* row = static_cast<Byte*>(glyph->ScanLine(y));
            for (int x = 0; x < 16; ++x) {
                const DWORD p = pixel(x, y);
                Byte* q = row + x * (format == pf32bit ? 4 : 3);
                q[0] = Byte(p), q[1] = Byte(p >> 8), q[2] = Byte(p >> 16);
                if (format == pf32bit) q[3] = Byte(p >> 24);
            }
        }
        return glyph;
    }
    std::vector<TColor> PixelsWith(TBitmap* glyph, const std::vector<TPoint>& points) {
        ribbon->ApplicationButton()->SetGlyph(glyph);
        TControlSnapshot shot(ribbon);
        std::vector<TColor> colors;
        for (const TPoint& p : points) colors.push_back(shot.Pixel(p.x, p.y));
        return colors;
    }
    TRect button{};
    int left = 0, top = 0;
};

TEST_F(RibbonApplicationButtonTest, A24BitGlyphLeavesOutItsTransparentColour) {
    // Red, with its lower left quarter in the transparent colour (the bottom-left pixel's).
    auto glyph = Glyph(pf24bit, [](int x, int y) -> DWORD { return x < 8 && y >= 8 ? 0xFF00FF : 0xFF0000; });
    auto clear = Glyph(pf24bit, [](int, int) -> DWORD { return 0xFF00FF; });
    std::vector<TPoint> points{{left + 12, top + 3}};
    for (int y = top + 9; y < top + 16; y += 3)
        for (int x = left; x < left + 8; x += 3) points.push_back({x, y});
    const std::vector<TColor> seen = PixelsWith(glyph.get(), points);
    const std::vector<TColor> under = PixelsWith(clear.get(), points);
    EXPECT_EQ(seen[0], clRed);
    EXPECT_NE(under[0], clRed);
    for (size_t i = 1; i < points.size(); ++i)
        EXPECT_EQ(seen[i], under[i]) << "(" << points[i].x << ", " << points[i].y << ")";
}

TEST_F(RibbonApplicationButtonTest, A32BitGlyphIsBlendedByItsAlpha) {
    // Blue at half opacity, premultiplied.
    auto glyph = Glyph(pf32bit, [](int, int) -> DWORD { return 0x80000080; });
    auto clear = Glyph(pf32bit, [](int, int) -> DWORD { return 0; });
    const std::vector<TPoint> points{{left + 8, top + 8}, {left + 2, top + 13}};
    const std::vector<TColor> seen = PixelsWith(glyph.get(), points);
    const std::vector<TColor> under = PixelsWith(clear.get(), points);
    const auto blend = [](int source, int back) { return source + back * (255 - 128) / 255; };
    for (size_t i = 0; i < points.size(); ++i) {
        const COLORREF s = ColorToRGB(seen[i]), u = ColorToRGB(under[i]);
        EXPECT_NEAR(GetRValue(s), blend(0, GetRValue(u)), 3) << i;
        EXPECT_NEAR(GetGValue(s), blend(0, GetGValue(u)), 3) << i;
        EXPECT_NEAR(GetBValue(s), blend(128, GetBValue(u)), 3) << i;
    }
}

// Blue, Black and Silver each paint the two-tab ribbon their own way. With ZARNIK_RIBBON_GALLERY
// set to a folder, each picture is saved there as Ribbon<scheme>.bmp: scripts/ribbon-gallery.sh
// makes docs/ribbon-schemes.png that way.
TEST_F(RibbonTest, ATwoTabRibbonLooksItsOwnInEachScheme) {
    NewTab(L"Элементы");
    NewTab(L"Помощь");
    form->SetBounds(0, 0, 480, 300);
    std::vector<TColor> backgrounds;
    for (const wchar_t* name : {L"Blue", L"Black", L"Silver"}) {
        ribbon->SetColorSchemeName(name);
        ASSERT_EQ(ribbon->ColorSchemeName(), name);
        auto picture = std::make_unique<TBitmap>();
        picture->SetPixelFormat(pf24bit);
        picture->SetSize(ribbon->Width(), ribbon->Height());
        HDC dc = picture->Canvas()->Handle();
        ribbon->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
        ribbon->PaintHandler(dc);
        backgrounds.push_back(TColor(GetPixel(dc, ribbon->Width() - 10, 5)));
        if (const char* folder = std::getenv("ZARNIK_RIBBON_GALLERY"))
            picture->SaveToFile(UTF8ToString(folder) + L"\\Ribbon" + name + L".bmp");
    }
    EXPECT_NE(backgrounds[0], backgrounds[1]);
    EXPECT_NE(backgrounds[1], backgrounds[2]);
}

TEST_F(RibbonApplicationButtonTest, TheButtonPushesTheTabsRightAndAnswersTheHitTestLast) {
    EXPECT_EQ(ViewInfo()->TabsViewInfo()->Bounds().left, ViewInfo()->ApplicationButtonArea().right);
    EXPECT_GT(ViewInfo()->ApplicationButtonArea().right, 8);
    TdxRibbonHitInfo info;
    ViewInfo()->HitTest((button.left + button.right) / 2, (button.top + button.bottom) / 2, info);
    EXPECT_EQ(info.hitTest, rhtApplicationButton);
    // The quick access toolbar row lies above the tabs.
    EXPECT_EQ(ViewInfo()->TabsViewInfo()->Bounds().top, ViewInfo()->QATBounds().bottom);
}

// The active tab's dock control lets the groups area show through, seamlessly.
TEST_F(RibbonTest, TheGroupsAreaShowsThroughTheDockControl) {
    TdxRibbonTab* tab = NewTab(L"Элементы");
    TdxRibbonGroupsDockControl* dock = tab->DockControl();
    ASSERT_TRUE(dock->Visible());
    TControlSnapshot shot(dock);
    const TRect site = ribbon->GroupsSite()->ClientRect();
    TReference reference(RectWidth(site), RectHeight(site));
    ribbon->ColorScheme()->DrawTabGroupsArea(reference.DC(), site);
    for (int y = 0; y < dock->Height(); y += 7)
        for (int x : {0, dock->Width() / 2, dock->Width() - 1})
            EXPECT_EQ(shot.Pixel(x, y), reference.Pixel(x + dock->Left(), y + dock->Top()))
                << "(" << x << ", " << y << ")";
}
