#pragma once
// TRzCustomComboBox: the library's combo box. It adds to the platform's combo box incremental
// search in the list styles, auto-completion in the edit styles, a read-only mode, the colour
// states of the framed controls, a custom frame with hot tracking, a flat drop-down button, a
// text hint, an automatically sized drop-down list and events for matches and for texts not in
// the list. TRzComboBox publishes it and keeps a list of values beside the entries.
//
// Sections: the search interval; TRzCustomComboBox (properties, colours and frame, search and
// completion, keys and mouse, painting, messages); TRzComboBox.

#include "ComboBox.h"
#include "RzCommon.h"
#include "RzFrameController.h"
#include "RzFramedColors.h"

class TTimer;

// ---- the search interval

// The time within which typed characters add to one incremental search (process-wide; 1500 ms).
int ComboSearchInterval();
void SetComboSearchInterval(int milliseconds);

using TRzDeleteComboItemEvent = TEvent<void(TObject* Sender, void* Item)>;

// ---- TRzCustomComboBox

class TRzCustomComboBox : public TCustomComboBox {
    Z_CLASS(TRzCustomComboBox, TCustomComboBox)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_PAINT, WMPaint), Z_MESSAGE(WM_CHAR, WMChar), Z_MESSAGE(WM_KEYDOWN, WMKeyDown),
                  Z_MESSAGE(WM_LBUTTONDOWN, WMLButtonDown), Z_MESSAGE(WM_LBUTTONDBLCLK, WMLButtonDown),
                  Z_MESSAGE(WM_CUT, WMCut), Z_MESSAGE(WM_PASTE, WMPaste), Z_MESSAGE(WM_SIZE, WMSize),
                  Z_MESSAGE(WM_DELETEITEM, WMDeleteItem), Z_MESSAGE(CN_DRAWITEM, CNDrawItem),
                  Z_MESSAGE(CN_COMMAND, CNCommand), Z_MESSAGE(CM_ENTER, CMEnter), Z_MESSAGE(CM_EXIT, CMExit),
                  Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter), Z_MESSAGE(CM_MOUSELEAVE, CMMouseLeave),
                  Z_MESSAGE(CM_COLORCHANGED, CMColorChanged), Z_MESSAGE(CM_PARENTCOLORCHANGED, CMParentColorChanged),
                  Z_MESSAGE(CM_ENABLEDCHANGED, CMEnabledChanged), Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged),
                  Z_MESSAGE(CM_WANTSPECIALKEY, CMWantSpecialKey))

public:
    explicit TRzCustomComboBox(TComponent* AOwner);
    ~TRzCustomComboBox() override;

    // -- behaviour --
    bool AutoComplete() const { return autoComplete_; }
    void SetAutoComplete(bool v) { autoComplete_ = v; }
    // Without AllowEdit only texts that complete to an entry can be typed.
    bool AllowEdit() const { return allowEdit_; }
    void SetAllowEdit(bool v) { allowEdit_ = v; }
    bool BeepOnInvalidKey() const { return beepOnInvalidKey_; }
    void SetBeepOnInvalidKey(bool v) { beepOnInvalidKey_ = v; }
    bool KeepSearchCase() const { return keepSearchCase_; }
    void SetKeepSearchCase(bool v) { keepSearchCase_ = v; }
    // 0: as wide as the widest entry needs.
    int DropDownWidth() const { return dropDownWidth_; }
    void SetDropDownWidth(int v) { dropDownWidth_ = v; }
    bool TabOnEnter() const { return tabOnEnter_; }
    void SetTabOnEnter(bool v) { tabOnEnter_ = v; }
    bool ReadOnly() const { return readOnly_; }
    virtual void SetReadOnly(bool v);
    const String& TextHint() const { return textHint_; }
    void SetTextHint(const String& v);
    // The text typed so far for the search.
    const String& SearchString() const { return searchString_; }

    // -- colours --
    TColor DisabledColor() const { return colors_.Disabled; }
    virtual void SetDisabledColor(TColor v);
    TColor FocusColor() const { return colors_.Focus; }
    virtual void SetFocusColor(TColor v);
    TColor ReadOnlyColor() const { return colors_.ReadOnly; }
    virtual void SetReadOnlyColor(TColor v);
    bool ReadOnlyColorOnFocus() const { return colors_.ReadOnlyOnFocus; }
    void SetReadOnlyColorOnFocus(bool v);
    TColor NormalColor() const { return colors_.Normal; }

    // -- frame --
    bool FlatButtons() const { return flatButtons_; }
    virtual void SetFlatButtons(bool v) {
        if (AssignIfChanged(flatButtons_, v)) Invalidate();
    }
    TColor FlatButtonColor() const { return flatButtonColor_; }
    virtual void SetFlatButtonColor(TColor v) {
        if (AssignIfChanged(flatButtonColor_, v)) Invalidate();
    }
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor v) {
        if (AssignIfChanged(frameColor_, v)) Invalidate();
    }
    TColor FrameHotColor() const { return frameHotColor_; }
    virtual void SetFrameHotColor(TColor v) {
        if (AssignIfChanged(frameHotColor_, v)) Invalidate();
    }
    bool FrameHotTrack() const { return frameHotTrack_; }
    virtual void SetFrameHotTrack(bool v);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    virtual void SetFrameHotStyle(TFrameStyle v) {
        if (AssignIfChanged(frameHotStyle_, v)) Invalidate();
    }
    TSides FrameSides() const { return frameSides_; }
    virtual void SetFrameSides(TSides v) {
        if (AssignIfChanged(frameSides_, v)) Invalidate();
    }
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle v) {
        if (AssignIfChanged(frameStyle_, v)) Invalidate();
    }
    bool FrameVisible() const { return frameVisible_; }
    virtual void SetFrameVisible(bool v);
    TFramingPreference FramingPreference() const { return framingPreference_; }
    virtual void SetFramingPreference(TFramingPreference v);
    TRzFrameController* FrameController() const { return frameController_; }
    virtual void SetFrameController(TRzFrameController* v);
    TRzFrameControllerNotifications FrameControllerNotifications() const { return frameControllerNotifications_; }
    void SetFrameControllerNotifications(TRzFrameControllerNotifications v) { frameControllerNotifications_ = v; }
    virtual bool UsingXPThemes() const;

    // -- state --
    bool InControl() const { return inControl_; }
    bool OverControl() const { return overControl_; }
    bool Focused() const override { return isFocused_; }
    // The width the last drop-down gave its list.
    int ActualDropDownWidth() const { return actualDropDownWidth_; }

    // The first entry that begins with text (without letter case); -1 when none does.
    virtual int FindItem(const String& text);
    virtual int IndexOfText(const String& text);
    // Sets Text without completing it.
    virtual void SetTextWithoutCompletion(const String& text);

    TRzDeleteComboItemEvent OnDeleteItem;
    TNotifyEvent OnMatch, OnNotInList, OnSelEndCancel, OnSelEndOk;

protected:
    virtual void UpdateColors();
    virtual void UpdateFrame(bool isMouse, bool value);
    // A key that cannot be taken: a beep (with BeepOnInvalidKey).
    virtual void InvalidKeyPressed();
    // Selects the first entry that begins with text, or beeps when none does.
    virtual void SearchAndSelect(const String& text);
    // Completes text to the first entry that begins with it; false when none does.
    virtual bool AutoCompleteSearch(const String& text);
    virtual void DoDeleteItem(void* item) {
        if (OnDeleteItem) OnDeleteItem(this, item);
    }
    virtual void UpdateTextHint();
    virtual void DoMatch() {
        if (OnMatch) OnMatch(this);
    }
    virtual void DoNotInList() {
        if (OnNotInList) OnNotInList(this);
    }
    virtual void DoSelEndCancel() {
        if (OnSelEndCancel) OnSelEndCancel(this);
    }
    virtual void DoSelEndOk() {
        if (OnSelEndOk) OnSelEndOk(this);
    }
    // Whether the entry drawing marks the selected entry with a dotted focus border.
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool v) { showFocus_ = v; }

    void CreateWnd() override;
    void Loaded() override;
    void DropDown() override;
    void CloseUp() override;
    void KeyPress(wchar_t& Key) override;
    bool DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos) override;
    void EditWndProc(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void DefineProperties(TFiler* filer) override;
    bool StoredUnlessControlled(TRzFrameControllerProperty p) const;
    bool IsColorStored() const { return Enabled() && StoredUnlessControlled(fcpColor); }
    bool IsFocusColorStored() const;
    bool IsDisabledColorStored() const { return StoredUnlessControlled(fcpDisabledColor); }
    bool IsReadOnlyColorStored() const { return StoredUnlessControlled(fcpReadOnlyColor); }
    bool IsReadOnlyColorOnFocusStored() const { return StoredUnlessControlled(fcpReadOnlyColorOnFocus); }
    bool IsFlatButtonColorStored() const { return StoredUnlessControlled(fcpFlatButtonColor); }
    bool IsFlatButtonsStored() const { return StoredUnlessControlled(fcpFlatButtons); }
    bool IsFrameColorStored() const { return StoredUnlessControlled(fcpFrameColor); }
    bool IsFrameHotColorStored() const { return StoredUnlessControlled(fcpFrameHotColor); }
    bool IsFrameHotTrackStored() const { return StoredUnlessControlled(fcpFrameHotTrack); }
    bool IsFrameHotStyleStored() const { return StoredUnlessControlled(fcpFrameHotStyle); }
    bool IsFrameSidesStored() const { return StoredUnlessControlled(fcpFrameSides); }
    bool IsFrameStyleStored() const { return StoredUnlessControlled(fcpFrameStyle); }
    bool IsFrameVisibleStored() const { return StoredUnlessControlled(fcpFrameVisible); }
    bool IsFramingPreferenceStored() const { return StoredUnlessControlled(fcpFramingPreference); }

    void WMPaint(TMessage& Message);
    void WMChar(TMessage& Message);
    void WMKeyDown(TMessage& Message);
    void WMLButtonDown(TMessage& Message);
    void WMCut(TMessage& Message);
    void WMPaste(TMessage& Message);
    void WMSize(TMessage& Message);
    void WMDeleteItem(TMessage& Message);
    void CNDrawItem(TMessage& Message);
    void CNCommand(TMessage& Message);
    void CMEnter(TMessage& Message);
    void CMExit(TMessage& Message);
    void CMMouseEnter(TMessage& Message);
    void CMMouseLeave(TMessage& Message);
    void CMColorChanged(TMessage& Message);
    void CMParentColorChanged(TMessage& Message);
    void CMEnabledChanged(TMessage& Message);
    void CMTextChanged(TMessage& Message);
    void CMWantSpecialKey(TMessage& Message);

private:
    void SearchTimerFired(TObject*);
    // Incremental search of the list styles: a character typed on the combo window.
    void SearchKey(wchar_t key);
    // Auto-completion of the edit styles: the edit part's key and character messages; true when
    // the message was taken.
    bool CompletionKeyDown(TMessage& Message);
    bool CompletionChar(TMessage& Message);
    // The read-only filter of the edit part's messages; true when the message is dropped.
    bool ReadOnlyDropsEditMessage(TMessage& Message);
    void PaintFrame(HDC dc);
    void FireClickAndChange();
    void SetEditSelection(int start, int end);

    bool autoComplete_ = true;
    bool allowEdit_ = true;
    bool beepOnInvalidKey_ = true;
    bool flatButtons_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool updatingColor_ = false;
    TRzColorStates colors_;
    TColor frameColor_ = clBtnShadow;
    TRzFrameController* frameController_ = nullptr;
    TRzFrameControllerNotifications frameControllerNotifications_ = fcpAllProperties;
    TColor frameHotColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = sdAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    bool keepSearchCase_ = false;
    String searchString_;
    int dropDownWidth_ = 0;
    int keyCount_ = 0;
    TTimer* searchTimer_;
    bool tabOnEnter_ = false;
    bool typing_ = false;
    bool enterPressed_ = false;
    bool readOnly_ = false;
    bool sysKeyDown_ = false;
    String textHint_;
    bool inControl_ = false;
    bool overControl_ = false;
    bool showFocus_ = true;
    bool isFocused_ = false;
    bool pasting_ = false;
    int actualDropDownWidth_ = 0;
};

// ---- TRzComboBox

class TRzComboBox : public TRzCustomComboBox {
    Z_CLASS(TRzComboBox, TRzCustomComboBox)
    Z_PUBLISHED {
        using C = TRzComboBox;
        p.Property(L"Caption", &C::Caption, &C::SetCaption).Stored(false);  // Text is stored
        p.Property(L"TabStop", &C::TabStop, &C::SetTabStop).Default(true);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"Color", &C::Color, &C::SetColor).Stored(&C::IsColorStored);
        p.Property(L"Style", &C::Style, &C::SetStyle).Default(csDropDown);
        p.Property(L"ItemHeight", &C::ItemHeight, &C::SetItemHeight).Default(16);
        p.Property(L"DropDownCount", &C::DropDownCount, &C::SetDropDownCount).Default(8);
        p.Property(L"AutoDropDown", &C::AutoDropDown, &C::SetAutoDropDown).Default(false);
        p.Property(L"AutoCloseUp", &C::AutoCloseUp, &C::SetAutoCloseUp).Default(false);
        p.Property(L"CharCase", &C::CharCase, &C::SetCharCase).Default(ecNormal);
        p.Property(L"Sorted", &C::Sorted, &C::SetSorted).Default(false);
        p.Property(L"MaxLength", &C::MaxLength, &C::SetMaxLength).Default(0);
        p.Property(L"Items", &C::Items, &C::SetItems);
        p.Property(L"ItemIndex", &C::ItemIndex, &C::SetItemIndex).Default(-1);
        p.Property(L"Text", &C::Text, &C::SetText);
        p.Property(L"Values", &C::Values, &C::SetValues);
        p.Property(L"AllowEdit", &C::AllowEdit, &C::SetAllowEdit).Default(true);
        p.Property(L"AutoComplete", &C::AutoComplete, &C::SetAutoComplete).Default(true);
        p.Property(L"BeepOnInvalidKey", &C::BeepOnInvalidKey, &C::SetBeepOnInvalidKey).Default(true);
        p.Property(L"DisabledColor", &C::DisabledColor, &C::SetDisabledColor)
            .Default(clBtnFace)
            .Stored(&C::IsDisabledColorStored);
        p.Property(L"DropDownWidth", &C::DropDownWidth, &C::SetDropDownWidth).Default(0);
        p.Property(L"FlatButtonColor", &C::FlatButtonColor, &C::SetFlatButtonColor)
            .Default(clBtnFace)
            .Stored(&C::IsFlatButtonColorStored);
        p.Property(L"FlatButtons", &C::FlatButtons, &C::SetFlatButtons).Default(false).Stored(&C::IsFlatButtonsStored);
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
        p.Property(L"KeepSearchCase", &C::KeepSearchCase, &C::SetKeepSearchCase).Default(false);
        p.Property(L"ReadOnly", &C::ReadOnly, &C::SetReadOnly).Default(false);
        p.Property(L"ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor)
            .Default(clInfoBk)
            .Stored(&C::IsReadOnlyColorStored);
        p.Property(L"ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus, &C::SetReadOnlyColorOnFocus)
            .Default(false)
            .Stored(&C::IsReadOnlyColorOnFocusStored);
        p.Property(L"TabOnEnter", &C::TabOnEnter, &C::SetTabOnEnter).Default(false);
        p.Property(L"TextHint", &C::TextHint, &C::SetTextHint);
        p.Event(L"OnChange", &C::OnChange);
        p.Event(L"OnSelect", &C::OnSelect);
        p.Event(L"OnDropDown", &C::OnDropDown);
        p.Event(L"OnCloseUp", &C::OnCloseUp);
        p.Event(L"OnDrawItem", &C::OnDrawItem);
        p.Event(L"OnMeasureItem", &C::OnMeasureItem);
        p.Event(L"OnDeleteItem", &C::OnDeleteItem);
        p.Event(L"OnMatch", &C::OnMatch);
        p.Event(L"OnNotInList", &C::OnNotInList);
        p.Event(L"OnSelEndCancel", &C::OnSelEndCancel);
        p.Event(L"OnSelEndOk", &C::OnSelEndOk);
    }

public:
    explicit TRzComboBox(TComponent* AOwner);
    ~TRzComboBox() override;

    // Values beside the entries: Values[i] stands for entry i when it is not empty.
    TStrings* Values() const { return values_; }
    void SetValues(TStrings* v) { values_->Assign(v); }
    // Values[i] when set, else the entry's text.
    virtual String GetItemValue(int index);
    // The value of the entry chosen (or typed), else the text.
    virtual String GetValue();
    // Chooses the first entry whose value is v (none: -1).
    virtual void SetValue(const String& v) { ApplyValue(v, false); }
    void SetItemHeight(int v) override;

protected:
    void Change() override;
    void DoClick() override;

private:
    void ApplyValue(const String& v, bool force);
    void ValuesChanged(TObject*);

    String value_;
    TStringList* values_;
    bool inSetValue_ = false;
    bool forceSetValue_ = false;
};

void InitializeRzComboBox();
