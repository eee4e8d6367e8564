#pragma once
// Every file the engine opens by name goes through CreateHookedFileStream, so that an
// application can redirect file access (to an archive, to resources) by installing hooks;
// HookedFileExists answers in the same redirected way. The system installs no hook, so both
// fall back to the plain file system. TDataFile is the base of the engine's file readers and
// writers that another object owns.

#include <memory>

#include "Events.h"
#include "Persistent.h"
#include "Sets.h"
#include "Streams.h"

// The open modes the engine uses; fmCreate makes or empties the file.
constexpr Word fmOpenReadDenyWrite = fmOpenRead | fmShareDenyWrite;
constexpr Word fmOpenReadDenyNone = fmOpenRead | fmShareDenyNone;

// Hooks return a new stream that the caller owns.
using TCreateFileStreamHook = TStream* (*)(const String& fileName, Word mode);
using TFileStreamExistsHook = bool (*)(const String& fileName);

// A provider of redirected files; either event may be left empty.
class TApplicationFileIO : public TObject {
    Z_CLASS(TApplicationFileIO, TObject)
public:
    TEvent<TStream*(const String& fileName, Word mode)> OnFileStream;
    TEvent<bool(const String& fileName)> OnFileStreamExists;
};

// Process-wide and initially empty. The provider is not owned.
extern TCreateFileStreamHook CreateFileStreamHook;
extern TFileStreamExistsHook FileStreamExistsHook;
extern TApplicationFileIO* FileIOProvider;

// True when both hooks are set, or a provider is.
bool FileIOHooksActive();

// Opens fileName through the hooks, else as a plain file. A missing file in a read mode, or a
// hook that gives no stream, raises Exception "File not found: \"<fileName>\"". Errors of the
// file itself (sharing, bad paths) come through unchanged.
std::unique_ptr<TStream> CreateHookedFileStream(const String& fileName, Word mode);
bool HookedFileExists(const String& fileName);

// What a data-file class can do.
enum TDataFileCapability { dfcRead, dfcWrite };
using TDataFileCapabilities = TSet<TDataFileCapability>;

// The class reference of the data-file family, which answers Capabilities for its class.
class TDataFileMetaClass : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    virtual TDataFileCapabilities Capabilities() const = 0;
};

template <class C>
class TMetaClassOf<TDataFileMetaClass, C> final : public TDataFileMetaClass {
public:
    using TDataFileMetaClass::TDataFileMetaClass;
    TDataFileCapabilities Capabilities() const override { return C::Capabilities(); }
};

using TDataFileClass = const TDataFileMetaClass*;

// Loads and saves by file name through the hooks and leaves the stream work to descendants.
class TDataFile : public TPersistent {
    Z_CLASS_FAMILY(TDataFile, TPersistent, TDataFileMetaClass)
public:
    explicit TDataFile(TPersistent* owner) : owner_(owner) {}

    static TDataFileCapabilities Capabilities() { return {dfcRead}; }

    TPersistent* GetOwner() const override { return owner_; }
    // The name without its folder of the last file loaded or saved by name.
    const String& StoredName() const { return storedName_; }
    // For owners that open the stream themselves and name the file it came from.
    void SetStoredName(const String& value) { storedName_ = value; }

    // A new data file of the same class with the given owner; nothing is copied.
    virtual TDataFile* CreateLike(TPersistent* owner) const;
    // The stored name is set before the file is opened, so it is set even when opening fails.
    virtual void LoadFromFile(const String& fileName);
    virtual void SaveToFile(const String& fileName);
    virtual void LoadFromStream(TStream* stream) = 0;
    // Fails an assertion in a class that cannot write.
    virtual void SaveToStream(TStream* stream);

private:
    TPersistent* owner_;
    String storedName_;
};

// CreateLike of a data file that may be null: null for null.
TDataFile* CreateDataFileLike(const TDataFile* dataFile, TPersistent* owner);
