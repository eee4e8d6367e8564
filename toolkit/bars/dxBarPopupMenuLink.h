#pragma once
// Popup-menu links: they give ordinary controls of the manager's form a bar popup menu as their
// context menu. A link subclasses its control's window procedure; on WM_CONTEXTMENU it puts its
// own OnContextPopup handler in for the duration of the message (the control's own handler runs
// first and is put back afterwards, also when it raises), and shows the menu where the platform
// would have shown the control's own popup menu. The manager owns one collection of them.

#include "Collection.h"
#include "Control.h"
#include "ShortCuts.h"
#include "TypInfo.h"
#include "dxBarForward.h"
#include "dxBarPopupMenu.h"

class TdxBarPopupMenuLink;

using TdxBarPopupMenuLinkActionEvent =
    TEvent<void(TdxBarPopupMenuLink* Sender, int& X, int& Y, bool ClickedByMouse, bool& AllowPopup)>;

class TdxBarPopupMenuLink : public TCollectionItem {
    Z_CLASS(TdxBarPopupMenuLink, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"Control", &TdxBarPopupMenuLink::Control, &TdxBarPopupMenuLink::SetControl);
        p.Property(L"PopupMenu", &TdxBarPopupMenuLink::PopupMenu, &TdxBarPopupMenuLink::SetPopupMenu);
        p.Property(L"ProcessChildren", &TdxBarPopupMenuLink::ProcessChildren, &TdxBarPopupMenuLink::SetProcessChildren)
            .Default(true);
        p.Event(L"OnAction", &TdxBarPopupMenuLink::OnAction);
    }

public:
    explicit TdxBarPopupMenuLink(TCollection* collection) : TCollectionItem(collection) {}
    ~TdxBarPopupMenuLink() override;

    TdxBarManager* BarManager() const;
    TControl* Control() const { return control_; }
    // A control outside the manager's owner form is not linked (nil is stored).
    void SetControl(TControl* value);
    TdxBarPopupMenu* PopupMenu() const { return popupMenu_; }
    void SetPopupMenu(TdxBarPopupMenu* value);
    bool ProcessChildren() const { return processChildren_; }
    void SetProcessChildren(bool value) { processChildren_ = value; }
    TdxBarPopupMenuLinkActionEvent OnAction;

    // Asks OnAction (ClickedByMouse is false for the keyboard's point (-1, -1)) and shows the
    // menu at p, in the control's client coordinates; the answer is whether it may pop up.
    bool Popup(TPoint p);
    // Handles the shortcut through the menu's links, when OnAction allows the menu.
    bool ExecuteShortCut(TShortCut shortCut);
    void Assign(TPersistent* source) override;

private:
    void WindowProc(TMessage& message);
    void DoContextPopup(TObject* sender, TPoint mousePos, bool& handled);

    TControl* control_ = nullptr;
    TdxBarPopupMenu* popupMenu_ = nullptr;
    bool processChildren_ = true;
    TWndMethod previousWindowProc_;
    TContextPopupEvent previousContextPopup_;
};

class TdxBarPopupMenuLinks : public TCollection {
    Z_CLASS(TdxBarPopupMenuLinks, TCollection)
public:
    explicit TdxBarPopupMenuLinks(TdxBarManager* manager);
    ~TdxBarPopupMenuLinks() override;

    TdxBarManager* BarManager() const { return manager_; }
    TPersistent* GetOwner() const override;
    TdxBarPopupMenuLink* Add() { return static_cast<TdxBarPopupMenuLink*>(TCollection::Add()); }
    TdxBarPopupMenuLink* GetLink(int index) const { return static_cast<TdxBarPopupMenuLink*>(Items(index)); }
    // The focused control's shortcut: the links of the control first, then the links that
    // process children of a windowed control holding it, then the parent form's manager's.
    bool ExecuteShortCut(TControl* control, TShortCut shortCut);
    // A freed control or popup menu leaves the links.
    void ComponentRemoved(TComponent* component);

private:
    TdxBarManager* manager_;
};
