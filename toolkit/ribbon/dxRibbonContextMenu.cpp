// The ribbon's context menu and the ribbon's part of the bar manager's stored layout.
//
// Sections: the menu's target · filling the menu · the ribbon's commands · the quick access
// toolbar's side · showing the ribbon's menu · stored layout.

#include "dxRibbonContextMenu.h"

#include "ComponentList.h"
#include "Format.h"
#include "IniFiles.h"
#include "SysUtils.h"
#include "cxObjectLinks.h"
#include "cxWindowHelpers.h"
#include "dxBar.h"
#include "dxBarButton.h"
#include "dxBarItemLinks.h"
#include "dxBarLayoutStorage.h"
#include "dxBarManager.h"
#include "dxCore.h"
#include "dxCustomBarControl.h"
#include "dxRibbon.h"
#include "dxRibbonBarPainter.h"
#include "dxRibbonOptions.h"
#include "dxRibbonPopupMenu.h"
#include "dxRibbonQuickAccessGroupButton.h"
#include "dxRibbonViewInfo.h"

namespace {

const wchar_t* const MoreCommandsCaption = L"Все команды...";
const wchar_t* const QATBelowCaption = L"Панель быстрого доступа ниже панели инструментов";
const wchar_t* const QATAboveCaption = L"Панель быстрого доступа вверху панели инструментов";
const wchar_t* const QATRemoveCaption = L"Удалить на панели быстрого доступа";
const wchar_t* const QATAddCaption = L"Добавить в панель быстрого доступа";
const wchar_t* const QATAddNamedCaption = L"Добавить %s в панель быстрого доступа";
const wchar_t* const MinimizeCaption = L"Mi&nimize the Ribbon";

// ---- the menu's target ---------------------------------------------------------------------

TdxBarItemLink* targetLink = nullptr;
TcxObjectLink* targetBarControl = nullptr;  // weak: a bar window that goes is forgotten

// The toolbar a bar window shows: a group window and a collapsed group's popup both show the
// group toolbar's links.
TdxBar* BarOfBarControl(TCustomdxBarControl* barControl) {
    if (!barControl || !barControl->ItemLinks()) return nullptr;
    return As<TdxBar>(barControl->ItemLinks()->GetOwnerObject());
}

}  // namespace

void SetRibbonMenuTarget(TdxBarItemLink* link, TCustomdxBarControl* barControl) {
    targetLink = link;
    if (targetBarControl) DestroyObjectLink(targetBarControl);
    targetBarControl = barControl ? CreateObjectLink(barControl) : nullptr;
}

TdxBarItemLink* RibbonMenuTargetLink() { return targetLink; }

TCustomdxBarControl* RibbonMenuTargetBarControl() {
    return targetBarControl ? static_cast<TCustomdxBarControl*>(targetBarControl->Ref) : nullptr;
}

// ---- filling the menu ----------------------------------------------------------------------

namespace {

TdxBarButton* MakeMenuButton(TdxCustomRibbon* ribbon, TdxBarItemLinks* links, const String& caption, bool beginGroup,
                             int command, TCustomdxBarControl* barControl, const TNotifyEvent& onClick) {
    TdxBarManager* manager = ribbon->BarManager();
    auto* button = new TdxBarButton(manager);
    // An internal item: no customizing list offers it, and the ribbon frees it.
    manager->ItemList()->Remove(button);
    ribbon->PopupMenuButtons()->Add(button);
    button->SetCaption(caption);
    button->OnClick = onClick;
    button->SetTag(command);
    button->UserData = barControl;
    links->AddItem(button)->SetBeginGroup(beginGroup);
    return button;
}

void AddQATAddRemoveButton(TdxCustomRibbon* ribbon, TdxBarItemLinks* links, const TNotifyEvent& onClick) {
    TdxRibbonQuickAccessToolbar* qat = ribbon->QuickAccessToolbar();
    TdxBarItemLink* link = RibbonMenuTargetLink();
    if (link && qat->ContainsLink(link)) {
        MakeMenuButton(ribbon, links, QATRemoveCaption, false, dxRibbonMenuCommandQATAddRemove, nullptr, onClick);
        return;
    }
    String caption = QATAddCaption;
    if (link && link->Item()) {
        const String hint = link->Item()->GetNewItemHint();
        if (!hint.empty()) caption = Format(QATAddNamedCaption, {hint});
    }
    TCustomdxBarControl* barControl = RibbonMenuTargetBarControl();
    TdxBarButton* button =
        MakeMenuButton(ribbon, links, caption, false, dxRibbonMenuCommandQATAddRemove, barControl, onClick);
    bool enabled;
    if (!link) {
        // A group was clicked. Without a group there is nothing to add (the button stays disabled).
        TdxBar* group = BarOfBarControl(barControl);
        enabled = group && !qat->HasGroupButtonFor(group);
    } else {
        enabled = qat->IsShown();
        TdxBarItemLinks* qatLinks = qat->Toolbar() ? qat->Toolbar()->ItemLinks() : nullptr;
        for (int i = 0; enabled && qatLinks && i < qatLinks->Count(); ++i)
            if (qatLinks->GetLink(i)->Item() == link->Item()) enabled = false;
    }
    button->SetEnabled(enabled);
}

}  // namespace

void FillRibbonPopupMenu(TdxCustomRibbon* ribbon, TdxBarItemLinks* links, TdxRibbonPopupMenuItems items,
                         const TNotifyEvent& onClick) {
    ribbon->PopupMenuButtons()->Clear();
    if (!items.Contains(rpmiItems)) links->Clear();
    if (!ribbon->HasBarManager()) return;
    if (items.Contains(rpmiQATAddRemoveItem)) AddQATAddRemoveButton(ribbon, links, onClick);
    bool beginGroup = links->Count() > 0;
    if (items.Contains(rpmiMoreCommands)) {
        MakeMenuButton(ribbon, links, MoreCommandsCaption, beginGroup, dxRibbonMenuCommandMoreCommands, nullptr,
                       onClick);
        beginGroup = false;
    }
    if (items.Contains(rpmiQATPosition)) {
        const bool above = ribbon->QuickAccessToolbar()->Position() == qtpAboveRibbon;
        MakeMenuButton(ribbon, links, above ? QATBelowCaption : QATAboveCaption, beginGroup,
                       dxRibbonMenuCommandQATPosition, nullptr, onClick);
    }
    if (items.Contains(rpmiMinimizeRibbon)) {
        TdxBarButton* button =
            MakeMenuButton(ribbon, links, MinimizeCaption, true, dxRibbonMenuCommandMinimize, nullptr, onClick);
        if (!ribbon->ShowTabGroups()) {
            button->SetButtonStyle(bsChecked);
            button->SetDown(true);
        }
        button->SetEnabled(ribbon->ViewInfo()->AreTabHeadersShown() && ribbon->VisibleTabCount() > 0);
    }
}

// ---- the ribbon's commands -----------------------------------------------------------------

void TdxCustomRibbon::SetPopupMenuItems(TdxRibbonPopupMenuItems value) {
    if (popupMenuItems_ == value) return;
    popupMenuItems_ = value;
    Changed();
}

TdxRibbonPopupMenuItems TdxCustomRibbon::GetEffectivePopupMenuItems() const {
    if (quickAccessToolbar_->IsShown()) return popupMenuItems_;
    return popupMenuItems_ - TdxRibbonPopupMenuItems{rpmiQATPosition, rpmiQATAddRemoveItem};
}

void TdxCustomRibbon::DoMoreCommandsExecute() {
    // Without a handler the bar manager's customizing would start; until the manager offers it,
    // the command does nothing then.
    if (OnMoreCommandsExecute) OnMoreCommandsExecute(this);
}

void TdxCustomRibbon::RibbonMenuCommand(TObject* sender) {
    auto* button = As<TdxBarItem>(sender);
    if (!button) return;
    TdxRibbonQuickAccessToolbar* qat = quickAccessToolbar_;
    switch (button->Tag()) {
        case dxRibbonMenuCommandMoreCommands:
            DoMoreCommandsExecute();
            break;
        case dxRibbonMenuCommandQATPosition:
            qat->SetPosition(qat->Position() == qtpAboveRibbon ? qtpBelowRibbon : qtpAboveRibbon);
            break;
        case dxRibbonMenuCommandQATAddRemove: {
            TdxBarItemLink* link = RibbonMenuTargetLink();
            if (link && qat->ContainsLink(link)) {
                // The link goes: the target must not name it any more.
                targetLink = nullptr;
                if (Is<TdxRibbonQuickAccessGroupButton>(link->Item()))
                    FreeObject(link->Item());
                else
                    delete link->GetSourceLink();  // a copy's own link goes with the one it was made from
            } else if (link) {
                if (qat->Toolbar() && link->Item()) qat->Toolbar()->ItemLinks()->Add()->SetItem(link->Item());
            } else {
                AddQATGroupButton(BarOfBarControl(RibbonMenuTargetBarControl()));
            }
            break;
        }
        case dxRibbonMenuCommandMinimize:
            SetShowTabGroups(!ShowTabGroups());
            break;
        default:
            break;
    }
}

TdxRibbonQuickAccessGroupButton* TdxCustomRibbon::AddQATGroupButton(TdxBar* bar) {
    TdxBar* toolbar = quickAccessToolbar_->Toolbar();
    if (!bar || !toolbar || !HasBarManager()) return nullptr;
    TdxBarItemLinks* links = toolbar->ItemLinks();
    TdxBarItemLink* link = nullptr;
    try {
        link = links->AddNewItem(TdxRibbonQuickAccessGroupButton::StaticClass());
    } catch (const EdxException&) {
        // The toolbar takes no group button at all (its window is no quick access window):
        // the new link and item are gone again, and nothing is added.
        return nullptr;
    }
    auto* button = link ? As<TdxRibbonQuickAccessGroupButton>(link->Item()) : nullptr;
    if (!button) return nullptr;
    if (CanPlaceGroupButton(button, bar)) {
        button->SetToolbar(bar);
        try {
            button->SetName(L"QAT" + bar->Name());
        } catch (const Exception&) {
            // The name is taken: the button works unnamed.
        }
        return button;
    }
    // Refused: the new button goes with its link, so no stray item stays in the manager.
    FreeObject(button);
    return nullptr;
}

TdxRibbonBarPainter* TdxCustomRibbon::BarPainter() {
    if (!barPainter_) barPainter_ = std::make_unique<TdxRibbonBarPainter>(this);
    return barPainter_.get();
}

// ---- the quick access toolbar's side -------------------------------------------------------

TdxRibbonPopupMenuItems TdxRibbonQuickAccessToolbar::GetPopupMenuItems() const {
    return ribbon_->GetEffectivePopupMenuItems() - rpmiQATAddRemoveItem;
}

void TdxRibbonQuickAccessToolbar::FillPopupMenu(TdxBarItemLinks* links) {
    FillRibbonPopupMenu(ribbon_, links, GetPopupMenuItems(), MakeEvent(ribbon_, &TdxCustomRibbon::RibbonMenuCommand));
}

bool TdxRibbonQuickAccessToolbar::ContainsLink(TdxBarItemLink* link) const {
    if (!link || !toolbar_) return false;
    TdxBarItemLinks* links = toolbar_->ItemLinks();
    return links->IndexOfLink(link) >= 0 || links->IndexOfLink(link->GetSourceLink()) >= 0;
}

bool TdxRibbonQuickAccessToolbar::HasGroupButtonFor(TdxBar* bar) const {
    if (!bar || !toolbar_) return false;
    TdxBarItemLinks* links = toolbar_->ItemLinks();
    for (int i = 0; i < links->Count(); ++i) {
        auto* button = As<TdxRibbonQuickAccessGroupButton>(links->GetLink(i)->Item());
        if (button && button->Toolbar() == bar) return true;
    }
    return false;
}

// ---- showing the ribbon's menu -------------------------------------------------------------

void TdxCustomRibbon::FillRibbonContextMenu(TdxBarItemLinks* links) {
    FillRibbonPopupMenu(this, links, GetEffectivePopupMenuItems() - TdxRibbonPopupMenuItems{rpmiItems, rpmiQATAddRemoveItem},
                        MakeEvent(this, &TdxCustomRibbon::RibbonMenuCommand));
}

void TdxCustomRibbon::ShowRibbonContextMenu() {
    if (!HasBarManager()) return;
    if (!contextMenu_) {
        contextMenu_ = new TdxRibbonPopupMenu(this);
        contextMenu_->SetRibbon(this);
    }
    if (contextMenu_->IsPopupVisible()) return;
    SetRibbonMenuTarget(nullptr, nullptr);
    FillRibbonContextMenu(contextMenu_->ItemLinks());
    if (contextMenu_->ItemLinks()->Count() == 0) return;  // an empty menu is not shown
    const TPoint p = QueryCursorPos();
    // The menu runs with the application's message loop: the press that opened it returns at once.
    contextMenu_->PopupForOwner(p.x, p.y, 0, 0, true, nullptr, false, nullptr);
}

// ---- stored layout -------------------------------------------------------------------------

namespace {

String LinkSectionName(const String& barSection, Byte storingKind, int index) {
    return barSection + SectionDelimiterOf(storingKind) + L"ItemLink" + IntToStr(index);
}

}  // namespace

String TdxCustomRibbon::RibbonSectionName(const String& baseSection) const {
    String name = Name();
    for (TComponent* owner = Owner(); owner && !owner->Name().empty(); owner = owner->Owner())
        name = owner->Name() + L"_" + name;
    return baseSection + name;
}

void TdxCustomRibbon::RegisterLayoutHandlers(bool add) {
    const TcxEventHandler read = MakeEvent(this, &TdxCustomRibbon::ReadLayout);
    const TcxEventHandler write = MakeEvent(this, &TdxCustomRibbon::WriteLayout);
    if (add) {
        barManager_->ReadIniFileHandlers()->AddHandler(read);
        barManager_->WriteIniFileHandlers()->AddHandler(write);
    } else {
        barManager_->ReadIniFileHandlers()->RemoveHandler(read);
        barManager_->WriteIniFileHandlers()->RemoveHandler(write);
    }
}

void TdxCustomRibbon::WriteLayout(TObject* /*sender*/, const void* eventData) {
    const auto* data = static_cast<const TdxBarIniFileEventData*>(eventData);
    if (!data || !data->IniFile || !HasBarManager()) return;
    TCustomIniFile* ini = data->IniFile;
    const String section = RibbonSectionName(data->SectionPrefix);
    ini->WriteInteger(section, L"QuickAccessToolbarPosition", Integer(quickAccessToolbar_->Position()));
    ini->WriteBool(section, L"ShowTabGroups", ShowTabGroups());
    TdxBar* toolbar = quickAccessToolbar_->Toolbar();
    if (!toolbar) return;
    const String barSection = TdxBarManager::MakeBarSectionName(data->SectionPrefix, toolbar->IndexInCollection());
    TdxBarItemLinks* links = toolbar->ItemLinks();
    // The manager numbered only the links of named items: the group button's key goes into the
    // section the manager wrote for its link.
    int stored = 0;
    for (int i = 0; i < links->Count(); ++i) {
        TdxBarItem* item = links->GetLink(i)->Item();
        if (!item || item->Name().empty()) continue;
        if (auto* button = As<TdxRibbonQuickAccessGroupButton>(item))
            if (button->Toolbar())
                ini->WriteString(LinkSectionName(barSection, data->StoringKind, stored), L"ToolbarName",
                                 button->Toolbar()->Name());
        ++stored;
    }
}

void TdxCustomRibbon::ReadLayout(TObject* /*sender*/, const void* eventData) {
    const auto* data = static_cast<const TdxBarIniFileEventData*>(eventData);
    if (!data || !data->IniFile || !HasBarManager()) return;
    TCustomIniFile* ini = data->IniFile;
    const String section = RibbonSectionName(data->SectionPrefix);
    if (ini->SectionExists(section)) {
        quickAccessToolbar_->SetPosition(
            TdxBarLayoutStorage::ReadEnum(ini, section, L"QuickAccessToolbarPosition", qtpAboveRibbon));
        SetShowTabGroups(ini->ReadBool(section, L"ShowTabGroups", true));
    }
    TdxBar* toolbar = quickAccessToolbar_->Toolbar();
    if (!toolbar) return;
    const String barSection = TdxBarManager::MakeBarSectionName(data->SectionPrefix, toolbar->IndexInCollection());
    const Integer count = ini->ReadInteger(barSection, L"ItemLinkCount", 0);
    TdxBarItemLinks* links = toolbar->ItemLinks();
    for (Integer i = 0; i < count; ++i) {
        const String linkSection = LinkSectionName(barSection, data->StoringKind, int(i));
        // Every counted link has its section: a count beyond them is not believed.
        if (!ini->SectionExists(linkSection)) break;
        const String name = ini->ReadString(linkSection, L"ToolbarName", String());
        if (name.empty()) continue;
        TdxBar* bar = barManager_->FindBarByName(name);
        if (!bar || !AddQATGroupButton(bar)) continue;
        if (i < links->Count() - 1) links->MoveLink(links->Count() - 1, int(i));
    }
}
