#include "cxContainerViewInfo.h"

#include "cxDWMApi.h"
#include "cxGeometry.h"
#include "dxUxTheme.h"

namespace {

constexpr int kContainerShadowDepth = 3;
constexpr int kThemeBorderColorProperty = 3801;  // TMT_BORDERCOLOR

}  // namespace

void DrawContainerShadow(TcxCanvas* canvas, const TRect& r) {
    const TRect bands[] = {
        {r.left + kContainerShadowDepth, r.bottom, r.right, r.bottom + kContainerShadowDepth},
        {r.right, r.top + kContainerShadowDepth, r.right + kContainerShadowDepth, r.bottom + kContainerShadowDepth},
    };
    for (const TRect& band : bands) {
        canvas->FillRectWithColor(band, clBtnShadow);
        canvas->ExcludeRectFromClip(band);
    }
}

void FillRectOutside(TcxCanvas* canvas, const TRect& bounds, const TRect& content, TColor color) {
    if (IsRectEmpty(&bounds) || EqualRect(&bounds, &content)) return;
    if (IsRectEmpty(&content)) return canvas->FillRectWithColor(bounds, color);
    canvas->FillRectWithColor(TRect{bounds.left, bounds.top, content.left, bounds.bottom}, color);
    canvas->FillRectWithColor(TRect{content.left, bounds.top, content.right, content.top}, color);
    canvas->FillRectWithColor(TRect{content.right, bounds.top, bounds.right, bounds.bottom}, color);
    canvas->FillRectWithColor(TRect{content.left, content.bottom, content.right, bounds.bottom}, color);
}

void TcxContainerViewInfo::CopyFrom(TObject* other) {
    if (auto* viewInfo = dynamic_cast<TcxContainerViewInfo*>(other)) ClientRect = viewInfo->ClientRect;
}

TcxRegion* TcxContainerViewInfo::CreateChangeRegion(TcxContainerViewInfo*) { return TcxRegion::CreateEmpty(); }

void TcxContainerViewInfo::MoveBy(int dx, int dy) {
    OffsetRect(&BorderRect, dx, dy);
    OffsetRect(&Bounds, dx, dy);
    OffsetRect(&ClientRect, dx, dy);
}

void TcxContainerViewInfo::DrawFrame(TcxCanvas* canvas, const TRect& r) {
    if (Painter || BorderStyle == cbsSingle || BorderStyle == cbsThick)
        return canvas->FrameRectBorders(r, BorderColor, BorderWidth, cxBordersAll);
    if (BorderStyle != cbsFlat && BorderStyle != cbs3D) return;
    canvas->DrawBevelBorders(r, true, true, Edges);
    const TRect inner = InflateRectSides(r, -1, -1, -1, -1);
    if (BorderStyle == cbsFlat)
        canvas->FrameRectBorders(inner, clBtnFace, 1, cxBordersAll);
    else
        canvas->DrawTwoToneBorders(inner, cl3DDkShadow, cl3DLight, Edges, 1);
}

void TcxContainerViewInfo::PaintContents(TcxCanvas* canvas) {
    if (NativeStyle) {
        if (BorderStyle == cbsNone) return canvas->FillRectWithColor(Bounds, BackgroundColor);
        TRect content = Bounds;
        HTHEME theme = GetThemeHandle(ThemedObjectType);
        GetThemeBackgroundContentRect(theme, canvas->GetCanvasHandle(), 1, NativeState, &Bounds, &content);
        canvas->FillRectWithColor(content, BackgroundColor);
        // The edit-like border of the system: the list box's under desktop composition, else the
        // combo box's.
        COLORREF themeColor;
        HRESULT found = IsDwmCompositionActive()
                            ? GetThemeColor(GetThemeHandle(totListBox), 3, 1, kThemeBorderColorProperty, &themeColor)
                            : GetThemeColor(GetThemeHandle(totComboBox), 1, 1, kThemeBorderColorProperty, &themeColor);
        if (SUCCEEDED(found)) BorderColor = TColor(themeColor);
        return FillRectOutside(canvas, Bounds, content, BorderColor);
    }
    const int w = BorderWidth;
    TRect r{BorderRect.left - w, BorderRect.top - w, BorderRect.right, BorderRect.bottom};
    if (Edges.Contains(bRight)) r.right += w;
    if (Edges.Contains(bBottom)) r.bottom += w;
    if (Shadow) DrawContainerShadow(canvas, r);
    if (!Edges.Contains(bRight)) r.right += w;
    if (!Edges.Contains(bBottom)) r.bottom += w;
    DrawFrame(canvas, r);
    canvas->FillRectWithColor(BorderRect, BackgroundColor);
}
