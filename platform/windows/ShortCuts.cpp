#include "ShortCuts.h"

#include <cwchar>

#include "Control.h"

#include "SysUtils.h"

// ---- shortcuts ----

TShortCut ShortCut(Word key, TShiftState shift) {
    if (key > 0xFF) return scNone;
    TShortCut result = key;
    if (shift.Contains(ssShift)) result |= scShift;
    if (shift.Contains(ssCtrl)) result |= scCtrl;
    if (shift.Contains(ssAlt)) result |= scAlt;
    return result;
}

void ShortCutToKey(TShortCut shortCut, Word& key, TShiftState& shift) {
    key = shortCut & 0xFF;
    shift = {};
    if (shortCut & scShift) shift += ssShift;
    if (shortCut & scCtrl) shift += ssCtrl;
    if (shortCut & scAlt) shift += ssAlt;
}

TShortCut ShortCutOfKeyMessage(const TMessage& message) {
    return ShortCut(Word(message.WParam), KeyDataToShiftState(message.LParam));
}

namespace {

struct TKeyName {
    Word key;
    const wchar_t* name;
};

// Keys whose names do not depend on the keyboard layout.
constexpr TKeyName kShortCutKeyNames[] = {
    {VK_BACK, L"BkSp"},   {VK_TAB, L"Tab"},        {VK_RETURN, L"Enter"},  {VK_ESCAPE, L"Esc"},
    {VK_SPACE, L"Space"}, {VK_PRIOR, L"PgUp"},     {VK_NEXT, L"PgDn"},     {VK_END, L"End"},
    {VK_HOME, L"Home"},   {VK_LEFT, L"Left"},      {VK_UP, L"Up"},         {VK_RIGHT, L"Right"},
    {VK_DOWN, L"Down"},   {VK_INSERT, L"Ins"},     {VK_DELETE, L"Del"},    {VK_MULTIPLY, L"Num *"},
    {VK_ADD, L"Num +"},   {VK_SUBTRACT, L"Num -"}, {VK_DECIMAL, L"Num ."}, {VK_DIVIDE, L"Num /"},
};

String KeyName(Word key) {
    for (const TKeyName& k : kShortCutKeyNames)
        if (k.key == key) return k.name;
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return String(1, wchar_t(key));
    if (key >= VK_F1 && key <= VK_F24) return L"F" + IntToStr(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) return L"Num " + IntToStr(key - VK_NUMPAD0);
    // Punctuation and the like: the layout's own name of the key.
    UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
    if (scan == 0) return String();
    wchar_t buffer[64] = {};
    int n = GetKeyNameTextW(LONG(scan << 16), buffer, 64);
    return String(buffer, size_t(n > 0 ? n : 0));
}

struct TModifierName {
    TShortCut flag;
    const wchar_t* name;
};
constexpr TModifierName kShortCutModifiers[] = {{scShift, L"Shift+"}, {scCtrl, L"Ctrl+"}, {scAlt, L"Alt+"}};

}  // namespace

String ShortCutToText(TShortCut shortCut) {
    String name = KeyName(shortCut & 0xFF);
    if (name.empty()) return String();
    String text;
    for (const TModifierName& m : kShortCutModifiers)
        if (shortCut & m.flag) text += m.name;
    return text + name;
}

TShortCut TextToShortCut(const String& text) {
    String rest = Trim(text);
    TShortCut modifiers = 0;
    // Modifiers come first; each may appear once, in any order.
    for (bool found = true; found;) {
        found = false;
        for (const TModifierName& m : kShortCutModifiers) {
            size_t n = wcslen(m.name);
            if (rest.size() > n && SameText(rest.substr(0, n), m.name) && !(modifiers & m.flag)) {
                modifiers |= m.flag;
                rest = Trim(rest.substr(n));
                found = true;
            }
        }
    }
    if (rest.empty()) return scNone;
    for (int key = 1; key <= 0xFF; ++key)
        if (SameText(KeyName(Word(key)), rest)) return TShortCut(modifiers | key);
    return scNone;
}

// ---- accelerators ----

wchar_t GetHotkey(const String& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != L'&') continue;
        if (caption[i + 1] == L'&') {
            ++i;
            continue;
        }
        wchar_t buffer[2] = {caption[i + 1], 0};
        CharUpperW(buffer);
        return buffer[0];
    }
    return 0;
}

String StripHotkey(const String& caption) {
    String result;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&') {
            if (i + 1 < caption.size() && caption[i + 1] == L'&') result += L'&';
            ++i;
            if (i < caption.size() && caption[i] != L'&') result += caption[i];
            continue;
        }
        result += caption[i];
    }
    return result;
}

bool IsAccel(wchar_t ch, const String& caption) {
    wchar_t hotkey = GetHotkey(caption);
    if (hotkey == 0) return false;
    wchar_t buffer[2] = {ch, 0};
    CharUpperW(buffer);
    return buffer[0] == hotkey;
}
