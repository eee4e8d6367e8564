// Popup-menu links on a real panel: WM_CONTEXTMENU from the keyboard and from the mouse, over a
// child control with and without ProcessChildren, the control's own OnContextPopup first and put
// back (also when it raises), shortcuts through the linked menu, and the bar backgrounds.

#include "BarTestSupport.h"

#include "Label.h"
#include "Panel.h"
#include "dxBarButton.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubMenuControl.h"

namespace {

class BarPopupMenuLink : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        panel = new TPanel(form.get());
        panel->SetName(L"pnlView");
        panel->SetParent(form.get());
        panel->SetBounds(0, 0, 200, 120);
        label = new TLabel(form.get());
        label->SetName(L"lblInside");
        label->SetParent(panel);
        label->SetBounds(100, 60, 50, 20);
        menu = new TdxBarPopupMenu(form.get());
        menu->SetName(L"pmView");
        link = manager->PopupMenuLinks()->Add();
        link->SetControl(panel);
        link->SetPopupMenu(menu);
        link->OnAction = MakeEvent(this, &BarPopupMenuLink::Action);
        // The menu runs its own loop until it closes: it closes at the first timer tick.
        menu->OnPopup = MakeEvent(this, &BarPopupMenuLink::Popped);
    }

public:
    void Popped(TObject*) {
        ++popups;
        closing = this;
        SetTimer(nullptr, 0, 1, &CloseOpenMenu);
    }
    static void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        if (closing && closing->menu)
            if (TdxBarSubMenuControl* open = closing->menu->GetSubMenuControl()) open->HideMenuChain();
    }
    inline static BarPopupMenuLink* closing = nullptr;
    int popups = 0;
    void Action(TdxBarPopupMenuLink* sender, int& x, int& y, bool clickedByMouse, bool& allowPopup) {
        actions.push_back({x, y, clickedByMouse});
        allowPopup = allow;
    }
    void OwnPopup(TObject* sender, TPoint pos, bool& handled) {
        ++ownCalls;
        if (raiseInOwn) throw Exception(L"Меню недоступно");
    }
    TContextPopupEvent Own() { return MakeEvent(static_cast<BarPopupMenuLink*>(this), &BarPopupMenuLink::OwnPopup); }
    // WM_CONTEXTMENU as the system sends it: screen coordinates, (-1, -1) for the keyboard.
    LRESULT ContextMenuAt(TPoint client) {
        TPoint screen = client.x == -1 ? client : panel->ClientToScreen(client);
        return SendMessageW(panel->Handle(), WM_CONTEXTMENU, WPARAM(panel->Handle()),
                            MAKELPARAM(Word(screen.x), Word(screen.y)));
    }

    struct TActionCall {
        int x, y;
        bool byMouse;
    };
    TPanel* panel = nullptr;
    TLabel* label = nullptr;
    TdxBarPopupMenu* menu = nullptr;
    TdxBarPopupMenuLink* link = nullptr;
    std::vector<TActionCall> actions;
    bool allow = true, raiseInOwn = false;
    int ownCalls = 0;
};

TEST_F(BarPopupMenuLink, TheKeyboardAndTheMouseOpenTheLinkedMenu) {
    EXPECT_NE(ContextMenuAt({-1, -1}), 0);
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_FALSE(actions[0].byMouse);
    EXPECT_EQ(actions[0].x, -1);
    EXPECT_NE(ContextMenuAt({20, 30}), 0);
    ASSERT_EQ(actions.size(), 2u);
    EXPECT_TRUE(actions[1].byMouse);
    EXPECT_EQ(actions[1].x, 20);
    EXPECT_EQ(actions[1].y, 30);
    EXPECT_EQ(popups, 2) << "the menu opened both times and closed again";
    EXPECT_EQ(menu->GetSubMenuControl(), nullptr);
    // A refusal leaves the message unhandled.
    allow = false;
    EXPECT_EQ(ContextMenuAt({20, 30}), 0);
    // Without a menu the link allows nothing unless OnAction does.
    link->SetPopupMenu(nullptr);
    link->OnAction = nullptr;
    EXPECT_FALSE(link->Popup({5, 5}));
}

TEST_F(BarPopupMenuLink, OverAChildControlTheLinkActsOnlyWithProcessChildren) {
    label->SetEnabled(false);  // disabled children count too
    link->SetProcessChildren(false);
    ContextMenuAt({110, 70});
    EXPECT_TRUE(actions.empty());
    ContextMenuAt({10, 10});
    EXPECT_EQ(actions.size(), 1u);
    link->SetProcessChildren(true);
    ContextMenuAt({110, 70});
    EXPECT_EQ(actions.size(), 2u);
}

TEST_F(BarPopupMenuLink, TheControlsOwnHandlerRunsFirstAndIsPutBackAlsoWhenItRaises) {
    panel->OnContextPopup = Own();
    ContextMenuAt({10, 10});
    EXPECT_EQ(ownCalls, 1);
    EXPECT_EQ(actions.size(), 1u);
    EXPECT_TRUE(panel->OnContextPopup == Own());
    raiseInOwn = true;
    ContextMenuAt({10, 10});
    EXPECT_EQ(ownCalls, 2);
    EXPECT_EQ(actions.size(), 1u);
    EXPECT_TRUE(panel->OnContextPopup == Own());
    std::vector<TShownBox> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(Utf8(boxes[0].Text), "Меню недоступно");
    // Unlinking gives the control its own window procedure back.
    link->SetControl(nullptr);
    raiseInOwn = false;
    ContextMenuAt({10, 10});
    EXPECT_EQ(ownCalls, 3);
    EXPECT_EQ(actions.size(), 1u);
}

TEST_F(BarPopupMenuLink, AControlOutsideTheFormIsNotLinkedAndAFreedControlIsForgotten) {
    std::unique_ptr<TForm> other(CreateNewForm(nullptr));
    auto* foreign = new TPanel(other.get());
    foreign->SetParent(other.get());
    TdxBarPopupMenuLink* second = manager->PopupMenuLinks()->Add();
    second->SetControl(foreign);
    EXPECT_EQ(second->Control(), nullptr);
    FreeObject(panel);
    EXPECT_EQ(link->Control(), nullptr);
    FreeObject(menu);
    EXPECT_EQ(link->PopupMenu(), nullptr);
}

TEST_F(BarPopupMenuLink, ShortCutsOfTheFocusedControlReachTheLinkedMenu) {
    auto* save = new TdxBarButton(form.get());
    save->SetName(L"btnSave");
    save->SetShortCut(ShortCut('S', {ssCtrl}));
    save->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    menu->ItemLinks()->AddItem(save);
    EXPECT_TRUE(manager->PopupMenuLinks()->ExecuteShortCut(panel, ShortCut('S', {ssCtrl})));
    EXPECT_EQ(actions.size(), 1u);
    EXPECT_FALSE(actions[0].byMouse);
    // A child of the linked control, with ProcessChildren.
    auto* inner = new TPanel(form.get());
    inner->SetParent(panel);
    EXPECT_TRUE(manager->PopupMenuLinks()->ExecuteShortCut(inner, ShortCut('S', {ssCtrl})));
    link->SetProcessChildren(false);
    EXPECT_FALSE(manager->PopupMenuLinks()->ExecuteShortCut(inner, ShortCut('S', {ssCtrl})));
    allow = false;
    EXPECT_FALSE(manager->PopupMenuLinks()->ExecuteShortCut(panel, ShortCut('S', {ssCtrl})));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClick btnSave", "OnClick btnSave"}));
}

TEST_F(BarPopupMenuLink, ANewBarBackgroundRestylesTheBars) {
    TdxBarBackgrounds* backgrounds = manager->Backgrounds();
    std::unique_ptr<TBitmap> picture(new TBitmap);
    picture->SetSize(8, 8);
    backgrounds->SetBar(picture.get());
    EXPECT_EQ(backgrounds->Bar()->Width(), 8);
    int changes = backgrounds->StyleChanges();
    EXPECT_GE(changes, 1);
    backgrounds->SetBar(nullptr);  // cleared: the bars change again
    EXPECT_TRUE(backgrounds->Bar()->Empty());
    EXPECT_GT(backgrounds->StyleChanges(), changes);
    changes = backgrounds->StyleChanges();
    backgrounds->SetSubMenu(picture.get());  // read when a menu is next drawn
    EXPECT_EQ(backgrounds->StyleChanges(), changes);
    EXPECT_EQ(backgrounds->SubMenu()->Height(), 8);
}

}  // namespace
