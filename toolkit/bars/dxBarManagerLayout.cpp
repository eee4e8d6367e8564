// TdxBarManager: saving and loading the layout, the start-up snapshot and the resets from it.

#include <algorithm>

#include "CallbackBarrier.h"
#include "Form.h"
#include "Registry.h"
#include "SysUtils.h"
#include "dxBar.h"
#include "dxBarLayoutStorage.h"
#include "dxBarManager.h"
#include "dxBarStrs.h"
#include "dxBarSubItem.h"
#include "dxBarWindowHelpers.h"

namespace {

constexpr int dxBarLayoutVersion = 42;

String ItemsSectionName(const String& prefix) { return prefix + L"Items"; }

String SubItemSectionName(const String& prefix, const TdxBarItem* item) { return prefix + L"SubItem_" + item->Name(); }

// Takes a manager's update lock for a scope.
class TLayoutUpdateLock {
public:
    explicit TLayoutUpdateLock(TdxBarManager* manager) : manager_(manager) { manager_->LockUpdate(); }
    ~TLayoutUpdateLock() { manager_->UnlockUpdate(); }
    TLayoutUpdateLock(const TLayoutUpdateLock&) = delete;
    TLayoutUpdateLock& operator=(const TLayoutUpdateLock&) = delete;

private:
    TdxBarManager* manager_;
};

}  // namespace

// ---- names --------------------------------------------------------------------------------

String TdxBarManager::MakeSectionPrefix() const {
    String prefix = Name() + L".";
    for (TComponent* owner = Owner(); owner && !owner->Name().empty(); owner = owner->Owner()) {
        prefix = owner->Name() + L"." + prefix;
        if (Is<TCustomForm>(owner)) break;
    }
    return prefix;
}

String TdxBarManager::MakeMainSectionName(const String& prefix, Byte storingKind) {
    return storingKind == dxBarStoringKindRegistry ? prefix : prefix + L"Main";
}

String TdxBarManager::MakeBarSectionName(const String& prefix, int index) { return prefix + L"Bar" + IntToStr(index); }

void TdxBarManager::EraseLayoutSections(TCustomIniFile* iniFile, const String& prefix, Byte storingKind) {
    TStringList sections;
    iniFile->ReadSections(&sections);
    for (int i = 0; i < sections.Count(); ++i)
        if (sections[i].size() >= prefix.size() && sections[i].compare(0, prefix.size(), prefix) == 0)
            iniFile->EraseSection(sections[i]);
    if (storingKind == dxBarStoringKindRegistry) iniFile->EraseSection(prefix);
}

void TdxBarManager::FireIniFileEvents(TcxEventHandlerCollection* handlers, TCustomIniFile* iniFile,
                                      const String& prefix, Byte storingKind) {
    TdxBarIniFileEventData data{iniFile, storingKind, prefix, SectionDelimiterOf(storingKind)};
    handlers->CallHandlers(this, &data);
}

// ---- saving and loading -------------------------------------------------------------------

void TdxBarManager::SaveLayout(TCustomIniFile* iniFile, const String& prefix, Byte storingKind) {
    EraseLayoutSections(iniFile, prefix, storingKind);
    String main = MakeMainSectionName(prefix, storingKind);
    iniFile->WriteInteger(main, L"Version", dxBarLayoutVersion);
    if (IsNotStandardStyle()) {
        iniFile->WriteBool(main, L"MenusShowRecentItemsFirst", MenusShowRecentItemsFirst());
        iniFile->WriteBool(main, L"ShowFullMenusAfterDelay", ShowFullMenusAfterDelay());
    }
    iniFile->WriteBool(main, L"LargeIcons", LargeIcons());
    iniFile->WriteInteger(main, L"MenuAnimations", MenuAnimations());
    iniFile->WriteBool(main, L"ShowHint", ShowHint());
    iniFile->WriteBool(main, L"ShowShortCutInHint", ShowShortCutInHint());
    iniFile->WriteInteger(main, L"BarCount", bars_->Count());

    String items = ItemsSectionName(prefix);
    iniFile->WriteInteger(items, L"ItemCount", GetItemCount());
    for (int i = 0; i < GetItemCount(); ++i)
        if (!GetItemByIndex(i)->Name().empty()) iniFile->WriteBool(items, GetItemByIndex(i)->Name(), true);

    for (int i = 0; i < bars_->Count(); ++i)
        TdxBarLayoutStorage::SaveBar(bars_->Items(i), iniFile, MakeBarSectionName(prefix, i), storingKind);
    for (int i = 0; i < GetItemCount(); ++i) GetItemByIndex(i)->SaveToIni(iniFile, prefix, storingKind);
    FireIniFileEvents(writeIniFileHandlers_, iniFile, prefix, storingKind);
}

void TdxBarManager::LoadLayout(TCustomIniFile* iniFile, const String& prefix, Byte storingKind) {
    TLayoutUpdateLock lock(this);
    String main = MakeMainSectionName(prefix, storingKind);
    using S = TdxBarLayoutStorage;
    if (IsNotStandardStyle()) {
        SetMenusShowRecentItemsFirst(iniFile->ReadBool(main, L"MenusShowRecentItemsFirst", MenusShowRecentItemsFirst()));
        SetShowFullMenusAfterDelay(iniFile->ReadBool(main, L"ShowFullMenusAfterDelay", ShowFullMenusAfterDelay()));
    }
    SetLargeIcons(iniFile->ReadBool(main, L"LargeIcons", LargeIcons()));
    SetMenuAnimations(S::ReadEnum(iniFile, main, L"MenuAnimations", MenuAnimations()));
    SetShowHint(iniFile->ReadBool(main, L"ShowHint", ShowHint()));
    SetShowShortCutInHint(iniFile->ReadBool(main, L"ShowShortCutInHint", ShowShortCutInHint()));
    Integer barCount = iniFile->ReadInteger(main, L"BarCount", 0);

    String items = ItemsSectionName(prefix);
    newLayoutItems_.clear();
    if (iniFile->ReadInteger(items, L"ItemCount", -1) >= 0)
        for (int i = 0; i < GetItemCount(); ++i)
            if (!iniFile->ReadBool(items, GetItemByIndex(i)->Name(), false))
                newLayoutItems_.push_back(GetItemByIndex(i));
    try {
        if (barCount > 0) {
            for (int i = 0; i < bars_->Count(); ++i) {
                bars_->Items(i)->SetVisible(false);
                bars_->Items(i)->SetDockRow(nullptr);
            }
            // The count the store claims is believed only as far as its bar sections go.
            for (int i = 0; i < barCount && iniFile->SectionExists(MakeBarSectionName(prefix, i)); ++i) {
                TdxBar* bar = i < bars_->Count() ? bars_->Items(i) : bars_->Add();
                TdxBarLayoutStorage::LoadBar(bar, iniFile, MakeBarSectionName(prefix, i), storingKind, true);
            }
        }
        for (int i = 0; i < GetItemCount(); ++i) GetItemByIndex(i)->LoadFromIni(iniFile, prefix, storingKind);
    } catch (...) {
        newLayoutItems_.clear();
        throw;
    }
    newLayoutItems_.clear();
    FireIniFileEvents(readIniFileHandlers_, iniFile, prefix, storingKind);
}

bool TdxBarManager::IsNewLayoutItem(TdxBarItem* item) const {
    return std::find(newLayoutItems_.begin(), newLayoutItems_.end(), item) != newLayoutItems_.end();
}

void TdxBarManager::SaveToIniFile(const String& fileName) {
    if (fileName.empty()) return;
    TMemIniFile iniFile(fileName);
    SaveLayout(&iniFile, MakeSectionPrefix(), dxBarStoringKindIni);
    iniFile.UpdateFile();
}

void TdxBarManager::LoadFromIniFile(const String& fileName) {
    if (fileName.empty()) return;
    TMemIniFile iniFile(fileName);
    LoadLayout(&iniFile, MakeSectionPrefix(), dxBarStoringKindIni);
}

void TdxBarManager::SaveToRegistry(const String& path) {
    String prefix = NormalizeRegistryPath(path);
    if (prefix.empty()) return;
    TRegistryIniFile iniFile(prefix);
    SaveLayout(&iniFile, prefix, dxBarStoringKindRegistry);
}

void TdxBarManager::LoadFromRegistry(const String& path) {
    String prefix = NormalizeRegistryPath(path);
    if (prefix.empty()) return;
    TRegistryIniFile iniFile(prefix, KEY_READ);
    LoadLayout(&iniFile, prefix, dxBarStoringKindRegistry);
}

void TdxBarManager::Destroying() {
    if (!IsDestroying()) SaveLayoutOnOwnerDestroy();
    TComponent::Destroying();
}

void TdxBarManager::SaveLayoutOnOwnerDestroy() noexcept {
    if (!bars_ || IsBarManagerDesigning() || !Owner() || !Owner()->ComponentState().Contains(csDestroying)) return;
    try {
        if (storeInRegistry_) SaveToRegistry(registryPath_);
        if (storeInIniFile_) SaveToIniFile(iniFileName_);
    } catch (...) {
        HandleCallbackException(std::current_exception());
    }
}

// ---- the start-up snapshot and the resets -------------------------------------------------

void TdxBarManager::SaveStartupState() {
    if (IsBarManagerDesigning()) return;
    if (!startupState_) startupState_ = std::make_unique<TMemIniFile>(String());
    savingStartupState_ = true;
    try {
        SaveLayout(startupState_.get(), MakeSectionPrefix(), dxBarStoringKindIni);
    } catch (...) {
        savingStartupState_ = false;
        throw;
    }
    savingStartupState_ = false;
}

int TdxBarManager::FindSavedBarByCaption(const String& caption) const {
    if (!startupState_) return -1;
    String prefix = MakeSectionPrefix();
    Integer count = startupState_->ReadInteger(MakeMainSectionName(prefix, dxBarStoringKindIni), L"BarCount", 0);
    for (int i = 0; i < count; ++i) {
        String section = MakeBarSectionName(prefix, i);
        if (!startupState_->SectionExists(section)) break;
        if (startupState_->ReadString(section, L"Caption", String()) == caption) return i;
    }
    return -1;
}

namespace {

// The items of the links run their full reset from the snapshot.
void ResetLinkItems(TdxBarItemLinks* links, TCustomIniFile* iniFile, const String& prefix) {
    std::vector<TdxBarItem*> items;
    for (int i = 0; i < links->Count(); ++i)
        if (TdxBarItem* item = links->GetLink(i)->Item())
            if (std::find(items.begin(), items.end(), item) == items.end()) items.push_back(item);
    for (TdxBarItem* item : items) item->ResetLayoutFromIni(iniFile, prefix);
}

}  // namespace

void TdxBarManager::ResetBarFromStartupState(TdxBar* bar, bool keys) {
    int index = FindSavedBarByCaption(bar->Caption());
    if (index < 0) return;
    FireBarBeforeReset(bar);
    {
        TLayoutUpdateLock lock(this);
        bool wasVisible = bar->Visible();
        if (keys) bar->SetVisible(false);
        String prefix = MakeSectionPrefix();
        String section = MakeBarSectionName(prefix, index);
        TdxBarLayoutStorage::LoadBar(bar, startupState_.get(), section, dxBarStoringKindIni, keys);
        TdxBarLayoutStorage::LoadLinksUsage(bar->ItemLinks(), startupState_.get(), section);
        ResetLinkItems(bar->ItemLinks(), startupState_.get(), prefix);
        if (keys && wasVisible && !bar->Visible()) bar->SetVisible(true);
    }
    FireBarAfterReset(bar);
}

void TdxBarManager::ResetUsageData() {
    if (!startupState_) return;
    TLayoutUpdateLock lock(this);
    String prefix = MakeSectionPrefix();
    for (int i = 0; i < GetItemCount(); ++i) GetItemByIndex(i)->LoadUsageFromIni(startupState_.get(), prefix);
    for (int i = 0; i < bars_->Count(); ++i) {
        TdxBar* bar = bars_->Items(i);
        int index = FindSavedBarByCaption(bar->Caption());
        if (index >= 0)
            TdxBarLayoutStorage::LoadLinksUsage(bar->ItemLinks(), startupState_.get(),
                                                MakeBarSectionName(prefix, index));
    }
}

void TdxBarManager::ConfirmResetUsageData() {
    if (BarMessageBox(BarString(dxSBAR_WANTTORESETUSAGEDATA), MB_YESNO | MB_DEFBUTTON2 | MB_ICONWARNING) == IDYES)
        ResetUsageData();
}

// ---- sub items ----------------------------------------------------------------------------

void TCustomdxBarSubItem::SaveToIni(TCustomIniFile* iniFile, const String& prefix, int storingKind) {
    if (Name().empty()) return;
    TdxBarLayoutStorage::SaveLinks(itemLinks_, iniFile, SubItemSectionName(prefix, this), Byte(storingKind));
}

void TCustomdxBarSubItem::LoadFromIni(TCustomIniFile* iniFile, const String& prefix, int storingKind) {
    if (Name().empty()) return;
    String section = SubItemSectionName(prefix, this);
    if (iniFile->ReadInteger(section, L"ItemLinkCount", -1) < 0) return;
    TdxBarLayoutStorage::LoadLinks(itemLinks_, iniFile, section, Byte(storingKind));
}

void TCustomdxBarSubItem::LoadUsageFromIni(TCustomIniFile* iniFile, const String& prefix) {
    if (Name().empty()) return;
    TdxBarLayoutStorage::LoadLinksUsage(itemLinks_, iniFile, SubItemSectionName(prefix, this));
}

void TCustomdxBarSubItem::ResetLayoutFromIni(TCustomIniFile* iniFile, const String& prefix) {
    if (Name().empty() || resettingLayout_) return;
    resettingLayout_ = true;
    try {
        LoadFromIni(iniFile, prefix, dxBarStoringKindIni);
        LoadUsageFromIni(iniFile, prefix);
        ResetLinkItems(itemLinks_, iniFile, prefix);
    } catch (...) {
        resettingLayout_ = false;
        throw;
    }
    resettingLayout_ = false;
}
