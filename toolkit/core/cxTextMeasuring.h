#pragma once
// Free routines around text and device contexts: measuring in a DC or a font, the narrowest
// rectangle for a number of rows, word wrapping into lines, cutting with an ellipsis, thin
// wrappers of the platform text calls, the logical descriptions of GDI objects and the screen's
// pixels per inch, and painting a control's parent as its background. Measuring without a DC of one's own uses the
// shared screen canvas.

#include <windows.h>

#include "GraphicsTypes.h"
#include "SysTypes.h"

class TcxCanvas;
class TControl;
class TFont;
class TStrings;

// --- thin wrappers (count -1: the whole text)
bool MeasureTextInDC(HDC dc, const String& text, TSize& size, int count = -1);
int DrawTextInDC(HDC dc, const String& text, TRect& r, int count, UINT format);
bool ExtTextOutInDC(HDC dc, const String& text, const TPoint& at, int count, UINT options, const TRect* clip);
void InvalidateWindowRect(HWND window, const TRect& r, bool erase);

// --- measuring in a font (sizeOverride, in points, replaces the font's size when not 0)
TSize FontTextExtent(TFont* font, const String& text, int sizeOverride = 0);
int FontTextWidth(TFont* font, const String& text, int sizeOverride = 0);
int FontTextHeight(TFont* font, const String& text, int sizeOverride = 0);

// --- rows and lines
// The extent of the text on one row in the DC's current font.
TSize SingleRowTextSize(HDC dc, const String& text);
// The narrowest rectangle (at 0, 0) that holds the word-wrapped text in at most rows rows of
// the height of "Wg"; with fullHeight its bottom is the height of all the rows. Empty for
// rows <= 0.
TRect CalcTextRectForRows(HDC dc, const String& text, int rows, bool fullHeight = false);
// Adds the text to lines wrapped at word ends so that each line fits the rectangle's width
// in the canvas font. A word wider than the rectangle gets a line of its own; runs of
// separators after the first one stay in the lines.
void WrapTextToLines(const String& text, TcxCanvas* canvas, const TRect& r, TStrings* lines);
// The text cut to fit maxExtent pixels with "..." appended (at least one character kept);
// measured on the screen DC when dc is null, in the font when one is given.
void TruncateTextWithEllipsis(HDC dc, HFONT font, const String& text, String& result, int maxExtent);

// --- device helpers
// Pixels per logical inch of the screen: index 0 vertical, 1 horizontal.
int ScreenPixelsPerInch(int index = 0);
bool ReadBitmapLog(HBITMAP bitmap, BITMAP& log);
bool GetBrushLog(HBRUSH brush, LOGBRUSH& log);
void ReadBrushLog(HBRUSH brush, LOGBRUSH& log);
bool ReadFontLog(HFONT font, LOGFONTA& log);
bool ReadPenLog(HPEN pen, LOGPEN& log);
// True when text in the character set needs complex-script handling (Chinese or Arabic) and
// does not start with a plain ASCII character.
bool IsComplexScriptText(Byte charset, const String& text);

// Paints the control's parent (and, with includeSiblings, the windowed siblings below the
// control) into the canvas so that the rectangle, in the control's coordinates, lands on the
// canvas origin: what a control without a background of its own shows there.
void DrawParentBackground(TControl* control, TcxCanvas* canvas, const TRect& r, bool includeSiblings = false);
