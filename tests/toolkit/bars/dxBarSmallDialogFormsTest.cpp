// The small dialogs as their stored descriptions make them: the window each form is, and every
// component the dialogs work with (class, parent, caption, inside its parent's client area) and
// every event bound to the form's handlers.

#include "BarTestSupport.h"

#include "TypInfo.h"
#include "dxBarAddGroupItemsEd.h"
#include "dxBarItemEd.h"
#include "dxBarNameEd.h"
#include "dxBarPopupMenuEd.h"

namespace {

TCustomForm* MakeForm(TClass formClass) {
    return static_cast<TCustomForm*>(formClass->Create(static_cast<TComponent*>(nullptr)));
}

TEST_F(WindowTest, TheSmallDialogFormsAreWhatTheirDescriptionsSay) {
    struct TFormCase {
        TClass formClass;
        const char* caption;
        int clientWidth, clientHeight;  // -1: the outer size is given instead
        int width, height;
        TFormBorderStyle border;
        TFormStyle style;
        TPosition position;
    };
    const TFormCase forms[] = {
        {TdxBarNameEd::StaticClass(), "Toolbar Name", 266, 87, 0, 0, bsDialog, fsStayOnTop, poScreenCenter},
        {TdxBarItemAddEditor::StaticClass(), "Add New Vantrel Item", 263, 150, 0, 0, bsDialog, fsStayOnTop,
         poScreenCenter},
        {TfrmAddGroupItems::StaticClass(), "Add Group Items", -1, -1, 364, 400, bsSizeable, fsNormal, poScreenCenter},
        {TdxBarSubMenuEditor::StaticClass(), "Vantrel SubMenu Editor", 196, 4, 0, 0, bsDialog, fsNormal,
         poDefaultPosOnly},
    };
    for (const TFormCase& f : forms) {
        SCOPED_TRACE(Utf8(f.formClass->ClassName()));
        TCustomForm* form = MakeForm(f.formClass);
        EXPECT_EQ(Utf8(form->Caption()), f.caption);
        if (f.clientWidth >= 0) {
            EXPECT_EQ(form->ClientWidth(), f.clientWidth);
            EXPECT_EQ(form->ClientHeight(), f.clientHeight);
        } else {
            EXPECT_EQ(form->Width(), f.width);
            EXPECT_EQ(form->Height(), f.height);
        }
        EXPECT_EQ(form->BorderStyle(), f.border);
        EXPECT_EQ(form->FormStyle(), f.style);
        EXPECT_EQ(form->Position(), f.position);
        FreeObject(form);
    }
    // The name dialog has no border icons, the sub-menu editor only the system menu.
    TCustomForm* name = MakeForm(TdxBarNameEd::StaticClass());
    EXPECT_EQ(name->BorderIcons(), TBorderIcons{});
    EXPECT_EQ(name->ActiveControl(), name->FindComponent(L"EName"));
    FreeObject(name);
    TCustomForm* editor = MakeForm(TdxBarSubMenuEditor::StaticClass());
    EXPECT_EQ(editor->BorderIcons(), TBorderIcons{biSystemMenu});
    EXPECT_EQ(editor->Tag(), 100);
    FreeObject(editor);
}

TEST_F(WindowTest, TheSmallDialogsHoldTheirComponentsAndBindTheirEvents) {
    struct TPart {
        TClass formClass;
        const wchar_t* name;
        const char* className;
        const wchar_t* parent;  // nullptr: the form
        const char* caption;    // nullptr: not checked
    };
    const TPart parts[] = {
        {TdxBarNameEd::StaticClass(), L"LName", "TLabel", nullptr, "&Toolbar name:"},
        {TdxBarNameEd::StaticClass(), L"EName", "TEdit", nullptr, nullptr},
        {TdxBarNameEd::StaticClass(), L"BOK", "TButton", nullptr, "OK"},
        {TdxBarNameEd::StaticClass(), L"BCancel", "TButton", nullptr, "Cancel"},
        {TdxBarItemAddEditor::StaticClass(), L"LType", "TLabel", nullptr, "Type:"},
        {TdxBarItemAddEditor::StaticClass(), L"LCategory", "TLabel", nullptr, "Category:"},
        {TdxBarItemAddEditor::StaticClass(), L"LName", "TLabel", nullptr, "Name:"},
        {TdxBarItemAddEditor::StaticClass(), L"LCaption", "TLabel", nullptr, "Caption:"},
        {TdxBarItemAddEditor::StaticClass(), L"ComboBox1", "TComboBox", nullptr, nullptr},
        {TdxBarItemAddEditor::StaticClass(), L"ComboBox2", "TComboBox", nullptr, nullptr},
        {TdxBarItemAddEditor::StaticClass(), L"Edit1", "TEdit", nullptr, nullptr},
        {TdxBarItemAddEditor::StaticClass(), L"Edit2", "TEdit", nullptr, "New Item"},
        {TdxBarItemAddEditor::StaticClass(), L"BOk", "TButton", nullptr, "OK"},
        {TdxBarItemAddEditor::StaticClass(), L"BCancel", "TButton", nullptr, "Cancel"},
        {TfrmAddGroupItems::StaticClass(), L"lbGroupItems", "TListBox", nullptr, nullptr},
        {TfrmAddGroupItems::StaticClass(), L"Panel1", "TPanel", nullptr, nullptr},
        {TfrmAddGroupItems::StaticClass(), L"Panel2", "TPanel", nullptr, nullptr},
        {TfrmAddGroupItems::StaticClass(), L"Panel3", "TPanel", nullptr, nullptr},
        {TfrmAddGroupItems::StaticClass(), L"Panel4", "TPanel", nullptr, nullptr},
        {TfrmAddGroupItems::StaticClass(), L"Panel5", "TPanel", L"Panel1", nullptr},
        {TfrmAddGroupItems::StaticClass(), L"btnOk", "TButton", L"Panel5", "OK"},
        {TfrmAddGroupItems::StaticClass(), L"btnCancel", "TButton", L"Panel5", "Cancel"},
    };
    for (const TPart& part : parts) {
        SCOPED_TRACE(Utf8(part.formClass->ClassName() + L"." + part.name));
        TCustomForm* form = MakeForm(part.formClass);
        auto* control = As<TControl>(form->FindComponent(part.name));
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(Utf8(control->ClassName()), part.className);
        TWinControl* parent = part.parent ? As<TWinControl>(form->FindComponent(part.parent)) : form;
        EXPECT_EQ(control->Parent(), parent);
        if (part.caption) EXPECT_EQ(Utf8(control->Caption()), part.caption);
        // Wholly inside its parent's client area, and not empty.
        TRect client = parent->ClientRect();
        EXPECT_GE(control->Left(), client.left);
        EXPECT_GE(control->Top(), client.top);
        EXPECT_LE(control->Left() + control->Width(), client.right);
        EXPECT_LE(control->Top() + control->Height(), client.bottom);
        EXPECT_GT(control->Width(), 0);
        EXPECT_GT(control->Height(), 0);
        FreeObject(form);
    }

    // Buttons: default, cancel and modal results.
    struct TButtonCase {
        TClass formClass;
        const wchar_t* name;
        bool isDefault, isCancel;
        TModalResult result;
    };
    const TButtonCase buttons[] = {
        {TdxBarNameEd::StaticClass(), L"BOK", true, false, mrOk},
        {TdxBarNameEd::StaticClass(), L"BCancel", false, true, mrCancel},
        {TdxBarItemAddEditor::StaticClass(), L"BOk", true, false, mrOk},
        {TdxBarItemAddEditor::StaticClass(), L"BCancel", false, false, mrCancel},
        {TfrmAddGroupItems::StaticClass(), L"btnOk", true, false, mrOk},
        {TfrmAddGroupItems::StaticClass(), L"btnCancel", false, true, mrCancel},
    };
    for (const TButtonCase& b : buttons) {
        SCOPED_TRACE(Utf8(b.formClass->ClassName() + L"." + b.name));
        TCustomForm* form = MakeForm(b.formClass);
        auto* button = As<TButton>(form->FindComponent(b.name));
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->Default(), b.isDefault);
        EXPECT_EQ(button->Cancel(), b.isCancel);
        EXPECT_EQ(button->ModalResult(), b.result);
        FreeObject(form);
    }

    struct TEventCase {
        TClass formClass;
        const wchar_t* component;  // nullptr: the form
        const wchar_t* event;
        const wchar_t* method;
    };
    const TEventCase events[] = {
        {TdxBarNameEd::StaticClass(), nullptr, L"OnCloseQuery", L"FormCloseQuery"},
        {TdxBarNameEd::StaticClass(), L"EName", L"OnChange", L"ENameChange"},
        {TdxBarItemAddEditor::StaticClass(), nullptr, L"OnShow", L"FormShow"},
        {TdxBarItemAddEditor::StaticClass(), L"ComboBox1", L"OnClick", L"ComboBox1Click"},
        {TdxBarItemAddEditor::StaticClass(), L"BOk", L"OnClick", L"BOkClick"},
        {TfrmAddGroupItems::StaticClass(), nullptr, L"OnCreate", L"FormCreate"},
        {TfrmAddGroupItems::StaticClass(), nullptr, L"OnDestroy", L"FormDestroy"},
        {TfrmAddGroupItems::StaticClass(), nullptr, L"OnCloseQuery", L"FormCloseQuery"},
        {TfrmAddGroupItems::StaticClass(), L"lbGroupItems", L"OnDrawItem", L"lbGroupItemsDrawItem"},
        {TfrmAddGroupItems::StaticClass(), L"lbGroupItems", L"OnMeasureItem", L"lbGroupItemsMeasureItem"},
        {TdxBarSubMenuEditor::StaticClass(), nullptr, L"OnActivate", L"FormActivate"},
        {TdxBarSubMenuEditor::StaticClass(), nullptr, L"OnClose", L"FormClose"},
        {TdxBarSubMenuEditor::StaticClass(), nullptr, L"OnDestroy", L"FormDestroy"},
    };
    for (const TEventCase& e : events) {
        SCOPED_TRACE(Utf8(e.formClass->ClassName() + L"." + (e.component ? e.component : L"") + L"." + e.event));
        TCustomForm* form = MakeForm(e.formClass);
        TComponent* component = e.component ? form->FindComponent(e.component) : form;
        ASSERT_NE(component, nullptr);
        const TPropInfo* event = GetPropInfo(component, e.event);
        const TMethodInfo* method = form->PublishedTable().FindMethod(e.method);
        ASSERT_NE(event, nullptr);
        ASSERT_NE(method, nullptr);
        EXPECT_TRUE(event->MethodIs(component, *method, form));
        FreeObject(form);
    }
}

}  // namespace
