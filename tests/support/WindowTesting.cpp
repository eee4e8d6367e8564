#include "WindowTesting.h"

#include <algorithm>
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
    PumpUntilIdle();
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

bool PumpUntilIdle(int timeoutMs) {
    UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);  // ends the idle step's wait
    const DWORD start = GetTickCount();
    bool idle = false;
    while (!idle && GetTickCount() - start < DWORD(timeoutMs)) {
        Application->ProcessMessages();
        Application->HandleMessage();  // the queue is empty: the idle step, then its wait
        idle = (HIWORD(GetQueueStatus(QS_ALLINPUT)) & ~QS_TIMER) == 0;
    }
    KillTimer(nullptr, timer);
    return idle;
}

namespace {
int ticksSeen = 0;
void CALLBACK CountTick(HWND, UINT, UINT_PTR, DWORD) { ++ticksSeen; }
}  // namespace

bool PumpForTicks(UINT intervalMs, int ticks) {
    ticksSeen = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, intervalMs, &CountTick);
    bool ok = PumpUntil([&] { return ticksSeen >= ticks; }, int(intervalMs) * ticks * 20 + 2000);
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
    PumpUntil([&] { return GetForegroundWindow() == form->Handle() && IsWindowVisible(form->Handle()); });
    PumpUntilIdle();
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

void RightClickAt(TPoint screen) {
    MoveMouseTo(screen);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_RIGHTDOWN;
    SendOne(input);
    input.mi.dwFlags = MOUSEEVENTF_RIGHTUP;
    SendOne(input);
}

void RightMouseButton(bool down) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_RIGHTUP;
    SendOne(input);
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

void KeyDown(Word virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    SendOne(input);
}

void KeyUp(Word virtualKey) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = KEYEVENTF_KEYUP;
    SendOne(input);
}

void TypeChord(std::initializer_list<Word> virtualKeys) {
    for (Word key : virtualKeys) KeyDown(key);
    for (auto it = std::rbegin(virtualKeys); it != std::rend(virtualKeys); ++it) KeyUp(*it);
}

void TypeText(const String& text) {
    for (wchar_t ch : text) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wScan = ch;
        input.ki.dwFlags = KEYEVENTF_UNICODE;
        SendOne(input);
        input.ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        SendOne(input);
    }
}

// ---- popup menus ----

namespace {
std::vector<TWhileMenuShows*> armedMenuWatches;
UINT_PTR menuWatchTimer = 0;
}  // namespace

std::vector<HWND> VisibleMenuWindows() {
    std::vector<HWND> windows;
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w;
         w = FindWindowExW(nullptr, w, L"#32768", nullptr))
        if (IsWindowVisible(w)) windows.push_back(w);
    // Windows are listed topmost first: the newest menu comes first.
    std::reverse(windows.begin(), windows.end());
    return windows;
}

TRect MenuItemScreenRect(HMENU menu, int index) {
    RECT r{};
    GetMenuItemRect(nullptr, menu, UINT(index), &r);
    return r;
}

TWhileMenuShows::TWhileMenuShows(std::function<void(HWND menuWindow)> action, int level)
    : action_(std::move(action)), level_(level) {
    armedMenuWatches.push_back(this);
    if (!menuWatchTimer) menuWatchTimer = SetTimer(nullptr, 0, 30, &TWhileMenuShows::Tick);
}

TWhileMenuShows::~TWhileMenuShows() { Disarm(); }

void TWhileMenuShows::Disarm() {
    std::erase(armedMenuWatches, this);
    if (armedMenuWatches.empty() && menuWatchTimer) {
        KillTimer(nullptr, menuWatchTimer);
        menuWatchTimer = 0;
    }
}

void CALLBACK TWhileMenuShows::Tick(HWND, UINT, UINT_PTR, DWORD) {
    CallbackBarrier([] {
        if (armedMenuWatches.empty()) return;
        TWhileMenuShows* watch = armedMenuWatches.front();
        std::vector<HWND> menus = VisibleMenuWindows();
        if (int(menus.size()) < watch->level_) return;
        watch->Disarm();
        watch->ran_ = true;
        watch->action_(menus.back());
    });
}

// ---- scripts run from timer ticks ----

namespace {
TTickScript* runningScript = nullptr;
}

TTickScript::TTickScript(std::vector<std::function<bool()>> steps, int timeoutMs, UINT intervalMs)
    : steps_(std::move(steps)), deadline_(GetTickCount() + DWORD(timeoutMs)) {
    runningScript = this;
    timer_ = SetTimer(nullptr, 0, intervalMs, &TTickScript::Tick);
}

TTickScript::~TTickScript() {
    if (timer_) KillTimer(nullptr, timer_);
    if (runningScript == this) runningScript = nullptr;
}

void CALLBACK TTickScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
    CallbackBarrier([] {
        TTickScript* script = runningScript;
        if (!script || script->Done()) return;
        if (LONG(GetTickCount() - script->deadline_) > 0) {
            script->timedOut_ = true;
            script->next_ = script->steps_.size();
            ReleaseCapture();
            return;
        }
        if (script->steps_[script->next_]()) ++script->next_;
    });
}
