#pragma once
// TControl, the base of every visual control, and TGraphicControl, the windowless control that
// its parent paints.
//
// Sections: types and events; TSizeConstraints; TControl (bounds and alignment, appearance,
// messages, mouse and keyboard, popup menu, action, drag and dock); TGraphicControl; helpers.
//
// Messages reach a control through WindowProc (replaceable, WndProc by default), which hands
// them to Dispatch: the handler bound to the number in the class's message map, otherwise
// DefaultHandler. Perform sends a message straight through WindowProc.

#include "Actions.h"
#include "Alignment.h"
#include "AssignIfChanged.h"
#include "Colors.h"
#include "Component.h"
#include "Font.h"
#include "GraphicsTypes.h"
#include "Menus.h"
#include "MessageMap.h"
#include "Sets.h"
#include "ShortCuts.h"
#include "TypInfo.h"

class TWinControl;
class TCustomForm;
class TCanvas;
class TControlActionLink;
class TDragObject;
class TDragDockObject;
class TDragImageList;

// ---- types and events ----

Z_ENUM(TAlign, Byte, alNone, alTop, alBottom, alLeft, alRight, alClient, alCustom)

Z_ENUM(TAnchorKind, Byte, akLeft, akTop, akRight, akBottom)
using TAnchors = TSet<TAnchorKind>;

enum TMouseButton : Byte { mbLeft, mbRight, mbMiddle };

// ControlStyle: what a control class is and does.
enum TControlStyleItem : Byte {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents,
    csNeedsBorderPaint,
    csParentBackground
};
using TControlStyle = TSet<TControlStyleItem>;

// ControlState: what a control is doing now.
enum TControlStateItem : Byte {
    csLButtonDown,
    csClicked,
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateItem>;

using TCursor = SmallInt;
constexpr TCursor crDefault = 0, crNone = -1, crArrow = -2, crCross = -3, crIBeam = -4, crSize = -22, crSizeNESW = -6,
                  crSizeNS = -7, crSizeNWSE = -8, crSizeWE = -9, crUpArrow = -10, crHourGlass = -11, crDrag = -12,
                  crNoDrop = -13, crHSplit = -14, crVSplit = -15, crMultiDrag = -16, crSQLWait = -17, crNo = -18,
                  crAppStart = -19, crHelp = -20, crHandPoint = -21, crSizeAll = -22;

using TMouseEvent = TEvent<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TEvent<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TMouseWheelEvent =
    TEvent<void(TObject* Sender, TShiftState Shift, int WheelDelta, TPoint MousePos, bool& Handled)>;
using TKeyEvent = TEvent<void(TObject* Sender, Word& Key, TShiftState Shift)>;
using TKeyPressEvent = TEvent<void(TObject* Sender, wchar_t& Key)>;
using TContextPopupEvent = TEvent<void(TObject* Sender, TPoint MousePos, bool& Handled)>;

// Scroll bars: their orientation, the codes of a scroll request (the order of the system's SB_
// codes) and the event that reports one; a handler may change the position.
Z_ENUM(TScrollBarKind, Byte, sbHorizontal, sbVertical)
enum TScrollCode : Byte {
    scLineUp,
    scLineDown,
    scPageUp,
    scPageDown,
    scPosition,
    scTrack,
    scTop,
    scBottom,
    scEndScroll
};
using TScrollEvent = TEvent<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;
// Which scroll bars a control shows.
Z_ENUM(TScrollStyle, Byte, ssNone, ssHorizontal, ssVertical, ssBoth)

// Drag and drop. A control with DragMode dmAutomatic starts a drag when the left button goes
// down on it; BeginDrag starts one by code. Sources are the dragged control (or the drag
// object when it belongs to no control).
Z_ENUM(TDragMode, Byte, dmManual, dmAutomatic)
Z_ENUM(TDragKind, Byte, dkDrag, dkDock)
enum TDragState : Byte { dsDragEnter, dsDragLeave, dsDragMove };
using TDragOverEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y, TDragState State, bool& Accept)>;
using TDragDropEvent = TEvent<void(TObject* Sender, TObject* Source, int X, int Y)>;
using TStartDragEvent = TEvent<void(TObject* Sender, TDragObject*& DragObject)>;
using TEndDragEvent = TEvent<void(TObject* Sender, TObject* Target, int X, int Y)>;
using TStartDockEvent = TEvent<void(TObject* Sender, TDragDockObject*& DragObject)>;

// The shift state of key and mouse messages.
TShiftState KeysToShiftState(WPARAM keys);        // MK_ flags of mouse messages
TShiftState KeyDataToShiftState(LPARAM keyData);  // lParam of key messages
TShiftState GetShiftState();                      // the keyboard's state now

// ---- size constraints ----

using TConstraintSize = Integer;

class TSizeConstraints : public TPersistent {
    Z_CLASS(TSizeConstraints, TPersistent)
    Z_PUBLISHED {
        p.Property(L"MaxHeight", &TSizeConstraints::MaxHeight, &TSizeConstraints::SetMaxHeight).Default(0);
        p.Property(L"MaxWidth", &TSizeConstraints::MaxWidth, &TSizeConstraints::SetMaxWidth).Default(0);
        p.Property(L"MinHeight", &TSizeConstraints::MinHeight, &TSizeConstraints::SetMinHeight).Default(0);
        p.Property(L"MinWidth", &TSizeConstraints::MinWidth, &TSizeConstraints::SetMinWidth).Default(0);
    }

public:
    explicit TSizeConstraints(TControl* control) : control_(control) {}
    TConstraintSize MaxHeight() const { return maxHeight_; }
    TConstraintSize MaxWidth() const { return maxWidth_; }
    TConstraintSize MinHeight() const { return minHeight_; }
    TConstraintSize MinWidth() const { return minWidth_; }
    void SetMaxHeight(TConstraintSize v);
    void SetMaxWidth(TConstraintSize v);
    void SetMinHeight(TConstraintSize v);
    void SetMinWidth(TConstraintSize v);
    TNotifyEvent OnChange;
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override;

    // Width and height brought inside the limits (0 means no limit).
    void Apply(int& width, int& height) const;

private:
    void Change();
    TControl* control_;
    TConstraintSize maxHeight_ = 0, maxWidth_ = 0, minHeight_ = 0, minWidth_ = 0;
};

// ---- TControl ----

class TControl : public TComponent {
    Z_CLASS(TControl, TComponent)
    Z_PUBLISHED {
        p.Property(L"Left", &TControl::Left, &TControl::SetLeft);
        p.Property(L"Top", &TControl::Top, &TControl::SetTop);
        p.Property(L"Width", &TControl::Width, &TControl::SetWidth);
        p.Property(L"Height", &TControl::Height, &TControl::SetHeight);
        p.Property(L"Align", &TControl::Align, &TControl::SetAlign).Default(alNone);
        p.Property(L"Anchors", &TControl::Anchors, &TControl::SetAnchors).Default(TAnchors{akLeft, akTop});
        p.Property(L"Constraints", &TControl::Constraints);
        p.Property(L"Action", &TControl::Action, &TControl::SetAction);
        p.Property(L"Caption", &TControl::Caption, &TControl::SetCaption).Stored(&TControl::IsCaptionStored);
        p.Property(L"ParentColor", &TControl::ParentColor, &TControl::SetParentColor);
        p.Property(L"Color", &TControl::Color, &TControl::SetColor).Stored(&TControl::IsColorStored);
        p.Property(L"ParentFont", &TControl::ParentFont, &TControl::SetParentFont);
        p.Property(L"Font", &TControl::Font).Stored(&TControl::IsFontStored);
        p.Property(L"Cursor", &TControl::Cursor, &TControl::SetCursor).Default(crDefault);
        p.Property(L"DragCursor", &TControl::DragCursor, &TControl::SetDragCursor).Default(crDrag);
        p.Property(L"DragKind", &TControl::DragKind, &TControl::SetDragKind).Default(dkDrag);
        p.Property(L"DragMode", &TControl::DragMode, &TControl::SetDragMode).Default(dmManual);
        p.Property(L"Enabled", &TControl::Enabled, &TControl::SetEnabled)
            .Default(true)
            .Stored(&TControl::IsEnabledStored);
        p.Property(L"Hint", &TControl::Hint, &TControl::SetHint).Stored(&TControl::IsHintStored);
        p.Property(L"ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint);
        p.Property(L"ShowHint", &TControl::ShowHint, &TControl::SetShowHint).Stored(&TControl::IsShowHintStored);
        p.Property(L"PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu);
        p.Property(L"Visible", &TControl::Visible, &TControl::SetVisible).Stored(&TControl::IsVisibleStored);
        p.Event(L"OnClick", &TControl::OnClick).Stored(&TControl::IsOnClickStored);
        p.Event(L"OnDblClick", &TControl::OnDblClick);
        p.Event(L"OnResize", &TControl::OnResize);
        p.Event(L"OnMouseDown", &TControl::OnMouseDown);
        p.Event(L"OnMouseMove", &TControl::OnMouseMove);
        p.Event(L"OnMouseUp", &TControl::OnMouseUp);
        p.Event(L"OnMouseWheel", &TControl::OnMouseWheel);
        p.Event(L"OnMouseEnter", &TControl::OnMouseEnter);
        p.Event(L"OnMouseLeave", &TControl::OnMouseLeave);
        p.Event(L"OnKeyDown", &TControl::OnKeyDown);
        p.Event(L"OnKeyUp", &TControl::OnKeyUp);
        p.Event(L"OnKeyPress", &TControl::OnKeyPress);
        p.Event(L"OnContextPopup", &TControl::OnContextPopup);
        p.Event(L"OnDragDrop", &TControl::OnDragDrop);
        p.Event(L"OnDragOver", &TControl::OnDragOver);
        p.Event(L"OnEndDock", &TControl::OnEndDock);
        p.Event(L"OnEndDrag", &TControl::OnEndDrag);
        p.Event(L"OnStartDock", &TControl::OnStartDock);
        p.Event(L"OnStartDrag", &TControl::OnStartDrag);
    }

public:
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    // -- messages --
    static const TMessageMap& StaticMessageMap();
    virtual const TMessageMap& MessageMap() const { return StaticMessageMap(); }
    // Sends a message through WindowProc and returns its result.
    LRESULT Perform(Cardinal Msg, WPARAM WParam = 0, LPARAM LParam = 0);
    // The handler bound to the message's number, or DefaultHandler.
    void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);
    TWndMethod WindowProc() const { return windowProc_; }
    void SetWindowProc(const TWndMethod& proc) { windowProc_ = proc ? proc : MakeEvent(this, &TControl::WndProc); }
    // Handles a message as the class Base and its ancestors would.
    template <class Base>
    void Inherited(TMessage& Message) {
        if (TMessageHandler h = Base::StaticMessageMap().Find(Message.Msg))
            (this->*h)(Message);
        else
            DefaultHandler(Message);
    }

    // -- parent and bounds --
    TWinControl* Parent() const { return parent_; }
    virtual void SetParent(TWinControl* AParent);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
    void SetTop(int v) { SetBounds(left_, v, width_, height_); }
    void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
    void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.left, r.top, RectWidth(r), RectHeight(r)); }
    virtual TRect ClientRect() const;
    int ClientWidth() const { return RectWidth(ClientRect()); }
    int ClientHeight() const { return RectHeight(ClientRect()); }
    virtual void SetClientWidth(int v);
    virtual void SetClientHeight(int v);
    void SetClientSize(int w, int h);
    // The client area's top-left corner in screen coordinates.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    TPoint ClientToParent(TPoint p, TWinControl* AParent = nullptr) const;

    TAlign Align() const { return align_; }
    void SetAlign(TAlign v);
    TAnchors Anchors() const { return anchors_; }
    void SetAnchors(TAnchors v);
    TSizeConstraints* Constraints() const { return constraints_; }
    void SetConstraints(TSizeConstraints* v) { constraints_->Assign(v); }

    // -- state and appearance --
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    virtual bool Showing() const;
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    TColor Color() const { return color_; }
    void SetColor(TColor v);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool v);
    TFont* Font() const { return font_; }
    void SetFont(TFont* v) { font_->Assign(v); }
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool v);
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor v);
    const String& Hint() const { return hint_; }
    void SetHint(const String& v) { hint_ = v; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool v);
    String Caption() const { return GetText(); }
    void SetCaption(const String& v) { SetText(v); }
    String Text() const { return GetText(); }
    void SetText(const String& v);
    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle v) { controlStyle_ = v; }
    bool HasStyle(TControlStyleItem f) const { return controlStyle_.Contains(f); }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState v) { controlState_ = v; }
    bool InState(TControlStateItem f) const { return controlState_.Contains(f); }
    bool MouseCapture() const;
    void SetMouseCapture(bool v);

    // -- painting --
    virtual void Invalidate();
    virtual void Update();
    virtual void Repaint();
    virtual void Refresh() { Repaint(); }
    void BringToFront();
    void SendToBack();

    // -- events --
    TNotifyEvent OnClick, OnDblClick, OnResize;
    TMouseEvent OnMouseDown, OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnMouseEnter, OnMouseLeave;
    TKeyEvent OnKeyDown, OnKeyUp;
    TKeyPressEvent OnKeyPress;
    TContextPopupEvent OnContextPopup;
    TDragOverEvent OnDragOver;
    TDragDropEvent OnDragDrop;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag, OnEndDock;
    TStartDockEvent OnStartDock;

    // The form the control sits on, or null.
    TCustomForm* GetParentForm() const;

    // Processes a wheel message (WM_MOUSEWHEEL or CM_MOUSEWHEEL data) the way the form wants it:
    // the form passes it to its focused control, which hands it up its parents until one takes it.
    virtual void MouseWheelHandler(TMessage& Message);

    void Loaded() override;
    void Click() { DoClick(); }

    // -- popup menu --
    // Shown on a context-menu request (WM_CONTEXTMENU) that OnContextPopup left unhandled, when
    // its AutoPopup is set; a keyboard request shows it at the client origin.
    TPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TPopupMenu* v);

    // -- action --
    // The action the control shows and runs on Click (through its action link).
    TBasicAction* Action() const;
    void SetAction(TBasicAction* v);
    TControlActionLink* ActionLink() const { return actionLink_; }
    // Lets the action update itself; the idle step calls it for controls with csActionClient.
    virtual void InitiateAction();
    // A form offers an action that nobody else handled to its controls (CM_ACTIONEXECUTE,
    // CM_ACTIONUPDATE); true when this control took it.
    virtual bool ExecuteAction(TBasicAction* Action) { return false; }
    virtual bool UpdateAction(TBasicAction* Action) { return false; }

    // -- drag and drop --
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode v) { dragMode_ = v; }
    TDragKind DragKind() const { return dragKind_; }
    void SetDragKind(TDragKind v) { dragKind_ = v; }
    // The cursor over a target that accepts this control.
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor v) { dragCursor_ = v; }
    // Starts dragging this control: at once, or once the mouse has moved Threshold pixels (-1:
    // the mouse's DragThreshold) with the button down. Nothing while a drag runs.
    void BeginDrag(bool Immediate, int Threshold = -1);
    // Ends this control's drag: dropped where it is, or cancelled.
    void EndDrag(bool Drop);
    bool Dragging() const;
    // The images shown under the cursor while this control is dragged; null for none.
    virtual TDragImageList* GetDragImages() { return nullptr; }
    // Called by the drag machinery: the start (OnStartDrag may supply the drag object), a drop
    // on this control (OnDragDrop) and the end of this control's drag (OnEndDrag; Target null
    // when nothing took the drop).
    virtual void DoStartDrag(TDragObject*& DragObject);
    virtual void DragDrop(TObject* Source, int X, int Y);
    virtual void DoEndDrag(TObject* Target, int X, int Y);

    // -- docking --
    // Makes the control a client of the dock site (its dock manager places it); false when the
    // current site's OnUnDock refused. Nothing of this system docks by dragging.
    bool ManualDock(TWinControl* NewDockSite, TControl* DropControl = nullptr, TAlign ControlSide = alNone);
    TWinControl* HostDockSite() const { return hostDockSite_; }

protected:
    virtual void WndProc(TMessage& Message);
    virtual String GetText() const;
    virtual void SetTextBuf(const String& v) { text_ = v; }
    virtual void DoClick();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    // Fires OnMouseWheel; true when the wheel was handled.
    virtual bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos);
    virtual void MouseEnter() {
        if (OnMouseEnter) OnMouseEnter(this);
    }
    virtual void MouseLeave() {
        if (OnMouseLeave) OnMouseLeave(this);
    }
    virtual void Resize() {
        if (OnResize) OnResize(this);
    }
    virtual void DoContextPopup(TPoint MousePos, bool& Handled);
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The link class that SetAction makes for this control.
    virtual TClass GetActionLinkClass() const;
    // Takes the properties of the action (a TCustomAction). With CheckDefaults (the action was
    // assigned while loading) a property that already holds a value of its own keeps it.
    virtual void ActionChange(TObject* Sender, bool CheckDefaults);
    // Fires OnDragOver; Accept starts false and is true while a handler is assigned.
    virtual void DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept);
    // Keeps the bounds inside the constraints; subclasses may adjust further.
    virtual void ConstrainedResize(int& AWidth, int& AHeight);
    // Asks the parent to lay out its aligned children again.
    void RequestAlign();
    // Records the distances to the parent's right and bottom edges for the anchors.
    void UpdateAnchorRules();
    virtual void VisibleChanging() {}
    virtual void ParentFontChanged();
    virtual void ParentColorChanged();
    virtual void FontChanged(TObject* Sender);
    void InvalidateControl(bool IsVisible, bool IsOpaque);
    // The setter rule for a property that changes only the control's look: ignore an equal value,
    // store, repaint. True when the value changed.
    template <class T, class V>
    bool AssignAndInvalidate(T& field, const V& value) {
        if (!AssignIfChanged(field, value)) return false;
        Invalidate();
        return true;
    }
    // Stores new bounds without any side effect (window position updates use it).
    void SetBoundsQuiet(int ALeft, int ATop, int AWidth, int AHeight) {
        left_ = ALeft;
        top_ = ATop;
        width_ = AWidth;
        height_ = AHeight;
    }
    bool IsLoading() const;
    bool IsDestroying() const;
    bool IsColorStored() const { return !parentColor_; }
    bool IsFontStored() const { return !parentFont_; }
    bool IsShowHintStored() const { return !parentShowHint_; }
    bool IsCaptionStored() const;
    bool IsEnabledStored() const;
    bool IsHintStored() const;
    bool IsVisibleStored() const;
    bool IsOnClickStored() const;
    void IncludeState(TControlStateItem f) { controlState_ += f; }
    void ExcludeState(TControlStateItem f) { controlState_ -= f; }

    // Message handlers (the message map binds them).
    void WMLButtonDown(TMessage& Message);
    void WMRButtonDown(TMessage& Message);
    void WMMButtonDown(TMessage& Message);
    void WMLButtonDblClk(TMessage& Message);
    void WMRButtonDblClk(TMessage& Message);
    void WMMButtonDblClk(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMRButtonUp(TMessage& Message);
    void WMMButtonUp(TMessage& Message);
    void WMMouseMove(TMessage& Message);
    void WMMouseWheel(TMessage& Message);
    void WMCancelMode(TMessage& Message);
    void WMContextMenu(TMessage& Message);
    void CMMouseWheel(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMVisibleChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMParentFontChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMParentShowHintChanged(TMessage& Message);
    void CMSysColorChange(TMessage& Message);
    void CMHintShow(TMessage& Message);
    void CMDrag(TMessage& Message);

    TWinControl* parent_ = nullptr;
    int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
    TControlStyle controlStyle_;
    TControlState controlState_;
    TSizeConstraints* constraints_;
    TFont* font_;
    String text_;

private:
    friend class TWinControl;
    void DoActionChange(TObject* Sender);
    void DoMouseDown(TMessage& Message, TMouseButton Button, TShiftState Shift);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    void ConstraintsChanged(TObject* Sender);

    TWndMethod windowProc_;
    TAlign align_ = alNone;
    TAnchors anchors_{akLeft, akTop};
    // Distances to the parent's right and bottom client edges, kept for right/bottom anchors.
    int anchorRight_ = 0, anchorBottom_ = 0;
    bool anchorsValid_ = false;
    bool visible_ = true;
    bool enabled_ = true;
    TColor color_ = clWindow;
    bool parentColor_ = true;
    bool parentFont_ = true;
    TCursor cursor_ = crDefault;
    String hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TPopupMenu* popupMenu_ = nullptr;
    TControlActionLink* actionLink_ = nullptr;
    TDragMode dragMode_ = dmManual;
    TDragKind dragKind_ = dkDrag;
    TCursor dragCursor_ = crDrag;
    TWinControl* hostDockSite_ = nullptr;
};

// ---- TGraphicControl ----

// A control without a window of its own: its parent paints it (WM_PAINT with the parent's
// device context, origin moved to the control) and forwards mouse messages to it.
class TGraphicControl : public TControl {
    Z_CLASS(TGraphicControl, TControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_PAINT, WMPaint))
public:
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* Canvas() const { return canvas_; }

protected:
    virtual void Paint() {}

private:
    void WMPaint(TMessage& Message);
    TCanvas* canvas_;
};

// The control that has the mouse captured (a windowless one through its parent), or null.
TControl* GetCaptureControl();
void SetCaptureControl(TControl* control);
// The control of this library whose window is hwnd, or null.
TWinControl* FindControl(HWND hwnd);
// The innermost enabled-or-not visible control at a screen point, windowless ones included.
TControl* FindDragTarget(TPoint screenPos, bool allowDisabled);
