#include "PersistentObject.h"

#include <memory>

#include "ApplicationFileIO.h"
#include "BinaryArchive.h"
#include "SysUtils.h"

void RaiseArchiveVersionErrorFor(TClass cls, Integer version) {
    throw EFilerException(cls->ClassName() + L" : unknown archive version " + IntToStr(version));
}

void TPersistentObject::RaiseArchiveVersionError(Integer version) const {
    RaiseArchiveVersionErrorFor(ClassType(), version);
}

TPersistentObject* TPersistentObject::CreateFromArchive(TClass cls, TVirtualReader* reader) {
    std::unique_ptr<TObject> created(cls->Create());
    auto* object = dynamic_cast<TPersistentObject*>(created.get());
    if (!object) throw EInvalidOperation(cls->ClassName() + L" is not a persistent object class");
    object->ReadFromArchive(reader);
    created.release();
    return object;
}

TVirtualWriterClass TPersistentObject::DefaultWriterClass() const { return TBinaryWriter::StaticClass(); }

TVirtualReaderClass TPersistentObject::DefaultReaderClass() const { return TBinaryReader::StaticClass(); }

TPersistentObject* TPersistentObject::Duplicate() {
    std::unique_ptr<TObject> copy(ClassType()->Create());
    auto* result = static_cast<TPersistentObject*>(copy.get());
    result->Assign(this);
    copy.release();
    return result;
}

void TPersistentObject::Assign(TPersistent* source) {
    if (source && source->ClassType() == ClassType()) {
        TStringStream buffer;
        static_cast<TPersistentObject*>(source)->SaveToStream(&buffer);
        buffer.SetPosition(0);
        LoadFromStream(&buffer);
        return;
    }
    TPersistent::Assign(source);
}

void TPersistentObject::WriteToArchive(TVirtualWriter* writer) {
    Assert(writer != nullptr, L"PersistentClasses: no writer");
}

void TPersistentObject::ReadFromArchive(TVirtualReader* reader) {
    Assert(reader != nullptr, L"PersistentClasses: no reader");
}

void TPersistentObject::SaveToStream(TStream* stream, TVirtualWriterClass writerClass) {
    if (!writerClass) writerClass = TBinaryWriter::StaticClass();
    std::unique_ptr<TVirtualWriter> writer(writerClass->CreateWriter(stream));
    AnsiString signature = Signature();
    if (!signature.empty()) writer->Write(signature.data(), Integer(signature.size()));
    WriteToArchive(writer.get());
}

void TPersistentObject::LoadFromStream(TStream* stream, TVirtualReaderClass readerClass) {
    if (!readerClass) readerClass = TBinaryReader::StaticClass();
    std::unique_ptr<TVirtualReader> reader(readerClass->CreateReader(stream));
    AnsiString signature = Signature();
    if (!signature.empty()) {
        AnsiString found(signature.size(), '\0');
        if (stream->Read(found.data(), Integer(found.size())) != Integer(found.size()) || found != signature)
            throw EInvalidFileSignature(L"Invalid file signature");
    }
    ReadFromArchive(reader.get());
}

void TPersistentObject::SaveToFile(const String& fileName, TVirtualWriterClass writerClass) {
    if (!writerClass) writerClass = DefaultWriterClass();
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmCreate);
    SaveToStream(stream.get(), writerClass);
}

void TPersistentObject::LoadFromFile(const String& fileName, TVirtualReaderClass readerClass) {
    if (!readerClass) readerClass = DefaultReaderClass();
    std::unique_ptr<TStream> stream = CreateHookedFileStream(fileName, fmOpenReadDenyWrite);
    LoadFromStream(stream.get(), readerClass);
}

AnsiString TPersistentObject::SaveToString(TVirtualWriterClass writerClass) {
    TStringStream stream;
    SaveToStream(&stream, writerClass);
    return stream.DataString();
}

void TPersistentObject::LoadFromString(const AnsiString& data, TVirtualReaderClass readerClass) {
    TStringStream stream(data);
    stream.SetPosition(0);
    LoadFromStream(&stream, readerClass);
}
