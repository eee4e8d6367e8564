#pragma once
// The add-group-items dialog: lists the other groups of the manager and, per category with
// shown items, those items (caption and name), so that some can be picked for a group. Rows
// whose objects already are in the group show greyed. Adding them to the group (and refusing
// a group that would contain itself) is the caller's business.

#include "Button.h"
#include "Form.h"
#include "ListBox.h"
#include "Panel.h"
#include "dxBarForward.h"

class TdxBarGroup;
class TList;

class TfrmAddGroupItems : public TForm {
    Z_CLASS(TfrmAddGroupItems, TForm)
    Z_PUBLISHED {
        using C = TfrmAddGroupItems;
        p.Method(L"FormCreate", &C::FormCreate);
        p.Method(L"FormDestroy", &C::FormDestroy);
        p.Method(L"FormCloseQuery", &C::FormCloseQuery);
        p.Method(L"lbGroupItemsDrawItem", &C::lbGroupItemsDrawItem);
        p.Method(L"lbGroupItemsMeasureItem", &C::lbGroupItemsMeasureItem);
    }

public:
    // Reads the stored description "frmAddGroupItems".
    explicit TfrmAddGroupItems(TComponent* owner) : TForm(owner) {}

    // Fills the list for the group: "~< Groups >" and the manager's other groups when it has
    // more than one, then "~" and the name of each category with shown items, and those items.
    void FillList(TdxBarGroup* group);
    // Where the objects of the rows selected on OK go (appended).
    void SetResultList(TList* list) { resultList_ = list; }
    TdxBarGroup* Group() const { return group_; }

    TListBox* lbGroupItems = nullptr;
    TPanel *Panel1 = nullptr, *Panel2 = nullptr, *Panel3 = nullptr, *Panel4 = nullptr, *Panel5 = nullptr;
    TButton *btnOk = nullptr, *btnCancel = nullptr;

protected:
    void Loaded() override;

private:
    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void FormCloseQuery(TObject* Sender, bool& CanClose);
    void lbGroupItemsDrawItem(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State);
    void lbGroupItemsMeasureItem(TWinControl* Control, int Index, int& Height);
    // The list's own messages: its background is left alone (the rows and the space below them
    // are drawn whole), which keeps it from flickering.
    void HandleListMessage(TMessage& Message);
    bool IsInGroup(TObject* object) const;

    TdxBarGroup* group_ = nullptr;
    TList* resultList_ = nullptr;
    TWndMethod savedListProc_;
};

// Runs the dialog for the group modally; on OK the objects (groups and items) of the selected
// rows are appended to list, in row order, and the answer is true.
bool ShowAddGroupItemsDialog(TdxBarGroup* group, TList* list);
