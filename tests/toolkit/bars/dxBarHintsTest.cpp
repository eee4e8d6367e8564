// The item hints' timing, with a recording hint window and timers the test expires itself.

#include <gtest/gtest.h>

#include <map>

#include "BarTestSupport.h"
#include "RecordingHints.h"
#include "dxBarHints.h"

namespace {

class THintTestSource : public TObject, public IdxBarHintSource {
public:
    String hint, shortCut;
    bool enabled = true;
    THintTestSource(const wchar_t* h, const wchar_t* s = L"") : hint(h), shortCut(s) {}
    bool GetHint(bool&, String& h, String& s) override {
        h = hint;
        s = shortCut;
        return !hint.empty();
    }
    bool IsHintSourceEnabled() override { return enabled; }
};

class BarHints : public BarTest {
protected:
    void SetUp() override {
        BarTest::SetUp();
        SetBarHintDisplay(&display);
        SetBarHintTimers(&timers);
    }
    void TearDown() override {
        if (manager) manager->HideItemHint();
        TdxBarManager::HintGuardExpired();
        SetBarHintDisplay(nullptr);
        SetBarHintTimers(nullptr);
        BarTest::TearDown();
    }
    static constexpr auto ShowHide = TdxBarHintTimers::htShowHide;
    static constexpr auto Guard = TdxBarHintTimers::htGuard;
    TRecordingHintDisplay display;
    TRecordingHintTimers timers;
    THintTestSource save{L"Сохранить", L"Ctrl+S"}, open{L"Открыть"};
};

TEST_F(BarHints, AHintWaitsForTheShowDelayThenHidesAfterItsTimeout) {
    manager->ShowItemHint(true, L"", &open);
    EXPECT_TRUE(display.log.empty());
    EXPECT_TRUE(timers.Runs(ShowHide, 500));
    TdxBarManager::HintTimerExpired();
    EXPECT_EQ(display.log, (std::vector<std::string>{"show Открыть"}));
    EXPECT_TRUE(timers.Runs(ShowHide, 2500));
    TdxBarManager::HintTimerExpired();
    EXPECT_EQ(display.log.back(), "hide");
    EXPECT_FALSE(timers.running.count(ShowHide));
}

TEST_F(BarHints, WhileAHintShowsTheNextItemsHintShowsAtOnce) {
    manager->ShowItemHint(true, L"", &open);
    TdxBarManager::HintTimerExpired();
    manager->ShowItemHint(true, L"", &save);
    EXPECT_EQ(display.log, (std::vector<std::string>{"show Открыть", "show Сохранить"}));
}

TEST_F(BarHints, WithinTheGuardAfterAHintWentTheNextShowsAtOnce) {
    manager->ShowItemHint(true, L"", &open);
    TdxBarManager::HintTimerExpired();
    manager->ShowItemHint(true, L"", nullptr);  // the mouse left the items
    EXPECT_EQ(display.log.back(), "hide");
    EXPECT_TRUE(timers.Runs(Guard, 400));
    manager->ShowItemHint(true, L"", &save);
    EXPECT_EQ(display.log.back(), "show Сохранить");

    // After the guard the delay applies again.
    manager->ShowItemHint(true, L"", nullptr);
    TdxBarManager::HintGuardExpired();
    manager->ShowItemHint(true, L"", &open);
    EXPECT_EQ(display.log.back(), "hide");
    EXPECT_TRUE(timers.Runs(ShowHide, 500));
}

TEST_F(BarHints, AnExplicitHideStartsNoGuard) {
    manager->ShowItemHint(true, L"", &open);
    TdxBarManager::HintTimerExpired();
    manager->HideItemHint();
    EXPECT_EQ(display.log.back(), "hide");
    EXPECT_FALSE(timers.running.count(Guard));
    manager->ShowItemHint(true, L"", &save);
    EXPECT_EQ(display.log.back(), "hide");  // waits for the delay
    EXPECT_TRUE(timers.Runs(ShowHide, 500));
}

TEST_F(BarHints, AScreenTipIsHiddenFirstAndTheNextHintWaits) {
    manager->ShowItemHint(true, L"", &open);
    TdxBarManager::HintTimerExpired();
    display.screenTip = true;
    manager->ShowItemHint(true, L"", &save);
    EXPECT_EQ(display.log, (std::vector<std::string>{"show Открыть", "hide"}));
    EXPECT_TRUE(timers.Runs(ShowHide, 500));
    EXPECT_FALSE(timers.running.count(Guard));
}

TEST_F(BarHints, DisabledItemsShortcutsAndIgnoredRequests) {
    // The shortcut shows only with ShowShortCutInHint.
    manager->ShowItemHint(true, L"", &save);
    TdxBarManager::HintTimerExpired();
    EXPECT_EQ(display.log.back(), "show Сохранить");
    manager->SetShowShortCutInHint(true);
    manager->ShowItemHint(true, L"", &save);
    EXPECT_EQ(display.log.back(), "show Сохранить (Ctrl+S)");
    // An explicit text wins and has no shortcut.
    manager->ShowItemHint(true, L"Готово", &save);
    EXPECT_EQ(display.log.back(), "show Готово");

    // A disabled item's hint shows only while ShowHintForDisabledItems.
    save.enabled = false;
    manager->ShowItemHint(true, L"", &save);
    EXPECT_EQ(display.log.back(), "show Сохранить (Ctrl+S)");
    manager->SetShowHintForDisabledItems(false);
    manager->ShowItemHint(true, L"", &save);
    EXPECT_EQ(display.log.back(), "hide");

    // Nothing while ShowHint is off or while designing.
    display.log.clear();
    manager->SetShowHint(false);
    manager->ShowItemHint(true, L"", &open);
    manager->SetShowHint(true);
    manager->SetStateFlag(csDesigning, true);
    manager->ShowItemHint(true, L"", &open);
    manager->SetStateFlag(csDesigning, false);
    EXPECT_TRUE(display.log.empty());
    EXPECT_FALSE(timers.running.count(ShowHide));
}

TEST_F(BarHints, AManagerGoingAwayStopsItsPendingHint) {
    manager->ShowItemHint(true, L"", &open);
    ASSERT_TRUE(timers.running.count(ShowHide));
    form.reset();  // frees the manager
    manager = nullptr;
    EXPECT_FALSE(timers.running.count(ShowHide));
    TdxBarManager::HintTimerExpired();  // a late expiry finds nobody
    EXPECT_TRUE(display.log.empty());
}

// The thread timers that serve outside tests: the delay and the timeout pass on the message loop.
TEST_F(BarHints, TheThreadTimersShowAndHideOnTheMessageLoop) {
    SetBarHintTimers(nullptr);
    manager->ShowItemHint(true, L"", &open);
    EXPECT_TRUE(display.log.empty());
    EXPECT_TRUE(PumpUntil([&] { return display.visible; }));
    EXPECT_EQ(display.log, (std::vector<std::string>{"show Открыть"}));
    EXPECT_TRUE(PumpUntil([&] { return !display.visible; }, 5000));
    EXPECT_EQ(display.log.back(), "hide");
}

}  // namespace
