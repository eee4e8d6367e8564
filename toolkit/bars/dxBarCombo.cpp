#include "dxBarCombo.h"

#include <algorithm>

#include "Canvas.h"
#include "cxGraphics.h"
#include "cxTextMeasuring.h"
#include "dxBarComboControl.h"
#include "dxBarCustFormPainters.h"
#include "dxBarDropDownListBox.h"
#include "dxBarItemLinks.h"
#include "dxBarPainter.h"
#include "dxBarWindowHelpers.h"
#include "dxCustomBarControl.h"

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

TSize TCustomdxBarCombo::ActiveItemSize() const {
    TdxBarItemLink* link = GetEditingLink();
    if (!link) return TSize{0, 0};
    const TRect& r = link->ItemRect();
    return TSize{r.right - r.left, r.bottom - r.top};
}

bool TCustomdxBarCombo::ActiveItemBeside() const {
    TdxBarItemLink* link = GetEditingLink();
    TCustomdxBarControl* bar = link ? link->GetBarControl() : nullptr;
    return bar && (bar->GetBarControlKind() != 0 || bar->IsDockedVertically());
}

void TCustomdxBarCombo::DrawCommandListText(TCanvas* canvas, const TRect& rect, bool selected) {
    CustomizationFormPainterFor(BarManager())->DrawEditEntry(canvas, rect, this, selected, true);
}

void TCustomdxBarCombo::CloseUp() {
    if (HWND window = GetDropDownWindow()) ShowWindow(window, SW_HIDE);
    Fire(OnCloseUp);
}

// ---- TdxBarCustomCombo --------------------------------------------------------------------

TdxBarCustomCombo::TdxBarCustomCombo(TComponent* owner) : TCustomdxBarCombo(owner) {
    items_ = new TStringList;
    items_->OnChange = MakeEvent(this, &TdxBarCustomCombo::ItemsChanged);
    // Owned by the combo but not as a component: it is no part of the form description.
    listBox_ = new TdxBarDropDownListBox(nullptr, this);
}

TdxBarCustomCombo::~TdxBarCustomCombo() {
    FreeAndNil(listBox_);
    delete listCanvas_;
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
    if (!window && listBox_ && listBox_->HandleAllocated()) window = listBox_->Handle();
    return window;
}

void TdxBarCustomCombo::DropDown(int x, int y) {
    TdxBarItemLink* link = GetEditingLink();
    TCustomdxBarControl* bar = link ? link->GetBarControl() : nullptr;
    HWND owner = bar && bar->HandleAllocated() ? bar->Handle() : nullptr;
    // The list tells its owner its draw and selection notifications: it is made for that window.
    if (listBox_->ParentWindow() != owner) {
        listBox_->SetParentWindow(nullptr);
        listBox_->SetParentWindow(owner);
    }
    if (owner) listBox_->HandleNeeded();
    TCustomdxBarCombo::DropDown(x, y);
    // The list shows the entry the editor shows.
    if (listBox_->HandleAllocated()) listBox_->SetItemIndex(GetCurItemIndex());
}

void TdxBarCustomCombo::CloseUp() {
    TCustomdxBarCombo::CloseUp();
    listBox_->SetWaitsForCapture(false);
    listBox_->SetParentWindow(nullptr);
}

void TdxBarCustomCombo::InitDropDownWindow() {
    if (!listBox_->HandleAllocated()) return;
    TdxBarItemLink* link = GetEditingLink();
    if (auto* control = link ? As<TdxBarCustomEditControl>(link->Control()) : nullptr) {
        if (TFont* font = control->GetEditFont()) listBox_->Font()->Assign(font);
        if (TdxBarPainter* painter = control->GetPainter()) {
            TColor text, back;
            painter->GetEditColors(control, text, back);
            listBox_->SetColor(back);
            listBox_->Font()->SetColor(text);
        }
    }
    listBox_->Items()->Assign(items_);
    // The entries' own heights: the list measures nothing itself.
    int height = 0, shown = std::min(items_->Count(), dropDownCount_);
    for (int i = 0; i < items_->Count(); ++i) {
        int h = 0;
        MeasureItem(i, h);
        SendMessageW(listBox_->Handle(), LB_SETITEMHEIGHT, WPARAM(i), MAKELPARAM(h, 0));
        if (i < shown) height += h;
    }
    TdxBarPainter* painter = listBox_->GetPainter();
    int border = painter ? painter->GetDropDownListBorderSize() : 2;
    SetWindowPos(listBox_->Handle(), nullptr, 0, 0, GetDropDownWidth(), height + 2 * border,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TdxBarCustomCombo::StartDropDownTracking() {
    if (!listBox_->HandleAllocated()) return;
    if (IsLeftButtonDown()) {
        SetCapture(listBox_->Handle());
        listBox_->SetWaitsForCapture(true);
    } else {
        listBox_->SetWaitsForCapture(false);
    }
}

int TdxBarCustomCombo::GetDropDownWidth() {
    int scrollBar = items_->Count() > dropDownCount_ ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    if (dropDownWidth_ > 0) return dropDownWidth_;
    int width = dropDownWidth_;
    TdxBarItemLink* link = GetEditingLink();
    if (auto* control = link ? As<TdxBarCustomEditControl>(link->Control()) : nullptr)
        width = RectWidth(control->CalcEditRect()) - 4;
    width -= scrollBar;
    for (int i = 0; i < items_->Count(); ++i) {
        int w = 0;
        MeasureItemWidth(i, w);
        width = std::max(width, w);
    }
    return width + 4 + scrollBar;
}

void TdxBarCustomCombo::MeasureItem(int index, int& height) {
    height = itemHeight_ > 0 ? itemHeight_ : FontTextExtent(listBox_->Font(), L"Qq").cy;
    if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TdxBarCustomCombo::MeasureItemWidth(int index, int& width) {
    width = FontTextExtent(listBox_->Font(), items_->Strings(index)).cx + 2;
}

void TdxBarCustomCombo::DrawItem(TdxBarPainter* painter, int index, TOwnerDrawState state, const TRect& rect) {
    if (OnDrawItem) {
        OnDrawItem(this, index, rect, state);
        return;
    }
    if (painter) painter->DrawComboListItem(this, DrawItemCanvas(), index, rect, UINT(state.Bits()), drawingInterior_);
}

TcxCanvas* TdxBarCustomCombo::DrawItemCanvas() {
    if (editCanvas_) return editCanvas_;
    if (!listCanvas_) listCanvas_ = TcxCanvas::CreateOnCanvas(listBox_->Canvas());
    return listCanvas_;
}

int TdxBarCustomCombo::GetCurItemIndex() const {
    TdxBarItemLink* link = GetEditingLink();
    if (auto* control = link ? As<TdxBarComboControl>(link->Control()) : nullptr) return control->LocalItemIndex();
    return itemIndex_;
}

void TdxBarCustomCombo::PaintEditText(TdxBarPainter* painter, TcxCanvas* canvas, int index, const TRect& rect) {
    editCanvas_ = canvas;
    drawingInterior_ = true;
    try {
        DrawItem(painter, index, TOwnerDrawState{}, rect);
    } catch (...) {
        editCanvas_ = nullptr;
        drawingInterior_ = false;
        throw;
    }
    editCanvas_ = nullptr;
    drawingInterior_ = false;
}
