#pragma once
// The manager's categories: one name per category, with a data record each (made on demand)
// that holds whether the category is shown and how visible its items are. Items refer to their
// category by index.
//
// The list grows with the category operations that keep the items' indexes in step when
// categories are inserted, deleted, exchanged or moved; here it has its start and its records.

#include "StringList.h"
#include "dxBarComponent.h"

class TdxBarCategoryData : public TObject {
    Z_CLASS(TdxBarCategoryData, TObject)
public:
    TdxBarItemVisible ItemsVisible = ivAlways;
    // The value read from a form description, applied when the manager has finished loading.
    TdxBarItemVisible LoadedItemsVisible = ivAlways;
    bool Visible = true;
};

class TdxBarManagerCategories : public TStringList {
    Z_CLASS(TdxBarManagerCategories, TStringList)
public:
    // Unless the manager is being read, the list starts with the default category.
    explicit TdxBarManagerCategories(TdxBarManager* manager);
    ~TdxBarManagerCategories() override;

    TdxBarManager* BarManager() const { return manager_; }
    bool HasIndex(int index) const { return index >= 0 && index < Count(); }
    // The record of a category, nil when it has none (or the index is outside the list).
    TdxBarCategoryData* Data(int index) const;
    // The record of a category, made when missing; nil outside the list.
    TdxBarCategoryData* NeedData(int index);

    void Clear() override;
    void Delete(Integer index) override;

private:
    TdxBarManager* manager_;
};
