// The ribbon's key tips and keyboard navigation: the key-tip label windows (size, translucency,
// placement, pixels), the key-tip texts of tabs, groups, the application button and the quick
// access toolbar's positions, and real keyboard input on a shown ribbon (Alt, key tips, Escape,
// arrows, Tab, Enter on a minimized ribbon).
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "Bitmap.h"
#include "ExtItemsTesting.h"
#include "RibbonTesting.h"
#include "dxBarAccessibility.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"
#include "dxBarNavigationController.h"
#include "dxBarPopupMenu.h"
#include "dxBarSubMenuControl.h"
#include "dxRibbonAccessibility.h"
#include "dxRibbonDockControls.h"
#include "dxRibbonGroupBarControl.h"
#include "dxRibbonKeyTips.h"
#include "dxRibbonQuickAccess.h"
#include "dxRibbonQuickAccessAccessibility.h"
#include "dxRibbonSkins.h"

namespace {

// ---- the label windows ------------------------------------------------------------------------

class KeyTipWindowsTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        windows = new TdxRibbonKeyTipWindows(ribbon);
        holder = windows;
    }
    void TearDown() override {
        holder.reset();  // the labels go before the form
        RibbonTest::TearDown();
    }
    TdxRibbonKeyTipWindow* Add(const String& text, TPoint anchor, Byte h, Byte v, bool enabled = true) {
        TObject* window = nullptr;
        windows->AddWindow(text, anchor, h, v, enabled, window);
        return static_cast<TdxRibbonKeyTipWindow*>(window);
    }
    IPtr<IdxBarKeyTipWindowsManager> holder;
    TdxRibbonKeyTipWindows* windows = nullptr;
};

TEST_F(KeyTipWindowsTest, ALabelIsItsTextPlusSixWideAtLeastSixteenAndTwoTaller) {
    TdxRibbonKeyTipWindow* one = Add(L"F", TPoint{100, 100}, 1, 1);
    TdxRibbonKeyTipWindow* three = Add(L"WWW", TPoint{100, 100}, 1, 1);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, one->Canvas()->Font()->Handle());
    SIZE f{}, www{};
    GetTextExtentPoint32W(dc, L"F", 1, &f);
    GetTextExtentPoint32W(dc, L"WWW", 3, &www);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    ASSERT_LT(f.cx + 6, 16) << "the one-letter text must be narrower than the minimum to show it";
    EXPECT_EQ(one->Width(), 16);
    EXPECT_EQ(one->Height(), f.cy + 2);
    EXPECT_EQ(three->Width(), std::max<int>(16, www.cx + 6));
    // A new text resizes the label.
    one->SetCaption(L"WWW");
    EXPECT_EQ(one->Width(), three->Width());
}

TEST_F(KeyTipWindowsTest, TheAlignmentsPutTheLabelsEdgeOrCentreOnTheAnchor) {
    struct Case {
        Byte h, v;
        TPoint topLeft;
    };
    const TSize size{20, 10};
    const TPoint anchor{100, 50};
    const Case cases[] = {
        {0, 0, {80, 40}}, {1, 0, {100, 40}}, {2, 0, {90, 40}},
        {0, 1, {80, 50}}, {1, 1, {100, 50}}, {2, 2, {90, 45}},
    };
    for (const Case& c : cases) {
        const TPoint p = TdxRibbonKeyTipWindows::PlaceWindow(anchor, size, c.h, c.v);
        EXPECT_EQ(p.x, c.topLeft.x) << int(c.h) << "," << int(c.v);
        EXPECT_EQ(p.y, c.topLeft.y) << int(c.h) << "," << int(c.v);
    }
    // Halves go by integer division: an odd width of 17 centred on 100 starts at 92.
    EXPECT_EQ(TdxRibbonKeyTipWindows::PlaceWindow(anchor, TSize{17, 9}, 2, 2).y, 46);
    EXPECT_EQ(TdxRibbonKeyTipWindows::PlaceWindow(anchor, TSize{17, 9}, 2, 2).x, 92);
}

TEST_F(KeyTipWindowsTest, ShownLabelsAreTopmostClickThroughAndADisabledOneIsTranslucent) {
    TdxRibbonKeyTipWindow* enabled = Add(L"H", TPoint{200, 200}, 2, 1);
    TdxRibbonKeyTipWindow* disabled = Add(L"Q", TPoint{260, 200}, 2, 1, false);
    windows->ShowWindows();
    PumpUntilIdle();
    for (TdxRibbonKeyTipWindow* label : {enabled, disabled}) {
        ASSERT_TRUE(label->HandleAllocated());
        EXPECT_TRUE(IsWindowVisible(label->Handle()));
        const LONG_PTR ex = GetWindowLongPtrW(label->Handle(), GWL_EXSTYLE);
        EXPECT_TRUE(ex & WS_EX_TOPMOST);
        EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
        EXPECT_EQ(SendMessageW(label->Handle(), WM_NCHITTEST, 0, MAKELPARAM(label->Left() + 2, label->Top() + 2)),
                  HTTRANSPARENT);
        EXPECT_EQ(GetWindow(label->Handle(), GW_OWNER), Application->Handle());
        EXPECT_NE(GetWindowRgn(label->Handle(), CreateRectRgn(0, 0, 0, 0)), ERROR) << "rounded region";
    }
    EXPECT_EQ(enabled->Left(), 200 - enabled->Width() / 2);
    EXPECT_EQ(enabled->Top(), 200);
    EXPECT_FALSE(GetWindowLongPtrW(enabled->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(disabled->Handle(), nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 153);
    EXPECT_TRUE(flags & LWA_ALPHA);
    // Enabling it makes the window again, opaque.
    disabled->SetEnabled(true);
    disabled->HandleNeeded();
    EXPECT_FALSE(GetWindowLongPtrW(disabled->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

TEST_F(KeyTipWindowsTest, RemovingFreesTheLabelAndAStrangerRaisesAnEmptyError) {
    TdxRibbonKeyTipWindow* label = Add(L"H", TPoint{200, 200}, 2, 1);
    windows->ShowWindows();
    HWND handle = label->Handle();
    windows->RemoveWindow(label);
    EXPECT_EQ(windows->Count(), 0);
    EXPECT_FALSE(IsWindow(handle));
    TObject stranger;
    EXPECT_EQ(ExceptionText([&] { windows->RemoveWindow(&stranger); }), L"");
    EXPECT_THROW(windows->RemoveWindow(label), EdxException) << "already removed";
    windows->ShowWindows();  // nothing to show: nothing happens
}

TEST_F(KeyTipWindowsTest, ALabelShowsTheSchemesScreenTipWithTheTextInGreyCentred) {
    TdxRibbonKeyTipWindow* label = Add(L"W", TPoint{300, 300}, 1, 1);
    windows->ShowWindows();
    PumpUntilIdle();
    const int w = label->Width(), h = label->Height();
    // What the label shows, read back from its own paint.
    HDC screen = GetDC(nullptr);
    HDC shown = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldShown = SelectObject(shown, bitmap);
    HDC labelDC = GetDC(label->Handle());
    BitBlt(shown, 0, 0, w, h, labelDC, 0, 0, SRCCOPY);
    ReleaseDC(label->Handle(), labelDC);
    // The referee: the scheme's screen-tip background alone.
    HDC background = CreateCompatibleDC(screen);
    HBITMAP backgroundBitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBackground = SelectObject(background, backgroundBitmap);
    ribbon->ColorScheme()->DrawScreenTip(background, TRect{0, 0, w, h});
    int grey = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const COLORREF c = GetPixel(shown, x, y);
            if (GetRValue(c) != 76 || GetGValue(c) != 76 || GetBValue(c) != 76) continue;
            ++grey;
            EXPECT_TRUE(x >= 2 && x < w - 2 && y >= 1 && y < h - 1) << "the text stays inside: " << x << "," << y;
        }
    EXPECT_GT(grey, 0) << "the letter in the label's grey";
    EXPECT_EQ(GetPixel(shown, 2, h / 2), GetPixel(background, 2, h / 2)) << "the scheme's background";
    EXPECT_EQ(GetPixel(shown, w / 2, 1), GetPixel(background, w / 2, 1));
    SelectObject(background, oldBackground);
    DeleteObject(backgroundBitmap);
    DeleteDC(background);
    SelectObject(shown, oldShown);
    DeleteObject(bitmap);
    DeleteDC(shown);
    ReleaseDC(nullptr, screen);
}

TEST(RibbonQuickAccessKeyTips, PositionsNumberOneToNineThenZeroNineDownThenZeroLetters) {
    const std::wstring expected[] = {L"1",  L"2",  L"3",  L"4",  L"5",  L"6",  L"7",  L"8",  L"9",  L"09",
                                     L"08", L"07", L"06", L"05", L"04", L"03", L"02", L"01", L"0A", L"0B"};
    for (int i = 0; i < 20; ++i) EXPECT_EQ(GetQuickAccessPositionalKeyTip(i), expected[i]) << i;
    EXPECT_EQ(GetQuickAccessPositionalKeyTip(43), L"0Z");
    EXPECT_EQ(GetQuickAccessPositionalKeyTip(44), L"");
    EXPECT_EQ(GetQuickAccessPositionalKeyTip(-1), L"");
}

// ---- a ribbon with groups ---------------------------------------------------------------------

class RibbonKeysTest : public RibbonTest {
protected:
    void SetUp() override {
        RibbonTest::SetUp();
        EnsureLargeButtonRegistered();
        navigation = GetNavigationController();
        ASSERT_NE(navigation, nullptr);
        manager->OnClickItem = MakeEvent(&recorder, &TRecorder::ItemClicked);
    }
    void TearDown() override {
        navigation->LeaveKeyboardMode();
        navigation->SetCurrent(nullptr, nullptr);
        navigation->ClearNavigationMode();
        RibbonTest::TearDown();
    }
    class TRecorder : public TObject {
    public:
        void ItemClicked(TObject* /*sender*/, TdxBarItem* item) { clicked.push_back(std::wstring(item->Name())); }
        std::vector<std::wstring> clicked;
    };
    TRecorder recorder;

    TdxBarLargeButton* AddButton(TdxBar* bar, const String& name, const String& caption, const String& keyTip = {}) {
        auto* button = new TdxBarLargeButton(form.get());
        button->SetName(name);
        button->SetCaption(caption);
        button->SetKeyTip(keyTip);
        bar->ItemLinks()->AddItem(button);
        return button;
    }
    TdxBar* NewCaptionedBar(const String& name, const String& caption) {
        TdxBar* bar = NewBar(name);
        bar->SetCaption(caption);
        return bar;
    }
    // A group on the tab: docking its toolbar in the tab's dock control makes its group window.
    TdxRibbonGroupBarControl* AddGroupWindow(TdxRibbonTab* tab, TdxBar* bar) {
        AddGroup(tab, bar);
        auto* window = As<TdxRibbonGroupBarControl>(bar->BarControl());
        EXPECT_NE(window, nullptr);
        if (window) EXPECT_EQ(window->Parent(), tab->DockControl());
        return window;
    }
    // Two tabs, each with a group of large buttons.
    void BuildRibbon() {
        home = NewTab(L"Главная");
        home->SetKeyTip(L"H");
        view = NewTab(L"Вид");
        view->SetKeyTip(L"W");
        fileBar = NewCaptionedBar(L"barFile", L"Файл");
        AddButton(fileBar, L"btnOpen", L"Открыть", L"O");
        AddButton(fileBar, L"btnSave", L"&Сохранить");
        viewBar = NewCaptionedBar(L"barZoom", L"Масштаб");
        AddButton(viewBar, L"btnZoomIn", L"Крупнее", L"Z");
        AddButton(viewBar, L"btnZoomOut", L"Мельче", L"M");
        fileWindow = AddGroupWindow(home, fileBar);
        viewWindow = AddGroupWindow(view, viewBar);
        home->SetActive(true);
        PumpUntilIdle();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }));
    }
    TdxRibbonKeyTipWindows* Labels() {
        IPtr<IdxBarKeyTipWindowsManager> labels;
        ribbon->ObtainAccessibilityHelper()->GetKeyTipWindowsManager(labels);
        return dynamic_cast<TdxRibbonKeyTipWindows*>(labels.get());
    }
    // The texts of the labels shown now.
    std::vector<std::wstring> Shown() {
        std::vector<std::wstring> texts;
        TdxRibbonKeyTipWindows* labels = Labels();
        for (int i = 0; i < labels->Count(); ++i) texts.push_back(std::wstring(labels->Items(i)->Caption()));
        return texts;
    }
    TdxBarAccessibilityHelper* HelperOfTab(TdxRibbonTab* tab) { return GetHelperObject(tab->ObtainAccessibilityHelper()); }
    TdxBarAccessibilityHelper* Current() { return GetHelperObject(navigation->GetCurrentObject()); }
    TdxBarAccessibilityHelper* ControlHelper(TdxRibbonGroupBarControl* window, int index) {
        return GetHelperObject(window->ItemLinks()->GetShownLink(index)->Control()->ObtainAccessibilityHelper());
    }
    TdxBarAccessibilityHelper* Container() { return GetHelperObject(navigation->KeyTipContainer()); }

    TdxBarNavigationController* navigation = nullptr;
    TdxRibbonTab *home = nullptr, *view = nullptr;
    TdxBar *fileBar = nullptr, *viewBar = nullptr;
    TdxRibbonGroupBarControl *fileWindow = nullptr, *viewWindow = nullptr;
};

using V = std::vector<std::wstring>;

TEST_F(RibbonKeysTest, TheTreeHangsTheTabsAndTheirGroupsUnderTheRibbon) {
    BuildRibbon();
    TdxBarAccessibilityHelper* root = GetHelperObject(ribbon->ObtainAccessibilityHelper());
    TdxBarAccessibilityHelper* tabs = GetHelperObject(ribbon->Tabs()->ObtainAccessibilityHelper());
    TdxBarAccessibilityHelper* button = GetHelperObject(ribbon->ApplicationButton()->ObtainAccessibilityHelper());
    ASSERT_EQ(root->GetChildCount(), 2) << "no quick access toolbar";
    EXPECT_EQ(root->GetChild(0), button);
    EXPECT_EQ(root->GetChild(1), tabs);
    EXPECT_EQ(root->GetNavigationChild(0), tabs);
    EXPECT_EQ(root->GetNavigationChild(1), button);
    EXPECT_EQ(root->GetChildIndex(HelperOfTab(home)), -1) << "a grandchild is no child";
    EXPECT_EQ(GetWindowRootHelper(form->Handle()), ribbon->ObtainAccessibilityHelper());
    ASSERT_EQ(tabs->GetChildCount(), 2);
    EXPECT_EQ(tabs->GetChild(1), HelperOfTab(view));
    EXPECT_EQ(HelperOfTab(view)->GetParentHelper(), tabs);
    // The group windows hang under the tab's dock control.
    TdxBarAccessibilityHelper* dock = HelperOfTab(home)->GetChildBarHelper(0);
    ASSERT_NE(dock, nullptr);
    EXPECT_EQ(dock->GetChild(0), GetHelperObject(fileWindow->ObtainAccessibilityHelper()));
    EXPECT_EQ(ControlHelper(fileWindow, 0)->GetRootHelperInterface(), ribbon->ObtainAccessibilityHelper());
    EXPECT_TRUE(dock->IsVisibleByState());
    EXPECT_TRUE(ControlHelper(fileWindow, 0)->CanNavigateTo());
    EXPECT_FALSE(GetHelperObject(fileWindow->ObtainAccessibilityHelper())->CanNavigateTo()) << "an expanded group is no stop";
    EXPECT_EQ(static_cast<TdxRibbonTabAccessibilityHelper*>(HelperOfTab(home))->FirstGroupsNavigable(),
              ControlHelper(fileWindow, 0));
    EXPECT_FALSE(HelperOfTab(view)->GetChildBarHelper(0)->IsVisibleByState()) << "the inactive tab's groups hide";
    // A hidden tab is invisible and no stop.
    view->SetVisible(false);
    EXPECT_FALSE(HelperOfTab(view)->IsVisibleByState());
    EXPECT_FALSE(HelperOfTab(view)->CanNavigateTo());
    // The entry: the active tab; a freed tab's helper answers as hidden.
    EXPECT_EQ(GetHelperObject(root->GetEntryObject()), HelperOfTab(home));
    IPtr<TdxBarAccessibilityHelper> kept(HelperOfTab(view));
    delete view;
    EXPECT_FALSE(kept->IsOwnerObjectLive());
    EXPECT_EQ(tabs->GetChildCount(), 1);
}

TEST_F(RibbonKeysTest, KeyTipTextsOfTabsGroupsAndTheApplicationButton) {
    BuildRibbon();
    struct Case {
        const wchar_t* keyTip;
        const wchar_t* shown;
    };
    const Case tabCases[] = {{L"2A", L"Y"}, {L"", L"Y"}, {L"q", L"q"}, {L"ABCD", L"ABC"}, {L"0", L"Y"}};
    for (const Case& c : tabCases) {
        view->SetKeyTip(c.keyTip);
        EXPECT_EQ(HelperOfTab(view)->GetKeyTipText(), c.shown) << c.keyTip;
    }
    TdxBarAccessibilityHelper* button = GetHelperObject(ribbon->ApplicationButton()->ObtainAccessibilityHelper());
    EXPECT_EQ(button->GetKeyTipText(), L"F");
    ribbon->ApplicationButton()->SetKeyTip(L"Ф");
    EXPECT_EQ(button->GetKeyTipText(), L"Ф");
    TdxBarAccessibilityHelper* group = GetHelperObject(fileWindow->ObtainAccessibilityHelper());
    EXPECT_EQ(group->GetKeyTipText(), L"ZФ") << "Z and the caption's first letter";
    fileBar->SetKeyTip(L"G");
    EXPECT_EQ(group->GetKeyTipText(), L"G");
    // Item controls: their KeyTip, else the caption's accelerator.
    EXPECT_EQ(ControlHelper(fileWindow, 0)->GetKeyTipText(), L"O");
    EXPECT_EQ(ControlHelper(fileWindow, 1)->GetKeyTipText(), L"С");
}

TEST_F(RibbonKeysTest, ANotCollapsedGroupRefusesToExpandAndAHiddenOneHasNoBaseLines) {
    BuildRibbon();
    auto* group = dynamic_cast<TdxRibbonGroupBarControlAccessibilityHelper*>(
        GetHelperObject(fileWindow->ObtainAccessibilityHelper()));
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(ExceptionText([&] { group->ExpandAndGetHelper(); }), L"");
    const RECT r = group->GetScreenBounds(0);
    EXPECT_EQ(group->GetBottomBaseLine(), r.bottom - 2);
    EXPECT_EQ(group->GetRowBaseLine(0), fileWindow->ClientToScreen(TPoint{0, 0}).y) << "the top of the items";
    EXPECT_EQ(ExceptionText([&] { group->GetRowBaseLine(3); }), L"");
    auto* hidden = dynamic_cast<TdxRibbonGroupBarControlAccessibilityHelper*>(
        GetHelperObject(viewWindow->ObtainAccessibilityHelper()));
    EXPECT_EQ(ExceptionText([&] { hidden->GetBottomBaseLine(); }), L"") << "on the inactive tab";
}

TEST_F(RibbonKeysTest, AltShowsTheTabTipsATabsTipShowsItsCommandsAndACommandsTipRunsIt) {
    BuildRibbon();
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }));
    EXPECT_EQ(Shown(), (V{L"H", L"W"}));
    EXPECT_EQ(Current(), HelperOfTab(home)) << "navigation starts on the active tab";
    // The tab's label sits centred under its caption.
    const RECT homeBounds = HelperOfTab(home)->GetScreenBounds(0);
    TdxRibbonKeyTipWindow* label = Labels()->Items(0);
    EXPECT_NEAR(label->Left() + label->Width() / 2, (homeBounds.left + homeBounds.right) / 2, 1);
    EXPECT_GT(label->Top(), homeBounds.top);

    TypeKey('W');
    ASSERT_TRUE(PumpUntil([&] { return view->Active(); }));
    PumpUntilIdle();
    EXPECT_EQ(Container(), HelperOfTab(view));
    EXPECT_EQ(Shown(), (V{L"Z", L"M"}));
    // The large buttons' labels hang centred in the group's bottom row line.
    const RECT zoomIn = ControlHelper(viewWindow, 0)->GetScreenBounds(0);
    label = Labels()->Items(0);
    EXPECT_NEAR(label->Left() + label->Width() / 2, (zoomIn.left + zoomIn.right) / 2, 1);
    // With ZARNIK_RIBBON_KEYTIPS_PICTURE set to a file name the ribbon with its labels is saved
    // there as a BMP (scripts/ribbon-keytips-picture.sh makes docs/ribbon-keytips.png from it).
    if (const char* file = std::getenv("ZARNIK_RIBBON_KEYTIPS_PICTURE")) {
        viewWindow->Update();
        for (int i = 0; i < Labels()->Count(); ++i) Labels()->Items(i)->Update();
        const TPoint origin = ribbon->ClientToScreen(TPoint{0, 0});
        HDC screen = GetDC(nullptr);
        TBitmap picture(ribbon->Width(), ribbon->Height() + 10, pf24bit);
        BitBlt(picture.Canvas()->Handle(), 0, 0, picture.Width(), picture.Height(), screen, origin.x, origin.y, SRCCOPY);
        ReleaseDC(nullptr, screen);
        picture.SaveToFile(String(file, file + std::string(file).size()));
    }

    TypeKey('M');
    ASSERT_TRUE(PumpUntil([&] { return !recorder.clicked.empty(); }));
    EXPECT_EQ(recorder.clicked, (V{L"btnZoomOut"}));
    EXPECT_FALSE(navigation->AreKeyTipsShown());
    EXPECT_EQ(Labels()->Count(), 0);
}

TEST_F(RibbonKeysTest, EscapeStepsBackFromTheTabsCommandsToTheTabsAndThenOut) {
    BuildRibbon();
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }));
    TypeKey('H');
    ASSERT_TRUE(PumpUntil([&] { return Container() == HelperOfTab(home); }));
    EXPECT_EQ(Shown(), (V{L"O", L"С"}));
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return Container() == GetHelperObject(ribbon->ObtainAccessibilityHelper()); }));
    EXPECT_EQ(Shown(), (V{L"H", L"W"}));
    EXPECT_EQ(Current(), HelperOfTab(home)) << "the tab left is selected";
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !navigation->AreKeyTipsShown(); }));
    EXPECT_EQ(Labels()->Count(), 0);
    EXPECT_TRUE(recorder.clicked.empty());
}

TEST_F(RibbonKeysTest, ArrowsWalkTheTabsUpStaysAndDownAndTabEnterTheGroups) {
    BuildRibbon();
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(home); }));
    TypeKey(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(view); }));
    EXPECT_TRUE(view->Active()) << "with the groups shown the selected tab is the active one";
    EXPECT_FALSE(navigation->AreKeyTipsShown()) << "an arrow ends the key tips";
    // Without an application button to go on to, the search by position wraps round.
    TypeKey(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(home); }));
    TypeKey(VK_LEFT);
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(view); }));
    TypeKey(VK_LEFT);
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(home); }));
    TypeKey(VK_UP);
    PumpUntilIdle();
    EXPECT_EQ(Current(), HelperOfTab(home)) << "no quick access toolbar above";
    TypeKey(VK_DOWN);
    ASSERT_TRUE(PumpUntil([&] { return Current() == ControlHelper(fileWindow, 0); }));
    EXPECT_EQ(fileWindow->GetSelectedControl(), fileWindow->ItemLinks()->GetShownLink(0)->Control());
    TypeKey(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return Current() == ControlHelper(fileWindow, 1); }));
    // Up from a command with nothing above reaches the active tab.
    TypeKey(VK_UP);
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(home); }));
    // Tab from the tab goes into its groups.
    TypeKey(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return Current() == ControlHelper(fileWindow, 0); }));
    EXPECT_TRUE(recorder.clicked.empty());
}

TEST_F(RibbonKeysTest, RightPastTheLastTabReachesAVisibleApplicationButtonAndLeftComesBack) {
    // With a quick access toolbar above the ribbon the tab row shows the application button.
    TdxBar* qat = NewBar(L"barQuickAccess");
    ribbon->QuickAccessToolbar()->SetToolbar(qat);
    BuildRibbon();
    ASSERT_TRUE(ribbon->ViewInfo()->IsApplicationButtonShown());
    TdxBarAccessibilityHelper* button = GetHelperObject(ribbon->ApplicationButton()->ObtainAccessibilityHelper());
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }));
    EXPECT_EQ(Shown(), (V{L"F", L"H", L"W"}));
    TypeKey(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(view); }));
    TypeKey(VK_RIGHT);
    ASSERT_TRUE(PumpUntil([&] { return Current() == button; }));
    TypeKey(VK_LEFT);
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(view); }));
    // The button's key tip answers the application menu's click and ends keyboard mode.
    bool asked = false;
    class TAsk : public TObject {
    public:
        bool* asked = nullptr;
        void Click(TdxCustomRibbon*, bool&) { *asked = true; }
    };
    TAsk ask;
    ask.asked = &asked;
    ribbon->OnApplicationMenuClick = MakeEvent(&ask, &TAsk::Click);
    navigation->LeaveKeyboardMode();
    PumpUntilIdle();
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }));
    TypeKey('F');
    ASSERT_TRUE(PumpUntil([&] { return asked; }));
    EXPECT_FALSE(navigation->AreKeyTipsShown());
    EXPECT_EQ(Current(), nullptr);
}

TEST_F(RibbonKeysTest, OnAMinimizedRibbonATabsTipAndEnterOpenTheGroupsPopupAndEscapeReturns) {
    BuildRibbon();
    ribbon->SetShowTabGroups(false);
    PumpUntilIdle();
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }));
    EXPECT_EQ(Shown(), (V{L"H", L"W"}));
    TypeKey('W');
    ASSERT_TRUE(PumpUntil([&] { return ribbon->IsGroupsPopupShown(); }));
    EXPECT_TRUE(view->Active());
    PumpUntilIdle();
    EXPECT_EQ(Container(), HelperOfTab(view));
    EXPECT_EQ(Shown(), (V{L"Z", L"M"})) << "the popup's groups show their tips";
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !ribbon->IsGroupsPopupShown(); }));
    EXPECT_EQ(Shown(), (V{L"H", L"W"}));
    navigation->LeaveKeyboardMode();
    PumpUntilIdle();

    // Enter on the selected tab shows the groups in the popup with the first command selected.
    navigation->ChangeSelectedObject(false, HelperOfTab(home), nullptr);
    ASSERT_EQ(Current(), HelperOfTab(home));
    TypeKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return ribbon->IsGroupsPopupShown(); }));
    ASSERT_TRUE(PumpUntil([&] { return Current() == ControlHelper(fileWindow, 0); }));
    EXPECT_TRUE(home->Active());
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !ribbon->IsGroupsPopupShown(); }));
    ASSERT_TRUE(PumpUntil([&] { return Current() == HelperOfTab(home); }));
    EXPECT_TRUE(recorder.clicked.empty());
}

// ---- the quick access toolbar --------------------------------------------------------------

class QuickAccessKeysTest : public RibbonKeysTest {
protected:
    void SetUp() override {
        RibbonKeysTest::SetUp();
        EnsureItemRegistered(TdxRibbonQuickAccessGroupButton::StaticClass(),
                             TdxRibbonQuickAccessGroupButtonControl::StaticClass());
    }
    // The ribbon with a quick access toolbar of that many buttons qat0, qat1, ...
    void BuildWithToolbar(int buttons) {
        quick = NewBar(L"barQuick");
        for (int i = 0; i < buttons; ++i) {
            auto* button = static_cast<TdxBarButton*>(manager->AddItem(TdxBarButton::StaticClass()));
            button->SetName(L"qat" + IntToStr(i));
            button->SetCaption(L"qat" + IntToStr(i));
            quick->ItemLinks()->AddItem(button);
        }
        ribbon->QuickAccessToolbar()->SetToolbar(quick);
        BuildRibbon();
    }
    TdxRibbonQuickAccessBarControl* Window() const { return As<TdxRibbonQuickAccessBarControl>(quick->BarControl()); }
    TdxRibbonQuickAccessBarControlAccessibilityHelper* ToolbarHelper() const {
        return dynamic_cast<TdxRibbonQuickAccessBarControlAccessibilityHelper*>(
            GetHelperObject(Window()->ObtainAccessibilityHelper()));
    }
    // The toolbar's key tips as (text, shows a label).
    std::vector<std::pair<std::wstring, bool>> ToolbarKeyTips() {
        TdxBarKeyTipDataList list;
        ToolbarHelper()->CollectChildKeyTips(list);
        std::vector<std::pair<std::wstring, bool>> result;
        for (const auto& data : list) result.emplace_back(std::wstring(data->Info.Text), data->Info.IsVisible);
        return result;
    }

    TdxBar* quick = nullptr;
};

TEST_F(QuickAccessKeysTest, TheToolbarHangsUnderTheRibbonWithItsMarkAsLastChild) {
    BuildWithToolbar(2);
    ASSERT_NE(Window(), nullptr);
    TdxBarAccessibilityHelper* root = GetHelperObject(ribbon->ObtainAccessibilityHelper());
    TdxRibbonQuickAccessBarControlAccessibilityHelper* toolbar = ToolbarHelper();
    ASSERT_NE(toolbar, nullptr);
    ASSERT_EQ(root->GetChildCount(), 3);
    EXPECT_EQ(root->GetChild(2), toolbar);
    EXPECT_EQ(root->GetNavigationChild(2), toolbar);
    EXPECT_EQ(toolbar->GetParentHelper(), root);
    ASSERT_EQ(toolbar->GetChildCount(), 3) << "two items and the mark";
    TdxBarAccessibilityHelper* mark = toolbar->MarkHelper();
    ASSERT_NE(mark, nullptr);
    EXPECT_EQ(toolbar->GetChild(2), mark);
    EXPECT_EQ(toolbar->GetChildIndex(mark), 2);
    EXPECT_EQ(mark->GetParentHelper(), toolbar);
    const RECT bounds = mark->GetScreenBounds(0);
    const TRect markRect = Window()->GetMarkRect();
    EXPECT_EQ(bounds.right - bounds.left, RectWidth(markRect));
    EXPECT_TRUE(mark->CanNavigateTo());
    // Without context-menu commands the toolbar has no mark, and so no mark child.
    ribbon->SetPopupMenuItems(TdxRibbonPopupMenuItems{});
    EXPECT_EQ(toolbar->GetChildCount(), 2);
    EXPECT_EQ(toolbar->MarkHelper(), nullptr);
}

TEST_F(QuickAccessKeysTest, ItemsAreNumberedByPositionAndTheMarkShows00WhileItemsAreCut) {
    BuildWithToolbar(20);
    const std::vector<std::wstring> numbers = {L"1",  L"2",  L"3",  L"4",  L"5",  L"6",  L"7",  L"8",  L"9",  L"09",
                                               L"08", L"07", L"06", L"05", L"04", L"03", L"02", L"01", L"0A", L"0B"};
    struct Case {
        const char* name;
        int formWidth;
    } cases[] = {{"everything fits", 1000}, {"items cut off", 300}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        form->SetWidth(c.formWidth);
        PumpUntilIdle();
        const bool cut = Window()->ItemsCut();
        ASSERT_EQ(cut, c.formWidth < 500);
        const auto tips = ToolbarKeyTips();
        ASSERT_EQ(tips.size(), numbers.size() + (cut ? 1 : 0));
        for (size_t i = 0; i < numbers.size(); ++i) {
            EXPECT_EQ(tips[i].first, numbers[i]) << i;
            const TRect r = quick->ItemLinks()->GetShownLink(int(i))->ItemRect();
            EXPECT_EQ(tips[i].second, !IsRectEmpty(&r)) << "only the placed items show labels: " << i;
        }
        if (cut) EXPECT_EQ(tips.back(), (std::pair<std::wstring, bool>{L"00", true}));
    }
    // The mark's key tip opens the mark's menu.
    TdxBarKeyTipDataList list;
    ToolbarHelper()->CollectChildKeyTips(list);
    ASSERT_EQ(list.back()->Info.Text, L"00");
    list.back()->Info.ExecuteHandler.Run();
    PumpUntilIdle();
    TdxBarPopupMenu* menu = Window()->CustomizeMenu();
    EXPECT_TRUE(menu->IsPopupVisible());
    EXPECT_EQ(Window()->MarkState(), 2);
    if (menu->GetSubMenuControl()) menu->GetSubMenuControl()->HideBar();
    PumpUntilIdle();
}

TEST_F(QuickAccessKeysTest, AltShowsTheToolbarsNumbersAndTypingOneClicksItsItem) {
    BuildWithToolbar(3);
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }));
    // The application button shows with the toolbar above the ribbon.
    EXPECT_EQ(Shown(), (V{L"F", L"H", L"W", L"1", L"2", L"3"}));
    // An item's label has its left edge at the item's centre.
    const TRect second = quick->ItemLinks()->GetShownLink(1)->ItemRect();
    const TPoint centre = Window()->ClientToScreen(TPoint{(second.left + second.right) / 2, 0});
    EXPECT_EQ(Labels()->Items(4)->Left(), centre.x);
    TypeKey('2');
    ASSERT_TRUE(PumpUntil([&] { return !recorder.clicked.empty(); }));
    EXPECT_EQ(recorder.clicked, (V{L"qat1"}));
    EXPECT_FALSE(navigation->AreKeyTipsShown());
}

}  // namespace
