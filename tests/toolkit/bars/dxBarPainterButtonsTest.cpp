// The base painter's buttons, glyphs, captions and arrows, read back from memory bitmaps. Text
// expectations are measured in the test: the fonts here are not the ones of other systems.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

#include "BarPainterFakes.h"
#include "BarTestSupport.h"
#include "Bitmap.h"
#include "ImageList.h"
#include "cxGraphics.h"
#include "dxBarStylePainters.h"

namespace {

// A crisp font, so that text pixels are either ink or background.
HFONT CrispFont(int height, int escapement = 0) {
    LOGFONTW f{};
    f.lfHeight = height;
    f.lfEscapement = f.lfOrientation = escapement;
    f.lfWeight = FW_NORMAL;
    f.lfQuality = NONANTIALIASED_QUALITY;
    lstrcpyW(f.lfFaceName, L"Tahoma");
    return CreateFontIndirectW(&f);
}

// The pixels of the colour.
std::set<std::pair<int, int>> PixelsOf(const TPainterTestSurface& s, COLORREF color) {
    std::set<std::pair<int, int>> points;
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (s.Pixel(x, y) == color) points.insert({x, y});
    return points;
}

void FillSurface(TPainterTestSurface& s, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, s.width, s.height};
    FillRect(s.dc, &r, brush);
    DeleteObject(brush);
}

class BarButtonPainter : public ::testing::Test {
protected:
    std::unique_ptr<TdxBarPainter> painter = NewBasePainter();
    TFakeBarWindow window;
    TFakeItemControl control{&window};
};

TEST_F(BarButtonPainter, ADisabledCaptionIsEngravedUnlessSelectedOrFlat) {
    const COLORREF back = RGB(0, 128, 128);
    const TRect rect = Rect(0, 0, 80, 20);
    HFONT font = CrispFont(-13);
    auto draw = [&](TPainterTestSurface& s, bool enabled, bool selected) {
        FillSurface(s, back);
        HGDIOBJ old = SelectObject(s.dc, font);
        painter->DrawItemText(&control, s.dc, L"Save", rect, 0, enabled, selected, false, false, false, DT_SINGLELINE);
        SelectObject(s.dc, old);
    };
    // Where the text's ink lies at rect and one pixel down and right of it.
    auto reference = [&](int shift) {
        TPainterTestSurface s(80, 20);
        HGDIOBJ old = SelectObject(s.dc, font);
        SetBkMode(s.dc, TRANSPARENT);
        SetTextColor(s.dc, RGB(0, 0, 0));
        TRect r = rect;
        OffsetRect(&r, shift, shift);
        DrawTextW(s.dc, L"Save", 4, &r, DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_NOCLIP);
        SelectObject(s.dc, old);
        return PixelsOf(s, RGB(0, 0, 0));
    };
    const auto ink = reference(0), shadowInk = reference(1);
    ASSERT_FALSE(ink.empty());

    TPainterTestSurface engraved(80, 20);
    draw(engraved, false, false);
    const COLORREF highlight = GetSysColor(COLOR_BTNHIGHLIGHT), shadow = GetSysColor(COLOR_BTNSHADOW);
    int mismatches = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 80; ++x) {
            COLORREF expected = ink.count({x, y}) ? shadow : shadowInk.count({x, y}) ? highlight : back;
            mismatches += engraved.Pixel(x, y) != expected;
        }
    EXPECT_EQ(mismatches, 0) << "the highlight one pixel down and right, under the shadow";

    // Selected, the disabled text is grey once.
    TPainterTestSurface selected(80, 20);
    draw(selected, false, true);
    EXPECT_EQ(PixelsOf(selected, GetSysColor(COLOR_GRAYTEXT)), ink);

    // Enabled: the button text colour, or the item style's colour when it has one.
    TPainterTestSurface normal(80, 20);
    draw(normal, true, false);
    EXPECT_EQ(PixelsOf(normal, GetSysColor(COLOR_BTNTEXT)), ink);
    control.styleTextColor = clRed;
    TPainterTestSurface styled(80, 20);
    draw(styled, true, false);
    EXPECT_EQ(PixelsOf(styled, RGB(255, 0, 0)), ink);
    DeleteObject(font);
}

TEST_F(BarButtonPainter, ARotatedCaptionUnderlinesItsAcceleratorByHand) {
    HFONT font = CrispFont(-13, -900);
    const TRect rect = Rect(0, 0, 24, 80);
    const COLORREF text = GetSysColor(COLOR_BTNTEXT);
    auto draw = [&](TPainterTestSurface& s, const String& caption) {
        HGDIOBJ old = SelectObject(s.dc, font);
        painter->DrawItemText(&control, s.dc, caption, rect, 0, true, false, true, false, false, DT_SINGLELINE);
        SelectObject(s.dc, old);
    };
    TPainterTestSurface withAccelerator(24, 80), plain(24, 80);
    draw(withAccelerator, L"&File");
    draw(plain, L"File");

    // Measured in the same font: where the underline must run.
    HGDIOBJ old = SelectObject(plain.dc, font);
    SIZE all{}, first{};
    GetTextExtentPoint32W(plain.dc, L"File", 4, &all);
    GetTextExtentPoint32W(plain.dc, L"F", 1, &first);
    TEXTMETRICW metrics{};
    GetTextMetricsW(plain.dc, &metrics);
    SelectObject(plain.dc, old);
    const int lineX = (rect.left + rect.right - all.cy) / 2 + metrics.tmDescent - 2;

    // No "&" is drawn: apart from the underline, the ink is the plain caption's.
    auto inked = PixelsOf(withAccelerator, text), plainInk = PixelsOf(plain, text);
    ASSERT_FALSE(plainInk.empty());
    std::set<std::pair<int, int>> underline;
    for (auto p : inked)
        if (!plainInk.count(p)) underline.insert(p);
    for (auto p : plainInk) EXPECT_TRUE(inked.count(p)) << p.first << "," << p.second;
    // The underline: a vertical line at lineX along the first character.
    ASSERT_FALSE(underline.empty());
    for (auto p : underline) {
        EXPECT_EQ(p.first, lineX);
        EXPECT_GE(p.second, rect.top);
        EXPECT_LT(p.second, rect.top + first.cx);
    }
    EXPECT_GE(int(underline.size()), first.cx - 2);
    // The text runs down from the top: its ink is right of the line, inside the rectangle.
    EXPECT_GT(plain.BoundsOf(text).right, lineX);
    EXPECT_LE(plain.BoundsOf(text).bottom, all.cx + 1);
    DeleteObject(font);
}

TEST_F(BarButtonPainter, TheMenuCheckMarkIsCentredAndDoubledFromFontSize16) {
    class TRecordingPainter : public TdxBarPainter {
    public:
        using TdxBarPainter::TdxBarPainter;
        mutable std::vector<std::tuple<int, int, int>> marks;
        void DrawCheckMark(C*, HDC, int x, int y, int size) const override { marks.emplace_back(x, y, size); }
    } recording(nullptr);
    TPainterTestSurface s(40, 40);
    struct Case {
        int fontSize, paintKind;
        bool down;
        std::vector<std::tuple<int, int, int>> expected;
    } cases[] = {
        // A 24 x 20 glyph column with room: the box centred in it less one pixel each side.
        {8, 1, true, {{(1 + 23 - 9) / 2, (1 + 19 - 7) / 2, 1}}},
        {15, 1, true, {{7, 6, 1}}},
        {16, 1, true, {{(1 + 23 - 18) / 2, (1 + 19 - 14) / 2, 2}}},
        {8, 1, false, {}},
        {8, 0, true, {}},  // only menus show it
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fontSize);
        window.fontSize = c.fontSize;
        recording.marks.clear();
        // No image: the item's glyph place shows the check mark.
        TRect glyphRect;
        recording.DrawButtonContent(&control, s.dc, Rect(0, 0, 24, 20), TRect{}, glyphRect, c.paintKind, 1, 0, false,
                                    false, c.down, false, false, false, false, false, false);
        EXPECT_EQ(recording.marks, c.expected);
    }
}

TEST_F(BarButtonPainter, LargeGlyphsArePlacedByTheirLayout) {
    const TRect area = Rect(10, 20, 70, 80);  // 60 x 60
    const TSize glyph{32, 32};
    struct Case {
        TdxBarGlyphLayout layout;
        int paintKind;
        TPoint topLeft;
    } cases[] = {
        {glLeft, 0, {14, 34}},   {glRight, 0, {34, 34}},  {glTop, 0, {24, 22}},  {glBottom, 0, {24, 46}},
        {glLeft, 2, {24, 24}},   {glRight, 2, {24, 44}},  {glTop, 2, {36, 34}},  {glBottom, 2, {12, 34}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << int(c.layout) << " kind " << c.paintKind);
        TRect r;
        painter->CalcLargeGlyphRect(&control, glyph, area, c.paintKind, 3, c.layout, r);
        EXPECT_EQ(r, Rect(c.topLeft.x, c.topLeft.y, c.topLeft.x + 32, c.topLeft.y + 32));
    }
    // Without a caption the glyph stays centred.
    TRect centred;
    painter->CalcLargeGlyphRect(&control, glyph, area, 0, 1, glRight, centred);
    EXPECT_EQ(centred, Rect(24, 34, 56, 66));

    // The caption beside a right glyph is right-aligned and ends 3 pixels before it.
    TdxBarButtonLikeControlDrawParams params(&control);
    params.SetDisplaySize(2);
    params.viewStructure = 3;
    control.layout = glRight;
    TRect text = area;
    int align = -1;
    painter->CalcButtonTextRect(&params, text, Rect(34, 34, 66, 66), align);
    EXPECT_EQ(align, 2);
    EXPECT_EQ(text.right, 31);
    control.layout = glTop;
    text = area;
    painter->CalcButtonTextRect(&params, text, Rect(24, 22, 56, 54), align);
    EXPECT_EQ(align, 1);
    EXPECT_EQ(text.top, 54);
}

TEST_F(BarButtonPainter, DownAndPressedMoveTheContentExceptInFlatStyles) {
    class TFlatLikePainter : public TdxBarPainter {
    public:
        using TdxBarPainter::TdxBarPainter;
        bool IsFlatStyle() const override { return true; }
    } flat(nullptr);
    struct Case {
        bool down, pressed;
        int base, flatShift;
    } cases[] = {{false, false, 0, 0}, {true, false, 1, 0}, {false, true, 1, 0}, {true, true, 2, 0}};
    for (const Case& c : cases) {
        TRect r = Rect(0, 0, 10, 10), f = r;
        painter->CalcPressedShift(c.down, c.pressed, r);
        flat.CalcPressedShift(c.down, c.pressed, f);
        EXPECT_EQ(r.left, c.base);
        EXPECT_EQ(r.top, c.base);
        EXPECT_EQ(f.left, c.flatShift);
    }

    // A whole caption-only button drawn down and pressed: its caption two pixels down and right.
    auto captionBounds = [&](bool down, bool pressed) {
        TPainterTestCanvas surface(80, 22);
        TdxBarButtonLikeControlDrawParams params(&control);
        params.canvas = &surface.canvas;
        params.caption = L"Open";
        params.viewStructure = 2;
        params.enabled = true;
        params.down = down;
        params.pressed = pressed;
        painter->DrawButtonControl(&params, Rect(0, 0, 80, 22));
        return surface.BoundsOf(GetSysColor(COLOR_BTNTEXT));
    };
    RECT normal = captionBounds(false, false), both = captionBounds(true, true);
    ASSERT_LT(normal.left, normal.right);
    EXPECT_EQ(both.left, normal.left + 2);
    EXPECT_EQ(both.top, normal.top + 2);
    // The caption starts after the caption indent (half the window's font size).
    RECT alone = captionBounds(false, false);
    EXPECT_GE(alone.left, window.fontSize / 2);
}

TEST_F(BarButtonPainter, ASmallGlyphSitsInTheButtonSquareAndTheCaptionFollows) {
    TImageList images(nullptr);
    images.SetSize(16, 16);
    TBitmap glyph;
    glyph.SetSize(16, 16);
    glyph.Canvas()->Brush()->SetColor(clLime);
    glyph.Canvas()->FillRect(TRect{0, 0, 16, 16});
    images.Add(&glyph, nullptr);
    control.images = &images;
    control.imageIndex = 0;
    control.brush = HBRUSH(GetStockObject(WHITE_BRUSH));

    TPainterTestCanvas surface(100, 22);
    HDC dc = surface.dc;
    TdxBarButtonLikeControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.caption = L"Open";
    params.viewStructure = 3;
    params.enabled = true;
    painter->CalcButtonSize(16, 0, params.buttonSize);
    EXPECT_EQ(params.buttonSize.cx, 23);
    EXPECT_EQ(params.buttonSize.cy, 22);
    control.DrawParams()->buttonSize = params.buttonSize;  // the control's own parameters in a real bar
    painter->DrawButtonControl(&params, Rect(0, 0, 100, 22));

    // Centred in the 23 x 22 square at the start: (3, 3) to (19, 19).
    EXPECT_EQ(control.imageBounds, Rect(3, 3, 19, 19));
    EXPECT_EQ(GetPixel(dc, 3, 3), RGB(0, 255, 0));
    EXPECT_EQ(GetPixel(dc, 18, 18), RGB(0, 255, 0));
    EXPECT_NE(GetPixel(dc, 19, 10), RGB(0, 255, 0));
    // The caption starts after the square.
    int firstInk = 100;
    for (int x = 0; x < 100 && firstInk == 100; ++x)
        for (int y = 0; y < 22; ++y)
            if (GetPixel(dc, x, y) == GetSysColor(COLOR_BTNTEXT)) {
                firstInk = x;
                break;
            }
    EXPECT_GE(firstInk, 23);
    EXPECT_LT(firstInk, 100);
}

TEST_F(BarButtonPainter, ASplitButtonDrawsItsArrowInItsDropDownPart) {
    TPainterTestCanvas surface(60, 22);
    control.brush = HBRUSH(GetStockObject(WHITE_BRUSH));
    control.parts[1] = Rect(49, 0, 60, 22);
    TdxBarButtonLikeControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.enabled = true;
    params.isDropDown = params.isButton = true;
    params.arrowWidth = 11;
    auto arrowInk = [&](bool droppedDown) {
        surface.Clear();
        params.droppedDown = droppedDown;
        painter->DrawButtonControl(&params, Rect(0, 0, 60, 22));
        return surface.BoundsOf(GetSysColor(COLOR_BTNTEXT));
    };
    RECT closed = arrowInk(false);
    ASSERT_LT(closed.left, closed.right) << "an arrow is drawn";
    EXPECT_GE(closed.left, 49);
    EXPECT_EQ(closed.right - closed.left, 5) << "the small arrow is 5 wide";
    RECT open = arrowInk(true);
    EXPECT_EQ(open.left, closed.left + 1) << "an open drop-down moves the arrow";
    EXPECT_EQ(open.top, closed.top + 1);

    TRect parts[2];
    painter->CalcDropDownArrowRect(&params, parts, 1, Rect(0, 0, 60, 22));
    EXPECT_EQ(parts[0], Rect(0, 0, 49, 22));
    EXPECT_EQ(parts[1], Rect(49, 0, 60, 22));
}

TEST_F(BarButtonPainter, ASubItemsArrowSitsAtItsEndAndPointsByPaintKind) {
    struct Case {
        const char* name;
        int paintKind;
        TRect rect, arrowArea;  // the area the arrow is centred in: text size and font height
        bool pointsDown;
    } cases[] = {
        {"horizontal bar", 0, Rect(0, 0, 40, 22), Rect(40 - 16 / 2 + (-11) / 2, 0, 40, 22), true},
        {"menu", 1, Rect(0, 0, 40, 22), Rect(40 - 16 + 5, 0, 40, 22), false},
        {"vertical bar", 2, Rect(0, 0, 22, 40), Rect(0, 40 - 16 / 2 + (-11) / 2, 22, 40), false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TPainterTestCanvas surface(RectWidth(c.rect), RectHeight(c.rect));
        TdxBarButtonLikeControlDrawParams params(&control);
        params.canvas = &surface.canvas;
        params.paintKind = Byte(c.paintKind);
        params.enabled = true;
        params.arrowHeight = 5;
        painter->DrawWholeButtonArrow(&params, c.rect);
        RECT ink = surface.BoundsOf(GetSysColor(COLOR_BTNTEXT));
        ASSERT_LT(ink.left, ink.right);
        EXPECT_GE(ink.left, c.arrowArea.left);
        EXPECT_GE(ink.top, c.arrowArea.top);
        EXPECT_LE(std::abs((ink.left + ink.right) - (c.arrowArea.left + c.arrowArea.right)), 1) << "centred";
        EXPECT_EQ(ink.right - ink.left > ink.bottom - ink.top, c.pointsDown);

        // An open sub menu moves the arrow on bars, not in menus.
        surface.Clear();
        params.droppedDown = true;
        painter->DrawWholeButtonArrow(&params, c.rect);
        RECT open = surface.BoundsOf(GetSysColor(COLOR_BTNTEXT));
        EXPECT_EQ(open.left - ink.left, c.paintKind == 1 ? 0 : 1);
    }
}

TEST_F(BarButtonPainter, AnItemFrameIsARingOfTheBackgroundOrOfTheBrush) {
    window.bkBrush = CreateSolidBrush(RGB(0, 128, 0));
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    for (bool simple : {false, true}) {
        SCOPED_TRACE(simple);
        TPainterTestSurface s(10, 10);
        painter->DrawItemFrame(&control, s.dc, Rect(0, 0, 10, 10), simple ? red : window.bkBrush, simple);
        COLORREF ring = simple ? RGB(255, 0, 0) : RGB(0, 128, 0);
        EXPECT_EQ(s.Row(0, ring), "##########");
        EXPECT_EQ(s.Row(5, ring), "#........#");
        EXPECT_EQ(s.Row(9, ring), "##########");
    }
    DeleteObject(red);
    DeleteObject(window.bkBrush);
}

class BarButtonPainterMetrics : public BarTest {};

TEST_F(BarButtonPainterMetrics, DropDownArrowWidthsAreOdd) {
    auto painter = NewBasePainter();
    struct Case {
        int width;
        bool large;
        int expected;
    } cases[] = {{11, false, 11}, {10, false, 11}, {10, true, 21}, {11, true, 23}, {8, false, 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.width);
        manager->SetButtonArrowWidth(c.width);
        manager->SetLargeIcons(c.large);
        EXPECT_EQ(painter->GetDropDownArrowWidth(manager), c.expected);
    }
    TSize size;
    painter->CalcButtonSize(16, 13, size);
    EXPECT_EQ(size.cx, 23);
    EXPECT_EQ(size.cy, 22);
    painter->CalcButtonSize(32, 13, size);
    EXPECT_EQ(size.cx, 39);
    EXPECT_EQ(size.cy, 38);
}

}  // namespace
