#pragma once
// The library's check box, drawn entirely by itself: a glyph beside a word-wrapped caption.
//
// TRzCustomGlyphButton is the base of glyph-drawn state buttons: glyph placement and drawing
// (the visual style's element, the library's hot-tracking glyph, the classic frame control, or
// custom glyphs from a bitmap strip or an image list), colours, read-only mode, transparency and
// automatic sizing. TRzCustomCheckBox adds the three states and the toggle; TRzCheckBox
// publishes. TRzCheckedActionLink ties Checked to an action without clicking.
//
// Sections: TRzCustomGlyphButton; TRzCustomCheckBox; TRzCheckBox; the action link.

#include "CheckBoxState.h"
#include "ControlActionLink.h"
#include "RzButton.h"
#include "RzFrameController.h"

class TBitmap;

// ---- TRzCustomGlyphButton

class TRzCustomGlyphButton : public TRzCustomButton, public ICustomFraming {
    Z_CLASS(TRzCustomGlyphButton, TRzCustomButton)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_SIZE, WMSize),
                  Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), Z_MESSAGE(CM_COLORCHANGED, CMColorChanged),
                  Z_MESSAGE(CM_PARENTCOLORCHANGED, CMColorChanged), Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged),
                  Z_MESSAGE(CM_FONTCHANGED, CMFontChanged))

public:
    explicit TRzCustomGlyphButton(TComponent* AOwner);
    ~TRzCustomGlyphButton() override;

    // taRightJustify: the caption stands right of the glyph; taLeftJustify puts the glyph at the
    // right edge.
    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment v) { AssignAndInvalidate(alignment_, v); }
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    virtual bool Checked() const { return false; }
    virtual void SetChecked(bool) {}
    TBitmap* CustomGlyphs() const { return customGlyphs_; }
    virtual void SetCustomGlyphs(TBitmap* v);
    TCustomImageList* CustomGlyphImages() const { return customGlyphImages_; }
    virtual void SetCustomGlyphImages(TCustomImageList* v);
    TColor FillColor() const { return fillColor_; }
    virtual void SetFillColor(TColor v) { AssignAndInvalidate(fillColor_, v); }
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor v) { AssignAndInvalidate(focusColor_, v); }
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor v) { AssignAndInvalidate(frameColor_, v); }
    TRzFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TRzFrameController* v);
    TRzFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications v) { frameControllerNotifications_ = v; }
    bool UseCustomGlyphs() const { return useCustomGlyphs_; }
    virtual void SetUseCustomGlyphs(bool v);
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor v) { AssignAndInvalidate(disabledColor_, v); }
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool v) { AssignAndInvalidate(readOnly_, v); }
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor v) { AssignAndInvalidate(readOnlyColor_, v); }
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    void SetReadOnlyColorOnFocus(bool v) { AssignAndInvalidate(readOnlyColorOnFocus_, v); }
    TColor TransparentColor() const { return transparentColor_; }
    virtual void SetTransparentColor(TColor v) { AssignAndInvalidate(transparentColor_, v); }
    TColor WinMaskColor() const { return winMaskColor_; }
    virtual void SetWinMaskColor(TColor v) { AssignAndInvalidate(winMaskColor_, v); }
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool v) { tabOnEnter_ = v; }
    TRzButtonHotTrackStyle HotTrackStyle() const { return hotTrackStyle_; }
    void SetHotTrackStyle(TRzButtonHotTrackStyle v) { AssignAndInvalidate(hotTrackStyle_, v); }
    void SetTransparent(bool v) override;

    int NumGlyphs() const { return numGlyphs_; }
    int GlyphWidth() const { return glyphWidth_; }
    int GlyphHeight() const { return glyphHeight_; }
    // The glyph's top-left corner in client coordinates.
    TPoint GlyphPosition() const;
    // The glyph stands at the right edge (Alignment taLeftJustify).
    bool GlyphAtRight() const { return alignment_ == taLeftJustify; }

    // Takes the frame controller's colours (only while its frame is visible).
    void CustomFramingChanged() override;

protected:
    // Fills a GlyphWidth x GlyphHeight bitmap with the glyph of the current state.
    virtual void DrawGlyphBitmap(TBitmap* bitmap) = 0;
    // A hook for the glyph of a transparent control drawn without custom glyphs or visual style.
    virtual void AdjustTransparentGlyph(TBitmap* bitmap) {}
    // Draws the glyph, with the control's background around it, at GlyphPosition.
    virtual void DrawGlyph(TCanvas* canvas);
    // Copies cell `index` (cells width wide, side by side) of source into dest.
    virtual void ExtractGlyph(int index, TBitmap* dest, int height, int width, TBitmap* source);
    // Sizes the control to its caption and glyph when AutoSize is on.
    virtual void AdjustBounds();

    void PaintTransparentBackground(HDC dc) override;
    void RepaintState() override { Repaint(); }
    void FocusRepaint() override { Repaint(); }
    TRect GetHotTrackRect() override;
    void Paint() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    TClass GetActionLinkClass() const override;

    bool UsingMouse() const { return usingMouse_; }
    bool ClicksDisabled() const { return clicksDisabled_; }
    void SetClicksDisabled(bool v) { clicksDisabled_ = v; }
    void SetNumGlyphs(int v) { numGlyphs_ = v; }
    // The background must be taken again before the next paint.
    void RefreshBackground() { updateBg_ = true; }
    // The custom glyphs are in use when the image list has images or the strip is not empty.
    void CustomGlyphsChanged();

    void WMEraseBkgnd(TMessage& Message);
    void WMSize(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);

private:
    friend class TRzCheckedActionLink;
    void CustomGlyphsBitmapChanged(TObject*) { CustomGlyphsChanged(); }
    void CustomGlyphImagesChanged(TObject*) { CustomGlyphsChanged(); }
    TRect CaptionRect() const;

    TAlignment alignment_ = taRightJustify;
    bool autoSize_ = true;
    TColor frameColor_ = clBtnShadow;
    int numGlyphs_ = 2;
    TBitmap* customGlyphs_;
    TCustomImageList* customGlyphImages_ = nullptr;
    TChangeLink* imagesLink_;
    int glyphWidth_ = 13;
    int glyphHeight_ = 13;
    bool useCustomGlyphs_ = false;
    TColor transparentColor_ = TColor(0x008080);
    TColor winMaskColor_ = TColor(0x00FF00);
    TColor fillColor_ = clWindow;
    TColor focusColor_ = clWindow;
    TColor disabledColor_ = clBtnFace;
    bool readOnly_ = false;
    bool readOnlyColorOnFocus_ = false;
    TColor readOnlyColor_ = clInfoBk;
    bool clicksDisabled_ = false;
    TBitmap* background_;
    bool updateBg_ = true;
    bool usingMouse_ = false;
    bool tabOnEnter_ = false;
    TRzButtonHotTrackStyle hotTrackStyle_ = htsInterior;
    TRzFrameController* frameController_ = nullptr;
    TRzFrameControllerNotifications frameControllerNotifications_ = fcpAllProperties;
};

// ---- TRzCustomCheckBox

class TRzCustomCheckBox : public TRzCustomGlyphButton {
    Z_CLASS(TRzCustomCheckBox, TRzCustomGlyphButton)
    Z_MESSAGE_MAP(Z_MESSAGE(BM_GETCHECK, BMGetCheck), Z_MESSAGE(CM_DIALOGCHAR, CMDialogChar),
                  Z_MESSAGE(CM_WANTSPECIALKEY, CMWantSpecialKey), Z_MESSAGE(CM_EXIT, CMExit))

public:
    explicit TRzCustomCheckBox(TComponent* AOwner);

    bool AllowGrayed() const { return allowGrayed_; }
    void SetAllowGrayed(bool v) { allowGrayed_ = v; }
    TCheckBoxState State() const { return checkState_; }
    // Stores a new state, repaints and (unless clicks are disabled) clicks.
    virtual void SetState(TCheckBoxState v);
    bool Checked() const override { return checkState_ == cbChecked; }
    void SetChecked(bool v) override { SetState(v ? cbChecked : cbUnchecked); }
    bool IsCheckedStored() const;

    // The image index of the custom glyph table for the current state (pressed, disabled, hot).
    int CustomGlyphIndex(bool withHotColumn) const;

protected:
    void DrawGlyphBitmap(TBitmap* bitmap) override;
    // The state change at the end of a completed press: unchecked, (grayed,) checked, unchecked.
    void ClickFromPress() override;
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyUp(Word& Key, TShiftState Shift) override;
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
    void DefineProperties(TFiler* filer) override;

    void BMGetCheck(TMessage& Message) { Message.Result = LRESULT(checkState_); }
    void CMDialogChar(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);
    void CMExit(TMessage& Message);

private:
    bool allowGrayed_ = false;
    TCheckBoxState checkState_ = cbUnchecked;
    bool armed_ = false;
};

// ---- TRzCheckBox

class TRzCheckBox : public TRzCustomCheckBox {
    Z_CLASS(TRzCheckBox, TRzCustomCheckBox)
    Z_PUBLISHED {
        using C = TRzCheckBox;
        p.Property(L"Alignment", &C::Alignment, &C::SetAlignment).Default(taRightJustify);
        p.Property(L"AlignmentVertical", &C::AlignmentVertical, &C::SetAlignmentVertical).Default(avTop);
        p.Property(L"AllowGrayed", &C::AllowGrayed, &C::SetAllowGrayed).Default(false);
        p.Property(L"AutoSize", &C::AutoSize, &C::SetAutoSize).Default(true);
        p.Property(L"Checked", &C::Checked, &C::SetChecked).Default(false).Stored(&C::IsCheckedStored);
        p.Property(L"CustomGlyphs", &C::CustomGlyphs, &C::SetCustomGlyphs);
        p.Property(L"CustomGlyphImages", &C::CustomGlyphImages, &C::SetCustomGlyphImages);
        p.Property(L"DisabledColor", &C::DisabledColor, &C::SetDisabledColor).Default(clBtnFace);
        p.Property(L"FillColor", &C::FillColor, &C::SetFillColor).Default(clWindow);
        p.Property(L"FocusColor", &C::FocusColor, &C::SetFocusColor).Default(clWindow);
        p.Property(L"FrameColor", &C::FrameColor, &C::SetFrameColor).Default(clBtnShadow);
        p.Property(L"FrameController", &C::FrameController, &C::SetFrameController);
        p.Property(L"FrameControllerNotifications", &C::FrameControllerNotifications,
                   &C::SetFrameControllerNotifications)
            .Default(fcpAllProperties);
        p.Property(L"HighlightColor", &C::HighlightColor, &C::SetHighlightColor).Default(clHighlight);
        p.Property(L"HotTrack", &C::HotTrack, &C::SetHotTrack).Default(false);
        p.Property(L"HotTrackColor", &C::HotTrackColor, &C::SetHotTrackColor).Default(TColor(0x00149BF0));
        p.Property(L"HotTrackColorType", &C::HotTrackColorType, &C::SetHotTrackColorType).Default(htctActual);
        p.Property(L"HotTrackStyle", &C::HotTrackStyle, &C::SetHotTrackStyle).Default(htsInterior);
        p.Property(L"LightTextStyle", &C::LightTextStyle, &C::SetLightTextStyle).Default(false);
        p.Property(L"ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
        p.Property(L"ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor).Default(clInfoBk);
        p.Property(L"ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus, &C::SetReadOnlyColorOnFocus).Default(false);
        p.Property(L"State", &C::State, &C::SetState).Default(cbUnchecked);
        p.Property(L"TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter).Default(false);
        p.Property(L"TabOrder", &C::TabOrder, &C::SetTabOrder);
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"TextHighlightColor", &C::TextHighlightColor, &C::SetTextHighlightColor).Default(clBtnHighlight);
        p.Property(L"TextShadowColor", &C::TextShadowColor, &C::SetTextShadowColor).Default(clBtnShadow);
        p.Property(L"TextShadowDepth", &C::TextShadowDepth, &C::SetTextShadowDepth).Default(2);
        p.Property(L"TextStyle", &C::TextStyle, &C::SetTextStyle).Default(tsNormal);
        p.Property(L"ThemeAware", &C::ThemeAware, &C::SetThemeAware).Default(true);
        p.Property(L"Transparent", &C::Transparent, &C::SetTransparent).Default(false);
        p.Property(L"TransparentColor", &C::TransparentColor, &C::SetTransparentColor).Default(TColor(0x008080));
        p.Property(L"UseCustomGlyphs", &C::UseCustomGlyphs, &C::SetUseCustomGlyphs).Default(false);
        p.Property(L"WinMaskColor", &C::WinMaskColor, &C::SetWinMaskColor).Default(TColor(0x00FF00));
    }

public:
    explicit TRzCheckBox(TComponent* AOwner) : TRzCustomCheckBox(AOwner) {}
};

// ---- The action link

// Follows the action's Checked while the box still shows it; setting it never clicks.
class TRzCheckedActionLink : public TWinControlActionLink {
    Z_CLASS(TRzCheckedActionLink, TWinControlActionLink)
public:
    // Raises EInvalidCast for a client that is no glyph button.
    void AssignClient(TObject* client) override;
    bool IsCheckedLinked() const override;
    void SetChecked(bool value) override;

private:
    TRzCustomGlyphButton* button_ = nullptr;
};

void InitializeRzCheckBox();
