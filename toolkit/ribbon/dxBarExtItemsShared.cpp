#include "dxBarExtItemsShared.h"

#include "Bitmap.h"
#include "CommonDialogs.h"

namespace {
int firstDayOfWeek = 0;
TColorDialog* sharedColorDialog = nullptr;
TFontDialog* sharedFontDialog = nullptr;
}  // namespace

void LoadExtItemGlyph(TBitmap* glyph, const wchar_t* resourceName) {
    if (!glyph || !FindResourceW(GetModuleHandleW(nullptr), resourceName, MAKEINTRESOURCEW(2))) return;
    try {
        glyph->LoadFromResourceName(GetModuleHandleW(nullptr), resourceName);
    } catch (const Exception&) {
        glyph->Assign(nullptr);
    }
}

TColorDialog* dxBarColorDialog() {
    if (!sharedColorDialog) sharedColorDialog = new TColorDialog(nullptr);
    return sharedColorDialog;
}

TFontDialog* dxBarFontDialog() {
    if (!sharedFontDialog) sharedFontDialog = new TFontDialog(nullptr);
    return sharedFontDialog;
}

void FreeExtItemsDialogs() {
    FreeAndNil(sharedColorDialog);
    FreeAndNil(sharedFontDialog);
}

int dxBarFirstDayOfWeek() { return firstDayOfWeek; }
void SetdxBarFirstDayOfWeek(int value) { firstDayOfWeek = ((value % 7) + 7) % 7; }

namespace {
String LocaleText(LCTYPE type) {
    wchar_t text[80] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, text, 80);
    return length > 0 ? String(text, size_t(length - 1)) : String();
}
}  // namespace

String LocaleShortDayName(int dayOfWeek) {
    // The locale numbers its days from Monday: LOCALE_SABBREVDAYNAME1 is Monday, 7 Sunday.
    if (dayOfWeek < 1 || dayOfWeek > 7) return String();
    const int mondayBased = dayOfWeek == 1 ? 6 : dayOfWeek - 2;
    return LocaleText(LCTYPE(LOCALE_SABBREVDAYNAME1 + mondayBased));
}

String LocaleLongMonthName(int month) {
    if (month < 1 || month > 12) return String();
    return LocaleText(LCTYPE(LOCALE_SMONTHNAME1 + month - 1));
}
