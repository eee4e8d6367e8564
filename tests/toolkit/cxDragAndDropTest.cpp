// Dragging in toolkit controls on real windows: the drag detection loop, the toolkit's own
// drag-and-drop driven by the mouse and Escape, and the platform drag with the copy cursor.

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "Mouse.h"
#include "Screen.h"
#include "WindowTesting.h"
#include "cxControl.h"
#include "cxDragAndDrop.h"

namespace {

class TDraggingControl;

// Records what the control's drag-and-drop object is told.
class TRecordingDragObject : public TcxDragAndDropObject {
    Z_ARG_FAMILY_CLASS(TRecordingDragObject, TcxDragAndDropObject, TcxDragAndDropObject, TcxControl*)
public:
    explicit TRecordingDragObject(TcxControl* control) : TcxDragAndDropObject(control) {}

protected:
    void MoveTo(TPoint p, bool& accepted) override;
    void FinishDrop(bool accepted) override;
};

// A control whose left 50 pixels start a drag-and-drop.
class TDraggingControl : public TcxControl {
    Z_CLASS(TDraggingControl, TcxControl)
public:
    explicit TDraggingControl(TComponent* AOwner) : TcxControl(AOwner) {
        SetDragAndDropObjectClass(TRecordingDragObject::StaticClass());
    }
    std::vector<TPoint> moves;
    std::vector<bool> drops;

protected:
    bool StartDragAndDropAt(TPoint p) override { return p.x < 50; }
};

void TRecordingDragObject::MoveTo(TPoint p, bool& accepted) {
    static_cast<TDraggingControl*>(Control())->moves.push_back(p);
    TcxDragAndDropObject::MoveTo(p, accepted);
}

void TRecordingDragObject::FinishDrop(bool accepted) {
    static_cast<TDraggingControl*>(Control())->drops.push_back(accepted);
}

class cxDragAndDropTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form.reset(NewShownForm(400, 300));
        control = new TDraggingControl(form.get());
        control->SetBounds(20, 20, 200, 150);
        control->SetParent(form.get());
        control->HandleNeeded();
        Mouse->SetDragThreshold(5);
    }
    void TearDown() override {
        MouseButton(false);
        PumpUntilIdle();
        form.reset();
        WindowTest::TearDown();
    }
    // Puts the cursor at a client point of the control and lets the moves it made arrive.
    void CursorAt(TPoint client) {
        const TPoint screen = control->ClientToScreen(client);
        MoveMouseTo(screen);
        PumpUntil([&] { return Mouse->CursorPos().x == screen.x && Mouse->CursorPos().y == screen.y; });
        PumpUntilIdle();
    }

    std::unique_ptr<TForm> form;
    TDraggingControl* control = nullptr;
};

// ---- drag detection ------------------------------------------------------------------------

struct TPosted {
    UINT msg;
    WPARAM wParam;
    TPoint client;
};

LPARAM ClientLParam(TPoint p) { return MAKELPARAM(WORD(SmallInt(p.x)), WORD(SmallInt(p.y))); }

TEST_F(cxDragAndDropTest, DetectDragStartReportsADragOnlyOutsideTheThresholdSquare) {
    const TPoint press{100, 60};
    struct TCase {
        const char* what;
        TPoint press;
        std::vector<TPosted> posted;
        TcxDragDetectResult expected;
    } cases[] = {
        {"4 right, then release", press, {{WM_MOUSEMOVE, 0, {104, 60}}, {WM_LBUTTONUP, 0, {104, 60}}}, ddrClick},
        {"4 up-left, then release", press, {{WM_MOUSEMOVE, 0, {96, 56}}, {WM_LBUTTONUP, 0, {96, 56}}}, ddrClick},
        {"5 right", press, {{WM_MOUSEMOVE, 0, {105, 60}}, {WM_LBUTTONUP, 0, {105, 60}}}, ddrDrag},
        {"5 down", press, {{WM_MOUSEMOVE, 0, {100, 65}}, {WM_LBUTTONUP, 0, {100, 65}}}, ddrDrag},
        {"5 left, then release", press, {{WM_MOUSEMOVE, 0, {95, 60}}, {WM_LBUTTONUP, 0, {95, 60}}}, ddrClick},
        {"6 left", press, {{WM_MOUSEMOVE, 0, {94, 60}}, {WM_LBUTTONUP, 0, {94, 60}}}, ddrDrag},
        {"5 up, then release", press, {{WM_MOUSEMOVE, 0, {100, 55}}, {WM_LBUTTONUP, 0, {100, 55}}}, ddrClick},
        {"6 up", press, {{WM_MOUSEMOVE, 0, {100, 54}}, {WM_LBUTTONUP, 0, {100, 54}}}, ddrDrag},
        {"left edge, one pixel out", {0, 60}, {{WM_MOUSEMOVE, 0, {-1, 60}}, {WM_LBUTTONUP, 0, {-1, 60}}}, ddrClick},
        {"right release", press, {{WM_RBUTTONUP, 0, press}, {WM_MOUSEMOVE, 0, {150, 60}}}, ddrClick},
        {"middle release", press, {{WM_MBUTTONUP, 0, press}, {WM_MOUSEMOVE, 0, {150, 60}}}, ddrClick},
        {"Escape", press, {{WM_KEYDOWN, VK_ESCAPE, {}}, {WM_MOUSEMOVE, 0, {150, 60}}}, ddrCancel},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        CursorAt(c.press);
        for (const TPosted& m : c.posted) PostMessageW(control->Handle(), m.msg, m.wParam, ClientLParam(m.client));
        EXPECT_EQ(DetectDragStart(control->Handle()), c.expected);
        EXPECT_NE(GetCapture(), control->Handle());
        PumpUntilIdle();  // whatever the loop left in the queue
    }
}

TEST_F(cxDragAndDropTest, DetectDragStartEndsWhenTheCaptureGoes) {
    CursorAt(TPoint{100, 60});
    PostMessageW(control->Handle(), WM_CANCELMODE, 0, 0);  // the control gives up the capture
    PostMessageW(control->Handle(), WM_MOUSEMOVE, 0, ClientLParam(TPoint{101, 60}));
    EXPECT_EQ(DetectDragStart(control->Handle()), ddrCancel);
    PumpUntilIdle();
}

// ---- the toolkit's drag-and-drop -----------------------------------------------------------

TEST_F(cxDragAndDropTest, AClickOnADraggableSpotEndsWithoutAMove) {
    CursorAt(TPoint{20, 40});
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return control->DragAndDropState() == ddsStarting; }));
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return control->DragAndDropState() == ddsNone; }));
    EXPECT_TRUE(control->moves.empty());
    EXPECT_TRUE(control->drops.empty());

    // Another window taking the mouse meanwhile ends it, without a drop.
    CursorAt(TPoint{20, 100});
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return control->DragAndDropState() == ddsStarting; }));
    SetCapture(form->Handle());
    EXPECT_EQ(control->DragAndDropState(), ddsNone);
    ReleaseCapture();
    MouseButton(false);
    PumpUntilIdle();
    EXPECT_TRUE(control->drops.empty());

    // Elsewhere nothing starts.
    CursorAt(TPoint{120, 40});
    MouseButton(true);
    PumpUntilIdle();
    EXPECT_EQ(control->DragAndDropState(), ddsNone);
    MouseButton(false);
}

TEST_F(cxDragAndDropTest, AReleaseDropsAndEscapeCancelsRestoringCursorAndCapture) {
    const TCursor before = Screen->Cursor();
    for (bool escape : {false, true}) {
        SCOPED_TRACE(escape ? "Escape" : "release");
        control->moves.clear();
        control->drops.clear();
        // Presses apart, so that the second is no double click.
        const int top = escape ? 100 : 40;
        CursorAt(TPoint{20, top});
        MouseButton(true);
        ASSERT_TRUE(PumpUntil([&] { return control->DragAndDropState() == ddsStarting; }));
        MoveMouseTo(control->ClientToScreen(TPoint{23, top + 3}));  // within the threshold
        PumpUntilIdle();
        EXPECT_EQ(control->DragAndDropState(), ddsStarting);
        MoveMouseTo(control->ClientToScreen(TPoint{60, 80}));
        ASSERT_TRUE(PumpUntil([&] { return !control->moves.empty(); }));
        EXPECT_EQ(control->DragAndDropState(), ddsInProcess);
        EXPECT_EQ(GetCapture(), control->Handle());
        EXPECT_EQ(control->moves.back().x, 60);
        EXPECT_EQ(control->moves.back().y, 80);
        EXPECT_EQ(Screen->Cursor(), crNoDrop);  // the base object accepts nothing
        if (escape) {
            TypeKey(VK_ESCAPE);
            ASSERT_TRUE(PumpUntil([&] { return control->DragAndDropState() == ddsNone; }));
            MouseButton(false);
        } else {
            MouseButton(false);
            ASSERT_TRUE(PumpUntil([&] { return control->DragAndDropState() == ddsNone; }));
        }
        PumpUntilIdle();
        EXPECT_EQ(control->drops, std::vector<bool>{!escape});
        EXPECT_EQ(Screen->Cursor(), before);
        EXPECT_NE(GetCapture(), control->Handle());
    }
}

// ---- the platform drag ---------------------------------------------------------------------

TEST_F(cxDragAndDropTest, APlatformDragWithCtrlHeldShowsTheCopyCursorOverAnAcceptingControl) {
    control->SetDragMode(dmAutomatic);
    auto* target = new TDraggingControl(form.get());
    target->SetBounds(240, 20, 120, 150);
    target->SetParent(form.get());
    struct TTarget : TObject {
        int drops = 0;
        void Over(TObject*, TObject*, int, int, TDragState, bool& accept) { accept = true; }
        void Drop(TObject*, TObject*, int, int) { ++drops; }
    } handlers;
    target->OnDragOver = MakeEvent(&handlers, &TTarget::Over);
    target->OnDragDrop = MakeEvent(&handlers, &TTarget::Drop);
    const HCURSOR copy = Screen->Cursors(crcxDragCopy);
    const HCURSOR plain = Screen->Cursors(crDrag);
    ASSERT_NE(copy, plain);

    auto ctrlKey = [](bool down) {
        INPUT ctrl{};
        ctrl.type = INPUT_KEYBOARD;
        ctrl.ki.wVk = VK_CONTROL;
        ctrl.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        SendInput(1, &ctrl, sizeof(ctrl));
    };
    const TPoint targetPoint = target->ClientToScreen(TPoint{60, 70});
    CursorAt(TPoint{100, 60});
    HCURSOR withoutCtrl = nullptr, withCtrl = nullptr;
    // The press runs the drag detection loop: the rest of the gesture comes from timer ticks.
    // Ctrl is pressed once the pointer rests over the target (moving the pointer resets the
    // modifier keys on this display).
    TTickScript script({
        [&] {
            MoveMouseTo(control->ClientToScreen(TPoint{120, 60}));
            return true;
        },
        [&] { return DragSourceControl() == control; },
        [&] {
            MoveMouseTo(targetPoint);
            return true;
        },
        [&] {
            MoveMouseTo(TPoint{targetPoint.x + 2, targetPoint.y});
            return true;
        },
        [&] { return (withoutCtrl = GetCursor()) == plain; },
        [&] {
            ctrlKey(true);
            return true;
        },
        [&] { return (withCtrl = GetCursor()) == copy; },
        [&] {
            ctrlKey(false);
            return true;
        },
        [&] {
            MouseButton(false);
            return true;
        },
    });
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return script.Done(); }, 6000));
    EXPECT_FALSE(script.TimedOut()) << script.StepsRun() << " steps";
    EXPECT_EQ(withoutCtrl, plain);
    EXPECT_EQ(withCtrl, copy);
    ASSERT_TRUE(PumpUntil([&] { return handlers.drops == 1; }));
    EXPECT_EQ(DragSourceControl(), nullptr);
}

// A control whose drag image is a 16 x 12 red block.
class TImageDraggingControl : public TcxControl {
    Z_CLASS(TImageDraggingControl, TcxControl)
public:
    using TcxControl::TcxControl;

protected:
    bool HasDragImages() const override { return true; }
    TSize DragImageSize() const override { return TSize{16, 12}; }
    void DrawDragImage(TcxCanvas* canvas, const TRect& r) override { canvas->FillRectWithColor(r, clRed); }
};

TEST_F(cxDragAndDropTest, ADragImageIsDrawnAtItsSizeAndGoesWithTheDrag) {
    auto* source = new TImageDraggingControl(form.get());
    source->SetBounds(240, 20, 120, 100);
    source->SetParent(form.get());
    source->HandleNeeded();
    EXPECT_TRUE(source->HasStyle(csDisplayDragImage));
    CursorAt(TPoint{100, 60});
    source->BeginDrag(false);
    ASSERT_EQ(DragSourceControl(), source);
    TDragImageList* images = source->DragImages();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->Count(), 1);
    EXPECT_EQ(images->Width(), 16);
    EXPECT_EQ(images->Height(), 12);
    source->EndDrag(false);
    EXPECT_EQ(DragSourceControl(), nullptr);
    EXPECT_EQ(source->DragImages(), nullptr);

    // Without a size there is nothing to offer the platform.
    EXPECT_EQ(control->DragImages(), nullptr);
}

}  // namespace
