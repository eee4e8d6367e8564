#include "dxStatusBarPainter.h"

#include "cxGraphics.h"
#include "dxOffice11.h"
#include "dxStatusBar.h"
#include "dxStatusBarContainerPanel.h"
#include "dxThemeManager.h"

// Sections: the painter interface · standard · flat · Office-style · visual-style.

namespace {

// Parts of the visual style's status-bar class.
constexpr int kStatusBackgroundPart = 0;
constexpr int kStatusPanePart = 1;
constexpr int kStatusGripperPart = 3;
constexpr int kThemeTrueSize = 1;  // the part's size as drawn (TS_TRUE)

// The system's size grip drawn over whatever lies under it: rendered off-screen, every pixel of
// the button-face colour is masked out, the rest is copied.
void DrawSizeGripOverBackground(HDC dc, const TRect& grip) {
    const int width = grip.right - grip.left, height = grip.bottom - grip.top;
    if (width <= 0 || height <= 0) return;
    HDC image = CreateCompatibleDC(dc);
    HBITMAP imageBitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ oldImage = SelectObject(image, imageBitmap);
    RECT local{0, 0, width, height};
    FillRect(image, &local, GetSysColorBrush(COLOR_BTNFACE));
    DrawFrameControl(image, &local, DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    // A monochrome copy: 1 where the rendering shows the button face (the copy's background).
    HDC mask = CreateCompatibleDC(dc);
    HBITMAP maskBitmap = CreateBitmap(width, height, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(mask, maskBitmap);
    SetBkColor(image, GetSysColor(COLOR_BTNFACE));
    BitBlt(mask, 0, 0, width, height, image, 0, 0, SRCCOPY);
    // Mask bit 1 keeps the destination, 0 takes the grip's pixel.
    constexpr DWORD kKeepDestination = 0x00AA0029;
    MaskBlt(dc, grip.left, grip.top, width, height, image, 0, 0, maskBitmap, 0, 0, MAKEROP4(kKeepDestination, SRCCOPY));
    SelectObject(mask, oldMask);
    DeleteObject(maskBitmap);
    DeleteDC(mask);
    SelectObject(image, oldImage);
    DeleteObject(imageBitmap);
    DeleteDC(image);
}

HTHEME StatusBarTheme() { return GetThemeHandle(totStatus); }

// The theme's size of a status-bar part, or the fallback when the theme does not say.
TSize ThemePartSize(int part, TSize fallback) {
    SIZE size{};
    HTHEME theme = StatusBarTheme();
    if (theme && SUCCEEDED(GetThemePartSizeNoRect(theme, nullptr, part, 0, kThemeTrueSize, &size))) return size;
    return fallback;
}

}  // namespace

// ---- the painter interface -----------------------------------------------------------------

TdxStatusBarPainterClass TdxStatusBarPainter::Instance() {
    static const TdxStatusBarPainter painter;
    return &painter;
}

void TdxStatusBarPainter::DrawContainerControl(TdxStatusBarContainerPanelStyle* style) const {
    TdxStatusBarContainerControl* container = style->Container();
    TdxCustomStatusBar* bar = style->StatusBar();
    if (!container || !bar) return;
    TcxCanvas* canvas = container->cxCanvas();
    // The bar's frame as it lies behind the container.
    TRect r = bar->ClientBounds();
    OffsetRect(&r, -container->Left(), -container->Top());
    DrawBorder(bar, canvas, r);
    FillPanelBackground(bar, canvas, container->ClientRect(), style->Owner());
}

TRect TdxStatusBarPainter::GetBorderMargins(TdxCustomStatusBar* bar) const {
    const int border = bar->BorderWidth();
    return TRect{border, GetTopIndent() + border, border, border};
}

void TdxStatusBarPainter::DrawBorder(TdxCustomStatusBar* bar, TcxCanvas* canvas, TRect& r) const {
    TRect indent = r;
    indent.bottom = std::min(r.bottom, r.top + GetTopIndent());
    FillTopIndent(bar, canvas, indent);
    r.top = indent.bottom;
    const int border = bar->BorderWidth();
    if (border < 1) return;
    const TColor color = bar->Color();
    canvas->FillRectWithColor(TRect{r.left, r.top, r.right, r.top + border}, color);
    canvas->FillRectWithColor(TRect{r.left, r.bottom - border, r.right, r.bottom}, color);
    canvas->FillRectWithColor(TRect{r.left, r.top, r.left + border, r.bottom}, color);
    canvas->FillRectWithColor(TRect{r.right - border, r.top, r.right, r.bottom}, color);
    InflateRect(&r, -border, -border);
}

void TdxStatusBarPainter::DrawEmptyPanel(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const {
    TRect inner = r;
    DrawPanelBorder(bar, canvas, inner, dxpbLowered);
    FillPanelBackground(bar, canvas, inner, nullptr);
}

void TdxStatusBarPainter::DrawPanel(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r,
                                    TdxStatusBarPanel* panel) const {
    if (!panel) {
        DrawEmptyPanel(bar, canvas, r);
        return;
    }
    if (!panel->Visible()) {
        FillPanelBackground(bar, canvas, r, nullptr);
        return;
    }
    TRect inner = r;
    TdxStatusBarPanelStyle* style = panel->PanelStyle();
    if (!ClipsSizeGrip() && style) style->AdjustContentRect(inner);
    DrawPanelBorder(bar, canvas, inner, GetPanelBevel(panel));
    if (panel->OnDrawPanel) {
        bool done = false;
        panel->OnDrawPanel(panel, canvas, inner, done);
        if (done) return;
    }
    if (style)
        style->DrawContent(canvas, inner, this);
    else
        FillPanelBackground(bar, canvas, inner, panel);
}

void TdxStatusBarPainter::DrawSizeGrip(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r,
                                       bool overlapped) const {
    TRect inner = r;
    InflateRect(&inner, -1, -1);
    const TSize size = GetSizeGripSize();
    const TRect grip{inner.right - size.cx, inner.bottom - size.cy, inner.right, inner.bottom};
    TRect filled = grip;
    if (overlapped) filled.right += 1;
    const TColor color = bar->Color();
    canvas->FillRectWithColor(filled, color);
    DrawSizeGripOverBackground(canvas->GetCanvasHandle(), grip);
    // The margin around the grip's corner, which the last panel's bevel would otherwise cross.
    const TSize corner = GetSizeGripCornerSize();
    const TRect row{inner.right - corner.cx, inner.bottom, inner.right + 1, inner.bottom + 1};
    const TRect column{inner.right, inner.bottom - corner.cy, inner.right + 1, inner.bottom};
    canvas->FillRectWithColor(row, color);
    canvas->FillRectWithColor(column, color);
    canvas->ExcludeRectFromClip(filled);
    canvas->ExcludeRectFromClip(row);
    canvas->ExcludeRectFromClip(column);
}

void TdxStatusBarPainter::FillTopIndent(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const {
    canvas->FillRectWithColor(r, bar->Color());
}

TdxStatusBarPanelBevel TdxStatusBarPainter::GetPanelBevel(TdxStatusBarPanel* panel) const {
    if (!panel) return dxpbLowered;
    if (panel->PanelStyle() && panel->PanelStyle()->DrawsOwnBorders()) return dxpbNone;
    return panel->Bevel();
}

TColor TdxStatusBarPainter::GetPanelColor(TdxCustomStatusBar* bar, TdxStatusBarPanel* panel) const {
    if (panel && panel->PanelStyle()) return panel->PanelStyle()->Color();
    return bar->Color();
}

// ---- standard ------------------------------------------------------------------------------

const TdxStatusBarStandardPainter* TdxStatusBarStandardPainter::Instance() {
    static const TdxStatusBarStandardPainter painter;
    return &painter;
}

void TdxStatusBarStandardPainter::DrawPanelBorder(TdxCustomStatusBar*, TcxCanvas* canvas, TRect& r,
                                                  TdxStatusBarPanelBevel bevel) const {
    if (bevel == dxpbNone) return;
    RECT edge = r;
    DrawEdge(canvas->GetCanvasHandle(), &edge, bevel == dxpbLowered ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
}

void TdxStatusBarStandardPainter::DrawPanelSeparator(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r) const {
    canvas->FillRectWithColor(r, bar->Color());
}

void TdxStatusBarStandardPainter::FillPanelBackground(TdxCustomStatusBar* bar, TcxCanvas* canvas, const TRect& r,
                                                      TdxStatusBarPanel* panel) const {
    canvas->FillRectWithColor(r, GetPanelColor(bar, panel));
}

// ---- flat ----------------------------------------------------------------------------------

const TdxStatusBarFlatPainter* TdxStatusBarFlatPainter::Instance() {
    static const TdxStatusBarFlatPainter painter;
    return &painter;
}

void TdxStatusBarFlatPainter::DrawPanelBorder(TdxCustomStatusBar*, TcxCanvas* canvas, TRect& r,
                                              TdxStatusBarPanelBevel bevel) const {
    if (bevel == dxpbNone) return;
    // The frame is filled with the brush, which a caption before may have left clear.
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
    canvas->FrameRectBorders(r, clBtnShadow);
    InflateRect(&r, -1, -1);
}

// ---- Office-style --------------------------------------------------------------------------

const TdxStatusBarOffice11Painter* TdxStatusBarOffice11Painter::Instance() {
    static const TdxStatusBarOffice11Painter painter;
    return &painter;
}

// The gradient runs from the colour set's light to its dark header colour, the pair that the
// Office-style docks and headers are shaded with.
void TdxStatusBarOffice11Painter::DrawBorder(TdxCustomStatusBar*, TcxCanvas* canvas, TRect& r) const {
    const TdxOffice11Colors& colors = Office11Colors();
    FillRectWithMidpointGradient(canvas->GetCanvasHandle(), r, colors.HeaderLightColor, colors.HeaderDarkColor, false);
    InflateRect(&r, -1, -1);
}

void TdxStatusBarOffice11Painter::DrawPanelBorder(TdxCustomStatusBar*, TcxCanvas* canvas, TRect& r,
                                                  TdxStatusBarPanelBevel bevel) const {
    if (bevel == dxpbNone) return;
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
    canvas->FrameRectBorders(r, MixColorsByPercent(Office11Colors().HeaderDarkColor, clBlack, 90));
    InflateRect(&r, -1, -1);
}

void TdxStatusBarOffice11Painter::DrawSizeGrip(TdxCustomStatusBar*, TcxCanvas* canvas, const TRect& r,
                                               bool overlapped) const {
    const TRect inner{r.left, r.top + 1, r.right, r.bottom - 1};
    const TSize size = GetSizeGripSize();
    const TRect grip{inner.right - size.cx, inner.bottom - size.cy, inner.right, inner.bottom};
    Office11DrawResizeGrip(canvas->GetCanvasHandle(), grip);
    TRect excluded = grip;
    if (!overlapped) excluded.right -= 1;
    canvas->ExcludeRectFromClip(excluded);
}

// ---- visual-style --------------------------------------------------------------------------

const TdxStatusBarXPPainter* TdxStatusBarXPPainter::Instance() {
    static const TdxStatusBarXPPainter painter;
    return &painter;
}

TRect TdxStatusBarXPPainter::GetBorderMargins(TdxCustomStatusBar*) const { return TRect{0, GetTopIndent(), 0, 0}; }

TSize TdxStatusBarXPPainter::GetSizeGripSize() const {
    return ThemePartSize(kStatusGripperPart, TdxStatusBarPainter::GetSizeGripSize());
}

int TdxStatusBarXPPainter::GetSeparatorSize() const {
    return ThemePartSize(kStatusPanePart, TSize{TdxStatusBarPainter::GetSeparatorSize(), 0}).cx;
}

void TdxStatusBarXPPainter::DrawBorder(TdxCustomStatusBar*, TcxCanvas* canvas, TRect& r) const {
    DrawThemeBackground(StatusBarTheme(), canvas->GetCanvasHandle(), kStatusBackgroundPart, 0, &r, nullptr);
    r.top += GetTopIndent();
}

void TdxStatusBarXPPainter::DrawPanelSeparator(TdxCustomStatusBar*, TcxCanvas* canvas, const TRect& r) const {
    DrawThemeBackground(StatusBarTheme(), canvas->GetCanvasHandle(), kStatusPanePart, 0, &r, nullptr);
}

void TdxStatusBarXPPainter::DrawSizeGrip(TdxCustomStatusBar*, TcxCanvas* canvas, const TRect& r,
                                         bool overlapped) const {
    const TRect inner{r.left + 1, r.top, r.right - 1, r.bottom};
    const TSize size = GetSizeGripSize();
    const TRect grip{inner.right - size.cx, inner.bottom - size.cy, inner.right, inner.bottom};
    DrawThemeBackground(StatusBarTheme(), canvas->GetCanvasHandle(), kStatusGripperPart, 0, &grip, nullptr);
    TRect excluded = grip;
    if (overlapped) excluded.right += 1;
    canvas->ExcludeRectFromClip(excluded);
}
