#pragma once
// TWinControl: a control with a window of its own, the parent of other controls.
//
// Sections: creation parameters and the window's life; children, alignment and order; focus
// and tab order; painting; message handlers.
//
// Each control class registers one window class named after it. The window is bound to its
// object from the first message on; every message passes the callback barrier, then WindowProc.

#include <vector>

#include "Control.h"

class TDockTree;

// Dock events: what a dock site would accept, a client arriving, and one leaving.
using TGetSiteInfoEvent =
    TEvent<void(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos, bool& CanDock)>;
using TDockOverEvent =
    TEvent<void(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDockDropEvent = TEvent<void(TObject* Sender, TDragDockObject* Source, int X, int Y)>;
using TUnDockEvent = TEvent<void(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow)>;

struct TCreateParams {
    String Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSW WindowClass = {};
    // The window class registered for the control: by default the control's class name.
    String WinClassName;
};

class TWinControl : public TControl {
    Z_CLASS(TWinControl, TControl)
    Z_PUBLISHED {
        p.Property(L"TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop).Default(false);
        p.Property(L"TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder);
        p.Property(L"DoubleBuffered", &TWinControl::DoubleBuffered, &TWinControl::SetDoubleBuffered).Default(false);
        p.Property(L"ParentCtl3D", &TWinControl::ParentCtl3D, &TWinControl::SetParentCtl3D).Default(true);
        p.Property(L"Ctl3D", &TWinControl::Ctl3D, &TWinControl::SetCtl3D).Stored(&TWinControl::IsCtl3DStored);
        p.Property(L"DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite).Default(false);
        p.Property(L"UseDockManager", &TWinControl::UseDockManager, &TWinControl::SetUseDockManager).Default(false);
        p.Event(L"OnEnter", &TWinControl::OnEnter);
        p.Event(L"OnExit", &TWinControl::OnExit);
        p.Event(L"OnDockDrop", &TWinControl::OnDockDrop);
        p.Event(L"OnDockOver", &TWinControl::OnDockOver);
        p.Event(L"OnGetSiteInfo", &TWinControl::OnGetSiteInfo);
        p.Event(L"OnUnDock", &TWinControl::OnUnDock);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_PAINT, WMPaint), Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_SIZE, WMSize),
                  Z_MESSAGE(WM_MOVE, WMMove), Z_MESSAGE(WM_WINDOWPOSCHANGED, WMWindowPosChanged),
                  Z_MESSAGE(WM_SETFOCUS, WMSetFocus), Z_MESSAGE(WM_KILLFOCUS, WMKillFocus),
                  Z_MESSAGE(WM_SETCURSOR, WMSetCursor), Z_MESSAGE(WM_KEYDOWN, WMKeyDown),
                  Z_MESSAGE(WM_SYSKEYDOWN, WMKeyDown), Z_MESSAGE(WM_KEYUP, WMKeyUp), Z_MESSAGE(WM_SYSKEYUP, WMKeyUp),
                  Z_MESSAGE(WM_CHAR, WMChar), Z_MESSAGE(WM_COMMAND, WMCommand), Z_MESSAGE(WM_NOTIFY, WMNotify),
                  Z_MESSAGE(WM_HSCROLL, WMReflect), Z_MESSAGE(WM_VSCROLL, WMReflect), Z_MESSAGE(WM_DRAWITEM, WMReflect),
                  Z_MESSAGE(WM_MEASUREITEM, WMReflect), Z_MESSAGE(WM_DELETEITEM, WMReflect),
                  Z_MESSAGE(WM_CTLCOLORBTN, WMReflectColor), Z_MESSAGE(WM_CTLCOLOREDIT, WMReflectColor),
                  Z_MESSAGE(WM_CTLCOLORLISTBOX, WMReflectColor), Z_MESSAGE(WM_CTLCOLORSTATIC, WMReflectColor),
                  Z_MESSAGE(WM_MOUSELEAVE, WMMouseLeave), Z_MESSAGE(WM_NCDESTROY, WMNCDestroy),
                  Z_MESSAGE(WM_SYSCOLORCHANGE, WMSysColorChange), Z_MESSAGE(WM_CONTEXTMENU, WMContextMenu),
                  Z_MESSAGE(CN_KEYDOWN, CNKeyDown), Z_MESSAGE(CN_SYSKEYDOWN, CNKeyDown), Z_MESSAGE(CN_KEYUP, CNKeyUp),
                  Z_MESSAGE(CN_SYSKEYUP, CNKeyUp), Z_MESSAGE(CN_CHAR, CNChar), Z_MESSAGE(CN_SYSCHAR, CNChar),
                  Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), Z_MESSAGE(CM_SHOWINGCHANGED, CMShowingChanged),
                  Z_MESSAGE(CM_VISIBLECHANGED, CMVisibleChanged), Z_MESSAGE(CM_COLORCHANGED, CMColorChanged),
                  Z_MESSAGE(CM_FONTCHANGED, CMFontChanged), Z_MESSAGE(CM_CTL3DCHANGED, CMCtl3DChanged),
                  Z_MESSAGE(CM_PARENTCTL3DCHANGED, CMParentCtl3DChanged), Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged),
                  Z_MESSAGE(CM_CHILDKEY, CMChildKey), Z_MESSAGE(CM_DIALOGKEY, CMDialogKey),
                  Z_MESSAGE(CM_DIALOGCHAR, CMDialogChar), Z_MESSAGE(CM_FOCUSCHANGED, CMFocusChanged),
                  Z_MESSAGE(CM_SYSCOLORCHANGE, CMSysColorChange), Z_MESSAGE(CM_CANCELMODE, CMCancelMode),
                  Z_MESSAGE(CM_RECREATEWND, CMRecreateWnd), Z_MESSAGE(CM_ENTER, CMEnter), Z_MESSAGE(CM_EXIT, CMExit))
public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // -- the window --
    HWND Handle();  // creates the window when needed
    HWND WindowHandle() const { return handle_; }
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded();
    void DestroyHandle();
    // Destroys the window and makes it again with the current creation parameters.
    void RecreateWnd();
    // The window that an unparented control uses as parent (a control in a foreign window).
    HWND ParentWindow() const { return parentWindow_; }
    void SetParentWindow(HWND v);
    // A solid brush of Color, kept by the control (erasing, system controls' colour messages).
    HBRUSH Brush();
    // The default window procedure of the window class (DefWindowProc or the superclass's).
    WNDPROC DefWndProc() const { return defWndProc_; }

    // -- children --
    int ControlCount() const { return int(controls_.size()); }
    TControl* Controls(int index) const { return controls_.at(size_t(index)); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    bool ContainsControl(const TControl* AControl) const;
    // The child at a client point: the topmost visible one (enabled only, unless allowDisabled).
    TControl* ControlAtPos(TPoint pos, bool allowDisabled, bool allowWinControls = false) const;
    // Moves a child in the painting order (last paints on top).
    void SetChildOrder(TControl* child, int order);
    void DisableAlign() { ++alignDisabled_; }
    void EnableAlign();
    bool AlignDisabled() const { return alignDisabled_ > 0; }
    void Realign();
    // The part of the client area that aligned children share.
    virtual void AdjustClientRect(TRect& rect) {}

    // -- focus --
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool v) { tabStop_ = v; }
    int TabOrder() const;
    void SetTabOrder(int v);
    virtual bool CanFocus() const;
    virtual bool Focused() const;
    virtual void SetFocus();
    // The tab-order list of this control's windowed descendants.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop, bool checkParent) const;
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    // Sunken (true) or flat (false) borders of the controls that have one; children follow
    // their parent's while ParentCtl3D.
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool v);
    bool ParentCtl3D() const { return parentCtl3D_; }
    void SetParentCtl3D(bool v);
    bool IsCtl3DStored() const { return !parentCtl3D_; }

    // -- painting --
    bool DoubleBuffered() const { return doubleBuffered_; }
    void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }
    void Invalidate() override;
    void Update() override;
    void Repaint() override;
    // Paints the window into dc: the window's own painting, then its windowless children.
    void PaintHandler(HDC dc);
    void PaintControls(HDC dc, TControl* first);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    bool Showing() const override { return showing_; }
    void Loaded() override;
    void SetParent(TWinControl* AParent) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;

    // -- docking --
    // A dock site takes clients through ManualDock; with UseDockManager its dock manager places
    // them and paints their frames.
    bool DockSite() const { return dockSite_; }
    void SetDockSite(bool v);
    bool UseDockManager() const { return useDockManager_; }
    void SetUseDockManager(bool v);
    TDockTree* DockManager() const { return dockManager_; }
    int DockClientCount() const { return int(dockClients_.size()); }
    TControl* DockClients(int index) const { return dockClients_.at(size_t(index)); }
    // Takes Source's control as a client (through the dock manager), then fires OnDockDrop.
    virtual void DockDrop(TDragDockObject* Source, int X, int Y);
    // Asks OnUnDock whether Client may leave for NewTarget.
    virtual bool DoUnDock(TWinControl* NewTarget, TControl* Client);

    // Offers the key message to the popup menus of this control and its parents, then to the
    // form's shortcuts; true when one of them ran a command.
    bool IsMenuKey(TMessage& Message);

    TNotifyEvent OnEnter, OnExit;
    TGetSiteInfoEvent OnGetSiteInfo;
    TDockOverEvent OnDockOver;
    TDockDropEvent OnDockDrop;
    TUnDockEvent OnUnDock;

protected:
    // The dock manager of a dock site with UseDockManager; the base makes a TDockTree.
    virtual TDockTree* CreateDockManager();
    void WndProc(TMessage& Message) override;
    void DefaultHandler(TMessage& Message) override;
    String GetText() const override;
    void SetTextBuf(const String& v) override;
    virtual void CreateParams(TCreateParams& Params);
    virtual void CreateWnd();
    virtual void CreateWindowHandle(const TCreateParams& Params);
    virtual void DestroyWnd();
    virtual void DestroyWindowHandle();
    virtual void CreateHandle();
    // Copies the window class of a system control so that this class's window is built on it.
    void CreateSubClass(TCreateParams& Params, const wchar_t* controlClassName);
    virtual void PaintWindow(HDC dc);
    virtual void AlignControls(TControl* AControl, TRect& rect);
    virtual void KeyDown(Word& Key, TShiftState Shift) {
        if (OnKeyDown) OnKeyDown(this, Key, Shift);
    }
    virtual void KeyUp(Word& Key, TShiftState Shift) {
        if (OnKeyUp) OnKeyUp(this, Key, Shift);
    }
    virtual void KeyPress(wchar_t& Key) {
        if (OnKeyPress) OnKeyPress(this, Key);
    }
    // Form key preview, then the control's own key events; true when the key was eaten.
    bool DoKeyDown(TMessage& Message);
    bool DoKeyUp(TMessage& Message);
    bool DoKeyPress(TMessage& Message);
    virtual void DoEnter() {
        if (OnEnter) OnEnter(this);
    }
    virtual void DoExit() {
        if (OnExit) OnExit(this);
    }
    // Updates Showing and creates, shows or hides the window to match.
    void UpdateShowing();
    void UpdateControlState();
    void UpdateBounds();
    void Notification(TComponent* AComponent, TOperation Operation) override;

    void WMPaint(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMMove(TMessage& Message);
    void WMWindowPosChanged(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMKeyUp(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMCommand(TMessage& Message);
    void WMNotify(TMessage& Message);
    void WMReflect(TMessage& Message);
    void WMReflectColor(TMessage& Message);
    void WMMouseLeave(TMessage& Message);
    void WMNCDestroy(TMessage& Message);
    void WMSysColorChange(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    void CNKeyUp(TMessage& Message);
    void CNChar(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMShowingChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMCtl3DChanged(TMessage& Message);
    void CMParentCtl3DChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMChildKey(TMessage& Message);
    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    // The form tells every control which one took the focus (LParam); buttons follow it.
    void CMFocusChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    void CMCancelMode(TMessage& Message);
    void CMRecreateWnd(TMessage& Message);
    void CMEnter(TMessage&) { DoEnter(); }
    void CMExit(TMessage&) { DoExit(); }

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = &DefWindowProcW;

private:
    friend class TControl;
    friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
    void RegisterWindowClass(TCreateParams& Params);
    void AlignAll();
    void BroadcastToChildren(TMessage& Message);
    // Tells every child that a property it may inherit changed.
    void NotifyChildren(Cardinal Msg);
    void UpdateDockManager();
    void RemoveDockClient(TControl* client);

    HBRUSH brush_ = nullptr;
    TColor brushColor_ = clNone;
    std::vector<TControl*> controls_;    // every child, in painting order
    std::vector<TWinControl*> tabList_;  // windowed children, in tab order
    HWND parentWindow_ = nullptr;
    int alignDisabled_ = 0;
    bool aligning_ = false;
    bool alignPending_ = false;
    bool showing_ = false;
    bool tabStop_ = false;
    bool doubleBuffered_ = false;
    bool ctl3D_ = true;
    bool parentCtl3D_ = true;
    bool trackingLeave_ = false;
    bool dockSite_ = false;
    bool useDockManager_ = false;
    TDockTree* dockManager_ = nullptr;
    std::vector<TControl*> dockClients_;
};
