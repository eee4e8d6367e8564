#include "dxBarGroup.h"

#include "Filer.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"

TdxBarGroup::TdxBarGroup(TComponent* owner) : TdxBarComponent(owner) {
    members_ = new TdxBarComponentList;
    JoinManager(ResolveBarManager(owner));
}

TdxBarGroup::~TdxBarGroup() { FreeAndNil(members_); }

void TdxBarGroup::JoinManager(TdxBarManager* manager) {
    if (manager == BarManager()) return;
    if (BarManager()) BarManager()->Groups()->Remove(this);
    SetBarManagerField(manager);
    if (manager && manager->Groups()->IndexOf(this) < 0) manager->Groups()->Add(this);
}

// ---- Members ------------------------------------------------------------------------------

void TdxBarGroup::Add(TdxBarComponent* component) {
    if (!component || IndexOf(component) >= 0) return;
    auto* group = As<TdxBarGroup>(component);
    if (group == this || (group && group->ContainsGroup(this))) throw EdxException(BarString(dxSBAR_RECURSIVEGROUPS));
    members_->Add(component);
}

void TdxBarGroup::Remove(TdxBarComponent* component) { members_->Remove(component); }

int TdxBarGroup::IndexOf(TdxBarComponent* component) const { return members_->IndexOf(component); }

int TdxBarGroup::GetMemberCount() const { return members_->Count(); }

TdxBarComponent* TdxBarGroup::GetMember(int index) const {
    return index >= 0 && index < GetMemberCount() ? members_->ComponentAt(index) : nullptr;
}

bool TdxBarGroup::ContainsGroup(const TdxBarGroup* group) const {
    for (int i = 0; i < GetMemberCount(); ++i) {
        auto* member = As<TdxBarGroup>(GetMember(i));
        if (member && (member == group || member->ContainsGroup(group))) return true;
    }
    return false;
}

// ---- Switching ----------------------------------------------------------------------------

void TdxBarGroup::Locked(const std::function<void()>& proc) {
    TdxBarManager* manager = BarManager();
    // Hook (quick customization): not while the design controller has its window open.
    bool lock = manager && !IsLoading() && !IsDestroying();
    if (lock) manager->LockUpdate();
    try {
        proc();
    } catch (...) {
        if (lock) manager->UnlockUpdate(true);
        throw;
    }
    if (lock) manager->UnlockUpdate(true);
}

void TdxBarGroup::SetEnabled(bool value) {
    enabled_ = value;
    Locked([&] {
        for (int i = 0; i < GetMemberCount(); ++i) GetMember(i)->SetEnabled(value);
    });
}

void TdxBarGroup::SetVisible(TdxBarItemVisible value) {
    visible_ = value;
    Locked([&] {
        for (int i = 0; i < GetMemberCount(); ++i) GetMember(i)->SetVisible(value);
    });
}

// ---- Streaming ----------------------------------------------------------------------------

void TdxBarGroup::DefineProperties(TFiler* filer) {
    TdxBarComponent::DefineProperties(filer);
    filer->DefineProperty(
        L"Items", [this](TReader* reader) { ReadItems(reader); }, [this](TWriter* writer) { WriteItems(writer); },
        true);
}

void TdxBarGroup::ReadItems(TReader* reader) {
    std::vector<String> names;
    reader->ReadListBegin();
    while (!reader->EndOfList()) names.push_back(reader->ReadString());
    reader->ReadListEnd();
    if (IsLoading()) {
        pendingNames_ = names;
        return;
    }
    // Pasted: the members are replaced at once.
    members_->Clear();
    TComponent* form = BarManager() ? BarManager()->Owner() : nullptr;
    for (const String& name : names)
        if (auto* member = As<TdxBarComponent>(form ? form->FindComponent(name) : nullptr)) Add(member);
}

void TdxBarGroup::WriteItems(TWriter* writer) {
    writer->WriteListBegin();
    for (int i = 0; i < GetMemberCount(); ++i) writer->WriteString(GetMember(i)->Name());
    writer->WriteListEnd();
}

void TdxBarGroup::Loaded() {
    TdxBarComponent::Loaded();
    TComponent* form = BarManager() ? BarManager()->Owner() : nullptr;
    std::vector<String> names;
    names.swap(pendingNames_);
    for (const String& name : names)
        if (auto* member = As<TdxBarComponent>(form ? form->FindComponent(name) : nullptr)) Add(member);
}

void TdxBarGroup::SetName(const String& name) {
    TdxBarComponent::SetName(name);
    NotifyChangeListeners(false);
}

TComponent* TdxBarGroup::GetParentComponent() const { return BarManager(); }

void TdxBarGroup::SetParentComponent(TComponent* value) {
    if (auto* manager = As<TdxBarManager>(value)) JoinManager(manager);
}

void TdxBarGroup::ReadState(TReader* reader) {
    TdxBarComponent::ReadState(reader);
    if (auto* manager = As<TdxBarManager>(reader->Parent())) JoinManager(manager);
}

void TdxBarGroup::SetIndexInManager(int index) {
    TdxBarManager* manager = BarManager();
    if (!manager) return;
    int own = manager->Groups()->IndexOf(this);
    if (own >= 0 && index >= 0 && index < manager->Groups()->Count() && index != own)
        manager->Groups()->Move(own, index);
}
