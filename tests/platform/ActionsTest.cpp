// Actions: action links with their defaults, execution order, idle updates, shortcuts and the
// hint action.

#include "ControlActionLink.h"
#include "Controls.h"
#include "FormDescription.h"
#include "WindowTesting.h"

namespace {

class TActionTestBox : public TCustomControl {
    Z_CLASS(TActionTestBox, TCustomControl)
public:
    explicit TActionTestBox(TComponent* o) : TCustomControl(o) {
        SetTabStop(true);
        SetBounds(10, 10, 120, 40);
    }
    std::vector<String> hints;

    bool ExecuteAction(TBasicAction* action) override {
        // Takes the hints the application hands round, as a status bar does.
        if (auto* hint = As<THintAction>(action)) {
            hints.push_back(hint->Hint());
            return true;
        }
        return false;
    }
};

class TActionTestForm : public TForm {
    Z_CLASS(TActionTestForm, TForm)
    Z_PUBLISHED {
        p.Method(L"SaveExecute", &TActionTestForm::SaveExecute);
        p.Method(L"SaveUpdate", &TActionTestForm::SaveUpdate);
        p.Method(L"BoxClick", &TActionTestForm::BoxClick);
    }

public:
    explicit TActionTestForm(TComponent* o) : TForm(o, CreateNew) {}
    std::vector<std::string> log;
    bool canSave = true;
    TComponent* executedFor = nullptr;
    void SaveExecute(TObject* sender) {
        log.push_back("save");
        executedFor = static_cast<TBasicAction*>(sender)->ActionComponent();
    }
    void SaveUpdate(TObject* sender) { static_cast<TAction*>(sender)->SetEnabled(canSave); }
    void BoxClick(TObject*) { log.push_back("box"); }
};

const char* const kActionFormDescription = R"(object ActionTestForm: TActionTestForm
  object Actions: TActionList
    object actSave: TAction
      Caption = '&Сохранить'
      Hint = 'Сохранить уровень'
      ShortCut = 16467
      OnExecute = SaveExecute
      OnUpdate = SaveUpdate
    end
  end
  object boxPlain: TActionTestBox
    Action = actSave
  end
  object boxOwn: TActionTestBox
    Action = actSave
    Caption = 'Свой'
    OnClick = BoxClick
  end
end
)";

TActionTestForm* NewActionTestForm() {
    RegisterClasses({TActionTestForm::StaticClass(), TActionTestBox::StaticClass()});
    auto* form = new TActionTestForm(nullptr);
    ReadComponentFromText(kActionFormDescription, form);
    return form;
}

}  // namespace

TEST(ActionLinks, LoadedClientsKeepTheirOwnValuesAndFollowTheActionWhileTheyShowItsOwn) {
    auto* form = NewActionTestForm();
    auto* action = As<TAction>(form->FindComponent(L"actSave"));
    auto* plain = As<TActionTestBox>(form->FindComponent(L"boxPlain"));
    auto* own = As<TActionTestBox>(form->FindComponent(L"boxOwn"));
    ASSERT_TRUE(action && plain && own);
    EXPECT_EQ(action->ActionList(), form->FindComponent(L"Actions"));
    EXPECT_EQ(action->Index(), 0);
    // Read with defaults checked: a value of the client's own stays.
    EXPECT_EQ(Utf8(plain->Caption()), "&Сохранить");
    EXPECT_EQ(Utf8(plain->Hint()), "Сохранить уровень");
    EXPECT_EQ(Utf8(own->Caption()), "Свой");
    EXPECT_TRUE(own->OnClick == MakeEvent(form, &TActionTestForm::BoxClick));
    EXPECT_TRUE(plain->OnClick == action->OnExecute());

    // Changes of the action reach the clients that still show its values.
    action->SetCaption(L"Сохранить &как");
    action->SetEnabled(false);
    EXPECT_EQ(Utf8(plain->Caption()), "Сохранить &как");
    EXPECT_EQ(Utf8(own->Caption()), "Свой");
    EXPECT_FALSE(plain->Enabled());
    EXPECT_FALSE(own->Enabled());
    // A client given a value by hand stops following that property only.
    plain->SetHint(L"моя подсказка");
    action->SetHint(L"новая");
    action->SetEnabled(true);
    EXPECT_EQ(Utf8(plain->Hint()), "моя подсказка");
    EXPECT_TRUE(plain->Enabled());

    // What the action supplies is not written with the client.
    AnsiString text = WriteComponentToText(form);
    size_t plainAt = text.find("object boxPlain");
    AnsiString plainPart = text.substr(plainAt, text.find("end", plainAt) - plainAt);
    EXPECT_EQ(plainPart.find("Caption"), AnsiString::npos) << plainPart;
    EXPECT_NE(plainPart.find("моя подсказка"), AnsiString::npos) << plainPart;
    FreeObject(form);
}

TEST(ActionLinks, AClickRunsTheActionOnceOrTheClientsOwnHandler) {
    auto* form = NewActionTestForm();
    auto* plain = As<TActionTestBox>(form->FindComponent(L"boxPlain"));
    auto* own = As<TActionTestBox>(form->FindComponent(L"boxOwn"));
    plain->Click();
    own->Click();
    EXPECT_EQ(form->log, (std::vector<std::string>{"save", "box"}));
    EXPECT_EQ(form->executedFor, plain);
    EXPECT_EQ(As<TAction>(form->FindComponent(L"actSave"))->ActionComponent(), nullptr);

    // OnUpdate runs before execution; a disabled action does not run.
    form->log.clear();
    form->canSave = false;
    plain->Click();
    EXPECT_TRUE(form->log.empty());

    // The list's OnExecute may take it first.
    form->canSave = true;
    auto* list = As<TActionList>(form->FindComponent(L"Actions"));
    struct TListHandler : TObject {
        int seen = 0;
        void Execute(TBasicAction*, bool& handled) {
            ++seen;
            handled = true;
        }
    } handler;
    list->OnExecute = MakeEvent(&handler, &TListHandler::Execute);
    plain->Click();
    EXPECT_EQ(handler.seen, 1);
    EXPECT_TRUE(form->log.empty());
    FreeObject(form);
}

TEST(ActionLinks, FreeingActionsAndListsLeavesNoDanglingReference) {
    auto* form = NewActionTestForm();
    auto* plain = As<TActionTestBox>(form->FindComponent(L"boxPlain"));
    auto* action = As<TAction>(form->FindComponent(L"actSave"));
    FreeObject(action);
    EXPECT_EQ(plain->Action(), nullptr);
    EXPECT_EQ(plain->ActionLink(), nullptr);
    EXPECT_FALSE(plain->HasStyle(csActionClient));
    EXPECT_EQ(As<TActionList>(form->FindComponent(L"Actions"))->ActionCount(), 0);

    // A list frees its actions.
    auto* list = new TActionList(form);
    auto* a = new TAction(form);
    a->SetActionList(list);
    auto* own = As<TActionTestBox>(form->FindComponent(L"boxOwn"));
    own->SetAction(a);
    int components = form->ComponentCount();
    FreeObject(list);
    EXPECT_EQ(form->ComponentCount(), components - 2);
    EXPECT_EQ(own->Action(), nullptr);

    // A link made for controls refuses another client.
    TObject notAControl;
    EXPECT_EQ(ClassAndMessageOf([&] { FreeObject(NewActionLink(TControlActionLink::StaticClass(), &notAControl)); }),
              "EInvalidCast: Invalid class typecast");
    FreeObject(form);
}

TEST_F(WindowTest, TheIdleStepUpdatesActionsAndShortCutsAndHintsReachThem) {
    auto* form = NewActionTestForm();
    form->SetPosition(poDesigned);
    form->SetBounds(0, 0, 300, 200);
    auto* plain = As<TActionTestBox>(form->FindComponent(L"boxPlain"));
    plain->SetParent(form);
    form->Show();
    SetForegroundWindow(form->Handle());
    plain->SetFocus();
    PumpUntilIdle();

    // The idle step: Enabled follows OnUpdate.
    form->canSave = false;
    EXPECT_TRUE(PumpUntil([&] { return !plain->Enabled(); }));
    form->canSave = true;
    EXPECT_TRUE(PumpUntil([&] { return plain->Enabled(); }));

    // Ctrl+S runs the action of the form's list.
    TypeChord({VK_CONTROL, 'S'});
    ASSERT_TRUE(PumpUntil([&] { return !form->log.empty(); }));
    EXPECT_EQ(form->log, (std::vector<std::string>{"save"}));
    // Not while OnUpdate disables it.
    form->canSave = false;
    TypeChord({VK_CONTROL, 'S'});
    PumpUntilIdle();
    EXPECT_EQ(form->log.size(), 1u);

    // A new application hint travels as a hint action to the form's controls...
    Application->SetHint(L"Подсказка");
    ASSERT_FALSE(plain->hints.empty());
    EXPECT_EQ(Utf8(plain->hints.back()), "Подсказка");
    // ...unless the application has a handler of its own.
    struct THintHandler : TObject {
        int calls = 0;
        void Hint(TObject*) { ++calls; }
    } handler;
    Application->OnHint = MakeEvent(&handler, &THintHandler::Hint);
    size_t seen = plain->hints.size();
    Application->SetHint(L"Другая");
    EXPECT_EQ(handler.calls, 1);
    EXPECT_EQ(plain->hints.size(), seen);
    Application->OnHint = nullptr;
    Application->SetHint(L"");
    FreeObject(form);
}
