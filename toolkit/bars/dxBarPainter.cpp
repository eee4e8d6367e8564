// The base painter: bars, docks, floating frames, marks and status bars.

#include "dxBarPainter.h"

#include <cmath>

#include "Bitmap.h"
#include "Colors.h"
#include "cxGraphics.h"
#include "dxBarBackgrounds.h"
#include "dxBarDrawing.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarStylePainters.h"
#include "dxBarUnit.h"
#include "dxBarUtils.h"
#include "dxOffice11.h"

namespace {
TdxBarPainter* flatPainter = nullptr;
TdxBarPainterClass skinBarPainterClass = nullptr;

// What a control that gives no painting answers of its own is drawn with.
class TNeutralPaintedWindow final : public IdxBarPaintedWindow {
public:
    TRect ClientRect() const override { return TRect{}; }
    void FillBk(HDC dc, const TRect& rect, HBRUSH brush, TColor color, bool) override {
        FillRectWithBackground(dc, rect, brush, color);
    }
};
class TNeutralPaintedControl final : public IdxBarPaintedControl {
public:
    IdxBarPaintedWindow* PaintedWindow() const override { return &window_; }

private:
    mutable TNeutralPaintedWindow window_;
};

bool IsHorizontalDock(TdxBarDockingStyle style) { return style == dsTop || style == dsBottom; }

// The picture tiled from the origin's corner when there is one, else the brush, else the colour.
void FillBackgroundFrom(HDC dc, const TRect& paintRect, const TRect& origin, TBitmap* picture, HBRUSH brush,
                        TColor color) {
    if (picture && !picture->Empty())
        TileBitmapInRect(dc, paintRect, origin, picture);
    else
        FillRectWithBackground(dc, paintRect, brush, color);
}
}  // namespace

IdxBarPaintedControl* PaintedControlOf(TdxBarItemControl* control) {
    static TNeutralPaintedControl neutral;
    auto* painted = dynamic_cast<IdxBarPaintedControl*>(control);
    return painted ? painted : &neutral;
}

// ---- what the painter is ---------------------------------------------------------------------

bool TdxBarPainter::SupportsFading() { return dynamic_cast<IdxBarSkinPainter*>(this) != nullptr; }

bool TdxBarPainter::UsesFadedDisabledImages(W* window) const {
    TdxBarManager* manager = window ? window->Manager() : nullptr;
    return manager && manager->MakeDisabledImagesFaded();
}

bool TdxBarPainter::UsesFlatColors() const { return IsFlatStyle() && !IsButtonFaceWhite(); }

void TdxBarPainter::AssignLookAndFeel(TdxBarManager* manager, TcxLookAndFeel* lookAndFeel) const {
    if (manager) manager->AssignLookAndFeelTo(lookAndFeel);
}

TdxBarHintViewInfo* TdxBarPainter::CreateBarHintViewInfo(TdxBarManager*, const String&, const String&,
                                                         TObject*) const {
    return nullptr;
}

void TdxBarPainter::CalcHintPos(W* window, const TRect& itemRect, const TPoint& startPos, int, TPoint& pos) const {
    pos = startPos;
    HWND handle = window->WindowHandle();
    if (!handle) return;
    TRect screen = itemRect;
    MapWindowPoints(handle, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    pos = window->ScreenTipPos(screen);
}

// ---- bars --------------------------------------------------------------------------------

void TdxBarPainter::DrawBarBk(W* window) const {
    HWND handle = window->WindowHandle();
    HDC dc = handle ? GetDC(handle) : nullptr;
    if (!dc) return;
    window->FillBk(dc, window->ClientRect(), window->BkBrush(), clNone, true);
    ReleaseDC(handle, dc);
}

void TdxBarPainter::FillBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                              TColor color) const {
    IdxBarPaintedBar* bar = window->Bar();
    TBitmap* picture = bar ? bar->BackgroundBitmap() : nullptr;
    if (picture && !picture->Empty()) {
        FillBackgroundFrom(dc, paintRect, rect, picture, nullptr, clNone);
        return;
    }
    TdxBarManager* manager = window->Manager();
    TBitmap* managerPicture = manager ? manager->Backgrounds()->Bar() : nullptr;
    if (bar && bar->IsStatusBar() && (!managerPicture || managerPicture->Empty())) {
        TRect client = window->ClientRect();
        DrawStatusBarBk(window, dc, paintRect, rect, Rect(0, 0, RectWidth(client), RectHeight(client)), brush, color);
        return;
    }
    if (bar && bar->Color() != clDefault) {
        FillRectWithBackground(dc, paintRect, nullptr, bar->Color());
        return;
    }
    if (window->DockingStyle() != dsNone)
        FillDockedBarBk(window, dc, paintRect, rect, brush, color);
    else
        FillFloatBarBk(window, dc, paintRect, rect, brush, color);
}

void TdxBarPainter::FillDockedBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH,
                                    TColor) const {
    // The dock's own background runs on under the bar from where the bar sits in it.
    TRect origin = rect;
    TPoint at = window->PositionInDock();
    OffsetRect(&origin, at.x, at.y);
    window->FillDockBk(dc, paintRect, origin);
}

void TdxBarPainter::FillFloatBarBk(W* window, HDC dc, const TRect& paintRect, const TRect& rect, HBRUSH brush,
                                   TColor color) const {
    TdxBarManager* manager = window->Manager();
    TBitmap* picture = manager ? manager->Backgrounds()->Bar() : nullptr;
    FillBackgroundFrom(dc, paintRect, rect, picture, brush, color);
}

HBRUSH TdxBarPainter::GetToolbarBrush() const { return HBRUSH(INT_PTR(COLOR_BTNFACE + 1)); }

HBRUSH TdxBarPainter::GetDownedBrush() const { return CheckerBrush(); }

bool TdxBarPainter::BarControlHasShadow(W* window) const { return IsFlatLook() && window->DockingStyle() == dsNone; }

void TdxBarPainter::GetBarBorderSizes(int& horizontal, int& vertical) const {
    horizontal = 2;
    vertical = 2;
}

void TdxBarPainter::CalcBarNonClientOffsets(IdxBarPaintedBar* bar, TdxBarDockingStyle dockingStyle,
                                            bool withSizeGrip, TRect& rect) const {
    IdxBarPaintedWindow* window = bar->Window();
    if (dockingStyle == dsNone) {
        rect = Rect(GetFloatBorderWidth(), GetFloatBorderHeight(), GetFloatBorderWidth(), GetFloatBorderHeight());
        if (!window || window->ShowsFloatCaption()) {
            rect.left += GetFloatExtraSide();
            rect.right += GetFloatExtraSide();
            rect.top += GetFloatCaptionAreaHeight() + GetFloatExtraTop();
            rect.bottom += GetFloatExtraBottom();
        }
    } else if (bar->HasSingleBorder()) {
        GetDockedBarMargins(bar, dockingStyle, rect);
        int grip = window && window->ShowsDragGrip() ? GetDragAreaSize(window) : GetNoGripIndent();
        if (IsHorizontalDock(dockingStyle))
            rect.left += grip;
        else
            rect.top += grip;
    } else {
        rect = Rect(0, 0, 0, 0);
        if (bar->IsStatusBar()) {
            TRect margins;
            GetStatusBarMargins(margins);
            rect.left += margins.left;
            rect.top += GetStatusBarTopIndent() + margins.top;
            rect.right += margins.right;
            rect.bottom += margins.bottom;
        }
        if (withSizeGrip) {
            TSize grip;
            GetSizeGripWidth(window ? window->Manager() : nullptr, grip);
            rect.right += grip.cx;
        }
    }
}

int TdxBarPainter::CalcBarItemHeight(W* window) const {
    int value = window->UsesLargeMenuItems() ? int(std::nearbyint(window->SizeRatio() * 40)) : window->TextSize();
    AdjustMenuItemSize(value);
    return value;
}

void TdxBarPainter::CalcDockedBarBorders(TdxBarDockingStyle, TRect& rect) const {
    int size = GetDockedBarBorderSize();
    rect = Rect(size, size, size, size);
}

void TdxBarPainter::GetDockedBarMargins(IdxBarPaintedBar*, TdxBarDockingStyle, TRect& rect) const {
    rect = Rect(2, 2, 2, 2);
}

void TdxBarPainter::DrawBarSizeGrip(W* window, HDC dc, const TRect& gripRect, HBRUSH) const {
    TdxBarManager* manager = window->Manager();
    if (UsesNativeBk(window, gripRect) && manager && manager->IsThemeAvailable())
        DrawThemeSizeGrip(dc, gripRect, 0);
    else
        DrawSizeGripTransparent(dc, gripRect);
}

// ---- docks and separators ------------------------------------------------------------------

void TdxBarPainter::DrawDockBk(TdxDockControl*, HDC dc, const TRect& paintRect, const TRect&, const TRect&,
                               HBRUSH brush, TColor color) const {
    FillRectWithBackground(dc, paintRect, brush, color);
}

void TdxBarPainter::DrawBarSeparator(W* window, HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const {
    int offset = GetSeparatorOffset();
    RECT line = rect;
    if (horizontal) {
        window->FillBk(dc, Rect(rect.left, rect.top, rect.right, rect.top + offset), brush, clNone, true);
        window->FillBk(dc, Rect(rect.left, rect.bottom - offset, rect.right, rect.bottom), brush, clNone, true);
        InflateRect(&line, 0, -offset);
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    } else {
        window->FillBk(dc, Rect(rect.left, rect.top, rect.left + offset, rect.bottom), brush, clNone, true);
        window->FillBk(dc, Rect(rect.right - offset, rect.top, rect.right, rect.bottom), brush, clNone, true);
        InflateRect(&line, -offset, 0);
        DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
}

void TdxBarPainter::DrawExtraPaneBk(W* window, TcxCanvas* canvas, const TRect& rect, HBRUSH brush,
                                    TColor color) const {
    FillRectWithBackground(canvas->GetCanvasHandle(), rect, brush, color, window->BackgroundBitmap());
}

void TdxBarPainter::DrawExtraPaneSeparator(W* window, TcxCanvas* canvas, const TRect& rect, HBRUSH brush,
                                           bool horizontal) const {
    DrawBarSeparator(window, canvas->GetCanvasHandle(), rect, brush, horizontal);
}

// ---- floating frames and captions ----------------------------------------------------------

int TdxBarPainter::GetFloatBorderWidth() const { return GetSystemMetrics(SM_CXFRAME); }
int TdxBarPainter::GetFloatBorderHeight() const { return GetSystemMetrics(SM_CYFRAME); }
int TdxBarPainter::GetFloatCaptionHeight() const { return ReadNonClientMetrics().iSmCaptionHeight; }

void TdxBarPainter::CalcFloatCaptionRect(const TRect& windowRect, TRect& captionRect) const {
    captionRect = windowRect;
    captionRect.left += GetFloatBorderWidth();
    captionRect.right -= GetFloatBorderWidth();
    captionRect.top += GetFloatBorderHeight();
    captionRect.bottom = captionRect.top + GetFloatCaptionHeight();
}

void TdxBarPainter::GetCloseButtonSize(TSize& size) const {
    size.cx = GetFloatCaptionHeight();
    size.cy = size.cx;
}

void TdxBarPainter::FillBarCaption(W*, HDC dc, const TRect& rect, HBRUSH brush) const { FillRect(dc, &rect, brush); }

TColor TdxBarPainter::GetBarCaptionBackColor(W*, bool mainFormActive) const {
    return mainFormActive ? clActiveCaption : clInactiveCaption;
}

void TdxBarPainter::GetFloatCaptionOffset(W* window, int& x, const TRect&) const {
    x = window->CaptionButtonsRect().right + 3;
}

void TdxBarPainter::DrawFloatCaption(W* window, HDC dc, const TRect& captionRect, const TRect&, HBRUSH brush) const {
    TRect caption = captionRect;
    TRect line = Rect(caption.left, caption.bottom, caption.right, caption.bottom + 1);
    FillRect(dc, &line, brush);
    bool transparent = DrawsCaptionTransparent();
    if (transparent) FillBarCaption(window, dc, caption, brush);
    if (window->HasCloseButton()) {
        caption.right -= GetFloatCaptionHeight();
        window->DrawFloatCloseButton(dc, Rect(caption.right, caption.top, caption.right + GetFloatCaptionHeight(),
                                              caption.bottom));
    }
    int x = caption.left + 2;
    if (window->ShowsMark()) GetFloatCaptionOffset(window, x, caption);
    if (RectWidth(caption) > 0) {
        bool active = window->IsMainFormActive();
        HFONT font = window->CreateCaptionFont();
        HGDIOBJ oldFont = font ? SelectObject(dc, font) : nullptr;
        String text = window->Caption();
        TSize extent{};
        GetTextExtentPoint32W(dc, text.c_str(), int(text.length()), &extent);
        COLORREF oldText = SetTextColor(dc, ColorToRGB(GetBarCaptionTextColor(window)));
        COLORREF oldBack = SetBkColor(dc, ColorToRGB(GetBarCaptionBackColor(window, active)));
        int oldMode = 0;
        UINT options = ETO_CLIPPED;
        if (transparent)
            oldMode = SetBkMode(dc, TRANSPARENT);
        else
            options |= ETO_OPAQUE;
        int y = (caption.top + caption.bottom - extent.cy) / 2;
        ExtTextOutW(dc, x, y, options, &caption, text.c_str(), UINT(text.length()), nullptr);
        if (transparent) SetBkMode(dc, oldMode);
        SetBkColor(dc, oldBack);
        SetTextColor(dc, oldText);
        if (font) {
            SelectObject(dc, oldFont);
            DeleteObject(font);
        }
    }
    if (window->ShowsMark()) {
        TRect mark;
        CalcMarkRect(window, mark);
        DrawFloatMark(window, dc, mark);
    }
}

void TdxBarPainter::DrawCaptionButtonFace(W* window, HDC dc, const TRect& rect, int state) const {
    if (state == 0) {
        FillRectWithBackground(dc, rect, nullptr, GetBarCaptionBackColor(window, window->IsMainFormActive()));
        return;
    }
    DrawFlatSelectionFrame(dc, rect);
    TRect inner = rect;
    InflateRect(&inner, -1, -1);
    FillRect(dc, &inner, state == 1 ? window->SelBrush() : window->DownedSelBrush());
}

// ---- marks -------------------------------------------------------------------------------

void TdxBarPainter::CalcMarkRect(W* window, TRect& rect) const {
    TRect client = window->ClientRect();
    int w = RectWidth(client), h = RectHeight(client), size = window->MarkSize();
    switch (window->DockingStyle()) {
        case dsLeft:
        case dsRight: rect = Rect(0, h - size, w, h); break;
        case dsTop:
        case dsBottom: rect = Rect(w - size, 0, w, h); break;
        default: {
            TRect area = window->CaptionButtonsRect();
            rect = area;
            rect.left = rect.right - RectHeight(area);
            if (window->HasCloseButton()) {
                TSize close;
                GetCloseButtonSize(close);
                OffsetRect(&rect, -(close.cx + 1), 0);
            }
            if (rect.left < area.left) rect.left = area.left;
        }
    }
}

void TdxBarPainter::InvalidateMark(W* window) const {
    if (window->DockingStyle() == dsNone) {
        window->DrawFloatMarkNow();
        return;
    }
    TRect mark;
    CalcMarkRect(window, mark);
    if (HWND handle = window->WindowHandle()) InvalidateRect(handle, &mark, FALSE);
}

void TdxBarPainter::DrawMark(W* window, TcxCanvas* canvas, const TRect& rect, int state) const {
    HDC dc = canvas->GetCanvasHandle();
    if (!window->DrawMarkFading(dc, rect)) DrawMarkBk(window, dc, rect, state);
    DrawMarkContent(window, dc, rect);
}

void TdxBarPainter::DrawMarkContent(W* window, HDC dc, const TRect& rect) const {
    bool horizontal = IsHorizontalDock(window->DockingStyle());
    if (AllowsQuickCust()) {
        TColor color = SystemColor(GetMarkElementColorIndex(window));
        TPoint p[3];
        if (horizontal) {
            int x = rect.left + 3, y = rect.bottom - 7 + (IsSmallBar(window, rect) ? 1 : 0);
            p[0] = Point(x, y);
            p[1] = Point(x + 4, y);
            p[2] = Point(x + 2, y + 2);
        } else {
            int x = rect.left + 5, y = rect.top + 3;
            p[0] = Point(x, y);
            p[1] = Point(x, y + 4);
            p[2] = Point(x - 2, y + 2);
        }
        FillPolygonWithColor(dc, p, 3, color, color);
    }
    if (window->IsTruncated()) {
        int start = horizontal ? rect.left : rect.top;
        DrawMarkChevron(window, dc, start + 2, rect);
        DrawMarkChevron(window, dc, start + 6, rect);
    }
}

void TdxBarPainter::DrawMarkChevron(W* window, HDC dc, int pos, const TRect& markRect) const {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    auto stroke = [dc](POINT a, POINT b, POINT c) {
        MoveToEx(dc, a.x, a.y, nullptr);
        LineTo(dc, b.x, b.y);
        LineTo(dc, c.x, c.y);
    };
    if (IsHorizontalDock(window->DockingStyle())) {
        int y = IsSmallBar(window, markRect) ? 3 : 4;
        stroke({pos, y}, {pos + 2, y + 2}, {pos - 1, y + 5});
        stroke({pos + 1, y}, {pos + 3, y + 2}, {pos, y + 5});
    } else {
        int w = RectWidth(window->ClientRect());
        stroke({w - 8, pos}, {w - 6, pos + 2}, {w - 3, pos - 1});
        stroke({w - 8, pos + 1}, {w - 6, pos + 3}, {w - 3, pos});
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void TdxBarPainter::DrawFloatMarkArrow(W* window, HDC dc, const TRect& rect) const {
    int x = (rect.left + rect.right - 7) / 2;
    int sum = rect.top + rect.bottom - 4;
    int y = sum / 2 + (sum % 2 > 0 ? 1 : 0);  // halved, rounded up
    TPoint p[3] = {Point(x, y), Point(x + 6, y), Point(x + 3, y + 3)};
    TColor color = GetMarkArrowColor(window, window->MarkState());
    FillPolygonWithColor(dc, p, 3, color, color);
}

void TdxBarPainter::CalcQuickCustCheckRect(C*, HDC, TRect& rect, TRect& textRect, bool) const {
    rect.right = rect.left + RectHeight(rect);
    textRect.left = rect.right;
}

void TdxBarPainter::DrawQuickCustPart(W* window, HDC dc) const {
    TRect part = window->ExtraPartRect();
    if (!IsRectEmpty(&part)) FillRect(dc, &part, window->PartBrush());
}

// ---- status bars -------------------------------------------------------------------------

void TdxBarPainter::DrawStatusBarBk(W* window, HDC dc, const TRect& paintRect, const TRect&, const TRect& barRect,
                                    HBRUSH brush, TColor color) const {
    TdxBarManager* manager = window->Manager();
    if (UsesNativeBk(window, barRect) && manager && manager->IsThemeAvailable())
        FillRectWithBackground(dc, paintRect, nullptr, GetToolbarThemeFillColor());
    else
        FillRectWithBackground(dc, paintRect, brush, color);
}

void TdxBarPainter::DrawStatusBarFrame(W* window, HDC dc, const TRect& rect, HBRUSH brush) const {
    window->FillBk(dc, Rect(rect.left, rect.top, rect.right, rect.top + GetStatusBarTopIndent()), brush, clNone,
                   false);
}

void TdxBarPainter::DrawStatusBarSizeGrip(W* window, HDC dc, const TRect& rect, HBRUSH brush) const {
    TRect margins;
    GetStatusBarMargins(margins);
    TRect r = Rect(rect.left + margins.left, rect.top + margins.top, rect.right - margins.right,
                   rect.bottom - margins.bottom);
    TSize size;
    GetSizeGripWidth(window->Manager(), size);
    window->FillBk(dc, Rect(r.right - size.cx, r.top, r.right, r.bottom), brush, clNone, false);
    DrawBarSizeGrip(window, dc, Rect(r.right - size.cx, r.bottom - size.cy, r.right, r.bottom), brush);
}

void TdxBarPainter::GetSizeGripWidth(TdxBarManager* manager, TSize& size) const {
    if (UsesNativeBk(nullptr, TRect{}) && manager && manager->IsThemeAvailable())
        size = GetThemeSizeGripSize();
    else
        size = TSize{GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

// ---- the shared instances ----------------------------------------------------------------

TdxBarPainter* FlatPainterInstance() {
    if (!flatPainter) flatPainter = TdxBarFlatPainter::StaticClass()->CreateWithData(nullptr);
    return flatPainter;
}

void FreeFlatPainterInstance() {
    delete flatPainter;
    flatPainter = nullptr;
}

TdxBarPainterClass SkinBarPainterClass() {
    return skinBarPainterClass ? skinBarPainterClass : TdxBarStandardPainter::StaticClass();
}

void SetSkinBarPainterClass(TdxBarPainterClass value) { skinBarPainterClass = value; }
