#include "Menus.h"

#include <algorithm>
#include <set>

#include "Application.h"
#include "Canvas.h"
#include "MessageWindow.h"

// Sections: command numbers; the popup window; TMenuItem; TMenu; TMainMenu; TPopupMenu.

// ---- command numbers ----

namespace {

// Every live item has its own number, so a WM_COMMAND finds one item whatever menu sent it.
std::set<Word>& UsedMenuCommands() {
    static std::set<Word> used;
    return used;
}

Word AllocateMenuCommand() {
    static Word next = 0;
    auto& used = UsedMenuCommands();
    if (used.size() >= 0xFFFF) throw EMenuError(L"Too many menu items");
    do {
        next = Word(next + 1);
    } while (next == 0 || used.count(next));
    used.insert(next);
    return next;
}

void ReleaseMenuCommand(Word command) { UsedMenuCommands().erase(command); }

}  // namespace

// ---- the popup window ----

namespace {

// The hidden window that owns every popup menu while it is shown and hears its commands.
class TPopupMenuWindow {
public:
    void Add(TPopupMenu* menu) {
        if (menus_.empty()) window_ = AllocateHWnd(MakeEvent(this, &TPopupMenuWindow::WndProc));
        menus_.push_back(menu);
    }
    void Remove(TPopupMenu* menu) {
        std::erase(menus_, menu);
        if (menus_.empty()) {
            DeallocateHWnd(window_);
            window_ = nullptr;
        }
    }
    HWND Window() const { return window_; }

private:
    void WndProc(TMessage& message) {
        // A handler may free menus: walk a copy and skip those already gone.
        std::vector<TPopupMenu*> menus = menus_;
        auto alive = [this](TPopupMenu* m) { return std::find(menus_.begin(), menus_.end(), m) != menus_.end(); };
        switch (message.Msg) {
            case WM_COMMAND:
                for (TPopupMenu* m : menus)
                    if (alive(m) && m->DispatchCommand(LOWORD(message.WParam))) return;
                return;
            case WM_MEASUREITEM:
            case WM_DRAWITEM:
                for (TPopupMenu* m : menus)
                    if (alive(m) && m->HandleOwnerDrawMessage(message)) return;
                break;
            case WM_MENUSELECT:
                for (TPopupMenu* m : menus)
                    if (alive(m)) m->HandleMenuSelect(message);
                return;
        }
        message.Result = DefWindowProcW(window_, message.Msg, message.WParam, message.LParam);
    }

    HWND window_ = nullptr;
    std::vector<TPopupMenu*> menus_;
};

TPopupMenuWindow& PopupMenuWindow() {
    static TPopupMenuWindow window;
    return window;
}

}  // namespace

// ---- TMenuItem ----

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(AllocateMenuCommand()) {}

TMenuItem::~TMenuItem() { ReleaseMenuCommand(command_); }

void TMenuItem::BeforeDestruction() {
    if (parent_) parent_->Remove(this);
    Clear();
    TComponent::BeforeDestruction();
}

void TMenuItem::SetCaption(const String& v) {
    if (AssignIfChanged(caption_, v)) MenuChanged();
}

void TMenuItem::SetChecked(bool v) {
    if (checked_ == v) return;
    checked_ = v;
    if (v && radioItem_) UncheckRadioSiblings();
    MenuChanged();
}

void TMenuItem::SetRadioItem(bool v) {
    if (radioItem_ == v) return;
    radioItem_ = v;
    if (v && checked_) UncheckRadioSiblings();
    MenuChanged();
}

void TMenuItem::SetGroupIndex(Byte v) {
    if (groupIndex_ == v) return;
    groupIndex_ = v;
    if (radioItem_ && checked_) UncheckRadioSiblings();
    MenuChanged();
}

void TMenuItem::UncheckRadioSiblings() {
    if (!parent_) return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_) sibling->checked_ = false;
}

void TMenuItem::SetEnabled(bool v) {
    if (AssignIfChanged(enabled_, v)) MenuChanged();
}

void TMenuItem::SetVisible(bool v) {
    if (AssignIfChanged(visible_, v)) MenuChanged();
}

void TMenuItem::SetDefault(bool v) {
    if (AssignIfChanged(default_, v)) MenuChanged();
}

void TMenuItem::SetShortCut(TShortCut v) {
    if (AssignIfChanged(shortCut_, v)) MenuChanged();
}

void TMenuItem::SetImageIndex(int v) {
    if (AssignIfChanged(imageIndex_, v)) MenuChanged();
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count()) throw EMenuError(L"Menu index out of range");
    return items_[size_t(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item) return;
    if (item->parent_) throw EMenuError(L"Menu inserted twice");
    for (const TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw EMenuError(L"Sub-menu is in menu");
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    if (item->radioItem_ && item->checked_) item->UncheckRadioSiblings();
    MenuChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    MenuChanged();
}

void TMenuItem::Delete(int index) { FreeObject(Items(index)); }

void TMenuItem::Clear() {
    while (!items_.empty()) FreeObject(items_.back());
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(items_.begin(), items_.end(), item);
    return it == items_.end() ? -1 : int(it - items_.begin());
}

void TMenuItem::SetMenuIndex(int index) {
    if (!parent_) return;
    TMenuItem* parent = parent_;
    index = std::clamp(index, 0, parent->Count() - 1);
    if (index == MenuIndex()) return;
    std::erase(parent->items_, this);
    parent->items_.insert(parent->items_.begin() + index, this);
    MenuChanged();
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* root = this;
    while (root->parent_) root = root->parent_;
    return root->menu_;
}

TMenuItem* TMenuItem::FindCommand(Word command) {
    if (command_ == command) return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindCommand(command)) return found;
    return nullptr;
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
    for (TMenuItem* item : items_) {
        if (!item->visible_) continue;
        if (item->shortCut_ == shortCut) return item;
        if (TMenuItem* found = item->FindShortCut(shortCut)) return found;
    }
    return nullptr;
}

bool TMenuItem::IsEnabledWithParents() const {
    for (const TMenuItem* item = this; item; item = item->parent_)
        if (!item->enabled_) return false;
    return true;
}

void TMenuItem::Click() {
    if (!IsEnabledWithParents()) return;
    if (OnClick) OnClick(this);
}

void TMenuItem::MenuChanged() {
    TMenu* menu = GetParentMenu();
    if (menu && !menu->ComponentState().Contains(csDestroying)) menu->MenuChanged();
}

TComponent* TMenuItem::GetParentComponent() const {
    if (parent_ && parent_->menu_) return parent_->menu_;
    return parent_;
}

void TMenuItem::SetParentComponent(TComponent* Value) {
    if (parent_) parent_->Remove(this);
    if (auto* menu = As<TMenu>(Value))
        menu->Items()->Add(this);
    else if (auto* item = As<TMenuItem>(Value))
        item->Add(this);
}

void TMenuItem::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    for (TMenuItem* item : std::vector<TMenuItem*>(items_))
        if (item->Owner() == Root) Proc(item);
}

void TMenuItem::SetChildOrder(TComponent* Child, int Order) {
    if (auto* item = As<TMenuItem>(Child); item && item->parent_ == this) item->SetMenuIndex(Order);
}

// ---- TMenu ----

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) { items_->menu_ = this; }

TMenu::~TMenu() { DestroyMenuHandle(); }

void TMenu::BeforeDestruction() {
    // The items go while the whole menu still exists (they tell it of every change).
    Destroying();
    FreeAndNil(items_);
    TComponent::BeforeDestruction();
}

void TMenu::SetImages(TCustomImageList* v) {
    if (images_ == v) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = v;
    if (v) v->FreeNotification(this);
    MenuChanged();
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == images_) {
        images_ = nullptr;
        MenuChanged();
    }
}

HMENU TMenu::Handle() {
    if (!handle_) {
        handle_ = CreateMenuHandle();
        if (!handle_) RaiseLastOSError();
        FillMenu(handle_, items_);
    }
    return handle_;
}

void TMenu::DestroyMenuHandle() {
    if (!handle_) return;
    DestroyMenu(handle_);
    handle_ = nullptr;
}

void TMenu::MenuChanged() { DestroyMenuHandle(); }

void TMenu::FillMenu(HMENU menu, TMenuItem* parent) {
    UINT position = 0;
    for (TMenuItem* item : parent->items_) {
        if (!item->visible_) continue;
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
        info.wID = item->command_;
        info.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        String text;
        if (item->IsLine()) {
            info.fType = MFT_SEPARATOR;
        } else {
            text = item->caption_;
            if (item->shortCut_ != scNone) text += L"\t" + ShortCutToText(item->shortCut_);
            info.fMask |= MIIM_STRING;
            info.dwTypeData = text.data();
            if (item->radioItem_) info.fType |= MFT_RADIOCHECK;
            if (item->checked_) info.fState |= MFS_CHECKED;
            if (!item->enabled_) info.fState |= MFS_DISABLED;
            if (item->default_) info.fState |= MFS_DEFAULT;
            if (images_ && item->imageIndex_ >= 0) {
                // The menu asks its owner window to measure and draw the image.
                info.fMask |= MIIM_BITMAP;
                info.hbmpItem = HBMMENU_CALLBACK;
            }
            if (!item->items_.empty()) {
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = CreatePopupMenu();
                FillMenu(info.hSubMenu, item);
            }
        }
        InsertMenuItemW(menu, position++, TRUE, &info);
    }
}

bool TMenu::IsShortCut(const TMessage& keyMessage) {
    TShortCut shortCut = ShortCutOfKeyMessage(keyMessage);
    if ((shortCut & 0xFF) == 0) return false;
    TMenuItem* item = items_->FindShortCut(shortCut);
    if (!item || !item->IsEnabledWithParents()) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchCommand(Word command) {
    TMenuItem* item = items_->FindCommand(command);
    if (!item || item == items_) return false;
    item->Click();
    return true;
}

namespace {
// The item a menu message names through its item data, when it is one of this tree's.
TMenuItem* OwnItem(TMenuItem* root, ULONG_PTR data) {
    auto* item = reinterpret_cast<TMenuItem*>(data);
    return item && root->FindCommand(item->Command()) == item ? item : nullptr;
}
}  // namespace

bool TMenu::HandleOwnerDrawMessage(TMessage& message) {
    if (!images_) return false;
    if (message.Msg == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
        if (measure->CtlType != ODT_MENU || !OwnItem(items_, measure->itemData)) return false;
        measure->itemWidth = UINT(images_->Width());
        measure->itemHeight = UINT(images_->Height());
        message.Result = TRUE;
        return true;
    }
    if (message.Msg == WM_DRAWITEM) {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
        if (draw->CtlType != ODT_MENU) return false;
        TMenuItem* item = OwnItem(items_, draw->itemData);
        if (!item) return false;
        TCanvas canvas;
        canvas.SetHandle(draw->hDC);
        int y = draw->rcItem.top + (RectHeight(draw->rcItem) - images_->Height()) / 2;
        images_->Draw(&canvas, draw->rcItem.left, y, item->imageIndex_, !(draw->itemState & ODS_GRAYED));
        canvas.SetHandle(nullptr);
        message.Result = TRUE;
        return true;
    }
    return false;
}

void TMenu::HandleMenuSelect(const TMessage& message) {
    if (!Application) return;
    UINT flags = HIWORD(message.WParam);
    auto menu = reinterpret_cast<HMENU>(message.LParam);
    if (flags == 0xFFFF && !menu) {
        Application->SetHint(String());  // the menu closed
        return;
    }
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_DATA;
    if (!GetMenuItemInfoW(menu, LOWORD(message.WParam), (flags & MF_POPUP) != 0, &info)) return;
    if (TMenuItem* item = OwnItem(items_, info.dwItemData)) Application->SetHint(item->Hint());
}

void TMenu::GetChildren(const TGetChildProc& Proc, TComponent* Root) { items_->GetChildren(Proc, Root); }

void TMenu::SetChildOrder(TComponent* Child, int Order) { items_->SetChildOrder(Child, Order); }

// ---- TMainMenu ----

void TMainMenu::BeforeDestruction() {
    SetWindowHandle(nullptr);
    TMenu::BeforeDestruction();
}

void TMainMenu::SetWindowHandle(HWND window) {
    if (window_ == window) return;
    // Detached first: a window destroys the menu it holds.
    if (window_ && IsWindow(window_)) ::SetMenu(window_, nullptr);
    window_ = window;
    if (window_) {
        ::SetMenu(window_, Handle());
        DrawMenuBar(window_);
    }
}

void TMainMenu::MenuChanged() {
    if (!window_) {
        TMenu::MenuChanged();
        return;
    }
    // The window shows the new bar before the old one goes.
    ::SetMenu(window_, nullptr);
    TMenu::MenuChanged();
    ::SetMenu(window_, Handle());
    DrawMenuBar(window_);
}

// ---- TPopupMenu ----

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner) { PopupMenuWindow().Add(this); }

TPopupMenu::~TPopupMenu() { PopupMenuWindow().Remove(this); }

HWND TPopupMenu::WindowHandle() const { return PopupMenuWindow().Window(); }

void TPopupMenu::SetPopupComponent(TComponent* v) {
    if (popupComponent_ == v) return;
    if (popupComponent_) popupComponent_->RemoveFreeNotification(this);
    popupComponent_ = v;
    if (v) v->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation) {
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == popupComponent_) popupComponent_ = nullptr;
}

void TPopupMenu::Popup(int X, int Y) {
    popupPoint_ = TPoint{X, Y};
    DoPopup();
    // OnPopup may have changed the items: always show a fresh system menu.
    DestroyMenuHandle();
    TrackPopupMenuEx(Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, X, Y, WindowHandle(), nullptr);
}
