#include "RzChangeHandlerThread.h"

TChangeHandlerThread::TChangeHandlerThread(HWND ownerWindow, Cardinal message)
    : ownerWindow_(ownerWindow), message_(message) {
    actionEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    processedEvent_ = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    if (!actionEvent_ || !processedEvent_) {
        DWORD error = GetLastError();
        if (actionEvent_) CloseHandle(actionEvent_);
        if (processedEvent_) CloseHandle(processedEvent_);
        RaiseLastOSError(error);
    }
    slots_.fill(INVALID_HANDLE_VALUE);
}

TChangeHandlerThread::~TChangeHandlerThread() {
    StopThread();
    // The worker has ended (or never ran): the slots are the GUI thread's again.
    for (Integer slot = 0; slot < MaxWatches; ++slot) CloseSlot(slot);
    if (pending_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(pending_);
    pending_ = INVALID_HANDLE_VALUE;
    CloseHandle(actionEvent_);
    CloseHandle(processedEvent_);
}

void TChangeHandlerThread::BeforeDestruction() {
    StopThread();
    TThread::BeforeDestruction();
}

void TChangeHandlerThread::StopThread() {
    if (!Started() || Finished()) return;
    action_ = caStop;
    SetEvent(actionEvent_);
    WaitFor();
}

bool TChangeHandlerThread::AddWatch(const String& path, DWORD notifyFilter, Integer& slotIndex, bool watchSubtree) {
    slotIndex = -1;
    if (path.empty() || !Started() || Finished()) return false;
    HANDLE notification = FindFirstChangeNotificationW(path.c_str(), watchSubtree, notifyFilter);
    if (notification == INVALID_HANDLE_VALUE) return false;
    // An earlier add that timed out may still hold a handle the worker has not taken: it is
    // closed at destruction then, never overwritten here (Request refuses until it is taken).
    if (requestOutstanding_ && WaitForSingleObject(processedEvent_, HandshakeTimeout) != WAIT_OBJECT_0) {
        FindCloseChangeNotification(notification);
        return false;
    }
    requestOutstanding_ = false;
    // A handle left pending by a full slot list gives way to the new one.
    if (pending_ != INVALID_HANDLE_VALUE) FindCloseChangeNotification(pending_);
    pending_ = notification;
    if (!Request(caAddPending)) return false;
    slotIndex = lastSlot_;
    return slotIndex != -1;
}

bool TChangeHandlerThread::RemoveAllWatches() {
    if (requestOutstanding_ && WaitForSingleObject(processedEvent_, HandshakeTimeout) != WAIT_OBJECT_0) return false;
    requestOutstanding_ = false;
    return Request(caCloseAll);
}

bool TChangeHandlerThread::Request(TAction action) {
    // A worker that has ended answers nothing; what it was handed is closed at destruction.
    if (!Started() || Finished()) return false;
    action_ = action;
    ResetEvent(processedEvent_);
    SetEvent(actionEvent_);
    if (WaitForSingleObject(processedEvent_, HandshakeTimeout) == WAIT_OBJECT_0) return true;
    requestOutstanding_ = true;
    return false;
}

// ---- The worker

DWORD TChangeHandlerThread::WaitForAny(DWORD count, const HANDLE* handles) {
    return WaitForMultipleObjects(count, handles, FALSE, INFINITE);
}

void TChangeHandlerThread::Execute() {
    for (;;) {
        HANDLE handles[MAXIMUM_WAIT_OBJECTS];
        Integer slotOf[MAXIMUM_WAIT_OBJECTS];
        DWORD count = 0;
        handles[count++] = actionEvent_;
        for (Integer slot = 0; slot < MaxWatches; ++slot)
            if (slots_[slot] != INVALID_HANDLE_VALUE) {
                slotOf[count] = slot;
                handles[count++] = slots_[slot];
            }

        DWORD result = WaitForAny(count, handles);
        if (result == WAIT_OBJECT_0) {
            if (action_ == caStop) return;
            RunAction();
            SetEvent(processedEvent_);
        } else if (result > WAIT_OBJECT_0 && result < WAIT_OBJECT_0 + count) {
            Integer slot = slotOf[result - WAIT_OBJECT_0];
            if (ownerWindow_) PostMessageW(ownerWindow_, message_, WPARAM(slot), 0);
            // A notification that cannot be re-armed is dropped.
            if (!FindNextChangeNotification(slots_[slot])) CloseSlot(slot);
        } else if (result > WAIT_ABANDONED_0 && result < WAIT_ABANDONED_0 + count) {
            CloseSlot(slotOf[result - WAIT_ABANDONED_0]);
        } else {
            // The wait itself failed, and would fail again at once: the thread ends rather than
            // spin, and posts nothing. Watches stay closed until the owner's next thread.
            return;
        }
    }
}

void TChangeHandlerThread::RunAction() {
    if (action_ == caAddPending) {
        lastSlot_ = -1;
        for (Integer slot = 0; slot < MaxWatches; ++slot)
            if (slots_[slot] == INVALID_HANDLE_VALUE) {
                slots_[slot] = pending_;
                pending_ = INVALID_HANDLE_VALUE;
                lastSlot_ = slot;
                break;
            }
        // With every slot taken the handle stays pending and is closed at destruction.
    } else if (action_ == caCloseAll) {
        for (Integer slot = 0; slot < MaxWatches; ++slot) CloseSlot(slot);
    }
}

void TChangeHandlerThread::CloseSlot(Integer slot) {
    if (slots_[slot] == INVALID_HANDLE_VALUE) return;
    FindCloseChangeNotification(slots_[slot]);
    slots_[slot] = INVALID_HANDLE_VALUE;
}
