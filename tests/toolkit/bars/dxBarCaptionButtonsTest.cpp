// Caption buttons of a toolbar under Xvfb: the hit test and the states (disabled buttons,
// navigation selection), the bounds, the click, the copy, and the hover kept from real mouse
// moves over a docked toolbar window. Toolbar windows do not place caption buttons, so the
// tests give them their rectangles (window coordinates) as the ribbon's group windows do.

#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "RecordingHints.h"

#include <string>
#include <vector>

#include "../ToolkitTestSupport.h"
#include "dxBar.h"
#include "dxBarCaptionButtons.h"
#include "dxBarControl.h"
#include "dxBarDockControl.h"
#include "dxBarItemLinks.h"
#include "dxBarHints.h"
#include "dxBarManager.h"
#include "dxBarNavigationController.h"

namespace {

class CaptionButtons : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        SetBarHintDisplay(&hintDisplay);
        SetBarHintTimers(&hintTimers);
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        manager = static_cast<TdxBarManager*>(form->FindComponent(L"dxBarManager"));
        ASSERT_NE(manager, nullptr);
        form->SetBounds(60, 60, 420, 300);
        form->Show();
        bar = manager->Bars()->Add();
        bar->SetCaption(L"Launch");
        bar->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(L"btnOpen")));
        bar->SetDockingStyle(dsTop);
        PumpUntilIdle();
        ASSERT_NE(bar->BarControl(), nullptr);
        buttons = bar->CaptionButtons();
    }
    void TearDown() override {
        MoveMouseTo(TPoint{2, 2});
        if (manager) manager->HideItemHint();
        TdxBarManager::HintGuardExpired();
        form.reset();
        SetBarHintDisplay(nullptr);
        SetBarHintTimers(nullptr);
        WindowTest::TearDown();
    }
    TdxBarCaptionButton* AddButton(const TRect& r, bool enabled = true) {
        TdxBarCaptionButton* button = buttons->Add();
        button->SetBounds(r);
        button->SetEnabled(enabled);
        return button;
    }
    std::vector<int> States() const {
        std::vector<int> states;
        for (int i = 0; i < buttons->Count(); ++i) states.push_back(buttons->GetButton(i)->State());
        return states;
    }

    TRecordingHintDisplay hintDisplay;
    TRecordingHintTimers hintTimers;
    std::unique_ptr<TBarTestForm> form;
    TdxBarManager* manager = nullptr;
    TdxBar* bar = nullptr;
    TdxBarCaptionButtons* buttons = nullptr;
};

// Rectangles compared as text, so a failure shows both.
std::string Text(const TRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
           std::to_string(r.bottom);
}

struct TClickRecorder {
    std::vector<TObject*> clicked;
    void Clicked(TObject* sender) { clicked.push_back(sender); }
};

constexpr int N = dxBarCaptionButtonNormal, D = dxBarCaptionButtonDisabled, H = dxBarCaptionButtonHot,
              P = dxBarCaptionButtonPressed;

TEST_F(CaptionButtons, ADisabledButtonIsPassedOverByTheHitTestAndNeverTurnsHotOrPressed) {
    // The disabled button lies on top of the third one's left half.
    AddButton(TRect{0, 0, 10, 10});
    AddButton(TRect{10, 0, 20, 10}, false);
    AddButton(TRect{10, 0, 30, 10});
    struct Case {
        TPoint point;
        bool pressed;
        int hit;
        std::vector<int> states;
    };
    const Case cases[] = {
        {{5, 5}, false, 0, {H, D, N}},
        {{15, 5}, false, 2, {N, D, H}},  // under the disabled button: the enabled one behind it
        {{15, 5}, true, 2, {N, D, P}},
        {{25, 5}, true, 2, {N, D, P}},
        {{10, 5}, false, 2, {N, D, H}},  // the left edge belongs to the right-hand buttons
        {{30, 5}, false, -1, {N, D, N}},  // the right edge is outside
        {{-1, -1}, false, -1, {N, D, N}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.point.x << "," << c.point.y << (c.pressed ? " pressed" : ""));
        EXPECT_EQ(buttons->ButtonAtPoint(c.point), c.hit);
        buttons->UpdateStates(c.point, c.pressed);
        EXPECT_EQ(States(), c.states);
    }
    // Enabling takes the normal state, disabling the disabled one whatever the state was.
    buttons->GetButton(1)->SetEnabled(true);
    EXPECT_EQ(buttons->GetButton(1)->State(), N);
    EXPECT_EQ(buttons->ButtonAtPoint(TPoint{15, 5}), 1);
    buttons->UpdateStates(TPoint{5, 5}, true);
    buttons->GetButton(0)->SetEnabled(false);
    EXPECT_EQ(States(), (std::vector<int>{D, N, N}));
}

TEST_F(CaptionButtons, TheBoundsUniteOnlyButtonsThatWereLaidOut) {
    EXPECT_EQ(Text(buttons->GetButtonsBounds()), "0,0,0,0");
    AddButton(TRect{});
    AddButton(TRect{});
    TRect none = buttons->GetButtonsBounds();
    EXPECT_TRUE(IsRectEmpty(&none)) << "buttons never laid out";
    buttons->GetButton(1)->SetBounds(TRect{40, 2, 52, 14});
    EXPECT_EQ(Text(buttons->GetButtonsBounds()), "40,2,52,14");
    AddButton(TRect{60, 4, 70, 16}, false);
    EXPECT_EQ(Text(buttons->GetButtonsBounds()), "40,2,70,16") << "a disabled button still takes room";
    EXPECT_EQ(buttons->ButtonAtPoint(TPoint{0, 0}), -1) << "an empty rectangle holds no point";
}

TEST_F(CaptionButtons, AButtonSelectedByNavigationStaysHotWhileTheMouseIsElsewhere) {
    TdxBarCaptionButton* first = AddButton(TRect{0, 0, 10, 10});
    AddButton(TRect{10, 0, 20, 10});
    MoveMouseTo(TPoint{2, 2});  // far from the window
    PumpUntilIdle();
    IdxBarAccessibilityHelper* helper = first->ObtainAccessibilityHelper();
    helper->MakeSelected(false);
    ASSERT_TRUE(helper->IsNavigationSelected());
    EXPECT_EQ(States(), (std::vector<int>{H, N}));
    buttons->UpdateStates(TPoint{15, 5}, false);
    EXPECT_EQ(States(), (std::vector<int>{H, H})) << "the mouse adds its own hot button";
    buttons->UpdateStates(TPoint{-50, -50}, false);
    EXPECT_EQ(States(), (std::vector<int>{H, N}));
    helper->DropSelection(nullptr);
    EXPECT_FALSE(helper->IsNavigationSelected());
    EXPECT_EQ(States(), (std::vector<int>{N, N}));
    // The helpers see the buttons: the collection's children, bounds on the screen.
    IdxBarAccessibilityHelper* parent = buttons->ObtainAccessibilityHelper();
    EXPECT_EQ(parent->GetHelper()->GetChildCount(), 2);
    EXPECT_EQ(parent->GetHelper()->GetChild(0), helper->GetHelper());
    EXPECT_EQ(helper->GetHelper()->GetParentHelper(), parent->GetHelper());
}

TEST_F(CaptionButtons, TheWindowClicksTheButtonAtAnIndexAndABarCopiesItsButtons) {
    TClickRecorder recorder;
    std::vector<TObject*>& clicked = recorder.clicked;
    TdxBarCaptionButton* first = AddButton(TRect{0, 0, 10, 10});
    first->OnClick = MakeEvent(&recorder, &TClickRecorder::Clicked);
    first->SetHint(L"Параметры");
    first->SetKeyTip(L"FO");
    AddButton(TRect{10, 0, 20, 10}, false);
    TdxBarControl* window = bar->BarControl();
    EXPECT_TRUE(window->HasCaptionButtons());
    for (int index : {0, 5, -1}) window->ClickCaptionButton(index);
    EXPECT_EQ(clicked, (std::vector<TObject*>{first})) << "indexes out of range click nothing";

    TdxBar* other = manager->Bars()->Add();
    other->SetVisible(false);
    other->SetCaptionButtons(buttons);
    ASSERT_EQ(other->CaptionButtons()->Count(), 2);
    TdxBarCaptionButton* copy = other->CaptionButtons()->GetButton(0);
    EXPECT_EQ(Utf8(copy->Hint()), "Параметры");
    EXPECT_EQ(Utf8(copy->KeyTip()), "FO");
    EXPECT_EQ(Text(copy->Bounds()), "0,0,10,10");
    EXPECT_FALSE(other->CaptionButtons()->GetButton(1)->Enabled());
    EXPECT_EQ(other->CaptionButtons()->GetButton(1)->State(), D);
    copy->Click();
    EXPECT_EQ(clicked, (std::vector<TObject*>{first, copy})) << "the copy fires the same handler with itself";
    buttons->Clear();
    EXPECT_FALSE(window->HasCaptionButtons());
}

TEST_F(CaptionButtons, TheMouseOverTheWindowMakesAButtonHotWithItsHintAndLeavingClearsIt) {
    TdxBarControl* window = bar->BarControl();
    RECT w;
    GetWindowRect(window->Handle(), &w);
    // A button over the right part of the docked window (window coordinates).
    const int width = w.right - w.left, height = w.bottom - w.top;
    TdxBarCaptionButton* button = AddButton(TRect{width - 12, 0, width, height});
    button->SetHint(L"Открыть окно группы");
    MoveMouseTo(TPoint{w.left + width - 6, w.top + height / 2});
    EXPECT_TRUE(PumpUntil([&] { return button->State() == H; }));
    EXPECT_EQ(manager->HintObject(), button) << "the hot button asks for its hint";
    TdxBarManager::HintTimerExpired();  // the show delay has passed
    EXPECT_EQ(hintDisplay.log, (std::vector<std::string>{"show Открыть окно группы"}));
    MoveMouseTo(TPoint{w.left + width - 16, w.top + height / 2});
    EXPECT_TRUE(PumpUntil([&] { return button->State() == N; })) << "off the button inside the window";
    EXPECT_FALSE(hintDisplay.visible) << "a button that is no longer hot hides its hint";
    MoveMouseTo(TPoint{w.left + width - 6, w.top + height / 2});
    EXPECT_TRUE(PumpUntil([&] { return button->State() == H; }));
    MoveMouseTo(TPoint{w.left + width / 2, w.bottom + 80});
    EXPECT_TRUE(PumpUntil([&] { return button->State() == N; })) << "leaving the window";
    bool hide = true;
    String hint, shortCut;
    EXPECT_FALSE(button->GetHint(hide, hint, shortCut)) << "no hint unless hot";
}

}  // namespace
