// The Customize dialog's base form: life cycle, window behaviour, the manager's events and the
// toolbars, categories and commands lists with their actions.

#include <algorithm>

#include "Application.h"
#include "Canvas.h"
#include "ComponentList.h"
#include "Format.h"
#include "Forms.h"
#include "Screen.h"
#include "cxPopupWindowRelations.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarCombo.h"
#include "dxBarControl.h"
#include "dxBarCustForm.h"
#include "dxBarDesignController.h"
#include "dxBarItemEd.h"
#include "dxBarNameEd.h"
#include "dxBarSubItem.h"
#include "dxBarItem.h"
#include "dxBarManager.h"
#include "dxBarPopupMenu.h"
#include "dxBarPopupMenuEd.h"
#include "dxBarRunTimeSelectionController.h"
#include "dxBarStrs.h"
#include "dxBarTextHelpers.h"
#include "dxBarWindowHelpers.h"
#include "dxCustomBarControl.h"

namespace {

TdxBarCustomCustomizationForm* customizationForm = nullptr;
TClass formClass = nullptr;
TdxBarManager* creatingFor = nullptr;

UINT RegisteredMessage(UINT& id, const wchar_t* name) {
    if (!id) id = RegisterWindowMessageW(name);
    return id;
}

TCustomForm* ManagerForm(TdxBarManager* manager) { return As<TCustomForm>(manager->GetManagerOwner()); }

}  // namespace

UINT dxWM_LB_SYNCHRONIZE() {
    static UINT id = 0;
    return RegisteredMessage(id, L"dxWM_LB_SYNCHRONIZE");
}
UINT dxWM_LB_SYNCHRONIZESELECTION() {
    static UINT id = 0;
    return RegisteredMessage(id, L"dxWM_LB_SYNCHRONIZESELECTION");
}
UINT dxWM_LB_UPDATEEVENTS() {
    static UINT id = 0;
    return RegisteredMessage(id, L"dxWM_LB_UPDATEEVENTS");
}

// ---- list helpers ---------------------------------------------------------------------------

TdxBarCustomizationFormListBoxHelper::TdxBarCustomizationFormListBoxHelper(TdxBarCustomCustomizationForm* form,
                                                                           TListBox* listBox)
    : form_(form), listBox_(listBox) {
    saved_ = listBox_->WindowProc();
    listBox_->SetWindowProc(MakeEvent(this, &TdxBarCustomizationFormListBoxHelper::WindowProc));
}

TdxBarCustomizationFormListBoxHelper::~TdxBarCustomizationFormListBoxHelper() { listBox_->SetWindowProc(saved_); }

void TdxBarCustomizationFormListBoxHelper::WindowProc(TMessage& message) { HandleMessage(message); }

void TdxBarCustomizationFormListBoxHelper::HandleMessage(TMessage& message) { saved_(message); }

void TdxBarCustomizationFormBarListHelper::HandleMessage(TMessage& message) {
    TdxBarManager* manager = form_->BarManager();
    if (message.Msg == dxWM_LB_SYNCHRONIZE()) {
        if (message.WParam == 0) {
            for (int i = 0; i < manager->Bars()->Count(); ++i) {
                TdxBar* bar = manager->Bars()->Items(i);
                if (!bar->Hidden() || manager->IsBarManagerDesigning())
                    listBox_->Items()->AddObject(bar->Caption(), bar);
            }
        } else {
            auto* bar = reinterpret_cast<TdxBar*>(message.WParam);
            listBox_->Items()->Put(int(message.LParam), bar->Caption());
        }
        return;
    }
    if (message.Msg == dxWM_LB_SYNCHRONIZESELECTION()) {
        form_->PullSelection(listBox_);
        return;
    }
    if (message.Msg == dxWM_LB_UPDATEEVENTS()) {
        form_->UpdateBarActions();
        return;
    }
    switch (message.Msg) {
        case WM_KEYDOWN:
            if (message.WParam == VK_SPACE) {
                form_->ToggleBarVisible(listBox_->ItemIndex());
                return;
            }
            if (message.WParam == VK_INSERT) {
                form_->aNewToolBar->Execute();
                return;
            }
            if (message.WParam == VK_DELETE) {
                form_->aDeleteToolBar->Execute();
                return;
            }
            break;
        case WM_CHAR:
            if (message.WParam == L' ') return;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            TPoint p(short(LOWORD(message.LParam)), short(HIWORD(message.LParam)));
            int index = listBox_->ItemAtPos(p, true);
            bool onSquare = false;
            if (index >= 0) {
                TRect r = listBox_->ItemRect(index);
                onSquare = p.x >= r.left && p.x < r.left + RectHeight(r);
            }
            CallSaved(message);
            if (index >= 0 && (onSquare ? message.Msg == WM_LBUTTONDOWN : message.Msg == WM_LBUTTONDBLCLK))
                form_->ToggleBarVisible(index);
            form_->UpdateBarActions();
            return;
        }
    }
    CallSaved(message);
}

void TdxBarCustomizationFormCategoryListHelper::HandleMessage(TMessage& message) {
    TdxBarManager* manager = form_->BarManager();
    if (message.Msg == dxWM_LB_SYNCHRONIZE()) {
        if (message.WParam == 0) {
            for (int i = 0; i < manager->Categories()->Count(); ++i)
                if (manager->IsBarManagerDesigning() || manager->GetCategoryVisible(i))
                    listBox_->Items()->Add(manager->Categories()->Strings(i));
            if (listBox_->Count() > 0) listBox_->SetItemIndex(0);
        }
        return;
    }
    if (message.Msg == dxWM_LB_SYNCHRONIZESELECTION() || message.Msg == dxWM_LB_UPDATEEVENTS()) return;
    CallSaved(message);
}

void TdxBarCustomizationFormItemsListHelper::HandleMessage(TMessage& message) {
    TdxBarManager* manager = form_->BarManager();
    if (message.Msg == dxWM_LB_SYNCHRONIZE()) {
        if (message.WParam == 0) {
            TListBox* categories = form_->GetCategoriesListBox();
            int category = manager->GetCategoryByVisibleIndex(categories->ItemIndex());
            TList items;
            manager->GetVisibleItemsByCategory(category, &items);
            for (int i = 0; i < items.Count(); ++i) {
                auto* item = static_cast<TdxBarItem*>(items.Items(i));
                listBox_->Items()->AddObject(item->GetCaption(), item);
            }
        } else {
            auto* item = reinterpret_cast<TdxBarItem*>(message.WParam);
            listBox_->Items()->Put(int(message.LParam), item->GetCaption());
        }
        return;
    }
    if (message.Msg == dxWM_LB_SYNCHRONIZESELECTION()) {
        form_->PullSelection(listBox_);
        return;
    }
    if (message.Msg == dxWM_LB_UPDATEEVENTS()) {
        form_->UpdateItemActions();
        return;
    }
    switch (message.Msg) {
        case WM_ERASEBKGND: {
            // Only the area below the last entry: the entries paint themselves.
            HDC dc = reinterpret_cast<HDC>(message.WParam);
            RECT client;
            GetClientRect(listBox_->Handle(), &client);
            int count = listBox_->Count();
            int bottom = count > 0 ? listBox_->ItemRect(count - 1).bottom : 0;
            if (bottom < client.bottom) {
                HBRUSH brush = CreateSolidBrush(ColorToRGB(form_->GetPainterClass()->GetBkColor(false, nullptr)));
                RECT rest = {client.left, std::max<LONG>(bottom, 0), client.right, client.bottom};
                FillRect(dc, &rest, brush);
                DeleteObject(brush);
            }
            message.Result = 1;
            return;
        }
        case WM_LBUTTONDOWN: {
            CallSaved(message);
            form_->PushSelection(listBox_);
            form_->UpdateItemActions();
            TPoint screen;
            GetCursorPos(&screen);
            POINT start = screen;
            if (listBox_->ItemIndex() >= 0 && DragDetect(listBox_->Handle(), start))
                if (auto* item = As<TdxBarItem>(form_->EntryObject(listBox_, listBox_->ItemIndex())))
                    form_->BarManager()->DragItem(item, nullptr);
            return;
        }
    }
    CallSaved(message);
}

// ---- TCheckableButton -----------------------------------------------------------------------

TCheckableButton::TCheckableButton(TComponent* owner) : TGraphicControl(owner) {
    SetControlStyle(ControlStyle() - TControlStyle{csCaptureMouse});
}

void TCheckableButton::AlignAfter(TControl* control) {
    int right = Left() + Width();
    int left = control->Left() + control->Width() + 5;
    SetBounds(left, Top(), std::max(right - left, 0), Height());
}

void TCheckableButton::SetDown(bool value) {
    if (down_ == value) return;
    down_ = value;
    Invalidate();
    if (down_ && dropDownMenu_) {
        dropDownMenu_->OnCloseUp = MakeEvent(this, &TCheckableButton::MenuClosed);
        TPoint p = ClientToScreen(TPoint(0, Height()));
        dropDownMenu_->Popup(p.x, p.y);
    }
}

void TCheckableButton::MenuClosed(TObject*) {
    TPoint p;
    GetCursorPos(&p);
    TPoint local = ScreenToClient(p);
    ignoreNextPress_ = GetAsyncKeyState(VK_LBUTTON) < 0 && local.x >= 0 && local.y >= 0 && local.x < Width() &&
                       local.y < Height();
    SetDown(false);
}

void TCheckableButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TGraphicControl::MouseDown(button, shift, x, y);
    if (button != mbLeft) return;
    if (ignoreNextPress_) {
        ignoreNextPress_ = false;
        return;
    }
    SetDown(true);
}

void TCheckableButton::MouseEnter() {
    hot_ = true;
    Invalidate();
    TGraphicControl::MouseEnter();
}

void TCheckableButton::MouseLeave() {
    hot_ = false;
    Invalidate();
    TGraphicControl::MouseLeave();
}

void TCheckableButton::Paint() {
    TCanvas* canvas = Canvas();
    RECT r = {0, 0, Width(), Height()};
    TCustomForm* form = ::GetParentForm(this);
    if (down_ || (hot_ && form && form->Active()))
        DrawEdge(canvas->Handle(), &r, down_ ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
    if (down_) OffsetRect(&r, 1, 1);
    canvas->Font()->Assign(Font());
    canvas->Font()->SetColor(clBtnText);
    canvas->Brush()->SetStyle(bsClear);
    TRect text = r;
    canvas->TextRect(text, Caption(), DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// ---- TdxBarCustomCustomizationForm ----------------------------------------------------------

TdxBarCustomCustomizationForm::TdxBarCustomCustomizationForm(TComponent* owner)
    : TForm(owner), manager_(creatingFor) {}

TdxBarCustomCustomizationForm* TdxBarCustomCustomizationForm::CreateForManager(TClass cls, TdxBarManager* manager) {
    TdxBarManager* previous = creatingFor;
    creatingFor = manager;
    TdxBarCustomCustomizationForm* form = nullptr;
    try {
        form = static_cast<TdxBarCustomCustomizationForm*>(cls->Create(static_cast<TComponent*>(nullptr)));
    } catch (...) {
        creatingFor = previous;
        throw;
    }
    creatingFor = previous;
    return form;
}

void TdxBarCustomCustomizationForm::Loaded() {
    TForm::Loaded();
    imgGroups = FormPart<TImageList>(this, L"imgGroups");
    alCustomize = FormPart<TActionList>(this, L"alCustomize");
    aAddItem = FormPart<TAction>(this, L"aAddItem");
    aNewToolBar = FormPart<TAction>(this, L"aNewToolBar");
    aRenameToolBar = FormPart<TAction>(this, L"aRenameToolBar");
    aDeleteToolBar = FormPart<TAction>(this, L"aDeleteToolBar");
    aResetToolBar = FormPart<TAction>(this, L"aResetToolBar");
    aDeleteItem = FormPart<TAction>(this, L"aDeleteItem");
    aMoveUpItem = FormPart<TAction>(this, L"aMoveUpItem");
    aMoveDownItem = FormPart<TAction>(this, L"aMoveDownItem");
    aSubMenuEditor = FormPart<TAction>(this, L"aSubMenuEditor");
    aClearItemList = FormPart<TAction>(this, L"aClearItemList");
    BarManager1 = FormPart<TdxBarManager>(this, L"BarManager1");
    CategoriesAdd = FormPart<TdxBarButton>(this, L"CategoriesAdd");
    CategoriesInsert = FormPart<TdxBarButton>(this, L"CategoriesInsert");
    CategoriesRename = FormPart<TdxBarButton>(this, L"CategoriesRename");
    CategoriesVisible = FormPart<TdxBarButton>(this, L"CategoriesVisible");
    CategoriesItemsVisible = FormPart<TdxBarCombo>(this, L"CategoriesItemsVisible");
    CategoriesDelete = FormPart<TdxBarButton>(this, L"CategoriesDelete");
    CommandsAdd = FormPart<TdxBarButton>(this, L"CommandsAdd");
    CommandsDelete = FormPart<TdxBarButton>(this, L"CommandsDelete");
    CommandsClear = FormPart<TdxBarButton>(this, L"CommandsClear");
    CommandsMoveUp = FormPart<TdxBarButton>(this, L"CommandsMoveUp");
    CommandsMoveDown = FormPart<TdxBarButton>(this, L"CommandsMoveDown");
    CommandsSubMenuEditor = FormPart<TdxBarButton>(this, L"CommandsSubMenuEditor");
    CategoriesPopupMenu = FormPart<TdxBarPopupMenu>(this, L"CategoriesPopupMenu");
    CommandsPopupMenu = FormPart<TdxBarPopupMenu>(this, L"CommandsPopupMenu");
}

void TdxBarCustomCustomizationForm::AfterConstruction() {
    TForm::AfterConstruction();
    if (!manager_) return;
    SetPopupMode(pmAuto);
    helpers_.push_back(new TdxBarCustomizationFormBarListHelper(this, GetBarsListBox()));
    helpers_.push_back(new TdxBarCustomizationFormCategoryListHelper(this, GetCategoriesListBox()));
    helpers_.push_back(new TdxBarCustomizationFormItemsListHelper(this, GetItemsListBox()));
    Font()->SetName(manager_->Font()->Name());
    Font()->SetCharset(manager_->Font()->Charset());
    OnClose = MakeEvent(this, &TdxBarCustomCustomizationForm::FormClose);
    SaveSelection();
    builtHeight_ = Height();
    Constraints()->SetMinHeight(builtHeight_);
    LocalizeBase();
    HookManagerEvents();
    InitControls();
    UpdateLook();
    // The actions start in the state of the lists: the command actions (a Delete shortcut among
    // them) must not run at run time before a list first reports its selection.
    UpdateBarActions();
    UpdateItemActions();
}

TdxBarCustomCustomizationForm::~TdxBarCustomCustomizationForm() {
    if (customizationForm == this) customizationForm = nullptr;
    EnableManagerForms();
    if (manager_) {
        RestoreEvents();
        // The dialog going ends customizing (unless the mode ending is what frees it); a dialog
        // opened without the mode still tells the manager that it went.
        try {
            if (manager_->IsCustomizing())
                manager_->SwitchCustomizing(false);
            else
                ShowCustomizationForm(manager_, false);
        } catch (...) {
            Application->HandleException(this);
        }
        RemoveRunTimeSelection();
        RestoreSavedSelection();
    }
    for (auto* helper : helpers_) delete helper;
    helpers_.clear();
}

void TdxBarCustomCustomizationForm::RemoveRunTimeSelection() {
    if (!selectionController_) return;
    TdxBarRunTimeSelectionController* controller = selectionController_;
    selectionController_ = nullptr;
    if (manager_->Designer() != static_cast<IdxBarDesigner*>(controller)) return;  // replaced meanwhile
    controller->OnSelectionChanged = previousSelectionChanged_;
    if (ownsSelectionController_) manager_->SetDesigner(nullptr);
}

void TdxBarCustomCustomizationForm::RunTimeSelectionChanged(TObject* sender, TObject* changed) {
    if (previousSelectionChanged_) previousSelectionChanged_(sender, changed);
    if (!ComponentState().Contains(csDestroying)) SelectionChanged(this);
}

bool TdxBarCustomCustomizationForm::IsDesigning() const { return manager_ && manager_->IsBarManagerDesigning(); }

void TdxBarCustomCustomizationForm::CreateParams(TCreateParams& params) {
    TForm::CreateParams(params);
    params.Style = WS_POPUP | WS_CLIPSIBLINGS | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
    params.ExStyle = WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    params.WindowClass.style = CS_OWNDC | CS_SAVEBITS;
    if (manager_)
        if (auto* owner = As<TWinControl>(manager_->GetManagerOwner())) params.WndParent = owner->Handle();
}

void TdxBarCustomCustomizationForm::WMNCHitTest(TMessage& message) {
    DefaultHandler(message);
    switch (message.Result) {
        case HTLEFT:
        case HTRIGHT:
            message.Result = HTCLIENT;
            break;
        case HTTOPLEFT:
        case HTTOPRIGHT:
            message.Result = HTTOP;
            break;
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT:
            message.Result = HTBOTTOM;
            break;
    }
}

void TdxBarCustomCustomizationForm::WMActivate(TMessage& message) {
    DefaultHandler(message);
    if (destroyingWindow_ || ComponentState().Contains(csDestroying) || !manager_) return;
    TCustomForm* form = manager_->GetMDIOrMainForm();
    if (form && form->HandleAllocated() && form->Handle() != reinterpret_cast<HWND>(message.LParam) &&
        form != this)
        SendMessageW(form->Handle(), WM_NCACTIVATE, LOWORD(message.WParam) != WA_INACTIVE, 0);
}

void TdxBarCustomCustomizationForm::WMRebuildList(TMessage& message) {
    MSG pending;
    while (PeekMessageW(&pending, Handle(), WM_DXBAR_REBUILDLIST, WM_DXBAR_REBUILDLIST, PM_REMOVE)) {
        if (pending.message == WM_QUIT) {
            PostQuitMessage(int(pending.wParam));
            break;
        }
    }
    if (auto* listBox = reinterpret_cast<TListBox*>(message.WParam)) RefreshList(listBox, nullptr, 0);
}

bool TdxBarCustomCustomizationForm::DoMouseWheel(TShiftState shift, int wheelDelta, TPoint mousePos) {
    HWND under = WindowFromPoint(mousePos);
    for (auto* helper : helpers_) {
        TListBox* listBox = helper->ListBox();
        if (listBox->HandleAllocated() && listBox->Handle() == under && ActiveControl() != listBox) {
            UINT lines = 3;
            SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
            for (UINT i = 0; i < lines; ++i)
                listBox->Perform(WM_VSCROLL, wheelDelta > 0 ? SB_LINEUP : SB_LINEDOWN, 0);
            return true;
        }
    }
    return TForm::DoMouseWheel(shift, wheelDelta, mousePos);
}

void TdxBarCustomCustomizationForm::FormClose(TObject*, TCloseAction& action) { action = caFree; }

void TdxBarCustomCustomizationForm::DisableManagerForms() {
    TdxBarManagerList* list = BarManagerList();
    if (!list) return;
    for (int i = 0; i < list->Count(); ++i) {
        TdxBarManager* manager = list->GetManager(i);
        TCustomForm* form = ManagerForm(manager);
        if (!form || form == this || !form->HandleAllocated()) continue;
        // The customized manager's form keeps its input: a disabled window passes no mouse input
        // to its children, so its bars could not be customized. Its other controls are guarded
        // by the manager's hooks while customizing.
        if (manager == manager_ || form == ManagerForm(manager_)) continue;
        DisableWindowRemembering(disabledWindows_, form->Handle());
    }
}

void TdxBarCustomCustomizationForm::EnableManagerForms() {
    ReenableWindows(&disabledWindows_);
    disabledWindows_.clear();
}

void TdxBarCustomCustomizationForm::DoShow() {
    TForm::DoShow();
    DisableManagerForms();
}

void TdxBarCustomCustomizationForm::DoHide() {
    EnableManagerForms();
    TForm::DoHide();
}

void TdxBarCustomCustomizationForm::DestroyWindowHandle() {
    destroyingWindow_ = true;
    EnableManagerForms();
    TForm::DestroyWindowHandle();
    destroyingWindow_ = false;
}

void TdxBarCustomCustomizationForm::FollowOwnerVisibility(const WINDOWPOS& position) {
    if (!HandleAllocated()) return;
    if (position.flags & SWP_SHOWWINDOW)
        ShowWindow(Handle(), SW_SHOW);
    else if (position.flags & SWP_HIDEWINDOW)
        ShowWindow(Handle(), SW_HIDE);
}

void TdxBarCustomCustomizationForm::LocalizeBase() {
    SetCaption(BarString(dxSBAR_CAPTION));
    aNewToolBar->SetCaption(BarString(dxSBAR_TNEW));
    aRenameToolBar->SetCaption(BarString(dxSBAR_TRENAME));
    aDeleteToolBar->SetCaption(BarString(dxSBAR_TDELETE));
    aResetToolBar->SetCaption(BarString(dxSBAR_TRESET));
    CategoriesAdd->SetCaption(BarString(dxSBAR_ADDEX));
    CommandsAdd->SetCaption(BarString(dxSBAR_ADDEX));
    CategoriesInsert->SetCaption(BarString(dxSBAR_INSERTEX));
    CategoriesRename->SetCaption(BarString(dxSBAR_RENAMEEX));
    CategoriesVisible->SetCaption(BarString(dxSBAR_VISIBLE));
    CategoriesDelete->SetCaption(BarString(dxSBAR_DELETE));
    CommandsDelete->SetCaption(BarString(dxSBAR_DELETE));
    CommandsClear->SetCaption(BarString(dxSBAR_CLEAR));
    CommandsMoveUp->SetCaption(BarString(dxSBAR_MOVEUP));
    CommandsMoveDown->SetCaption(BarString(dxSBAR_MOVEDOWN));
    CommandsSubMenuEditor->SetCaption(BarString(dxSBAR_SUBMENUEDITOR));
}

void TdxBarCustomCustomizationForm::HookManagerEvents() {
    BarManager1->SetFont(manager_->Font());
    if (!IsDesigning()) {
        // At run time the dialog keeps the selection while it is open: in a run-time selection
        // the manager already has (which stays), else in one of its own.
        selectionController_ = dynamic_cast<TdxBarRunTimeSelectionController*>(manager_->Designer());
        ownsSelectionController_ = selectionController_ == nullptr;
        if (ownsSelectionController_) {
            selectionController_ = new TdxBarRunTimeSelectionController;
            manager_->SetDesigner(selectionController_);
        }
        previousSelectionChanged_ = selectionController_->OnSelectionChanged;
        selectionController_->OnSelectionChanged =
            MakeEvent(this, &TdxBarCustomCustomizationForm::RunTimeSelectionChanged);
        if (manager_->Bars()->Count() > 0) selectionController_->AddToSelection(manager_->Bars()->Items(0));
    }
    previousBarsChange_ = manager_->Bars()->OnChange;
    manager_->Bars()->OnChange = MakeEvent(this, &TdxBarCustomCustomizationForm::BarsChanged);
    previousItemsChange_ = manager_->ItemList()->OnComponentListChanged;
    manager_->ItemList()->OnComponentListChanged = MakeEvent(this, &TdxBarCustomCustomizationForm::ItemsChanged);
    eventsHooked_ = true;
}

void TdxBarCustomCustomizationForm::RestoreEvents() {
    if (!eventsHooked_ || !manager_) return;
    eventsHooked_ = false;
    manager_->Bars()->OnChange = previousBarsChange_;
    manager_->ItemList()->OnComponentListChanged = previousItemsChange_;
}

void TdxBarCustomCustomizationForm::BarsChanged(TObject* sender, TcxComponentCollectionItem* item,
                                                TcxComponentCollectionNotification action) {
    if (previousBarsChange_) previousBarsChange_(sender, item, action);
    RefreshList(GetBarsListBox(), item, action == itemChanged ? 1 : 0);
}

void TdxBarCustomCustomizationForm::ItemsChanged(TObject* sender, TComponent* component,
                                                 TcxComponentCollectionNotification action) {
    if (previousItemsChange_) previousItemsChange_(sender, component, action);
    ItemsListChanged(sender, component, action == itemChanged ? 1 : 0);
}

void TdxBarCustomCustomizationForm::ItemsListChanged(TObject*, TComponent* component, int action) {
    RefreshList(GetItemsListBox(), component, action);
}

void TdxBarCustomCustomizationForm::SaveSelection() {
    savedSelection_.clear();
    if (IdxBarDesigner* designer = manager_->Designer()) {
        TList list;
        designer->CollectSelection(&list);
        for (int i = 0; i < list.Count(); ++i) savedSelection_.push_back(static_cast<TObject*>(list.Items(i)));
    }
}

void TdxBarCustomCustomizationForm::RestoreSavedSelection() {
    IdxBarDesigner* designer = manager_->Designer();
    if (!designer || manager_->IsDestroying()) return;
    TList list;
    for (TObject* o : savedSelection_) list.Add(o);
    designer->ReplaceSelection(&list);
}

TdxBarCustomizationFormPainterClass TdxBarCustomCustomizationForm::GetPainterClass() const {
    return CustomizationFormPainterFor(manager_);
}

TColor TdxBarCustomCustomizationForm::GetItemsListColor() const {
    return manager_->GetEffectiveStyle() == bmsFlat ? clWindow : clBtnFace;
}

TColor TdxBarCustomCustomizationForm::GetListColor() const {
    if (BarManager1->Style() == bmsUseLookAndFeel) {
        TColor c = manager_->LookAndFeel()->ActivePainter()->ContentColor();
        if (c != clDefault) return c;
    }
    return clWindow;
}

TColor TdxBarCustomCustomizationForm::GetListTextColor() const {
    if (BarManager1->Style() == bmsUseLookAndFeel) {
        TColor c = manager_->LookAndFeel()->ActivePainter()->ContentTextColor();
        if (c != clDefault) return c;
    }
    return clWindowText;
}

void TdxBarCustomCustomizationForm::UpdateLook() {
    UpdateOptions();
    RebuildLists();
    BarManager1->SetStyle(manager_->Style());
    BarManager1->SetLookAndFeel(manager_->LookAndFeel());
    for (TListBox* list : {GetBarsListBox(), GetCategoriesListBox()}) {
        list->SetColor(GetListColor());
        list->Font()->SetColor(GetListTextColor());
    }
    GetItemsListBox()->SetColor(GetItemsListColor());
}

TdxBar* TdxBarCustomCustomizationForm::GetBarByIndex(int index) const {
    TListBox* list = GetBarsListBox();
    if (index < 0 || index >= list->Count()) return nullptr;
    return static_cast<TdxBar*>(list->Items()->Objects(index));
}

TObject* TdxBarCustomCustomizationForm::EntryObject(TListBox* listBox, int index) const {
    if (index < 0 || index >= listBox->Count()) return nullptr;
    return listBox->Items()->Objects(index);
}

void TdxBarCustomCustomizationForm::ShowHelp() {
    if (IsDesigning()) return;
    manager_->FireHelpButtonClick();
    if (manager_->HelpContext() != 0) Application->HelpContext(manager_->HelpContext());
}

void TdxBarCustomCustomizationForm::RefreshList(TListBox* listBox, TObject* object, int action) {
    if (!manager_ || manager_->IsDestroying() || !listBox) return;
    TStrings* items = listBox->Items();
    int top = listBox->TopIndex();
    items->BeginUpdate();
    try {
        int index = object ? items->IndexOfObject(object) : -1;
        if (action == 1 && object) {
            if (index >= 0) {
                bool selected = listBox->Selected(index);
                listBox->Perform(dxWM_LB_SYNCHRONIZE(), reinterpret_cast<WPARAM>(object), index);
                listBox->SetSelected(index, selected);
            }
            listBox->Perform(dxWM_LB_UPDATEEVENTS(), 0, 0);
        } else {
            items->Clear();
            listBox->Perform(dxWM_LB_SYNCHRONIZE(), 0, 0);
            listBox->Perform(dxWM_LB_SYNCHRONIZESELECTION(), 0, 0);
        }
    } catch (...) {
        items->EndUpdate();
        throw;
    }
    items->EndUpdate();
    if (listBox->Count() > 0) listBox->SetTopIndex(std::min(top, listBox->Count() - 1));
    ScrollSelectionIntoView(listBox);
}

void TdxBarCustomCustomizationForm::ScrollSelectionIntoView(TListBox* listBox) {
    int first = -1;
    for (int i = 0; i < listBox->Count(); ++i)
        if (listBox->Selected(i)) {
            first = i;
            break;
        }
    if (first < 0) return;
    int rows = std::max(listBox->ClientHeight() / std::max(listBox->ItemHeight(), 1), 1);
    if (first < listBox->TopIndex())
        listBox->SetTopIndex(first);
    else if (first >= listBox->TopIndex() + rows)
        listBox->SetTopIndex(first - rows + 1);
}

void TdxBarCustomCustomizationForm::PushSelection(TListBox* listBox) {
    IdxBarDesigner* designer = manager_->Designer();
    if (!designer) return;
    pushingListBox_ = listBox;
    TList list;
    for (int i = 0; i < listBox->Count(); ++i)
        if (listBox->Selected(i)) list.Add(listBox->Items()->Objects(i));
    if (list.Count() > 0)
        designer->ReplaceSelection(&list);
    else
        SelectManager();
    pushingListBox_ = nullptr;
}

void TdxBarCustomCustomizationForm::SelectManager() {
    if (IdxBarDesigner* designer = manager_->Designer()) {
        TList list;
        list.Add(manager_);
        designer->ReplaceSelection(&list);
    }
}

void TdxBarCustomCustomizationForm::PullSelection(TListBox* listBox) {
    if (listBox == pushingListBox_) return;
    IdxBarDesigner* designer = manager_->Designer();
    if (designer) {
        if (listBox->MultiSelect()) {
            for (int i = 0; i < listBox->Count(); ++i)
                listBox->SetSelected(i, designer->IsInSelection(listBox->Items()->Objects(i)));
        } else {
            int last = -1;
            for (int i = 0; i < listBox->Count(); ++i)
                if (designer->IsInSelection(listBox->Items()->Objects(i))) last = i;
            if (last >= 0) listBox->SetItemIndex(last);
        }
    }
    listBox->Perform(dxWM_LB_UPDATEEVENTS(), 0, 0);
}

bool TdxBarCustomCustomizationForm::IsPredefinedAtRunTime(TdxBar* bar) const {
    return IsDesigning() || bar->CanReset() || manager_->FindSavedBarByCaption(bar->Caption()) >= 0;
}

bool TdxBarCustomCustomizationForm::IsBarDeletable(TdxBar* bar) const {
    if (IsDesigning()) return true;
    // A bar the program made stays; one the user made may go.
    return !IsPredefinedAtRunTime(bar);
}

void TdxBarCustomCustomizationForm::UpdateBarActions() {
    TListBox* list = GetBarsListBox();
    TdxBar* bar = GetBarByIndex(list->ItemIndex());
    aNewToolBar->SetEnabled(true);
    aRenameToolBar->SetEnabled(bar && !IsPredefinedAtRunTime(bar));
    aResetToolBar->SetEnabled(bar && !IsDesigning() && bar->CanReset());
    bool deletable = false;
    for (int i = 0; i < list->Count(); ++i)
        if (list->Selected(i)) {
            deletable = true;
            if (!IsBarDeletable(GetBarByIndex(i))) {
                deletable = false;
                break;
            }
        }
    aDeleteToolBar->SetEnabled(deletable);
}

void TdxBarCustomCustomizationForm::UpdateItemActions() {
    TListBox* list = GetItemsListBox();
    int selected = 0;
    TdxBarItem* single = nullptr;
    bool deletable = true;
    for (int i = 0; i < list->Count(); ++i)
        if (list->Selected(i)) {
            ++selected;
            single = As<TdxBarItem>(EntryObject(list, i));
            IdxBarDesigner* designer = manager_->Designer();
            if (!designer || !designer->CanRemoveComponent(single)) deletable = false;
        }
    if (selected != 1) single = nullptr;
    bool designing = IsDesigning();
    aAddItem->SetEnabled(designing);
    aDeleteItem->SetEnabled(designing && selected > 0 && deletable);
    aMoveUpItem->SetEnabled(designing && selected > 0 && !list->Selected(0));
    aMoveDownItem->SetEnabled(designing && selected > 0 && !list->Selected(list->Count() - 1));
    aSubMenuEditor->SetEnabled(single && As<TCustomdxBarSubItem>(single));
    aClearItemList->SetEnabled(designing && list->Count() > 0);
    SetDescription(single ? single->Description() : String());
}

void TdxBarCustomCustomizationForm::ToggleBarVisible(int index) {
    TdxBar* bar = GetBarByIndex(index);
    if (!bar) return;
    if (!bar->AllowClose()) {
        MessageBeep(0);
        return;
    }
    bar->SetVisible(!bar->Visible());
    GetBarsListBox()->Invalidate();
}

void TdxBarCustomCustomizationForm::DrawBarsListItem(TWinControl* control, int index, TRect rect,
                                                     TOwnerDrawState state) {
    auto* list = static_cast<TListBox*>(control);
    TCanvas* canvas = list->Canvas();
    TdxBar* bar = GetBarByIndex(index);
    canvas->FillRect(rect);
    if (!bar) return;
    // The platform's controls read left to right only: the square is at the left.
    TRect square(rect.left, rect.top, rect.left + RectHeight(rect), rect.bottom);
    GetPainterClass()->DrawCheckBox(canvas, square, bar->Visible(), bar->AllowClose());
    TRect text = rect;
    text.left = square.right + 2;
    canvas->Brush()->SetStyle(bsClear);
    canvas->TextRect(text, bar->Caption(), DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    canvas->Brush()->SetStyle(bsSolid);
}

void TdxBarCustomCustomizationForm::DeleteSelectedEntries(TListBox* listBox, bool pushAfter) {
    int index = listBox->ItemIndex();
    TObject* neighbour = nullptr;
    for (int i = index + 1; i < listBox->Count() && !neighbour; ++i)
        if (!listBox->Selected(i)) neighbour = EntryObject(listBox, i);
    for (int i = std::min(index, listBox->Count()) - 1; i >= 0 && !neighbour; --i)
        if (!listBox->Selected(i)) neighbour = EntryObject(listBox, i);
    std::vector<TObject*> doomed;
    for (int i = 0; i < listBox->Count(); ++i)
        if (listBox->Selected(i)) doomed.push_back(EntryObject(listBox, i));
    listBox->Items()->BeginUpdate();
    for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) {
        if (auto* bar = As<TdxBar>(*it))
            FreeObject(bar);
        else
            FreeObject(*it);
    }
    listBox->Items()->EndUpdate();
    RefreshList(listBox, nullptr, 0);
    int n = neighbour ? listBox->Items()->IndexOfObject(neighbour) : -1;
    if (listBox->MultiSelect()) listBox->ClearSelection();
    if (n >= 0) listBox->SetItemIndex(n);
    if (listBox->MultiSelect() && n >= 0) listBox->SetSelected(n, true);
    if (pushAfter) PushSelection(listBox);
    manager_->DesignerModified();
    listBox->Perform(dxWM_LB_UPDATEEVENTS(), 0, 0);
}

// ---- actions --------------------------------------------------------------------------------

void TdxBarCustomCustomizationForm::aAddItemExecute(TObject*) {
    TdxBarItem* item = nullptr;
    manager_->ItemList()->LockChanges();
    try {
        item = ShowAddItemDialog(manager_, GetCategoriesListBox()->ItemIndex());
    } catch (...) {
        manager_->ItemList()->UnlockChanges();
        throw;
    }
    manager_->ItemList()->UnlockChanges();
    if (item) DesignControllerInstance()->SelectPersistent(item, dxBarSelectionExclusive);
    if (GetItemsListBox()->CanFocus()) GetItemsListBox()->SetFocus();
}

void TdxBarCustomCustomizationForm::aNewToolBarExecute(TObject*) { manager_->AddToolbar(false, true); }

void TdxBarCustomCustomizationForm::aRenameToolBarExecute(TObject*) {
    if (TdxBar* bar = GetBarByIndex(GetBarsListBox()->ItemIndex())) manager_->RenameToolbar(bar);
}

void TdxBarCustomCustomizationForm::aDeleteToolBarExecute(TObject*) {
    TListBox* list = GetBarsListBox();
    std::vector<TdxBar*> selected;
    for (int i = 0; i < list->Count(); ++i)
        if (list->Selected(i)) selected.push_back(GetBarByIndex(i));
    if (selected.empty()) return;
    String text = selected.size() == 1 ? Format(BarString(dxSBAR_WANTTODELETETOOLBAR), {selected[0]->Caption()})
                                       : BarString(dxSBAR_WANTTODELETETOOLBARS);
    if (BarMessageBox(text, MB_OKCANCEL | MB_ICONWARNING) == IDOK) DeleteSelectedEntries(list, true);
    if (HandleAllocated()) BringWindowToTop(Handle());
}

void TdxBarCustomCustomizationForm::aResetToolBarExecute(TObject*) {
    if (TdxBar* bar = GetBarByIndex(GetBarsListBox()->ItemIndex())) {
        if (BarMessageBox(Format(BarString(dxSBAR_WANTTORESETTOOLBAR), {bar->Caption()}),
                          MB_OKCANCEL | MB_ICONWARNING) == IDOK)
            bar->Reset();
    }
    if (HandleAllocated()) BringWindowToTop(Handle());
}

void TdxBarCustomCustomizationForm::aDeleteItemExecute(TObject*) {
    DeleteSelectedEntries(GetItemsListBox(), true);
    if (GetItemsListBox()->CanFocus()) GetItemsListBox()->SetFocus();
}

void TdxBarCustomCustomizationForm::aMoveItemExecute(TObject* sender) {
    auto* action = As<TComponent>(sender);
    TListBox* list = GetItemsListBox();
    int direction = action ? int(action->Tag()) : 0;
    std::vector<TdxBarItem*> selected;
    for (int i = 0; i < list->Count(); ++i)
        if (list->Selected(i)) selected.push_back(As<TdxBarItem>(EntryObject(list, i)));
    if (selected.empty() || direction == 0) return;
    TdxBarComponentList* items = manager_->ItemList();
    auto indexOf = [&](TdxBarItem* item) { return items->IndexOf(item); };
    if (direction < 0) {
        int target = std::max(indexOf(selected.front()) - 1, 0);
        for (size_t k = 0; k < selected.size(); ++k) manager_->MoveItem(indexOf(selected[k]), target + int(k));
    } else {
        int target = std::min(indexOf(selected.back()) + 1, items->Count() - 1);
        for (size_t k = selected.size(); k-- > 0;)
            manager_->MoveItem(indexOf(selected[k]), target - int(selected.size() - 1 - k));
    }
    manager_->DesignerModified();
    RefreshList(list, nullptr, 0);
}

void TdxBarCustomCustomizationForm::aSubMenuEditorExecute(TObject*) {
    TListBox* list = GetItemsListBox();
    if (list->CanFocus()) list->SetFocus();
    if (auto* subItem = As<TCustomdxBarSubItem>(EntryObject(list, list->ItemIndex())))
        ShowSubMenuEditor(subItem->ItemLinks());
}

void TdxBarCustomCustomizationForm::aClearItemListExecute(TObject*) {
    TListBox* categories = GetCategoriesListBox();
    String name = categories->ItemIndex() >= 0 ? categories->Items()->Strings(categories->ItemIndex()) : String();
    if (BarMessageBox(Format(BarString(dxSBAR_WANTTOCLEARCOMMANDS), {name}), MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    TListBox* list = GetItemsListBox();
    for (int i = 0; i < list->Count(); ++i) list->SetSelected(i, true);
    DeleteSelectedEntries(list, true);
}

// The category commands belong to the design-time popup menu; their shortcuts (Insert, Delete)
// reach them whenever the dialog is active, so at run time they do nothing: a Delete pressed in
// the dialog must not delete a category of the application with all its commands.
void TdxBarCustomCustomizationForm::CategoriesAddClick(TObject*) { EditCategory(0); }
void TdxBarCustomCustomizationForm::CategoriesInsertClick(TObject*) { EditCategory(1); }
void TdxBarCustomCustomizationForm::CategoriesRenameClick(TObject*) { EditCategory(2); }

void TdxBarCustomCustomizationForm::EditCategory(int mode) {
    if (!IsDesigning()) return;
    TListBox* list = GetCategoriesListBox();
    const int index = list->ItemIndex();
    if (mode != 0 && index < 0) return;
    String name = mode == 2 ? manager_->Categories()->Strings(index) : String();
    if (ShowNameDialog(name, dxBarNameKindCategory, mode, nullptr, manager_)) {
        int at = index;
        switch (mode) {
            case 0:
                at = manager_->Categories()->Add(name);
                list->Items()->Add(name);
                break;
            case 1:
                manager_->Categories()->Insert(index, name);
                list->Items()->Insert(index, name);
                break;
            default:
                manager_->Categories()->Put(index, name);
                list->Items()->Put(index, name);
                break;
        }
        list->SetItemIndex(at);
        if (mode != 2) RefreshList(GetItemsListBox(), nullptr, 0);
        manager_->DesignerModified();
    }
    if (list->CanFocus()) list->SetFocus();
}

void TdxBarCustomCustomizationForm::CategoriesVisibleClick(TObject*) {
    if (!IsDesigning()) return;
    int index = GetCategoriesListBox()->ItemIndex();
    if (index >= 0) manager_->SetCategoryVisible(index, CategoriesVisible->Down());
}

void TdxBarCustomCustomizationForm::CategoriesItemsVisibleChange(TObject*) {
    if (!IsDesigning()) return;
    int index = GetCategoriesListBox()->ItemIndex();
    if (index >= 0)
        manager_->SetCategoryItemsVisible(index, TdxBarItemVisible(std::max(CategoriesItemsVisible->ItemIndex(), 0)));
}

void TdxBarCustomCustomizationForm::CategoriesDeleteClick(TObject*) {
    if (!IsDesigning()) return;
    TListBox* list = GetCategoriesListBox();
    int index = list->ItemIndex();
    if (index < 0) return;
    if (BarMessageBox(Format(BarString(dxSBAR_WANTTODELETECATEGORY), {list->Items()->Strings(index)}),
                      MB_OKCANCEL | MB_ICONWARNING) != IDOK)
        return;
    SelectManager();
    manager_->Categories()->Delete(index);
    list->Items()->Delete(index);
    list->SetItemIndex(std::min(index, list->Count() - 1));
    RefreshList(GetItemsListBox(), nullptr, 0);
}

void TdxBarCustomCustomizationForm::CategoriesPopupMenuPopup(TObject*) {
    int index = GetCategoriesListBox()->ItemIndex();
    bool selected = index >= 0;
    CategoriesInsert->SetEnabled(selected);
    CategoriesRename->SetEnabled(selected);
    CategoriesVisible->SetEnabled(selected);
    CategoriesItemsVisible->SetEnabled(selected);
    if (selected) {
        CategoriesVisible->SetDown(manager_->GetCategoryVisible(index));
        CategoriesItemsVisible->SetItemIndex(int(manager_->GetCategoryItemsVisible(index)));
    }
    CategoriesDelete->SetEnabled(selected && manager_->Categories()->Count() > 1);
}

void TdxBarCustomCustomizationForm::CommandsPopupMenuPopup(TObject*) {
    CommandsAdd->SetEnabled(aAddItem->Enabled());
    CommandsDelete->SetEnabled(aDeleteItem->Enabled());
    CommandsClear->SetEnabled(aClearItemList->Enabled());
    CommandsMoveUp->SetEnabled(aMoveUpItem->Enabled());
    CommandsMoveDown->SetEnabled(aMoveDownItem->Enabled());
    CommandsSubMenuEditor->SetEnabled(aSubMenuEditor->Enabled());
}

// ---- the dialog of the process ------------------------------------------------------------

TdxBarCustomCustomizationForm* CustomizationFormInstance() { return customizationForm; }
bool IsCustomizationFormShown() { return customizationForm != nullptr; }
bool IsCustomizationFormOf(const TdxBarManager* manager) { return customizationForm && customizationForm->BarManager() == manager; }
TClass CustomizationFormClass() { return formClass; }
void SetCustomizationFormClass(TClass cls) { formClass = cls; }

void RefreshOtherManagersBars(TdxBarManager* manager) {
    TdxBarManagerList* list = BarManagerList();
    if (!list) return;
    for (int i = 0; i < list->Count(); ++i) {
        TdxBarManager* other = list->GetManager(i);
        if (other == manager) continue;
        for (int b = 0; b < other->Bars()->Count(); ++b) {
            TdxBar* bar = other->Bars()->Items(b);
            TdxBarControl* window = bar->BarControl();
            if (!bar->Visible() || !window || !window->HandleAllocated()) continue;
            window->Invalidate();
            SendMessageW(window->Handle(), WM_NCPAINT, 1, 0);
        }
    }
}

void ShowCustomizationForm(TdxBarManager* manager, bool show) {
    if (show) {
        if (customizationForm || !formClass) return;
        manager->UnmergeForCustomizing(nullptr, true);
        if (manager->OnShowCustomizingForm) manager->OnShowCustomizingForm(manager);
        RefreshOtherManagersBars(manager);
        customizationForm = TdxBarCustomCustomizationForm::CreateForManager(formClass, manager);
        customizationForm->Show();
        return;
    }
    if (customizationForm && customizationForm->BarManager() == manager &&
        !customizationForm->ComponentState().Contains(csDestroying)) {
        // The dialog's destructor comes back here (through the mode when it is on) for the rest.
        TdxBarCustomCustomizationForm* form = customizationForm;
        customizationForm = nullptr;
        FreeObject(form);
        return;
    }
    if (TdxBarSubMenuEditor* editor = SubMenuEditorInstance()) FreeObject(editor);
    if (manager->OnHideCustomizingForm) manager->OnHideCustomizingForm(manager);
    RefreshOtherManagersBars(manager);
    manager->RestoreMerging();
}

void RefreshCustomizationFormLook() {
    if (customizationForm) customizationForm->UpdateLook();
}

void RefreshCustomizationFormHelpButton() {
    if (customizationForm) customizationForm->UpdateHelpButton();
}

void RefreshCustomizationFormOptions() {
    if (customizationForm) customizationForm->UpdateOptions();
}

