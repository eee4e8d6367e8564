#include "dxBarItemLinks.h"

#include <algorithm>
#include <climits>
#include <utility>

#include "Filer.h"
#include "cxClasses.h"
#include "dxBarButton.h"
#include "dxBarDesignController.h"
#include "dxBarDragInfo.h"
#include "dxBarRunTimeSelectionController.h"
#include "dxBarEdit.h"
#include "dxBarItemActionLink.h"
#include "dxBarItemControl.h"
#include "dxBarManager.h"
#include "dxBarTextHelpers.h"
#include "dxCustomBarControl.h"

// Sections: TdxBarItemLink (life, item, properties, effective values, visibility, usage,
// accelerators, streaming) · TdxBarItemLinks (links, lists, recent use, keys, navigation,
// options, merging, updates) · the window kinds.

namespace {

bool IsSeparatorItem(const TdxBarItem* item) { return item && item->InheritsFrom(TdxBarSeparator::StaticClass()); }

// Hook (painters): the manager's effective style (a look-and-feel style resolves to its kind).
bool IsNotStandardStyle(const TdxBarManager* manager) { return manager && manager->Style() != bmsStandard; }

template <class T>
void EraseValue(std::vector<T*>& list, const T* value) {
    list.erase(std::remove(list.begin(), list.end(), value), list.end());
}

bool ContainsOwnerIn(const TdxBarItemLinks* links, TComponent* owner, std::vector<const TdxBarItemLinks*>& visited) {
    // A description can link menus into a cycle; each collection is searched once.
    if (std::find(visited.begin(), visited.end(), links) != visited.end()) return false;
    visited.push_back(links);
    for (int i = 0; i < links->Count(); ++i) {
        TdxBarItem* item = links->GetLink(i)->Item();
        if (!item) continue;
        if (item == owner) return true;
        if (TdxBarItemLinks* inner = item->GetItemLinks())
            if (ContainsOwnerIn(inner, owner, visited)) return true;
    }
    return false;
}

}  // namespace

// ---- TdxBarItemLink: life -----------------------------------------------------------------

// The base joins no collection: the link joins it at the end of this constructor, once it is
// whole, because joining rebuilds the collection's lists from every link.
TdxBarItemLink::TdxBarItemLink(TCollection* collection) : TcxInterfacedCollectionItem(nullptr) {
    userGlyph_ = new TBitmap;
    userGlyph_->OnChange = MakeEvent(this, &TdxBarItemLink::UserGlyphChanged);
    auto* links = As<TdxBarItemLinks>(collection);
    TdxBarManager* manager = links ? links->BarManager() : nullptr;
    if (manager) useCount_ = manager->MostRecentlyUsedUseCount();
    if (links) links->recent_.push_back(this);
    SetCollection(collection);
    if (manager && !manager->IsLoadingState() && manager->OnItemLinkAdd) manager->OnItemLinkAdd(manager, this);
}

TdxBarItemLink::~TdxBarItemLink() {
    TdxBarManager* manager = BarManager();
    if (manager && !manager->IsDestroying() && manager->OnItemLinkDelete) manager->OnItemLinkDelete(manager, this);
    // Hook (bar windows): the window forgets the link as its selected and last tracked link
    // (clearing the manager's selected control).
    FreeControl();
    if (TdxBarDesignController* controller = ExistingDesignController()) controller->ForgetSelectedItem(this);
    ForgetInRunTimeSelection(manager, this);
    if (manager && manager->GetDraggingItemLink() == this) manager->SetDraggingItemLink(nullptr);
    if (manager && manager->DragInfo()) manager->DragInfo()->LinkFreed(this);
    if (item_) item_->RemoveLink(this);
    FreeAndNil(userGlyph_);
    if (TdxBarItemLinks* links = GetLinks()) {
        EraseValue(links->recent_, this);
        EraseValue(links->distributionChanged_, this);
    }
    SetCollection(nullptr);
}

TdxBarItemLinks* TdxBarItemLink::GetLinks() const { return static_cast<TdxBarItemLinks*>(Collection()); }

TdxBarManager* TdxBarItemLink::BarManager() const { return GetLinks() ? GetLinks()->BarManager() : nullptr; }

TCustomdxBarControl* TdxBarItemLink::GetBarControl() const { return GetLinks() ? GetLinks()->BarControl() : nullptr; }

bool TdxBarItemLink::IsOwnerLoading() const { return GetLinks() && GetLinks()->IsOwnerLoading(); }

String TdxBarItemLink::DisplayName() const {
    return item_ ? item_->Name() : TcxInterfacedCollectionItem::DisplayName();
}

// ---- TdxBarItemLink: the item -------------------------------------------------------------

TdxBarItem* TdxBarItemLink::Item() const {
    if (hasItemName_ && IsOwnerLoading() && BarManager()) return BarManager()->FindItemByName(itemName_);
    return item_;
}

void TdxBarItemLink::SetItem(TdxBarItem* value) {
    if (value == item_) return;
    // SetItem(nil) frees this link: what the end of the setter needs is kept here.
    TdxBarItemLinks* links = GetLinks();
    if (links) links->BeginUpdate();
    try {
        FreeControl();
        if (item_) item_->RemoveLink(this);
        item_ = nullptr;
        if (value) {
            String errorText;
            if (links && !links->CanAddItem(value, errorText)) throw EdxException(errorText);
            item_ = value;
            value->AddLink(this);
            if (links) {
                links->RebuildLists();
                TComponent* owner = links->GetOwnerObject();
                if (owner && !owner->ComponentState().Contains(csLoading)) ResetUsage();
                if (links->UpdateCount() == 1 && links->BarManager()) links->BarManager()->FireItemLinkChange(this);
            }
        } else {
            FreeObject(this);
        }
    } catch (...) {
        if (links) links->EndUpdate();
        throw;
    }
    if (links) links->EndUpdate();
}

bool TdxBarItemLink::IsOwnedByOwner(TComponent* owner) const {
    return owner && GetLinks() && GetLinks()->GetOwnerObject() == owner;
}

// ---- TdxBarItemLink: properties -----------------------------------------------------------

bool TdxBarItemLink::BeginGroup() const {
    TdxBarItemLinks* links = GetLinks();
    int shown = GetShownIndex();
    if (beginGroup_ && shown != 0) return shown == -1 || !IsSeparatorItem(links->GetShownLink(shown - 1)->Item());
    if (shown > 0) {
        // The group line of hidden links between the previous shown link and this one.
        // Hook (bar windows): not when the window stretches items and this link's control is
        // aligned to the centre or the right.
        int from = links->IndexOfLink(links->GetShownLink(shown - 1)) + 1, to = Index();
        for (int i = from; i < to; ++i)
            if (links->GetLink(i)->BeginGroup()) return true;
    }
    return false;
}

void TdxBarItemLink::SetBeginGroup(bool value) {
    if (!AssignIfChanged(beginGroup_, value)) return;
    // Hook (item controls): the control asks its bar for a new layout.
    Changed(false);
}

void TdxBarItemLink::SetButtonGroup(TdxBarButtonGroupPosition value) {
    if (AssignIfChanged(buttonGroup_, value)) Changed(true);
}

void TdxBarItemLink::SetDistributed(bool value) {
    if (!AssignIfChanged(distributed_, value)) return;
    if (TdxBarItemLinks* links = GetLinks())
        if (std::find(links->distributionChanged_.begin(), links->distributionChanged_.end(), this) ==
            links->distributionChanged_.end())
            links->distributionChanged_.push_back(this);
    Changed(true);
}

void TdxBarItemLink::SetMostRecentlyUsed(bool value) {
    if (!AssignIfChanged(mostRecentlyUsed_, value)) return;
    ResetUsage();
    // Hook (bar windows): the window updates itself.
    Changed(false);
}

void TdxBarItemLink::SetPosition(TdxBarItemPosition value) {
    if (AssignIfChanged(position_, value)) Changed(true);
}

void TdxBarItemLink::SetViewLevels(TdxBarItemViewLevels value) {
    if (AssignIfChanged(viewLevels_, value)) Changed(true);
}

void TdxBarItemLink::SetUserCaption(const String& value) {
    if (AssignIfChanged(userCaption_, value)) MarkUserDefined(udCaption);
}

void TdxBarItemLink::SetUserGlyph(TBitmap* value) {
    userGlyph_->Assign(value);
    MarkUserDefined(udGlyph);
}

void TdxBarItemLink::SetUserPaintStyle(TdxBarPaintStyle value) {
    if (value == GetEffectivePaintStyle()) return;
    userPaintStyle_ = value;
    MarkUserDefined(udPaintStyle);
}

void TdxBarItemLink::SetUserWidth(int value) {
    if (value == GetEffectiveWidth()) return;
    userWidth_ = value;
    MarkUserDefined(udWidth);
}

void TdxBarItemLink::MarkUserDefined(TdxBarUserDefine element) { SetUserDefine(userDefine_ + element); }

void TdxBarItemLink::SetUserDefine(TdxBarUserDefines value) {
    if (value == userDefine_) return;
    for (TdxBarUserDefine element : {udCaption, udGlyph, udPaintStyle, udWidth}) {
        bool was = userDefine_.Contains(element), is = value.Contains(element);
        if (was == is) continue;
        if (was) {
            userDefine_ -= element;
            switch (element) {
                case udCaption:
                    userCaption_.clear();
                    break;
                case udGlyph:
                    userGlyph_->Assign(nullptr);
                    break;
                case udPaintStyle:
                    userPaintStyle_ = psStandard;
                    break;
                case udWidth:
                    userWidth_ = 0;
                    break;
            }
        } else {
            userDefine_ += element;
        }
        // Hook (item controls): the control hears that its caption, glyph, paint style or
        // width changed.
    }
    Changed(false);
}

void TdxBarItemLink::UserGlyphChanged(TObject* sender) {
    (void)sender;
    // Hook (item controls): the control hears that its glyph changed.
}

void TdxBarItemLink::SetItemRect(const TRect& rect) {
    itemRect_ = rect;
    if (control_) control_->Recalculate();
}

// ---- TdxBarItemLink: effective values -----------------------------------------------------

String TdxBarItemLink::GetEffectiveCaption() const {
    if (userDefine_.Contains(udCaption)) return userCaption_;
    TdxBarItem* item = Item();
    return item ? item->GetCaption() : String();
}

TBitmap* TdxBarItemLink::GetEffectiveGlyph() const {
    TdxBarItem* item = Item();
    return userDefine_.Contains(udGlyph) || !item ? userGlyph_ : item->Glyph();
}

TdxBarPaintStyle TdxBarItemLink::GetEffectivePaintStyle() const {
    TdxBarItem* item = Item();
    return userDefine_.Contains(udPaintStyle) || !item ? userPaintStyle_ : item->PaintStyle();
}

int TdxBarItemLink::GetEffectiveWidth() const {
    if (userDefine_.Contains(udWidth)) return userWidth_;
    TdxBarItem* item = Item();
    return item && item->InheritsFrom(TdxCustomBarEdit::StaticClass()) ? item->GetWidth() : 0;
}

// ---- TdxBarItemLink: lists and visibility -------------------------------------------------

int TdxBarItemLink::GetShownIndex() const { return GetLinks() ? GetLinks()->GetShownLinkIndex(this) : -1; }

int TdxBarItemLink::GetShowableIndex() const { return GetLinks() ? GetLinks()->GetShowableLinkIndex(this) : -1; }

// ---- TdxBarItemLink: selection ------------------------------------------------------------

void TdxBarItemLink::DeleteIfAllowed(IdxBarSelectableItem*& ref, bool) {
    ref = nullptr;
    FreeObject(this);
}

void TdxBarItemLink::ExecuteCustomizingAction(Byte action) {
    TdxBarDesignController* controller = ExistingDesignController();
    TdxBarItemLink* source = controller ? controller->CustomizingLink() : nullptr;
    if (!source || source == this) return;
    switch (action) {
        case 0: SetUserDefine(TdxBarUserDefines()); break;
        case 4:
            if (item_) item_->SetCaption(source->GetEffectiveCaption());
            break;
        case 5: SetUserPaintStyle(source->UserPaintStyle()); break;
        case 6: SetPosition(source->Position()); break;
        case 7: SetViewLevels(source->ViewLevels()); break;
        case 8: SetButtonGroup(source->ButtonGroup()); break;
        case 9: SetDistributed(source->Distributed()); break;
        case 10: SetBeginGroup(source->BeginGroup()); break;
        case 11: SetVisible(source->Visible()); break;
        case 12: SetMostRecentlyUsed(source->MostRecentlyUsed()); break;
        default: break;
    }
}

void TdxBarItemLink::AddOwnerToList(TList* list) {
    auto add = [list](TObject* object) {
        if (!object) return;
        if (auto* unique = As<TdxObjectList>(list))
            unique->AddUnique(object);
        else if (list->IndexOf(object) < 0)
            list->Add(object);
    };
    add(GetLinks() ? GetLinks()->GetOwnerObject() : nullptr);
    add(item_);
}

IdxBarSelectableItem* TdxBarItemLink::GetNextSelectable() { return GetNextShownLink(); }

TPersistent* TdxBarItemLink::GetSelectableParent() { return GetLinks() ? GetLinks()->GetOwnerObject() : nullptr; }

Integer TdxBarItemLink::GetSelectionState() {
    TdxBarManager* manager = BarManager();
    IdxBarDesigner* designer = manager ? manager->Designer() : nullptr;
    return designer ? designer->QuerySelectionState(this) : 0;
}

Word TdxBarItemLink::GetSupportedActions() { return item_ ? item_->GetSupportedActions() : 0; }

void TdxBarItemLink::InvalidateSelf() {
    if (TCustomdxBarControl* window = GetBarControl(); window && control_) window->InvalidateItem(control_);
}

bool TdxBarItemLink::IsSelected() {
    TdxBarManager* manager = BarManager();
    IdxBarDesigner* designer = manager ? manager->Designer() : nullptr;
    return designer && (designer->QuerySelectionState(this) == 1 || (item_ && designer->QuerySelectionState(item_) == 1));
}

void TdxBarItemLink::SelectInDesigner(Integer operation) {
    TdxBarManager* manager = BarManager();
    if (IdxBarDesigner* designer = manager ? manager->Designer() : nullptr) designer->ApplyComponentSelection(this, operation);
}

bool TdxBarItemLink::SelectParent() {
    TdxBarManager* manager = BarManager();
    if (!manager) return false;
    manager->SetSelectedItemControl(nullptr);
    if (TCustomdxBarControl* window = GetBarControl()) window->SetSelControl(nullptr);
    if (TdxBarDesignController* controller = DesignControllerInstance())
        controller->SelectPersistent(GetSelectableParent(), dxBarSelectionExclusive);
    return true;
}

void TdxBarItemLink::SelectionChanged() {
    if (item_) item_->SelectionChanged();
}

TdxBarItemLink* TdxBarItemLink::GetNextShownLink() const {
    TdxBarItemLinks* links = GetLinks();
    int shown = GetShownIndex(), count = links ? links->GetShownLinkCount() : 0;
    if (shown < 0 || count < 2) return nullptr;
    return links->GetShownLink((shown + 1) % count);
}

bool TdxBarItemLink::CanBeShown() const {
    TdxBarItem* item = Item();
    return item && item->IsActuallyVisible() && visible_;
}

void TdxBarItemLink::SetVisible(bool value) {
    TdxBarItemLinks* links = GetLinks();
    TdxBarManager* manager = BarManager();
    if ((manager && manager->ComponentState().Contains(csLoading)) || (links && links->IsAssigning())) {
        loadedVisible_ = value;
        return;
    }
    if (!AssignIfChanged(visible_, value)) return;
    if (!(manager && manager->IsBarManagerDesigning())) UpdateVisibility();
    Changed(false);
}

void TdxBarItemLink::UpdateVisibility() {
    if (TdxBarItemLinks* links = GetLinks()) links->RebuildLists();
    if (CanBeShown()) {
        MarkUsed(false);
        if (GetBarControl()) {
            CreateControl();
            // Hook (item controls): the control hears that its visibility changed.
        }
    } else {
        MoveToRecentEnd();
        // Hook (item controls): a control hears that its visibility changed, then is freed.
        FreeControl();
    }
}

void TdxBarItemLink::CreateControl() {
    TCustomdxBarControl* barControl = GetBarControl();
    if (control_ || !item_ || !barControl || barControl->IsDestroying()) return;
    auto* cls = dynamic_cast<TdxBarItemControlClass>(item_->GetItemControlClass(barControl->IsRotated() ? 1 : 0));
    if (cls) control_ = cls->CreateForLink(this);
}

void TdxBarItemLink::FreeControl() {
    // The control's destructor clears control_.
    delete control_;
    control_ = nullptr;
}

void TdxBarItemLink::RecreateControl() {
    TdxBarManager* manager = BarManager();
    if (manager && manager->UpdateLockCount() > 0) return;
    FreeControl();
    CreateControl();
}

// ---- TdxBarItemLink: usage ----------------------------------------------------------------

int TdxBarItemLink::GetRecentIndex() const {
    TdxBarItemLinks* links = GetLinks();
    if (!links) return -1;
    auto at = std::find(links->recent_.begin(), links->recent_.end(), this);
    return at == links->recent_.end() ? -1 : int(at - links->recent_.begin());
}

void TdxBarItemLink::MarkUsed(bool countUse) {
    if (!CanBeShown()) return;
    TdxBarItemLinks* links = GetLinks();
    int shownBefore = GetShownIndex();
    MoveToRecentFront(countUse);
    if (GetShowableIndex() < 0) return;
    if (shownBefore == -1 && GetBarControl()) {
        // Hook (bar windows): the window lays itself out again.
    }
    // A use in a sub item's menu is a use of the sub item's link too.
    // Hook (popup menus): a popup menu opened by an item control passes it to that control's item.
    if (auto* owner = As<TdxBarItem>(links ? links->GetOwnerObject() : nullptr))
        if (TdxBarItemLink* active = owner->GetActiveLink()) active->GetSourceLink()->MarkUsed(countUse);
}

void TdxBarItemLink::MoveToRecentFront(bool countUse) {
    TdxBarItemLinks* links = GetLinks();
    if (links && !links->UsesRecentItems()) return;
    if (links) {
        EraseValue(links->recent_, this);
        links->recent_.insert(links->recent_.begin(), this);
        links->RebuildLists();
    }
    if (countUse) ++useCount_;
}

void TdxBarItemLink::MoveToRecentEnd() {
    TdxBarItemLinks* links = GetLinks();
    if (!links) return;
    bool wasShown = GetShownIndex() >= 0;
    EraseValue(links->recent_, this);
    links->recent_.push_back(this);
    links->RebuildLists();
    if (wasShown && GetBarControl()) {
        // Hook (bar windows): the window lays itself out again.
    }
}

void TdxBarItemLink::ResetUsage() {
    if (mostRecentlyUsed_) {
        useCount_ = BarManager() ? BarManager()->MostRecentlyUsedUseCount() : 0;
        MarkUsed(false);
    } else {
        useCount_ = 0;
        MoveToRecentEnd();
    }
}

void TdxBarItemLink::CopyUsage(TdxBarItemLink* source) {
    useCount_ = source->useCount_;
    TdxBarItemLinks* links = GetLinks();
    int index = source->GetRecentIndex();
    if (!links || index < 0) return;
    EraseValue(links->recent_, this);
    links->recent_.insert(links->recent_.begin() + std::min(index, int(links->recent_.size())), this);
}

void TdxBarItemLink::RestoreRecentIndex() {
    TdxBarItemLinks* links = GetLinks();
    if (!links || savedRecentIndex_ < 0) return;
    EraseValue(links->recent_, this);
    links->recent_.insert(links->recent_.begin() + std::min(savedRecentIndex_, int(links->recent_.size())), this);
    savedRecentIndex_ = -1;
}

// ---- TdxBarItemLink: accelerators ---------------------------------------------------------

namespace {

// The accelerator character of a caption as written (0 without one).
WideChar AccelCharOf(const String& caption) {
    String text = caption;
    int position = FindAccelCharPos(text, false);
    return position > 0 && position <= int(text.size()) ? text[size_t(position - 1)] : 0;
}

WideChar LowerChar(WideChar c) {
    return WideChar(reinterpret_cast<UINT_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(UINT_PTR(c)))));
}

}  // namespace

WideChar TdxBarItemLink::GetAccelChar() const {
    WideChar c = AccelCharOf(GetEffectiveCaption());
    return c ? LowerChar(c) : 0;
}

bool TdxBarItemLink::MatchesAccel(Word key, TShiftState shift) const {
    WideChar c = AccelCharOf(GetEffectiveCaption());
    if (!c) return false;
    // An upper-case accelerator is reached with or without Shift.
    if (IsCharUpperW(c)) shift -= ssShift;
    c = LowerChar(c);
    if (c >= L'0' && c <= L'9') return key == Word(c) && shift.Empty();
    SHORT scan = VkKeyScanW(c);
    if (scan == -1) return false;
    TShiftState needed;
    if (HIBYTE(scan) & 1) needed += ssShift;
    if (HIBYTE(scan) & 2) needed += ssCtrl;
    return key == LOBYTE(scan) && shift == needed;
}

// ---- TdxBarItemLink: streaming and copying ------------------------------------------------

void TdxBarItemLink::DefineProperties(TFiler* filer) {
    TcxInterfacedCollectionItem::DefineProperties(filer);
    filer->DefineProperty(
        L"ItemName",
        [this](TReader* reader) {
            itemName_ = reader->ReadString();
            hasItemName_ = true;
        },
        [this](TWriter* writer) { writer->WriteString(item_ ? item_->Name() : String()); }, item_ != nullptr);
}

void TdxBarItemLink::ResolveLoadedItem() {
    if (!hasItemName_) return;
    String name = itemName_;
    hasItemName_ = false;
    itemName_.clear();
    TdxBarManager* manager = BarManager();
    // A name that names no item leaves a link without item, which frees itself.
    SetItem(manager ? manager->FindItemByName(name) : nullptr);
}

void TdxBarItemLink::Assign(TPersistent* source) {
    auto* link = As<TdxBarItemLink>(source);
    if (!link) {
        TcxInterfacedCollectionItem::Assign(source);
        return;
    }
    LinkData = link->LinkData;
    userCaption_ = link->userCaption_;
    userGlyph_->Assign(link->userGlyph_);
    userPaintStyle_ = link->userPaintStyle_;
    userWidth_ = link->userWidth_;
    // The same item, or the item of the same name when the source belongs to another manager.
    // A merge keeps the source's item: an MDI child's menu shows its own commands in the frame.
    // Hook (layout storage): while a whole bar layout is copied, the item of that name in the
    // owner form.
    TdxBarItem* item = link->Item();
    TdxBarManager* manager = BarManager();
    bool merging = GetLinks() && GetLinks()->mergingBar_;
    if (item && manager && !merging && item->BarManager() != manager) item = manager->FindItemByName(item->Name());
    // A source without item leaves this link's item alone: linking nil would free the link.
    if (item) SetItem(item);
    SetUserDefine(link->userDefine_);
    SetBeginGroup(link->BeginGroup());
    SetButtonGroup(link->buttonGroup_);
    SetDistributed(link->distributed_);
    SetPosition(link->position_);
    SetViewLevels(link->viewLevels_);
    SetVisible(link->visible_);
    createdFromBar_ = GetLinks() ? GetLinks()->mergingBar_ : nullptr;
}

// ---- TdxBarItemLinks: life and links ------------------------------------------------------

TdxBarItemLinks::TdxBarItemLinks(TdxBarManager* manager, IdxBarLinksOwner* owner)
    : TCollection(TdxBarItemLink::StaticClass()), manager_(manager), owner_(owner) {
    itemOptions_ = new TdxBarItemOptions(this);
}

TdxBarItemLinks::~TdxBarItemLinks() {
    destroying_ = true;
    // The window goes while the links whose controls it frees are still here.
    FreeBarControl();
    BeginUpdate();
    while (Count() > 0) FreeObject(GetLink(Count() - 1));
    FreeAndNil(itemOptions_);
}

bool TdxBarItemLinks::IsOwnerLoading() const {
    TComponent* owner = GetOwnerObject();
    return owner && owner->ComponentState().Contains(csLoading);
}

int TdxBarItemLinks::Find(const std::vector<TdxBarItemLink*>& list, const TdxBarItemLink* link) {
    auto at = std::find(list.begin(), list.end(), link);
    return at == list.end() ? -1 : int(at - list.begin());
}

TdxBarItemLink* TdxBarItemLinks::AddItem(TdxBarItem* item) {
    BeginUpdate();
    TdxBarItemLink* link = nullptr;
    try {
        link = Add();
        link->SetItem(item);
    } catch (...) {
        // A refused item leaves no link without item behind.
        if (link && !link->item_) FreeObject(link);
        EndUpdate();
        throw;
    }
    EndUpdate();
    return link;
}

TdxBarItemLink* TdxBarItemLinks::AddNewItem(TClass itemClass) {
    TdxBarItemLink* link = Add();
    TdxBarItem* item = nullptr;
    try {
        item = manager_->AddItem(itemClass);
        link->SetItem(item);
    } catch (...) {
        FreeObject(item);
        FreeObject(link);
        throw;
    }
    return link;
}

TdxBarItemLink* TdxBarItemLinks::AddItemOfClass(TClass itemClass, TdxBarManager* manager) {
    if (!manager) manager = manager_;
    TdxBarItemLink* link = Add();
    TdxBarItem* item = nullptr;
    try {
        item = static_cast<TdxBarItem*>(itemClass->Create(manager ? manager->Owner() : nullptr));
        link->SetItem(item);
    } catch (...) {
        FreeObject(item);
        if (IndexOfLink(link) >= 0) FreeObject(link);
        throw;
    }
    return link;
}

int TdxBarItemLinks::IndexOfLink(const TdxBarItemLink* link) const {
    return link && link->Collection() == this ? link->Index() : -1;
}

int TdxBarItemLinks::IndexOfItemName(const String& name) const {
    for (int i = 0; i < Count(); ++i)
        if (TdxBarItem* item = GetLink(i)->Item(); item && item->Name() == name) return i;
    return -1;
}

void TdxBarItemLinks::MoveLink(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
    BeginUpdate();
    try {
        GetLink(from)->SetIndex(to);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    // Hook (bar windows): the window updates itself.
}

bool TdxBarItemLinks::ContainsOwner(TComponent* owner) const {
    std::vector<const TdxBarItemLinks*> visited;
    return owner && ContainsOwnerIn(this, owner, visited);
}

bool TdxBarItemLinks::HasControl(TdxBarItemControl* control) const {
    for (int i = 0; control && i < Count(); ++i)
        if (GetLink(i)->Control() == control) return true;
    return false;
}

bool TdxBarItemLinks::CanAddItem(TdxBarItem* item, String& errorText) {
    return !owner_ || owner_->CanAddItem(item, errorText);
}

bool TdxBarItemLinks::BelongsToMenu() const { return !Is<TdxBar>(GetOwnerObject()); }

void TdxBarItemLinks::CreateBarControl() {
    if (!barControl_ && owner_) barControl_ = owner_->CreateBarControl();
}

void TdxBarItemLinks::FreeBarControl() {
    TCustomdxBarControl* barControl = std::exchange(barControl_, nullptr);
    if (!barControl) return;
    // A window that is going already (with its manager) must not keep the links that go now.
    if (barControl->IsDestroying())
        barControl->ItemLinksFreed();
    else
        FreeObject(barControl);
}

void TdxBarItemLinks::EmptyLinkRects() {
    for (int i = 0; i < Count(); ++i) GetLink(i)->SetItemRect(TRect{});
}

// ---- TdxBarItemLinks: derived lists -------------------------------------------------------

void TdxBarItemLinks::RebuildLists() { BuildLists(); }

void TdxBarItemLinks::BuildLists() {
    usable_.clear();
    showable_.clear();
    shown_.clear();
    bool designing = manager_ && manager_->IsBarManagerDesigning();
    for (int i = 0; i < Count(); ++i) {
        TdxBarItemLink* link = GetLink(i);
        TdxBarItem* item = link->Item();
        if (!item || !(designing || item->IsActuallyVisible())) continue;
        usable_.push_back(link);
        if (!(designing || link->visible_)) continue;
        showable_.push_back(link);
        if (designing || shownLimit_ == -1) shown_.push_back(link);
    }
    if (!designing && shownLimit_ > 0) {
        for (TdxBarItemLink* link : recent_) {
            if (int(shown_.size()) >= shownLimit_) break;
            if (Find(showable_, link) >= 0) shown_.push_back(link);
        }
        std::sort(shown_.begin(), shown_.end(),
                  [this](TdxBarItemLink* a, TdxBarItemLink* b) { return Find(showable_, a) < Find(showable_, b); });
    }
    if (!(manager_ && manager_->IsCustomizingOrDesigning()) && UpdateCount() == 0) DropExtraSeparators();
}

void TdxBarItemLinks::DropExtraSeparators() {
    // Trailing separators go, and a run of separators keeps its last one.
    bool nextIsSeparator = false;
    for (int i = int(shown_.size()) - 1; i >= 0; --i) {
        TdxBarItemLink* link = shown_[size_t(i)];
        bool separator = IsSeparatorItem(link->Item());
        if (separator && (i == int(shown_.size()) - 1 || nextIsSeparator)) {
            EraseValue(showable_, link);
            shown_.erase(shown_.begin() + i);
        }
        nextIsSeparator = separator;
    }
}

int TdxBarItemLinks::GetUnclippedLinkCount() const {
    if (BelongsToMenu()) return GetShownLinkCount();
    // The leading shown links whose rectangle lies wholly in the window's client area; without a
    // window none.
    if (!barControl_ || !barControl_->HandleAllocated()) return 0;
    const TRect client = barControl_->ClientRect();
    int count = 0;
    for (; count < GetShownLinkCount(); ++count) {
        const TRect r = GetShownLink(count)->ItemRect();
        TRect both;
        IntersectRect(&both, &r, &client);
        if (IsRectEmpty(&r) || !EqualRect(&both, &r)) break;
    }
    return count;
}

// ---- TdxBarItemLinks: recent use ----------------------------------------------------------

bool TdxBarItemLinks::UsesRecentItems() const {
    if (!IsNotStandardStyle(manager_) || !RecentItemsFlag) return false;
    TdxBarItemLinks* parent = GetParentBarLinks();
    return !parent || parent->UsesRecentItems();
}

int TdxBarItemLinks::CalcRecentItemCount() const {
    if (!UsesRecentItems()) return -1;
    int low = INT_MAX, high = 0;
    for (TdxBarItemLink* link : showable_) {
        low = std::min(low, link->useCount_);
        high = std::max(high, link->useCount_);
    }
    int count = 0;
    if (!showable_.empty()) {
        int percents = manager_ ? manager_->MostRecentItemsPercents() : 95;
        int threshold = low + MulDiv(high - low, 100 - percents, 100);
        for (int position = int(showable_.size()) - 1; position >= 0; --position) {
            TdxBarItemLink* link = GetRecentLink(position);
            if (link && link->GetLinks() == this && link->useCount_ >= threshold) {
                count = position + 1;
                break;
            }
        }
    }
    return count == int(showable_.size()) ? -1 : count;
}

void TdxBarItemLinks::SetRecentItemCount(int count) {
    savedShownLimit_ = shownLimit_;
    shownLimit_ = UsesRecentItems() ? count : -1;
    RebuildLists();
}

void TdxBarItemLinks::RestoreRecentItemCount() {
    shownLimit_ = savedShownLimit_;
    RebuildLists();
}

void TdxBarItemLinks::ApplyLoadedUsage(bool applyVisible) {
    for (int i = Count() - 1; i >= 0; --i)
        if (GetLink(i)->Item()) GetLink(i)->ResetUsage();
    if (applyVisible)
        for (int i = 0; i < Count(); ++i) GetLink(i)->SetVisible(GetLink(i)->loadedVisible_);
    for (int position = 0; position < Count(); ++position)
        for (int i = 0; i < Count(); ++i) {
            TdxBarItemLink* link = GetLink(i);
            if (link->loadedRecentIndex_ != position) continue;
            link->useCount_ = link->loadedUseCount_;
            EraseValue(recent_, link);
            recent_.insert(recent_.begin() + std::min(position, int(recent_.size())), link);
            link->loadedRecentIndex_ = -1;
        }
    RebuildLists();
    // Hook (bar windows): the window makes its controls again.
}

void TdxBarItemLinks::CompactRecentOrder() {
    auto firstHidden = std::find_if(recent_.begin(), recent_.end(),
                                    [this](TdxBarItemLink* link) { return Find(showable_, link) < 0; });
    if (firstHidden == recent_.end()) return;
    // A stable partition: the showable links after the first hidden one move up, in order.
    std::stable_partition(firstHidden, recent_.end(),
                          [this](TdxBarItemLink* link) { return Find(showable_, link) >= 0; });
    RebuildLists();
}

void TdxBarItemLinks::ResolveLoadedItems() {
    for (int i = Count() - 1; i >= 0; --i) GetLink(i)->ResolveLoadedItem();
    ApplyLoadedUsage(true);
}

// ---- TdxBarItemLinks: keys ----------------------------------------------------------------

void TdxBarItemLinks::UpdateActions() {
    for (int i = 0; i < Count(); ++i)
        if (TdxBarItem* item = GetLink(i)->Item(); item && item->ActionLink()) item->ActionLink()->Update();
}

bool TdxBarItemLinks::ExecuteShortCut(TShortCut key) {
    if (key == 0) return false;
    UpdateActions();
    for (int i = 0; i < GetUsableLinkCount(); ++i)
        if (GetUsableLink(i)->Item()->ExecuteShortCut(key)) return true;
    return false;
}

// ---- TdxBarItemLinks: navigation ----------------------------------------------------------

bool TdxBarItemLinks::IsNavigableLink(TdxBarItemLink* link) const {
    TdxBarItemControl* control = link ? link->Control() : nullptr;
    return control && control->IsNavigable();
}

TdxBarItemLink* TdxBarItemLinks::StepNavigable(TdxBarItemLink* link, bool any, int direction) const {
    int count = std::min(GetUnclippedLinkCount(), GetShownLinkCount());
    if (count == 0) return nullptr;
    int position = link ? GetShownLinkIndex(link) : -1;
    if (position >= count) position = -1;
    // A start that is not among the links (nil or foreign) begins before the first (after the
    // last) of them.
    if (position < 0) position = direction > 0 ? -1 : count;
    for (int step = 0; step < count; ++step) {
        position = direction > 0 ? (position + 1) % count : (position - 1 + count) % count;
        TdxBarItemLink* candidate = GetShownLink(position);
        if ((any && link) || IsNavigableLink(candidate)) return candidate;
    }
    return nullptr;
}

TdxBarItemLink* TdxBarItemLinks::GetFirstNavigableLink() const { return StepNavigable(nullptr, false, 1); }
TdxBarItemLink* TdxBarItemLinks::GetLastNavigableLink() const { return StepNavigable(nullptr, false, -1); }
TdxBarItemLink* TdxBarItemLinks::GetNextNavigableLink(TdxBarItemLink* link, bool any) const {
    return StepNavigable(link, any, 1);
}
TdxBarItemLink* TdxBarItemLinks::GetPrevNavigableLink(TdxBarItemLink* link, bool any) const {
    return StepNavigable(link, any, -1);
}

// ---- TdxBarItemLinks: options -------------------------------------------------------------

TdxBarOptionValue TdxBarItemLinks::GetOptionDefault(TdxBarItemOption option) const {
    return TdxBarItemOptions::GetDefault(option);
}

TdxBarOptionValue TdxBarItemLinks::GetOptionValue(TdxBarItemOption option) const {
    TdxBarItemLinks* parent = GetParentBarLinks();
    if (itemOptions_->IsAssigned(option) || !parent)
        return itemOptions_->IsAssigned(option) ? itemOptions_->Get(option) : GetOptionDefault(option);
    return parent->GetOptionValue(option);
}

// ---- TdxBarItemLinks: merging -------------------------------------------------------------

TdxBarItemLinks::TMergeDecision TdxBarItemLinks::MergeDecision(TdxBarItemLink* sourceLink) {
    TdxBarItem* sourceItem = sourceLink->Item();
    TMergeDecision decision{mkNone, -1};
    if (sourceItem && sourceItem->MergeKind() != mkNone) {
        if (sourceItem->MergeKind() == mkMergeByCaption)
            for (int i = Count() - 1; i >= 0; --i) {
                TdxBarItem* item = GetLink(i)->Item();
                if (item && item->MergeKind() == mkMergeByCaption &&
                    GetLink(i)->GetEffectiveCaption() == sourceLink->GetEffectiveCaption() &&
                    item->CanMergeWith(sourceItem) && sourceItem->CanMergeWith(item)) {
                    decision = {mkMergeByCaption, i};
                    break;
                }
            }
        if (decision.Kind != mkMergeByCaption) {
            // After the link with the largest merge order not above the source's (the last of
            // equal ones); at the start when none is.
            int best = -1, bestOrder = -1;
            for (int i = 0; i < Count(); ++i) {
                TdxBarItem* item = GetLink(i)->Item();
                if (item && item->MergeOrder() <= sourceItem->MergeOrder() && item->MergeOrder() >= bestOrder) {
                    best = i;
                    bestOrder = item->MergeOrder();
                }
            }
            decision = {mkAdd, best + 1};
        }
    }
    if (manager_) manager_->FireMergeItemLink(this, sourceLink->GetLinks(), sourceLink, decision.Kind, decision.Index);
    return decision;
}

bool TdxBarItemLinks::ValidateMergeDecision(TdxBarItemLink* sourceLink, TMergeDecision& decision) const {
    if (decision.Kind == mkNone || decision.Index < 0) return false;
    if (decision.Kind == mkMergeByCaption) {
        if (decision.Index >= Count()) return false;
        TdxBarItem *target = GetLink(decision.Index)->Item(), *source = sourceLink->Item();
        return target && source && target->CanMergeWith(source) && source->CanMergeWith(target);
    }
    return decision.Index <= Count();
}

void TdxBarItemLinks::Merge(TdxBarItemLinks* source, TdxBar* bar) {
    TdxBar* previous = mergingBar_;
    mergingBar_ = bar;
    try {
        for (int i = 0; i < source->Count(); ++i) {
            TdxBarItemLink* sourceLink = source->GetLink(i);
            TMergeDecision decision = MergeDecision(sourceLink);
            if (!ValidateMergeDecision(sourceLink, decision)) continue;
            if (decision.Kind == mkMergeByCaption) {
                TdxBarItemLinks* into = GetLink(decision.Index)->Item()->GetItemLinks();
                TdxBarItemLinks* from = sourceLink->Item()->GetItemLinks();
                if (into && from) into->Merge(from, bar);
            } else {
                Insert(decision.Index)->Assign(sourceLink);
            }
        }
    } catch (...) {
        mergingBar_ = previous;
        throw;
    }
    mergingBar_ = previous;
}

void TdxBarItemLinks::Unmerge(TdxBar* bar) {
    for (int i = Count() - 1; i >= 0; --i) {
        if (i >= Count()) continue;
        TdxBarItemLink* link = GetLink(i);
        if (link->createdFromBar_ && (!bar || link->createdFromBar_ == bar))
            FreeObject(link);
        else if (TdxBarItem* item = link->Item())
            if (TdxBarItemLinks* inner = item->GetItemLinks()) inner->Unmerge(bar);
    }
}

// ---- TdxBarItemLinks: copying and updates -------------------------------------------------

void TdxBarItemLinks::Assign(TPersistent* source) {
    if (!As<TdxBarItemLinks>(source)) {
        TCollection::Assign(source);
        return;
    }
    // Hook (system menu): a system-menu item shown by the first link gets its first link again.
    assigning_ = true;
    try {
        TCollection::Assign(source);
    } catch (...) {
        assigning_ = false;
        throw;
    }
    assigning_ = false;
    for (int i = 0; i < Count(); ++i) GetLink(i)->SetVisible(GetLink(i)->loadedVisible_);
}

void TdxBarItemLinks::DesignerModified() {
    // Hook (popup menus): a popup menu that owns the links is told instead of the manager.
    if (manager_) manager_->DesignerModified();
}

void TdxBarItemLinks::Update(TCollectionItem* item) {
    if (!item) RebuildLists();
    TComponent* owner = GetOwnerObject();
    if (destroying_ || (owner && owner->ComponentState().Contains(csDestroying))) return;
    TCollection::Update(item);
    if (!Internal) DesignerModified();
    if (item) {
        if (manager_) manager_->FireItemLinkChange(static_cast<TdxBarItemLink*>(item));
    } else {
        // Hook (bar windows): an existing, enabled window updates itself.
        FireNotifyEvent(this, OnChange);
    }
}

// ---- The window kinds ---------------------------------------------------------------------

TdxBarItemLink* TdxBarControlItemLinks::FindAccelLink(Word key, TShiftState shift, TdxBarItemLink* start) {
    TCustomdxBarControl* window = BarControl();
    if (!window || !window->HandleAllocated() || !IsWindowVisible(window->Handle())) return nullptr;
    // From start (or the first navigable link), one turn through the navigable unclipped links.
    TdxBarItemLink* first = start ? start : GetFirstNavigableLink();
    if (!first) return nullptr;
    TdxBarItemLink* link = first;
    do {
        link = GetNextNavigableLink(link);
        if (!link) return nullptr;
        if (link->Item() && link->Item()->CanShowLink(link) && link->MatchesAccel(key, shift)) return link;
    } while (link != first);
    return nullptr;
}

TdxBarItemLink* TdxBarSubMenuControlItemLinks::FindAccelLink(Word key, TShiftState shift, TdxBarItemLink* start) {
    int count = GetShowableLinkCount();
    if (count == 0) return nullptr;
    // From the link after start (after the first one for nil, so that the first comes last).
    int position = start ? GetShowableLinkIndex(start) : 0;
    for (int step = 0; step < count; ++step) {
        position = (position + 1) % count;
        TdxBarItemLink* link = GetShowableLink(position);
        if (link->Item()->CanShowLink(link) && link->MatchesAccel(key, shift)) return link;
    }
    return nullptr;
}
