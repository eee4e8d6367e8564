#include "Colors.h"

#include <windows.h>

#include <cwchar>
#include <cwctype>

#include "SysExceptions.h"
#include "TypInfo.h"

namespace {

// Every named colour: standard, system, then clNone and clDefault.
#define Z_COLOR_IDENTS(X)                                                                                              \
    X(clBlack)                                                                                                         \
    X(clMaroon) X(clGreen) X(clOlive) X(clNavy) X(clPurple) X(clTeal) X(clGray) X(clSilver) X(clRed) X(clLime)         \
        X(clYellow) X(clBlue) X(clFuchsia) X(clAqua) X(clWhite) X(clMoneyGreen) X(clSkyBlue) X(clCream) X(clMedGray)   \
            X(clActiveBorder) X(clActiveCaption) X(clAppWorkSpace) X(clBackground) X(clBtnFace) X(clBtnHighlight)      \
                X(clBtnShadow) X(clBtnText) X(clCaptionText) X(clGradientActiveCaption) X(clGradientInactiveCaption)   \
                    X(clGrayText) X(clHighlight) X(clHighlightText) X(clHotLight) X(clInactiveBorder)                  \
                        X(clInactiveCaption) X(clInactiveCaptionText) X(clInfoBk) X(clInfoText) X(clMenu) X(clMenuBar) \
                            X(clMenuHighlight) X(clMenuText) X(clScrollBar) X(cl3DDkShadow) X(cl3DLight) X(clWindow)   \
                                X(clWindowFrame) X(clWindowText) X(clNone) X(clDefault)

#define Z_COLOR_IDENT(name) {name, L## #name},
const TColorIdent kColors[] = {Z_COLOR_IDENTS(Z_COLOR_IDENT)};

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

bool ColorToIdent(TColor color, String& ident) {
    for (const TColorIdent& c : kColors)
        if (c.value == color) {
            ident = c.name;
            return true;
        }
    return false;
}

bool IdentToColor(const String& ident, TColor& color) {
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
    TColor color;
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

const TIdentMap& ColorIdentMap() {
    static const TIdentMap map{Z_COLOR_IDENTS(Z_COLOR_IDENT)};
    return map;
}
