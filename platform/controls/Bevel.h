#pragma once
// Three-dimensional frames: Frame3D, the bevel cuts of panels, and TBevel, a windowless
// line or box that groups controls visually.

#include "Control.h"

class TCanvas;

// Draws a frame width pixels wide around rect in two colours (top and left, bottom and right)
// and shrinks rect to the inside.
void Frame3D(TCanvas* canvas, TRect& rect, TColor topColor, TColor bottomColor, int width);

Z_ENUM(TBevelCut, Byte, bvNone, bvLowered, bvRaised, bvSpace)
Z_ENUM(TBevelShape, Byte, bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer)
Z_ENUM(TBevelStyle, Byte, bsLowered, bsRaised)

class TBevel : public TGraphicControl {
    Z_CLASS(TBevel, TGraphicControl)
    Z_PUBLISHED {
        p.Property(L"Shape", &TBevel::Shape, &TBevel::SetShape).Default(bsBox);
        p.Property(L"Style", &TBevel::Style, &TBevel::SetStyle).Default(bsLowered);
    }

public:
    explicit TBevel(TComponent* AOwner);
    TBevelShape Shape() const { return shape_; }
    void SetShape(TBevelShape v);
    TBevelStyle Style() const { return style_; }
    void SetStyle(TBevelStyle v);

protected:
    void Paint() override;

private:
    TBevelShape shape_ = bsBox;
    TBevelStyle style_ = bsLowered;
};
