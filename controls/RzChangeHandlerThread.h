#pragma once
// The watcher of the shell tree and list: a worker thread that waits on directory change
// notifications and posts a message to its owner window each time one fires. The owner answers
// on the GUI thread (it arms a short timer and refreshes when it expires).
//
// The GUI thread and the worker share only the requested action, the pending handle and the
// slot given to it; they are handed over through two auto-reset events (action: GUI thread to
// worker; processed: worker to GUI thread), so no lock is needed. The slots belong to the worker
// while it runs. The worker never calls into a control: its only output is the posted message.

#include <windows.h>

#include <array>

#include "Threads.h"

// The message the shell controls' watchers post; WParam is the slot of the watch that fired.
constexpr Cardinal RZ_SHELLCHANGE = WM_USER + 101;

class TChangeHandlerThread : public TThread {
    Z_CLASS(TChangeHandlerThread, TThread)
public:
    // The system waits on at most 64 objects, and one of them is the action event.
    static constexpr Integer MaxWatches = MAXIMUM_WAIT_OBJECTS - 1;

    // Makes the events and the empty slots; the thread runs once Start is called.
    TChangeHandlerThread(HWND ownerWindow, Cardinal message);
    // Ends the thread, then closes the events and every notification handle still held.
    ~TChangeHandlerThread() override;
    void BeforeDestruction() override;

    // Watches path (and its subtree when asked) for the changes in notifyFilter. Gives back the
    // slot whose number the posted messages carry. False for an empty path, a path the system
    // refuses, a full slot list (slot -1) and a worker that did not answer within 2 s.
    bool AddWatch(const String& path, DWORD notifyFilter, Integer& slotIndex, bool watchSubtree);
    // Closes every watch; false when the worker did not answer within 2 s.
    bool RemoveAllWatches();

protected:
    void Execute() override;
    // The worker's only blocking call: waits for any one of the handles without time limit.
    virtual DWORD WaitForAny(DWORD count, const HANDLE* handles);

private:
    enum TAction : Byte { caAddPending = 0, caCloseAll = 2, caStop = 3 };
    static constexpr DWORD HandshakeTimeout = 2000;

    bool Request(TAction action);
    void RunAction();
    void CloseSlot(Integer slot);
    void StopThread();

    HANDLE actionEvent_;
    HANDLE processedEvent_;
    HANDLE pending_ = INVALID_HANDLE_VALUE;
    HWND ownerWindow_;
    Cardinal message_;
    std::array<HANDLE, MaxWatches> slots_;
    Integer lastSlot_ = -1;
    TAction action_ = caAddPending;
    // A request that timed out is still the worker's to answer; the next one waits for it.
    bool requestOutstanding_ = false;
};
