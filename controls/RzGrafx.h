#pragma once
// The stateless drawing routines every control of the library paints with: frame and edge
// painters, the non-client frame of framed controls, panel borders, outlines and focus marks, the
// drop-down and check box glyphs, the two-colour gradient, transparent bitmap copies and the
// parent's background under a transparent control.
//
// Sections: types; sides and frames; outlines and marks; glyphs; gradients; bitmaps, parents
// and text.
//
// Routines that draw inward return the rectangle left inside what they drew, so callers chain
// them from the outside in. Right and bottom are exclusive.

#include <windows.h>

#include "CheckBoxState.h"
#include "Colors.h"
#include "GraphicsTypes.h"
#include "RzCommon.h"

class TCanvas;
class TBitmap;
class TControl;
class TWinControl;
class TFont;

// ---- Types

Z_ENUM(TGradientDirection, int, gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox,
       gdVerticalEnd, gdVerticalCenter, gdVerticalBox, gdSquareBox, gdBigSquareBox)
Z_ENUM(TRzGroupBarGradientPath, int, gpTopToBottom, gpBottomToTop)
// How a check box glyph is drawn.
enum TRzCheckGlyphKind { cgkNormal, cgkPressed, cgkHot, cgkDisabled };

// ---- Sides and frames (clNone as a colour leaves those sides undrawn)

TRect PaintSides(TCanvas* canvas, const TRect& bounds, TColor upperLeft, TColor lowerRight, TSides sides);
TRect PaintBevel(TCanvas* canvas, const TRect& bounds, TColor upperLeft, TColor lowerRight, int count, TSides sides);
TRect PaintCtl3DSides(TCanvas* canvas, const TRect& bounds, bool lowered, TSides sides);
TRect PaintButtonFrameSides(TCanvas* canvas, const TRect& bounds, bool down, TSides sides);
TRect PaintButtonFrame(TCanvas* canvas, const TRect& bounds, bool down);
TRect PaintColorButtonFrameSides(TCanvas* canvas, const TRect& bounds, TColor face, bool lowered, TSides sides);
TRect PaintColorButtonFrame(TCanvas* canvas, const TRect& bounds, TColor face, bool lowered);
TRect PaintFrameStyleSides(TCanvas* canvas, const TRect& bounds, TFrameStyleEx style, TSides sides);
TRect PaintFrameStyle(TCanvas* canvas, const TRect& bounds, TFrameStyleEx style);
TRect PaintColorFrameStyleSides(TCanvas* canvas, const TRect& bounds, TColor face, TFrameStyleEx style, TSides sides);
TRect PaintColorFrameStyle(TCanvas* canvas, const TRect& bounds, TColor face, TFrameStyleEx style);
// The two-pixel frame of framed edits, combos, list and tree views on (0, 0, width, height) of
// the window's whole-window canvas.
void PaintControlFrame(TCanvas* canvas, int width, int height, TFrameStyleEx style, TColor controlColor,
                       TColor frameColor, TSides sides, bool keepBackground);
// Redraws the frame part of a window that can be seen.
void InvalidateNonClientFrame(HWND window, const TRect& bounds);
TRect PaintPanelBorders(TCanvas* canvas, const TRect& bounds, TFrameStyleEx outer, TFrameStyleEx inner, int borderWidth,
                        TSides sides, int bevelWidth, TColor borderColor, TColor borderHighlight, TColor borderShadow,
                        TColor flatColor, int flatColorAdjustment, TColor controlColor, TColor parentColor,
                        bool transparent);

// ---- Outlines and marks

TRect PaintBoxOutline(TCanvas* canvas, const TRect& bounds, TColor color);
TRect PaintBoxCornerMarks(TCanvas* canvas, const TRect& bounds, TColor color, int cornerLength);
TRect PaintDottedFocusBorder(TCanvas* canvas, const TRect& bounds);
TRect PaintRoundedFlatFrame(TCanvas* canvas, const TRect& bounds, TColor color, TSides sides);

// ---- Glyphs

void PaintDropDownGlyph(TCanvas* canvas, const TRect& bounds, TRzVisualStyle style, bool enabled);
// The arrow colour of the visual-style glyph: the pixel at (8, 10) of the style's combo-box
// drop-down button, or cl3DDkShadow when that is close to the window colour (or there is no
// style).
TColor XPDropDownGlyphColor();
// Nothing on a display of 256 colours or fewer; otherwise a gradient ring two pixels wide.
void PaintHighlightRing(TCanvas* canvas, const TRect& bounds, TGradientDirection direction, TColor first,
                        TColor second);
void PaintCheckBoxGlyph(TCanvas* canvas, const TRect& bounds, TCheckBoxState state, TRzCheckGlyphKind kind,
                        bool focused, TRzButtonHotTrackStyle hotTrackStyle, TColor frameColor, TColor markColor,
                        TColor fillColor, TColor focusColor, TColor disabledColor, TColor hotPaleColor,
                        TColor hotDarkColor, bool readOnly, bool readOnlyColorOnFocus, TColor readOnlyColor);

// ---- Gradients

// first and second are the two ends (see TGradientDirection); bandWidth is the least number of
// colour steps one band spans. Nothing is drawn for an empty rectangle.
void PaintGradient(TCanvas* canvas, const TRect& bounds, TGradientDirection direction, TColor first, TColor second,
                   int bandWidth = 1);
void PaintGroupBarFill(TCanvas* canvas, const TRect& bounds, TRzVisualStyle style, TRzGradientColorStyle colorStyle,
                       TRzGroupBarGradientPath path, TColor startColor, TColor stopColor);

// ---- Bitmaps, parents and text

// Pixels of the transparent colour leave the canvas unchanged.
void StretchBitmapTransparent(TCanvas* canvas, TBitmap* bitmap, const TRect& dest, const TRect& source,
                              TColor transparentColor);
// Has the control's parent paint its background (and client) into dc, at the control's place.
void PaintParentBackground(TControl* control, HDC dc, bool updateParent);
// Invalidates every child that publishes a Boolean "Transparent" that is true.
void InvalidateTransparentChildren(TWinControl* parent);
// Draws the whole string with the given DrawText flags; returns the text height.
int PaintText(TCanvas* canvas, const String& text, TRect bounds, UINT format);
// A font handle turned by angle degrees; the caller deletes it.
HFONT CreateRotatedFont(TFont* font, int angle);
