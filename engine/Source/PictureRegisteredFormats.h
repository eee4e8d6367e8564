#pragma once
// The engine's view of the picture formats: the platform's registry read as a string list,
// a small table of its own that is searched first, and the loader that reads a graphic by file
// extension through the file-IO hooks. Also the start-up that registers the engine's own
// formats ("tga", "dds") with the platform.

#include "Graphic.h"

class TStrings;

// Appends extension=description for every format of the platform registry, in registry order,
// with the graphic class as the line's object (read it back with PictureFormatClassAt).
void ListRegisteredPictureFormats(TStrings* list);
TGraphicClass PictureFormatClassAt(const TStrings* list, Integer index);

// The registered class for an extension (with or without the dot, any case); nil for none.
TGraphicClass ClassForPictureExtension(const String& extension);

// Adds an extension to the engine's own table (searched first, exactly, in lower case).
void RegisterPictureExtension(const String& extension, TGraphicClass graphicClass);

// A new graphic read from the file (owned by the caller); nil when the file does not exist or
// no class reads its extension. A graphic that fails to read is freed and the failure passes on.
TGraphic* LoadGraphicFromFile(const String& fileName);

// Unit start-up and shut-down: "tga" and "dds" with the platform, ".bmp" in the own table.
void InitializePictureRegisteredFormats();
void FinalizePictureRegisteredFormats();
