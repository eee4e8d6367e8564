#pragma once
// The library's push buttons, drawn entirely by themselves.
//
// TRzCustomButton is the base of every windowed button of the library: it follows a mouse or
// Space press, tracks the mouse for hot tracking and draws captions with text effects.
// TRzButton is the push button: default and cancel button of a form, modal result, latching
// groups, a classic, a hot-tracking or the visual style's look. TRzBitBtn adds a glyph (a strip
// of up to four cells, or an image-list image) and the standard kinds.
//
// Sections: TRzCustomButton; TRzButton; TRzBitBtn; kind glyphs; unit start-up.

#include "ButtonTypes.h"
#include "CustomControl.h"
#include "Form.h"
#include "ImageList.h"
#include "RzCommon.h"

class TBitmap;

// ---- TRzCustomButton

class TRzCustomButton : public TCustomControl {
    Z_CLASS(TRzCustomButton, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged),
                  Z_MESSAGE(WM_SETFOCUS, WMSetFocus), Z_MESSAGE(WM_KILLFOCUS, WMKillFocus),
                  Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd))

public:
    explicit TRzCustomButton(TComponent* AOwner);

    TAlignmentVertical AlignmentVertical() const { return alignmentVertical_; }
    virtual void SetAlignmentVertical(TAlignmentVertical v);
    bool HotTrack() const { return hotTrack_; }
    virtual void SetHotTrack(bool v);
    TColor HotTrackColor() const { return hotTrackColor_; }
    void SetHotTrackColor(TColor v) { AssignAndInvalidate(hotTrackColor_, v); }
    TRzHotTrackColorType HotTrackColorType() const { return hotTrackColorType_; }
    void SetHotTrackColorType(TRzHotTrackColorType v) { AssignAndInvalidate(hotTrackColorType_, v); }
    TColor HighlightColor() const { return highlightColor_; }
    virtual void SetHighlightColor(TColor v);
    bool LightTextStyle() const { return lightTextStyle_; }
    virtual void SetLightTextStyle(bool v);
    TTextStyle TextStyle() const { return textStyle_; }
    virtual void SetTextStyle(TTextStyle v);
    TColor TextHighlightColor() const { return textHighlightColor_; }
    virtual void SetTextHighlightColor(TColor v);
    TColor TextShadowColor() const { return textShadowColor_; }
    virtual void SetTextShadowColor(TColor v);
    int TextShadowDepth() const { return textShadowDepth_; }
    virtual void SetTextShadowDepth(int v);
    bool ThemeAware() const { return themeAware_; }
    virtual void SetThemeAware(bool v);
    bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool v);

    // Pressed look and mouse state, for painting and tests.
    bool PressedLook() const { return pressedLook_; }
    bool MouseOver() const { return mouseOver_; }
    bool Tracking() const { return tracking_; }

    // ThemeAware and the visual styles are on.
    virtual bool UsesThemes() const;

protected:
    // Paints what lies under a transparent button into dc; the base paints nothing.
    virtual void PaintTransparentBackground(HDC dc) {}
    // Redraws after the pressed look changed.
    virtual void RepaintState() {}
    virtual void FocusRepaint() { Repaint(); }
    // The area that hot tracking redraws.
    virtual TRect GetHotTrackRect() { return ClientRect(); }
    // Draws the caption with the text style into r (DrawText flags).
    virtual void DrawCaptionText(TCanvas* canvas, TRect r, UINT flags);
    // The state change at the end of a completed mouse or Space press.
    virtual void ClickFromPress() = 0;

    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseEnter() override;
    void MouseLeave() override;

    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void WMSetFocus(TMessage& Message);
    void WMKillFocus(TMessage& Message);
    void WMEraseBkgnd(TMessage& Message);

    void SetPressedLook(bool v) { pressedLook_ = v; }
    void InvalidateHotTrackRect();

private:
    TAlignmentVertical alignmentVertical_ = avCenter;
    TColor hotTrackColor_ = TColor(0x00149BF0);
    TRzHotTrackColorType hotTrackColorType_ = htctActual;
    TColor highlightColor_ = clHighlight;
    bool lightTextStyle_ = false;
    TTextStyle textStyle_ = tsNormal;
    TColor textHighlightColor_ = clBtnHighlight;
    TColor textShadowColor_ = clBtnShadow;
    int textShadowDepth_ = 2;
    bool tracking_ = false;
    bool hotTrack_ = false;
    bool mouseOver_ = false;
    bool pressedLook_ = false;
    bool transparent_ = false;
    bool themeAware_ = true;
};

// ---- TRzButton

// The message a latching button sends to its siblings when it goes down or changes its group
// settings (WParam: GroupIndex, LParam: the sender).
constexpr Cardinal CM_RZBUTTONGROUP = 0x2421;

class TRzButton : public TRzCustomButton {
    Z_CLASS(TRzButton, TRzCustomButton)
    Z_PUBLISHED {
        using C = TRzButton;
        p.Property(L"Alignment", &C::Alignment, &C::SetAlignment).Default(taCenter);
        p.Property(L"AlignmentVertical", &C::AlignmentVertical, &C::SetAlignmentVertical).Default(avCenter);
        p.Property(L"AllowAllUp", &C::AllowAllUp, &C::SetAllowAllUp).Default(false);
        p.Property(L"Cancel", &C::Cancel, &C::SetCancel).Default(false).Stored(&C::IsCancelStored);
        p.Property(L"Default", &C::Default, &C::SetDefault).Default(false).Stored(&C::IsDefaultStored);
        p.Property(L"DropDownOnEnter", &C::DropDownOnEnter, &C::SetDropDownOnEnter).Default(true);
        p.Property(L"GroupIndex", &C::GroupIndex, &C::SetGroupIndex).Default(0);
        p.Property(L"Down", &C::Down, &C::SetDown).Default(false);
        p.Property(L"FrameColor", &C::FrameColor, &C::SetFrameColor).Default(cl3DDkShadow);
        p.Property(L"HighlightColor", &C::HighlightColor, &C::SetHighlightColor).Default(clHighlight);
        p.Property(L"HotTrack", &C::HotTrack, &C::SetHotTrack).Default(false);
        p.Property(L"HotTrackColor", &C::HotTrackColor, &C::SetHotTrackColor).Default(TColor(0x00149BF0));
        p.Property(L"HotTrackColorType", &C::HotTrackColorType, &C::SetHotTrackColorType).Default(htctActual);
        p.Property(L"LightTextStyle", &C::LightTextStyle, &C::SetLightTextStyle).Default(false);
        p.Property(L"ModalResult", &C::ModalResult, &C::SetModalResult).Default(0).Stored(&C::IsModalResultStored);
        p.Property(L"ShowDownPattern", &C::ShowDownPattern, &C::SetShowDownPattern).Default(true);
        p.Property(L"ShowFocusRect", &C::ShowFocusRect, &C::SetShowFocusRect).Default(true);
        p.Property(L"TabOrder", &C::TabOrder, &C::SetTabOrder);
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"TextHighlightColor", &C::TextHighlightColor, &C::SetTextHighlightColor).Default(clBtnHighlight);
        p.Property(L"TextShadowColor", &C::TextShadowColor, &C::SetTextShadowColor).Default(clBtnShadow);
        p.Property(L"TextShadowDepth", &C::TextShadowDepth, &C::SetTextShadowDepth).Default(2);
        p.Property(L"TextStyle", &C::TextStyle, &C::SetTextStyle).Default(tsNormal);
        p.Property(L"ThemeAware", &C::ThemeAware, &C::SetThemeAware).Default(true);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CM_DIALOGKEY, CMDialogKey), Z_MESSAGE(CM_DIALOGCHAR, CMDialogChar),
                  Z_MESSAGE(CM_FOCUSCHANGED, CMFocusChanged), Z_MESSAGE(CM_RZBUTTONGROUP, CMButtonGroup),
                  Z_MESSAGE(WM_KILLFOCUS, WMKillFocus))

public:
    explicit TRzButton(TComponent* AOwner);
    ~TRzButton() override;

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment v) { AssignAndInvalidate(alignment_, v); }
    bool Default() const { return default_; }
    virtual void SetDefault(bool v);
    bool Cancel() const { return cancel_; }
    void SetCancel(bool v) { cancel_ = v; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult v) { modalResult_ = v; }
    bool AllowAllUp() const { return allowAllUp_; }
    virtual void SetAllowAllUp(bool v);
    bool Down() const { return down_; }
    virtual void SetDown(bool v);
    int GroupIndex() const { return groupIndex_; }
    virtual void SetGroupIndex(int v);
    bool ShowDownPattern() const { return showDownPattern_; }
    virtual void SetShowDownPattern(bool v) { AssignAndInvalidate(showDownPattern_, v); }
    bool ShowFocusRect() const { return showFocusRect_; }
    virtual void SetShowFocusRect(bool v) { AssignAndInvalidate(showFocusRect_, v); }
    bool DropDownOnEnter() const { return dropDownOnEnter_; }
    void SetDropDownOnEnter(bool v) { dropDownOnEnter_ = v; }
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor v) { AssignAndInvalidate(frameColor_, v); }
    void SetHotTrack(bool v) override;

    // Reacts to Enter and paints as the default button now.
    bool Active() const { return active_; }
    TButtonState State() const { return state_; }
    bool Clicking() const { return clicking_; }

    // Sets the parent form's modal result, then runs OnClick or the action.
    void Click();

protected:
    virtual TRect GetCaptionRect();
    virtual void PaintCaption();
    // The 8 x 8 brush bitmap of a latched button.
    virtual void BuildDownPattern(TBitmap* bitmap);
    void Paint() override;
    void PaintTransparentBackground(HDC dc) override;
    void RepaintState() override { Invalidate(); }
    void ClickFromPress() override;
    void CreateWnd() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void DefineProperties(TFiler* filer) override;

    // Drawn pushed in: latched or held in a group, or held by mouse or Space.
    bool LooksPressed() const;
    virtual bool IsCancelStored() const { return true; }
    virtual bool IsDefaultStored() const { return true; }
    virtual bool IsModalResultStored() const { return true; }

    void CMDialogKey(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    void CMFocusChanged(TMessage& Message);
    void CMButtonGroup(TMessage& Message);
    void WMKillFocus(TMessage& Message);

private:
    void SendGroupMessage();
    // Each draws the face and returns the area inside its frame.
    TRect PaintHotTrackLook(TRect r, bool pressed);
    TRect PaintClassicLook(TRect r, bool pressed);

    TAlignment alignment_ = taCenter;
    bool clicking_ = false;
    bool default_ = false;
    bool cancel_ = false;
    bool active_ = false;
    TModalResult modalResult_ = mrNone;
    bool armed_ = false;
    bool allowAllUp_ = false;
    bool down_ = false;
    TButtonState state_ = bsUp;
    int groupIndex_ = 0;
    bool showDownPattern_ = true;
    bool showFocusRect_ = true;
    bool dropDownOnEnter_ = true;
    TColor frameColor_ = cl3DDkShadow;
};

// ---- TRzBitBtn

class TRzBitBtn : public TRzButton {
    Z_CLASS(TRzBitBtn, TRzButton)
    Z_PUBLISHED {
        using C = TRzBitBtn;
        p.Property(L"Glyph", &C::Glyph, &C::SetGlyph).Stored(&C::IsGlyphStored);
        p.Property(L"Kind", &C::Kind, &C::SetKind).Default(bkCustom);
        p.Property(L"Layout", &C::Layout, &C::SetLayout).Default(blGlyphLeft);
        p.Property(L"Margin", &C::Margin, &C::SetMargin).Default(2);
        p.Property(L"NumGlyphs", &C::NumGlyphs, &C::SetNumGlyphs).Default(1);
        p.Property(L"Spacing", &C::Spacing, &C::SetSpacing).Default(4);
        p.Property(L"Images", &C::Images, &C::SetImages);
        p.Property(L"ImageIndex", &C::ImageIndex, &C::SetImageIndex).Default(-1);
        p.Property(L"DisabledIndex", &C::DisabledIndex, &C::SetDisabledIndex).Default(-1);
    }

public:
    explicit TRzBitBtn(TComponent* AOwner);
    ~TRzBitBtn() override;

    TBitmap* Glyph() const { return glyph_; }
    virtual void SetGlyph(TBitmap* v);
    // The stored kind while the button still carries all of the kind's values, else bkCustom.
    virtual TBitBtnKind Kind();
    virtual void SetKind(TBitBtnKind v);
    TButtonLayout Layout() const { return layout_; }
    virtual void SetLayout(TButtonLayout v) { AssignAndInvalidate(layout_, v); }
    // -1 centres glyph and caption together; lower values are ignored.
    int Margin() const { return margin_; }
    virtual void SetMargin(int v);
    int NumGlyphs() const { return numGlyphs_; }
    virtual void SetNumGlyphs(int v) { AssignAndInvalidate(numGlyphs_, v); }
    int Spacing() const { return spacing_; }
    virtual void SetSpacing(int v) { AssignAndInvalidate(spacing_, v); }
    int ImageIndex() const { return imageIndex_; }
    virtual void SetImageIndex(int v) { AssignAndInvalidate(imageIndex_, v); }
    int DisabledIndex() const { return disabledIndex_; }
    virtual void SetDisabledIndex(int v) { AssignAndInvalidate(disabledIndex_, v); }
    TCustomImageList* Images() const { return images_; }
    virtual void SetImages(TCustomImageList* v);

    virtual TPoint GetGlyphSize();
    virtual TRect GetGlyphRect();
    TRect GetCaptionRect() override;
    // The glyph cell drawn in the current state (cells numbered from 0).
    int GlyphCell() const;
    // Margin and Spacing follow the control's scale (M / D).
    void ScaleBy(int M, int D);

protected:
    virtual void PaintImage(const TRect& r);
    virtual void PaintGlyph(const TRect& r);
    void PaintCaption() override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    bool IsCancelStored() const override;
    bool IsDefaultStored() const override;
    bool IsModalResultStored() const override;
    bool IsGlyphStored() const;

private:
    void GlyphChanged(TObject* Sender);
    void ImagesChanged(TObject* Sender);
    bool HasImage() const { return images_ && imageIndex_ != -1; }
    int CaptionHeight(const TRect& r);

    TBitmap* glyph_;
    TBitBtnKind kind_ = bkCustom;
    TButtonLayout layout_ = blGlyphLeft;
    int margin_ = 2;
    int numGlyphs_ = 1;
    int spacing_ = 4;
    bool modifiedGlyph_ = false;
    int imageIndex_ = -1;
    int disabledIndex_ = -1;
    TCustomImageList* images_ = nullptr;
    TChangeLink* imagesLink_;
};

// ---- Kind glyphs

// The kind's caption and modal result, as the kind table gives them.
String KindCaption(TBitBtnKind kind);
TModalResult KindModalResult(TBitBtnKind kind);
// The process's copy of the kind's glyph (two 16 x 16 cells), loaded on first use from the
// program's bitmap resource; null for bkCustom. Never freed by callers.
TBitmap* KindGlyph(TBitBtnKind kind);

// ---- Unit start-up

void InitializeRzButton();
void FinalizeRzButton();
