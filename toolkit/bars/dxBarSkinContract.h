#pragma once
// IdxSkin: what a skinned bar painter draws through. The painter asks its skinned object (the
// ribbon, for instance) for this interface and draws every bar, button and menu piece as a
// numbered part in a numbered state; the object decides how each part looks.
//
// The skinned object outlives the painter's calls, so the interface is borrowed, not counted.

#include <windows.h>

#include "Colors.h"
#include "GraphicsTypes.h"
#include "SysTypes.h"

class IdxSkin {
public:
    // Draws the part over r in the state; nothing for an empty r.
    virtual void DrawSkinPart(HDC dc, const TRect& r, int part, int state) = 0;
    // Draws the part's caption text into r (the painter asks only for part 1, the bar).
    virtual void DrawSkinPartCaption(HDC dc, const String& text, const TRect& r, int part, int state) = 0;
    // The caption area of the part inside the bounding r; empty for parts without a caption.
    virtual void CalcSkinCaptionRect(const TRect& r, int part, TRect& captionRect) = 0;
    // The margins (left, top, right, bottom) between the part's bounds and its content.
    virtual void GetSkinPartContentOffsets(int part, TRect& offsets) = 0;
    // The skin's name; empty when it has none.
    virtual void GetSkinName(String& name) = 0;
    virtual TColor GetSkinPartColor(int part, int state) = 0;
    // An extra distance the part asks for (the gap between bars, for instance).
    virtual int GetSkinPartOffset(int part) = 0;

protected:
    ~IdxSkin() = default;
};
