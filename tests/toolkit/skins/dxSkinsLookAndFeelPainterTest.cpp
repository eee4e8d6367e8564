// The skin look-and-feel painter: colours and sizes come from the skin info and fall back to the
// Office-style painter's answers when the skin lacks the element; drawing is checked by pixels
// on offscreen 32-bit bitmaps, with elements made of known colours.

#include <gtest/gtest.h>

#include <memory>

#include "../PainterTestSupport.h"
#include "SkinTestSupport.h"
#include "cxExtendedStylePainters.h"
#include "dxSkinLilian.h"
#include "dxSkinsLookAndFeelPainter.h"

namespace {

const TcxOffice11LookAndFeelPainter* Office() { return TcxOffice11LookAndFeelPainter::Instance(); }
const TdxSkinLookAndFeelPainter* Skin() { return TdxSkinLookAndFeelPainter::Instance(); }

// A skin built in code, registered with the base skin painter for the life of the fixture, so
// that the painter finds its info through the registry as a skin painter does.
class SkinPainterFixture : public ::testing::Test {
protected:
    void SetUp() override {
        info_ = new TdxSkinLookAndFeelPainterInfo(new TdxSkin(L"PaintTest"));
        ASSERT_TRUE(GlobalExtendedStylePainters()->RegisterPainter(L"PaintTest", Skin(), info_));
    }
    void TearDown() override { GlobalExtendedStylePainters()->UnregisterPainter(L"PaintTest"); }

    // Gives the element a one-colour picture of w x h ($BBGGRR colour).
    static void Paint(TdxSkinElement* element, int w, int h, TColor color) {
        element->Image()->SetStates({esNormal});
        // the picture helper takes $RRGGBB
        const DWORD bgr = DWORD(ColorToRGB(color));
        SetSkinTestPictureColor(element->Image(), w, h, ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF));
    }

    TdxSkinLookAndFeelPainterInfo* info_ = nullptr;
};

}  // namespace

TEST_F(SkinPainterFixture, ThePainterFindsTheInfoRegisteredWithItsClass) {
    EXPECT_EQ(Skin()->PainterSkinInfo(), info_);
    EXPECT_EQ(Skin()->OwningUnitName(), L"dxSkinsLookAndFeelPainter");
    GlobalExtendedStylePainters()->UnregisterPainter(L"PaintTest");
    EXPECT_EQ(Skin()->PainterSkinInfo(), nullptr);
    // without an info every answer is the Office-style one
    EXPECT_EQ(Skin()->ContentColor(), Office()->ContentColor());
    EXPECT_TRUE(PointsEqual(Skin()->CheckBoxSize(), Office()->CheckBoxSize()));
    info_ = new TdxSkinLookAndFeelPainterInfo(new TdxSkin(L"PaintTest"));
    ASSERT_TRUE(GlobalExtendedStylePainters()->RegisterPainter(L"PaintTest", Skin(), info_));
}

// Each colour and metric with its element (the skin's answer) and with the member cleared (the
// inherited answer).
TEST_F(SkinPainterFixture, ColoursAndMetricsComeFromTheSkinOrFromTheOfficePainter) {
    TdxSkinInfo* info = info_;
    info->GroupRow->SetColor(0x123456);
    info->GroupRow->SetTextColor(0x654321);
    info->Header->SetColor(0x0A0B0C);
    info->Category->SetTextColor(0x0C0B0A);
    info->GridFixedLine->SetColor(0x111111);
    Paint(info->Checkbox, 13, 14, clRed);
    Paint(info->RadioButton, 15, 16, clRed);
    Paint(info->PlusMinus, 9, 11, clRed);
    Paint(info->EditorButton, 17, 19, clRed);
    Paint(info->Navigator, 11, 13, clRed);
    Paint(info->TrackBarTrack, 20, 5, clRed);
    Paint(info->SizeGrip, 12, 12, clRed);
    info->FooterCell->ContentOffset()->AssignRect(TRect{1, 4, 2, 3});
    info->ProgressBorder->ContentOffset()->AssignRect(TRect{2, 3, 4, 5});
    info->LabelLine->MinSize()->SetWidth(3);

    struct TCase {
        const char* name;
        TdxSkinElement* TdxSkinInfo::*member;
        std::function<Int64(TcxLookAndFeelPainterClass)> ask;
        Int64 skinAnswer;
    };
    const TCase cases[] = {
        {"GroupRowColor", &TdxSkinInfo::GroupRow, [](auto p) { return Int64(p->GroupRowColor()); }, 0x123456},
        {"GroupRowTextColor", &TdxSkinInfo::GroupRow, [](auto p) { return Int64(p->GroupRowTextColor()); }, 0x654321},
        {"HeaderColor", &TdxSkinInfo::Header, [](auto p) { return Int64(p->HeaderColor()); }, 0x0A0B0C},
        {"VerticalGridCategoryTextColor", &TdxSkinInfo::Category,
         [](auto p) { return Int64(p->VerticalGridCategoryTextColor()); }, 0x0C0B0A},
        {"GridFixedLineColor", &TdxSkinInfo::GridFixedLine, [](auto p) { return Int64(p->GridFixedLineColor()); },
         0x111111},
        {"CheckBoxSize", &TdxSkinInfo::Checkbox, [](auto p) { return SizeCode(p->CheckBoxSize()); },
         SizeCode({13, 14})},
        {"RadioButtonImageSize", &TdxSkinInfo::RadioButton, [](auto p) { return SizeCode(p->RadioButtonImageSize()); },
         SizeCode({15, 16})},
        {"PlusMinusButtonSize", &TdxSkinInfo::PlusMinus, [](auto p) { return Int64(p->PlusMinusButtonSize()); }, 11},
        {"EditorButtonMinSize", &TdxSkinInfo::EditorButton, [](auto p) { return SizeCode(p->EditorButtonMinSize()); },
         SizeCode({17, 19})},
        // (17 - 11) / 2 and (19 - 13) / 2
        {"ButtonGroupBorders", &TdxSkinInfo::EditorButton, [](auto p) { return RectCode(p->ButtonGroupBorders(3, 1)); },
         RectCode({3, 3, 3, 3})},
        {"NavigatorGlyphSize", &TdxSkinInfo::Navigator, [](auto p) { return SizeCode(p->NavigatorGlyphSize()); },
         SizeCode({11, 13})},
        {"TrackBarTrackThickness", &TdxSkinInfo::TrackBarTrack,
         [](auto p) { return Int64(p->TrackBarTrackThickness()); }, 5},
        {"SizeGripExtent", &TdxSkinInfo::SizeGrip, [](auto p) { return SizeCode(p->SizeGripExtent()); },
         SizeCode({12, 12})},
        {"FooterCellBorderWidth", &TdxSkinInfo::FooterCell, [](auto p) { return Int64(p->FooterCellBorderWidth()); },
         4},
        {"ProgressIndicatorMargins", &TdxSkinInfo::ProgressBorder,
         [](auto p) { return RectCode(p->ProgressIndicatorMargins()); }, RectCode({2, 3, 4, 5})},
        {"LabelLineWidth", &TdxSkinInfo::LabelLine, [](auto p) { return Int64(p->LabelLineWidth()); }, 3},
        {"ButtonBorderWidth", &TdxSkinInfo::CommonButton,
         [](auto p) { return Int64(p->ButtonBorderWidth(cxbsNormal)); }, 0},
    };
    for (const TCase& c : cases) EXPECT_EQ(c.ask(Skin()), c.skinAnswer) << c.name;
    for (const TCase& c : cases) {
        TdxSkinElement* saved = info->*c.member;
        info->*c.member = nullptr;
        EXPECT_EQ(c.ask(Skin()), c.ask(Office())) << c.name << " without its element";
        info->*c.member = saved;
    }
}

TEST_F(SkinPainterFixture, RealColoursOnlyAndTheNormalEditorColourForReadOnlyAndInactive) {
    TdxSkinInfo* info = info_;
    TdxSkinColor content(nullptr, L"ContentColor"), normal(nullptr, L"BackgroundColor"),
        disabled(nullptr, L"BackgroundDisabledColor"), readOnly(nullptr, L"BackgroundReadOnlyColor");
    info->ContentColor = &content;
    info->EditorBackgroundColors[dxSkinEditorNormal] = &normal;
    info->EditorBackgroundColors[dxSkinEditorDisabled] = &disabled;
    info->EditorBackgroundColors[dxSkinEditorReadOnly] = &readOnly;
    content.SetValue(0x010203);
    EXPECT_EQ(Skin()->ContentColor(), TColor(0x010203));
    EXPECT_EQ(Skin()->SiteColor(), TColor(0x010203));
    content.SetValue(clNone);  // not a real colour
    EXPECT_EQ(Skin()->ContentColor(), Office()->ContentColor());
    normal.SetValue(0x0000AA);
    readOnly.SetValue(clNone);
    disabled.SetValue(clDefault);
    EXPECT_EQ(Skin()->EditorBackgroundColor(esckReadOnly), TColor(0x0000AA));
    EXPECT_EQ(Skin()->EditorBackgroundColor(esckInactive), TColor(0x0000AA));  // no colour at all
    EXPECT_EQ(Skin()->EditorBackgroundColor(esckDisabled), Office()->EditorBackgroundColor(esckDisabled));
    info->ContentColor = nullptr;
    for (auto& c : info->EditorBackgroundColors) c = nullptr;
    // "FormContent" holding the default colour counts as missing
    info->FormContent->SetColor(clDefault);
    EXPECT_EQ(Skin()->FormContentColor(), Office()->FormContentColor());
    info->FormContent->SetColor(0x00FF00);
    EXPECT_EQ(Skin()->FormContentColor(), TColor(0x00FF00));
}

TEST(dxSkinsLookAndFeelPainter, TheStoredLilianSkinAnswersItsStatedColours) {
    const TdxLilianPainter* lilian = TdxLilianPainter::Instance();
    ASSERT_NE(lilian->PainterSkinInfo(), nullptr);
    EXPECT_EQ(lilian->ContentColor(), TColor(0xFBF9F9));
    EXPECT_EQ(lilian->EditorBackgroundColor(esckReadOnly), TColor(0xFFFFFF));
    // "GridGroupPanel" has no picture, so its colour is none and the inherited one is used
    EXPECT_EQ(lilian->GridGroupPanelColor(), lilian->TcxOffice11LookAndFeelPainter::GridGroupPanelColor());
    EXPECT_NE(lilian->GridGroupPanelColor(), clNone);
    EXPECT_EQ(lilian->GridGroupPanelTextColor(), TColor(0xB87D70));
}

TEST_F(SkinPainterFixture, NavigatorPushButtonDrawsTheEditorButtonOrNothing) {
    Paint(info_->EditorButton, 10, 10, clBlue);
    TPaintSurface surface(20, 20);
    Skin()->DrawNavigatorPushButton(surface.Canvas(), TRect{2, 2, 18, 18}, cxbsNormal);
    EXPECT_EQ(surface.At(10, 10), RgbColor(clBlue));
    EXPECT_EQ(surface.At(1, 1), RgbColor(clWhite));
    info_->EditorButton = nullptr;
    TPaintSurface blank(20, 20);
    Skin()->DrawNavigatorPushButton(blank.Canvas(), TRect{2, 2, 18, 18}, cxbsNormal);
    EXPECT_TRUE(blank.IsBlank());
}

TEST_F(SkinPainterFixture, TheClockAtThreeShowsTheHourHandRightAndTheMinuteHandUp) {
    Paint(info_->ClockFace, 8, 8, clWhite);
    info_->ClockFace->SetTextColor(clBlack);
    info_->ClockGlass->Image()->SetStates({esNormal});
    SetSkinTestPicture(info_->ClockGlass->Image(), 8, 8, [](int, int) { return 0u; });  // clear glass
    TPaintSurface surface(80, 80, clSilver);
    Skin()->DrawClockFace(surface.Canvas(), TRect{10, 10, 70, 70}, TDateTime(3.0 / 24.0), clWhite);
    // centre (40, 40); radius 28: hour tip 21 to the right, minute tip 23.8 up
    EXPECT_EQ(surface.At(55, 40), RgbColor(clBlack));
    EXPECT_EQ(surface.At(61, 40), TColor(0x808000));   // the tip pixel
    EXPECT_EQ(surface.At(30, 40), RgbColor(clWhite));  // the hour hand's tail is short
    EXPECT_EQ(surface.At(40, 22), RgbColor(clBlack));
    EXPECT_EQ(surface.At(40, 55), RgbColor(clWhite));
    EXPECT_EQ(surface.At(25, 25), RgbColor(clWhite));
    EXPECT_EQ(surface.At(5, 5), RgbColor(clSilver));  // nothing outside the rectangle
}

TEST_F(SkinPainterFixture, EllipsisDotsAreOnePixelBelowTwelvePixelsAndTwoFromTwelve) {
    Paint(info_->EditorButton, 10, 10, clWhite);
    info_->EditorButton->SetTextColor(clBlack);
    struct TCase {
        int width;
        std::set<int> dotColumns;
        std::set<int> rows;
    };
    // x = (width - 3d - 4) / 2, y = (10 - d) / 2, dots d + 2 apart
    const TCase cases[] = {{11, {2, 5, 8}, {4}}, {12, {1, 2, 5, 6, 9, 10}, {4, 5}}};
    for (const TCase& c : cases) {
        TPaintSurface surface(c.width, 10);
        Skin()->DrawEditorButtonFace(surface.Canvas(), TRect{0, 0, c.width, 10}, cxbsNormal, cxbkEllipsisBtn);
        std::set<std::pair<int, int>> expected;
        for (int x : c.dotColumns)
            for (int y : c.rows) expected.insert({x, y});
        EXPECT_EQ(surface.PixelsOf(clBlack), expected) << c.width;
    }
}

TEST_F(SkinPainterFixture, ASeventeenPixelCaptionButtonDrawsItsTextOnePixelHigherAndShorter) {
    Paint(info_->CommonButton, 10, 10, clWhite);
    TPaintSurface drawn(60, 17), expected(60, 17), unshifted(60, 17);
    Skin()->DrawCaptionButton(drawn.Canvas(), TRect{0, 0, 60, 17}, cxbsNormal, L"Hg", true, clDefault, clBlack);
    for (TPaintSurface* s : {&expected, &unshifted}) {
        s->Canvas()->GetCanvasFont()->SetColor(clBlack);
        s->Canvas()->GetCanvasBrush()->SetStyle(bsClear);
    }
    expected.Canvas()->DrawTextInRect(L"Hg", TRect{0, -1, 60, 15}, 0x264);
    unshifted.Canvas()->DrawTextInRect(L"Hg", TRect{0, 0, 60, 17}, 0x264);
    EXPECT_GT(drawn.Count(clBlack), 0);
    EXPECT_TRUE(drawn.SameAs(expected));
    EXPECT_FALSE(drawn.SameAs(unshifted));
}

TEST_F(SkinPainterFixture, ADisabledNavigatorGlyphIsWashedOutAndKeepsItsTransparency) {
    TdxSkinElement* navigator = info_->Navigator;
    navigator->Image()->SetStates({esNormal});
    // left half opaque red, right half clear
    SetSkinTestPicture(navigator->Image(), 8, 8, [](int x, int) { return x < 4 ? 0xFFFF0000u : 0u; });
    TPaintSurface enabled(8, 8, clLime), disabled(8, 8, clLime);
    Skin()->DrawNavigatorGlyph(enabled.Canvas(), TRect{0, 0, 8, 8}, nullptr, 0, 0, true, false);
    Skin()->DrawNavigatorGlyph(disabled.Canvas(), TRect{0, 0, 8, 8}, nullptr, 0, 0, false, false);
    EXPECT_EQ(enabled.At(1, 4), RgbColor(clRed));
    // (0 + 0 + 255 + 2 * 255) div 5 = 153 in every channel
    EXPECT_EQ(disabled.At(1, 4), TColor(0x999999));
    EXPECT_EQ(disabled.At(6, 4), RgbColor(clLime));
}

TEST_F(SkinPainterFixture, CheckBoxAndRadioImagesFollowCheckAndButtonState) {
    // three image sets (unchecked, checked, grayed) of four states, 10 x 10 frames stacked
    auto frameColour = [](int set, int state) {
        return DWORD(0xFF000000u | (40 * (set + 1)) << 16 | (30 * (state + 1)) << 8 | 0x55);
    };
    TdxSkinElement* boxes[] = {info_->Checkbox, info_->RadioButton};
    for (TdxSkinElement* e : boxes) {
        e->SetImageCount(3);
        e->Image()->SetStates({esNormal, esHot, esPressed, esDisabled});
        e->Image()->SetImageLayout(ilVertical);
        SetSkinTestPicture(e->Image(), 10, 120, [&](int, int y) { return frameColour(y / 40, y / 10 % 4); });
    }
    auto bgr = [](DWORD argb) { return TColor(((argb & 0xFF) << 16) | (argb & 0xFF00) | ((argb >> 16) & 0xFF)); };
    const struct {
        TcxButtonState state;
        TcxCheckBoxState check;
        int stateIndex;
    } cases[] = {{cxbsNormal, cbsUnchecked, 0},
                 {cxbsHot, cbsChecked, 1},
                 {cxbsPressed, cbsGrayed, 2},
                 {cxbsDisabled, cbsChecked, 3}};
    for (const auto& c : cases) {
        TPaintSurface box(10, 10), radio(14, 14, clLime);
        Skin()->DrawCheckBoxGlyph(box.Canvas(), TRect{0, 0, 10, 10}, c.state, c.check);
        EXPECT_EQ(box.At(5, 5), bgr(frameColour(int(c.check), c.stateIndex))) << int(c.state);
        Skin()->DrawRadioButton(radio.Canvas(), 2, 2, c.state, c.check == cbsChecked, false, false, clBlue);
        EXPECT_EQ(radio.At(7, 7), bgr(frameColour(c.check == cbsChecked ? 1 : 0, c.stateIndex))) << int(c.state);
        EXPECT_EQ(radio.At(1, 1), RgbColor(clLime));
    }
}

namespace {

// A 10 x 10 picture with a one-pixel edge of one colour around a middle of another ($RRGGBB),
// cut with one-pixel margins, so the edge stays one pixel wide whatever the size drawn.
void PaintFramed(TdxSkinElement* element, DWORD edge, DWORD middle) {
    element->Image()->SetStates({esNormal, esHot});
    element->Image()->SetImageLayout(ilVertical);
    element->Image()->Margins()->AssignRect(TRect{1, 1, 1, 1});
    SetSkinTestPicture(element->Image(), 10, 20, [=](int x, int y) {
        const int fy = y % 10;
        return 0xFF000000u | (x == 0 || x == 9 || fy == 0 || fy == 9 ? edge : middle);
    });
}

TColor FromRgb(DWORD rgb) { return TColor(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF)); }

}  // namespace

// A header cell draws its element clipped to the cell; a side without its border pushes the
// element's edge out of the cell, so the middle reaches the cell's edge there.
TEST_F(SkinPainterFixture, HeaderCellsDrawTheirElementGrownOverTheSidesWithoutBorders) {
    PaintFramed(info_->Header, 0x0000A0, 0x00B000);
    PaintFramed(info_->HeaderSpecial, 0xC00000, 0xD0D000);
    const TRect cell{10, 2, 30, 18};
    auto draw = [&](TcxLookAndFeelPainterClass painter, TPaintSurface& s, TcxBorders borders, bool special) {
        painter->DrawHeaderCell(s.Canvas(), cell, cell, cxbsNormal, TcxNeighbors{}, borders, taLeftJustify, vaTop,
                                false, false, String(), nullptr, clDefault, clWindow, nullptr, false, special);
    };
    struct TCase {
        TcxBorders borders;
        bool special;
        DWORD left, top, middle;  // colours at the cell's left edge, top edge and middle
    } cases[] = {
        {cxBordersAll, false, 0x0000A0, 0x0000A0, 0x00B000},
        {TcxBorders{bTop, bRight, bBottom}, false, 0x00B000, 0x0000A0, 0x00B000},
        {TcxBorders{bLeft, bRight, bBottom}, false, 0x0000A0, 0x00B000, 0x00B000},
        {cxBordersAll, true, 0xC00000, 0xC00000, 0xD0D000},
    };
    for (const TCase& c : cases) {
        TPaintSurface surface(40, 20);
        draw(Skin(), surface, c.borders, c.special);
        EXPECT_EQ(surface.At(10, 10), FromRgb(c.left)) << c.special;
        EXPECT_EQ(surface.At(20, 2), FromRgb(c.top)) << c.special;
        EXPECT_EQ(surface.At(20, 10), FromRgb(c.middle)) << c.special;
        EXPECT_EQ(surface.At(9, 10), RgbColor(clWhite));  // clipped to the cell
        EXPECT_EQ(surface.At(20, 1), RgbColor(clWhite));
    }
    // a plain header cell is the cell without the special flag
    TPaintSurface plain(40, 20), header(40, 20);
    Skin()->DrawPlainHeaderCell(plain.Canvas(), cell, cell, cxbsNormal, TcxNeighbors{}, cxBordersAll, taLeftJustify,
                                vaTop, false, false, String(), nullptr, clDefault, clWindow);
    draw(Skin(), header, cxBordersAll, false);
    EXPECT_TRUE(plain.SameAs(header));
    // without the element: the inherited cell
    info_->Header = nullptr;
    TPaintSurface mine(40, 20), inherited(40, 20);
    draw(Skin(), mine, cxBordersAll, false);
    Skin()->TcxOffice11LookAndFeelPainter::DrawHeaderCell(inherited.Canvas(), cell, cell, cxbsNormal, TcxNeighbors{},
                                                          cxBordersAll, taLeftJustify, vaTop, false, false, String(),
                                                          nullptr, clDefault, clWindow);
    EXPECT_TRUE(mine.SameAs(inherited));
    EXPECT_FALSE(mine.IsBlank());
}

TEST_F(SkinPainterFixture, FooterCellsBorderAndPanelDrawTheFooterElements) {
    Paint(info_->FooterCell, 10, 10, TColor(0x0000C0));
    Paint(info_->FooterPanel, 10, 10, TColor(0x00C000));
    info_->FooterPanel->ContentOffset()->AssignRect(TRect{2, 2, 3, 3});
    // the cell keeps what is drawn after it off its rectangle
    {
        TPaintSurface surface(40, 30);
        Skin()->DrawFooterCell(surface.Canvas(), TRect{5, 5, 20, 20}, taLeftJustify, vaTop, false, String(), nullptr,
                               clDefault, clWindow);
        surface.Canvas()->FillRectWithColor(surface.Bounds(), clYellow);
        EXPECT_EQ(surface.At(10, 10), TColor(0x0000C0));
        EXPECT_EQ(surface.At(25, 10), RgbColor(clYellow));
    }
    // the border: only the panel's right and bottom edges, not the line above it
    {
        TPaintSurface surface(50, 40);
        Skin()->DrawFooterBorder(surface.Canvas(), TRect{10, 10, 40, 30});
        EXPECT_EQ(surface.At(38, 15), TColor(0x00C000));
        EXPECT_EQ(surface.At(20, 28), TColor(0x00C000));
        EXPECT_EQ(surface.At(20, 15), RgbColor(clWhite));
        EXPECT_EQ(surface.At(20, 9), RgbColor(clWhite));
        EXPECT_EQ(surface.At(41, 15), RgbColor(clWhite));
    }
    // the panel reaches out by the content offset and one pixel up; a background picture is
    // drawn the Office way
    {
        TPaintSurface surface(50, 40);
        Skin()->DrawFooterPanel(surface.Canvas(), TRect{10, 10, 40, 30}, TcxViewParams{});
        EXPECT_EQ(surface.At(8, 9), TColor(0x00C000));
        EXPECT_EQ(surface.At(42, 32), TColor(0x00C000));
        EXPECT_EQ(surface.At(7, 9), RgbColor(clWhite));
        EXPECT_EQ(surface.At(8, 8), RgbColor(clWhite));
        TBitmap picture(4, 4, pf32bit);
        TcxViewParams background;
        background.bitmap = &picture;
        background.color = clRed;
        TPaintSurface mine(50, 40), office(50, 40);
        Skin()->DrawFooterPanel(mine.Canvas(), TRect{10, 10, 40, 30}, background);
        Office()->DrawFooterPanel(office.Canvas(), TRect{10, 10, 40, 30}, background);
        EXPECT_TRUE(mine.SameAs(office));
    }
}

// The indicator images: arrow, edit and insert are images 0 to 2 (the list mark is 2), centred.
TEST_F(SkinPainterFixture, IndicatorGlyphsAreTheIndicatorImagesCentred) {
    const DWORD colours[] = {0x101080, 0x108010, 0x801010};
    TdxSkinElement* images = info_->IndicatorImages;
    images->SetImageCount(3);
    images->Image()->SetStates({esNormal});
    images->Image()->SetImageLayout(ilVertical);
    SetSkinTestPicture(images->Image(), 6, 18, [&](int, int y) { return 0xFF000000u | colours[y / 6]; });
    const struct {
        TcxIndicatorKind kind;
        int image;  // -1: nothing
    } cases[] = {{ikArrow, 0}, {ikEdit, 1}, {ikInsert, 2}, {ikNone, -1}};
    for (const auto& c : cases) {
        TPaintSurface surface(15, 15);
        Skin()->DrawIndicatorGlyph(surface.Canvas(), TRect{0, 0, 15, 15}, c.kind);
        if (c.image < 0) {
            EXPECT_TRUE(surface.IsBlank());
            continue;
        }
        // (15 - 6) div 2 = 4
        EXPECT_EQ(surface.At(4, 4), FromRgb(colours[c.image])) << int(c.kind);
        EXPECT_EQ(surface.At(9, 9), FromRgb(colours[c.image])) << int(c.kind);
        EXPECT_EQ(surface.At(3, 3), RgbColor(clWhite));
        EXPECT_EQ(surface.At(10, 10), RgbColor(clWhite));
    }
    TPaintSurface mark(15, 15);
    Skin()->DrawIndicatorListMark(mark.Canvas(), TRect{0, 0, 15, 15}, clBlack);
    EXPECT_EQ(mark.At(6, 6), FromRgb(colours[2]));
    // an indicator cell: a header reaching one border width up, the glyph in the row
    Paint(info_->Header, 10, 10, TColor(0x404040));
    TPaintSurface item(20, 40), header(20, 40);
    Skin()->DrawIndicatorItem(item.Canvas(), TRect{0, 10, 20, 30}, ikEdit, clWindow);
    EXPECT_EQ(item.At(2, 9), TColor(0x404040));
    EXPECT_EQ(item.At(2, 8), RgbColor(clWhite));
    EXPECT_EQ(item.At(10, 20), FromRgb(colours[1]));
    Skin()->DrawIndicatorHeader(header.Canvas(), TRect{0, 10, 20, 30}, ikEdit, clWindow);
    EXPECT_TRUE(header.SameAs(item));
}

TEST_F(SkinPainterFixture, TheCalendarHeaderIsAHeaderCellWithArrowsInTheWindowTextColour) {
    Paint(info_->Header, 10, 10, TColor(0x00C0C0));
    const TRect r{0, 0, 60, 20};
    TPaintSurface none(60, 20), both(60, 20);
    Skin()->DrawCalendarHeader(none.Canvas(), r, String(), TcxNeighbors{}, TcxViewParams{}, haNone, 4);
    Skin()->DrawCalendarHeader(both.Canvas(), r, String(), TcxNeighbors{}, TcxViewParams{}, haBoth, 4);
    EXPECT_EQ(none.At(30, 10), TColor(0x00C0C0));
    EXPECT_EQ(none.Count(clWindowText), 0);
    EXPECT_GT(both.Count(clWindowText), 0);
    EXPECT_EQ(both.At(30, 10), TColor(0x00C0C0));
    info_->Header = nullptr;
    TPaintSurface mine(60, 20), office(60, 20);
    Skin()->DrawCalendarHeader(mine.Canvas(), r, String(), TcxNeighbors{}, TcxViewParams{}, haBoth, 4);
    Office()->DrawCalendarHeader(office.Canvas(), r, String(), TcxNeighbors{}, TcxViewParams{}, haBoth, 4);
    EXPECT_TRUE(mine.SameAs(office));
}

TEST_F(SkinPainterFixture, NavigationButtonsGrowToTheirMinimumWidthAndHideTheirOuterEdge) {
    info_->NavButtonNext->MinSize()->SetWidth(30);
    info_->NavButtonPrev->MinSize()->SetWidth(30);
    const struct {
        bool isNext;
        TRect grown;  // what the inherited layout is then given
    } cases[] = {{true, {-10, 0, 20, 100}}, {false, {0, 0, 30, 100}}};
    for (const auto& c : cases) {
        TRect arrow{}, text{}, content{0, 0, 20, 100};
        TRect officeArrow{}, officeText{}, officeContent = c.grown;
        Skin()->LayoutNavigationButton(c.isNext, false, arrow, text, content, TSize{10, 10}, TSize{0, 0});
        Skin()->TcxOffice11LookAndFeelPainter::LayoutNavigationButton(c.isNext, false, officeArrow, officeText,
                                                                      officeContent, TSize{10, 10}, TSize{0, 0});
        EXPECT_TRUE(RectsEqual(content, officeContent)) << c.isNext;
        EXPECT_TRUE(RectsEqual(arrow, officeArrow)) << c.isNext;
        EXPECT_TRUE(RectsEqual(text, officeText)) << c.isNext;
    }
    // wide enough already: the inherited layout unchanged
    TRect arrow{}, text{}, content{0, 0, 40, 100}, officeArrow{}, officeText{}, officeContent{0, 0, 40, 100};
    Skin()->LayoutNavigationButton(true, true, arrow, text, content, TSize{10, 10}, TSize{0, 0});
    Skin()->TcxOffice11LookAndFeelPainter::LayoutNavigationButton(true, true, officeArrow, officeText, officeContent,
                                                                  TSize{10, 10}, TSize{0, 0});
    EXPECT_TRUE(RectsEqual(content, officeContent));

    PaintFramed(info_->NavButtonPrev, 0x0000A0, 0x00B000);
    PaintFramed(info_->NavButtonNext, 0x0000A0, 0x00B000);
    Paint(info_->NavButtonPrevArrow, 4, 4, TColor(0x303030));
    Paint(info_->NavButtonNextArrow, 4, 4, TColor(0x303030));
    const TRect r{10, 0, 30, 20}, arrowR{16, 6, 24, 14};
    for (bool isNext : {false, true}) {
        TPaintSurface surface(40, 20);
        Skin()->DrawNavigationButtonContent(surface.Canvas(), r, arrowR, cxbsNormal, isNext);
        // the outer side (left of a previous button, right of a next one) shows no edge
        EXPECT_EQ(surface.At(10, 3), FromRgb(isNext ? 0x0000A0 : 0x00B000)) << isNext;
        EXPECT_EQ(surface.At(29, 3), FromRgb(isNext ? 0x00B000 : 0x0000A0)) << isNext;
        EXPECT_EQ(surface.At(20, 10), TColor(0x303030)) << isNext;
        EXPECT_EQ(surface.At(9, 3), RgbColor(clWhite));
        EXPECT_EQ(surface.At(30, 3), RgbColor(clWhite));
    }
}
