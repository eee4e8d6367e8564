#pragma once
// The computed rectangles and drawing values of one container, and the painting of its frame
// and background: a classic frame drawn by the canvas, or, with the native flag, the visual
// style's border colour around its content rectangle. Whoever owns the view info fills its
// fields; PaintOn draws from them.

#include "cxContainerStyles.h"
#include "cxCustomLookAndFeelPainter.h"
#include "cxGraphics.h"
#include "dxThemeManager.h"

class TcxContainerViewInfo : public TObject {
    Z_CLASS(TcxContainerViewInfo, TObject)
public:
    TcxContainerViewInfo() = default;

    // Takes the client rectangle of another container view info.
    virtual void CopyFrom(TObject* other);
    // The region that changed between the other view info and this one; the caller owns it.
    virtual TcxRegion* CreateChangeRegion(TcxContainerViewInfo* other);
    virtual void MoveBy(int dx, int dy);
    virtual void PaintOn(TcxCanvas* canvas) { PaintContents(canvas); }
    virtual TcxContainerBorderStyle BorderStyleValue() const { return BorderStyle; }
    virtual void StoreBackgroundColor(TColor color) { BackgroundColor = color; }

    TColor BorderColor = clDefault;
    TRect BorderRect{};  // the content area inside the border
    TcxContainerBorderStyle BorderStyle = cbsNone;
    int BorderWidth = 0;
    TRect Bounds{};
    TRect ClientRect{};
    int ContainerState = cxContainerStateNormal;
    TcxBorders Edges = cxBordersAll;
    TColor BackgroundColor = clWindow;
    int NativeState = 1;
    bool NativeStyle = false;  // draw with the visual style
    TcxLookAndFeelPainterClass Painter = nullptr;
    bool Shadow = false;
    TdxThemedObjectType ThemedObjectType = totEdit;

protected:
    // Draws the border around r in the border style (or with the border colour and width when a
    // painter is set).
    virtual void DrawFrame(TcxCanvas* canvas, const TRect& r);
    virtual void PaintContents(TcxCanvas* canvas);
};

// The container's drop shadow below and right of r, 3 pixels deep, taken out of the clip region.
void DrawContainerShadow(TcxCanvas* canvas, const TRect& r);
// Fills bounds outside of content: nothing when bounds are empty or equal content, all of
// bounds when content is empty.
void FillRectOutside(TcxCanvas* canvas, const TRect& bounds, const TRect& content, TColor color);
