#include "dxBarItem.h"

#include <algorithm>

#include "Application.h"
#include "Canvas.h"
#include "Filer.h"
#include "cxClasses.h"
#include "cxImageStates.h"
#include "cxStyles.h"
#include "dxBarButton.h"
#include "dxBarCustFormPainters.h"
#include "dxBarDesignController.h"
#include "dxBarItemActionLink.h"
#include "dxBarItemRegistry.h"
#include "dxBarUnit.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarUnit.h"
#include "dxBarItemRegistry.h"
#include "dxBarUnit.h"
#include "dxBarItemStylesData.h"
#include "dxBarLookups.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxBarSubItem.h"
#include "dxBarTextHelpers.h"
#include "dxBarUnit.h"

// Sections: construction and destruction · properties · change steps · captions and hints ·
// categories · the click road · selection · action binding · links · streaming.

namespace {

// Sub items keep their hint apart from their caption.
bool IsSubItem(const TdxBarItem* item) { return item->InheritsFrom(TCustomdxBarSubItem::StaticClass()); }

}  // namespace

bool GetButtonDown(const TdxBarItem* item, bool& down) {
    auto* button = As<TdxBarButton>(const_cast<TdxBarItem*>(item));
    if (button) down = button->Down();
    return button != nullptr;
}

void SetButtonDown(TdxBarItem* item, bool down) {
    if (auto* button = As<TdxBarButton>(item)) button->SetDown(down);
}

// ---- Construction and destruction ---------------------------------------------------------

TdxBarItem::TdxBarItem(TComponent* owner) : TdxBarComponent(owner) {
    TdxBarManager* manager = ResolveBarManager(owner);
    if (!manager && BarManagerList() && BarManagerList()->Count() > 0) manager = BarManagerList()->GetManager(0);
    SetBarManagerField(manager);
    if (manager) manager->ItemList()->Add(this);
    glyph_ = new TBitmap;
    glyph_->OnChange = MakeEvent(this, &TdxBarItem::GlyphBitmapChanged);
    largeGlyph_ = new TBitmap;
    largeGlyph_->OnChange = MakeEvent(this, &TdxBarItem::LargeGlyphBitmapChanged);
}

TdxBarItem::~TdxBarItem() {
    FreeAndNil(stylesData_);
    FreeAndNil(actionLink_);
    FreeAndNil(largeGlyph_);
    FreeAndNil(glyph_);
    ResetObjectLinks(this);
}

void TdxBarItem::BeforeDestruction() {
    if (!IsDestroying()) {
        Destroying();
        FireNotifyEvent(this, OnDestroy);
    }
    // Also when the owner's destruction marked the item first: a link that outlived its item
    // would reach the freed item when its own list goes.
    DeleteAllLinks();
    TdxBarComponent::BeforeDestruction();
}

// ---- Properties ---------------------------------------------------------------------------

void TdxBarItem::SetAlign(TdxBarItemAlign value) {
    if (AssignIfChanged(align_, value)) RecalcLinkBars(dxBarAllControlKinds);
}

void TdxBarItem::SetDescription(const String& value) {
    if (AssignIfChanged(description_, value)) NotifyChangeListeners(false);
}

bool TdxBarItem::GetEnabled() const {
    TdxBarManager* manager = BarManager();
    // While the user customizes, every command can be handled.
    if (category_ >= 0 && manager && manager->IsCustomizingOrDesigning() && !manager->IsBarManagerDesigning())
        return true;
    return enabled_;
}

void TdxBarItem::SetEnabled(bool value) {
    if (AssignIfChanged(enabled_, value) && !IsLoading()) EnabledChanged();
}

void TdxBarItem::SetVisible(TdxBarItemVisible value) {
    if (IsLoading() && !loadedVisibleApplied_) {
        loadedVisible_ = value;
        return;
    }
    if (AssignIfChanged(visible_, value) && !IsDesigning()) VisibleChanged();
}

void TdxBarItem::SetImageIndex(int value) {
    if (AssignIfChanged(imageIndex_, value)) GlyphOrImageChanged();
}

void TdxBarItem::SetLargeImageIndex(int value) {
    if (AssignIfChanged(largeImageIndex_, value)) LargeGlyphChanged();
}

void TdxBarItem::SetPaintStyle(TdxBarPaintStyle value) {
    if (AssignIfChanged(paintStyle_, value) && !IsLoading()) PaintStyleChanged();
}

void TdxBarItem::SetShortCut(TShortCut value) {
    if (AssignIfChanged(shortCut_, value) && !IsLoading()) ShortCutChanged();
}

void TdxBarItem::SetWidth(int value) {
    if (value < 0) return;
    if (AssignIfChanged(width_, value)) WidthChanged();
}

void TdxBarItem::SetGlyphLayout(TdxBarGlyphLayout value) {
    if (AssignIfChanged(glyphLayout_, value)) RecalcLinkBars(dxBarAllControlKinds);
}

void TdxBarItem::SetShowCaption(bool value) {
    if (AssignIfChanged(showCaption_, value) && !IsLoading()) RecalcLinkBars(dxBarAllControlKinds);
}

TdxBarItemLink* TdxBarItem::GetLink(int index) const {
    return index >= 0 && index < GetLinkCount() ? links_[size_t(index)] : nullptr;
}

TdxBarItemLink* TdxBarItem::GetActiveLink() const {
    // Hook (item controls): the first link whose control exists and is active.
    return nullptr;
}

TdxBarItemStylesData* TdxBarItem::StylesData() const {
    // Made at first use rather than in the constructor, so that a descendant's slot count counts.
    if (!stylesData_) {
        auto* self = const_cast<TdxBarItem*>(this);
        self->stylesData_ = new TdxBarItemStylesData(GetStyleCount(), MakeEvent(self, &TdxBarItem::StylesChanged));
    }
    return stylesData_;
}

TcxStyle* TdxBarItem::GetStyleByIndex(int index) const { return StylesData()->GetStyle(index); }

void TdxBarItem::SetStyleByIndex(int index, TcxStyle* style) { StylesData()->SetStyle(index, style); }

TdxBarItem::TStyleValues TdxBarItem::GetStyleValues(int index) const {
    return GetStyleValuesOf(GetStyleByIndex(index));
}

TdxBarItem::TStyleValues TdxBarItem::GetStyleValuesOf(TcxStyle* style) {
    TStyleValues values;
    if (!style) return values;
    TcxStyleValues assigned = style->AssignedValues();
    if (assigned.Contains(svBitmap)) values.Bitmap = style->Bitmap();
    if (assigned.Contains(svColor)) values.Color = style->Color();
    if (assigned.Contains(svFont)) values.Font = style->Font();
    if (assigned.Contains(svTextColor)) values.TextColor = style->TextColor();
    return values;
}

bool TdxBarItem::IsActuallyVisible() const {
    TdxBarManager* manager = BarManager();
    bool customizing = manager && manager->IsCustomizingOrDesigning();
    if (visible_ == ivAlways) return IsAvailable() || customizing;
    return visible_ == ivInCustomizing && customizing;
}

bool TdxBarItem::IsImageAvailable(TCustomImageList* imageList, int index) { return HasListImage(imageList, index); }

bool TdxBarItem::CanPlaceOn(Byte kind, TdxBar* bar, String& errorText) {
    (void)kind, (void)bar;
    errorText.clear();
    return true;
}

void TdxBarItem::DrawCommandListText(TCanvas* canvas, const TRect& rect, bool selected) {
    CustomizationFormPainterFor(BarManager())
        ->DrawMenuEntry(canvas, rect, selected, StripCaptionAmpersands(GetCaption()), this);
}

void TdxBarItem::FillCommandListBk(TCanvas* canvas, const TRect& rect) {
    canvas->Brush()->SetColor(clWindow);
    canvas->FillRect(rect);
}

TClass TdxBarItem::GetItemControlClass(int kind) const {
    (void)kind;
    TdxBarItemList* registry = ItemRegistryInstance();
    return registry ? registry->ControlClassOf(ClassType()) : nullptr;
}

bool TdxBarItem::CanShowLink(TdxBarItemLink* link) const {
    (void)link;
    return GetEnabled();
}

String TdxBarItem::GetNewItemCaption() const { return BarStringTableText(dxSBAR_NEWITEMCAPTION); }

TCustomImageList* TdxBarItem::GetImages() const {
    // Hook (image options): the manager's Images.
    return nullptr;
}

// ---- Change steps -------------------------------------------------------------------------

void TdxBarItem::CaptionChanged() {
    ForEachLinkControl([](TdxBarItemLink* link, TdxBarItemControl* control) {
        if (!link->UserDefine().Contains(udCaption)) control->CaptionChanged();
    });
    NotifyChangeListeners(false);
}

void TdxBarItem::ForEachLinkControl(const std::function<void(TdxBarItemLink*, TdxBarItemControl*)>& proc) {
    // A reaction may rebuild a bar window and so make the later links' controls anew: each
    // link's control is read when its turn comes.
    for (int i = 0; i < GetLinkCount(); ++i) {
        TdxBarItemLink* link = GetLink(i);
        if (link && link->Control()) proc(link, link->Control());
    }
}

void TdxBarItem::ResetLinkControlsCache(bool widths, bool skipUserGlyphs) {
    for (int i = 0; i < GetLinkCount(); ++i) {
        TdxBarItemLink* link = GetLink(i);
        if (!link->Control() || (skipUserGlyphs && link->UserDefine().Contains(udGlyph))) continue;
        link->Control()->ResetCachedSizes(widths);
    }
}

void TdxBarItem::EnabledChanged() {
    ResetLinkControlsCache(false, false);
    ForEachLinkControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->EnabledChanged(); });
    NotifyChangeListeners(false);
}

void TdxBarItem::GlyphOrImageChanged() {
    ResetLinkControlsCache(true, true);
    ForEachLinkControl([](TdxBarItemLink* link, TdxBarItemControl* control) {
        if (!link->UserDefine().Contains(udGlyph)) control->GlyphOrImageChanged();
    });
    NotifyChangeListeners(false);
}

void TdxBarItem::HotGlyphChanged() {
    ResetLinkControlsCache(false, false);
    ForEachLinkControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->HotGlyphChanged(); });
}

void TdxBarItem::LargeGlyphChanged() {
    ResetLinkControlsCache(true, false);
    ForEachLinkControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->LargeGlyphChanged(); });
    NotifyChangeListeners(false);
}

void TdxBarItem::ShortCutChanged() {
    RecalcLinkBars({bckSubMenu});
    NotifyChangeListeners(false);
}

void TdxBarItem::VisibleChanged() {
    TdxBarManager* manager = BarManager();
    if (manager) manager->LockUpdate();
    try {
        for (int i = 0; i < GetLinkCount(); ++i) GetLink(i)->UpdateVisibility();
    } catch (...) {
        if (manager) manager->UnlockUpdate(true);
        NotifyChangeListeners(false);
        throw;
    }
    if (manager) manager->UnlockUpdate(true);
    NotifyChangeListeners(false);
}

void TdxBarItem::WidthChanged() {
    ForEachLinkControl([](TdxBarItemLink* link, TdxBarItemControl* control) {
        if (!link->UserDefine().Contains(udWidth)) control->WidthChanged();
    });
}

void TdxBarItem::ImagesChanged() {
    // A cached glyph was drawn from the old list.
    ResetLinkControlsCache(false, false);
    ForEachLinkControl([](TdxBarItemLink*, TdxBarItemControl* control) { control->ImagesChanged(); });
}

void TdxBarItem::InvalidateLinkControls() {
    // Hook (item controls): repaints each link's control except the selected control of an
    // active bar window.
}

void TdxBarItem::RecalcLinkBars(TdxBarControlKinds kinds) {
    (void)kinds;
    // Hook (bar windows): each bar window of a kind in kinds that shows a link updates itself,
    // unless the link's control is its selected control and the window is active.
}

void TdxBarItem::StylesChanged(TdxBarItemStyleChange change) {
    if (change == iscStructure) {
        // Hook (item links): every link with a control is recalculated.
        RecalcLinkBars(dxBarAllControlKinds);
    } else {
        // Hook (item controls): every control re-applies its style font.
        InvalidateLinkControls();
    }
}

// ---- Captions and hints -------------------------------------------------------------------

String TdxBarItem::GetCaptionForHint(const String& caption) {
    String text = caption;
    size_t ampersand = text.find(L'&');
    if (ampersand != String::npos) text.erase(ampersand, 1);
    size_t dots = text.find(L"...");
    if (dots != String::npos) text.erase(dots, 3);
    return text;
}

bool TdxBarItem::HintMatchesCaption() const {
    return hint_.substr(0, hint_.find(L'|')) == GetCaptionForHint(GetCaption());
}

void TdxBarItem::SetCaption(const String& value) {
    if (value == caption_) return;
    bool hintFollows = !checkDefaults_ && !IsSubItem(this) && (hint_.empty() || HintMatchesCaption());
    caption_ = value;
    if (IsLoading()) return;
    if (hintFollows) {
        String text = GetCaptionForHint(value);
        size_t bar = hint_.find(L'|');
        hint_ = bar != String::npos ? text + hint_.substr(bar) : text;
    }
    CaptionChanged();
}

bool TdxBarItem::StoresCaption() const { return !(actionLink_ && actionLink_->IsCaptionLinked()); }
bool TdxBarItem::IsEnabledStored() const { return !(actionLink_ && actionLink_->IsEnabledLinked()); }
bool TdxBarItem::IsHelpContextStored() const { return !(actionLink_ && actionLink_->IsHelpContextLinked()); }
bool TdxBarItem::IsHintStored() const { return !(actionLink_ && actionLink_->IsHintLinked()); }
bool TdxBarItem::IsImageIndexStored() const { return !(actionLink_ && actionLink_->IsImageIndexLinked()); }
bool TdxBarItem::IsShortCutStored() const { return !(actionLink_ && actionLink_->IsShortCutLinked()); }
bool TdxBarItem::IsVisibleStored() const { return !(actionLink_ && actionLink_->IsVisibleLinked()); }
bool TdxBarItem::IsOnClickStored() const { return !(actionLink_ && actionLink_->IsOnExecuteLinked()); }

// ---- Categories ---------------------------------------------------------------------------

void TdxBarItem::SetCategory(int value) {
    if (IsLoading()) {
        category_ = value;
        return;
    }
    TdxBarManager* manager = BarManager();
    if (!manager || !manager->Categories()->HasIndex(value)) return;
    MoveToCategoryEnd(value);
    category_ = value;
    NotifyChangeListeners(true);
}

void TdxBarItem::MoveToCategoryEnd(int category) {
    TdxBarManager* manager = BarManager();
    if (!manager) return;
    int last = -1;
    for (int i = 0; i < manager->GetItemCount(); ++i)
        if (manager->GetItemByIndex(i)->Category() == category) last = i;
    if (last < 0) return;
    int own = manager->ItemList()->IndexOf(this);
    if (own < 0) return;
    manager->MoveItem(own, last < own ? last + 1 : last);
}

void TdxBarItem::SetIndexInManager(int index) {
    TdxBarManager* manager = BarManager();
    if (!manager) return;
    int own = manager->ItemList()->IndexOf(this);
    if (own >= 0 && index >= 0 && index < manager->GetItemCount() && own != index)
        manager->ItemList()->Move(own, index);
}

// ---- The click road -----------------------------------------------------------------------

void TdxBarItem::Click() {
    if (ClickableByShortCut()) DirectClick();
}

void TdxBarItem::DirectClick() {
    if (!GetEnabled()) return;
    // The handlers may free the item: the error is reported without it then.
    TcxObjectLinkGuard guard(this);
    try {
        if (TdxBarManager* manager = BarManager()) manager->DoClickItem(this);
        if (guard.Alive()) CallClickHandler();
    } catch (...) {
        Application->HandleException(guard.Alive() ? this : nullptr);
    }
}

void TdxBarItem::CallClickHandler() {
    TBasicAction* action = Action();
    if (OnClick && (!action || !SameCode(action->OnExecute(), OnClick))) {
        OnClick(this);
        return;
    }
    if (!IsDesigning() && actionLink_) actionLink_->Execute(this);
}

bool TdxBarItem::ExecuteShortCut(TShortCut shortCut) {
    if (!GetEnabled()) return false;
    if (ClickableByShortCut() && shortCut != 0 && shortCut == shortCut_) {
        Click();
        return true;
    }
    TdxBarItemLinks* links = GetItemLinks();
    return links && links->ExecuteShortCut(shortCut);
}

// ---- Selection ----------------------------------------------------------------------------

bool TdxBarItem::CanDelete(bool deletingItem) {
    if (GetLinkCount() > 0 && !deletingItem) return true;
    return TdxBarComponent::CanDelete(deletingItem);
}

void TdxBarItem::DeleteIfAllowed(IdxBarSelectableItem*& ref, bool deletingItem) {
    if (deletingItem || GetLinkCount() == 0)
        TdxBarComponent::DeleteIfAllowed(ref, deletingItem);
    else
        DeleteAllLinks();
}

void TdxBarItem::ExecuteCustomizingAction(Byte action) {
    // An item selected in place of its only link passes the command on to that link.
    if (GetLinkCount() != 1) return;
    TdxBarItemLink* link = GetLink(0);
    TdxBarDesignController* controller = ExistingDesignController();
    if (controller && !controller->IsLastSelected(link)) link->ExecuteCustomizingAction(action);
}

void TdxBarItem::AddOwnerToList(TList* list) {
    TObject* owner = BarManager() ? BarManager()->Owner() : nullptr;
    if (auto* unique = As<TdxObjectList>(list))
        unique->AddUnique(owner);
    else if (owner && list->IndexOf(owner) < 0)
        list->Add(owner);
}

TdxBarItemLink* TdxBarItem::GetSelectionLink() const {
    // Hook (design controller): the link through which the item is selected.
    return nullptr;
}

IdxBarSelectableItem* TdxBarItem::GetNextSelectable() {
    // Hook (item links): the next item, cyclically, in the selection link's collection.
    return nullptr;
}

TPersistent* TdxBarItem::GetSelectableParent() {
    // Hook (bar windows): the owner object of the selection link's bar window.
    return nullptr;
}

Word TdxBarItem::GetSupportedActions() {
    if (!IsDesigning()) return 0x0419;
    TdxBarDesignController* controller = ExistingDesignController();
    return controller && controller->HasCustomizingLink() ? 0x1EDF : 0x0002;
}

bool TdxBarItem::SelectParent() {
    // Hook (item links): the selection link's SelectParent.
    return false;
}

void TdxBarItem::SelectionChanged() {
    if (TdxBarDesignController* controller = ExistingDesignController()) controller->RecheckLastSelected();
    InvalidateLinkControls();
}

void TdxBarItem::OpenDefaultHandler() {
    if (IdxBarDesigner* designer = Designer()) designer->OpenDefaultHandler(this);
}

// ---- Action binding -----------------------------------------------------------------------

TBasicAction* TdxBarItem::Action() const { return actionLink_ ? actionLink_->Action() : nullptr; }

TClass TdxBarItem::GetActionLinkClass() const { return TdxBarItemActionLink::StaticClass(); }

void TdxBarItem::SetAction(TBasicAction* value) {
    if (value == Action()) return;
    if (!value) {
        FreeAndNil(actionLink_);
        return;
    }
    TdxBarManager* manager = BarManager();
    bool loading = value->ComponentState().Contains(csLoading);
    bool hold = loading && manager;
    if (hold) manager->LockDesignerModified(true);
    try {
        if (!actionLink_) actionLink_ = static_cast<TdxBarItemActionLink*>(NewActionLink(GetActionLinkClass(), this));
        actionLink_->SetAction(value);
        actionLink_->OnChange = MakeEvent(this, &TdxBarItem::DoActionChange);
        ActionChange(value, loading);
        value->FreeNotification(this);
    } catch (...) {
        if (hold) manager->LockDesignerModified(false);
        throw;
    }
    if (hold) manager->LockDesignerModified(false);
}

void TdxBarItem::DoActionChange(TObject* sender) {
    if (sender == Action()) ActionChange(sender, false);
}

void TdxBarItem::ActionChange(TObject* sender, bool checkDefaults) {
    auto* action = As<TCustomAction>(sender);
    if (!action || action != Action()) return;
    if (!checkDefaults || GetCaption().empty()) {
        checkDefaults_ = checkDefaults;
        try {
            SetCaption(action->Caption());
        } catch (...) {
            checkDefaults_ = false;
            throw;
        }
        checkDefaults_ = false;
    }
    bool down = false;
    if (GetButtonDown(this, down) && !(checkDefaults && down)) SetButtonDown(this, action->Checked());
    if (!checkDefaults || GetEnabled()) SetEnabled(action->Enabled());
    if (!checkDefaults || helpContext_ == 0) helpContext_ = action->HelpContext();
    if (!checkDefaults || hint_.empty()) hint_ = action->Hint();
    if (!checkDefaults || GetDisplayImageIndex() == -1) SetDisplayImageIndex(action->ImageIndex());
    if (!checkDefaults || shortCut_ == 0) SetShortCut(action->ShortCut());
    if (!checkDefaults || visible_ == ivAlways) SetVisible(action->Visible() ? ivAlways : ivNever);
    if (!checkDefaults || !OnClick) OnClick = action->OnExecute();
}

// ---- Links --------------------------------------------------------------------------------

void TdxBarItem::AddLink(TdxBarItemLink* link) {
    if (std::find(links_.begin(), links_.end(), link) == links_.end()) links_.push_back(link);
}

void TdxBarItem::RemoveLink(TdxBarItemLink* link) { std::erase(links_, link); }

bool TdxBarItem::HasLinkOnUnlockedToolbar() const {
    // Hook (bar windows): some link lies on a toolbar window whose manager is not locked.
    return false;
}

void TdxBarItem::DeleteAllLinks() {
    TdxBarManager* manager = BarManager();
    bool lock = manager && !manager->IsDestroying() && HasLinkOnUnlockedToolbar();
    if (lock) manager->LockUpdate();
    try {
        // A link leaves the list itself when it is freed.
        while (!links_.empty()) FreeObject(links_.back());
    } catch (...) {
        if (lock) manager->UnlockUpdate(true);
        throw;
    }
    if (lock) manager->UnlockUpdate(true);
}

// ---- Streaming ----------------------------------------------------------------------------

void TdxBarItem::Assign(TPersistent* source) {
    auto* item = As<TdxBarItem>(source);
    if (!item) {
        TdxBarComponent::Assign(source);
        return;
    }
    SetAction(item->Action());
    SetAlign(item->Align());
    SetCaption(item->GetCaption());
    SetCategory(item->Category());
    SetDescription(item->Description());
    SetEnabled(item->GetEnabled());
    SetHelpContext(item->HelpContext());
    SetHint(item->Hint());
    SetKeyTip(item->KeyTip());
    SetMergeKind(item->MergeKind());
    SetMergeOrder(item->MergeOrder());
    SetStyle(item->Style());
    // Hook (screen tips): ScreenTip.
    SetVisible(item->Visible());
    UserData = item->UserData;
    SetGlyph(item->Glyph());
    SetImageIndex(item->ImageIndex());
    SetLargeGlyph(item->LargeGlyph());
    SetLargeImageIndex(item->LargeImageIndex());
    SetShortCut(item->ShortCut());
    OnClick = item->OnClick;
}

void TdxBarItem::AssignTo(TPersistent* dest) {
    auto* action = As<TCustomAction>(dest);
    if (!action) {
        TdxBarComponent::AssignTo(dest);
        return;
    }
    action->SetCaption(GetCaption());
    bool down = false;
    if (GetButtonDown(this, down)) action->SetChecked(down);
    action->SetEnabled(GetEnabled());
    action->SetHelpContext(helpContext_);
    action->SetHint(hint_);
    action->SetImageIndex(imageIndex_);
    action->SetShortCut(shortCut_);
    if (visible_ != ivInCustomizing) action->SetVisible(visible_ == ivAlways);
    action->SetOnExecute(OnClick);
}

TComponent* TdxBarItem::GetParentComponent() const { return HasParent() ? BarManager() : nullptr; }

void TdxBarItem::SetParentComponent(TComponent* value) {
    if (IsLoading()) return;
    auto* manager = As<TdxBarManager>(value);
    if (!manager) throw EInvalidCast(L"Invalid class typecast");
    MoveToManager(manager);
    BarManagerChanged();
}

void TdxBarItem::ReadState(TReader* reader) {
    TdxBarComponent::ReadState(reader);
    if (auto* manager = As<TdxBarManager>(reader->Parent())) {
        MoveToManager(manager);
        BarManagerChanged();
    }
}

void TdxBarItem::MoveToManager(TdxBarManager* manager) {
    TdxBarManager* old = BarManager();
    if (old == manager) return;
    if (old) old->ItemList()->Remove(this);
    SetBarManagerField(manager);
    if (manager && manager->ItemList()->IndexOf(this) < 0) manager->ItemList()->Add(this);
}

void TdxBarItem::Loaded() {
    TdxBarComponent::Loaded();
    if (TBasicAction* action = Action()) ActionChange(action, true);
    FireNotifyEvent(this, OnAfterLoad);
}

void TdxBarItem::ApplyLoadedVisible() {
    loadedVisibleApplied_ = true;
    TdxBarItemVisible value = loadedVisible_;
    if (AssignIfChanged(visible_, value) && !IsDesigning()) VisibleChanged();
}

void TdxBarItem::SetName(const String& name) {
    TdxBarComponent::SetName(name);
    if (!(IsDesigning() && name.empty())) NotifyChangeListeners(false);
}

void TdxBarItem::Notification(TComponent* component, TOperation operation) {
    TdxBarComponent::Notification(component, operation);
    if (operation != opRemove) return;
    if (component == Action()) SetAction(nullptr);
    // Hook (screen tips): a removed ScreenTip is forgotten.
}
