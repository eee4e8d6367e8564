#include "RzEdit.h"

#include "Brush.h"
#include "Canvas.h"
#include "Filer.h"
#include "RzGrafx.h"
#include "RzOldPropReader.h"
#include "Themes.h"

// Sections: creation; colours; frame; text and keys; drop button; messages.

// ---- creation

TRzCustomEdit::TRzCustomEdit(TComponent* AOwner) : TCustomMaskEdit(AOwner) {
    SetControlStyle(ControlStyle() - csSetCaption);
}

TRzCustomEdit::~TRzCustomEdit() {
    if (frameController_) frameController_->RemoveControl(this);
}

void TRzCustomEdit::CreateParams(TCreateParams& Params) {
    TCustomMaskEdit::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
    Params.Style &= ~DWORD(ES_MULTILINE);
}

void TRzCustomEdit::CreateWnd() {
    TCustomMaskEdit::CreateWnd();
    SetTextHintMessage(textHint_);
}

void TRzCustomEdit::Loaded() {
    TCustomMaskEdit::Loaded();
    UpdateColors();
}

void TRzCustomEdit::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomMaskEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == frameController_) frameController_ = nullptr;
}

// ---- colours

void TRzCustomEdit::UpdateColors() {
    if (IsLoading() || updatingColor_) return;
    updatingColor_ = true;
    SetColor(colors_.Choose(Enabled(), inControl_, GetReadOnly()));
    updatingColor_ = false;
}

void TRzCustomEdit::SetDisabledColor(TColor v) {
    if (!AssignIfChanged(colors_.Disabled, v)) return;
    if (!Enabled()) UpdateColors();
}

void TRzCustomEdit::SetFocusColor(TColor v) {
    if (!AssignIfChanged(colors_.Focus, v)) return;
    if (inControl_) UpdateColors();
}

void TRzCustomEdit::SetReadOnlyColor(TColor v) {
    if (!AssignIfChanged(colors_.ReadOnly, v)) return;
    if (GetReadOnly()) UpdateColors();
}

void TRzCustomEdit::SetReadOnlyColorOnFocus(bool v) {
    if (AssignIfChanged(colors_.ReadOnlyOnFocus, v)) UpdateColors();
}

void TRzCustomEdit::CMColorChanged(TMessage& Message) {
    // A colour from outside becomes the normal one.
    if (!updatingColor_) colors_.TakeNormal(Color());
    Inherited<TCustomMaskEdit>(Message);
    if (frameVisible_ && !UsingXPThemes()) RepaintFrame();
}

void TRzCustomEdit::CMParentColorChanged(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    if (ParentColor() && !updatingColor_) colors_.TakeNormal(Color());
    if (frameVisible_ && !UsingXPThemes()) RepaintFrame();
}

void TRzCustomEdit::CMEnabledChanged(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    UpdateColors();
    RepaintNonClient();
}

bool TRzCustomEdit::StoredUnlessControlled(TRzFrameControllerProperty p) const {
    return !frameController_ || !frameControllerNotifications_.Contains(p);
}

bool TRzCustomEdit::IsFocusColorStored() const {
    return StoredUnlessControlled(fcpFocusColor) && ColorToRGB(colors_.Focus) != ColorToRGB(Color());
}

// ---- frame

bool TRzCustomEdit::UsingXPThemes() const { return framingPreference_ == fpXPThemes && ThemesActive(); }

void TRzCustomEdit::SetFrameHotTrack(bool v) {
    if (!AssignIfChanged(frameHotTrack_, v)) return;
    if (v) {
        SetFrameVisible(true);
        if (!IsLoading()) frameSides_ = sdAllSides;
    }
    RepaintFrame();
    Invalidate();
}

void TRzCustomEdit::SetFrameVisible(bool v) {
    if (!AssignIfChanged(frameVisible_, v)) return;
    if (v) SetCtl3D(true);
    if (HandleAllocated()) RecreateWnd();
}

void TRzCustomEdit::SetFramingPreference(TFramingPreference v) {
    if (!AssignIfChanged(framingPreference_, v)) return;
    if (v == fpCustomFraming) RepaintFrame();
}

void TRzCustomEdit::SetFrameController(TRzFrameController* v) { TRzFrameController::Switch(frameController_, v, this); }

void TRzCustomEdit::RepaintFrame() {
    if (HandleAllocated()) InvalidateNonClientFrame(WindowHandle(), ClientRect());
}

void TRzCustomEdit::RepaintNonClient() {
    if (HandleAllocated()) SendMessageW(WindowHandle(), WM_NCPAINT, 1, 0);
}

void TRzCustomEdit::UpdateFrame(bool isMouse, bool value) {
    (isMouse ? overControl_ : inControl_) = value;
    if (showDropButton_ && (flatButtons_ || frameHotTrack_ || ThemesActive()) && !buttonDown_) {
        if (HandleAllocated()) {
            TRect r = frameHotTrack_ ? ClientRect() : DropButtonRect();
            RedrawWindow(WindowHandle(), &r, nullptr, RDW_FRAME | RDW_NOERASE | RDW_INVALIDATE);
        }
    } else if (frameHotTrack_) {
        RepaintFrame();
    }
    UpdateColors();
}

void TRzCustomEdit::DefineProperties(TFiler* filer) {
    TCustomMaskEdit::DefineProperties(filer);
    DefineObsoleteFrameProperties(filer,
                                  {[this](bool v) { SetFrameHotTrack(v); }, [this](TFrameStyle v) { SetFrameStyle(v); },
                                   [this](TFrameStyle v) { SetFrameHotStyle(v); }});
}

// ---- text and keys

void TRzCustomEdit::SetAlignment(TAlignment v) { TCustomMaskEdit::SetAlignment(v); }

void TRzCustomEdit::SetTextHintMessage(const String& text) {
    if (!IsWindowsVersionOrLater(5) || !ThemesActive() || !HandleAllocated()) return;
    SendMessageW(WindowHandle(), EM_SETCUEBANNER, textHintVisibleOnFocus_ ? TRUE : FALSE, LPARAM(text.c_str()));
}

void TRzCustomEdit::SetTextHint(const String& v) {
    if (textHint_ == v) return;
    textHint_ = v;
    if (!IsLoading()) SetTextHintMessage(v);
}

void TRzCustomEdit::SetTextHintVisibleOnFocus(bool v) {
    if (!AssignIfChanged(textHintVisibleOnFocus_, v)) return;
    if (!IsLoading()) SetTextHintMessage(textHint_);
}

void TRzCustomEdit::SetReadOnly(bool v) {
    if (v == GetReadOnly()) return;
    TCustomMaskEdit::SetReadOnly(v);
    ReadOnlyChanged();
}

void TRzCustomEdit::ReadOnlyChanged() {
    if (GetReadOnly())
        HideDropButton();
    else if (dropButtonVisible_)
        ShowDropButtonAgain();
    UpdateColors();
    RepaintNonClient();
}

void TRzCustomEdit::CMWantSpecialKey(TMessage& Message) {
    // Enter moves on instead of pressing the form's default button.
    if (Message.WParam == VK_RETURN && tabOnEnter_)
        Message.Result = 1;
    else
        Inherited<TCustomMaskEdit>(Message);
}

void TRzCustomEdit::KeyDown(Word& Key, TShiftState Shift) {
    TCustomMaskEdit::KeyDown(Key, Shift);
    if (showDropButton_ && ((Key == VK_DOWN && Shift.Contains(ssAlt)) || Key == VK_F4)) {
        Key = 0;
        DropDownFromButton();
    }
}

void TRzCustomEdit::KeyPress(wchar_t& Key) {
    TCustomMaskEdit::KeyPress(Key);
    if (Key == L'\r' && tabOnEnter_) {
        Key = 0;
        PostMessageW(WindowHandle(), WM_KEYDOWN, VK_TAB, 0);
    }
}

void TRzCustomEdit::ValidateError() {
    if (OnValidateError) {
        String message;
        OnValidateError(this, message);
        if (!message.empty()) throw EDBEditError(message);
    }
    TCustomMaskEdit::ValidateError();
}

// ---- drop button

TRect TRzCustomEdit::DropButtonRect() const {
    RECT w{};
    GetWindowRect(WindowHandle(), &w);
    int width = w.right - w.left, height = w.bottom - w.top;
    int inset = ThemesActive() ? 1 : 2;
    int button = GetSystemMetrics(SM_CXVSCROLL);
    return TRect{width - inset - button, inset, width - inset, height - inset};
}

void TRzCustomEdit::HideDropButton() {
    if (dropButtonVisible_) SetShowDropButton(false);
}

void TRzCustomEdit::ShowDropButtonAgain() { SetShowDropButton(true); }

void TRzCustomEdit::SetShowDropButton(bool v) {
    if (AssignIfChanged(showDropButton_, v) && HandleAllocated()) RecreateWnd();
}

void TRzCustomEdit::SetDropButtonVisible(bool v) {
    dropButtonVisible_ = v;
    SetShowDropButton(v && !GetReadOnly());
}

void TRzCustomEdit::SetFlatButtons(bool v) {
    if (AssignIfChanged(flatButtons_, v)) RepaintNonClient();
}

void TRzCustomEdit::SetButtonState(bool down) {
    if (AssignIfChanged(buttonDown_, down)) RepaintNonClient();
}

void TRzCustomEdit::DrawDropButton(TCanvas* canvas, const TRect& r) {
    bool hot = inControl_ || overControl_;
    if (ThemesActive() && !(flatButtons_ && !hot)) {
        int state = !Enabled() ? CBXS_DISABLED : buttonDown_ ? CBXS_PRESSED : hot ? CBXS_HOT : CBXS_NORMAL;
        TThemeData theme(L"COMBOBOX", WindowHandle());
        theme.DrawBackground(canvas->Handle(), CP_DROPDOWNBUTTON, state, r);
        return;
    }
    canvas->Brush()->SetStyle(bsSolid);
    if (!flatButtons_) {
        RECT button = r;
        UINT flags = DFCS_SCROLLCOMBOBOX;
        if (buttonDown_) flags |= DFCS_PUSHED | DFCS_FLAT;
        if (!Enabled()) flags |= DFCS_INACTIVE;
        DrawFrameControl(canvas->Handle(), &button, DFC_SCROLL, flags);
        return;
    }
    if (hot) {
        TRect inner;
        if (flatButtonColor_ == clBtnFace)
            inner = PaintBevel(canvas, r, buttonDown_ ? clBtnShadow : clBtnHighlight,
                               buttonDown_ ? clBtnHighlight : clBtnShadow, 1, sdAllSides);
        else
            inner = PaintColorFrameStyle(canvas, r, flatButtonColor_, buttonDown_ ? fsStatus : fsPopup);
        canvas->Brush()->SetColor(flatButtonColor_);
        canvas->FillRect(inner);
        PaintDropDownGlyph(canvas, inner, vsClassic, Enabled());
        return;
    }
    canvas->Brush()->SetColor(colors_.Choose(Enabled(), inControl_, GetReadOnly()));
    canvas->FillRect(r);
    PaintDropDownGlyph(canvas, r, vsClassic, Enabled());
}

void TRzCustomEdit::DropDownFromButton() {
    droppedDown_ = true;
    SetMouseCapture(true);
    SetButtonState(true);
    DoDropDown();
    DoCloseUp();
    SetButtonState(false);
    droppedDown_ = false;
}

void TRzCustomEdit::ReleaseButton() {
    if (!droppedDown_) SetButtonState(false);
    if (MouseCapture()) SetMouseCapture(false);
}

// ---- messages

void TRzCustomEdit::WMNCPaint(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    if (!HandleAllocated()) return;
    bool customFrame = frameVisible_ && !UsingXPThemes();
    if (!customFrame && !showDropButton_) return;
    HDC dc = GetWindowDC(WindowHandle());
    TCanvas canvas;
    canvas.SetHandle(dc);
    if (customFrame) {
        bool hot = frameHotTrack_ && (inControl_ || overControl_);
        PaintControlFrame(&canvas, Width(), Height(), hot ? frameHotStyle_ : frameStyle_, Color(),
                          hot ? frameHotColor_ : frameColor_, frameSides_, false);
    }
    if (showDropButton_) {
        TRect button = DropButtonRect();
        int saved = SaveDC(dc);
        IntersectClipRect(dc, button.left, button.top, button.right, button.bottom);
        DrawDropButton(&canvas, button);
        RestoreDC(dc, saved);
    }
    canvas.SetHandle(nullptr);
    ReleaseDC(WindowHandle(), dc);
    Message.Result = 0;
}

void TRzCustomEdit::WMNCCalcSize(TMessage& Message) {
    if (showDropButton_) {
        auto* r = reinterpret_cast<RECT*>(Message.LParam);
        r->right -= GetSystemMetrics(SM_CXVSCROLL) - (ThemesActive() ? 1 : 0);
    }
    Inherited<TCustomMaskEdit>(Message);
}

void TRzCustomEdit::WMNCHitTest(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    mouseOverButton_ = showDropButton_ && Message.Result == HTNOWHERE;
    if (mouseOverButton_) Message.Result = HTCLIENT;
}

void TRzCustomEdit::WMSetCursor(TMessage& Message) {
    if (mouseOverButton_) {
        ::SetCursor(LoadCursorW(nullptr, IDC_ARROW));
        Message.Result = 1;
        return;
    }
    Inherited<TCustomMaskEdit>(Message);
}

void TRzCustomEdit::WMLButtonDown(TMessage& Message) {
    if (mouseOverButton_) {
        if (!Focused() && CanFocus()) SetFocus();
        DropDownFromButton();
        return;
    }
    Inherited<TCustomMaskEdit>(Message);
    if (!Focused()) ReleaseButton();
}

void TRzCustomEdit::WMLButtonUp(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    ReleaseButton();
}

void TRzCustomEdit::WMRButtonDown(TMessage& Message) {
    if (mouseOverButton_) return;
    Inherited<TCustomMaskEdit>(Message);
}

void TRzCustomEdit::WMKillFocus(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    ReleaseButton();
}

void TRzCustomEdit::WMSize(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    if (frameVisible_ && !UsingXPThemes()) RepaintFrame();
}

void TRzCustomEdit::CMEnter(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    UpdateFrame(false, true);
}

void TRzCustomEdit::CMExit(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    UpdateFrame(false, false);
}

void TRzCustomEdit::CMMouseEnter(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    UpdateFrame(true, true);
}

void TRzCustomEdit::CMMouseLeave(TMessage& Message) {
    Inherited<TCustomMaskEdit>(Message);
    UpdateFrame(true, false);
}

void InitializeRzEdit() { RegisterClass(TRzEdit::StaticClass()); }
