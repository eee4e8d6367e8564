#pragma once
// TdxBarMRUListItem: a list item of recently used entries (file names, commands) that keeps at
// most MaxItemCount of them (0: no limit), shows each cut to 300 pixels with "...", and can
// drop an entry when it is clicked.

#include "dxBarSubItem.h"

class TdxBarMRUListItem : public TdxBarListItem {
    Z_CLASS(TdxBarMRUListItem, TdxBarListItem)
    Z_PUBLISHED {
        p.Property(L"MaxItemCount", &TdxBarMRUListItem::MaxItemCount, &TdxBarMRUListItem::SetMaxItemCount).Default(5);
        p.Property(L"RemoveItemOnClick", &TdxBarMRUListItem::RemoveItemOnClick,
                   &TdxBarMRUListItem::SetRemoveItemOnClick)
            .Default(false);
    }

public:
    // The widest an entry is shown, in pixels.
    static constexpr int MaxEntryWidth = 300;

    explicit TdxBarMRUListItem(TComponent* owner) : TdxBarListItem(owner) {}

    int MaxItemCount() const { return maxItemCount_; }
    // Negative values are 0; a lower limit deletes entries from the end.
    void SetMaxItemCount(int value);
    bool RemoveItemOnClick() const { return removeItemOnClick_; }
    void SetRemoveItemOnClick(bool value) { removeItemOnClick_ = value; }
    // Deletes the first entry with the text (or, for an empty text, with the object).
    void RemoveMRUEntry(const String& text, TObject* object = nullptr);

    String FormatItemText(const String& entryText) const override;
    void DirectClick() override;

private:
    int maxItemCount_ = 5;
    bool removeItemOnClick_ = false;
};
