#include "cxPainterImages.h"

#include "cxExtendedStylePainters.h"
#include "cxRadioButtonImageList.h"
#include "cxSystemPaletteChangedNotifier.h"

namespace {

TSize checkBoxSize{13, 13};
TCustomImageList* indicatorImages = nullptr;
TBitmap* trackPatterns[2] = {nullptr, nullptr};
// Rebuilds the radio-button images when the system colours change.
TcxSystemPaletteChangedNotifier* paintersPaletteNotifier = nullptr;

const wchar_t* const kIndicatorBitmapNames[] = {L"CX_ARROWBITMAP",    L"CX_EDITBITMAP",       L"CX_INSERTBITMAP",
                                                L"CX_MULTIDOTBITMAP", L"CX_MULTIARROWBITMAP", L"CX_FILTERBITMAP"};

// The system bitmap that holds the check-box images, four across and three down.
constexpr int kCheckBoxesBitmap = 32759;

void MeasureCheckBoxSize() {
    HBITMAP bitmap = LoadBitmapW(nullptr, MAKEINTRESOURCEW(kCheckBoxesBitmap));
    BITMAP info{};
    if (bitmap && GetObjectW(bitmap, sizeof(info), &info)) checkBoxSize = TSize{info.bmWidth / 4, info.bmHeight / 3};
    if (bitmap) DeleteObject(bitmap);
}

void LoadIndicatorImages() {
    HINSTANCE program = GetModuleHandleW(nullptr);
    TCustomImageList* list = nullptr;
    try {
        for (const wchar_t* name : kIndicatorBitmapNames) {
            TBitmap bitmap;
            bitmap.LoadFromResourceName(program, name);
            if (!list) list = new TCustomImageList(nullptr, bitmap.Width(), bitmap.Height());
            list->AddMasked(&bitmap, clWhite);
        }
    } catch (...) {
        delete list;
        throw;
    }
    indicatorImages = list;
}

void PaintTrackPattern(TBitmap* pattern, TColor oddColor, TColor evenColor) {
    TCanvas* canvas = pattern->Canvas();
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) canvas->SetPixels(x, y, (x + y) % 2 ? oddColor : evenColor);
}

}  // namespace

TSize SystemCheckBoxSize() { return checkBoxSize; }

TCustomImageList* IndicatorImages() { return indicatorImages; }

TBitmap* ScrollBarTrackPattern(bool pressed) {
    if (!trackPatterns[pressed]) UpdateScrollBarPatterns();
    return trackPatterns[pressed];
}

void UpdateScrollBarPatterns() {
    for (TBitmap*& pattern : trackPatterns)
        if (!pattern) pattern = new TBitmap(8, 8, pf24bit);
    PaintTrackPattern(trackPatterns[0], clBtnHighlight, clBtnFace);
    PaintTrackPattern(trackPatterns[1], cl3DDkShadow, clBlack);
}

void InitializecxPainterImages() {
    CreateExtendedStylePainters();
    LoadIndicatorImages();
    UpdateScrollBarPatterns();
    paintersPaletteNotifier = new TcxSystemPaletteChangedNotifier(true);
    paintersPaletteNotifier->OnSystemPaletteChanged = &ResetRadioButtonImageList;
    MeasureCheckBoxSize();
}

void FinalizecxPainterImages() {
    delete paintersPaletteNotifier;
    paintersPaletteNotifier = nullptr;
    for (TBitmap*& pattern : trackPatterns) {
        delete pattern;
        pattern = nullptr;
    }
    delete indicatorImages;
    indicatorImages = nullptr;
    FreeRadioButtonImageList();
    FreeExtendedStylePainters();
}
