#include "dxBarTextHelpers.h"

#include "cxWindowHelpers.h"

String StripCaptionAmpersands(const String& caption) { return RemoveAccelCharsWide(caption); }

int FindAccelCharPos(String& caption, bool deleteAmpersands) {
    String stripped;
    int position = 0;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == L'&' && i + 1 < caption.size()) {
            ++i;
            // "&&" is a literal ampersand; the first single mark names the accelerator.
            if (caption[i] != L'&' && position == 0)
                position = deleteAmpersands ? int(stripped.size()) + 1 : int(i) + 1;
        } else if (caption[i] == L'&') {
            continue;  // a trailing mark marks nothing
        }
        stripped += caption[i];
    }
    if (deleteAmpersands) caption = stripped;
    return position;
}

String FormatShortCutSuffix(TShortCut shortCut) {
    String text = ShortCutToText(shortCut);
    return text.empty() ? String() : L" (" + text + L")";
}
