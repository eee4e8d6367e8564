#include "dxBarManagerCategories.h"

#include "Filer.h"
#include "dxBarItem.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"

TdxBarManagerCategories::TdxBarManagerCategories(TdxBarManager* manager) : manager_(manager) {
    if (!manager->ComponentState().Contains(csLoading)) AddDefault();
}

TdxBarManagerCategories::~TdxBarManagerCategories() { Clear(); }

void TdxBarManagerCategories::AddDefault() { Add(BarString(dxSBAR_DEFAULTCATEGORYNAME)); }

TdxBarCategoryData* TdxBarManagerCategories::Data(int index) const {
    return HasIndex(index) ? static_cast<TdxBarCategoryData*>(Objects(index)) : nullptr;
}

TdxBarCategoryData* TdxBarManagerCategories::NeedData(int index) {
    if (!HasIndex(index)) return nullptr;
    if (!Data(index)) PutObject(index, new TdxBarCategoryData);
    return Data(index);
}

std::vector<TdxBarItem*> TdxBarManagerCategories::ItemsOf(int category) const {
    std::vector<TdxBarItem*> items;
    for (int i = 0; i < manager_->GetItemCount(); ++i)
        if (manager_->GetItemByIndex(i)->Category() == category) items.push_back(manager_->GetItemByIndex(i));
    return items;
}

void TdxBarManagerCategories::ReassignCategory(int from, int to) {
    if (!HasIndex(from) || to < 0) return;
    for (TdxBarItem* item : ItemsOf(from)) item->category_ = to;
}

void TdxBarManagerCategories::FreeCategoryItems(int index) {
    for (TdxBarItem* item : ItemsOf(index)) FreeObject(item);
}

void TdxBarManagerCategories::Clear() {
    for (int i = 0; i < Count(); ++i) {
        TObject* data = Objects(i);
        PutObject(i, nullptr);
        FreeObject(data);
    }
    TStringList::Clear();
}

void TdxBarManagerCategories::Delete(Integer index) {
    if (moving_) {
        TStringList::Delete(index);
        return;
    }
    if (!HasIndex(index)) return;
    FreeCategoryItems(index);
    for (int category = index + 1; category < Count(); ++category) ReassignCategory(category, category - 1);
    TObject* data = Objects(index);
    PutObject(index, nullptr);
    FreeObject(data);
    TStringList::Delete(index);
    if (Count() == 0) AddDefault();
}

void TdxBarManagerCategories::InsertObject(Integer index, const String& s, TObject* object) {
    if (!moving_ && HasIndex(index))
        for (int category = Count() - 1; category >= index; --category) ReassignCategory(category, category + 1);
    if (index < 0 || index > Count()) index = Count();
    TStringList::InsertObject(index, s, object);
}

void TdxBarManagerCategories::Exchange(Integer index1, Integer index2) {
    if (!HasIndex(index1) || !HasIndex(index2)) return;
    std::vector<TdxBarItem*> first = ItemsOf(index1), second = ItemsOf(index2);
    for (TdxBarItem* item : first) item->SetCategory(index2);
    for (TdxBarItem* item : second) item->SetCategory(index1);
    TStringList::Exchange(index1, index2);
}

void TdxBarManagerCategories::Move(Integer curIndex, Integer newIndex) {
    if (!HasIndex(curIndex) || !HasIndex(newIndex) || curIndex == newIndex) return;
    std::vector<TdxBarItem*> moved = ItemsOf(curIndex);
    for (TdxBarItem* item : moved) item->category_ = -1000;
    if (curIndex < newIndex)
        for (int category = curIndex + 1; category <= newIndex; ++category) ReassignCategory(category, category - 1);
    else
        for (int category = curIndex - 1; category >= newIndex; --category) ReassignCategory(category, category + 1);
    for (TdxBarItem* item : moved) item->category_ = newIndex;
    // The string list moves by a delete and an insert, which must renumber nothing.
    moving_ = true;
    try {
        TStringList::Move(curIndex, newIndex);
    } catch (...) {
        moving_ = false;
        throw;
    }
    moving_ = false;
}

// ---- Streaming ----------------------------------------------------------------------------

void TdxBarManagerCategories::DefineProperties(TFiler* filer) {
    TStringList::DefineProperties(filer);
    filer->DefineProperty(
        L"ItemsVisibles", [this](TReader* reader) { ReadItemsVisibles(reader); },
        [this](TWriter* writer) { WriteItemsVisibles(writer); }, true);
    filer->DefineProperty(
        L"Visibles", [this](TReader* reader) { ReadVisibles(reader); },
        [this](TWriter* writer) { WriteVisibles(writer); }, true);
}

void TdxBarManagerCategories::ReadItemsVisibles(TReader* reader) {
    BeginUpdate();
    try {
        reader->ReadListBegin();
        for (int i = 0; !reader->EndOfList(); ++i) {
            int value = reader->ReadInteger();
            if (i < Count() && value >= ivNever && value <= ivAlways)
                manager_->SetCategoryItemsVisible(i, TdxBarItemVisible(value));
        }
        reader->ReadListEnd();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TdxBarManagerCategories::WriteItemsVisibles(TWriter* writer) {
    writer->WriteListBegin();
    for (int i = 0; i < Count(); ++i) writer->WriteInteger(int(manager_->GetCategoryItemsVisible(i)));
    writer->WriteListEnd();
}

void TdxBarManagerCategories::ReadVisibles(TReader* reader) {
    BeginUpdate();
    try {
        reader->ReadListBegin();
        for (int i = 0; !reader->EndOfList(); ++i) {
            bool value = reader->ReadBoolean();
            if (i < Count()) manager_->SetCategoryVisible(i, value);
        }
        reader->ReadListEnd();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TdxBarManagerCategories::WriteVisibles(TWriter* writer) {
    writer->WriteListBegin();
    for (int i = 0; i < Count(); ++i) writer->WriteBoolean(manager_->GetCategoryVisible(i));
    writer->WriteListEnd();
}
