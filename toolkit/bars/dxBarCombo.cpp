#include "dxBarCombo.h"

#include <algorithm>

#include "dxBarWindowHelpers.h"

// ---- Drop-down placement ------------------------------------------------------------------

TPoint FitDropDownPosition(TPoint requested, TSize window, TSize item, const TRect& workArea, bool beside) {
    int x = requested.x, y = requested.y;
    if (beside) {
        if (workArea.right < x + window.cx && workArea.right - x < x - item.cx - workArea.left)
            x = x - window.cx - item.cx;
        y = std::min(y, int(workArea.bottom - window.cy));
    } else {
        x = std::min(x, int(workArea.right - window.cx));
        if (workArea.bottom < y + window.cy && workArea.bottom - y < y - item.cy - workArea.top)
            y = y - (item.cy + window.cy);
    }
    return TPoint{std::max(x, int(workArea.left)), std::max(y, int(workArea.top))};
}

// ---- TCustomdxBarCombo --------------------------------------------------------------------

bool TCustomdxBarCombo::CheckKeyForDropDownWindow(Word key, TShiftState shift) {
    bool accept = key != VK_TAB && key != VK_RETURN && key != VK_ESCAPE;
    if (OnCheckKeyForDropDownWindow) OnCheckKeyForDropDownWindow(this, key, shift, accept);
    return accept;
}

HWND TCustomdxBarCombo::GetDropDownWindow() {
    HWND window = nullptr;
    if (OnGetDropDownWindow) OnGetDropDownWindow(this, window);
    return window;
}

void TCustomdxBarCombo::DropDown(int x, int y) {
    Fire(OnDropDown);
    HWND window = GetDropDownWindow();
    if (!window) return;
    InitDropDownWindow();
    RECT bounds{};
    GetWindowRect(window, &bounds);
    TPoint at = FitDropDownPosition(TPoint{x, y}, TSize{bounds.right - bounds.left, bounds.bottom - bounds.top},
                                    ActiveItemSize(), GetWorkAreaAt(TPoint{x, y}), ActiveItemBeside());
    SetWindowPos(window, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_SHOWWINDOW);
    StartDropDownTracking();
}

void TCustomdxBarCombo::CloseUp() {
    if (HWND window = GetDropDownWindow()) ShowWindow(window, SW_HIDE);
    Fire(OnCloseUp);
}

// ---- TdxBarCustomCombo --------------------------------------------------------------------

TdxBarCustomCombo::TdxBarCustomCombo(TComponent* owner) : TCustomdxBarCombo(owner) {
    items_ = new TStringList;
    items_->OnChange = MakeEvent(this, &TdxBarCustomCombo::ItemsChanged);
    // Hook (drop-down list box): the list box is made here, with the combo as its owner.
}

TdxBarCustomCombo::~TdxBarCustomCombo() {
    // Hook (drop-down list box): freed first.
    FreeAndNil(items_);
}

void TdxBarCustomCombo::SetText(const String& value) {
    if (itemIndex_ == -1 || items_->Strings(itemIndex_) != value) itemIndex_ = items_->IndexOf(value);
    TCustomdxBarCombo::SetText(value);
}

void TdxBarCustomCombo::SetItemIndex(int value) {
    // An index outside the entries is -1: asking for it while none is chosen changes nothing.
    if (value < 0 || value > items_->Count() - 1) value = -1;
    if (value == itemIndex_) return;
    itemIndex_ = value;
    String entry = itemIndex_ >= 0 ? items_->Strings(itemIndex_) : String();
    if (GetText() != entry) {
        SetText(entry);
    } else {
        InvalidateLinkControls();
        Change();
        InvalidateLinkControls();
    }
}

void TdxBarCustomCombo::ItemsChanged(TObject* sender) {
    (void)sender;
    if (itemIndex_ > items_->Count() - 1)
        SetItemIndex(-1);
    else
        InvalidateLinkControls();
}

void TdxBarCustomCombo::SetSorted(bool value) {
    if (value == sorted_) return;
    sorted_ = value;
    items_->SetSorted(value);
    // The index follows the text quietly: no event.
    itemIndex_ = items_->IndexOf(GetText());
}

namespace {

String UpperText(const String& text) {
    String upper = text;
    if (!upper.empty()) CharUpperBuffW(upper.data(), DWORD(upper.size()));
    return upper;
}

}  // namespace

int TdxBarCustomCombo::FindItemByPrefix(const String& text) const {
    String wanted = UpperText(text);
    if (wanted.empty()) return -1;
    int found = -1;
    size_t matched = 0;
    for (int i = 0; i < items_->Count(); ++i) {
        String entry = UpperText(items_->Strings(i));
        // Only an entry that shares the prefix matched so far can extend it.
        if (entry.compare(0, matched, wanted, 0, matched) != 0 || entry.size() < matched) continue;
        while (matched < wanted.size() && matched < entry.size() && entry[matched] == wanted[matched]) {
            ++matched;
            found = i;
        }
        if (matched == wanted.size()) return i;
    }
    return found;
}

bool TdxBarCustomCombo::CheckKeyForDropDownWindow(Word key, TShiftState shift) {
    return shift.Empty() && (key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT);
}

HWND TdxBarCustomCombo::GetDropDownWindow() {
    HWND window = nullptr;
    if (OnGetDropDownWindow) OnGetDropDownWindow(this, window);
    return window;
}
