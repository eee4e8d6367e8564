#include "dxBarItemStylesData.h"

#include <algorithm>

namespace {
constexpr int kNoStyleChange = 2;
}

TdxBarItemStylesData::TdxBarItemStylesData(int count, const TdxBarItemStylesChangedEvent& onChanged)
    : TcxInterfacedPersistent(nullptr), slots_(size_t(std::max(count, 0))), onChanged_(onChanged) {}

TdxBarItemStylesData::~TdxBarItemStylesData() {
    destroying_ = true;
    for (int i = 0; i < Count(); ++i) SetStyle(i, nullptr);
}

TcxStyle* TdxBarItemStylesData::GetStyle(int slot) const {
    return slot >= 0 && slot < Count() ? slots_[size_t(slot)].Style : nullptr;
}

int TdxBarItemStylesData::CountStyleUses(TcxStyle* style) const {
    return int(std::count_if(slots_.begin(), slots_.end(), [&](const TSlot& s) { return s.Style == style; }));
}

void TdxBarItemStylesData::SetStyle(int slot, TcxStyle* style) {
    if (slot < 0 || slot >= Count()) return;
    TcxStyle* old = slots_[size_t(slot)].Style;
    if (old == style) return;
    slots_[size_t(slot)].Style = style;
    if (old && CountStyleUses(old) == 0) old->DetachObserver(this);
    if (style && CountStyleUses(style) == 1) style->AttachObserver(this);
    CheckStyleChanges(slot);
}

TdxBarItemStylesData::TFontSnapshot TdxBarItemStylesData::StoreFontSnapshot(TFont* font) {
    TFontSnapshot snapshot;
    snapshot.Height = font->Height();
    snapshot.Orientation = font->Orientation();
    snapshot.Pitch = font->Pitch();
    snapshot.Style = font->Style();
    snapshot.Charset = font->Charset();
    snapshot.Name = font->Name().substr(0, 31);
    return snapshot;
}

bool TdxBarItemStylesData::FontDiffersFromSnapshot(TFont* font, const TFontSnapshot& snapshot) {
    return font->Height() != snapshot.Height || font->Orientation() != snapshot.Orientation ||
           font->Pitch() != snapshot.Pitch || font->Style() != snapshot.Style || font->Charset() != snapshot.Charset ||
           font->Name().substr(0, 31) != snapshot.Name;
}

void TdxBarItemStylesData::CheckStyleChanges(int slot) {
    if (destroying_) return;
    TSlot& s = slots_[size_t(slot)];
    TcxStyleValues oldValues = s.Assigned;
    TcxStyleValues newValues = s.Style ? s.Style->AssignedValues() : TcxStyleValues();
    auto colorChanged = [&](TcxStyleValue value, TColor old, TColor now) {
        if (!oldValues.Contains(value) && !newValues.Contains(value)) return false;
        return !(oldValues.Contains(value) && newValues.Contains(value)) || ColorToRGB(old) != ColorToRGB(now);
    };
    bool color = colorChanged(svColor, s.Color, s.Style ? s.Style->Color() : clNone);
    bool textColor = colorChanged(svTextColor, s.TextColor, s.Style ? s.Style->TextColor() : clNone);
    bool font = (oldValues.Contains(svFont) || newValues.Contains(svFont)) &&
                (!(oldValues.Contains(svFont) && newValues.Contains(svFont)) ||
                 FontDiffersFromSnapshot(s.Style->Font(), s.Font));
    s.Assigned = newValues;
    if (newValues.Contains(svColor)) s.Color = s.Style->Color();
    if (newValues.Contains(svFont)) s.Font = StoreFontSnapshot(s.Style->Font());
    if (newValues.Contains(svTextColor)) s.TextColor = s.Style->TextColor();
    if (font)
        ReportChange(iscStructure);
    else if (color || textColor)
        ReportChange(iscDrawing);
}

void TdxBarItemStylesData::ReportChange(TdxBarItemStyleChange change) {
    if (lockCount_ > 0) {
        if (heldChange_ == kNoStyleChange || heldChange_ == iscDrawing) heldChange_ = change;
        return;
    }
    if (onChanged_) onChanged_(change);
}

void TdxBarItemStylesData::LockChanges(bool lock) {
    if (lock) {
        if (lockCount_++ == 0) heldChange_ = kNoStyleChange;
        return;
    }
    if (lockCount_ == 0 || --lockCount_ > 0) return;
    if (heldChange_ != kNoStyleChange) ReportChange(TdxBarItemStyleChange(std::exchange(heldChange_, kNoStyleChange)));
}

void TdxBarItemStylesData::StyleValueChanged(TcxCustomStyle* style) {
    LockChanges(true);
    try {
        for (int i = 0; i < Count(); ++i)
            if (slots_[size_t(i)].Style == style) CheckStyleChanges(i);
    } catch (...) {
        LockChanges(false);
        throw;
    }
    LockChanges(false);
}

void TdxBarItemStylesData::StyleDetached(TcxCustomStyle* style) {
    LockChanges(true);
    try {
        for (int i = 0; i < Count(); ++i)
            if (slots_[size_t(i)].Style == style) SetStyle(i, nullptr);
    } catch (...) {
        LockChanges(false);
        throw;
    }
    LockChanges(false);
}
