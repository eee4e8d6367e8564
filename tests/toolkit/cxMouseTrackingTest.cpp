#include <gtest/gtest.h>

#include <memory>

#include "CustomControl.h"
#include "WindowTesting.h"
#include "cxMouseTracking.h"
#include "cxWindowHelpers.h"

namespace {

struct TLeaveCaller : TNoRefCountObject, IcxMouseTrackingCaller {
    int leaves = 0;
    void MouseLeave() override { ++leaves; }
};

// A caller that owns only the left half of the control.
struct TLeftHalfCaller : TLeaveCaller, IcxMouseTrackingHitTest {
    int width = 0;
    bool PointInCaller(const TPoint& p) override { return p.x >= 0 && p.x < width / 2; }
};

// Records the CM_MOUSELEAVE messages a control receives.
struct TLeaveRecorder : TObject {
    TControl* control = nullptr;
    TWndMethod previous;
    int count = 0;
    LPARAM lastLParam = 0;
    void Attach(TControl* c) {
        control = c;
        previous = c->WindowProc();
        c->SetWindowProc(MakeEvent(this, &TLeaveRecorder::Proc));
    }
    void Proc(TMessage& m) {
        // The window's own leave notice (lParam 0) is not the tracker's.
        if (m.Msg == CM_MOUSELEAVE && m.LParam != 0) {
            ++count;
            lastLParam = m.LParam;
        }
        previous(m);
    }
};

class cxMouseTrackingTest : public testing::Test {
protected:
    void SetUp() override {
        form.reset(NewShownTestForm(300, 200));
        control = new TCustomControl(form.get());
        control->SetParent(form.get());
        control->SetBounds(50, 40, 120, 80);
        control->HandleNeeded();
        recorder.Attach(control);
        MoveTo(TPoint{30, 40});
    }
    void TearDown() override { PumpUntilIdle(); }
    // A point in the control's client coordinates.
    void MoveTo(TPoint client) {
        TPoint s = MapPointBetweenWindows(control->Handle(), nullptr, client);
        SetCursorPos(s.x, s.y);
    }

    std::unique_ptr<TForm> form;
    TCustomControl* control = nullptr;
    TLeaveRecorder recorder;
};

TEST_F(cxMouseTrackingTest, LeavingTheControlSendsMouseLeaveOnceAndStops) {
    TLeaveCaller caller;
    StartMouseTracking(control, control->ClientRect(), &caller);
    TMouseTrackingTimer* entry = FindMouseTrackingTimer(&caller);
    ASSERT_NE(entry, nullptr);
    StartMouseTracking(control, control->ClientRect(), &caller);  // a second start adds nothing
    EXPECT_EQ(FindMouseTrackingTimer(&caller), entry);
    TRect expected = MapRectBetweenWindows(control->Handle(), nullptr, control->ClientRect());
    EXPECT_TRUE(EqualRect(&entry->Bounds(), &expected));

    EXPECT_TRUE(PumpForTicks(10, 6));  // the tracking timer's interval
    EXPECT_EQ(caller.leaves, 0);
    EXPECT_TRUE(IsMouseTracked(&caller));

    MoveTo(TPoint{200, 10});
    EXPECT_TRUE(PumpUntil([&] { return caller.leaves > 0; }));
    EXPECT_TRUE(PumpForTicks(10, 4));
    EXPECT_EQ(caller.leaves, 1);
    EXPECT_EQ(recorder.count, 1);
    EXPECT_EQ(recorder.lastLParam, reinterpret_cast<LPARAM>(control));
    EXPECT_FALSE(IsMouseTracked(&caller));
}

TEST_F(cxMouseTrackingTest, HitTestCallerLeavesItsPartWithoutTheControlHearingOfIt) {
    TLeftHalfCaller caller;
    caller.width = 120;
    StartMouseTracking(control, TRect{}, &caller);
    EXPECT_TRUE(PumpForTicks(10, 4));
    EXPECT_EQ(caller.leaves, 0);
    MoveTo(TPoint{100, 40});  // right half: still over the control
    EXPECT_TRUE(PumpUntil([&] { return caller.leaves > 0; }));
    EXPECT_EQ(recorder.count, 0);
    EXPECT_FALSE(IsMouseTracked(&caller));
}

TEST_F(cxMouseTrackingTest, DisablingTheControlCountsAsLeaving) {
    TLeaveCaller caller;
    StartMouseTracking(control, control->ClientRect(), &caller);
    EXPECT_TRUE(PumpForTicks(10, 3));
    EnableWindow(form->Handle(), FALSE);
    EXPECT_TRUE(PumpUntil([&] { return caller.leaves > 0; }));
    EnableWindow(form->Handle(), TRUE);
    EXPECT_EQ(recorder.count, 1);
}

TEST_F(cxMouseTrackingTest, FreeingTheTrackedControlStillEndsTheTracking) {
    TLeaveCaller caller;
    StartMouseTracking(control, control->ClientRect(), &caller);
    delete control;
    control = nullptr;
    EXPECT_TRUE(PumpUntil([&] { return caller.leaves > 0; }));
    EXPECT_FALSE(IsMouseTracked(&caller));
}

TEST_F(cxMouseTrackingTest, StopEndsTrackingSilently) {
    TLeaveCaller caller;
    StartMouseTracking(nullptr, TRect{0, 0, 1, 1}, &caller);  // screen bounds without a control
    EXPECT_EQ(FindMouseTrackingTimer(&caller)->Bounds().right, 1);
    StopMouseTracking(&caller);
    StopMouseTracking(&caller);
    EXPECT_FALSE(IsMouseTracked(&caller));
    EXPECT_TRUE(PumpForTicks(10, 4));
    EXPECT_EQ(caller.leaves, 0);
}

}  // namespace
