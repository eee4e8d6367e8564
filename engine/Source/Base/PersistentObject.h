#pragma once
// TPersistentObject: an engine object that stores itself in a tagged archive and can save and
// load itself to and from a stream, a file or a string of bytes. TGLInterfacedPersistent: the
// persistent base of objects handed out through interfaces without reference counting.

#include "Persistent.h"
#include "VirtualArchive.h"

Z_EXCEPTION(EInvalidFileSignature, Exception)
Z_EXCEPTION(EFilerException, Exception)

// Raises EFilerException "<class name> : unknown archive version <version>".
[[noreturn]] void RaiseArchiveVersionErrorFor(TClass cls, Integer version);

// Implemented by everything that stores itself in an archive.
class IArchivable {
public:
    virtual void WriteToArchive(TVirtualWriter* writer) = 0;
    virtual void ReadFromArchive(TVirtualReader* reader) = 0;

protected:
    ~IArchivable() = default;
};

// Persistent objects handed out as interfaces are owned by someone else: nothing counts
// references to them, and no interface release ever frees one.
class TGLInterfacedPersistent : public TPersistent {
    Z_CLASS(TGLInterfacedPersistent, TPersistent)
};

class TPersistentObject : public TPersistent, public IArchivable {
    Z_CLASS(TPersistentObject, TPersistent)
public:
    TPersistentObject() = default;
    // Creates the object through the virtual constructor of its class and reads it from reader.
    static TPersistentObject* CreateFromArchive(TClass cls, TVirtualReader* reader);

    // Bytes written raw before the archive and checked on loading; empty for every class here.
    virtual AnsiString Signature() const { return {}; }
    virtual TVirtualWriterClass DefaultWriterClass() const;
    virtual TVirtualReaderClass DefaultReaderClass() const;

    // A new object of the same class holding a copy of this one; the caller owns it.
    virtual TPersistentObject* Duplicate();
    // From an object of exactly this class: a deep copy through an archive in memory.
    void Assign(TPersistent* source) override;

    // Each descendant writes its archive version first, then its data, after its parent's.
    void WriteToArchive(TVirtualWriter* writer) override;
    void ReadFromArchive(TVirtualReader* reader) override;

    // A null class means the binary writer or reader. The writer, reader and any file opened
    // are freed on every path; after a failed load the object keeps what was read.
    virtual void SaveToStream(TStream* stream, TVirtualWriterClass writerClass = nullptr);
    virtual void LoadFromStream(TStream* stream, TVirtualReaderClass readerClass = nullptr);
    // A null class means the class's default writer or reader.
    virtual void SaveToFile(const String& fileName, TVirtualWriterClass writerClass = nullptr);
    virtual void LoadFromFile(const String& fileName, TVirtualReaderClass readerClass = nullptr);
    virtual AnsiString SaveToString(TVirtualWriterClass writerClass = nullptr);
    virtual void LoadFromString(const AnsiString& data, TVirtualReaderClass readerClass = nullptr);

    // EFilerException "<class name> : unknown archive version <version>".
    [[noreturn]] void RaiseArchiveVersionError(Integer version) const;
};
