#pragma once
// TSystemControl: the base of the controls that wrap a window class of the system (edit, combo
// box, list box, buttons, list view, tree view, tab control, toolbar). Every wrapper follows one
// pattern:
//
// - Creation parameters. CreateParams calls the inherited one, then SystemClassName's class
//   becomes the base of the control's own window class (common controls are loaded as needed),
//   and the control adds the styles its properties ask for. A property that only a new window
//   can show calls RecreateWnd.
// - State. The object owns the control's state (items, nodes, columns, selection, checks); the
//   window only shows it. CreateWnd fills each new window from the object (FillWindow); before a
//   window goes, SaveWindowState reads back what the user may have changed in it (selection,
//   expansion, top item). TWinControl keeps the text the same way. So everything survives
//   RecreateWnd, and the control answers the same with or without a window. Notifications that
//   the filling causes arrive while csCreating is set: they fire no events.
// - Notifications. The parent hands WM_COMMAND, WM_NOTIFY, WM_DRAWITEM, WM_MEASUREITEM,
//   WM_DELETEITEM and the colour messages back to the control as CN_* (CN_BASE + number). The
//   wrapper's message map binds them to handlers that call virtual steps (Change, Click,
//   DrawItem...), and those fire the events.
// - Border. BorderStyle bsSingle gives a sunken client edge with Ctl3D and a flat line without.
//
//     class TCustomEdit : public TSystemControl {
//         Z_CLASS(TCustomEdit, TSystemControl)
//         Z_MESSAGE_MAP(Z_MESSAGE(CN_COMMAND, CNCommand))
//     protected:
//         const wchar_t* SystemClassName() const override { return L"EDIT"; }
//         void CreateParams(TCreateParams& Params) override {
//             TSystemControl::CreateParams(Params);
//             if (readOnly_) Params.Style |= ES_READONLY;
//         }
//         void CNCommand(TMessage& m) { if (m.WParamHi() == EN_CHANGE && !InState(csCreating)) Change(); }
//     };

#include "ControlCanvas.h"
#include "Form.h"
#include "WinControl.h"

class TChangeLink;
class TCustomImageList;

// The border of a system control; only bsNone and bsSingle apply.
using TBorderStyle = TFormBorderStyle;

// The states of an owner-drawn item, in the order of the system's ODS_ bits.
enum TOwnerDrawStateItem : Byte {
    odSelected,
    odGrayed,
    odDisabled,
    odChecked,
    odFocused,
    odDefault,
    odHotLight,
    odInactive,
    odNoAccel,
    odNoFocusRect,
    odReserved1,
    odReserved2,
    odComboBoxEdit
};
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
inline TOwnerDrawState OwnerDrawStateFromBits(UINT itemState) { return TOwnerDrawState::FromBits(itemState & 0x1FFF); }

// Owner-drawn items of list boxes and combo boxes.
using TDrawItemEvent = TEvent<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = TEvent<void(TWinControl* Control, int Index, int& Height)>;

class TSystemControl : public TWinControl {
    Z_CLASS(TSystemControl, TWinControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CM_CTL3DCHANGED, CMCtl3DChanged), Z_MESSAGE(CM_COLORCHANGED, CMColorChanged),
                  Z_MESSAGE(CM_FONTCHANGED, CMFontChanged), Z_MESSAGE(CM_WANTSPECIALKEY, CMWantSpecialKey))
public:
    explicit TSystemControl(TComponent* AOwner);
    ~TSystemControl() override;

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    // A canvas on the control, for owner-drawn items and custom drawing (made on first use).
    TCanvas* Canvas();
    // True while the user edits a label in the control: Enter and Escape then go to the edit,
    // not to the form's buttons.
    virtual bool IsEditing() const { return false; }

protected:
    // The system's window class the control is built on ("EDIT", WC_LISTVIEWW...).
    virtual const wchar_t* SystemClassName() const = 0;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    // Shows the object's state in a new window (items, selection...).
    virtual void FillWindow() {}
    // Reads back, before the window goes, what the user may have changed in it.
    virtual void SaveWindowState() {}
    // Gives the window the control's colour and font colour, for windows that keep their own
    // (called after every change of either).
    virtual void ApplyColors() {}
    // Points field at another image list; the control's change link and free notification move
    // with it. False when nothing changed.
    bool ChangeImageList(TCustomImageList*& field, TCustomImageList* value, TChangeLink* link);
    // Lends the device context of an owner-draw or custom-draw message to Canvas, with the
    // control's font and colour selected, for the length of draw.
    void DrawOnCanvas(HDC dc, const std::function<void()>& draw);
    // Draws an owner-drawn item of a reflected WM_DRAWITEM: drawItem paints it on Canvas, whose
    // colours already show the selection; the focus rectangle follows.
    void DrawOwnerDrawnItem(const DRAWITEMSTRUCT& item,
                            const std::function<void(int Index, TRect Rect, TOwnerDrawState State)>& drawItem);

private:
    void CMCtl3DChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    TBorderStyle borderStyle_ = bsNone;
    TControlCanvas* canvas_ = nullptr;
};

// Loads the window classes of the common controls (once per process).
void InitCommonControlClasses();
// The height of a line of text in the font (its text metrics' tmHeight).
int FontLineHeight(TFont* font);
// Stops (false) or resumes (true) a window's drawing; resuming repaints it.
void EnableWindowDrawing(HWND window, bool redraw);
