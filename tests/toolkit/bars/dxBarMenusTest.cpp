// Menus for real under Xvfb: the placement table on an injected work area, popup menus shown at
// a point (flipping at the screen's edge), their items drawn, a click running the command and
// closing the menu from the popup's own loop, Escape and an outside click ending that loop,
// sub menus opened from sub items and closed one level by Escape, scrolling, the animation's
// frames and its end, and the shadow's strips.

#include <gtest/gtest.h>

#include <functional>

#include "Bitmap.h"
#include "ControlSnapshot.h"
#include "TestBarWindow.h"
#include "dxBarMenuAnimation.h"
#include "dxBarPopupMenu.h"
#include "dxBarShadow.h"
#include "dxBarSubItemControl.h"
#include "dxBarSubMenuControl.h"
#include "dxBarUnit.h"

namespace {

// What a person would see: the screen saved as a bitmap under shots/.
void SaveScreenShot(const String& name) {
    CreateDirectoryW(L"shots", nullptr);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    TBitmap bitmap(w, h, pf24bit);
    HDC screen = GetDC(nullptr);
    BitBlt(bitmap.Canvas()->Handle(), 0, 0, w, h, screen, 0, 0, SRCCOPY);
    ReleaseDC(nullptr, screen);
    bitmap.SaveToFile(L"shots/" + name);
}

// ---- Placement on an injected work area --------------------------------------------------

struct TPlacementCase {
    const char* what;
    TPoint pos;
    TSize size;
    int ownerWidth, ownerHeight;
    Byte xDirection, yDirection;
    TRect expected;
    bool flippedH, flippedV;
};

TEST(BarMenuPlacement, FlipsCascadesByRoomDropsAboveOrScrollsAndClamps) {
    const TRect wa{0, 0, 800, 600};
    const TPlacementCase cases[] = {
        {"fits", {100, 100}, {150, 200}, 0, 0, 1, 1, {100, 100, 250, 300}, false, false},
        {"point at the right edge flips left of the point", {750, 100}, {150, 200}, 0, 0, 1, 1, {600, 100, 750, 300}, true, false},
        {"no room left of the point: clamped", {100, 100}, {750, 200}, 0, 0, 1, 1, {50, 100, 800, 300}, false, false},
        {"cascade flips to the left of its opener when more room is there", {700, 100}, {150, 200}, 120, 0, 1, 1,
         {430, 100, 580, 300}, true, false},
        {"cascade with more room right stays and is clamped", {300, 100}, {600, 200}, 120, 0, 1, 1, {200, 100, 800, 300}, false, false},
        {"leftward cascade past the left edge flips back right", {-50, 100}, {150, 200}, 120, 0, 0, 1, {220, 100, 370, 300}, true, false},
        {"drop-down near the bottom opens above its button", {100, 500}, {150, 300}, 0, 20, 1, 1, {100, 180, 250, 480}, false, true},
        {"drop-down with more room below is cut and scrolls", {100, 250}, {150, 500}, 0, 20, 1, 1, {100, 250, 250, 600}, false, false},
        {"point near the bottom flips above the point", {100, 500}, {150, 300}, 0, 0, 1, 1, {100, 200, 250, 500}, false, true},
        {"taller than the work area is clamped to it", {100, 100}, {150, 900}, 0, 0, 1, 1, {100, 0, 250, 600}, false, false},
    };
    for (const TPlacementCase& c : cases) {
        TdxBarMenuPlacementInput in;
        in.pos = c.pos;
        in.size = c.size;
        in.workArea = wa;
        in.ownerWidth = c.ownerWidth;
        in.ownerHeight = c.ownerHeight;
        in.xDirection = c.xDirection;
        in.yDirection = c.yDirection;
        const TdxBarMenuPlacement out = CalcMenuPlacement(in);
        EXPECT_EQ(out.bounds, c.expected) << c.what;
        EXPECT_EQ(out.flippedHorizontally, c.flippedH) << c.what;
        EXPECT_EQ(out.flippedVertically, c.flippedV) << c.what;
    }
}

// ---- Animation frames and shadow strips --------------------------------------------------

TEST(BarMenuAnimation, FramesFollowTheStepAndASmallMenuPlaysNone) {
    const TRect bounds{10, 20, 10 + 102, 20 + 172};  // one pixel of border on each side
    auto slide = CalcMenuAnimationParams(maSlide, bounds, 100, 170, false, false);
    EXPECT_EQ(MenuAnimationFrameCount(slide), 10);
    EXPECT_EQ(MenuAnimationFrameSize(slide, 1).cx, 100);
    EXPECT_EQ(MenuAnimationFrameSize(slide, 1).cy, 17);
    EXPECT_EQ(MenuAnimationFrameBounds(slide, 10), bounds);

    auto small = CalcMenuAnimationParams(maUnfold, TRect{0, 0, 102, 9}, 100, 7, false, false);
    EXPECT_EQ(MenuAnimationFrameCount(small), 0);

    // A square unfolds both sides by 8 a frame from nothing.
    auto square = CalcMenuAnimationParams(maUnfold, TRect{0, 0, 80, 80}, 80, 80, false, false);
    EXPECT_EQ(square.firstValue, 0);
    EXPECT_EQ(square.previousClientRect, (TRect{0, 0, 0, 0}));
    EXPECT_EQ(MenuAnimationFrameSize(square, 3).cx, 24);
    EXPECT_EQ(MenuAnimationFrameSize(square, 3).cy, 24);

    // Opening up and to the left keeps the bottom right corner still.
    auto upLeft = CalcMenuAnimationParams(maUnfold, TRect{200, 300, 300, 400}, 100, 100, true, true);
    const TRect first = MenuAnimationFrameBounds(upLeft, 1);
    EXPECT_EQ(first.right, 300);
    EXPECT_EQ(first.bottom, 400);
}

TEST(BarShadowGeometry, AMenuBelowAWiderOpenerCastsOneJoinedShadow) {
    const int s = 4;
    // Opener 0..200 x 0..20, the menu hangs below it, narrower.
    const auto parts = CalcShadowParts(TRect{0, 0, 200, 20}, TRect{0, 20, 120, 220}, s);
    ASSERT_EQ(parts.size(), 4u);
    EXPECT_EQ(parts[0].bounds, (TRect{200, 4, 204, 20}));  // right of the opener
    EXPECT_EQ(parts[0].corners, dxShadowFadeTop);
    EXPECT_EQ(parts[1].bounds, (TRect{4, 220, 124, 224}));  // under the menu
    EXPECT_EQ(parts[2].bounds, (TRect{120, 20, 204, 24}));  // under the opener's part right of it
    EXPECT_EQ(parts[3].bounds, (TRect{120, 20, 124, 220}));  // right of the menu, running on
    EXPECT_EQ(parts[3].corners, 0);

    // Without an opener: right and bottom strips that fade at their ends.
    const auto alone = CalcShadowParts(TRect{}, TRect{10, 10, 110, 60}, s);
    ASSERT_EQ(alone.size(), 2u);
    EXPECT_EQ(alone[0].bounds, (TRect{14, 60, 114, 64}));
    EXPECT_EQ(alone[1].bounds, (TRect{110, 14, 114, 60}));
}

TEST(BarShadowGeometry, AlphasFadeOutwardsAndAtTheEndsAndShortStripsAreUnusable) {
    TdxBarShadowPartSpec strip{TRect{0, 0, 20, 4}, dxShadowHorizontal, dxShadowFadeLeft | dxShadowFadeRight};
    const auto alphas = CalcShadowPartAlphas(strip, 4);
    // Mid-strip column: 60, 45, 30, 15 from the window outwards.
    for (int y = 0; y < 4; ++y) EXPECT_EQ(alphas[size_t(y * 20 + 10)], 60 - 15 * y) << y;
    // The very end is a fifth of that, the fourth pixel in four fifths.
    EXPECT_EQ(alphas[0], MulDiv(60, 1, 5));
    EXPECT_EQ(alphas[3], MulDiv(60, 4, 5));
    EXPECT_EQ(alphas[19], MulDiv(60, 1, 5));

    TdxBarShadowPartSpec vertical{TRect{0, 0, 4, 10}, dxShadowVertical, dxShadowFadeTop};
    const auto column = CalcShadowPartAlphas(vertical, 4);
    EXPECT_EQ(column[size_t(9 * 4 + 0)], 60);
    EXPECT_EQ(column[size_t(9 * 4 + 3)], 15);

    EXPECT_FALSE(IsShadowPartUsable({TRect{0, 0, 3, 4}, dxShadowHorizontal, dxShadowFadeLeft}, 4));
    EXPECT_TRUE(IsShadowPartUsable({TRect{0, 0, 3, 4}, dxShadowVertical, 0}, 4));
}

// ---- Real menus ---------------------------------------------------------------------------

class BarMenus : public BarWindowTest {
protected:
    void SetUp() override {
        BarWindowTest::SetUp();
        popup = new TdxBarPopupMenu(form.get());
        for (const wchar_t* name : {L"btnOpen", L"btnSave", L"btnExport"})
            popup->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(name)));
        open = static_cast<TdxBarItem*>(form->FindComponent(L"btnOpen"));
        open->OnClick = MakeEvent(&recorder, &TEventRecorder::Clicked);
        popup->OnCloseUp = MakeEvent(this, &BarMenus::ClosedUp);
        manager->SetMenuAnimations(maNone);
    }
    void TearDown() override {
        TdxBarSubMenuControl::SetWorkAreaOverride(TRect{});
        if (TdxBarSubMenuControl* menu = popup->GetSubMenuControl()) menu->HideBar();
        BarWindowTest::TearDown();
    }

public:
    void ClosedUp(TObject*) { ++closeUps; }

protected:
    // Shows the popup without its own loop and answers its window.
    TdxBarSubMenuControl* ShowAt(int x, int y, bool animate = false) {
        popup->PopupForOwner(x, y, 0, 0, animate, nullptr, false, nullptr);
        TdxBarSubMenuControl* menu = popup->GetSubMenuControl();
        if (menu) PumpUntil([&] { return IsWindowVisible(menu->Handle()) != 0; });
        return menu;
    }
    static TRect WindowBounds(TdxBarSubMenuControl* menu) {
        TRect r;
        GetWindowRect(menu->Handle(), &r);
        return r;
    }
    TPoint ItemCenter(TdxBarSubMenuControl* menu, TdxBarItem* item) {
        for (int i = 0; i < menu->ItemLinks()->GetShownLinkCount(); ++i) {
            TdxBarItemLink* link = menu->ItemLinks()->GetShownLink(i);
            if (link->Item() != item) continue;
            const TRect r = link->ItemRect();
            return menu->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
        }
        return TPoint{};
    }

    TdxBarPopupMenu* popup = nullptr;
    TdxBarItem* open = nullptr;
    TEventRecorder recorder;
    int closeUps = 0;
};

TEST_F(BarMenus, AnEmptyMenuIsOneTextLineHighAndAHundredPixelsWide) {
    auto* empty = new TdxBarPopupMenu(form.get());
    empty->PopupForOwner(50, 50, 0, 0, false, nullptr, false, nullptr);
    TdxBarSubMenuControl* menu = empty->GetSubMenuControl();
    ASSERT_NE(menu, nullptr);
    const TRect border = menu->GetBorderMargins(true), content = menu->GetContentMargins();
    EXPECT_EQ(menu->Width(), 100 + border.left + border.right + content.left + content.right);
    EXPECT_EQ(menu->Height(), menu->TextSize() + border.top + border.bottom + content.top + content.bottom);
    menu->HideBar();
    EXPECT_EQ(empty->GetSubMenuControl(), nullptr);
}

TEST_F(BarMenus, APopupShowsAtThePointAndFlipsAtTheScreensRightEdge) {
    TdxBarSubMenuControl* menu = ShowAt(40, 60);
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(popup->IsPopupVisible());
    const TRect r = WindowBounds(menu);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 60);
    menu->HideBar();
    EXPECT_FALSE(popup->IsPopupVisible());
    EXPECT_EQ(closeUps, 1);

    const int right = GetSystemMetrics(SM_CXSCREEN);
    menu = ShowAt(right - 10, 60);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(WindowBounds(menu).right, right - 10) << "the menu lies left of the point";
}

TEST_F(BarMenus, TheMenuDrawsItsBorderAndItsItemsInPlace) {
    TdxBarSubMenuControl* menu = ShowAt(40, 60);
    ASSERT_NE(menu, nullptr);
    TControlSnapshot shot(menu->Handle(), TControlSnapshot::kFromScreen);
    for (int index : {0, 1, 2}) {
        TdxBarItemLink* link = menu->ItemLinks()->GetShownLink(index);
        const TRect r = link->ItemRect();
        ASSERT_FALSE(IsRectEmpty(&r)) << index;
        EXPECT_EQ(shot.Pixel((r.left + r.right) / 2, (r.top + r.bottom) / 2),
                  ColorToRGB(TBarTestForm::GlyphColor(link->Item()->ImageIndex())))
            << index;
    }
    // The items are stacked one under the other inside the content margins, Export after a gap
    // only when it begins a group.
    const TRect first = menu->ItemLinks()->GetShownLink(0)->ItemRect();
    const TRect content = menu->GetContentRect();
    EXPECT_EQ(first.left, content.left);
    EXPECT_EQ(first.top, content.top);
    EXPECT_EQ(menu->ItemLinks()->GetShownLink(1)->ItemRect().top, first.bottom);
}

TEST_F(BarMenus, AClickRunsTheCommandClosesTheMenuAndEndsTheOwnLoop) {
    TTickScript script({
        [&] { return popup->GetSubMenuControl() && IsWindowVisible(popup->GetSubMenuControl()->Handle()); },
        [&] {
            ClickAt(ItemCenter(popup->GetSubMenuControl(), open));
            return true;
        },
    });
    popup->Popup(40, 60);
    EXPECT_FALSE(script.TimedOut());
    EXPECT_EQ(recorder.log, (std::vector<std::string>{"OnClick btnOpen"}));
    EXPECT_EQ(popup->GetSubMenuControl(), nullptr);
    EXPECT_FALSE(popup->IsPopupVisible());
    EXPECT_EQ(closeUps, 1);
}

TEST_F(BarMenus, EscapeAndAnOutsideClickEndTheOwnLoopWithoutACommand) {
    TTickScript escape({
        [&] { return popup->GetSubMenuControl() && IsWindowVisible(popup->GetSubMenuControl()->Handle()); },
        [&] {
            SendMessageW(popup->GetSubMenuControl()->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
            return true;
        },
    });
    popup->Popup(40, 60);
    EXPECT_FALSE(escape.TimedOut());
    EXPECT_EQ(popup->GetSubMenuControl(), nullptr);

    std::unique_ptr<TForm> other(NewShownTestForm(300, 200));
    const TPoint outside = other->ClientToScreen(TPoint{250, 150});
    TTickScript click({
        [&] { return popup->GetSubMenuControl() && IsWindowVisible(popup->GetSubMenuControl()->Handle()); },
        [&] {
            ClickAt(outside);
            return true;
        },
    });
    popup->Popup(40, 60);
    EXPECT_FALSE(click.TimedOut());
    EXPECT_EQ(popup->GetSubMenuControl(), nullptr);
    EXPECT_TRUE(recorder.log.empty());
    EXPECT_EQ(closeUps, 2);
}

TEST_F(BarMenus, AQuitDuringTheOwnLoopEndsItAndReachesTheMainLoop) {
    TTickScript quit({
        [&] { return popup->GetSubMenuControl() != nullptr; },
        [&] {
            PostQuitMessage(7);
            return true;
        },
    });
    popup->Popup(40, 60);
    MSG msg;
    ASSERT_TRUE(PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
    EXPECT_FALSE(quit.TimedOut());
}

TEST_F(BarMenus, PopupForOwnerHoldsForOneShowingOnly) {
    const TRect owner{100, 40, 180, 60};
    popup->PopupForOwner(100, 60, 0, 20, false, &owner, false, form.get());
    TdxBarSubMenuControl* menu = popup->GetSubMenuControl();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->OwnerHeight, 20);
    EXPECT_EQ(menu->OwnerBounds(), owner);
    EXPECT_FALSE(menu->ShowAnimation);
    menu->HideBar();

    // The next Popup runs its own loop again, animates and has no owner.
    manager->SetMenuAnimations(maSlide);
    bool sawMenu = false, animated = false;
    int ownerHeight = -1;
    TTickScript script({
        [&] {
            TdxBarSubMenuControl* m = popup->GetSubMenuControl();
            if (!m) return false;
            sawMenu = true;
            animated = m->ShowAnimation || m->IsAnimating() || m->Animation() == maSlide;
            ownerHeight = m->OwnerHeight;
            SendMessageW(m->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
            return true;
        },
    });
    popup->Popup(100, 60);
    EXPECT_TRUE(sawMenu);
    EXPECT_TRUE(animated);
    EXPECT_EQ(ownerHeight, 0);
}

TEST_F(BarMenus, BarSizeAndOwnFont) {
    popup->SetBarSize(-5);
    EXPECT_EQ(popup->BarSize(), 0);
    EXPECT_FALSE(popup->UseOwnFont());
    popup->Font()->SetSize(popup->Font()->Size() + 4);
    EXPECT_TRUE(popup->UseOwnFont());
    popup->SetUseOwnFont(false);
    EXPECT_FALSE(popup->UseOwnFont());
    EXPECT_EQ(popup->Font()->Size(), manager->Font()->Size());
}

TEST_F(BarMenus, ASubItemOpensItsMenuBesideItAndEscapeClosesOneLevel) {
    auto* sub = static_cast<TdxBarSubItem*>(form->FindComponent(L"subFile"));
    std::vector<std::string> log;
    struct TSubEvents : TObject {
        std::vector<std::string>* log;
        void Popup(TObject*) { log->push_back("OnPopup"); }
        void Click(TObject*) { log->push_back("OnClick"); }
        void CloseUp(TObject*) { log->push_back("OnCloseUp"); }
    } events;
    events.log = &log;
    sub->OnPopup = MakeEvent(&events, &TSubEvents::Popup);
    sub->OnClick = MakeEvent(&events, &TSubEvents::Click);
    sub->OnCloseUp = MakeEvent(&events, &TSubEvents::CloseUp);
    popup->ItemLinks()->AddItem(sub);

    TdxBarSubMenuControl* root = ShowAt(40, 60);
    ASSERT_NE(root, nullptr);
    auto* control = As<TdxBarSubItemControl>(root->ItemLinks()->GetShownLink(3)->Control());
    ASSERT_NE(control, nullptr);
    // From the keyboard: the first entry is selected and the menu does not animate.
    manager->SetMenuAnimations(maSlide);
    root->SetSelectedLink(control->Link());
    SendMessageW(root->Handle(), WM_KEYDOWN, VK_RIGHT, 1);
    auto* child = As<TdxBarSubMenuControl>(sub->ItemLinks()->BarControl());
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(root->ChildBar(), child);
    EXPECT_FALSE(child->IsAnimating());
    EXPECT_EQ(child->SelectedLink(), child->ItemLinks()->GetFirstNavigableLink());
    EXPECT_EQ(log, (std::vector<std::string>{"OnPopup", "OnClick"}));
    EXPECT_FALSE(child->HasBottomScrollButton()) << "the menu is as tall as its links with their group gaps";
    // Beside the item: its left edge at the root's item's right edge.
    const TRect item = control->GetBounds();
    EXPECT_EQ(WindowBounds(child).left, root->ClientToScreen(TPoint{item.right, 0}).x);

    SendMessageW(child->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(sub->ItemLinks()->BarControl(), nullptr);
    EXPECT_EQ(popup->GetSubMenuControl(), root) << "the root stays open";
    EXPECT_EQ(log, (std::vector<std::string>{"OnPopup", "OnClick", "OnCloseUp"}));
    SendMessageW(root->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(popup->GetSubMenuControl(), nullptr);
}

TEST_F(BarMenus, HoveringASubItemOpensItsMenuAfterTheDelay) {
    auto* sub = static_cast<TdxBarSubItem*>(form->FindComponent(L"subFile"));
    popup->ItemLinks()->AddItem(sub);
    TdxBarSubMenuControl* root = ShowAt(40, 60);
    ASSERT_NE(root, nullptr);
    MoveMouseTo(ItemCenter(root, sub));
    const DWORD start = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return sub->ItemLinks()->BarControl() != nullptr; }, 3000));
    EXPECT_GE(GetTickCount() - start, 300u);
    SaveScreenShot(L"menus-cascaded.bmp");
}

TEST_F(BarMenus, ATallMenuScrollsOneItemPerTickWhileThePointerStaysOnTheButton) {
    const TRect small{0, 0, 800, 110};
    TdxBarSubMenuControl::SetWorkAreaOverride(small);
    for (int i = 0; i < 6; ++i)
        popup->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(i % 2 ? L"btnSave" : L"btnOpen")));
    TdxBarSubMenuControl* menu = ShowAt(40, 0);
    ASSERT_NE(menu, nullptr);
    EXPECT_LE(menu->Height(), 110);
    EXPECT_EQ(menu->TopIndex(), 0);
    ASSERT_TRUE(menu->HasBottomScrollButton());
    EXPECT_EQ(menu->GetScrollInterval(), 200);
    TRect button;
    menu->GetPainter()->GetScrollButtonRect(menu->MenuPainted(), true, button);
    MoveMouseTo(menu->ClientToScreen(TPoint{(button.left + button.right) / 2, (button.top + button.bottom) / 2}));
    ASSERT_TRUE(PumpUntil([&] { return menu->TopIndex() == 1; }, 2000));
    const DWORD first = GetTickCount();
    ASSERT_TRUE(PumpUntil([&] { return menu->TopIndex() == 2; }, 2000));
    EXPECT_GE(GetTickCount() - first, 150u) << "one item per 200 ms tick";
    MoveMouseTo(menu->ClientToScreen(TPoint{10, 10}));
    ASSERT_TRUE(PumpUntil([&] { return !menu->IsScrolling(); }, 2000));
    const int stopped = menu->TopIndex();
    PumpFor(500);
    EXPECT_EQ(menu->TopIndex(), stopped) << "scrolling stops when the pointer leaves";
}

TEST_F(BarMenus, TheKeyboardScrollsTheSelectionIntoView) {
    TdxBarSubMenuControl::SetWorkAreaOverride(TRect{0, 0, 800, 110});
    for (int i = 0; i < 6; ++i)
        popup->ItemLinks()->AddItem(static_cast<TdxBarItem*>(form->FindComponent(i % 2 ? L"btnSave" : L"btnOpen")));
    TdxBarSubMenuControl* menu = ShowAt(40, 0);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(menu->HasBottomScrollButton());
    const auto shows = [&](TdxBarItemLink* link) {
        const TRect r = link->ItemRect(), visible = menu->VisibleItemsRect();
        return r.bottom > r.top && r.top >= visible.top && r.bottom <= visible.bottom;
    };
    TdxBarItemLinks* links = menu->ItemLinks();
    SendMessageW(menu->Handle(), WM_KEYDOWN, VK_END, 1);
    EXPECT_EQ(menu->SelectedLink(), links->GetLastNavigableLink());
    EXPECT_GT(menu->TopIndex(), 0);
    EXPECT_TRUE(shows(menu->SelectedLink()));
    EXPECT_FALSE(menu->HasBottomScrollButton());
    SendMessageW(menu->Handle(), WM_KEYDOWN, VK_DOWN, 1);  // wraps to the first
    EXPECT_EQ(menu->SelectedLink(), links->GetFirstNavigableLink());
    EXPECT_EQ(menu->TopIndex(), 0);
    EXPECT_TRUE(shows(menu->SelectedLink()));
}

// ---- Personalized menus ------------------------------------------------------------------

// Holds the Ctrl key down in the thread's key state while it lives.
class TCtrlHeld {
public:
    TCtrlHeld() { Set(0x80); }
    ~TCtrlHeld() { Set(0); }

private:
    static void Set(BYTE value) {
        BYTE keys[256];
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_LCONTROL] = value;
        SetKeyboardState(keys);
    }
};

TEST_F(BarMenus, APersonalizedMenuShowsItsRecentLinksUntilItIsExpandedInPlace) {
    manager->SetStyle(bmsFlat);
    manager->SetMenusShowRecentItemsFirst(true);
    TdxBarItemLinks* links = popup->ItemLinks();
    for (int i = 0; i < 40; ++i) links->GetLink(0)->MarkUsed(true);
    links->GetLink(2)->SetMostRecentlyUsed(false);  // Export: never used
    TdxBarItemLink* exportLink = links->GetLink(2);

    const auto markCenter = [](TdxBarSubMenuControl* menu) {
        const TRect r = menu->GetMarkRect();
        return menu->ClientToScreen(TPoint{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    };
    struct TCase {
        const char* what;
        std::function<void(TdxBarSubMenuControl*)> expand;
        int selectsExport;  // -1: the pointer decides (it now lies over the new links)
    };
    const TCase cases[] = {
        {"Ctrl+Down",
         [](TdxBarSubMenuControl* menu) {
             TCtrlHeld ctrl;
             SendMessageW(menu->Handle(), WM_KEYDOWN, VK_DOWN, 1);
         },
         0},
        {"Down on the last shown link moves on into the new ones",
         [&](TdxBarSubMenuControl* menu) {
             menu->SetSelectedLink(links->GetLink(1));
             SendMessageW(menu->Handle(), WM_KEYDOWN, VK_DOWN, 1);
         },
         1},
        {"a click makes the button hot, a second one expands",
         [&](TdxBarSubMenuControl* menu) {
             ClickAt(markCenter(menu));
             PumpUntilIdle();
             EXPECT_EQ(menu->MarkState(), 1);
             EXPECT_LT(links->GetShownLinkCount(), 3) << "one click only makes the button hot";
             Sleep(GetDoubleClickTime() + 50);  // two presses, not a double click
             ClickAt(markCenter(menu));
             PumpUntilIdle();
         },
         -1},
    };
    for (const TCase& c : cases) {
        TdxBarSubMenuControl* menu = ShowAt(40, 60);
        ASSERT_NE(menu, nullptr) << c.what;
        EXPECT_EQ(links->GetShownLinkCount(), 2) << c.what;
        EXPECT_EQ(exportLink->GetShownIndex(), -1) << c.what;
        ASSERT_TRUE(menu->HasMark()) << c.what;
        EXPECT_GT(menu->MarkSize(), 0);
        const int shortHeight = menu->Height();
        const TRect mark = menu->GetMarkRect();
        EXPECT_EQ(mark.bottom - mark.top, menu->MarkSize());
        EXPECT_GE(mark.top, links->GetShownLink(1)->ItemRect().bottom) << "the button lies below the links";

        c.expand(menu);
        PumpUntilIdle();
        EXPECT_EQ(popup->GetSubMenuControl(), menu) << c.what << ": the same menu stays open";
        ASSERT_TRUE(menu->HandleAllocated()) << c.what;
        EXPECT_TRUE(IsWindowVisible(menu->Handle())) << c.what;
        EXPECT_EQ(links->GetShownLinkCount(), 3) << c.what;
        EXPECT_FALSE(menu->HasMark()) << c.what;
        EXPECT_EQ(WindowBounds(menu).left, 40) << c.what;
        EXPECT_EQ(WindowBounds(menu).top, 60) << c.what;
        EXPECT_GT(menu->Height(), shortHeight - menu->MarkSize()) << c.what;
        if (c.selectsExport >= 0) EXPECT_EQ(menu->SelectedLink() == exportLink, c.selectsExport == 1) << c.what;
        EXPECT_EQ(closeUps, 0) << c.what << ": expanding does not close the menu";
        menu->HideBar();
        closeUps = 0;
    }
    EXPECT_TRUE(recorder.log.empty());
}

// ---- Animation on the worker thread ------------------------------------------------------

std::vector<std::pair<TdxBarMenuAnimationParams, int>>& PlayedShowings() {
    static std::vector<std::pair<TdxBarMenuAnimationParams, int>> played;
    return played;
}

void RecordShowing(const TdxBarMenuAnimationParams& params, int frames) { PlayedShowings().push_back({params, frames}); }

TEST_F(BarMenus, ASlideAnimationPlaysItsFramesAndEndsAtTheFinalBounds) {
    PlayedShowings().clear();
    SetMenuAnimationObserver(&RecordShowing);
    manager->SetMenuAnimations(maSlide);
    TdxBarSubMenuControl* menu = ShowAt(40, 60, true);
    ASSERT_NE(menu, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return !menu->IsAnimating(); }, 5000));
    SetMenuAnimationObserver(nullptr);
    ASSERT_EQ(PlayedShowings().size(), 1u);
    const auto& [params, frames] = PlayedShowings()[0];
    EXPECT_EQ(frames, params.finalClientHeight / 17);
    EXPECT_EQ(WindowBounds(menu), (TRect{40, 60, 40 + menu->Width(), 60 + menu->Height()}));
    EXPECT_TRUE(IsWindowVisible(menu->Handle()));
}

TEST_F(BarMenus, AMenuClosedDuringItsAnimationIsNeverShownAgain) {
    manager->SetMenuAnimations(maSlide);
    TdxBarSubMenuControl* menu = ShowAt(40, 60, true);
    ASSERT_NE(menu, nullptr);
    const HWND handle = menu->Handle();
    SendMessageW(handle, WM_KEYDOWN, VK_ESCAPE, 1);
    EXPECT_EQ(popup->GetSubMenuControl(), nullptr);
    EXPECT_FALSE(IsWindow(handle) && IsWindowVisible(handle));

    // Many menus freed mid-animation: each stop waits for its thread, none hangs.
    const DWORD start = GetTickCount();
    for (int i = 0; i < 100; ++i) {
        popup->PopupForOwner(40, 60, 0, 0, true, nullptr, false, nullptr);
        if (TdxBarSubMenuControl* m = popup->GetSubMenuControl()) m->HideBar();
    }
    EXPECT_EQ(popup->GetSubMenuControl(), nullptr);
    EXPECT_LT(GetTickCount() - start, 20000u);
}

TEST_F(BarMenus, EscapeClosesTheMenuAtAnyMomentOfItsAnimation) {
    // The interface thread does not pump meanwhile, so the later moments find the thread done
    // with its frames and waiting to place the window: stopping it then must free it once.
    manager->SetMenuAnimations(maSlide);
    for (DWORD wait = 0; wait <= 240; wait += 12) {
        popup->PopupForOwner(40, 60, 0, 0, true, nullptr, false, nullptr);
        TdxBarSubMenuControl* menu = popup->GetSubMenuControl();
        ASSERT_NE(menu, nullptr) << wait;
        Sleep(wait);
        SendMessageW(menu->Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
        ASSERT_EQ(popup->GetSubMenuControl(), nullptr) << "Escape after " << wait << " ms";
    }
}

// ---- Shadow windows -----------------------------------------------------------------------

TEST_F(BarMenus, TheShadowsStripsAppearBesideTheMenuAndLetTheMouseThrough) {
    TdxBarSubMenuControl* menu = ShowAt(40, 60);
    ASSERT_NE(menu, nullptr);
    TdxBarShadow shadow(menu);
    const TRect r = WindowBounds(menu);
    shadow.SetBoundsRects(TRect{}, r);
    shadow.SetShadowVisible(true);
    const int s = TdxBarShadow::ShadowThickness();
    ASSERT_EQ(shadow.PartCount(), 2);
    for (int i = 0; i < shadow.PartCount(); ++i) {
        TdxBarShadowPart* part = shadow.Part(i);
        ASSERT_TRUE(part->HandleAllocated());
        EXPECT_TRUE(IsWindowVisible(part->Handle()));
        TRect bounds;
        GetWindowRect(part->Handle(), &bounds);
        EXPECT_EQ(bounds, part->Spec().bounds);
        EXPECT_EQ(SendMessageW(part->Handle(), WM_NCHITTEST, 0, MAKELPARAM(bounds.left, bounds.top)), HTTRANSPARENT);
    }
    EXPECT_EQ(shadow.Part(0)->Spec().bounds, (TRect{r.left + s, r.bottom, r.right + s, r.bottom + s}));
    EXPECT_EQ(shadow.Part(1)->Spec().bounds, (TRect{r.right, r.top + s, r.right + s, r.bottom}));
    shadow.SetShadowVisible(false);
    EXPECT_FALSE(shadow.Part(0)->HandleAllocated());
}

}  // namespace
