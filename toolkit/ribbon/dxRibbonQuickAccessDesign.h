#pragma once
// What the quick access toolbar's window offers at design time: its customizing popup has no
// begin-group command (the toolbar shows no separators) and one more add entry, the one that
// puts a group button on the toolbar.

#include "dxBarControlEditors.h"
#include "dxBarDesignController.h"

class TdxAddGroupButtonEditor : public TdxAddSubItemEditor {
public:
    static const TdxAddGroupButtonEditor* Instance();
    // A TdxRibbonQuickAccessGroupButton.
    TClass ItemClassForEntry(const String& addedItemName) const override;
    // "Добавить кнопку группировки".
    String EntryCaption() const override;
};

class TdxRibbonQuickAccessBarControlDesignHelper : public TdxBarControlDesignHelper {
public:
    static const TdxRibbonQuickAccessBarControlDesignHelper* Instance();
    // A toolbar window's exclusions and the begin-group command.
    Word GetExcludedCommands() const override;
    // The registered editors, then the group button's.
    void GetEditors(std::vector<const TdxBarControlEditor*>& list) const override;
};

// The ribbon unit's start and end: the quick access window's design helper with the design
// controller.
void RegisterRibbonQuickAccessDesignHelper();
void UnregisterRibbonQuickAccessDesignHelper();
