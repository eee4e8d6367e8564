#include "Component.h"

#include <algorithm>

#include "Filer.h"
#include "SysExceptions.h"
#include "SysUtils.h"

namespace {

std::vector<TComponent*>& GlobalRoots() {
    static std::vector<TComponent*> roots;
    return roots;
}

}  // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    // Objects deleted without FreeObject still leave their owner and notify.
    BeforeDestruction();
    RemoveGlobalRoot(this);
}

void TComponent::BeforeDestruction() {
    Destroying();
    if (owner_) owner_->RemoveComponent(this);
    DetachFreeNotifications();
    DestroyComponents();
}

void TComponent::DetachFreeNotifications() {
    while (!freeNotifies_.empty()) {
        TComponent* listener = freeNotifies_.back();
        freeNotifies_.pop_back();
        std::erase(listener->freeNotifies_, this);
        listener->Notification(this, opRemove);
    }
}

TComponent* TComponent::Components(int index) const {
    if (index < 0 || index >= ComponentCount()) ListIndexError(index);
    return components_[size_t(index)];
}

int TComponent::ComponentIndex() const {
    if (!owner_) return -1;
    auto it = std::find(owner_->components_.begin(), owner_->components_.end(), this);
    return int(it - owner_->components_.begin());
}

void TComponent::SetComponentIndex(int index) {
    if (!owner_) return;
    int current = ComponentIndex();
    int count = owner_->ComponentCount();
    index = std::clamp(index, 0, count - 1);
    if (index == current) return;
    auto& list = owner_->components_;
    list.erase(list.begin() + current);
    list.insert(list.begin() + index, this);
}

void TComponent::SetName(const String& name) {
    if (name == name_) return;
    if (!name.empty() && !IsValidIdent(name)) throw EComponentError(L"'" + name + L"' is not a valid component name");
    if (owner_)
        owner_->ValidateRename(this, name_, name);
    else
        ValidateRename(nullptr, name_, name);
    name_ = name;
}

void TComponent::ValidateRename(TComponent* component, const String& currentName, const String& newName) {
    if (component && !SameText(currentName, newName) && !newName.empty()) {
        TComponent* other = FindComponent(newName);
        if (other && other != component) throw EComponentError(L"A component named " + newName + L" already exists");
    }
}

void TComponent::SetSubComponent(bool isSubComponent) {
    if (isSubComponent)
        style_ += csSubComponent;
    else
        style_ -= csSubComponent;
}

void TComponent::SetStateFlag(TComponentStateItem flag, bool on) {
    if (on)
        state_ += flag;
    else
        state_ -= flag;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->owner_ == this) return;
    ValidateRename(component, L"", component->name_);  // before anything changes
    if (component->owner_) component->owner_->RemoveComponent(component);
    Insert(component);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    if (component->owner_ != this) return;
    Notification(component, opRemove);
    Remove(component);
}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    std::erase(components_, component);
    component->owner_ = nullptr;
}

TComponent* TComponent::FindComponent(const String& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::DestroyComponents() {
    while (!components_.empty()) {
        TComponent* doomed = components_.back();
        // Siblings are going too: only those that asked to hear about it are told.
        if (doomed->state_.Contains(csFreeNotification))
            RemoveComponent(doomed);
        else
            Remove(doomed);
        FreeObject(doomed);
    }
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (!owner_ || component->owner_ != owner_) {
        if (std::find(freeNotifies_.begin(), freeNotifies_.end(), component) == freeNotifies_.end())
            freeNotifies_.push_back(component);
        if (std::find(component->freeNotifies_.begin(), component->freeNotifies_.end(), this) ==
            component->freeNotifies_.end())
            component->freeNotifies_.push_back(this);
        component->state_ += csFreeNotification;
    }
    state_ += csFreeNotification;
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    RemoveNotification(component);
    component->RemoveNotification(this);
}

void TComponent::RemoveNotification(TComponent* component) { std::erase(freeNotifies_, component); }

void TComponent::Destroying() {
    if (state_.Contains(csDestroying)) return;
    state_ += csDestroying;
    for (TComponent* c : components_) c->Destroying();
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) RemoveFreeNotification(component);
    // A handler may free components: walk a copy and skip those already gone.
    std::vector<TComponent*> owned = components_;
    for (auto it = owned.rbegin(); it != owned.rend(); ++it)
        if (std::find(components_.begin(), components_.end(), *it) != components_.end())
            (*it)->Notification(component, operation);
}

void TComponent::Loaded() { state_ -= csLoading; }

void TComponent::GetChildren(const TGetChildProc& proc, TComponent* root) {
    if (root != this) return;
    for (TComponent* c : std::vector<TComponent*>(components_))
        if (!c->HasParent() && !c->style_.Contains(csSubComponent)) proc(c);
}

void TComponent::ReadState(TReader* reader) { reader->ReadData(this); }

void TComponent::WriteState(TWriter* writer) { writer->WriteData(this); }

// ---- global roots --------------------------------------------------------------------------

void AddGlobalRoot(TComponent* root) {
    auto& roots = GlobalRoots();
    if (std::find(roots.begin(), roots.end(), root) == roots.end()) roots.push_back(root);
}

void RemoveGlobalRoot(TComponent* root) { std::erase(GlobalRoots(), root); }

TComponent* FindGlobalComponent(const String& name) {
    size_t dot = name.find(L'.');
    String rootName = name.substr(0, dot);
    for (TComponent* root : GlobalRoots()) {
        if (!SameText(root->Name(), rootName)) continue;
        if (dot == String::npos) return root;
        TComponent* c = root;
        size_t start = dot + 1;
        while (c) {
            size_t next = name.find(L'.', start);
            c = c->FindComponent(name.substr(start, next == String::npos ? String::npos : next - start));
            if (next == String::npos) return c;
            start = next + 1;
        }
        return nullptr;
    }
    return nullptr;
}
