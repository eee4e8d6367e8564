#pragma once
// Draws the ribbon's own elements (background, tab row pieces, application and help buttons,
// scroll buttons, groups area, bottom edge) through the colour scheme, each drawn element then
// excluded from the clip so that nothing is drawn twice.

#include "Bitmap.h"
#include "cxGraphics.h"
#include "dxRibbonSkins.h"

class TdxCustomRibbon;
class TdxCustomRibbonSkin;

class TdxRibbonPainter : public TObject {
    Z_CLASS(TdxRibbonPainter, TObject)
public:
    explicit TdxRibbonPainter(TdxCustomRibbon* ribbon) : ribbon_(ribbon) {}

    TdxCustomRibbon* Ribbon() const { return ribbon_; }
    TdxCustomRibbonSkin* ColorScheme() const;

    // State 0 normal, 1 hot, 2 pressed; the glyph, or the form's icon, inside.
    virtual void DrawApplicationButton(TcxCanvas* canvas, const TRect& r, int state);
    virtual void DrawApplicationButtonGlyph(TcxCanvas* canvas, const TRect& r, bool stretch, TBitmap* glyph);
    virtual void DrawBackground(TcxCanvas* canvas, const TRect& r);
    virtual void DrawTabGroupsBackground(TcxCanvas* canvas, const TRect& r);
    virtual void DrawQuickAccessToolbar(TcxCanvas* canvas, const TRect& r, bool isActive);
    virtual void DrawTabScrollButton(TcxCanvas* canvas, const TRect& r, bool hot, bool pressed, bool isLeft);
    virtual void DrawTabScrollArrow(TcxCanvas* canvas, const TRect& r, bool isLeft);
    void DrawHelpButton(TcxCanvas* canvas, const TRect& r, int state);
    // The 2-pixel band at the bottom of a minimized ribbon.
    void DrawBottomEdge(TcxCanvas* canvas);
    void DrawDesignPlaceholder(TcxCanvas* canvas);
    void DrawFormIcon(TcxCanvas* canvas, const TRect& r);

    // -- the form's caption and frame, for a ribbon that draws them
    virtual void DrawRibbonFormCaption(TcxCanvas* canvas, const TRect& r, const FormPaintData& data);
    virtual void DrawRibbonFormBorders(TcxCanvas* canvas, const TRect& bordersWidth, const FormPaintData& data);
    virtual void DrawRibbonFormBorderIcon(TcxCanvas* canvas, const TRect& r, TdxRibbonBorderIcon icon, int state);
    // The document name (in its own colour) followed by the caption part.
    virtual void DrawCaptionText(TcxCanvas* canvas, const TRect& r, const FormPaintData& data,
                                 const String& captionPart, const String& documentName);

private:
    TdxCustomRibbon* ribbon_;
};
