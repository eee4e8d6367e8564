#include "RzShellKeys.h"

#include "SysUtils.h"

namespace {

String KeyName(Byte key) {
    switch (key) {
        case 8:
            return L"BkSp";
        case 9:
            return L"Tab";
        case 13:
            return L"Enter";
        case 27:
            return L"Esc";
        case 45:
            return L"Ins";
        case 46:
            return L"Del";
        default:
            break;
    }
    static const wchar_t* const navigation[] = {L"Space", L"PgUp", L"PgDn",  L"End", L"Home",
                                                L"Left",  L"Up",   L"Right", L"Down"};
    if (key >= 32 && key <= 40) return navigation[key - 32];
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, wchar_t(key));
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return String(1, wchar_t(L'0' + key - VK_NUMPAD0));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + IntToStr(key - VK_F1 + 1);
    return L"#" + IntToStr(key);
}

// Removes prefix from the front of text when it is there (any letter case).
bool TakePrefix(String& text, const wchar_t* prefix) {
    String p(prefix);
    if (text.size() < p.size() || !SameText(text.substr(0, p.size()), p)) return false;
    text.erase(0, p.size());
    return true;
}

struct TDefaultKey {
    const wchar_t* text;
    TShortCut value;
};
TDefaultKey defaultKeys[] = {{L"Ctrl+A", 0}, {L"Del", 0}, {L"Ctrl+C", 0}, {L"Ctrl+X", 0},
                             {L"Ctrl+V", 0}, {L"F5", 0},  {L"F2", 0}};
bool defaultKeysRead = false;

}  // namespace

String ShortCutToName(TShortCut shortCut) {
    String name;
    if (shortCut & scShift) name += L"Shift+";
    if (shortCut & scCtrl) name += L"Ctrl+";
    if (shortCut & scAlt) name += L"Alt+";
    return name + KeyName(Byte(shortCut & 0xFF));
}

TShortCut NameToShortCut(const String& name) {
    String rest = name;
    TShortCut modifiers = 0;
    for (bool found = true; found;) {
        found = true;
        if (TakePrefix(rest, L"Shift+"))
            modifiers |= scShift;
        else if (TakePrefix(rest, L"^") || TakePrefix(rest, L"Ctrl+"))
            modifiers |= scCtrl;
        else if (TakePrefix(rest, L"Alt+"))
            modifiers |= scAlt;
        else
            found = false;
    }
    if (rest.empty()) return 0;
    for (Word key = 8; key <= 255; ++key)
        if (SameText(KeyName(Byte(key)), rest)) return TShortCut(key | modifiers);
    return 0;
}

TShortCut DefaultShellKey(TRzShellKey key) {
    if (!defaultKeysRead) {
        for (auto& entry : defaultKeys) entry.value = NameToShortCut(entry.text);
        defaultKeysRead = true;
    }
    return defaultKeys[key].value;
}

void ReleaseDefaultShellKeys() { defaultKeysRead = false; }
