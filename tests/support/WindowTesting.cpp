#include "WindowTesting.h"

#include <iterator>
#include <mutex>

#include "CallbackBarrier.h"
#include "TestSupport.h"

namespace {

std::vector<TShownBox> boxes;

int RecordBox(HWND, const String& text, const String& caption, UINT flags) {
    boxes.push_back(TShownBox{text, caption, flags});
    return IDOK;
}

void SendOne(INPUT input) { SendInput(1, &input, sizeof(INPUT)); }

}  // namespace

void WindowTest::SetUp() {
    boxes.clear();
    SetMessageBoxFunction(&RecordBox);
    SetCallbackExceptionHandler(&ApplicationCallbackExceptionHandler);
}

void WindowTest::TearDown() {
    Pump(20);
    SetMessageBoxFunction(nullptr);
    InstallRecordingCallbackHandler();
}

bool PumpUntil(const std::function<bool()>& pred, int timeoutMs) {
    // A thread timer keeps the idle step's wait short.
    UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    DWORD start = GetTickCount();
    bool ok = pred();
    while (!ok && GetTickCount() - start < DWORD(timeoutMs)) {
        Application->HandleMessage();
        ok = pred();
    }
    KillTimer(nullptr, timer);
    return ok;
}

std::vector<TShownBox> WindowTest::TakeBoxes() { return std::exchange(boxes, {}); }

TForm* NewShownTestForm(int clientWidth, int clientHeight) {
    auto* form = CreateNewForm(nullptr);
    form->SetPosition(poDesigned);
    form->SetBounds(0, 0, 100, 100);
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(clientHeight);
    form->Show();
    // On top of anything an earlier test left on the screen, and active.
    SetWindowPos(form->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SetForegroundWindow(form->Handle());
    PumpFor(30);
    return form;
}

void MoveMouseTo(TPoint screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = LONG((screen.x * 65535 + GetSystemMetrics(SM_CXSCREEN) / 2) / (GetSystemMetrics(SM_CXSCREEN) - 1));
    input.mi.dy = LONG((screen.y * 65535 + GetSystemMetrics(SM_CYSCREEN) / 2) / (GetSystemMetrics(SM_CYSCREEN) - 1));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendOne(input);
    SetCursorPos(screen.x, screen.y);
}

void MouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendOne(input);
}

void ClickAt(TPoint screen) {
    MoveMouseTo(screen);
    MouseButton(true);
    MouseButton(false);
}

void WheelBy(int delta) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_WHEEL;
    input.mi.mouseData = DWORD(delta);
    SendOne(input);
}

void TypeKey(Word virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    SendOne(input);
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendOne(input);
}

void TypeChord(std::initializer_list<Word> virtualKeys) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    for (Word key : virtualKeys) {
        input.ki.wVk = key;
        input.ki.dwFlags = 0;
        SendOne(input);
    }
    for (auto it = std::rbegin(virtualKeys); it != std::rend(virtualKeys); ++it) {
        input.ki.wVk = *it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        SendOne(input);
    }
}

void TypeText(const String& text) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    for (wchar_t c : text) {
        input.ki.wVk = 0;
        input.ki.wScan = c;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        SendOne(input);
        input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendOne(input);
    }
}
