// The name dialog of toolbars and categories, run modally with real typing and clicks: its
// captions per kind and mode, the refusal of a toolbar caption that another bar has, the own
// caption accepted on rename, OK disabled while the name is empty, categories not checked.

#include "SmallDialogTestSupport.h"

#include "dxBar.h"
#include "dxBarNameEd.h"

namespace {

class NameDialogTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        form->SetBounds(20, 20, 300, 200);
        form->Show();
        for (const wchar_t* caption : {L"Стандарт", L"Формат"}) {
            TdxBar* bar = manager->Bars()->Add();
            bar->SetCaption(caption);
        }
        manager->Categories()->Add(L"Файл");
        TakeBoxes();
    }
    TdxBar* Bar(const wchar_t* caption) { return manager->FindBarByCaption(caption); }
    static bool OkEnabled(TdxBarNameEd* d) { return IsWindowEnabled(d->BOK->Handle()) != FALSE; }
    static bool Press(Word key) {
        TypeKey(key);
        return true;
    }
};

TEST_F(NameDialogTest, CaptionsFollowKindAndModeAndTheNameIsOfferedForEditing) {
    struct TCase {
        int kind, mode;
        const char* caption;
        const char* label;
    };
    const TCase cases[] = {
        {dxBarNameKindToolbar, dxBarNameModeToolbarAdd, "Добавить панель инструментов", "Имя панели инструментов:"},
        {dxBarNameKindToolbar, dxBarNameModeToolbarRename, "Переименовать панель инструментов",
         "Имя панели инструментов:"},
        {dxBarNameKindCategory, dxBarNameModeCategoryAdd, "Добавить категорию", "Имя категории:"},
        {dxBarNameKindCategory, dxBarNameModeCategoryInsert, "Вставить категорию", "Имя категории:"},
        {dxBarNameKindCategory, dxBarNameModeCategoryRename, "Переименовать категорию", "Имя категории:"},
    };
    manager->Font()->SetName(L"Courier New");
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.caption);
        TdxBarNameEd* dialog = nullptr;
        std::string caption, label, ok, cancel, font, shownName;
        bool focused = false, stayOnTop = false;
        HWND owner = nullptr;
        TModalScript<TdxBarNameEd> script(dialog, {[&] {
                                                       caption = Utf8(dialog->Caption());
                                                       label = Utf8(dialog->LName->Caption());
                                                       ok = Utf8(dialog->BOK->Caption());
                                                       cancel = Utf8(dialog->BCancel->Caption());
                                                       font = Utf8(dialog->Font()->Name());
                                                       shownName = Utf8(dialog->EName->Text());
                                                       focused = GetFocus() == dialog->EName->Handle();
                                                       stayOnTop = GetWindowLongPtrW(dialog->Handle(), GWL_EXSTYLE) &
                                                                   WS_EX_TOPMOST;
                                                       owner = GetWindow(dialog->Handle(), GW_OWNER);
                                                       return true;
                                                   },
                                                   [] { return Press(VK_ESCAPE); }});
        String name = L"Сервис";
        EXPECT_FALSE(ShowNameDialog(name, c.kind, c.mode, nullptr, manager));
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(caption, c.caption);
        EXPECT_EQ(label, c.label);
        EXPECT_EQ(ok, "OK");
        EXPECT_EQ(cancel, "Отмена");
        EXPECT_EQ(font, "Courier New");
        EXPECT_EQ(shownName, "Сервис");
        EXPECT_TRUE(focused);
        EXPECT_TRUE(stayOnTop);
        EXPECT_EQ(owner, form->Handle());  // the window that was active
        EXPECT_EQ(Utf8(name), "Сервис");    // a cancelled dialog leaves the name alone
        EXPECT_EQ(ShownDialog<TdxBarNameEd>(), nullptr);
    }
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(NameDialogTest, ATakenToolbarCaptionIsRefusedAndTheDialogStaysOpen) {
    TdxBarNameEd* dialog = nullptr;
    std::vector<TShownBox> boxes;
    bool openAfterRefusal = false;
    TModalScript<TdxBarNameEd> script(dialog, {[] {
                                                   ReplaceFocusedText(L"Формат");
                                                   return Press(VK_RETURN);
                                               },
                                               [&] {
                                                   boxes = TakeBoxes();
                                                   return !boxes.empty();
                                               },
                                               [&] {
                                                   openAfterRefusal = ShownDialog<TdxBarNameEd>() == dialog;
                                                   SetFocus(dialog->EName->Handle());
                                                   ReplaceFocusedText(L"Мои кнопки");
                                                   ClickAt(dialog->BOK->ClientToScreen(TPoint{20, 10}));
                                                   return true;
                                               }});
    String name = L"Панель 1";
    EXPECT_TRUE(ShowNameDialog(name, dxBarNameKindToolbar, dxBarNameModeToolbarAdd, nullptr, manager));
    EXPECT_TRUE(script.Done());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Utf8(boxes[0].Text), "A toolbar named 'Формат' already exists. Type another name.");
    EXPECT_EQ(boxes[0].Flags & MB_ICONMASK, UINT(MB_ICONERROR));
    EXPECT_TRUE(openAfterRefusal);
    EXPECT_EQ(Utf8(name), "Мои кнопки");
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(NameDialogTest, RenamingChecksOtherBarsOnly) {
    struct TCase {
        const char* name;
        const wchar_t* typed;
        const wchar_t* renamed;  // the bar being renamed
        bool refused;
    };
    const TCase cases[] = {
        {"own caption", L"Формат", L"Формат", false},
        {"another bar's caption", L"Стандарт", L"Формат", true},
        {"letter case differs", L"формат", L"Стандарт", false},
        {"a new caption", L"Рисование", L"Формат", false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TdxBarNameEd* dialog = nullptr;
        std::vector<std::function<bool()>> steps = {[&] {
            ReplaceFocusedText(c.typed);
            return Press(VK_RETURN);
        }};
        if (c.refused)
            // The box came and the dialog is still up.
            steps.push_back([] { return !TakeBoxes().empty() && Press(VK_ESCAPE); });
        TModalScript<TdxBarNameEd> script(dialog, steps);
        String name = Bar(c.renamed)->Caption();
        bool confirmed = ShowNameDialog(name, dxBarNameKindToolbar, dxBarNameModeToolbarRename, Bar(c.renamed), manager);
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(confirmed, !c.refused);
        EXPECT_EQ(Utf8(name), c.refused ? Utf8(Bar(c.renamed)->Caption()) : Utf8(c.typed));
        EXPECT_TRUE(TakeBoxes().empty());
    }
}

TEST_F(NameDialogTest, AnEmptyNameCannotBeConfirmed) {
    TdxBarNameEd* dialog = nullptr;
    bool enabledAtStart = true, enabledWhenEmpty = true, openAfterEnter = false, enabledAfterTyping = false;
    TModalScript<TdxBarNameEd> script(dialog, {[&] {
                                                   enabledAtStart = OkEnabled(dialog);
                                                   TypeText(L"А");
                                                   return true;
                                               },
                                               [&] {
                                                   if (!OkEnabled(dialog)) return false;
                                                   TypeKey(VK_BACK);
                                                   return true;
                                               },
                                               [&] {
                                                   if (OkEnabled(dialog)) return false;
                                                   enabledWhenEmpty = false;
                                                   return Press(VK_RETURN);
                                               },
                                               [&] {
                                                   // Enter went to a disabled default button.
                                                   openAfterEnter = ShownDialog<TdxBarNameEd>() == dialog;
                                                   TypeText(L"Б");
                                                   return true;
                                               },
                                               [&] {
                                                   enabledAfterTyping = OkEnabled(dialog);
                                                   return enabledAfterTyping && Press(VK_RETURN);
                                               }});
    String name;
    EXPECT_TRUE(ShowNameDialog(name, dxBarNameKindToolbar, dxBarNameModeToolbarAdd, nullptr, manager));
    EXPECT_TRUE(script.Done());
    EXPECT_FALSE(enabledAtStart);
    EXPECT_FALSE(enabledWhenEmpty);
    EXPECT_TRUE(openAfterEnter);
    EXPECT_TRUE(enabledAfterTyping);
    EXPECT_EQ(Utf8(name), "Б");
}

TEST_F(NameDialogTest, CategoryNamesAreNotChecked) {
    // A category may take the name of another category or of a toolbar.
    for (const wchar_t* typed : {L"Файл", L"Формат"}) {
        TdxBarNameEd* dialog = nullptr;
        TModalScript<TdxBarNameEd> script(dialog, {[&] {
            ReplaceFocusedText(typed);
            return Press(VK_RETURN);
        }});
        String name = L"Новая";
        EXPECT_TRUE(ShowNameDialog(name, dxBarNameKindCategory, dxBarNameModeCategoryAdd, nullptr, manager));
        EXPECT_TRUE(script.Done());
        EXPECT_EQ(name, String(typed));
    }
    EXPECT_TRUE(TakeBoxes().empty());
}

}  // namespace
