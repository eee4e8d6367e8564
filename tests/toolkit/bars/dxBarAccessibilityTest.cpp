// The accessibility helpers of bar objects: the searches of keyboard navigation on a tree of
// fake helpers with screen bounds (the direction band, hidden subtrees, Tab order climbing and
// wrapping), the abstract operations, and the helpers of a real bar window and its item controls
// under Xvfb: the tree, the default key tips, and a helper that outlives its owner.

#include "BarAccessibilityFakes.h"
#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "TestBarWindow.h"

#include "ShortCuts.h"
#include "dxBarAccessibility.h"
#include "dxBarButton.h"
#include "dxBarEdit.h"
#include "dxBarEditControl.h"
#include "dxBarItemLinks.h"
#include "dxBarNavigationController.h"
#include "dxCore.h"
#include "dxBarSubItem.h"

namespace {

// root
//   top: a b c            (one row)
//   bottom: d e           (the row below)
//   hidden: h             (a hidden container: its element is hidden too)
//   n                     (below e, not navigable)
struct TFakeTree {
    IPtr<TFakeHelper> root = NewFakeRoot();
    TFakeTree() {
        TFakeHelper* top = root->Add("top", RECT{0, 0, 80, 20}, false);
        top->Add("a", RECT{0, 0, 20, 20});
        top->Add("b", RECT{30, 0, 50, 20});
        top->Add("c", RECT{60, 0, 80, 20});
        TFakeHelper* bottom = root->Add("bottom", RECT{0, 40, 80, 60}, false);
        bottom->Add("d", RECT{0, 40, 20, 60});
        bottom->Add("e", RECT{30, 40, 50, 60});
        TFakeHelper* hidden = root->Add("hidden", RECT{0, 80, 80, 100}, false);
        hidden->visible = false;
        hidden->Add("h", RECT{30, 80, 50, 100})->visible = false;
        root->Add("n", RECT{30, 120, 50, 140}, false);
    }
    TFakeHelper* operator[](const char* name) const { return root->Find(name); }
};

std::string NameOf(IdxBarAccessibilityHelper* helper) {
    auto* fake = dynamic_cast<TFakeHelper*>(GetHelperObject(helper));
    return fake ? fake->name : "none";
}

std::string Names(const std::vector<TcxAccessibilityHelper*>& list) {
    std::string result;
    for (TcxAccessibilityHelper* h : list) result += (result.empty() ? "" : " ") + NameOf(dynamic_cast<TFakeHelper*>(h));
    return result;
}

TEST(BarAccessibilityTree, CandidatesLieInTheDirectionsBandAndSkipHiddenSubtrees) {
    TFakeTree tree;
    struct Case {
        const char* from;
        int direction;
        const char* candidates;  // CollectCandidates from the root
        const char* neighbour;   // FindNeighbour
    } cases[] = {
        {"b", 0, "a c", "a"},    // the row, both sides: the nearest on the left wins
        {"b", 2, "a c", "c"},
        {"c", 2, "a b", "a"},    // nothing on the right: the search wraps to the far side
        {"b", 3, "e", "e"},      // h is hidden with its container, n cannot be navigated to
        {"e", 1, "b", "b"},
        {"b", 1, "", "none"},    // the top edge: nothing, and no wrap upwards
        {"a", 3, "d", "d"},
    };
    for (const Case& c : cases) {
        TFakeHelper* from = tree[c.from];
        std::vector<TcxAccessibilityHelper*> list;
        from->CollectCandidates(from, tree.root.get(), list, c.direction, from->GetScreenBounds(0));
        EXPECT_EQ(Names(list), c.candidates) << c.from << " direction " << c.direction;
        EXPECT_EQ(NameOf(from->FindNeighbour(c.direction)), c.neighbour) << c.from << " direction " << c.direction;
    }
    // Same column (left and right edges equal) is not a left or right candidate.
    TFakeHelper* under = tree["bottom"]->Add("under b", RECT{30, 25, 50, 35});
    std::vector<TcxAccessibilityHelper*> list;
    tree["b"]->CollectCandidates(tree["b"], tree.root.get(), list, 0, RECT{30, 20, 50, 30});
    EXPECT_EQ(std::count(list.begin(), list.end(), under), 0);
}

TEST(BarAccessibilityTree, TabClimbsToTheNextContainerAndWrapsAtTheRoot) {
    TFakeTree tree;
    struct Case {
        const char* from;
        bool forward;
        const char* next;
    } cases[] = {
        {"a", true, "b"},  {"c", true, "d"},   // climbs out of "top" into "bottom"
        {"e", true, "a"},                      // the hidden h and n are passed over; wraps
        {"a", false, "e"},                     // Shift+Tab from the first goes to the last
        {"d", false, "c"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NameOf(tree[c.from]->FindNextObject(c.forward)), c.next) << c.from << (c.forward ? " Tab" : " Shift+Tab");
    EXPECT_EQ(NameOf(tree.root->FindFirstNavigable()), "a");
    tree["top"]->visible = false;
    EXPECT_EQ(NameOf(tree.root->FindFirstNavigable()), "d");
}

TEST(BarAccessibilityTree, TheAbstractOperationsRaiseWithAnEmptyText) {
    IPtr<TdxBarAccessibilityHelper> base(new TdxBarAccessibilityHelper(nullptr));
    IPtr<TCustomdxBarControlAccessibilityHelper> bar(new TCustomdxBarControlAccessibilityHelper(nullptr));
    IPtr<TdxBarButtonLikeControlAccessibilityHelper> button(new TdxBarButtonLikeControlAccessibilityHelper(nullptr));
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"GetBarManager", [&] { base->GetBarManager(); }},
        {"GetEntryObject", [&] { base->GetEntryObject(); }},
        {"GetAssignedKeyTip", [&] { base->GetAssignedKeyTip(); }},
        {"GetDefaultKeyTip", [&] { base->GetDefaultKeyTip(); }},
        {"ExpandAndGetHelper", [&] { bar->ExpandAndGetHelper(); }},
        {"GetBarControl", [&] { bar->GetBarControl(); }},
        {"OpenDropDown", [&] { button->OpenDropDown(); }},
    };
    for (const auto& [name, call] : calls) {
        try {
            call();
            ADD_FAILURE() << name << " did not raise";
        } catch (const EdxException& e) {
            EXPECT_EQ(e.Message(), L"") << name;
        }
    }
}

// ---- Real bar windows -----------------------------------------------------------------------

class BarAccessibilityWindow : public BarWindowTest {
protected:
    void SetUp() override {
        BarWindowTest::SetUp();
        registration.reset();  // the buttons show their own controls
    }
    TTestBarWindow* ShownWindow() {
        TTestBarWindow* window = NewWindow();
        window->SetBounds(100, 100, 160, 150);
        ShowPopup(window);
        PumpUntilIdle();
        return window;
    }
    TdxBarButton* Button(const wchar_t* name) const { return static_cast<TdxBarButton*>(form->FindComponent(name)); }
    TdxBarItemControl* ControlOf(const wchar_t* name) const {
        for (int i = 0; i < links->GetShownLinkCount(); ++i)
            if (links->GetShownLink(i)->Item() == Button(name)) return links->GetShownLink(i)->Control();
        return nullptr;
    }
    static TdxBarAccessibilityHelper* HelperOf(TdxBarItemControl* control) {
        return GetHelperObject(control->ObtainAccessibilityHelper());
    }
};

TEST_F(BarAccessibilityWindow, TheWindowsHelperHasItsItemControlsAndOnlyTheyAreNavigable) {
    TTestBarWindow* window = ShownWindow();
    TdxBarAccessibilityHelper* windowHelper = GetHelperObject(window->ObtainAccessibilityHelper());
    EXPECT_EQ(window->ObtainAccessibilityHelper(), window->ObtainAccessibilityHelper()) << "made once";
    EXPECT_TRUE(dynamic_cast<TCustomdxBarControlAccessibilityHelper*>(windowHelper));
    EXPECT_FALSE(windowHelper->CanNavigateTo());
    EXPECT_EQ(windowHelper->GetParentHelper(), nullptr) << "a popup window is a root";
    TCustomdxBarControlViewInfo* info = window->ViewInfo();
    ASSERT_GT(info->GetItemViewInfoCount(), 2);
    ASSERT_EQ(windowHelper->GetChildCount(), info->GetItemViewInfoCount());
    for (int i = 0; i < info->GetItemViewInfoCount(); ++i) {
        TdxBarItemControl* control = info->GetItemViewInfo(i)->Control();
        TdxBarAccessibilityHelper* child = windowHelper->GetChildBarHelper(i);
        ASSERT_EQ(child, HelperOf(control)) << i;
        EXPECT_EQ(child->GetParentHelper(), windowHelper);
        EXPECT_EQ(windowHelper->GetChildIndex(child), i);
        EXPECT_EQ(child->CanNavigateTo(), control->IsNavigable()) << i;
        // The bounds are the control's, on the screen.
        const RECT r = child->GetScreenBounds(0);
        const TPoint corner = window->ClientToScreen(TPoint{control->GetBounds().left, control->GetBounds().top});
        EXPECT_EQ(r.left, corner.x);
        EXPECT_EQ(r.top, corner.y);
    }
    // The item kinds get their own helper classes.
    EXPECT_TRUE(dynamic_cast<TdxBarButtonControlAccessibilityHelper*>(HelperOf(ControlOf(L"btnOpen"))));
    auto* exportHelper = dynamic_cast<TdxBarButtonControlAccessibilityHelper*>(HelperOf(ControlOf(L"btnExport")));
    ASSERT_TRUE(exportHelper);
    EXPECT_TRUE(exportHelper->HasDropDownPart()) << "bsDropDown";
    EXPECT_FALSE(dynamic_cast<TdxBarButtonControlAccessibilityHelper*>(HelperOf(ControlOf(L"btnOpen")))->HasDropDownPart());
    // A hidden window hides its elements.
    ShowWindow(window->Handle(), SW_HIDE);
    EXPECT_FALSE(windowHelper->IsVisibleByState());
    EXPECT_FALSE(windowHelper->GetChildBarHelper(0)->CanNavigateTo());
    const RECT empty = windowHelper->GetChildBarHelper(0)->GetScreenBounds(0);
    EXPECT_TRUE(empty.left == 0 && empty.top == 0 && empty.right == 0 && empty.bottom == 0);
}

TEST_F(BarAccessibilityWindow, DefaultKeyTipsComeFromTheShortcutTheAcceleratorOrY) {
    TTestBarWindow* window = ShownWindow();
    (void)window;
    struct Case {
        const wchar_t* caption;
        TShortCut shortCut;
        const wchar_t* assigned;
        const wchar_t* text;
    } cases[] = {
        {L"&Save", 0, L"", L"S"},
        {L"&save", 0, L"", L"S"},                    // upper-cased
        {L"&Save", TextToShortCut(L"Ctrl+O"), L"", L"O"},  // the shortcut wins
        {L"Print", TextToShortCut(L"F5"), L"", L"Y"},      // not Ctrl and a letter
        {L"&Save", 0, L"abcde", L"abc"},            // assigned: the first three
    };
    TdxBarButton* button = Button(L"btnOpen");
    for (const Case& c : cases) {
        button->SetCaption(c.caption);
        button->SetShortCut(c.shortCut);
        button->SetKeyTip(c.assigned);
        PumpUntilIdle();  // the window may rebuild its controls (and their helpers)
        EXPECT_EQ(HelperOf(ControlOf(L"btnOpen"))->GetKeyTipText(), c.text) << c.caption;
    }
    TdxBarAccessibilityHelper* helper = HelperOf(ControlOf(L"btnOpen"));
    // The label shows the text upper-cased, centred on the control.
    std::unique_ptr<TdxBarKeyTipData> data = helper->CreateKeyTipData();
    EXPECT_EQ(data->GetUpperKeyTip(), L"ABC");
    const RECT r = helper->GetScreenBounds(0);
    EXPECT_EQ(data->Info.Anchor.x, (r.left + r.right) / 2);
    EXPECT_EQ(data->Info.Anchor.y, (r.top + r.bottom) / 2);
    EXPECT_EQ(data->Info.HorizontalAlignment, 2);
    EXPECT_EQ(data->Info.VerticalAlignment, 2);
    EXPECT_TRUE(data->Info.IsVisible);
    EXPECT_TRUE(data->Info.IsEnabled);
    button->SetEnabled(false);
    PumpUntilIdle();
    EXPECT_FALSE(HelperOf(ControlOf(L"btnOpen"))->CreateKeyTipData()->Info.IsEnabled);
}

TEST_F(BarAccessibilityWindow, AHelperOutlivingItsOwnerNeverReachesIt) {
    TTestBarWindow* window = ShownWindow();
    IPtr<TdxBarAccessibilityHelper> windowHelper(GetHelperObject(window->ObtainAccessibilityHelper()));
    IPtr<TdxBarAccessibilityHelper> itemHelper(HelperOf(ControlOf(L"btnOpen")));
    TdxBarNavigationController* navigation = GetNavigationController();
    ASSERT_NE(navigation, nullptr);
    navigation->SetCurrent(itemHelper.get(), windowHelper.get());
    EXPECT_TRUE(itemHelper->IsNavigationSelected());
    FreeObject(window);  // its controls and their helpers' owners go with it
    PumpUntilIdle();
    for (TdxBarAccessibilityHelper* helper : {windowHelper.get(), itemHelper.get()}) {
        EXPECT_FALSE(helper->IsOwnerObjectLive());
        EXPECT_FALSE(helper->IsVisibleByState());
        EXPECT_FALSE(helper->CanNavigateTo());
        EXPECT_EQ(helper->GetChildCount(), 0);
        EXPECT_EQ(helper->GetParentHelper(), nullptr);
        EXPECT_EQ(helper->GetOwnerObjectWindow(), nullptr);
        EXPECT_EQ(helper->FindNeighbour(3), nullptr);
        Word key = VK_DOWN;
        EXPECT_FALSE(helper->ProcessNavigationKey(key));
        helper->MakeSelected(false);
        EXPECT_EQ(navigation->GetCurrentObject(), nullptr) << "a gone element is never selected";
    }
    EXPECT_EQ(itemHelper->GetBarManager(), nullptr);
    EXPECT_EQ(itemHelper->GetKeyTipText(), L"Y");
    // The controller forgot both when their owners went.
    EXPECT_EQ(navigation->GetCurrentObject(), nullptr);
    EXPECT_EQ(navigation->GetCurrentParent(), nullptr);
    EXPECT_EQ(itemHelper->RefCount(), 1) << "only the test holds it now";
}

TEST_F(BarAccessibilityWindow, TheControllerForgetsASelectedHelperWhoseOwnerGoes) {
    TTestBarWindow* window = ShownWindow();
    TdxBarNavigationController* navigation = GetNavigationController();
    navigation->SetCurrent(HelperOf(ControlOf(L"btnSave")), window->ObtainAccessibilityHelper());
    FreeObject(window);
    EXPECT_EQ(navigation->GetCurrentObject(), nullptr);
    EXPECT_EQ(navigation->GetCurrentParent(), nullptr);
}

// A test window whose behaviour options the test sets.
class TOptionsBarWindow : public TTestBarWindow {
public:
    using TTestBarWindow::TTestBarWindow;
    Word options = 0x13;
    Word GetBehaviorOptions() const override { return options; }
};

TEST_F(BarAccessibilityWindow, SelectingAnEditByTabStartsItsEditorAndByArrowOnlyWithoutTheKeepOption) {
    links->AddItem(static_cast<TdxBarItem*>(form->FindComponent(L"edtName")));
    struct Case {
        Word options;
        bool byTab;
        bool editing;
    } cases[] = {
        {0x13, true, true},    // Tab always starts the editor
        {0x13, false, false},  // an arrow does not while the window keeps its selection on Escape
        {0x11, false, true},   // without that option an arrow does too
    };
    TdxBarNavigationController* navigation = GetNavigationController();
    for (const Case& c : cases) {
        auto* window = new TOptionsBarWindow(manager);
        window->options = c.options;
        window->AssignItemLinks(links);
        window->SetBounds(100, 100, 160, 200);
        ShowPopup(window);
        PumpUntilIdle();
        TdxBarWinControl* edit = nullptr;
        for (int i = 0; i < window->ViewInfo()->GetItemViewInfoCount() && !edit; ++i)
            edit = As<TdxBarWinControl>(window->ViewInfo()->GetItemViewInfo(i)->Control());
        ASSERT_NE(edit, nullptr);
        navigation->ChangeSelectedObject(c.byTab, edit->ObtainAccessibilityHelper(), nullptr);
        PumpUntilIdle();
        EXPECT_EQ(window->GetSelectedControl(), edit) << c.options << (c.byTab ? " Tab" : " arrow");
        EXPECT_TRUE(window->IsActive());
        EXPECT_EQ(edit->Focused(), c.editing) << c.options << (c.byTab ? " Tab" : " arrow");
        EXPECT_EQ(GetHelperObject(window->ObtainAccessibilityHelper())->AllowsChildNavigation(VK_LEFT), !c.editing)
            << "an editing edit keeps its arrow keys";
        navigation->LeaveKeyboardMode();
        FreeObject(window);
        PumpUntilIdle();
    }
}

TEST_F(BarAccessibilityWindow, AButtonsKeyTipLeavesKeyboardModeAndClicksIt) {
    TTestBarWindow* window = ShownWindow();
    TEventRecorder recorder;
    Button(L"btnSave")->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
    Button(L"btnSave")->SetUnclickAfterDoing(true);
    TdxBarNavigationController* navigation = GetNavigationController();
    IPtr<TdxBarAccessibilityHelper> helper(HelperOf(ControlOf(L"btnSave")));
    navigation->SetCurrent(helper.get(), window->ObtainAccessibilityHelper());
    helper->ExecuteKeyTip();
    PumpUntilIdle();
    EXPECT_EQ(recorder.log, std::vector<std::string>{"OnClick btnSave"});
    EXPECT_EQ(navigation->GetCurrentObject(), nullptr) << "keyboard mode ended first";
    EXPECT_TRUE(Button(L"btnSave")->UnclickAfterDoing()) << "restored after the click";
}

}  // namespace
