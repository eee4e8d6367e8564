#pragma once
// TdxBarDateCombo: an edit item whose text is a date ("ddd " and the locale's short date when
// ShowDayText) and whose drop-down is a one-month date navigator; a click (without an OnClick
// handler) runs the modal "Выберите дату" dialog. Every stored text is parsed, clamped to
// MinDate..MaxDate (when either is set) and formatted again; text that is no date is empty.
// TdxBarDateComboControl: its control; '+' and '-' in the editor step the date by a day.

#include "dxBarCombo.h"
#include "dxBarComboControl.h"

class TdxBarDateNavigator;
class TEdit;
class TForm;

Z_ENUM(TdxBarDateOnStart, Byte, bdsToday, bdsNullDate, bdsCustom)

class TdxBarDateCombo : public TCustomdxBarCombo {
    Z_CLASS(TdxBarDateCombo, TCustomdxBarCombo)
    Z_PUBLISHED {
        p.Property(L"DateOnStart", &TdxBarDateCombo::DateOnStart, &TdxBarDateCombo::SetDateOnStart).Default(bdsToday);
        p.Property(L"MaxDate", &TdxBarDateCombo::MaxDate, &TdxBarDateCombo::SetMaxDate).Default(0);
        p.Property(L"MinDate", &TdxBarDateCombo::MinDate, &TdxBarDateCombo::SetMinDate).Default(0);
        p.Property(L"ShowTodayButton", &TdxBarDateCombo::ShowTodayButton, &TdxBarDateCombo::SetShowTodayButton)
            .Default(true);
        p.Property(L"ShowClearButton", &TdxBarDateCombo::ShowClearButton, &TdxBarDateCombo::SetShowClearButton)
            .Default(true);
        p.Property(L"ShowDayText", &TdxBarDateCombo::ShowDayText, &TdxBarDateCombo::SetShowDayText).Default(true);
        p.Property(L"Text", &TdxBarDateCombo::GetText, &TdxBarDateCombo::SetText).Stored(&TdxBarDateCombo::IsTextStored);
    }

public:
    explicit TdxBarDateCombo(TComponent* owner);
    ~TdxBarDateCombo() override;

    TdxBarDateOnStart DateOnStart() const { return dateOnStart_; }
    void SetDateOnStart(TdxBarDateOnStart value);
    TDateTime MaxDate() const { return maxDate_; }
    // A maximum not above MinDate becomes MinDate; the date is clamped again.
    void SetMaxDate(TDateTime value);
    TDateTime MinDate() const { return minDate_; }
    // A minimum not below MaxDate becomes MaxDate (so set MaxDate first); the date is clamped again.
    void SetMinDate(TDateTime value);
    bool ShowTodayButton() const { return showTodayButton_; }
    void SetShowTodayButton(bool value) { showTodayButton_ = value; }
    bool ShowClearButton() const { return showClearButton_; }
    void SetShowClearButton(bool value) { showClearButton_ = value; }
    bool ShowDayText() const { return showDayText_; }
    void SetShowDayText(bool value);

    TDateTime GetDate() const { return ParseComboDate(GetText()); }
    void SetDate(TDateTime value);
    void SetText(const String& value) override;

    // The text rules: NullDate is an empty text; a leading weekday name is skipped when read.
    String FormatComboDate(TDateTime date) const;
    static TDateTime ParseComboDate(const String& text);
    TDateTime ClampComboDate(TDateTime date) const;

    TdxBarDateNavigator* DatePopup() const { return datePopup_; }
    bool CheckKeyForDropDownWindow(Word key, TShiftState shift) override;
    HWND GetDropDownWindow() override;
    void DropDown(int x, int y) override;
    void CloseUp() override;
    void CallClickHandler() override;
    // The modal dialog's navigator was double-clicked on a date: the dialog closes with OK.
    void CloseDateDialog();
    TForm* DateDialog() const { return dialogForm_; }

protected:
    void Loaded() override;

private:
    bool IsTextStored() const { return dateOnStart_ == bdsCustom; }
    // Writes the text without turning DateOnStart to bdsCustom.
    void SetDateInternally(TDateTime value);
    void ApplyDateOnStart();
    void ReclampDate();
    void PopupDateSelected(TObject* sender);
    void RunDateDialog();
    void DialogEditChanged(TObject* sender);
    void DialogDateSelected(TObject* sender);
    void DialogButtonClick(TObject* sender);

    TdxBarDateOnStart dateOnStart_ = bdsToday;
    TdxBarDateNavigator* datePopup_ = nullptr;
    TdxBarDateNavigator* dialogNavigator_ = nullptr;
    TEdit* dialogEdit_ = nullptr;
    TForm* dialogForm_ = nullptr;
    bool internalUpdate_ = false;
    TDateTime minDate_ = 0, maxDate_ = 0;
    bool showDayText_ = true, showTodayButton_ = true, showClearButton_ = true;
};

class TdxBarDateComboControl : public TCustomdxBarComboControl {
    Z_CLASS(TdxBarDateComboControl, TCustomdxBarComboControl)
public:
    explicit TdxBarDateComboControl(TdxBarItemLink* link) : TCustomdxBarComboControl(link) {}
    TdxBarDateCombo* DateCombo() const;

protected:
    void HandleEditMessage(TMessage& message) override;
};
