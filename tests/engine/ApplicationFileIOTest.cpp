#include <gtest/gtest.h>

#include <map>

#include "ApplicationFileIO.h"
#include "GLUtils.h"
#include "SysUtils.h"
#include "TestSupport.h"

namespace {

// Files that exist only in memory, served by the hooks or the provider.
std::map<String, AnsiString> virtualFiles;

TStream* VirtualStream(const String& fileName, Word) {
    auto found = virtualFiles.find(fileName);
    return found == virtualFiles.end() ? nullptr : new TStringStream(found->second);
}

bool VirtualExists(const String& fileName) { return virtualFiles.count(fileName) != 0; }

class FileIOHooks : public testing::Test {
protected:
    void SetUp() override { virtualFiles = {{L"virtual.txt", "in memory"}}; }
    void TearDown() override {
        CreateFileStreamHook = nullptr;
        FileStreamExistsHook = nullptr;
        FileIOProvider = nullptr;
    }
    TTempFolder folder;
};

TEST_F(FileIOHooks, PlainFileSystemWithoutHooks) {
    EXPECT_FALSE(FileIOHooksActive());
    String name = folder.File(L"new.bin");
    ASSERT_FALSE(FileExists(name));
    {
        std::unique_ptr<TStream> created = CreateHookedFileStream(name, fmCreate);
        EXPECT_TRUE(Is<TFileStream>(created.get()));
        created->WriteBuffer("abc", 3);
    }
    EXPECT_TRUE(HookedFileExists(name));
    EXPECT_EQ(CreateHookedFileStream(name, fmOpenReadDenyWrite)->Size(), 3);

    String missing = folder.File(L"missing.bin");
    EXPECT_EQ(MessageOf([&] { CreateHookedFileStream(missing, fmOpenReadDenyNone); }),
              "File not found: \"" + Utf8(missing) + "\"");
    EXPECT_FALSE(HookedFileExists(missing));
    // The name is quoted exactly as given, relative or not.
    EXPECT_EQ(MessageOf([] { CreateHookedFileStream(L"models\\no such.smd", fmOpenReadDenyWrite); }),
              "File not found: \"models\\no such.smd\"");
}

TEST_F(FileIOHooks, HooksRedirectEveryOpen) {
    CreateFileStreamHook = &VirtualStream;
    EXPECT_FALSE(FileIOHooksActive());  // both hooks are needed
    FileStreamExistsHook = &VirtualExists;
    EXPECT_TRUE(FileIOHooksActive());

    EXPECT_TRUE(HookedFileExists(L"virtual.txt"));
    EXPECT_EQ(LoadTextFromFile(L"virtual.txt"), "in memory");
    // A real file is invisible behind the hooks, and a hook with no stream means no file,
    // even when creating.
    String real = folder.File(L"real.txt");
    CreateFileStreamHook = nullptr;
    SaveTextToFile(real, "on disk");
    CreateFileStreamHook = &VirtualStream;
    EXPECT_FALSE(HookedFileExists(real));
    EXPECT_EQ(MessageOf([&] { CreateHookedFileStream(real, fmOpenReadDenyNone); }),
              "File not found: \"" + Utf8(real) + "\"");
    EXPECT_EQ(MessageOf([] { CreateHookedFileStream(L"elsewhere.txt", fmCreate); }),
              "File not found: \"elsewhere.txt\"");
}

TEST_F(FileIOHooks, ProviderAnswersWhenNoHookIsSet) {
    struct TProviderHandlers {
        int asked = 0;
        TStream* Stream(const String& fileName, Word mode) {
            ++asked;
            return VirtualStream(fileName, mode);
        }
        bool Exists(const String& fileName) { return VirtualExists(fileName); }
    } handlers;
    TApplicationFileIO provider;
    FileIOProvider = &provider;
    EXPECT_TRUE(FileIOHooksActive());
    // Without its events the provider changes nothing.
    String real = folder.File(L"real.txt");
    SaveTextToFile(real, "on disk");
    EXPECT_TRUE(HookedFileExists(real));

    provider.OnFileStream = MakeEvent(&handlers, &TProviderHandlers::Stream);
    provider.OnFileStreamExists = MakeEvent(&handlers, &TProviderHandlers::Exists);
    EXPECT_EQ(LoadTextFromFile(L"virtual.txt"), "in memory");
    // A provider with no stream falls back to the plain file.
    EXPECT_FALSE(HookedFileExists(real));
    EXPECT_EQ(CreateHookedFileStream(real, fmOpenReadDenyNone)->Size(), 7);
    EXPECT_EQ(MessageOf([&] { CreateHookedFileStream(folder.File(L"none"), fmOpenReadDenyNone); }),
              "File not found: \"" + Utf8(folder.File(L"none")) + "\"");

    // The stream hook comes before the provider.
    int askedBefore = handlers.asked;
    CreateFileStreamHook = &VirtualStream;
    EXPECT_EQ(MessageOf([&] { CreateHookedFileStream(real, fmOpenReadDenyNone); }),
              "File not found: \"" + Utf8(real) + "\"");
    EXPECT_EQ(handlers.asked, askedBefore);
}

// A reader that keeps what it read; it cannot write.
class TBytesReader : public TDataFile {
    Z_CLASS(TBytesReader, TDataFile)
public:
    using TDataFile::TDataFile;
    void LoadFromStream(TStream* stream) override { text = StreamBytes(stream); }
    TBytes text;
};

class TBytesFile : public TBytesReader {
    Z_CLASS(TBytesFile, TBytesReader)
public:
    using TBytesReader::TBytesReader;
    static TDataFileCapabilities Capabilities() { return {dfcRead, dfcWrite}; }
    void SaveToStream(TStream* stream) override { stream->WriteBuffer(text.data(), Integer(text.size())); }
};

TEST_F(FileIOHooks, DataFileSavesAndLoadsByName) {
    TPersistent owner;
    TBytesFile writer(&owner);
    EXPECT_EQ(writer.GetOwner(), &owner);
    writer.text = {1, 0, 255};
    String name = folder.File(L"data.bin");
    writer.SaveToFile(name);
    EXPECT_EQ(Utf8(writer.StoredName()), "data.bin");

    TBytesFile reader(nullptr);
    reader.LoadFromFile(name);
    EXPECT_EQ(reader.text, writer.text);
    EXPECT_EQ(Utf8(reader.StoredName()), "data.bin");
    EXPECT_EQ(TBytesFile::StaticClass(), reader.ClassType());

    EXPECT_EQ(TDataFile::Capabilities(), TDataFileCapabilities{dfcRead});
    EXPECT_TRUE(reader.ClassType()->Capabilities().Contains(dfcWrite));
    EXPECT_EQ(TBytesReader::StaticClass()->Capabilities(), TDataFileCapabilities{dfcRead});
}

TEST_F(FileIOHooks, DataFileFailures) {
    TBytesReader reader(nullptr);
    // The stored name is set before the file is opened.
    EXPECT_EQ(MessageOf([&] { reader.LoadFromFile(L"C:\\models\\bot.smd"); }),
              "File not found: \"C:\\models\\bot.smd\"");
    EXPECT_EQ(Utf8(reader.StoredName()), "bot.smd");

    String name = folder.File(L"cannot.bin");
    std::string message = MessageOf([&] { reader.SaveToFile(name); });
    EXPECT_EQ(message.rfind("Export for TBytesReader to TFileStream not available.", 0), 0u) << message;
    EXPECT_EQ(Utf8(reader.StoredName()), "cannot.bin");
    EXPECT_THROW(reader.SaveToStream(nullptr), EAssertionFailed);
}

TEST_F(FileIOHooks, CreateLikeMakesAnEmptySibling) {
    TPersistent owner;
    TBytesFile original(nullptr);
    original.text = {7};
    std::unique_ptr<TDataFile> like(original.CreateLike(&owner));
    ASSERT_TRUE(like);
    EXPECT_EQ(like->ClassType(), TBytesFile::StaticClass());
    EXPECT_EQ(like->GetOwner(), &owner);
    EXPECT_TRUE(static_cast<TBytesFile*>(like.get())->text.empty());
    EXPECT_EQ(CreateDataFileLike(nullptr, &owner), nullptr);
    std::unique_ptr<TDataFile> again(CreateDataFileLike(&original, nullptr));
    EXPECT_EQ(again->ClassType(), TBytesFile::StaticClass());
}

TEST_F(FileIOHooks, TextFileHelpers) {
    String name = folder.File(L"text.bin");
    const AnsiString bytes("a\0b\xff\r\n", 6);
    SaveTextToFile(name, bytes);
    EXPECT_EQ(FileSizeOf(name), 6);
    EXPECT_EQ(LoadTextFromFile(name), bytes);

    // Read with sharing allowed: another writer holding the file does not stop it.
    {
        TFileStream holder(name, fmOpenReadWrite | fmShareDenyNone);
        EXPECT_EQ(LoadTextFromFile(name), bytes);
    }

    SaveTextToFile(name, "");
    EXPECT_TRUE(FileExists(name));
    EXPECT_EQ(FileSizeOf(name), 0);
    EXPECT_EQ(LoadTextFromFile(name), "");

    EXPECT_EQ(LoadTextFromFile(folder.File(L"missing")), "");
    EXPECT_EQ(FileSizeOf(folder.File(L"missing")), 0);
    EXPECT_EQ(FileSizeOf(folder.Path()), 0);
}

}  // namespace
