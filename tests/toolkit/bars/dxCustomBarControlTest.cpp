// The bar window base on the test bar window under Xvfb: item controls that live exactly while
// the window handle does, the vertical stacking with the partial-item rule, drawing order and
// clipping read from a window snapshot, a rebuild held back by the manager's lock, the menu
// chain's destruction order, the rotated font, the owner geometry of popups, and the mouse
// handed to the item controls.

#include "BarTestForm.h"
#include "BarTestSupport.h"
#include "TestBarWindow.h"

#include <cmath>

#include "ControlSnapshot.h"
#include "cxTextMeasuring.h"
#include "cxWindowHelpers.h"
#include "dxBarViewLevels.h"
#include "dxBarItemOptions.h"
#include "dxBarButton.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"
#include "dxBarSubItem.h"
#include "dxBarUnit.h"

namespace {

using BarWindow = BarWindowTest;

TEST_F(BarWindow, ItemControlsLiveExactlyWhileItsWindowHandleDoes) {
    TTestBarWindow* window = NewWindow();
    window->SetBounds(100, 100, 50, 120);  // the separator's heading fits too
    ASSERT_EQ(ButtonLinks().size(), 3u);
    EXPECT_EQ(links->BarControl(), window);
    for (TdxBarItemLink* link : ButtonLinks()) EXPECT_EQ(link->Control(), nullptr) << "no handle yet";

    window->HandleNeeded();
    for (TdxBarItemLink* link : ButtonLinks()) {
        ASSERT_NE(link->Control(), nullptr);
        EXPECT_TRUE(Is<TBarWindowTestControl>(link->Control()));
        EXPECT_EQ(link->Control()->BarControl(), window);
        EXPECT_TRUE(window->OwnsItemControl(link->Control()));
    }
    ASSERT_EQ(ControlledLinks().size(), 4u);
    for (TdxBarItemLink* link : ControlledLinks()) EXPECT_TRUE(window->OwnsItemControl(link->Control()));
    EXPECT_EQ(window->ViewInfo()->GetItemViewInfoCount(), 4);

    window->DestroyHandle();
    for (TdxBarItemLink* link : ControlledLinks()) EXPECT_EQ(link->Control(), nullptr) << "the handle went";
    for (TdxBarItemLink* link : ButtonLinks()) EXPECT_EQ(link->Control(), nullptr) << "the handle went";
    EXPECT_EQ(window->ViewInfo()->GetItemViewInfoCount(), 0) << "freed controls leave the view info";

    window->HandleNeeded();
    for (TdxBarItemLink* link : ButtonLinks()) EXPECT_NE(link->Control(), nullptr);
    // A control freed on its own (its link hidden) leaves the window's lists too.
    TdxBarItemLink* save = ButtonLinks()[1];
    save->FreeControl();
    EXPECT_EQ(window->ViewInfo()->GetItemViewInfoCount(), 3);

    FreeObject(window);
    EXPECT_EQ(links->BarControl(), nullptr);
    for (TdxBarItemLink* link : ButtonLinks()) EXPECT_EQ(link->Control(), nullptr);
    EXPECT_FALSE(IsBarControlAlive(window));
}

TEST_F(BarWindow, FreeingTheLinksFreesTheirWindowWithItsControls) {
    auto* owner = static_cast<TdxBarSubItem*>(manager->AddItem(TdxBarSubItem::StaticClass()));
    owner->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(L"btnOpen")));
    auto* window = new TTestBarWindow(manager);
    window->AssignItemLinks(owner->ItemLinks());
    window->HandleNeeded();
    ASSERT_NE(owner->ItemLinks()->GetLink(0)->Control(), nullptr);
    FreeObject(owner);
    EXPECT_FALSE(IsBarControlAlive(window));
}

// The form's end marks the manager and its windows as going before the items (and their links)
// are freed: a window must not keep the links that go before it.
TEST_F(BarWindow, AShownWindowOutlivingItsLinksAtTheFormsEndLetsGoOfThem) {
    TTestBarWindow* window = NewWindow();
    window->SetBounds(100, 100, 50, 80);
    ShowPopup(window);
    PumpUntilIdle();
    form.reset();
    EXPECT_FALSE(IsBarControlAlive(window));
    EXPECT_EQ(TTestBarWindow::DestroyLog(), std::vector<std::string>{"window"});
}

// Stacking from the top of a window 50 wide: Open 0-20, Save 20-40, Export after a 6-pixel gap,
// then the separator's 4-pixel line.
TEST_F(BarWindow, LinksStackDownwardsAndAPartialItemOnlyWhereAllowed) {
    struct TCase {
        const char* name;
        int clientHeight, first;
        bool partial;
        std::vector<TRect> rects;  // Open, Save, Export, the separator
        int bottom;
    };
    const TRect none{};
    TTestBarWindow* window = NewWindow();
    window->HandleNeeded();
    // The separator is a captioned heading: two separator lines and a menu item high.
    const int s = ControlledLinks()[3]->Control()->CalcLayoutHeight();
    ASSERT_GT(s, 4);
    const TCase cases[] = {
        {"all fit", 100, 0, false, {{0, 0, 50, 20}, {0, 20, 50, 40}, {0, 46, 50, 66}, {0, 66, 50, 66 + s}}, 66 + s},
        {"the last is refused", 66 + s - 1, 0, false, {{0, 0, 50, 20}, {0, 20, 50, 40}, {0, 46, 50, 66}, none}, 66},
        {"Export is refused", 50, 0, false, {{0, 0, 50, 20}, {0, 20, 50, 40}, none, none}, 40},
        {"the last is placed in part", 50, 0, true, {{0, 0, 50, 20}, {0, 20, 50, 40}, {0, 46, 50, 66}, none}, 50},
        {"the first is refused", 10, 0, false, {none, none, none, none}, 0},
        {"from the second link", 100, 1, false, {none, {0, 0, 50, 20}, {0, 26, 50, 46}, {0, 46, 50, 46 + s}}, 46 + s},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        window->SetBounds(100, 100, 50, c.clientHeight);
        window->partial = c.partial;
        window->CalcItemsRect();
        window->CalcVisibleItems(1, c.first);
        int bottom = -1;
        window->CalcVisibleItemsRange(c.first, bottom);
        EXPECT_EQ(bottom, c.bottom);
        std::vector<TdxBarItemLink*> placed = ControlledLinks();
        for (size_t i = 0; i < placed.size(); ++i) {
            const TRect r = placed[i]->ItemRect();
            EXPECT_TRUE(EqualRect(&r, &c.rects[i]))
                << i << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        }
    }
}

TEST_F(BarWindow, AWindowWithoutLinksPlacesAndDrawsNothing) {
    auto* owner = static_cast<TdxBarSubItem*>(manager->AddItem(TdxBarSubItem::StaticClass()));
    auto* window = new TTestBarWindow(manager);
    window->AssignItemLinks(owner->ItemLinks());
    window->SetBounds(0, 0, 40, 40);
    window->HandleNeeded();
    int bottom = -1;
    window->CalcVisibleItemsRange(0, bottom);
    EXPECT_EQ(bottom, 0);
    TControlSnapshot shot(window);
    EXPECT_EQ(shot.Pixel(20, 20), TTestBarWindow::BackgroundColor);
    FreeObject(window);
}

// Each control fills 4 pixels beyond its rectangle; the snapshot shows every control inside
// its own rectangle only, the group gap in the background colour, and the background painted
// after the items without covering them (the separator's line at 66-70 is the separator's).
TEST_F(BarWindow, ItemsDrawInOrderClippedToTheirBoundsBeforeTheBackground) {
    TTestBarWindow* window = NewWindow();
    window->SetBounds(100, 100, 50, 80);
    ShowPopup(window);
    PumpUntilIdle();
    TControlSnapshot shot(window);
    const TColor open = TBarTestForm::GlyphColor(0), save = TBarTestForm::GlyphColor(1),
                 exportColor = TBarTestForm::GlyphColor(2), bk = TTestBarWindow::BackgroundColor;
    struct TProbe {
        int y;
        TColor color;
    };
    for (TProbe probe : {TProbe{0, open}, TProbe{19, open}, TProbe{20, save}, TProbe{39, save}, TProbe{40, bk},
                         TProbe{45, bk}, TProbe{46, exportColor}, TProbe{65, exportColor}, TProbe{70, bk},
                         TProbe{79, bk}})
        for (int x : {0, 25, 49}) EXPECT_EQ(shot.Pixel(x, probe.y), probe.color) << x << "," << probe.y;

    // While the manager's updates are locked no item draws (their places stay out of the
    // background too).
    manager->LockUpdate();
    TControlSnapshot locked(window);
    EXPECT_FALSE(locked.Contains(open));
    EXPECT_EQ(locked.Pixel(25, 42), bk);
    manager->UnlockUpdate();

    // The screen shows the same.
    TControlSnapshot screen(window->Handle(), TControlSnapshot::kFromScreen);
    EXPECT_EQ(screen.Pixel(25, 10), open);
    EXPECT_EQ(screen.Pixel(25, 42), bk);
}

// A link the designer has selected together with another object gets a two-pixel dotted frame:
// every pixel whose x + y is even in the button text colour, over the control's own drawing. (A
// single selected object gets the window-text frame instead: dxBarDesignControllerTest.)
TEST_F(BarWindow, ADesignerSelectedLinkIsDrawnWithADottedFrame) {
    auto* designer = new TRecordingDesigner;
    manager->SetDesigner(designer);
    TTestBarWindow* window = NewWindow();
    window->SetBounds(100, 100, 50, 80);
    window->HandleNeeded();
    designer->selected = {ButtonLinks()[1], form->FindComponent(L"btnHidden")};
    TControlSnapshot shot(window);
    const TColor text = ColorToRGB(clBtnText), save = TBarTestForm::GlyphColor(1), open = TBarTestForm::GlyphColor(0);
    struct TProbe {
        int x, y;
        TColor color;
    };
    for (TProbe probe : {TProbe{0, 20, text}, TProbe{1, 20, save}, TProbe{1, 21, text}, TProbe{48, 38, text},
                         TProbe{49, 38, save}, TProbe{25, 30, save}, TProbe{2, 22, save}, TProbe{0, 18, open}})
        EXPECT_EQ(shot.Pixel(probe.x, probe.y), probe.color) << probe.x << "," << probe.y;
}

// The metrics the layout uses, from the window font, the edit font and the manager's painter.
TEST_F(BarWindow, TextMetricsComeFromTheFontsAndThePainter) {
    TTestBarWindow* window = NewWindow();
    window->HandleNeeded();
    const int wg = window->GetDrawCanvas()->MeasureText(L"Wg").cy;
    const TSize zero = FontTextExtent(manager->EditFont(), L"0");
    EXPECT_EQ(window->TextSize(), wg + 6);
    EXPECT_EQ(window->MenuArrowHeight(), std::max(4, (wg + 6) / 5));
    EXPECT_DOUBLE_EQ(window->SizeRatio(), std::max(1.0, double(wg + 6) / 19));
    EXPECT_EQ(window->IconAreaSize(), wg + 6) << "normal-size items: the text size";
    // The manager's style paints the raised look: part margins 2 + 2, caption margins 1 + 1.
    ASSERT_TRUE(manager->Painter()->IsStandardStyle());
    EXPECT_EQ(window->EditTextSize(), int(zero.cy) + 6);
    EXPECT_EQ(window->ComboArrowWidth(), 2 * int(zero.cx) - 1);
    // Large menu items take the size ratio x 40.
    links->ItemOptions()->SetSize(misLarge);
    window->CalcTextMetrics();
    EXPECT_EQ(window->IconAreaSize(), int(std::nearbyint(window->SizeRatio() * 40)));
}

TEST_F(BarWindow, ARebuildUnderTheManagersLockWaitsForTheUnlock) {
    TTestBarWindow* window = NewWindow();
    window->HandleNeeded();
    auto serialOfOpen = [&] { return static_cast<TBarWindowTestControl*>(ButtonLinks()[0]->Control())->serial; };
    int before = serialOfOpen();

    manager->LockUpdate();
    manager->LockUpdate();
    window->RebuildLocked(true);
    EXPECT_EQ(window->rebuilds, 0);
    EXPECT_EQ(serialOfOpen(), before);
    manager->UnlockUpdate();
    EXPECT_EQ(window->rebuilds, 0) << "only the outermost unlock rebuilds";
    manager->UnlockUpdate();
    EXPECT_EQ(window->rebuilds, 1);
    EXPECT_NE(serialOfOpen(), before) << "the controls were made again";
    EXPECT_FALSE(window->RebuildPending());

    // Unlocked, the rebuild runs at once; a later unlock does not repeat it.
    window->RebuildLocked(false);
    EXPECT_EQ(window->rebuilds, 2);
    manager->LockUpdate();
    manager->UnlockUpdate();
    EXPECT_EQ(window->rebuilds, 2);

    // Without a handle there is nothing to rebuild.
    window->DestroyHandle();
    window->RebuildLocked(true);
    EXPECT_EQ(window->rebuilds, 2);
}

TEST_F(BarWindow, AWindowInTheMiddleOfAChainFreesItsChildFirst) {
    TTestBarWindow* top = NewWindow("top");
    auto* middle = new TTestBarWindow(manager, "middle");
    auto* bottom = new TTestBarWindow(manager, "bottom");
    top->SetChildBar(middle);
    bottom->SetParentBar(middle);
    EXPECT_EQ(middle->ParentBar(), top);
    EXPECT_EQ(middle->ChildBar(), bottom);

    FreeObject(middle);
    EXPECT_EQ(TTestBarWindow::DestroyLog(), (std::vector<std::string>{"bottom", "middle"}));
    EXPECT_EQ(top->ChildBar(), nullptr);
    EXPECT_FALSE(IsBarControlAlive(bottom));
    EXPECT_TRUE(IsBarControlAlive(top));
}

TEST_F(BarWindow, ARotatedWindowsTextRunsTopToBottom) {
    for (bool rotated : {false, true}) {
        SCOPED_TRACE(rotated ? "rotated" : "level");
        TTestBarWindow* window = NewWindow();
        window->rotated = rotated;
        for (bool withHandle : {false, true}) {
            if (withHandle) window->HandleNeeded();
            TcxCanvas* canvas = window->GetDrawCanvas();
            LOGFONTW log{};
            ASSERT_NE(GetObjectW(canvas->GetCanvasFont()->Handle(), sizeof(log), &log), 0);
            EXPECT_EQ(log.lfEscapement, rotated ? -900 : 0) << withHandle;
            EXPECT_EQ(log.lfOrientation, rotated ? -900 : 0) << withHandle;
            EXPECT_EQ(String(log.lfFaceName), window->Font()->Name()) << withHandle;
        }
        FreeObject(window);
    }
}

// The window is at (100, 100) and 50 x 30.
TEST_F(BarWindow, AnOwnerThatSharesAnEdgeGivesTheGapRow) {
    struct TCase {
        const char* name;
        TRect owner;
        bool touches;
        TRect inside, outside;
    };
    const TCase cases[] = {
        {"below a button", {90, 60, 130, 100}, true, {1, 0, 29, 1}, {101, 99, 129, 100}},
        {"above a button", {120, 130, 200, 150}, true, {21, 29, 49, 30}, {121, 130, 149, 131}},
        {"right of a button", {60, 110, 100, 120}, true, {0, 11, 1, 19}, {99, 111, 100, 119}},
        {"left of a button", {150, 90, 170, 140}, true, {49, 1, 50, 29}, {150, 101, 151, 129}},
        {"corners only", {60, 60, 100, 100}, false, {}, {}},
        {"apart", {0, 0, 10, 10}, false, {}, {}},
        {"no owner", {}, false, {}, {}},
    };
    TTestBarWindow* window = NewWindow();
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        window->SetOwnerBounds(c.owner);
        EXPECT_EQ(window->TouchesOwner(), c.touches);
        TRect inside, outside;
        EXPECT_EQ(window->CalcOwnerGapRect(false, inside), c.touches);
        window->CalcOwnerGapRect(true, outside);
        EXPECT_TRUE(EqualRect(&inside, &c.inside))
            << inside.left << "," << inside.top << "," << inside.right << "," << inside.bottom;
        EXPECT_TRUE(EqualRect(&outside, &c.outside))
            << outside.left << "," << outside.top << "," << outside.right << "," << outside.bottom;
    }
}

TEST_F(BarWindow, AScreenTipGoesBelowThePointOrAboveTheWindowAtTheWorkAreasBottom) {
    TTestBarWindow* window = NewWindow();
    window->SetBounds(100, 100, 50, 80);
    window->HandleNeeded();
    const TRect work = WorkAreaAtPoint(TPoint{120, 120});
    const int below = ScaleToScreenDPI(20);
    TPoint p = window->CalcScreenTipPos(TPoint{120, 120}, 30);
    EXPECT_EQ(p.x, 120);
    EXPECT_EQ(p.y, 120 + below);
    // A tip that would pass the bottom goes above the window's client area.
    const int tall = work.bottom - (120 + below) + 1;
    p = window->CalcScreenTipPos(TPoint{120, 120}, tall);
    EXPECT_EQ(p.x, 120);
    EXPECT_EQ(p.y, 100 - tall);
    p = window->CalcScreenTipPos(TPoint{120, 120}, tall - 1);
    EXPECT_EQ(p.y, 120 + below) << "exactly to the bottom still fits";
}

TEST_F(BarWindow, TheMouseGivesTheControlUnderItItsHotPart) {
    TTestBarWindow* window = NewWindow();
    window->SetBounds(100, 100, 50, 80);
    ShowPopup(window);
    PumpUntilIdle();
    std::vector<TdxBarItemLink*> buttons = ButtonLinks();
    auto hot = [&](int i) { return buttons[size_t(i)]->Control()->HotPart(); };

    MoveMouseTo(TPoint{120, 110});
    ASSERT_TRUE(PumpUntil([&] { return hot(0) == 0; }));
    EXPECT_EQ(hot(1), -1);
    MoveMouseTo(TPoint{120, 130});
    ASSERT_TRUE(PumpUntil([&] { return hot(1) == 0; }));
    EXPECT_EQ(hot(0), -1) << "the control left hears it";
    MoveMouseTo(TPoint{300, 300});
    ASSERT_TRUE(PumpUntil([&] { return hot(1) == -1; })) << "leaving the window";
    EXPECT_EQ(window->GetControlAtCursor(), nullptr);
}

}  // namespace
