#pragma once
// Streams: the abstract TStream and its file, memory, string and resource kinds.
//
// Sections: TStream · THandleStream/TFileStream · TCustomMemoryStream/TMemoryStream ·
// TStringStream · TResourceStream · TBytes helpers.
//
// Positions and sizes are 64-bit; single transfers are counted in Integer bytes. Read and Write
// move what they can and return the count; ReadBuffer and WriteBuffer raise EReadError "Stream
// read error" / EWriteError "Stream write error" when the whole block could not be moved.

#include <vector>

#include "SysExceptions.h"
#include "SysObject.h"

using TBytes = std::vector<Byte>;

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// ---- TStream -------------------------------------------------------------------------------

class TStream : public TObject {
    Z_CLASS(TStream, TObject)
public:
    // Moves up to count bytes; returns how many were moved (0 at the end).
    virtual Integer Read(void* buffer, Integer count) = 0;
    virtual Integer Write(const void* buffer, Integer count) = 0;
    // Moves the position; returns the new position from the beginning.
    virtual Int64 Seek(Int64 offset, TSeekOrigin origin) = 0;

    Int64 Position() { return Seek(0, soCurrent); }
    void SetPosition(Int64 position) { Seek(position, soBeginning); }
    virtual Int64 Size();
    // Not every stream can change its size; those that cannot raise EStreamError.
    virtual void SetSize(Int64 newSize);

    void ReadBuffer(void* buffer, Integer count);
    void WriteBuffer(const void* buffer, Integer count);
    // Copies count bytes from source's position; count 0 copies the whole of source from its
    // beginning. Returns the number copied.
    Int64 CopyFrom(TStream* source, Int64 count);

    // Whole values in the machine's byte order.
    template <class T>
    void ReadData(T& value) {
        ReadBuffer(&value, Integer(sizeof(T)));
    }
    template <class T>
    void WriteData(const T& value) {
        WriteBuffer(&value, Integer(sizeof(T)));
    }
};

// ---- THandleStream, TFileStream ------------------------------------------------------------

// Open modes: one access mode combined with one share mode. fmCreate makes (or empties) the
// file and opens it for reading and writing.
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;  // as exclusive
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// A stream over a Win32 file handle that someone else owns.
class THandleStream : public TStream {
    Z_CLASS(THandleStream, TStream)
public:
    explicit THandleStream(HANDLE handle) : handle_(handle) {}
    HANDLE Handle() const { return handle_; }

    Integer Read(void* buffer, Integer count) override;
    Integer Write(const void* buffer, Integer count) override;
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    void SetSize(Int64 newSize) override;  // raises EOSError when the system refuses

protected:
    HANDLE handle_;
};

// A stream over a named file, which it opens and closes. Failing to open raises EFOpenError
// (EFCreateError with fmCreate) naming the file and giving the system's reason.
class TFileStream : public THandleStream {
    Z_CLASS(TFileStream, THandleStream)
public:
    TFileStream(const String& fileName, Word mode);
    ~TFileStream() override;
    const String& FileName() const { return fileName_; }

private:
    String fileName_;
};

// ---- TCustomMemoryStream, TMemoryStream ----------------------------------------------------

// A stream over a block of memory. The base reads memory it is given (SetPointer) and cannot
// grow; TMemoryStream owns its block and grows it on writes.
class TCustomMemoryStream : public TStream {
    Z_CLASS(TCustomMemoryStream, TStream)
public:
    void* Memory() const { return memory_; }
    Integer Read(void* buffer, Integer count) override;
    Integer Write(const void* buffer, Integer count) override;  // raises EStreamError
    Int64 Seek(Int64 offset, TSeekOrigin origin) override;
    Int64 Size() override { return size_; }

    void SaveToStream(TStream* stream);
    void SaveToFile(const String& fileName);

protected:
    void SetPointer(void* memory, Int64 size);
    void* memory_ = nullptr;
    Int64 size_ = 0;
    Int64 position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
    Z_CLASS(TMemoryStream, TCustomMemoryStream)
public:
    TMemoryStream() = default;
    ~TMemoryStream() override;

    Integer Write(const void* buffer, Integer count) override;
    void SetSize(Int64 newSize) override;  // new bytes read as zero
    void Clear();
    // Replaces the content with the whole of stream (from its beginning) or of the file.
    void LoadFromStream(TStream* stream);
    void LoadFromFile(const String& fileName);

protected:
    // Makes room for at least newCapacity bytes; raises EOutOfResources when memory runs out.
    void SetCapacity(Int64 newCapacity);
    Int64 capacity_ = 0;
};

// ---- TStringStream -------------------------------------------------------------------------

// A memory stream over 8-bit text: the bytes written are the data string.
class TStringStream : public TMemoryStream {
    Z_CLASS(TStringStream, TMemoryStream)
public:
    TStringStream() = default;
    explicit TStringStream(const AnsiString& data);
    AnsiString DataString() const;
    // Reads up to count bytes from the position.
    AnsiString ReadString(Integer count);
    void WriteString(const AnsiString& text);
};

// ---- TResourceStream -----------------------------------------------------------------------

// A read-only stream over a resource of a module. name and type may be strings or integer
// identifiers (MAKEINTRESOURCEW). A missing resource raises EResNotFound "Resource %s not found".
class TResourceStream : public TCustomMemoryStream {
    Z_CLASS(TResourceStream, TCustomMemoryStream)
public:
    TResourceStream(HMODULE instance, const wchar_t* name, const wchar_t* type);
    TResourceStream(HMODULE instance, const String& name, const wchar_t* type)
        : TResourceStream(instance, name.c_str(), type) {}
};

// ---- TBytes helpers ------------------------------------------------------------------------

// The whole of a stream from its beginning.
TBytes StreamBytes(TStream* stream);
TBytes FileBytes(const String& fileName);  // raises EFOpenError
