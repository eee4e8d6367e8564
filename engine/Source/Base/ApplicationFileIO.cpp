#include "ApplicationFileIO.h"

#include "SysUtils.h"

TCreateFileStreamHook CreateFileStreamHook = nullptr;
TFileStreamExistsHook FileStreamExistsHook = nullptr;
TApplicationFileIO* FileIOProvider = nullptr;

namespace {

[[noreturn]] void FileNotFound(const String& fileName) { throw Exception(L"File not found: \"" + fileName + L"\""); }

}  // namespace

bool FileIOHooksActive() { return (CreateFileStreamHook && FileStreamExistsHook) || FileIOProvider; }

std::unique_ptr<TStream> CreateHookedFileStream(const String& fileName, Word mode) {
    if (CreateFileStreamHook) {
        // The hook has the last word: no stream from it means no such file, never a null stream.
        std::unique_ptr<TStream> stream(CreateFileStreamHook(fileName, mode));
        if (!stream) FileNotFound(fileName);
        return stream;
    }
    if (FileIOProvider && FileIOProvider->OnFileStream) {
        std::unique_ptr<TStream> stream(FileIOProvider->OnFileStream(fileName, mode));
        if (stream) return stream;
    }
    if ((mode & fmCreate) == fmCreate || FileExists(fileName)) return std::make_unique<TFileStream>(fileName, mode);
    FileNotFound(fileName);
}

bool HookedFileExists(const String& fileName) {
    if (FileStreamExistsHook) return FileStreamExistsHook(fileName);
    if (FileIOProvider && FileIOProvider->OnFileStreamExists) return FileIOProvider->OnFileStreamExists(fileName);
    return FileExists(fileName);
}

TDataFile* TDataFile::CreateLike(TPersistent* owner) const {
    return static_cast<TDataFile*>(ClassType()->Create(owner));
}

void TDataFile::LoadFromFile(const String& fileName) {
    storedName_ = ExtractFileName(fileName);
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmOpenReadDenyNone);
    LoadFromStream(stream.get());
}

void TDataFile::SaveToFile(const String& fileName) {
    storedName_ = ExtractFileName(fileName);
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmCreate);
    SaveToStream(stream.get());
}

void TDataFile::SaveToStream(TStream* stream) {
    String target = stream ? stream->ClassName() : String(L"nil");
    Assert(false, L"Export for " + ClassName() + L" to " + target + L" not available.");
}

TDataFile* CreateDataFileLike(const TDataFile* dataFile, TPersistent* owner) {
    return dataFile ? dataFile->CreateLike(owner) : nullptr;
}
