#pragma once
// Menus over the system's menus: TMenuItem (one command or a sub-menu), TMenu (a tree of items
// with an image list), TMainMenu (a form's menu bar) and TPopupMenu (a context or drop-down
// menu shown at a screen point).
//
// Sections: TMenuItem; TMenu; TMainMenu; TPopupMenu.
//
// The items are components of the form, like any other; the menu holds them as the children of
// its root item (Items()), and a form description writes each item inside its parent. The
// system menu is built from the items when it is needed (a popup menu at every Popup, a main
// menu whenever an item changes) and each item carries a command number by which the system's
// WM_COMMAND finds it back. A chosen command is posted: the item's OnClick runs from the message
// loop after the menu has closed.

#include <vector>

#include "ImageList.h"
#include "Messages.h"
#include "ShortCuts.h"

class TMenu;

// ---- TMenuItem ----

class TMenuItem : public TComponent {
    Z_CLASS(TMenuItem, TComponent)
    Z_PUBLISHED {
        p.Property(L"Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
        p.Property(L"Checked", &TMenuItem::Checked, &TMenuItem::SetChecked).Default(false);
        p.Property(L"Default", &TMenuItem::Default, &TMenuItem::SetDefault).Default(false);
        p.Property(L"Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled).Default(true);
        p.Property(L"GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex).Default(0);
        p.Property(L"Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
        p.Property(L"ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex).Default(-1);
        p.Property(L"RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem).Default(false);
        p.Property(L"ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut).Default(scNone);
        p.Property(L"Visible", &TMenuItem::Visible, &TMenuItem::SetVisible).Default(true);
        p.Event(L"OnClick", &TMenuItem::OnClick);
    }

public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override;
    // Leaves the parent item and frees the sub-items.
    void BeforeDestruction() override;

    // "-" makes the item a separator line.
    const String& Caption() const { return caption_; }
    void SetCaption(const String& v);
    bool IsLine() const { return caption_ == L"-"; }
    // Setting a radio item checked unchecks the other radio items of its group (same GroupIndex,
    // same parent).
    bool Checked() const { return checked_; }
    void SetChecked(bool v);
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool v);
    Byte GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(Byte v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    // The item drawn in bold that a double click on the menu's owner would choose.
    bool Default() const { return default_; }
    void SetDefault(bool v);
    const String& Hint() const { return hint_; }
    void SetHint(const String& v) { hint_ = v; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut v);
    // An image of the menu's Images, drawn beside the caption; -1 for none.
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int v);

    // -- sub-items --
    int Count() const { return int(items_.size()); }
    TMenuItem* Items(int index) const;  // raises EMenuError outside 0..Count-1
    TMenuItem* Parent() const { return parent_; }
    void Add(TMenuItem* item);
    // Raises EMenuError when the item already has a parent or would contain itself.
    void Insert(int index, TMenuItem* item);
    // Takes the item out of this one without freeing it.
    void Remove(TMenuItem* item);
    // Frees the sub-item at index.
    void Delete(int index);
    // Frees every sub-item.
    void Clear();
    int IndexOf(const TMenuItem* item) const;
    int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
    void SetMenuIndex(int index);
    // The menu whose tree the item is in, or null.
    TMenu* GetParentMenu() const;
    // The number by which the system's menu reports this item (WM_COMMAND, WM_MENUSELECT).
    Word Command() const { return command_; }
    // The first item of this one's tree (this one included) with the command number.
    TMenuItem* FindCommand(Word command);
    // The first item of this one's sub-tree with the shortcut, or null.
    TMenuItem* FindShortCut(TShortCut shortCut);

    // Runs OnClick when the item and its parents are enabled.
    virtual void Click();

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* Value) override;
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;

    TNotifyEvent OnClick;

protected:
    // Tells the menu that its system menu must be built again.
    void MenuChanged();

private:
    friend class TMenu;
    bool IsEnabledWithParents() const;
    void UncheckRadioSiblings();

    String caption_;
    String hint_;
    bool checked_ = false, radioItem_ = false, enabled_ = true, visible_ = true, default_ = false;
    Byte groupIndex_ = 0;
    TShortCut shortCut_ = scNone;
    int imageIndex_ = -1;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr;  // set on the root item of a menu
    std::vector<TMenuItem*> items_;
    Word command_;
};

Z_EXCEPTION(EMenuError, Exception)

// ---- TMenu ----

class TMenu : public TComponent {
    Z_CLASS(TMenu, TComponent)
    Z_PUBLISHED { p.Property(L"Images", &TMenu::Images, &TMenu::SetImages); }

public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;
    void BeforeDestruction() override;

    // The root item; its sub-items are the menu's top level.
    TMenuItem* Items() const { return items_; }
    TCustomImageList* Images() const { return images_; }
    void SetImages(TCustomImageList* v);
    // The system menu, built from the items when it does not exist.
    HMENU Handle();
    // The window that receives the menu's commands (the form of a main menu, the library's popup
    // window for a popup menu); null while there is none.
    virtual HWND WindowHandle() const = 0;

    // When the key message (WM_KEYDOWN or WM_SYSKEYDOWN, or their CN_ forms) is the shortcut of
    // a visible item whose item and parents are enabled, clicks that item and answers true.
    virtual bool IsShortCut(const TMessage& keyMessage);
    // Clicks the item with the command number; false when the menu has none.
    bool DispatchCommand(Word command);
    // Answers WM_MEASUREITEM and WM_DRAWITEM of an item's image; false for other items.
    bool HandleOwnerDrawMessage(TMessage& message);
    // Application->Hint becomes the hint of the item that WM_MENUSELECT names.
    void HandleMenuSelect(const TMessage& message);

    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent* Child, int Order) override;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // An item of the tree changed; the base drops the system menu.
    virtual void MenuChanged();
    // A new, empty system menu for the top level.
    virtual HMENU CreateMenuHandle() { return CreatePopupMenu(); }
    void DestroyMenuHandle();

private:
    friend class TMenuItem;
    void FillMenu(HMENU menu, TMenuItem* parent);

    TMenuItem* items_;
    TCustomImageList* images_ = nullptr;
    HMENU handle_ = nullptr;
};

// ---- TMainMenu ----

class TCustomForm;

// The menu bar of a form (the form's Menu property).
class TMainMenu : public TMenu {
    Z_CLASS(TMainMenu, TMenu)
public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    // Takes the bar off its window first.
    void BeforeDestruction() override;
    HWND WindowHandle() const override { return window_; }
    // Internal: the form that shows the menu (null: none).
    void SetWindowHandle(HWND window);

protected:
    void MenuChanged() override;
    HMENU CreateMenuHandle() override { return CreateMenu(); }

private:
    HWND window_ = nullptr;
};

// ---- TPopupMenu ----

class TPopupMenu : public TMenu {
    Z_CLASS(TPopupMenu, TMenu)
    Z_PUBLISHED {
        p.Property(L"AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup).Default(true);
        p.Event(L"OnPopup", &TPopupMenu::OnPopup);
    }

public:
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // Fires OnPopup, then shows the menu with its top-left corner at the screen point and
    // returns when it closes; a chosen item's OnClick runs afterwards, from the message loop.
    virtual void Popup(int X, int Y);
    // Whether a control shows this menu by itself on a context-menu request.
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool v) { autoPopup_ = v; }
    // The component the menu was last shown for (a control sets itself before Popup).
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* v);
    // The point of the last Popup.
    TPoint PopupPoint() const { return popupPoint_; }
    HWND WindowHandle() const override;

    TNotifyEvent OnPopup;

protected:
    virtual void DoPopup() {
        if (OnPopup) OnPopup(this);
    }
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
    TPoint popupPoint_{};
};
