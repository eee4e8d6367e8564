#include "PictureRegisteredFormats.h"

#include <memory>
#include <vector>

#include "ApplicationFileIO.h"
#include "Bitmap.h"
#include "DDS.h"
#include "Picture.h"
#include "StringList.h"
#include "SysUtils.h"
#include "TGA.h"

namespace {

struct TExtensionEntry {
    String extension;  // lower case, with the dot
    TGraphicClass graphicClass;
};

std::vector<TExtensionEntry>& ExtensionTable() {
    static std::vector<TExtensionEntry> table;
    return table;
}

// A class reference rides in the list's object slot, as the list holds objects only.
TObject* AsListObject(TGraphicClass cls) { return reinterpret_cast<TObject*>(const_cast<TMetaClass*>(cls)); }

}  // namespace

void ListRegisteredPictureFormats(TStrings* list) {
    for (const TFileFormat& format : TPicture::FileFormats())
        list->AddObject(format.extension + L"=" + format.description, AsListObject(format.graphicClass));
}

TGraphicClass PictureFormatClassAt(const TStrings* list, Integer index) {
    return reinterpret_cast<TGraphicClass>(list->Objects(index));
}

TGraphicClass ClassForPictureExtension(const String& extension) {
    if (extension.empty()) return nullptr;
    const String ext = extension[0] == L'.' ? extension.substr(1) : extension;
    TStringList formats;
    ListRegisteredPictureFormats(&formats);
    for (Integer i = 0; i < formats.Count(); ++i)
        if (SameText(formats.Names(i), ext)) return PictureFormatClassAt(&formats, i);
    return nullptr;
}

void RegisterPictureExtension(const String& extension, TGraphicClass graphicClass) {
    ExtensionTable().push_back({LowerCase(extension), graphicClass});
}

TGraphic* LoadGraphicFromFile(const String& fileName) {
    if (!HookedFileExists(fileName)) return nullptr;
    const String ext = LowerCase(ExtractFileExt(fileName));
    TGraphicClass cls = nullptr;
    for (const TExtensionEntry& entry : ExtensionTable())
        if (entry.extension == ext) {
            cls = entry.graphicClass;
            break;
        }
    if (!cls) cls = ClassForPictureExtension(ext);
    if (!cls) return nullptr;
    std::unique_ptr<TObject> object(cls->Create());
    auto* graphic = dynamic_cast<TGraphic*>(object.get());
    if (!graphic) return nullptr;
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmOpenReadDenyWrite);
    graphic->LoadFromStream(stream.get());
    object.release();
    return graphic;
}

void InitializePictureRegisteredFormats() {
    TPicture::RegisterFileFormat(L"tga", L"Targa", TTGAImage::StaticClass());
    TPicture::RegisterFileFormat(L"dds", L"Microsoft DirectDraw Surface", TDDSImage::StaticClass());
    RegisterPictureExtension(L".bmp", TBitmap::StaticClass());
}

void FinalizePictureRegisteredFormats() {
    TPicture::UnregisterGraphicClass(TDDSImage::StaticClass());
    TPicture::UnregisterGraphicClass(TTGAImage::StaticClass());
    ExtensionTable().clear();
}
