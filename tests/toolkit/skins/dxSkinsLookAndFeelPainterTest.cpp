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
