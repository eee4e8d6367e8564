// MDI children under Xvfb: an MDI frame form with its manager and main menu bar, children with
// managers of their own. Maximizing a child merges its main menu into the frame's and puts the
// child's system-menu icon first; restoring takes both back unless AlwaysMerge; OnMenuMerge
// leaves the links to the application; a double click on the icon runs the system menu's
// default command (closing the child); floating bars come back into the work area.

#include "BarTestSupport.h"

#include <string>

#include "Application.h"
#include "ControlSnapshot.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarControl.h"
#include "dxBarItemLinks.h"
#include "dxBarSystemMenuItem.h"
#include "dxBarWindowHelpers.h"

namespace {

class TMdiBarFrame : public TForm {
    Z_CLASS(TMdiBarFrame, TForm)
public:
    explicit TMdiBarFrame(TComponent* o) : TForm(o, CreateNew) { SetFormStyle(fsMDIForm); }
};

class TMdiBarChild : public TForm {
    Z_CLASS(TMdiBarChild, TForm)
public:
    explicit TMdiBarChild(TComponent* o) : TForm(o, CreateNew) { SetFormStyle(fsMDIChild); }
};

class TMergeRecorder : public TObject {
public:
    std::vector<std::string> log;
    void MenuMerge(TObject*, TdxBarManager* child, bool add) {
        log.push_back(std::string("menu ") + (add ? "add " : "remove ") + Utf8(child->Owner()->Name()));
    }
    void Merge(TObject*, TdxBarManager*, bool add) { log.push_back(add ? "merge" : "unmerge"); }
    void StateChanged(TObject*, const void* args) {
        log.push_back("state " + std::to_string(static_cast<const TdxBarMDIStateChangeEventData*>(args)->Change));
    }
};

class BarManagerMDI : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        frame = static_cast<TMdiBarFrame*>(Application->CreateForm(TMdiBarFrame::StaticClass()));
        frame->SetName(L"fmFrame");
        frame->SetBounds(30, 30, 640, 480);
        frameManager = new TdxBarManager(frame);
        frameManager->SetName(L"dxBarManager");
        frameMenu = MainMenu(frameManager, L"btnFile", L"&Файл");
        frame->Show();
        PumpUntilIdle();
    }
    void TearDown() override {
        FreeObject(frame);
        WindowTest::TearDown();
    }
    // A docked main menu bar with one button.
    static TdxBar* MainMenu(TdxBarManager* manager, const String& name, const String& caption) {
        auto* button = new TdxBarButton(manager->Owner());
        button->SetName(name);
        button->SetCaption(caption);
        TdxBar* bar = manager->Bars()->Add();
        bar->SetCaption(L"Главное меню");
        bar->ItemLinks()->AddItem(button);
        bar->SetIsMainMenu(true);
        bar->SetDockingStyle(dsTop);
        return bar;
    }
    TMdiBarChild* NewChild(const String& name, TdxBar** menu) {
        auto* child = new TMdiBarChild(frame);
        child->SetName(name);
        child->SetBounds(10, 10, 300, 200);
        auto* manager = new TdxBarManager(child);
        manager->SetName(L"dxBarManager");
        *menu = MainMenu(manager, L"btnEdit" + name, L"&Правка");
        child->Show();
        PumpUntilIdle();
        return child;
    }
    // The frame's main menu, as item names ("<system>" for the icon item).
    std::string FrameMenu() const {
        std::string result;
        TdxBarItemLinks* links = frameMenu->ItemLinks();
        for (int i = 0; i < links->Count(); ++i) {
            TdxBarItem* item = links->GetLink(i)->Item();
            if (!result.empty()) result += ' ';
            result += !item ? "-" : Is<TSystemMenuSubItem>(item) ? "<system>" : Utf8(item->Name());
        }
        return result;
    }
    TMdiBarFrame* frame = nullptr;
    TdxBarManager* frameManager = nullptr;
    TdxBar* frameMenu = nullptr;
};

TEST_F(BarManagerMDI, MaximizingAChildMergesItsMenuAndRestoringTakesItBack) {
    TdxBar* childMenu = nullptr;
    TMdiBarChild* child = NewChild(L"fmLevel", &childMenu);
    TMergeRecorder recorder;
    frameManager->OnMerge = MakeEvent(&recorder, &TMergeRecorder::Merge);
    frameManager->MDIStateChangedHandlers()->AddHandler(MakeEvent(&recorder, &TMergeRecorder::StateChanged));
    EXPECT_EQ(FrameMenu(), "btnFile");

    child->SetWindowState(wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return FrameMenu() == "<system> btnFile btnEditfmLevel"; })) << FrameMenu();
    EXPECT_FALSE(childMenu->Visible());
    EXPECT_EQ(childMenu->MergedInto(), frameMenu);
    auto* system = static_cast<TSystemMenuSubItem*>(frameMenu->ItemLinks()->GetLink(0)->Item());
    EXPECT_EQ(system->ChildWindow(), child->Handle());
    // The icon item belongs to no list the application shows.
    EXPECT_LT(frameManager->ItemList()->IndexOf(system), 0);

    child->SetWindowState(wsNormal);
    ASSERT_TRUE(PumpUntil([&] { return FrameMenu() == "btnFile"; })) << FrameMenu();
    EXPECT_TRUE(childMenu->Visible());
    EXPECT_EQ(childMenu->MergedInto(), nullptr);
    EXPECT_FALSE(frameManager->HasSystemMenuItems());
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"merge", "state 2", "unmerge", "state 2"}));
}

TEST_F(BarManagerMDI, AlwaysMergeKeepsTheMenuOfARestoredChild) {
    frameManager->SetAlwaysMerge(true);
    TdxBar* childMenu = nullptr;
    TMdiBarChild* child = NewChild(L"fmLevel", &childMenu);
    ASSERT_TRUE(PumpUntil([&] { return FrameMenu() == "btnFile btnEditfmLevel"; })) << FrameMenu();
    child->SetWindowState(wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return FrameMenu() == "<system> btnFile btnEditfmLevel"; })) << FrameMenu();
    child->SetWindowState(wsNormal);
    ASSERT_TRUE(PumpUntil([&] { return FrameMenu() == "btnFile btnEditfmLevel"; })) << FrameMenu();
    EXPECT_FALSE(childMenu->Visible());
}

TEST_F(BarManagerMDI, WithOnMenuMergeNoLinkIsMergedButTheChildsBarHides) {
    TMergeRecorder recorder;
    frameManager->OnMenuMerge = MakeEvent(&recorder, &TMergeRecorder::MenuMerge);
    TdxBar* childMenu = nullptr;
    TMdiBarChild* child = NewChild(L"fmLevel", &childMenu);
    child->SetWindowState(wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return !childMenu->Visible(); }));
    EXPECT_EQ(FrameMenu(), "<system> btnFile");
    EXPECT_EQ(childMenu->MergedInto(), frameMenu);
    child->SetWindowState(wsNormal);
    ASSERT_TRUE(PumpUntil([&] { return childMenu->Visible(); }));
    EXPECT_EQ(FrameMenu(), "btnFile");
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"menu add fmLevel", "menu remove fmLevel"}));
}

TEST_F(BarManagerMDI, TheIconItemOffersTheChildsSystemMenuAndItsCommandsReachTheChild) {
    TdxBar* childMenu = nullptr;
    TMdiBarChild* child = NewChild(L"fmLevel", &childMenu);
    child->SetWindowState(wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return FrameMenu().rfind("<system>", 0) == 0; })) << FrameMenu();
    auto* system = static_cast<TSystemMenuSubItem*>(frameMenu->ItemLinks()->GetLink(0)->Item());
    // The menu is the child's system menu: its close command among the buttons.
    system->RebuildLinks();
    TdxBarItem* close = nullptr;
    for (int i = 0; i < system->ItemLinks()->Count(); ++i) {
        TdxBarItem* item = system->ItemLinks()->GetLink(i)->Item();
        ASSERT_TRUE(Is<TdxBarButton>(item));
        if (item->Tag() == SC_CLOSE) close = item;
    }
    ASSERT_NE(close, nullptr);
    EXPECT_TRUE(close->GetEnabled());
    EXPECT_LT(frameManager->ItemList()->IndexOf(close), 0);
    // A second build replaces the first one's items.
    int count = system->ItemLinks()->Count();
    system->RebuildLinks();
    EXPECT_EQ(system->ItemLinks()->Count(), count);

    HWND childWindow = child->Handle();
    for (int i = 0; i < system->ItemLinks()->Count(); ++i)
        if (system->ItemLinks()->GetLink(i)->Item()->Tag() == SC_CLOSE) system->ItemLinks()->GetLink(i)->Item()->Click();
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(childWindow); }));
    ASSERT_TRUE(PumpUntil([&] { return FrameMenu() == "btnFile"; })) << FrameMenu();
}

TEST_F(BarManagerMDI, FloatingBarsComeBackIntoTheWorkArea) {
    TRect area = GetWorkAreaAt(TPoint{300, 250});
    TdxBar* bar = frameManager->Bars()->Add();
    bar->SetVisible(false);
    bar->SetCaption(L"Плавающая");
    bar->SetFloatLeft(area.right + 50);
    bar->SetFloatTop(area.top - 80);
    bar->SetFloatClientWidth(120);
    bar->SetFloatClientHeight(30);
    frameManager->KeepFloatingBarsInWorkArea();
    EXPECT_EQ(bar->FloatLeft(), area.right - 120);
    EXPECT_EQ(bar->FloatTop(), area.top);
}

}  // namespace

namespace {

// Rectangles compared as text, so a failure shows both.
std::string RectText(const TRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

TEST_F(BarManagerMDI, AMaximizedChildPutsItsThreeButtonsAtTheFarEndOfTheMainMenu) {
    TdxBar* childMenu = nullptr;
    TMdiBarChild* child = NewChild(L"fmLevel", &childMenu);
    TdxBarControl* window = frameMenu->BarControl();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->HasMDIButtons());
    EXPECT_FALSE(window->ShowsCloseButtonArea());
    EXPECT_EQ(RectText(window->GetMDIButtonRect(TdxBarControl::MDIClose)), "0,0,0,0");

    child->SetWindowState(wsMaximized);
    ASSERT_TRUE(PumpUntil([&] { return frameMenu->BarControl() && frameMenu->BarControl()->HasMDIButtons(); }));
    window = frameMenu->BarControl();
    PumpUntilIdle();
    const int w = GetSystemMetrics(SM_CXMENUSIZE) - 2, h = GetSystemMetrics(SM_CYMENUSIZE) - 4;
    const TRect c = window->ClientRect();
    const int end = c.right - TdxBarControl::BorderSize, top = (RectHeight(c) - h) / 2;
    EXPECT_EQ(window->MDIAreaLength(), 3 * w + 2);
    // Minimize and restore side by side, the close button 2 pixels further.
    const int lefts[3] = {end - 3 * w - 2, end - 2 * w - 2, end - w};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(RectText(window->GetMDIButtonRect(i)), RectText(TRect{lefts[i], top, lefts[i] + w, top + h})) << i;
    EXPECT_GE(RectHeight(c), h) << "the bar is at least as thick as the buttons";
    for (int i = 0; i < frameMenu->ItemLinks()->Count(); ++i)
        EXPECT_LE(frameMenu->ItemLinks()->GetLink(i)->ItemRect().right, lefts[0]) << "link " << i << " left room";

    // Drawn by the painter: each button shows the system's caption-button face, not the bar.
    TControlSnapshot shot(window);
    const TColor bar = shot.Pixel(lefts[0] - 2, top + h / 2);
    for (int i = 0; i < 3; ++i) {
        int differing = 0;
        for (int y = top; y < top + h; ++y)
            for (int x = lefts[i]; x < lefts[i] + w; ++x) differing += shot.Pixel(x, y) != bar;
        EXPECT_GT(differing, w * h / 4) << "button " << i;
    }

    // The child's system menu decides what may be pressed; restore always may.
    HMENU system = GetSystemMenu(child->Handle(), FALSE);
    EnableMenuItem(system, SC_MINIMIZE, MF_BYCOMMAND | MF_GRAYED);
    EnableMenuItem(system, SC_CLOSE, MF_BYCOMMAND | MF_DISABLED);
    struct Case {
        int index;
        UINT mask;
        bool enabled;
    };
    const Case cases[] = {{0, 1, false}, {0, 3, false}, {1, 1, true}, {1, 3, true}, {2, 1, true}, {2, 3, false}};
    for (const Case& k : cases)
        EXPECT_EQ(window->IsMDIButtonEnabled(k.index, k.mask), k.enabled) << k.index << " mask " << k.mask;
    GetSystemMenu(child->Handle(), TRUE);

    child->SetWindowState(wsNormal);
    ASSERT_TRUE(PumpUntil([&] { return frameMenu->BarControl() && !frameMenu->BarControl()->HasMDIButtons(); }));
    EXPECT_EQ(RectText(frameMenu->BarControl()->GetMDIButtonRect(0)), "0,0,0,0");
}

TEST_F(BarManagerMDI, WithShowCloseButtonTheMainMenuShowsTheCloseButtonAlone) {
    frameManager->SetShowCloseButton(true);
    frameMenu->BarControl()->RebuildWindow();
    PumpUntilIdle();
    TdxBarControl* window = frameMenu->BarControl();
    ASSERT_TRUE(window->ShowsCloseButtonArea());
    EXPECT_FALSE(window->HasMDIButtons());
    const int w = GetSystemMetrics(SM_CXMENUSIZE) - 2;
    const int end = window->ClientRect().right - TdxBarControl::BorderSize;
    EXPECT_EQ(window->MDIAreaLength(), w);
    const TRect close = window->GetMDIButtonRect(TdxBarControl::MDIClose);
    EXPECT_EQ(close.left, end - w);
    EXPECT_EQ(close.right, end);
    EXPECT_EQ(RectText(window->GetMDIButtonRect(TdxBarControl::MDIMinimize)), "0,0,0,0");
    const bool enabled[3] = {false, true, true};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(window->IsMDIButtonEnabled(i, 3), enabled[i]) << i;
    // A bar that is no main menu shows nothing.
    frameMenu->SetIsMainMenu(false);
    EXPECT_FALSE(frameMenu->BarControl()->ShowsCloseButtonArea());
}

}  // namespace
