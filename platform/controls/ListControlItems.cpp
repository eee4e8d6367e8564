#include "ListControlItems.h"

#include <algorithm>

#include "SystemControl.h"

const TListWindowMessages ListBoxMessages{LB_INSERTSTRING, LB_DELETESTRING, LB_RESETCONTENT, LB_SETITEMDATA,
                                          LB_GETCURSEL,    LB_SETCURSEL,    LB_ERR,          LB_ERRSPACE};
const TListWindowMessages ComboBoxMessages{CB_INSERTSTRING, CB_DELETESTRING, CB_RESETCONTENT, CB_SETITEMDATA,
                                           CB_GETCURSEL,    CB_SETCURSEL,    CB_ERR,          CB_ERRSPACE};

namespace {
// Counts the list's own deletions from its window for their length.
class TListDeletionScope {
public:
    explicit TListDeletionScope(int& counter) : counter_(counter) { ++counter_; }
    ~TListDeletionScope() { --counter_; }
    TListDeletionScope(const TListDeletionScope&) = delete;
    TListDeletionScope& operator=(const TListDeletionScope&) = delete;

private:
    int& counter_;
};
}  // namespace

void TListControlItems::CheckIndex(Integer index) const {
    if (index < 0 || index >= Count()) Error(L"List index out of bounds (%d)", index);
}

HWND TListControlItems::Window() const { return control_->WindowHandle(); }

String TListControlItems::Get(Integer index) const {
    CheckIndex(index);
    return items_[size_t(index)].text;
}

TObject* TListControlItems::GetObject(Integer index) const {
    CheckIndex(index);
    return items_[size_t(index)].object;
}

void TListControlItems::InsertIntoWindow(Integer index) const {
    HWND window = Window();
    if (!window) return;
    const TItem& item = items_[size_t(index)];
    LRESULT at = ::SendMessageW(window, messages_->InsertString, WPARAM(index), LPARAM(item.text.c_str()));
    if (at == messages_->Error || at == messages_->ErrorSpace)
        throw EOutOfResources(L"The list has no room for another item");
    ::SendMessageW(window, messages_->SetItemData, WPARAM(at), LPARAM(item.object));
}

void TListControlItems::ReplaceInWindow(Integer index) const {
    HWND window = Window();
    if (!window) return;
    LRESULT selected = ::SendMessageW(window, messages_->GetCurSel, 0, 0);
    {
        TListDeletionScope deleting(deleting_);
        ::SendMessageW(window, messages_->DeleteString, WPARAM(index), 0);
    }
    InsertIntoWindow(index);
    if (selected == index) ::SendMessageW(window, messages_->SetCurSel, WPARAM(index), 0);
}

void TListControlItems::Put(Integer index, const String& s) {
    CheckIndex(index);
    if (sorted_) {
        // The new text may belong elsewhere in the order.
        TObject* object = items_[size_t(index)].object;
        Delete(index);
        AddObject(s, object);
        return;
    }
    items_[size_t(index)].text = s;
    ReplaceInWindow(index);
}

void TListControlItems::PutObject(Integer index, TObject* object) {
    CheckIndex(index);
    items_[size_t(index)].object = object;
    if (HWND window = Window()) ::SendMessageW(window, messages_->SetItemData, WPARAM(index), LPARAM(object));
}

Integer TListControlItems::AddObject(const String& s, TObject* object) {
    Integer index = Count();
    if (sorted_) {
        auto at = std::upper_bound(items_.begin(), items_.end(), s, [this](const String& text, const TItem& item) {
            return CompareStrings(text, item.text) < 0;
        });
        index = Integer(at - items_.begin());
    }
    InsertObject(index, s, object);
    return index;
}

void TListControlItems::InsertObject(Integer index, const String& s, TObject* object) {
    if (index < 0 || index > Count()) Error(L"List index out of bounds (%d)", index);
    items_.insert(items_.begin() + index, TItem{s, object, false});
    try {
        InsertIntoWindow(index);
    } catch (...) {
        items_.erase(items_.begin() + index);
        throw;
    }
}

void TListControlItems::Delete(Integer index) {
    CheckIndex(index);
    if (HWND window = Window()) {
        TListDeletionScope deleting(deleting_);
        ::SendMessageW(window, messages_->DeleteString, WPARAM(index), 0);
    }
    items_.erase(items_.begin() + index);
}

void TListControlItems::Clear() {
    if (HWND window = Window()) {
        TListDeletionScope deleting(deleting_);
        ::SendMessageW(window, messages_->ResetContent, 0, 0);
    }
    items_.clear();
}

void TListControlItems::SetSorted(bool value) {
    if (!AssignIfChanged(sorted_, value)) return;
    if (!value) return;
    std::stable_sort(items_.begin(), items_.end(),
                     [this](const TItem& a, const TItem& b) { return CompareStrings(a.text, b.text) < 0; });
    if (Window()) {
        {
            TListDeletionScope deleting(deleting_);
            ::SendMessageW(Window(), messages_->ResetContent, 0, 0);
        }
        FillWindow();
    }
}

bool TListControlItems::Marked(Integer index) const {
    CheckIndex(index);
    return items_[size_t(index)].marked;
}

void TListControlItems::SetMarked(Integer index, bool value) {
    CheckIndex(index);
    items_[size_t(index)].marked = value;
}

void TListControlItems::FillWindow() const {
    for (Integer i = 0; i < Count(); ++i) InsertIntoWindow(i);
}

void TListControlItems::SetUpdateState(bool updating) { EnableWindowDrawing(Window(), !updating); }
