#include "cxComponent.h"

#include "cxClasses.h"

// ---- TcxComponent -------------------------------------------------------------------------

void TcxComponent::BeforeDestruction() {
    if (!IsDestroying()) Destroying();
    ResetObjectLinks(this);
    TComponent::BeforeDestruction();
}

TcxComponent::~TcxComponent() {
    // Also when freed without BeforeDestruction: no link may survive its object.
    ResetObjectLinks(this);
}

void TcxComponent::Loaded() {
    TComponent::Loaded();
    RefreshFakeComponentLinks();
}

void TcxComponent::RefreshFakeComponentLinks() {
    if (!IsDesigning() || IsDestroying() || !Owner()) return;
    TList list;
    CollectFakeComponentLinks(&list);
    for (int i = 0; i < 3; ++i) fakeLinks_[i] = i < list.Count() ? static_cast<TComponent*>(list.Items(i)) : nullptr;
}

// ---- TcxFreeNotificator -------------------------------------------------------------------

void TcxFreeNotificator::WatchComponent(TComponent* component) {
    if (component) component->FreeNotification(this);
}

void TcxFreeNotificator::StopWatchingComponent(TComponent* component) {
    if (component) component->RemoveFreeNotification(this);
}

void TcxFreeNotificator::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && OnFreeNotification.Assigned()) OnFreeNotification(this, component);
}
