#pragma once
// The display options of a link collection (descriptions, shortcuts, menu item size) and the
// small variant value they are read through. An option the collection has not assigned itself is
// taken from the links of the bar that holds the collection's window, then from the defaults.

#include "Persistent.h"
#include "TypInfo.h"

Z_ENUM(TdxBarMenuItemSize, Byte, misNormal, misLarge)
Z_ENUM(TdxBarItemOption, Byte, ioShowDescriptions, ioShowShortCuts, ioSize)

// An option value: empty, a Boolean, an integer or the ordinal of an enumeration.
struct TdxBarOptionValue {
    enum TKind : Byte { ovEmpty, ovBoolean, ovInteger, ovEnumeration };
    TKind Kind = ovEmpty;
    int Value = 0;

    static TdxBarOptionValue Boolean(bool value) { return {ovBoolean, value ? 1 : 0}; }
    static TdxBarOptionValue Integer(int value) { return {ovInteger, value}; }
    static TdxBarOptionValue Enumeration(int ordinal) { return {ovEnumeration, ordinal}; }
    bool IsEmpty() const { return Kind == ovEmpty; }
    bool AsBoolean() const { return Value != 0; }
    bool operator==(const TdxBarOptionValue&) const = default;
};

class TdxBarItemOptions : public TPersistent {
    Z_CLASS(TdxBarItemOptions, TPersistent)
    Z_PUBLISHED {
        p.Property(L"ShowDescriptions", &TdxBarItemOptions::ShowDescriptions, &TdxBarItemOptions::SetShowDescriptions)
            .Stored(&TdxBarItemOptions::IsShowDescriptionsStored);
        p.Property(L"ShowShortCuts", &TdxBarItemOptions::ShowShortCuts, &TdxBarItemOptions::SetShowShortCuts)
            .Stored(&TdxBarItemOptions::IsShowShortCutsStored);
        p.Property(L"Size", &TdxBarItemOptions::Size, &TdxBarItemOptions::SetSize)
            .Stored(&TdxBarItemOptions::IsSizeStored);
    }

public:
    // owner: the object the options belong to (for name paths); changed: told after a change.
    explicit TdxBarItemOptions(TPersistent* owner = nullptr) : owner_(owner) {}

    bool ShowDescriptions() const { return Get(ioShowDescriptions).AsBoolean(); }
    void SetShowDescriptions(bool value) { Set(ioShowDescriptions, TdxBarOptionValue::Boolean(value)); }
    bool ShowShortCuts() const { return Get(ioShowShortCuts).AsBoolean(); }
    void SetShowShortCuts(bool value) { Set(ioShowShortCuts, TdxBarOptionValue::Boolean(value)); }
    TdxBarMenuItemSize Size() const { return TdxBarMenuItemSize(Get(ioSize).Value); }
    void SetSize(TdxBarMenuItemSize value) { Set(ioSize, TdxBarOptionValue::Enumeration(int(value))); }

    // The value of an option: the assigned one, else its default.
    TdxBarOptionValue Get(TdxBarItemOption option) const;
    void Set(TdxBarItemOption option, const TdxBarOptionValue& value);
    bool IsAssigned(TdxBarItemOption option) const { return assigned_[option]; }
    void Unassign(TdxBarItemOption option) { assigned_[option] = false; }
    static TdxBarOptionValue GetDefault(TdxBarItemOption option);

    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override { return owner_; }
    TNotifyEvent OnChange;

private:
    bool IsShowDescriptionsStored() const { return assigned_[ioShowDescriptions]; }
    bool IsShowShortCutsStored() const { return assigned_[ioShowShortCuts]; }
    bool IsSizeStored() const { return assigned_[ioSize]; }

    TPersistent* owner_;
    TdxBarOptionValue values_[3];
    bool assigned_[3] = {};
};
