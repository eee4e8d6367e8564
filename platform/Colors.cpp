#include "Colors.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

#include "SysExceptions.h"

namespace {

const TColorIdent kColors[] = {
    {clBlack, L"clBlack"},
    {clMaroon, L"clMaroon"},
    {clGreen, L"clGreen"},
    {clOlive, L"clOlive"},
    {clNavy, L"clNavy"},
    {clPurple, L"clPurple"},
    {clTeal, L"clTeal"},
    {clGray, L"clGray"},
    {clSilver, L"clSilver"},
    {clRed, L"clRed"},
    {clLime, L"clLime"},
    {clYellow, L"clYellow"},
    {clBlue, L"clBlue"},
    {clFuchsia, L"clFuchsia"},
    {clAqua, L"clAqua"},
    {clWhite, L"clWhite"},
    {clMoneyGreen, L"clMoneyGreen"},
    {clSkyBlue, L"clSkyBlue"},
    {clCream, L"clCream"},
    {clMedGray, L"clMedGray"},
    {clActiveBorder, L"clActiveBorder"},
    {clActiveCaption, L"clActiveCaption"},
    {clAppWorkSpace, L"clAppWorkSpace"},
    {clBackground, L"clBackground"},
    {clBtnFace, L"clBtnFace"},
    {clBtnHighlight, L"clBtnHighlight"},
    {clBtnShadow, L"clBtnShadow"},
    {clBtnText, L"clBtnText"},
    {clCaptionText, L"clCaptionText"},
    {clGradientActiveCaption, L"clGradientActiveCaption"},
    {clGradientInactiveCaption, L"clGradientInactiveCaption"},
    {clGrayText, L"clGrayText"},
    {clHighlight, L"clHighlight"},
    {clHighlightText, L"clHighlightText"},
    {clHotLight, L"clHotLight"},
    {clInactiveBorder, L"clInactiveBorder"},
    {clInactiveCaption, L"clInactiveCaption"},
    {clInactiveCaptionText, L"clInactiveCaptionText"},
    {clInfoBk, L"clInfoBk"},
    {clInfoText, L"clInfoText"},
    {clMenu, L"clMenu"},
    {clMenuBar, L"clMenuBar"},
    {clMenuHighlight, L"clMenuHighlight"},
    {clMenuText, L"clMenuText"},
    {clScrollBar, L"clScrollBar"},
    {cl3DDkShadow, L"cl3DDkShadow"},
    {cl3DLight, L"cl3DLight"},
    {clWindow, L"clWindow"},
    {clWindowFrame, L"clWindowFrame"},
    {clWindowText, L"clWindowText"},
    {clNone, L"clNone"},
    {clDefault, L"clDefault"},
};

bool SameIdent(const String& a, const wchar_t* b) {
    size_t n = std::wcslen(b);
    if (a.size() != n) return false;
    for (size_t i = 0; i < n; ++i)
        if (std::towlower(a[i]) != std::towlower(b[i])) return false;
    return true;
}

}  // namespace

Integer ColorToRGB(TColor color) {
    if (color < 0) return Integer(GetSysColor(color & 0xFF));
    return color;
}

const TColorIdent* ColorIdents(int& count) {
    count = int(std::size(kColors));
    return kColors;
}

bool ColorToIdent(Integer color, String& ident) {
    for (const TColorIdent& c : kColors)
        if (c.value == color) {
            ident = c.name;
            return true;
        }
    return false;
}

bool IdentToColor(const String& ident, Integer& color) {
    for (const TColorIdent& c : kColors)
        if (SameIdent(ident, c.name)) {
            color = c.value;
            return true;
        }
    return false;
}

String ColorToString(TColor color) {
    String ident;
    if (ColorToIdent(color, ident)) return ident;
    wchar_t buffer[16];
    std::swprintf(buffer, 16, L"$%08X", unsigned(color));
    return buffer;
}

TColor StringToColor(const String& text) {
    Integer color;
    if (IdentToColor(text, color)) return color;
    const wchar_t* digits = text.c_str();
    int base = 10;
    if (!text.empty() && text[0] == L'$') {
        digits++;
        base = 16;
    } else if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) {
        digits += 2;
        base = 16;
    }
    wchar_t* end = nullptr;
    errno = 0;
    long long value = std::wcstoll(digits, &end, base);
    bool ok = *digits && end && *end == 0 && errno == 0 && value >= INT32_MIN && value <= UINT32_MAX;
    if (base == 16 && *digits == L'-') ok = false;
    if (!ok) throw EConvertError(L"'" + text + L"' is not a valid colour");
    return TColor(static_cast<std::uint32_t>(value));
}
