#include "ComboBox.h"

#include <commctrl.h>

#include <algorithm>

#include "SysUtils.h"

// Sections: construction and window; items and selection; edit part; notifications.

// ---- construction and window ----

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TSystemControl(AOwner), items_(new TListControlItems(this, ComboBoxMessages)) {
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomComboBox::~TCustomComboBox() {
    // The window goes first: its last messages may still ask for the items.
    if (HandleAllocated()) DestroyHandle();
    FreeObject(items_);
}

void TCustomComboBox::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    static const DWORD styles[] = {CBS_DROPDOWN, CBS_SIMPLE, CBS_DROPDOWNLIST, CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED,
                                   CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE};
    Params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL | styles[style_];
    if (charCase_ == ecUpperCase) Params.Style |= CBS_UPPERCASE;
    if (charCase_ == ecLowerCase) Params.Style |= CBS_LOWERCASE;
    // The system takes the height of a drop-down combo box as that of its dropped list.
    if (style_ != csSimple) Params.Height = DroppedHeight();
}

int TCustomComboBox::DroppedHeight() const {
    int entry = style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable ? itemHeight_ : FontLineHeight(Font());
    return Height() + dropDownCount_ * entry + 2;
}

void TCustomComboBox::CreateWnd() {
    TSystemControl::CreateWnd();
    COMBOBOXINFO info{};
    info.cbSize = sizeof(info);
    if (GetComboBoxInfo(handle_, &info)) {
        listHandle_ = info.hwndList;
        if (!IsListStyle() && info.hwndItem && info.hwndItem != handle_)
            editWindow_.Attach(info.hwndItem, MakeEvent(this, &TCustomComboBox::EditWndProc));
    }
}

void TCustomComboBox::DestroyWnd() {
    editWindow_.Release();
    listHandle_ = nullptr;
    TSystemControl::DestroyWnd();
}

void TCustomComboBox::FillWindow() {
    items_->FillWindow();
    if (itemIndex_ >= 0 && itemIndex_ < items_->Count()) ::SendMessageW(handle_, CB_SETCURSEL, WPARAM(itemIndex_), 0);
    if (!IsListStyle()) SetWindowTextW(handle_, text_.c_str());
    ::SendMessageW(handle_, CB_LIMITTEXT, WPARAM(maxLength_), 0);
    ::SendMessageW(handle_, CB_SETMINVISIBLE, WPARAM(dropDownCount_), 0);
}

void TCustomComboBox::SaveWindowState() { itemIndex_ = int(::SendMessageW(handle_, CB_GETCURSEL, 0, 0)); }

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    if (!HandleAllocated() || style_ == csSimple) {
        TSystemControl::SetBounds(ALeft, ATop, AWidth, AHeight);
        return;
    }
    // The closed height is the system's own; the window is given that of the dropped list.
    if (ALeft == Left() && ATop == Top() && AWidth == Width()) return;
    SetWindowPos(handle_, nullptr, ALeft, ATop, AWidth, DroppedHeight(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetStyle(TComboBoxStyle v) {
    if (AssignIfChanged(style_, v)) RecreateWnd();
}

void TCustomComboBox::SetCharCase(TEditCharCase v) {
    if (!AssignIfChanged(charCase_, v)) return;
    if (!IsListStyle() && v == ecUpperCase) SetText(AnsiUpperCase(Text()));
    if (!IsListStyle() && v == ecLowerCase) SetText(AnsiLowerCase(Text()));
    RecreateWnd();
}

int TCustomComboBox::ItemHeight() const {
    if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable || !HandleAllocated()) return itemHeight_;
    return int(::SendMessageW(handle_, CB_GETITEMHEIGHT, 0, 0));
}

void TCustomComboBox::SetItemHeight(int v) {
    if (AssignIfChanged(itemHeight_, v) && (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable)) RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int v) {
    if (!AssignIfChanged(dropDownCount_, v)) return;
    if (!HandleAllocated()) return;
    ::SendMessageW(handle_, CB_SETMINVISIBLE, WPARAM(v), 0);
    if (style_ != csSimple)
        SetWindowPos(handle_, nullptr, 0, 0, Width(), DroppedHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TCustomComboBox::SetMaxLength(int v) {
    if (AssignIfChanged(maxLength_, v) && HandleAllocated()) ::SendMessageW(handle_, CB_LIMITTEXT, WPARAM(v), 0);
}

bool TCustomComboBox::DroppedDown() const {
    return HandleAllocated() && ::SendMessageW(handle_, CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool v) {
    if (HandleAllocated()) ::SendMessageW(handle_, CB_SHOWDROPDOWN, v ? TRUE : FALSE, 0);
}

bool TCustomComboBox::Focused() const {
    HWND focus = GetFocus();
    return focus && (focus == handle_ || focus == EditHandle());
}

// ---- items and selection ----

int TCustomComboBox::ItemIndex() const {
    if (HandleAllocated()) return int(::SendMessageW(handle_, CB_GETCURSEL, 0, 0));
    return itemIndex_ < items_->Count() ? itemIndex_ : -1;
}

void TCustomComboBox::SetItemIndex(int v) {
    if (HandleAllocated()) {
        ::SendMessageW(handle_, CB_SETCURSEL, WPARAM(v), 0);
        return;
    }
    itemIndex_ = v;
    // Without a window the text follows the entry as the window would show it.
    if (v >= 0 && v < items_->Count())
        text_ = items_->Get(v);
    else if (IsListStyle())
        text_.clear();
}

void TCustomComboBox::SetTextBuf(const String& v) {
    // A list style shows only entries: the text chooses one.
    if (IsListStyle())
        SetItemIndex(items_->IndexOf(v));
    else
        TSystemControl::SetTextBuf(v);
}

void TCustomComboBox::Clear() {
    items_->Clear();
    itemIndex_ = -1;
    SetText(String());
}

int TCustomComboBox::SelStart() const {
    DWORD start = 0;
    if (HandleAllocated()) ::SendMessageW(handle_, CB_GETEDITSEL, WPARAM(&start), 0);
    return int(start);
}

void TCustomComboBox::SetSelStart(int v) {
    if (HandleAllocated()) ::SendMessageW(handle_, CB_SETEDITSEL, 0, MAKELPARAM(v, v));
}

int TCustomComboBox::SelLength() const {
    DWORD start = 0, end = 0;
    if (HandleAllocated()) ::SendMessageW(handle_, CB_GETEDITSEL, WPARAM(&start), LPARAM(&end));
    return int(end - start);
}

void TCustomComboBox::SetSelLength(int v) {
    int start = SelStart();
    if (HandleAllocated()) ::SendMessageW(handle_, CB_SETEDITSEL, 0, MAKELPARAM(start, start + v));
}

String TCustomComboBox::SelText() const { return Text().substr(size_t(SelStart()), size_t(SelLength())); }

void TCustomComboBox::SetSelText(const String& v) {
    if (HWND edit = EditHandle()) ::SendMessageW(edit, EM_REPLACESEL, TRUE, LPARAM(v.c_str()));
}

void TCustomComboBox::SelectAll() {
    if (HandleAllocated()) ::SendMessageW(handle_, CB_SETEDITSEL, 0, MAKELPARAM(0, -1));
}

void TCustomComboBox::Select() {
    if (OnSelect)
        OnSelect(this);
    else
        Change();
}

void TCustomComboBox::WMChar(TMessage& Message) {
    Inherited<TSystemControl>(Message);
    AutoDropDownAfterKey(wchar_t(Message.WParam));
}

void TCustomComboBox::AutoDropDownAfterKey(wchar_t Key) {
    // After the window has taken the character (a drop-down list may close on it).
    if (!autoDropDown_) return;
    if (Key == VK_TAB) {
        if (DroppedDown()) SetDroppedDown(false);
    } else if (Key >= 32 && !DroppedDown()) {
        SetDroppedDown(true);
    }
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas* canvas = Canvas();
    canvas->FillRect(Rect);
    if (Index >= 0 && Index < items_->Count()) canvas->TextOut(Rect.left + 2, Rect.top, items_->Get(Index));
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}

// ---- edit part ----

void TCustomComboBox::EditWndProc(TMessage& Message) {
    switch (Message.Msg) {
        case WM_SETFOCUS:
            // The edit takes the focus for the combo box.
            if (TCustomForm* form = GetParentForm(); form && !form->SetFocusedControl(this)) return;
            break;
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            if (DoKeyDown(Message)) return;
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            if (DoKeyUp(Message)) return;
            break;
        case WM_CHAR:
            if (DoKeyPress(Message)) return;
            DefaultEditHandler(Message);
            AutoDropDownAfterKey(wchar_t(Message.WParam));
            return;
    }
    DefaultEditHandler(Message);
}

// ---- notifications ----

void TCustomComboBox::WndProc(TMessage& Message) {
    // The list part's own WM_DELETEITEM goes on to the window, which passes it to the parent;
    // the message map's WM_DELETEITEM handler sees only the deletions the parent reflects back.
    if (Message.Msg == WM_DELETEITEM) {
        DefaultHandler(Message);
        return;
    }
    TSystemControl::WndProc(Message);
}

void TCustomComboBox::CNCommand(TMessage& Message) {
    if (InState(csCreating)) return;
    switch (Message.WParamHi()) {
        case CBN_DBLCLK:
            DblClick();
            break;
        case CBN_EDITCHANGE:
            Change();
            break;
        case CBN_DROPDOWN:
            DropDown();
            break;
        case CBN_CLOSEUP:
            CloseUp();
            break;
        case CBN_SELCHANGE: {
            int index = ItemIndex();
            // The edit shows the chosen entry only after this notification; the events see it now.
            if (!IsListStyle() && index >= 0) SetWindowTextW(handle_, items_->Get(index).c_str());
            Click();
            Select();
            if (autoCloseUp_ && DroppedDown()) SetDroppedDown(false);
            break;
        }
    }
}

void TCustomComboBox::CNDrawItem(TMessage& Message) {
    DrawOwnerDrawnItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam),
                       [this](int index, TRect rect, TOwnerDrawState state) { DrawItem(index, rect, state); });
    Message.Result = 1;
}

void TCustomComboBox::CNMeasureItem(TMessage& Message) {
    auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    int height = itemHeight_;
    if (style_ == csOwnerDrawVariable && int(measure->itemID) >= 0) MeasureItem(int(measure->itemID), height);
    measure->itemHeight = UINT(std::max(height, 1));
    Message.Result = 1;
}

void TCustomComboBox::CNDeleteItem(TMessage& Message) {
    // The window also deletes every entry when it is destroyed; only deletions from the list
    // are deletions of entries.
    if (items_->DeletingFromWindow()) {
        TMessage deleted{WM_DELETEITEM, Message.WParam, Message.LParam, 0};
        Dispatch(deleted);
    }
    Message.Result = 1;
}

void TCustomComboBox::WMDeleteItem(TMessage& Message) { Message.Result = 1; }

void TCustomComboBox::WMChildColor(TMessage& Message) {
    // The edit and the list part ask the combo box for their colours: the combo box's own.
    TMessage color{CN_BASE + Message.Msg, Message.WParam, Message.LParam, 0};
    DefaultHandler(color);
    Message.Result = color.Result;
}

void TCustomComboBox::CMWantSpecialKey(TMessage& Message) {
    // Enter and Escape close a dropped list instead of pressing the form's buttons.
    if ((Message.WParam == VK_RETURN || Message.WParam == VK_ESCAPE) && DroppedDown()) Message.Result = 1;
}
