#pragma once
// Driving the bar manager's modal dialogs from a test: a script of steps runs from a timer inside
// the dialog's own modal loop (TTickScript), with real keyboard and mouse input; a watchdog
// cancels a dialog that a failing script left open, so that the call under test returns.

#include <functional>
#include <vector>

#include "BarTestSupport.h"
#include "Screen.h"

// The visible form of class T, nil when none shows.
template <class T>
T* ShownDialog() {
    for (int i = 0; i < Screen->FormCount(); ++i)
        if (T* form = As<T>(Screen->Forms(i)); form && form->HandleAllocated() && IsWindowVisible(form->Handle()))
            return form;
    return nullptr;
}

// Runs steps inside the modal loop of the next dialog of class T that the call shows. The first
// step waits for the dialog and stores it in `dialog`; the given steps follow. If they have not
// finished within timeoutMs, the dialog is cancelled.
template <class T>
class TModalScript {
public:
    TModalScript(T*& dialog, std::vector<std::function<bool()>> steps, int timeoutMs = 8000)
        : deadline_(GetTickCount() + DWORD(timeoutMs)) {
        std::vector<std::function<bool()>> all;
        all.push_back([&dialog] { return (dialog = ShownDialog<T>()) != nullptr; });
        for (auto& step : steps) all.push_back(std::move(step));
        script_ = std::make_unique<TTickScript>(std::move(all), timeoutMs);
        watchdogTarget = this;
        watchdog_ = SetTimer(nullptr, 0, 100, &TModalScript::Watch);
    }
    ~TModalScript() {
        KillTimer(nullptr, watchdog_);
        if (watchdogTarget == this) watchdogTarget = nullptr;
    }
    bool Done() const { return script_->Done() && !script_->TimedOut(); }

private:
    static void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
        TModalScript* self = watchdogTarget;
        if (!self || LONG(GetTickCount() - self->deadline_) <= 0) return;
        if (T* shown = ShownDialog<T>()) shown->SetModalResult(mrCancel);
    }
    static inline TModalScript* watchdogTarget = nullptr;
    std::unique_ptr<TTickScript> script_;
    DWORD deadline_;
    UINT_PTR watchdog_ = 0;
};

// Replaces the text of the focused edit as a user does: select all, then type.
inline void ReplaceFocusedText(const String& text) {
    SendMessageW(GetFocus(), EM_SETSEL, 0, -1);
    TypeKey(VK_DELETE);
    if (!text.empty()) TypeText(text);
}
