#pragma once
// The shell controls' shortcut names ("Shift+Ctrl+Del", "^A") and their default shortcuts.
// A shortcut is the platform's TShortCut: the key in the low byte, 0x2000 Shift, 0x4000 Ctrl,
// 0x8000 Alt.

#include "ShortCuts.h"

// "Shift+", "Ctrl+" and "Alt+" for the modifiers, in that order, then the key's name: "BkSp",
// "Tab", "Enter", "Esc", "Space", "PgUp", "PgDn", "End", "Home", "Left", "Up", "Right",
// "Down", "Ins", "Del", digits and capital letters as themselves (keypad digits too), "F1" to
// "F24", "#" and the number for any other key.
String ShortCutToName(TShortCut shortCut);
// The reverse: modifier prefixes in any order and letter case ("Shift+", "Ctrl+" or "^",
// "Alt+"), then a key name in any letter case; 0 when no key has that name.
TShortCut NameToShortCut(const String& name);

// The commands the shell tree and list answer by default, with their default shortcuts.
enum TRzShellKey : Byte { skSelectAll, skDelete, skCopy, skCut, skPaste, skRefresh, skRename };
// "Ctrl+A", "Del", "Ctrl+C", "Ctrl+X", "Ctrl+V", "F5", "F2", read once on first use.
TShortCut DefaultShellKey(TRzShellKey key);
// Forgets the table read so far (the unit's end).
void ReleaseDefaultShellKeys();
