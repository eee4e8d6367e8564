#pragma once
// The frame and colour settings that the framed list and tree views share, and the rules both
// apply alike: the colour the control shows in each state, how a colour set from outside moves
// the focused and unfocused colours, how the two-pixel frame is painted over the window's
// border, and which settings a frame controller governs (and so stores).

#include <windows.h>

#include "RzCommon.h"

class TControl;
class TPopupMenu;
class TRzFrameController;

struct TRzControlFrame {
    bool Visible = false;
    TFrameStyle Style = fsFlat;
    TFrameStyle HotStyle = fsFlatBold;
    TSides Sides = sdAllSides;
    TColor Color = clBtnShadow;
    TColor HotColor = clBtnShadow;
    bool HotTrack = false;
    TFramingPreference Preference = fpXPThemes;
    TRzFrameController* Controller = nullptr;  // not owned
    TRzFrameControllerNotifications Notifications = fcpAllProperties;
    TColor DisabledColor = clBtnFace;
    TColor FocusColor = clWindow;
    TColor UnfocusedColor = clWindow;

    // The visual style draws the border (fpXPThemes while the styles are on): we paint nothing.
    bool Themed() const { return Preference == fpXPThemes && VisualStylesActive(); }
    // We paint the frame: it is visible and not left to the visual style.
    bool Painted() const { return Visible && !Themed(); }
    // The colour the control shows: disabled, focused or neither.
    TColor StateColor(bool enabled, bool focused) const {
        return !enabled ? DisabledColor : focused ? FocusColor : UnfocusedColor;
    }
    // A colour that came from outside (Color set, the parent's colour followed) becomes the
    // unfocused colour, and the focused one too while the two were the same.
    void TakeOutsideColor(TColor color) {
        if (FocusColor == UnfocusedColor) FocusColor = color;
        UnfocusedColor = color;
    }
    // Paints the frame on the whole-window device context of window, over its two border pixels
    // (erased in the control's colour first). hot: hot tracking on and the control focused or
    // under the mouse.
    void Paint(HWND window, TColor controlColor, bool hot) const;
    // The controller governs the setting: it is the controller's to store, not the control's.
    bool Governed(TRzFrameControllerProperty property) const;
};

// A colour that names one of the system's colours (resolved when drawn).
inline bool IsSystemColorValue(TColor color) { return (unsigned(Integer(color)) & 0xFF000000u) == 0xFF000000u; }

// Shows menu for control at a screen point, as the platform shows a control's popup menu: the
// control that has the mouse gives it up first, and the menu learns whom it was shown for.
void ShowPopupMenuFor(TControl* control, TPopupMenu* menu, TPoint screen);
