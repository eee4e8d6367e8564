// Drag and drop between controls with real mouse input, and docking clients into a dock site.

#include "Controls.h"
#include "Docking.h"
#include "DragDrop.h"
#include "WindowTesting.h"

namespace {

std::vector<std::string>* dragLog = nullptr;

std::string NameOf(TObject* object) {
    auto* c = As<TComponent>(object);
    return c ? Utf8(c->Name()) : object ? "object" : "none";
}

class TDragTestBox : public TCustomControl {
    Z_CLASS(TDragTestBox, TCustomControl)
public:
    explicit TDragTestBox(TComponent* o) : TCustomControl(o) {}
    bool accept = true;
    TDragImageList* images = nullptr;
    TPoint lastDrop{};
    TDragImageList* GetDragImages() override { return images; }

    void Log(const std::string& s) { dragLog->push_back(Utf8(Name()) + " " + s); }
    void StartDrag(TObject*, TDragObject*&) { Log("start"); }
    void Over(TObject*, TObject* source, int, int, TDragState state, bool& acc) {
        static const char* names[] = {"enter", "leave", "move"};
        // Moves repeat: log each kind once in a row.
        std::string entry = Utf8(Name()) + " over " + names[state] + " from " + NameOf(source);
        if (dragLog->empty() || dragLog->back() != entry) dragLog->push_back(entry);
        acc = accept;
    }
    void Drop(TObject*, TObject* source, int x, int y) {
        Log("drop from " + NameOf(source));
        lastDrop = TPoint{x, y};
    }
    void End(TObject*, TObject* target, int, int) { Log("end on " + NameOf(target)); }
    void Down(TObject*, TMouseButton, TShiftState, int, int) { Log("mouse down"); }
};

class DragDropTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        dragLog = &log;
        form = NewShownForm(500, 200);
        source = NewBox(L"Source", 20);
        target = NewBox(L"Target", 250);
        source->SetDragMode(dmAutomatic);
        source->OnStartDrag = MakeEvent(source, &TDragTestBox::StartDrag);
        source->OnEndDrag = MakeEvent(source, &TDragTestBox::End);
        source->OnMouseDown = MakeEvent(source, &TDragTestBox::Down);
        target->OnDragOver = MakeEvent(target, &TDragTestBox::Over);
        target->OnDragDrop = MakeEvent(target, &TDragTestBox::Drop);
        PumpUntilIdle();
    }
    void TearDown() override {
        FinishDrag(false);
        MouseButton(false);
        FreeObject(form);
        dragLog = nullptr;
        WindowTest::TearDown();
    }
    TDragTestBox* NewBox(const wchar_t* name, int left) {
        auto* box = new TDragTestBox(form);
        box->SetName(name);
        box->SetBounds(left, 20, 100, 100);
        box->SetParent(form);
        return box;
    }
    // Moves in steps, letting the loop see each move.
    void Glide(TPoint from, TPoint to, int steps = 6) {
        for (int i = 1; i <= steps; ++i) {
            MoveMouseTo(TPoint{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps});
            PumpUntilIdle();
        }
    }
    TPoint Center(TControl* c) { return c->ClientToScreen(TPoint{50, 50}); }
    HCURSOR CursorNow() {
        CURSORINFO info{};
        info.cbSize = sizeof(info);
        GetCursorInfo(&info);
        return info.hCursor;
    }

    std::vector<std::string> log;
    TForm* form = nullptr;
    TDragTestBox* source = nullptr;
    TDragTestBox* target = nullptr;
};

}  // namespace

TEST_F(DragDropTest, ADragFromOneControlDropsOnAnotherWithTheEventsInOrder) {
    MoveMouseTo(Center(source));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return source->Dragging(); }));
    Glide(Center(source), Center(target));
    EXPECT_EQ(CursorNow(), Screen->Cursors(crDrag));
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !log.empty() && log.back().find("end") != std::string::npos; }));
    EXPECT_EQ(log,
              (std::vector<std::string>{"Source start", "Target over enter from Source", "Target over move from Source",
                                        "Target drop from Source", "Source end on Target"}));
    // The drop point is in the target's own coordinates; the press never reached the mouse
    // handlers (it started the drag).
    EXPECT_EQ(target->lastDrop.x, 50);
    EXPECT_EQ(target->lastDrop.y, 50);
    EXPECT_EQ(DragObject(), nullptr);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(DragDropTest, ARefusingTargetShowsNoDropAndEscapeCancels) {
    target->accept = false;
    MoveMouseTo(Center(source));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return source->Dragging(); }));
    Glide(Center(source), Center(target));
    EXPECT_EQ(CursorNow(), Screen->Cursors(crNoDrop));
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !source->Dragging(); }));
    EXPECT_EQ(log,
              (std::vector<std::string>{"Source start", "Target over enter from Source", "Target over move from Source",
                                        "Target over leave from Source", "Source end on none"}));

    // Escape over an accepting target: the target hears the drag leave, nothing is dropped.
    log.clear();
    target->accept = true;
    MoveMouseTo(Center(source));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return source->Dragging(); }));
    Glide(Center(source), Center(target));
    TypeKey(VK_ESCAPE);
    ASSERT_TRUE(PumpUntil([&] { return !source->Dragging(); }));
    MouseButton(false);
    PumpUntilIdle();
    EXPECT_EQ(log.back(), "Source end on none");
    EXPECT_EQ(log[log.size() - 2], "Target over leave from Source");
    EXPECT_EQ(std::count(log.begin(), log.end(), "Target drop from Source"), 0);
}

TEST_F(DragDropTest, ADragStartedByCodeWaitsForTheThreshold) {
    source->SetDragMode(dmManual);
    struct TStarter : TObject {
        TDragTestBox* box;
        void Down(TObject*, TMouseButton, TShiftState, int, int) { box->BeginDrag(false, 5); }
    } starter;
    starter.box = source;
    source->OnMouseDown = MakeEvent(&starter, &TStarter::Down);
    // Over the target from the start, so the first real drag step is seen there.
    target->SetBounds(20, 130, 100, 60);
    TPoint start = source->ClientToScreen(TPoint{50, 99});
    MoveMouseTo(start);
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return source->Dragging(); }));
    MoveMouseTo(TPoint{start.x, start.y + 4});
    PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"Source start"}));
    MoveMouseTo(TPoint{start.x, start.y + 40});
    ASSERT_TRUE(PumpUntil([&] { return log.size() >= 2; }));
    EXPECT_EQ(log[1], "Target over enter from Source");
    source->EndDrag(false);
    EXPECT_FALSE(source->Dragging());
    EXPECT_EQ(log.back(), "Source end on none");
}

namespace {
// A drag object whose cursor shows a copy while Ctrl is held over an accepting target.
class TCopyDragObject : public TDragControlObject {
    Z_CLASS(TCopyDragObject, TDragControlObject)
public:
    using TDragControlObject::TDragControlObject;
    int finished = 0;
    TCursor GetDragCursor(bool accepted, int x, int y) override {
        if (accepted && GetKeyState(VK_CONTROL) < 0) return crHandPoint;
        return TDragControlObject::GetDragCursor(accepted, x, y);
    }
    void Finished(TObject* t, int x, int y, bool a) override {
        ++finished;
        TDragControlObject::Finished(t, x, y, a);
    }
};
}  // namespace

TEST_F(DragDropTest, TheDragObjectOfOnStartDragChoosesTheCursorAndTheModifiersAreFollowed) {
    TCopyDragObject object(source);
    struct TSupplier : TObject {
        TDragObject* object;
        void Start(TObject*, TDragObject*& d) { d = object; }
    } supplier;
    supplier.object = &object;
    source->OnStartDrag = MakeEvent(&supplier, &TSupplier::Start);
    MoveMouseTo(Center(source));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return DragObject() == &object; }));
    Glide(Center(source), Center(target));
    EXPECT_EQ(CursorNow(), Screen->Cursors(crDrag));
    INPUT ctrl{};
    ctrl.type = INPUT_KEYBOARD;
    ctrl.ki.wVk = VK_CONTROL;
    SendInput(1, &ctrl, sizeof(ctrl));
    EXPECT_TRUE(PumpUntil([&] { return CursorNow() == Screen->Cursors(crHandPoint); }));
    ctrl.ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(1, &ctrl, sizeof(ctrl));
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return object.finished == 1; }));
    EXPECT_TRUE(object.Dropped());
    EXPECT_EQ(object.DragTarget(), target);
}

TEST_F(DragDropTest, TheDragImageShowsOverTargetsThatDisplayIt) {
    TDragImageList images(nullptr, 24, 24);
    TBitmap red;
    red.SetSize(24, 24);
    red.Canvas()->Brush()->SetColor(clRed);
    red.Canvas()->FillRect(TRect{0, 0, 24, 24});
    images.Add(&red, nullptr);
    images.SetDragImage(0, 0, 0);
    source->images = &images;
    target->SetControlStyle(target->ControlStyle() + csDisplayDragImage);
    auto redUnderCursor = [] {
        POINT p;
        GetCursorPos(&p);
        HDC screen = GetDC(nullptr);
        int red = 0;
        for (int dx = 4; dx < 20; dx += 3)
            for (int dy = 4; dy < 20; dy += 3) {
                // The system draws the image a little blended with what lies under it.
                COLORREF c = GetPixel(screen, p.x + dx, p.y + dy);
                if (GetRValue(c) > 200 && GetGValue(c) < 100 && GetBValue(c) < 100) ++red;
            }
        ReleaseDC(nullptr, screen);
        return red;
    };
    MoveMouseTo(Center(source));
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return source->Dragging(); }));
    Glide(Center(source), Center(target));
    EXPECT_TRUE(images.Dragging());
    EXPECT_GE(redUnderCursor(), 20);
    MouseButton(false);
    ASSERT_TRUE(PumpUntil([&] { return !source->Dragging(); }));
    EXPECT_FALSE(images.Dragging());
    target->Repaint();
    PumpUntilIdle();
    EXPECT_EQ(redUnderCursor(), 0);
}

TEST_F(DragDropTest, FreeingTheSourceDuringItsDragEndsTheDrag) {
    struct TKiller : TObject {
        TDragTestBox* victim;
        void Over(TObject*, TObject*, int, int, TDragState, bool& accept) {
            FreeAndNil(victim);
            accept = true;
        }
    } killer;
    killer.victim = source;
    target->OnDragOver = MakeEvent(&killer, &TKiller::Over);
    TPoint from = Center(source);
    MoveMouseTo(from);
    MouseButton(true);
    ASSERT_TRUE(PumpUntil([&] { return DragObject() != nullptr; }));
    Glide(from, Center(target));
    EXPECT_EQ(killer.victim, nullptr);
    EXPECT_EQ(DragObject(), nullptr);
    MouseButton(false);
    PumpUntilIdle();
    EXPECT_EQ(log, (std::vector<std::string>{"Source start"}));
}

// ---- docking ----

namespace {

class TDockTestSite : public TCustomControl {
    Z_CLASS(TDockTestSite, TCustomControl)
public:
    explicit TDockTestSite(TComponent* o) : TCustomControl(o) {
        SetControlStyle(ControlStyle() + csAcceptsControls);
        SetColor(clBtnFace);
    }
    bool captionAtLeft = false;

protected:
    // A manager of its own that keeps a caption strip at the left, as a site class may bring.
    class TLeftStripTree : public TDockTree {
    public:
        using TDockTree::TDockTree;
        void AdjustDockRect(TControl*, TRect& r) override { r.left += 14; }
    };
    TDockTree* CreateDockManager() override {
        return captionAtLeft ? new TLeftStripTree(this) : TCustomControl::CreateDockManager();
    }
};

struct TDockLog : TObject {
    std::vector<std::string> log;
    bool allowUndock = true;
    void Dropped(TObject*, TDragDockObject* source, int, int) { log.push_back("dock " + NameOf(source->Control())); }
    void Leaving(TObject*, TControl* client, TWinControl*, bool& allow) {
        log.push_back("undock " + NameOf(client));
        allow = allowUndock;
    }
};

}  // namespace

TEST_F(WindowTest, ManualDockPlacesClientsBelowTheirGrabbersAndPaintsThem) {
    TForm* form = NewShownForm(400, 300);
    auto* site = new TDockTestSite(form);
    site->SetBounds(10, 10, 200, 150);
    site->SetParent(form);
    site->SetDockSite(true);
    site->SetUseDockManager(true);
    TDockLog events;
    site->OnDockDrop = MakeEvent(&events, &TDockLog::Dropped);
    site->OnUnDock = MakeEvent(&events, &TDockLog::Leaving);
    auto* first = new TCustomControl(form);
    first->SetName(L"First");
    first->SetBounds(250, 10, 50, 50);
    first->SetParent(form);

    EXPECT_TRUE(first->ManualDock(site));
    EXPECT_EQ(first->Parent(), site);
    EXPECT_EQ(first->HostDockSite(), site);
    EXPECT_EQ(site->DockClientCount(), 1);
    EXPECT_EQ(first->BoundsRect().top, 12);
    EXPECT_EQ(first->Width(), 200);
    EXPECT_EQ(first->Height(), 150 - 12);
    EXPECT_EQ(events.log, (std::vector<std::string>{"dock First"}));

    // The grabber: raised lines in the strip above the client.
    site->Repaint();
    PumpUntilIdle();
    HDC screen = GetDC(nullptr);
    TPoint strip = site->ClientToScreen(TPoint{50, 3});
    EXPECT_EQ(GetPixel(screen, strip.x, strip.y), COLORREF(GetSysColor(COLOR_BTNHIGHLIGHT)));
    EXPECT_EQ(GetPixel(screen, strip.x, strip.y + 2), COLORREF(GetSysColor(COLOR_BTNSHADOW)));
    ReleaseDC(nullptr, screen);

    // A second client shares the site; one above the other here.
    auto* second = new TCustomControl(form);
    second->SetName(L"Second");
    second->SetParent(form);
    second->ManualDock(site);
    EXPECT_EQ(first->Height(), 75 - 12);
    EXPECT_EQ(second->Top(), 75 + 12);

    // OnUnDock may keep a client; a freed client leaves the site.
    events.allowUndock = false;
    EXPECT_FALSE(second->ManualDock(nullptr));
    EXPECT_EQ(second->HostDockSite(), site);
    FreeObject(second);
    EXPECT_EQ(site->DockClientCount(), 1);
    EXPECT_EQ(first->Height(), 150 - 12);

    // A site class with a manager of its own.
    auto* leftSite = new TDockTestSite(form);
    leftSite->captionAtLeft = true;
    leftSite->SetBounds(220, 10, 150, 100);
    leftSite->SetParent(form);
    leftSite->SetDockSite(true);
    leftSite->SetUseDockManager(true);
    events.allowUndock = true;
    EXPECT_TRUE(first->ManualDock(leftSite));
    EXPECT_EQ(first->Left(), 14);
    EXPECT_EQ(first->Top(), 0);
    EXPECT_EQ(site->DockClientCount(), 0);
    EXPECT_EQ(events.log.back(), "undock First");
    FreeObject(form);
}
