#pragma once
// The toolkit's bases for objects, persistents and components: interface objects without
// reference counting, a persistent with an owner, a component that clears weak links to
// itself, an owning object list and a forwarder of free notifications.

#include "Component.h"
#include "Events.h"
#include "Interfaces.h"
#include "Lists.h"

// Hands out interfaces without counting references; its owner frees it.
class TcxIUnknownObject : public TObject, public virtual IInterface {
    Z_CLASS(TcxIUnknownObject, TObject)
public:
    Integer _AddRef() override { return -1; }
    Integer _Release() override { return -1; }
};

// A persistent that knows its owner; reference counts go to the owner's interface, if any.
class TcxInterfacedPersistent : public TPersistent, public virtual IInterface {
    Z_CLASS(TcxInterfacedPersistent, TPersistent)
public:
    explicit TcxInterfacedPersistent(TPersistent* owner) : owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }
    Integer _AddRef() override;
    Integer _Release() override;

private:
    TPersistent* owner_;
};

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

// A list that owns its objects and frees them, first to last, when cleared.
class TcxObjectList : public TList {
    Z_CLASS(TcxObjectList, TList)
public:
    TcxObjectList() = default;
    ~TcxObjectList() override;
    void Clear() override;
    TObject* ItemAt(int index) const { return static_cast<TObject*>(Items(index)); }
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
