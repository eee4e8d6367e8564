#include "ToolBar.h"

#include "Actions.h"
#include "Application.h"

// ---- TToolButton ----

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    static int nextCommandId = 0;
    nextCommandId = nextCommandId % 0x7FFF + 1;
    commandId_ = nextCommandId;
    SetBounds(0, 0, 23, 22);
}

TToolBar* TToolButton::ToolBar() const { return As<TToolBar>(Parent()); }

void TToolButton::Changed() {
    if (TToolBar* bar = ToolBar()) bar->ShowButtons();
}

void TToolButton::SetStyle(TToolButtonStyle v) {
    if (AssignIfChanged(style_, v)) Changed();
}

void TToolButton::SetImageIndex(int v) {
    if (AssignIfChanged(imageIndex_, v)) Changed();
}

void TToolButton::SetDown(bool v) {
    if (!AssignIfChanged(down_, v)) return;
    TToolBar* bar = ToolBar();
    if (bar && bar->HandleAllocated()) ::SendMessageW(bar->WindowHandle(), TB_CHECKBUTTON, WPARAM(commandId_), v);
}

void TToolButton::CMChanged(TMessage& Message) {
    Inherited<TGraphicControl>(Message);
    Changed();
}

void TToolButton::ActionChange(TObject* Sender, bool CheckDefaults) {
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    auto* action = As<TCustomAction>(Sender);
    if (!action) return;
    if (!CheckDefaults || imageIndex_ == -1) SetImageIndex(action->ImageIndex());
    if (!CheckDefaults || !down_) SetDown(action->Checked());
}

// ---- TToolBar ----

TToolBar::TToolBar(TComponent* AOwner) : TSystemControl(AOwner), imageChangeLink_(new TChangeLink()) {
    imageChangeLink_->OnChange = MakeEvent(this, &TToolBar::ImageListChanged);
    SetControlStyle(ControlStyle() + csAcceptsControls);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar() {
    if (HandleAllocated()) DestroyHandle();
    FreeObject(imageChangeLink_);
}

TToolButton* TToolBar::Buttons(int index) const {
    if (index < 0 || index >= ButtonCount()) ListIndexError(index);
    return buttons_[size_t(index)];
}

void TToolBar::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    // The control places the toolbar; the window only lays out its buttons.
    Params.Style |= CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER;
    if (flat_) Params.Style |= TBSTYLE_FLAT;
}

void TToolBar::FillWindow() {
    ::SendMessageW(handle_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    ::SendMessageW(handle_, TB_SETIMAGELIST, 0, LPARAM(images_ ? images_->Handle() : nullptr));
    if (images_) ::SendMessageW(handle_, TB_SETBITMAPSIZE, 0, MAKELPARAM(images_->Width(), images_->Height()));
    ShowButtons();
}

void TToolBar::ShowButtons() {
    if (!HandleAllocated()) return;
    while (::SendMessageW(handle_, TB_BUTTONCOUNT, 0, 0) > 0) ::SendMessageW(handle_, TB_DELETEBUTTON, 0, 0);
    for (TToolButton* button : buttons_) {
        if (!button->Visible()) continue;
        String caption = button->Caption();
        TBBUTTON item{};
        item.idCommand = button->commandId_;
        if (button->style_ == tbsSeparator) {
            item.fsStyle = BTNS_SEP;
            item.iBitmap = 6;  // its width
        } else {
            item.fsStyle = BYTE(button->style_ == tbsCheck ? BTNS_CHECK : BTNS_BUTTON);
            item.iBitmap = button->imageIndex_ >= 0 ? button->imageIndex_ : I_IMAGENONE;
            item.fsState = BYTE((button->Enabled() ? TBSTATE_ENABLED : 0) | (button->down_ ? TBSTATE_CHECKED : 0));
            item.iString = showCaptions_ && !caption.empty() ? INT_PTR(caption.c_str()) : -1;
        }
        ::SendMessageW(handle_, TB_ADDBUTTONSW, 1, LPARAM(&item));
    }
    ::SendMessageW(handle_, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
    PlaceButtons();
    Invalidate();
}

void TToolBar::PlaceButtons() {
    if (!HandleAllocated()) return;
    for (TToolButton* button : buttons_) {
        int index = int(::SendMessageW(handle_, TB_COMMANDTOINDEX, WPARAM(button->commandId_), 0));
        RECT r{};
        if (index >= 0 && ::SendMessageW(handle_, TB_GETITEMRECT, WPARAM(index), LPARAM(&r)))
            button->SetBoundsQuiet(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
}

void TToolBar::SetImages(TCustomImageList* v) {
    if (ChangeImageList(images_, v, imageChangeLink_)) RecreateWnd();
}

void TToolBar::ImageListChanged(TObject*) { RecreateWnd(); }

void TToolBar::Notification(TComponent* AComponent, TOperation Operation) {
    TSystemControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) SetImages(nullptr);
}

void TToolBar::SetFlat(bool v) {
    if (AssignIfChanged(flat_, v)) RecreateWnd();
}

void TToolBar::SetShowCaptions(bool v) {
    if (AssignIfChanged(showCaptions_, v)) RecreateWnd();
}

void TToolBar::SetButtonWidth(int v) {
    if (AssignIfChanged(buttonWidth_, v)) ShowButtons();
}

void TToolBar::SetButtonHeight(int v) {
    if (AssignIfChanged(buttonHeight_, v)) ShowButtons();
}

void TToolBar::WndProc(TMessage& Message) {
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST && Message.Msg != WM_MOUSEWHEEL &&
        Message.Msg != WM_MOUSEHWHEEL) {
        // The hint is the button's under the mouse.
        if (Message.Msg == WM_MOUSEMOVE && Application) {
            TControl* over = ControlAtPos(MessagePoint(Message.LParam), true);
            Application->HintMouseMessage(over ? over : this, Message);
        }
        Dispatch(Message);
        return;
    }
    TSystemControl::WndProc(Message);
}

void TToolBar::WMSize(TMessage& Message) {
    Inherited<TSystemControl>(Message);
    PlaceButtons();
}

void TToolBar::CNCommand(TMessage& Message) {
    int id = Message.WParamLo();
    for (TToolButton* button : buttons_)
        if (button->commandId_ == id) {
            if (button->style_ == tbsCheck)
                button->down_ = ::SendMessageW(handle_, TB_ISBUTTONCHECKED, WPARAM(id), 0) != 0;
            button->Click();
            return;
        }
}

void TToolBar::CMControlListChange(TMessage& Message) {
    auto* control = reinterpret_cast<TControl*>(Message.WParam);
    if (Message.LParam) {
        if (auto* button = As<TToolButton>(control)) buttons_.push_back(button);
    } else {
        // A button being destroyed is no longer of its class: it is found by its address.
        std::erase_if(buttons_, [control](TToolButton* b) { return static_cast<TControl*>(b) == control; });
    }
    ShowButtons();
}
