#pragma once
// The toolkit's own multi-line text engine, RenderWideText: lays a UTF-16 string out in a
// rectangle of a device context and draws or measures it. Beyond the platform's DrawText it has
// a line-spacing factor, justified and distributed rows, vertically spread rows, left and right
// indents, a maximum row count, East Asian line-breaking rules, an end ellipsis, a highlighted
// character range in colours of its own, and greeking (bars instead of text too small to read).
// It works in the logical units of the device context; a pixel means the logical width of one
// device pixel.
//
// Sections: flags · rows and parameters · the engine · character rules · start-up.

#include <vector>

#include "Colors.h"
#include "GraphicsTypes.h"
#include "SysTypes.h"

class TFont;

// ---- flags ------------------------------------------------------------------------------------

// Horizontal alignment, bits 0-2. Justified rows that were wrapped are stretched to the full
// width; distributed rows all are.
constexpr Cardinal CXTO_LEFT = 0x0;
constexpr Cardinal CXTO_CENTER_HORIZONTALLY = 0x1;
constexpr Cardinal CXTO_RIGHT = 0x2;
constexpr Cardinal CXTO_JUSTIFY = 0x3;
constexpr Cardinal CXTO_DISTRIBUTE = 0x4;
constexpr Cardinal CXTO_HORIZONTAL_ALIGNMENT = 0x7;
// Vertical alignment, bits 4-5; spread rows are spaced out over the whole height.
constexpr Cardinal CXTO_TOP = 0x00;
constexpr Cardinal CXTO_CENTER_VERTICALLY = 0x10;
constexpr Cardinal CXTO_BOTTOM = 0x20;
constexpr Cardinal CXTO_SPREAD = 0x30;
constexpr Cardinal CXTO_VERTICAL_ALIGNMENT = 0x30;
constexpr Cardinal CXTO_WORDBREAK = 0x100;
constexpr Cardinal CXTO_SINGLELINE = 0x200;         // overrides word breaking
constexpr Cardinal CXTO_EXPANDTABS = 0x400;         // the platform's default tab stops
constexpr Cardinal CXTO_END_ELLIPSIS = 0x800;       // the last visible row that does not fit ends in "..."
constexpr Cardinal CXTO_GREEK_SMALL_TEXT = 0x1000;  // fonts under 6 device pixels drawn as bars
constexpr Cardinal CXTO_EXTERNAL_LEADING = 0x2000;  // part of the row height
constexpr Cardinal CXTO_EDIT_CONTROL = 0x4000;      // no partly visible row at the bottom
constexpr Cardinal CXTO_NOCLIP = 0x8000;
constexpr Cardinal CXTO_AUTO_INDENTS = 0x10000;           // the rectangle shrinks by 2 pixels a side
constexpr Cardinal CXTO_CHARBREAK = 0x20000;              // words wider than a row break between characters
constexpr Cardinal CXTO_PREVENT_LEFT_EXCEED = 0x40000;    // no row starts left of the rectangle
constexpr Cardinal CXTO_PREVENT_TOP_EXCEED = 0x80000;     // the first row never starts above it
constexpr Cardinal CXTO_CALCRECT = 0x100000;              // write the rectangle back instead of drawing
constexpr Cardinal CXTO_CALCROWCOUNT = 0x200000;          // return the row count instead of drawing
constexpr Cardinal CXTO_HIDE_PREFIX = 0x1000000;          // accelerator ampersands removed ("&&" keeps one)
constexpr Cardinal CXTO_SKIP_LEADING_SPACES = 0x2000000;  // a wrapped row's next row drops its leading spaces

// ---- rows and parameters ----------------------------------------------------------------------

// What a call derives once from its flags and the device context's font.
struct TcxTextParams {
    int FontHeight = 0;
    int ExternalLeading = 0;  // 0 unless CXTO_EXTERNAL_LEADING
    int RowHeight = 0;        // (font height + external leading) x line spacing, half to even
    int EllipsisWidth = 0;    // 0 unless CXTO_END_ELLIPSIS
    bool Bold = false;
    WideChar BreakChar = L' ';
    int MaxCharWidth = 0;
    Byte CharSet = 0;
    int OnePixel = 1;             // logical units of one device pixel
    int HorizontalAlignment = 0;  // CXTO_LEFT .. CXTO_DISTRIBUTE
    int VerticalAlignment = 0;    // CXTO_TOP .. CXTO_SPREAD
    bool WordBreak = false, SingleLine = false, ExpandTabs = false, EndEllipsis = false, Greek = false,
         EditControl = false, NoClip = false, AutoIndents = false, CharBreak = false, PreventLeftExceed = false,
         PreventTopExceed = false, CalcRect = false, CalcRowCount = false, HidePrefix = false,
         SkipLeadingSpaces = false;
    bool DoubleByteCodePage = false;  // the ANSI code page has lead bytes
};

// Reads the parameters of a call from the flags and the font selected into dc.
TcxTextParams CalcTextParams(HDC dc, Cardinal flags, double lineSpacingFactor);

struct TcxTextRow {
    int Start = 0;  // index of its first character in the laid-out text
    int Count = 0;  // characters
    int Width = 0;  // as measured
    int Height = 0;
    int BreakCharCount = 0;  // spaces and tabs inside it, for justification
    int Left = 0;
    int Top = 0;
};

// Up to 32 rows without allocating; beyond that a dynamic array grown four rows ahead.
class TcxTextRows {
public:
    static constexpr int InlineRowCount = 32;
    int Count() const { return count_; }
    TcxTextRow& operator[](int index) {
        return index < InlineRowCount ? inline_[index] : more_[size_t(index - InlineRowCount)];
    }
    const TcxTextRow& operator[](int index) const {
        return index < InlineRowCount ? inline_[index] : more_[size_t(index - InlineRowCount)];
    }
    void Add(const TcxTextRow& row);
    void Clear() { count_ = 0; }
    void CutTo(int count) {
        if (count >= 0 && count < count_) count_ = count;
    }

private:
    int count_ = 0;
    TcxTextRow inline_[InlineRowCount];
    std::vector<TcxTextRow> more_;  // the dynamic rows, always four beyond the ones in use
};

// Breaks the text into rows for the rectangle (already prepared: indents applied); truncated
// tells whether, when drawing, text is cut off.
void MakeTextRows(HDC dc, const String& text, const TRect& r, const TcxTextParams& params, int maxRowCount,
                  TcxTextRows& rows, bool& truncated);
int LongestTextRowWidth(const TcxTextRows& rows, int count);
// Sets each row's left and top by the alignments.
void PlaceTextRows(HDC dc, const TRect& r, const TcxTextParams& params, int count, TcxTextRows& rows);

// ---- the engine -------------------------------------------------------------------------------

// Lays the text out in r and draws it, or with CXTO_CALCRECT writes the needed rectangle back
// to r, or with CXTO_CALCROWCOUNT counts the rows. Returns the row count for CXTO_CALCROWCOUNT,
// else the height from r's top to the bottom of the last row's font (the row count when that
// is 0); an empty text or rectangle gives 0. A given font is selected for the call and its
// colour used; textColor (unless clDefault) overrides it; the DC's font and text colour come
// back as they were. The highlight range (0-based start) is drawn over highlightColor (unless
// clNone) in highlightTextColor; indents are pixels; maxRowCount 0 means no limit.
int RenderWideText(HDC dc, const String& text, TRect& r, Cardinal flags, int highlightStart = 0,
                   int highlightLength = 0, TFont* font = nullptr, TColor highlightColor = clNone,
                   TColor highlightTextColor = clNone, int maxRowCount = 0, int leftIndent = 0, int rightIndent = 0,
                   TColor textColor = clDefault, double lineSpacingFactor = 1.0);

// ---- character rules --------------------------------------------------------------------------

// Ideographs, kana and hangul, and any non-ASCII character the ANSI code page writes with two
// bytes (checked only when doubleByteCodePage).
bool IsEastAsianChar(WideChar c, bool doubleByteCodePage);
// Closing punctuation that stays with the character before it.
bool CannotBeginTextRow(WideChar c);
// The pixel span [left, right) of the characters between the prefix widths x0 and x1 of a row;
// right-to-left rows are measured from their right end.
void TextRowSpan(int rowLeft, int rowWidth, int x0, int x1, bool rightToLeft, int& left, int& right);

// ---- start-up ---------------------------------------------------------------------------------

// The two greek patterns (solid and checkerboard) live from start-up to shut-down.
void InitializecxTextLayout();
void FinalizecxTextLayout();
