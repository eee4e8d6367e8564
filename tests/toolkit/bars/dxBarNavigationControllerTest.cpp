// The navigation controller: key tips made unique, shown through a recording windows manager on
// a test root, narrowed and executed as characters are typed, Escape back to the container
// above, arrows leaving key-tip mode; the Alt delay on real time; and, with the test root as the
// form's navigation root, real keys and a real mouse press under Xvfb.

#include "BarAccessibilityFakes.h"
#include "BarTestForm.h"
#include "BarTestSupport.h"

#include <chrono>

#include "WindowTesting.h"
#include "dxBarManager.h"
#include "dxBarMessageHooks.h"
#include "dxBarNavigationController.h"
#include "dxCore.h"

namespace {

std::vector<std::wstring> Uniqued(std::vector<std::wstring> texts) {
    TdxBarKeyTipDataList list;
    for (const auto& text : texts) {
        TdxBarKeyTipInfo info;
        info.Text = text;
        list.push_back(std::make_unique<TdxBarKeyTipData>(info));
    }
    MakeKeyTipsUnique(list);
    std::vector<std::wstring> result;
    for (const auto& data : list) result.push_back(data->Info.Text);
    return result;
}

TEST(KeyTips, EqualAndPrefixTextsAreMadeUnique) {
    using V = std::vector<std::wstring>;
    struct Case {
        const char* what;
        V texts, expected;
    } cases[] = {
        {"three equal", {L"S", L"S", L"S"}, {L"S1", L"S2", L"S3"}},
        {"ten equal: two digits", V(10, L"Y"),
         {L"Y01", L"Y02", L"Y03", L"Y04", L"Y05", L"Y06", L"Y07", L"Y08", L"Y09", L"Y10"}},
        {"a prefix gets 1", {L"F", L"FX"}, {L"F1", L"FX"}},
        {"the grouping is case-sensitive", {L"a", L"A"}, {L"a", L"A"}},
        {"distinct texts stay", {L"O", L"S", L"P"}, {L"O", L"S", L"P"}},
        {"numbering that meets a text goes on", {L"S", L"S", L"S1"}, {L"S11", L"S2", L"S12"}},
    };
    for (const Case& c : cases) EXPECT_EQ(Uniqued(c.texts), c.expected) << c.what;
    EXPECT_EQ(KeyTipSuffix(9, 3), L"3");
    EXPECT_EQ(KeyTipSuffix(100, 7), L"007");
}

// A root with a recording windows manager and the controller reset around each test.
class KeyTipMode : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        navigation = GetNavigationController();
        ASSERT_NE(navigation, nullptr);
        windows = new TRecordingKeyTipWindows;
        root->windows = windows;
        root->bounds = RECT{0, 0, 400, 300};
    }
    void TearDown() override {
        navigation->LeaveKeyboardMode();
        navigation->SetCurrent(nullptr, nullptr);
        navigation->ClearNavigationMode();
        WindowTest::TearDown();
    }
    void Type(Word key, TShiftState shift = {}) { navigation->ProcessKey(key, shift); }
    std::vector<std::wstring> Labels() const { return windows->Texts(); }

    TdxBarNavigationController* navigation = nullptr;
    IPtr<TFakeHelper> root = NewFakeRoot();
    TRecordingKeyTipWindows* windows = nullptr;  // held by the root
};

TEST_F(KeyTipMode, TypingAPrefixNarrowsAndTheFullTipExecutes) {
    TFakeHelper* s1 = root->AddTip(L"S");
    TFakeHelper* s2 = root->AddTip(L"S");
    TFakeHelper* f = root->AddTip(L"F");
    navigation->SetKeyTipContainer(root.get(), L"");
    using V = std::vector<std::wstring>;
    EXPECT_EQ(Labels(), (V{L"S1", L"S2", L"F"}));
    EXPECT_GE(windows->showCalls, 1);
    Type('S');
    EXPECT_EQ(Labels(), (V{L"S1", L"S2"})) << "F no longer fits";
    EXPECT_EQ(navigation->TypedKeyTip(), L"S");
    EXPECT_EQ(s1->executed + s2->executed + f->executed, 0);
    Type('Q');  // begins no key tip: nothing changes
    EXPECT_EQ(Labels(), (V{L"S1", L"S2"}));
    EXPECT_EQ(navigation->TypedKeyTip(), L"S");
    Type('1');
    EXPECT_EQ(s1->executed, 1);
    EXPECT_EQ(s2->executed, 0);
}

TEST_F(KeyTipMode, ADisabledFullMatchNarrowsWithoutRunning) {
    TFakeHelper* f = root->AddTip(L"F", false);
    root->AddTip(L"O");
    navigation->SetKeyTipContainer(root.get(), L"");
    for (const auto& [window, label] : windows->labels) EXPECT_EQ(label.enabled, label.text != L"F") << "F is shown disabled";
    Type('F');
    EXPECT_EQ(f->executed, 0);
    EXPECT_EQ(Labels(), std::vector<std::wstring>{L"F"});
    EXPECT_TRUE(navigation->AreKeyTipsShown());
}

TEST_F(KeyTipMode, AKeyTipTypedOnTheNumericKeypadMatches) {
    // VK_NUMPAD1 is also the code of "a": the typed characters must be the ones that matched.
    TFakeHelper* a = root->AddTip(L"A");
    root->AddTip(L"12");
    TFakeHelper* k13 = root->AddTip(L"13");
    navigation->SetKeyTipContainer(root.get(), L"");
    // The keypad gives digits with Num Lock on.
    BYTE state[256];
    ASSERT_TRUE(GetKeyboardState(state));
    const BYTE numLock = state[VK_NUMLOCK];
    state[VK_NUMLOCK] |= 1;
    SetKeyboardState(state);
    struct TRestore {
        BYTE value;
        ~TRestore() {
            BYTE s[256];
            GetKeyboardState(s);
            s[VK_NUMLOCK] = value;
            SetKeyboardState(s);
        }
    } restore{numLock};
    Type(VK_NUMPAD1);
    ASSERT_EQ(navigation->TypedKeyTip(), L"1");
    EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"12", L"13"}));
    Type(VK_NUMPAD3);
    EXPECT_EQ(k13->executed, 1);
    EXPECT_EQ(a->executed, 0);
}

TEST_F(KeyTipMode, EscapeGoesBackToTheContainerAboveAndThenLeaves) {
    root->AddTip(L"H");
    TFakeHelper* tab = root->AddTip(L"T");
    tab->container = true;
    tab->Add("x", RECT{0, 20, 10, 30})->keyTip = L"X";
    tab->Add("y", RECT{20, 20, 30, 30})->keyTip = L"Y";
    navigation->SetKeyTipContainer(tab, L"");
    EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"X", L"Y"})) << "the tab's manager is the root's";
    Type(VK_ESCAPE);
    EXPECT_EQ(GetHelperObject(navigation->KeyTipContainer()), root.get());
    EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"H", L"T"}));
    EXPECT_EQ(GetHelperObject(navigation->GetCurrentObject()), tab) << "the element just left is selected";
    Type(VK_ESCAPE);
    EXPECT_FALSE(navigation->AreKeyTipsShown());
    EXPECT_TRUE(Labels().empty());
    EXPECT_EQ(navigation->GetCurrentObject(), nullptr);
}

TEST_F(KeyTipMode, AnArrowHidesTheKeyTipsAndMovesTheSelection) {
    TFakeHelper* left = root->Add("left", RECT{0, 0, 20, 20});
    TFakeHelper* right = root->Add("right", RECT{40, 0, 60, 20});
    left->keyTip = L"L";
    right->keyTip = L"R";
    left->MakeSelected(false);
    navigation->SetKeyTipContainer(root.get(), L"");
    ASSERT_EQ(Labels().size(), 2u);
    EXPECT_TRUE(navigation->WantsKey(VK_RIGHT, {}));
    Type(VK_RIGHT);
    EXPECT_FALSE(navigation->AreKeyTipsShown());
    EXPECT_TRUE(Labels().empty());
    EXPECT_EQ(GetHelperObject(navigation->GetCurrentObject()), right);
    EXPECT_EQ(right->executed, 0);
    Type(VK_TAB);  // Tab from the last wraps to the first
    EXPECT_EQ(GetHelperObject(navigation->GetCurrentObject()), left);
}

TEST_F(KeyTipMode, TheAltDelayShowsTheRootsTipsAfter500MsOnlyWhileTheKeyIsHeld) {
    root->AddTip(L"S");
    EXPECT_THROW(navigation->StartKeyTipDelay(nullptr), EdxException);
    // Held: the key tips appear by themselves, not before the delay.
    SetBarAltPressed(true);
    const auto start = std::chrono::steady_clock::now();
    navigation->StartKeyTipDelay(root.get());
    IPtr<TFakeHelper> other = NewFakeRoot();
    EXPECT_THROW(navigation->StartKeyTipDelay(other.get()), EdxException) << "another root while it runs";
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }, 3000));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(450));
    EXPECT_FALSE(navigation->IsKeyTipDelayRunning());
    EXPECT_FALSE(IsBarAltPressed());
    navigation->LeaveKeyboardMode();
    // Released early: the delay outlives its timer and the release shows them.
    SetBarAltPressed(false);
    navigation->StartKeyTipDelay(root.get());
    PumpForTicks(100, 7);
    EXPECT_FALSE(navigation->AreKeyTipsShown());
    EXPECT_TRUE(navigation->IsKeyTipDelayRunning());
    navigation->EndKeyTipDelay(true);
    EXPECT_EQ(Labels(), std::vector<std::wstring>{L"S"});
}

TEST_F(KeyTipMode, ACharacterTypedDuringTheDelayMatchesTheRootsTips) {
    TFakeHelper* s = root->AddTip(L"S");
    root->AddTip(L"SA");
    navigation->StartKeyTipDelay(root.get());
    Type('S');  // a prefix: the root's tips show, narrowed
    EXPECT_FALSE(navigation->IsKeyTipDelayRunning());
    EXPECT_EQ(navigation->TypedKeyTip(), L"S");
    EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"S1", L"SA"}));
    Type('1');
    EXPECT_EQ(s->executed, 1);
}

TEST_F(KeyTipMode, AnAltDelayRootWhoseOwnerGoesIsDropped) {
    IPtr<TFakeHelper> pending = NewFakeRoot();
    pending->windows = windows;
    navigation->StartKeyTipDelay(pending.get());
    ASSERT_TRUE(navigation->IsKeyTipDelayRunning());
    pending->MarkOwnerDestroyed();
    EXPECT_FALSE(navigation->IsKeyTipDelayRunning());
    navigation->EndKeyTipDelay(true);
    EXPECT_FALSE(navigation->AreKeyTipsShown());
    // A shown container whose owner goes takes its labels with it.
    root->AddTip(L"S");
    navigation->SetKeyTipContainer(root.get(), L"");
    ASSERT_EQ(Labels().size(), 1u);
    root->MarkOwnerDestroyed();
    EXPECT_FALSE(navigation->AreKeyTipsShown());
    EXPECT_TRUE(Labels().empty());
}

// ---- Real keys on a form whose navigation root is the test root --------------------------------

TFakeHelper* formRoot = nullptr;
IdxBarAccessibilityHelper* FormRootLookup(HWND) { return formRoot; }

class KeyTipKeys : public KeyTipMode {
protected:
    void SetUp() override {
        KeyTipMode::SetUp();
        form.reset(static_cast<TBarTestForm*>(TBarTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr))));
        form->SetBounds(300, 150, 400, 300);
        form->Show();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(PumpUntil([&] { return GetFocus() == form->Handle(); }));
        save = root->AddTip(L"S");
        root->AddTip(L"S");
        root->AddTip(L"F");
        root->entry = save;
        formRoot = root.get();
        previousLookup = SetWindowRootHelperLookup(&FormRootLookup);
    }
    void TearDown() override {
        SetWindowRootHelperLookup(previousLookup);
        formRoot = nullptr;
        form.reset();
        KeyTipMode::TearDown();
    }
    std::unique_ptr<TBarTestForm> form;
    TFakeHelper* save = nullptr;
    TdxBarRootHelperLookup previousLookup = nullptr;
};

TEST_F(KeyTipKeys, AltTappedSelectsTheEntryAndShowsTheTipsThenTheirKeysRunThem) {
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }));
    EXPECT_EQ(GetHelperObject(navigation->GetCurrentObject()), save) << "navigation starts on the entry";
    EXPECT_TRUE(navigation->NavigationMode());
    EXPECT_EQ(Labels(), (std::vector<std::wstring>{L"S1", L"S2", L"F"}));
    TypeKey('S');
    ASSERT_TRUE(PumpUntil([&] { return Labels().size() == 2; }));
    TypeKey('1');
    ASSERT_TRUE(PumpUntil([&] { return save->executed == 1; }));
}

TEST_F(KeyTipKeys, AltHeldShowsTheTipsWhileHeldAndAnotherKeyFirstShowsNone) {
    KeyDown(VK_MENU);
    EXPECT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }, 3000)) << "shown while Alt is held";
    KeyUp(VK_MENU);
    PumpUntilIdle();
    EXPECT_EQ(navigation->GetCurrentObject(), nullptr) << "the release no longer counts as the menu key";
    navigation->LeaveKeyboardMode();
    // Alt with another key first: a chord, no key tips.
    TypeChord({VK_MENU, 'X'});
    PumpForTicks(100, 7);
    EXPECT_FALSE(navigation->AreKeyTipsShown());
    EXPECT_FALSE(navigation->IsKeyTipDelayRunning());
}

TEST_F(KeyTipKeys, AMousePressEndsKeyTipAndNavigationMode) {
    TypeKey(VK_MENU);
    ASSERT_TRUE(PumpUntil([&] { return navigation->AreKeyTipsShown(); }));
    ClickAt(form->ClientToScreen(TPoint{200, 200}));
    ASSERT_TRUE(PumpUntil([&] { return !navigation->AreKeyTipsShown(); }));
    EXPECT_EQ(navigation->GetCurrentObject(), nullptr);
    EXPECT_FALSE(navigation->NavigationMode());
    EXPECT_EQ(save->executed, 0);
}

}  // namespace
