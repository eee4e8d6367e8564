#pragma once
// The colours of the Office-style bar look: docks, toolbars, marks, separators, menus and the
// hot, pressed and checked faces, derived from the system colours (mixes and blends of the face,
// highlight, window and shadow colours). Recomputed when a system colour they come from changes.

#include "Colors.h"

struct TdxBarOffice11Colors {
    TColor DockColor1, DockColor2;
    TColor ToolbarColor1, ToolbarColor2, ToolbarShadowColor, ToolbarCornerColor;
    TColor MarkColors1[3], MarkColors2[3], MarkCornerColors[3], MarkEdgeColors[3];
    TColor SeparatorColor1, SeparatorColor2;
    TColor MarkArrowColor, MarkArrowLightColor;
    TColor FloatBorderColor, FloatInnerColor, FloatCaptionColor;
    TColor CaptionBackColor, CaptionTextColor, CaptionHotTextColor, CaptionPressedTextColor;
    TColor MenuColor, LinkColor1, LinkColor2, MenuBandColor1, MenuBandColor2;
    TColor MenuBandNonRecentColor1, MenuBandNonRecentColor2;
    TColor BorderColor, HotColor, CheckedFrameColor, HotGradientColor1, HotGradientColor2;
    TColor PressedGradientColor1, PressedGradientColor2, OwnerColor, CheckedColor, CheckedHotColor;
    TColor DetachCaptionColor, TextColor, HotTextColor, DisabledTextColor, DateNavigatorHeaderColor;
    TColor ShadowColor;
};

// The current colours (as RGB values, system colours resolved).
const TdxBarOffice11Colors& BarOffice11Colors();
