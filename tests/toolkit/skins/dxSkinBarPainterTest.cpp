// The skin bar painter: its constants, its state tables, the element each bar window is drawn
// with, and drawing checked by pixels with elements of known colours, from a skin built in
// code and registered with the base skin painter for each test.

#include <gtest/gtest.h>

#include <memory>

#include "../PainterTestSupport.h"
#include "../bars/BarPainterFakes.h"
#include "../bars/BarTestSupport.h"
#include "SkinTestSupport.h"
#include "cxExtendedStylePainters.h"
#include "dxBarStylePainters.h"
#include "dxSkinLilian.h"
#include "dxSkinsCore.h"
#include "dxSkinsdxBarPainter.h"

namespace {

TColor BgrOf(DWORD rgb) { return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)); }

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
    TdxSkinElement* glyphs = info_->DockWindowButtonGlyphs;
    glyphs->SetImageCount(8);
    glyphs->Image()->SetStates({esNormal});
    glyphs->Image()->SetImageLayout(ilVertical);
    // each set a 4 x 4 square of its own colour in the middle of a clear 10 x 10 frame
    SetSkinTestPicture(glyphs->Image(), 10, 80, [](int x, int y) -> DWORD {
        const int fy = y % 10;
        return x >= 3 && x < 7 && fy >= 3 && fy < 7 ? 0xFF000000u | DWORD(20 * (y / 10 + 1)) << 16 : 0u;
    });
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
