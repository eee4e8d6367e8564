#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "CustomControl.h"
#include "WindowTesting.h"
#include "cxPopupWindow.h"
#include "cxWindowHelpers.h"
#include "ToolkitTestSupport.h"

namespace {

// A 100 x 80 popup that keeps its size, for the placement cases.
std::unique_ptr<TcxPopupWindow> FixedPopup() {
    std::unique_ptr<TcxPopupWindow> popup(new TcxPopupWindow(nullptr));
    popup->SetAdjustable(false);
    popup->SetBounds(0, 0, 100, 80);
    return popup;
}

TEST(cxPopupWindowTest, DefaultsAfterConstruction) {
    auto popup = FixedPopup();
    EXPECT_TRUE(TcxPopupWindow(nullptr).Adjustable());
    EXPECT_EQ(popup->AlignHorz(), pahLeft);
    EXPECT_EQ(popup->AlignVert(), pavBottom);
    EXPECT_EQ(popup->Direction(), pdVertical);
    EXPECT_EQ(popup->FrameColor(), clWindowText);
    EXPECT_EQ(popup->BorderStyle(), bsNone);
    EXPECT_EQ(popup->FormStyle(), fsStayOnTop);
}

TEST(cxPopupWindowTest, PositionTable) {
    const TRect w = WorkArea();
    const int l = w.left, t = w.top, r = w.right, b = w.bottom;
    struct Case {
        const char* what;
        TcxPopupDirection direction;
        TcxPopupAlignHorz horz;
        TcxPopupAlignVert vert;
        TRect owner;
        int x, y;
    } cases[] = {
        {"below, left-aligned", pdVertical, pahLeft, pavBottom, {l + 100, t + 100, l + 140, t + 120}, l + 100, t + 120},
        {"below, right-aligned",
         pdVertical,
         pahRight,
         pavBottom,
         {l + 200, t + 100, l + 240, t + 120},
         l + 140,
         t + 120},
        {"above", pdVertical, pahLeft, pavTop, {l + 100, t + 300, l + 140, t + 320}, l + 100, t + 220},
        {"below flips above near the bottom",
         pdVertical,
         pahLeft,
         pavBottom,
         {l + 100, b - 30, l + 140, b - 10},
         l + 100,
         b - 110},
        {"above flips below near the top",
         pdVertical,
         pahLeft,
         pavTop,
         {l + 100, t + 10, l + 140, t + 30},
         l + 100,
         t + 30},
        {"below stays below with less room above",
         pdVertical,
         pahLeft,
         pavBottom,
         {l + 100, t + 40, l + 140, b - 50},
         l + 100,
         b - 50},
        {"fitted left of the right edge",
         pdVertical,
         pahLeft,
         pavBottom,
         {r - 50, t + 100, r - 10, t + 120},
         r - 100,
         t + 120},
        {"fitted right of the left edge",
         pdVertical,
         pahRight,
         pavBottom,
         {l + 10, t + 100, l + 50, t + 120},
         l,
         t + 120},
        {"centred on the owner",
         pdVertical,
         pahCenter,
         pavCenter,
         {l + 200, t + 200, l + 260, t + 240},
         l + 180,
         t + 180},
        {"to the right", pdHorizontal, pahRight, pavTop, {l + 100, t + 100, l + 140, t + 120}, l + 140, t + 100},
        {"right flips left near the edge",
         pdHorizontal,
         pahRight,
         pavTop,
         {r - 60, t + 100, r - 20, t + 120},
         r - 160,
         t + 100},
        {"left flips right near the edge",
         pdHorizontal,
         pahLeft,
         pavBottom,
         {l + 20, t + 300, l + 60, t + 320},
         l + 60,
         t + 240},
        {"beside, fitted above the bottom",
         pdHorizontal,
         pahRight,
         pavTop,
         {l + 100, b - 30, l + 140, b - 10},
         l + 140,
         b - 80},
    };
    auto popup = FixedPopup();
    for (const Case& c : cases) {
        popup->SetDirection(c.direction);
        popup->SetAlignHorz(c.horz);
        popup->SetAlignVert(c.vert);
        popup->SetOwnerBounds(c.owner);
        TPoint p{};
        popup->CalculatePosition(p);
        EXPECT_EQ(p.x, c.x) << c.what;
        EXPECT_EQ(p.y, c.y) << c.what;
        EXPECT_EQ(popup->AlignHorz(), c.horz) << c.what;  // flipping works on copies
        EXPECT_EQ(popup->AlignVert(), c.vert) << c.what;
    }
}

TEST(cxPopupWindowTest, OwnerBoundsAreInTheOwnerParentsClientCoordinates) {
    std::unique_ptr<TForm> form(NewShownTestForm(300, 200));
    auto popup = FixedPopup();
    popup->SetOwnerParent(form.get());
    popup->SetOwnerBounds(TRect{10, 20, 50, 40});
    TPoint origin = MapPointBetweenWindows(form->Handle(), nullptr, TPoint{0, 0});
    TRect screen = popup->OwnerScreenBounds();
    EXPECT_EQ(screen.left, origin.x + 10);
    EXPECT_EQ(screen.bottom, origin.y + 40);
    TPoint p{};
    popup->CalculatePosition(p);
    EXPECT_EQ(p.x, origin.x + 10);
    EXPECT_EQ(p.y, origin.y + 40);

    form.reset();  // a freed owner parent is forgotten
    EXPECT_EQ(popup->OwnerParent(), nullptr);
}

TEST(cxPopupWindowTest, SizesItselfAroundItsChildrenOnEveryPopup) {
    std::unique_ptr<TForm> form(NewShownTestForm(300, 200));
    std::unique_ptr<TcxPopupWindow> popup(new TcxPopupWindow(nullptr));
    popup->SetFrameStyle(pfsDouble);
    popup->SetBorderSpace(3);
    EXPECT_EQ(popup->FrameWidthOf(psLeft), 2);
    EXPECT_EQ(popup->BorderSpaceOf(psBottom), 5);
    auto* a = new TCustomControl(popup.get());
    a->SetParent(popup.get());
    a->SetBounds(0, 0, 60, 20);
    auto* c = new TCustomControl(popup.get());
    c->SetParent(popup.get());
    c->SetBounds(10, 25, 80, 30);
    popup->SetOwnerParent(form.get());
    popup->SetOwnerBounds(TRect{10, 10, 50, 30});

    for (int round = 0; round < 2; ++round) {  // popping up again must not move the children further
        popup->Popup();
        EXPECT_EQ(popup->Width(), 5 + 90 + 5) << round;
        EXPECT_EQ(popup->Height(), 5 + 55 + 5) << round;
        EXPECT_EQ(a->Left(), 5) << round;
        EXPECT_EQ(c->Top(), 30) << round;
        TRect content = popup->ContentRect();
        EXPECT_EQ(content.left, 5);
        EXPECT_EQ(content.right, 95);
        popup->ClosePopup();
    }
    EXPECT_FALSE(popup->Visible());
}

TEST(cxPopupWindowTest, FrameStylesDrawTheirPixels) {
    std::unique_ptr<TForm> form(NewShownTestForm(300, 200));
    std::unique_ptr<TcxPopupWindow> popup(new TcxPopupWindow(nullptr));
    popup->SetAdjustable(false);
    popup->SetBounds(0, 0, 60, 40);
    popup->SetColor(clWhite);
    popup->SetOwnerParent(form.get());
    popup->SetOwnerBounds(TRect{20, 20, 40, 30});
    popup->SetFrameColor(clRed);
    popup->SetFrameStyle(pfsFlat);
    popup->Popup();
    PumpUntilIdle();

    auto pixel = [&](int x, int y) {
        popup->Repaint();
        HDC dc = GetDC(popup->Handle());
        COLORREF c = GetPixel(dc, x, y);
        ReleaseDC(popup->Handle(), dc);
        return c;
    };
    EXPECT_EQ(pixel(0, 0), RGB(255, 0, 0));
    EXPECT_EQ(pixel(59, 39), RGB(255, 0, 0));
    EXPECT_EQ(pixel(1, 1), RGB(255, 255, 255));

    popup->SetFrameStyle(pfsDouble);
    EXPECT_EQ(pixel(0, 5), GetSysColor(COLOR_3DLIGHT));
    EXPECT_EQ(pixel(59, 5), GetSysColor(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixel(1, 5), GetSysColor(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(pixel(58, 5), GetSysColor(COLOR_BTNSHADOW));
    EXPECT_EQ(pixel(2, 5), RGB(255, 255, 255));
}

// Records the WM_NCACTIVATE messages a form receives.
struct TNcActivateRecorder : TObject {
    TWndMethod previous;
    std::vector<WPARAM> states;
    void Attach(TControl* c) {
        previous = c->WindowProc();
        c->SetWindowProc(MakeEvent(this, &TNcActivateRecorder::Proc));
    }
    void Proc(TMessage& m) {
        if (m.Msg == WM_NCACTIVATE) states.push_back(m.WParam);
        previous(m);
    }
};

TEST(cxPopupWindowTest, ClosesWhenTheApplicationOrThePopupLosesActivation) {
    TNcActivateRecorder recorder;  // outlives the form, whose window procedure it takes
    std::unique_ptr<TForm> form(NewShownTestForm(300, 200));
    recorder.Attach(form.get());
    std::unique_ptr<TcxPopupWindow> popup(new TcxPopupWindow(nullptr));
    popup->SetAdjustable(false);
    popup->SetBounds(0, 0, 80, 60);
    popup->SetOwnerParent(form.get());
    popup->SetOwnerBounds(TRect{10, 10, 50, 30});

    popup->Popup();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == popup->Handle(); }));
    EXPECT_TRUE(popup->Visible());
    // The form gave up the activation but its caption still looks active.
    ASSERT_FALSE(recorder.states.empty());
    EXPECT_EQ(recorder.states.back(), WPARAM(TRUE));

    recorder.states.clear();
    SendMessageW(popup->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(popup->Visible());
    ASSERT_FALSE(recorder.states.empty());
    EXPECT_EQ(recorder.states.front(), WPARAM(FALSE));

    popup->Popup();
    ASSERT_TRUE(PumpUntil([&] { return GetActiveWindow() == popup->Handle(); }));
    SetActiveWindow(form->Handle());
    EXPECT_TRUE(PumpUntil([&] { return !popup->Visible(); }));
}

}  // namespace
