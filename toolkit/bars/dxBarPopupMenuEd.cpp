#include "dxBarPopupMenuEd.h"

#include "Application.h"
#include "dxBarCustForm.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxBarSubMenuControl.h"
#include "dxBarWindowHelpers.h"

namespace {
TdxBarSubMenuEditor* editorInstance = nullptr;
}  // namespace

TdxBarSubMenuEditor* SubMenuEditorInstance() { return editorInstance; }

void TdxBarSubMenuEditor::CreateParams(TCreateParams& Params) {
    TForm::CreateParams(Params);
    Params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU;
    Params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    Params.WindowClass.style = CS_OWNDC | CS_SAVEBITS;
    // It stays with the Customize dialog: both are owned by the same window.
    if (TdxBarCustomCustomizationForm* dialog = CustomizationFormInstance())
        if (dialog->HandleAllocated())
            if (HWND owner = GetWindow(dialog->Handle(), GW_OWNER)) Params.WndParent = owner;
}

TdxBarSubMenuControl* TdxBarSubMenuEditor::MenuControl() const {
    return itemLinks_ ? As<TdxBarSubMenuControl>(itemLinks_->BarControl()) : nullptr;
}

void TdxBarSubMenuEditor::HideMenu() {
    if (TdxBarSubMenuControl* menu = MenuControl()) menu->HideBar();
}

void TdxBarSubMenuEditor::WatchLinksOwner(TComponent* owner) {
    if (linksOwner_ == owner) return;
    if (linksOwner_) linksOwner_->RemoveFreeNotification(this);
    linksOwner_ = owner;
    if (linksOwner_) linksOwner_->FreeNotification(this);
}

void TdxBarSubMenuEditor::SetItemLinks(TdxBarItemLinks* links) {
    if (itemLinks_ == links) return;
    // The menu of the links shown so far would otherwise stay on the screen without its editor.
    HideMenu();
    itemLinks_ = links;
    if (!links) {
        WatchLinksOwner(nullptr);
        CloseEditor();
    } else {
        WatchLinksOwner(links->GetOwnerObject());
        // A shown editor that is active already hears no activation: its new menu opens now.
        if (HandleAllocated() && IsWindowVisible(Handle())) FormActivate(this);
    }
}

void TdxBarSubMenuEditor::Notification(TComponent* component, TOperation operation) {
    TForm::Notification(component, operation);
    if (operation == opRemove && component == linksOwner_) {
        linksOwner_ = nullptr;
        // The links go with their owner, and their menu with them.
        itemLinks_ = nullptr;
        CloseEditor();
    }
}

void TdxBarSubMenuEditor::CloseEditor() {
    if (ComponentState().Contains(csDestroying)) return;
    if (HandleAllocated())
        Release();
    else
        FreeObject(this);
}

void TdxBarSubMenuEditor::KeepOnWorkArea() {
    TRect work = GetWorkAreaAt(TPoint{Left(), Top()});
    int left = std::max(Left(), int(work.left)), top = std::max(Top(), int(work.top));
    if (left != Left() || top != Top()) SetBounds(left, top, Width(), Height());
}

void TdxBarSubMenuEditor::CMShowingChanged(TMessage& Message) {
    Inherited<TForm>(Message);
    if (Showing()) KeepOnWorkArea();
}

void TdxBarSubMenuEditor::FormActivate(TObject*) {
    if (!itemLinks_) return;
    if (!itemLinks_->BarControl()) {
        itemLinks_->CreateBarControl();
        TdxBarSubMenuControl* menu = MenuControl();
        if (!menu) return;
        menu->SetLeft(Left());
        menu->SetTop(Top() + Height());
        menu->OwnerHeight = Height();
        menu->ShowMenu();
    }
    if (TdxBarSubMenuControl* menu = MenuControl()) {
        menuWidth_ = menu->Width();
        if (Width() != menuWidth_) SetWidth(menuWidth_);
    }
}

void TdxBarSubMenuEditor::FormClose(TObject*, TCloseAction& Action) { Action = caFree; }

void TdxBarSubMenuEditor::FormDestroy(TObject*) {
    HideMenu();
    WatchLinksOwner(nullptr);
    itemLinks_ = nullptr;
    if (editorInstance == this) editorInstance = nullptr;
}

void TdxBarSubMenuEditor::WMGetMinMaxInfo(TMessage& Message) {
    Inherited<TForm>(Message);
    if (TdxBarSubMenuControl* menu = MenuControl()) menuWidth_ = menu->Width();
    if (menuWidth_ <= 0) return;
    auto* info = reinterpret_cast<MINMAXINFO*>(Message.LParam);
    const POINT size{menuWidth_, Height()};
    info->ptMaxSize = size;
    info->ptMinTrackSize = size;
    info->ptMaxTrackSize = size;
}

void TdxBarSubMenuEditor::WMMove(TMessage& Message) {
    Inherited<TForm>(Message);
    if (TdxBarSubMenuControl* menu = MenuControl(); menu && menu->HandleAllocated())
        SetWindowPos(menu->Handle(), nullptr, Left(), Top() + Height(), 0, 0,
                     SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TdxBarSubMenuEditor::WMNCLButtonDown(TMessage& Message) {
    Inherited<TForm>(Message);
    if (Message.WParam == HTCLOSE)
        HideMenu();
    else if (HandleAllocated() && IsWindowVisible(Handle())) {
        // Activating again shows the menu when it was hidden; an editor that is active already
        // hears no activation, so it is told directly.
        SetActiveWindow(Handle());
        if (!MenuControl()) FormActivate(this);
    }
}

void ShowSubMenuEditor(TdxBarItemLinks* links) {
    if (!links) return;
    // Commands are dragged into the menu from the Customize dialog's commands page.
    if (TdxBarManager* manager = links->BarManager()) {
        manager->SwitchCustomizing(true);
        if (manager->IsCustomizing())
            if (TdxBarCustomCustomizationForm* dialog = CustomizationFormInstance()) dialog->SelectCommandsPage();
    }
    if (!editorInstance) {
        editorInstance = static_cast<TdxBarSubMenuEditor*>(
            TdxBarSubMenuEditor::StaticClass()->Create(static_cast<TComponent*>(nullptr)));
        editorInstance->SetCaption(BarString(dxSBAR_SUBMENUEDITORCAPTION));
    }
    TdxBarSubMenuEditor* editor = editorInstance;
    editor->SetClientHeight(0);
    editor->SetItemLinks(links);
    DispatchPendingMouseMessages();
    editor->Show();
}
