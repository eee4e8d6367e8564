// Check boxes on real forms: the state cycle with real clicks, read-only boxes, Space and
// Escape, accelerators, custom glyph strips and image lists, automatic sizing, action links and
// the drawing paths by pixels.

#include <gtest/gtest.h>

#include <memory>

#include "Actions.h"
#include "Bitmap.h"
#include "Brush.h"
#include "Canvas.h"
#include "ControlSnapshot.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "RzCheckBox.h"
#include "RzGrafx.h"
#include "Themes.h"
#include "WindowTesting.h"

namespace {

class CheckBoxTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        SetHighColorDisplay(true);
        form.reset(NewShownForm(320, 200));
        form->SetColor(clBtnFace);
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    TRzCheckBox* NewBox(const String& caption, int top = 10) {
        auto* box = new TRzCheckBox(form.get());
        box->SetLeft(10);
        box->SetTop(top);
        box->SetCaption(caption);
        box->SetThemeAware(false);
        box->SetParent(form.get());
        return box;
    }
    TPoint GlyphCentre(TRzCheckBox* box) {
        TPoint at = box->GlyphPosition();
        return TPoint{at.x + box->GlyphWidth() / 2, at.y + box->GlyphHeight() / 2};
    }
    void ClickGlyph(TRzCheckBox* box) { ClickAt(box->ClientToScreen(GlyphCentre(box))); }
    std::unique_ptr<TForm> form;
};

// A strip or list of glyphs, each filled with its own colour: glyph i is (i * 20, 0, 200).
TColor GlyphColour(int i) { return TColor(RGB(i * 20, 0, 200)); }

void FillCells(TCanvas* canvas, int count, int width, int height) {
    for (int i = 0; i < count; ++i) {
        canvas->Brush()->SetColor(GlyphColour(i));
        canvas->FillRect(TRect{i * width, 0, i * width + width, height});
    }
}

}  // namespace

TEST_F(CheckBoxTest, ClicksCycleTheStatesAndAllowGrayedAddsTheThirdOne) {
    TRzCheckBox* box = NewBox(L"Cycle");
    TClickCount clicks;
    box->OnClick = MakeEvent(&clicks, &TClickCount::Click);
    PumpUntilIdle();
    struct Case {
        bool allowGrayed;
        std::vector<TCheckBoxState> states;
    } cases[] = {
        {true, {cbGrayed, cbChecked, cbUnchecked}},
        {false, {cbChecked, cbUnchecked, cbChecked}},
    };
    for (const Case& c : cases) {
        box->SetAllowGrayed(c.allowGrayed);
        box->SetState(cbUnchecked);
        clicks.clicks = 0;
        for (size_t i = 0; i < c.states.size(); ++i) {
            ClickGlyph(box);
            ASSERT_TRUE(PumpUntil([&] { return box->State() == c.states[i]; })) << c.allowGrayed << " step " << i;
            EXPECT_EQ(box->Perform(BM_GETCHECK), LRESULT(c.states[i]));
        }
        EXPECT_EQ(clicks.clicks, int(c.states.size()));
    }
}

TEST_F(CheckBoxTest, AReadOnlyBoxIgnoresClicksSpaceAndItsAcceleratorButNotTheProgram) {
    TRzCheckBox* box = NewBox(L"&Read only");
    box->SetReadOnly(true);
    PumpUntilIdle();
    ClickGlyph(box);
    PumpUntilIdle();
    EXPECT_EQ(box->State(), cbUnchecked);
    box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return box->Focused(); }));
    TypeKey(VK_SPACE);
    PumpUntilIdle();
    EXPECT_EQ(box->State(), cbUnchecked);
    TypeChord({VK_MENU, 'R'});
    PumpUntilIdle();
    EXPECT_EQ(box->State(), cbUnchecked);
    box->SetChecked(true);
    EXPECT_EQ(box->State(), cbChecked);

    // Writable: Space toggles, and so does the accelerator from another control.
    box->SetReadOnly(false);
    TypeKey(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return box->State() == cbUnchecked; }));
    auto* other = new TFocusTarget(form.get());
    other->SetParent(form.get());
    other->SetBounds(200, 150, 40, 20);
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return other->Focused(); }));
    TypeChord({VK_MENU, 'R'});
    EXPECT_TRUE(PumpUntil([&] { return box->State() == cbChecked && box->Focused(); }));
}

TEST_F(CheckBoxTest, HoldingSpaceShowsThePressedGlyphAndEscapeCancelsTheToggle) {
    TRzCheckBox* box = NewBox(L"Space");
    PumpUntilIdle();
    box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return box->Focused(); }));
    TPoint c = GlyphCentre(box);
    TColor normal = TControlSnapshot(box).Pixel(c.x, c.y);
    INPUT down{};
    down.type = INPUT_KEYBOARD;
    down.ki.wVk = VK_SPACE;
    SendInput(1, &down, sizeof(INPUT));
    ASSERT_TRUE(PumpUntil([&] { return box->PressedLook(); }));
    EXPECT_NE(TControlSnapshot(box).Pixel(c.x, c.y), normal);  // the pressed glyph
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !box->PressedLook(); }));
    INPUT up = down;
    up.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &up, sizeof(INPUT));
    PumpUntilIdle();
    EXPECT_EQ(box->State(), cbUnchecked);
    EXPECT_EQ(TControlSnapshot(box).Pixel(c.x, c.y), normal);
}

TEST_F(CheckBoxTest, TabOnEnterMovesTheFocusOn) {
    TRzCheckBox* box = NewBox(L"Enter");
    box->SetTabOnEnter(true);
    auto* next = new TFocusTarget(form.get());
    next->SetParent(form.get());
    next->SetBounds(10, 100, 40, 20);
    PumpUntilIdle();
    box->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return box->Focused(); }));
    TypeKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return next->Focused(); }));
    EXPECT_EQ(box->State(), cbUnchecked);
}

TEST_F(CheckBoxTest, ImageListsOfTwelveShowTheHotColumnOnlyWithHotTrack) {
    TRzCheckBox* box = NewBox(L"Images");
    for (int count : {9, 12}) {
        TCustomImageList images(nullptr, 16, 16);
        for (int i = 0; i < count; ++i) {
            TBitmap image(16, 16);
            FillCells(image.Canvas(), 1, 16, 16);
            image.Canvas()->Brush()->SetColor(GlyphColour(i));
            image.Canvas()->FillRect(TRect{0, 0, 16, 16});
            images.Add(&image, nullptr);
        }
        box->SetCustomGlyphImages(&images);
        ASSERT_TRUE(box->UseCustomGlyphs());
        EXPECT_EQ(box->GlyphWidth(), 16);
        box->SetHotTrack(true);
        box->Perform(CM_MOUSEENTER);
        TPoint c = GlyphCentre(box);
        struct Case {
            TCheckBoxState state;
            int image;
        } cases[] = {{cbUnchecked, count > 9 ? 9 : 0}, {cbChecked, count > 9 ? 10 : 1}, {cbGrayed, count > 9 ? 11 : 2}};
        for (const Case& k : cases) {
            box->SetState(k.state);
            EXPECT_EQ(TControlSnapshot(box).Pixel(c.x, c.y), GlyphColour(k.image)) << count << " images";
        }
        box->SetHotTrack(false);
        box->SetState(cbUnchecked);
        EXPECT_EQ(TControlSnapshot(box).Pixel(c.x, c.y), GlyphColour(0)) << count << " images, no hot track";
        box->SetEnabled(false);
        EXPECT_EQ(TControlSnapshot(box).Pixel(c.x, c.y), GlyphColour(6));
        box->SetEnabled(true);
        box->Perform(CM_MOUSELEAVE);
        box->SetCustomGlyphImages(nullptr);
        EXPECT_FALSE(box->UseCustomGlyphs());
        EXPECT_EQ(box->GlyphWidth(), 13);
    }
}

TEST_F(CheckBoxTest, AStripOf117PixelsGivesThirteenPixelGlyphsAndAutoSizeFollowsTheText) {
    TRzCheckBox* box = NewBox(L"Sized box");
    PumpUntilIdle();
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, box->Font()->Handle());
    SIZE text{};
    String caption = box->Caption();
    GetTextExtentPoint32W(dc, caption.c_str(), int(caption.size()), &text);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    EXPECT_EQ(box->Width(), text.cx + 19);
    EXPECT_EQ(box->Height(), std::max<int>(15, text.cy + 2));

    TBitmap strip(117, 13);
    FillCells(strip.Canvas(), 9, 13, 13);
    box->SetCustomGlyphs(&strip);
    EXPECT_TRUE(box->UseCustomGlyphs());
    EXPECT_EQ(box->GlyphWidth(), 13);
    EXPECT_EQ(box->GlyphHeight(), 13);
    EXPECT_EQ(box->Width(), text.cx + 19);
    // The strip's cells by state: normal, then disabled.
    TPoint c = GlyphCentre(box);
    box->SetState(cbGrayed);
    EXPECT_EQ(TControlSnapshot(box).Pixel(c.x, c.y), GlyphColour(2));
    box->SetEnabled(false);
    EXPECT_EQ(TControlSnapshot(box).Pixel(c.x, c.y), GlyphColour(8));
    box->SetEnabled(true);
    // The mask colour of custom glyphs shows the window colour.
    strip.Canvas()->Brush()->SetColor(box->WinMaskColor());
    strip.Canvas()->FillRect(TRect{26, 0, 39, 13});
    box->SetCustomGlyphs(&strip);
    EXPECT_EQ(TControlSnapshot(box).Pixel(c.x, c.y), RgbOf(clWindow));

    // The glyph at the right edge keeps the right edge where it was.
    int right = box->Left() + box->Width();
    box->SetAlignment(taLeftJustify);
    box->SetCaption(L"Sized");
    EXPECT_EQ(box->Left() + box->Width(), right);
    EXPECT_EQ(box->GlyphPosition().x, box->Width() - 13);
}

TEST_F(CheckBoxTest, ALinkedActionSetsCheckedWithoutAClick) {
    TRzCheckBox* box = NewBox(L"Linked");
    TClickCount boxClicks;
    box->OnClick = MakeEvent(&boxClicks, &TClickCount::Click);
    TAction action(form.get());
    TClickCount executed;
    action.SetOnExecute(MakeEvent(&executed, &TClickCount::Click));
    box->SetAction(&action);
    action.SetChecked(true);
    EXPECT_TRUE(box->Checked());
    action.SetChecked(false);
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(boxClicks.clicks, 0);
    EXPECT_EQ(executed.clicks, 0);
    EXPECT_FALSE(box->IsCheckedStored());
    box->SetAction(nullptr);
}

TEST_F(CheckBoxTest, TheHotTrackGlyphDrawsItsFrameFillMarkAndHotRing) {
    TRzCheckBox* box = NewBox(L"Hot");
    box->SetHotTrack(true);
    box->SetState(cbChecked);
    TPoint at = box->GlyphPosition();
    {
        TControlSnapshot shot(box);
        EXPECT_EQ(shot.Pixel(at.x, at.y + 6), RgbOf(box->FrameColor()));
        EXPECT_EQ(shot.Pixel(at.x + 1, at.y + 1), RgbOf(box->FillColor()));
        // The check mark's column L+4 spans T+7..T+9 (L, T the inside, T less one).
        EXPECT_EQ(shot.Pixel(at.x + 1 + 4, at.y + 1 - 1 + 8), RgbOf(box->HighlightColor()));
    }
    box->Perform(CM_MOUSEENTER);
    {
        TControlSnapshot shot(box);
        // The highlight ring starts pale at the top-left corner (diagonal down).
        EXPECT_EQ(shot.Pixel(at.x + 1, at.y + 1), RgbOf(BlendColors(clWhite, box->HotTrackColor(), 190)));
    }
    box->SetHotTrackStyle(htsFrame);
    {
        TControlSnapshot shot(box);
        EXPECT_EQ(shot.Pixel(at.x, at.y + 6), RgbOf(box->HotTrackColor()));
        EXPECT_EQ(shot.Pixel(at.x + 1, at.y + 6), RgbOf(box->HotTrackColor()));
    }
    box->Perform(CM_MOUSELEAVE);
    box->SetEnabled(false);
    {
        TControlSnapshot shot(box);
        EXPECT_EQ(shot.Pixel(at.x + 1, at.y + 1), RgbOf(box->DisabledColor()));
        EXPECT_EQ(shot.Pixel(at.x + 1 + 4, at.y + 8), RgbOf(clBtnShadow));
    }
}

TEST_F(CheckBoxTest, TheClassicGlyphIsTheSystemsFrameControl) {
    TRzCheckBox* box = NewBox(L"Classic");
    TPoint at = box->GlyphPosition();
    for (TCheckBoxState state : {cbUnchecked, cbChecked, cbGrayed}) {
        box->SetState(state);
        TBitmap expected(13, 13);
        RECT r{0, 0, 13, 13};
        UINT flags = DFCS_BUTTONCHECK;
        if (state == cbChecked) flags |= DFCS_CHECKED;
        if (state == cbGrayed) flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
        DrawFrameControl(expected.Canvas()->Handle(), &r, DFC_BUTTON, flags);
        TControlSnapshot shot(box);
        int differing = 0;
        for (int y = 0; y < 13; ++y)
            for (int x = 0; x < 13; ++x)
                if (shot.Pixel(at.x + x, at.y + y) != expected.Canvas()->Pixels(x, y)) ++differing;
        EXPECT_EQ(differing, 0) << int(state);
    }
}

TEST_F(CheckBoxTest, ATransparentBoxShowsItsParentAroundTheGlyph) {
    form->SetColor(clTeal);
    TRzCheckBox* box = NewBox(L"Over teal");
    box->SetHotTrack(true);
    box->SetTransparent(true);
    TControlSnapshot shot(box);
    EXPECT_EQ(shot.Pixel(box->Width() - 1, box->Height() - 1), RgbOf(clTeal));
    EXPECT_EQ(shot.Pixel(box->GlyphPosition().x + 1, box->GlyphPosition().y + 1), RgbOf(box->FillColor()));
}

TEST_F(CheckBoxTest, ThemedGlyphIsTheVisualStylesCheckBox) {
    REQUIRE_THEMES();
    TRzCheckBox* box = NewBox(L"Themed");
    box->SetThemeAware(true);
    box->SetState(cbChecked);
    TPoint at = box->GlyphPosition();
    TBitmap expected(13, 13);
    expected.Canvas()->Brush()->SetColor(box->Color());
    expected.Canvas()->FillRect(TRect{0, 0, 13, 13});
    TThemeData theme(L"BUTTON", box->Handle());
    ASSERT_TRUE(theme.DrawBackground(expected.Canvas()->Handle(), BP_CHECKBOX, CBS_CHECKEDNORMAL, TRect{0, 0, 13, 13}));
    TControlSnapshot shot(box);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(shot.Pixel(at.x + x, at.y + y), expected.Canvas()->Pixels(x, y)) << x << "," << y;
}
