#pragma once
// Hearing about system colour changes. One hidden window per process, alive while any notifier
// exists, hears WM_SYSCOLORCHANGE: it recomputes the Office-style colour tables, then tells
// the primary notifiers, last to first, then the plain ones, last to first. The window holds
// the Office-style colour tables (and so their brushes and bitmaps) for as long as it lives.

#include "Events.h"
#include "SysObject.h"

class TcxSystemPaletteChangedNotifier : public TObject {
    Z_CLASS(TcxSystemPaletteChangedNotifier, TObject)
public:
    explicit TcxSystemPaletteChangedNotifier(bool isPrimary = false);
    ~TcxSystemPaletteChangedNotifier() override;

    bool IsPrimary() const { return isPrimary_; }
    TEvent<void()> OnSystemPaletteChanged;

protected:
    friend class TcxSystemPaletteChangedListener;
    // Called on a system colour change; calls OnSystemPaletteChanged when it is assigned.
    virtual void DoChanged();

private:
    bool isPrimary_;
};

// The window that hears the system colour changes; nil while no notifier exists.
HWND SystemPaletteListenerWindow();
