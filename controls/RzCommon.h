#pragma once
// The base of the control library: the enumerations the controls publish, colour arithmetic
// (HSL lightness, blending) and the visual-style colour schemes, display and Windows-version
// tests, monitor, string and property helpers, and the named-colour table.
//
// Sections: enumerations; colour arithmetic; colour schemes; system tests; helpers; property
// pushing; colour names; unit start-up.

#include <windows.h>

#include <bitset>
#include <vector>

#include "Alignment.h"
#include "Colors.h"
#include "GraphicsTypes.h"
#include "Sets.h"
#include "TypInfo.h"

class TPersistent;
class TControl;

// ---- Enumerations

Z_ENUM(TAlignmentVertical, int, avTop, avCenter, avBottom)
Z_ENUM(TTextStyle, int, tsNormal, tsRaised, tsRecessed, tsShadow)
Z_ENUM(TOrientation, int, orHorizontal, orVertical)
Z_ENUM(TFramingPreference, int, fpCustomFraming, fpXPThemes)
Z_ENUM(TRzHotTrackColorType, int, htctComplement, htctActual)
Z_ENUM(TRzGradientColorStyle, int, gcsSystem, gcsMSOffice, gcsCustom)
Z_ENUM(TRzVisualStyle, int, vsClassic, vsWinXP, vsGradient)
Z_ENUM(TRzButtonHotTrackStyle, int, htsInterior, htsFrame)
Z_ENUM(TRzFrameControllerProperty, int, fcpColor, fcpFocusColor, fcpDisabledColor, fcpReadOnlyColor,
       fcpReadOnlyColorOnFocus, fcpParentColor, fcpFlatButtonColor, fcpFlatButtons, fcpFrameColor, fcpFrameHotColor,
       fcpFrameHotTrack, fcpFrameHotStyle, fcpFrameSides, fcpFrameStyle, fcpFrameVisible, fcpFramingPreference, fcpAll)
using TRzFrameControllerNotifications = TSet<TRzFrameControllerProperty>;
Z_ENUM(TRzPathType, int, ptIniFile, ptRegistry)
Z_ENUM(TRzRegKey, int, hkeyClassesRoot, hkeyCurrentUser, hkeyLocalMachine, hkeyUsers, hkeyPerformanceData,
       hkeyCurrentConfig, hkeyDynData)
Z_ENUM(TRzRegAccessKey, int, keyQueryValue, keySetValue, keyCreateSubKey, keyEnumerateSubKeys, keyNotify, keyCreateLink,
       keyRead, keyWrite, keyExecute, keyAllAccess)
using TRzRegAccess = TSet<TRzRegAccessKey>;
Z_ENUM(TRzSpecialFolder, int, sfNone, sfUserAppDataRoaming, sfUserAppDataLocal, sfUserDocuments, sfProgramData)
Z_ENUM(TRzIniFileEncoding, int, feDefault, feUTF8, feUnicode)

// Frame sides and styles shared by the framed controls and the drawing helpers.
Z_ENUM(TSide, int, sdLeft, sdTop, sdRight, sdBottom)
using TSides = TSet<TSide>;
constexpr TSides sdAllSides = TSides::FromBits(15);
// fsNone..fsFlatBold is the frame style of the controls; fsFlatRounded only panels draw.
Z_ENUM(TFrameStyleEx, int, fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised, fsButtonUp, fsStatus,
       fsPopup, fsFlatBold, fsFlatRounded)
using TFrameStyle = TFrameStyleEx;

// Every control property the frame controller can push (fcpColor..fcpFramingPreference).
constexpr TRzFrameControllerNotifications fcpAllProperties = TRzFrameControllerNotifications::FromBits(0xFFFF);

// ---- Colour arithmetic (system colours are resolved first)

struct THsl {
    Byte Hue = 0, Saturation = 0, Lightness = 0;
};
THsl SplitHsl(TColor color);
Byte HueOf(TColor color);
TColor JoinHsl(Byte hue, Byte saturation, Byte lightness);
TColor DarkenColor(TColor color, Byte amount);
TColor BrightenColor(TColor color, Byte amount);
// Negative darkens, positive brightens, 0 returns the colour as given (unresolved).
TColor AdjustColorLightness(TColor color, Integer amount);
// weight 255 gives first, 0 gives second.
TColor BlendColors(TColor first, TColor second, Byte weight);
bool ColorsAreClose(TColor first, TColor second);
TColor OppositeHueColor(TColor color, Byte lightness);

// ---- Colour schemes of the visual styles

void GetSelectionColors(TRzGradientColorStyle style, TColor& frame, TColor& start, TColor& stop);
void GetBarGradientColors(TRzGradientColorStyle style, TColor& start, TColor& stop);
TColor GetXPFrameColor(TRzGradientColorStyle style);
void GetGroupBarColors(TRzGradientColorStyle style, TColor& start, TColor& stop);

// ---- System tests

// More than 256 colours; read once at start-up.
bool IsHighColorDisplay();
// For tests of the 256-colour paths: replaces the start-up reading.
void SetHighColorDisplay(bool value);
// 0 normal, 1 "HOMESTEAD", 2 "METALLIC", from the current user's theme settings.
Integer DetectXPColorScheme();
Integer XPColorScheme();  // the start-up reading
bool VisualStylesActive();

// Version numbers: 0 Windows 95, 1 NT 4, 2 Windows 98, 3 ME, 4 2000, 5 XP, 6 Server 2003,
// 7 Vista; any other number answers false.
bool IsWindowsVersion(Integer version);
bool IsWindowsVersionOrLater(Integer version);
// The same tests on a given platform identifier and version.
bool WindowsVersionMatches(DWORD platformId, DWORD major, DWORD minor, Integer version, bool orLater);

// ---- Helpers

TRect RectCenteredIn(const TRect& r, int width, int height);
inline int Smaller(int a, int b) { return a < b ? a : b; }
inline int Larger(int a, int b) { return a > b ? a : b; }
bool IsLeadByteChar(Byte b);
inline bool ByteInSet(Byte b, const std::bitset<256>& set) { return set.test(b); }
// The input unchanged when expansion fails.
String ExpandEnvVars(const String& s);
LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, const String& text);
TRect WindowWorkArea(HWND window, int* width = nullptr);
// (Named apart from the toolkit core's MonitorWorkArea: a program may link both.)
TRect WorkAreaOfMonitor(HMONITOR monitor);
TRect MonitorBounds(HMONITOR monitor);
// The first monitor whose full rectangle holds the point; null when none does.
HMONITOR MonitorAtPoint(const TPoint& point);

// The program's string `id` (ControlsStringIds.h); the fallback when the program lacks it.
String LoadControlsString(int id, const wchar_t* fallback);

// ---- Property pushing by published name

// The control's published FrameControllerNotifications, or every property when it has none.
TRzFrameControllerNotifications GetFrameControllerNotifications(TPersistent* control);
// Each sets the named property when the object publishes it; returns whether it did.
bool SetOrdPropIfPublished(TPersistent* object, const String& name, Int64 value);
bool SetColorPropIfPublished(TPersistent* object, const String& name, TColor value);
bool CopyFrameSidesProp(TPersistent* object, TSides sides);

// ---- Colour names

struct TColorData {
    TColor Color;
    String Name;
};
// The 40-colour palette, then the system colours clScrollBar..clMenuBar (without 25): 70 entries,
// their names from the program's string table (read at start-up).
const std::vector<TColorData>& ColorNameTable();

// ---- Unit start-up

void InitializeRzCommon();
void FinalizeRzCommon();
