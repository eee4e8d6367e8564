// Sections: character rules · parameters and measuring · rows · breaking a row · making the
// rows · placing · drawing · the engine · start-up.

#include "cxTextLayout.h"

#include <cmath>
#include <cstdlib>

#include "Font.h"
#include "SysMath.h"
#include "cxTextMeasuring.h"
#include "cxWindowHelpers.h"
#include "dxCore.h"

// ---- character rules ------------------------------------------------------------------------

bool IsEastAsianChar(WideChar c, bool doubleByteCodePage) {
    if ((c >= 0x4E00 && c <= 0x9FFF) || (c >= 0x3040 && c <= 0x309F) || (c >= 0x30A0 && c <= 0x30FF) ||
        (c >= 0xAC00 && c <= 0xD7A3))
        return true;
    return doubleByteCodePage && c > 0x7F && IsDoubleByteAnsiChar(c);
}

bool CannotBeginTextRow(WideChar c) {
    struct TRange {
        WideChar first, last;
    };
    static const TRange ranges[] = {
        {L'!', L'!'},     {L'%', L'%'},     {L')', L')'},     {L',', L','},     {L'.', L'.'},     {L':', L';'},
        {L'>', L'?'},     {L']', L']'},     {L'}', L'}'},     {0x00A8, 0x00A8}, {0x00B0, 0x00B0}, {0x00B7, 0x00B7},
        {0x02C7, 0x02C7}, {0x02C9, 0x02C9}, {0x2013, 0x2016}, {0x2018, 0x2019}, {0x201D, 0x201D}, {0x2022, 0x2022},
        {0x2025, 0x2027}, {0x2032, 0x2033}, {0x2103, 0x2103}, {0x2236, 0x2236}, {0x2574, 0x2574}, {0x3001, 0x3003},
        {0x3005, 0x3005}, {0x3009, 0x3009}, {0x300B, 0x300B}, {0x300D, 0x300D}, {0x300F, 0x300F}, {0x3011, 0x3011},
        {0x3015, 0x3015}, {0x3017, 0x3017}, {0x301E, 0x301E}, {0x309B, 0x309C}, {0xFE30, 0xFE31}, {0xFE33, 0xFE34},
        {0xFE36, 0xFE36}, {0xFE38, 0xFE38}, {0xFE3A, 0xFE3A}, {0xFE3C, 0xFE3C}, {0xFE3E, 0xFE3E}, {0xFE40, 0xFE40},
        {0xFE42, 0xFE42}, {0xFE44, 0xFE44}, {0xFE4F, 0xFE52}, {0xFE54, 0xFE57}, {0xFE5A, 0xFE5A}, {0xFE5C, 0xFE5C},
        {0xFE5E, 0xFE5E}, {0xFF01, 0xFF02}, {0xFF05, 0xFF05}, {0xFF07, 0xFF07}, {0xFF09, 0xFF09}, {0xFF0C, 0xFF0E},
        {0xFF1A, 0xFF1B}, {0xFF1E, 0xFF1F}, {0xFF3D, 0xFF3D}, {0xFF5C, 0xFF5E}, {0xFF61, 0xFF61}, {0xFF63, 0xFF64},
        {0xFF9E, 0xFF9F}, {0xFFE0, 0xFFFF},
    };
    for (const TRange& range : ranges)
        if (c >= range.first && c <= range.last) return true;
    return false;
}

void TextRowSpan(int rowLeft, int rowWidth, int x0, int x1, bool rightToLeft, int& left, int& right) {
    if (rightToLeft) {
        left = rowLeft + rowWidth - x1;
        right = rowLeft + rowWidth - x0;
    } else {
        left = rowLeft + x0;
        right = rowLeft + x1;
    }
}

// ---- parameters and measuring ---------------------------------------------------------------

namespace {

bool IsTextBlank(WideChar c) { return c == L' ' || c == L'\t'; }
bool IsTextLineEnd(WideChar c) { return c == L'\r' || c == L'\n'; }
bool IsHighSurrogateUnit(WideChar c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogateUnit(WideChar c) { return c >= 0xDC00 && c <= 0xDFFF; }

// Logical units of n device pixels along each axis, at least 1 for n > 0.
TSize LogicalUnitsOfPixels(HDC dc, int n) {
    POINT points[2] = {{0, 0}, {n, n}};
    DPtoLP(dc, points, 2);
    TSize size{std::abs(points[1].x - points[0].x), std::abs(points[1].y - points[0].y)};
    if (n > 0) {
        if (size.cx < 1) size.cx = 1;
        if (size.cy < 1) size.cy = 1;
    }
    return size;
}

// GetTabbedTextExtent answers 16-bit widths, so long runs go through DrawText.
constexpr int kLongestTabbedRun = 4095;

int MeasureTextRun(HDC dc, const TcxTextParams& params, const wchar_t* text, int count) {
    if (count <= 0) return 0;
    if (params.ExpandTabs) {
        if (count > kLongestTabbedRun) {
            RECT r{0, 0, 0, 0};
            DrawTextW(dc, text, count, &r, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX | DT_EXPANDTABS);
            return r.right - r.left;
        }
        return LOWORD(GetTabbedTextExtentW(dc, text, count, 0, nullptr));
    }
    SIZE size{};
    GetTextExtentPoint32W(dc, text, count, &size);
    return size.cx;
}

}  // namespace

TcxTextParams CalcTextParams(HDC dc, Cardinal flags, double lineSpacingFactor) {
    TcxTextParams p;
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    p.FontHeight = metrics.tmHeight;
    p.ExternalLeading = (flags & CXTO_EXTERNAL_LEADING) ? metrics.tmExternalLeading : 0;
    if (!std::isfinite(lineSpacingFactor)) lineSpacingFactor = 1.0;
    p.RowHeight = int(Round((Extended(p.FontHeight) + p.ExternalLeading) * lineSpacingFactor));
    p.Bold = metrics.tmWeight >= FW_BOLD;
    p.BreakChar = metrics.tmBreakChar;
    p.MaxCharWidth = metrics.tmMaxCharWidth;
    p.CharSet = metrics.tmCharSet;
    p.OnePixel = LogicalUnitsOfPixels(dc, 1).cx;
    p.HorizontalAlignment = int(flags & CXTO_HORIZONTAL_ALIGNMENT);
    if (p.HorizontalAlignment > int(CXTO_DISTRIBUTE)) p.HorizontalAlignment = int(CXTO_LEFT);
    p.VerticalAlignment = int(flags & CXTO_VERTICAL_ALIGNMENT);
    p.WordBreak = flags & CXTO_WORDBREAK;
    p.SingleLine = flags & CXTO_SINGLELINE;
    p.ExpandTabs = flags & CXTO_EXPANDTABS;
    p.EndEllipsis = flags & CXTO_END_ELLIPSIS;
    p.Greek = (flags & CXTO_GREEK_SMALL_TEXT) && p.FontHeight < LogicalUnitsOfPixels(dc, 6).cy;
    p.EditControl = flags & CXTO_EDIT_CONTROL;
    p.NoClip = flags & CXTO_NOCLIP;
    p.AutoIndents = flags & CXTO_AUTO_INDENTS;
    p.CharBreak = (flags & CXTO_CHARBREAK) || IsFarEastSystem();
    p.PreventLeftExceed = flags & CXTO_PREVENT_LEFT_EXCEED;
    p.PreventTopExceed = flags & CXTO_PREVENT_TOP_EXCEED;
    p.CalcRect = flags & CXTO_CALCRECT;
    p.CalcRowCount = flags & CXTO_CALCROWCOUNT;
    p.HidePrefix = flags & CXTO_HIDE_PREFIX;
    p.SkipLeadingSpaces = flags & CXTO_SKIP_LEADING_SPACES;
    CPINFO codePage{};
    p.DoubleByteCodePage = GetCPInfo(CP_ACP, &codePage) && codePage.MaxCharSize > 1;
    p.EllipsisWidth = p.EndEllipsis ? MeasureTextRun(dc, p, L"...", 3) : 0;
    return p;
}

// ---- rows -----------------------------------------------------------------------------------

void TcxTextRows::Add(const TcxTextRow& row) {
    if (count_ < InlineRowCount) {
        inline_[count_] = row;
    } else {
        const size_t index = size_t(count_ - InlineRowCount);
        if (index >= more_.size()) {
            more_.reserve(index + 1 + 4);
            more_.resize(index + 1);
        }
        more_[index] = row;
    }
    ++count_;
}

int LongestTextRowWidth(const TcxTextRows& rows, int count) {
    int longest = 0;
    for (int i = 0; i < count && i < rows.Count(); ++i) longest = std::max(longest, rows[i].Width);
    return longest;
}

// ---- breaking a row -------------------------------------------------------------------------

namespace {

struct TRowBreak {
    int End;       // one past the row's last character
    int Next;      // where the next row starts
    bool Wrapped;  // the row ended at the width, not at a line end
    int BreakChars;
};

class TRowBreaker {
public:
    TRowBreaker(HDC dc, const String& text, const TcxTextParams& params)
        : dc_(dc),
          s_(text),
          end_(int(text.size())),
          p_(params),
          wrap_(!params.SingleLine && (params.WordBreak || params.HorizontalAlignment == int(CXTO_JUSTIFY) ||
                                       params.HorizontalAlignment == int(CXTO_DISTRIBUTE))) {}

    int Measure(int start, int count) const { return MeasureTextRun(dc_, p_, s_.c_str() + start, count); }

    TRowBreak Break(int p0, int width, bool ellipsisRow) const {
        TRowBreak row{end_, end_, false, 0};
        int p = p0;
        while (true) {
            if (p >= end_) {
                row.End = row.Next = end_;
                break;
            }
            if (IsTextLineEnd(s_[size_t(p)])) {
                row.End = p;
                row.Next = SkipLineEnd(p);
                break;
            }
            const int q = ChunkEnd(p);
            if (!wrap_ || Measure(p0, q - p0) <= width) {
                p = q;
                continue;
            }
            row.Wrapped = true;
            if (p > p0 && !ellipsisRow) {
                row.End = row.Next = p;
            } else if (p_.CharBreak) {
                row.End = row.Next = p + LongestFittingPrefix(p0, p, q, width);
            } else {  // the chunk stays whole on its row
                row.End = row.Next = q;
                if (p_.EndEllipsis && q < end_ && IsTextLineEnd(s_[size_t(q)])) {
                    row.Next = SkipLineEnd(q);
                    row.Wrapped = false;
                }
            }
            break;
        }
        if (row.Wrapped) TrimSeam(p0, row);
        const int h = p_.HorizontalAlignment;
        if (h == int(CXTO_DISTRIBUTE) || (h == int(CXTO_JUSTIFY) && row.Wrapped)) {
            while (row.End > p0 && IsTextBlank(s_[size_t(row.End - 1)])) --row.End;
            for (int i = p0; i < row.End; ++i) row.BreakChars += IsTextBlank(s_[size_t(i)]);
        }
        return row;
    }

private:
    // CR LF and LF CR count as one line end.
    int SkipLineEnd(int p) const {
        const WideChar first = s_[size_t(p)];
        ++p;
        if (p < end_ && IsTextLineEnd(s_[size_t(p)]) && s_[size_t(p)] != first) ++p;
        return p;
    }

    // A blank; a word up to the next blank, line end or East Asian character; or one East
    // Asian character with the next one when that may not begin a row.
    int ChunkEnd(int p) const {
        const WideChar c = s_[size_t(p)];
        if (IsTextBlank(c)) return p + 1;
        if (IsEastAsianChar(c, p_.DoubleByteCodePage)) {
            int q = p + 1;
            if (q < end_ && CannotBeginTextRow(s_[size_t(q)])) ++q;
            return q;
        }
        int q = p + 1;
        while (q < end_) {
            const WideChar next = s_[size_t(q)];
            if (IsTextBlank(next) || IsTextLineEnd(next) || IsEastAsianChar(next, p_.DoubleByteCodePage)) break;
            ++q;
        }
        return q;
    }

    // The most characters of the chunk [p, q) that fit after [p0, p); at least one, and never
    // half of a surrogate pair.
    int LongestFittingPrefix(int p0, int p, int q, int width) const {
        int best = 1, low = 1, high = q - p;
        while (low <= high) {
            const int middle = (low + high) / 2;
            if (Measure(p0, p + middle - p0) <= width) {
                best = middle;
                low = middle + 1;
            } else {
                high = middle - 1;
            }
        }
        const int cut = p + best;
        if (cut < q && IsHighSurrogateUnit(s_[size_t(cut - 1)]) && IsLowSurrogateUnit(s_[size_t(cut)]))
            best += best > 1 ? -1 : 1;
        return best;
    }

    // White space at the seam of a wrapped row goes by the horizontal alignment.
    void TrimSeam(int p0, TRowBreak& row) const {
        const int h = p_.HorizontalAlignment;
        const bool dropTrailing = h == int(CXTO_CENTER_HORIZONTALLY) || h == int(CXTO_RIGHT);
        const bool skipLeading = h != int(CXTO_RIGHT);
        if (dropTrailing && row.End > p0 && IsTextBlank(s_[size_t(row.End - 1)])) --row.End;
        if (skipLeading && row.Next < end_ && IsTextBlank(s_[size_t(row.Next)])) ++row.Next;
        if (p_.SkipLeadingSpaces)
            while (row.Next < end_ && s_[size_t(row.Next)] == L' ') ++row.Next;
    }

    HDC dc_;
    const String& s_;
    int end_;
    const TcxTextParams& p_;
    bool wrap_;
};

}  // namespace

// ---- making the rows ------------------------------------------------------------------------

void MakeTextRows(HDC dc, const String& text, const TRect& r, const TcxTextParams& params, int maxRowCount,
                  TcxTextRows& rows, bool& truncated) {
    rows.Clear();
    truncated = false;
    const int n = int(text.size());
    const TRowBreaker breaker(dc, text, params);
    const bool calculating = params.CalcRect || params.CalcRowCount;
    const int width = RectWidth(r), height = RectHeight(r);
    if (params.CalcRect && params.SingleLine) {
        rows.Add({0, n, breaker.Measure(0, n), params.RowHeight, 0, 0, 0});
        return;
    }
    const bool topAlignedDrawing = params.VerticalAlignment == int(CXTO_TOP) && !calculating;
    const bool ellipsisAllowed = params.EndEllipsis && !params.NoClip && !calculating &&
                                 params.HorizontalAlignment != int(CXTO_JUSTIFY) &&
                                 params.HorizontalAlignment != int(CXTO_DISTRIBUTE);
    int p = 0;
    long long accumulated = 0;
    while (p < n) {
        accumulated += params.RowHeight;
        bool last = params.SingleLine;
        if (!last && topAlignedDrawing)
            last =
                params.EditControl && !params.NoClip ? accumulated + params.RowHeight > height : accumulated > height;
        if (maxRowCount > 0 && rows.Count() + 1 >= maxRowCount) last = true;
        const TRowBreak row = breaker.Break(p, width, last && ellipsisAllowed);
        rows.Add({p, row.End - p, breaker.Measure(p, row.End - p), params.RowHeight, row.BreakChars, 0, 0});
        p = row.Next;
        if (last) break;
    }
    truncated = !calculating && ((params.SingleLine && rows[0].Width > width) || p < n);
}

// ---- placing --------------------------------------------------------------------------------

void PlaceTextRows(HDC dc, const TRect& r, const TcxTextParams& params, int count, TcxTextRows& rows) {
    if (count > rows.Count()) count = rows.Count();
    if (count <= 0) return;
    const int height = RectHeight(r), width = RectWidth(r);
    int step = params.RowHeight, remainder = 0;
    if (params.VerticalAlignment == int(CXTO_SPREAD) && count > 1 &&
        params.FontHeight < double(height - params.FontHeight) / (count - 1)) {
        step = (height - params.FontHeight) / (count - 1);
        remainder = (height - params.FontHeight) % (count - 1);
    }
    int top;
    switch (params.VerticalAlignment) {
        case int(CXTO_CENTER_VERTICALLY):
            top = r.top + (height - count * params.RowHeight) / 2;
            break;
        case int(CXTO_BOTTOM):
            top = r.bottom - count * params.RowHeight + params.ExternalLeading;
            break;
        default:
            top = r.top;
            break;
    }
    if (params.PreventTopExceed && top < r.top) top = r.top;
    for (int i = 0; i < count; ++i) {
        TcxTextRow& row = rows[i];
        switch (params.HorizontalAlignment) {
            case int(CXTO_CENTER_HORIZONTALLY):
                row.Left = r.left + (width - row.Width) / 2;
                break;
            case int(CXTO_RIGHT):
                row.Left = r.right - row.Width;
                break;
            default:
                row.Left = r.left;
                break;
        }
        if (params.PreventLeftExceed && row.Left < r.left) row.Left = r.left;
        row.Top = top;
        top += step;
        if (remainder > 0) {
            ++top;
            --remainder;
        }
    }
}

// ---- drawing --------------------------------------------------------------------------------

namespace {

HBRUSH greekSolidBrush = nullptr;
HBRUSH greekCheckerBrush = nullptr;

HBRUSH CreateMonochromePatternBrush(const WORD (&rows)[8]) {
    HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
    HBRUSH brush = CreatePatternBrush(pattern);
    DeleteObject(pattern);  // the brush keeps its own copy
    return brush;
}

// Keeps the clip region of a DC and puts it back.
class TSavedClipRegion {
public:
    explicit TSavedClipRegion(HDC dc) : dc_(dc), region_(CreateRectRgn(0, 0, 0, 0)) {
        hadRegion_ = GetClipRgn(dc, region_) == 1;
    }
    ~TSavedClipRegion() {
        Restore();
        DeleteObject(region_);
    }
    void Restore() { SelectClipRgn(dc_, hadRegion_ ? region_ : nullptr); }

private:
    HDC dc_;
    HRGN region_;
    bool hadRegion_;
};

TRect TextBandIntersection(const TRect& a, const TRect& b) {
    TRect result;
    if (!IntersectRect(&result, &a, &b)) result = Rect(0, 0, 0, 0);
    return result;
}

struct TTextDrawing {
    HDC dc;
    const String& text;
    const TRect& r;
    const TcxTextParams& params;
    int highlightStart, highlightEnd;  // an empty range: no highlight
    TColor highlightColor, highlightTextColor;
    bool metafile;

    void DrawRun(int x, int y, int start, int count) const {
        if (count <= 0) return;
        if (params.ExpandTabs)
            TabbedTextOutW(dc, x, y, text.c_str() + start, count, 0, nullptr, x);
        else
            ExtTextOutW(dc, x, y, 0, nullptr, text.c_str() + start, UINT(count), nullptr);
    }

    void DrawEllipsis(int x, int y, const TRect& band) const {
        if (x >= r.right) return;  // the row already reaches the right edge
        const bool clip = !params.NoClip && !metafile && x + params.EllipsisWidth > r.right;
        TSavedClipRegion saved(dc);
        if (clip) {
            const TRect area = TextBandIntersection(band, r);
            IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        }
        ExtTextOutW(dc, x, y, 0, nullptr, L"...", 3, nullptr);
    }

    void DrawGreekRow(const TcxTextRow& row) const {
        const int px = params.OnePixel;
        TRect bar =
            Rect(row.Left, row.Top + px, std::min(row.Left + row.Width, int(r.right)), row.Top + params.RowHeight - px);
        if (bar.bottom - bar.top < px) bar.bottom = bar.top + px;
        const COLORREF oldBackground = SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        FillRect(dc, &bar, params.Bold ? greekSolidBrush : greekCheckerBrush);
        SetBkColor(dc, oldBackground);
    }

    // The characters of the row that fit in the width, with at least one for left alignment.
    int EllipsisFit(const TcxTextRow& row, int width) const {
        int fit = 0;
        SIZE size{};
        if (params.ExpandTabs) {
            while (fit < row.Count && MeasureTextRun(dc, params, text.c_str() + row.Start, fit + 1) <= width) ++fit;
        } else {
            GetTextExtentExPointW(dc, text.c_str() + row.Start, row.Count, std::max(width, 0), &fit, nullptr, &size);
        }
        if (fit == 0 && params.HorizontalAlignment == int(CXTO_LEFT) && row.Count > 0) fit = 1;
        if (fit > 0 && fit < row.Count && IsHighSurrogateUnit(text[size_t(row.Start + fit - 1)])) --fit;
        return fit;
    }

    void DrawRow(const TcxTextRow& row, bool isLast, bool truncated) const {
        const int width = RectWidth(r);
        const TRect band = Rect(r.left, row.Top, r.right, row.Top + params.RowHeight);
        const bool ellipsis = isLast && params.EndEllipsis && (truncated || row.Width > width);
        int count = row.Count, rowWidth = row.Width;
        if (ellipsis) {
            count = EllipsisFit(row, width - params.EllipsisWidth);
            rowWidth = MeasureTextRun(dc, params, text.c_str() + row.Start, count);
        }
        const bool stretch =
            (params.HorizontalAlignment == int(CXTO_JUSTIFY) || params.HorizontalAlignment == int(CXTO_DISTRIBUTE)) &&
            !ellipsis && row.BreakCharCount > 0 && row.Width < width;
        if (stretch) {
            SetTextJustification(dc, width - row.Width, row.BreakCharCount);
            rowWidth = width;
        }
        TSavedClipRegion saved(dc);
        const bool clip =
            !params.NoClip && !metafile && (row.Width > width || band.top < r.top || band.bottom > r.bottom);
        if (clip) {
            const TRect area = TextBandIntersection(band, r);
            IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
        }
        const int ellipsisX = row.Left + rowWidth;
        // The highlighted span, drawn first in its own colours and then kept out of the clip.
        const int a = std::max(highlightStart, row.Start), b = std::min(highlightEnd, row.Start + count);
        const bool ellipsisHighlighted = ellipsis && highlightEnd > row.Start + count && highlightStart < highlightEnd;
        if (a < b || ellipsisHighlighted) {
            int left = ellipsisX, right = ellipsisX;
            if (a < b) {
                const int x0 = MeasureTextRun(dc, params, text.c_str() + row.Start, a - row.Start);
                const int x1 = MeasureTextRun(dc, params, text.c_str() + row.Start, b - row.Start);
                const bool rtl = IsComplexScriptText(params.CharSet, text.substr(size_t(row.Start), size_t(count)));
                TextRowSpan(row.Left, rowWidth, x0, x1, rtl, left, right);
            }
            if (ellipsisHighlighted) right = std::max(right, ellipsisX + params.EllipsisWidth);
            const TRect span = Rect(left, band.top, right, band.bottom);
            {
                TSavedClipRegion inner(dc);
                IntersectClipRect(dc, span.left, span.top, span.right, span.bottom);
                if (highlightColor != clNone && highlightColor != clDefault) {
                    HBRUSH brush = CreateSolidBrush(ColorToRGB(highlightColor));
                    FillRect(dc, &span, brush);
                    DeleteObject(brush);
                }
                const COLORREF normal = GetTextColor(dc);
                if (highlightTextColor != clNone && highlightTextColor != clDefault)
                    SetTextColor(dc, ColorToRGB(highlightTextColor));
                DrawRun(row.Left, row.Top, row.Start, count);
                if (ellipsis) DrawEllipsis(ellipsisX, row.Top, band);
                SetTextColor(dc, normal);
            }
            ExcludeClipRect(dc, span.left, span.top, span.right, span.bottom);
        }
        DrawRun(row.Left, row.Top, row.Start, count);
        if (ellipsis) DrawEllipsis(ellipsisX, row.Top, band);
        if (stretch) SetTextJustification(dc, 0, 0);
    }
};

void DrawTextRows(const TTextDrawing& drawing, const TcxTextRows& rows, bool truncated) {
    HDC dc = drawing.dc;
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    const UINT oldAlign = SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);
    for (int i = 0; i < rows.Count(); ++i) {
        const TcxTextRow& row = rows[i];
        const bool isLast = i == rows.Count() - 1;
        if (row.Count == 0) {
            // A truncated text whose last row is empty shows only the ellipsis.
            if (isLast && truncated && drawing.params.EndEllipsis)
                drawing.DrawEllipsis(
                    row.Left, row.Top,
                    Rect(drawing.r.left, row.Top, drawing.r.right, row.Top + drawing.params.RowHeight));
            continue;
        }
        const TRect band = Rect(drawing.r.left, row.Top, drawing.r.right, row.Top + drawing.params.RowHeight);
        if (!RectVisible(dc, &band)) continue;
        if (drawing.params.Greek)
            drawing.DrawGreekRow(row);
        else
            drawing.DrawRow(row, isLast, truncated);
    }
    SetTextAlign(dc, oldAlign);
    SetBkMode(dc, oldMode);
}

// Restores the font and the text colour of a DC when a call ends.
class TSavedTextState {
public:
    explicit TSavedTextState(HDC dc) : dc_(dc), color_(GetTextColor(dc)) {}
    ~TSavedTextState() {
        if (font_) SelectObject(dc_, font_);
        SetTextColor(dc_, color_);
    }
    void SelectFont(HFONT font) {
        HGDIOBJ old = SelectObject(dc_, font);
        if (!font_) font_ = old;
    }

private:
    HDC dc_;
    COLORREF color_;
    HGDIOBJ font_ = nullptr;
};

}  // namespace

// ---- the engine -----------------------------------------------------------------------------

int RenderWideText(HDC dc, const String& text, TRect& r, Cardinal flags, int highlightStart, int highlightLength,
                   TFont* font, TColor highlightColor, TColor highlightTextColor, int maxRowCount, int leftIndent,
                   int rightIndent, TColor textColor, double lineSpacingFactor) {
    if (text.empty()) return 0;
    const String laid = (flags & CXTO_HIDE_PREFIX) ? RemoveAccelCharsWide(text) : text;
    if (laid.empty()) return 0;
    TSavedTextState saved(dc);
    if (font) {
        saved.SelectFont(font->Handle());
        SetTextColor(dc, ColorToRGB(font->Color()));
    }
    if (textColor != clDefault) SetTextColor(dc, ColorToRGB(textColor));
    const TcxTextParams params = CalcTextParams(dc, flags, lineSpacingFactor);

    // The rectangle shrinks by the automatic and the given indents, and grows back on writing.
    TRect area = r;
    const int autoIndent = params.AutoIndents ? 2 * params.OnePixel : 0;
    area.left += autoIndent + leftIndent * params.OnePixel;
    area.top += autoIndent;
    area.right -= autoIndent + rightIndent * params.OnePixel;
    area.bottom -= autoIndent;
    const bool drawing = !params.CalcRect && !params.CalcRowCount;
    if (RectWidth(area) <= 0 || (drawing && RectHeight(area) <= 0)) return 0;
    if (maxRowCount < 0) maxRowCount = 0;

    TcxTextRows rows;
    bool truncated = false;
    MakeTextRows(dc, laid, area, params, maxRowCount, rows, truncated);
    if (params.CalcRowCount) return rows.Count();
    if (params.CalcRect) {
        if (maxRowCount > 0) rows.CutTo(maxRowCount);
        area.right = area.left + LongestTextRowWidth(rows, rows.Count());
        if (!params.SingleLine) {
            MakeTextRows(dc, laid, area, params, maxRowCount, rows, truncated);
            if (maxRowCount > 0) rows.CutTo(maxRowCount);
        }
    }
    PlaceTextRows(dc, area, params, rows.Count(), rows);
    const TcxTextRow& lastRow = rows[rows.Count() - 1];
    const int height = lastRow.Top + params.FontHeight - area.top;
    if (params.CalcRect) {
        area.bottom = lastRow.Top + params.FontHeight;
        r.left = area.left - autoIndent - leftIndent * params.OnePixel;
        r.top = area.top - autoIndent;
        r.right = area.right + autoIndent + rightIndent * params.OnePixel;
        r.bottom = area.bottom + autoIndent;
    } else {
        int start = highlightStart, end = highlightStart;
        if (highlightLength > 0 && highlightStart >= 0 && highlightStart < int(laid.size()))
            end = highlightStart + std::min(highlightLength, int(laid.size()) - highlightStart);
        const int type = GetObjectType(dc);
        const TTextDrawing drawing{dc,
                                   laid,
                                   area,
                                   params,
                                   start,
                                   end,
                                   highlightColor,
                                   highlightTextColor,
                                   type == OBJ_METADC || type == OBJ_ENHMETADC};
        DrawTextRows(drawing, rows, truncated);
    }
    return height != 0 ? height : rows.Count();
}

// ---- start-up -------------------------------------------------------------------------------

void InitializecxTextLayout() {
    if (greekSolidBrush) return;
    // Monochrome patterns: 0 bits take the text colour, 1 bits the background (Window).
    const WORD solid[8] = {0, 0, 0, 0, 0, 0, 0, 0};
    const WORD checker[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
    greekSolidBrush = CreateMonochromePatternBrush(solid);
    greekCheckerBrush = CreateMonochromePatternBrush(checker);
}

void FinalizecxTextLayout() {
    if (greekSolidBrush) DeleteObject(greekSolidBrush);
    if (greekCheckerBrush) DeleteObject(greekCheckerBrush);
    greekSolidBrush = greekCheckerBrush = nullptr;
}
