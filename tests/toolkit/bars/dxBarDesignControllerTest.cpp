// The design controller and the run-time selection on the bar test form under Xvfb: links are
// selected by real clicks in customizing mode, the customizing popup is opened by a real right
// click and read entry by entry, its commands run through the entries' clicks, Delete comes as a
// real key, and the selection frame is read from the toolbar's pixels.

#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "TestBarWindow.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "Canvas.h"
#include "ControlSnapshot.h"
#include "../ToolkitTestSupport.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "CustomEdit.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarControlEditors.h"
#include "dxBarItemRegistry.h"
#include "StringList.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarDesignController.h"
#include "dxBarDragInfo.h"
#include "Screen.h"
#include "dxBarUnit.h"
#include "dxBarEdit.h"
#include "dxBarInternalSubMenuControl.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarRunTimeSelectionController.h"
#include "dxBarStrs.h"
#include "dxBarSubItem.h"
#include "dxBarSubMenuControl.h"

namespace {

// A button that offers every customizing command, so that only the window's design helper
// decides which entries the popup shows.
class TAllCommandsButton : public TdxBarButton {
    Z_CLASS(TAllCommandsButton, TdxBarButton)
public:
    explicit TAllCommandsButton(TComponent* owner) : TdxBarButton(owner) {}
    Word GetSupportedActions() override { return 0x1FFF; }
};

// A control 24 x 22 pixels that fills its rectangle in plain button face, so that the frame
// pixels stand out.
class TFixedTestControl : public TdxBarItemControl {
    Z_CLASS(TFixedTestControl, TdxBarItemControl)
public:
    explicit TFixedTestControl(TdxBarItemLink* link) : TdxBarItemControl(link) {}

protected:
    int CalcWidth() override { return 24; }
    int CalcHeight() override { return 22; }
    void DrawContent(const TRect& r, Byte) override {
        FillRect(GetDrawCanvas()->GetCanvasHandle(), &r, GetSysColorBrush(COLOR_BTNFACE));
    }
};

class DesignController : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        registration = std::make_unique<TBarWindowControlRegistration>(TFixedTestControl::StaticClass());
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
        edit = new TEdit(form.get());
        edit->SetParent(form.get());
        edit->SetBounds(10, 120, 200, 24);
        edit->SetText(L"abc");
        form->SetBounds(40, 40, 460, 300);
        bar = manager->Bars()->Add();
        bar->SetCaption(L"Правка");
        for (const wchar_t* name : {L"btnOpen", L"btnSave", L"btnBold"})
            bar->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(name)));
        bar->SetDockingStyle(dsTop);
        form->Show();
        PumpUntilIdle();
        selection = new TdxBarRunTimeSelectionController;
        manager->SetDesigner(selection);
        controller = DesignControllerInstance();
        ASSERT_NE(controller, nullptr);
    }
    void TearDown() override {
        if (controller && controller->CustomizingPopup()) controller->CustomizingPopup()->HideBar();
        if (manager) {
            manager->SwitchCustomizing(false);
            manager->SetDesigner(nullptr);
        }
        form.reset();
        registration.reset();
        WindowTest::TearDown();
    }
    TdxBarItemLink* Link(int index) const { return bar->ItemLinks()->GetLink(index); }
    TdxBarControl* Window() const { return bar->BarControl(); }
    // The screen centre of a shown link.
    TPoint Centre(TdxBarItemLink* link) const {
        const TRect r = link->Control()->GetBounds();
        return Window()->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    }
    void Customize() {
        manager->SwitchCustomizing(true);
        PumpUntilIdle();
        ASSERT_TRUE(manager->IsCustomizing());
        ASSERT_NE(Link(0)->Control(), nullptr);
    }
    // Right-clicks the link and answers the popup that opened (nil when none).
    TdxBarCustomizingPopup* RightClick(TdxBarItemLink* link) {
        RightClickAt(Centre(link));
        PumpUntil([&] { return controller->CustomizingPopup() != nullptr; });
        PumpUntilIdle();
        return controller->CustomizingPopup();
    }
    static std::vector<String> Captions(TdxBarItemLinks* links) {
        std::vector<String> result;
        for (int i = 0; i < links->Count(); ++i) result.push_back(links->GetLink(i)->Item()->GetCaption());
        return result;
    }
    static TdxBarItemLink* Entry(TdxBarItemLinks* links, const String& caption) {
        for (int i = 0; i < links->Count(); ++i)
            if (links->GetLink(i)->Item()->GetCaption() == caption) return links->GetLink(i);
        return nullptr;
    }
    // Clicks an entry as its control would.
    static void Run(TdxBarItemLink* entry) {
        ASSERT_NE(entry, nullptr);
        entry->Item()->ClickedLink = entry;
        entry->Item()->Click();
    }
    // A popup for a link that is not shown: the link is selected and the popup opened by code.
    TdxBarCustomizingPopup* PopupFor(TCustomdxBarControl* window, TdxBarItemLink* link) {
        controller->StoreLastSelected(link);
        controller->ShowLinkCustomizingPopup(window, link);
        PumpUntilIdle();
        return controller->CustomizingPopup();
    }

    std::unique_ptr<TBarWindowControlRegistration> registration;
    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
    TdxBar* bar = nullptr;
    TEdit* edit = nullptr;
    TdxBarRunTimeSelectionController* selection = nullptr;  // held by the manager
    TdxBarDesignController* controller = nullptr;
};

TEST_F(DesignController, RunTimeSelectionKeepsOneBarAndOneItemOrLink) {
    auto* save = static_cast<TdxBarItem*>(form->FindComponent(L"btnSave"));
    struct TChanges : TObject {
        std::vector<TObject*> list;
        void Changed(TObject*, TObject* changed) { list.push_back(changed); }
    } changes;
    selection->OnSelectionChanged = MakeEvent(&changes, &TChanges::Changed);
    struct Step {
        TObject* added;
        std::vector<TObject*> expected;
    };
    const std::vector<Step> steps = {
        {bar, {bar}},
        {Link(0), {bar, Link(0)}},
        {save, {bar, save}},        // an item replaces the link
        {Link(1), {bar, Link(1)}},  // a link replaces the item
        {Link(1), {bar, Link(1)}},  // already selected: nothing
    };
    for (const Step& step : steps) {
        selection->ApplyComponentSelection(step.added, dxBarSelectionExclusive);
        EXPECT_EQ(selection->Selection(), step.expected);
    }
    EXPECT_EQ(changes.list.size(), 4u) << "one change event for each change, none for a repeat";
    selection->ApplyComponentSelection(Link(1), dxBarSelectionRemove);
    EXPECT_TRUE(selection->IsInSelection(Link(1))) << "removing is not offered at run time";
    // A freed link leaves the selection.
    TdxBarItemLink* doomed = Link(1);
    FreeObject(doomed);
    EXPECT_EQ(selection->Selection(), std::vector<TObject*>{bar});
}

TEST_F(DesignController, ClickingALinkWhileCustomizingSelectsItAndFramesItInWindowText) {
    Customize();
    ClickAt(Centre(Link(1)));
    PumpUntilIdle();
    EXPECT_EQ(controller->LastSelected(), static_cast<IdxBarSelectableItem*>(Link(1)));
    EXPECT_TRUE(selection->IsInSelection(Link(1)));
    EXPECT_EQ(manager->SelectedItemControl(), Link(1)->Control());
    // The frame: two window-text pixels deep at the link's edges, none inside.
    Window()->Repaint();
    PumpUntilIdle();
    const TRect r = Link(1)->Control()->GetBounds();
    const COLORREF frame = GetSysColor(COLOR_WINDOWTEXT);
    HDC dc = GetDC(Window()->Handle());
    for (const TPoint& p : {TPoint{r.left, r.top}, TPoint{r.left + 1, r.top + 1}, TPoint{r.right - 1, r.bottom - 1},
                            TPoint{r.right - 2, (r.top + r.bottom) / 2}})
        EXPECT_EQ(GetPixel(dc, p.x, p.y), frame) << p.x << "," << p.y;
    const COLORREF firstLinkCorner = GetPixel(dc, Link(0)->Control()->GetBounds().left, Link(0)->Control()->GetBounds().top);
    ReleaseDC(Window()->Handle(), dc);
    EXPECT_NE(firstLinkCorner, frame) << "an unselected link has no frame";
    // Clicking another link moves the selection.
    ClickAt(Centre(Link(2)));
    PumpUntilIdle();
    EXPECT_EQ(controller->LastSelected(), static_cast<IdxBarSelectableItem*>(Link(2)));
    EXPECT_FALSE(selection->IsInSelection(Link(1)));
}

TEST_F(DesignController, RightClickOpensTheRunTimeCommandsOfAToolbarLink) {
    Customize();
    TdxBarCustomizingPopup* popup = RightClick(Link(1));
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(controller->CustomizingLink(), Link(1));
    EXPECT_TRUE(popup->HandleAllocated() && IsWindowVisible(popup->Handle()));
    // A button on a toolbar at run time offers reset, delete (the link), its name, the paint
    // styles and begin a group.
    const std::vector<String> expected = {
        BarString(dxSBAR_CP_RESET),           BarString(dxSBAR_CP_DELETE),          BarString(dxSBAR_CP_NAME),
        BarString(dxSBAR_CP_DEFAULTSTYLE),    BarString(dxSBAR_CP_TEXTONLYALWAYS),  BarString(dxSBAR_CP_TEXTONLYINMENUS),
        BarString(dxSBAR_CP_IMAGEANDTEXT),    BarString(dxSBAR_CP_BEGINAGROUP)};
    EXPECT_EQ(Captions(popup->OwnLinks()), expected);
    auto* name = As<TdxBarEdit>(popup->OwnLinks()->GetLink(2)->Item());
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->GetText(), Link(1)->GetEffectiveCaption());
    // The entries are internal: not in the manager's item list.
    for (int i = 0; i < popup->OwnLinks()->Count(); ++i)
        EXPECT_LT(manager->ItemList()->IndexOf(popup->OwnLinks()->GetLink(i)->Item()), 0);
    // Begin a group toggles the link's group line.
    Run(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_BEGINAGROUP)));
    EXPECT_TRUE(Link(1)->BeginGroup());
}

TEST_F(DesignController, BeginGroupIsDisabledOnTheFirstLink) {
    Customize();
    for (int index : {0, 1}) {
        TdxBarCustomizingPopup* popup = RightClick(Link(index));
        ASSERT_NE(popup, nullptr);
        TdxBarItemLink* entry = Entry(popup->OwnLinks(), BarString(dxSBAR_CP_BEGINAGROUP));
        ASSERT_NE(entry, nullptr);
        EXPECT_EQ(entry->Item()->GetEnabled(), index > 0) << index;
        popup->HideBar();
        PumpUntilIdle();
    }
}

TEST_F(DesignController, DesignHelpersDecideTheCommandsOfEachKindOfWindow) {
    struct Case {
        TClass windowClass;
        Word excluded;
    };
    const std::vector<Case> cases = {
        {TdxBarControl::StaticClass(), 0x13C0},
        {TdxBarSubMenuControl::StaticClass(), 0x03E0},
        {TdxBarInternalSubMenuControl::StaticClass(), 0x03E0},  // a descendant finds its ancestor's
    };
    for (const Case& c : cases) {
        const TCustomdxBarControlDesignHelper* helper = controller->FindDesignHelper(c.windowClass);
        ASSERT_NE(helper, nullptr) << Utf8(c.windowClass->ClassName());
        EXPECT_EQ(helper->GetExcludedCommands(), c.excluded) << Utf8(c.windowClass->ClassName());
    }
    EXPECT_EQ(TCustomdxBarControlDesignHelper::Instance()->GetExcludedCommands(), 0x13E0);
    EXPECT_EQ(controller->FindDesignHelper(TCustomdxBarControl::StaticClass()), nullptr);
    // A registration for a descendant wins in either order.
    const TCustomdxBarControlDesignHelper* base = TCustomdxBarControlDesignHelper::Instance();
    for (bool descendantFirst : {true, false}) {
        if (descendantFirst) controller->RegisterBarControlDesignHelper(TdxBarInternalSubMenuControl::StaticClass(), base);
        controller->RegisterBarControlDesignHelper(TCustomdxBarControl::StaticClass(),
                                                   TdxBarControlDesignHelper::Instance());
        if (!descendantFirst) controller->RegisterBarControlDesignHelper(TdxBarInternalSubMenuControl::StaticClass(), base);
        EXPECT_EQ(controller->FindDesignHelper(TdxBarInternalSubMenuControl::StaticClass()), base);
        EXPECT_EQ(controller->FindDesignHelper(TdxBarSubMenuControl::StaticClass()),
                  TdxBarSubMenuControlDesignHelper::Instance());
        controller->UnregisterBarControlDesignHelper(TdxBarInternalSubMenuControl::StaticClass(), base);
        controller->UnregisterBarControlDesignHelper(TCustomdxBarControl::StaticClass(),
                                                     TdxBarControlDesignHelper::Instance());
    }
    EXPECT_EQ(controller->FindDesignHelper(TCustomdxBarControl::StaticClass()), nullptr);

    // The entries of a link whose item offers every command, by the kind of window.
    auto* item = new TAllCommandsButton(form.get());
    item->SetCaption(L"Все");
    TdxBarItemLink* link = bar->ItemLinks()->AddItem(item);
    const std::vector<String> toolbar = {BarString(dxSBAR_CP_RESET),        BarString(dxSBAR_CP_DELETE),
                                         BarString(dxSBAR_CP_DELETEITEM),   BarString(dxSBAR_CP_DELETE),
                                         BarString(dxSBAR_CP_NAME),         BarString(dxSBAR_CP_DEFAULTSTYLE),
                                         BarString(dxSBAR_CP_TEXTONLYALWAYS), BarString(dxSBAR_CP_TEXTONLYINMENUS),
                                         BarString(dxSBAR_CP_IMAGEANDTEXT), BarString(dxSBAR_CP_BEGINAGROUP),
                                         BarString(dxSBAR_CP_VISIBLE)};
    TdxBarCustomizingPopup* popup = PopupFor(Window(), link);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Captions(popup->OwnLinks()), toolbar);
    // Visible begins a group only without begin-a-group before it.
    EXPECT_FALSE(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_VISIBLE))->BeginGroup());
    popup->HideBar();
}

TEST_F(DesignController, PaintStylesFormOneGroupWithExactlyOneDown) {
    auto* item = new TAllCommandsButton(form.get());
    item->SetCaption(L"Все");
    TdxBarItemLink* link = bar->ItemLinks()->AddItem(item);
    TdxBarCustomizingPopup* popup = PopupFor(Window(), link);
    ASSERT_NE(popup, nullptr);
    const TResStringRec* const styles[] = {&dxSBAR_CP_DEFAULTSTYLE, &dxSBAR_CP_TEXTONLYALWAYS,
                                           &dxSBAR_CP_TEXTONLYINMENUS, &dxSBAR_CP_IMAGEANDTEXT};
    auto downs = [&] {
        std::vector<bool> result;
        for (const TResStringRec* style : styles) {
            auto* button = As<TdxBarButton>(Entry(popup->OwnLinks(), BarString(*style))->Item());
            EXPECT_EQ(button->GroupIndex(), -1000);
            EXPECT_EQ(button->ButtonStyle(), bsChecked);
            result.push_back(button->Down());
        }
        return result;
    };
    EXPECT_EQ(downs(), (std::vector<bool>{true, false, false, false}));
    EXPECT_TRUE(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_DEFAULTSTYLE))->BeginGroup());
    Run(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_IMAGEANDTEXT)));
    EXPECT_EQ(link->UserPaintStyle(), psCaptionGlyph);
    EXPECT_TRUE(link->UserDefine().Contains(udPaintStyle));
    popup->HideBar();
    popup = PopupFor(Window(), link);
    EXPECT_EQ(downs(), (std::vector<bool>{false, false, false, true}));
    // Reset gives the item's own style back.
    Run(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_RESET)));
    EXPECT_TRUE(link->UserDefine().Empty());
    popup->HideBar();
}

TEST_F(DesignController, ViewLevelEntriesLeaveTheLevelsTheyName) {
    // The view levels are offered where a helper allows them: a helper that excludes nothing.
    class TAllowAll : public TCustomdxBarControlDesignHelper {
    public:
        Word GetExcludedCommands() const override { return 0; }
    } allowAll;
    controller->RegisterBarControlDesignHelper(TdxBarControl::StaticClass(), &allowAll);
    auto* item = new TAllCommandsButton(form.get());
    TdxBarItemLink* link = bar->ItemLinks()->AddItem(item);
    TdxBarCustomizingPopup* popup = PopupFor(Window(), link);
    ASSERT_NE(popup, nullptr);
    TdxBarItemLink* levelsEntry = Entry(popup->OwnLinks(), BarString(dxSBAR_CP_VIEWLEVELSMENU));
    ASSERT_NE(levelsEntry, nullptr);
    TdxBarItemLinks* levels = static_cast<TCustomdxBarSubItem*>(levelsEntry->Item())->ItemLinks();
    ASSERT_EQ(levels->Count(), 9);
    EXPECT_TRUE(levels->GetLink(4)->BeginGroup());
    EXPECT_TRUE(levels->GetLink(5)->BeginGroup());
    auto L = [](std::initializer_list<TdxBarItemViewLevel> levels) {
        TdxBarItemViewLevels result;
        for (TdxBarItemViewLevel level : levels) result += level;
        return result;
    };
    struct Case {
        int entry;
        TdxBarItemViewLevels expected;
    };
    const std::vector<Case> cases = {
        {6, L({ivlSmallIconWithText})},                // "... ТОЛЬКО"
        {2, L({ivlSmallIconWithText, ivlSmallIcon})},  // a level switched on
        {5, L({ivlLargeIconWithText})},                // another single level
        {0, L({})},                                    // switched off again
        {4, dxBarAllViewLevels},                       // all
        {8, L({ivlControlOnly})},
    };
    for (const Case& c : cases) {
        Run(levels->GetLink(c.entry));
        EXPECT_EQ(link->ViewLevels(), c.expected) << c.entry;
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(As<TdxBarButton>(levels->GetLink(i)->Item())->Down(), c.expected.Contains(TdxBarItemViewLevel(i)))
                << c.entry << " entry " << i;
        EXPECT_FALSE(As<TdxBarButton>(levels->GetLink(c.entry)->Item())->CloseSubMenuOnClick());
    }
    popup->HideBar();
    controller->UnregisterBarControlDesignHelper(TdxBarControl::StaticClass(), &allowAll);
}

TEST_F(DesignController, GroupGivesTheFirstSelectedLinkTheStart) {
    // Several links are selected together only by a form designer.
    auto* designer = new TRecordingDesigner;
    manager->SetDesigner(designer);
    selection = nullptr;
    auto* extra = bar->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(L"btnColor")));
    designer->selected = {Link(3), Link(1), Link(2)};
    class TAllowAll : public TCustomdxBarControlDesignHelper {
    public:
        Word GetExcludedCommands() const override { return 0; }
    } allowAll;
    controller->RegisterBarControlDesignHelper(TdxBarControl::StaticClass(), &allowAll);
    auto* item = new TAllCommandsButton(form.get());
    TdxBarItemLink* link = bar->ItemLinks()->AddItem(item);
    TdxBarCustomizingPopup* popup = PopupFor(Window(), link);
    ASSERT_NE(popup, nullptr);
    TdxBarItemLinks* groups =
        static_cast<TCustomdxBarSubItem*>(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_BUTTONGROUPMENU))->Item())->ItemLinks();
    Run(Entry(groups, BarString(dxSBAR_CP_BUTTONGROUP)));
    std::vector<TdxBarButtonGroupPosition> positions;
    for (int i = 0; i < bar->ItemLinks()->Count(); ++i) positions.push_back(Link(i)->ButtonGroup());
    EXPECT_EQ(positions, (std::vector<TdxBarButtonGroupPosition>{bgpNone, bgpStart, bgpMember, bgpMember, bgpNone}));
    Run(Entry(groups, BarString(dxSBAR_CP_BUTTONUNGROUP)));
    for (int i = 0; i < bar->ItemLinks()->Count(); ++i) EXPECT_EQ(Link(i)->ButtonGroup(), bgpNone) << i;
    (void)extra;
    popup->HideBar();
    controller->UnregisterBarControlDesignHelper(TdxBarControl::StaticClass(), &allowAll);
}

TEST_F(DesignController, ABlankNameIsRefusedWithItsMessage) {
    Customize();
    TdxBarCustomizingPopup* popup = RightClick(Link(0));
    ASSERT_NE(popup, nullptr);
    const String caption = Link(0)->GetEffectiveCaption();
    auto* name = As<TdxBarEdit>(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_NAME))->Item());
    ASSERT_NE(name, nullptr);
    name->SetText(L"");
    PumpUntilIdle();
    const std::vector<TShownBox> boxes = TakeBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Text, BarString(dxSBAR_COMMANDNAMECANNOTBEBLANK));
    EXPECT_TRUE(boxes[0].Flags & MB_ICONERROR);
    EXPECT_EQ(Link(0)->GetEffectiveCaption(), caption);
    EXPECT_FALSE(Link(0)->UserDefine().Contains(udCaption));
    EXPECT_EQ(controller->CustomizingPopup(), nullptr) << "the popup closes before the message";
    // A name given at run time becomes the link's own caption; the item keeps its caption.
    popup = RightClick(Link(0));
    ASSERT_NE(popup, nullptr);
    name = As<TdxBarEdit>(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_NAME))->Item());
    name->SetText(L"Открыть файл");
    EXPECT_EQ(Link(0)->GetEffectiveCaption(), L"Открыть файл");
    EXPECT_NE(Link(0)->Item()->GetCaption(), L"Открыть файл");
    EXPECT_TRUE(TakeBoxes().empty());
}

TEST_F(DesignController, DeleteAtRunTimeFreesOnlyTheLinkAndTheKeyGoesNoFurther) {
    Customize();
    TdxBarItem* save = Link(1)->Item();
    const int saveLinks = save->GetLinkCount();
    // Without a selection Delete does nothing and goes on to the focused edit.
    // The Customize dialog is the active window: the user comes back to the form first.
    SetActiveWindow(form->Handle());
    edit->SetFocus();
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 0);
    EXPECT_FALSE(controller->DeleteSelection(false, true));
    ClickAt(Centre(Link(1)));
    PumpUntilIdle();
    ASSERT_EQ(controller->LastSelected(), static_cast<IdxBarSelectableItem*>(Link(1)));
    // The Customize dialog is the active window: the user comes back to the form first.
    SetActiveWindow(form->Handle());
    edit->SetFocus();
    SendMessageW(edit->Handle(), EM_SETSEL, 0, 0);
    PumpUntilIdle();
    TypeKey(VK_DELETE);
    PumpUntilIdle();
    EXPECT_EQ(bar->ItemLinks()->Count(), 2);
    EXPECT_EQ(save->GetLinkCount(), saveLinks - 1);
    EXPECT_GE(manager->ItemList()->IndexOf(save), 0) << "the item stays in the manager";
    EXPECT_EQ(edit->Text(), L"abc") << "the Delete key did not reach the edit";
    EXPECT_EQ(controller->LastSelected(), nullptr);
    // Nothing selected any more: the next Delete is the edit's.
    TypeKey(VK_DELETE);
    PumpUntilIdle();
    EXPECT_EQ(edit->Text(), L"bc");
}

TEST_F(DesignController, InternalItemsOfAPopupDieWithTheNextPopup) {
    Customize();
    TdxBarCustomizingPopup* popup = RightClick(Link(0));
    ASSERT_NE(popup, nullptr);
    TdxBarItem* first = popup->OwnLinks()->GetLink(0)->Item();
    ASSERT_GT(controller->InternalItems()->Count(), 0);
    TcxObjectLinkGuard firstAlive(first);
    controller->StoreLastSelected(Link(2));
    controller->ShowLinkCustomizingPopup(Window(), Link(2));
    PumpUntilIdle();
    popup = controller->CustomizingPopup();
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(firstAlive.Alive());
    EXPECT_EQ(controller->CustomizingLink(), Link(2));
    // Customize entries: only with CanCustomize, and disabled while a manager customizes.
    TdxBarItemLinks* links = popup->OwnLinks();
    const int before = links->Count();
    controller->AddCustomizeCommand(links, TdxBarButton::StaticClass(), true);
    ASSERT_EQ(links->Count(), before + 1);
    EXPECT_EQ(links->GetLink(before)->Item()->GetCaption(), BarString(dxSBAR_CUSTOMIZE));
    EXPECT_FALSE(links->GetLink(before)->Item()->GetEnabled());
    manager->SetCanCustomize(false);
    controller->AddCustomizeCommand(links, TdxBarButton::StaticClass(), true);
    EXPECT_EQ(links->Count(), before + 1);
    manager->SetCanCustomize(true);
    popup->HideBar();
    PumpUntilIdle();
    EXPECT_EQ(controller->CustomizingPopup(), nullptr);
}

// ---- The link drag ----------------------------------------------------------------------------

class LinkDrag : public DesignController {
protected:
    std::vector<String> Names() const {
        std::vector<String> result;
        for (int i = 0; i < bar->ItemLinks()->Count(); ++i) result.push_back(Link(i)->Item()->Name());
        return result;
    }
    // Presses on the link's centre and runs the steps from ticks while the drag's own loop
    // waits; the last step releases the button (unless the steps end the drag themselves).
    void Drag(TdxBarItemLink* link, std::vector<std::function<bool()>> steps, bool release = true) {
        const TPoint start = Centre(link);
        MoveMouseTo(start);
        PumpUntilIdle();
        MouseButton(true);
        PumpUntilIdle();
        ASSERT_TRUE(Window()->IsItemDragArmed());
        std::vector<std::function<bool()>> all;
        // Out of the drag rectangle: the window starts the modal drag.
        all.push_back([start] {
            MoveMouseTo(TPoint{start.x + 8, start.y});
            return true;
        });
        all.push_back([this] { return manager->IsDragging(); });
        for (auto& step : steps) all.push_back(step);
        if (release)
            all.push_back([] {
                MouseButton(false);
                return true;
            });
        TTickScript script(all);
        EXPECT_TRUE(PumpUntil([&] { return script.Done() && !manager->IsDragging(); }, 8000));
        EXPECT_FALSE(script.TimedOut());
        if (!release) MouseButton(false);
        PumpUntilIdle();
    }
    static std::function<bool()> MoveTo(TPoint p) {
        return [p] {
            MoveMouseTo(p);
            return true;
        };
    }
    // Moves there and waits until the drag has seen it.
    std::function<bool()> Settle() {
        return [] { return true; };
    }
};

TEST_F(LinkDrag, ALinkDroppedOnTheDesktopIsRemovedAndItsItemStays) {
    Customize();
    TdxBarItem* save = Link(1)->Item();
    const int links = save->GetLinkCount();
    const TPoint outside{WorkArea().right - 20, WorkArea().bottom - 20};
    Drag(Link(1), {MoveTo(outside), MoveTo(TPoint{outside.x - 1, outside.y}), Settle()});
    EXPECT_EQ(Names(), (std::vector<String>{L"btnOpen", L"btnBold"}));
    EXPECT_EQ(save->GetLinkCount(), links - 1);
    EXPECT_GE(manager->ItemList()->IndexOf(save), 0);
    EXPECT_FALSE(manager->IsDragging());
    EXPECT_NE(GetCapture(), form->Handle());
}

TEST_F(LinkDrag, DraggedOntoItselfMoreThanThreePixelsSetsBeginGroup) {
    struct Case {
        int offset;
        bool beginGroup;
    };
    for (const Case& c : {Case{3, false}, Case{4, true}}) {
        Customize();
        const TPoint centre = Centre(Link(1));
        Drag(Link(1), {MoveTo(TPoint{centre.x + c.offset, centre.y}),
                       MoveTo(TPoint{centre.x + c.offset, centre.y + 1}), Settle()});
        EXPECT_EQ(Names(), (std::vector<String>{L"btnOpen", L"btnSave", L"btnBold"})) << c.offset;
        EXPECT_EQ(Link(1)->BeginGroup(), c.beginGroup) << c.offset;
        Link(1)->SetBeginGroup(false);
        manager->SwitchCustomizing(false);
    }
}

TEST_F(LinkDrag, CtrlCopiesAndAMoveTakesTheLinkAlong) {
    Customize();
    // Dropped on the second half of the last link: after it.
    auto secondHalf = [this](int index) {
        const TRect r = Link(index)->Control()->GetBounds();
        return Window()->ClientToScreen(TPoint{r.right - 3, (r.top + r.bottom) / 2});
    };
    const TPoint target = secondHalf(2);
    Drag(Link(0), {[] {
                       KeyDown(VK_CONTROL);
                       return true;
                   },
                   MoveTo(target), MoveTo(TPoint{target.x, target.y + 1}), Settle()});
    KeyUp(VK_CONTROL);
    PumpUntilIdle();
    EXPECT_EQ(Names(), (std::vector<String>{L"btnOpen", L"btnSave", L"btnBold", L"btnOpen"}));
    EXPECT_EQ(controller->LastSelected(), static_cast<IdxBarSelectableItem*>(Link(3))) << "the new link is selected";
    // Without Ctrl the link moves.
    const TPoint again = secondHalf(2);
    Drag(Link(1), {MoveTo(again), MoveTo(TPoint{again.x, again.y + 1}), Settle()});
    EXPECT_EQ(Names(), (std::vector<String>{L"btnOpen", L"btnBold", L"btnSave", L"btnOpen"}));
}

TEST_F(LinkDrag, EscapeCancelsAndRestoresTheCursor) {
    Customize();
    const TPoint outside{WorkArea().right - 20, WorkArea().bottom - 20};
    Drag(Link(0),
         {MoveTo(outside), MoveTo(TPoint{outside.x - 1, outside.y}),
          [] { return GetCursor() == Screen->Cursors(crdxBarDragNoDrop); },
          [] {
              TypeKey(VK_ESCAPE);
              return true;
          }},
         false);
    EXPECT_EQ(Names(), (std::vector<String>{L"btnOpen", L"btnSave", L"btnBold"}));
    EXPECT_NE(GetCursor(), Screen->Cursors(crdxBarDragNoDrop));
    EXPECT_NE(GetCursor(), Screen->Cursors(crdxBarDrag));
}

TEST_F(LinkDrag, ADropOnAnEmptyToolbarMakesItsOnlyLink) {
    TdxBar* empty = manager->Bars()->Add();
    empty->SetCaption(L"Пусто");
    empty->SetDockingStyle(dsBottom);
    PumpUntilIdle();
    Customize();
    ASSERT_NE(empty->BarControl(), nullptr);
    ASSERT_TRUE(empty->BarControl()->HandleAllocated());
    RECT r;
    GetWindowRect(empty->BarControl()->Handle(), &r);
    const TPoint target{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    Drag(Link(2), {MoveTo(target), MoveTo(TPoint{target.x + 1, target.y}), Settle()});
    ASSERT_EQ(empty->ItemLinks()->Count(), 1);
    EXPECT_EQ(empty->ItemLinks()->GetLink(0)->Item()->Name(), L"btnBold");
    EXPECT_EQ(Names(), (std::vector<String>{L"btnOpen", L"btnSave"}));
}

TEST_F(LinkDrag, SamePlaceAndInsertionDecisions) {
    Customize();
    auto* info = new TdxBarDragInfo(manager);
    std::unique_ptr<TdxBarDragInfo> owner(info);
    // Links: 0 btnOpen, 1 btnSave, 2 btnBold; link 2 begins a group.
    Link(2)->SetBeginGroup(true);
    struct Case {
        int dragged, over;
        bool beginGroup, firstPart, samePlace;
    };
    const std::vector<Case> cases = {
        {1, 1, false, false, true},   // itself
        {1, 1, true, false, true},    // itself with one mark
        {1, 1, true, true, false},    // itself with both marks: a new group before it
        {1, 0, false, false, true},   // after the link before it
        {1, 0, true, false, false},   // ... but as a new group
        {1, 0, false, true, false},   // before the link before it
        {1, 2, false, true, false},   // before the next link, which begins a group
        {1, 2, true, true, true},     // ... as a group again
        {0, 1, false, true, true},    // before the next link
        {0, 2, false, true, false},   // farther away
        {2, 2, false, false, true},   // the last link on itself
        {2, 0, false, false, false},  // the last link elsewhere
    };
    for (const Case& c : cases) {
        info->SetDragging(Link(c.dragged)->Item(), Link(c.dragged));
        TdxBarDropPosition position;
        position.link = Link(c.over);
        position.beginGroup = c.beginGroup;
        position.firstPart = c.firstPart;
        info->SetDropTarget(Window(), position);
        EXPECT_EQ(info->IsSamePlace(), c.samePlace) << c.dragged << " over " << c.over << " bg " << c.beginGroup
                                                    << " fp " << c.firstPart;
    }
    // Nothing under the mouse: nothing to drop, the same place.
    info->SetDropTarget(nullptr, TdxBarDropPosition());
    EXPECT_FALSE(info->CanDropHere());
    EXPECT_TRUE(info->IsSamePlace());
    // From the command list (no link) it is never the same place and always a copy.
    info->SetDragging(Link(0)->Item(), nullptr);
    TdxBarDropPosition onFirst;
    onFirst.link = Link(0);
    info->SetDropTarget(Window(), onFirst);
    EXPECT_FALSE(info->IsSamePlace());
    EXPECT_TRUE(info->IsCopy());
}

TEST_F(LinkDrag, InsertedLinksTakeTheirPlaceAndGroupLines) {
    Customize();
    auto* hidden = static_cast<TdxBarItem*>(form->FindComponent(L"btnColor"));
    struct Case {
        int over;
        bool beginGroup, firstPart, overBeginsGroup;
        int index;                  // of the new link
        bool newGroup, overGroup;  // begin-group of the new link and the link dropped on
    };
    const std::vector<Case> cases = {
        {1, false, false, false, 2, false, false},  // second half: after it
        {1, false, true, false, 1, false, false},   // first half: before it
        {1, true, false, false, 1, true, false},    // a group mark: a new group before it
        {1, false, true, true, 1, true, false},     // before a link that begins a group: takes its line
        {1, true, true, true, 1, false, true},      // both marks: before it, the line stays
    };
    for (const Case& c : cases) {
        TdxBarDragInfo info(manager);
        Link(c.over)->SetBeginGroup(c.overBeginsGroup);
        TdxBarItemLink* over = Link(c.over);
        info.SetDragging(hidden, nullptr);
        TdxBarDropPosition position;
        position.link = over;
        position.beginGroup = c.beginGroup;
        position.firstPart = c.firstPart;
        info.SetDropTarget(Window(), position);
        info.SetState(dsdCopy);
        info.DropInsertsLink();
        ASSERT_EQ(bar->ItemLinks()->Count(), 4);
        TdxBarItemLink* added = Link(c.index);
        EXPECT_EQ(added->Item(), hidden) << c.over << c.beginGroup << c.firstPart;
        EXPECT_EQ(added->StoredBeginGroup(), c.newGroup) << c.over << c.beginGroup << c.firstPart;
        EXPECT_EQ(over->StoredBeginGroup(), c.overGroup) << c.over << c.beginGroup << c.firstPart;
        FreeObject(added);
        over->SetBeginGroup(false);
        info.SetState(dsdNone);
    }
}

TEST_F(LinkDrag, TheInsertionMarkDrawnTwiceLeavesThePixels) {
    for (bool vertical : {false, true})
        for (bool firstPart : {false, true}) {
            HDC screen = GetDC(nullptr);
            HDC dc = CreateCompatibleDC(screen);
            HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 40);
            ReleaseDC(nullptr, screen);
            HGDIOBJ old = SelectObject(dc, bitmap);
            RECT all{0, 0, 40, 40};
            FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
            const COLORREF face = GetPixel(dc, 20, 20);
            const TRect r{5, 5, 29, 27};
            auto changed = [&] {
                int count = 0;
                for (int y = 0; y < 40; ++y)
                    for (int x = 0; x < 40; ++x) count += GetPixel(dc, x, y) != face;
                return count;
            };
            TdxBarDragInfo::DrawDragLine(dc, r, vertical, firstPart);
            EXPECT_GT(changed(), 0);
            // The mark's corner: the leading edge at the chosen end.
            const TPoint corner = vertical ? TPoint{r.left, firstPart ? r.top : r.bottom - 6}
                                           : TPoint{firstPart ? r.left : r.right - 6, r.top};
            EXPECT_NE(GetPixel(dc, corner.x, corner.y), face) << vertical << firstPart;
            TdxBarDragInfo::DrawDragLine(dc, r, vertical, firstPart);
            EXPECT_EQ(changed(), 0) << vertical << firstPart;
            SelectObject(dc, old);
            DeleteObject(bitmap);
            DeleteDC(dc);
        }
}

TEST_F(LinkDrag, AManagerFreedWhileCustomizingGoesCleanly) {
    Customize();
    ClickAt(Centre(Link(1)));
    PumpUntilIdle();
    ASSERT_EQ(controller->LastSelected(), static_cast<IdxBarSelectableItem*>(Link(1)));
    manager = nullptr;
    form.reset();
    PumpUntilIdle();
    EXPECT_EQ(controller->LastSelected(), nullptr);
    EXPECT_TRUE(!BarManagerList() || BarManagerList()->GetCustomizingManager() == nullptr);
}

// ---- The toolbars popup -----------------------------------------------------------------------

class ToolbarsPopup : public DesignController {
protected:
    TdxBar* AddBar(const String& caption, TdxBarDockingStyle style = dsTop) {
        TdxBar* added = manager->Bars()->Add();
        added->SetCaption(caption);
        added->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(L"btnExport")));
        added->SetDockingStyle(style);
        return added;
    }
    TdxBarInternalSubMenuControl* OpenOn(TdxBar* target) {
        const TRect r = target->BarControl()->ClientRect();
        RightClickAt(target->BarControl()->ClientToScreen(TPoint{r.right - 4, (r.top + r.bottom) / 2}));
        PumpUntilIdle();
        return Shown();
    }
    static TdxBarInternalSubMenuControl* Shown() {
        for (TCustomdxBarControl* window : LiveBarControls())
            if (auto* popup = As<TdxBarToolbarsPopup>(window)) return popup;
        return nullptr;
    }
};

TEST_F(ToolbarsPopup, ListsTheClosableToolbarsInOrderThenCustomize) {
    TdxBar* view = AddBar(L"Вид");
    TdxBar* menu = AddBar(L"Меню");
    menu->SetIsMainMenu(true);
    TdxBar* fixed = AddBar(L"Закреплённая");
    fixed->SetAllowClose(false);
    TdxBar* hidden = AddBar(L"Скрытая");
    hidden->SetHidden(true);
    TdxBar* closed = AddBar(L"Закрытая");
    closed->SetVisible(false);
    TdxBar* merged = AddBar(L"Слитая");
    view->Merge(merged);
    PumpUntilIdle();
    TdxBarInternalSubMenuControl* popup = OpenOn(bar);
    ASSERT_NE(popup, nullptr);
    const std::vector<String> captions = Captions(popup->OwnLinks());
    ASSERT_GE(captions.size(), 4u);
    // Every bar of the form that may be closed, in the manager's order; the bars of this test
    // come last, the Customize command after them.
    const std::vector<String> ours(captions.end() - 4, captions.end());
    EXPECT_EQ(ours, (std::vector<String>{L"Правка", L"Вид", L"Закрытая", BarString(dxSBAR_CUSTOMIZE)}));
    for (const String& left : {L"Меню", L"Закреплённая", L"Скрытая", L"Слитая"})
        EXPECT_EQ(std::count(captions.begin(), captions.end(), left), 0) << Utf8(left);
    TdxBarItemLinks* links = popup->OwnLinks();
    auto entry = [&](const String& caption) { return As<TdxBarButton>(Entry(links, caption)->Item()); };
    EXPECT_TRUE(entry(L"Вид")->Down());
    EXPECT_FALSE(entry(L"Закрытая")->Down());
    EXPECT_TRUE(Entry(links, BarString(dxSBAR_CUSTOMIZE))->BeginGroup());
    EXPECT_TRUE(Entry(links, BarString(dxSBAR_CUSTOMIZE))->Item()->GetEnabled());
    // A tick shows the closed bar.
    Run(Entry(links, L"Закрытая"));
    EXPECT_TRUE(closed->Visible());
    if (Shown()) Shown()->HideBar();
    PumpUntilIdle();
}

TEST_F(ToolbarsPopup, ASecondPopupFreesTheFirstOnesItemsAndAnEmptyOneIsNotShown) {
    TdxBarInternalSubMenuControl* popup = OpenOn(bar);
    ASSERT_NE(popup, nullptr);
    TcxObjectLinkGuard firstEntry(popup->OwnLinks()->GetLink(0)->Item());
    popup->HideBar();
    PumpUntilIdle();
    popup = OpenOn(bar);
    ASSERT_NE(popup, nullptr);
    EXPECT_FALSE(firstEntry.Alive());
    popup->HideBar();
    PumpUntilIdle();
    // An application that removes every entry gets no popup.
    struct TEmptier : TObject {
        void Empty(TObject*, TdxBarItemLinks* links) { TdxBarDesignController::FreeLinkItems(links); }
    } emptier;
    manager->OnShowToolbarsPopup = MakeEvent(&emptier, &TEmptier::Empty);
    EXPECT_EQ(OpenOn(bar), nullptr);
    manager->OnShowToolbarsPopup = TdxBarShowPopupEvent();
    // Without CanCustomize there is no Customize entry.
    manager->SetCanCustomize(false);
    popup = OpenOn(bar);
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(Entry(popup->OwnLinks(), BarString(dxSBAR_CUSTOMIZE)), nullptr);
    popup->HideBar();
    PumpUntilIdle();
}

TEST_F(DesignController, MergingIsSuspendedWhileCustomizingAndRestoredAfterwards) {
    TdxBar* child = manager->Bars()->Add();
    child->SetCaption(L"Дочерняя");
    child->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(L"btnExport")));
    child->SetDockingStyle(dsTop);
    PumpUntilIdle();
    bar->Merge(child);
    ASSERT_EQ(child->MergedInto(), bar);
    ASSERT_EQ(bar->ItemLinks()->Count(), 4);
    ASSERT_FALSE(child->Visible());

    manager->UnmergeForCustomizing(nullptr, true);
    EXPECT_EQ(child->MergedInto(), nullptr);
    EXPECT_EQ(bar->ItemLinks()->Count(), 3);
    EXPECT_TRUE(child->Visible()) << "a bar of the same manager shows again while customizing";
    EXPECT_EQ(bar->SavedMergedBars(), std::vector<TdxBar*>{child});

    manager->RestoreMerging();
    EXPECT_EQ(child->MergedInto(), bar);
    EXPECT_EQ(bar->ItemLinks()->Count(), 4);
    EXPECT_FALSE(child->Visible());
    EXPECT_TRUE(bar->SavedMergedBars().empty());

    // A remembered bar freed meanwhile is not merged again.
    manager->UnmergeForCustomizing(nullptr, true);
    FreeObject(child);
    EXPECT_TRUE(bar->SavedMergedBars().empty());
    manager->RestoreMerging();
    EXPECT_TRUE(bar->MergedBars().empty());
    EXPECT_EQ(bar->ItemLinks()->Count(), 3);
}

TEST_F(ToolbarsPopup, ARightPressOnADockOpensItExceptWhileCustomizing) {
    TdxDockControl* dock = manager->Bars()->DockControls(dsTop);
    ASSERT_TRUE(dock && dock->HandleAllocated());
    const TRect client = dock->ClientRect();
    const TPoint empty = dock->ClientToScreen(TPoint{client.right - 5, (client.top + client.bottom) / 2});
    ASSERT_EQ(WindowFromPoint(empty), dock->Handle()) << "a spot of the dock no bar covers";
    RightClickAt(empty);
    PumpUntilIdle();
    TdxBarInternalSubMenuControl* popup = Shown();
    ASSERT_NE(popup, nullptr);
    EXPECT_NE(Entry(popup->OwnLinks(), L"Правка"), nullptr);
    popup->HideBar();
    PumpUntilIdle();
    Customize();
    RightClickAt(empty);
    PumpUntilIdle();
    EXPECT_EQ(Shown(), nullptr);
}

}  // namespace

// ---- Design-time add entries ------------------------------------------------------------------

namespace {

// The bar test form's manager as a form designer edits it: csDesigning and a recording designer
// whose selection is the link right-clicked.
class DesignTimeEditors : public DesignController {
protected:
    void SetUp() override {
        DesignController::SetUp();
        if (HasFatalFailure()) return;
        designer = new TRecordingDesigner;
        manager->SetDesigner(designer);
        selection = nullptr;
        bar->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(L"btnColor")));
        PumpUntilIdle();
        manager->SetStateFlag(csDesigning, true);
    }
    void TearDown() override {
        if (manager) manager->SetStateFlag(csDesigning, false);
        DesignController::TearDown();
    }
    TdxBarCustomizingPopup* DesignPopup(TdxBarItemLink* link) {
        designer->selected = {link};
        return PopupFor(Window(), link);
    }
    static const std::vector<String>& AddCaptions() {
        static const std::vector<String> captions = {BarString(dxSBAR_CP_ADDSUBITEM), BarString(dxSBAR_CP_ADDBUTTON),
                                                     BarString(dxSBAR_CP_ADDDXITEM)};
        return captions;
    }
    TRecordingDesigner* designer = nullptr;  // held by the manager
};

}  // namespace

TEST_F(DesignTimeEditors, EachEditorAddsItsItemAfterTheRightClickedLinkAndSelectsIt) {
    struct Case {
        const TResStringRec* entry;
        TClass itemClass;
        String designerName;  // what the designer answers; empty: the manager numbers the name
        String expectedName;
        std::vector<const wchar_t*> categories;
        int expectedCategory;
    };
    const String defaultCategory = BarStringTableText(dxSBAR_DEFAULTCATEGORYNAME);
    const std::vector<Case> cases = {
        {&dxSBAR_CP_ADDBUTTON, TdxBarButton::StaticClass(), L"", L"dxBarButton1", {L"Файл", defaultCategory.c_str()}, 1},
        {&dxSBAR_CP_ADDSUBITEM, TdxBarSubItem::StaticClass(), L"mnuRecent", L"mnuRecent", {L"Файл", L"Правка"}, 0},
        {&dxSBAR_CP_ADDBUTTON, TdxBarButton::StaticClass(), L"", L"dxBarButton2", {defaultCategory.c_str()}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Utf8(c.itemClass->ClassName()));
        auto* categories = new TStringList;
        for (const wchar_t* name : c.categories) categories->Add(name);
        manager->SetCategories(categories);
        delete categories;
        designer->uniqueName = c.designerName;
        const int count = bar->ItemLinks()->Count();
        TdxBarItemLink* third = Link(2);
        TdxBarItemLink* fourth = Link(3);
        TdxBarCustomizingPopup* popup = DesignPopup(third);
        ASSERT_NE(popup, nullptr);
        Run(Entry(popup->OwnLinks(), BarString(*c.entry)));
        PumpUntilIdle();
        ASSERT_EQ(bar->ItemLinks()->Count(), count + 1);
        EXPECT_EQ(Link(2), third);
        EXPECT_EQ(Link(4), fourth) << "the old fourth link moves on";
        TdxBarItem* item = Link(3)->Item();
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->ClassType(), c.itemClass);
        EXPECT_EQ(item->Name(), c.expectedName);
        EXPECT_EQ(item->Owner(), manager->Owner());
        EXPECT_EQ(item->GetCaption(), item->GetNewItemCaption());
        EXPECT_EQ(item->Category(), c.expectedCategory);
        EXPECT_GE(manager->ItemList()->IndexOf(item), 0) << "a real item of the manager, not an internal one";
        EXPECT_EQ(controller->LastSelected(), static_cast<IdxBarSelectableItem*>(Link(3)));
        if (controller->CustomizingPopup()) controller->CustomizingPopup()->HideBar();
    }
}

TEST_F(DesignTimeEditors, OnlyMenusOfferTheSeparatorAndTheEntriesComeFirst) {
    struct Case {
        TClass windowClass;
        std::vector<const TdxBarControlEditor*> editors;
    };
    const std::vector<const TdxBarControlEditor*> registered = {
        TdxAddSubItemEditor::Instance(), TdxAddButtonEditor::Instance(), TdxItemsEditorEx::Instance()};
    std::vector<const TdxBarControlEditor*> menu = registered;
    menu.push_back(TdxAddSeparatorEditor::Instance());
    const std::vector<Case> cases = {
        {TdxBarControl::StaticClass(), registered},
        {TdxBarSubMenuControl::StaticClass(), menu},
        {TdxBarInternalSubMenuControl::StaticClass(), menu},
    };
    for (const Case& c : cases) {
        std::vector<const TdxBarControlEditor*> editors;
        controller->FindDesignHelper(c.windowClass)->GetEditors(editors);
        EXPECT_EQ(editors, c.editors) << Utf8(c.windowClass->ClassName());
    }
    // On a toolbar the add entries open the popup, before the commands.
    TdxBarCustomizingPopup* popup = DesignPopup(Link(1));
    ASSERT_NE(popup, nullptr);
    std::vector<String> captions = Captions(popup->OwnLinks());
    ASSERT_GT(captions.size(), AddCaptions().size());
    captions.resize(AddCaptions().size());
    EXPECT_EQ(captions, AddCaptions());
    EXPECT_EQ(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_ADDSEPARATOR)), nullptr);
    EXPECT_TRUE(Entry(popup->OwnLinks(), BarString(dxSBAR_CP_RESET))->BeginGroup());
    popup->HideBar();
}

TEST_F(DesignTimeEditors, TheAddEntriesNeedDesignTimeOneSelectedObjectAndAStorableOwner) {
    struct Case {
        const char* name;
        bool designing;
        int selected;  // links selected in the designer
        bool inlineOwner;
        bool entries;
        bool enabled;
    };
    const std::vector<Case> cases = {
        {"design time, one selected", true, 1, false, true, true},
        {"run time", false, 1, false, false, false},
        {"two selected", true, 2, false, false, false},
        {"owner inline in another form", true, 1, true, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        manager->SetStateFlag(csDesigning, c.designing);
        form->SetStateFlag(csInline, c.inlineOwner);
        designer->selected = {Link(1)};
        if (c.selected == 2) designer->selected.push_back(Link(2));
        TdxBarCustomizingPopup* popup = PopupFor(Window(), Link(1));
        ASSERT_NE(popup, nullptr);
        for (const String& caption : AddCaptions()) {
            TdxBarItemLink* entry = Entry(popup->OwnLinks(), caption);
            ASSERT_EQ(entry != nullptr, c.entries) << Utf8(caption);
            if (entry) EXPECT_EQ(entry->Item()->GetEnabled(), c.enabled) << Utf8(caption);
        }
        popup->HideBar();
        form->SetStateFlag(csInline, false);
    }
}

TEST_F(DesignTimeEditors, TheAddItemMenuListsTheOfferedClassesAndMakesTheChosenOne) {
    TdxBarCustomizingPopup* popup = DesignPopup(Link(0));
    ASSERT_NE(popup, nullptr);
    TdxBarItemLink* entry = Entry(popup->OwnLinks(), BarString(dxSBAR_CP_ADDDXITEM));
    ASSERT_NE(entry, nullptr);
    auto* subItem = As<TCustomdxBarSubItem>(entry->Item());
    ASSERT_NE(subItem, nullptr);
    EXPECT_TRUE(subItem->ItemLinks()->Internal) << "its entries work while customizing";
    std::vector<String> offered;
    TdxBarItemList* registry = ItemRegistryInstance();
    for (int i = 0; i < registry->GetOfferedClassCount(); ++i) offered.push_back(registry->GetOfferedClass(i)->ClassName());
    ASSERT_FALSE(offered.empty());
    EXPECT_EQ(Captions(subItem->ItemLinks()), offered);
    Run(Entry(subItem->ItemLinks(), TdxBarEdit::StaticClass()->ClassName()));
    PumpUntilIdle();
    ASSERT_EQ(bar->ItemLinks()->Count(), 5);
    EXPECT_EQ(Link(0)->Item()->Name(), L"btnOpen");
    ASSERT_NE(Link(1)->Item(), nullptr);
    EXPECT_EQ(Link(1)->Item()->ClassType(), TdxBarEdit::StaticClass());
    EXPECT_EQ(Link(1)->Item()->Name(), L"dxBarEdit1");
    EXPECT_EQ(controller->LastSelected(), static_cast<IdxBarSelectableItem*>(Link(1)));
}

TEST_F(DesignTimeEditors, AnItemThatCannotBeNamedIsNotLeftBehind) {
    // The designer answers a name that is no identifier: the addition fails as a whole.
    designer->uniqueName = L"2 кнопки";
    const int items = manager->ItemList()->Count();
    TdxBarCustomizingPopup* popup = DesignPopup(Link(1));
    ASSERT_NE(popup, nullptr);
    EXPECT_ANY_THROW(controller->AddNewItemForCustomizing(TdxBarButton::StaticClass()));
    EXPECT_EQ(bar->ItemLinks()->Count(), 4);
    EXPECT_EQ(manager->ItemList()->Count(), items);
    popup->HideBar();
}
