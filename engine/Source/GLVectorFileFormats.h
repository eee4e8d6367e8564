#pragma once
// Model files: the base of every model reader and writer (TVectorFile), the process-wide
// registry that picks one by the file's extension, and the engine's own binary model format
// "glsm", which is exactly the archive of a mesh's mesh-object list.
//
//     RegisterVectorFileFormat(L"smd", L"Half-Life SMD files", TGLSMDVectorFile::StaticClass());
//     TClass reader = GetVectorFileFormats()->FindFromFileName(L"models\\Bot\\robot.SMD");

#include "ApplicationFileIO.h"
#include "PersistentObjectList.h"
#include "TypInfo.h"

class TGLBaseMesh;

Z_EXCEPTION(EInvalidVectorFile, Exception)

Z_ENUM(TMeshNormalsOrientation, int, mnoDefault, mnoInvert)

// Reads (and maybe writes) one model format into the mesh that owns it.
class TVectorFile : public TDataFile {
    Z_CLASS(TVectorFile, TDataFile)
public:
    // The owner must be a mesh (an assertion failure otherwise).
    explicit TVectorFile(TPersistent* owner);

    TGLBaseMesh* Owner() const;
    TMeshNormalsOrientation NormalsOrientation() const { return normalsOrientation_; }
    virtual void SetNormalsOrientation(TMeshNormalsOrientation value) { normalsOrientation_ = value; }

private:
    TMeshNormalsOrientation normalsOrientation_ = mnoDefault;
};

using TVectorFileClass = const TDataFileMetaClass*;
template <class C>
TVectorFileClass VectorFileClassOf() {
    return static_cast<TVectorFileClass>(C::StaticClass());
}

// The engine's binary model format: the owner's mesh-object list archive.
class TGLGLSMVectorFile : public TVectorFile {
    Z_CLASS(TGLGLSMVectorFile, TVectorFile)
public:
    using TVectorFile::TVectorFile;
    static TDataFileCapabilities Capabilities() { return {dfcRead, dfcWrite}; }
    // Replaces every mesh object of the owner.
    void LoadFromStream(TStream* stream) override;
    void SaveToStream(TStream* stream) override;
};

// One registered format.
class TVectorFileFormat : public TObject {
    Z_CLASS(TVectorFileFormat, TObject)
public:
    TVectorFileFormat(TVectorFileClass vectorFileClass, const String& extension, const String& description)
        : VectorFileClass(vectorFileClass), Extension(extension), Description(description) {}

    TVectorFileClass VectorFileClass;
    String Extension;  // lower case, without the dot
    String Description;
    Integer DescriptionResourceID = 0;  // carried, never read
};

// The formats in registration order; frees them.
class TVectorFileFormatsList : public TPersistentObjectList {
    Z_CLASS(TVectorFileFormatsList, TPersistentObjectList)
public:
    ~TVectorFileFormatsList() override;

    TVectorFileFormat* FormatAt(Integer index) const { return static_cast<TVectorFileFormat*>(GetItem(index)); }
    void AddFormat(const String& extension, const String& description, TVectorFileClass vectorFileClass);
    // The class of the last registered format with that extension (any letter case); nullptr
    // when none.
    TVectorFileClass FindExt(const String& extension) const;
    // By the file name's extension; raises EInvalidVectorFile when no format handles it.
    TVectorFileClass FindFromFileName(const String& fileName) const;
};

// The registry, made on first use and freed when the unit finalizes.
TVectorFileFormatsList* GetVectorFileFormats();
// Registers the class by name too. A later format for the same extension wins.
void RegisterVectorFileFormat(const String& extension, const String& description, TVectorFileClass vectorFileClass);

// Unit start-up: the mesh, skeleton and actor classes that archives and form descriptions name,
// and the "glsm" format; the end frees the registry.
void InitializeGLVectorFileFormats();
void FinalizeGLVectorFileFormats();
