// The base painter's menus: metrics, borders, item text, separators, scroll and expand buttons,
// read back from memory bitmaps. Text expectations are measured in the test: the fonts here are
// not the ones of other systems.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

#include "BarPainterFakes.h"
#include "Bitmap.h"
#include "Font.h"
#include "StringList.h"
#include "SysUtils.h"
#include "cxGraphics.h"
#include "cxTextMeasuring.h"

namespace {

COLORREF Sys(int index) { return GetSysColor(index); }

// A background no system colour of the test has (the highlight is white here).
const COLORREF paper = RGB(0, 128, 0);

void Paint(HDC dc, int width, int height, COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, width, height};
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

// A menu window with the answers a menu gives the painter.
class TFakeMenuWindow : public TFakeBarWindow {
public:
    TFakeMenuWindow() {
        dockingStyle = dsNone;
        kind = 1;
    }
    TcxCanvas* paintCanvas = nullptr;
    HBRUSH menuBrush = HBRUSH(INT_PTR(COLOR_BTNFACE + 1));
    HBRUSH lightBrush = HBRUSH(INT_PTR(COLOR_3DLIGHT + 1));
    int sideBar = 0, beginGroup = 10, expandArrow = 4, expandHeight = 14, detachState = 0;
    bool detachable = false;
    TRect detachRect{};
    TdxBarItemControl *first = nullptr, *last = nullptr;

    TcxCanvas* PaintCanvas() const override { return paintCanvas; }
    int SideBarWidth() const override { return sideBar; }
    HBRUSH MenuBkBrush() const override { return menuBrush; }
    HBRUSH LightBrush() const override { return lightBrush; }
    int BeginGroupSize() const override { return beginGroup; }
    bool IsDetachable() const override { return detachable; }
    TRect DetachCaptionRect() const override { return detachRect; }
    int DetachCaptionState() const override { return detachState; }
    TdxBarItemControl* FirstVisibleItemControl() const override { return first; }
    TdxBarItemControl* LastVisibleItemControl() const override { return last; }
    int ExpandArrowSize() const override { return expandArrow; }
    int ExpandButtonHeight() const override { return expandHeight; }
};

class TFakeMenuItemControl : public TFakeItemControl {
public:
    using TFakeItemControl::TFakeItemControl;
    bool startsChange = false, description = false, shortCut = false;
    bool StartsRecentChange() const override { return startsChange; }
    bool ShowsDescription() const override { return description; }
    bool ShowsShortCut() const override { return shortCut; }
};

// A solid brush freed with the test.
struct TSolidBrush {
    HBRUSH handle;
    explicit TSolidBrush(COLORREF color) : handle(CreateSolidBrush(color)) {}
    ~TSolidBrush() { DeleteObject(handle); }
};

void UseTestFont(TcxCanvas& canvas, bool bold = false) {
    TFont* font = canvas.GetCanvasFont();
    font->SetName(L"Tahoma");
    font->SetHeight(-13);
    font->SetColor(clBlack);
    font->SetStyle(bold ? TFontStyles{fsBold} : TFontStyles{});
}

// The DC of a canvas to draw the expected text on, as the painter draws enabled menu text.
HDC TextReferenceDC(TPainterTestCanvas& reference, bool bold = false) {
    UseTestFont(reference.canvas, bold);
    reference.canvas.RequireTools(true, false);
    HDC dc = reference.canvas.GetCanvasHandle();
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, Sys(COLOR_BTNTEXT));
    return dc;
}

// The rectangle's pixels of two canvases differ nowhere.
::testing::AssertionResult SamePixels(const TPainterTestCanvas& a, const TPainterTestCanvas& b) {
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            if (a.Pixel(x, y) != b.Pixel(x, y))
                return ::testing::AssertionFailure() << "first difference at (" << x << ", " << y << ")";
    return ::testing::AssertionSuccess();
}

class BarMenuPainter : public ::testing::Test {
protected:
    std::unique_ptr<TdxBarPainter> painter = NewBasePainter();
    TFakeMenuWindow menu;
    TFakeMenuItemControl control{&menu};
    TdxBarButtonLikeControlDrawParams params{&control};

    // The item's text drawn by the painter on the canvas in the test font.
    void DrawMenuText(TPainterTestCanvas& drawn, const TRect& rect) {
        UseTestFont(drawn.canvas);
        params.canvas = &drawn.canvas;
        params.enabled = true;
        painter->DrawMenuItemText(&params, rect);
    }
};

// ---- metrics -----------------------------------------------------------------------------

TEST_F(BarMenuPainter, ArrowAndScrollMetricsFollowTheTextSize) {
    EXPECT_EQ(10, painter->CalcMenuArrowWidth(13));
    EXPECT_EQ(13, painter->CalcMenuArrowWidth(16));
    EXPECT_EQ(6, painter->CalcMenuArrowIndent(19));
    int size = 0, remainder = 0;
    painter->CalcScrollArrowSize(16, size, remainder);
    EXPECT_EQ(std::make_pair(4, 1), std::make_pair(size, remainder));
    // Half the text size made odd, plus 3.
    menu.textSize = 16;
    EXPECT_EQ(12, painter->GetDetachCaptionHeight(&menu));
    menu.textSize = 18;
    EXPECT_EQ(12, painter->GetDetachCaptionHeight(&menu));
}

TEST_F(BarMenuPainter, ExpandButtonHeightKeepsTheArrowIndentEven) {
    // (height of "0", expected height): 13 -> 14 (indent 4); 15 -> 16 has indent 5 -> 14;
    // 14 -> 15 (indent 4).
    for (auto [zeroHeight, expected] : {std::pair{13, 14}, std::pair{15, 14}, std::pair{14, 15}}) {
        TPainterTestCanvas surface(10, 10);
        TFont* font = surface.canvas.GetCanvasFont();
        font->SetName(L"Tahoma");
        font->SetHeight(zeroHeight);
        ASSERT_EQ(zeroHeight, surface.canvas.HeightOfText(L"0")) << "a cell height of " << zeroHeight;
        int arrowWidth = 0, height = 0;
        painter->CalcExpandButtonMetrics(&surface.canvas, 16, arrowWidth, height);
        EXPECT_EQ(13, arrowWidth);
        EXPECT_EQ(expected, height) << "\"0\" " << zeroHeight << " high";
    }
}

TEST_F(BarMenuPainter, BeginGroupStripSitsAboveTheItemAndOnePixelHigherAtTheNonRecentBand) {
    const TRect item = Rect(2, 40, 90, 59);
    TRect strip;
    painter->CalcBeginGroupRect(&menu, &control, item, strip);
    EXPECT_EQ(Rect(2, 30, 90, 40), strip);
    control.nonRecent = control.startsChange = true;
    painter->CalcBeginGroupRect(&menu, &control, item, strip);
    EXPECT_EQ(Rect(2, 29, 90, 39), strip);
    control.nonRecent = false;  // a recent run after the band: no pixel taken
    painter->CalcBeginGroupRect(&menu, &control, item, strip);
    EXPECT_EQ(Rect(2, 30, 90, 40), strip);
}

// ---- borders -----------------------------------------------------------------------------

TEST_F(BarMenuPainter, BorderHasAFaceColouredTopLeftAndARaisedBottomRight) {
    TPainterTestSurface s(20, 30);
    Paint(s.dc, 20, 30, paper);
    painter->DrawMenuBorder(&menu, s.dc, Rect(0, 0, 20, 30));
    const COLORREF face = Sys(COLOR_BTNFACE), dark = Sys(COLOR_3DDKSHADOW);
    ASSERT_NE(face, dark);
    EXPECT_EQ(std::string(29, '#') + ".", s.Column(0, face));
    EXPECT_EQ(std::string(19, '#') + ".", s.Row(0, face));
    EXPECT_EQ(std::string(30, '#'), s.Column(19, dark));
    EXPECT_EQ(std::string(20, '#'), s.Row(29, dark));
    // Nothing inside.
    EXPECT_EQ(paper, s.Pixel(1, 1));
    EXPECT_EQ(paper, s.Pixel(18, 28));
}

TEST_F(BarMenuPainter, DetachableBorderFramesTheDetachCaptionInItsStateColour) {
    menu.detachable = true;
    menu.textSize = 16;  // caption height 12
    menu.detachRect = Rect(5, 5, 35, 13);
    for (int state : {0, 1}) {
        menu.detachState = state;
        TPainterTestSurface s(40, 40);
        Paint(s.dc, 40, 40, paper);
        painter->DrawMenuBorder(&menu, s.dc, Rect(0, 0, 40, 40));
        const COLORREF caption = Sys(state == 1 ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
        EXPECT_EQ(caption, s.Pixel(20, 8)) << "state " << state;
        EXPECT_EQ(caption, s.Pixel(5, 5));
        EXPECT_EQ(caption, s.Pixel(34, 12));
        // The inner raised edge: highlight on the left and top, shadow on the right, open below.
        EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), s.Pixel(1, 20));
        EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), s.Pixel(20, 1));
        EXPECT_EQ(Sys(COLOR_BTNSHADOW), s.Pixel(38, 20));
        EXPECT_EQ(paper, s.Pixel(20, 38));
        // The frame of the caption strip: rows 2 and 12 (2 + 12 - 1 - 1), columns 2 and 37.
        EXPECT_EQ(Sys(COLOR_BTNFACE), s.Pixel(20, 2));
        EXPECT_EQ(Sys(COLOR_BTNFACE), s.Pixel(3, 12));
        EXPECT_EQ(Sys(COLOR_BTNFACE), s.Pixel(2, 8));
        EXPECT_EQ(Sys(COLOR_BTNFACE), s.Pixel(37, 8));
        EXPECT_EQ(paper, s.Pixel(20, 14));
    }
}

TEST_F(BarMenuPainter, InnerBorderOfADetachableMenuStartsTwoPixelsHigher) {
    TSolidBrush brush(RGB(0, 0, 255));
    for (bool detachable : {false, true}) {
        menu.detachable = detachable;
        TPainterTestSurface s(30, 30);
        Paint(s.dc, 30, 30, paper);
        painter->DrawMenuInnerBorder(&menu, s.dc, Rect(4, 6, 26, 26), brush.handle);
        int top = detachable ? 4 : 6;
        EXPECT_EQ(Rect(5, top + 1, 25, 25), s.BoundsOf(RGB(0, 0, 255))) << detachable;
        EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), s.Pixel(15, top)) << detachable;
    }
}

// ---- separators --------------------------------------------------------------------------

TEST_F(BarMenuPainter, SeparatorBackgroundWidensIntoTheNonRecentBand) {
    const COLORREF menuColor = RGB(0, 0, 255), windowColor = RGB(0, 255, 0);
    TSolidBrush menuBrush(menuColor), windowBrush(windowColor);
    menu.menuBrush = menuBrush.handle;
    menu.bkBrush = windowBrush.handle;
    const TRect rect = Rect(10, 5, 50, 15);
    struct Case {
        bool nonRecent, startsChange;
        int sideBar;
        COLORREF color;
        TRect filled;
    } cases[] = {
        {false, false, 0, menuColor, Rect(10, 5, 50, 15)},
        {true, false, 0, menuColor, Rect(9, 5, 52, 15)},
        {true, false, 20, menuColor, Rect(10, 5, 52, 15)},
        {true, true, 0, windowColor, Rect(10, 5, 50, 15)},
    };
    for (const Case& c : cases) {
        control.nonRecent = c.nonRecent;
        control.startsChange = c.startsChange;
        menu.sideBar = c.sideBar;
        TPainterTestCanvas s(60, 20);
        painter->DrawItemSeparator(&menu, &control, &s.canvas, rect);
        SCOPED_TRACE(::testing::Message() << "non-recent " << c.nonRecent << ", change " << c.startsChange
                                          << ", side bar " << c.sideBar);
        RECT painted = s.BoundsOf(c.color);
        // The etched line (rows 9 and 10) is drawn over the background.
        EXPECT_EQ(c.filled, painted);
        EXPECT_EQ(Sys(COLOR_BTNSHADOW), s.Pixel(30, 9));
        EXPECT_EQ(Sys(COLOR_BTNHIGHLIGHT), s.Pixel(30, 10));
        EXPECT_EQ(c.color, s.Pixel(30, 8));
        EXPECT_EQ(c.color, s.Pixel(30, 11));
    }
}

// ---- item text ---------------------------------------------------------------------------

TEST_F(BarMenuPainter, ShortcutIsRightAlignedBeforeTheSubMenuArrowRoom) {
    menu.textSize = 16;
    control.shortCut = true;
    params.caption = L"Open";
    params.shortCutText = L"Ctrl+O";
    const TRect rect = Rect(0, 0, 150, 20);
    TPainterTestCanvas drawn(150, 20);
    DrawMenuText(drawn, rect);

    TPainterTestCanvas expected(150, 20);
    HDC dc = TextReferenceDC(expected);
    RECT caption = rect, shortCut = Rect(0, 0, 150 - 16 - 5, 20);
    DrawTextW(dc, L"Open", -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    DrawTextW(dc, L"Ctrl+O", -1, &shortCut, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    EXPECT_TRUE(SamePixels(drawn, expected));
}

TEST_F(BarMenuPainter, DescribedItemHasABoldCaptionAboveTwoDescriptionLines) {
    menu.textSize = 16;
    control.description = true;
    params.caption = L"Export";
    params.description = L"Writes the level to a file other tools read and keeps every layer apart";
    const TRect rect = Rect(0, 0, 160, 60);
    TPainterTestCanvas drawn(160, 60);
    DrawMenuText(drawn, rect);
    // The canvas font is left as it was.
    EXPECT_FALSE(drawn.canvas.GetCanvasFont()->Style().Contains(fsBold));

    const int h = drawn.canvas.HeightOfText(L"Wg");
    const int a = (60 - 3 * h) / 4;
    const int descriptionTop = 60 - 2 * a - 2 * h;
    ASSERT_GT(descriptionTop, h / 2);

    // The caption band matches a bold caption centred above the description.
    TPainterTestCanvas caption(160, 60);
    HDC dc = TextReferenceDC(caption, true);
    RECT c = Rect(0, 0, 160, descriptionTop);
    DrawTextW(dc, L"Export", -1, &c, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    for (int y = 0; y < descriptionTop; ++y)
        for (int x = 0; x < 160; ++x) ASSERT_EQ(caption.Pixel(x, y), drawn.Pixel(x, y)) << x << ", " << y;

    // Two lines of description, within its rectangle (ending the text size before the right).
    const COLORREF ink = Sys(COLOR_BTNTEXT);
    auto rowsInked = [&](int from, int to) {
        for (int y = from; y < to; ++y)
            for (int x = 0; x < 160; ++x)
                if (drawn.Pixel(x, y) == ink) return true;
        return false;
    };
    EXPECT_TRUE(rowsInked(descriptionTop, descriptionTop + h));
    EXPECT_TRUE(rowsInked(descriptionTop + h, std::min(60, descriptionTop + 2 * h)));
    RECT description = BoundsOfColor(drawn.dc, 160, 60, ink);
    EXPECT_LE(description.right, 160 - 16);
}

TEST_F(BarMenuPainter, WrappedTextPutsAllTheRestOnTheLastLineCutWithAnEllipsis) {
    const String text = L"Writes the level to a file other tools read and keeps every layer apart";
    const TRect rect = Rect(0, 0, 100, 40);
    params.enabled = true;
    TPainterTestCanvas drawn(100, 40);
    UseTestFont(drawn.canvas);
    params.canvas = &drawn.canvas;
    painter->DrawWrappedItemText(&params, text, rect, 0, 2);

    TStringList lines;
    WrapTextToLines(text, &drawn.canvas, rect, &lines);
    ASSERT_GT(lines.Count(), 2) << "the text must need more than two lines";
    const String first = lines[0];
    const String rest = Trim(text.substr(text.find(first) + first.length()));
    const int h = drawn.canvas.HeightOfText(L"Wg");

    TPainterTestCanvas expected(100, 40);
    HDC dc = TextReferenceDC(expected);
    RECT line1 = rect, line2 = Rect(0, h, 100, 40);
    DrawTextW(dc, first.c_str(), -1, &line1, DT_LEFT | DT_END_ELLIPSIS);
    DrawTextW(dc, rest.c_str(), -1, &line2, DT_LEFT | DT_END_ELLIPSIS);
    EXPECT_TRUE(SamePixels(drawn, expected));
}

TEST_F(BarMenuPainter, TextOffsetCountsTheOwnersSideBarAndTheGlyphColumn) {
    menu.iconAreaWidth = 24;
    EXPECT_EQ(24, painter->GetMenuTextOffset(&menu));
    menu.sideBar = 20;
    EXPECT_EQ(44, painter->GetMenuTextOffset(&menu));
}

class TCheckRecordingPainter : public TdxBarPainter {
public:
    using TdxBarPainter::TdxBarPainter;
    mutable std::vector<std::tuple<int, int, int>> marks;
    void DrawCheckMark(C*, HDC, int x, int y, int size) const override { marks.emplace_back(x, y, size); }
};

TEST_F(BarMenuPainter, MenuItemPutsTheCheckMarkInTheGlyphColumnAndTheCaptionAfterIt) {
    TCheckRecordingPainter recording(nullptr);
    menu.iconAreaWidth = 24;
    menu.fontSize = 8;
    params.enabled = true;
    params.down = true;
    params.viewStructure = 2;  // text only: a down item shows the check mark
    params.caption = L"Grid";
    TPainterTestCanvas drawn(120, 20);
    UseTestFont(drawn.canvas);
    params.canvas = &drawn.canvas;
    recording.DrawMenuButtonItem(&params, Rect(0, 0, 120, 20));
    ASSERT_EQ(1u, recording.marks.size());
    // 9 x 7 centred in the 24 x 20 column less its one-pixel margin.
    EXPECT_EQ(std::make_tuple((1 + 23 - 9) / 2, (1 + 19 - 7) / 2, 1), recording.marks[0]);
    RECT ink = drawn.BoundsOf(Sys(COLOR_BTNTEXT));
    EXPECT_GE(ink.left, 24 + 3);
    EXPECT_LE(ink.left, 24 + 3 + 2);
}

// ---- scroll buttons ----------------------------------------------------------------------

TEST_F(BarMenuPainter, ScrollButtonsShowATriangleOfWholePixelRows) {
    menu.textSize = 16;  // arrow size 4: rows 1, 3, 5, 7 wide
    menu.client = Rect(0, 0, 40, 60);
    const COLORREF text = Sys(COLOR_BTNTEXT);
    for (bool bottom : {false, true}) {
        TPainterTestCanvas s(40, 60);
        painter->DrawScrollButton(&menu, &s.canvas, bottom);
        TRect button;
        painter->GetScrollButtonRect(&menu, bottom, button);
        EXPECT_EQ(bottom ? Rect(1, 43, 39, 59) : Rect(1, 1, 39, 17), button);
        RECT arrow = s.BoundsOf(text);
        ASSERT_EQ(7, arrow.right - arrow.left) << bottom;
        ASSERT_EQ(4, arrow.bottom - arrow.top) << bottom;
        EXPECT_EQ(button.left + (RectWidth(button) - 7) / 2, arrow.left);
        for (int row = 0; row < 4; ++row) {
            int width = bottom ? 7 - 2 * row : 1 + 2 * row;
            std::string expected(40, '.');
            for (int x = 0; x < width; ++x) expected[arrow.left + (7 - width) / 2 + x] = '#';
            std::string shown;
            for (int x = 0; x < 40; ++x) shown += s.Pixel(x, arrow.top + row) == text ? '#' : '.';
            EXPECT_EQ(expected, shown) << (bottom ? "down" : "up") << " row " << row;
        }
        // The arrow lies within the button, vertically centred give or take a pixel.
        EXPECT_LE(std::abs((arrow.top + arrow.bottom) - (button.top + button.bottom)), 2);
    }
}

TEST_F(BarMenuPainter, BottomScrollButtonKeepsTheEdgeOfTheNonRecentBand) {
    const COLORREF back = RGB(0, 0, 255);
    TSolidBrush brush(back);
    menu.menuBrush = brush.handle;
    menu.textSize = 16;
    menu.client = Rect(0, 0, 40, 60);
    control.bounds = Rect(1, 40, 39, 59);
    menu.last = &control;
    struct Case {
        bool startsChange, nonRecent;
        int lineColor;  // -1: no line
    } cases[] = {{true, true, COLOR_BTNSHADOW}, {true, false, COLOR_BTNHIGHLIGHT}, {false, true, -1}};
    for (const Case& c : cases) {
        control.startsChange = c.startsChange;
        control.nonRecent = c.nonRecent;
        TPainterTestCanvas s(40, 60);
        Paint(s.dc, 40, 60, paper);
        painter->DrawScrollButton(&menu, &s.canvas, true);
        SCOPED_TRACE(::testing::Message() << "change " << c.startsChange << ", non-recent " << c.nonRecent);
        if (c.lineColor >= 0) {
            // One pixel wider than the item on both sides, kept by the background fill after it.
            EXPECT_EQ(Rect(0, 40, 40, 41), s.BoundsOf(Sys(c.lineColor)));
            EXPECT_EQ(Rect(1, 41, 39, 59), s.BoundsOf(back));
        } else {
            EXPECT_EQ(Rect(1, 40, 39, 59), s.BoundsOf(back));
        }
        // The arrow survives the item's background.
        RECT arrow = s.BoundsOf(Sys(COLOR_BTNTEXT));
        EXPECT_FALSE(IsRectEmpty(&arrow));
    }
}

// ---- the expand button -------------------------------------------------------------------

TEST_F(BarMenuPainter, ExpandButtonContentIsADoubleChevron) {
    menu.expandArrow = 4;
    menu.expandHeight = 14;
    TPainterTestSurface s(12, 14);
    painter->DrawExpandButtonContent(&menu, s.dc, Rect(0, 0, 12, 14), false);
    const COLORREF text = Sys(COLOR_BTNTEXT);
    const char* picture[] = {
        "............", "............", "............",
        "...#...#....", "...##.##....", "....###.....", ".....#......",
        "...#...#....", "...##.##....", "....###.....", ".....#......",
        "............", "............", "............",
    };
    for (int y = 0; y < 14; ++y) EXPECT_EQ(picture[y], s.Row(y, text)) << "row " << y;
}

TEST_F(BarMenuPainter, ExpandButtonIsCopiedIntoTheMenuAndTakenOutOfItsClip) {
    menu.expandArrow = 4;
    menu.expandHeight = 14;
    const COLORREF light = RGB(0, 255, 255);
    TSolidBrush lightBrush(light);
    menu.lightBrush = lightBrush.handle;
    for (bool selected : {false, true}) {
        TPainterTestCanvas target(40, 30);
        Paint(target.dc, 40, 30, paper);
        menu.paintCanvas = &target.canvas;
        const TRect rect = Rect(10, 8, 22, 22);
        painter->DrawExpandButton(&menu, rect, selected);
        SCOPED_TRACE(selected ? "selected" : "normal");
        // The chevrons as drawn alone, moved to the button.
        TPainterTestSurface alone(12, 14);
        painter->DrawExpandButtonContent(&menu, alone.dc, Rect(0, 0, 12, 14), selected);
        for (int y = 0; y < 14; ++y)
            for (int x = 0; x < 12; ++x)
                if (alone.Pixel(x, y) == Sys(COLOR_BTNTEXT))
                    EXPECT_EQ(Sys(COLOR_BTNTEXT), target.Pixel(10 + x, 8 + y)) << x << ", " << y;
        EXPECT_EQ(selected ? light : Sys(COLOR_BTNFACE), target.Pixel(12, 10));
        EXPECT_EQ(selected ? Sys(COLOR_BTNHIGHLIGHT) : Sys(COLOR_BTNFACE), target.Pixel(10, 8));
        EXPECT_EQ(paper, target.Pixel(9, 8));
        // Later fills of the menu leave the button alone.
        TSolidBrush red(RGB(255, 0, 0));
        RECT all{0, 0, 40, 30};
        FillRect(target.canvas.GetCanvasHandle(), &all, red.handle);
        EXPECT_NE(RGB(255, 0, 0), target.Pixel(15, 15));
        EXPECT_EQ(RGB(255, 0, 0), target.Pixel(5, 5));
        menu.paintCanvas = nullptr;
    }
}

TEST_F(BarMenuPainter, TheNeutralLookPaintsMenuItemsAndComboButtons) {
    // Items: the item's own background, highlighted while hot; never left unpainted.
    for (bool hot : {false, true}) {
        TPainterTestCanvas drawn(40, 20);
        RECT all{0, 0, 40, 20};
        FillRect(drawn.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
        params.canvas = &drawn.canvas;
        params.drawSelected = hot;
        painter->DrawMenuItemBk(&params, Rect(0, 0, 40, 20));
        EXPECT_EQ(drawn.Pixel(20, 10), Sys(hot ? COLOR_HIGHLIGHT : COLOR_BTNFACE)) << hot;
    }
    // A combo button: its face in the edit button brush, the arrow on it.
    TPainterTestCanvas drawn(13, 20);
    RECT all{0, 0, 13, 20};
    FillRect(drawn.dc, &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    params.canvas = &drawn.canvas;
    params.drawSelected = false;
    params.enabled = true;
    painter->DrawComboButton(&params, Rect(0, 0, 13, 20), 0);
    EXPECT_EQ(drawn.Pixel(1, 1), Sys(COLOR_BTNFACE));
    EXPECT_EQ(drawn.Pixel(11, 18), Sys(COLOR_BTNFACE));
}

}  // namespace
