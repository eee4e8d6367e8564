#pragma once
// TListControlItems: the items of a list box or a combo box. The strings, their objects and
// their selection marks live here; while the control has a window, every change is also sent
// to it, with the object as the item's data. A sorted list keeps its order itself (by the
// user's locale, without letter case) and inserts into the window at the same place, so the
// window and the list always agree.

#include <vector>

#include "StringList.h"

class TWinControl;

// The messages of one kind of list window (LB_* or CB_*).
struct TListWindowMessages {
    UINT InsertString, DeleteString, ResetContent, SetItemData, GetCurSel, SetCurSel;
    LRESULT Error, ErrorSpace;
};
extern const TListWindowMessages ListBoxMessages;
extern const TListWindowMessages ComboBoxMessages;

class TListControlItems : public TStrings {
    Z_CLASS(TListControlItems, TStrings)
public:
    TListControlItems(TWinControl* control, const TListWindowMessages& messages)
        : control_(control), messages_(&messages) {}

    Integer Count() const override { return Integer(items_.size()); }
    String Get(Integer index) const override;
    void Put(Integer index, const String& s) override;
    TObject* GetObject(Integer index) const override;
    void PutObject(Integer index, TObject* object) override;
    // On a sorted list the line goes to its place in the order.
    Integer AddObject(const String& s, TObject* object) override;
    void InsertObject(Integer index, const String& s, TObject* object) override;
    void Delete(Integer index) override;
    void Clear() override;

    bool Sorted() const { return sorted_; }
    // Sorting an unsorted list re-sorts it (and its window).
    void SetSorted(bool value);

    // The selection marks of a multi-selecting list box while it has no window (its window
    // holds them while it exists).
    bool Marked(Integer index) const;
    void SetMarked(Integer index, bool value);

    // Sends every item to the control's new window.
    void FillWindow() const;
    // True while the list itself deletes items from the window: the window's WM_DELETEITEM
    // messages then report deletions, not the window's own destruction.
    bool DeletingFromWindow() const { return deleting_ > 0; }

protected:
    // Stops the window from redrawing between BeginUpdate and EndUpdate.
    void SetUpdateState(bool updating) override;

private:
    struct TItem {
        String text;
        TObject* object = nullptr;
        bool marked = false;
    };
    void CheckIndex(Integer index) const;
    HWND Window() const;
    void InsertIntoWindow(Integer index) const;
    void ReplaceInWindow(Integer index) const;

    TWinControl* control_;
    const TListWindowMessages* messages_;
    std::vector<TItem> items_;
    bool sorted_ = false;
    mutable int deleting_ = 0;
};
