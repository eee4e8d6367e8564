#include "ControlActionLink.h"

void TControlActionLink::AssignClient(TObject* client) {
    auto* control = As<TControl>(client);
    if (!control) throw EInvalidCast(L"Invalid class typecast");
    client_ = control;
}

bool TControlActionLink::IsCaptionLinked() const {
    return TActionLink::IsCaptionLinked() && client_->Caption() == CustomAction()->Caption();
}

bool TControlActionLink::IsEnabledLinked() const {
    return TActionLink::IsEnabledLinked() && client_->Enabled() == CustomAction()->Enabled();
}

bool TControlActionLink::IsHintLinked() const {
    return TActionLink::IsHintLinked() && client_->Hint() == CustomAction()->Hint();
}

bool TControlActionLink::IsVisibleLinked() const {
    return TActionLink::IsVisibleLinked() && client_->Visible() == CustomAction()->Visible();
}

bool TControlActionLink::IsOnExecuteLinked() const {
    return TActionLink::IsOnExecuteLinked() && client_->OnClick == Action()->OnExecute();
}

void TControlActionLink::SetCaption(const String& value) {
    if (IsCaptionLinked()) client_->SetCaption(value);
}

void TControlActionLink::SetEnabled(bool value) {
    if (IsEnabledLinked()) client_->SetEnabled(value);
}

void TControlActionLink::SetHint(const String& value) {
    if (IsHintLinked()) client_->SetHint(value);
}

void TControlActionLink::SetVisible(bool value) {
    if (IsVisibleLinked()) client_->SetVisible(value);
}

void TControlActionLink::SetOnExecute(const TNotifyEvent& value) {
    if (IsOnExecuteLinked()) client_->OnClick = value;
}
