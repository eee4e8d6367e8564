// A transparent control's background comes from its parent, painted at the control's place;
// only children that say they are transparent are invalidated.

#include <gtest/gtest.h>

#include "Bitmap.h"
#include "Canvas.h"
#include "ControlsUnits.h"
#include "RzGrafx.h"
#include "WinControl.h"

namespace {

// Erases to blue and prints a red square at (10, 10)-(14, 14) of its client area.
class TPaintingParent : public TWinControl {
    Z_CLASS(TPaintingParent, TWinControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_PRINTCLIENT, WMPrintClient))
public:
    using TWinControl::TWinControl;
    std::vector<UINT> received;

    void WMEraseBkgnd(TMessage& m) {
        received.push_back(m.Msg);
        RECT all{-100, -100, 200, 200};
        HBRUSH blue = CreateSolidBrush(RGB(0, 0, 255));
        FillRect(HDC(m.WParam), &all, blue);
        DeleteObject(blue);
        m.Result = 1;
    }
    void WMPrintClient(TMessage& m) {
        received.push_back(m.Msg);
        EXPECT_EQ(m.LParam, PRF_CLIENT);
        RECT square{10, 10, 14, 14};
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(HDC(m.WParam), &square, red);
        DeleteObject(red);
    }
};

class TSeeThrough : public TControl {
    Z_CLASS(TSeeThrough, TControl)
    Z_PUBLISHED { p.Property(L"Transparent", &TSeeThrough::Transparent, &TSeeThrough::SetTransparent); }

public:
    using TControl::TControl;
    bool Transparent() const { return transparent; }
    void SetTransparent(bool v) { transparent = v; }
    void Invalidate() override { ++invalidations; }
    bool transparent = true;
    int invalidations = 0;
};

}  // namespace

TEST(ParentBackground, ParentPaintsAtTheControlsPlaceWithinItsClientArea) {
    InitializeControlsUnits();
    TPaintingParent parent(nullptr);
    parent.SetBounds(0, 0, 30, 20);
    TSeeThrough child(nullptr);
    child.SetBounds(8, 9, 10, 10);
    child.SetParent(&parent);

    TBitmap target(12, 12, pf24bit);
    target.Canvas()->Brush()->SetColor(clWhite);
    target.Canvas()->FillRect(TRect{0, 0, 12, 12});
    PaintParentBackground(&child, target.Canvas()->Handle(), false);
    EXPECT_EQ(parent.received, (std::vector<UINT>{WM_ERASEBKGND, WM_PRINTCLIENT}));
    TCanvas* c = target.Canvas();
    EXPECT_EQ(c->Pixels(0, 0), clBlue);
    EXPECT_EQ(c->Pixels(2, 1), clRed);  // the parent's (10, 10)
    EXPECT_EQ(c->Pixels(5, 4), clRed);  // the parent's (13, 13)
    EXPECT_EQ(c->Pixels(6, 5), clBlue);
    EXPECT_EQ(c->Pixels(5, 10), clBlue);   // the parent's last row
    EXPECT_EQ(c->Pixels(5, 11), clWhite);  // below the parent's client area: untouched
    child.SetParent(nullptr);

    // Without a parent nothing happens.
    parent.received.clear();
    PaintParentBackground(&child, target.Canvas()->Handle(), true);
    EXPECT_TRUE(parent.received.empty());
}

TEST(ParentBackground, OnlyTransparentChildrenAreInvalidated) {
    InitializeControlsUnits();
    TPaintingParent parent(nullptr);
    TSeeThrough clear(nullptr), opaque(nullptr);
    TControl plain(nullptr);
    opaque.transparent = false;
    clear.SetParent(&parent);
    opaque.SetParent(&parent);
    plain.SetParent(&parent);
    clear.invalidations = opaque.invalidations = 0;
    InvalidateTransparentChildren(&parent);
    EXPECT_EQ(clear.invalidations, 1);
    EXPECT_EQ(opaque.invalidations, 0);
    clear.SetParent(nullptr);
    opaque.SetParent(nullptr);
    plain.SetParent(nullptr);
}
