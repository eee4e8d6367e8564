// The edit control in a real bar window under Xvfb: a click opens the EDIT window over the edit
// box with its text selected; Enter and Tab store the typed text (OnChange once), Escape keeps
// the old one, a click elsewhere stores it only with AlwaysSaveText; a long text is stored
// whole; a read-only item refuses typing; the inactive edit is drawn by the painter.

#include "EditControlTestWindow.h"

#include "../ToolkitTestSupport.h"

#include "dxBarEdit.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"

namespace {

class BarEditControl : public EditControlTest {
protected:
    void SetUp() override {
        EditControlTest::SetUp();
        edit = static_cast<TdxBarEdit*>(form->FindComponent(L"edtName"));
        ASSERT_NE(edit, nullptr);
        edit->OnChange = MakeEvent(static_cast<EditControlTest*>(this), &EditControlTest::Changed);
        ShowWindowWith({edit});
        control = dynamic_cast<TdxBarEditControl*>(LinkOf(edit)->Control());
        ASSERT_NE(control, nullptr);
    }
    // Clicks the middle of the painted edit box and waits for the editor to take the focus.
    void OpenEditor() {
        ClickAt(ScreenCentre(control->EditPart(0)));
        ASSERT_TRUE(PumpUntil([&] { return control->EditHandle() && GetFocus() == control->EditHandle(); }))
            << "focused " << control->Focused() << " visible " << EditorVisible() << " focus " << GetFocus()
            << " active " << GetActiveWindow() << " bar " << window->Handle() << " edit " << control->EditHandle();
    }
    bool EditorVisible() const { return control->EditHandle() && IsWindowVisible(control->EditHandle()); }

    TdxBarEdit* edit = nullptr;
    TdxBarEditControl* control = nullptr;
};

TEST_F(BarEditControl, AClickShowsTheFocusedEditorOverTheBoxWithItsWholeTextSelected) {
    EXPECT_FALSE(EditorVisible());
    OpenEditor();
    EXPECT_TRUE(EditorVisible());
    EXPECT_TRUE(control->Focused());
    // The window lies on the edit box.
    RECT r{};
    GetWindowRect(control->EditHandle(), &r);
    MapWindowPoints(nullptr, window->Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_TRUE(SameRect(TRect(r), control->EditPart(0)));
    DWORD start = 0, end = 0;
    SendMessageW(control->EditHandle(), EM_GETSEL, WPARAM(&start), LPARAM(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, DWORD(edit->GetText().length()));
    EXPECT_EQ(changes, 0);
}

// Each key after typing "Кубы" over the selected text.
TEST_F(BarEditControl, EnterAndTabStoreTheTypedTextOnceAndEscapeKeepsTheOldOne) {
    struct TCase {
        const char* what;
        Word key;
        bool alwaysSaveText;
        const char* text;
        int changes;
        bool editorOpen;
    } cases[] = {
        {"Enter", VK_RETURN, false, "Кубы", 1, false},
        {"Tab", VK_TAB, false, "Кубы", 1, true},
        {"Escape", VK_ESCAPE, false, "Уровень 1", 0, false},
        {"Escape with AlwaysSaveText", VK_ESCAPE, true, "Уровень 1", 0, false},
        {"Enter with AlwaysSaveText", VK_RETURN, true, "Кубы", 1, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        edit->SetText(L"Уровень 1");
        manager->SetAlwaysSaveText(c.alwaysSaveText);
        changes = 0;
        OpenEditor();
        TypeText(L"Кубы");
        ASSERT_TRUE(PumpUntil([&] { return ReadEditor(control) == L"Кубы"; }))
            << "selected " << (window->GetSelectedControl() == control) << " active " << window->IsActive()
            << " focus " << (GetFocus() == control->EditHandle()) << " contains " << control->ContainsWindow(GetFocus())
            << " text " << Utf8(ReadEditor(control));
        TypeKey(c.key);
        ASSERT_TRUE(PumpUntil([&] { return changes == c.changes && EditorVisible() == c.editorOpen; }));
        PumpUntilIdle();
        EXPECT_EQ(Utf8(edit->GetText()), c.text);
        EXPECT_EQ(changes, c.changes);
        // No newline or tab reached the window.
        if (c.editorOpen) EXPECT_EQ(Utf8(ReadEditor(control)), "Кубы");
        control->ControlInactivate(true);
        PumpUntilIdle();
    }
}

TEST_F(BarEditControl, AClickElsewhereStoresTheTextOnlyWithAlwaysSaveText) {
    TForm* other = NewShownForm(200, 100);
    for (bool always : {false, true}) {
        SCOPED_TRACE(always ? "AlwaysSaveText" : "not AlwaysSaveText");
        edit->SetText(L"Уровень 1");
        manager->SetAlwaysSaveText(always);
        changes = 0;
        OpenEditor();
        TypeText(L"Сфера");
        ASSERT_TRUE(PumpUntil([&] { return ReadEditor(control) == L"Сфера"; }));
        SetForegroundWindow(other->Handle());
        SetFocus(other->Handle());
        ASSERT_TRUE(PumpUntil([&] { return !EditorVisible(); }));
        PumpUntilIdle();
        EXPECT_FALSE(control->Focused());
        EXPECT_EQ(Utf8(edit->GetText()), always ? "Сфера" : "Уровень 1");
        EXPECT_EQ(changes, always ? 1 : 0);
        // The focus stays where the user put it.
        EXPECT_EQ(GetFocus(), other->Handle());
    }
    FreeObject(other);
}

TEST_F(BarEditControl, ALongTextIsStoredWhole) {
    OpenEditor();
    String text(300, L'ж');
    SetWindowTextW(control->EditHandle(), text.c_str());
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return changes == 1; }));
    EXPECT_EQ(edit->GetText().length(), 300u);
    EXPECT_EQ(edit->GetText(), text);
}

TEST_F(BarEditControl, AReadOnlyItemTakesTheFocusButRefusesTyping) {
    edit->SetReadOnly(true);
    OpenEditor();
    EXPECT_TRUE(GetWindowLongW(control->EditHandle(), GWL_STYLE) & ES_READONLY);
    TypeText(L"xyz");
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return !EditorVisible(); }));
    EXPECT_EQ(Utf8(edit->GetText()), "Уровень 1");
    EXPECT_EQ(changes, 0);
}

TEST_F(BarEditControl, OnCurChangeFollowsTypingButNotLoading) {
    edit->OnCurChange = MakeEvent(static_cast<EditControlTest*>(this), &EditControlTest::CurChanged);
    OpenEditor();
    EXPECT_EQ(curChanges, 0);  // loading the item's text is not a change of the user's
    TypeText(L"a");
    ASSERT_TRUE(PumpUntil([&] { return curChanges == 1; }));
}

TEST_F(BarEditControl, TheInactiveEditIsDrawnByThePainterWithTheItemsText) {
    PumpUntilIdle();
    TRect box = control->EditPart(0);
    const TColor back = TColor(ColorToRGB(clWindow)), ink = TColor(ColorToRGB(clWindowText));
    {
        // The box shows the edit colour and, inside it, the item's text in the text colour.
        TControlSnapshot shot(window->Handle());
        EXPECT_GT(CountColor(shot, box, back), RectWidth(box) * RectHeight(box) / 2);
        EXPECT_GT(CountColor(shot, box, ink), 10);
    }
    // An empty text leaves the box plain.
    edit->SetText(L"");
    PumpUntilIdle();
    TControlSnapshot shot(window->Handle());
    EXPECT_EQ(CountColor(shot, box, ink), 0);
    EXPECT_EQ(CountColor(shot, box, back), RectWidth(box) * RectHeight(box));
}

}  // namespace
