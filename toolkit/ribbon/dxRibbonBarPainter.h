#pragma once
// The bar painter of the ribbon's groups: it measures a group's caption band, a collapsed
// group's button and its glyph frame, and draws the collapsed group button, all through the
// ribbon's IdxSkin (the ribbon forwards each part to its colour scheme).
//
// The proportion of a collapsed button's glyph area: the glyph frame holds a 16-pixel glyph
// with the frame's insets in a window as high as three button rows, the caption band and its
// gaps; a window of another height scales the frame in the same proportion.

#include "GraphicsTypes.h"
#include "dxBarPainter.h"

class TBitmap;
class TFont;
class TdxCustomRibbon;

class TdxRibbonBarPainter : public TdxBarPainter {
    Z_CLASS(TdxRibbonBarPainter, TdxBarPainter)
public:
    static constexpr int SmallGlyphSize = 16;
    static constexpr int PartGroup = 1, PartCollapsedGroup = 1000, PartCollapsedGroupGlyphFrame = 1001;

    explicit TdxRibbonBarPainter(TdxCustomRibbon* ribbon);
    // Made through the painter class reference: no ribbon, so no insets.
    explicit TdxRibbonBarPainter(TcxLookAndFeelPainterClass data);

    TdxCustomRibbon* OwnerRibbon() const { return ribbon_; }
    int GlyphAreaNumerator() const { return glyphAreaNumerator_; }
    int GlyphAreaDenominator() const { return glyphAreaDenominator_; }

    // The height of "Qq" in the font (measured at 8 points at least) plus 1.
    virtual int GetGroupCaptionHeight(TFont* font);
    // The caption part of a collapsed group button inside r.
    virtual void GetCollapsedCaptionRect(const TRect& r, TRect& result);
    // Width of a collapsed group button whose caption text is that wide, in a window that high:
    // never below the glyph frame with 3 pixels each side and the button's insets.
    int CalcCollapsedGroupWidth(int captionTextWidth, int windowHeight);
    // Side of the collapsed button's square glyph frame in a window that high.
    int GetGlyphFrameSize(int windowHeight);
    // The glyph frame inside a collapsed button's client rectangle.
    TRect CalcGlyphFrameRect(const TRect& client, int windowHeight);
    // A group glyph's drawn size: its own when it fits 16 x 16, else scaled to 16 on its
    // larger side.
    static TSize FitGroupGlyph(const TSize& glyph);
    // The collapsed group button in a state (0 normal, 2 hot, 3 selected, 4 pressed): its
    // background, its glyph frame and the group's glyph (none for an empty one).
    virtual void DrawCollapsedGroupButton(HDC dc, const TRect& client, int windowHeight, int state, TBitmap* glyph);
    // Where the glyph goes in a frame.
    TRect CalcGroupGlyphRect(const TRect& frame, const TSize& glyph);

private:
    TRect Insets(int part);
    void CalculateGlyphArea();

    TdxCustomRibbon* ribbon_;
    int glyphAreaNumerator_ = 0;
    int glyphAreaDenominator_ = 1;
};
