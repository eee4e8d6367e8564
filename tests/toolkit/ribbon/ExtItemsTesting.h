#pragma once
// The bar unit's own tests restart it, which forgets the item registrations of the units that
// start after it: the extra items' tests register their item kinds again when they are missing.

#include "dxBarExtItems.h"
#include "dxBarItemRegistry.h"
#include "dxBarUnit.h"

inline void EnsureItemRegistered(TClass itemClass, TClass controlClass) {
    TdxBarItemList* registry = ItemRegistryInstance();
    if (registry && !registry->ControlClassOf(itemClass)) RegisterItemControlClass(itemClass, controlClass, true);
}

inline void EnsureLargeButtonRegistered() {
    EnsureItemRegistered(TdxBarLargeButton::StaticClass(), TdxBarLargeButtonControl::StaticClass());
}

#include <functional>

#include "CallbackBarrier.h"

// Runs the action once (from a timer a modal loop dispatches) when find answers a visible window.
class TRunWhenShown {
public:
    TRunWhenShown(std::function<HWND()> find, std::function<void(HWND)> action)
        : find_(std::move(find)), action_(std::move(action)) {
        armed = this;
        timer_ = SetTimer(nullptr, 0, 50, &Tick);
    }
    ~TRunWhenShown() { Disarm(); }
    TRunWhenShown(const TRunWhenShown&) = delete;
    TRunWhenShown& operator=(const TRunWhenShown&) = delete;
    bool Ran() const { return ran_; }

private:
    void Disarm() {
        if (timer_) KillTimer(nullptr, timer_);
        timer_ = 0;
        if (armed == this) armed = nullptr;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        CallbackBarrier([] {
            TRunWhenShown* run = armed;
            HWND window = run ? run->find_() : nullptr;
            if (!window || !IsWindowVisible(window) || ++run->seen_ < 3) return;
            run->Disarm();
            run->ran_ = true;
            run->action_(window);
        });
    }
    static inline TRunWhenShown* armed = nullptr;
    std::function<HWND()> find_;
    std::function<void(HWND)> action_;
    UINT_PTR timer_ = 0;
    int seen_ = 0;
    bool ran_ = false;
};

// Presses a button of the next system dialog that shows; first runs the check, which sees the
// dialog while it is open.
class TDialogButtonPresser {
public:
    explicit TDialogButtonPresser(int buttonId, std::function<void(HWND)> check = {})
        : run_([] { return FindWindowW(L"#32770", nullptr); },
               [buttonId, check = std::move(check)](HWND dialog) {
                   if (check) check(dialog);
                   PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                                LPARAM(GetDlgItem(dialog, buttonId)));
               }) {}
    bool Pressed() const { return run_.Ran(); }

private:
    TRunWhenShown run_;
};
