// Menus: shortcut and accelerator texts, menu trees from form descriptions, popup menus shown
// and chosen from with real input, context-menu requests, shortcuts, images and the menu bar.

#include "Controls.h"
#include "FormDescription.h"
#include "WindowTesting.h"

// ---- shortcuts and accelerators ----

TEST(ShortCutText, WritesAndReadsBackTheCommonShortCuts) {
    struct TCase {
        TShortCut shortCut;
        const char* text;
    } cases[] = {
        {scCtrl | 'S', "Ctrl+S"},
        {scShift | VK_DELETE, "Shift+Del"},
        {VK_F5, "F5"},
        {scCtrl | VK_UP, "Ctrl+Up"},
        {scShift | scCtrl | scAlt | 'A', "Shift+Ctrl+Alt+A"},
        {scAlt | VK_F4, "Alt+F4"},
        {VK_INSERT, "Ins"},
        {scCtrl | VK_RETURN, "Ctrl+Enter"},
        {VK_ESCAPE, "Esc"},
        {scCtrl | '7', "Ctrl+7"},
        {scCtrl | VK_F12, "Ctrl+F12"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(Utf8(ShortCutToText(c.shortCut)), c.text);
        EXPECT_EQ(TextToShortCut(String(c.text, c.text + strlen(c.text))), c.shortCut) << c.text;
    }
    // Letter case and blanks around the text do not matter; the modifiers come in any order.
    EXPECT_EQ(TextToShortCut(L" ctrl+shift+f12 "), scCtrl | scShift | VK_F12);
    EXPECT_EQ(TextToShortCut(L"alt+CTRL+x"), scCtrl | scAlt | 'X');
    // A key code outside the shortcut byte, a text without a key, an unknown name.
    EXPECT_EQ(ShortCut(0x1FF, {ssCtrl}), scNone);
    for (const wchar_t* bad : {L"", L"Ctrl+", L"Ctrl+Ctrl+S", L"Foo", L"Ctrl+Banana"})
        EXPECT_EQ(TextToShortCut(bad), scNone) << Utf8(bad);
    EXPECT_EQ(Utf8(ShortCutToText(scNone)), "");
}

TEST(Accelerators, FindTheCharacterAfterASingleAmpersand) {
    struct TCase {
        const wchar_t* caption;
        wchar_t hotkey;
        const wchar_t* stripped;
    } cases[] = {
        {L"&Open", L'O', L"Open"},      {L"Lar&ge icons", L'G', L"Large icons"},
        {L"R&&D", 0, L"R&D"},           {L"R&&&D", L'D', L"R&D"},
        {L"&Файл", L'Ф', L"Файл"},      {L"no accelerator", 0, L"no accelerator"},
        {L"trailing&", 0, L"trailing"},
    };
    for (const TCase& c : cases) {
        EXPECT_EQ(GetHotkey(c.caption), c.hotkey) << Utf8(c.caption);
        EXPECT_EQ(Utf8(StripHotkey(c.caption)), Utf8(c.stripped));
    }
    EXPECT_TRUE(IsAccel(L'g', L"Lar&ge icons"));
    EXPECT_TRUE(IsAccel(L'ф', L"&Файл"));
    EXPECT_FALSE(IsAccel(L'D', L"R&&D"));
}

// ---- menu trees ----

namespace {

class TMenuTestForm : public TForm {
    Z_CLASS(TMenuTestForm, TForm)
    Z_PUBLISHED {
        p.Method(L"ViewClick", &TMenuTestForm::ViewClick);
        p.Method(L"PasteClick", &TMenuTestForm::PasteClick);
        p.Method(L"MenuPopup", &TMenuTestForm::MenuPopup);
    }

public:
    explicit TMenuTestForm(TComponent* o) : TForm(o, CreateNew) {}
    std::vector<std::string> log;
    // The view items check the one clicked, as the open/save form does.
    void ViewClick(TObject* sender) {
        auto* item = static_cast<TMenuItem*>(sender);
        log.push_back("view " + std::to_string(item->Tag()));
        item->SetChecked(true);
    }
    void PasteClick(TObject*) { log.push_back("paste"); }
    void MenuPopup(TObject*) { log.push_back("popup"); }
};

const char* const kViewMenuDescription = R"(object MenuTestForm: TMenuTestForm
  object LvPopup: TPopupMenu
    OnPopup = MenuPopup
    object mnuView: TMenuItem
      Caption = '&Вид'
      Hint = 'Настройка окна'
      object mnuLarge: TMenuItem
        Tag = 0
        Caption = 'Lar&ge icons'
        Enabled = False
        GroupIndex = 1
        RadioItem = True
        OnClick = ViewClick
      end
      object mnuList: TMenuItem
        Tag = 2
        Caption = '&List'
        Checked = True
        GroupIndex = 1
        RadioItem = True
        OnClick = ViewClick
      end
      object mnuDetails: TMenuItem
        Tag = 3
        Caption = '&Details'
        GroupIndex = 1
        RadioItem = True
        OnClick = ViewClick
      end
    end
    object N1: TMenuItem
      Caption = '-'
    end
    object mnuPaste: TMenuItem
      Caption = '&Вставить'
      ShortCut = 16470
      OnClick = PasteClick
    end
    object mnuHidden: TMenuItem
      Caption = 'Hidden'
      Visible = False
    end
  end
end
)";

TMenuTestForm* NewMenuTestForm() {
    RegisterClass(TMenuTestForm::StaticClass());
    auto* form = new TMenuTestForm(nullptr);
    ReadComponentFromText(kViewMenuDescription, form);
    return form;
}

String MenuString(HMENU menu, UINT position) {
    wchar_t buffer[128] = {};
    GetMenuStringW(menu, position, buffer, 128, MF_BYPOSITION);
    return buffer;
}

UINT MenuState(HMENU menu, UINT position, UINT* type = nullptr) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    GetMenuItemInfoW(menu, position, TRUE, &info);
    if (type) *type = info.fType;
    return info.fState;
}

}  // namespace

TEST(MenuTree, ReadsFromADescriptionBuildsTheSystemMenuAndWritesBackTheSame) {
    auto* form = NewMenuTestForm();
    auto* popup = As<TPopupMenu>(form->FindComponent(L"LvPopup"));
    ASSERT_NE(popup, nullptr);
    TMenuItem* root = popup->Items();
    ASSERT_EQ(root->Count(), 4);
    TMenuItem* view = root->Items(0);
    EXPECT_EQ(Utf8(view->Caption()), "&Вид");
    ASSERT_EQ(view->Count(), 3);
    EXPECT_EQ(view->Items(1)->Name(), L"mnuList");
    EXPECT_TRUE(view->Items(1)->Checked());
    EXPECT_FALSE(view->Items(0)->Enabled());
    EXPECT_EQ(view->Items(2)->Tag(), 3);
    EXPECT_EQ(root->Items(2)->ShortCut(), scCtrl | 'V');
    EXPECT_EQ(root->Items(2)->GetParentMenu(), popup);
    EXPECT_EQ(view->Items(0)->GetParentComponent(), view);
    EXPECT_EQ(view->GetParentComponent(), popup);

    // The system menu: hidden items left out, the shortcut after a tab, states and kinds.
    HMENU menu = popup->Handle();
    ASSERT_EQ(GetMenuItemCount(menu), 3);
    EXPECT_EQ(Utf8(MenuString(menu, 0)), "&Вид");
    EXPECT_EQ(Utf8(MenuString(menu, 2)), "&Вставить\tCtrl+V");
    UINT type = 0;
    MenuState(menu, 1, &type);
    EXPECT_TRUE(type & MFT_SEPARATOR);
    HMENU sub = GetSubMenu(menu, 0);
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(MenuState(sub, 0, &type) & MFS_DISABLED);
    EXPECT_TRUE(type & MFT_RADIOCHECK);
    EXPECT_TRUE(MenuState(sub, 1) & MFS_CHECKED);
    EXPECT_EQ(GetMenuItemID(sub, 2), view->Items(2)->Command());

    AnsiString written = WriteComponentToText(form);
    FreeObject(form);
    auto* again = new TMenuTestForm(nullptr);
    ReadComponentFromText(written, again);
    EXPECT_EQ(WriteComponentToText(again), written);
    EXPECT_NE(written.find("Caption = '&Вставить'"), AnsiString::npos);
    FreeObject(again);
}

TEST(MenuTree, RadioItemsOfAGroupAreCheckedOneAtATime) {
    auto* form = NewMenuTestForm();
    TMenuItem* view = As<TPopupMenu>(form->FindComponent(L"LvPopup"))->Items()->Items(0);
    view->Items(2)->SetChecked(true);
    EXPECT_FALSE(view->Items(1)->Checked());
    EXPECT_TRUE(view->Items(2)->Checked());
    // Another group, or a plain item, is left alone.
    auto* other = new TMenuItem(form);
    other->SetRadioItem(true);
    other->SetGroupIndex(2);
    view->Add(other);
    other->SetChecked(true);
    EXPECT_TRUE(view->Items(2)->Checked());
    // An item that becomes a radio item while checked takes the group over.
    view->Items(1)->SetChecked(true);
    EXPECT_FALSE(view->Items(2)->Checked());
    FreeObject(form);
}

TEST(MenuTree, RefusesCyclesAndDoubleInsertionAndFreesSubItemsWithTheirParent) {
    auto* form = NewMenuTestForm();
    auto* popup = As<TPopupMenu>(form->FindComponent(L"LvPopup"));
    TMenuItem* view = popup->Items()->Items(0);
    TMenuItem* list = view->Items(1);
    EXPECT_EQ(ClassAndMessageOf([&] { popup->Items()->Add(list); }), "EMenuError: Menu inserted twice");
    view->Remove(list);
    EXPECT_EQ(list->Parent(), nullptr);
    list->Add(new TMenuItem(form));
    EXPECT_EQ(MessageOf([&] { list->Items(0)->Add(list); }), "Sub-menu is in menu");
    EXPECT_EQ(MessageOf([&] { view->Items(7); }), "Menu index out of range");
    view->Add(list);
    int components = form->ComponentCount();
    FreeObject(view);  // with its three sub-items and the one below them
    EXPECT_EQ(form->ComponentCount(), components - 5);
    EXPECT_EQ(popup->Items()->Count(), 3);
    FreeObject(form);
}

// ---- popup menus with real input ----

namespace {

// A control that takes the focus and answers the wheel, for the shortcut tests.
class TMenuTestBox : public TCustomControl {
    Z_CLASS(TMenuTestBox, TCustomControl)
public:
    explicit TMenuTestBox(TComponent* o) : TCustomControl(o) {
        SetTabStop(true);
        SetBounds(20, 20, 150, 100);
    }
    std::vector<std::string>* log = nullptr;
    int keys = 0;

protected:
    void KeyDown(Word& key, TShiftState shift) override {
        if (key != VK_CONTROL) ++keys;
        TCustomControl::KeyDown(key, shift);
    }
};

class MenuWindowTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form = NewMenuTestForm();
        form->SetPosition(poDesigned);
        form->SetBounds(0, 0, 420, 320);
        box = new TMenuTestBox(form);
        box->SetParent(form);
        popup = As<TPopupMenu>(form->FindComponent(L"LvPopup"));
        box->SetPopupMenu(popup);
        form->Show();
        SetForegroundWindow(form->Handle());
        box->SetFocus();
        PumpUntilIdle();
    }
    void TearDown() override {
        FreeObject(form);
        WindowTest::TearDown();
    }
    TMenuTestForm* form = nullptr;
    TMenuTestBox* box = nullptr;
    TPopupMenu* popup = nullptr;
};

}  // namespace

namespace {

TPoint CenterOf(const TRect& r) { return TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// A popup menu that records where it was asked to show instead of showing.
class TRecordingPopupMenu : public TPopupMenu {
    Z_CLASS(TRecordingPopupMenu, TPopupMenu)
public:
    explicit TRecordingPopupMenu(TComponent* o) : TPopupMenu(o) {}
    std::vector<TPoint> shown;
    void Popup(int X, int Y) override { shown.push_back(TPoint{X, Y}); }
};

}  // namespace

TEST_F(MenuWindowTest, AClickOnAnItemRunsItsOnClickAfterTheMenuHasClosed) {
    TPoint at = box->ClientToScreen(TPoint{10, 10});
    TWhileMenuShows openView([&](HWND) { ClickAt(CenterOf(MenuItemScreenRect(popup->Handle(), 0))); });
    TWhileMenuShows chooseDetails(
        [&](HWND) { ClickAt(CenterOf(MenuItemScreenRect(GetSubMenu(popup->Handle(), 0), 2))); }, 2);
    popup->Popup(at.x, at.y);
    form->log.push_back("returned");
    EXPECT_TRUE(chooseDetails.Ran());
    ASSERT_TRUE(PumpUntil([&] { return form->log.size() >= 3; }));
    EXPECT_EQ(form->log, (std::vector<std::string>{"popup", "returned", "view 3"}));
    TMenuItem* view = popup->Items()->Items(0);
    EXPECT_TRUE(view->Items(2)->Checked());
    EXPECT_FALSE(view->Items(1)->Checked());
    EXPECT_EQ(popup->PopupPoint().x, at.x);

    // Escape closes the menu without a command.
    form->log.clear();
    TWhileMenuShows escape([](HWND) { TypeKey(VK_ESCAPE); });
    popup->Popup(at.x, at.y);
    EXPECT_TRUE(escape.Ran());
    PumpUntilIdle();
    EXPECT_EQ(form->log, (std::vector<std::string>{"popup"}));
    EXPECT_TRUE(VisibleMenuWindows().empty());
}

TEST_F(MenuWindowTest, ARightClickShowsTheControlsMenuAfterOnContextPopup) {
    std::vector<std::string>& log = form->log;
    struct TContextLog : TObject {
        std::vector<std::string>* log;
        bool handle = false;
        void ContextPopup(TObject*, TPoint, bool& handled) {
            log->push_back("context");
            handled = handle;
        }
    } context;
    context.log = &log;
    box->OnContextPopup = MakeEvent(&context, &TContextLog::ContextPopup);
    TPoint at = box->ClientToScreen(TPoint{30, 40});
    {
        TWhileMenuShows escape([](HWND) { TypeKey(VK_ESCAPE); });
        RightClickAt(at);
        ASSERT_TRUE(PumpUntil([&] { return escape.Ran(); }));
        PumpUntilIdle();
    }
    EXPECT_EQ(log, (std::vector<std::string>{"context", "popup"}));
    EXPECT_EQ(popup->PopupComponent(), box);
    EXPECT_EQ(popup->PopupPoint().x, at.x);
    EXPECT_EQ(popup->PopupPoint().y, at.y);

    // A handled request shows nothing.
    log.clear();
    context.handle = true;
    RightClickAt(at);
    PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"context"}));
    EXPECT_TRUE(VisibleMenuWindows().empty());
}

TEST_F(MenuWindowTest, ContextRequestsFindTheRightMenu) {
    auto* formMenu = new TRecordingPopupMenu(form);
    auto* childMenu = new TRecordingPopupMenu(form);
    auto* boxMenu = new TRecordingPopupMenu(form);
    form->SetPopupMenu(formMenu);
    box->SetPopupMenu(boxMenu);
    // A windowless control on the form, with a menu of its own.
    auto* graphic = new TGraphicControl(form);
    graphic->SetBounds(250, 30, 60, 60);
    graphic->SetParent(form);
    graphic->SetPopupMenu(childMenu);
    auto request = [](TWinControl* target, TPoint screen) {
        return target->Perform(WM_CONTEXTMENU, WPARAM(target->Handle()), PointToLParam(screen));
    };

    // From the keyboard: the control's menu at its client origin.
    EXPECT_EQ(request(box, TPoint{-1, -1}), 1);
    ASSERT_EQ(boxMenu->shown.size(), 1u);
    TPoint origin = box->ClientToScreen(TPoint{0, 0});
    EXPECT_EQ(boxMenu->shown[0].x, origin.x);
    EXPECT_EQ(boxMenu->shown[0].y, origin.y);
    EXPECT_EQ(boxMenu->PopupComponent(), box);

    // Over the windowless control: its own menu; without one, the form's.
    TPoint overGraphic = form->ClientToScreen(TPoint{270, 50});
    EXPECT_EQ(request(form, overGraphic), 1);
    EXPECT_EQ(childMenu->shown.size(), 1u);
    EXPECT_EQ(childMenu->PopupComponent(), graphic);
    graphic->SetPopupMenu(nullptr);
    EXPECT_EQ(request(form, overGraphic), 1);
    EXPECT_EQ(formMenu->shown.size(), 1u);
    EXPECT_EQ(formMenu->PopupComponent(), form);

    // A menu that does not pop up by itself is left alone.
    formMenu->SetAutoPopup(false);
    EXPECT_EQ(request(form, overGraphic), 0);
    EXPECT_EQ(formMenu->shown.size(), 1u);

    // A freed menu leaves no reference behind, neither does a freed popup component.
    FreeObject(boxMenu);
    EXPECT_EQ(box->PopupMenu(), nullptr);
    FreeObject(graphic);
    EXPECT_EQ(childMenu->PopupComponent(), nullptr);
}

TEST_F(MenuWindowTest, AShortCutRunsItsEnabledItemAndIsNotTypedIntoTheControl) {
    TypeChord({VK_CONTROL, 'V'});
    ASSERT_TRUE(PumpUntil([&] { return !form->log.empty(); }));
    EXPECT_EQ(form->log, (std::vector<std::string>{"paste"}));
    EXPECT_EQ(box->keys, 0);

    // Disabled, the item lets the key through to the control.
    form->log.clear();
    popup->Items()->Items(2)->SetEnabled(false);
    TypeChord({VK_CONTROL, 'V'});
    ASSERT_TRUE(PumpUntil([&] { return box->keys > 0; }));
    EXPECT_TRUE(form->log.empty());
}

TEST_F(MenuWindowTest, ItemImagesAreDrawnFromTheMenusImageList) {
    auto* images = new TImageList(form);
    TBitmap strip;
    strip.SetSize(16, 16);
    strip.Canvas()->Brush()->SetColor(clRed);
    strip.Canvas()->FillRect(TRect{0, 0, 16, 16});
    images->Add(&strip, nullptr);
    popup->SetImages(images);
    popup->Items()->Items(2)->SetImageIndex(0);
    int redPixels = 0;
    TWhileMenuShows look([&](HWND) {
        // Let the menu paint, then look at the start of the item for the image.
        UpdateWindow(VisibleMenuWindows().back());
        TRect item = MenuItemScreenRect(popup->Handle(), 2);
        HDC screen = GetDC(nullptr);
        for (int x = item.left; x < item.left + 40; ++x)
            for (int y = item.top; y < item.bottom; ++y)
                if (GetPixel(screen, x, y) == RGB(255, 0, 0)) ++redPixels;
        ReleaseDC(nullptr, screen);
        TypeKey(VK_ESCAPE);
    });
    TPoint at = box->ClientToScreen(TPoint{10, 10});
    popup->Popup(at.x, at.y);
    EXPECT_TRUE(look.Ran());
    EXPECT_GE(redPixels, 16 * 16 / 2);
    // Freeing the list takes the images off the menu.
    FreeObject(images);
    EXPECT_EQ(popup->Images(), nullptr);
}

TEST_F(MenuWindowTest, AMainMenuIsTheFormsMenuBarAndFollowsItsItems) {
    auto* bar = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption(L"&Файл");
    auto* open = new TMenuItem(form);
    open->SetCaption(L"&Открыть");
    open->SetShortCut(scCtrl | 'O');
    open->OnClick = MakeEvent(form, &TMenuTestForm::PasteClick);
    file->Add(open);
    bar->Items()->Add(file);
    form->SetMenu(bar);
    HMENU menu = GetMenu(form->Handle());
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(Utf8(MenuString(menu, 0)), "&Файл");

    // A command from the bar reaches the item.
    ::SendMessageW(form->Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
    EXPECT_EQ(form->log, (std::vector<std::string>{"paste"}));
    // So does its shortcut.
    TypeChord({VK_CONTROL, 'O'});
    ASSERT_TRUE(PumpUntil([&] { return form->log.size() == 2; }));

    // Changes show at once, and a new window gets the bar again.
    file->SetCaption(L"&Документ");
    EXPECT_EQ(Utf8(MenuString(GetMenu(form->Handle()), 0)), "&Документ");
    form->RecreateWnd();
    PumpUntilIdle();
    ASSERT_NE(GetMenu(form->Handle()), nullptr);
    EXPECT_EQ(Utf8(MenuString(GetMenu(form->Handle()), 0)), "&Документ");

    FreeObject(bar);
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
}
