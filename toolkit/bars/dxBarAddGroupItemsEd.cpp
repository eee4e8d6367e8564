#include "dxBarAddGroupItemsEd.h"

#include "Lists.h"
#include "dxBarDialogParts.h"
#include "dxBarGroup.h"
#include "dxBarItem.h"
#include "dxBarManager.h"
#include "dxBarNameEd.h"

namespace {
const wchar_t* const headerMark = L"~";
const wchar_t* const groupsHeader = L"~< Groups >";
const wchar_t* const indent = L"   ";

bool IsHeader(const String& text) { return !text.empty() && text[0] == L'~'; }

// Single-line, vertically centred text; the canvas's brush is clear, so no background.
void DrawRowText(TCanvas* canvas, const String& text, TRect rect) {
    canvas->TextRect(rect, text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}
}  // namespace

void TfrmAddGroupItems::Loaded() {
    TForm::Loaded();
    lbGroupItems = DialogPart<TListBox>(this, L"lbGroupItems");
    Panel1 = DialogPart<TPanel>(this, L"Panel1");
    Panel2 = DialogPart<TPanel>(this, L"Panel2");
    Panel3 = DialogPart<TPanel>(this, L"Panel3");
    Panel4 = DialogPart<TPanel>(this, L"Panel4");
    Panel5 = DialogPart<TPanel>(this, L"Panel5");
    btnOk = DialogPart<TButton>(this, L"btnOk");
    btnCancel = DialogPart<TButton>(this, L"btnCancel");
}

void TfrmAddGroupItems::FormCreate(TObject*) {
    HWND list = lbGroupItems->Handle();
    SetClassLongPtrW(list, GCL_STYLE, GetClassLongPtrW(list, GCL_STYLE) | CS_HREDRAW);
    savedListProc_ = lbGroupItems->WindowProc();
    lbGroupItems->SetWindowProc(MakeEvent(this, &TfrmAddGroupItems::HandleListMessage));
}

void TfrmAddGroupItems::FormDestroy(TObject*) {
    if (lbGroupItems && savedListProc_) lbGroupItems->SetWindowProc(savedListProc_);
}

void TfrmAddGroupItems::HandleListMessage(TMessage& Message) {
    if (Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    savedListProc_(Message);
}

void TfrmAddGroupItems::FillList(TdxBarGroup* group) {
    group_ = group;
    TdxBarManager* manager = group->BarManager();
    ApplyManagerFontToForm(this, manager);
    TStrings* rows = lbGroupItems->Items();
    rows->BeginUpdate();
    try {
        rows->Clear();
        if (manager) {
            if (manager->GetGroupCount() > 1) {
                rows->Add(groupsHeader);
                for (int i = 0; i < manager->GetGroupCount(); ++i)
                    if (TdxBarComponent* other = manager->GetGroup(i); other != group)
                        rows->AddObject(other->Name(), other);
            }
            TList items;
            for (int category = 0; category < manager->Categories()->Count(); ++category) {
                items.Clear();
                if (manager->GetVisibleItemsByCategory(category, &items) == 0) continue;
                rows->Add(headerMark + manager->Categories()->Strings(category));
                for (int i = 0; i < items.Count(); ++i) {
                    auto* item = static_cast<TdxBarItem*>(items.Items(i));
                    rows->AddObject(item->GetCaption(), item);
                }
            }
        }
    } catch (...) {
        rows->EndUpdate();
        throw;
    }
    rows->EndUpdate();
}

bool TfrmAddGroupItems::IsInGroup(TObject* object) const {
    auto* component = As<TdxBarComponent>(object);
    return component && group_ && group_->IndexOf(component) >= 0;
}

void TfrmAddGroupItems::lbGroupItemsMeasureItem(TWinControl*, int, int& Height) {
    TCanvas* canvas = lbGroupItems->Canvas();
    canvas->Font()->Assign(lbGroupItems->Font());
    Height = canvas->TextHeight(L"Qq") + 2;
}

void TfrmAddGroupItems::lbGroupItemsDrawItem(TWinControl*, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvas* canvas = lbGroupItems->Canvas();
    const String text = lbGroupItems->Items()->Strings(Index);
    TObject* object = lbGroupItems->Items()->Objects(Index);
    if (IsHeader(text)) {
        canvas->Brush()->SetColor(clBtnFace);
        canvas->Font()->SetColor(clBtnText);
        canvas->TextRect(Rect, Rect.left + 2, Rect.top + 1, text.substr(1));
    } else {
        const bool selected = State.Contains(odSelected);
        if (IsInGroup(object)) {
            canvas->Brush()->SetColor(clWindow);
            canvas->Font()->SetColor(clBtnFace);
        }
        // Otherwise the canvas already has the list's normal or selected colours.
        canvas->FillRect(Rect);
        const TColor background = canvas->Brush()->Color();
        canvas->Brush()->SetStyle(bsClear);
        if (auto* item = As<TdxBarItem>(object)) {
            const int middle = (Rect.left + Rect.right) / 2;
            DrawRowText(canvas, indent + text, TRect{Rect.left, Rect.top, middle - 1, Rect.bottom});
            canvas->Pen()->SetColor(selected ? clHighlightText : clWindowText);
            canvas->MoveTo(middle - 1, Rect.top);
            canvas->LineTo(middle - 1, Rect.bottom);
            DrawRowText(canvas, indent + item->Name(), TRect{middle, Rect.top, Rect.right, Rect.bottom});
        } else {
            DrawRowText(canvas, indent + text, Rect);
        }
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(background);
    }
    if (Index == lbGroupItems->Items()->Count() - 1) {
        // The space below the last row: the list does not erase its background.
        TRect client = lbGroupItems->ClientRect();
        if (Rect.bottom < client.bottom) {
            canvas->Brush()->SetColor(clBtnFace);
            canvas->FillRect(TRect{client.left, Rect.bottom, client.right, client.bottom});
        }
    }
}

void TfrmAddGroupItems::FormCloseQuery(TObject*, bool& CanClose) {
    CanClose = true;
    if (ModalResult() != mrOk || !resultList_) return;
    for (int i = 0; i < lbGroupItems->Items()->Count(); ++i)
        if (lbGroupItems->Selected(i))
            if (TObject* object = lbGroupItems->Items()->Objects(i)) resultList_->Add(object);
}

bool ShowAddGroupItemsDialog(TdxBarGroup* group, TList* list) {
    auto* dialog =
        static_cast<TfrmAddGroupItems*>(TfrmAddGroupItems::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
    bool confirmed = false;
    try {
        dialog->SetResultList(list);
        dialog->FillList(group);
        confirmed = dialog->ShowModal() == mrOk;
    } catch (...) {
        FreeObject(dialog);
        throw;
    }
    FreeObject(dialog);
    return confirmed;
}
