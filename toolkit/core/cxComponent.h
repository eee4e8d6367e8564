#pragma once
// The toolkit's component bases: TcxComponent, a component that clears weak links to itself,
// and TcxFreeNotificator, a forwarder of free notifications. The interface objects without
// reference counting and the persistent with an owner are in cxInterfacedObjects.h, the owning
// object list (TcxObjectList) in cxComponentList.h.

#include "Component.h"
#include "Events.h"
#include "Lists.h"

class TcxComponent : public TComponent {
    Z_CLASS(TcxComponent, TComponent)
    Z_PUBLISHED {
        p.Property(L"FakeComponentLink1", &TcxComponent::FakeComponentLink1, &TcxComponent::SetFakeComponentLink1);
        p.Property(L"FakeComponentLink2", &TcxComponent::FakeComponentLink2, &TcxComponent::SetFakeComponentLink2);
        p.Property(L"FakeComponentLink3", &TcxComponent::FakeComponentLink3, &TcxComponent::SetFakeComponentLink3);
    }

public:
    explicit TcxComponent(TComponent* owner) : TComponent(owner) {}
    ~TcxComponent() override;
    void BeforeDestruction() override;

    TComponent* FakeComponentLink1() const { return fakeLinks_[0]; }
    TComponent* FakeComponentLink2() const { return fakeLinks_[1]; }
    TComponent* FakeComponentLink3() const { return fakeLinks_[2]; }
    void SetFakeComponentLink1(TComponent* value) { fakeLinks_[0] = value; }
    void SetFakeComponentLink2(TComponent* value) { fakeLinks_[1] = value; }
    void SetFakeComponentLink3(TComponent* value) { fakeLinks_[2] = value; }

    bool IsDesigning() const { return ComponentState().Contains(csDesigning); }
    bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

    void Loaded() override;
    // At design time keeps the first three components of CollectFakeComponentLinks in the links.
    void RefreshFakeComponentLinks();

protected:
    virtual void CollectFakeComponentLinks(TList* list) { (void)list; }

private:
    TComponent* fakeLinks_[3] = {};
};

using TcxFreeNotificationEvent = TEvent<void(TObject* sender, TComponent* component)>;

// Tells its handler about every watched component that is being freed.
class TcxFreeNotificator : public TComponent {
    Z_CLASS(TcxFreeNotificator, TComponent)
public:
    explicit TcxFreeNotificator(TComponent* owner) : TComponent(owner) {}
    void WatchComponent(TComponent* component);
    void StopWatchingComponent(TComponent* component);
    TcxFreeNotificationEvent OnFreeNotification;

protected:
    void Notification(TComponent* component, TOperation operation) override;
};

// moved: TcxIUnknownObject and TcxInterfacedPersistent are in cxInterfacedObjects.h,
// TcxObjectList in cxComponentList.h; included here until no file expects them from this header.
#include "cxInterfacedObjects.h"
#include "cxComponentList.h"
