#pragma once
// Images and measures that every painter shares, made when the painters' unit starts: the size
// of the system's check box, the indicator images of grid rows, and the two 8 x 8 patterns of
// scroll-bar tracks. (The radio-button images are in cxRadioButtonImageList.h.)

#include "Bitmap.h"
#include "ImageList.h"

// The size of one image of the system's check-box bitmap, measured at start-up.
TSize SystemCheckBoxSize();
// The six indicator images ("CX_ARROWBITMAP" ... "CX_FILTERBITMAP", white transparent); nil
// outside the unit's life.
TCustomImageList* IndicatorImages();
// The track pattern of a scroll bar, the pressed one when asked: two colours alternating like a
// checkerboard. Made on first use.
TBitmap* ScrollBarTrackPattern(bool pressed);
// Repaints the patterns from the current system colours (the scroll bar calls it when the
// colours may have changed).
void UpdateScrollBarPatterns();

// Start and end of the painters' unit: the painter registry, the shared images above, and the
// primary palette notifier that rebuilds the radio-button images. Start-up fails (the resource
// loader raises) when an indicator bitmap is missing.
void InitializecxPainterImages();
void FinalizecxPainterImages();
