#pragma once
// The frame and colour settings that the framed list and tree views share, and the rules both
// apply alike: the colour the control shows in each state, how a colour set from outside moves
// the focused and unfocused colours, how the two-pixel frame is painted over the window's
// border, and which settings a frame controller governs (and so stores).

#include <windows.h>

#include "RzCommon.h"
#include "ShortCuts.h"

class TControl;
class TPopupMenu;
class TRzFrameController;
class TWinControl;

class TRzControlFrame {
public:
    explicit TRzControlFrame(TWinControl* control) : control_(control) {}

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
    bool MouseOver = false;

    // The visual style draws the border (fpXPThemes while the styles are on): we paint nothing.
    bool Themed() const { return Preference == fpXPThemes && VisualStylesActive(); }
    // We paint the frame: it is visible and not left to the visual style.
    bool Painted() const { return Visible && !Themed(); }
    // Drawn in the hot style: hot tracking on, and the control focused or under the mouse.
    bool Hot() const;
    // The control shows the colour of its state: disabled, focused or neither (not while it is
    // being read). The change is the control's own and moves neither of the colours below.
    void ShowStateColor();
    // After any change of the control's colour: one that came from outside (Color set, the
    // parent's colour followed) becomes the unfocused colour, and the focused one too while the
    // two were the same. True when the frame shows the colour and must be painted again.
    bool ColorChanged();
    // After a change of the system's colours: a control colour that names one changes again.
    void SystemColorsChanged();
    // WM_NCPAINT, after the system's own painting: the frame over the window's two border pixels
    // (erased in the control's colour first) when it is ours to paint.
    void PaintNonClient() const;
    // The controller governs the setting: it is the controller's to store, not the control's.
    bool Governed(TRzFrameControllerProperty property) const;
    // FocusColor is stored when not governed and not the same colour as the control's.
    bool IsFocusColorStored() const;

private:
    TWinControl* control_;
    bool settingColor_ = false;
};

// The keys that ask for a context menu: the menu key without Shift, and Shift+F10.
inline bool IsContextMenuKey(Word key, TShiftState shift) {
    return (key == VK_APPS && !shift.Contains(ssShift)) || (key == VK_F10 && shift.Contains(ssShift));
}

// Shows menu for control at a screen point, as the platform shows a control's popup menu: the
// control that has the mouse gives it up first, and the menu learns whom it was shown for.
void ShowPopupMenuFor(TControl* control, TPopupMenu* menu, TPoint screen);
