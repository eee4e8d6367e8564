#include "dxBarLayoutStorage.h"

#include <vector>

#include "IniFiles.h"
#include "Streams.h"
#include "SysUtils.h"
#include "Form.h"
#include "dxBar.h"
#include "dxBarDockControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxCore.h"

namespace {

String LinkSectionName(const String& section, Byte storingKind, int index) {
    return section + SectionDelimiterOf(storingKind) + L"ItemLink" + IntToStr(index);
}

void WriteByte(TCustomIniFile* iniFile, const String& section, const String& key, Byte value) {
    TMemoryStream stream;
    stream.Write(&value, 1);
    stream.SetPosition(0);
    iniFile->WriteBinaryStream(section, key, &stream);
}

// The first byte of a binary value; false when the value is missing or empty.
bool ReadByte(TCustomIniFile* iniFile, const String& section, const String& key, Byte& value) {
    TMemoryStream stream;
    if (iniFile->ReadBinaryStream(section, key, &stream) <= 0) return false;
    value = static_cast<const Byte*>(stream.Memory())[0];
    return true;
}

constexpr Byte UserDefineBits = 0x0F;  // udCaption, udGlyph, udPaintStyle, udWidth
constexpr Byte ViewLevelBits = 0x0F;

bool IsBarLinks(TdxBarItemLinks* links) { return As<TdxBar>(links->GetOwnerObject()) != nullptr; }

bool StoresUsage(TdxBarItemLinks* links) { return links->UsesRecentItems(); }

void SaveLink(TdxBarItemLink* link, TCustomIniFile* iniFile, const String& section, Byte storingKind, bool barLink,
              bool usage, bool startupState) {
    iniFile->WriteString(section, L"ItemName", link->Item()->Name());
    iniFile->WriteBool(section, L"BeginGroup", link->StoredBeginGroup());
    TdxBarUserDefines userDefine = link->UserDefine();
    WriteByte(iniFile, section, L"UserDefine", Byte(userDefine.Bits()));
    if (userDefine.Contains(udCaption)) iniFile->WriteString(section, L"UserCaption", link->UserCaption());
    if (userDefine.Contains(udPaintStyle)) iniFile->WriteInteger(section, L"UserPaintStyle", link->UserPaintStyle());
    if (userDefine.Contains(udWidth)) iniFile->WriteInteger(section, L"UserWidth", link->UserWidth());
    if (storingKind == dxBarStoringKindRegistry && userDefine.Contains(udGlyph)) {
        TMemoryStream stream;
        link->UserGlyph()->SaveToStream(&stream);
        stream.SetPosition(0);
        iniFile->WriteBinaryStream(section, L"UserGlyph", &stream);
    }
    if (barLink) {
        iniFile->WriteInteger(section, L"ButtonGroup", link->ButtonGroup());
        iniFile->WriteInteger(section, L"Position", link->Position());
        WriteByte(iniFile, section, L"ViewLevels", Byte(link->ViewLevels().Bits()));
        iniFile->WriteBool(section, L"Visible", link->Visible());
    }
    if (usage) {
        iniFile->WriteInteger(section, L"UseCount", link->UseCount());
        iniFile->WriteInteger(section, L"RecentIndex", link->GetRecentIndex());
    }
    if (startupState) iniFile->WriteBool(section, L"MostRecentlyUsed", link->MostRecentlyUsed());
}

// The user-define set: an older INI form wrote it as one decimal digit.
TdxBarUserDefines ReadUserDefine(TCustomIniFile* iniFile, const String& section, Byte storingKind) {
    Byte bits = 0;
    String text = storingKind == dxBarStoringKindIni ? iniFile->ReadString(section, L"UserDefine", String()) : String();
    if (text.size() == 1)
        bits = Byte(StrToIntDef(text, 0));
    else
        ReadByte(iniFile, section, L"UserDefine", bits);
    return TdxBarUserDefines::FromBits(bits & UserDefineBits);
}

// Reads one link into a new link at the front of the collection; a name that names no item adds
// nothing.
void LoadLink(TdxBarItemLinks* links, TCustomIniFile* iniFile, const String& section, Byte storingKind, bool barLink,
              bool usage) {
    TdxBarManager* manager = links->BarManager();
    String name = iniFile->ReadString(section, L"ItemName", String());
    TdxBarItem* item = name.empty() || !manager ? nullptr : manager->FindItemByName(name);
    if (!item) return;
    TdxBarItemLink* link = links->Insert(0);
    try {
        link->SetItem(item);
    } catch (const EdxException&) {
        // The collection refuses the item (a menu that would contain itself): the link goes.
        delete link;
        return;
    }
    if (!link->Item()) return;
    link->SetBeginGroup(iniFile->ReadBool(section, L"BeginGroup", false));
    TdxBarUserDefines userDefine = ReadUserDefine(iniFile, section, storingKind);
    link->SetUserDefine(userDefine);
    if (userDefine.Contains(udCaption)) link->SetUserCaption(iniFile->ReadString(section, L"UserCaption", String()));
    if (userDefine.Contains(udPaintStyle))
        link->SetUserPaintStyle(
            TdxBarLayoutStorage::ReadEnum(iniFile, section, L"UserPaintStyle", link->GetEffectivePaintStyle()));
    if (userDefine.Contains(udWidth)) link->SetUserWidth(iniFile->ReadInteger(section, L"UserWidth", 100));
    if (storingKind == dxBarStoringKindRegistry && userDefine.Contains(udGlyph)) {
        TMemoryStream stream;
        if (iniFile->ReadBinaryStream(section, L"UserGlyph", &stream) > 0) {
            stream.SetPosition(0);
            TBitmap glyph;
            try {
                glyph.LoadFromStream(&stream);
                link->SetUserGlyph(&glyph);
            } catch (const Exception&) {
                // A damaged glyph leaves the link with the item's glyph.
            }
        }
    }
    if (barLink) {
        link->SetButtonGroup(TdxBarLayoutStorage::ReadEnum(iniFile, section, L"ButtonGroup", bgpNone));
        link->SetPosition(TdxBarLayoutStorage::ReadEnum(iniFile, section, L"Position", ipBeginsNewRow));
        Byte levels = 0;
        if (ReadByte(iniFile, section, L"ViewLevels", levels))
            link->SetViewLevels(TdxBarItemViewLevels::FromBits(levels & ViewLevelBits));
        link->SetLoadedVisible(iniFile->ReadBool(section, L"Visible", true));
    }
    if (usage)
        link->SetLoadedUsage(iniFile->ReadInteger(section, L"UseCount", 0),
                             iniFile->ReadInteger(section, L"RecentIndex", -1));
}

// The dock's name, with its owners' names in front when it is not on the manager's form.
String GetDockControlNamePath(TdxBarManager* manager, TdxDockControl* dock) {
    if (!dock || dock->Name().empty()) return String();
    String path = dock->Name();
    if (dock->Owner() == manager->Owner()) return path;
    for (TComponent* owner = dock->Owner(); owner && !owner->Name().empty(); owner = owner->Owner()) {
        path = owner->Name() + L"." + path;
        if (Is<TCustomForm>(owner)) break;
    }
    return path;
}

TComponent* FindNestedComponent(TComponent* root, const String& path) {
    TComponent* found = root;
    size_t start = 0;
    while (found && start <= path.size()) {
        size_t dot = path.find(L'.', start);
        String name = path.substr(start, dot == String::npos ? String::npos : dot - start);
        found = found->FindComponent(name);
        if (dot == String::npos) break;
        start = dot + 1;
    }
    return found;
}

// nil when the path names nothing; a component of another class is a type error.
TdxDockControl* FindDockControlByNamePath(TdxBarManager* manager, const String& path) {
    if (path.empty()) return nullptr;
    TComponent* found = nullptr;
    size_t dot = path.find(L'.');
    if (dot != String::npos) {
        if (TComponent* root = FindGlobalComponent(path.substr(0, dot)))
            found = FindNestedComponent(root, path.substr(dot + 1));
    } else if (manager->Owner()) {
        found = FindNestedComponent(manager->Owner(), path);
    }
    if (!found) return nullptr;
    auto* dock = As<TdxBarDockControl>(found);
    if (!dock) throw EInvalidCast(L"Invalid class typecast");
    return dock;
}

}  // namespace

String SectionDelimiterOf(Byte storingKind) { return storingKind == dxBarStoringKindRegistry ? L"\\" : L"."; }

String NormalizeRegistryPath(const String& path) {
    String result = path;
    if (result.empty()) return result;
    if (result.front() != L'\\') result.insert(result.begin(), L'\\');
    if (result.back() != L'\\') result += L'\\';
    return result;
}

int TdxBarLayoutStorage::ReadOrdinal(TCustomIniFile* iniFile, const String& section, const String& key, int current,
                                     int count) {
    Integer value = iniFile->ReadInteger(section, key, current);
    return value >= 0 && value < count ? int(value) : current;
}

int TdxBarLayoutStorage::StoredLinkCount(TCustomIniFile* iniFile, const String& section, Byte storingKind,
                                         int defaultCount) {
    Integer stored = iniFile->ReadInteger(section, L"ItemLinkCount", defaultCount);
    if (stored <= 0) return stored;
    // A count the store claims is only believed as far as its sections go.
    int present = 0;
    while (present < stored && iniFile->SectionExists(LinkSectionName(section, storingKind, present))) ++present;
    return present;
}

void TdxBarLayoutStorage::SaveLinks(TdxBarItemLinks* links, TCustomIniFile* iniFile, const String& section,
                                    Byte storingKind) {
    TdxBarManager* manager = links->BarManager();
    bool barLinks = IsBarLinks(links);
    bool usage = StoresUsage(links);
    bool startupState = manager && manager->IsSavingStartupState();
    int written = 0;
    for (int i = 0; i < links->Count(); ++i) {
        TdxBarItemLink* link = links->GetLink(i);
        if (!link->Item() || link->Item()->Name().empty()) continue;
        SaveLink(link, iniFile, LinkSectionName(section, storingKind, written), storingKind, barLinks, usage,
                 startupState);
        ++written;
    }
    iniFile->WriteInteger(section, L"ItemLinkCount", written);
}

void TdxBarLayoutStorage::LoadLinks(TdxBarItemLinks* links, TCustomIniFile* iniFile, const String& section,
                                    Byte storingKind) {
    TdxBarManager* manager = links->BarManager();
    bool barLinks = IsBarLinks(links);
    bool usage = StoresUsage(links);
    // Links of items the stored layout does not know stay, each beside its designed predecessor.
    struct TKeptLink {
        TdxBarItemLink* link;
        bool first;
        String predecessor;
    };
    std::vector<TKeptLink> kept;
    links->BeginUpdate();
    try {
        for (int i = links->Count() - 1; i >= 0; --i) {
            TdxBarItemLink* link = links->GetLink(i);
            if (manager && link->Item() && manager->IsNewLayoutItem(link->Item())) {
                TdxBarItem* before = i > 0 ? links->GetLink(i - 1)->Item() : nullptr;
                kept.push_back({link, i == 0, before ? before->Name() : String()});
            } else {
                delete link;
            }
        }
        int count = StoredLinkCount(iniFile, section, storingKind, 0);
        for (int k = count - 1; k >= 0; --k)
            LoadLink(links, iniFile, LinkSectionName(section, storingKind, k), storingKind, barLinks, usage);
        for (auto it = kept.rbegin(); it != kept.rend(); ++it) {
            int from = links->IndexOfLink(it->link);
            if (it->first) {
                links->MoveLink(from, 0);
                continue;
            }
            int after = it->predecessor.empty() ? -1 : links->IndexOfItemName(it->predecessor);
            if (after < 0) continue;
            links->MoveLink(from, from > after ? after + 1 : after);
        }
    } catch (...) {
        links->EndUpdate();
        throw;
    }
    links->EndUpdate();
    links->ApplyLoadedUsage(barLinks);
}

void TdxBarLayoutStorage::LoadLinksUsage(TdxBarItemLinks* links, TCustomIniFile* iniFile, const String& section) {
    int count = StoredLinkCount(iniFile, section, dxBarStoringKindIni, 0);
    for (int i = 0; i < count && i < links->Count(); ++i)
        links->GetLink(i)->SetMostRecentlyUsed(
            iniFile->ReadBool(LinkSectionName(section, dxBarStoringKindIni, i), L"MostRecentlyUsed", true));
    links->RebuildLists();
}

void TdxBarLayoutStorage::SaveBar(TdxBar* bar, TCustomIniFile* iniFile, const String& section, Byte storingKind) {
    TdxBarManager* manager = bar->BarManager();
    if (bar->BarControl()) bar->StoreBarControlPosition();
    iniFile->WriteString(section, L"Caption", bar->Caption());
    String dockPath = GetDockControlNamePath(manager, bar->DockControl());
    if (!dockPath.empty()) iniFile->WriteString(section, L"DockControl", dockPath);
    String dockedPath = GetDockControlNamePath(manager, bar->DockedDockControl());
    if (!dockedPath.empty()) iniFile->WriteString(section, L"DockedDockControl", dockedPath);
    iniFile->WriteInteger(section, L"DockedDockingStyle", bar->DockedDockingStyle());
    iniFile->WriteInteger(section, L"DockedLeft", bar->DockedLeft());
    iniFile->WriteInteger(section, L"DockedTop", bar->DockedTop());
    iniFile->WriteInteger(section, L"DockingStyle", bar->DockingStyle());
    iniFile->WriteInteger(section, L"FloatClientHeight", bar->FloatClientHeight());
    iniFile->WriteInteger(section, L"FloatClientWidth", bar->FloatClientWidth());
    iniFile->WriteInteger(section, L"FloatLeft", bar->FloatLeft());
    iniFile->WriteInteger(section, L"FloatTop", bar->FloatTop());
    iniFile->WriteBool(section, L"OneOnRow", bar->OneOnRow());
    iniFile->WriteInteger(section, L"Row", bar->Row());
    iniFile->WriteBool(section, L"Visible", bar->MergedInto() ? bar->VisibleBeforeMerging() : bar->Visible());
    SaveLinks(bar->ItemLinks(), iniFile, section, storingKind);
}

void TdxBarLayoutStorage::LoadBar(TdxBar* bar, TCustomIniFile* iniFile, const String& section, Byte storingKind,
                                  bool keys) {
    LoadLinks(bar->ItemLinks(), iniFile, section, storingKind);
    if (!keys) return;
    TdxBarManager* manager = bar->BarManager();
    try {
        bar->SetCaption(iniFile->ReadString(section, L"Caption", bar->Caption()));
        bar->SetDockedDockControl(
            FindDockControlByNamePath(manager, iniFile->ReadString(section, L"DockedDockControl", String())));
        bar->SetDockedDockingStyle(ReadEnum(iniFile, section, L"DockedDockingStyle", bar->DockedDockingStyle()));
        bar->SetDockedLeft(iniFile->ReadInteger(section, L"DockedLeft", bar->DockedLeft()));
        bar->SetDockedTop(iniFile->ReadInteger(section, L"DockedTop", bar->DockedTop()));
        bar->SetOneOnRow(iniFile->ReadBool(section, L"OneOnRow", bar->OneOnRow()));
        bar->SetFloatLeft(iniFile->ReadInteger(section, L"FloatLeft", bar->FloatLeft()));
        bar->SetFloatTop(iniFile->ReadInteger(section, L"FloatTop", bar->FloatTop()));
        bar->SetFloatClientWidth(iniFile->ReadInteger(section, L"FloatClientWidth", bar->FloatClientWidth()));
        bar->SetFloatClientHeight(iniFile->ReadInteger(section, L"FloatClientHeight", bar->FloatClientHeight()));
        // A dock that keeps its bars whatever a layout says (a ribbon's) keeps them in their place:
        // neither another dock nor a docking style of the file moves them out.
        if (!bar->DockControl() || bar->DockControl()->AllowsLayoutUndock()) {
            TdxDockControl* dock =
                FindDockControlByNamePath(manager, iniFile->ReadString(section, L"DockControl", String()));
            if (dock)
                bar->SetDockControl(dock);
            else if (bar->DockControl())
                bar->SetDockControl(nullptr);
            bar->SetDockingStyle(ReadEnum(iniFile, section, L"DockingStyle", bar->DockingStyle()));
        }
        bar->SetRow(iniFile->ReadInteger(section, L"Row", bar->Row()));
        bar->SetVisible(iniFile->ReadBool(section, L"Visible", false));
    } catch (const Exception&) {
        // A layout that cannot be applied leaves the bar where the user can see it.
        bar->SetVisible(true);
    }
    if (TdxBar* target = bar->MergedInto()) target->UnmergeBar(bar, false);
}
