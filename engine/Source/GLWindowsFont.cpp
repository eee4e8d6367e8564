#include "GLWindowsFont.h"

#include <algorithm>
#include <cstdlib>

#include "Bitmap.h"
#include "Canvas.h"
#include "Picture.h"
#include "SysUtils.h"

namespace {

const Integer kGlyphSheetSizes[] = {64, 128, 256, 512};

}  // namespace

Integer PackGlyphCells(const TGlyphAdvances& advances, Integer charHeight, Integer width, Integer height,
                       const std::function<void(Byte code, Integer x, Integer y)>& place) {
    Integer x = 0, y = 0, count = 0;
    for (int code = 0; code <= 255; ++code) {
        const Integer advance = advances[size_t(code)];
        if (advance <= 0) continue;
        const Integer right = x + advance + 2;
        if (place) place(Byte(code), x, y);
        if (code < 255 && right + advances[size_t(code) + 1] + 2 > width) {
            y += charHeight;
            if (height < y + charHeight) break;
            x = 0;
        } else {
            x = right;
        }
        ++count;
    }
    return count;
}

bool ChooseGlyphSheetSize(const TGlyphAdvances& advances, Integer charHeight, Integer charCount, Integer& width,
                          Integer& height) {
    // The walk places the first cell of a row, and of the sheet, without testing that it fits:
    // a size smaller than one cell would hold clipped glyphs.
    Integer widestCell = 0;
    for (Integer advance : advances) widestCell = std::max(widestCell, advance + 2);
    Int64 bestArea = -1;
    Integer bestSkew = 0;
    for (Integer h : kGlyphSheetSizes) {
        for (Integer w : kGlyphSheetSizes) {
            if (widestCell > w || charHeight > h) continue;
            if (PackGlyphCells(advances, charHeight, w, h) != charCount) continue;
            const Int64 area = Int64(w) * h;
            const Integer skew = std::abs(w - h);
            if (bestArea < 0 || area < bestArea || (area == bestArea && skew < bestSkew)) {
                bestArea = area;
                bestSkew = skew;
                width = w;
                height = h;
            }
        }
    }
    return bestArea >= 0;
}

TGLWindowsBitmapFont::TGLWindowsBitmapFont(TComponent* owner) : TGLCustomBitmapFont(owner), font_(new TFont()) {
    font_->SetColor(clWhite);
    font_->OnChange = MakeEvent(this, &TGLWindowsBitmapFont::FontChanged);
    SetGlyphsAlpha(tiaAlphaFromIntensity);
    Ranges()->Add(32, 125);
    BuildFontSheet();
}

TGLWindowsBitmapFont::~TGLWindowsBitmapFont() {
    font_->OnChange = nullptr;
    delete font_;
}

bool TGLWindowsBitmapFont::IsRangesStored() const {
    const TBitmapFontRanges* ranges = Ranges();
    return !(ranges->Count() == 1 && ranges->Items(0)->StartASCII() == 32 && ranges->Items(0)->StopASCII() == 125);
}

UINT TGLWindowsBitmapFont::CodePage() const {
    CHARSETINFO info{};
    if (font_->Charset() != DEFAULT_CHARSET &&
        TranslateCharsetInfo(reinterpret_cast<DWORD*>(UINT_PTR(font_->Charset())), &info, TCI_SRCCHARSET))
        return info.ciACP;
    return CP_ACP;
}

String TGLWindowsBitmapFont::CharacterOf(Byte code) const {
    return AnsiToString(AnsiString(1, char(code)), CodePage());
}

void TGLWindowsBitmapFont::BuildGlyphImage() {
    BuildFontSheet();
    TGLCustomBitmapFont::BuildGlyphImage();
}

void TGLWindowsBitmapFont::BuildFontSheet() {
    NotifyFontChanged();
    TPicture* glyphs = Glyphs();
    // Drawing the sheet is no change of the font.
    const TNotifyEvent glyphsChanged = glyphs->OnChange;
    glyphs->OnChange = nullptr;
    struct TReattach {
        TPicture* picture;
        TNotifyEvent event;
        ~TReattach() { picture->OnChange = event; }
    } reattach{glyphs, glyphsChanged};

    TBitmap* sheet = glyphs->Bitmap();
    sheet->SetPixelFormat(pf32bit);
    if (sheet->Empty()) sheet->SetSize(1, 1);
    TCanvas* canvas = sheet->Canvas();
    canvas->SetFont(font_);
    canvas->Font()->SetColor(clWhite);

    Integer charWidth = std::max({canvas->TextWidth(L"_"), canvas->TextWidth(L"W"), canvas->TextWidth(L"M")}) + 2;
    const Integer charHeight = canvas->TextHeight(L"\"_pI|,") + 2;
    Integer extraSpacing = 0;
    if (font_->Style().Contains(fsItalic)) {
        extraSpacing = -(charWidth / 3);
        charWidth += charWidth / 3;
    }
    StoreCharSize(charWidth, charHeight);
    StoreExtraCharSpacing(extraSpacing);

    TGlyphAdvances advances{};
    for (int i = 0; i < Ranges()->Count(); ++i) {
        const TBitmapFontRange* range = Ranges()->Items(i);
        if (range->StopASCII() < range->StartASCII()) continue;
        for (Integer code = range->StartASCII(); code <= range->StopASCII(); ++code)
            advances[size_t(code)] = canvas->TextWidth(CharacterOf(Byte(code))) - extraSpacing;
    }
    FillCharWidths(0);
    for (int code = 0; code <= 255; ++code) SetCharWidthOf(Byte(code), advances[size_t(code)]);

    Integer width = 0, height = 0;
    if (!ChooseGlyphSheetSize(advances, charHeight, Ranges()->CharacterCount(), width, height)) {
        font_->SetSize(6);
        throw Exception(L"Characters are too large or too many. Unable to create font texture.");
    }

    sheet->SetSize(width, height);
    canvas->Brush()->SetColor(clBlack);
    canvas->FillRect(Rect(0, 0, width, height));
    const Single w = Single(width), h = Single(height);
    PackGlyphCells(advances, charHeight, width, height, [&](Byte code, Integer x, Integer y) {
        const Integer advance = advances[code];
        SetGlyphRect(code, {(x + 1.05f) / w, (h - (y + 0.05f)) / h, (x + advance + 2 - 1.05f) / w,
                            (h - (y + charHeight - 0.05f)) / h});
        canvas->TextRect(Rect(x, y, x + advance + 2, y + charHeight), x + 1, y + 1, CharacterOf(code));
    });
}

void InitializeGLWindowsFont() {
    RegisterClasses({TGLWindowsBitmapFont::StaticClass(), TGLStoredBitmapFont::StaticClass()});
}
