// The sub-menu editor at design time (the manager designing): its window, the menu that hangs
// below it and follows it, the size it keeps, the one instance, and its closing by the close
// button or when the sub item whose links it shows is freed.

#include "BarTestSupport.h"

#include "dxBarButton.h"
#include "dxBarDesignController.h"
#include "dxBarInternalSubMenuControl.h"
#include "dxBarStrs.h"
#include "dxBarPopupMenuEd.h"
#include "dxBarSubItem.h"
#include "dxBarSubMenuControl.h"
#include "dxBarWindowHelpers.h"

namespace {

class SubMenuEditorTest : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        form->SetBounds(20, 20, 300, 200);
        form->Show();
        manager->SetStateFlag(csDesigning, true);
        fileMenu = NewSubItem(L"subFile", {L"Открыть", L"Сохранить", L"Закрыть"});
        editMenu = NewSubItem(L"subEdit", {L"Копировать"});
    }
    void TearDown() override {
        if (TdxBarSubMenuEditor* editor = SubMenuEditorInstance()) FreeObject(editor);
        PumpUntilIdle();
        manager->SwitchCustomizing(false);
        manager->SetStateFlag(csDesigning, false);
        BarTest::TearDown();
    }
    TdxBarSubItem* NewSubItem(const wchar_t* name, std::initializer_list<const wchar_t*> captions) {
        auto* sub = new TdxBarSubItem(form.get());
        sub->SetName(name);
        sub->SetCaption(name);
        int n = 0;
        for (const wchar_t* caption : captions) {
            auto* button = new TdxBarButton(form.get());
            button->SetName(String(name) + L"Button" + IntToStr(++n));
            button->SetCaption(caption);
            sub->ItemLinks()->AddItem(button);
        }
        return sub;
    }
    // Shows the editor for the links and waits for its menu.
    TdxBarSubMenuEditor* ShowFor(TdxBarSubItem* sub) {
        ShowSubMenuEditor(sub->ItemLinks());
        TdxBarSubMenuEditor* editor = SubMenuEditorInstance();
        EXPECT_NE(editor, nullptr);
        if (!editor) return nullptr;
        EXPECT_TRUE(PumpUntil([&] { return MenuShown(sub); }));
        PumpUntilIdle();
        return editor;
    }
    static TdxBarSubMenuControl* Menu(TdxBarSubItem* sub) {
        return As<TdxBarSubMenuControl>(sub->ItemLinks()->BarControl());
    }
    static bool MenuShown(TdxBarSubItem* sub) {
        TdxBarSubMenuControl* menu = Menu(sub);
        return menu && menu->HandleAllocated() && IsWindowVisible(menu->Handle());
    }
    static RECT WindowRect(HWND window) {
        RECT r{};
        GetWindowRect(window, &r);
        return r;
    }
    // The screen point of the editor's part that answers hit (HTCLOSE, HTCAPTION).
    static bool FindHit(HWND window, LRESULT hit, POINT& at) {
        RECT r = WindowRect(window);
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.right - 1; x >= r.left; --x)
                if (SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == hit) {
                    at = POINT{x, y};
                    return true;
                }
        return false;
    }

    TdxBarSubItem *fileMenu = nullptr, *editMenu = nullptr;
};

TEST_F(SubMenuEditorTest, ShowsTheLinksAsAMenuHangingBelowItsTitleBar) {
    TdxBarSubMenuEditor* editor = ShowFor(fileMenu);
    ASSERT_NE(editor, nullptr);
    HWND window = editor->Handle();
    EXPECT_EQ(Utf8(editor->Caption()), "Редактор подменю");
    EXPECT_TRUE(manager->IsCustomizing()) << "commands can be dragged into the menu";
    EXPECT_EQ(editor->Tag(), 100);
    EXPECT_EQ(DWORD(GetWindowLongPtrW(window, GWL_STYLE)) & ~DWORD(WS_VISIBLE), 0x84C80000u & ~DWORD(WS_VISIBLE));
    EXPECT_EQ(DWORD(GetWindowLongPtrW(window, GWL_EXSTYLE)) & (WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE),
              DWORD(WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE));
    EXPECT_EQ(GetClassLongPtrW(window, GCL_STYLE) & (CS_OWNDC | CS_SAVEBITS), ULONG_PTR(CS_OWNDC | CS_SAVEBITS));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 0);

    TdxBarSubMenuControl* menu = Menu(fileMenu);
    RECT editorRect = WindowRect(window), menuRect = WindowRect(menu->Handle());
    EXPECT_EQ(menuRect.left, editorRect.left);
    EXPECT_EQ(menuRect.top, editorRect.bottom);
    EXPECT_EQ(editorRect.right - editorRect.left, menuRect.right - menuRect.left);  // the menu's width
    EXPECT_EQ(menu->ItemLinks(), fileMenu->ItemLinks());
    EXPECT_EQ(fileMenu->ItemLinks()->GetShownLinkCount(), 3);

    // Shown again for the same links: the same editor and menu; for other links: the first
    // menu closes and the other one hangs below the same editor.
    ShowSubMenuEditor(fileMenu->ItemLinks());
    EXPECT_EQ(SubMenuEditorInstance(), editor);
    EXPECT_EQ(Menu(fileMenu), menu);
    ShowSubMenuEditor(editMenu->ItemLinks());
    EXPECT_EQ(SubMenuEditorInstance(), editor);
    EXPECT_EQ(Menu(fileMenu), nullptr);
    ASSERT_TRUE(PumpUntil([&] { return MenuShown(editMenu); }));
    EXPECT_EQ(WindowRect(Menu(editMenu)->Handle()).top, WindowRect(window).bottom);
}

TEST_F(SubMenuEditorTest, TheMenuFollowsTheEditorAndTheEditorKeepsItsSize) {
    TdxBarSubMenuEditor* editor = ShowFor(fileMenu);
    ASSERT_NE(editor, nullptr);
    HWND window = editor->Handle(), menu = Menu(fileMenu)->Handle();
    const RECT before = WindowRect(window);
    const int width = before.right - before.left, height = before.bottom - before.top;

    const POINT moves[] = {{60, 45}, {200, 120}, {61, 46}};
    for (POINT to : moves) {
        MoveWindow(window, to.x, to.y, width, height, TRUE);
        RECT menuRect = WindowRect(menu);
        EXPECT_EQ(menuRect.left, to.x);
        EXPECT_EQ(menuRect.top, to.y + height);
        EXPECT_TRUE(IsWindowVisible(menu));
    }

    MINMAXINFO info{};
    SendMessageW(window, WM_GETMINMAXINFO, 0, LPARAM(&info));
    for (POINT size : {info.ptMaxSize, info.ptMinTrackSize, info.ptMaxTrackSize}) {
        EXPECT_EQ(size.x, width);
        EXPECT_EQ(size.y, height);
    }
}

TEST_F(SubMenuEditorTest, APressOnTheTitleShowsAHiddenMenuAgain) {
    TdxBarSubMenuEditor* editor = ShowFor(fileMenu);
    ASSERT_NE(editor, nullptr);
    Menu(fileMenu)->HideBar();
    ASSERT_EQ(Menu(fileMenu), nullptr);
    POINT caption{};
    ASSERT_TRUE(FindHit(editor->Handle(), HTCAPTION, caption));
    ClickAt(TPoint{caption.x - 20, caption.y});
    EXPECT_TRUE(PumpUntil([&] { return MenuShown(fileMenu); }));
    EXPECT_EQ(SubMenuEditorInstance(), editor);
}

TEST_F(SubMenuEditorTest, TheCloseButtonClosesTheEditorAndItsMenu) {
    TdxBarSubMenuEditor* editor = ShowFor(fileMenu);
    ASSERT_NE(editor, nullptr);
    POINT close{};
    ASSERT_TRUE(FindHit(editor->Handle(), HTCLOSE, close));
    ClickAt(TPoint{close.x - 2, close.y});
    EXPECT_TRUE(PumpUntil([] { return SubMenuEditorInstance() == nullptr; }));
    EXPECT_EQ(Menu(fileMenu), nullptr);
    // The sub item and its links stay.
    EXPECT_EQ(fileMenu->ItemLinks()->Count(), 3);
}

TEST_F(SubMenuEditorTest, FreeingTheSubItemClosesTheEditor) {
    ASSERT_NE(ShowFor(fileMenu), nullptr);
    FreeObject(fileMenu);
    fileMenu = nullptr;
    EXPECT_TRUE(PumpUntil([] { return SubMenuEditorInstance() == nullptr; }));
    // Another editor can open afterwards.
    ASSERT_NE(ShowFor(editMenu), nullptr);
}

TEST_F(SubMenuEditorTest, TheEditorIsKeptOnTheWorkArea) {
    TdxBarSubMenuEditor* editor = ShowFor(fileMenu);
    ASSERT_NE(editor, nullptr);
    TRect work = GetWorkAreaAt(TPoint{0, 0});
    struct TCase {
        int left, top;
        int expectedLeft, expectedTop;
    };
    const TCase cases[] = {
        {int(work.left) - 50, int(work.top) - 40, int(work.left), int(work.top)},
        {int(work.left) + 30, int(work.top) - 5, int(work.left) + 30, int(work.top)},
        {int(work.left) + 30, int(work.top) + 20, int(work.left) + 30, int(work.top) + 20},
    };
    for (const TCase& c : cases) {
        editor->SetBounds(c.left, c.top, editor->Width(), editor->Height());
        editor->KeepOnWorkArea();
        EXPECT_EQ(editor->Left(), c.expectedLeft);
        EXPECT_EQ(editor->Top(), c.expectedTop);
    }
}

TEST_F(SubMenuEditorTest, TheMenuOffersTheSeparatorEntryWhichAddsOneAfterTheLink) {
    auto* designer = new TRecordingDesigner;
    manager->SetDesigner(designer);
    TdxBarSubMenuEditor* editor = ShowFor(fileMenu);
    ASSERT_NE(editor, nullptr);
    TdxBarSubMenuControl* menu = Menu(fileMenu);
    ASSERT_NE(menu, nullptr);
    TdxBarItemLink* first = fileMenu->ItemLinks()->GetLink(0);
    TdxBarItemLink* second = fileMenu->ItemLinks()->GetLink(1);
    designer->selected = {first};
    TdxBarDesignController* controller = DesignControllerInstance();
    controller->StoreLastSelected(first);
    controller->ShowLinkCustomizingPopup(menu, first);
    PumpUntilIdle();
    TdxBarCustomizingPopup* popup = controller->CustomizingPopup();
    ASSERT_NE(popup, nullptr);
    TdxBarItemLink* entry = nullptr;
    for (int i = 0; i < popup->OwnLinks()->Count(); ++i)
        if (popup->OwnLinks()->GetLink(i)->Item()->GetCaption() == BarString(dxSBAR_CP_ADDSEPARATOR))
            entry = popup->OwnLinks()->GetLink(i);
    ASSERT_NE(entry, nullptr);
    entry->Item()->ClickedLink = entry;
    entry->Item()->Click();
    PumpUntilIdle();
    ASSERT_EQ(fileMenu->ItemLinks()->Count(), 4);
    EXPECT_EQ(fileMenu->ItemLinks()->GetLink(0), first);
    EXPECT_EQ(fileMenu->ItemLinks()->GetLink(2), second);
    TdxBarItem* separator = fileMenu->ItemLinks()->GetLink(1)->Item();
    ASSERT_NE(separator, nullptr);
    EXPECT_EQ(separator->ClassType(), TdxBarSeparator::StaticClass());
    EXPECT_EQ(separator->Name(), L"dxBarSeparator1");
    EXPECT_EQ(controller->LastSelected(), static_cast<IdxBarSelectableItem*>(fileMenu->ItemLinks()->GetLink(1)));
    if (controller->CustomizingPopup()) controller->CustomizingPopup()->HideBar();
    manager->SetDesigner(nullptr);
}

}  // namespace
