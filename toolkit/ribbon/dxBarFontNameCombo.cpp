#include "dxBarFontNameCombo.h"

#include "Bitmap.h"
#include "CallbackBarrier.h"
#include "CommonDialogs.h"
#include "Printers.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "dxBarExtItems.h"
#include "dxBarExtItemsShared.h"

namespace {

// The mark an entry's object stands for: 1 for TrueType families.
TObject* const trueTypeMark = reinterpret_cast<TObject*>(1);

int CALLBACK AddFontFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD fontType, LPARAM data) {
    return CallbackBarrier(1, [&] {
        auto* items = reinterpret_cast<TStrings*>(data);
        String name(font->lfFaceName, wcsnlen(font->lfFaceName, LF_FACESIZE));
        // A sorted list ignores a family it holds already (one per character set).
        items->AddObject(name.substr(0, 32), fontType & TRUETYPE_FONTTYPE ? trueTypeMark : nullptr);
        return 1;
    });
}

// The default printer's information context, or nil (no printer, or one that cannot be opened).
HDC PrinterDC() {
    try {
        if (Printer()->Printers()->Count() > 0) return Printer()->Handle();
    } catch (const Exception&) {
    }
    return nullptr;
}

}  // namespace

TdxBarFontNameCombo::TdxBarFontNameCombo(TComponent* owner) : TdxBarCustomCombo(owner) {
    SetDropDownCount(12);
    LoadExtItemGlyph(Glyph(), L"DXBARFONTNAMECOMBO");
    SetShowEditor(false);
    SetSorted(true);
    RefreshFontNames();
    SetWidth(160);
}

void TdxBarFontNameCombo::RefreshFontNames() {
    TStrings* items = Items();
    items->BeginUpdate();
    struct TEndUpdate {
        TStrings* items;
        ~TEndUpdate() { items->EndUpdate(); }
    } endUpdate{items};
    items->Clear();
    HDC dc = PrinterDC();
    HDC screen = nullptr;
    if (!dc) dc = screen = GetDC(nullptr);
    struct TReleaseScreen {
        HDC dc;
        ~TReleaseScreen() {
            if (dc) ReleaseDC(nullptr, dc);
        }
    } release{screen};
    LOGFONTW wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    EnumFontFamiliesExW(dc, &wanted, &AddFontFamily, LPARAM(items), 0);
}

void TdxBarFontNameCombo::SetText(const String& value) {
    String text = value;
    if (GetEditingLink() || GetActiveLink()) {
        const int found = FindItemByPrefix(text);
        if (found == -1 && !text.empty()) return;
        if (found != -1) text = Items()->Strings(found);
    }
    TdxBarCustomCombo::SetText(text);
}

void TdxBarFontNameCombo::CallClickHandler() {
    const bool dialog = !OnClick && !ReadOnly();
    TcxObjectLinkGuard self(this);
    TdxBarCustomCombo::CallClickHandler();
    if (!self.Alive() || !dialog) return;
    TFontDialog* fontDialog = dxBarFontDialog();
    fontDialog->Font()->SetName(GetText());
    if (fontDialog->Execute() && self.Alive()) SetText(fontDialog->Font()->Name());
}

void TdxBarFontNameCombo::DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const TRect& rect) {
    if (OnDrawItem || index < 0) {
        TdxBarCustomCombo::DrawItem(painter, index, state, rect);
        return;
    }
    TcxCanvas* canvas = DrawItemCanvas();
    HDC dc = canvas->GetCanvasHandle();
    HBRUSH brush = canvas->GetCanvasBrush()->Handle();
    FillRect(dc, &rect, brush);
    TBitmap* mark = IsTrueTypeEntry(Items()->Objects(index)) ? dxBarTrueTypeFontBitmap() : dxBarNonTrueTypeFontBitmap();
    int left = rect.left;
    if (mark && !mark->Empty()) {
        // The mark's magenta shows the entry's background.
        const int top = (rect.top + rect.bottom - mark->Height()) / 2;
        TransparentBlt(dc, left, top, mark->Width(), mark->Height(), mark->Canvas()->Handle(), 0, 0, mark->Width(),
                       mark->Height(), RGB(255, 0, 255));
        left += mark->Width();
    }
    const String name = Items()->Strings(index);
    SIZE extent{};
    GetTextExtentPoint32W(dc, name.c_str(), int(name.length()), &extent);
    const int mode = SetBkMode(dc, TRANSPARENT);
    const COLORREF color = SetTextColor(dc, ColorToRGB(canvas->GetCanvasFont()->Color()));
    ExtTextOutW(dc, left + 2, (rect.top + rect.bottom - extent.cy) / 2, ETO_CLIPPED, &rect, name.c_str(),
                UINT(name.length()), nullptr);
    SetTextColor(dc, color);
    SetBkMode(dc, mode);
    if (state.Contains(odFocused)) DrawFocusRect(dc, &rect);
}

void TdxBarFontNameCombo::MeasureItemWidth(int index, int& width) {
    TdxBarCustomCombo::MeasureItemWidth(index, width);
    TBitmap* mark = dxBarTrueTypeFontBitmap();
    width += (mark ? mark->Width() : 13) + 1;
}
