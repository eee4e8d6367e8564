#pragma once
// The application menu's model: the component (a popup menu with an extra pane and a row of
// bottom buttons), its extra pane settings and entries, its bottom buttons bound to commands,
// and the geometry its window lays out (the width with the extra pane, the bottom buttons' row).
//
// Ownership: the menu owns its extra pane and its buttons; each button owns an internal item
// that shows it (kept out of the manager's item list, so that no customizing list offers it)
// and follows the command it is bound to.

#include <vector>

#include "Collection.h"
#include "Events.h"
#include "dxBarComponent.h"
#include "dxBarPopupMenu.h"

class TdxBarApplicationMenuButtonItem;
class TdxBarButton;
class TdxBarCustomApplicationMenu;
class TcxObjectLink;

// ---- Geometry ------------------------------------------------------------------------------

struct TdxBarApplicationMenuWidth {
    int width;          // the content width with the extra pane
    int extraPaneSize;  // the extra pane's part of it
};
// The content width of the menu: a command column of width 0 counts as 100; the extra pane is
// Size scaled by the text size against the painter's minimum item height, or WidthRatio times
// the column when Size is 0.
TdxBarApplicationMenuWidth CalcApplicationMenuWidth(int contentWidth, int paneSize, double widthRatio, int textSize,
                                                    int minItemHeight);
// The bottom buttons of the widths placed left to right 6 pixels apart inside the rectangle; the
// first that would pass its right edge is left out with all after it (an empty rectangle); the
// placed row then moves flush right.
std::vector<TRect> ArrangeApplicationMenuButtons(const std::vector<int>& widths, const TRect& bounds);

// ---- Extra pane ----------------------------------------------------------------------------

class TdxBarExtraPaneItem : public TCollectionItem {
    Z_CLASS(TdxBarExtraPaneItem, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"DisplayText", &TdxBarExtraPaneItem::DisplayText, &TdxBarExtraPaneItem::SetDisplayText);
        p.Property(L"ImageIndex", &TdxBarExtraPaneItem::ImageIndex, &TdxBarExtraPaneItem::SetImageIndex).Default(-1);
        p.Property(L"Text", &TdxBarExtraPaneItem::Text, &TdxBarExtraPaneItem::SetText);
    }

public:
    explicit TdxBarExtraPaneItem(TCollection* collection) : TCollectionItem(collection) {}
    void Assign(TPersistent* source) override;
    const String& Text() const { return text_; }
    void SetText(const String& value);
    const String& DisplayText() const { return displayText_; }
    void SetDisplayText(const String& value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value) { imageIndex_ = value; }
    NativeInt Data = 0;

private:
    String text_, displayText_;
    int imageIndex_ = -1;
};

class TdxBarExtraPaneItems : public TOwnedCollection {
    Z_CLASS(TdxBarExtraPaneItems, TOwnedCollection)
public:
    explicit TdxBarExtraPaneItems(TPersistent* owner) : TOwnedCollection(owner, TdxBarExtraPaneItem::StaticClass()) {}
    TdxBarExtraPaneItem* Add() { return static_cast<TdxBarExtraPaneItem*>(TCollection::Add()); }
    TdxBarExtraPaneItem* Items(int index) const { return static_cast<TdxBarExtraPaneItem*>(TCollection::Items(index)); }
};

using TdxBarExtraPaneNotifyEvent = TEvent<void(TObject* sender, int index)>;
using TdxBarExtraPaneGetDisplayTextEvent = TEvent<void(TObject* sender, int index, String& displayText)>;

class TdxBarApplicationMenuExtraPane : public TPersistent {
    Z_CLASS(TdxBarApplicationMenuExtraPane, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Header", &TdxBarApplicationMenuExtraPane::Header, &TdxBarApplicationMenuExtraPane::SetHeader)
            .Stored(&TdxBarApplicationMenuExtraPane::IsHeaderStored);
        p.Property(L"Items", &TdxBarApplicationMenuExtraPane::Items, &TdxBarApplicationMenuExtraPane::SetItems);
        p.Property(L"Size", &TdxBarApplicationMenuExtraPane::Size, &TdxBarApplicationMenuExtraPane::SetSize).Default(0);
        p.Event(L"OnItemClick", &TdxBarApplicationMenuExtraPane::OnItemClick);
        p.Event(L"OnGetItemDisplayText", &TdxBarApplicationMenuExtraPane::OnGetItemDisplayText);
    }

public:
    static constexpr double DefaultWidthRatio = 2.5;
    explicit TdxBarApplicationMenuExtraPane(TdxBarCustomApplicationMenu* owner);
    ~TdxBarApplicationMenuExtraPane() override;
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() const override;

    // 0: the width comes from WidthRatio; negative values are ignored.
    int Size() const { return size_; }
    void SetSize(int value);
    // Negative values are ignored; stored only when it differs from 2.5.
    double WidthRatio() const { return widthRatio_; }
    void SetWidthRatio(double value);
    bool IsWidthRatioStored() const { return widthRatio_ != DefaultWidthRatio; }
    TdxBarExtraPaneItems* Items() const { return items_; }
    void SetItems(TdxBarExtraPaneItems* value) { items_->Assign(value); }
    // The pane's list caption; stored only when it differs from "Recent Documents".
    const String& Header() const { return header_; }
    void SetHeader(const String& value) { header_ = value; }
    bool IsHeaderStored() const;
    TdxBarExtraPaneNotifyEvent OnItemClick;
    TdxBarExtraPaneGetDisplayTextEvent OnGetItemDisplayText;

    // What the pane's list does when an entry is clicked or shown (Sender is the menu).
    void ItemClicked(int index);
    String GetItemDisplayText(int index);

private:
    TdxBarCustomApplicationMenu* owner_;
    TdxBarExtraPaneItems* items_;
    int size_ = 0;
    double widthRatio_ = DefaultWidthRatio;
    String header_;
};

// ---- Bottom buttons ------------------------------------------------------------------------

class TdxBarApplicationMenuButton : public TCollectionItem {
    Z_CLASS(TdxBarApplicationMenuButton, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Item", &TdxBarApplicationMenuButton::Item, &TdxBarApplicationMenuButton::SetItem);
        p.Property(L"Width", &TdxBarApplicationMenuButton::Width, &TdxBarApplicationMenuButton::SetWidth).Default(0);
    }

public:
    explicit TdxBarApplicationMenuButton(TCollection* collection);
    ~TdxBarApplicationMenuButton() override;
    void Assign(TPersistent* source) override;

    // The command; its changes reach the internal item, its destruction unbinds it.
    TdxBarButton* Item() const { return item_; }
    void SetItem(TdxBarButton* value);
    int Width() const;
    void SetWidth(int value);
    // The item the menu shows for the button (nil once its manager freed it).
    TdxBarApplicationMenuButtonItem* InternalItem() const;
    TdxBarCustomApplicationMenu* ApplicationMenu() const;

private:
    void ItemListChanged(TObject* sender, TComponent* component, TcxComponentCollectionNotification action);
    void SyncInternalItem();
    void InternalItemClick(TObject* sender);

    TdxBarButton* item_ = nullptr;
    TdxBarApplicationMenuButtonItem* internalItem_ = nullptr;
    TcxObjectLink* internalItemLink_ = nullptr;
    TdxBarComponentList notifyList_;
};

class TdxBarApplicationMenuButtons : public TOwnedCollection {
    Z_CLASS(TdxBarApplicationMenuButtons, TOwnedCollection)
public:
    explicit TdxBarApplicationMenuButtons(TdxBarCustomApplicationMenu* owner);
    TdxBarApplicationMenuButton* Add() { return static_cast<TdxBarApplicationMenuButton*>(TCollection::Add()); }
    TdxBarApplicationMenuButton* Items(int index) const {
        return static_cast<TdxBarApplicationMenuButton*>(TCollection::Items(index));
    }
};

// ---- The component -------------------------------------------------------------------------

class TdxBarCustomApplicationMenu : public TdxBarPopupMenu {
    Z_CLASS(TdxBarCustomApplicationMenu, TdxBarPopupMenu)
public:
    explicit TdxBarCustomApplicationMenu(TComponent* owner);
    ~TdxBarCustomApplicationMenu() override;

    TdxBarApplicationMenuExtraPane* ExtraPane() const { return extraPane_; }
    void SetExtraPane(TdxBarApplicationMenuExtraPane* value) { extraPane_->Assign(value); }
    TdxBarApplicationMenuButtons* Buttons() const { return buttons_; }
    void SetButtons(TdxBarApplicationMenuButtons* value) { buttons_->Assign(value); }

private:
    TdxBarApplicationMenuExtraPane* extraPane_ = nullptr;
    TdxBarApplicationMenuButtons* buttons_ = nullptr;
};
