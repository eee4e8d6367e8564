#include "dxBarSubItem.h"

#include "cxClasses.h"
#include "dxBar.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"

// Sections: sub items · containers · list items · container items.

// ---- Sub items ----------------------------------------------------------------------------

TCustomdxBarSubItem::TCustomdxBarSubItem(TComponent* owner) : TdxBarItem(owner) {
    itemLinks_ = new TdxBarSubMenuControlItemLinks(BarManager(), this);
    SetShowCaption(true);
}

TCustomdxBarSubItem::~TCustomdxBarSubItem() {
    SetDetachingBar(-1);
    FreeAndNil(itemLinks_);
}

bool TCustomdxBarSubItem::CanAddItem(TdxBarItem* item, String& errorText) {
    if (!item->CanPlaceOn(dxBarPlaceInMenu, nullptr, errorText)) return false;
    // The sub item itself, or an item whose own menu holds it, would open menus without end.
    TdxBarItemLinks* links = item->GetItemLinks();
    if (item == this || (links && links->ContainsOwner(this))) {
        errorText = BarString(dxSBAR_RECURSIVEMENUS);
        return false;
    }
    return true;
}

void TCustomdxBarSubItem::SetDetachingBar(int value) {
    TdxBarManager* manager = BarManager();
    int barCount = manager && manager->Bars() ? manager->Bars()->Count() : -1;
    if (barCount < 0 || value < -1 || value > barCount - 1) value = -1;
    if (value == detachingBar_) return;
    // Hook (toolbars): the old bar forgets the sub item, the new one is told about it.
    detachingBar_ = value;
}

void TCustomdxBarSubItem::BarRemoved(bool removing, TdxBar* bar) {
    TdxBarManager* manager = BarManager();
    if (removing && manager && detachingBar_ >= 0 && detachingBar_ < manager->Bars()->Count() &&
        manager->Bars()->Items(detachingBar_) == bar)
        SetDetachingBar(-1);
}

void TCustomdxBarSubItem::BarManagerChanged() { itemLinks_->SetBarManager(BarManager()); }

Word TCustomdxBarSubItem::GetSupportedActions() {
    Word actions = TdxBarItem::GetSupportedActions();
    return IsDesigning() ? actions | 0x0100 : actions;
}

void TCustomdxBarSubItem::DoPaintBar(TCanvas* canvas, const TRect& r) {
    if (OnPaintBar) OnPaintBar(this, canvas, r);
}

String TdxBarSubItem::GetNewItemCaption() const { return BarStringTableText(dxSBAR_NEWSUBITEMCAPTION); }

// ---- Containers ---------------------------------------------------------------------------

void TCustomdxBarContainerItem::AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* sourceLink,
                                                 bool fetchData) {
    (void)links, (void)index, (void)sourceLink;
    if (clearDue_) ClearItemList();
    if (!fetchData || !OnGetData) return;
    inGetData_ = true;
    try {
        OnGetData(this);
    } catch (...) {
        inGetData_ = false;
        throw;
    }
    inGetData_ = false;
}

void TCustomdxBarContainerItem::ItemsChanged(TObject* sender) {
    (void)sender;
    // Hook (layout storage): not while a bar is reset from its saved layout.
    if (!inGetData_) VisibleChanged();
}

// ---- List items ---------------------------------------------------------------------------

TdxBarListItem::TdxBarListItem(TComponent* owner) : TCustomdxBarContainerItem(owner) {
    items_ = new TStringList;
    items_->OnChange =
        MakeEvent(static_cast<TCustomdxBarContainerItem*>(this), &TCustomdxBarContainerItem::ItemsChanged);
    entryButtons_ = new TComponentList(true);
}

TdxBarListItem::~TdxBarListItem() {
    FreeAndNil(entryButtons_);
    FreeAndNil(items_);
}

int TdxBarListItem::DataIndex() const {
    if (itemIndex_ < 0 || itemIndex_ >= items_->Count()) return -1;
    int count = 0;
    for (int i = 0; i <= itemIndex_; ++i)
        if (items_->Strings(i) != L"-") ++count;
    return count - 1;
}

void TdxBarListItem::SetDataIndex(int value) {
    if (items_->Count() == 0) {
        itemIndex_ = -1;
        return;
    }
    int counter = -1;
    for (int i = 0; i < items_->Count(); ++i) {
        if (items_->Strings(i) != L"-") ++counter;
        if (counter == value && items_->Strings(i) != L"-") {
            itemIndex_ = i;
            return;
        }
    }
    itemIndex_ = items_->Count();  // no entry chosen
}

namespace {

// "&1 " to "&9 ", then "&A ", "&B "... for the entry made k-th.
String EntryNumber(int k) {
    String number = k <= 8 ? std::to_wstring(k + 1) : String(1, WideChar(k + 56));
    return L"&" + number + L" ";
}

}  // namespace

void TdxBarListItem::AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* sourceLink, bool fetchData) {
    TCustomdxBarContainerItem::AddExpandedLinks(links, index, sourceLink, fetchData);
    bool reuse = entryButtons_->Count() > 0;
    TComponent* owner = BarManager() ? BarManager()->Owner() : Owner();
    int made = 0;
    bool afterSeparator = false;
    for (int j = 0; j < items_->Count(); ++j) {
        String entry = items_->Strings(j);
        if (entry == L"-") {
            afterSeparator = true;
            continue;
        }
        if (!reuse) {
            // Hook (design controller): the button is one of its internal items.
            auto* button = new TdxBarButton(owner);
            entryButtons_->Add(button);
            button->SetAction(Action());
            if (showCheck_ && j == itemIndex_) {
                button->SetButtonStyle(bsChecked);
                button->SetDown(true);
            }
            button->SetCaption((showNumbers_ ? EntryNumber(made) : String()) + GetItemDisplayText(j));
            button->SetHint(GetItemHint(entry));
            button->SetTag(j);
            button->OnClick = MakeEvent(this, &TdxBarListItem::EntryClick);
            button->SetEnabled(GetEnabled());
        }
        if (made >= entryButtons_->Count()) break;
        TdxBarItemLink* link = links->Add();
        link->SetSourceLink(sourceLink);
        link->SetIndex(index + made);
        link->SetItem(static_cast<TdxBarItem*>(entryButtons_->Items(made)));
        link->SetBeginGroup(made == 0 || afterSeparator);
        if (sourceLink) link->CopyUsage(sourceLink);
        afterSeparator = false;
        ++made;
    }
}

void TdxBarListItem::RemoveExpandedLinks(TdxBarItemLinks* links, int index) {
    for (int j = 0; j < items_->Count(); ++j)
        if (items_->Strings(j) != L"-" && index < links->Count()) FreeObject(links->GetLink(index));
}

bool TdxBarListItem::HasLinkedEntries() const {
    return entryButtons_->Count() > 0 && static_cast<TdxBarItem*>(entryButtons_->Items(0))->GetLinkCount() > 0;
}

void TdxBarListItem::ClearItemList() {
    if (!HasLinkedEntries()) entryButtons_->Clear();
    TCustomdxBarContainerItem::ClearItemList();
}

void TdxBarListItem::EntryClick(TObject* sender) {
    itemIndex_ = int(static_cast<TComponent*>(sender)->Tag());
    DirectClick();
}

void TdxBarListItem::DirectClick() {
    // Hook (item controls): nothing while one of the list item's links has an active control.
    TCustomdxBarContainerItem::DirectClick();
}

// ---- Container items ----------------------------------------------------------------------

TdxBarContainerItem::TdxBarContainerItem(TComponent* owner) : TCustomdxBarContainerItem(owner) {
    itemLinks_->OnChange =
        MakeEvent(static_cast<TCustomdxBarContainerItem*>(this), &TCustomdxBarContainerItem::ItemsChanged);
}

void TdxBarContainerItem::AddExpandedLinks(TdxBarItemLinks* links, int index, TdxBarItemLink* sourceLink,
                                           bool fetchData) {
    TCustomdxBarContainerItem::AddExpandedLinks(links, index, sourceLink, fetchData);
    if (links == itemLinks_) return;
    links->BeginUpdate();
    try {
        for (int i = 0; i < itemLinks_->GetShowableLinkCount(); ++i) {
            TdxBarItemLink* link = links->Add();
            link->SetSourceLink(sourceLink);
            link->Assign(itemLinks_->GetShowableLink(i));
            link->SetIndex(index + i);
            if (i == 0 && HidesOwnLink()) link->SetBeginGroup(true);
            if (sourceLink) link->CopyUsage(sourceLink);
        }
    } catch (...) {
        links->EndUpdate();
        throw;
    }
    links->EndUpdate();
}

void TdxBarContainerItem::RemoveExpandedLinks(TdxBarItemLinks* links, int index) {
    if (links == itemLinks_) return;
    for (int i = 0; i < itemLinks_->GetShowableLinkCount() && index < links->Count(); ++i)
        FreeObject(links->GetLink(index));
}

bool TdxBarContainerItem::HasVisibleItems() const {
    if (itemLinks_->Count() == 0) return false;
    bool anyItem = false;
    for (int i = 0; i < itemLinks_->Count(); ++i) {
        TdxBarItem* item = itemLinks_->GetLink(i)->Item();
        if (!item) continue;
        anyItem = true;
        if (item->IsActuallyVisible()) return true;
    }
    // Links whose items are not resolved yet count as visible.
    return !anyItem;
}
