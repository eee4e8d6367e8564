#pragma once
// TCustomEdit and TEdit: a single-line edit over the system's "EDIT" window class.
//
// Text lives in the window while there is one (TWinControl keeps it across re-creation); every
// change of the text, typed or set, fires OnChange once, reported by the window (EN_CHANGE).
// Alignment, CharCase, HideSelection and OEMConvert need a new window, which keeps the text.

#include "SystemControl.h"

Z_ENUM(TEditCharCase, Byte, ecNormal, ecUpperCase, ecLowerCase)

class TCustomEdit : public TSystemControl {
    Z_CLASS(TCustomEdit, TSystemControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CN_COMMAND, CNCommand), Z_MESSAGE(CM_ENTER, CMEnter),
                  Z_MESSAGE(CM_FONTCHANGED, CMFontChanged))
public:
    explicit TCustomEdit(TComponent* AOwner);

    TAlignment Alignment() const { return alignment_; }
    virtual void SetAlignment(TAlignment v);
    bool AutoSelect() const { return autoSelect_; }
    void SetAutoSelect(bool v) { autoSelect_ = v; }
    // Keeps the height to the font's line plus the borders.
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool v);
    TEditCharCase CharCase() const { return charCase_; }
    void SetCharCase(TEditCharCase v);
    bool HideSelection() const { return hideSelection_; }
    void SetHideSelection(bool v);
    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int v);
    bool OEMConvert() const { return oemConvert_; }
    void SetOEMConvert(bool v);
    wchar_t PasswordChar() const { return passwordChar_; }
    void SetPasswordChar(wchar_t v);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool v);
    bool Modified() const;
    void SetModified(bool v);

    // The selection; without a window the caret is at the start and nothing is selected.
    int SelStart() const;
    void SetSelStart(int v);
    int SelLength() const;
    void SetSelLength(int v);
    String SelText() const;
    void SetSelText(const String& v);
    void SelectAll();
    void Clear() { SetText(String()); }
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();

    TNotifyEvent OnChange;

protected:
    const wchar_t* SystemClassName() const override { return L"EDIT"; }
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    // The text changed; fires OnChange.
    virtual void Change() {
        if (OnChange) OnChange(this);
    }
    // Sets the height from the font when AutoSize is on.
    void AdjustHeight();

private:
    void CNCommand(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMFontChanged(TMessage& Message);
    DWORD Selection(DWORD* end) const;

    TAlignment alignment_ = taLeftJustify;
    bool autoSelect_ = true;
    bool autoSize_ = true;
    TEditCharCase charCase_ = ecNormal;
    bool hideSelection_ = true;
    int maxLength_ = 0;
    bool oemConvert_ = false;
    wchar_t passwordChar_ = 0;
    bool readOnly_ = false;
};

class TEdit : public TCustomEdit {
    Z_CLASS(TEdit, TCustomEdit)
    Z_PUBLISHED {
        using C = TEdit;
        p.Property(L"Caption", &C::Caption, &C::SetCaption).Stored(false);  // Text is stored
        p.Property(L"Text", &C::Text, &C::SetText);
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
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
        p.Event(L"OnChange", &C::OnChange);
    }

public:
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};
