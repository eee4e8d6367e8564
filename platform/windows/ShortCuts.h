#pragma once
// Keyboard shortcuts and accelerator characters.
//
// A shortcut (TShortCut) is one 16-bit value: the virtual key in the low byte and the modifier
// flags scShift, scCtrl and scAlt above it, so Ctrl+S is 0x4053. Its text is the modifiers in
// the order "Shift+", "Ctrl+", "Alt+" followed by the key's name ("Ctrl+S", "Shift+Del", "F5").
// A caption's accelerator is the character after a single '&' ("&Open" has 'O'); "&&" stands
// for a literal ampersand.

#include "Messages.h"
#include "Sets.h"

// The modifier keys and mouse buttons held during an input message.
enum TShiftStateItem : Byte { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

using TShortCut = Word;

constexpr TShortCut scNone = 0;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;

// The shortcut of a key with the Shift, Ctrl and Alt members of shift.
TShortCut ShortCut(Word key, TShiftState shift);
// The key and the modifiers of a shortcut.
void ShortCutToKey(TShortCut shortCut, Word& key, TShiftState& shift);
// The shortcut that a key message (WM_KEYDOWN, WM_SYSKEYDOWN or their CN_ reflections) stands
// for, with the modifiers held while it was sent.
TShortCut ShortCutOfKeyMessage(const TMessage& message);

// "Ctrl+S"; empty for scNone or a key without a name.
String ShortCutToText(TShortCut shortCut);
// The shortcut of a text written as ShortCutToText writes it (modifier names and key names in
// any letter case, blanks around them ignored); scNone when the text names no key.
TShortCut TextToShortCut(const String& text);

// The accelerator character of a caption, upper-cased; 0 when it has none.
wchar_t GetHotkey(const String& caption);
// The caption without its '&' marks ("&&" becomes "&").
String StripHotkey(const String& caption);
// True when ch (any letter case) is the caption's accelerator.
bool IsAccel(wchar_t ch, const String& caption);
