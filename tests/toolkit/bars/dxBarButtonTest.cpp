// Buttons, labels and separators: radio groups of checked buttons, style changes, clicks that
// toggle Down, drop-down menus that would contain the button, and where separators may go.

#include "BarTestSupport.h"

#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarPopupMenu.h"

namespace {

class BarButton : public BarTest {
protected:
    TdxBarButton* NewButton(const String& name, TdxBarButtonStyle style = bsChecked, int group = 1) {
        auto* button = new TdxBarButton(form.get());
        button->SetName(name);
        button->SetCategory(0);
        button->SetButtonStyle(style);
        button->SetGroupIndex(group);
        return button;
    }
    static std::string Downs(std::initializer_list<TdxBarButton*> buttons) {
        std::string text;
        for (TdxBarButton* b : buttons) text += b->Down() ? '1' : '0';
        return text;
    }
};

TEST_F(BarButton, ARadioGroupKeepsOneButtonDown) {
    TdxBarButton *a = NewButton(L"btnA"), *b = NewButton(L"btnB"), *c = NewButton(L"btnC");
    TdxBarButton* other = NewButton(L"btnOther", bsChecked, 2);
    other->SetDown(true);
    a->SetDown(true);
    EXPECT_EQ(Downs({a, b, c, other}), "1001");
    b->SetDown(true);
    EXPECT_EQ(Downs({a, b, c, other}), "0101") << "pressing the second releases the first";
    b->SetDown(false);
    EXPECT_EQ(Downs({a, b, c}), "010") << "the last down button stays down";
    b->Click();
    EXPECT_EQ(Downs({a, b, c}), "010") << "also by a click";

    c->SetAllowAllUp(true);
    EXPECT_TRUE(a->AllowAllUp() && b->AllowAllUp());
    EXPECT_FALSE(other->AllowAllUp()) << "another group keeps its own";
    b->SetDown(false);
    EXPECT_EQ(Downs({a, b, c}), "000");

    // While loading no group rule applies.
    a->SetStateFlag(csLoading, true);
    b->SetStateFlag(csLoading, true);
    a->SetDown(true);
    b->SetDown(true);
    EXPECT_EQ(Downs({a, b}), "11");
    a->SetStateFlag(csLoading, false);
    b->SetStateFlag(csLoading, false);
}

TEST_F(BarButton, GroupIndexAndDownNeedACheckedStyleAndAStyleChangeReleasesDown) {
    TdxBarButton* plain = NewButton(L"btnPlain", bsDefault, 3);
    EXPECT_EQ(plain->GroupIndex(), 0);
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());

    TdxBarButton *a = NewButton(L"btnA"), *b = NewButton(L"btnB");
    a->SetDown(true);
    a->SetButtonStyle(bsCheckedDropDown);
    EXPECT_TRUE(a->Down()) << "still checked: the last down button of the group stays down";
    EXPECT_EQ(a->ButtonStyle(), bsCheckedDropDown);
    a->SetButtonStyle(bsDropDown);
    EXPECT_FALSE(a->Down());
    b->SetAllowAllUp(true);
    b->SetDown(true);
    b->SetButtonStyle(bsDefault);
    EXPECT_FALSE(b->Down());
}

TEST_F(BarButton, AClickTogglesDownBeforeOnClickRuns) {
    TdxBarButton* check = NewButton(L"btnCheck", bsChecked, 0);
    bool seen = true;
    struct Handler : TObject {
        bool* seen;
        void Click(TObject* sender) { *seen = static_cast<TdxBarButton*>(sender)->Down(); }
    } handler;
    handler.seen = &seen;
    check->OnClick = MakeEvent(&handler, &Handler::Click);
    check->Click();
    EXPECT_TRUE(check->Down());
    EXPECT_TRUE(seen);
    check->Click();
    EXPECT_FALSE(seen);
    check->SetEnabled(false);
    check->Click();
    EXPECT_FALSE(check->Down());
}

TEST_F(BarButton, ADropDownMenuThatHoldsTheButtonIsRefused) {
    TdxBarButton* button = NewButton(L"btnDrop", bsDropDown, 0);
    auto* menu = new TdxBarPopupMenu(form.get());
    auto* inner = new TdxBarPopupMenu(form.get());
    TdxBarButton* opener = NewButton(L"btnOpener", bsDropDown, 0);
    opener->SetDropDownMenu(inner);
    inner->ItemLinks()->AddItem(button);
    menu->ItemLinks()->AddItem(opener);  // the button is in the menu through the opener's menu
    EXPECT_EQ(ClassAndMessageOf([&] { button->SetDropDownMenu(menu); }),
              "EdxException: Нельзя создавать рекурсивные меню");
    EXPECT_EQ(button->DropDownMenu(), nullptr);

    TdxBarButton* save = NewButton(L"btnSave", bsDefault, 0);
    save->SetShortCut(ShortCut('S', {ssCtrl}));
    save->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    auto* ok = new TdxBarPopupMenu(form.get());
    ok->ItemLinks()->AddItem(save);
    button->SetDropDownMenu(ok);
    EXPECT_EQ(button->GetItemLinks(), ok->ItemLinks());
    // The shortcuts of the menu's items are found through the button.
    EXPECT_TRUE(button->ExecuteShortCut(ShortCut('S', {ssCtrl})));
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClick btnSave"}));
    FreeObject(ok);
    EXPECT_EQ(button->DropDownMenu(), nullptr);
    EXPECT_EQ(button->GetItemLinks(), nullptr);
}

TEST_F(BarButton, SeparatorsGoOnlyIntoMenus) {
    auto* separator = new TdxBarSeparator(form.get());
    TdxBar* bar = manager->Bars()->Add();
    String text;
    EXPECT_FALSE(separator->CanPlaceOn(dxBarPlaceOnToolbar, bar, text));
    EXPECT_EQ(Utf8(text), "A separator item cannot be placed on the specified toolbar");
    EXPECT_TRUE(separator->CanPlaceOn(dxBarPlaceInMenu, nullptr, text));
    EXPECT_EQ(text, L"");
    EXPECT_TRUE(separator->ShowCaption());
    EXPECT_TRUE((new TdxBarLabel(form.get()))->ShowCaption());
    EXPECT_EQ(Utf8(separator->GetNewItemCaption()), "Новый разделитель");
    EXPECT_EQ(Utf8((new TdxBarButton(form.get()))->GetNewItemCaption()), "Новая кнопка");
}

TEST_F(BarButton, OnAToolbarOnlyAButtonThatShowsItsCaptionCanBeReachedByItsAccelerator) {
    TdxBar* bar = manager->Bars()->Add();
    struct Owner : IdxBarLinksOwner {
        TdxBar* bar;
        bool CanAddItem(TdxBarItem*, String&) override { return true; }
        TCustomdxBarControl* CreateBarControl() override { return nullptr; }
        TComponent* GetOwnerObject() override { return bar; }
        TdxBarItemLinks* GetOwnerItemLinks() override { return nullptr; }
    } owner;
    owner.bar = bar;
    TdxBarControlItemLinks toolbar(manager, &owner);
    TdxBarButton* button = NewButton(L"btnTool", bsDefault, 0);
    TdxBarItemLink* link = toolbar.AddItem(button);
    EXPECT_FALSE(button->CanShowLink(link));
    link->SetUserPaintStyle(psCaptionGlyph);
    EXPECT_TRUE(button->CanShowLink(link));
    auto* menu = new TdxBarPopupMenu(form.get());
    EXPECT_TRUE(button->CanShowLink(menu->ItemLinks()->AddItem(button)));
}

}  // namespace
