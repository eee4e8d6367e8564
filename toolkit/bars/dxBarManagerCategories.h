#pragma once
// The manager's categories: one name per category, with a data record each (made on demand)
// that holds whether the category is shown and how visible its items are. Items refer to their
// category by index, and the list keeps those indexes in step when categories are inserted,
// deleted, exchanged or moved. Operations with indexes outside the list do nothing (Insert still
// adds the name, at the end).
//
// The form description carries, beside the names, "ItemsVisibles" (one TdxBarItemVisible ordinal
// per category) and "Visibles" (one Boolean per category).

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
    // Every item of category from gets the category to, directly (no move, no notification).
    void ReassignCategory(int from, int to);

    void Clear() override;
    // Frees the category's items and moves the later categories down; the last category
    // deleted leaves the default category.
    void Delete(Integer index) override;
    // Moves the categories from index on up by one first.
    void InsertObject(Integer index, const String& s, TObject* object) override;
    void Exchange(Integer index1, Integer index2) override;
    void Move(Integer curIndex, Integer newIndex) override;

    void DefineProperties(TFiler* filer) override;

private:
    void AddDefault();
    void FreeCategoryItems(int index);
    std::vector<TdxBarItem*> ItemsOf(int category) const;
    void ReadItemsVisibles(TReader* reader);
    void WriteItemsVisibles(TWriter* writer);
    void ReadVisibles(TReader* reader);
    void WriteVisibles(TWriter* writer);

    TdxBarManager* manager_;
    bool moving_ = false;
};
