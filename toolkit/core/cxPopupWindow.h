#pragma once
// TcxPopupWindow: a borderless stay-on-top form that pops up beside, above or below an owner
// rectangle, flips to the side with more room, fits into the work area, sizes itself around
// its child controls and draws its own frame. It closes when it or the application loses the
// activation, while keeping the caption of the window that was active looking active.

#include "Form.h"
#include "cxGraphics.h"

enum TcxPopupAlignHorz : Byte { pahLeft, pahCenter, pahRight };
enum TcxPopupAlignVert : Byte { pavTop, pavCenter, pavBottom };
// Horizontal: beside the owner; vertical: above or below it.
enum TcxPopupDirection : Byte { pdHorizontal, pdVertical };
enum TcxPopupFrameStyle : Byte { pfsNone, pfsFlat, pfsSingle, pfsDouble };
// Sides, as passed to BorderSpaceOf and FrameWidthOf.
enum TcxPopupSide : Byte { psLeft, psTop, psRight, psBottom };

class TcxPopupWindow : public TForm {
    Z_CLASS(TcxPopupWindow, TForm)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ACTIVATE, WMActivate), Z_MESSAGE(WM_ACTIVATEAPP, WMActivateApp),
                  Z_MESSAGE(CM_SHOWINGCHANGED, CMShowingChanged))
public:
    explicit TcxPopupWindow(TComponent* AOwner);
    ~TcxPopupWindow() override;

    virtual void Popup();
    virtual void ClosePopup();

    virtual void CalculatePosition(TPoint& position);
    virtual void CalculateSize();
    virtual int BorderSpaceOf(TcxPopupSide side) const;
    virtual TRect ContentRect() const;
    virtual int FrameWidthOf(TcxPopupSide side) const;
    virtual TRect OwnerScreenBounds() const;

    bool Adjustable() const { return adjustable_; }
    void SetAdjustable(bool v) { adjustable_ = v; }
    TcxPopupAlignHorz AlignHorz() const { return alignHorz_; }
    void SetAlignHorz(TcxPopupAlignHorz v) { alignHorz_ = v; }
    TcxPopupAlignVert AlignVert() const { return alignVert_; }
    void SetAlignVert(TcxPopupAlignVert v) { alignVert_ = v; }
    int BorderSpace() const { return borderSpace_; }
    void SetBorderSpace(int v) { borderSpace_ = v; }
    TcxPopupFrameStyle FrameStyle() const { return frameStyle_; }
    void SetFrameStyle(TcxPopupFrameStyle v);
    TcxPopupDirection Direction() const { return direction_; }
    void SetDirection(TcxPopupDirection v) { direction_ = v; }
    TColor FrameColor() const { return frameColor_; }
    void SetFrameColor(TColor v);
    // In the owner parent's client coordinates (screen coordinates without an owner parent).
    const TRect& OwnerBounds() const { return ownerBounds_; }
    void SetOwnerBounds(const TRect& v) { ownerBounds_ = v; }
    TControl* OwnerParent() const { return ownerParent_; }
    void SetOwnerParent(TControl* v);
    TcxCanvas* cxCanvas() const { return cxCanvas_; }

protected:
    virtual void InitPopup();
    virtual void DrawFrame();
    // Called when the window is shown or hidden.
    virtual void VisibilityChanged() {}
    void Paint() override;
    void Deactivate() override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void WMActivate(TMessage& Message);
    void WMActivateApp(TMessage& Message);
    void CMShowingChanged(TMessage& Message);

    bool adjustable_ = true;
    TcxPopupAlignHorz alignHorz_ = pahLeft;
    TcxPopupAlignVert alignVert_ = pavBottom;
    int borderSpace_ = 0;
    TcxPopupFrameStyle frameStyle_ = pfsNone;
    TcxCanvas* cxCanvas_ = nullptr;
    TcxPopupDirection direction_ = pdVertical;
    TColor frameColor_ = clWindowText;
    TRect ownerBounds_{};
    TControl* ownerParent_ = nullptr;
    HWND previousActiveWindow_ = nullptr;
    // How far the children were moved by the last sizing, so that popping up again does not
    // move them further.
    TPoint childOffset_{0, 0};
};
