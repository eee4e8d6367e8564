// Push buttons on real forms: dialog keys in a modal form, press tracking with the real mouse,
// latching groups, the standard kinds, glyph cells and layout, and the hot-track look by pixels.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlSnapshot.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "RzButton.h"
#include "RzGrafx.h"
#include "WindowTesting.h"

namespace {

class ButtonTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        SetHighColorDisplay(true);
    }
    void TearDown() override {
        SetHighColorDisplay(true);
        WindowTest::TearDown();
    }
    TPoint ScreenPoint(TControl* c, int x, int y) { return c->ClientToScreen(TPoint{x, y}); }
};

// A dialog with a focusable field, an OK (default) and a Cancel button.
struct TDialog {
    std::unique_ptr<TForm> form{CreateNewForm(nullptr)};
    TFocusTarget* field;
    TRzBitBtn* ok;
    TRzBitBtn* cancel;
    TDialog() {
        form->SetBounds(50, 50, 260, 120);
        field = new TFocusTarget(form.get());
        field->SetParent(form.get());
        field->SetBounds(10, 10, 80, 20);
        ok = new TRzBitBtn(form.get());
        ok->SetParent(form.get());
        ok->SetBounds(10, 50, 75, 25);
        ok->SetKind(bkOK);
        cancel = new TRzBitBtn(form.get());
        cancel->SetParent(form.get());
        cancel->SetBounds(100, 50, 75, 25);
        cancel->SetKind(bkCancel);
    }
};

}  // namespace

TEST_F(ButtonTest, EnterAndEscapeReachTheDefaultAndCancelButtonsOnlyWithoutModifiers) {
    struct Case {
        std::vector<Word> keys;
        TModalResult expected;
    } cases[] = {
        {{VK_RETURN}, mrOk},           {{VK_ESCAPE}, mrCancel},    {{VK_SHIFT, VK_RETURN}, 99},
        {{VK_CONTROL, VK_RETURN}, 99}, {{VK_MENU, VK_RETURN}, 99}, {{VK_SHIFT, VK_ESCAPE}, 99},
        {{VK_CONTROL, VK_ESCAPE}, 99},
    };
    for (const Case& c : cases) {
        TDialog dialog;
        TClickCount okClicks;
        dialog.ok->OnClick = MakeEvent(&okClicks, &TClickCount::Click);
        std::vector<Word> keys = c.keys;
        TModalScript script(dialog.form.get(), {[&] { dialog.field->SetFocus(); },
                                                [&] {
                                                    ASSERT_TRUE(dialog.ok->Active());
                                                    ASSERT_FALSE(dialog.cancel->Active());
                                                    if (keys.size() == 1)
                                                        TypeKey(keys[0]);
                                                    else
                                                        TypeChord({keys[0], keys[1]});
                                                }});
        EXPECT_EQ(dialog.form->ShowModal(), c.expected)
            << c.keys.back() << " with " << c.keys.size() - 1 << " modifier";
        EXPECT_EQ(okClicks.clicks, c.expected == mrOk ? 1 : 0);
    }
}

TEST_F(ButtonTest, AFocusedButtonIsTheActiveOneAndAClickSetsTheModalResult) {
    TDialog dialog;
    // Focus on the Cancel button: it answers Enter, the OK button no longer does.
    TModalScript script(dialog.form.get(), {[&] { dialog.field->SetFocus(); },
                                            [&] {
                                                EXPECT_TRUE(dialog.ok->Active());
                                                dialog.cancel->SetFocus();
                                            },
                                            [&] {
                                                EXPECT_TRUE(dialog.cancel->Active());
                                                EXPECT_FALSE(dialog.ok->Active());
                                                TypeKey(VK_RETURN);
                                            }});
    EXPECT_EQ(dialog.form->ShowModal(), mrCancel);

    // A real click on OK ends the modal run with its result.
    TDialog second;
    TModalScript clicker(second.form.get(), {[&] { ClickAt(second.ok->ClientToScreen(TPoint{30, 12})); }});
    EXPECT_EQ(second.form->ShowModal(), mrOk);

    // A button without a modal result still sets the form's (to 0).
    std::unique_ptr<TForm> form(NewShownForm(200, 100));
    auto* plain = new TRzButton(form.get());
    plain->SetParent(form.get());
    PumpUntilIdle();
    form->SetModalResult(mrAbort);
    ClickAt(plain->ClientToScreen(TPoint{30, 12}));
    EXPECT_TRUE(PumpUntil([&] { return form->ModalResult() == mrNone; }));
}

TEST_F(ButtonTest, APressReleasedOutsideDoesNotClickAndComingBackInsideDoes) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    auto* button = new TRzButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(20, 20, 80, 30);
    TClickCount log;
    button->OnClick = MakeEvent(&log, &TClickCount::Click);
    PumpUntilIdle();
    // The right and bottom edges (client width, client height) lie outside.
    for (TPoint outside : {TPoint{80, 10}, TPoint{10, 30}, TPoint{-1, 10}}) {
        MoveMouseTo(ScreenPoint(button, 40, 15));
        MouseButton(true);
        ASSERT_TRUE(PumpUntil([&] { return button->PressedLook(); }));
        MoveMouseTo(ScreenPoint(button, outside.x, outside.y));
        ASSERT_TRUE(PumpUntil([&] { return !button->PressedLook(); })) << outside.x << "," << outside.y;
        MouseButton(false);
        ASSERT_TRUE(PumpUntil([&] { return !button->Tracking(); }));
        PumpUntilIdle();
        EXPECT_EQ(log.clicks, 0) << outside.x << "," << outside.y;
    }
    MoveMouseTo(ScreenPoint(button, 40, 15));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return button->PressedLook(); }));
    MoveMouseTo(ScreenPoint(button, 80, 15));
    ASSERT_TRUE(PumpUntil([&] { return !button->PressedLook(); }));
    MoveMouseTo(ScreenPoint(button, 79, 29));
    ASSERT_TRUE(PumpUntil([&] { return button->PressedLook(); }));
    MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return log.clicks == 1; }));
}

TEST_F(ButtonTest, SpaceClicksOnReleaseAndLosingTheFocusDisarms) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    auto* button = new TRzButton(form.get());
    button->SetParent(form.get());
    auto* other = new TFocusTarget(form.get());
    other->SetParent(form.get());
    other->SetBounds(0, 80, 50, 20);
    TClickCount log;
    button->OnClick = MakeEvent(&log, &TClickCount::Click);
    PumpUntilIdle();
    button->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return button->Focused(); }));
    TypeKey(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return log.clicks == 1; }));
    // Space held, then the focus moves away: no click on the later release.
    button->Perform(WM_KEYDOWN, VK_SPACE, 0);
    EXPECT_TRUE(button->PressedLook());
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return other->Focused(); }));
    EXPECT_FALSE(button->PressedLook());
    button->Perform(WM_KEYUP, VK_SPACE, 0);
    EXPECT_EQ(log.clicks, 1);
}

TEST_F(ButtonTest, SpaceHeldThenEscapeCancelsTheFormWithoutClickingTheButton) {
    TDialog dialog;
    TClickCount okClicks;
    dialog.ok->OnClick = MakeEvent(&okClicks, &TClickCount::Click);
    INPUT space{};
    space.type = INPUT_KEYBOARD;
    space.ki.wVk = VK_SPACE;
    TModalScript script(dialog.form.get(),
                        {[&] { dialog.ok->SetFocus(); }, [&] { SendInput(1, &space, sizeof(INPUT)); },
                         [&] {
                             EXPECT_TRUE(dialog.ok->PressedLook());
                             TypeKey(VK_ESCAPE);
                         }});
    EXPECT_EQ(dialog.form->ShowModal(), mrCancel);
    space.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &space, sizeof(INPUT));
    PumpUntilIdle();
    EXPECT_EQ(okClicks.clicks, 0);
}

TEST_F(ButtonTest, GroupMembersLatchOneAtATime) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    TRzButton* b[3];
    for (int i = 0; i < 3; ++i) {
        b[i] = new TRzButton(form.get());
        b[i]->SetParent(form.get());
        b[i]->SetBounds(10 + 80 * i, 10, 75, 25);
        b[i]->SetGroupIndex(1);
    }
    // Another parent's member of the same group is not touched.
    auto* panel = new TFocusTarget(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 60, 200, 60);
    panel->SetControlStyle(panel->ControlStyle() + csAcceptsControls);
    auto* elsewhere = new TRzButton(form.get());
    elsewhere->SetParent(panel);
    elsewhere->SetGroupIndex(1);
    elsewhere->SetDown(true);
    PumpUntilIdle();

    ClickAt(ScreenPoint(b[0], 30, 12));
    ASSERT_TRUE(PumpUntil([&] { return b[0]->Down(); }));
    EXPECT_EQ(b[0]->State(), bsExclusive);
    ClickAt(ScreenPoint(b[1], 30, 12));
    ASSERT_TRUE(PumpUntil([&] { return b[1]->Down(); }));
    EXPECT_FALSE(b[0]->Down());
    EXPECT_EQ(b[0]->State(), bsUp);
    EXPECT_TRUE(elsewhere->Down());
    // Without AllowAllUp a pressed down member stays down.
    TClickCount log;
    b[1]->OnClick = MakeEvent(&log, &TClickCount::Click);
    ClickAt(ScreenPoint(b[1], 30, 12));
    ASSERT_TRUE(PumpUntil([&] { return log.clicks == 1; }));
    EXPECT_TRUE(b[1]->Down());
    // AllowAllUp set on one member reaches the others; now a press releases.
    b[2]->SetAllowAllUp(true);
    EXPECT_TRUE(b[1]->AllowAllUp());
    ClickAt(ScreenPoint(b[1], 30, 12));
    ASSERT_TRUE(PumpUntil([&] { return log.clicks == 2; }));
    EXPECT_FALSE(b[1]->Down());
    // Down by code releases the others; outside a group Down stays false.
    b[0]->SetDown(true);
    b[2]->SetDown(true);
    EXPECT_FALSE(b[0]->Down());
    auto* loose = new TRzButton(form.get());
    loose->SetParent(form.get());
    loose->SetDown(true);
    EXPECT_FALSE(loose->Down());
}

TEST_F(ButtonTest, KindsSetCaptionResultDefaultCancelAndGlyphAndRevertToCustom) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    struct Case {
        TBitBtnKind kind;
        const wchar_t* caption;
        TModalResult result;
        bool isDefault, isCancel;
    } cases[] = {
        {bkOK, L"OK", 1, true, false},           {bkCancel, L"Cancel", 2, false, true},
        {bkHelp, L"&Help", 0, false, false},     {bkYes, L"&Yes", 6, true, false},
        {bkNo, L"&No", 7, false, true},          {bkClose, L"&Close", 0, false, false},
        {bkAbort, L"Abort", 3, false, false},    {bkRetry, L"&Retry", 4, false, false},
        {bkIgnore, L"&Ignore", 5, false, false}, {bkAll, L"&All", 8, false, false},
    };
    for (const Case& c : cases) {
        auto* button = new TRzBitBtn(form.get());
        button->SetParent(form.get());
        button->SetKind(c.kind);
        EXPECT_EQ(button->Kind(), c.kind);
        EXPECT_EQ(button->Caption(), String(c.caption));
        EXPECT_EQ(button->ModalResult(), c.result);
        EXPECT_EQ(button->Default(), c.isDefault);
        EXPECT_EQ(button->Cancel(), c.isCancel);
        EXPECT_EQ(button->NumGlyphs(), 2);
        EXPECT_EQ(button->Glyph()->Width(), 32);
        EXPECT_EQ(button->Glyph()->Height(), 16);
        EXPECT_EQ(KindGlyph(c.kind), KindGlyph(c.kind));  // one cached copy per kind
        EXPECT_NE(button->Glyph(), KindGlyph(c.kind));
    }
    auto* ok = new TRzBitBtn(form.get());
    ok->SetKind(bkOK);
    ok->SetModalResult(mrNone);
    EXPECT_EQ(ok->Kind(), bkCustom);
    auto* yes = new TRzBitBtn(form.get());
    yes->SetKind(bkYes);
    TBitmap own(16, 16);
    yes->SetGlyph(&own);
    EXPECT_EQ(yes->Kind(), bkCustom);
    auto* no = new TRzBitBtn(form.get());
    no->SetKind(bkNo);
    no->SetCancel(false);
    EXPECT_EQ(no->Kind(), bkCustom);
}

TEST_F(ButtonTest, GlyphWidthDecidesTheCellCountAndMarginRefusesValuesBelowMinusOne) {
    TRzBitBtn button(nullptr);
    struct Case {
        int width, height, before, after;
    } cases[] = {{64, 16, 1, 4}, {80, 16, 2, 1}, {30, 16, 3, 3}, {16, 16, 2, 1}, {48, 16, 1, 3}};
    for (const Case& c : cases) {
        button.SetNumGlyphs(c.before);
        TBitmap glyph(c.width, c.height);
        button.SetGlyph(&glyph);
        EXPECT_EQ(button.NumGlyphs(), c.after) << c.width << " x " << c.height;
    }
    button.SetMargin(5);
    button.SetMargin(-2);
    EXPECT_EQ(button.Margin(), 5);
    button.SetMargin(-1);
    EXPECT_EQ(button.Margin(), -1);
}

TEST_F(ButtonTest, GlyphAndCaptionRectanglesFollowLayoutMarginAndSpacing) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    auto* button = new TRzBitBtn(form.get());
    button->SetParent(form.get());
    button->SetBounds(0, 0, 75, 25);
    button->SetCaption(L"Go");
    TBitmap glyph(16, 16);
    button->SetGlyph(&glyph);
    // Caption area of the push button: the client rectangle less 5 on each side.
    struct Case {
        TButtonLayout layout;
        int margin;
        TRect glyph, caption;
    } cases[] = {
        {blGlyphLeft, 2, {7, 5, 23, 21}, {27, 5, 70, 20}},  {blGlyphRight, 2, {52, 5, 68, 21}, {5, 5, 48, 20}},
        {blGlyphTop, 2, {30, 7, 46, 23}, {5, 27, 70, 20}},  {blGlyphBottom, 2, {30, 2, 46, 18}, {5, 5, 70, -2}},
        {blGlyphLeft, -1, {5, 5, 21, 21}, {24, 5, 70, 20}}, {blGlyphRight, -1, {54, 5, 70, 21}, {5, 5, 51, 20}},
        {blGlyphLeft, 0, {5, 5, 21, 21}, {25, 5, 70, 20}},
    };
    for (const Case& c : cases) {
        button->SetLayout(c.layout);
        button->SetMargin(c.margin);
        TRect g = button->GetGlyphRect(), t = button->GetCaptionRect();
        EXPECT_TRUE(EqualRect(&g, &c.glyph)) << int(c.layout) << "/" << c.margin << ": glyph " << g.left << "," << g.top
                                             << "," << g.right << "," << g.bottom;
        EXPECT_TRUE(EqualRect(&t, &c.caption)) << int(c.layout) << "/" << c.margin << ": caption " << t.left << ","
                                               << t.top << "," << t.right << "," << t.bottom;
    }
}

TEST_F(ButtonTest, DisabledButtonsDrawTheDisabledCellOrTheDisabledImageUndimmed) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    auto* button = new TRzBitBtn(form.get());
    button->SetParent(form.get());
    button->SetBounds(0, 0, 75, 25);
    // A two-cell glyph: red, then blue; olive in the bottom-left corner is transparent.
    TBitmap glyph(32, 16);
    glyph.Canvas()->Brush()->SetColor(clRed);
    glyph.Canvas()->FillRect(TRect{0, 0, 16, 16});
    glyph.Canvas()->Brush()->SetColor(clBlue);
    glyph.Canvas()->FillRect(TRect{16, 0, 32, 16});
    glyph.Canvas()->SetPixels(0, 15, clOlive);
    button->SetGlyph(&glyph);
    ASSERT_EQ(button->NumGlyphs(), 2);
    TRect g = button->GetGlyphRect();
    int cx = (g.left + g.right) / 2, cy = (g.top + g.bottom) / 2;
    {
        TControlSnapshot shot(button);
        EXPECT_EQ(shot.Pixel(cx, cy), RgbOf(clRed));
    }
    button->SetEnabled(false);
    {
        TControlSnapshot shot(button);
        EXPECT_EQ(shot.Pixel(cx, cy), RgbOf(clBlue));
        EXPECT_EQ(button->GlyphCell(), 1);
    }
    button->SetNumGlyphs(1);
    EXPECT_EQ(button->GlyphCell(), 0);

    // Images: the disabled image drawn as it is; without it the normal image greyed.
    TCustomImageList images(nullptr, 16, 16);
    for (TColor c : {clRed, clBlue}) {
        TBitmap image(16, 16);
        image.Canvas()->Brush()->SetColor(c);
        image.Canvas()->FillRect(TRect{0, 0, 16, 16});
        images.Add(&image, nullptr);
    }
    auto* imaged = new TRzBitBtn(form.get());
    imaged->SetParent(form.get());
    imaged->SetBounds(0, 30, 75, 25);
    imaged->SetImages(&images);
    imaged->SetImageIndex(0);
    imaged->SetDisabledIndex(1);
    imaged->SetEnabled(false);
    g = imaged->GetGlyphRect();
    cx = (g.left + g.right) / 2;
    cy = (g.top + g.bottom) / 2;
    {
        TControlSnapshot shot(imaged);
        EXPECT_EQ(shot.Pixel(cx, cy), RgbOf(clBlue));
    }
    imaged->SetDisabledIndex(-1);
    {
        TControlSnapshot shot(imaged);
        EXPECT_NE(shot.Pixel(cx, cy), RgbOf(clRed));
        EXPECT_NE(shot.Pixel(cx, cy), RgbOf(clBlue));
    }
    imaged->SetImages(nullptr);
}

TEST_F(ButtonTest, HotTrackLookDrawsItsRingAndOnlyOnHighColourDisplays) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    form->SetColor(clBtnFace);
    auto* button = new TRzButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(10, 10, 80, 30);
    button->SetHotTrack(true);
    EXPECT_TRUE(button->Transparent());
    button->Perform(CM_MOUSEENTER);
    ASSERT_TRUE(button->MouseOver());
    TColor parent = clBtnFace;
    TColor pale = RgbOf(BlendColors(clWhite, button->HotTrackColor(), 190));
    {
        TControlSnapshot shot(button);
        // Outer ring: dark left and top, light right and bottom; the cut corner shows the parent.
        EXPECT_EQ(shot.Pixel(0, 15), RgbOf(DarkenColor(parent, 20)));
        EXPECT_EQ(shot.Pixel(40, 0), RgbOf(DarkenColor(parent, 20)));
        EXPECT_EQ(shot.Pixel(79, 15), RgbOf(BrightenColor(parent, 20)));
        EXPECT_EQ(shot.Pixel(40, 29), RgbOf(BrightenColor(parent, 20)));
        EXPECT_EQ(shot.Pixel(0, 0), RgbOf(parent));
        // The frame, then the highlight ring: its top row one colour step short of the pale
        // colour, the bottom near the hot-track colour.
        EXPECT_EQ(shot.Pixel(1, 15), RgbOf(button->FrameColor()));
        TColor top = shot.Pixel(40, 2);
        EXPECT_NEAR(GetRValue(top), GetRValue(pale), 12);
        EXPECT_NEAR(GetGValue(top), GetGValue(pale), 12);
        EXPECT_NEAR(GetBValue(top), GetBValue(pale), 12);
        TColor bottom = shot.Pixel(40, 27);
        EXPECT_NEAR(GetRValue(bottom), GetRValue(RgbOf(button->HotTrackColor())), 12);
        EXPECT_NEAR(GetGValue(bottom), GetGValue(RgbOf(button->HotTrackColor())), 12);
    }
    // 256 colours: a solid face and no ring.
    SetHighColorDisplay(false);
    {
        TControlSnapshot shot(button);
        EXPECT_EQ(shot.Pixel(40, 2), RgbOf(button->Color()));
        EXPECT_EQ(shot.Pixel(40, 15), RgbOf(button->Color()));
    }
}

TEST_F(ButtonTest, LatchedGroupButtonShowsTheDownPattern) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    auto* button = new TRzButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(0, 0, 40, 24);
    button->SetGroupIndex(3);
    button->SetDown(true);
    TControlSnapshot shot(button);
    // Silver (grey on a silver face) where column and row are both even or both odd, the face
    // colour elsewhere.
    TColor dots = RgbOf(clBtnFace) == TColor(0xC0C0C0) ? TColor(0x808080) : TColor(0xC0C0C0);
    EXPECT_EQ(shot.Pixel(10, 10), dots);
    EXPECT_EQ(shot.Pixel(11, 11), dots);
    EXPECT_EQ(shot.Pixel(11, 10), RgbOf(clBtnFace));
}

TEST_F(ButtonTest, RightAlignedCaptionKeepsTheShadowDepthFree) {
    std::unique_ptr<TForm> form(NewShownForm(300, 150));
    auto* button = new TRzButton(form.get());
    button->SetParent(form.get());
    button->SetBounds(0, 0, 80, 24);
    button->SetCaption(L"III");
    button->SetAlignment(taRightJustify);
    button->SetShowFocusRect(false);
    auto rightmostText = [&] {
        TControlSnapshot shot(button);
        for (int x = 74; x >= 0; --x)
            for (int y = 4; y < 20; ++y)
                if (GetRValue(shot.Pixel(x, y)) < 100) return x;  // dark text on the light face
        return -1;
    };
    int withDepth2 = rightmostText();
    button->SetTextShadowDepth(6);
    EXPECT_EQ(rightmostText(), withDepth2 - 4);
}
