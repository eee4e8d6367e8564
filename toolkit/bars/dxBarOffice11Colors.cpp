// The Office-style bar colours.

#include "dxBarOffice11Colors.h"

#include <array>

#include "dxOffice11.h"

namespace {

TdxBarOffice11Colors office11BarColors{};
std::array<COLORREF, 7> office11BarSource{};
bool office11BarColorsMade = false;

std::array<COLORREF, 7> CurrentSourceColors() {
    return {GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_WINDOW),   GetSysColor(COLOR_BTNSHADOW),
            GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_BTNTEXT),  GetSysColor(COLOR_GRAYTEXT),
            GetSysColor(COLOR_BTNHIGHLIGHT)};
}

TColor Rgb(TColor color) { return ColorToRGB(color); }
TColor Snapped(TColor color) { return SnapToScreenColor(Rgb(color)); }

void MakeOffice11BarColors(TdxBarOffice11Colors& c) {
    c.DockColor1 = Rgb(clBtnFace);
    c.DockColor2 = MixColorsByPercent(clBtnFace, clWindow, 20);
    c.ToolbarColor1 = MixColorsByPercent(clBtnFace, clWindow, 22);
    c.ToolbarColor2 = MixColorsByPercent(clBtnFace, clWindow, 96);
    c.ToolbarShadowColor = MixColorsByPercent(clBtnFace, clWindow, 85);
    c.ToolbarCornerColor = Rgb(clBtnFace);
    c.MarkColors1[0] = MixColorsByPercent(clBtnShadow, clWindow, 74);
    c.MarkColors2[0] = Rgb(clBtnShadow);
    c.MarkColors1[1] = c.MarkColors2[1] = Snapped(BlendSystemColors(-15, 29, 86));
    c.MarkColors1[2] = c.MarkColors2[2] = Snapped(BlendSystemColors(42, 11, 47));
    for (int i = 0; i < 3; ++i) {
        c.MarkCornerColors[i] = MixColorsByPercent(c.MarkColors2[i], clWindow, 50);
        c.MarkEdgeColors[i] = MixColorsByPercent(c.MarkColors2[i], c.ToolbarCornerColor, 50);
    }
    c.ShadowColor = c.MarkEdgeColors[0];
    c.SeparatorColor1 = MixColorsByPercent(clBtnShadow, clWindow, 70);
    c.SeparatorColor2 = clWhite;
    c.MarkArrowColor = Rgb(clBtnText);
    c.MarkArrowLightColor = Rgb(clWindow);
    c.FloatBorderColor = Rgb(clBtnShadow);
    c.FloatInnerColor = c.ToolbarColor2;
    c.FloatCaptionColor = c.ToolbarColor1;
    c.CaptionBackColor = c.FloatBorderColor;
    c.CaptionTextColor = Rgb(clBtnHighlight);
    c.CaptionHotTextColor = c.CaptionPressedTextColor = Rgb(clBtnText);
    c.MenuColor = Rgb(clWindow);
    c.LinkColor1 = c.MenuBandColor1 = c.ToolbarColor1;
    c.LinkColor2 = c.MenuBandColor2 = c.ToolbarColor2;
    c.MenuBandNonRecentColor1 = MixColorsByPercent(c.MenuBandColor1, clBlack, 92);
    c.MenuBandNonRecentColor2 = MixColorsByPercent(c.MenuBandColor2, clBlack, 92);
    c.BorderColor = Rgb(clBtnShadow);
    c.HotColor = Snapped(BlendSystemColors(-2, 30, 72));
    c.CheckedFrameColor = Rgb(clHighlight);
    c.HotGradientColor1 = c.HotGradientColor2 = c.HotColor;
    c.PressedGradientColor1 = c.PressedGradientColor2 = Snapped(BlendSystemColors(14, 44, 40));
    c.OwnerColor = c.DetachCaptionColor = c.ToolbarColor2;
    c.CheckedColor = Rgb(BlendSystemColors(41, 11, 48));  // not snapped
    c.CheckedHotColor = Snapped(BlendSystemColors(14, 44, 40));
    c.TextColor = Rgb(clBtnText);
    c.HotTextColor = c.CaptionTextColor;
    c.DisabledTextColor = Rgb(clGrayText);
    c.DateNavigatorHeaderColor = c.DockColor1;
}

}  // namespace

const TdxBarOffice11Colors& BarOffice11Colors() {
    std::array<COLORREF, 7> source = CurrentSourceColors();
    if (!office11BarColorsMade || source != office11BarSource) {
        MakeOffice11BarColors(office11BarColors);
        office11BarSource = source;
        office11BarColorsMade = true;
    }
    return office11BarColors;
}
