// Buttons, check boxes and speed buttons: Enter and Escape in a real modal form, clicks with
// real input, the states of a check box, glyphs by their pixels.

#include "ControlSnapshot.h"
#include "ControlsTestForm.h"

namespace {

// A dialog with an edit, a default OK button and a cancel button; on showing it types the keys.
class TKeyedDialog : public TForm {
    Z_CLASS(TKeyedDialog, TForm)
public:
    TKeyedDialog(TComponent* owner, TCreateNew) : TForm(owner, CreateNew) {
        SetPosition(poScreenCenter);
        SetClientWidth(260);
        SetClientHeight(80);
        edit = new TEdit(this);
        edit->SetParent(this);
        ok = new TButton(this);
        ok->SetBounds(8, 40, 75, 25);
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        ok->SetParent(this);
        cancel = new TButton(this);
        cancel->SetBounds(90, 40, 75, 25);
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        cancel->SetParent(this);
        OnShow = MakeEvent(this, &TKeyedDialog::TypeKeys);
    }
    std::function<void()> keys;
    TEdit* edit;
    TButton *ok, *cancel;

private:
    void TypeKeys(TObject*) {
        if (keys) keys();
        // Nothing the keys do may leave the dialog open.
        SetTimer(Handle(), 1, 2000, nullptr);
    }
};

}  // namespace

TEST_F(StandardControlsTest, EnterAndEscapeClickTheDefaultAndCancelButtonsOfAModalForm) {
    struct TCase {
        const char* name;
        std::function<void()> keys;
        TModalResult result;
    };
    const TCase cases[] = {
        {"Enter", [] { TypeKey(VK_RETURN); }, mrOk},
        {"Escape", [] { TypeKey(VK_ESCAPE); }, mrCancel},
        {"Enter on the focused cancel button",
         [] {
             TypeKey(VK_TAB);
             TypeKey(VK_TAB);
             TypeKey(VK_RETURN);
         },
         mrCancel},
        {"Shift+Enter then Escape",
         [] {
             TypeChord({VK_SHIFT, VK_RETURN});
             TypeKey(VK_ESCAPE);
         },
         mrCancel},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto* dialog = CreateNewForm<TKeyedDialog>(nullptr);
        dialog->keys = c.keys;
        EXPECT_EQ(dialog->ShowModal(), c.result);
        FreeObject(dialog);
    }
}

TEST_F(StandardControlsTest, ACheckBoxCyclesItsStatesWithClicksAndKeys) {
    auto* sound = form->Find<TCheckBox>(L"chkSound");
    auto* shadows = form->Find<TCheckBox>(L"chkShadows");
    EXPECT_EQ(shadows->State(), cbGrayed);  // read from the description, without a click
    EXPECT_EQ(SendMessageW(shadows->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    form->TakeEvents();

    ClickAt(sound->ClientToScreen(TPoint{6, sound->Height() / 2}));
    ASSERT_TRUE(PumpUntil([&] { return sound->Checked(); }));
    EXPECT_EQ(SendMessageW(sound->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"chkSound.click"}));
    TypeKey(VK_SPACE);  // the click gave it the focus
    ASSERT_TRUE(PumpUntil([&] { return !sound->Checked(); }));

    // Grayed, unchecked, checked, grayed again.
    TPoint box = shadows->ClientToScreen(TPoint{6, shadows->Height() / 2});
    const TCheckBoxState cycle[] = {cbUnchecked, cbChecked, cbGrayed};
    for (TCheckBoxState next : cycle) {
        ClickAt(box);
        ASSERT_TRUE(PumpUntil([&] { return shadows->State() == next; })) << int(next);
    }
    // A new window shows the same state.
    shadows->SetAlignment(taLeftJustify);
    EXPECT_EQ(SendMessageW(shadows->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
}

TEST_F(StandardControlsTest, ABitmapButtonDrawsTheGlyphCellOfItsState) {
    auto* help = form->Find<TBitBtn>(L"bbHelp");
    auto glyphPixels = [&](TColor color) {
        TControlSnapshot shot(help);
        int count = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x) count += shot.Pixel(x, y) == color ? 1 : 0;
        return count;
    };
    // The 10 x 10 square of the first cell; its fuchsia background is transparent.
    EXPECT_EQ(glyphPixels(clNavy), 100);
    EXPECT_EQ(glyphPixels(clFuchsia), 0);
    help->SetEnabled(false);
    EXPECT_EQ(glyphPixels(clNavy), 0);
    EXPECT_EQ(glyphPixels(clGray), 100);
}

TEST_F(StandardControlsTest, AFlatSpeedButtonClicks) {
    auto* pick = form->Find<TSpeedButton>(L"sbPick");
    form->TakeEvents();
    ClickAt(pick->ClientToScreen(TPoint{20, 10}));
    ASSERT_TRUE(PumpUntil([&] { return !form->events.empty(); }));
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"sbPick.click"}));
}
