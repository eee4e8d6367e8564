#include "Actions.h"

#include <algorithm>

#include "Application.h"
#include "ImageList.h"

// Sections: links; TBasicAction; TContainedAction; TActionList; TCustomAction.

// ---- links ----

TBasicActionLink::~TBasicActionLink() { SetAction(nullptr); }

void TBasicActionLink::SetAction(TBasicAction* value) {
    if (action_ == value) return;
    if (action_) action_->UnRegisterChanges(this);
    action_ = value;
    if (value) value->RegisterChanges(this);
}

void TBasicActionLink::Change() {
    if (OnChange) OnChange(action_);
}

bool TBasicActionLink::Execute(TComponent* component) {
    if (!action_) return false;
    TBasicAction* action = action_;
    action->SetActionComponent(component);
    struct TResetComponent {
        TBasicAction* action;
        TBasicActionLink* link;
        ~TResetComponent() {
            // The handler may have freed the action (its link then holds none).
            if (link->action_ == action) action->SetActionComponent(nullptr);
        }
    } reset{action, this};
    return action->Execute();
}

bool TBasicActionLink::Update() { return action_ && action_->Update(); }

TBasicActionLink* NewActionLink(TClass linkClass, TObject* client) {
    TObject* made = linkClass->Create();
    auto* link = As<TBasicActionLink>(made);
    if (!link) {
        FreeObject(made);
        throw EInvalidCast(linkClass->ClassName() + L" is not an action link class");
    }
    try {
        link->AssignClient(client);
    } catch (...) {
        FreeObject(link);
        throw;
    }
    return link;
}

bool TActionLink::IsCustomAction() const { return Is<TCustomAction>(Action()); }
bool TActionLink::IsCaptionLinked() const { return IsCustomAction(); }
bool TActionLink::IsCheckedLinked() const { return IsCustomAction(); }
bool TActionLink::IsEnabledLinked() const { return IsCustomAction(); }
bool TActionLink::IsHelpContextLinked() const { return IsCustomAction(); }
bool TActionLink::IsHintLinked() const { return IsCustomAction(); }
bool TActionLink::IsImageIndexLinked() const { return IsCustomAction(); }
bool TActionLink::IsShortCutLinked() const { return IsCustomAction(); }
bool TActionLink::IsVisibleLinked() const { return IsCustomAction(); }
bool TActionLink::IsOnExecuteLinked() const { return IsCustomAction(); }

// ---- TBasicAction ----

void TBasicAction::BeforeDestruction() {
    // Component clients hear of it through the free notification and drop their links; links
    // of other clients just forget the action.
    TComponent::BeforeDestruction();
    while (!clients_.empty()) clients_.back()->SetAction(nullptr);
}

bool TBasicAction::Execute() {
    if (!onExecute_) return false;
    onExecute_(this);
    return true;
}

bool TBasicAction::Update() {
    if (!OnUpdate) return false;
    OnUpdate(this);
    return true;
}

void TBasicAction::SetActionComponent(TComponent* v) {
    if (actionComponent_ == v) return;
    if (actionComponent_) actionComponent_->RemoveFreeNotification(this);
    actionComponent_ = v;
    if (v) v->FreeNotification(this);
}

void TBasicAction::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == actionComponent_) actionComponent_ = nullptr;
}

void TBasicAction::SetOnExecute(const TNotifyEvent& v) {
    if (onExecute_ == v) return;
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_))
        if (auto* l = As<TActionLink>(link)) l->SetOnExecute(v);
    onExecute_ = v;
}

void TBasicAction::RegisterChanges(TBasicActionLink* link) {
    if (std::find(clients_.begin(), clients_.end(), link) == clients_.end()) clients_.push_back(link);
}

void TBasicAction::UnRegisterChanges(TBasicActionLink* link) { std::erase(clients_, link); }

void TBasicAction::Change() {
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(clients_))
        if (std::find(clients_.begin(), clients_.end(), link) != clients_.end()) link->Change();
}

// ---- TContainedAction ----

void TContainedAction::BeforeDestruction() {
    SetActionList(nullptr);
    TBasicAction::BeforeDestruction();
}

void TContainedAction::SetActionList(TActionList* v) {
    if (actionList_ == v) return;
    if (actionList_) actionList_->RemoveAction(this);
    if (v) v->AddAction(this);
}

int TContainedAction::Index() const {
    if (!actionList_) return -1;
    auto& list = actionList_->actions_;
    return int(std::find(list.begin(), list.end(), this) - list.begin());
}

bool TContainedAction::Execute() {
    if (actionList_ && actionList_->ExecuteAction(this)) return true;
    if (TBasicAction::Execute()) return true;
    return Application && Application->ExecuteAction(this);
}

bool TContainedAction::Update() {
    if (actionList_ && actionList_->UpdateAction(this)) return true;
    if (TBasicAction::Update()) return true;
    return Application && Application->UpdateAction(this);
}

TComponent* TContainedAction::GetParentComponent() const { return actionList_; }

void TContainedAction::SetParentComponent(TComponent* Value) {
    if (auto* list = As<TActionList>(Value)) SetActionList(list);
}

// ---- TActionList ----

void TActionList::BeforeDestruction() {
    Destroying();
    while (!actions_.empty()) FreeObject(actions_.back());
    TComponent::BeforeDestruction();
}

TContainedAction* TActionList::Actions(int index) const {
    if (index < 0 || index >= ActionCount()) ListIndexError(index);
    return actions_[size_t(index)];
}

void TActionList::AddAction(TContainedAction* action) {
    if (!action || action->actionList_ == this) return;
    if (action->actionList_) action->actionList_->RemoveAction(action);
    actions_.push_back(action);
    action->actionList_ = this;
    action->FreeNotification(this);
}

void TActionList::RemoveAction(TContainedAction* action) {
    auto it = std::find(actions_.begin(), actions_.end(), action);
    if (it == actions_.end()) return;
    actions_.erase(it);
    action->actionList_ = nullptr;
    action->RemoveFreeNotification(this);
}

void TActionList::SetImages(TCustomImageList* v) {
    if (images_ == v) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = v;
    if (v) v->FreeNotification(this);
}

void TActionList::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == images_) images_ = nullptr;
    if (auto* action = As<TContainedAction>(AComponent)) RemoveAction(action);
}

bool TActionList::ExecuteAction(TBasicAction* action) {
    bool handled = false;
    if (OnExecute) OnExecute(action, handled);
    return handled;
}

bool TActionList::UpdateAction(TBasicAction* action) {
    bool handled = false;
    if (OnUpdate) OnUpdate(action, handled);
    return handled;
}

bool TActionList::IsShortCut(const TMessage& keyMessage) {
    TShortCut shortCut = ShortCutOfKeyMessage(keyMessage);
    if ((shortCut & 0xFF) == 0) return false;
    for (TContainedAction* contained : std::vector<TContainedAction*>(actions_)) {
        auto* action = As<TCustomAction>(contained);
        if (!action || action->ShortCut() != shortCut) continue;
        action->Update();
        if (!action->Enabled()) return false;
        action->Execute();
        return true;
    }
    return false;
}

void TActionList::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TContainedAction* action : std::vector<TContainedAction*>(actions_))
        if (action->Owner() == Root) Proc(action);
}

void TActionList::SetChildOrder(TComponent* Child, int Order) {
    auto it = std::find(actions_.begin(), actions_.end(), Child);
    if (it == actions_.end()) return;
    auto* action = *it;
    actions_.erase(it);
    Order = std::clamp(Order, 0, ActionCount());
    actions_.insert(actions_.begin() + Order, action);
}

// ---- TCustomAction ----

template <class V, class S>
void TCustomAction::Store(V& field, const V& value, S linkSetter) {
    if (field == value) return;
    // Each link compares its client with the old value, so it is offered the new one first.
    // OnChange of the links is not fired: a client that re-read every property would lose the
    // values it was given by hand.
    for (TBasicActionLink* link : std::vector<TBasicActionLink*>(Clients()))
        if (auto* l = As<TActionLink>(link)) (l->*linkSetter)(value);
    field = value;
}

void TCustomAction::SetCaption(const String& v) { Store(caption_, v, &TActionLink::SetCaption); }
void TCustomAction::SetChecked(bool v) { Store(checked_, v, &TActionLink::SetChecked); }
void TCustomAction::SetEnabled(bool v) { Store(enabled_, v, &TActionLink::SetEnabled); }
void TCustomAction::SetHelpContext(THelpContext v) { Store(helpContext_, v, &TActionLink::SetHelpContext); }
void TCustomAction::SetHint(const String& v) { Store(hint_, v, &TActionLink::SetHint); }
void TCustomAction::SetImageIndex(int v) { Store(imageIndex_, v, &TActionLink::SetImageIndex); }
void TCustomAction::SetShortCut(TShortCut v) { Store(shortCut_, v, &TActionLink::SetShortCut); }
void TCustomAction::SetVisible(bool v) { Store(visible_, v, &TActionLink::SetVisible); }

bool TCustomAction::Execute() {
    Update();
    return enabled_ && TContainedAction::Execute();
}

bool TCustomAction::DoHint(String& HintStr) {
    bool canShow = true;
    if (OnHint) OnHint(HintStr, canShow);
    return canShow;
}
