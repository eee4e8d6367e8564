#pragma once
// The Office-style (Office 2003) colour set, computed from the Windows visual style in use or
// from the classic system colours, with its brushes; and the gradient fills and small drawing
// routines of the Office-style painters.
//
// Sections: scheme and colour set · brushes and their life · colour helpers · drawing.

#include <windows.h>

#include "Colors.h"
#include "GraphicsTypes.h"

class TBitmap;

// 0 none, 1 blue ("NORMALCOLOR"), 2 olive ("HOMESTEAD"), 3 silver ("METALLIC").
Byte Office11Scheme();
bool IsOffice11XPScheme();

struct TdxOffice11Colors {
    TColor FaceColor, LightFaceColor, HeaderLightColor, HeaderDarkColor;
    TColor HeaderShadowColor, HeaderBrightColor;
    TColor FilterBoxColor, FilterBoxTextColor;
    TColor SelectionBorderColor, HotFaceColor, HotFaceEndColor, PressedFaceColor;
    TColor GlyphColor, DisabledGlyphColor, GroupByBoxColor, BorderColor, GroupRowColor;
    TColor CalendarSelectionColor, SchedulerBorderColor, SchedulerPanelColor;
    TColor Color[60];  // the numbered entries, Color[1] to Color[59]
    int MidpointPercent;
};
constexpr TColor Office11LightCornerColor = 0xBFAE9E;
constexpr TColor Office11DarkCornerColor = 0x5F462E;

// The current colour set (computed on first use).
const TdxOffice11Colors& Office11Colors();

// Brushes of the colour set; they exist between the first acquisition and the last release.
struct TdxOffice11Brushes {
    HBRUSH Color15Brush, Color16Brush, HeaderShadowBrush, HeaderBrightBrush;
    HBRUSH Color31Brush, Color24Brush, SelectionBorderBrush;
    HBRUSH Color35Brush, Color36Brush, Color37Brush, Color38Brush, Color33Brush, GroupByBoxBrush;
};
const TdxOffice11Brushes& Office11Brushes();  // all nil while nobody holds the tables

// Bitmaps of the colour set, loaded from the program's resources with the brushes and freed
// with them: the submenu expand badge recoloured to the header gradient ("DXSUBMENUEXPAND"),
// and the 11 x 11 tree buttons, expanded ("DXEXPANDBUTTON_MINUS") and collapsed
// ("DXEXPANDBUTTON_PLUS"). Nil while nobody holds the tables. Acquiring the tables raises when
// a resource is missing.
TBitmap* Office11SubMenuExpandBitmap();
TBitmap* Office11ExpandButtonBitmap(bool expanded);
// Maps the badge's greys onto the gradient from the header light to the header dark colour,
// in place (black and the background colour of pixel (0, 0) are kept).
void RecolorSubMenuExpandBitmap(TBitmap* bitmap, TColor lightColor, TColor darkColor);

void AcquireOffice11ColorTables();
void ReleaseOffice11ColorTables();
void RecalcOffice11ColorTables();  // after a system colour or theme change
int Office11ColorTablesUsers();

// ---- Colour helpers -----------------------------------------------------------------------

bool IsButtonFaceBlack();
bool IsButtonFaceWhite();
bool IsBlackFaceNonWhiteText();
// Per channel p % of c1 and (100 - p) % of c2, snapped to the nearest screen colour.
TColor MixColorsByPercent(TColor c1, TColor c2, int percent);
// Per channel a mix of button face, highlight and window; the highlight colour itself when the
// button face is black or white.
TColor BlendSystemColors(int facePercent, int highlightPercent, int windowPercent);
TColor ScaleColorByPercent(TColor color, int percent);
TColor NavPaneCaptionColor(bool first);
TColor SnapToScreenColor(TColor color);

// ---- Drawing ------------------------------------------------------------------------------

void FillRectSolid(HDC dc, const TRect& rect, TColor color);
void FrameRectSolid(HDC dc, const TRect& rect, TColor color);
// Left to right when horizontal, else top to bottom; at most 256 bands without GradientFill.
void FillRectWithGradient(HDC dc, const TRect& rect, TColor color1, TColor color2, bool horizontal);
void FillRectWithMidpointGradient(HDC dc, const TRect& rect, TColor color1, TColor color2, bool horizontal);
TColor GradientColorAt(const TRect& rect, int coordinate, TColor color1, TColor color2, bool horizontal);
// The bound msimg32 GradientFill (nil without it); replaceable so the banded path can be tested.
FARPROC GradientFillEntry();
FARPROC SetGradientFillEntry(FARPROC entry);

void Office11FrameRect(HDC dc, const TRect& rect);
// Nil brushes select the defaults (Office-style colours 15 and 16).
void Office11DrawGripDots(HDC dc, const TRect& rect, bool vertical, HBRUSH shadowBrush = nullptr,
                          HBRUSH lightBrush = nullptr);
void Office11DrawResizeGrip(HDC dc, const TRect& rect, TColor color1 = clDefault, TColor color2 = clDefault);
int Office11FittedArrowSize(const TRect& rect, bool down);
void Office11DrawFittedArrow(HDC dc, const TRect& rect, bool down, bool enabled, bool selected);
void Office11DrawArrowOfSize(HDC dc, const TRect& rect, bool down, int size, bool selected, bool enabled);

void InitializedxOffice11();
void FinalizedxOffice11();
