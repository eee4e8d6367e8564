#pragma once
// Helpers of the toolkit's window tests: the application's real message loop and real windows
// on the test display.

#include <windows.h>

#include <functional>

#include "Application.h"
#include "Form.h"

// Runs the application's loop until pred holds or timeoutMs pass.
inline bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000) {
    // A thread timer keeps the idle step's wait short.
    UINT_PTR tick = SetTimer(nullptr, 0, 10, nullptr);
    DWORD start = GetTickCount();
    bool ok = pred();
    while (!ok && GetTickCount() - start < DWORD(timeoutMs)) {
        Application->HandleMessage();
        ok = pred();
    }
    KillTimer(nullptr, tick);
    return ok;
}

inline void PumpFor(int ms) { PumpUntil([] { return false; }, ms); }

// An empty form with the given client size, shown at the screen's top-left and active.
inline TForm* NewShownTestForm(int clientWidth = 400, int clientHeight = 300) {
    auto* form = CreateNewForm(nullptr);
    form->SetPosition(poDesigned);
    form->SetBounds(0, 0, 100, 100);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->Show();
    SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(form->Handle());
    PumpFor(30);
    return form;
}
