// Controls: message dispatch, window binding, alignment, painting and input through the loop.

#include "Controls.h"
#include "MessageWindow.h"
#include "WindowTesting.h"

namespace {

constexpr Cardinal WM_PROBE = WM_APP + 1;
constexpr Cardinal WM_OTHER = WM_APP + 2;

// A windowless control that logs which handler saw a message.
class TDispatchBase : public TGraphicControl {
    Z_CLASS(TDispatchBase, TGraphicControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_PROBE, WMProbe))
public:
    explicit TDispatchBase(TComponent* o) : TGraphicControl(o) {}
    std::vector<std::string> log;
    void DefaultHandler(TMessage& m) override {
        log.push_back("default");
        m.Result = 7;
    }

protected:
    void WMProbe(TMessage& m) {
        log.push_back("base");
        m.Result = 1;
    }
};

class TDispatchDerived : public TDispatchBase {
    Z_CLASS(TDispatchDerived, TDispatchBase)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_PROBE, WMProbeDerived), Z_MESSAGE(WM_OTHER, WMOther))
public:
    explicit TDispatchDerived(TComponent* o) : TDispatchBase(o) {}

private:
    void WMProbeDerived(TMessage& m) {
        log.push_back("derived");
        Inherited<TDispatchBase>(m);
        m.Result += 10;
    }
    void WMOther(TMessage& m) {
        log.push_back("other");
        Inherited<TDispatchBase>(m);  // no handler above: the default handler
    }
};

// Logs the WindowProc it stands in front of.
class TWindowProcSpy : public TObject {
public:
    TWndMethod old;
    std::vector<Cardinal> seen;
    void Proc(TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_OTHER) {
            m.Result = 99;  // swallowed
            return;
        }
        old(m);
    }
};

}  // namespace

TEST(MessageDispatch, HandlersByNumberInheritAndFallBackToTheDefaultHandler) {
    TDispatchDerived control(nullptr);
    EXPECT_EQ(control.Perform(WM_PROBE), 11);
    EXPECT_EQ(control.log, (std::vector<std::string>{"derived", "base"}));
    control.log.clear();
    EXPECT_EQ(control.Perform(WM_OTHER), 7);
    EXPECT_EQ(control.log, (std::vector<std::string>{"other", "default"}));

    TDispatchBase base(nullptr);
    EXPECT_EQ(base.Perform(WM_OTHER), 7);
    EXPECT_EQ(base.log, (std::vector<std::string>{"default"}));
}

TEST(MessageDispatch, AReplacedWindowProcSeesEveryMessageFirst) {
    TDispatchDerived control(nullptr);
    TWindowProcSpy spy;
    spy.old = control.WindowProc();
    control.SetWindowProc(MakeEvent(&spy, &TWindowProcSpy::Proc));
    EXPECT_EQ(control.Perform(WM_OTHER), 99);
    EXPECT_TRUE(control.log.empty());
    EXPECT_EQ(control.Perform(WM_PROBE), 11);
    EXPECT_EQ(spy.seen, (std::vector<Cardinal>{WM_OTHER, WM_PROBE}));
    control.SetWindowProc(spy.old);
    EXPECT_EQ(control.Perform(WM_OTHER), 7);
}

namespace {

// A windowed control that fails on one message, to show the barrier behind every window.
class TFailingControl : public TCustomControl {
    Z_CLASS(TFailingControl, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_PROBE, WMProbe))
public:
    explicit TFailingControl(TComponent* o) : TCustomControl(o) {}
    int probes = 0;

private:
    void WMProbe(TMessage& m) {
        ++probes;
        if (m.WParam) throw EInvalidOperation(L"Сбой в обработчике");
        m.Result = 5;
    }
};

class THiddenWindowOwner : public TObject {
public:
    HWND window = nullptr;
    std::vector<Cardinal> seen;
    void Proc(TMessage& m) {
        seen.push_back(m.Msg);
        if (m.Msg == WM_PROBE) {
            if (m.WParam) throw EInvalidOperation(L"hidden window failed");
            m.Result = 42;
            return;
        }
        m.Result = DefWindowProcW(window, m.Msg, m.WParam, m.LParam);
    }
};

}  // namespace

TEST_F(WindowTest, EachControlClassHasItsWindowClassAndItsWindowIsBoundToTheObject) {
    TForm* form = NewShownForm();
    auto* a = new TFailingControl(form);
    a->SetParent(form);
    auto* b = new TDispatchDerived(form);  // windowless: no window of its own
    b->SetParent(form);
    HWND window = a->Handle();
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    EXPECT_EQ(Utf8(name), "TFailingControl");
    GetClassNameW(form->Handle(), name, 64);
    EXPECT_EQ(Utf8(name), "TForm");
    EXPECT_EQ(FindControl(window), a);
    EXPECT_EQ(FindControl(form->Handle()), form);
    EXPECT_EQ(GetParent(window), form->Handle());

    // A failing handler is reported through the application and the window goes on working.
    EXPECT_EQ(SendMessageW(window, WM_PROBE, 1, 0), 0);
    auto shown = TakeBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Utf8(shown[0].Text), "Сбой в обработчике");
    EXPECT_EQ(SendMessageW(window, WM_PROBE, 0, 0), 5);
    EXPECT_EQ(a->probes, 2);

    a->RecreateWnd();
    EXPECT_TRUE(a->HandleAllocated());
    EXPECT_NE(a->WindowHandle(), window);
    EXPECT_EQ(FindControl(a->WindowHandle()), a);
    EXPECT_EQ(FindControl(window), nullptr);
    FreeObject(form);
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(WindowTest, AHiddenWindowHandsItsMessagesToAMethod) {
    THiddenWindowOwner owner;
    owner.window = AllocateHWnd(MakeEvent(&owner, &THiddenWindowOwner::Proc));
    ASSERT_TRUE(IsWindow(owner.window));
    EXPECT_FALSE(IsWindowVisible(owner.window));
    EXPECT_EQ(SendMessageW(owner.window, WM_PROBE, 0, 0), 42);
    PostMessageW(owner.window, WM_PROBE, 1, 0);
    EXPECT_TRUE(PumpUntil([&] { return !TakeBoxes().empty(); }));
    DeallocateHWnd(owner.window);
    EXPECT_FALSE(IsWindow(owner.window));
}

namespace {

class TPanelish : public TCustomControl {
    Z_CLASS(TPanelish, TCustomControl)
public:
    explicit TPanelish(TComponent* o) : TCustomControl(o) { SetControlStyle(ControlStyle() + csAcceptsControls); }
    int resizes = 0;

protected:
    void Resize() override {
        ++resizes;
        TCustomControl::Resize();
    }
};

TPanelish* AddPanel(TWinControl* parent, TAlign align, TRect bounds) {
    auto* p = new TPanelish(parent);
    p->SetBoundsRect(bounds);
    p->SetAlign(align);
    p->SetParent(parent);
    return p;
}

}  // namespace

TEST_F(WindowTest, AlignedAndAnchoredChildrenFollowTheFormsClientSize) {
    TForm* form = NewShownForm(400, 300);
    TPanelish* top = AddPanel(form, alTop, Bounds(0, 0, 10, 30));
    TPanelish* bottom = AddPanel(form, alBottom, Bounds(0, 0, 10, 20));
    TPanelish* left = AddPanel(form, alLeft, Bounds(0, 0, 50, 10));
    TPanelish* right = AddPanel(form, alRight, Bounds(0, 0, 40, 10));
    TPanelish* client = AddPanel(form, alClient, Bounds(0, 0, 10, 10));
    TPanelish* second = AddPanel(form, alTop, Bounds(0, 100, 10, 15));  // below the first strip
    TPanelish* corner = AddPanel(form, alNone, Bounds(350, 260, 30, 20));
    corner->SetAnchors(TAnchors{akRight, akBottom});
    TPanelish* stretched = AddPanel(form, alNone, Bounds(10, 100, 100, 20));
    stretched->SetAnchors(TAnchors{akLeft, akTop, akRight});

    auto check = [&](int w, int h) {
        SCOPED_TRACE(testing::Message() << "client " << w << "x" << h);
        EXPECT_EQ(form->ClientWidth(), w);
        EXPECT_EQ(form->ClientHeight(), h);
        auto rect = [](TControl* c) { return std::vector<int>{c->Left(), c->Top(), c->Width(), c->Height()}; };
        EXPECT_EQ(rect(top), (std::vector<int>{0, 0, w, 30}));
        EXPECT_EQ(rect(second), (std::vector<int>{0, 30, w, 15}));
        EXPECT_EQ(rect(bottom), (std::vector<int>{0, h - 20, w, 20}));
        EXPECT_EQ(rect(left), (std::vector<int>{0, 45, 50, h - 65}));
        EXPECT_EQ(rect(right), (std::vector<int>{w - 40, 45, 40, h - 65}));
        EXPECT_EQ(rect(client), (std::vector<int>{50, 45, w - 90, h - 65}));
        EXPECT_EQ(rect(corner), (std::vector<int>{w - 50, h - 40, 30, 20}));
        EXPECT_EQ(rect(stretched), (std::vector<int>{10, 100, w - 300, 20}));
        // The windows agree with the objects.
        RECT r;
        GetWindowRect(client->Handle(), &r);
        MapWindowPoints(HWND_DESKTOP, form->Handle(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ(rect(client), (std::vector<int>{r.left, r.top, r.right - r.left, r.bottom - r.top}));
    };
    check(400, 300);
    int resizesBefore = client->resizes;
    form->SetClientWidth(600);
    form->SetClientHeight(500);
    PumpUntilIdle();
    check(600, 500);
    EXPECT_GT(client->resizes, resizesBefore);

    // A hidden strip gives its room to the others.
    top->SetVisible(false);
    EXPECT_EQ(second->Top(), 0);
    EXPECT_EQ(client->Top(), 15);

    // Constraints hold against alignment.
    client->Constraints()->SetMaxWidth(100);
    EXPECT_EQ(client->Width(), 100);
    FreeObject(form);
}

namespace {

// A custom control that logs what reaches it.
class TProbeControl : public TCustomControl {
    Z_CLASS(TProbeControl, TCustomControl)
public:
    explicit TProbeControl(TComponent* o) : TCustomControl(o) {
        SetTabStop(true);
        OnMouseDown = MakeEvent(this, &TProbeControl::LogDown);
        OnMouseMove = MakeEvent(this, &TProbeControl::LogMove);
        OnMouseUp = MakeEvent(this, &TProbeControl::LogUp);
        OnClick = MakeEvent(this, &TProbeControl::LogClick);
        OnMouseEnter = MakeEvent(this, &TProbeControl::LogEnter);
        OnMouseLeave = MakeEvent(this, &TProbeControl::LogLeave);
        OnKeyDown = MakeEvent(this, &TProbeControl::LogKeyDown);
        OnKeyUp = MakeEvent(this, &TProbeControl::LogKeyUp);
        OnKeyPress = MakeEvent(this, &TProbeControl::LogKeyPress);
    }
    std::vector<std::string> log;
    int paints = 0;
    bool takeWheel = true;
    int wheelDelta = 0;
    TPoint wheelPos{};
    int moves = 0;
    TPoint lastMove{};

    void Clear() {
        log.clear();
        moves = 0;
    }
    int Count(const std::string& what) const { return int(std::count(log.begin(), log.end(), what)); }

protected:
    void Paint() override {
        ++paints;
        Canvas()->Brush()->SetColor(clRed);
        Canvas()->FillRect(ClientRect());
    }
    bool DoMouseWheel(TShiftState shift, int delta, TPoint pos) override {
        log.push_back("wheel");
        wheelDelta = delta;
        wheelPos = pos;
        return takeWheel || TCustomControl::DoMouseWheel(shift, delta, pos);
    }

private:
    void LogDown(TObject*, TMouseButton b, TShiftState s, int x, int y) {
        log.push_back("down " + std::to_string(int(b)) + (s.Contains(ssLeft) ? " left" : "") + " " + std::to_string(x) +
                      "," + std::to_string(y));
    }
    void LogMove(TObject*, TShiftState, int x, int y) {
        ++moves;
        lastMove = TPoint{x, y};
    }
    void LogUp(TObject*, TMouseButton b, TShiftState, int x, int y) {
        log.push_back("up " + std::to_string(int(b)) + " " + std::to_string(x) + "," + std::to_string(y));
    }
    void LogClick(TObject*) { log.push_back("click"); }
    void LogEnter(TObject*) { log.push_back("enter"); }
    void LogLeave(TObject*) { log.push_back("leave"); }
    void LogKeyDown(TObject*, Word& key, TShiftState) { log.push_back("keydown " + std::to_string(key)); }
    void LogKeyUp(TObject*, Word& key, TShiftState) { log.push_back("keyup " + std::to_string(key)); }
    void LogKeyPress(TObject*, wchar_t& key) { log.push_back(std::string("press ") + char(key)); }
};

// A windowless control, painted by its parent.
class TProbeGraphic : public TGraphicControl {
    Z_CLASS(TProbeGraphic, TGraphicControl)
public:
    explicit TProbeGraphic(TComponent* o) : TGraphicControl(o) {
        OnMouseEnter = MakeEvent(this, &TProbeGraphic::LogEnter);
        OnMouseLeave = MakeEvent(this, &TProbeGraphic::LogLeave);
        OnClick = MakeEvent(this, &TProbeGraphic::LogClick);
    }
    std::vector<std::string> log;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas()->Brush()->SetColor(clBlue);
        Canvas()->FillRect(ClientRect());
    }

private:
    void LogEnter(TObject*) { log.push_back("enter"); }
    void LogLeave(TObject*) { log.push_back("leave"); }
    void LogClick(TObject*) { log.push_back("click"); }
};

struct TFormWheel : public TObject {
    std::vector<int> deltas;
    TPoint pos{};
    void Wheel(TObject*, TShiftState, int delta, TPoint p, bool& handled) {
        deltas.push_back(delta);
        pos = p;
        handled = true;
    }
    std::vector<Word> keys;
    bool eat = false;
    void KeyDown(TObject*, Word& key, TShiftState) {
        keys.push_back(key);
        if (eat) key = 0;
    }
};

COLORREF PixelOf(TWinControl* control, int x, int y) {
    HDC dc = GetDC(control->Handle());
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(control->Handle(), dc);
    return c;
}

class ControlInputTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        form = NewShownForm(300, 200);
        probe = new TProbeControl(form);
        probe->SetBounds(20, 20, 100, 60);
        probe->SetParent(form);
        graphic = new TProbeGraphic(form);
        graphic->SetBounds(150, 20, 80, 40);
        graphic->SetParent(form);
        form->Repaint();
        probe->SetFocus();
        PumpUntilIdle();
    }
    void TearDown() override {
        FreeObject(form);
        WindowTest::TearDown();
    }
    TPoint ProbePoint(int x, int y) { return probe->ClientToScreen(TPoint{x, y}); }

    TForm* form = nullptr;
    TProbeControl* probe = nullptr;
    TProbeGraphic* graphic = nullptr;
};

}  // namespace

TEST_F(ControlInputTest, PaintsItselfAndItsParentPaintsTheWindowlessChild) {
    EXPECT_TRUE(PumpUntil([&] { return probe->paints > 0 && graphic->paints > 0; }));
    EXPECT_EQ(PixelOf(probe, 50, 30), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(form, 190, 40), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(form, 5, 5), COLORREF(ColorToRGB(clBtnFace)));
    // A paint message with a device context in wParam paints into that context.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 100, 60);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    int before = probe->paints;
    probe->Perform(WM_PAINT, WPARAM(memory), 0);
    EXPECT_EQ(probe->paints, before + 1);
    EXPECT_EQ(GetPixel(memory, 10, 10), RGB(255, 0, 0));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    // Double buffered, the picture reaches the window all the same.
    probe->SetDoubleBuffered(true);
    before = probe->paints;
    probe->Repaint();
    EXPECT_EQ(probe->paints, before + 1);
    EXPECT_EQ(PixelOf(probe, 90, 50), RGB(255, 0, 0));
}

TEST_F(ControlInputTest, ReceivesMouseDownMoveUpAndClick) {
    MoveMouseTo(ProbePoint(10, 10));
    PumpUntilIdle();
    probe->Clear();
    MouseButton(true);
    MoveMouseTo(ProbePoint(30, 25));
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count("click") == 1; }));
    ASSERT_GE(probe->log.size(), 3u);
    EXPECT_EQ(probe->log[0], "down 0 left 10,10");
    EXPECT_EQ(probe->log[1], "click");
    EXPECT_EQ(probe->log[2], "up 0 30,25");
    EXPECT_GE(probe->moves, 1);
    EXPECT_EQ(probe->lastMove.x, 30);
    EXPECT_EQ(probe->lastMove.y, 25);
    // Released outside the control: no click, but the captured control still hears the release.
    probe->Clear();
    MoveMouseTo(ProbePoint(10, 10));
    MouseButton(true);
    MoveMouseTo(ProbePoint(200, 10));
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count("up 0 200,10") == 1; }));
    EXPECT_EQ(probe->Count("click"), 0);
}

TEST_F(ControlInputTest, MouseEnterAndLeaveForWindowedAndWindowlessControls) {
    MoveMouseTo(form->ClientToScreen(TPoint{5, 150}));
    PumpUntilIdle();
    probe->Clear();
    graphic->log.clear();
    MoveMouseTo(ProbePoint(50, 30));
    ASSERT_TRUE(PumpUntil([&] { return probe->Count("enter") == 1; }));
    MoveMouseTo(form->ClientToScreen(TPoint{190, 40}));
    ASSERT_TRUE(PumpUntil([&] { return probe->Count("leave") == 1 && graphic->log.size() == 1; }));
    EXPECT_EQ(graphic->log, (std::vector<std::string>{"enter"}));
    MoveMouseTo(form->ClientToScreen(TPoint{5, 150}));
    ASSERT_TRUE(PumpUntil([&] { return graphic->log.size() == 2; }));
    EXPECT_EQ(graphic->log[1], "leave");
    EXPECT_EQ(probe->Count("enter"), 1);
    // The windowless control gets its clicks through its parent.
    ClickAt(form->ClientToScreen(TPoint{160, 30}));
    EXPECT_TRUE(PumpUntil([&] { return graphic->log.back() == "click"; }));
}

TEST_F(ControlInputTest, ReceivesKeysWhenFocusedAndTheFormMayPreviewThem) {
    ASSERT_TRUE(PumpUntil([&] { return probe->Focused(); }));
    EXPECT_EQ(form->ActiveControl(), probe);
    probe->Clear();
    TypeKey('A');
    ASSERT_TRUE(PumpUntil([&] { return probe->Count("keyup 65") == 1; }));
    EXPECT_EQ(probe->log, (std::vector<std::string>{"keydown 65", "press a", "keyup 65"}));

    TFormWheel preview;
    form->SetKeyPreview(true);
    form->OnKeyDown = MakeEvent(&preview, &TFormWheel::KeyDown);
    preview.eat = true;
    probe->Clear();
    TypeKey('B');
    ASSERT_TRUE(PumpUntil([&] { return probe->Count("keyup 66") == 1; }));
    EXPECT_EQ(preview.keys, (std::vector<Word>{66}));
    EXPECT_EQ(probe->Count("keydown 66"), 0);  // eaten by the form
}

TEST_F(ControlInputTest, TheWheelGoesToTheFocusedControlThenUpToTheForm) {
    ASSERT_TRUE(PumpUntil([&] { return probe->Focused(); }));
    TFormWheel formWheel;
    form->OnMouseWheel = MakeEvent(&formWheel, &TFormWheel::Wheel);
    MoveMouseTo(ProbePoint(50, 30));
    PumpUntilIdle();
    probe->Clear();
    WheelBy(120);
    ASSERT_TRUE(PumpUntil([&] { return probe->Count("wheel") == 1; }));
    EXPECT_EQ(probe->wheelDelta, 120);
    EXPECT_EQ(probe->wheelPos.x, ProbePoint(50, 30).x);
    EXPECT_TRUE(formWheel.deltas.empty());  // the control took it

    probe->takeWheel = false;
    WheelBy(-240);
    ASSERT_TRUE(PumpUntil([&] { return formWheel.deltas.size() == 1; }));
    EXPECT_EQ(formWheel.deltas[0], -240);
    EXPECT_EQ(formWheel.pos.y, ProbePoint(50, 30).y);
    EXPECT_EQ(probe->Count("wheel"), 2);
}

TEST_F(ControlInputTest, AFormLevelWheelHandlerSeesTheWheelOverAChildWhenTheFormHasTheFocus) {
    TFormWheel formWheel;
    form->OnMouseWheel = MakeEvent(&formWheel, &TFormWheel::Wheel);
    SetFocus(form->Handle());
    PumpUntilIdle();
    MoveMouseTo(ProbePoint(50, 30));
    PumpUntilIdle();
    WheelBy(120);
    ASSERT_TRUE(PumpUntil([&] { return formWheel.deltas.size() == 1; }));
    EXPECT_EQ(formWheel.deltas[0], 120);
}

TEST_F(ControlInputTest, TabMovesTheFocusAlongTheTabOrder) {
    auto* second = new TProbeControl(form);
    second->SetBounds(20, 100, 100, 40);
    second->SetParent(form);
    auto* skipped = new TProbeControl(form);
    skipped->SetBounds(150, 100, 50, 40);
    skipped->SetParent(form);
    skipped->SetTabStop(false);
    second->SetTabOrder(0);  // before the probe now
    EXPECT_EQ(probe->TabOrder(), 1);
    ASSERT_TRUE(PumpUntil([&] { return probe->Focused(); }));
    TypeKey(VK_TAB);
    ASSERT_TRUE(PumpUntil([&] { return second->Focused(); }));
    EXPECT_EQ(form->ActiveControl(), second);
    EXPECT_EQ(second->Count("keydown 9"), 0);  // the form took the Tab
    TypeKey(VK_TAB);
    EXPECT_TRUE(PumpUntil([&] { return probe->Focused(); }));
}

TEST_F(ControlInputTest, TheCursorComesFromTheScreenTableByTheControlsCursorId) {
    HCURSOR cross = LoadCursorW(nullptr, IDC_CROSS);
    const TCursor custom = 7;
    Screen->SetCursors(custom, cross);
    EXPECT_EQ(Screen->Cursors(custom), cross);
    EXPECT_EQ(Screen->Cursors(12345), Screen->Cursors(crDefault));  // unknown: the arrow
    probe->SetCursor(custom);
    MoveMouseTo(ProbePoint(40, 30));
    MoveMouseTo(ProbePoint(41, 31));
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == cross; }));
    // The screen's cursor wins over every control's while it is set.
    Screen->SetCursor(crHourGlass);
    MoveMouseTo(ProbePoint(42, 30));
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == Screen->Cursors(crHourGlass); }));
    Screen->SetCursor(crDefault);
    EXPECT_TRUE(PumpUntil([&] { return GetCursor() == cross; }));
    EXPECT_EQ(Mouse->CursorPos().x, ProbePoint(42, 30).x);
}

TEST_F(ControlInputTest, AHintShowsAfterThePauseAndGoesWhenTheMouseLeaves) {
    probe->SetHint(L"Подсказка");
    probe->SetShowHint(true);
    Application->SetHintPause(50);
    MoveMouseTo(form->ClientToScreen(TPoint{5, 150}));
    PumpUntilIdle();
    MoveMouseTo(ProbePoint(30, 30));
    auto hintWindow = [] { return FindWindowW(L"THintWindow", nullptr); };
    ASSERT_TRUE(PumpUntil([&] { return hintWindow() && IsWindowVisible(hintWindow()); }));
    wchar_t text[64] = {};
    GetWindowTextW(hintWindow(), text, 64);
    EXPECT_EQ(Utf8(text), "Подсказка");
    EXPECT_EQ(Utf8(Application->Hint()), "Подсказка");
    MoveMouseTo(form->ClientToScreen(TPoint{5, 150}));
    EXPECT_TRUE(PumpUntil([&] { return !hintWindow() || !IsWindowVisible(hintWindow()); }));
    Application->SetHintPause(500);
}
