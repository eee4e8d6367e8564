// Sections: TdxBarDateCombo (date text rules, setters, drop-down, the modal dialog) ·
// TdxBarDateComboControl ('+' and '-').

#include "dxBarDateCombo.h"

#include <memory>

#include "Button.h"
#include "CustomEdit.h"
#include "DateUtils.h"
#include "Font.h"
#include "Form.h"
#include "cxDateText.h"
#include "cxDateUtils.h"
#include "cxObjectLinks.h"
#include "dxBarDateNavigator.h"
#include "dxBarExtItemsShared.h"
#include "dxBarItemLinks.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxCustomBarControl.h"

// ---- TdxBarDateCombo: the date text rules --------------------------------------------------------

TdxBarDateCombo::TdxBarDateCombo(TComponent* owner) : TCustomdxBarCombo(owner) {
    LoadExtItemGlyph(Glyph(), L"DXBARDATECOMBO");
    SetDateInternally(Date());
    // Owned by the item but not as a component: it is no part of the form description.
    datePopup_ = new TdxBarDateNavigator(nullptr, this, true);
}

TdxBarDateCombo::~TdxBarDateCombo() { FreeAndNil(datePopup_); }

String TdxBarDateCombo::FormatComboDate(TDateTime date) const {
    if (date == NullDate) return String();
    const String text = DateToDisplayText(date);
    return showDayText_ ? LocaleShortDayName(DayOfWeek(date)) + L" " + text : text;
}

TDateTime TdxBarDateCombo::ParseComboDate(const String& text) {
    String rest = text;
    for (int day = 1; day <= 7; ++day) {
        const String name = LocaleShortDayName(day);
        if (name.empty() || rest.find(name + L" ") == String::npos) continue;
        rest.erase(0, rest.find(L' ') + 1);
        break;
    }
    return TextToDateValue(rest);
}

TDateTime TdxBarDateCombo::ClampComboDate(TDateTime date) const {
    if (minDate_ == 0 && maxDate_ == 0) return date;
    // NullDate is a value like any other here: with bounds set it becomes MinDate.
    if (date <= minDate_) date = minDate_;
    if (date >= maxDate_) date = maxDate_;
    return date;
}

void TdxBarDateCombo::SetDate(TDateTime value) { SetText(FormatComboDate(ClampComboDate(value))); }

void TdxBarDateCombo::SetDateInternally(TDateTime value) {
    const bool saved = internalUpdate_;
    internalUpdate_ = true;
    try {
        SetDate(value);
    } catch (...) {
        internalUpdate_ = saved;
        throw;
    }
    internalUpdate_ = saved;
}

void TdxBarDateCombo::SetText(const String& value) {
    const String text = FormatComboDate(ClampComboDate(ParseComboDate(value)));
    if (!internalUpdate_) dateOnStart_ = bdsCustom;
    TCustomdxBarCombo::SetText(text);
}

// ---- TdxBarDateCombo: setters ----------------------------------------------------------------------

void TdxBarDateCombo::ApplyDateOnStart() {
    switch (dateOnStart_) {
        case bdsToday: SetDateInternally(Date()); break;
        case bdsNullDate: SetDateInternally(NullDate); break;
        case bdsCustom: SetDateInternally(GetDate()); break;
    }
}

void TdxBarDateCombo::SetDateOnStart(TdxBarDateOnStart value) {
    dateOnStart_ = value;
    ApplyDateOnStart();
}

void TdxBarDateCombo::Loaded() {
    ApplyDateOnStart();
    TCustomdxBarCombo::Loaded();
}

void TdxBarDateCombo::ReclampDate() {
    const TDateTime date = GetDate(), clamped = ClampComboDate(date);
    if (clamped != date) SetDateInternally(clamped);
}

void TdxBarDateCombo::SetMinDate(TDateTime value) {
    if (value >= maxDate_) value = maxDate_;
    if (value == minDate_) return;
    minDate_ = value;
    ReclampDate();
}

void TdxBarDateCombo::SetMaxDate(TDateTime value) {
    if (value <= minDate_) value = minDate_;
    if (value == maxDate_) return;
    maxDate_ = value;
    ReclampDate();
}

void TdxBarDateCombo::SetShowDayText(bool value) {
    if (value == showDayText_) return;
    const TDateTime date = GetDate();
    showDayText_ = value;
    SetDateInternally(date);
}

// ---- TdxBarDateCombo: the drop-down --------------------------------------------------------------------

bool TdxBarDateCombo::CheckKeyForDropDownWindow(Word key, TShiftState shift) {
    return key == VK_RETURN || TCustomdxBarCombo::CheckKeyForDropDownWindow(key, shift);
}

HWND TdxBarDateCombo::GetDropDownWindow() {
    if (HWND window = TCustomdxBarCombo::GetDropDownWindow()) return window;
    return datePopup_ && datePopup_->HandleAllocated() ? datePopup_->Handle() : nullptr;
}

void TdxBarDateCombo::DropDown(int x, int y) {
    TDateTime date = GetDate();
    if (date == NullDate) date = Date();
    datePopup_->SetFirstDate(date);
    datePopup_->SelectDate(date);
    datePopup_->OnDateSelected = MakeEvent(this, &TdxBarDateCombo::PopupDateSelected);
    datePopup_->SetShowTodayButton(showTodayButton_);
    datePopup_->SetShowClearButton(showClearButton_);
    TdxBarItemLink* link = GetEditingLink();
    TCustomdxBarControl* bar = link ? link->GetBarControl() : nullptr;
    HWND owner = bar && bar->HandleAllocated() ? bar->Handle() : nullptr;
    if (datePopup_->ParentWindow() != owner) {
        datePopup_->SetParentWindow(nullptr);
        datePopup_->SetParentWindow(owner);
    }
    datePopup_->HandleNeeded();
    // The buttons may have come or gone: the size follows.
    SendMessageW(datePopup_->Handle(), WM_SIZE, 0, 0);
    TCustomdxBarCombo::DropDown(x, y);
}

void TdxBarDateCombo::CloseUp() {
    if (datePopup_->HandleAllocated() && IsWindowVisible(datePopup_->Handle())) {
        if (GetCapture() == datePopup_->Handle()) ReleaseCapture();
        datePopup_->CancelTracking();
    }
    TCustomdxBarCombo::CloseUp();
    datePopup_->SetParentWindow(nullptr);
}

void TdxBarDateCombo::PopupDateSelected(TObject*) {
    TcxObjectLinkGuard self(this);
    const TDateTime chosen = datePopup_->GetSelectionStart();
    if (TdxBarItemLink* link = GetEditingLink()) {
        if (TdxBarItemLink* source = link->GetSourceLink()) source->MarkUsed(true);
        CloseActiveBarControlMenus();
        if (!self.Alive()) return;
        // A bar window that stays shown still ends the editing (and the drop-down).
        if (TdxBarItemLink* still = GetEditingLink())
            if (auto* control = As<TCustomdxBarComboControl>(still->Control())) control->ControlInactivate(true);
        if (!self.Alive()) return;
    }
    SetDate(chosen);
}

// ---- TdxBarDateCombo: the modal dialog ------------------------------------------------------------------

void TdxBarDateCombo::CallClickHandler() {
    const bool dialog = !OnClick && !ReadOnly();
    TcxObjectLinkGuard self(this);
    TCustomdxBarCombo::CallClickHandler();
    if (self.Alive() && dialog) RunDateDialog();
}

void TdxBarDateCombo::CloseDateDialog() {
    if (dialogForm_) dialogForm_->SetModalResult(mrOk);
}

void TdxBarDateCombo::DialogEditChanged(TObject*) {
    const String text = dialogEdit_->Text();
    const TDateTime date = ParseComboDate(text);
    if (date == NullDate && !text.empty()) return;
    dialogNavigator_->SelectDate(date);
}

void TdxBarDateCombo::DialogDateSelected(TObject*) {
    dialogEdit_->SetText(FormatComboDate(dialogNavigator_->GetSelectionStart()));
}

void TdxBarDateCombo::DialogButtonClick(TObject* sender) {
    auto* button = static_cast<TButton*>(sender);
    dialogNavigator_->SelectDate(button->Tag() == 1 ? Date() : NullDate);
    DialogDateSelected(dialogNavigator_);
}

void TdxBarDateCombo::RunDateDialog() {
    TcxObjectLinkGuard self(this);
    std::unique_ptr<TForm> form(new TForm(nullptr, CreateNew));
    dialogForm_ = form.get();
    struct TForget {
        TdxBarDateCombo* combo;
        TcxObjectLinkGuard& alive;
        ~TForget() {
            if (!alive.Alive()) return;
            combo->dialogForm_ = nullptr;
            combo->dialogEdit_ = nullptr;
            combo->dialogNavigator_ = nullptr;
        }
    } forget{this, self};
    form->SetBorderStyle(bsDialog);
    form->SetCaption(BarString(dxSBAR_DATEDIALOGCAPTION));
    if (TdxBarManager* manager = BarManager()) form->Font()->Assign(manager->Font());
    form->SetPosition(poScreenCenter);

    auto* edit = new TEdit(form.get());
    edit->SetParent(form.get());
    dialogEdit_ = edit;
    auto* navigator = new TdxBarDateNavigator(form.get(), this, false);
    navigator->SetLook(0);
    navigator->Font()->Assign(form->Font());
    navigator->SetParent(form.get());
    navigator->HandleNeeded();
    navigator->OnDateSelected = MakeEvent(this, &TdxBarDateCombo::DialogDateSelected);
    dialogNavigator_ = navigator;

    auto makeButton = [&](const String& caption, int tag) {
        auto* button = new TButton(form.get());
        button->SetParent(form.get());
        button->SetCaption(caption);
        button->SetTag(tag);
        if (tag) button->OnClick = MakeEvent(this, &TdxBarDateCombo::DialogButtonClick);
        return button;
    };
    TButton* ok = makeButton(BarString(dxSBAR_DIALOGOK), 0);
    ok->SetDefault(true);
    ok->SetModalResult(mrOk);
    TButton* cancel = makeButton(BarString(dxSBAR_DIALOGCANCEL), 0);
    cancel->SetCancel(true);
    cancel->SetModalResult(mrCancel);
    TButton* today = showTodayButton_ ? makeButton(BarString(dxSBAR_DATETODAY), 1) : nullptr;
    TButton* clear = showClearButton_ ? makeButton(BarString(dxSBAR_DATECLEAR), 2) : nullptr;

    const int f = navigator->ButtonsHeight() / 4;
    const int bw = MulDiv(navigator->TodayButtonWidth(), 3, 2), bh = MulDiv(navigator->ButtonsHeight(), 7, 6);
    edit->SetBounds(f, f, navigator->Width(), edit->Height());
    navigator->SetBounds(f, edit->Top() + edit->Height() + f, navigator->Width(), navigator->Height());
    form->SetClientWidth(navigator->Width() + bw + 3 * f);
    form->SetClientHeight(edit->Height() + navigator->Height() + 3 * f);
    const int buttonsLeft = edit->Left() + edit->Width() + f;
    ok->SetBounds(buttonsLeft, f, bw, bh);
    cancel->SetBounds(buttonsLeft, ok->Top() + bh + f, bw, bh);
    if (today) today->SetBounds(buttonsLeft, form->ClientHeight() - 2 * f - 2 * bh, bw, bh);
    if (clear) clear->SetBounds(buttonsLeft, form->ClientHeight() - f - bh, bw, bh);

    edit->SetText(FormatComboDate(GetDate()));
    DialogEditChanged(edit);
    edit->OnChange = MakeEvent(this, &TdxBarDateCombo::DialogEditChanged);
    const TModalResult result = form->ShowModal();
    if (!self.Alive()) return;
    if (result == mrOk) SetDate(ParseComboDate(edit->Text()));
}

// ---- TdxBarDateComboControl ------------------------------------------------------------------------------

TdxBarDateCombo* TdxBarDateComboControl::DateCombo() const { return As<TdxBarDateCombo>(Item()); }

void TdxBarDateComboControl::HandleEditMessage(TMessage& message) {
    TdxBarDateCombo* combo = DateCombo();
    if (combo && message.Msg == WM_CHAR && (message.WParam == L'+' || message.WParam == L'-')) {
        // The sign never reaches the editor, also when it holds no date.
        String text;
        ReadEditText(text);
        const TDateTime date = TdxBarDateCombo::ParseComboDate(text);
        if (date != NullDate) WriteEditText(combo->FormatComboDate(date + (message.WParam == L'+' ? 1 : -1)));
        return;
    }
    TCustomdxBarComboControl::HandleEditMessage(message);
}
