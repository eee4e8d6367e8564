#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "FloatControl.h"
#include "TestSupport.h"
#include "Threads.h"

namespace {

class TLambdaThread : public TThread {
public:
    explicit TLambdaThread(std::function<void(TLambdaThread*)> body) : body_(std::move(body)) {}
    using TThread::SetReturnValue;

protected:
    void Execute() override { body_(this); }

private:
    std::function<void(TLambdaThread*)> body_;
};

// Set from a worker thread when it asks the main thread to run a call.
std::atomic<bool> threadsTestCallRequested{false};
void NoteThreadsTestCallRequest(TObject*) { threadsTestCallRequested = true; }

// Runs CheckSynchronize until done() or about five seconds pass.
bool PumpUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 500 && !done(); ++i) CheckSynchronize(10);
    return done();
}

TEST(Threads, SynchronizeRunsOnTheMainThreadWhenItChecks) {
    std::atomic<DWORD> ranOn{0};
    std::atomic<bool> returned{false};
    std::atomic<Word> controlWord{0};
    auto* thread = new TLambdaThread([&](TLambdaThread* self) {
        controlWord = Get8087CW() & ~0x40;
        self->Synchronize([&] { ranOn = GetCurrentThreadId(); });
        returned = true;  // only after the main thread ran the call
        self->SetReturnValue(7);
    });
    TNotifyEvent previousWake = WakeMainThread;
    threadsTestCallRequested = false;
    WakeMainThread = NoteThreadsTestCallRequest;
    thread->Start();
    // Once the worker has asked, only the main thread's check can let it go on.
    for (int i = 0; i < 500 && !threadsTestCallRequested; ++i) Sleep(10);
    WakeMainThread = previousWake;
    ASSERT_TRUE(threadsTestCallRequested);
    EXPECT_FALSE(returned) << "Synchronize must wait for the main thread";
    EXPECT_EQ(ranOn, 0u);
    ASSERT_TRUE(PumpUntil([&] { return returned.load(); }));
    EXPECT_EQ(ranOn, GetCurrentThreadId());
    EXPECT_EQ(thread->WaitFor(), 7);
    EXPECT_TRUE(thread->Finished());
    EXPECT_EQ(controlWord, kDefaultFPUControlWord);  // workers compute like the main thread
    FreeObject(thread);
}

TEST(Threads, QueueDoesNotWaitAndExceptionsReachTheirPlace) {
    std::atomic<int> queued{0};
    String synchronizedError;
    auto* thread = new TLambdaThread([&](TLambdaThread* self) {
        self->Queue([&] { ++queued; });
        self->Queue([&] { throw EConvertError(L"queued failure"); });
        try {
            self->Synchronize([] { throw EListError(L"synchronized failure"); });
        } catch (const EListError& e) {
            synchronizedError = e.Message();  // handed back to the worker
        }
        throw EAbort(L"execute failure");
    });
    thread->Start();
    thread->WaitFor();  // on the main thread WaitFor runs the calls meanwhile
    EXPECT_EQ(queued, 1);
    EXPECT_EQ(synchronizedError, L"synchronized failure");
    EXPECT_EQ(TakeRecordedCallbackErrors(), std::vector<String>{L"queued failure"});
    ASSERT_TRUE(thread->FatalException());
    EXPECT_THROW(std::rethrow_exception(thread->FatalException()), EAbort);
    FreeObject(thread);
}

class TTerminateWatcher : public TObject {
public:
    void Terminated(TObject* sender) {
        calls++;
        thread = GetCurrentThreadId();
    }
    int calls = 0;
    DWORD thread = 0;
};

TEST(Threads, TerminateOnTerminateAndFreeOnTerminate) {
    TTerminateWatcher watcher;
    std::atomic<int> loops{0};
    auto* worker = new TLambdaThread([&](TLambdaThread* self) {
        while (!self->Terminated()) {
            ++loops;
            Sleep(1);
        }
    });
    worker->SetFreeOnTerminate(true);
    worker->OnTerminate = MakeEvent(&watcher, &TTerminateWatcher::Terminated);
    worker->Start();
    while (loops == 0) Sleep(1);
    worker->Terminate();
    ASSERT_TRUE(PumpUntil([&] { return watcher.calls == 1; }));
    EXPECT_EQ(watcher.thread, GetCurrentThreadId());

    // Freeing a running thread stops it first.
    auto* running = new TLambdaThread([](TLambdaThread* self) {
        while (!self->Terminated()) Sleep(1);
    });
    running->Start();
    FreeObject(running);

    TLambdaThread twice([](TLambdaThread*) {});
    twice.Start();
    EXPECT_THROW(twice.Start(), EThread);
    twice.WaitFor();
}

TEST(Threads, CriticalSectionExcludes) {
    TCriticalSection lock;
    int counter = 0;
    auto body = [&](TLambdaThread*) {
        for (int i = 0; i < 20000; ++i) {
            lock.Enter();
            ++counter;
            lock.Leave();
        }
    };
    TLambdaThread a(body), b(body);
    a.Start();
    b.Start();
    a.WaitFor();
    b.WaitFor();
    EXPECT_EQ(counter, 40000);
    EXPECT_TRUE(lock.TryEnter());
    lock.Leave();
}

TEST(Threads, CheckSynchronizeOnlyOnTheMainThread) {
    bool raised = false;
    TLambdaThread thread([&](TLambdaThread*) {
        try {
            CheckSynchronize();
        } catch (const EThread&) {
            raised = true;
        }
    });
    thread.Start();
    thread.WaitFor();
    EXPECT_TRUE(raised);
}

}  // namespace
