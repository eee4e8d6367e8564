#include "PageControl.h"

#include <algorithm>

// ---- TTabSheet ----

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {
    SetControlStyle(ControlStyle() + csAcceptsControls);
    SetVisible(false);
}

TPageControl* TTabSheet::PageControl() const { return As<TPageControl>(Parent()); }

void TTabSheet::SetPageControl(TPageControl* v) { SetParent(v); }

int TTabSheet::PageIndex() const {
    TPageControl* control = PageControl();
    if (!control) return -1;
    auto& pages = control->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int v) {
    if (TPageControl* control = PageControl()) control->MovePage(this, v);
}

int TTabSheet::TabIndex() const {
    TPageControl* control = PageControl();
    if (!control || !tabVisible_) return -1;
    int index = 0;
    for (TTabSheet* page : control->pages_) {
        if (page == this) return index;
        if (page->tabVisible_) ++index;
    }
    return -1;
}

void TTabSheet::SetTabVisible(bool v) {
    if (!AssignIfChanged(tabVisible_, v)) return;
    TPageControl* control = PageControl();
    if (!control) return;
    if (!v && control->ActivePage() == this) control->SelectNextPage(true);
    if (!v && control->ActivePage() == this) control->SetActivePage(nullptr);
    control->ShowTabs();
}

void TTabSheet::CMTextChanged(TMessage& Message) {
    Inherited<TWinControl>(Message);
    if (TPageControl* control = PageControl()) control->ShowTabs();
}

// ---- TPageControl ----

TPageControl::TPageControl(TComponent* AOwner) : TSystemControl(AOwner) {
    SetControlStyle(ControlStyle() + csAcceptsControls);
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
}

TTabSheet* TPageControl::Pages(int index) const {
    if (index < 0 || index >= PageCount()) ListIndexError(index);
    return pages_[size_t(index)];
}

void TPageControl::CreateParams(TCreateParams& Params) {
    TSystemControl::CreateParams(Params);
    if (multiLine_) Params.Style |= TCS_MULTILINE;
}

void TPageControl::SetMultiLine(bool v) {
    if (AssignIfChanged(multiLine_, v)) RecreateWnd();
}

void TPageControl::FillWindow() { ShowTabs(); }

void TPageControl::ShowTabs() {
    if (!HandleAllocated()) return;
    ::SendMessageW(handle_, TCM_DELETEALLITEMS, 0, 0);
    int index = 0;
    for (TTabSheet* page : pages_) {
        if (!page->TabVisible()) continue;
        String caption = page->Caption();
        TCITEMW tab{};
        tab.mask = TCIF_TEXT;
        tab.pszText = caption.data();
        ::SendMessageW(handle_, TCM_INSERTITEMW, WPARAM(index++), LPARAM(&tab));
    }
    ::SendMessageW(handle_, TCM_SETCURSEL, WPARAM(activePage_ ? activePage_->TabIndex() : -1), 0);
    // The tabs may take more or fewer rows: the pages' area follows.
    Realign();
}

void TPageControl::SetActivePage(TTabSheet* v) {
    if (v && v->PageControl() != this) return;
    TTabSheet* old = activePage_;
    activePage_ = v;
    if (v) {
        v->BringToFront();
        v->SetVisible(true);
    }
    if (old && old != v) old->SetVisible(false);
    if (HandleAllocated()) ::SendMessageW(handle_, TCM_SETCURSEL, WPARAM(v ? v->TabIndex() : -1), 0);
    Realign();
}

void TPageControl::SelectNextPage(bool goForward) {
    int count = PageCount();
    if (count == 0) return;
    int start = activePage_ ? activePage_->PageIndex() : (goForward ? count - 1 : 0);
    for (int step = 1; step <= count; ++step) {
        TTabSheet* page = pages_[size_t(((start + (goForward ? step : -step)) % count + count) % count)];
        if (page == activePage_ || !page->TabVisible()) continue;
        if (!CanChange()) return;
        SetActivePage(page);
        Change();
        return;
    }
}

void TPageControl::MovePage(TTabSheet* page, int index) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    index = std::clamp(index, 0, int(pages_.size()));
    pages_.insert(pages_.begin() + index, page);
    ShowTabs();
}

void TPageControl::AdjustClientRect(TRect& rect) {
    TSystemControl::AdjustClientRect(rect);
    if (HandleAllocated()) {
        ::SendMessageW(handle_, TCM_ADJUSTRECT, FALSE, LPARAM(&rect));
    } else {
        // Without a window, about one row of tabs and a border.
        rect.top += 24;
        InflateRect(&rect, -4, -4);
    }
}

void TPageControl::AlignControls(TControl* AControl, TRect& rect) {
    TSystemControl::AlignControls(AControl, rect);
    TRect display = ClientRect();
    AdjustClientRect(display);
    for (TTabSheet* page : pages_) page->SetBounds(display.left, display.top, RectWidth(display), RectHeight(display));
}

void TPageControl::Loaded() {
    TSystemControl::Loaded();
    if (!activePage_)
        for (TTabSheet* page : pages_)
            if (page->TabVisible()) {
                SetActivePage(page);
                break;
            }
}

void TPageControl::Notification(TComponent* AComponent, TOperation Operation) {
    TSystemControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == activePage_) activePage_ = nullptr;
}

void TPageControl::CMControlListChange(TMessage& Message) {
    auto* control = reinterpret_cast<TControl*>(Message.WParam);
    if (Message.LParam) {
        auto* page = As<TTabSheet>(control);
        if (!page) return;
        pages_.push_back(page);
        if (!activePage_ && page->TabVisible() && !IsLoading())
            SetActivePage(page);
        else if (page != activePage_)
            page->SetVisible(false);
    } else {
        // A page being destroyed is no longer of its class: it is found by its address.
        auto it = std::find_if(pages_.begin(), pages_.end(),
                               [control](TTabSheet* p) { return static_cast<TControl*>(p) == control; });
        if (it == pages_.end()) return;
        TTabSheet* page = *it;
        pages_.erase(it);
        if (activePage_ == page) {
            activePage_ = nullptr;
            if (!IsDestroying())
                for (TTabSheet* other : pages_)
                    if (other->TabVisible()) {
                        SetActivePage(other);
                        break;
                    }
        }
    }
    ShowTabs();
}

bool TPageControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TPageControl::CNNotify(TMessage& Message) {
    if (InState(csCreating)) return;
    auto* header = reinterpret_cast<NMHDR*>(Message.LParam);
    if (header->code == TCN_SELCHANGING) {
        if (!CanChange()) Message.Result = TRUE;
    } else if (header->code == TCN_SELCHANGE) {
        int tab = int(::SendMessageW(handle_, TCM_GETCURSEL, 0, 0));
        for (TTabSheet* page : pages_)
            if (page->TabIndex() == tab) {
                SetActivePage(page);
                break;
            }
        Change();
    }
}
