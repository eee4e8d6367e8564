#pragma once
// Colour values: $00BBGGRR for an RGB colour, $FF0000nn for the system colour with index nn,
// clNone ($1FFFFFFF) for nothing drawn and clDefault ($20000000) for the caller's own default.
// Form descriptions write colours as their identifiers (clBtnFace) or as hexadecimal numbers.

#include "SysTypes.h"

// A colour is a type of its own, so that a published colour property writes and reads its
// identifier by itself; it converts to and from Integer freely.
class TColor {
public:
    constexpr TColor() = default;
    constexpr TColor(Integer value) : value_(value) {}
    constexpr operator Integer() const { return value_; }

private:
    Integer value_ = 0;
};

constexpr TColor SystemColor(int index) { return static_cast<TColor>(0xFF000000u | unsigned(index)); }

constexpr TColor clScrollBar = SystemColor(0);
constexpr TColor clBackground = SystemColor(1);
constexpr TColor clActiveCaption = SystemColor(2);
constexpr TColor clInactiveCaption = SystemColor(3);
constexpr TColor clMenu = SystemColor(4);
constexpr TColor clWindow = SystemColor(5);
constexpr TColor clWindowFrame = SystemColor(6);
constexpr TColor clMenuText = SystemColor(7);
constexpr TColor clWindowText = SystemColor(8);
constexpr TColor clCaptionText = SystemColor(9);
constexpr TColor clActiveBorder = SystemColor(10);
constexpr TColor clInactiveBorder = SystemColor(11);
constexpr TColor clAppWorkSpace = SystemColor(12);
constexpr TColor clHighlight = SystemColor(13);
constexpr TColor clHighlightText = SystemColor(14);
constexpr TColor clBtnFace = SystemColor(15);
constexpr TColor clBtnShadow = SystemColor(16);
constexpr TColor clGrayText = SystemColor(17);
constexpr TColor clBtnText = SystemColor(18);
constexpr TColor clInactiveCaptionText = SystemColor(19);
constexpr TColor clBtnHighlight = SystemColor(20);
constexpr TColor cl3DDkShadow = SystemColor(21);
constexpr TColor cl3DLight = SystemColor(22);
constexpr TColor clInfoText = SystemColor(23);
constexpr TColor clInfoBk = SystemColor(24);
constexpr TColor clHotLight = SystemColor(26);
constexpr TColor clGradientActiveCaption = SystemColor(27);
constexpr TColor clGradientInactiveCaption = SystemColor(28);
constexpr TColor clMenuHighlight = SystemColor(29);
constexpr TColor clMenuBar = SystemColor(30);

constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clMoneyGreen = 0xC0DCC0;
constexpr TColor clSkyBlue = 0xF0CAA6;
constexpr TColor clCream = 0xF0FBFF;
constexpr TColor clMedGray = 0xA4A0A0;

constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// The RGB value of a colour: system colours through GetSysColor, every other value unchanged.
Integer ColorToRGB(TColor color);
constexpr TColor RGBToColor(Byte r, Byte g, Byte b) { return TColor(r | (g << 8) | (b << 16)); }

// Identifier <-> value for the named colours (case-insensitive); false when there is none.
bool ColorToIdent(TColor color, String& ident);
bool IdentToColor(const String& ident, TColor& color);
// The identifier, or "$" followed by eight hexadecimal digits.
String ColorToString(TColor color);
// An identifier, a "$" hexadecimal or a decimal number; raises EConvertError otherwise.
TColor StringToColor(const String& text);

class TIdentMap;
// The colour identifiers; every published property of type TColor uses them.
const TIdentMap& ColorIdentMap();
inline const TIdentMap& IdentMapOf(TColor) { return ColorIdentMap(); }

struct TColorIdent {
    TColor value;
    const wchar_t* name;
};
// Every named colour, in a fixed order (standard, system, then clNone and clDefault).
const TColorIdent* ColorIdents(int& count);
