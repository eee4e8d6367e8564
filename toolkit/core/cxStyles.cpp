#include "cxStyles.h"

#include <algorithm>

#include "Filer.h"
#include "SysExceptions.h"
#include "SysUtils.h"
#include "cxStyleRepository.h"
#include "cxTextMeasuring.h"

// Sections: styles · style · style sets · unit.

namespace {

template <class T>
bool Contains(const std::vector<T>& list, const T& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

template <class T>
void Erase(std::vector<T>& list, const T& item) {
    list.erase(std::remove(list.begin(), list.end(), item), list.end());
}

}  // namespace

// ---- Styles -------------------------------------------------------------------------------

void TcxCustomStyle::BeforeDestruction() {
    TComponent::BeforeDestruction();
    while (!observers_.empty()) {
        size_t count = observers_.size();
        IPtr<IcxStyleObserver> observer = observers_.back();
        observer->StyleDetached(this);
        // An observer that does not let go would keep this loop going forever.
        if (observers_.size() == count && observers_.back() == observer) observers_.pop_back();
    }
}

TcxCustomStyle::~TcxCustomStyle() {
    SetRepository(nullptr);
    observers_.clear();
}

void TcxCustomStyle::NotifyChanged() {
    if (updateCount_ > 0) {
        changedInUpdate_ = true;
        return;
    }
    // From the last: an observer may detach itself while it hears the change.
    for (size_t i = observers_.size(); i-- > 0;) {
        if (i >= observers_.size()) continue;
        IPtr<IcxStyleObserver> observer = observers_[i];
        observer->StyleValueChanged(this);
    }
}

void TcxCustomStyle::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ == 0 && changedInUpdate_) {
        changedInUpdate_ = false;
        NotifyChanged();
    }
}

void TcxCustomStyle::AttachObserver(IcxStyleObserver* observer) {
    IPtr<IcxStyleObserver> held(observer);
    if (observer && !Contains(observers_, held)) observers_.push_back(held);
}

void TcxCustomStyle::DetachObserver(IcxStyleObserver* observer) { Erase(observers_, IPtr<IcxStyleObserver>(observer)); }

void TcxCustomStyle::SetRepository(TcxStyleRepository* repository) {
    if (repository_ == repository) return;
    if (repository_) repository_->RemoveStyle(this);
    repository_ = repository;
    if (repository_) repository_->AddStyle(this);
}

TComponent* TcxCustomStyle::GetParentComponent() const { return repository_; }

void TcxCustomStyle::SetParentComponent(TComponent* parent) {
    if (ComponentState().Contains(csLoading)) return;
    SetRepository(RepositoryOf(parent));
}

void TcxCustomStyle::ReadState(TReader* reader) {
    TComponent::ReadState(reader);
    SetRepository(dynamic_cast<TcxStyleRepository*>(reader->Parent()));
}

// ---- Style --------------------------------------------------------------------------------

TcxStyle::TcxStyle(TComponent* owner) : TcxCustomStyle(owner) {
    bitmap_ = new TBitmap;
    bitmap_->OnChange = MakeEvent(this, &TcxStyle::BitmapChanged);
    font_ = new TFont;
    font_->OnChange = MakeEvent(this, &TcxStyle::FontChanged);
}

TcxStyle::~TcxStyle() {
    FreeAndNil(font_);
    FreeAndNil(bitmap_);
}

void TcxStyle::SetAssignedValues(TcxStyleValues value) {
    if (assignedValues_ == value) return;
    assignedValues_ = value;
    NotifyChanged();
}

void TcxStyle::SetColor(TColor value) { ChangeColor(color_, value, svColor); }

void TcxStyle::SetTextColor(TColor value) { ChangeColor(textColor_, value, svTextColor); }

void TcxStyle::ChangeColor(TColor& field, TColor value, TcxStyleValue flag) {
    if (!AssignIfChanged(field, value)) return;
    if (value == clDefault)
        assignedValues_ -= flag;
    else
        assignedValues_ += flag;
    NotifyChanged();
}

void TcxStyle::SetBitmap(TBitmap* value) { bitmap_->Assign(value); }

void TcxStyle::SetFont(TFont* value) { font_->Assign(value); }

void TcxStyle::BitmapChanged(TObject*) {
    if (bitmap_->Empty())
        assignedValues_ -= svBitmap;
    else
        assignedValues_ += svBitmap;
    NotifyChanged();
}

void TcxStyle::FontChanged(TObject*) {
    assignedValues_ += svFont;
    NotifyChanged();
}

void TcxStyle::Assign(TPersistent* source) {
    auto* style = dynamic_cast<TcxStyle*>(source);
    if (!style) {
        TcxCustomStyle::Assign(source);
        return;
    }
    BeginUpdate();
    try {
        SetBitmap(style->Bitmap());
        SetColor(style->Color());
        SetFont(style->Font());
        SetTextColor(style->TextColor());
        // Last: copying the font marks it assigned even when the source's is not.
        SetAssignedValues(style->AssignedValues());
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TcxStyle::ResetValues() {
    BeginUpdate();
    bitmap_->SetSize(0, 0);
    assignedValues_ = {};
    color_ = clDefault;
    textColor_ = clDefault;
    NotifyChanged();
    EndUpdate();
}

void TcxStyle::ReadState(TReader* reader) {
    TcxCustomStyle::ReadState(reader);
    if (!Repository()) return;
    // Adjusting the height marks the font assigned; keep the values as they were read.
    TcxStyleValues values = assignedValues_;
    BeginUpdate();
    font_->SetHeight(Repository()->ScaleToScreen(font_->Height()));
    assignedValues_ = values;
    EndUpdate();
}

// ---- Style sets ---------------------------------------------------------------------------

TcxCustomStyles::~TcxCustomStyles() {
    destroying_ = true;
    ClearEntries();
    AssignStyleSheet(nullptr);
}

void TcxCustomStyles::StyleValueChanged(TcxCustomStyle* style) {
    for (int i = 0; i < EntryCount(); ++i)
        if (entries_[size_t(i)].Style == style) NotifyValueChanged(entries_[size_t(i)].Index);
}

void TcxCustomStyles::StyleDetached(TcxCustomStyle* style) {
    for (int i = EntryCount() - 1; i >= 0; --i)
        if (i < EntryCount() && entries_[size_t(i)].Style == style) DeleteEntry(i);
    style->DetachObserver(this);
}

void TcxCustomStyles::AddEntry(Integer index, TcxCustomStyle* style) {
    entries_.push_back({index, style});
    if (style) style->AttachObserver(this);
    NotifyValueChanged(index);
}

void TcxCustomStyles::DeleteEntry(int i) {
    TcxStyleEntry entry = entries_.at(size_t(i));
    entries_.erase(entries_.begin() + i);
    // Another entry may still use the style: it stays observed then.
    bool stillUsed =
        std::any_of(entries_.begin(), entries_.end(), [&](const TcxStyleEntry& e) { return e.Style == entry.Style; });
    if (entry.Style && !stillUsed) entry.Style->DetachObserver(this);
    NotifyValueChanged(entry.Index);
}

void TcxCustomStyles::ClearEntries() {
    while (!entries_.empty()) DeleteEntry(EntryCount() - 1);
}

void TcxCustomStyles::NotifyValueChanged(Integer index) {
    if (destroying_) return;
    ValueChanged(index);
    if (owningSheet_) owningSheet_->NotifyUsers(index);
}

void TcxCustomStyles::Assign(TPersistent* source) {
    if (auto* styles = dynamic_cast<TcxCustomStyles*>(source)) AssignStyleSheet(styles->StyleSheet());
}

bool TcxCustomStyles::CanUseStyleSheet(TcxCustomStyleSheet* sheet) const {
    if (!sheet) return true;
    if (sheet == owningSheet_ || sheet->StylesObject()->ClassType() != ClassType()) return false;
    // Following must never lead back to this set's own sheet.
    std::vector<TcxCustomStyleSheet*> seen;
    for (TcxCustomStyleSheet* s = sheet; s; s = s->StylesObject()->StyleSheet()) {
        if (s == owningSheet_ || Contains(seen, s)) return false;
        seen.push_back(s);
    }
    return true;
}

void TcxCustomStyles::CollectIndexes(TcxCustomStyleSheet* sheet, std::vector<Integer>& indexes) {
    std::vector<TcxCustomStyleSheet*> seen;
    for (TcxCustomStyleSheet* s = sheet; s && !Contains(seen, s); s = s->StylesObject()->StyleSheet()) {
        seen.push_back(s);
        TcxCustomStyles* styles = s->StylesObject();
        for (int i = 0; i < styles->EntryCount(); ++i)
            if (!Contains(indexes, styles->EntryAt(i).Index)) indexes.push_back(styles->EntryAt(i).Index);
    }
}

void TcxCustomStyles::AssignStyleSheet(TcxCustomStyleSheet* sheet) {
    if (sheet == styleSheet_ || !CanUseStyleSheet(sheet)) return;
    std::vector<Integer> indexes;
    if (styleSheet_) {
        styleSheet_->DetachUser(this);
        if (!destroying_) CollectIndexes(styleSheet_, indexes);
    }
    styleSheet_ = sheet;
    if (styleSheet_) {
        styleSheet_->AttachUser(this);
        CollectIndexes(styleSheet_, indexes);
    }
    for (Integer index : indexes) NotifyValueChanged(index);
}

// ---- Unit ---------------------------------------------------------------------------------

// Styles and repositories are re-created by class name from form descriptions.
void InitializecxStyles() { RegisterClasses({TcxStyle::StaticClass(), TcxStyleRepository::StaticClass()}); }
