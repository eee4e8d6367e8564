// The folder watcher's thread: real change notifications on a temporary folder, its slot limit,
// its handshake, and what it leaves behind when it ends.

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <memory>

#include "ControlsUnits.h"
#include "MessageWindow.h"
#include "RzChangeHandlerThread.h"
#include "WindowTesting.h"

namespace {

// A hidden window that counts the watcher's messages by slot.
class TChangeListener {
public:
    TChangeListener() { window = AllocateHWnd(MakeEvent(this, &TChangeListener::WndProc)); }
    ~TChangeListener() { DeallocateHWnd(window); }
    HWND window = nullptr;
    int received = 0;
    WPARAM lastSlot = WPARAM(-1);

private:
    void WndProc(TMessage& message) {
        if (message.Msg == RZ_SHELLCHANGE) {
            ++received;
            lastSlot = message.WParam;
            return;
        }
        message.Result = DefWindowProcW(window, message.Msg, message.WParam, message.LParam);
    }
};

// The process's open handles, found by asking each possible handle value: the system's own
// count is not kept here.
DWORD HandleCount() {
    DWORD count = 0, flags = 0;
    for (UINT_PTR value = 4; value < 0x10000; value += 4)
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) ++count;
    return count;
}

// A watcher whose wait can be made to fail, as it would with a handle gone bad under it.
class TFailingWaitThread : public TChangeHandlerThread {
public:
    using TChangeHandlerThread::TChangeHandlerThread;
    std::atomic<bool> failNextWait{false};
    std::atomic<int> waits{0};

protected:
    DWORD WaitForAny(DWORD count, const HANDLE* handles) override {
        ++waits;
        if (failNextWait) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        return TChangeHandlerThread::WaitForAny(count, handles);
    }
};

class ChangeHandlerThreadTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        InitializeControlsUnits();
    }
    static void Touch(const String& file) { std::ofstream(file.c_str()) << "x"; }
    // Makes a change that a second, live watcher of the folder reports, and returns once that
    // report has been handled: a report from the watcher under test would have come by then.
    void ChangeBehindAFence(const std::function<void()>& change) {
        TChangeListener fenceListener;
        auto fence = std::make_unique<TChangeHandlerThread>(fenceListener.window, RZ_SHELLCHANGE);
        fence->Start();
        Integer slot = -1;
        ASSERT_TRUE(
            fence->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, slot, false));
        change();
        EXPECT_TRUE(PumpUntil([&] { return fenceListener.received > 0; }, 5000)) << "the fence saw the change";
        PumpUntilIdle();
    }
    // Waits until the messages of the last change have stopped coming (six ticks of a 50 ms timer
    // without one), so that the next change finds the watch armed again.
    void SettleMessages() {
        int seen = -1;
        for (int round = 0; round < 20 && seen != listener.received; ++round) {
            seen = listener.received;
            PumpForTicks(50, 6);
        }
    }
    TTempFolder temp;
    TChangeListener listener;
};

}  // namespace

TEST_F(ChangeHandlerThreadTest, CreateRenameAndDeletePostTheSlotToTheOwner) {
    auto watcher = std::make_unique<TChangeHandlerThread>(listener.window, RZ_SHELLCHANGE);
    watcher->Start();
    Integer slot = -1;
    ASSERT_TRUE(
        watcher->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME, slot, false));
    EXPECT_EQ(slot, 0);
    Integer second = -1;
    ASSERT_TRUE(watcher->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_DIR_NAME, second, false));
    EXPECT_EQ(second, 1);

    struct Step {
        const char* what;
        std::function<void()> change;
    } steps[] = {
        {"create", [&] { Touch(temp.File(L"new.level")); }},
        {"rename", [&] { MoveFileW(temp.File(L"new.level").c_str(), temp.File(L"Уровень.level").c_str()); }},
        {"delete", [&] { DeleteFileW(temp.File(L"Уровень.level").c_str()); }},
    };
    for (auto& step : steps) {
        listener.received = 0;
        step.change();
        // File-name changes reach only the watch with the file-name filter.
        EXPECT_TRUE(PumpUntil([&] { return listener.received > 0; }, 5000)) << step.what;
        EXPECT_EQ(listener.lastSlot, WPARAM(slot)) << step.what;
        SettleMessages();
    }
    listener.received = 0;
    CreateDirectoryW(temp.File(L"Sub").c_str(), nullptr);
    EXPECT_TRUE(PumpUntil([&] { return listener.received >= 2; }, 5000)) << "both watches see a new folder";

    // Once every watch is closed, nothing more arrives.
    ASSERT_TRUE(watcher->RemoveAllWatches());
    PumpUntilIdle();  // the reports already posted
    listener.received = 0;
    ChangeBehindAFence([&] {
        Touch(temp.File(L"after.txt"));
        RemoveDirectoryW(temp.File(L"Sub").c_str());
    });
    EXPECT_EQ(listener.received, 0);
}

TEST_F(ChangeHandlerThreadTest, SixtyThreeWatchesFitAndTheRestAreRefusedAndClosed) {
    DWORD handlesBefore = HandleCount();
    ASSERT_GT(handlesBefore, 0u) << "the process's handle count is needed here";
    {
        auto watcher = std::make_unique<TChangeHandlerThread>(listener.window, RZ_SHELLCHANGE);
        watcher->Start();
        for (Integer i = 0; i < TChangeHandlerThread::MaxWatches; ++i) {
            Integer slot = -1;
            ASSERT_TRUE(watcher->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, slot, false)) << i;
            ASSERT_EQ(slot, i);
        }
        for (int extra = 0; extra < 2; ++extra) {
            Integer slot = 5;
            EXPECT_FALSE(watcher->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
            EXPECT_EQ(slot, -1);
        }
        EXPECT_GE(HandleCount(), handlesBefore + 64);

        // A path the system refuses and an empty path (a folder without a path) are not watched.
        Integer slot = 5;
        EXPECT_FALSE(watcher->AddWatch(temp.File(L"missing"), FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
        EXPECT_FALSE(watcher->AddWatch(L"", FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
        EXPECT_EQ(slot, -1);

        // Closing all makes room again.
        ASSERT_TRUE(watcher->RemoveAllWatches());
        ASSERT_TRUE(watcher->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, slot, true));
        EXPECT_EQ(slot, 0);
    }
    // The thread has ended: its own handle, both events, the watch and the refused one are closed.
    EXPECT_EQ(HandleCount(), handlesBefore);
}

TEST_F(ChangeHandlerThreadTest, DestructionWhileWaitingEndsTheThreadAndPostsNothingMore) {
    DWORD handlesBefore = HandleCount();
    auto* watcher = new TChangeHandlerThread(listener.window, RZ_SHELLCHANGE);
    watcher->Start();
    Integer slot = -1;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(watcher->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
    HANDLE thread = nullptr;
    ASSERT_TRUE(
        DuplicateHandle(GetCurrentProcess(), watcher->Handle(), GetCurrentProcess(), &thread, SYNCHRONIZE, FALSE, 0));
    DWORD started = GetTickCount();
    FreeObject(watcher);
    EXPECT_LT(GetTickCount() - started, 2000u);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_OBJECT_0) << "the worker has ended";
    CloseHandle(thread);
    EXPECT_EQ(HandleCount(), handlesBefore);

    listener.received = 0;
    ChangeBehindAFence([&] { Touch(temp.File(L"late.txt")); });
    EXPECT_EQ(listener.received, 0);
}

TEST_F(ChangeHandlerThreadTest, AFailingWaitEndsTheThreadWithoutSpinningOrPosting) {
    DWORD handlesBefore = HandleCount();
    {
        auto watcher = std::make_unique<TFailingWaitThread>(listener.window, RZ_SHELLCHANGE);
        watcher->Start();
        Integer slot = -1;
        ASSERT_TRUE(watcher->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
        watcher->failNextWait = true;
        Touch(temp.File(L"wakes the wait.txt"));  // the next wait fails
        ASSERT_TRUE(PumpUntil([&] { return watcher->Finished(); }, 5000));
        int waits = watcher->waits;
        EXPECT_LE(waits, 3) << "the thread ended at the first failed wait";
        PumpUntilIdle();  // the message of the change that woke the wait
        listener.received = 0;
        ChangeBehindAFence([&] { Touch(temp.File(L"unseen.txt")); });
        EXPECT_EQ(listener.received, 0);
        // Requests to an ended thread fail at once instead of waiting for an answer.
        DWORD started = GetTickCount();
        EXPECT_FALSE(watcher->AddWatch(temp.Path(), FILE_NOTIFY_CHANGE_FILE_NAME, slot, false));
        EXPECT_FALSE(watcher->RemoveAllWatches());
        EXPECT_LT(GetTickCount() - started, 1000u);
        EXPECT_EQ(watcher->waits, waits);
    }
    EXPECT_EQ(HandleCount(), handlesBefore);
}
