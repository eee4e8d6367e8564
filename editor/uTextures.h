#pragma once
// The texture catalogue: "textures.ini" in the editor's "textures\" folder lists image files and
// the names under which they become materials of the editor's library, after its built-in ones.
//
//     [GENERAL]   Count=3
//     [TEXTURE1]  FileName=block.bmp     MaterialName=Block
//     [TEXTURE2]  FileName=robot.tga     MaterialName=RobotBody    (TGA: see-through key colour)
//     ...

#include <vector>

#include "SysTypes.h"

class TGLMaterialLibrary;

// Adds a texture material for every entry whose file exists and whose name is new to the library
// (exact letter case; an earlier entry wins), the image read at once. Entries that do not
// qualify are skipped. An image that cannot be decoded is skipped too, its entry taken out of
// the library again and the reader's message added to unreadable (when given). False only when
// the folder (ending with a backslash) has no catalogue.
bool LoadTextures(const String& folder, TGLMaterialLibrary* library, std::vector<String>* unreadable = nullptr);
