// The skin bar painter: its constants, its state tables, the element each bar window is drawn
// with, and drawing checked by pixels with elements of known colours, from a skin built in
// code and registered with the base skin painter for each test.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "../PainterTestSupport.h"
#include "../bars/BarPainterFakes.h"
#include "../bars/BarTestSupport.h"
#include "SkinTestSupport.h"
#include "cxExtendedStylePainters.h"
#include "dxBarStylePainters.h"
#include "dxFading.h"
#include "dxSkinLilian.h"
#include "dxSkinsCore.h"
#include "dxSkinsdxBarPainter.h"

namespace {

TColor BgrOf(DWORD rgb) { return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)); }

// Eight 10 x 10 image sets stacked, each a square [from, to) of its own colour, 20 x (set + 1)
// shifted into place, in a clear frame.
void PaintGlyphSets(TdxSkinElement* glyphs, int from, int to, int shift) {
    glyphs->SetImageCount(8);
    glyphs->Image()->SetStates({esNormal});
    glyphs->Image()->SetImageLayout(ilVertical);
    SetSkinTestPicture(glyphs->Image(), 10, 80, [=](int x, int y) -> DWORD {
        const int fy = y % 10;
        return x >= from && x < to && fy >= from && fy < to ? 0xFF000000u | DWORD(20 * (y / 10 + 1)) << shift : 0u;
    });
}

class SkinBarPainterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        info_ = new TdxSkinLookAndFeelPainterInfo(new TdxSkin(L"BarPaintTest"));
        ASSERT_TRUE(GlobalExtendedStylePainters()->RegisterPainter(L"BarPaintTest",
                                                                   TdxSkinLookAndFeelPainter::Instance(), info_));
        painter_ = std::make_unique<TdxBarSkinPainter>(TdxSkinLookAndFeelPainter::Instance());
        window_.bar = &bar_;
        bar_.window = &window_;
    }
    void TearDown() override { GlobalExtendedStylePainters()->UnregisterPainter(L"BarPaintTest"); }

    // One frame of one colour ($RRGGBB) per state, stacked.
    static void Paint(TdxSkinElement* element, DWORD colour, int w = 10, int h = 10) {
        element->Image()->SetStates({esNormal});
        SetSkinTestPictureColor(element->Image(), w, h, colour);
    }

    TdxSkinLookAndFeelPainterInfo* info_ = nullptr;
    std::unique_ptr<TdxBarSkinPainter> painter_;
    TFakeBarWindow window_;
    TFakeBar bar_;
};

}  // namespace

TEST(dxSkinBarPainter, ConstantsWidenCombosAndMenuItemsAndTakeMarginsFromTheFlatPainter) {
    TdxBarSkinPainter painter(TdxLilianPainter::Instance());
    EXPECT_EQ(painter.CalcComboArrowWidth(10), 21);
    int height = 20, width = 100;
    painter.AdjustMenuItemSize(height);
    painter.AdjustMenuItemWidth(width);
    EXPECT_EQ(height, 25);
    EXPECT_EQ(width, 109);
    TRect margins, flat;
    painter.GetPartMargins(1, margins);
    EXPECT_EQ(margins, Rect(1, 4, 4, 4));
    painter.GetPartMargins(0, margins);
    FlatPainterInstance()->GetPartMargins(0, flat);
    EXPECT_EQ(margins, flat);
    painter.GetColorComboMargins(1, margins);
    EXPECT_EQ(margins, Rect(0, 4, 4, 4));
    painter.GetSpinButtonMargins(1, margins);
    EXPECT_EQ(margins, Rect(0, 4, 4, 4));
    EXPECT_EQ(painter.GetColorButtonWidth(0, TRect{}), 17);
    EXPECT_EQ(painter.CalcSpinButtonsWidth(0, TRect{}), 17);
    EXPECT_EQ(painter.GetProgressBarHeight(), 24);
    EXPECT_EQ(painter.GetPopupBorderWidth(), 1);
    EXPECT_EQ(painter.GetFloatBorderWidth(), 2);
    EXPECT_EQ(painter.GetDockRowSpacing(), 1);
    EXPECT_EQ(painter.GetEditBorderWidth(), 0);
    EXPECT_EQ(painter.GetMenuGroupIndent(), FlatPainterInstance()->GetMenuGroupIndent());
    EXPECT_TRUE(painter.IsFlatStyle());
    EXPECT_FALSE(painter.IsFlatButtonLook());
    EXPECT_TRUE(painter.NeedsDoubleBuffering());
    EXPECT_TRUE(painter.HasMenuSideStrip());
    // the skin's own sizes
    TSize grip;
    painter.GetSizeGripWidth(nullptr, grip);
    EXPECT_TRUE(PointsEqual(grip, TdxLilianPainter::Instance()->SizeGripExtent()));
}

TEST(dxSkinBarPainter, LinkAndGlyphFrameStatesFollowSelectionDownAndPressed) {
    const struct {
        int paintKind;
        bool enabled, selected, down, pressed;
        TdxSkinElementState state;
    } links[] = {
        {1, true, true, false, false, esHot},         {1, false, true, false, false, esDisabled},
        {0, true, false, true, true, esChecked},      {0, true, true, false, false, esHot},
        {0, true, true, false, true, esPressed},      {0, true, true, true, false, esHotCheck},
        {0, true, true, true, true, esCheckPressed},  {2, true, true, true, true, esCheckPressed},
    };
    for (const auto& c : links)
        EXPECT_EQ(TdxBarSkinPainter::GetLinkState(c.paintKind, c.enabled, c.selected, c.down, c.pressed), c.state)
            << c.paintKind << c.enabled << c.selected << c.down << c.pressed;
    const struct {
        bool selected, down, pressed, droppedDown;
        TdxSkinElementState state;
    } frames[] = {
        {false, true, true, false, esChecked},   {true, true, true, false, esCheckPressed},
        {true, true, false, false, esHotCheck},  {true, false, true, false, esPressed},
        {true, false, true, true, esHot},        {true, false, false, false, esHot},
    };
    for (const auto& c : frames)
        EXPECT_EQ(TdxBarSkinPainter::GetGlyphFrameState(c.selected, c.down, c.pressed, c.droppedDown), c.state)
            << c.selected << c.down << c.pressed << c.droppedDown;
    EXPECT_EQ(TdxBarSkinPainter::GetMDIButtonState(1), esHot);
    EXPECT_EQ(TdxBarSkinPainter::GetMDIButtonState(2), esPressed);
    EXPECT_EQ(TdxBarSkinPainter::GetMDIButtonState(0), esNormal);
}

TEST_F(SkinBarPainterFixture, EachBarWindowHasItsElement) {
    window_.dockingStyle = dsTop;
    EXPECT_EQ(painter_->GetBarElement(&window_), info_->Bar);
    window_.dockingStyle = dsLeft;
    EXPECT_EQ(painter_->GetBarElement(&window_), info_->BarVertical);
    bar_.singleBorder = false;
    EXPECT_EQ(painter_->GetBarElement(&window_), info_->Dock);
    bar_.singleBorder = true;
    bar_.statusBar = true;
    EXPECT_EQ(painter_->GetBarElement(&window_), info_->StatusBar);
    window_.kind = 2;
    EXPECT_EQ(painter_->GetBarElement(&window_), info_->PopupMenu);
    // without the skin painter in the registry there is no element
    GlobalExtendedStylePainters()->UnregisterPainter(L"BarPaintTest");
    EXPECT_EQ(painter_->GetBarElement(&window_), nullptr);
    EXPECT_EQ(painter_->GetSkinInfo(), nullptr);
    SetUp();
}

// A horizontal and a vertical toolbar, with a drag grip: the bar's element beside the grip's.
TEST_F(SkinBarPainterFixture, DockedToolbarsDrawTheirBarAndGripElements) {
    Paint(info_->Bar, 0x2020C0);
    Paint(info_->BarVertical, 0x20C020);
    Paint(info_->BarDragGrip, 0xC02020, 5, 10);
    Paint(info_->BarDragGripVertical, 0xC0C020, 5, 10);
    window_.dragGrip = true;
    for (bool vertical : {false, true}) {
        window_.dockingStyle = vertical ? dsLeft : dsTop;
        const TRect r = vertical ? Rect(0, 0, 22, 100) : Rect(0, 0, 100, 22);
        window_.client = r;
        TPaintSurface surface(100, 100);
        painter_->FillDockedBarBk(&window_, surface.Canvas()->GetCanvasHandle(), r, r, nullptr, clNone);
        const TPoint grip = vertical ? TPoint{10, 2} : TPoint{2, 10}, body = vertical ? TPoint{10, 50} : TPoint{50, 10};
        EXPECT_EQ(surface.At(grip.x, grip.y), BgrOf(vertical ? 0xC0C020 : 0xC02020)) << vertical;
        EXPECT_EQ(surface.At(body.x, body.y), BgrOf(vertical ? 0x20C020 : 0x2020C0)) << vertical;
        EXPECT_EQ(surface.At(vertical ? 50 : 10, vertical ? 10 : 50), RgbColor(clWhite)) << vertical;
    }
    // separators: the vertical element across a vertical bar
    Paint(info_->BarSeparator, 0x404040);
    Paint(info_->BarSeparatorVertical, 0x808080);
    TPaintSurface separators(20, 20);
    HDC dc = separators.Canvas()->GetCanvasHandle();
    painter_->DrawBarSeparator(&window_, dc, Rect(0, 0, 6, 20), nullptr, false);
    painter_->DrawBarSeparator(&window_, dc, Rect(10, 0, 20, 6), nullptr, true);
    EXPECT_EQ(separators.At(3, 10), BgrOf(0x404040));
    EXPECT_EQ(separators.At(15, 3), BgrOf(0x808080));
}

TEST_F(SkinBarPainterFixture, MenusDrawTheCheckMarkSeparatorsAndScreenTipsFromTheSkin) {
    // the check mark of a checked item without glyph: image set 0 at its own size, centred
    TdxSkinElement* check = info_->PopupMenuCheck;
    check->SetImageCount(2);
    check->Image()->SetStates({esNormal});
    check->Image()->SetImageLayout(ilVertical);
    SetSkinTestPicture(check->Image(), 6, 12, [](int, int y) { return y < 6 ? 0xFF0000A0u : 0xFFA00000u; });
    TFakeItemControl control(&window_);
    {
        TPaintSurface surface(20, 20);
        painter_->DrawMenuCheckMark(&control, surface.Canvas()->GetCanvasHandle(), Rect(0, 0, 20, 20), 1, true);
        EXPECT_EQ(surface.At(7, 7), BgrOf(0x0000A0));
        EXPECT_EQ(surface.At(12, 12), BgrOf(0x0000A0));
        EXPECT_EQ(surface.At(6, 6), RgbColor(clWhite));
        EXPECT_EQ(surface.At(13, 13), RgbColor(clWhite));
    }
    // an image index beyond the element's sets draws its last set
    {
        TPaintSurface surface(6, 6);
        TdxBarSkinPainter::DrawSkinElement(check, surface.Canvas()->GetCanvasHandle(), esNormal, 5, Rect(0, 0, 6, 6));
        EXPECT_EQ(surface.At(3, 3), BgrOf(0xA00000));
    }
    Paint(info_->PopupMenuSeparator, 0x505000, 10, 3);
    EXPECT_EQ(painter_->GetMenuSeparatorHeight(), 3);
    EXPECT_EQ(painter_->GetSeparatorItemHeight(), 3);
    Paint(info_->ScreenTipWindow, 0x006060);
    {
        TPaintSurface surface(30, 20);
        painter_->DrawMenuSeparatorLine(surface.Canvas(), Rect(0, 0, 30, 3));
        painter_->DrawScreenTipBk(surface.Canvas()->GetCanvasHandle(), Rect(0, 5, 30, 20));
        EXPECT_EQ(surface.At(15, 1), BgrOf(0x505000));
        EXPECT_EQ(surface.At(15, 12), BgrOf(0x006060));
        EXPECT_EQ(surface.At(15, 4), RgbColor(clWhite));
    }
}

TEST_F(SkinBarPainterFixture, MDIButtonsShowTheSelectionWhenHotAndTheirGlyph) {
    TdxSkinElement* selected = info_->LinkSelected;
    selected->Image()->SetStates({esHot, esPressed});
    selected->Image()->SetImageLayout(ilVertical);
    SetSkinTestPicture(selected->Image(), 10, 20, [](int, int y) { return y < 10 ? 0xFF00A000u : 0xFF00A0A0u; });
    // each set a 4 x 4 square of red 20 x (set + 1)
    PaintGlyphSets(info_->DockWindowButtonGlyphs, 3, 7, 16);
    window_.bkBrush = HBRUSH(INT_PTR(COLOR_WINDOW + 1));
    const struct {
        int button, state;
        DWORD glyph, around;  // $RRGGBB; around: 0 for the window's background
    } cases[] = {{2, 1, 0x3C0000, 0x00A000}, {2, 2, 0x3C0000, 0x00A0A0}, {0, 0, 0xA00000, 0}, {1, 0, 0x140000, 0}};
    for (const auto& c : cases) {
        TPaintSurface surface(10, 10, clRed);
        painter_->DrawMDIButton(&window_, c.button, c.state, surface.Canvas()->GetCanvasHandle(), Rect(0, 0, 10, 10));
        EXPECT_EQ(surface.At(5, 5), BgrOf(c.glyph)) << c.button << "/" << c.state;
        EXPECT_EQ(surface.At(1, 1), c.around ? BgrOf(c.around) : RgbColor(clWindow)) << c.button << "/" << c.state;
    }
}

TEST_F(SkinBarPainterFixture, ColoursComeFromTheBarElementsOrFromTheBasePainter) {
    auto base = NewBasePainter();
    TFakeItemControl control(&window_);
    info_->Bar->SetTextColor(0x112233);
    EXPECT_EQ(painter_->GetItemTextColor(&control, false, true), TColor(0x112233));
    auto* hot = static_cast<TdxSkinColor*>(info_->Bar->AddProperty(L"TextColorHot", TdxSkinColor::StaticClass()));
    hot->SetValue(0x445566);
    EXPECT_EQ(painter_->GetItemTextColor(&control, true, true), TColor(0x445566));
    EXPECT_EQ(painter_->GetItemTextColor(&control, false, true), TColor(0x112233));
    TdxSkinColor disabled(nullptr, L"DisabledTextColor");
    disabled.SetValue(0x777777);
    info_->BarDisabledTextColor = &disabled;
    TColor highlight = clNone, main = clNone;
    painter_->GetDisabledItemTextColors(&control, false, true, highlight, main);
    EXPECT_EQ(highlight, TColor(0x777777));
    EXPECT_EQ(main, TColor(0x777777));
    info_->BarDisabledTextColor = nullptr;
    TColor baseHighlight, baseMain;
    painter_->GetDisabledItemTextColors(&control, false, true, highlight, main);
    base->GetDisabledItemTextColors(&control, false, true, baseHighlight, baseMain);
    EXPECT_EQ(main, baseMain);
    // without the skin painter: the base painter's answers
    GlobalExtendedStylePainters()->UnregisterPainter(L"BarPaintTest");
    EXPECT_EQ(painter_->GetItemTextColor(&control, true, true), base->GetItemTextColor(&control, true, true));
    EXPECT_EQ(painter_->GetScreenTipSeparatorHeight(), base->GetScreenTipSeparatorHeight());
    SetUp();
}

// While the skins' units run the manager's skinned style makes this painter; ending the unit
// puts the standard painter back.
TEST(dxSkinBarPainter, TheSkinnedStyleUsesThisPainterWhileTheUnitRuns) {
    FinalizedxSkinsdxBarPainter();
    EXPECT_EQ(SkinBarPainterClass(), TdxBarStandardPainter::StaticClass());
    InitializedxSkinsdxBarPainter();
    EXPECT_EQ(SkinBarPainterClass(), TdxBarSkinPainter::StaticClass());
    std::unique_ptr<TdxBarPainter> made(SkinBarPainterClass()->CreateWithData(TdxLilianPainter::Instance()));
    auto* skinPainter = dynamic_cast<TdxBarSkinPainter*>(made.get());
    ASSERT_NE(skinPainter, nullptr);
    EXPECT_EQ(skinPainter->GetSkinInfo(), LilianSkinInfo());
}

using SkinBarManager = BarTest;

// A manager following a look-and-feel with a skin paints with this painter, made with the
// skin's painter; set back to the standard style it paints with the standard painter.
TEST_F(SkinBarManager, ASkinnedManagerPaintsWithTheSkinBarPainterUntilItsStyleIsStandard) {
    manager->SetStyle(bmsUseLookAndFeel);
    manager->LookAndFeel()->SetNativeStyle(false);
    manager->LookAndFeel()->SetSkinName(L"Lilian");
    EXPECT_EQ(manager->GetPainterClassInUse(), TdxBarSkinPainter::StaticClass());
    auto* painter = dynamic_cast<TdxBarSkinPainter*>(manager->Painter());
    ASSERT_NE(painter, nullptr);
    EXPECT_EQ(painter->GetSkinInfo(), LilianSkinInfo());
    manager->SetStyle(bmsStandard);
    EXPECT_EQ(manager->GetPainterClassInUse(), TdxBarStandardPainter::StaticClass());
    manager->LookAndFeel()->SetSkinName(L"");
}

// A selected, pressed, down (checked) button draws "LinkSelected" in its check-pressed state; a
// disabled menu item draws "PopupMenuLinkSelected" disabled; a checked menu item with a glyph
// gets the check frame (image set 1) inside its glyph area.
TEST_F(SkinBarPainterFixture, ItemsDrawTheirSelectionInTheirState) {
    TdxSkinElement* selected = info_->LinkSelected;
    const DWORD states[] = {0x100000, 0x200000, 0x300000, 0x400000, 0x500000};
    selected->Image()->SetStates({esHot, esPressed, esChecked, esHotCheck, esCheckPressed});
    selected->Image()->SetImageLayout(ilVertical);
    SetSkinTestPicture(selected->Image(), 10, 50, [&](int, int y) { return 0xFF000000u | states[y / 10]; });
    TFakeItemControl control(&window_);
    const struct {
        bool selected, down, pressed;
        DWORD colour;
    } buttons[] = {{true, true, true, 0x500000}, {true, true, false, 0x400000}, {true, false, true, 0x200000},
                   {true, false, false, 0x100000}, {false, true, false, 0x300000}};
    for (const auto& c : buttons) {
        TPaintSurface surface(30, 22);
        TdxBarButtonLikeControlDrawParams params(&control);
        params.canvas = surface.Canvas();
        params.enabled = true;
        params.drawSelected = c.selected;
        params.down = c.down;
        params.pressed = c.pressed;
        painter_->DrawButtonBk(&params, Rect(4, 0, 26, 22), nullptr);
        EXPECT_EQ(surface.At(15, 11), BgrOf(c.colour)) << c.selected << c.down << c.pressed;
    }
    // a menu item
    TdxSkinElement* menuSelected = info_->PopupMenuLinkSelected;
    menuSelected->Image()->SetStates({esHot, esDisabled});
    menuSelected->Image()->SetImageLayout(ilVertical);
    SetSkinTestPicture(menuSelected->Image(), 10, 20, [](int, int y) { return y < 10 ? 0xFF00B000u : 0xFF909090u; });
    for (bool enabled : {true, false}) {
        TPaintSurface surface(60, 20);
        TdxBarItemControlDrawParams params(&control);
        params.canvas = surface.Canvas();
        params.enabled = enabled;
        params.drawSelected = true;
        painter_->DrawMenuItemBk(&params, Rect(0, 0, 60, 20));
        EXPECT_EQ(surface.At(30, 10), BgrOf(enabled ? 0x00B000 : 0x909090)) << enabled;
    }
    // the glyph frame of a checked menu item with a glyph
    TdxSkinElement* check = info_->PopupMenuCheck;
    check->SetImageCount(2);
    check->Image()->SetStates({esNormal});
    check->Image()->SetImageLayout(ilVertical);
    SetSkinTestPicture(check->Image(), 6, 12, [](int, int y) { return y < 6 ? 0xFF0000A0u : 0xFFA00000u; });
    TPaintSurface frame(24, 24);
    painter_->DrawGlyphFrame(&control, frame.Canvas()->GetCanvasHandle(), nullptr, true, Rect(0, 0, 24, 24), 1, false,
                             false, true, false, false, false);
    EXPECT_EQ(frame.At(2, 2), BgrOf(0xA00000));
    EXPECT_EQ(frame.At(21, 21), BgrOf(0xA00000));
    EXPECT_EQ(frame.At(1, 1), RgbColor(clWhite));
}

// Combo and spin buttons are the skin's editor buttons, in the state of the item or the button.
TEST_F(SkinBarPainterFixture, ComboAndSpinButtonsAreTheSkinsEditorButtons) {
    TdxSkinElement* button = info_->EditorButton;
    const DWORD colours[] = {0x110000, 0x220000, 0x330000, 0x440000};  // normal, hot, pressed, disabled
    button->Image()->SetStates({esNormal, esHot, esPressed, esDisabled});
    button->Image()->SetImageLayout(ilVertical);
    SetSkinTestPicture(button->Image(), 10, 40, [&](int, int y) { return 0xFF000000u | colours[y / 10]; });
    TFakeItemControl control(&window_);
    const struct {
        bool enabled, droppedDown, selected;
        DWORD colour;
    } combos[] = {{true, false, false, 0x110000}, {true, false, true, 0x220000}, {true, true, true, 0x330000},
                  {false, true, true, 0x440000}};
    for (const auto& c : combos) {
        TPaintSurface surface(20, 20);
        TdxBarEditLikeControlDrawParams params(&control);
        params.canvas = surface.Canvas();
        params.enabled = c.enabled;
        params.droppedDown = c.droppedDown;
        params.drawSelected = c.selected;
        painter_->DrawComboButton(&params, Rect(0, 0, 20, 20), 0);
        EXPECT_EQ(surface.At(1, 1), BgrOf(c.colour)) << c.enabled << c.droppedDown << c.selected;
    }
    // the pressed spin button is drawn pressed, the other normal
    TdxBarSpinEditDrawParams spin(&control);
    TPaintSurface surface(20, 40);
    spin.canvas = surface.Canvas();
    spin.enabled = true;
    spin.activeButton = 4;
    painter_->DrawSpinButton(&spin, Rect(0, 0, 20, 20), 3);
    painter_->DrawSpinButton(&spin, Rect(0, 20, 20, 40), 4);
    EXPECT_EQ(surface.At(1, 1), BgrOf(0x110000));
    EXPECT_EQ(surface.At(1, 21), BgrOf(0x330000));
}

// A main menu has elements of its own: "MainMenu"/"MainMenuVertical" behind it, "MainMenuDrag"
// as its grip and "MainMenuLinkSelected" around a selected item; a toolbar keeps the others.
TEST_F(SkinBarPainterFixture, MainMenusUseTheirOwnElements) {
    ASSERT_NE(info_->MainMenu, nullptr);
    ASSERT_NE(info_->MainMenuVertical, nullptr);
    Paint(info_->BarDragGripVertical, 0x101010, 7, 10);
    Paint(info_->BarDragGrip, 0x202020, 5, 10);
    Paint(info_->MainMenuLinkSelected, 0x00C0C0);
    info_->MainMenuLinkSelected->Image()->SetStates({esHot});
    Paint(info_->LinkSelected, 0xC000C0);
    info_->LinkSelected->Image()->SetStates({esHot});
    // the stored skins have no "MainMenuDrag": lend the info another element for it (after the
    // last change of the skin, which reads the members afresh)
    info_->MainMenuDrag = info_->BarDragGripVertical;
    TFakeItemControl control(&window_);
    for (bool mainMenu : {false, true}) {
        bar_.mainMenu = mainMenu;
        window_.dockingStyle = dsTop;
        EXPECT_EQ(painter_->GetBarElement(&window_), mainMenu ? info_->MainMenu : info_->Bar);
        EXPECT_EQ(painter_->GetDragAreaSize(&window_), mainMenu ? 7 : 5);
        window_.dockingStyle = dsRight;
        EXPECT_EQ(painter_->GetBarElement(&window_), mainMenu ? info_->MainMenuVertical : info_->BarVertical);
        TPaintSurface surface(20, 20);
        painter_->DrawGlyphFrame(&control, surface.Canvas()->GetCanvasHandle(), nullptr, true, Rect(0, 0, 20, 20), 0,
                                 false, true, false, false, false, false);
        EXPECT_EQ(surface.At(10, 10), BgrOf(mainMenu ? 0x00C0C0 : 0xC000C0)) << mainMenu;
    }
    bar_.mainMenu = false;
    info_->MainMenuDrag = nullptr;
}

namespace {

// A picture w x h whose left `edge` columns are one colour and the rest another; the left
// image margin keeps the edge unstretched, so its place shows where the element was drawn.
void PaintWithLeftEdge(TdxSkinElement* element, int edge, DWORD edgeColour, DWORD rest, int w = 20, int h = 10) {
    element->Image()->SetStates({esNormal});
    element->Image()->Margins()->SetLeft(edge);
    SetSkinTestPicture(element->Image(), w, h,
                       [=](int x, int) { return 0xFF000000u | (x < edge ? edgeColour : rest); });
}

struct TProbe {
    int x, y;
    DWORD rgb;  // $RRGGBB; 0xFFFFFFFF for untouched (white)
};

}  // namespace

// The drawing operations by pixels: each row paints its elements in colours of their own, draws
// on a white surface and reads the probes.
TEST_F(SkinBarPainterFixture, BackgroundsFramesAndSelectionsDrawTheirElements) {
    constexpr DWORD kWhite = 0xFFFFFFFF;
    // a popup's glyph indent is its text size + 1
    const int separatorLeft = painter_->GetMenuGroupIndent() + 17;
    TFakeItemControl control(&window_);
    control.brush = HBRUSH(GetStockObject(WHITE_BRUSH));
    window_.bkBrush = HBRUSH(GetStockObject(WHITE_BRUSH));
    struct Row {
        const char* name;
        std::function<void()> prepare;
        std::function<void(TcxCanvas*)> draw;
        std::vector<TProbe> probes;
    };
    const std::vector<Row> rows = {
        {"status bar background: the piece of the bar at its place",
         [&] { PaintWithLeftEdge(info_->StatusBar, 4, 0xA00000, 0x00A000); },
         [&](TcxCanvas* c) {
             // bar x 40..60 painted at 0..20, then bar x 0..20 painted at 30..50
             painter_->DrawStatusBarBk(&window_, c->GetCanvasHandle(), Rect(0, 0, 20, 30), Rect(40, 0, 60, 30),
                                       Rect(0, 0, 100, 30), nullptr, clNone);
             painter_->DrawStatusBarBk(&window_, c->GetCanvasHandle(), Rect(30, 0, 50, 30), Rect(0, 0, 20, 30),
                                       Rect(0, 0, 100, 30), nullptr, clNone);
         },
         {{1, 15, 0x00A000}, {31, 15, 0xA00000}, {36, 15, 0x00A000}, {25, 15, kWhite}, {55, 15, kWhite}}},
        {"dock background: the piece of the dock at its place",
         [&] { PaintWithLeftEdge(info_->Dock, 4, 0xA000A0, 0x00A0A0); },
         [&](TcxCanvas* c) {
             painter_->DrawDockBk(nullptr, c->GetCanvasHandle(), Rect(0, 0, 20, 30), Rect(40, 0, 60, 30),
                                  Rect(0, 0, 100, 30), nullptr, clNone);
             painter_->DrawDockBk(nullptr, c->GetCanvasHandle(), Rect(30, 0, 50, 30), Rect(0, 0, 20, 30),
                                  Rect(0, 0, 100, 30), nullptr, clNone);
         },
         {{1, 15, 0x00A0A0}, {31, 15, 0xA000A0}, {36, 15, 0x00A0A0}, {25, 15, kWhite}, {55, 15, kWhite}}},
        {"floating bar's mark button: the caption, the button in the mark's state, the mark glyph",
         [&] {
             info_->FloatBar->SetColor(TColor(0x0000F0));  // the caption: red
             TdxSkinElement* button = info_->DockWindowButton;
             button->Image()->SetStates({esActive, esHot, esPressed});
             button->Image()->SetImageLayout(ilVertical);
             // a frame of its state's colour around a clear middle; the frames stack in the
             // states' order: hot, pressed, active
             SetSkinTestPicture(button->Image(), 10, 30, [](int x, int y) -> DWORD {
                 const int fy = y % 10;
                 const DWORD colours[] = {0x108010, 0x801010, 0x101080};
                 return x == 0 || x == 9 || fy == 0 || fy == 9 ? 0xFF000000u | colours[y / 10] : 0u;
             });
             PaintGlyphSets(info_->DockWindowButtonGlyphs, 4, 6, 0);  // blue 20 x (set + 1)
             window_.markState = 1;
         },
         [&](TcxCanvas* c) {
             painter_->DrawFloatMark(&window_, c->GetCanvasHandle(), Rect(10, 10, 20, 20));
             window_.markState = 0;
         },
         // image set 6 is blue 140; the hot frame green; the caption shows between them
         {{15, 15, 0x00008C}, {10, 15, 0x108010}, {12, 12, 0xF00000}, {9, 15, kWhite}}},
        {"menu background with the side strip in the glyph column",
         [&] {
             Paint(info_->PopupMenu, 0x3040A0);
             Paint(info_->PopupMenuSideStrip, 0xB0B000);
             window_.iconAreaWidth = 24;
         },
         [&](TcxCanvas* c) { painter_->FillMenuBk(&window_, c, Rect(5, 5, 95, 55), nullptr, clNone); },
         {{10, 30, 0xB0B000}, {28, 30, 0xB0B000}, {30, 30, 0x3040A0}, {60, 3, 0x3040A0}, {0, 0, kWhite}}},
        {"menu border: only the frame",
         [&] { Paint(info_->PopupMenu, 0x3040A0); },
         [&](TcxCanvas* c) { painter_->DrawMenuBorder(&window_, c->GetCanvasHandle(), Rect(0, 0, 100, 60)); },
         {{0, 30, 0x3040A0}, {50, 59, 0x3040A0}, {50, 30, kWhite}, {2, 2, kWhite}}},
        {"menu item separator: a band at the bottom after the group and glyph indents",
         [&] {
             Paint(info_->PopupMenuSeparator, 0x606000, 10, 3);
             window_.kind = 2;
             window_.textSize = 16;
         },
         [&](TcxCanvas* c) {
             painter_->DrawItemSeparator(&window_, &control, c, Rect(0, 0, 100, 10));
             window_.kind = 0;
         },
         {{50, 8, 0x606000}, {separatorLeft, 8, 0x606000}, {separatorLeft - 1, 8, kWhite}, {50, 6, kWhite}}},
        {"in-place sub item: the side strip under its content when not selected",
         [&] {
             Paint(info_->PopupMenuSideStrip, 0xB0B000);
             info_->PopupMenuSideStrip->ContentOffset()->SetLeft(3);
         },
         [&](TcxCanvas* c) {
             TdxBarItemControlDrawParams params(&control);
             params.canvas = c;
             painter_->DrawInPlaceSubItemBk(&params, Rect(10, 0, 60, 20));
             info_->PopupMenuSideStrip->ContentOffset()->SetLeft(0);
         },
         {{10, 10, 0xB0B000}, {59, 10, 0xB0B000}, {8, 10, kWhite}, {61, 10, kWhite}}},
        {"edit background around the edit box, the menu selection around it too",
         [&] {
             control.bounds = Rect(0, 0, 100, 20);
             control.editRect = Rect(40, 0, 100, 20);
             control.brush = HBRUSH(INT_PTR(COLOR_BTNSHADOW + 1));
             TdxSkinElement* selected = info_->PopupMenuLinkSelected;
             selected->Image()->SetStates({esHot, esDisabled});
             selected->Image()->SetImageLayout(ilVertical);
             SetSkinTestPicture(selected->Image(), 10, 20,
                                [](int, int y) { return y < 10 ? 0xFF00B000u : 0xFF909090u; });
         },
         [&](TcxCanvas* c) {
             TdxBarEditLikeControlDrawParams params(&control);
             params.canvas = c;
             params.paintKind = 1;  // part margins 1, 4, 4, 4: the box is 41..96 x 4..16
             painter_->DrawEditBk(&params);
             params.enabled = false;
             control.bounds = control.editRect = Rect(0, 30, 100, 50);
             control.editRect.left = 40;
             painter_->DrawEditMenuSelection(&params, Rect(0, 30, 100, 50));
             control.brush = HBRUSH(GetStockObject(WHITE_BRUSH));
         },
         {{20, 10, DWORD(ColorToRGB(clBtnShadow)) & 0xFFFFFF},
          {42, 2, DWORD(ColorToRGB(clBtnShadow)) & 0xFFFFFF},
          {60, 10, kWhite},
          {20, 40, 0x909090},
          {60, 40, kWhite}}},
        {"floating frame: the borders and a frame in the element's colour inside them",
         [&] {
             info_->FloatBar->SetColor(TColor(0x00D0D0));  // $BBGGRR: yellow
             TdxSkinBorders* borders = info_->FloatBar->Borders();
             for (TdxSkinBorder* side : {borders->Left(), borders->Top(), borders->Right(), borders->Bottom()})
                 side->SetColor(TColor(0x800000));  // navy
         },
         [&](TcxCanvas* c) {
             painter_->DrawFloatBorder(&window_, c->GetCanvasHandle(), Rect(0, 0, 60, 40), Rect(2, 2, 58, 38),
                                       nullptr);
         },
         {{0, 20, 0x000080}, {59, 20, 0x000080}, {30, 39, 0x000080}, {1, 20, 0xD0D000}, {30, 1, 0xD0D000},
          {30, 20, kWhite}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        row.prepare();
        TPaintSurface surface(100, 60);
        row.draw(surface.Canvas());
        for (const TProbe& p : row.probes)
            EXPECT_EQ(surface.At(p.x, p.y), p.rgb == kWhite ? RgbColor(clWhite) : BgrOf(p.rgb))
                << "at " << p.x << ", " << p.y;
    }
}

// A progress bar: the border element over the whole bar, the chunk inside the border's content
// offset, as long as the position says; static items on a status bar sit in "LinkStatic".
TEST_F(SkinBarPainterFixture, ProgressBarsAndStatusBarStaticsDrawFromTheSkin) {
    Paint(info_->ProgressBorder, 0x404040);
    info_->ProgressBorder->ContentOffset()->SetLeft(3);
    info_->ProgressBorder->ContentOffset()->SetTop(3);
    info_->ProgressBorder->ContentOffset()->SetRight(3);
    info_->ProgressBorder->ContentOffset()->SetBottom(3);
    Paint(info_->ProgressChunk, 0x00C000);
    TFakeItemControl control(&window_);
    {
        TPaintSurface surface(100, 20);
        TdxBarProgressControlDrawParams params(&control);
        params.canvas = surface.Canvas();
        params.solid = true;
        params.position = 50;
        painter_->DrawProgressBar(&params, Rect(0, 0, 100, 20), clBlue);
        EXPECT_EQ(surface.At(1, 10), BgrOf(0x404040));
        EXPECT_EQ(surface.At(3, 10), BgrOf(0x00C000));
        EXPECT_EQ(surface.At(49, 10), BgrOf(0x00C000));   // 3 + 47 of 94
        EXPECT_EQ(surface.At(52, 10), BgrOf(0x404040));   // the border's middle, unfilled
        EXPECT_EQ(surface.At(50, 1), BgrOf(0x404040));
    }
    // static items: "LinkStatic" only on a status bar; its content offset is the border width
    Paint(info_->LinkStatic, 0x8000A0);
    info_->LinkStatic->ContentOffset()->SetLeft(2);
    info_->LinkStatic->ContentOffset()->SetRight(2);
    control.brush = HBRUSH(GetStockObject(WHITE_BRUSH));
    for (bool onStatusBar : {false, true}) {
        bar_.statusBar = onStatusBar;
        TRect widths;
        painter_->GetStaticBorderWidths(&control, 1, widths);
        EXPECT_EQ(widths, onStatusBar ? Rect(2, 0, 2, 0) : Rect(1, 1, 1, 1)) << onStatusBar;
        TPaintSurface surface(40, 20);
        TdxBarStaticLikeControlDrawParams params(&control);
        params.canvas = surface.Canvas();
        params.borderWidths = widths;
        TRect r = Rect(0, 0, 40, 20);
        painter_->DrawStaticBorder(&params, r);
        if (onStatusBar) {
            EXPECT_EQ(r, Rect(2, 0, 38, 20));
            EXPECT_EQ(surface.At(1, 10), BgrOf(0x8000A0));
            EXPECT_EQ(surface.At(20, 10), RgbColor(clWhite));  // the inside is left to the content
        }
        surface.Fill(clWhite);
        painter_->DrawStaticBk(&params, Rect(0, 0, 40, 20));
        EXPECT_EQ(surface.At(20, 10), onStatusBar ? BgrOf(0x8000A0) : RgbColor(clWhite)) << onStatusBar;
    }
    bar_.statusBar = false;
}

// Sizes: the expand button is as high as its element; the begin-group row is the band above
// the item as high as the menu's begin-group size.
TEST_F(SkinBarPainterFixture, ExpandButtonAndBeginGroupSizes) {
    TPaintSurface surface(10, 10);
    int arrow = 0, height = 0, baseArrow = 0, baseHeight = 0;
    NewBasePainter()->CalcExpandButtonMetrics(surface.Canvas(), 16, baseArrow, baseHeight);
    Paint(info_->PopupMenuExpandButton, 0x123456, 12, 9);
    painter_->CalcExpandButtonMetrics(surface.Canvas(), 16, arrow, height);
    EXPECT_EQ(arrow, baseArrow);
    EXPECT_EQ(height, 9);
    window_.beginGroupSize = 7;
    TFakeItemControl control(&window_);
    TRect rect;
    painter_->CalcBeginGroupRect(&window_, &control, Rect(2, 30, 80, 50), rect);
    EXPECT_EQ(rect, Rect(2, 23, 80, 30));
}

// The mark reaches over the bar's docked margins (the element's content offset) to the window's
// edge; a borderless bar's mark is only moved past its margin; a status bar's takes its margins.
TEST_F(SkinBarPainterFixture, MarksTakeInTheBarsMargins) {
    auto offset = [](TdxSkinElement* e, TRect r) {
        e->ContentOffset()->SetLeft(r.left);
        e->ContentOffset()->SetTop(r.top);
        e->ContentOffset()->SetRight(r.right);
        e->ContentOffset()->SetBottom(r.bottom);
    };
    offset(info_->Bar, Rect(2, 3, 4, 5));
    offset(info_->BarVertical, Rect(2, 3, 4, 5));
    offset(info_->Dock, Rect(1, 1, 6, 1));
    offset(info_->StatusBar, Rect(1, 2, 3, 4));
    const struct {
        const char* name;
        TdxBarDockingStyle docking;
        bool border, statusBar;
        TRect calc, draw;
    } cases[] = {
        {"toolbar", dsTop, true, false, Rect(93, -3, 104, 27), Rect(93, -3, 104, 27)},
        {"vertical toolbar", dsLeft, true, false, Rect(-2, 94, 26, 105), Rect(-2, 94, 26, 105)},
        {"borderless toolbar", dsTop, false, false, Rect(95, -1, 106, 23), Rect(95, 0, 100, 22)},
        {"status bar", dsBottom, true, true, Rect(89, -2, 103, 26), Rect(89, 0, 100, 22)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window_.dockingStyle = c.docking;
        window_.client = c.docking == dsLeft ? Rect(0, 0, 22, 100) : Rect(0, 0, 100, 22);
        bar_.singleBorder = c.border;
        bar_.statusBar = c.statusBar;
        TRect calc, draw;
        painter_->CalcMarkRect(&window_, calc);
        painter_->GetMarkDrawRect(&window_, draw);
        EXPECT_EQ(calc, c.calc);
        EXPECT_EQ(draw, c.draw);
    }
    bar_.singleBorder = true;
    bar_.statusBar = false;
}

namespace {

// A fade that paints its image in one colour and remembers where.
class TFakeFading : public TcxIUnknownObject, public IdxFadingElementData {
public:
    TRect drawnIn{};
    bool DrawImage(HDC dc, const TRect& rect) override {
        drawnIn = rect;
        HBRUSH brush = CreateSolidBrush(RGB(0, 160, 160));
        FillRect(dc, &rect, brush);
        DeleteObject(brush);
        return true;
    }
    bool GetImage(TdxGPImage*&) override { return false; }
};

}  // namespace

// A fading item draws the fade's image instead of the skin: the button's background from a
// pixel left of its rectangle to its right edge, as wide as the item; the glyph frame in place.
TEST_F(SkinBarPainterFixture, FadingItemsDrawTheFadingImage) {
    Paint(info_->LinkSelected, 0xC000C0);
    info_->LinkSelected->Image()->SetStates({esHot});
    TFakeItemControl control(&window_);
    control.bounds = Rect(0, 0, 40, 22);
    TFakeFading fading;
    control.FadingBegin(&fading);
    {
        TPaintSurface surface(60, 22);
        TdxBarButtonLikeControlDrawParams params(&control);
        params.canvas = surface.Canvas();
        params.enabled = true;
        params.drawSelected = true;
        painter_->DrawButtonBk(&params, Rect(10, 0, 30, 22), nullptr);
        EXPECT_EQ(fading.drawnIn, Rect(-10, 0, 30, 22));
        EXPECT_EQ(surface.At(9, 10), BgrOf(0x00A0A0));
        EXPECT_EQ(surface.At(8, 10), RgbColor(clWhite));
        EXPECT_EQ(surface.At(30, 10), RgbColor(clWhite));
    }
    {
        TPaintSurface surface(30, 30);
        painter_->DrawGlyphFrame(&control, surface.Canvas()->GetCanvasHandle(), nullptr, true, Rect(2, 2, 26, 26), 0,
                                 false, true, false, false, false, false);
        EXPECT_EQ(fading.drawnIn, Rect(2, 2, 26, 26));
        EXPECT_EQ(surface.At(14, 14), BgrOf(0x00A0A0));
    }
    // the fade over, the skin again
    control.FadingEnd();
    TPaintSurface surface(30, 30);
    painter_->DrawGlyphFrame(&control, surface.Canvas()->GetCanvasHandle(), nullptr, true, Rect(2, 2, 26, 26), 0,
                             false, true, false, false, false, false);
    EXPECT_EQ(surface.At(14, 14), BgrOf(0xC000C0));
}

// A spin edit's text runs up to its buttons; a separator with a caption lies on "FloatBar".
TEST_F(SkinBarPainterFixture, SpinEditTextMeetsItsButtonsAndSeparatorCaptionsLieOnTheFloatBar) {
    TFakeItemControl control(&window_);
    control.bounds = control.editRect = Rect(0, 0, 120, 22);
    TdxBarSpinEditDrawParams spin(&control);
    TRect parts[5] = {};
    painter_->CalcSpinEditLayout(&spin, parts, 4, Rect(0, 0, 120, 22));
    EXPECT_LT(parts[3].left, 120);
    EXPECT_EQ(parts[0].right, parts[3].left);
    Paint(info_->FloatBar, 0x405060);
    control.brush = HBRUSH(GetStockObject(WHITE_BRUSH));
    TPaintSurface surface(100, 24);
    TdxBarSeparatorControlDrawParams params(&control);
    params.canvas = surface.Canvas();
    params.enabled = true;
    params.caption = L"Group";
    painter_->DrawSeparatorCaption(&params, Rect(0, 0, 100, 24));
    EXPECT_EQ(surface.At(95, 1), BgrOf(0x405060));
    EXPECT_EQ(surface.At(95, 22), BgrOf(0x405060));
}
