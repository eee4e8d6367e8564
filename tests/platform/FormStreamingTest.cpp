// Forms built from their stored descriptions.

#include "Controls.h"
#include "WindowTesting.h"

namespace {

class TStreamedPanel : public TCustomControl {
    Z_CLASS(TStreamedPanel, TCustomControl)
public:
    explicit TStreamedPanel(TComponent* o) : TCustomControl(o) {
        SetControlStyle(ControlStyle() + csAcceptsControls);
        SetTabStop(true);
    }
};

class TStreamedTestForm : public TForm {
    Z_CLASS(TStreamedTestForm, TForm)
    Z_PUBLISHED {
        p.Method(L"FormCreate", &TStreamedTestForm::FormCreate);
        p.Method(L"PanelClick", &TStreamedTestForm::PanelClick);
    }

public:
    explicit TStreamedTestForm(TComponent* o) : TForm(o) {}
    int creates = 0;
    int clicks = 0;
    // What the creation handler found: the form already read, its loading over.
    bool loadedWhenCreated = false;
    int clientWidthWhenCreated = 0;

    void FormCreate(TObject*) {
        ++creates;
        auto* top = As<TStreamedPanel>(FindComponent(L"pnlTop"));
        auto* client = As<TStreamedPanel>(FindComponent(L"pnlClient"));
        loadedWhenCreated = top && client && top->Parent() == this && !ComponentState().Contains(csLoading) &&
                            !client->ComponentState().Contains(csLoading);
        clientWidthWhenCreated = ClientWidth();
    }
    void PanelClick(TObject*) { ++clicks; }
};

}  // namespace

TEST_F(WindowTest, AFormBuiltFromItsDescriptionRunsOnCreateOnceAfterStreaming) {
    RegisterClasses({TStreamedPanel::StaticClass(), TStreamedTestForm::StaticClass()});
    auto* form =
        static_cast<TStreamedTestForm*>(TStreamedTestForm::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    EXPECT_EQ(form->creates, 1);
    EXPECT_TRUE(form->loadedWhenCreated);
    EXPECT_EQ(form->clientWidthWhenCreated, 320);
    EXPECT_EQ(form->Name(), L"StreamedTestForm");
    EXPECT_EQ(Utf8(form->Caption()), "Стол");
    EXPECT_EQ(form->Color(), clWindow);
    EXPECT_TRUE(form->KeyPreview());
    EXPECT_FALSE(form->Visible());

    auto* top = As<TStreamedPanel>(form->FindComponent(L"pnlTop"));
    auto* client = As<TStreamedPanel>(form->FindComponent(L"pnlClient"));
    ASSERT_TRUE(top && client);
    EXPECT_EQ(form->ActiveControl(), client);
    EXPECT_EQ(client->Color(), clWindow);  // inherited from the form
    form->Show();
    PumpUntilIdle();
    EXPECT_EQ(form->ClientWidth(), 320);
    EXPECT_EQ(form->ClientHeight(), 200);
    EXPECT_EQ(top->Width(), 320);
    EXPECT_EQ(client->Top(), 40);
    EXPECT_EQ(client->Height(), 160);
    // The event bound by name in the description reaches the form's handler.
    client->Click();
    EXPECT_EQ(form->clicks, 1);
    EXPECT_EQ(form->creates, 1);
    FreeObject(form);
    UnRegisterClass(TStreamedTestForm::StaticClass());
    UnRegisterClass(TStreamedPanel::StaticClass());
}

namespace {
class TUndescribedForm : public TForm {
    Z_CLASS(TUndescribedForm, TForm)
public:
    explicit TUndescribedForm(TComponent* o) : TForm(o) {}
};
}  // namespace

TEST_F(WindowTest, AFormClassWithoutADescriptionCannotBeBuiltFromOne) {
    int forms = Screen->FormCount();
    EXPECT_THROW(TUndescribedForm::StaticClass()->Create(static_cast<TComponent*>(nullptr)), EResNotFound);
    EXPECT_EQ(Screen->FormCount(), forms);  // the half-made form is gone
    // A plain form needs none.
    TObject* plain = TForm::StaticClass()->Create(static_cast<TComponent*>(nullptr));
    EXPECT_NE(As<TForm>(plain), nullptr);
    FreeObject(plain);
}
