#include <gtest/gtest.h>

#include <vector>

#include "PainterTestSupport.h"
#include "RecordingVisualStyles.h"
#include "cxContainerViewInfo.h"
#include "cxDWMApi.h"

namespace {

constexpr TColor kSurfaceColor = clFuchsia;

// A classic frame around the content rectangle (4, 4, 36, 26) of a 44 x 34 surface.
void SetClassicFrame(TcxContainerViewInfo& viewInfo, TcxContainerBorderStyle style, int borderWidth) {
    viewInfo.BorderStyle = style;
    viewInfo.BorderWidth = borderWidth;
    viewInfo.BorderColor = clRed;
    viewInfo.BorderRect = TRect{4, 4, 36, 26};
    viewInfo.Bounds = TRect{0, 0, 44, 34};
    viewInfo.BackgroundColor = clYellow;
}

// The colours of the left, top, right and bottom side of ring n (0 the outermost) of a frame
// whose outer rectangle is r.
std::vector<TColor> RingColors(const TPaintSurface& s, const TRect& r, int n) {
    const int midX = (r.left + r.right) / 2, midY = (r.top + r.bottom) / 2;
    return {s.At(r.left + n, midY), s.At(midX, r.top + n), s.At(r.right - 1 - n, midY), s.At(midX, r.bottom - 1 - n)};
}

std::vector<TColor> Rgb4(TColor leftTop, TColor rightBottom) {
    return {RgbColor(leftTop), RgbColor(leftTop), RgbColor(rightBottom), RgbColor(rightBottom)};
}

TEST(ContainerViewInfo, ClassicFramesByBorderStyle) {
    struct Case {
        const char* what;
        TcxContainerBorderStyle style;
        int width;
        std::vector<std::vector<TColor>> rings;  // outermost first
    } cases[] = {
        {"single", cbsSingle, 1, {Rgb4(clRed, clRed)}},
        {"thick", cbsThick, 2, {Rgb4(clRed, clRed), Rgb4(clRed, clRed)}},
        {"flat", cbsFlat, 2, {Rgb4(clBtnShadow, clBtnHighlight), Rgb4(clBtnFace, clBtnFace)}},
        {"3D", cbs3D, 2, {Rgb4(clBtnShadow, clBtnHighlight), Rgb4(cl3DDkShadow, cl3DLight)}},
    };
    for (const Case& c : cases) {
        TPaintSurface surface(44, 34, kSurfaceColor);
        TcxContainerViewInfo viewInfo;
        SetClassicFrame(viewInfo, c.style, c.width);
        viewInfo.PaintOn(surface.Canvas());
        const TRect outer = InflateRectSides(viewInfo.BorderRect, c.width, c.width, c.width, c.width);
        for (int n = 0; n < int(c.rings.size()); ++n)
            EXPECT_EQ(RingColors(surface, outer, n), c.rings[size_t(n)]) << c.what << " ring " << n;
        EXPECT_EQ(surface.Count(clYellow), 32 * 22) << c.what;  // the content rectangle, filled
        EXPECT_EQ(surface.At(outer.left - 1, outer.top - 1), RgbColor(kSurfaceColor)) << c.what;
        EXPECT_EQ(surface.Count(kSurfaceColor), 44 * 34 - (outer.right - outer.left) * (outer.bottom - outer.top))
            << c.what;
    }
    // Without a border style nothing but the content is drawn.
    TPaintSurface surface(44, 34, kSurfaceColor);
    TcxContainerViewInfo bare;
    SetClassicFrame(bare, cbsNone, 0);
    bare.PaintOn(surface.Canvas());
    EXPECT_EQ(surface.Count(clYellow), 32 * 22);
    EXPECT_EQ(surface.Count(kSurfaceColor), 44 * 34 - 32 * 22);
}

TEST(ContainerViewInfo, ShadowBandsBelowAndRight) {
    TPaintSurface surface(44, 34, kSurfaceColor);
    TcxContainerViewInfo viewInfo;
    SetClassicFrame(viewInfo, cbsSingle, 1);
    viewInfo.Shadow = true;
    viewInfo.PaintOn(surface.Canvas());
    // The frame is (3, 3, 37, 27); the bands are (6, 27, 37, 30) and (37, 6, 40, 30).
    const TRect bottom{6, 27, 37, 30}, right{37, 6, 40, 30};
    EXPECT_EQ(surface.Count(clBtnShadow, bottom), 31 * 3);
    EXPECT_EQ(surface.Count(clBtnShadow, right), 3 * 24);
    EXPECT_EQ(surface.Count(clBtnShadow), 31 * 3 + 3 * 24);
    EXPECT_EQ(surface.At(5, 28), RgbColor(kSurfaceColor));  // the bands start 3 pixels in
    EXPECT_EQ(surface.At(38, 5), RgbColor(kSurfaceColor));
    EXPECT_EQ(surface.At(36, 26), RgbColor(clRed));  // the frame's corner stays the frame's
}

// Records which theme parts the border colour is asked of, answering lime.
struct TThemeColorQuery {
    HTHEME theme;
    int part, state, property;
    bool operator==(const TThemeColorQuery&) const = default;
};
std::vector<TThemeColorQuery>& ThemeColorQueries() {
    static std::vector<TThemeColorQuery> queries;
    return queries;
}
HRESULT WINAPI RecordThemeColor(HTHEME theme, int part, int state, int property, COLORREF* color) {
    ThemeColorQueries().push_back({theme, part, state, property});
    *color = RGB(0, 255, 0);
    return S_OK;
}
HRESULT WINAPI CompositionOn(BOOL* enabled) {
    *enabled = TRUE;
    return S_OK;
}
HRESULT WINAPI CompositionOff(BOOL* enabled) {
    *enabled = FALSE;
    return S_OK;
}

TEST(ContainerViewInfo, NativeFrameTakesTheThemeBorderColourAroundTheContent) {
    TRecordingVisualStyles styles;
    FARPROC savedColor = SetUxThemeEntry("GetThemeColor", AsProc(&RecordThemeColor));
    FARPROC savedComposition = GetDwmEntry("DwmIsCompositionEnabled");
    struct Case {
        const char* what;
        FARPROC composition;
        TdxThemedObjectType type;
        int part;
    } cases[] = {
        {"composition on", AsProc(&CompositionOn), totListBox, 3},
        {"composition off", AsProc(&CompositionOff), totComboBox, 1},
    };
    for (const Case& c : cases) {
        SetDwmEntry("DwmIsCompositionEnabled", c.composition);
        ThemeColorQueries().clear();
        TPaintSurface surface(30, 20, kSurfaceColor);
        TcxContainerViewInfo viewInfo;
        viewInfo.NativeStyle = true;
        viewInfo.BorderStyle = cbsSingle;
        viewInfo.Bounds = TRect{0, 0, 30, 20};
        viewInfo.BackgroundColor = clYellow;
        viewInfo.PaintOn(surface.Canvas());
        // The stand-in's content rectangle is 3 pixels in.
        EXPECT_EQ(surface.Count(clYellow), 24 * 14) << c.what;
        EXPECT_EQ(surface.Count(clYellow, TRect{3, 3, 27, 17}), 24 * 14) << c.what;
        EXPECT_EQ(surface.Count(clLime), 30 * 20 - 24 * 14) << c.what;
        EXPECT_EQ(ThemeColorQueries(), (std::vector<TThemeColorQuery>{{GetThemeHandle(c.type), c.part, 1, 3801}}))
            << c.what;
        EXPECT_EQ(viewInfo.BorderColor, clLime) << c.what;
    }
    // Without a border the bounds are all background, and no colour is asked.
    ThemeColorQueries().clear();
    TPaintSurface surface(30, 20, kSurfaceColor);
    TcxContainerViewInfo viewInfo;
    viewInfo.NativeStyle = true;
    viewInfo.Bounds = TRect{0, 0, 30, 20};
    viewInfo.BackgroundColor = clYellow;
    viewInfo.PaintOn(surface.Canvas());
    EXPECT_EQ(surface.Count(clYellow), 30 * 20);
    EXPECT_TRUE(ThemeColorQueries().empty());
    SetDwmEntry("DwmIsCompositionEnabled", savedComposition);
    SetUxThemeEntry("GetThemeColor", savedColor);
}

TEST(ContainerViewInfo, FillRectOutsideCases) {
    struct Case {
        const char* what;
        TRect bounds, content;
        int filled;
    } cases[] = {
        {"a ring", {0, 0, 10, 10}, {2, 2, 8, 8}, 100 - 36},
        {"no content", {0, 0, 10, 10}, {5, 5, 5, 5}, 100},
        {"content equals bounds", {0, 0, 10, 10}, {0, 0, 10, 10}, 0},
        {"empty bounds", {3, 3, 3, 10}, {0, 0, 0, 0}, 0},
    };
    for (const Case& c : cases) {
        TPaintSurface surface(10, 10, kSurfaceColor);
        FillRectOutside(surface.Canvas(), c.bounds, c.content, clRed);
        EXPECT_EQ(surface.Count(clRed), c.filled) << c.what;
    }
}

TEST(ContainerViewInfo, MoveAndCopy) {
    TcxContainerViewInfo a, b;
    SetClassicFrame(a, cbsSingle, 1);
    a.ClientRect = TRect{1, 2, 3, 4};
    a.MoveBy(10, 20);
    EXPECT_EQ(RectCode(a.BorderRect), RectCode(TRect{14, 24, 46, 46}));
    EXPECT_EQ(RectCode(a.Bounds), RectCode(TRect{10, 20, 54, 54}));
    EXPECT_EQ(RectCode(a.ClientRect), RectCode(TRect{11, 22, 13, 24}));
    b.CopyFrom(&a);
    EXPECT_EQ(RectCode(b.ClientRect), RectCode(a.ClientRect));
    EXPECT_EQ(b.BorderStyle, cbsNone);  // only the client rectangle travels
    std::unique_ptr<TcxRegion> region(a.CreateChangeRegion(&b));
    EXPECT_TRUE(region->IsEmpty());
}

}  // namespace
