#include "dxBarApplicationMenu.h"

#include <cmath>

#include "cxObjectLinks.h"
#include "dxBarButton.h"
#include "dxBarManager.h"

namespace {

const wchar_t* const DefaultExtraPaneHeader = L"Recent Documents";
constexpr int ApplicationMenuButtonGap = 6;

}  // namespace

// ---- Geometry ------------------------------------------------------------------------------

TdxBarApplicationMenuWidth CalcApplicationMenuWidth(int contentWidth, int paneSize, double widthRatio, int textSize,
                                                    int minItemHeight) {
    const int width = contentWidth == 0 ? 100 : contentWidth;
    const int pane = paneSize != 0 && minItemHeight != 0 ? MulDiv(paneSize, textSize, minItemHeight)
                                                         : int(std::lround(widthRatio * width));
    return {width + pane, pane};
}

std::vector<TRect> ArrangeApplicationMenuButtons(const std::vector<int>& widths, const TRect& bounds) {
    std::vector<TRect> rects(widths.size(), TRect{0, 0, 0, 0});
    int x = bounds.left;
    size_t placed = 0;
    for (; placed < widths.size(); ++placed) {
        if (x + widths[placed] > bounds.right) break;
        rects[placed] = TRect{x, bounds.top, x + widths[placed], bounds.bottom};
        x += widths[placed] + ApplicationMenuButtonGap;
    }
    if (placed == 0) return rects;
    const int shift = bounds.right - rects[placed - 1].right;
    for (size_t i = 0; i < placed; ++i) OffsetRect(&rects[i], shift, 0);
    return rects;
}

// ---- Extra pane ----------------------------------------------------------------------------

void TdxBarExtraPaneItem::Assign(TPersistent* source) {
    if (auto* other = As<TdxBarExtraPaneItem>(source)) {
        Data = other->Data;
        SetDisplayText(other->displayText_);
        imageIndex_ = other->imageIndex_;
        SetText(other->text_);
    } else {
        TCollectionItem::Assign(source);
    }
}

void TdxBarExtraPaneItem::SetText(const String& value) {
    if (text_ == value) return;
    text_ = value;
    Changed(false);
}

void TdxBarExtraPaneItem::SetDisplayText(const String& value) {
    if (displayText_ == value) return;
    displayText_ = value;
    Changed(false);
}

TdxBarApplicationMenuExtraPane::TdxBarApplicationMenuExtraPane(TdxBarCustomApplicationMenu* owner)
    : owner_(owner), items_(new TdxBarExtraPaneItems(owner)), header_(DefaultExtraPaneHeader) {}

TdxBarApplicationMenuExtraPane::~TdxBarApplicationMenuExtraPane() { delete items_; }

TPersistent* TdxBarApplicationMenuExtraPane::GetOwner() const { return owner_; }

void TdxBarApplicationMenuExtraPane::Assign(TPersistent* source) {
    if (auto* other = As<TdxBarApplicationMenuExtraPane>(source)) {
        widthRatio_ = other->widthRatio_;
        size_ = other->size_;
        items_->Assign(other->items_);
        header_ = other->header_;
        OnItemClick = other->OnItemClick;
    } else {
        TPersistent::Assign(source);
    }
}

void TdxBarApplicationMenuExtraPane::SetSize(int value) {
    if (value >= 0) size_ = value;
}

void TdxBarApplicationMenuExtraPane::SetWidthRatio(double value) {
    if (value >= 0) widthRatio_ = value;
}

bool TdxBarApplicationMenuExtraPane::IsHeaderStored() const { return header_ != DefaultExtraPaneHeader; }

void TdxBarApplicationMenuExtraPane::ItemClicked(int index) {
    if (OnItemClick) OnItemClick(owner_, index);
}

String TdxBarApplicationMenuExtraPane::GetItemDisplayText(int index) {
    String text = index >= 0 && index < items_->Count() ? items_->Items(index)->DisplayText() : String();
    if (OnGetItemDisplayText) OnGetItemDisplayText(owner_, index, text);
    return text;
}

// ---- Bottom buttons ------------------------------------------------------------------------

TdxBarApplicationMenuButton::TdxBarApplicationMenuButton(TCollection* collection) : TCollectionItem(collection) {
    TdxBarCustomApplicationMenu* menu = ApplicationMenu();
    TdxBarManager* manager = menu ? menu->BarManager() : nullptr;
    if (manager) {
        // Owned by the manager like every item, but kept out of its item list.
        internalItem_ = new TdxBarApplicationMenuButtonItem(manager);
        manager->ItemList()->Remove(internalItem_);
        internalItemLink_ = CreateObjectLink(internalItem_);
        internalItem_->OnClick = MakeEvent(this, &TdxBarApplicationMenuButton::InternalItemClick);
        internalItem_->SetVisible(ivNever);
    }
    notifyList_.OnComponentListChanged = MakeEvent(this, &TdxBarApplicationMenuButton::ItemListChanged);
}

TdxBarApplicationMenuButton::~TdxBarApplicationMenuButton() {
    notifyList_.OnComponentListChanged = nullptr;
    notifyList_.Clear();
    if (TdxBarApplicationMenuButtonItem* item = InternalItem()) FreeObject(item);
    if (internalItemLink_) DestroyObjectLink(internalItemLink_);
}

TdxBarCustomApplicationMenu* TdxBarApplicationMenuButton::ApplicationMenu() const {
    return Collection() ? As<TdxBarCustomApplicationMenu>(Collection()->GetOwner()) : nullptr;
}

TdxBarApplicationMenuButtonItem* TdxBarApplicationMenuButton::InternalItem() const {
    return internalItemLink_ && internalItemLink_->Ref ? internalItem_ : nullptr;
}

void TdxBarApplicationMenuButton::Assign(TPersistent* source) {
    if (auto* other = As<TdxBarApplicationMenuButton>(source)) {
        SetWidth(other->Width());
        SetItem(other->item_);
    } else {
        TCollectionItem::Assign(source);
    }
}

int TdxBarApplicationMenuButton::Width() const {
    TdxBarApplicationMenuButtonItem* item = InternalItem();
    return item ? item->GetWidth() : 0;
}

void TdxBarApplicationMenuButton::SetWidth(int value) {
    if (TdxBarApplicationMenuButtonItem* item = InternalItem()) item->SetWidth(value);
}

void TdxBarApplicationMenuButton::SetItem(TdxBarButton* value) {
    if (item_ == value) return;
    // One change is reported for the move, at the end.
    notifyList_.LockChanges();
    try {
        if (item_) notifyList_.Remove(item_);
        item_ = value;
        if (item_) notifyList_.Add(item_);
    } catch (...) {
        notifyList_.UnlockChanges();
        throw;
    }
    notifyList_.UnlockChanges();
}

void TdxBarApplicationMenuButton::ItemListChanged(TObject* /*sender*/, TComponent* component,
                                                  TcxComponentCollectionNotification action) {
    // The bound button is going: the button shows nothing from now on.
    if (action == itemRemoved && component && component == item_) item_ = nullptr;
    SyncInternalItem();
}

void TdxBarApplicationMenuButton::SyncInternalItem() {
    TdxBarApplicationMenuButtonItem* internal = InternalItem();
    if (!internal) return;
    if (item_) {
        internal->SetCaption(item_->GetCaption());
        internal->SetEnabled(item_->GetEnabled());
        internal->SetGlyph(item_->Glyph());
        internal->SetHint(item_->Hint());
        internal->SetImageIndex(item_->ImageIndex());
        internal->SetVisible(item_->Visible());
    } else {
        internal->SetCaption(L"");
        internal->SetEnabled(true);
        internal->Glyph()->Assign(nullptr);
        internal->SetHint(L"");
        internal->SetImageIndex(-1);
        internal->SetVisible(ivNever);
    }
}

void TdxBarApplicationMenuButton::InternalItemClick(TObject* /*sender*/) {
    if (item_ && item_->OnClick) item_->OnClick(this);
}

TdxBarApplicationMenuButtons::TdxBarApplicationMenuButtons(TdxBarCustomApplicationMenu* owner)
    : TOwnedCollection(owner, TdxBarApplicationMenuButton::StaticClass()) {}

// ---- The component -------------------------------------------------------------------------

TdxBarCustomApplicationMenu::TdxBarCustomApplicationMenu(TComponent* owner) : TdxBarPopupMenu(owner) {
    extraPane_ = new TdxBarApplicationMenuExtraPane(this);
    buttons_ = new TdxBarApplicationMenuButtons(this);
}

TdxBarCustomApplicationMenu::~TdxBarCustomApplicationMenu() {
    delete buttons_;
    delete extraPane_;
}
