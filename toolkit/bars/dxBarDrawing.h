#pragma once
// Drawing helpers of the bar library: glyphs in their states, arrows, hatching, frames, the
// dotted focus ring, clip regions, backgrounds, the size grip, and the themed parts the bar
// painters take from the system's visual styles. Every routine draws on a DC and restores what
// it selects into it.

#include <windows.h>

#include "Colors.h"
#include "GraphicsTypes.h"
#include "cxImageStates.h"

class TBitmap;
class TCustomImageList;
class TcxCanvas;
class TCustomForm;
class TWinControl;

// ---- Glyphs -------------------------------------------------------------------------------

// The states of a glyph as a button shows it.
struct TdxBarGlyphFlags {
    bool Enabled = true, Grayed = false, Effects = false, Selected = false, Down = false, Pressed = false;
    bool Shadow = false, Faded = false, Smooth = false, LeftBottomPixelTransparent = false;
};
// The draw mode of a glyph in these states (the first rule that holds wins).
TcxImageDrawMode ChooseGlyphDrawMode(const TdxBarGlyphFlags& flags);
void DrawGlyphForEnabled(HDC dc, const TRect& rect, TBitmap* bitmap, bool enabled);
// Draws the bitmap (when it holds a glyph; its own transparency then) or the list's image.
void DrawBarGlyph(HDC dc, HBRUSH background, const TRect& glyphRect, const TRect& backgroundRect, TBitmap* bitmap,
                  TCustomImageList* images, int imageIndex, TColor transparentColor, const TdxBarGlyphFlags& flags);
// Lays a light checker hatch of the button face over the area.
void HatchDisabledArea(HDC dc, const TRect& rect);

// ---- Arrows -------------------------------------------------------------------------------

// Directions of arrows: 0 up, 1 down, 2 left, 3 right.
// The size of an arrow fitted to the rectangle: from its width less 8 for a down arrow, else
// its height less 6; (v - 1) / 2, one more for an odd v, at least 3.
int FittedArrowSize(const TRect& rect, int direction);
// A triangle arrow centred in the rectangle. clDefault picks the colour: button shadow when
// disabled; when enabled button text, or (highlighted) button face on a white face, else the
// highlight text colour. A disabled arrow that is not flat gets a highlight shadow one pixel off.
void PaintLargeArrow(HDC dc, const TRect& rect, int direction, int size, bool highlighted, bool enabled, bool flat,
                     TColor color = clDefault);
void DrawArrowFittedToRect(HDC dc, const TRect& rect, int direction, bool enabled, bool highlighted, bool flat,
                           TColor color = clDefault);
void FillPolygonWithColor(HDC dc, const TPoint* points, int count, TColor penColor, TColor brushColor);

// ---- Frames, clips and backgrounds ----------------------------------------------------------

// Limits the canvas to the frame less the content.
void ClipCanvasToFrame(TcxCanvas* canvas, const TRect& frame, const TRect& content);
void FrameHighlightRect(HDC dc, const TRect& rect);
// Two nested one-pixel frames in a colour.
void FrameRectTwice(HDC dc, const TRect& rect, TColor color);
// Two nested dotted rings (the pixels whose coordinates add up to an even number) in the button
// text colour.
void DrawDottedFocusRect(HDC dc, const TRect& rect);
// The DC's clip region: saved (nil when it has none), put back (and the saved copy deleted).
HRGN SaveDCClipRegion(HDC dc);
void RestoreDCClipRegion(HDC dc, HRGN saved);
void IntersectDCClipRect(HDC dc, const TRect& rect);
// A one-pixel frame with a brush that may be a colour index + 1 (as FillRect takes them):
// FrameRect takes no colour-index brushes, so those are framed with the colour's own brush.
void FrameRectWithBrush(HDC dc, const TRect& rect, HBRUSH brush);
// The bitmap tiled (when given and not empty), else the brush, else a solid brush of the colour.
void FillRectWithBackground(HDC dc, const TRect& rect, HBRUSH brush, TColor color, TBitmap* bitmap = nullptr);
// Tiles the bitmap over the rectangle, the tiles aligned to the origin rectangle's top-left.
void TileBitmapInRect(HDC dc, const TRect& rect, const TRect& origin, TBitmap* bitmap);
// Moves the DC's window origin so that the form's client origin lands where it lies in the bar
// window, and the rectangle with it; RestoreWindowOrg puts the origin back.
void ShiftWindowOrgToParent(TCustomForm* form, TWinControl* barWindow, HDC dc, TPoint& previousOrigin, TPoint& offset,
                            TRect& rect);
void RestoreWindowOrg(HDC dc, const TPoint& previousOrigin);
// The system size grip over the rectangle, the background kept where the grip has none.
void DrawSizeGripTransparent(HDC dc, const TRect& rect);

// ---- Themed parts -------------------------------------------------------------------------

// The edit colours of a themed part (state 4: disabled): window colour unless disabled and the
// theme has a fill; the theme's text colour, else grey text (disabled) or window text.
TColor GetThemeEditFillColor(int state);
TColor GetThemeEditTextColor(int state);
TColor GetToolbarThemeFillColor();
TSize GetThemeSmallCloseButtonSize();
// State 1 normal, 2 hot, 3 pressed; corners 1 and 3 put the button at the left edge.
void DrawThemeSmallCloseButton(HDC dc, const TRect& rect, int corner, int state);
TSize GetThemeSizeGripSize();
// Corner 0 bottom-right, 1 bottom-left, 2 top-right, 3 top-left; mirrored for the corner.
void DrawThemeSizeGrip(HDC dc, const TRect& rect, int corner);
