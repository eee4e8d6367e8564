#include "Bevel.h"

#include "Canvas.h"

void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width) {
    canvas->Pen()->SetWidth(1);
    canvas->Pen()->SetStyle(psSolid);
    --rect.bottom;
    --rect.right;
    for (int i = 0; i < width; ++i) {
        canvas->Pen()->SetColor(topColor);
        canvas->Polyline({TPoint{rect.left, rect.bottom}, TPoint{rect.left, rect.top}, TPoint{rect.right, rect.top}});
        canvas->Pen()->SetColor(bottomColor);
        canvas->Polyline(
            {TPoint{rect.right, rect.top}, TPoint{rect.right, rect.bottom}, TPoint{rect.left - 1, rect.bottom}});
        InflateRect(&rect, -1, -1);
    }
    ++rect.bottom;
    ++rect.right;
}

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetControlStyle(ControlStyle() + csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape v) {
    if (AssignIfChanged(shape_, v)) Invalidate();
}

void TBevel::SetStyle(TBevelStyle v) {
    if (AssignIfChanged(style_, v)) Invalidate();
}

void TBevel::Paint() {
    TCanvas* canvas = Canvas();
    TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
    TRect r = ClientRect();
    int w = r.right, h = r.bottom;
    auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
        canvas->Pen()->SetColor(color);
        canvas->MoveTo(x1, y1);
        canvas->LineTo(x2, y2);
    };
    switch (shape_) {
        case bsBox:
            Frame3D(canvas, r, first, second, 1);
            break;
        case bsFrame: {
            // Two offset rectangles: a groove (lowered) or a ridge (raised).
            TRect outer{0, 0, w - 1, h - 1}, inner{1, 1, w, h};
            Frame3D(canvas, outer, first, first, 1);
            Frame3D(canvas, inner, second, second, 1);
            break;
        }
        case bsTopLine:
            line(first, 0, 0, w, 0);
            line(second, 0, 1, w, 1);
            break;
        case bsBottomLine:
            line(first, 0, h - 2, w, h - 2);
            line(second, 0, h - 1, w, h - 1);
            break;
        case bsLeftLine:
            line(first, 0, 0, 0, h);
            line(second, 1, 0, 1, h);
            break;
        case bsRightLine:
            line(first, w - 2, 0, w - 2, h);
            line(second, w - 1, 0, w - 1, h);
            break;
        case bsSpacer:
            break;
    }
}
