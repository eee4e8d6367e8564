#pragma once
// TCustomForm and TForm: the top-level windows of the program.
//
// A form made with the owner constructor reads its stored description once it is fully
// constructed (in AfterConstruction, so that the derived class's fields and handlers exist),
// then runs OnCreate once; a form made with the CreateNew constructor starts empty. Create forms
// through a class reference (Application->CreateForm, TClass::Create) so that AfterConstruction
// runs.
//
// Sections: types; TCustomForm (life, window, focus, closing, modal loop, menus and actions,
// MDI, help); TForm.
//
// MDI: a form with FormStyle fsMDIForm has a client window (ClientHandle, of the system class
// "MDICLIENT") in the client area that its aligned controls leave; forms with fsMDIChild live
// in the main form's client window, and ActiveMDIChild is the one the client window activated.

#include "CustomControl.h"

Z_ENUM(TFormBorderStyle, Byte, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
Z_ENUM(TBorderIcon, Byte, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;
Z_ENUM(TFormStyle, Byte, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
Z_ENUM(TWindowState, Byte, wsNormal, wsMinimized, wsMaximized)
Z_ENUM(TPosition, Byte, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
       poMainFormCenter, poOwnerFormCenter)
enum TCloseAction : Byte { caNone, caHide, caFree, caMinimize };
// Which window owns a form's window: the main form (pmNone), the active form when the window is
// made (pmAuto), or PopupParent (pmExplicit).
Z_ENUM(TPopupMode, Byte, pmNone, pmAuto, pmExplicit)

using TModalResult = Integer;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT, mrRetry = IDRETRY,
                       mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO, mrAll = mrNo + 1, mrNoToAll = mrAll + 1,
                       mrYesToAll = mrNoToAll + 1, mrClose = mrYesToAll + 1;

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;
// A help request (Command and Data as the help system takes them); CallHelp false keeps the
// request from going further. The result says whether the handler dealt with it.
using THelpEvent = TEvent<bool(Word Command, NativeInt Data, bool& CallHelp)>;

// Selects the constructor that makes an empty form without reading a description.
struct TCreateNew {};
inline constexpr TCreateNew CreateNew{};

class TCustomForm : public TCustomControl {
    Z_CLASS(TCustomForm, TCustomControl)
    Z_PUBLISHED {
        p.Property(L"BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle).Default(bsSizeable);
        p.Property(L"BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons)
            .Default(TBorderIcons{biSystemMenu, biMinimize, biMaximize});
        p.Property(L"FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle).Default(fsNormal);
        p.Property(L"Position", &TCustomForm::Position, &TCustomForm::SetPosition).Default(poDefaultPosOnly);
        p.Property(L"WindowState", &TCustomForm::WindowState, &TCustomForm::SetWindowState).Default(wsNormal);
        p.Property(L"ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
        p.Property(L"ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
        p.Property(L"KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview).Default(false);
        p.Property(L"ActiveControl", &TCustomForm::ActiveControl, &TCustomForm::SetActiveControl);
        p.Property(L"Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
        p.Property(L"PopupMode", &TCustomForm::PopupMode, &TCustomForm::SetPopupMode).Default(pmNone);
        p.Property(L"PopupParent", &TCustomForm::PopupParent, &TCustomForm::SetPopupParent);
        p.Property(L"HelpContext", &TCustomForm::HelpContext, &TCustomForm::SetHelpContext).Default(0);
        p.Event(L"OnCreate", &TCustomForm::OnCreate);
        p.Event(L"OnDestroy", &TCustomForm::OnDestroy);
        p.Event(L"OnShow", &TCustomForm::OnShow);
        p.Event(L"OnHide", &TCustomForm::OnHide);
        p.Event(L"OnActivate", &TCustomForm::OnActivate);
        p.Event(L"OnDeactivate", &TCustomForm::OnDeactivate);
        p.Event(L"OnPaint", &TCustomForm::OnPaint);
        p.Event(L"OnClose", &TCustomForm::OnClose);
        p.Event(L"OnCloseQuery", &TCustomForm::OnCloseQuery);
        p.Event(L"OnHelp", &TCustomForm::OnHelp);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_CLOSE, WMClose), Z_MESSAGE(WM_ACTIVATE, WMActivate),
                  Z_MESSAGE(WM_GETMINMAXINFO, WMGetMinMaxInfo), Z_MESSAGE(WM_SYSCOMMAND, WMSysCommand),
                  Z_MESSAGE(WM_SIZE, WMSize), Z_MESSAGE(WM_COMMAND, WMCommand),
                  Z_MESSAGE(WM_MEASUREITEM, WMMenuOwnerDraw), Z_MESSAGE(WM_DRAWITEM, WMMenuOwnerDraw),
                  Z_MESSAGE(WM_MENUSELECT, WMMenuSelect), Z_MESSAGE(CM_ACTIONEXECUTE, CMActionExecute),
                  Z_MESSAGE(CM_ACTIONUPDATE, CMActionUpdate), Z_MESSAGE(CM_SHOWINGCHANGED, CMShowingChanged),
                  Z_MESSAGE(CM_RELEASE, CMRelease), Z_MESSAGE(CM_DIALOGKEY, CMDialogKey),
                  Z_MESSAGE(CM_ACTIVATE, CMActivate), Z_MESSAGE(CM_DEACTIVATE, CMDeactivate))
public:
    // Reads the form's stored description after construction.
    explicit TCustomForm(TComponent* AOwner);
    // An empty form.
    TCustomForm(TComponent* AOwner, TCreateNew);
    ~TCustomForm() override;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    // -- window --
    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle v);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons v);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle v);
    TWindowState WindowState() const;
    void SetWindowState(TWindowState v);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition v) { position_ = v; }
    void SetClientWidth(int v) override;
    void SetClientHeight(int v) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Active() const { return active_; }

    // -- focus and keys --
    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool v) { keyPreview_ = v; }
    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Focuses control when the form is active, otherwise makes it the active control.
    void FocusControl(TWinControl* control);
    // Called when a control of the form receives the focus; false refuses it.
    virtual bool SetFocusedControl(TWinControl* control);
    // Moves the focus off control (before it is hidden, disabled or removed).
    void DefocusControl(TWinControl* control, bool removing);
    void ControlRemoved(TControl* control);
    void SetFocus() override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    bool CanFocus() const override { return Visible() && Enabled(); }
    bool DoKeyDown(TMessage& Message) { return TWinControl::DoKeyDown(Message); }
    bool DoKeyUp(TMessage& Message) { return TWinControl::DoKeyUp(Message); }
    bool DoKeyPress(TMessage& Message) { return TWinControl::DoKeyPress(Message); }

    // -- showing and closing --
    void Show();
    void Hide();
    void Close();
    // True when OnCloseQuery allows closing.
    virtual bool CloseQuery();
    // Shows the form modally: runs the message loop until ModalResult is set, then hides it.
    virtual TModalResult ShowModal();
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult v) { modalResult_ = v; }
    bool Modal() const { return modal_; }
    // Frees the form once the messages already queued for it have been handled.
    void Release();

    void MouseWheelHandler(TMessage& Message) override;

    // -- menus, shortcuts and actions --
    // The menu bar of the form.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* v);
    // When the key message is the shortcut of an item of Menu or of an action of an action list
    // that the form owns, runs it and answers true.
    virtual bool IsShortCut(TMessage& Message);
    // Lets the form and its visible controls that show an action (csActionClient) update it;
    // the application calls it at idle.
    virtual void UpdateActions();

    // -- owner window, help and placement --
    TPopupMode PopupMode() const { return popupMode_; }
    void SetPopupMode(TPopupMode v);
    TCustomForm* PopupParent() const { return popupParent_; }
    // Also switches PopupMode to pmExplicit (back to pmNone with null).
    void SetPopupParent(TCustomForm* v);
    THelpContext HelpContext() const { return helpContext_; }
    void SetHelpContext(THelpContext v) { helpContext_ = v; }
    // The bounds the window has when it is neither minimized nor maximized, in screen
    // coordinates (the bounds while it has no window).
    TRect RestoredBounds() const;

    // -- MDI --
    // The MDI client window of an fsMDIForm form; null otherwise.
    HWND ClientHandle() const { return clientHandle_; }
    // The active child of an fsMDIForm form; null when none or for other forms.
    TCustomForm* ActiveMDIChild() const;

    TNotifyEvent OnCreate, OnDestroy, OnShow, OnHide, OnActivate, OnDeactivate, OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    THelpEvent OnHelp;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWindowHandle() override;
    void DefaultHandler(TMessage& Message) override;
    void AlignControls(TControl* AControl, TRect& rect) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Paint() override;
    void Loaded() override;
    virtual void DoCreate();
    virtual void DoDestroy();
    virtual void DoShow() {
        if (OnShow) OnShow(this);
    }
    virtual void DoHide() {
        if (OnHide) OnHide(this);
    }
    virtual void DoClose(TCloseAction& Action) {
        if (OnClose) OnClose(this, Action);
    }
    virtual void Activate() {
        if (OnActivate) OnActivate(this);
    }
    virtual void Deactivate() {
        if (OnDeactivate) OnDeactivate(this);
    }
    // Reads the stored description of the form's class; false when there is none.
    virtual bool ReadDescription();

    void WMClose(TMessage& Message);
    void WMActivate(TMessage& Message);
    void WMGetMinMaxInfo(TMessage& Message);
    void WMSysCommand(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMCommand(TMessage& Message);
    void WMMenuOwnerDraw(TMessage& Message);
    void WMMenuSelect(TMessage& Message);
    void CMActionExecute(TMessage& Message);
    void CMActionUpdate(TMessage& Message);
    void CMShowingChanged(TMessage& Message);
    void CMRelease(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMActivate(TMessage& Message);
    void CMDeactivate(TMessage& Message);

private:
    void InitForm();
    void SetActive(bool v);
    void SetWindowFocus();
    void CloseModal();
    void ApplyPosition();
    // Outer size minus client size of a window with this form's styles.
    SIZE FrameSize() const;
    // Offers the action to the active control, the form, then the visible controls.
    bool RouteAction(TBasicAction* action, bool execute);
    HWND OwnerWindow() const;
    void CreateMDIClient();

    bool streamDescription_;
    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
    TFormStyle formStyle_ = fsNormal;
    TWindowState windowState_ = wsNormal;
    TPosition position_ = poDefaultPosOnly;
    bool keyPreview_ = false;
    bool active_ = false;
    bool modal_ = false;
    bool positioned_ = false;
    TModalResult modalResult_ = mrNone;
    TWinControl* activeControl_ = nullptr;
    TWinControl* focusedControl_ = nullptr;
    TMainMenu* menu_ = nullptr;
    TPopupMode popupMode_ = pmNone;
    TCustomForm* popupParent_ = nullptr;
    THelpContext helpContext_ = 0;
    HWND clientHandle_ = nullptr;
};

class TForm : public TCustomForm {
    Z_CLASS(TForm, TCustomForm)
public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
    TForm(TComponent* AOwner, TCreateNew) : TCustomForm(AOwner, CreateNew) {}
};

// Makes an empty form of class T (which has T(owner, CreateNew)) and runs its creation.
template <class T = TForm>
T* CreateNewForm(TComponent* owner) {
    T* form = new T(owner, CreateNew);
    form->AfterConstruction();
    return form;
}

// Finds the form of a control, or null.
TCustomForm* GetParentForm(TControl* control);
