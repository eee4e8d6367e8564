// The texture catalogue into the material library.

#include "uTextures.h"

#include <algorithm>

#include "GLMaterial.h"
#include "IniFiles.h"
#include "SysUtils.h"
#include "uNumberedSections.h"

bool LoadTextures(const String& folder, TGLMaterialLibrary* library, std::vector<String>* unreadable) {
    const String catalogue = folder + L"textures.ini";
    if (!FileExists(catalogue)) return false;
    TIniFile file(catalogue);
    const Integer count = std::min(file.ReadInteger(L"GENERAL", L"Count", 0), LastNumberedSection(file, L"TEXTURE"));
    for (Integer n = 1; n <= count; ++n) {
        const String section = L"TEXTURE" + IntToStr(n);
        const String fileName = Trim(file.ReadString(section, L"FileName", L""));
        const String path = folder + fileName;
        const String name = Trim(file.ReadString(section, L"MaterialName", L""));
        if (fileName.empty() || !FileExists(path) || name.empty() || library->EntryByName(name)) continue;
        TGLLibMaterial* entry = nullptr;
        try {
            entry = library->NewTextureMaterial(name, path, true);
        } catch (const Exception& e) {
            // The entry was added before its picture failed to read: it goes again.
            if (TGLLibMaterial* added = library->EntryByName(name)) FreeObject(added);
            if (unreadable) unreadable->push_back(e.Message());
            continue;
        }
        // TGA pictures carry a key colour: the picture's bottom-left pixel shows nothing.
        if (LowerCase(ExtractFileExt(path)) == L".tga") {
            TGLMaterial* material = entry->Material();
            material->SetBlendingMode(bmTransparency);
            material->Texture()->SetImageAlpha(tiaTopLeftPointColorTransparent);
            material->Texture()->SetTextureMode(tmReplace);
            material->SetMaterialOptions(TMaterialOptions{moNoLighting});
        }
    }
    return true;
}
