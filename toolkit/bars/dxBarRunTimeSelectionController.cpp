#include "dxBarRunTimeSelectionController.h"

#include <algorithm>

#include "dxBar.h"
#include "dxBarItem.h"
#include "dxBarManager.h"

namespace {

void TellSelectionChanged(TObject* object) {
    if (IdxBarSelectableItem* item = QuerySelectableItem(object)) item->SelectionChanged();
}

// Bars replace bars; items and links replace items and links.
bool IsSameKind(TObject* a, TObject* b) { return (As<TdxBar>(a) != nullptr) == (As<TdxBar>(b) != nullptr); }

}  // namespace

void TdxBarRunTimeSelectionController::Insert(TObject* object) {
    selection_.push_back(object);
    changed_ = true;
    lastChanged_ = object;
    TellSelectionChanged(object);
}

void TdxBarRunTimeSelectionController::Erase(size_t index) {
    TObject* object = selection_[index];
    selection_.erase(selection_.begin() + std::ptrdiff_t(index));
    changed_ = true;
    lastChanged_ = object;
    TellSelectionChanged(object);
}

void TdxBarRunTimeSelectionController::EndChange(TObject* changed) {
    if (--changeCount_ > 0 || !changed_) return;
    changed_ = false;
    if (OnSelectionChanged) OnSelectionChanged(nullptr, changed ? changed : lastChanged_);
}

bool TdxBarRunTimeSelectionController::IsInSelection(TObject* object) {
    return object && std::find(selection_.begin(), selection_.end(), object) != selection_.end();
}

void TdxBarRunTimeSelectionController::AddToSelection(TObject* object) {
    if (IsInSelection(object)) return;
    BeginChange();
    for (size_t i = selection_.size(); i-- > 0;)
        if (!object || IsSameKind(selection_[i], object)) Erase(i);
    if (object) Insert(object);
    EndChange(object);
}

void TdxBarRunTimeSelectionController::Remove(TObject* object) {
    auto it = std::find(selection_.begin(), selection_.end(), object);
    if (it == selection_.end()) return;
    BeginChange();
    Erase(size_t(it - selection_.begin()));
    EndChange(object);
}

void TdxBarRunTimeSelectionController::Clear() {
    if (selection_.empty()) return;
    BeginChange();
    while (!selection_.empty()) Erase(selection_.size() - 1);
    EndChange(nullptr);
}

void TdxBarRunTimeSelectionController::CollectSelection(TList* list) {
    for (TObject* object : selection_) list->Add(object);
}

void TdxBarRunTimeSelectionController::ApplyComponentSelection(TObject* object, Integer operation) {
    if (operation == dxBarSelectionAdd || operation == dxBarSelectionExclusive) AddToSelection(object);
}

void TdxBarRunTimeSelectionController::ReplaceSelection(TList* list) {
    BeginChange();
    try {
        for (int i = 0; i < list->Count(); ++i) AddToSelection(static_cast<TObject*>(list->Items(i)));
    } catch (...) {
        EndChange(nullptr);
        throw;
    }
    EndChange(nullptr);
}

void ForgetInRunTimeSelection(TdxBarManager* manager, TObject* object) {
    // The manager may be gone already (the items of a form outlive it): only a live one is asked.
    if (!manager || !BarManagerList() || BarManagerList()->IndexOf(manager) < 0) return;
    if (auto* selection = dynamic_cast<TdxBarRunTimeSelectionController*>(manager->Designer())) selection->Remove(object);
}
