#include "Streams.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>

// ---- TStream -------------------------------------------------------------------------------

Int64 TStream::Size() {
    Int64 saved = Seek(0, soCurrent);
    Int64 size = Seek(0, soEnd);
    Seek(saved, soBeginning);
    return size;
}

void TStream::SetSize(Int64) { throw EStreamError(L"Stream size cannot be changed"); }

void TStream::ReadBuffer(void* buffer, Integer count) {
    if (count > 0 && Read(buffer, count) != count) throw EReadError(L"Stream read error");
}

void TStream::WriteBuffer(const void* buffer, Integer count) {
    if (count > 0 && Write(buffer, count) != count) throw EWriteError(L"Stream write error");
}

Int64 TStream::CopyFrom(TStream* source, Int64 count) {
    if (count == 0) {
        source->SetPosition(0);
        count = source->Size();
    }
    const Integer chunk = 64 * 1024;
    std::unique_ptr<Byte[]> buffer(new Byte[size_t(std::min<Int64>(count, chunk)) + 1]);
    Int64 done = 0;
    while (done < count) {
        Integer n = Integer(std::min<Int64>(count - done, chunk));
        source->ReadBuffer(buffer.get(), n);
        WriteBuffer(buffer.get(), n);
        done += n;
    }
    return done;
}

// ---- THandleStream, TFileStream ------------------------------------------------------------

Integer THandleStream::Read(void* buffer, Integer count) {
    DWORD done = 0;
    if (count <= 0 || !ReadFile(handle_, buffer, DWORD(count), &done, nullptr)) return 0;
    return Integer(done);
}

Integer THandleStream::Write(const void* buffer, Integer count) {
    DWORD done = 0;
    if (count <= 0 || !WriteFile(handle_, buffer, DWORD(count), &done, nullptr)) return 0;
    return Integer(done);
}

Int64 THandleStream::Seek(Int64 offset, TSeekOrigin origin) {
    static const DWORD methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER distance, result;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(handle_, distance, &result, methods[origin])) return -1;
    return result.QuadPart;
}

void THandleStream::SetSize(Int64 newSize) {
    Seek(newSize, soBeginning);
    Win32Check(SetEndOfFile(handle_));
}

namespace {

DWORD ShareModeOf(Word mode) {
    switch (mode & 0x00F0) {
        case fmShareDenyWrite:
            return FILE_SHARE_READ;
        case fmShareDenyRead:
            return FILE_SHARE_WRITE;
        case fmShareDenyNone:
            return FILE_SHARE_READ | FILE_SHARE_WRITE;
        default:
            return 0;  // exclusive, and the compatibility mode
    }
}

}  // namespace

TFileStream::TFileStream(const String& fileName, Word mode) : THandleStream(INVALID_HANDLE_VALUE), fileName_(fileName) {
    if ((mode & fmCreate) == fmCreate) {
        handle_ = CreateFileW(fileName.c_str(), GENERIC_READ | GENERIC_WRITE, ShareModeOf(mode), nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle_ == INVALID_HANDLE_VALUE)
            throw EFCreateError(L"Cannot create file \"" + fileName + L"\". " + SysErrorMessage(GetLastError()));
        return;
    }
    static const DWORD access[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE, GENERIC_READ};
    handle_ = CreateFileW(fileName.c_str(), access[mode & 3], ShareModeOf(mode), nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE)
        throw EFOpenError(L"Cannot open file \"" + fileName + L"\". " + SysErrorMessage(GetLastError()));
}

TFileStream::~TFileStream() {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
}

// ---- TCustomMemoryStream, TMemoryStream ----------------------------------------------------

void TCustomMemoryStream::SetPointer(void* memory, Int64 size) {
    memory_ = memory;
    size_ = size;
}

Integer TCustomMemoryStream::Read(void* buffer, Integer count) {
    if (count <= 0 || position_ < 0 || position_ >= size_) return 0;
    Integer n = Integer(std::min<Int64>(count, size_ - position_));
    std::memcpy(buffer, static_cast<Byte*>(memory_) + position_, size_t(n));
    position_ += n;
    return n;
}

Integer TCustomMemoryStream::Write(const void*, Integer) {
    throw EStreamError(L"Cannot write to a read-only memory stream");
}

Int64 TCustomMemoryStream::Seek(Int64 offset, TSeekOrigin origin) {
    switch (origin) {
        case soBeginning:
            position_ = offset;
            break;
        case soCurrent:
            position_ += offset;
            break;
        case soEnd:
            position_ = size_ + offset;
            break;
    }
    return position_;
}

void TCustomMemoryStream::SaveToStream(TStream* stream) {
    if (size_ > 0) stream->WriteBuffer(memory_, Integer(size_));
}

void TCustomMemoryStream::SaveToFile(const String& fileName) {
    TFileStream file(fileName, fmCreate);
    SaveToStream(&file);
}

TMemoryStream::~TMemoryStream() { std::free(memory_); }

void TMemoryStream::SetCapacity(Int64 newCapacity) {
    if (newCapacity <= capacity_) return;
    // Grow in steps so that many small writes do not copy the block each time.
    Int64 grown = std::max<Int64>(newCapacity, capacity_ + capacity_ / 2);
    grown = (grown + 0x1FFF) & ~Int64(0x1FFF);
    void* block = std::realloc(memory_, size_t(grown));
    if (!block) throw EOutOfResources(L"Out of memory while expanding memory stream");
    memory_ = block;
    capacity_ = grown;
}

Integer TMemoryStream::Write(const void* buffer, Integer count) {
    if (count <= 0 || position_ < 0) return 0;
    Int64 end = position_ + count;
    if (end > size_) SetSize(end);
    std::memcpy(static_cast<Byte*>(memory_) + position_, buffer, size_t(count));
    position_ = end;
    return count;
}

void TMemoryStream::SetSize(Int64 newSize) {
    if (newSize < 0) newSize = 0;
    SetCapacity(newSize);
    if (newSize > size_) std::memset(static_cast<Byte*>(memory_) + size_, 0, size_t(newSize - size_));
    size_ = newSize;
    if (position_ > size_) position_ = size_;
}

void TMemoryStream::Clear() {
    std::free(memory_);
    memory_ = nullptr;
    capacity_ = size_ = position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream* stream) {
    stream->SetPosition(0);
    Int64 count = stream->Size();
    SetSize(count);
    if (count > 0) stream->ReadBuffer(memory_, Integer(count));
    position_ = 0;
}

void TMemoryStream::LoadFromFile(const String& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(&file);
}

// ---- TStringStream -------------------------------------------------------------------------

TStringStream::TStringStream(const AnsiString& data) {
    WriteString(data);
    position_ = 0;
}

AnsiString TStringStream::DataString() const { return AnsiString(static_cast<const char*>(memory_), size_t(size_)); }

AnsiString TStringStream::ReadString(Integer count) {
    AnsiString text(size_t(std::max<Int64>(0, std::min<Int64>(count, size_ - position_))), '\0');
    Read(text.data(), Integer(text.size()));
    return text;
}

void TStringStream::WriteString(const AnsiString& text) { WriteBuffer(text.data(), Integer(text.size())); }

// ---- TResourceStream -----------------------------------------------------------------------

TResourceStream::TResourceStream(HMODULE instance, const wchar_t* name, const wchar_t* type) {
    HRSRC info = FindResourceW(instance, name, type);
    HGLOBAL data = info ? LoadResource(instance, info) : nullptr;
    if (!data) {
        String shown = IS_INTRESOURCE(name) ? L"#" + std::to_wstring(reinterpret_cast<ULONG_PTR>(name)) : String(name);
        throw EResNotFound(L"Resource " + shown + L" not found");
    }
    SetPointer(LockResource(data), SizeofResource(instance, info));
}

// ---- TBytes helpers ------------------------------------------------------------------------

TBytes StreamBytes(TStream* stream) {
    stream->SetPosition(0);
    TBytes bytes(size_t(stream->Size()));
    if (!bytes.empty()) stream->ReadBuffer(bytes.data(), Integer(bytes.size()));
    return bytes;
}

TBytes FileBytes(const String& fileName) {
    TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
    return StreamBytes(&file);
}
