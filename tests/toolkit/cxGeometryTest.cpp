#include <gtest/gtest.h>

#include <vector>

#include "cxClasses.h"
#include "cxDWMApi.h"
#include "cxDropDownHelpers.h"
#include "cxGeometry.h"
#include "dxCore.h"

namespace {

class ChangeCounter : public TObject {
public:
    void Changed(TObject* sender) {
        ++count;
        last = sender;
    }
    int count = 0;
    TObject* last = nullptr;
};

TEST(cxRect, FiresOnlyOnRealChangesAndReadsByIndex) {
    TcxRect r(nullptr);
    ChangeCounter counter;
    r.OnChange = MakeEvent(&counter, &ChangeCounter::Changed);
    r.AssignRect(Rect(1, 2, 3, 4));
    EXPECT_EQ(counter.count, 1);
    EXPECT_EQ(counter.last, &r);
    r.SetLeft(1);
    r.SetCoordinate(7, 99);  // no such coordinate: nothing changes
    EXPECT_EQ(counter.count, 1);
    r.SetBottom(10);
    EXPECT_EQ(counter.count, 2);
    EXPECT_EQ(r.GetCoordinate(0), 1);
    EXPECT_EQ(r.GetCoordinate(2), 3);
    EXPECT_EQ(r.GetCoordinate(9), 10);  // any other index reads Bottom
    TcxRect copy(nullptr);
    copy.Assign(&r);
    EXPECT_TRUE(copy.SameAs(&r));
    TcxSize size(nullptr);
    copy.Assign(&size);  // ignored
    EXPECT_TRUE(copy.EqualsRect(Rect(1, 2, 3, 10)));
    copy.GetRectPointer()->left = 5;
    EXPECT_EQ(copy.Left(), 5);
}

TEST(cxSize, ClampsNegativesAndStoresOnlyNonZeroValues) {
    TcxSize s(nullptr);
    ChangeCounter counter;
    s.OnChange = MakeEvent(&counter, &ChangeCounter::Changed);
    s.ApplySize(MakeSize(-5, 10));
    EXPECT_TRUE(s.EqualsSize(MakeSize(0, 10)));
    EXPECT_EQ(counter.count, 1);
    s.ApplySize(MakeSize(-1, 10));
    EXPECT_EQ(counter.count, 1);
    s.SetWidth(7);
    EXPECT_EQ(s.Width(), 7);
    EXPECT_EQ(s.Height(), 10);
    EXPECT_EQ(counter.count, 2);
    EXPECT_FALSE(s.IsEmpty());
    s.SetHeight(0);
    EXPECT_FALSE(s.IsHeightStored());
    EXPECT_TRUE(s.IsWidthStored());
    TcxSize other(nullptr);
    other.Assign(&s);
    EXPECT_TRUE(other.SameAs(&s));
    TcxRect r(nullptr);
    EXPECT_THROW(other.Assign(&r), EConvertError);
}

TEST(cxGeometryClasses, AreRegisteredForStreaming) {
    EXPECT_EQ(GetClass(L"TcxRect"), TcxRect::StaticClass());
    EXPECT_EQ(GetClass(L"TcxSize"), TcxSize::StaticClass());
}

TEST(RectRoutines, ComputeTheirResults) {
    EXPECT_TRUE(RectsEqual(InflateRectSides(Rect(10, 10, 20, 20), 1, 2, 3, 4), Rect(9, 8, 23, 24)));
    EXPECT_TRUE(RectsEqual(InflateRectSides(Rect(10, 10, 20, 20), -1, -1, -1, -1), Rect(11, 11, 19, 19)));
    EXPECT_TRUE(RectsEqual(CenteredRect(Rect(0, 0, 10, 10), 5, 5), Rect(2, 2, 7, 7)));
    EXPECT_TRUE(RectsEqual(CenteredRect(Rect(0, 0, 10, 10), 12, 3), Rect(-1, 3, 11, 6)));
    EXPECT_TRUE(RectsEqual(CenteredRect(Rect(-10, 0, 0, 1), 5, 1), Rect(-7, 0, -2, 1)));  // toward zero
    EXPECT_TRUE(RectsEqual(ShiftRect(Rect(1, 2, 3, 4), 10, -2), Rect(11, 0, 13, 2)));
    EXPECT_TRUE(RectsEqual(TransposeRect(Rect(1, 2, 3, 4)), Rect(2, 1, 4, 3)));
    EXPECT_TRUE(RectsEqual(RectWithLeftAndWidth(Rect(1, 2, 3, 4), 5, 6), Rect(5, 2, 11, 4)));
    EXPECT_TRUE(IsPointInRect(Rect(0, 0, 10, 10), 0, 9));
    EXPECT_FALSE(IsPointInRect(Rect(0, 0, 10, 10), 10, 5));
    EXPECT_FALSE(IsPointInRect(Rect(0, 0, 10, 10), 5, 10));
    EXPECT_TRUE(PointsEqual(NegatePoint(MakePoint(3, -4)), MakePoint(-3, 4)));
    EXPECT_TRUE(PointsEqual(MakeSize(1, 2), MakeSize(1, 2)));
}

TEST(DesktopComposition, FollowsThePlatformAndAnswersSafely) {
    // The test prefix reports Windows 7: dwmapi is bound; composition is off under Wine.
    EXPECT_EQ(IsDwmLoaded(), PlatformMajorVersion > 5);
    EXPECT_FALSE(IsDwmCompositionActive());
    LRESULT result = 0;
    cxDwmDefWindowProc(nullptr, WM_NCHITTEST, 0, 0, &result);  // must not crash
    FinalizecxDWMApi();
    EXPECT_FALSE(IsDwmLoaded());
    EXPECT_FALSE(IsDwmCompositionActive());
    EXPECT_FALSE(cxDwmDefWindowProc(nullptr, WM_NCHITTEST, 0, 0, &result));
    TcxDwmMargins margins{};
    EXPECT_EQ(cxDwmExtendFrameIntoClientArea(nullptr, &margins), E_NOTIMPL);
    InitializecxDWMApi();
    EXPECT_EQ(IsDwmLoaded(), PlatformMajorVersion > 5);
}

TEST(DropDownHelpers, CornersAndHitTests) {
    TRect owner = Rect(100, 100, 200, 120);
    EXPECT_EQ(CornerFromRectPair(owner, Rect(100, 120, 300, 220)), coBottomRight);  // below
    EXPECT_EQ(CornerFromRectPair(owner, Rect(100, 0, 300, 100)), coTopRight);       // above
    EXPECT_EQ(CornerFromRectPair(owner, Rect(0, 120, 100, 220)), coBottomLeft);     // wholly left
    EXPECT_EQ(CornerFromRectPair(owner, Rect(0, 0, 100, 100)), coTopLeft);
    EXPECT_EQ(HitTestForCorner(coTopLeft), HTTOPLEFT);
    EXPECT_EQ(HitTestForCorner(coTopRight), HTTOPRIGHT);
    EXPECT_EQ(HitTestForCorner(coBottomLeft), HTBOTTOMLEFT);
    EXPECT_EQ(HitTestForCorner(coBottomRight), HTBOTTOMRIGHT);
    int scroll = GetSystemMetrics(SM_CYHSCROLL), size = GetSystemMetrics(SM_CYSIZE);
    EXPECT_EQ(DropDownPanelHeight(), scroll + 2 < size ? size + 1 : scroll + 3);
}

// A COLORREF as the pixel value of a 32-bit DIB (blue in the low byte).
DWORD BgrOf(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

// A 32-bit top-down DIB section selected into a memory device context.
struct Surface {
    Surface(int w, int h) : width(w), height(h) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bitmap);
        for (int i = 0; i < w * h; ++i) bits[i] = 0x00123456;
    }
    ~Surface() {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    DWORD At(int x, int y) const { return bits[y * width + x] & 0xFFFFFF; }
    int width, height;
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old;
    DWORD* bits = nullptr;
};

TEST(DropDownHelpers, GripInTheTopLeftIsTheBottomRightGripMirroredBothWays) {
    const int w = 40, h = 40;
    Surface bottomRight(w, h), topLeft(w, h);
    TRect r1 = Rect(0, 0, w, h), r2 = r1;
    DrawCornerSizeGrip(bottomRight.dc, r1, coBottomRight);
    DrawCornerSizeGrip(topLeft.dc, r2, coTopLeft);
    GdiFlush();
    int gw = GetSystemMetrics(SM_CXVSCROLL), gh = GetSystemMetrics(SM_CYHSCROLL);
    EXPECT_TRUE(RectsEqual(r1, Rect(w - gw, h - gh, w, h)));
    EXPECT_TRUE(RectsEqual(r2, Rect(0, 0, gw, gh)));
    bool sawGripLine = false;
    for (int y = 0; y < gh; ++y)
        for (int x = 0; x < gw; ++x) {
            DWORD mirrored = topLeft.At(gw - 1 - x, gh - 1 - y);
            ASSERT_EQ(bottomRight.At(w - gw + x, h - gh + y), mirrored) << x << "," << y;
            sawGripLine = sawGripLine || mirrored != (BgrOf(GetSysColor(COLOR_BTNFACE)));
        }
    EXPECT_TRUE(sawGripLine);
    // The outer bands are button face; nothing outside the square is touched.
    DWORD face = BgrOf(GetSysColor(COLOR_BTNFACE));
    EXPECT_EQ(topLeft.At(0, gh / 2), face);
    EXPECT_EQ(topLeft.At(gw / 2, 0), face);
    EXPECT_EQ(topLeft.At(gw, gh), 0x123456u);
}

}  // namespace
