// Framed edits on real forms: alignment through a new window, Tab-on-Enter, the cue banner, the
// colour states and the non-client frame by its pixels.

#include <gtest/gtest.h>

#include <memory>

#include "ControlSnapshot.h"
#include "ControlTesting.h"
#include "ControlsUnits.h"
#include "RzEdit.h"
#include "WindowTesting.h"

namespace {

class EditTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
        form.reset(NewShownForm(320, 200));
    }
    void TearDown() override {
        form.reset();
        WindowTest::TearDown();
    }
    TRzEdit* NewEdit(int top = 10) {
        auto* e = new TRzEdit(form.get());
        e->SetParent(form.get());
        e->SetBounds(10, top, 150, 24);
        return e;
    }
    // A pixel of the whole window (frame included), as the screen shows it.
    static TColor WindowPixel(TWinControl* c, int x, int y) {
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        HDC dc = GetWindowDC(c->Handle());
        TColor color = TColor(GetPixel(dc, x, y));
        ReleaseDC(c->Handle(), dc);
        return color;
    }
    // How many client pixels have the colour.
    static int CountColour(HWND window, TColor color) {
        TControlSnapshot shot(window);
        int n = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (shot.Pixel(x, y) == color) ++n;
        return n;
    }
    std::unique_ptr<TForm> form;
};

}  // namespace

TEST_F(EditTest, ChangingTheAlignmentMakesANewWindowWithTheSameText) {
    TRzEdit* edit = NewEdit();
    edit->SetText(L"kept text");
    HWND before = edit->Handle();
    EXPECT_EQ(GetWindowLongW(before, GWL_STYLE) & ES_RIGHT, 0);
    edit->SetAlignment(taRightJustify);
    HWND after = edit->Handle();
    EXPECT_NE(after, before);
    EXPECT_NE(GetWindowLongW(after, GWL_STYLE) & ES_RIGHT, 0);
    EXPECT_EQ(edit->Text(), L"kept text");
    edit->SetAlignment(taCenter);
    EXPECT_NE(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_CENTER, 0);
    EXPECT_EQ(GetWindowLongW(edit->Handle(), GWL_STYLE) & ES_MULTILINE, 0);
}

TEST_F(EditTest, TabOnEnterMovesTheFocusAndInsertsNothing) {
    TRzEdit* first = NewEdit(10);
    TRzEdit* second = NewEdit(50);
    first->SetText(L"abc");
    first->SetTabOnEnter(true);
    PumpUntilIdle();
    first->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return first->Focused(); }));
    TypeKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return second->Focused(); }));
    EXPECT_EQ(first->Text(), L"abc");
    // Without it the key stays in the edit (and a single-line edit takes no line break).
    second->SetFocus();
    TypeKey(VK_RETURN);
    PumpUntilIdle();
    EXPECT_TRUE(second->Focused());
}

TEST_F(EditTest, ColoursFollowTheStateAndAColourFromOutsideBecomesTheNormalOne) {
    TRzEdit* edit = NewEdit();
    TRzEdit* other = NewEdit(50);
    edit->SetFocusColor(clYellow);
    edit->SetDisabledColor(clSilver);
    edit->SetReadOnlyColor(clAqua);
    PumpUntilIdle();
    EXPECT_EQ(edit->Color(), clWindow);
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    EXPECT_EQ(edit->Color(), clYellow);
    edit->SetReadOnly(true);
    EXPECT_EQ(edit->Color(), clYellow);  // the focus colour, unless ReadOnlyColorOnFocus
    edit->SetReadOnlyColorOnFocus(true);
    EXPECT_EQ(edit->Color(), clAqua);
    other->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return other->Focused(); }));
    EXPECT_EQ(edit->Color(), clAqua);
    edit->SetReadOnly(false);
    EXPECT_EQ(edit->Color(), clWindow);
    edit->SetEnabled(false);
    EXPECT_EQ(edit->Color(), clSilver);
    edit->SetEnabled(true);
    EXPECT_EQ(edit->Color(), clWindow);

    // A colour given from outside is the new normal colour; the focus colour follows it while
    // it was the same.
    other->SetColor(clMoneyGreen);
    EXPECT_EQ(other->NormalColor(), clMoneyGreen);
    EXPECT_EQ(other->FocusColor(), clMoneyGreen);
    edit->SetColor(clCream);
    EXPECT_EQ(edit->NormalColor(), clCream);
    EXPECT_EQ(edit->FocusColor(), clYellow);
}

TEST_F(EditTest, CustomFrameByFrameVisibleAndFramingPreferenceInClassicAndThemedRuns) {
    struct Case {
        bool frameVisible;
        TFramingPreference preference;
        bool custom;  // with the visual styles off
        bool customThemed;
    } cases[] = {
        {false, fpXPThemes, false, false},
        {false, fpCustomFraming, false, false},
        {true, fpXPThemes, true, false},
        {true, fpCustomFraming, true, true},
    };
    TRzEdit* edit = NewEdit();
    edit->SetColor(clCream);
    edit->SetFrameColor(clRed);
    for (const Case& c : cases) {
        edit->SetFrameVisible(c.frameVisible);
        edit->SetFramingPreference(c.preference);
        PumpUntilIdle();
        bool custom = ThemesActive() ? c.customThemed : c.custom;
        TColor outer = WindowPixel(edit, 0, 10), inner = WindowPixel(edit, 1, 10);
        if (custom) {
            EXPECT_EQ(outer, RgbOf(clRed)) << c.frameVisible << "/" << int(c.preference);
            EXPECT_EQ(inner, RgbOf(clCream)) << c.frameVisible << "/" << int(c.preference);
        } else {
            EXPECT_NE(outer, RgbOf(clRed)) << c.frameVisible << "/" << int(c.preference);
        }
    }
}

TEST_F(EditTest, TheHotFrameShowsWhileTheMouseIsOverOrTheEditHasTheFocus) {
    TRzEdit* edit = NewEdit();
    TRzEdit* other = NewEdit(60);
    edit->SetFramingPreference(fpCustomFraming);
    edit->SetFrameHotTrack(true);
    EXPECT_TRUE(edit->FrameVisible());
    edit->SetFrameColor(clBlue);
    edit->SetFrameHotColor(clRed);
    other->SetFocus();
    SetCursorPos(300, 190);
    PumpUntilIdle();
    EXPECT_EQ(WindowPixel(edit, 0, 10), RgbOf(clBlue));
    EXPECT_EQ(WindowPixel(edit, 1, 10), RgbOf(edit->Color()));
    // The mouse over the edit: the bold hot frame (two lines).
    TPoint over = edit->ClientToScreen(TPoint{20, 8});
    SetCursorPos(over.x, over.y);
    ASSERT_TRUE(PumpUntil([&] { return edit->OverControl(); }));
    EXPECT_EQ(WindowPixel(edit, 0, 10), RgbOf(clRed));
    EXPECT_EQ(WindowPixel(edit, 1, 10), RgbOf(clRed));
    SetCursorPos(300, 190);
    ASSERT_TRUE(PumpUntil([&] { return !edit->OverControl(); }));
    EXPECT_EQ(WindowPixel(edit, 1, 10), RgbOf(edit->Color()));
    // The focus.
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return edit->InControl(); }));
    EXPECT_EQ(WindowPixel(edit, 1, 10), RgbOf(clRed));
}

TEST_F(EditTest, ThemedCueBannerShowsOnlyWhileTheTextIsEmpty) {
    REQUIRE_THEMES();
    TRzEdit* edit = NewEdit();
    TRzEdit* other = NewEdit(60);
    edit->SetTextHint(L"Type here");
    wchar_t buffer[64] = {};
    ASSERT_TRUE(SendMessageW(edit->Handle(), EM_GETCUEBANNER, WPARAM(buffer), 64));
    EXPECT_EQ(String(buffer), L"Type here");
    other->SetFocus();
    PumpUntilIdle();
    TColor grey = RgbOf(clGrayText);
    EXPECT_GT(CountColour(edit->Handle(), grey), 5);
    edit->SetText(L"x");
    EXPECT_EQ(CountColour(edit->Handle(), grey), 0);
    edit->SetText(L"");
    // Focused: hidden, unless it is to stay visible on focus.
    edit->SetFocus();
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    EXPECT_EQ(CountColour(edit->Handle(), grey), 0);
    edit->SetTextHintVisibleOnFocus(true);
    EXPECT_GT(CountColour(edit->Handle(), grey), 5);
}

TEST_F(EditTest, AValidateErrorHandlerNamesTheError) {
    struct TProbe : TRzEdit {
        using TRzEdit::TRzEdit;
        void Fail() { ValidateError(); }
    };
    struct THandler : TObject {
        String text;
        void Name(TObject*, String& message) { message = text; }
    } handler;
    TProbe edit(nullptr);
    edit.OnValidateError = MakeEvent(&handler, &THandler::Name);
    handler.text = L"Not a number";
    try {
        edit.Fail();
        FAIL() << "no error";
    } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message(), L"Not a number");
    }
    handler.text.clear();
    EXPECT_THROW(edit.Fail(), EDBEditError);  // the platform's own error
}
