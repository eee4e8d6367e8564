#pragma once
// Text helpers of the bar library: captions without accelerator marks, the accelerator's
// place, the shortcut suffix of hints, and the names of an enumeration's values.

#include <vector>

#include "ShortCuts.h"
#include "TypInfo.h"

// The caption without its accelerator marks ("&&" gives one ampersand).
String StripCaptionAmpersands(const String& caption);
// The 1-based position of the accelerator character (the one after a single "&"); 0 without.
// With deleteAmpersands the caption loses its marks and the position counts in what is left.
int FindAccelCharPos(String& caption, bool deleteAmpersands);
// " (Ctrl+S)" for a shortcut; empty for none.
String FormatShortCutSuffix(TShortCut shortCut);

// The names of an enumeration's values (of a set's element type), in order.
template <class E>
std::vector<String> EnumToStringArray() {
    const TEnumInfo& info = EnumInfo(E{});
    std::vector<String> names;
    for (int i = 0; i < info.Count(); ++i) names.push_back(info.NameOf(i));
    return names;
}
template <class S>
std::vector<String> SetTypeToStringArray() {
    return EnumToStringArray<typename S::Element>();
}
