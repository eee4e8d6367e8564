#pragma once
// TRzCustomEdit: the library's single-line edit. It adds to the platform's edit the colour
// states of the framed controls (normal, focused, disabled, read-only), a custom frame drawn in
// the non-client area with hot tracking, text alignment, a text hint (cue banner), Tab-on-Enter,
// a validation hook and, for descendants, a drop-down button in the non-client area. TRzEdit
// publishes it.
//
// Sections: TRzCustomEdit (properties, colours and frame, drop button, messages); TRzEdit.

#include "MaskEdit.h"
#include "RzCommon.h"
#include "RzFrameController.h"
#include "RzFramedColors.h"

using TRzValidateErrorEvent = TEvent<void(TObject* Sender, String& Message)>;

class TRzCustomEdit : public TCustomMaskEdit {
    Z_CLASS(TRzCustomEdit, TCustomMaskEdit)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCPAINT, WMNCPaint), Z_MESSAGE(WM_NCCALCSIZE, WMNCCalcSize),
                  Z_MESSAGE(WM_NCHITTEST, WMNCHitTest), Z_MESSAGE(WM_SETCURSOR, WMSetCursor),
                  Z_MESSAGE(WM_LBUTTONDOWN, WMLButtonDown), Z_MESSAGE(WM_LBUTTONDBLCLK, WMLButtonDown),
                  Z_MESSAGE(WM_LBUTTONUP, WMLButtonUp), Z_MESSAGE(WM_RBUTTONDOWN, WMRButtonDown),
                  Z_MESSAGE(WM_KILLFOCUS, WMKillFocus), Z_MESSAGE(WM_SIZE, WMSize), Z_MESSAGE(CM_ENTER, CMEnter),
                  Z_MESSAGE(CM_EXIT, CMExit), Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter),
                  Z_MESSAGE(CM_MOUSELEAVE, CMMouseLeave), Z_MESSAGE(CM_COLORCHANGED, CMColorChanged),
                  Z_MESSAGE(CM_PARENTCOLORCHANGED, CMParentColorChanged),
                  Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), Z_MESSAGE(CM_WANTSPECIALKEY, CMWantSpecialKey))

public:
    explicit TRzCustomEdit(TComponent* AOwner);
    ~TRzCustomEdit() override;

    // -- colours --
    TColor DisabledColor() const { return colors_.Disabled; }
    virtual void SetDisabledColor(TColor v);
    TColor FocusColor() const { return colors_.Focus; }
    virtual void SetFocusColor(TColor v);
    TColor ReadOnlyColor() const { return colors_.ReadOnly; }
    virtual void SetReadOnlyColor(TColor v);
    bool ReadOnlyColorOnFocus() const { return colors_.ReadOnlyOnFocus; }
    void SetReadOnlyColorOnFocus(bool v);
    // The colour used while neither focused, disabled nor read-only.
    TColor NormalColor() const { return colors_.Normal; }

    // -- frame --
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor v) {
        if (AssignIfChanged(frameColor_, v)) RepaintFrame();
    }
    TColor FrameHotColor() const { return frameHotColor_; }
    virtual void SetFrameHotColor(TColor v) {
        if (AssignIfChanged(frameHotColor_, v)) RepaintFrame();
    }
    bool FrameHotTrack() const { return frameHotTrack_; }
    virtual void SetFrameHotTrack(bool v);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    virtual void SetFrameHotStyle(TFrameStyle v) {
        if (AssignIfChanged(frameHotStyle_, v)) RepaintFrame();
    }
    TSides FrameSides() const { return frameSides_; }
    virtual void SetFrameSides(TSides v) {
        if (AssignIfChanged(frameSides_, v)) RepaintFrame();
    }
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle v) {
        if (AssignIfChanged(frameStyle_, v)) RepaintFrame();
    }
    bool FrameVisible() const { return frameVisible_; }
    virtual void SetFrameVisible(bool v);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    virtual void SetFramingPreference(TFramingPreference v);
    TRzFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TRzFrameController* v);
    TRzFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications v) { frameControllerNotifications_ = v; }
    // FramingPreference fpXPThemes with the visual styles on: no frame of the control's own.
    virtual bool UsingXPThemes() const;

    // -- text --
    void SetAlignment(TAlignment v) override;
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool v) { tabOnEnter_ = v; }
    const String& TextHint() const { return textHint_; }
    void SetTextHint(const String& v);
    bool TextHintVisibleOnFocus() const { return textHintVisibleOnFocus_; }
    void SetTextHintVisibleOnFocus(bool v);
    bool ReadOnly() const { return GetReadOnly(); }
    void SetReadOnly(bool v);
    virtual bool GetReadOnly() const { return TCustomEdit::ReadOnly(); }

    // -- state --
    bool InControl() const { return inControl_; }
    bool OverControl() const { return overControl_; }
    bool DroppedDown() const { return droppedDown_; }
    bool ShowDropButton() const { return showDropButton_; }
    bool ButtonDown() const { return buttonDown_; }

    TNotifyEvent OnDropDown, OnCloseUp;
    TRzValidateErrorEvent OnValidateError;

protected:
    virtual void SetTextHintMessage(const String& text);
    // Sets the control's colour for its state (not while loading).
    virtual void UpdateColors();
    // Records the mouse (isMouse) or focus state and redraws the frame and the colour.
    virtual void UpdateFrame(bool isMouse, bool value);
    virtual void RepaintFrame();
    virtual TRect GetEditRect() { return ClientRect(); }
    virtual String GetEditText() { return EditText(); }
    virtual void HideDropButton();
    virtual void ShowDropButtonAgain();
    virtual void DrawDropButton(TCanvas* canvas, const TRect& r);
    virtual void SetButtonState(bool down);
    virtual void SetDropButtonVisible(bool v);
    virtual void SetShowDropButton(bool v);
    virtual void SetFlatButtons(bool v);
    virtual void ReadOnlyChanged();
    virtual void DoCloseUp() {
        if (OnCloseUp) OnCloseUp(this);
    }
    virtual void DoDropDown() {
        if (OnDropDown) OnDropDown(this);
    }
    // Takes OnValidateError's message first; a non-empty one raises EDBEditError with it.
    void ValidateError() override;
    bool FlatButtons() const { return flatButtons_; }
    bool DropButtonVisible() const { return dropButtonVisible_; }

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* filer) override;
    // Stored only while no frame controller supplies it.
    bool StoredUnlessControlled(TRzFrameControllerProperty p) const;
    bool IsColorStored() const { return Enabled() && StoredUnlessControlled(fcpColor); }
    bool IsFocusColorStored() const;
    bool IsDisabledColorStored() const { return StoredUnlessControlled(fcpDisabledColor); }
    bool IsReadOnlyColorStored() const { return StoredUnlessControlled(fcpReadOnlyColor); }
    bool IsReadOnlyColorOnFocusStored() const { return StoredUnlessControlled(fcpReadOnlyColorOnFocus); }
    bool IsFrameColorStored() const { return StoredUnlessControlled(fcpFrameColor); }
    bool IsFrameHotColorStored() const { return StoredUnlessControlled(fcpFrameHotColor); }
    bool IsFrameHotTrackStored() const { return StoredUnlessControlled(fcpFrameHotTrack); }
    bool IsFrameHotStyleStored() const { return StoredUnlessControlled(fcpFrameHotStyle); }
    bool IsFrameSidesStored() const { return StoredUnlessControlled(fcpFrameSides); }
    bool IsFrameStyleStored() const { return StoredUnlessControlled(fcpFrameStyle); }
    bool IsFrameVisibleStored() const { return StoredUnlessControlled(fcpFrameVisible); }
    bool IsFramingPreferenceStored() const { return StoredUnlessControlled(fcpFramingPreference); }

    void WMNCPaint(TMessage& Message);
    void WMNCCalcSize(TMessage& Message);
    void WMNCHitTest(TMessage& Message);
    void WMSetCursor(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void WMLButtonUp(TMessage& Message);
    void WMRButtonDown(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMSize(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);

private:
    void RepaintNonClient();
    // The drop button's strip in window coordinates of a window whose rectangle starts at 0.
    TRect DropButtonRect() const;
    void ReleaseButton();
    void DropDownFromButton();

    TRzColorStates colors_;
    bool updatingColor_ = false;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    TRzFrameController* frameController_ = nullptr;
    TRzFrameControllerNotifications frameControllerNotifications_ = fcpAllProperties;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = sdAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    TFramingPreference framingPreference_ = fpXPThemes;
    bool frameVisible_ = false;
    bool tabOnEnter_ = false;
    String textHint_;
    bool textHintVisibleOnFocus_ = false;
    bool inControl_ = false;
    bool overControl_ = false;
    bool flatButtons_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool showDropButton_ = false;
    bool dropButtonVisible_ = false;
    bool buttonDown_ = false;
    bool mouseOverButton_ = false;
    bool droppedDown_ = false;
};

class TRzEdit : public TRzCustomEdit {
    Z_CLASS(TRzEdit, TRzCustomEdit)
    Z_PUBLISHED {
        using C = TRzEdit;
        p.Property(L"Caption", &C::Caption, &C::SetCaption).Stored(false);  // Text is stored
        p.Property(L"Text", &C::Text, &C::SetText);
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"Color", &C::Color, &C::SetColor).Stored(&C::IsColorStored);
        p.Property(L"Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify);
        p.Property(L"AutoSelect", &C::AutoSelect, &C::SetAutoSelect).Default(true);
        p.Property(L"AutoSize", &C::AutoSize, &C::SetAutoSize).Default(true);
        p.Property(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsSingle);
        p.Property(L"CharCase", &C::CharCase, &C::SetCharCase).Default(ecNormal);
        p.Property(L"HideSelection", &C::HideSelection, &C::SetHideSelection).Default(true);
        p.Property(L"MaxLength", &C::MaxLength, &C::SetMaxLength).Default(0);
        p.Property(L"OEMConvert", &C::OEMConvert, &C::SetOEMConvert).Default(false);
        p.Property(L"PasswordChar", &C::PasswordChar, &C::SetPasswordChar).Default(0);
        p.Property(L"ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
        p.Property(L"DisabledColor", &C::DisabledColor, &C::SetDisabledColor)
            .Default(clBtnFace)
            .Stored(&C::IsDisabledColorStored);
        p.Property(L"FocusColor", &C::FocusColor, &C::SetFocusColor).Default(clWindow).Stored(&C::IsFocusColorStored);
        p.Property(L"FrameColor", &C::FrameColor, &C::SetFrameColor)
            .Default(clBtnShadow)
            .Stored(&C::IsFrameColorStored);
        p.Property(L"FrameController", &C::FrameController, &C::SetFrameController);
        p.Property(L"FrameControllerNotifications", &C::FrameControllerNotifications,
                   &C::SetFrameControllerNotifications)
            .Default(fcpAllProperties);
        p.Property(L"FrameHotColor", &C::FrameHotColor, &C::SetFrameHotColor)
            .Default(clBtnShadow)
            .Stored(&C::IsFrameHotColorStored);
        p.Property(L"FrameHotTrack", &C::FrameHotTrack, &C::SetFrameHotTrack)
            .Default(false)
            .Stored(&C::IsFrameHotTrackStored);
        p.Property(L"FrameHotStyle", &C::FrameHotStyle, &C::SetFrameHotStyle)
            .Default(fsFlatBold)
            .Stored(&C::IsFrameHotStyleStored);
        p.Property(L"FrameSides", &C::FrameSides, &C::SetFrameSides).Default(sdAllSides).Stored(&C::IsFrameSidesStored);
        p.Property(L"FrameStyle", &C::FrameStyle, &C::SetFrameStyle).Default(fsFlat).Stored(&C::IsFrameStyleStored);
        p.Property(L"FrameVisible", &C::FrameVisible, &C::SetFrameVisible)
            .Default(false)
            .Stored(&C::IsFrameVisibleStored);
        p.Property(L"FramingPreference", &C::FramingPreference, &C::SetFramingPreference)
            .Default(fpXPThemes)
            .Stored(&C::IsFramingPreferenceStored);
        p.Property(L"ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor)
            .Default(clInfoBk)
            .Stored(&C::IsReadOnlyColorStored);
        p.Property(L"ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus, &C::SetReadOnlyColorOnFocus)
            .Default(false)
            .Stored(&C::IsReadOnlyColorOnFocusStored);
        p.Property(L"TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter).Default(false);
        p.Property(L"TextHint", &C::TextHint, &C::SetTextHint);
        p.Property(L"TextHintVisibleOnFocus", &C::TextHintVisibleOnFocus, &C::SetTextHintVisibleOnFocus).Default(false);
        p.Event(L"OnChange", &C::OnChange);
        p.Event(L"OnValidateError", &C::OnValidateError);
    }

public:
    explicit TRzEdit(TComponent* AOwner) : TRzCustomEdit(AOwner) {}
};

void InitializeRzEdit();
