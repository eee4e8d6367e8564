// Forms and the application: creation, errors, closing, modal loops, timers.

#include "Controls.h"
#include "FormDescription.h"
#include "Threads.h"
#include "Timer.h"
#include "WindowTesting.h"

namespace {

// A form whose creation handler fails, as the editor's does without its texture catalogue.
class TFailingCreateForm : public TForm {
    Z_CLASS(TFailingCreateForm, TForm)
public:
    explicit TFailingCreateForm(TComponent* o) : TForm(o, CreateNew) {
        OnCreate = MakeEvent(this, &TFailingCreateForm::FormCreate);
    }
    int creates = 0;

private:
    void FormCreate(TObject*) {
        ++creates;
        throw EListError(L"List index out of bounds (11)");
    }
};

// A form that cannot be built at all.
class TBrokenForm : public TForm {
    Z_CLASS(TBrokenForm, TForm)
public:
    explicit TBrokenForm(TComponent* o) : TForm(o, CreateNew) {
        throw Exception(L"Failed to create RenderingContext.");
    }
};

// A plain push button on the system's button class, reporting its clicks through CN_COMMAND.
class TTestButton : public TWinControl {
    Z_CLASS(TTestButton, TWinControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CN_COMMAND, CNCommand))
public:
    explicit TTestButton(TComponent* o) : TWinControl(o) {
        SetTabStop(true);
        SetBounds(0, 0, 75, 25);
    }
    TModalResult modalResult = mrNone;

protected:
    void CreateParams(TCreateParams& params) override {
        TWinControl::CreateParams(params);
        CreateSubClass(params, L"BUTTON");
        params.Style |= BS_PUSHBUTTON;
    }
    void DoClick() override {
        if (modalResult != mrNone)
            if (TCustomForm* f = GetParentForm()) f->SetModalResult(modalResult);
        TWinControl::DoClick();
    }

private:
    void CNCommand(TMessage& m) {
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
    }
};

struct TEventLog : public TObject {
    std::vector<std::string> log;
    bool allowClose = true;
    void Show(TObject*) { log.push_back("show"); }
    void Hide(TObject*) { log.push_back("hide"); }
    void CloseQuery(TObject*, bool& can) {
        log.push_back("closequery");
        can = allowClose;
    }
    void Close(TObject*, TCloseAction& action) {
        log.push_back("close");
        (void)action;
    }
    void Destroy(TObject*) { log.push_back("destroy"); }
    void Fail(TObject*) { throw Exception(L"Нажатие не удалось"); }
    int ticks = 0;
    void Tick(TObject*) { ++ticks; }
};

// Runs a test against an application object of its own, so that terminating it leaves the
// program's one untouched.
class OwnApplicationTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        saved = Application;
        Application = new TApplication(nullptr);
        Application->SetTitle(L"Проверка");
    }
    void TearDown() override {
        FreeObject(Application);
        Application = saved;
        // Drop a quit message a terminated loop may have left for the thread.
        MSG msg;
        while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
        WindowTest::TearDown();
    }
    TApplication* saved = nullptr;
};

}  // namespace

TEST_F(WindowTest, AnExceptionInOnCreateIsShownOnceAndTheFormStillOpens) {
    Application->SetTitle(L"Редактор Zarnik");
    auto* form =
        static_cast<TFailingCreateForm*>(TFailingCreateForm::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(form->creates, 1);
    auto shown = TakeBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Utf8(shown[0].Text), "List index out of bounds (11)");
    EXPECT_EQ(Utf8(shown[0].Caption), "Редактор Zarnik");
    EXPECT_EQ(shown[0].Flags & MB_ICONMASK, UINT(MB_ICONERROR));
    form->Show();
    PumpUntilIdle();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->creates, 1);
    FreeObject(form);
}

TEST_F(WindowTest, AnExceptionInAClickHandlerReachesTheErrorBoxAndTheLoopGoesOn) {
    TForm* form = NewShownForm(200, 100);
    auto* button = new TTestButton(form);
    button->SetParent(form);
    TEventLog log;
    button->OnClick = MakeEvent(&log, &TEventLog::Fail);
    PumpUntilIdle();
    TPoint centre = button->ClientToScreen(TPoint{30, 12});
    ClickAt(centre);
    ASSERT_TRUE(PumpUntil([] { return !TakeBoxes().empty(); }));
    // The loop carries on: the next click is handled as well.
    int ticksBefore = log.ticks;
    button->OnClick = MakeEvent(&log, &TEventLog::Tick);
    ClickAt(centre);
    EXPECT_TRUE(PumpUntil([&] { return log.ticks == ticksBefore + 1; }));
    FreeObject(form);
}

TEST_F(WindowTest, ShowModalReturnsTheModalResultSetByAButton) {
    TForm* owner = NewShownForm(200, 100);
    TForm* dialog = CreateNewForm(nullptr);
    dialog->SetPosition(poScreenCenter);
    auto* ok = new TTestButton(dialog);
    ok->modalResult = mrOk;
    ok->SetParent(dialog);
    TEventLog log;
    dialog->OnShow = MakeEvent(&log, &TEventLog::Show);
    dialog->OnHide = MakeEvent(&log, &TEventLog::Hide);
    dialog->OnClose = MakeEvent(&log, &TEventLog::Close);
    ok->HandleNeeded();
    PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(log.log, (std::vector<std::string>{"show", "close", "hide"}));
    EXPECT_FALSE(dialog->Visible());
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));  // the other windows are enabled again
    // Centred on the screen.
    TRect work = Screen->WorkAreaRect();
    EXPECT_NEAR(dialog->Left() + dialog->Width() / 2, (work.left + work.right) / 2, 1);

    // While modal, the other windows are disabled; closing the dialog gives mrCancel.
    struct TOwnerCheck : TObject {
        TForm* owner;
        bool enabledWhileModal = true;
        void Show(TObject*) { enabledWhileModal = IsWindowEnabled(owner->Handle()); }
    } check;
    check.owner = owner;
    dialog->OnShow = MakeEvent(&check, &TOwnerCheck::Show);
    PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_FALSE(check.enabledWhileModal);
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
    FreeObject(dialog);
    FreeObject(owner);
}

TEST_F(WindowTest, CloseAsksOnCloseQueryAndHidesASecondaryForm) {
    TForm* form = NewShownForm(200, 100);
    TEventLog log;
    form->OnCloseQuery = MakeEvent(&log, &TEventLog::CloseQuery);
    form->OnClose = MakeEvent(&log, &TEventLog::Close);
    form->OnDestroy = MakeEvent(&log, &TEventLog::Destroy);
    log.allowClose = false;
    PostMessageW(form->Handle(), WM_CLOSE, 0, 0);
    PumpUntilIdle();
    EXPECT_EQ(log.log, (std::vector<std::string>{"closequery"}));
    EXPECT_TRUE(form->Visible());
    log.allowClose = true;
    form->Close();
    EXPECT_EQ(log.log, (std::vector<std::string>{"closequery", "closequery", "close"}));
    EXPECT_FALSE(form->Visible());
    // Constraints hold for the form's own size too.
    form->Constraints()->SetMinWidth(250);
    form->SetWidth(100);
    EXPECT_EQ(form->Width(), 250);
    FreeObject(form);
    EXPECT_EQ(log.log.back(), "destroy");
}

TEST_F(WindowTest, ReleaseFreesTheFormOnceItsQueuedMessagesAreHandled) {
    TForm* form = NewShownForm(200, 100);
    auto* child = new TTestButton(form);
    child->SetParent(form);
    HWND window = form->Handle();
    EXPECT_EQ(Screen->FormCount() > 0, true);
    form->Release();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_TRUE(PumpUntil([&] { return !IsWindow(window); }));
    for (int i = 0; i < Screen->FormCount(); ++i) EXPECT_NE(Screen->Forms(i), form);
}

TEST_F(WindowTest, ATimerTicksOnTheGuiThreadUntilDisabled) {
    TEventLog log;
    TTimer timer(nullptr);
    timer.SetInterval(15);
    EXPECT_TRUE(timer.Enabled());
    timer.SetOnTimer(MakeEvent(&log, &TEventLog::Tick));
    EXPECT_TRUE(PumpUntil([&] { return log.ticks >= 3; }, 2000));
    timer.SetEnabled(false);
    PumpUntilIdle();
    int stopped = log.ticks;
    EXPECT_TRUE(PumpForTicks(15, 5));
    EXPECT_EQ(log.ticks, stopped);
    // A failing timer handler is shown and the timer goes on.
    timer.SetOnTimer(MakeEvent(&log, &TEventLog::Fail));
    timer.SetEnabled(true);
    EXPECT_TRUE(PumpUntil([&] { return TakeBoxes().size() >= 1; }, 2000));
    timer.SetEnabled(false);
}

namespace {
class TTimerTestForm : public TForm {
    Z_CLASS(TTimerTestForm, TForm)
    Z_PUBLISHED { p.Method(L"ClockTick", &TTimerTestForm::ClockTick); }

public:
    explicit TTimerTestForm(TComponent* o) : TForm(o, CreateNew) {}
    int ticks = 0;
    void ClockTick(TObject*) { ++ticks; }
};
}  // namespace

TEST_F(WindowTest, ATimerReadFromADescriptionRunsWithItsIntervalAndHandler) {
    RegisterClass(TTimerTestForm::StaticClass());
    const char* const description = R"(object TimerTestForm: TTimerTestForm
  object Clock: TTimer
    Interval = 15
    OnTimer = ClockTick
  end
  object Idle: TTimer
    Enabled = False
    Interval = 500
    OnTimer = ClockTick
  end
end
)";
    auto* form = new TTimerTestForm(nullptr);
    ReadComponentFromText(description, form);
    auto* clock = As<TTimer>(form->FindComponent(L"Clock"));
    auto* idle = As<TTimer>(form->FindComponent(L"Idle"));
    ASSERT_TRUE(clock && idle);
    EXPECT_EQ(clock->Interval(), 15u);
    EXPECT_TRUE(clock->Enabled());
    EXPECT_EQ(idle->Interval(), 500u);
    EXPECT_FALSE(idle->Enabled());
    EXPECT_TRUE(PumpUntil([&] { return form->ticks >= 3; }, 2000));
    // Written back the same: the defaults (Enabled, 1000 ms) are left out.
    clock->SetEnabled(false);
    clock->SetInterval(1000);
    AnsiString text = WriteComponentToText(form);
    EXPECT_NE(text.find("Enabled = False\r\n    Interval = 500\r\n    OnTimer = ClockTick"), AnsiString::npos) << text;
    EXPECT_EQ(text.find("Interval = 1000"), AnsiString::npos) << text;
    FreeObject(form);
    UnRegisterClass(TTimerTestForm::StaticClass());
}

TEST_F(OwnApplicationTest, AnExceptionWhileTheMainFormIsBuiltIsShownAndEndsWithExitCode1) {
    TBrokenForm* form = nullptr;
    Application->CreateForm(form);
    EXPECT_EQ(form, nullptr);
    EXPECT_EQ(Application->MainForm(), nullptr);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_EQ(Application->ExitCode(), 1);
    auto shown = TakeBoxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Utf8(shown[0].Text), "Failed to create RenderingContext.");
    EXPECT_EQ(Utf8(shown[0].Caption), "Проверка");
    Application->Run();  // returns at once
}

TEST_F(OwnApplicationTest, RunShowsTheMainFormAndEndsWhenItIsClosed) {
    TForm* main = nullptr;
    Application->CreateForm(main);
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(Application->MainForm(), main);
    EXPECT_TRUE(main->HandleAllocated());
    EXPECT_FALSE(main->Visible());
    TForm* second = nullptr;
    Application->CreateForm(second);
    EXPECT_EQ(Application->MainForm(), main);
    struct TCloser : TObject {
        TForm* main;
        int idles = 0;
        void Idle(TObject*, bool& done) {
            // Once the loop is idle with the main form up, the user closes it.
            if (++idles == 1) {
                EXPECT_TRUE(IsWindowVisible(main->Handle()));
                PostMessageW(main->Handle(), WM_CLOSE, 0, 0);
            }
            done = true;
        }
    } closer;
    closer.main = main;
    Application->OnIdle = MakeEvent(&closer, &TCloser::Idle);
    Application->Run();
    EXPECT_TRUE(Application->Terminated());
    EXPECT_GE(closer.idles, 1);
    EXPECT_EQ(Application->ExitCode(), 0);
}

namespace {

// A worker that hands one call to the GUI thread and waits for it.
class TSyncWorker : public TThread {
    Z_CLASS(TSyncWorker, TThread)
public:
    DWORD ranOn = 0;
    bool returned = false;

protected:
    void Execute() override {
        Synchronize([this] { ranOn = GetCurrentThreadId(); });
        returned = true;
    }
};

}  // namespace

TEST_F(WindowTest, AWorkersSynchronizeCallRunsOnTheGuiThreadAtIdle) {
    TSyncWorker worker;
    worker.Start();
    // Nothing else happens: only the idle step of the loop can run the call.
    EXPECT_TRUE(PumpUntil([&] { return worker.ranOn != 0; }, 3000));
    EXPECT_EQ(worker.ranOn, GetCurrentThreadId());
    worker.WaitFor();
    EXPECT_TRUE(worker.returned);
}

TEST_F(WindowTest, AQueuedCallWakesTheWaitingLoop) {
    // The loop waits in the idle step with no timer to wake it; the queued call must.
    struct TQueuer : TThread {
        bool* ran;
        void Execute() override {
            Sleep(50);
            Queue([r = ran] { *r = true; });
        }
    };
    bool ran = false;
    TQueuer worker;
    worker.ran = &ran;
    worker.Start();
    DWORD start = GetTickCount();
    while (!ran && GetTickCount() - start < 3000) Application->HandleMessage();
    EXPECT_TRUE(ran);
    worker.WaitFor();
}
