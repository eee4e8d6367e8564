#include "dxBarPopupMenuLink.h"

#include "WinControl.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarPopupMenu.h"

// ---- TdxBarPopupMenuLink ------------------------------------------------------------------

TdxBarPopupMenuLink::~TdxBarPopupMenuLink() { SetControl(nullptr); }

TdxBarManager* TdxBarPopupMenuLink::BarManager() const {
    auto* links = static_cast<TdxBarPopupMenuLinks*>(Collection());
    return links ? links->BarManager() : nullptr;
}

void TdxBarPopupMenuLink::SetControl(TControl* value) {
    if (value && !IsControlInManagerOwner(BarManager(), value)) value = nullptr;
    if (value == control_) return;
    if (control_) control_->SetWindowProc(previousWindowProc_);
    previousWindowProc_ = nullptr;
    control_ = value;
    if (!value) return;
    if (BarManager()) value->FreeNotification(BarManager());
    previousWindowProc_ = value->WindowProc();
    value->SetWindowProc(MakeEvent(this, &TdxBarPopupMenuLink::WindowProc));
}

void TdxBarPopupMenuLink::SetPopupMenu(TdxBarPopupMenu* value) {
    if (value == popupMenu_) return;
    popupMenu_ = value;
    if (value && BarManager()) value->FreeNotification(BarManager());
}

void TdxBarPopupMenuLink::WindowProc(TMessage& message) {
    TControl* control = control_;
    TWndMethod previous = previousWindowProc_;
    if (message.Msg != WM_CONTEXTMENU || control->ComponentState().Contains(csDesigning)) {
        previous(message);
        return;
    }
    TContextPopupEvent own = MakeEvent(this, &TdxBarPopupMenuLink::DoContextPopup);
    if (control->OnContextPopup == own) return;
    previousContextPopup_ = control->OnContextPopup;
    control->OnContextPopup = own;
    try {
        previous(message);
    } catch (...) {
        control->OnContextPopup = previousContextPopup_;
        throw;
    }
    control->OnContextPopup = previousContextPopup_;
}

void TdxBarPopupMenuLink::DoContextPopup(TObject* sender, TPoint mousePos, bool& handled) {
    if (previousContextPopup_) previousContextPopup_(sender, mousePos, handled);
    TControl* child = nullptr;
    if (auto* windowed = As<TWinControl>(control_)) child = windowed->ControlAtPos(mousePos, true, false);
    if (!handled && (processChildren_ || !child)) handled = Popup(mousePos);
}

bool TdxBarPopupMenuLink::Popup(TPoint p) {
    bool clickedByMouse = !(p.x == -1 && p.y == -1);
    bool allowPopup = popupMenu_ != nullptr;
    int x = p.x, y = p.y;
    if (OnAction) OnAction(this, x, y, clickedByMouse, allowPopup);
    if (allowPopup && popupMenu_ && control_) {
        TPoint screen = control_->ClientToScreen(TPoint{x, y});
        popupMenu_->Popup(screen.x, screen.y);
    }
    return allowPopup;
}

bool TdxBarPopupMenuLink::ExecuteShortCut(TShortCut shortCut) {
    if (!popupMenu_) return false;
    int x = -1, y = -1;
    bool allowPopup = true;
    if (OnAction) OnAction(this, x, y, false, allowPopup);
    return allowPopup && popupMenu_->ItemLinks()->ExecuteShortCut(shortCut);
}

void TdxBarPopupMenuLink::Assign(TPersistent* source) {
    auto* link = As<TdxBarPopupMenuLink>(source);
    if (!link) {
        TCollectionItem::Assign(source);
        return;
    }
    TComponent* form = BarManager() ? BarManager()->Owner() : nullptr;
    auto find = [form](TComponent* component) -> TComponent* {
        return component && form ? form->FindComponent(component->Name()) : nullptr;
    };
    TComponent* control = find(link->Control());
    TComponent* menu = find(link->PopupMenu());
    if ((control && !Is<TControl>(control)) || (menu && !Is<TdxBarPopupMenu>(menu)))
        throw EInvalidCast(L"Invalid class typecast");
    SetControl(static_cast<TControl*>(control));
    SetPopupMenu(static_cast<TdxBarPopupMenu*>(menu));
    SetProcessChildren(link->ProcessChildren());
}

// ---- TdxBarPopupMenuLinks -----------------------------------------------------------------

TdxBarPopupMenuLinks::TdxBarPopupMenuLinks(TdxBarManager* manager)
    : TCollection(TdxBarPopupMenuLink::StaticClass()), manager_(manager) {}

TdxBarPopupMenuLinks::~TdxBarPopupMenuLinks() {
    // The links put their controls' window procedures back while the manager still exists.
    Clear();
}

TPersistent* TdxBarPopupMenuLinks::GetOwner() const { return manager_; }

bool TdxBarPopupMenuLinks::ExecuteShortCut(TControl* control, TShortCut shortCut) {
    for (int i = 0; i < Count(); ++i)
        if (GetLink(i)->Control() == control && GetLink(i)->ExecuteShortCut(shortCut)) return true;
    for (int i = 0; i < Count(); ++i) {
        auto* container = As<TWinControl>(GetLink(i)->Control());
        if (GetLink(i)->ProcessChildren() && container && container != control && IsControlInside(control, container) &&
            GetLink(i)->ExecuteShortCut(shortCut))
            return true;
    }
    TdxBarManager* parent = manager_ ? manager_->GetParentManager() : nullptr;
    return parent && parent != manager_ && parent->PopupMenuLinks()->ExecuteShortCut(control, shortCut);
}

void TdxBarPopupMenuLinks::ComponentRemoved(TComponent* component) {
    for (int i = 0; i < Count(); ++i) {
        if (GetLink(i)->Control() == component) GetLink(i)->SetControl(nullptr);
        if (GetLink(i)->PopupMenu() == component) GetLink(i)->SetPopupMenu(nullptr);
    }
}
