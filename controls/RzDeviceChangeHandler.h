#pragma once
// The process-wide relay of device-change broadcasts to the shell controls. A hidden top-level
// window hears WM_DEVICECHANGE, answers it at once and posts RZ_DEVICECHANGE to itself, so the
// handlers run later from the message loop. Handlers should use WParam (the device event) only:
// LParam pointed into the broadcast, which is gone by then.

#include <windows.h>

#include <vector>

#include "Events.h"
#include "Messages.h"
#include "SysObject.h"

constexpr Cardinal RZ_DEVICECHANGE = WM_USER + 100;

using TRzDeviceChangeEvent = TEvent<void(TObject* Sender, TMessage& Message)>;

class TRzDeviceChangeHandler : public TObject {
    Z_CLASS(TRzDeviceChangeHandler, TObject)
public:
    TRzDeviceChangeHandler();
    ~TRzDeviceChangeHandler() override;

    // The same handler may be registered more than once; each entry is called.
    void Register(const TRzDeviceChangeEvent& handler);
    // Removes the first matching entry; nothing when none matches.
    void Unregister(const TRzDeviceChangeEvent& handler);
    HWND Handle() const { return window_; }
    Integer Count() const { return Integer(handlers_.size()); }

private:
    void WndProc(TMessage& message);

    std::vector<TRzDeviceChangeEvent> handlers_;
    HWND window_ = nullptr;
};

// The singleton, made on first use and freed at the end of the shell utilities unit.
TRzDeviceChangeHandler* DeviceChangeHandler();
void FreeDeviceChangeHandler();
