#pragma once
// The name dialog: asks for the name of a toolbar (add, rename) or of a category (add, insert,
// rename). A toolbar name that another bar of the manager already has as its caption is refused
// while the dialog stays open; an empty name cannot be confirmed.
//
// ApplyManagerFontToForm is shared by the bar manager's dialogs: they show their texts in the
// manager's font face and character set (the size stays the dialog's own).

#include "Button.h"
#include "CustomEdit.h"
#include "Form.h"
#include "Label.h"
#include "dxBarForward.h"

class TdxBarManager;

// Kind of name asked for, and the modes of each kind.
constexpr int dxBarNameKindToolbar = 0;
constexpr int dxBarNameKindCategory = 1;
constexpr int dxBarNameModeToolbarAdd = 0, dxBarNameModeToolbarRename = 1;
constexpr int dxBarNameModeCategoryAdd = 0, dxBarNameModeCategoryInsert = 1, dxBarNameModeCategoryRename = 2;

// The form takes the manager's font face and character set; nothing without a manager.
void ApplyManagerFontToForm(TCustomForm* form, TdxBarManager* manager);

class TdxBarNameEd : public TForm {
    Z_CLASS(TdxBarNameEd, TForm)
    Z_PUBLISHED {
        p.Method(L"FormCloseQuery", &TdxBarNameEd::FormCloseQuery);
        p.Method(L"ENameChange", &TdxBarNameEd::ENameChange);
    }

public:
    // Reads the stored description "dxBarNameEd".
    explicit TdxBarNameEd(TComponent* owner) : TForm(owner) {}

    // Kind, mode, bar being renamed (nil otherwise) and manager: captions and the name check.
    void Prepare(int kind, int mode, TdxBar* bar, TdxBarManager* manager);
    // The window that owns the dialog's window (the active window when it was asked for).
    void SetOwnerWindow(HWND window) { ownerWindow_ = window; }

    int Kind() const { return kind_; }
    TdxBarManager* Manager() const { return manager_; }
    TdxBar* Bar() const { return bar_; }

    TLabel* LName = nullptr;
    TEdit* EName = nullptr;
    TButton* BOK = nullptr;
    TButton* BCancel = nullptr;

protected:
    void Loaded() override;
    void CreateParams(TCreateParams& Params) override;

private:
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void ENameChange(TObject* Sender);

    int kind_ = dxBarNameKindToolbar;
    TdxBarManager* manager_ = nullptr;
    TdxBar* bar_ = nullptr;
    HWND ownerWindow_ = nullptr;
};

// Runs the name dialog modally with name as its text. True when confirmed with OK; name then
// holds the text entered (it is left alone otherwise). See the constants above for kind and
// mode; bar is the toolbar being renamed (its own caption is accepted), nil otherwise.
bool ShowNameDialog(String& name, int kind, int mode, TdxBar* bar, TdxBarManager* manager);
