// Edits: typing, Cyrillic text, window re-creation, borders and the cue banner.

#include <commctrl.h>

#include "ControlsTestForm.h"

TEST_F(StandardControlsTest, TypingIntoAnEditChangesTextAndFiresOnChangeOncePerChange) {
    auto* edit = form->Find<TEdit>(L"edName");
    EXPECT_EQ(edit->Text(), L"Привет, мир");  // read from the description
    edit->SetText(String());
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"edName.change"}));

    ClickAt(edit->ClientToScreen(TPoint{20, 8}));
    ASSERT_TRUE(PumpUntil([&] { return edit->Focused(); }));
    TypeText(L"Ёж");
    TypeKey('X');
    ASSERT_TRUE(PumpUntil([&] { return edit->Text() == L"Ёжx"; }));
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"edName.change", "edName.change", "edName.change"}));
    TypeKey(VK_BACK);
    ASSERT_TRUE(PumpUntil([&] { return edit->Text() == L"Ёж"; }));
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"edName.change"}));

    edit->SetText(L"Щука");
    edit->SetText(L"Щука");  // unchanged: no event
    EXPECT_EQ(form->TakeEvents(), (std::vector<std::string>{"edName.change"}));
}

TEST_F(StandardControlsTest, EditPropertiesThatNeedANewWindowKeepTheText) {
    struct TCase {
        const char* name;
        std::function<void(TEdit*)> change;
        DWORD style;
        bool recreates;
        String text;  // the text afterwards
    };
    const String text = L"Щука и ёж";
    const TCase cases[] = {
        {"right-aligned", [](TEdit* e) { e->SetAlignment(taRightJustify); }, ES_RIGHT, true, text},
        {"centred", [](TEdit* e) { e->SetAlignment(taCenter); }, ES_CENTER, true, text},
        {"upper case", [](TEdit* e) { e->SetCharCase(ecUpperCase); }, ES_UPPERCASE, true, L"ЩУКА И ЁЖ"},
        {"selection kept", [](TEdit* e) { e->SetHideSelection(false); }, ES_NOHIDESEL, true, text},
        {"password", [](TEdit* e) { e->SetPasswordChar(L'*'); }, ES_PASSWORD, true, text},
        {"read-only", [](TEdit* e) { e->SetReadOnly(true); }, ES_READONLY, false, text},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto* edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetText(text);
        HWND before = edit->Handle();
        c.change(edit);
        PumpUntilIdle();
        EXPECT_EQ(edit->Handle() != before, c.recreates);
        EXPECT_NE(GetWindowLongW(edit->Handle(), GWL_STYLE) & LONG(c.style), 0);
        EXPECT_EQ(edit->Text(), c.text);
        FreeObject(edit);
    }
}

TEST_F(StandardControlsTest, AnEditsBorderAndAutomaticHeightFollowBorderStyleAndCtl3D) {
    struct TCase {
        TBorderStyle border;
        bool ctl3D;
        LONG exStyle;
        int borderWidth;  // on each side
    };
    const TCase cases[] = {
        {bsSingle, true, WS_EX_CLIENTEDGE, 2},
        {bsSingle, false, 0, 1},
        {bsNone, true, 0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(int(c.border) * 10 + c.ctl3D);
        auto* edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBorderStyle(c.border);
        edit->SetCtl3D(c.ctl3D);
        edit->HandleNeeded();
        EXPECT_EQ(GetWindowLongW(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, c.exStyle);
        // A line of text with a pixel of room above and below it, inside the borders.
        EXPECT_EQ(edit->Height(), FontLineHeight(edit->Font()) + 4 + 2 * c.borderWidth);
        FreeObject(edit);
    }
}

TEST_F(StandardControlsTest, TheManifestGivesEditsTheirCueBanner) {
    // Cue banners come with version 6 of the common controls, which the manifest asks for.
    auto* edit = form->Find<TEdit>(L"edName");
    const wchar_t hint[] = L"Поиск";
    EXPECT_TRUE(SendMessageW(edit->Handle(), EM_SETCUEBANNER, FALSE, LPARAM(hint)));
    wchar_t back[32] = {};
    EXPECT_TRUE(SendMessageW(edit->Handle(), EM_GETCUEBANNER, WPARAM(back), 32));
    EXPECT_EQ(String(back), hint);
}

namespace {
// A checked edit that names its own error, as descendants do.
class TNamedErrorEdit : public TCustomMaskEdit {
    Z_CLASS(TNamedErrorEdit, TCustomMaskEdit)
public:
    explicit TNamedErrorEdit(TComponent* o) : TCustomMaskEdit(o) {}
    String message;
    void Fail() { ValidateError(); }

protected:
    void ValidateError() override {
        if (message.empty()) TCustomMaskEdit::ValidateError();
        throw EDBEditError(message);
    }
};
}  // namespace

TEST(MaskEdit, ValidateErrorRaisesTheEditErrorADescendantMayName) {
    TNamedErrorEdit edit(nullptr);
    edit.SetEditText(L"12");
    EXPECT_EQ(edit.Text(), L"12");
    try {
        edit.Fail();
        FAIL() << "no error";
    } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message(), L"Invalid input value");
    }
    edit.message = L"Введите число";
    try {
        edit.Fail();
        FAIL() << "no error";
    } catch (const EDBEditError& e) {
        EXPECT_EQ(e.Message(), L"Введите число");
    }
}
