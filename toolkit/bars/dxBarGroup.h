#pragma once
// TdxBarGroup: a group of items (and other groups) whose Enabled and Visible it sets together.
// The members are not owned; a freed member leaves the group by itself. A group may not contain
// itself at any depth. The form description carries the members as the list of their names
// "Items", resolved in the manager's owner form when the group has been read.

#include <vector>

#include "dxBarComponent.h"

class TdxBarGroup : public TdxBarComponent {
    Z_CLASS(TdxBarGroup, TdxBarComponent)
    Z_PUBLISHED {
        p.Property(L"Enabled", &TdxBarGroup::GetEnabled, &TdxBarGroup::SetEnabled).Default(true);
        p.Property(L"Visible", &TdxBarGroup::Visible, &TdxBarGroup::SetVisible).Default(ivAlways);
    }

public:
    explicit TdxBarGroup(TComponent* owner);
    ~TdxBarGroup() override;

    // Ignores nil and members already present; a group that contains this one (or this one)
    // raises EdxException with the recursive-group text and changes nothing.
    void Add(TdxBarComponent* component);
    void Remove(TdxBarComponent* component);
    int IndexOf(TdxBarComponent* component) const;
    int GetMemberCount() const;
    TdxBarComponent* GetMember(int index) const;
    // Is the group a member of this one, at any depth?
    bool ContainsGroup(const TdxBarGroup* group) const;

    bool GetEnabled() const override { return enabled_; }
    // Sets every member, in order, under the manager's update lock; no comparison with the
    // old value, so a group can switch members that were changed one by one.
    void SetEnabled(bool value) override;
    TdxBarItemVisible Visible() const { return visible_; }
    void SetVisible(TdxBarItemVisible value) override;

    // -- streaming
    void DefineProperties(TFiler* filer) override;
    void Loaded() override;
    void SetName(const String& name) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return BarManager() != nullptr; }
    void SetParentComponent(TComponent* value) override;
    void ReadState(TReader* reader) override;
    void SetIndexInManager(int index);

private:
    void ReadItems(TReader* reader);
    void WriteItems(TWriter* writer);
    void JoinManager(TdxBarManager* manager);
    // Runs proc under the manager's update lock, unless loading or being destroyed.
    void Locked(const std::function<void()>& proc);

    TdxBarComponentList* members_ = nullptr;
    std::vector<String> pendingNames_;
};
