#include "dxBarItemActionLink.h"

#include "dxBarItem.h"

namespace {

TdxBarItemVisible ItemVisibleOf(bool actionVisible) { return actionVisible ? ivAlways : ivNever; }

}  // namespace

void TdxBarItemActionLink::AssignClient(TObject* client) {
    auto* item = As<TdxBarItem>(client);
    if (!item) throw EInvalidCast(L"Invalid class typecast");
    client_ = item;
}

bool TdxBarItemActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() && client_->GetCaption() == CustomAction()->Caption();
}

bool TdxBarItemActionLink::IsCheckedLinked() const {
    bool down = false;
    return TActionLink::IsCheckedLinked() && GetButtonDown(client_, down) && down == CustomAction()->Checked();
}

bool TdxBarItemActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() && client_->GetEnabled() == CustomAction()->Enabled();
}

bool TdxBarItemActionLink::IsHelpContextLinked() const {
    return TActionLink::IsHelpContextLinked() && client_->HelpContext() == CustomAction()->HelpContext();
}

bool TdxBarItemActionLink::IsHintLinked() const {
    return TActionLink::IsHintLinked() && (client_->Hint() == CustomAction()->Hint() || client_->HintMatchesCaption());
}

bool TdxBarItemActionLink::IsImageIndexLinked() const {
    return TActionLink::IsImageIndexLinked() && client_->GetDisplayImageIndex() == CustomAction()->ImageIndex();
}

bool TdxBarItemActionLink::IsShortCutLinked() const {
    return TActionLink::IsShortCutLinked() && client_->ShortCut() == CustomAction()->ShortCut();
}

TdxBarItemVisible TdxBarItemActionLink::GetItemVisibility() const {
    return client_->IsLoading() ? client_->loadedVisible_ : client_->Visible();
}

bool TdxBarItemActionLink::IsVisibleLinked() const {
    return TActionLink::IsVisibleLinked() && GetItemVisibility() == ItemVisibleOf(CustomAction()->Visible());
}

bool TdxBarItemActionLink::IsOnExecuteLinked() const {
    return TActionLink::IsOnExecuteLinked() && SameCode(client_->OnClick, Action()->OnExecute());
}

void TdxBarItemActionLink::SetCaption(const String& value) {
    if (IsCaptionLinked()) client_->SetCaption(value);
}

void TdxBarItemActionLink::SetChecked(bool value) {
    if (IsCheckedLinked()) SetButtonDown(client_, value);
}

void TdxBarItemActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) client_->SetEnabled(value);
}

void TdxBarItemActionLink::SetHelpContext(THelpContext value) {
    if (IsHelpContextLinked()) client_->helpContext_ = value;
}

void TdxBarItemActionLink::SetHint(const String& value) {
    if (IsHintLinked()) client_->hint_ = value;
}

void TdxBarItemActionLink::SetImageIndex(int value) {
    if (IsImageIndexLinked()) client_->SetDisplayImageIndex(value);
}

void TdxBarItemActionLink::SetShortCut(TShortCut value) {
    if (IsShortCutLinked()) client_->SetShortCut(value);
}

void TdxBarItemActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) client_->SetVisible(ItemVisibleOf(value));
}

void TdxBarItemActionLink::SetOnExecute(const TNotifyEvent& value) {
    if (IsOnExecuteLinked()) client_->OnClick = value;
}
