#pragma once
// Threads: TCriticalSection, TThread, and the queue of calls that threads hand to the main
// thread.
//
// A worker never touches windows or shared objects of the main thread directly: it calls
// Synchronize (wait until the main thread has run the call) or Queue (leave the call and go on).
// The main thread runs those calls in CheckSynchronize, which the application's idle step calls;
// WakeMainThread, when set, is called each time a call is queued so that a waiting message loop
// can wake up.

#include <atomic>
#include <exception>
#include <functional>

#include "Events.h"
#include "SysExceptions.h"
#include "SysObject.h"

Z_EXCEPTION(EThread, Exception)

class TCriticalSection : public TObject {
    Z_CLASS(TCriticalSection, TObject)
public:
    TCriticalSection() { InitializeCriticalSection(&section_); }
    ~TCriticalSection() override { DeleteCriticalSection(&section_); }
    void Enter() { EnterCriticalSection(&section_); }
    void Leave() { LeaveCriticalSection(&section_); }
    bool TryEnter() { return TryEnterCriticalSection(&section_); }
    void Acquire() { Enter(); }
    void Release() { Leave(); }

private:
    CRITICAL_SECTION section_;
};

using TThreadMethod = TEvent<void()>;
using TThreadProcedure = std::function<void()>;

// The thread that ran the platform's start-up.
extern DWORD MainThreadID;
extern TNotifyEvent WakeMainThread;

// Runs the calls that threads have queued for the main thread, waiting up to timeout
// milliseconds for one when none is waiting. Returns true when it ran any. Only the main thread
// may call it (EThread otherwise). A queued call that raises is reported through the callback
// barrier's handler; a synchronized one hands its exception back to the waiting thread.
bool CheckSynchronize(Cardinal timeout = 0);

class TThread : public TObject {
    Z_CLASS(TThread, TObject)
public:
    // A thread starts when Start is called, never in the constructor (the derived part that
    // Execute belongs to is not built yet then).
    TThread();
    // Stops a running thread: Terminate, then WaitFor. Free a running thread with FreeObject,
    // which stops it before the derived part that Execute uses is destroyed.
    ~TThread() override;
    void BeforeDestruction() override;

    void Start();
    // Asks Execute to stop; Execute checks Terminated.
    void Terminate() { terminated_ = true; }
    bool Terminated() const { return terminated_; }
    bool Started() const { return handle_ != nullptr; }
    bool Finished() const { return finished_; }
    // Waits until Execute and OnTerminate are done and returns ReturnValue. On the main thread
    // it keeps running synchronized calls meanwhile, so a worker waiting in Synchronize cannot
    // dead-lock it. Not for a thread that frees itself.
    Integer WaitFor();

    // Frees the object when the thread has finished (after OnTerminate). Set before Start.
    bool FreeOnTerminate() const { return freeOnTerminate_; }
    void SetFreeOnTerminate(bool value) { freeOnTerminate_ = value; }
    Integer ReturnValue() const { return returnValue_; }
    // Called on the main thread (through Synchronize) after Execute has returned.
    TNotifyEvent OnTerminate;
    // The exception that ended Execute, if one did.
    std::exception_ptr FatalException() const { return fatalException_; }
    HANDLE Handle() const { return handle_; }
    DWORD ThreadID() const { return threadId_; }

    // Runs method on the main thread and waits for it; on the main thread it runs at once.
    // An exception raised by method is raised again here.
    static void Synchronize(TThread* thread, const TThreadProcedure& method);
    void Synchronize(const TThreadProcedure& method) { Synchronize(this, method); }
    void Synchronize(TThreadMethod method) {
        Synchronize(this, [method] { method(); });
    }
    // Leaves method for the main thread and returns at once; on the main thread it runs at once.
    static void Queue(TThread* thread, const TThreadProcedure& method);
    void Queue(const TThreadProcedure& method) { Queue(this, method); }
    void Queue(TThreadMethod method) {
        Queue(this, [method] { method(); });
    }

protected:
    // The thread's work; raising ends the thread and is kept in FatalException.
    virtual void Execute() = 0;
    // Runs OnTerminate on the main thread.
    virtual void DoTerminate();
    void SetReturnValue(Integer value) { returnValue_ = value; }

private:
    static DWORD WINAPI ThreadProc(void* parameter);
    void StopAndWait();
    HANDLE handle_ = nullptr;
    DWORD threadId_ = 0;
    std::atomic<bool> terminated_{false};
    std::atomic<bool> finished_{false};
    bool freeOnTerminate_ = false;
    Integer returnValue_ = 0;
    std::exception_ptr fatalException_;
};

void InitializeThreads();
void FinalizeThreads();
