// The bar window's input on the test bar window under Xvfb, with real mouse and keyboard input:
// a click travels from the press to the item's handlers and closes the chain, the form keeps
// the focus, keys move the selection and click through accelerators, Escape closes one level
// and Alt the whole chain, the mouse tracking ends the hot item when the pointer leaves, and the
// message hooks see the active window.

#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "TestBarWindow.h"

#include <chrono>

#include "ControlSnapshot.h"

#include "dxBarButton.h"
#include "dxBarButtonControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarMessageHooks.h"
#include "dxBarSubItem.h"
#include "dxBarUnit.h"

namespace {

// The real item controls (not the window tests' stand-in control) in a window of the test form,
// with the form shown beside it and focused.
class BarWindowInput : public BarWindowTest {
protected:
    void SetUp() override {
        BarWindowTest::SetUp();
        registration.reset();  // the buttons show their own controls
        form->SetBounds(400, 150, 480, 320);
        form->Show();
        SetForegroundWindow(form->Handle());
        manager->OnClickItem = MakeEvent(&recorder, &TEventRecorder::ItemClicked);
        for (const wchar_t* name : {L"btnOpen", L"btnSave", L"btnExport", L"btnBold", L"rbLeft", L"rbCenter"})
            Button(name)->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form->Handle(); }));
    }
    void TearDown() override {
        if (MouseButtonHeld()) MouseButton(false);
        BarWindowTest::TearDown();
    }
    static bool MouseButtonHeld() { return GetAsyncKeyState(VK_LBUTTON) < 0; }

    TdxBarButton* Button(const wchar_t* name) const { return static_cast<TdxBarButton*>(form->FindComponent(name)); }
    // The control of the item's link in the window.
    TdxBarItemControl* ControlOf(const wchar_t* name) const {
        TdxBarItem* item = Button(name);
        for (int i = 0; i < links->GetShownLinkCount(); ++i)
            if (links->GetShownLink(i)->Item() == item) return links->GetShownLink(i)->Control();
        return nullptr;
    }
    // A shown, active window at (100, 100): a menu, or a toolbar in menu mode.
    TTestBarWindow* OpenWindow(int kind = 2, const std::string& tag = "window") {
        TTestBarWindow* window = NewWindow(tag);
        window->kind = kind;
        window->SetBounds(100, 100, 160, 150);
        ShowPopup(window);
        window->SetActive(true);
        PumpUntilIdle();
        return window;
    }
    // A screen point inside the control, dx pixels from its left edge (from its right edge when
    // negative).
    static TPoint PointIn(TdxBarItemControl* control, int dx = 8) {
        const TRect r = control->GetBounds();
        TPoint p{dx >= 0 ? r.left + dx : r.right + dx, (r.top + r.bottom) / 2};
        return control->BarControl()->ClientToScreen(p);
    }
    static bool Shown(TTestBarWindow* window) { return IsWindowVisible(window->Handle()) != 0; }
    void ClickOn(TPoint p) {
        MoveMouseTo(p);
        PumpUntilIdle();
        MouseButton(true);
        PumpUntilIdle();
        MouseButton(false);
        PumpUntilIdle();
    }
    // The form kept the keyboard focus and its caption is drawn active.
    void ExpectFormKeptTheFocus() {
        EXPECT_EQ(GetFocus(), form->Handle());
        EXPECT_EQ(GetActiveWindow(), form->Handle());
    }

    TEventRecorder recorder;
};

using ClickLog = std::vector<std::string>;

// Runs a test's step from an event.
class TInputTestAction : public TObject {
public:
    std::function<void()> run;
    std::vector<TMouseButton> mouseUps;
    void Clicked(TObject*) {
        if (run) run();
    }
    void MouseUp(TObject*, TMouseButton button, TShiftState, int, int) { mouseUps.push_back(button); }
};

TEST_F(BarWindowInput, APressAndReleaseOnOneItemRunsItsHandlersOnceAndClosesTheMenu) {
    TTestBarWindow* window = OpenWindow();
    EXPECT_EQ(CurrentActiveBarControl(), window);
    ClickOn(PointIn(ControlOf(L"btnOpen")));
    EXPECT_EQ(recorder.log, (ClickLog{"OnClickItem btnOpen", "OnClick btnOpen"}));
    EXPECT_FALSE(Shown(window)) << "the click closed the chain";
    EXPECT_EQ(window->hides, 1);
    EXPECT_FALSE(window->IsActive());
    EXPECT_EQ(CurrentActiveBarControl(), nullptr);
    EXPECT_EQ(HookedMenuChain(), nullptr);
    ExpectFormKeptTheFocus();
}

TEST_F(BarWindowInput, WhereThePressAndTheReleaseLandDecidesTheClick) {
    struct TCase {
        const char* name;
        int kind;
        const wchar_t *pressOn, *releaseOn;
        bool disable;
        ClickLog log;
        bool closes;
    };
    const TCase cases[] = {
        // In a menu the selection follows the pointer: the item under the release is clicked.
        {"menu: press on Open, release on Save", 2, L"btnOpen", L"btnSave", false, {"OnClickItem btnSave", "OnClick btnSave"}, true},
        // A toolbar holds its pressed button: a release elsewhere clicks nothing, and closes.
        {"toolbar: press on Open, release on Save", 0, L"btnOpen", L"btnSave", false, {}, true},
        {"toolbar: press and release on Open", 0, L"btnOpen", L"btnOpen", false, {"OnClickItem btnOpen", "OnClick btnOpen"}, true},
        {"menu: a disabled item", 2, L"btnSave", L"btnSave", true, {}, false},
        {"toolbar: a disabled item", 0, L"btnSave", L"btnSave", true, {}, true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        recorder.log.clear();
        Button(L"btnSave")->SetEnabled(!c.disable);
        TTestBarWindow* window = OpenWindow(c.kind);
        MoveMouseTo(PointIn(ControlOf(c.pressOn)));
        PumpUntilIdle();
        MouseButton(true);
        PumpUntilIdle();
        MoveMouseTo(PointIn(ControlOf(c.releaseOn), 12));
        PumpUntilIdle();
        MouseButton(false);
        PumpUntilIdle();
        EXPECT_EQ(recorder.log, c.log);
        EXPECT_EQ(Shown(window), !c.closes);
        ExpectFormKeptTheFocus();
        FreeObject(window);
        PumpUntilIdle();
    }
    Button(L"btnSave")->SetEnabled(true);
}

TEST_F(BarWindowInput, CheckedButtonsToggleBeforeTheirHandlerAndARadioGroupFollows) {
    for (const wchar_t* name : {L"btnBold", L"rbLeft", L"rbCenter"}) links->AddItem(Button(name));
    std::vector<bool> downSeenByHandler;
    TInputTestAction action;
    action.run = [&] { downSeenByHandler.push_back(Button(L"btnBold")->Down()); };
    Button(L"btnBold")->OnClick = MakeEvent(&action, &TInputTestAction::Clicked);
    for (bool expected : {true, false}) {
        TTestBarWindow* window = OpenWindow();
        ClickOn(PointIn(ControlOf(L"btnBold")));
        EXPECT_EQ(Button(L"btnBold")->Down(), expected);
        FreeObject(window);
    }
    EXPECT_EQ(downSeenByHandler, (std::vector<bool>{true, false}));

    ASSERT_TRUE(Button(L"rbLeft")->Down());
    TTestBarWindow* window = OpenWindow();
    ClickOn(PointIn(ControlOf(L"rbCenter")));
    EXPECT_TRUE(Button(L"rbCenter")->Down());
    EXPECT_FALSE(Button(L"rbLeft")->Down());
    FreeObject(window);
}

TEST_F(BarWindowInput, AReleaseOverTheArrowPartOfADropDownButtonNeverClicks) {
    TTestBarWindow* window = OpenWindow(0);
    ClickOn(PointIn(ControlOf(L"btnExport"), -2));
    EXPECT_EQ(recorder.log, ClickLog{});
    FreeObject(window);
    window = OpenWindow(0);
    ClickOn(PointIn(ControlOf(L"btnExport")));
    EXPECT_EQ(recorder.log, (ClickLog{"OnClickItem btnExport", "OnClick btnExport"})) << "the button part clicks";
}

// A handler that frees the window, the control (its link) or the item in the middle of the
// click: the rest of the road touches none of them.
TEST_F(BarWindowInput, AHandlerThatFreesTheWindowTheControlOrTheItemEndsTheClickCleanly) {
    struct TCase {
        const char* name;
        std::function<void(TTestBarWindow*)> free;
    };
    const TCase cases[] = {
        {"the window", [](TTestBarWindow* window) { FreeObject(window); }},
        {"the control", [&](TTestBarWindow*) { ControlOf(L"btnOpen")->Link()->FreeControl(); }},
        {"the item", [&](TTestBarWindow*) { FreeObject(Button(L"btnOpen")); }},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        TTestBarWindow::DestroyLog().clear();
        TTestBarWindow* window = OpenWindow(0, c.name);
        int ran = 0;
        TInputTestAction action;
        action.run = [&] {
            ++ran;
            c.free(window);
        };
        Button(L"btnOpen")->OnClick = MakeEvent(&action, &TInputTestAction::Clicked);
        ClickOn(PointIn(ControlOf(L"btnOpen")));
        EXPECT_EQ(ran, 1);
        PumpUntilIdle();
        if (IsBarControlAlive(window)) FreeObject(window);
        EXPECT_EQ(TTestBarWindow::DestroyLog(), (std::vector<std::string>{c.name})) << "freed exactly once";
        ExpectFormKeptTheFocus();
    }
}

// Keys reach the active window through the message hooks, as typed on the form.
TEST_F(BarWindowInput, KeysMoveTheSelectionAndWrap) {
    MoveMouseTo(TPoint{50, 50});  // hovering would select too
    TTestBarWindow* window = OpenWindow();
    auto selected = [&]() -> std::string {
        TdxBarItemControl* control = window->GetSelectedControl();
        return control ? Utf8(control->Item()->Name()) : "none";
    };
    struct TStep {
        std::vector<Word> chord;
        std::string selected;
    };
    // The separator after Export cannot be selected; the list item has no control.
    const TStep steps[] = {
        {{VK_DOWN}, "btnOpen"},     {{VK_DOWN}, "btnSave"},    {{VK_DOWN}, "btnExport"},
        {{VK_DOWN}, "btnOpen"},     {{VK_UP}, "btnExport"},    {{VK_HOME}, "btnOpen"},
        {{VK_END}, "btnExport"},    {{VK_TAB}, "btnOpen"},     {{VK_SHIFT, VK_TAB}, "btnExport"},
        {{VK_LEFT}, "btnExport"},  // Left and Right are the menu's own keys
    };
    for (const TStep& step : steps) {
        if (step.chord.size() == 1)
            TypeKey(step.chord[0]);
        else
            TypeChord({step.chord[0], step.chord[1]});
        EXPECT_TRUE(PumpUntil([&] { return selected() == step.selected; }))
            << "after key " << step.chord.back() << " expected " << step.selected << ", got " << selected();
    }
    EXPECT_TRUE(window->IsActive());
    EXPECT_EQ(recorder.log, ClickLog{});
    TypeKey(VK_RETURN);
    EXPECT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; }));
    EXPECT_EQ(recorder.log, (ClickLog{"OnClickItem btnExport", "OnClick btnExport"}));
    EXPECT_FALSE(Shown(window));
    ExpectFormKeptTheFocus();
}

TEST_F(BarWindowInput, AUniqueAcceleratorClicksAndASharedOneSelectsInTurn) {
    Button(L"btnOpen")->SetCaption(L"&Open");
    Button(L"btnSave")->SetCaption(L"&Save");
    Button(L"btnExport")->SetCaption(L"&Send");
    MoveMouseTo(TPoint{50, 50});
    TTestBarWindow* window = OpenWindow();
    auto selected = [&]() -> std::string {
        TdxBarItemControl* control = window->GetSelectedControl();
        return control ? Utf8(control->Item()->Name()) : "none";
    };
    TypeKey('S');
    EXPECT_TRUE(PumpUntil([&] { return selected() == "btnSave"; })) << selected();
    TypeKey('S');
    EXPECT_TRUE(PumpUntil([&] { return selected() == "btnExport"; })) << selected();
    TypeKey('S');
    EXPECT_TRUE(PumpUntil([&] { return selected() == "btnSave"; })) << selected();
    PumpUntilIdle();
    EXPECT_EQ(recorder.log, ClickLog{}) << "a shared accelerator only selects";
    TypeKey('O');
    EXPECT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; }));
    EXPECT_EQ(recorder.log, (ClickLog{"OnClickItem btnOpen", "OnClick btnOpen"}));
    EXPECT_FALSE(Shown(window));
}

// A toolbar in menu mode with a menu open from it.
TEST_F(BarWindowInput, EscapeClosesOneLevelAltAndF10TheWholeChain) {
    struct TCase {
        const char* name;
        Word key;
        bool useF10;
        bool childCloses, rootCloses;
    };
    const TCase cases[] = {
        {"Escape", VK_ESCAPE, true, true, false},
        {"Alt", VK_MENU, true, true, true},
        {"F10", VK_F10, true, true, true},
        {"F10 without UseF10ForMenu", VK_F10, false, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        manager->SetUseF10ForMenu(c.useF10);
        TTestBarWindow* root = OpenWindow(0, "root");
        auto* child = new TTestBarWindow(manager, "child");
        child->AssignItemLinks(static_cast<TdxBarSubItem*>(form->FindComponent(L"subEdit"))->ItemLinks());
        child->SetBounds(100, 260, 120, 60);
        root->SetChildBar(child);
        ShowPopup(child);
        child->SetActive(true);
        PumpUntilIdle();
        ASSERT_EQ(CurrentActiveBarControl(), child);
        EXPECT_FALSE(root->IsInsideChain(child->Handle()));
        EXPECT_TRUE(child->IsInActiveChain());
        EXPECT_TRUE(root->IsInActiveChain());

        TypeKey(c.key);
        PumpUntilIdle();
        EXPECT_EQ(!Shown(child), c.childCloses);
        EXPECT_EQ(!child->IsActive(), c.childCloses);
        EXPECT_EQ(!Shown(root), c.rootCloses);
        EXPECT_EQ(!root->IsActive(), c.rootCloses);
        TCustomdxBarControl* expected = c.rootCloses ? nullptr : c.childCloses ? root : child;
        EXPECT_EQ(CurrentActiveBarControl(), expected) << "the active window steps back up the chain";
        ExpectFormKeptTheFocus();
        FreeObject(root);
        EXPECT_FALSE(IsBarControlAlive(child));
        EXPECT_EQ(CurrentActiveBarControl(), nullptr);
        EXPECT_EQ(HookedMenuChain(), nullptr);
    }
}

TEST_F(BarWindowInput, ThePointerLeavingClearsTheHotItemThroughTheTracking) {
    TTestBarWindow* window = OpenWindow();
    TdxBarItemControl* open = ControlOf(L"btnOpen");
    // The tracking checks every 10 ms; the best of three tries keeps a busy machine out of it.
    long best = LONG_MAX;
    for (int attempt = 0; attempt < 3; ++attempt) {
        MoveMouseTo(PointIn(open));
        ASSERT_TRUE(PumpUntil([&] { return open->HotPart() == 0; }));
        EXPECT_EQ(window->GetSelectedControl(), open) << "hovering selects in a menu";
        const auto start = std::chrono::steady_clock::now();
        MoveMouseTo(TPoint{50, 50});
        ASSERT_TRUE(PumpUntil([&] { return open->HotPart() == -1; }, 1000));
        best = std::min<long>(best, long(std::chrono::duration_cast<std::chrono::milliseconds>(
                                             std::chrono::steady_clock::now() - start).count()));
        EXPECT_EQ(window->GetSelectedControl(), nullptr) << "leaving drops the hover selection";
    }
    EXPECT_LT(best, 50);
}

// While another window is active, this one sees no mouse messages at all; when it becomes
// reachable again the press is the first message it gets, and counts as the mouse entering.
TEST_F(BarWindowInput, APressAsTheFirstMessageAfterComingBackCountsAsMouseEnter) {
    TTestBarWindow* window = OpenWindow(2, "menu");
    auto* other = new TTestBarWindow(manager, "other");
    other->AssignItemLinks(static_cast<TdxBarSubItem*>(form->FindComponent(L"subEdit"))->ItemLinks());
    window->SetActive(false);
    other->SetBounds(100, 300, 120, 40);
    ShowPopup(other);
    other->SetActive(true);
    TdxBarItemControl* save = ControlOf(L"btnSave");
    MoveMouseTo(PointIn(save));
    PumpUntilIdle();
    EXPECT_FALSE(window->IsInActiveChain());
    EXPECT_EQ(save->HotPart(), -1) << "the window outside the active chain ignores the mouse";

    other->SetActive(false);
    window->SetActive(true);
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return save->HotPart() == 0; })) << "the press entered";
    EXPECT_EQ(window->GetSelectedControl(), save);
    MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return recorder.log.size() >= 2; }));
    EXPECT_EQ(recorder.log, (ClickLog{"OnClickItem btnSave", "OnClick btnSave"}));
}

// The hooks on the real window: it is their active chain while active; a press outside
// closes it; a right release outside is eaten.
TEST_F(BarWindowInput, TheHooksSeeTheActiveWindowAndAnOutsidePressClosesIt) {
    TInputTestAction action;
    std::vector<TMouseButton>& formMouseUps = action.mouseUps;
    form->OnMouseUp = MakeEvent(&action, &TInputTestAction::MouseUp);
    TTestBarWindow* window = OpenWindow();
    ASSERT_NE(HookedMenuChain(), nullptr);
    EXPECT_EQ(HookedMenuChain()->ChainWindow(), window->Handle());
    EXPECT_EQ(HookedMenuChain()->ChainManager(), manager);
    EXPECT_EQ(HookedBarWindowAt(window->Handle()), HookedMenuChain()) << "the lookup finds it by its handle";

    // The right button pressed in the window and released on the form.
    const TPoint onForm = form->ClientToScreen(TPoint{200, 30});
    MoveMouseTo(PointIn(ControlOf(L"btnSave")));
    PumpUntilIdle();
    RightMouseButton(true);
    PumpUntilIdle();
    MoveMouseTo(onForm);
    RightMouseButton(false);
    PumpUntilIdle();
    EXPECT_TRUE(formMouseUps.empty()) << "the right release outside the open menu is eaten";
    EXPECT_TRUE(Shown(window));

    MouseButton(true);
    MouseButton(false);
    EXPECT_TRUE(PumpUntil([&] { return !Shown(window); }));
    EXPECT_FALSE(window->IsActive());
    EXPECT_EQ(HookedMenuChain(), nullptr);
    EXPECT_EQ(recorder.log, ClickLog{});
}

// The real controls draw through the painter in their window: each button's glyph inside its
// own rectangle, the heading separator something of its own, and nothing outside the items.
TEST_F(BarWindowInput, ButtonsAndTheSeparatorDrawThroughThePainterInsideTheirRectangles) {
    manager->SetImages(form->SmallImages());
    MoveMouseTo(TPoint{50, 50});
    TTestBarWindow* window = OpenWindow();
    TControlSnapshot shot(window);
    struct TCase {
        const wchar_t* name;
        int glyph;
    };
    for (TCase c : {TCase{L"btnOpen", 0}, TCase{L"btnSave", 1}, TCase{L"btnExport", 2}}) {
        SCOPED_TRACE(Utf8(c.name));
        const TRect r = ControlOf(c.name)->GetBounds();
        int inside = 0, outside = 0;
        for (int y = 0; y < shot.Height(); ++y)
            for (int x = 0; x < shot.Width(); ++x)
                if (shot.Pixel(x, y) == TBarTestForm::GlyphColor(c.glyph)) (PtInRect(&r, POINT{x, y}) ? inside : outside)++;
        EXPECT_GT(inside, 16 * 8) << "the 16-pixel glyph shows";
        EXPECT_EQ(outside, 0);
    }
    // The heading separator draws over the window's background.
    TdxBarItemLink* separator = links->GetShownLink(3);
    ASSERT_TRUE(Is<TdxBarSeparator>(separator->Item()));
    const TRect r = separator->ItemRect();
    int drawn = 0;
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) drawn += shot.Pixel(x, y) != TTestBarWindow::BackgroundColor;
    EXPECT_GT(drawn, 0);
    // Below the last item only the window's background.
    for (int y = r.bottom; y < shot.Height(); y += 3) EXPECT_EQ(shot.Pixel(20, y), TTestBarWindow::BackgroundColor) << y;
}

}  // namespace
