// Form additions: MDI frames and children, owner windows by popup mode, help requests, the
// restored rectangle and overridable show and hide steps.

#include "Controls.h"
#include "SysUtils.h"
#include "WindowTesting.h"

namespace {

class TMdiFrameForm : public TForm {
    Z_CLASS(TMdiFrameForm, TForm)
public:
    explicit TMdiFrameForm(TComponent* o) : TForm(o, CreateNew) {
        SetFormStyle(fsMDIForm);
        SetPosition(poDesigned);
        SetBounds(0, 0, 640, 480);
    }
};

class TMdiChildForm : public TForm {
    Z_CLASS(TMdiChildForm, TForm)
public:
    explicit TMdiChildForm(TComponent* o) : TForm(o, CreateNew) { SetFormStyle(fsMDIChild); }
};

String WindowClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

}  // namespace

TEST_F(WindowTest, AnMDIFormHostsTwoChildrenMaximizesOneAndRestoresIt) {
    // Children live in the main form's client window.
    auto* frame = static_cast<TMdiFrameForm*>(Application->CreateForm(TMdiFrameForm::StaticClass()));
    ASSERT_EQ(Application->MainForm(), frame);
    auto* bar = new TCustomControl(frame);
    bar->SetAlign(alTop);
    bar->SetHeight(40);
    bar->SetParent(frame);
    frame->Show();
    SetForegroundWindow(frame->Handle());
    PumpUntilIdle();
    HWND client = frame->ClientHandle();
    ASSERT_NE(client, nullptr);
    EXPECT_TRUE(SameText(WindowClassOf(client), L"MDICLIENT"));
    // The client window takes what the aligned bar leaves.
    RECT area;
    GetWindowRect(client, &area);
    EXPECT_EQ(frame->ScreenToClient(TPoint{area.left, area.top}).y, 40);

    auto* first = new TMdiChildForm(frame);
    first->SetCaption(L"Первый уровень");
    first->SetBounds(10, 10, 200, 150);
    first->Show();
    auto* second = new TMdiChildForm(frame);
    second->SetCaption(L"Второй");
    second->Show();
    PumpUntilIdle();
    EXPECT_EQ(GetParent(first->Handle()), client);
    EXPECT_EQ(frame->ActiveMDIChild(), second);
    wchar_t caption[64] = {};
    GetWindowTextW(first->Handle(), caption, 64);
    EXPECT_EQ(Utf8(caption), "Первый уровень");

    TRect normal = first->BoundsRect();
    first->SetWindowState(wsMaximized);
    PumpUntilIdle();
    EXPECT_TRUE(IsZoomed(first->Handle()));
    EXPECT_EQ(first->WindowState(), wsMaximized);
    EXPECT_EQ(frame->ActiveMDIChild(), first);
    RECT inside;
    GetClientRect(client, &inside);
    EXPECT_GE(first->Width(), inside.right);
    first->SetWindowState(wsNormal);
    PumpUntilIdle();
    EXPECT_FALSE(IsZoomed(first->Handle()));
    EXPECT_EQ(first->WindowState(), wsNormal);
    TRect restoredChild = first->BoundsRect();
    EXPECT_TRUE(EqualRect(&normal, &restoredChild) != 0);

    // Closing a child frees it; the other one becomes active.
    second->Close();
    ASSERT_TRUE(PumpUntil([&] { return frame->ComponentCount() == 2; }));
    EXPECT_EQ(frame->ActiveMDIChild(), first);
    FreeObject(frame);
    EXPECT_EQ(Application->MainForm(), nullptr);
}

TEST_F(WindowTest, AnMDIChildNeedsAnMDIMainForm) {
    auto* child = new TMdiChildForm(nullptr);
    EXPECT_EQ(MessageOf([&] { child->HandleNeeded(); }), "Cannot create form. No MDI forms are currently active");
    FreeObject(child);
}

namespace {
class TStepsForm : public TForm {
    Z_CLASS(TStepsForm, TForm)
public:
    TStepsForm(TComponent* o, TCreateNew) : TForm(o, CreateNew) {}
    std::vector<std::string> steps;

protected:
    void DoShow() override {
        steps.push_back(HandleAllocated() && !IsWindowVisible(WindowHandle()) ? "show before the window" : "show");
        TForm::DoShow();
    }
    void DoHide() override {
        steps.push_back("hide");
        TForm::DoHide();
    }
};

struct THelpLog : TObject {
    std::vector<std::pair<Word, NativeInt>> calls;
    bool Help(Word command, NativeInt data, bool& callHelp) {
        calls.emplace_back(command, data);
        callHelp = false;
        return true;
    }
};
}  // namespace

TEST_F(WindowTest, OwnerWindowsHelpRestoredBoundsAndTheShowSteps) {
    TForm* active = NewShownForm(300, 200);
    // pmAuto: the form active when the window is made owns it; pmExplicit: PopupParent does.
    auto* popup = CreateNewForm(nullptr);
    popup->SetPopupMode(pmAuto);
    EXPECT_EQ(GetWindow(popup->Handle(), GW_OWNER), active->Handle());
    auto* other = CreateNewForm(nullptr);
    auto* child = CreateNewForm(nullptr);
    child->SetPopupParent(other);
    EXPECT_EQ(child->PopupMode(), pmExplicit);
    EXPECT_EQ(GetWindow(child->Handle(), GW_OWNER), other->Handle());
    FreeObject(other);
    EXPECT_EQ(child->PopupParent(), nullptr);
    EXPECT_EQ(child->PopupMode(), pmNone);
    EXPECT_EQ(MessageOf([&] { child->SetPopupParent(child); }), "A form cannot be its own popup parent");

    // Help requests go to the active form's OnHelp.
    THelpLog help;
    active->SetHelpContext(77);
    EXPECT_FALSE(Application->HelpContext(active->HelpContext()));
    active->OnHelp = MakeEvent(&help, &THelpLog::Help);
    EXPECT_TRUE(Application->HelpContext(active->HelpContext()));
    ASSERT_EQ(help.calls.size(), 1u);
    EXPECT_EQ(help.calls[0].first, HELP_CONTEXT);
    EXPECT_EQ(help.calls[0].second, 77);

    // The restored rectangle stays while the window is maximized.
    active->SetBounds(50, 60, 300, 200);
    PumpUntilIdle();
    TRect normal = active->BoundsRect();
    active->SetWindowState(wsMaximized);
    PumpUntilIdle();
    EXPECT_NE(active->Width(), normal.right - normal.left);
    TRect restored = active->RestoredBounds();
    EXPECT_TRUE(EqualRect(&restored, &normal) != 0)
        << restored.left << "," << restored.top << "," << restored.right << "," << restored.bottom;

    // Descendants take over the show and hide steps, before the window appears.
    auto* steps = CreateNewForm<TStepsForm>(nullptr);
    steps->Show();
    steps->Hide();
    EXPECT_EQ(steps->steps, (std::vector<std::string>{"show before the window", "hide"}));
    FreeObject(steps);
    FreeObject(child);
    FreeObject(popup);
    FreeObject(active);
}
