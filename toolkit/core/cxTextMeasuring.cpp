#include "cxTextMeasuring.h"

#include <vector>

#include "Font.h"
#include "WinControl.h"
#include "StringList.h"
#include "cxGraphics.h"

// ---- thin wrappers -------------------------------------------------------------------------

namespace {

int CountOf(const String& text, int count) { return count < 0 ? int(text.size()) : count; }

}  // namespace

bool MeasureTextInDC(HDC dc, const String& text, TSize& size, int count) {
    return GetTextExtentPoint32W(dc, text.c_str(), CountOf(text, count), &size) != 0;
}

int DrawTextInDC(HDC dc, const String& text, TRect& r, int count, UINT format) {
    return DrawTextW(dc, text.c_str(), CountOf(text, count), &r, format);
}

bool ExtTextOutInDC(HDC dc, const String& text, const TPoint& at, int count, UINT options, const TRect* clip) {
    return ExtTextOutW(dc, at.x, at.y, options, clip, text.c_str(), UINT(CountOf(text, count)), nullptr) != 0;
}

void InvalidateWindowRect(HWND window, const TRect& r, bool erase) { InvalidateRect(window, &r, erase); }

// ---- measuring in a font -------------------------------------------------------------------

TSize FontTextExtent(TFont* font, const String& text, int sizeOverride) {
    TcxScreenCanvas* screen = SharedScreenCanvas();
    screen->SetCanvasFont(font);
    if (sizeOverride != 0) screen->GetCanvasFont()->SetSize(sizeOverride);
    return screen->MeasureText(text);
}

int FontTextWidth(TFont* font, const String& text, int sizeOverride) {
    return FontTextExtent(font, text, sizeOverride).cx;
}

int FontTextHeight(TFont* font, const String& text, int sizeOverride) {
    return FontTextExtent(font, text, sizeOverride).cy;
}

// ---- rows and lines ------------------------------------------------------------------------

TSize SingleRowTextSize(HDC dc, const String& text) {
    TRect r = CalcTextRectForRows(dc, text, 1, false);
    return TSize{r.right, r.bottom};
}

TRect CalcTextRectForRows(HDC dc, const String& text, int rows, bool fullHeight) {
    TRect result{0, 0, 0, 0};
    if (rows <= 0) return result;
    if (rows == 1) {
        DrawTextW(dc, text.c_str(), int(text.size()), &result, DT_CALCRECT | DT_SINGLELINE);
        return result;
    }
    const UINT wrap = DT_CALCRECT | DT_WORDBREAK | DT_NOFULLWIDTHCHARBREAK;
    int limit = rows * SingleRowTextSize(dc, L"Wg").cy;
    auto wrapped = [&](int width) {
        TRect r{0, 0, width, 1};
        DrawTextW(dc, text.c_str(), int(text.size()), &r, wrap);
        return r;
    };
    int lo = wrapped(1).right;
    int hi = SingleRowTextSize(dc, text).cx;
    while (hi - lo > 1) {
        int mid = (lo + hi) / 2;
        if (RectHeight(wrapped(mid)) > limit)
            lo = mid;
        else
            hi = mid;
    }
    result = wrapped(lo);
    if (RectHeight(result) > limit) result = wrapped(hi);
    if (fullHeight) result.bottom = limit;
    return result;
}

namespace {

bool IsSeparator(wchar_t c) { return c == L'\t' || c == L'\n' || c == L'\r' || c == L' '; }

struct TWord {
    size_t start, end;
};

// A single separator between words is skipped; every further separator of a run is a word of
// its own, so such runs stay in the lines.
std::vector<TWord> SplitWords(const String& text) {
    std::vector<TWord> words;
    size_t i = 0, n = text.size();
    while (i < n) {
        if (IsSeparator(text[i])) {
            if (i > 0 && IsSeparator(text[i - 1])) words.push_back({i, i + 1});
            ++i;
            continue;
        }
        size_t j = i;
        while (j < n && !IsSeparator(text[j])) ++j;
        words.push_back({i, j});
        i = j;
    }
    return words;
}

}  // namespace

void WrapTextToLines(const String& text, TcxCanvas* canvas, const TRect& r, TStrings* lines) {
    HDC dc = canvas->GetCanvasHandle();
    canvas->MeasureText(String());  // selects the canvas font into the DC
    size_t lineStart = 0;
    bool lineHasWord = false;
    size_t previousEnd = 0;
    for (const TWord& word : SplitWords(text)) {
        int width = SingleRowTextSize(dc, text.substr(lineStart, word.end - lineStart)).cx;
        // A first word that is too wide starts the list itself, not after an empty line.
        if (width > RectWidth(r) && lineHasWord) {
            lines->Add(text.substr(lineStart, previousEnd - lineStart));
            lineStart = word.start;
        }
        lineHasWord = true;
        previousEnd = word.end;
    }
    lines->Add(text.substr(lineStart));
}

void TruncateTextWithEllipsis(HDC dc, HFONT font, const String& text, String& result, int maxExtent) {
    result.clear();
    if (text.empty() || maxExtent <= 0) return;
    HDC screenDC = nullptr;
    if (!dc) dc = screenDC = GetDC(nullptr);
    if (font) SelectObject(dc, font);
    TSize size{0, 0};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.size()), &size);
    if (size.cx <= maxExtent) {
        result = text;
    } else {
        static const String ellipsis = L"...";
        TSize dots{0, 0};
        GetTextExtentPoint32W(dc, ellipsis.c_str(), int(ellipsis.size()), &dots);
        int room = maxExtent - dots.cx;
        int fit = 0;
        if (room > 0) GetTextExtentExPointW(dc, text.c_str(), int(text.size()), room, &fit, nullptr, &size);
        if (fit < 1) fit = 1;
        result = text.substr(0, size_t(fit)) + ellipsis;
    }
    if (screenDC) ReleaseDC(nullptr, screenDC);
}

// ---- device helpers ------------------------------------------------------------------------

int ScreenPixelsPerInch(int index) {
    return GetDeviceCaps(SharedScreenCanvas()->GetCanvasHandle(), index == 0 ? LOGPIXELSY : LOGPIXELSX);
}

bool ReadBitmapLog(HBITMAP bitmap, BITMAP& log) { return GetObjectW(bitmap, sizeof(BITMAP), &log) != 0; }

bool GetBrushLog(HBRUSH brush, LOGBRUSH& log) { return GetObjectW(brush, sizeof(LOGBRUSH), &log) != 0; }

void ReadBrushLog(HBRUSH brush, LOGBRUSH& log) { GetBrushLog(brush, log); }

bool ReadFontLog(HFONT font, LOGFONTA& log) { return GetObjectA(font, sizeof(LOGFONTA), &log) != 0; }

bool ReadPenLog(HPEN pen, LOGPEN& log) { return GetObjectW(pen, sizeof(LOGPEN), &log) != 0; }

bool IsComplexScriptText(Byte charset, const String& text) {
    if (charset == DEFAULT_CHARSET) {
        CHARSETINFO info{};
        DWORD codePage = GetACP();
        charset = TranslateCharsetInfo(reinterpret_cast<DWORD*>(uintptr_t(codePage)), &info, TCI_SRCCODEPAGE)
                      ? Byte(info.ciCharset)
                      : Byte(ANSI_CHARSET);
    }
    if (!text.empty() && text[0] < 128) return false;
    return charset == GB2312_CHARSET || charset == CHINESEBIG5_CHARSET || charset == ARABIC_CHARSET;
}

// ---- parent background ---------------------------------------------------------------------

namespace {

// Paints control with its point `shift` on the canvas origin, when visible there gives some of
// it. A sibling (not the parent) gets its frame drawn first and its client area clipped.
void PaintControlInto(TWinControl* control, TcxCanvas* canvas, const TPoint& shift, const TRect& visible,
                      bool drawFrame) {
    canvas->PushDC();
    TPoint origin = canvas->GetWindowOrigin();
    canvas->SetWindowOrigin(TPoint{origin.x + shift.x, origin.y + shift.y});
    HDC dc = canvas->GetCanvasHandle();
    if (RectVisible(dc, &visible)) {
        control->SetControlState(control->ControlState() + csPaintCopy);
        if (drawFrame && control->HandleAllocated()) {
            HWND window = control->WindowHandle();
            TRect frame{0, 0, control->Width(), control->Height()};
            if (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)
                DrawEdge(dc, &frame, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
            else if (GetWindowLongW(window, GWL_STYLE) & WS_BORDER)
                DrawEdge(dc, &frame, BDR_RAISEDOUTER | BDR_SUNKENOUTER, BF_RECT | BF_ADJUST | BF_MONO);
            IntersectClipRect(dc, frame.left, frame.top, frame.right, frame.bottom);
            canvas->SetWindowOrigin(TPoint{origin.x + shift.x - frame.left, origin.y + shift.y - frame.top});
        }
        TCanvas* locked = canvas->Canvas();
        locked->Lock();
        try {
            control->Perform(WM_ERASEBKGND, WPARAM(dc), 0);
            control->Perform(WM_PAINT, WPARAM(dc), 0);
        } catch (...) {
            locked->Unlock();
            control->SetControlState(control->ControlState() - csPaintCopy);
            canvas->PopDC();
            throw;
        }
        locked->Unlock();
        control->SetControlState(control->ControlState() - csPaintCopy);
    }
    canvas->PopDC();
}

}  // namespace

void DrawParentBackground(TControl* control, TcxCanvas* canvas, const TRect& r, bool includeSiblings) {
    TWinControl* parent = control->Parent();
    if (!parent) return;
    TRect inParent = r;
    OffsetRect(&inParent, control->Left(), control->Top());
    TPoint shift{inParent.left, inParent.top};
    PaintControlInto(parent, canvas, shift, inParent, false);
    if (!includeSiblings) return;
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == control) break;
        auto* windowed = As<TWinControl>(sibling);
        if (!windowed || !windowed->Visible()) continue;
        PaintControlInto(windowed, canvas, TPoint{shift.x - windowed->Left(), shift.y - windowed->Top()},
                         TRect{0, 0, windowed->Width(), windowed->Height()}, true);
    }
}
