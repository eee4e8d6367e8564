#pragma once
// The interfaces around a toolkit control: IcxLookAndFeelOwner (answered by whatever owns a
// look-and-feel), IcxMouseCaptureObject (a capture object that hears when it stops being one),
// IcxFontListener (hears a control's font changes).

#include "Interfaces.h"

class TFont;
class TcxControl;
class TcxLookAndFeel;

// Answered by whatever owns a look-and-feel.
struct IcxLookAndFeelOwner : virtual IInterface {
    virtual TcxLookAndFeel* GetLookAndFeel() = 0;
};

// A control's mouse-capture object that wants to hear when it stops being one.
struct IcxMouseCaptureObject : virtual IInterface {
    virtual void MouseCaptureLost() = 0;
};

// Hears a control's font changes.
struct IcxFontListener : virtual IInterface {
    virtual void FontChanged(TcxControl* control, TFont* font) = 0;
};
