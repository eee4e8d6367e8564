#pragma once
// TCustomLabel and TLabel: text painted on the parent. Its accelerator (the letter after '&')
// typed with Alt moves the focus to FocusControl.

#include "Control.h"

class TCustomLabel : public TGraphicControl {
    Z_CLASS(TCustomLabel, TGraphicControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged), Z_MESSAGE(CM_FONTCHANGED, CMFontChanged),
                  Z_MESSAGE(CM_DIALOGCHAR, CMDialogChar))
public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    // Sizes the label to its text (the width stays with WordWrap; a right-aligned label keeps
    // its right edge).
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    TTextLayout Layout() const { return layout_; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool v);
    // '&' marks the accelerator ("&&" is an ampersand); without, '&' is shown as it is.
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool v);
    TWinControl* FocusControl() const { return focusControl_; }
    void SetFocusControl(TWinControl* v);

protected:
    void Paint() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Sets the bounds from the text when AutoSize is on.
    void AdjustBounds();

private:
    void CMTextChanged(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    void CMDialogChar(TMessage& Message);
    UINT TextFlags() const;

    TAlignment alignment_ = taLeftJustify;
    bool autoSize_ = true;
    TTextLayout layout_ = tlTop;
    bool wordWrap_ = false;
    bool showAccelChar_ = true;
    bool transparent_ = false;
    TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
    Z_CLASS(TLabel, TCustomLabel)
    Z_PUBLISHED {
        using C = TLabel;
        p.Property(L"Alignment", &C::Alignment, &C::SetAlignment).Default(taLeftJustify);
        p.Property(L"AutoSize", &C::AutoSize, &C::SetAutoSize).Default(true);
        p.Property(L"Layout", &C::Layout, &C::SetLayout).Default(tlTop);
        p.Property(L"WordWrap", &C::WordWrap, &C::SetWordWrap).Default(false);
        p.Property(L"ShowAccelChar", &C::ShowAccelChar, &C::SetShowAccelChar).Default(true);
        p.Property(L"Transparent", &C::Transparent, &C::SetTransparent).Default(false);
        p.Property(L"FocusControl", &C::FocusControl, &C::SetFocusControl);
    }

public:
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
