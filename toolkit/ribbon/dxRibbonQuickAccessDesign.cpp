#include "dxRibbonQuickAccessDesign.h"

#include "dxRibbonQuickAccess.h"
#include "dxRibbonQuickAccessGroupButton.h"

const TdxAddGroupButtonEditor* TdxAddGroupButtonEditor::Instance() {
    static const TdxAddGroupButtonEditor editor;
    return &editor;
}

TClass TdxAddGroupButtonEditor::ItemClassForEntry(const String&) const {
    return TdxRibbonQuickAccessGroupButton::StaticClass();
}

String TdxAddGroupButtonEditor::EntryCaption() const { return L"Добавить кнопку группировки"; }

const TdxRibbonQuickAccessBarControlDesignHelper* TdxRibbonQuickAccessBarControlDesignHelper::Instance() {
    static const TdxRibbonQuickAccessBarControlDesignHelper helper;
    return &helper;
}

Word TdxRibbonQuickAccessBarControlDesignHelper::GetExcludedCommands() const {
    return Word(TdxBarControlDesignHelper::GetExcludedCommands() | dxBarCommandBit(dxBarCmdBeginGroup));
}

void TdxRibbonQuickAccessBarControlDesignHelper::GetEditors(std::vector<const TdxBarControlEditor*>& list) const {
    TdxBarControlDesignHelper::GetEditors(list);
    list.push_back(TdxAddGroupButtonEditor::Instance());
}

void RegisterRibbonQuickAccessDesignHelper() {
    if (TdxBarDesignController* controller = DesignControllerInstance())
        controller->RegisterBarControlDesignHelper(TdxRibbonQuickAccessBarControl::StaticClass(),
                                                   TdxRibbonQuickAccessBarControlDesignHelper::Instance());
}

void UnregisterRibbonQuickAccessDesignHelper() {
    if (TdxBarDesignController* controller = ExistingDesignController())
        controller->UnregisterBarControlDesignHelper(TdxRibbonQuickAccessBarControl::StaticClass(),
                                                     TdxRibbonQuickAccessBarControlDesignHelper::Instance());
}
