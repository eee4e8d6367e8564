#include "Threads.h"

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>

#include "CallbackBarrier.h"
#include "FloatControl.h"

DWORD MainThreadID = 0;
TNotifyEvent WakeMainThread;

// ---- the main thread's queue ---------------------------------------------------------------

namespace {

struct TSyncEntry {
    TSyncEntry(const TThreadProcedure& call, bool synchronous) : call(call), synchronous(synchronous) {}
    TThreadProcedure call;
    bool synchronous;
    bool done = false;
    std::exception_ptr error;
};

struct TSyncQueue {
    std::mutex lock;
    std::condition_variable entryDone;
    std::deque<std::shared_ptr<TSyncEntry>> pending;
};

// Made on first use: no work in global constructors.
TSyncQueue& SyncQueue() {
    static TSyncQueue queue;
    return queue;
}

HANDLE syncEvent = nullptr;  // set whenever a call is queued

bool OnMainThread() { return GetCurrentThreadId() == MainThreadID; }

void Post(TThread* thread, const std::shared_ptr<TSyncEntry>& entry) {
    {
        TSyncQueue& q = SyncQueue();
        std::lock_guard guard(q.lock);
        q.pending.push_back(entry);
    }
    if (syncEvent) SetEvent(syncEvent);
    if (WakeMainThread) WakeMainThread(thread);
}

}  // namespace

bool CheckSynchronize(Cardinal timeout) {
    if (!OnMainThread()) throw EThread(L"CheckSynchronize called from a thread that is not the main thread");
    TSyncQueue& q = SyncQueue();
    if (timeout > 0 && syncEvent) {
        bool empty;
        {
            std::lock_guard guard(q.lock);
            empty = q.pending.empty();
        }
        if (empty) WaitForSingleObject(syncEvent, timeout);
    }
    std::deque<std::shared_ptr<TSyncEntry>> batch;
    {
        std::lock_guard guard(q.lock);
        batch.swap(q.pending);
    }
    for (const auto& entry : batch) {
        if (entry->synchronous) {
            try {
                entry->call();
            } catch (...) {
                entry->error = std::current_exception();
            }
            std::lock_guard guard(q.lock);
            entry->done = true;
        } else {
            CallbackBarrier([&] { entry->call(); });
        }
    }
    if (!batch.empty()) q.entryDone.notify_all();
    return !batch.empty();
}

void TThread::Synchronize(TThread* thread, const TThreadProcedure& method) {
    if (OnMainThread()) {
        method();
        return;
    }
    auto entry = std::make_shared<TSyncEntry>(method, true);
    Post(thread, entry);
    {
        TSyncQueue& q = SyncQueue();
        std::unique_lock lock(q.lock);
        q.entryDone.wait(lock, [&] { return entry->done; });
    }
    if (entry->error) std::rethrow_exception(entry->error);
}

void TThread::Queue(TThread* thread, const TThreadProcedure& method) {
    if (OnMainThread()) {
        method();
        return;
    }
    Post(thread, std::make_shared<TSyncEntry>(method, false));
}

// ---- TThread -------------------------------------------------------------------------------

TThread::TThread() = default;

TThread::~TThread() {
    StopAndWait();
    if (handle_) CloseHandle(handle_);
}

void TThread::BeforeDestruction() { StopAndWait(); }

void TThread::StopAndWait() {
    // A thread freeing itself (FreeOnTerminate) has nothing left to wait for.
    if (!handle_ || GetCurrentThreadId() == threadId_) return;
    Terminate();
    WaitFor();
}

void TThread::Start() {
    if (handle_) throw EThread(L"Cannot call Start on a running or finished thread");
    // Created suspended so that the handle and id are stored before the thread can run (and,
    // with FreeOnTerminate, free this object).
    handle_ = CreateThread(nullptr, 0, &TThread::ThreadProc, this, CREATE_SUSPENDED, &threadId_);
    if (!handle_) RaiseLastOSError();
    ResumeThread(handle_);
}

DWORD WINAPI TThread::ThreadProc(void* parameter) {
    return CallbackBarrier(DWORD(0), [parameter]() -> DWORD {
        auto* thread = static_cast<TThread*>(parameter);
        SetDefaultFPUControlWord();  // a new thread starts with the system's control word
        try {
            if (!thread->Terminated()) thread->Execute();
        } catch (...) {
            thread->fatalException_ = std::current_exception();
        }
        bool freeThread = thread->freeOnTerminate_;
        DWORD result = DWORD(thread->returnValue_);
        thread->finished_ = true;
        CallbackBarrier([thread] { thread->DoTerminate(); });
        if (freeThread) FreeObject(thread);
        return result;
    });
}

void TThread::DoTerminate() {
    if (OnTerminate) Synchronize([this] { OnTerminate(this); });
}

Integer TThread::WaitFor() {
    if (!handle_) return returnValue_;
    if (OnMainThread() && syncEvent) {
        HANDLE handles[2] = {handle_, syncEvent};
        for (;;) {
            DWORD r = MsgWaitForMultipleObjects(2, handles, FALSE, INFINITE, QS_SENDMESSAGE);
            if (r == WAIT_OBJECT_0 + 1) {
                CheckSynchronize();
            } else if (r == WAIT_OBJECT_0 + 2) {
                MSG msg;  // lets messages sent to our windows by the thread be delivered
                PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            } else {
                break;
            }
        }
        CheckSynchronize();
    } else {
        WaitForSingleObject(handle_, INFINITE);
    }
    return returnValue_;
}

// ---- unit start-up -------------------------------------------------------------------------

void InitializeThreads() {
    MainThreadID = GetCurrentThreadId();
    SyncQueue();
    syncEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
}

void FinalizeThreads() {
    if (syncEvent) CloseHandle(syncEvent);
    syncEvent = nullptr;
}
