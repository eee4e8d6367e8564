#include "RzDeviceChangeHandler.h"

#include "CallbackBarrier.h"
#include "MessageWindow.h"

namespace {
TRzDeviceChangeHandler* instance = nullptr;
}

TRzDeviceChangeHandler::TRzDeviceChangeHandler() {
    window_ = AllocateHWnd(MakeEvent(this, &TRzDeviceChangeHandler::WndProc));
}

TRzDeviceChangeHandler::~TRzDeviceChangeHandler() { DeallocateHWnd(window_); }

void TRzDeviceChangeHandler::Register(const TRzDeviceChangeEvent& handler) { handlers_.push_back(handler); }

void TRzDeviceChangeHandler::Unregister(const TRzDeviceChangeEvent& handler) {
    for (auto it = handlers_.begin(); it != handlers_.end(); ++it)
        if (*it == handler) {
            handlers_.erase(it);
            return;
        }
}

void TRzDeviceChangeHandler::WndProc(TMessage& message) {
    if (message.Msg == WM_DEVICECHANGE) {
        PostMessageW(window_, RZ_DEVICECHANGE, message.WParam, message.LParam);
    } else if (message.Msg == RZ_DEVICECHANGE) {
        // A copy: a handler may register or unregister while the relay runs. One failing
        // handler is reported and the others still hear the event.
        auto handlers = handlers_;
        for (auto& handler : handlers) {
            TMessage relayed{RZ_DEVICECHANGE, message.WParam, message.LParam, 0};
            CallbackBarrier([&] { handler(this, relayed); });
        }
        return;
    }
    message.Result = DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
}

TRzDeviceChangeHandler* DeviceChangeHandler() {
    if (!instance) instance = new TRzDeviceChangeHandler;
    return instance;
}

void FreeDeviceChangeHandler() {
    delete instance;
    instance = nullptr;
}
