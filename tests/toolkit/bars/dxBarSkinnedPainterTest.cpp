// The skinned painter through a recording skin: every part it asks for is recorded with its
// state and rectangle, and filled in a colour of its own so the pixels show what went where.

#include <gtest/gtest.h>

#include <vector>

#include "BarPainterFakes.h"
#include "StylePainterTestSupport.h"
#include "cxTextMeasuring.h"
#include "dxBarSkinnedPainter.h"
#include "dxSkinsdxBarPainter.h"

namespace {

// The colour a part has in a state: never white, distinct for every part and state used here.
COLORREF SkinColor(int part, int state) { return RGB(part % 256, (part / 256) * 16 + state, 100 + state); }

std::string SkinnedTestRow(const TPainterTestCanvas& s, int y, COLORREF color) {
    std::string text;
    for (int x = 0; x < s.width; ++x) text += s.Pixel(x, y) == color ? '#' : '.';
    return text;
}
std::string SkinnedTestColumn(const TPainterTestCanvas& s, int x, COLORREF color) {
    std::string text;
    for (int y = 0; y < s.height; ++y) text += s.Pixel(x, y) == color ? '#' : '.';
    return text;
}

struct TSkinCall {
    int part, state;
    TRect rect;
    bool operator==(const TSkinCall& o) const { return part == o.part && state == o.state && o.rect == rect; }
};
void PrintTo(const TSkinCall& c, std::ostream* os) {
    *os << "part " << c.part << " state " << c.state << " ";
    ::PrintTo(c.rect, os);
}

class TRecordingSkin : public TObject, public IdxSkin {
public:
    String name;
    TRect contentOffsets = Rect(1, 2, 3, 4);
    int offset = 5;
    std::vector<TSkinCall> calls;

    void DrawSkinPart(HDC dc, const TRect& r, int part, int state) override {
        calls.push_back({part, state, r});
        if (IsRectEmpty(&r)) return;
        HBRUSH brush = CreateSolidBrush(SkinColor(part, state));
        FillRect(dc, &r, brush);
        DeleteObject(brush);
    }
    void DrawSkinPartCaption(HDC dc, const String&, const TRect& r, int part, int state) override {
        calls.push_back({-part, state, r});
    }
    void CalcSkinCaptionRect(const TRect& r, int, TRect& captionRect) override {
        captionRect = Rect(r.left + 3, r.top + 2, r.right - 3, r.top + 16);
    }
    void GetSkinPartContentOffsets(int part, TRect& offsets) override {
        offsets = part == TdxBarSkinnedPainter::spButton ? buttonOffsets : contentOffsets;
    }
    void GetSkinName(String& result) override { result = name; }
    TColor GetSkinPartColor(int part, int state) override { return TColor(SkinColor(part, state)); }
    int GetSkinPartOffset(int) override { return offset; }

    TRect buttonOffsets = Rect(3, 3, 3, 3);
    std::vector<int> Parts() const {
        std::vector<int> parts;
        for (const auto& c : calls) parts.push_back(c.part);
        return parts;
    }
};

class SkinnedPainterTest : public ::testing::Test {
protected:
    TRecordingSkin skin;
    TdxBarSkinnedPainter painter{static_cast<TObject*>(&skin)};
    TStyleFakeWindow window;
};

using S = TdxBarSkinnedPainter;

TEST_F(SkinnedPainterTest, ButtonFacesAndGroupBordersFollowTheGroupPosition) {
    TFakeItemControl control(&window);
    control.bounds = Rect(10, 0, 40, 22);
    control.parts[0] = Rect(10, 0, 28, 22);
    control.parts[1] = Rect(28, 0, 40, 22);
    const struct {
        const char* name;
        bool split;
        Byte position;
        std::vector<TSkinCall> expected;
    } cases[] = {
        {"plain button", false, S::gpNone, {{S::spButton, 0, Rect(10, 0, 40, 22)}}},
        {"group of one", false, S::gpAlone,
         {{S::spGroupButton, 0, Rect(11, 0, 39, 22)}, {S::spGroupLeftEdge, 0, Rect(10, 0, 12, 22)},
          {S::spGroupRightEdge, 0, Rect(38, 0, 40, 22)}}},
        {"first of a group", false, S::gpFirst,
         {{S::spGroupButton, 0, Rect(11, 0, 40, 22)}, {S::spGroupLeftEdge, 0, Rect(10, 0, 12, 22)},
          {S::spGroupSeparator, 0, Rect(39, 0, 40, 22)}}},
        {"last of a group", false, S::gpLast,
         {{S::spGroupButton, 0, Rect(10, 0, 39, 22)}, {S::spGroupRightEdge, 0, Rect(38, 0, 40, 22)}}},
        {"split button in the middle", true, S::gpMiddle,
         {{S::spGroupButton, 0, Rect(10, 0, 28, 22)}, {S::spGroupButton, 0, Rect(28, 0, 40, 22)},
          {S::spGroupSplitSeparator, 0, Rect(27, 0, 29, 22)}, {S::spGroupSeparator, 0, Rect(39, 0, 40, 22)}}},
        {"split button outside groups", true, S::gpNone,
         {{S::spSplitButtonMain, 0, Rect(10, 0, 28, 22)}, {S::spSplitButtonDropDown, 0, Rect(28, 0, 40, 22)}}},
        {"split button as a group of one", true, S::gpAlone,
         {{S::spGroupButton, 0, Rect(11, 0, 28, 22)}, {S::spGroupLeftEdge, 0, Rect(10, 0, 12, 22)},
          {S::spGroupButton, 0, Rect(28, 0, 39, 22)}, {S::spGroupRightEdge, 0, Rect(38, 0, 40, 22)},
          {S::spGroupSplitSeparator, 0, Rect(27, 0, 29, 22)}}},
    };
    for (const auto& c : cases) {
        TPainterTestCanvas surface(50, 22);
        TdxBarButtonLikeControlDrawParams params(&control);
        params.canvas = &surface.canvas;
        params.enabled = true;
        params.isDropDown = params.isButton = c.split;
        params.buttonGroupPosition = c.position;
        skin.calls.clear();
        painter.DrawSkinButtonFace(&params);
        EXPECT_EQ(skin.calls, c.expected) << c.name;
    }
    // Large buttons use their own parts.
    TPainterTestCanvas surface(50, 22);
    TdxBarButtonLikeControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.SetDisplaySize(2);
    params.isDropDown = params.isButton = true;
    skin.calls.clear();
    painter.DrawSkinButtonFace(&params);
    EXPECT_EQ(skin.Parts(), (std::vector<int>{S::spLargeSplitButtonMain, S::spLargeSplitButtonDropDown}));
}

TEST_F(SkinnedPainterTest, ButtonPartStates) {
    TFakeItemControl control(&window);
    const struct {
        const char* name;
        bool enabled, selected, down, pressed, droppedDown, split, customizing, byKey;
        int hotPart, main, dropDown;
    } cases[] = {
        {"normal", true, false, false, false, false, false, false, false, -1, 0, 0},
        {"disabled", false, false, false, false, false, false, false, false, -1, 1, 1},
        {"hot main part", true, true, false, false, false, true, false, false, 0, 2, 3},
        {"hot arrow", true, true, false, false, false, true, false, false, 1, 3, 2},
        {"pressed", true, true, false, true, false, false, false, false, 0, 4, 3},
        {"checked", true, false, true, false, false, false, false, false, -1, 6, 6},
        {"checked and hot", true, true, true, false, false, false, false, false, 0, 7, 3},
        {"checked, chosen by key", true, true, true, false, false, false, false, true, -1, 7, 3},
        {"checked and dropped down", true, false, true, false, true, true, false, false, -1, 3, 5},
        {"dropped down", true, false, false, false, true, false, false, false, -1, 5, 5},
        {"split and dropped down", true, false, false, false, true, true, false, false, -1, 3, 5},
        {"disabled but selected", false, true, false, false, false, false, false, false, -1, 8, 8},
        {"customizing a checked one", true, true, true, true, false, false, true, false, 0, 6, 6},
        {"customizing", true, true, false, true, false, false, true, false, 0, 0, 0},
    };
    for (const auto& c : cases) {
        TdxBarButtonLikeControlDrawParams p(&control);
        p.enabled = c.enabled;
        p.canSelect = true;
        p.drawSelected = c.selected;
        p.down = c.down;
        p.pressed = c.pressed;
        p.droppedDown = c.droppedDown;
        p.isDropDown = p.isButton = c.split || c.droppedDown;
        p.isButton = c.split;
        p.customizing = c.customizing;
        p.selectedByKey = c.byKey;
        p.hotPart = c.hotPart;
        EXPECT_EQ(S::GetButtonPartSkinState(&p, 0), c.main) << c.name;
        EXPECT_EQ(S::GetButtonPartSkinState(&p, 1), c.dropDown) << c.name;
    }
}

TEST_F(SkinnedPainterTest, MetricsFromTheSkin) {
    // Button sizes are made even when the glyph and the part's extra size differ in parity.
    const struct {
        int glyph;
        TRect offsets;
        int height;
    } sizes[] = {{16, Rect(3, 3, 3, 3), 22}, {16, Rect(3, 3, 3, 4), 24}, {15, Rect(2, 2, 2, 2), 20},
                 {17, Rect(2, 2, 2, 2), 22}, {17, Rect(2, 2, 2, 3), 22}};
    for (const auto& s : sizes) {
        skin.buttonOffsets = s.offsets;
        EXPECT_EQ(painter.CalcButtonHeight(s.glyph, 0), s.height) << s.glyph;
        EXPECT_EQ(painter.CalcButtonHeight(s.glyph, 0) % 2, 0);
    }
    // The combo arrow: 19 in a named skin, the text width plus 8 otherwise.
    EXPECT_EQ(painter.CalcComboArrowWidth(7), 15);
    skin.name = L"Probe";
    EXPECT_EQ(painter.CalcComboArrowWidth(7), 19);
    EXPECT_EQ(painter.CalcSpinButtonsWidth(0, Rect(0, 0, 40, 20)), 17);
    skin.name.clear();
    EXPECT_EQ(painter.CalcSpinButtonsWidth(0, Rect(0, 0, 40, 30)), (15 * 8) / 5 + 1);
    // The bar's frame, gap and caption come from part 1.
    TFakeBar bar;
    TRect offsets;
    painter.CalcBarNonClientOffsets(&bar, dsTop, false, offsets);
    EXPECT_EQ(offsets, Rect(1, 2, 3, 4));
    EXPECT_EQ(painter.GetBarGap(), 5);
    TRect caption;
    painter.CalcFloatCaptionRect(Rect(0, 0, 100, 40), caption);
    EXPECT_EQ(caption, Rect(3, 2, 97, 16));
    // Menu text items are "Wg" + 9 high; menus are 2 taller than their items.
    TPainterTestCanvas surface(10, 10);
    int wg = surface.canvas.HeightOfText(L"Wg");
    EXPECT_EQ(painter.CalcMenuTextItemHeight(&surface.canvas), wg + 9);
    EXPECT_EQ(painter.CalcTextItemHeight(&surface.canvas), wg + 3);
    window.kind = 2;
    EXPECT_EQ(painter.CalcBarItemHeight(&window), window.textSize + 2);
    EXPECT_TRUE(painter.PaintsNonClientArea());
    EXPECT_FALSE(painter.AllowsLargeIcons());
}

TEST_F(SkinnedPainterTest, ALargeDropDownCaptionTakesTwoRowsWithTheArrowAfterTheLast) {
    TFakeItemControl control(&window);
    TPainterTestCanvas surface(80, 60);
    TdxBarButtonLikeControlDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.enabled = true;
    params.caption = L"Paste";
    params.isDropDown = true;
    params.SetDisplaySize(2);
    int row = SingleRowTextSize(surface.dc, L"Wg").cy;
    TRect text = Rect(0, 0, 80, 0);
    painter.CalcCaptionTextRect(&params, text);
    EXPECT_EQ(RectHeight(text), 2 * row);
    skin.calls.clear();
    painter.DrawItemCaption(&params, Rect(0, 10, 80, 10 + 2 * row), 1, 0);
    ASSERT_EQ(skin.Parts(), std::vector<int>{S::spDropDownArrow});
    const TRect& arrow = skin.calls[0].rect;
    EXPECT_EQ(RectWidth(arrow), 5);
    EXPECT_EQ(RectHeight(arrow), 4);
    EXPECT_GE(arrow.top, 10 + row) << "on the second row";
    EXPECT_LE(arrow.bottom, 10 + 2 * row);
    // Text is drawn on the second row only (the one word takes the first).
    bool firstRowInked = false, secondRowTextInked = false;
    for (int y = 10; y < 10 + row; ++y)
        for (int x = 0; x < 80; ++x) firstRowInked |= surface.Pixel(x, y) != RGB(255, 255, 255);
    for (int y = 10 + row; y < 10 + 2 * row; ++y)
        for (int x = 0; x < arrow.left; ++x) secondRowTextInked |= surface.Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_TRUE(firstRowInked);
    EXPECT_FALSE(secondRowTextInked);
}

TEST_F(SkinnedPainterTest, MenuBandsAndCheckAreas) {
    window.client = Rect(0, 0, 120, 40);
    window.iconAreaWidth = 24;
    for (bool large : {false, true}) {
        struct TLargeWindow : TStyleFakeWindow {
            bool large = false;
            bool UsesLargeMenuItems() const override { return large; }
        } menu;
        menu.client = window.client;
        menu.iconAreaWidth = 24;
        menu.large = large;
        TPainterTestCanvas surface(120, 40);
        painter.FillMenuBk(&menu, &surface.canvas, Rect(0, 10, 120, 30), nullptr, clNone);
        // Glyph column 24 wide, a two-pixel strip, then the text area.
        int glyph = large ? S::spMenuContent : S::spMenuGlyphColumn, strip = large ? S::spMenuContent : S::spMenuSideStrip;
        EXPECT_EQ(surface.Pixel(10, 20), SkinColor(glyph, 0)) << large;
        EXPECT_EQ(surface.Pixel(24, 20), SkinColor(strip, 0)) << large;
        EXPECT_EQ(surface.Pixel(25, 20), SkinColor(strip, 0)) << large;
        EXPECT_EQ(surface.Pixel(26, 20), SkinColor(S::spMenuContent, 0)) << large;
        EXPECT_EQ(surface.Pixel(10, 5), RGB(255, 255, 255)) << "only the asked-for rows";
    }
    // A checked menu item: the check mark without a glyph, the check area behind one.
    TFakeItemControl control(&window);
    for (bool noGlyph : {true, false}) {
        for (bool enabled : {true, false}) {
            TPainterTestCanvas surface(30, 30);
            control.DrawParams()->enabled = enabled;
            skin.calls.clear();
            painter.DrawItemGlyph(&control, surface.dc, Rect(0, 0, 24, 20), Rect(4, 2, 20, 18), 1, nullptr, nullptr,
                                  -1, noGlyph, false, true, false, false, false, false, false);
            ASSERT_FALSE(skin.calls.empty());
            EXPECT_EQ(skin.calls[0], (TSkinCall{noGlyph ? S::spMenuCheckMark : S::spMenuGlyphCheck,
                                                enabled ? 0 : 1, Rect(3, 1, 21, 19)}));
        }
    }
}

TEST_F(SkinnedPainterTest, SpinButtonsNamedAndUnnamed) {
    TFakeItemControl control(&window);
    control.bounds = Rect(0, 0, 60, 20);
    for (bool named : {true, false}) {
        skin.name = named ? L"Probe" : L"";
        for (int button : {3, 4}) {
            TPainterTestCanvas surface(60, 20);
            TdxBarSpinEditDrawParams params(&control);
            params.canvas = &surface.canvas;
            params.enabled = true;
            params.canSelect = true;
            params.hotPart = button;
            params.activeButton = button;
            params.arrowSize = TSize{5, 3};
            TRect r = button == 3 ? Rect(40, 0, 56, 10) : Rect(40, 10, 56, 20);
            skin.calls.clear();
            painter.DrawSpinButton(&params, r, button);
            if (named) {
                EXPECT_EQ(skin.Parts(), std::vector<int>{button == 3 ? S::spSpinUp : S::spSpinDown});
                EXPECT_EQ(skin.calls[0].state, S::ssDroppedDown);
                continue;
            }
            // A pressed, hot button is framed in its frame colour; its face inside; the arrow is
            // the scroll-button part cut to a triangle.
            EXPECT_EQ(SkinnedTestRow(surface, r.top, SkinColor(S::spEditButtonFrame, S::ssDroppedDown)).substr(40, 16),
                      std::string(16, '#'));
            ASSERT_EQ(skin.Parts(), (std::vector<int>{S::spEditButton, S::spScrollButton}));
            TRect bounds = skin.calls[1].rect;
            int inked = 0, corners = 0;
            for (int y = bounds.top; y < bounds.bottom; ++y)
                for (int x = bounds.left; x < bounds.right; ++x) inked += surface.Pixel(x, y) == SkinColor(S::spScrollButton, 0);
            corners += surface.Pixel(bounds.left, button == 3 ? bounds.top : bounds.bottom - 1) ==
                       SkinColor(S::spScrollButton, 0);
            EXPECT_GT(inked, 2) << button;
            EXPECT_LT(inked, RectWidth(bounds) * RectHeight(bounds)) << "a triangle, not the box";
            EXPECT_EQ(corners, 0) << button;
        }
    }
    // An unhot button has no frame and reaches over the shared middle line.
    TPainterTestCanvas surface(60, 20);
    TdxBarSpinEditDrawParams params(&control);
    params.canvas = &surface.canvas;
    params.enabled = true;
    skin.calls.clear();
    painter.DrawSpinButton(&params, Rect(40, 0, 56, 10), 3);
    EXPECT_EQ(skin.calls[0], (TSkinCall{S::spEditButton, 0, Rect(41, 1, 55, 10)}));
}

TEST_F(SkinnedPainterTest, SeparatorsScreenTipsAndMarks) {
    TPainterTestCanvas tip(20, 6);
    painter.DrawScreenTipSeparator(tip.dc, Rect(0, 2, 20, 6));
    EXPECT_EQ(SkinnedTestRow(tip, 2, SkinColor(S::spScreenTipSeparator, 0)), std::string(20, '#'));
    EXPECT_EQ(tip.Pixel(5, 3), RGB(255, 255, 255));
    EXPECT_EQ(tip.Pixel(5, 1), RGB(255, 255, 255)) << "above the rectangle";
    tip.Clear();
    for (int x = 0; x < 20; ++x) SetPixel(tip.dc, x, 3, RGB(1, 2, 3));
    painter.DrawScreenTipSeparator(tip.dc, Rect(0, 2, 20, 6));
    EXPECT_EQ(SkinnedTestRow(tip, 3, RGB(255, 255, 255)), std::string(20, '#')) << "the row below is white";

    TPainterTestCanvas bar(10, 10);
    painter.DrawBarSeparator(&window, bar.dc, Rect(0, 0, 10, 10), nullptr, true);
    EXPECT_EQ(SkinnedTestRow(bar, 5, RGB(162, 166, 170)), std::string(10, '#'));
    EXPECT_EQ(SkinnedTestRow(bar, 6, RGB(230, 232, 235)), std::string(10, '#'));
    bar.Clear();
    painter.DrawBarSeparator(&window, bar.dc, Rect(0, 0, 10, 10), nullptr, false);
    EXPECT_EQ(SkinnedTestColumn(bar, 5, RGB(230, 232, 235)), std::string(10, '#'));
    EXPECT_EQ(SkinnedTestColumn(bar, 6, RGB(162, 166, 170)), std::string(10, '#'));

    const struct {
        bool truncated;
        int markState, part, state;
    } marks[] = {{false, 0, S::spMarkContent, 0}, {true, 1, S::spTruncatedMarkContent, 2}, {false, 2, S::spMarkContent, 4}};
    for (const auto& m : marks) {
        window.truncated = m.truncated;
        window.markState = m.markState;
        skin.calls.clear();
        painter.DrawMarkContent(&window, bar.dc, Rect(0, 0, 10, 10));
        EXPECT_EQ(skin.calls, (std::vector<TSkinCall>{{m.part, m.state, Rect(0, 0, 10, 10)}}));
    }
}

TEST_F(SkinnedPainterTest, OnlySkinPaintersFadeAndTheirBarPartsFollowTheState) {
    EXPECT_TRUE(painter.SupportsFading());
    TdxBarSkinPainter skinPainter(nullptr);
    EXPECT_TRUE(skinPainter.SupportsFading());
    EXPECT_FALSE(NewStylePainter<TdxBarOffice11Painter>()->SupportsFading());
    EXPECT_FALSE(NewBasePainter()->SupportsFading());
    EXPECT_FALSE(painter.AreFadingImagesOpaque());
    TPainterTestCanvas surface(10, 10);
    const int expected[3][2] = {{0, -1}, {1, S::ssActive}, {2, S::ssPressed}};
    for (const auto& e : expected) {
        skin.calls.clear();
        painter.DrawBarPartState(&window, surface.dc, Rect(0, 0, 10, 10), e[0]);
        if (e[1] < 0)
            EXPECT_TRUE(skin.calls.empty());
        else
            EXPECT_EQ(skin.calls, (std::vector<TSkinCall>{{S::spButton, e[1], Rect(0, 0, 10, 10)}}));
    }
}

TEST_F(SkinnedPainterTest, EditButtonsAndSelectionsByState) {
    TFakeItemControl control(&window);
    control.bounds = Rect(0, 0, 80, 20);
    control.editRect = Rect(30, 2, 78, 18);
    // Unnamed skins frame a hot combo button in its state's colour and draw the small arrow.
    TPainterTestCanvas surface(80, 20);
    TdxBarEditLikeControlDrawParams edit(&control);
    edit.canvas = &surface.canvas;
    edit.enabled = true;
    edit.focused = true;
    skin.calls.clear();
    painter.DrawComboButton(&edit, Rect(60, 2, 78, 18), 3);
    EXPECT_EQ(surface.Pixel(60, 10), SkinColor(S::spEditButtonFrame, S::ssHot));
    EXPECT_EQ(skin.Parts(), (std::vector<int>{S::spEditButton, S::spDropDownArrow}));
    EXPECT_EQ(skin.calls[0].rect, Rect(61, 3, 77, 17));
    // Named skins fill with the edit's colour and draw the combo button part.
    skin.name = L"Probe";
    edit.focused = false;
    edit.droppedDown = true;
    skin.calls.clear();
    painter.DrawComboButton(&edit, Rect(60, 2, 78, 18), 3);
    EXPECT_EQ(skin.calls, (std::vector<TSkinCall>{{S::spComboButton, S::ssDroppedDown, Rect(60, 2, 78, 18)}}));
    // Under the part, a named skin's face is the edit's own colour.
    painter.DrawStateFace(&edit, surface.dc, Rect(0, 0, 10, 10), S::ssHot);
    EXPECT_EQ(surface.Pixel(5, 5), SkinColor(S::spEditBack, S::ssDroppedDown));
    // The selection under an edit in a menu leaves the edit alone and lines its left edge.
    surface.Clear();
    edit.droppedDown = false;
    painter.DrawEditMenuSelection(&edit, Rect(0, 0, 80, 20));
    EXPECT_EQ(surface.Pixel(5, 10), SkinColor(S::spButton, S::ssActive));
    EXPECT_EQ(surface.Pixel(50, 10), RGB(255, 255, 255));
    EXPECT_EQ(SkinnedTestColumn(surface, 30, SkinColor(S::spMenuEditLine, S::ssActive)).substr(2, 16),
              "." + std::string(14, '#') + ".");
    // Edit states: focused edits are pressed, a pressed hot combo button hot.
    const struct {
        bool focused, droppedDown, pressed;
        int hotPart, kind, state;
    } states[] = {{true, false, false, -1, 0, 4}, {false, true, false, -1, 0, 5}, {false, false, true, 3, 3, 2},
                  {false, false, false, 3, 3, 2}, {false, false, true, 4, 4, 4}, {false, true, false, -1, 4, 2}};
    for (const auto& s : states) {
        TdxBarEditLikeControlDrawParams p(&control);
        p.enabled = p.canSelect = true;
        p.focused = s.focused;
        p.droppedDown = s.droppedDown;
        p.pressed = s.pressed;
        p.hotPart = s.hotPart;
        EXPECT_EQ(S::GetEditPartSkinState(&p, s.kind), s.state) << s.kind << s.hotPart;
    }
}

TEST(SkinnedPainterWithoutSkin, DrawsNothingAndAnswersNeutrally) {
    TdxBarSkinnedPainter painter(static_cast<TObject*>(nullptr));
    std::unique_ptr<TdxBarPainter> fromClass(TdxBarSkinnedPainter::StaticClass()->CreateWithData(nullptr));
    TStyleFakeWindow window;
    TPainterTestCanvas surface(20, 20);
    painter.DrawScreenTipBk(surface.dc, Rect(0, 0, 20, 20));
    fromClass->DrawMarkContent(&window, surface.dc, Rect(0, 0, 20, 20));
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(surface.Pixel(x, y), RGB(255, 255, 255)) << x << "," << y;
    EXPECT_FALSE(painter.IsNamedSkin());
    EXPECT_EQ(painter.GetBarGap(), 0);
}

}  // namespace
