#include "CustomEdit.h"

#include "SysUtils.h"

TCustomEdit::TCustomEdit(TComponent* AOwner) : TSystemControl(AOwner) {
    SetBorderStyle(bsSingle);
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

void TCustomEdit::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    Params.Style |= ES_AUTOHSCROLL;
    static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    Params.Style |= alignments[alignment_];
    if (charCase_ == ecUpperCase) Params.Style |= ES_UPPERCASE;
    if (charCase_ == ecLowerCase) Params.Style |= ES_LOWERCASE;
    if (!hideSelection_) Params.Style |= ES_NOHIDESEL;
    if (oemConvert_) Params.Style |= ES_OEMCONVERT;
    if (readOnly_) Params.Style |= ES_READONLY;
    if (passwordChar_) Params.Style |= ES_PASSWORD;
}

void TCustomEdit::CreateWnd() {
    TSystemControl::CreateWnd();
    ::SendMessageW(handle_, EM_LIMITTEXT, WPARAM(maxLength_), 0);
    if (passwordChar_) ::SendMessageW(handle_, EM_SETPASSWORDCHAR, WPARAM(passwordChar_), 0);
    AdjustHeight();
}

void TCustomEdit::SetAlignment(TAlignment v) {
    if (AssignIfChanged(alignment_, v)) RecreateWnd();
}

void TCustomEdit::SetAutoSize(bool v) {
    if (AssignIfChanged(autoSize_, v)) AdjustHeight();
}

void TCustomEdit::SetCharCase(TEditCharCase v) {
    if (!AssignIfChanged(charCase_, v)) return;
    // The window converts what is typed; convert what is already there.
    if (v == ecUpperCase) SetText(AnsiUpperCase(Text()));
    if (v == ecLowerCase) SetText(AnsiLowerCase(Text()));
    RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool v) {
    if (AssignIfChanged(hideSelection_, v)) RecreateWnd();
}

void TCustomEdit::SetMaxLength(int v) {
    if (AssignIfChanged(maxLength_, v) && HandleAllocated()) ::SendMessageW(handle_, EM_LIMITTEXT, WPARAM(v), 0);
}

void TCustomEdit::SetOEMConvert(bool v) {
    if (AssignIfChanged(oemConvert_, v)) RecreateWnd();
}

void TCustomEdit::SetPasswordChar(wchar_t v) {
    if (passwordChar_ == v) return;
    bool styleChanges = (passwordChar_ == 0) != (v == 0);
    passwordChar_ = v;
    if (!HandleAllocated()) return;
    if (styleChanges) {
        RecreateWnd();
        return;
    }
    ::SendMessageW(handle_, EM_SETPASSWORDCHAR, WPARAM(v), 0);
    Invalidate();
}

void TCustomEdit::SetReadOnly(bool v) {
    if (AssignIfChanged(readOnly_, v) && HandleAllocated())
        ::SendMessageW(handle_, EM_SETREADONLY, v ? TRUE : FALSE, 0);
}

bool TCustomEdit::Modified() const { return HandleAllocated() && ::SendMessageW(handle_, EM_GETMODIFY, 0, 0) != 0; }

void TCustomEdit::SetModified(bool v) {
    if (HandleAllocated()) ::SendMessageW(handle_, EM_SETMODIFY, v ? TRUE : FALSE, 0);
}

DWORD TCustomEdit::Selection(DWORD* end) const {
    DWORD start = 0;
    *end = 0;
    if (HandleAllocated()) ::SendMessageW(handle_, EM_GETSEL, WPARAM(&start), LPARAM(end));
    return start;
}

int TCustomEdit::SelStart() const {
    DWORD end;
    return int(Selection(&end));
}

void TCustomEdit::SetSelStart(int v) {
    if (HandleAllocated()) ::SendMessageW(handle_, EM_SETSEL, WPARAM(v), LPARAM(v));
}

int TCustomEdit::SelLength() const {
    DWORD end;
    DWORD start = Selection(&end);
    return int(end - start);
}

void TCustomEdit::SetSelLength(int v) {
    if (HandleAllocated()) ::SendMessageW(handle_, EM_SETSEL, WPARAM(SelStart()), LPARAM(SelStart() + v));
}

String TCustomEdit::SelText() const {
    DWORD end;
    DWORD start = Selection(&end);
    return Text().substr(start, end - start);
}

void TCustomEdit::SetSelText(const String& v) {
    if (HandleAllocated()) ::SendMessageW(handle_, EM_REPLACESEL, TRUE, LPARAM(v.c_str()));
}

void TCustomEdit::SelectAll() {
    if (HandleAllocated()) ::SendMessageW(handle_, EM_SETSEL, 0, -1);
}

void TCustomEdit::ClearSelection() {
    if (HandleAllocated()) ::SendMessageW(handle_, WM_CLEAR, 0, 0);
}

void TCustomEdit::CopyToClipboard() {
    if (HandleAllocated()) ::SendMessageW(handle_, WM_COPY, 0, 0);
}

void TCustomEdit::CutToClipboard() {
    if (HandleAllocated()) ::SendMessageW(handle_, WM_CUT, 0, 0);
}

void TCustomEdit::PasteFromClipboard() {
    if (HandleAllocated()) ::SendMessageW(handle_, WM_PASTE, 0, 0);
}

void TCustomEdit::AdjustHeight() {
    if (!autoSize_ || !HandleAllocated()) return;
    // A line of text, a pixel of room above and below it inside the window, and the borders.
    int border = 0;
    if (BorderStyle() == bsSingle) border = Ctl3D() ? GetSystemMetrics(SM_CYEDGE) : GetSystemMetrics(SM_CYBORDER);
    SetHeight(FontLineHeight(Font()) + 4 + 2 * border);
}

void TCustomEdit::CNCommand(TMessage& Message) {
    if (Message.WParamHi() == EN_CHANGE && !InState(csCreating)) Change();
}

void TCustomEdit::CMEnter(TMessage& Message) {
    // A click places the caret itself; entering by the keyboard selects everything.
    if (autoSelect_ && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
    Inherited<TSystemControl>(Message);
}

void TCustomEdit::CMFontChanged(TMessage& Message) {
    Inherited<TSystemControl>(Message);
    AdjustHeight();
}
