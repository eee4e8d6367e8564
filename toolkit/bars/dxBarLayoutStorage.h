#pragma once
// The stored layout of a bar manager: which bars exist and where, which links they show with
// which user settings and usage, and the manager's menu options. One format serves an INI file,
// a registry key and the manager's in-memory start-up snapshot; the manager's SaveLayout and
// LoadLayout (dxBarManagerLayout.cpp) drive it, the helpers here read and write the parts.
//
// Values from the store are not trusted: lists end at the first missing section whatever count
// the store claims, and enumeration values outside their type leave the current value.

#include "SysTypes.h"
#include "TypInfo.h"

class TCustomIniFile;
class TdxBar;
class TdxBarItemLinks;
class TdxBarManager;

// Where a layout is kept: an INI form (a file or the snapshot) or the registry.
constexpr Byte dxBarStoringKindIni = 0;
constexpr Byte dxBarStoringKindRegistry = 1;

// What the read and write handlers of the manager are given.
struct TdxBarIniFileEventData {
    TCustomIniFile* IniFile = nullptr;
    Byte StoringKind = dxBarStoringKindIni;
    String SectionPrefix;
    String Delimiter;
};

// "." between a section and its sub sections in an INI form, "\" in the registry.
String SectionDelimiterOf(Byte storingKind);
// A registry path beginning and ending with "\"; an empty path stays empty.
String NormalizeRegistryPath(const String& path);

// Reading and writing the layout of one link collection (a bar's or a sub item's) and of one
// bar's own keys. Used as a class: no instance is made.
class TdxBarLayoutStorage {
public:
    // The links with a named item, numbered from 0 under section + delimiter + "ItemLink" + n,
    // then "ItemLinkCount".
    static void SaveLinks(TdxBarItemLinks* links, TCustomIniFile* iniFile, const String& section, Byte storingKind);
    // Replaces the links by the stored ones; links of items added after the layout was saved
    // stay beside the link that preceded them.
    static void LoadLinks(TdxBarItemLinks* links, TCustomIniFile* iniFile, const String& section, Byte storingKind);
    // Each stored link's most-recently-used flag back onto the first links.
    static void LoadLinksUsage(TdxBarItemLinks* links, TCustomIniFile* iniFile, const String& section);
    // The number of consecutive link sections present, at most the stored "ItemLinkCount".
    static int StoredLinkCount(TCustomIniFile* iniFile, const String& section, Byte storingKind, int defaultCount);

    // A bar's keys and links (the bar writes "ItemLinkCount" after its links).
    static void SaveBar(TdxBar* bar, TCustomIniFile* iniFile, const String& section, Byte storingKind);
    // Reads the bar's links and, with keys, its place and visibility; a failure while reading
    // the keys makes the bar visible.
    static void LoadBar(TdxBar* bar, TCustomIniFile* iniFile, const String& section, Byte storingKind, bool keys);

    // An enumeration value from the store, or current when missing or out of range.
    static int ReadOrdinal(TCustomIniFile* iniFile, const String& section, const String& key, int current,
                           int count);
    template <NamedEnum E>
    static E ReadEnum(TCustomIniFile* iniFile, const String& section, const String& key, E current) {
        return E(ReadOrdinal(iniFile, section, key, int(current), EnumInfo(current).Count()));
    }
};
