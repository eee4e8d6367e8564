#include "dxBarPopupMenu.h"

#include "Actions.h"
#include "CallbackBarrier.h"
#include "ShortCuts.h"
#include "cxObjectLinks.h"
#include "cxWindowHelpers.h"
#include "dxBarItemControl.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarMessageHooks.h"
#include "dxBarStrs.h"
#include "dxBarSubMenuControl.h"
#include "dxBarUnit.h"
#include "dxBarUtils.h"
#include "dxBarWindowHelpers.h"

TdxBarPopupMenu::TdxBarPopupMenu(TComponent* owner) : TdxBarComponent(owner) {
    TdxBarManager* manager = ResolveBarManager(owner);
    SetBarManagerField(manager);
    // The links must not outlive their manager's notice of its freeing.
    if (manager) manager->FreeNotification(this);
    font_ = std::make_unique<TFont>();
    if (manager) font_->Assign(manager->Font());
    font_->OnChange = MakeEvent(this, &TdxBarPopupMenu::FontChanged);
    itemLinks_ = new TdxBarSubMenuControlItemLinks(manager, this);
    if (manager) manager->AddPopupMenu(this);
}

TdxBarPopupMenu::~TdxBarPopupMenu() {
    if (BarManager()) BarManager()->RemovePopupMenu(this);
    FreeAndNil(itemLinks_);
    font_.reset();
}

void TdxBarPopupMenu::SetBarManager(TdxBarManager* manager) {
    if (manager == BarManager()) return;
    if (BarManager()) {
        BarManager()->RemovePopupMenu(this);
        BarManager()->RemoveFreeNotification(this);
    }
    SetBarManagerField(manager);
    itemLinks_->SetBarManager(manager);
    if (manager) {
        manager->FreeNotification(this);
        manager->AddPopupMenu(this);
    }
}

void TdxBarPopupMenu::Notification(TComponent* component, TOperation operation) {
    TdxBarComponent::Notification(component, operation);
    if (operation == opRemove && component == BarManager()) {
        SetBarManagerField(nullptr);
        itemLinks_->SetBarManager(nullptr);
    }
    if (operation == opRemove && component == ownerControl_) ownerControl_ = nullptr;
}

void TdxBarPopupMenu::Loaded() {
    TdxBarComponent::Loaded();
    itemLinks_->ResolveLoadedItems();
}

bool TdxBarPopupMenu::CanAddItem(TdxBarItem* item, String& errorText) {
    if (!item->CanPlaceOn(dxBarPlaceInMenu, nullptr, errorText)) return false;
    TdxBarItemLinks* links = item->GetItemLinks();
    if (links && links->ContainsOwner(this)) {
        errorText = BarString(dxSBAR_RECURSIVEMENUS);
        return false;
    }
    return true;
}

// ---- Fonts --------------------------------------------------------------------------------

void TdxBarPopupMenu::FontChanged(TObject*) {
    if (!internalFontChange_) useOwnFont_ = true;
}

void TdxBarPopupMenu::SetUseOwnFont(bool value) {
    if (useOwnFont_ == value) return;
    useOwnFont_ = value;
    internalFontChange_ = true;
    try {
        if (value)
            FontChanged(nullptr);
        else if (BarManager())
            font_->Assign(BarManager()->Font());
    } catch (...) {
        internalFontChange_ = false;
        throw;
    }
    internalFontChange_ = false;
}

// ---- Showing ------------------------------------------------------------------------------

TdxBarSubMenuControl* TdxBarPopupMenu::CreateSubMenuControl() {
    return BarManager() ? new TdxBarSubMenuControl(BarManager()) : nullptr;
}

TCustomdxBarControl* TdxBarPopupMenu::CreateBarControl() {
    TdxBarSubMenuControl* menu = CreateSubMenuControl();
    if (menu) menu->AssignItemLinks(itemLinks_);
    return menu;
}

TdxBarSubMenuControl* TdxBarPopupMenu::GetSubMenuControl() const {
    return As<TdxBarSubMenuControl>(itemLinks_->BarControl());
}

void TdxBarPopupMenu::MenuClosedUp(TObject*) {
    popupVisible_ = false;
    if (OnCloseUp) OnCloseUp(this);
}

void TdxBarPopupMenu::MenuPoppedUp(TObject*) {
    popupVisible_ = true;
    if (OnPopup) OnPopup(this);
}

void TdxBarPopupMenu::Popup(int x, int y) {
    if (itemLinks_->BarControl() || !BarManager()) return;
    SendCancelModeToActiveForm();
    if (!BarManager()->IsCustomizingOrDesigning())
        if (HWND capture = GetCapture()) {
            SendMessageW(capture, CM_CANCELMODE, 0, 0);
            ReleaseCapture();
        }
    if (!ownerControl_) {
        // A popup shown for an owner control leaves the open chain alone.
        if (IdxBarHookedMenuChain* chain = HookedMenuChain())
            if (!chain->IsInsideChain(GetFocus())) chain->CloseChain();
    }
    itemLinks_->CreateBarControl();
    TdxBarSubMenuControl* menu = GetSubMenuControl();
    if (!menu) return;
    menu->SetLeft(x);
    menu->SetTop(y);
    if (OwnerItemControl && OwnerItemControl->BarControl()) OwnerItemControl->BarControl()->SetChildBar(menu);
    if (hasOwnerBounds_) menu->SetOwnerBounds(ownerBounds_);
    menu->SetOwnerControl(ownerControl_);
    menu->OwnerWidth = ownerWidth_;
    menu->OwnerHeight = ownerHeight_;
    if (auto* form = As<TWinControl>(Owner()))
        if (form->HandleAllocated()) menu->ParentWindow = form->Handle();
    menu->OnCloseUpNotify = MakeEvent(this, &TdxBarPopupMenu::MenuClosedUp);
    menu->OnPopupNotify = MakeEvent(this, &TdxBarPopupMenu::MenuPoppedUp);
    menu->ShowAnimation = showAnimation_;
    try {
        menu->ShowMenu();
    } catch (...) {
        // A partly shown chain closes before the error goes on.
        if (IsBarControlAlive(menu)) menu->HideMenuChain();
        throw;
    }
    if (useOwnMessageLoop_) RunOwnMessageLoop();
}

void TdxBarPopupMenu::RunOwnMessageLoop() {
    TcxObjectLinkGuard self(this);
    MSG msg;
    while (self.Alive() && popupVisible_) {
        const BOOL result = GetMessageW(&msg, nullptr, 0, 0);
        if (result == -1) break;
        if (result == 0) {
            // The application's main loop must see the quit too.
            PostQuitMessage(int(msg.wParam));
            break;
        }
        if (!self.Alive() || !popupVisible_) {
            PostMessageW(msg.hwnd, msg.message, msg.wParam, msg.lParam);
            break;
        }
        if (msg.message == WM_COMMAND) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void TdxBarPopupMenu::PopupFromCursorPos() {
    const TPoint p = QueryCursorPos();
    Popup(p.x, p.y);
}

void TdxBarPopupMenu::PopupForOwner(int x, int y, int ownerWidth, int ownerHeight, bool showAnimation,
                                    const TRect* ownerBounds, bool useOwnMessageLoop, TWinControl* ownerControl) {
    ownerWidth_ = ownerWidth;
    ownerHeight_ = ownerHeight;
    showAnimation_ = showAnimation;
    hasOwnerBounds_ = ownerBounds != nullptr;
    if (ownerBounds) ownerBounds_ = *ownerBounds;
    useOwnMessageLoop_ = useOwnMessageLoop;
    ownerControl_ = ownerControl;
    if (ownerControl) ownerControl->FreeNotification(this);
    TcxObjectLinkGuard alive(this);
    auto reset = [&] {
        if (!alive.Alive()) return;
        useOwnMessageLoop_ = true;
        ownerControl_ = nullptr;
        ownerWidth_ = ownerHeight_ = 0;
        showAnimation_ = true;
        hasOwnerBounds_ = false;
    };
    try {
        Popup(x, y);
    } catch (...) {
        reset();
        throw;
    }
    reset();
}

bool TdxBarPopupMenu::IsShortCut(const TMessage& message) {
    const TShortCut shortCut = ShortCutFromKeyMessage(Word(message.WParam), message.LParam);
    return shortCut != 0 && itemLinks_->ExecuteShortCut(shortCut);
}
