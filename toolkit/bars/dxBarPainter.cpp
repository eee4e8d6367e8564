#include "dxBarPainter.h"

#include "Colors.h"
#include "dxBarDrawing.h"
#include "dxBarManager.h"
#include "dxBarUnit.h"
#include "dxBarStylePainters.h"
#include "dxBarUtils.h"
#include "dxCustomBarControl.h"
#include "dxBarItemLinks.h"
#include "cxGraphics.h"
#include <cmath>

namespace {
TdxBarPainter* flatPainter = nullptr;
TdxBarPainterClass skinBarPainterClass = nullptr;
}  // namespace

bool TdxBarPainter::SupportsFading() { return dynamic_cast<IdxBarSkinPainter*>(this) != nullptr; }

HBRUSH TdxBarPainter::GetToolbarBrush() const { return HBRUSH(INT_PTR(COLOR_BTNFACE + 1)); }

HBRUSH TdxBarPainter::GetDownedBrush() const { return CheckerBrush(); }

void TdxBarPainter::DrawDockBk(TdxDockControl*, HDC dc, const TRect& paintRect, const TRect&, const TRect&,
                               HBRUSH brush, TColor color) const {
    FillRectWithBackground(dc, paintRect, brush, color);
}

void TdxBarPainter::GetSizeGripWidth(TdxBarManager* manager, TSize& size) const {
    if (UsesNativeBk(nullptr, TRect{}) && manager->IsThemeAvailable())
        size = GetThemeSizeGripSize();
    else
        size = TSize{GetSystemMetrics(SM_CXHSCROLL), GetSystemMetrics(SM_CYHSCROLL)};
}

void TdxBarPainter::GetBarBorderSizes(int& horizontal, int& vertical) const {
    horizontal = 2;
    vertical = 2;
}

void TdxBarPainter::CalcDockedBarBorders(TRect& rect) const {
    int size = GetDockedBarBorderSize();
    rect = Rect(size, size, size, size);
}

void TdxBarPainter::DrawBarSeparator(HDC dc, const TRect& rect, HBRUSH brush, bool horizontal) const {
    int offset = GetSeparatorOffset();
    RECT line = rect;
    if (horizontal) {
        RECT top{rect.left, rect.top, rect.right, rect.top + offset};
        RECT bottom{rect.left, rect.bottom - offset, rect.right, rect.bottom};
        FillRect(dc, &top, brush);
        FillRect(dc, &bottom, brush);
        InflateRect(&line, 0, -offset);
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    } else {
        RECT left{rect.left, rect.top, rect.left + offset, rect.bottom};
        RECT right{rect.right - offset, rect.top, rect.right, rect.bottom};
        FillRect(dc, &left, brush);
        FillRect(dc, &right, brush);
        InflateRect(&line, -offset, 0);
        DrawEdge(dc, &line, EDGE_ETCHED, BF_LEFT);
    }
}

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

TColor TdxBarPainter::GetBarCaptionBackColor(bool mainFormActive) const {
    return mainFormActive ? clActiveCaption : clInactiveCaption;
}

void TdxBarPainter::DrawMarkContent(HDC dc, const TRect& rect, bool horizontal, bool truncated, int clientWidth) const {
    if (AllowsQuickCust()) {
        TColor color = SystemColor(GetMarkElementColorIndex());
        TPoint p[3];
        if (horizontal) {
            int x = rect.left + 3, y = rect.bottom - 7 + (IsSmallBar(rect) ? 1 : 0);
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
    if (truncated) {
        int start = horizontal ? rect.left : rect.top;
        DrawMarkChevron(dc, start + 2, rect, horizontal, clientWidth);
        DrawMarkChevron(dc, start + 6, rect, horizontal, clientWidth);
    }
}

void TdxBarPainter::DrawMarkChevron(HDC dc, int pos, const TRect& markRect, bool horizontal, int clientWidth) const {
    HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
    HGDIOBJ old = SelectObject(dc, pen);
    auto stroke = [dc](POINT a, POINT b, POINT c) {
        MoveToEx(dc, a.x, a.y, nullptr);
        LineTo(dc, b.x, b.y);
        LineTo(dc, c.x, c.y);
    };
    if (horizontal) {
        int y = IsSmallBar(markRect) ? 3 : 4;
        stroke({pos, y}, {pos + 2, y + 2}, {pos - 1, y + 5});
        stroke({pos + 1, y}, {pos + 3, y + 2}, {pos, y + 5});
    } else {
        int w = clientWidth;
        stroke({w - 8, pos}, {w - 6, pos + 2}, {w - 3, pos - 1});
        stroke({w - 8, pos + 1}, {w - 6, pos + 3}, {w - 3, pos});
    }
    SelectObject(dc, old);
    DeleteObject(pen);
}

void TdxBarPainter::DrawFloatMarkArrow(HDC dc, const TRect& rect, int state) const {
    int x = (rect.left + rect.right - 7) / 2;
    int sum = rect.top + rect.bottom - 4;
    int y = sum / 2 + (sum % 2 > 0 ? 1 : 0);  // halved, rounded up
    TPoint p[3] = {Point(x, y), Point(x + 6, y), Point(x + 3, y + 3)};
    TColor color = GetMarkArrowColor(state);
    FillPolygonWithColor(dc, p, 3, color, color);
}

void TdxBarPainter::CalcQuickCustCheckRect(TRect& rect, TRect& textRect) const {
    rect.right = rect.left + RectHeight(rect);
    textRect.left = rect.right;
}

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

// ---- Bar window -----------------------------------------------------------------------------

int TdxBarPainter::CalcBarItemHeight(TCustomdxBarControl* barWindow) const {
    TdxBarItemLinks* links = barWindow->ItemLinks();
    int value = links && links->GetItemSize() == misLarge ? int(std::nearbyint(barWindow->SizeRatio() * 40))
                                                          : barWindow->TextSize();
    AdjustMenuItemSize(value);
    return value;
}

int TdxBarPainter::CalcTextItemHeight(TcxCanvas* canvas) const { return canvas->MeasureText(L"Wg").cy + 6; }

bool TdxBarPainter::BarControlHasShadow(TCustomdxBarControl* barWindow) const {
    return IsFlatLook() && barWindow->DockingStyle() == dsNone;
}
