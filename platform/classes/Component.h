#pragma once
// TComponent: a persistent object with an owner, a name, a state, free notifications and the
// hooks through which form descriptions stream a tree of components.
//
// Ownership: an owner frees every component it owns. A component freed by anyone else first
// leaves its owner's list (the owner and, through it, its other components hear opRemove) and
// then tells every component that asked with FreeNotification.

#include <functional>
#include <vector>

#include "Persistent.h"
#include "Sets.h"
#include "TypInfo.h"

class TReader;
class TWriter;

enum TComponentStateItem {
    csLoading,  // being read from a form description, until Loaded
    csReading,  // its own properties are being read
    csWriting,  // being written
    csDestroying,
    csDesigning,  // never set at run time: the program has no designer
    csAncestor,
    csUpdating,
    csFixups,  // has references waiting to be resolved by name
    csFreeNotification,
    csInline,
    csDesignInstance
};
using TComponentState = TSet<TComponentStateItem>;

enum TComponentStyleItem { csInheritable, csCheckPropAvail, csSubComponent, csTransient };
using TComponentStyle = TSet<TComponentStyleItem>;

enum TOperation { opInsert, opRemove };

class TComponent;
using TGetChildProc = std::function<void(TComponent* child)>;

class TComponent : public TPersistent {
    Z_CLASS(TComponent, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Name", &TComponent::Name, &TComponent::SetName).Stored(false);
        p.Property(L"Tag", &TComponent::Tag, &TComponent::SetTag).Default(0);
    }

public:
    // Joins owner's components when owner is not null.
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    // Runs the destruction protocol while the whole object still exists: csDestroying, leave the
    // owner, notify, free owned components. Descendants that override it call inherited first.
    void BeforeDestruction() override;

    TComponent* Owner() const { return owner_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* Components(int index) const;  // raises EListError when out of range
    // The position in the owner's list; -1 without an owner. Setting it moves the component.
    int ComponentIndex() const;
    void SetComponentIndex(int index);

    const String& Name() const { return name_; }
    // Raises EComponentError when the name is not an identifier ("'%s' is not a valid component
    // name") or another component of the same owner has it ("A component named %s already exists").
    // An empty name is allowed.
    virtual void SetName(const String& name);
    // Pointer-sized, so that code may keep an address in it on either target.
    NativeInt Tag() const { return tag_; }
    void SetTag(NativeInt tag) { tag_ = tag; }

    TComponentState ComponentState() const { return state_; }
    TComponentStyle ComponentStyle() const { return style_; }
    // Marks (or unmarks) the component as a sub-component: one that belongs to another component
    // and is streamed as a nested object of that component's property.
    void SetSubComponent(bool isSubComponent);

    void InsertComponent(TComponent* component);  // moves it from its previous owner
    void RemoveComponent(TComponent* component);
    // The owned component with the given name (letter case ignored); null when none.
    TComponent* FindComponent(const String& name) const;
    void DestroyComponents();

    // Asks that component hear Notification(this, opRemove) when this one is freed (and the
    // other way round). Components of the same owner already hear each other through the owner.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // Sets csDestroying here and in every owned component. Virtual: a component may act once,
    // before its owner starts freeing what it owns.
    virtual void Destroying();
    void Updating() { state_ += csUpdating; }
    void Updated() { state_ -= csUpdating; }

    // Called on each component read from a form description once the whole description is read
    // and its references resolved, in creation order; ends the loading state.
    virtual void Loaded();

    TPersistent* GetOwner() const override { return owner_; }
    String GetNamePath() const override { return name_; }

    // Streaming protocol. GetChildren calls proc for each child to be written inside this one;
    // the default, for the root of the write, gives the owned components that have no parent
    // and are not sub-components. GetChildOwner/GetChildParent name the owner and parent of the
    // children read inside this one (null owner: the root). ReadState reads the component's
    // own part of a description.
    virtual void GetChildren(const TGetChildProc& proc, TComponent* root);
    virtual TComponent* GetChildOwner() { return nullptr; }
    virtual TComponent* GetChildParent() { return this; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    virtual bool HasParent() const { return false; }
    virtual void SetParentComponent(TComponent*) {}
    virtual void SetChildOrder(TComponent*, int) {}
    virtual void ReadState(TReader* reader);
    virtual void WriteState(TWriter* writer);

    // Lets the reader and writer set the streaming states.
    void SetStateFlag(TComponentStateItem flag, bool on);

protected:
    // Hears that component joined (opInsert) or is leaving (opRemove) this one's owner, or that a
    // component this one asked about is being freed. The default passes it on to every owned
    // component; overrides clear their references and call inherited.
    virtual void Notification(TComponent* component, TOperation operation);
    // Raises when component (owned by this one) may not be renamed to newName.
    virtual void ValidateRename(TComponent* component, const String& currentName, const String& newName);
    void SetComponentStyle(TComponentStyle style) { style_ = style; }

private:
    void Insert(TComponent* component);
    void Remove(TComponent* component);
    void RemoveNotification(TComponent* component);
    void DetachFreeNotifications();

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    String name_;
    NativeInt tag_ = 0;
    TComponentState state_;
    TComponentStyle style_{csInheritable};
};

// ---- global roots --------------------------------------------------------------------------
// Loaded roots (forms) are listed so that a description can refer to a component of another
// form as "Form2.Button1". A root leaves the list when it is freed.

void AddGlobalRoot(TComponent* root);
void RemoveGlobalRoot(TComponent* root);
// A root by name, or with a dotted name a component of that root; null when none.
TComponent* FindGlobalComponent(const String& name);
