#include <gtest/gtest.h>

#include <memory>

#include "ApplicationFileIO.h"
#include "BinaryArchive.h"
#include "Bitmap.h"
#include "GLMaterial.h"
#include "GLUtils.h"
#include "ImageFixtures.h"
#include "PersistentObject.h"
#include "TGA.h"
#include "TestSupport.h"

namespace {

TEST(MaterialLibrary, EntryNamesAreUniqueAndCaseSensitive) {
    TGLMaterialLibrary library(nullptr);
    TGLLibMaterial* first = library.Materials()->Add();
    TGLLibMaterial* second = library.Materials()->Add();
    EXPECT_EQ(first->Name(), L"LibMaterial");
    EXPECT_EQ(second->Name(), L"LibMaterial1");
    second->SetName(L"LibMaterial");  // taken: the first free number follows (its own counts)
    EXPECT_EQ(second->Name(), L"LibMaterial2");
    second->SetName(L"sky");
    EXPECT_EQ(library.EntryByName(L"sky"), second);
    EXPECT_EQ(library.EntryByName(L"Sky"), nullptr);
    EXPECT_EQ(second->NameHash(), LibMaterialNameHash(L"sky"));
    EXPECT_EQ(LibMaterialNameHash(L""), 0);
    EXPECT_EQ(LibMaterialNameHash(L"ab"), (2 * (2 * 2 + 'a')) + 'b');

    EXPECT_EQ(TGLMaterialLibrary::TextureOfEntry(&library, L""), nullptr);
    EXPECT_EQ(TGLMaterialLibrary::TextureOfEntry(&library, L"sky"), second->Material()->Texture());
    EXPECT_EQ(TGLMaterialLibrary::EntryNameOfTexture(&library, second->Material()->Texture()), L"sky");
    try {
        TGLMaterialLibrary::TextureOfEntry(&library, L"Sea");
        ADD_FAILURE();
    } catch (const ETexture& e) {
        EXPECT_EQ(Utf8(e.Message()), "Error: Material \"Sea\" not found in current Material Library!");
    }
    try {
        TGLMaterialLibrary::TextureOfEntry(nullptr, L"Sea");
        ADD_FAILURE();
    } catch (const ETexture& e) {
        EXPECT_EQ(Utf8(e.Message()), "Error: Material Library not defined!");
    }
}

TEST(MaterialLibrary, TexturePathsAndTheSearchForTextureFiles) {
    TTempFolder folder;
    CreateDirectoryW(folder.File(L"textures").c_str(), nullptr);
    SaveTextToFile(folder.File(L"textures\\grass.bmp"), "x");
    TGLMaterialLibrary library(nullptr);
    library.SetTexturePaths(L" \t" + folder.File(L"empty") + L" ; ;;" + folder.File(L"textures") + L"\\ ");
    EXPECT_EQ(library.TexturePathList(), (std::vector<String>{folder.File(L"empty\\"), folder.File(L"textures\\")}));

    TGLLibMaterial* entry = library.Materials()->Add();
    String name = L"grass.bmp";
    entry->TextureNeeded(nullptr, name);
    EXPECT_EQ(name, folder.File(L"textures\\grass.bmp"));
    for (const String& kept : {String(L"C:grass.bmp"), String(L"\\grass.bmp"), String(L"stone.bmp")}) {
        String same = kept;
        entry->TextureNeeded(nullptr, same);
        EXPECT_EQ(same, kept);
    }
    library.SetTexturePaths(L"");
    EXPECT_TRUE(library.TexturePathList().empty());
}

TEST(MaterialLibrary, NewTextureMaterials) {
    TTempFolder folder;
    TFileBytes tga = TgaHeader(2, 4, 1, 24);
    Append(tga, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12});
    WriteBytesToFile(folder.File(L"rock.tga"), tga);
    TGLMaterialLibrary library(nullptr);
    TGLLibMaterial* rock = library.NewTextureMaterial(L"Rock", folder.File(L"rock.tga"), true);
    TGLTexture* texture = rock->Material()->Texture();
    EXPECT_TRUE(texture->Enabled());
    EXPECT_EQ(texture->TextureMode(), tmModulate);
    EXPECT_EQ(texture->ImageClassName(), L"TGLPersistentImage");
    EXPECT_EQ(texture->Image()->ImageWidth(), 4);

    TGLLibMaterial* lazy = library.NewTextureMaterial(L"Rock", L"later.tga", false);
    EXPECT_EQ(lazy->Name(), L"Rock1");
    EXPECT_EQ(static_cast<TGLPicFileImage*>(lazy->Material()->Texture()->Image())->PictureFileName(), L"later.tga");

    EXPECT_THROW(library.NewTextureMaterial(L"Gone", folder.File(L"gone.tga"), true), ETexture);
    EXPECT_NE(library.EntryByName(L"Gone"), nullptr);  // added before the image failed
}

// Writes an archive by hand for the older versions of the file.
TFileBytes LibraryFile(const std::function<void(TBinaryWriter&)>& body) {
    TMemoryStream stream;
    TBinaryWriter writer(&stream);
    body(writer);
    return StreamBytes(&stream);
}

void WriteColour3(TBinaryWriter& w, float r, float g, float b) {
    const float v[3] = {r, g, b};
    w.Write(v, 12);
}

void WriteColour4(TBinaryWriter& w, float r, float g, float b, float a) {
    const float v[4] = {r, g, b, a};
    w.Write(v, 16);
}

TEST(MaterialLibraryFile, Version2RoundTrip) {
    TGLMaterialLibrary library(nullptr);
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(4, 2);
    picture.Canvas()->SetPixels(0, 0, 0x0000FF);
    TGLLibMaterial* brick = library.AddBitmapMaterial(L"Brick", &picture);
    brick->Material()->FrontProperties()->Diffuse()->AssignRGBA(0.1f, 0.2f, 0.3f, 0.4f);
    brick->Material()->BackProperties()->SetPolygonMode(pmLines);
    brick->Material()->SetBlendingMode(bmAlphaTest100);
    brick->Material()->SetMaterialOptions(TMaterialOptions{} + moNoLighting);
    brick->TextureOffset()->SetPoint(0.5f, 0, 0);
    brick->SetTexture2Name(L"Plain");
    TGLTextureExItem* item = brick->Material()->TextureEx()->Add();
    item->SetTextureIndex(2);
    TGLLibMaterial* plain = library.Materials()->Add();
    plain->SetName(L"Plain");
    plain->Material()->Texture()->Image()->Assign(&picture);  // disabled: its picture is not written

    TMemoryStream stream;
    library.SaveToStream(&stream);
    stream.SetPosition(0);
    TGLMaterialLibrary read(nullptr);
    read.Materials()->Add();  // replaced by the file's entries
    read.LoadFromStream(&stream);
    ASSERT_EQ(read.Materials()->Count(), 2);
    TGLLibMaterial* b = read.EntryByName(L"Brick");
    ASSERT_NE(b, nullptr);
    EXPECT_TRUE(b->Material()->Texture()->Enabled());
    EXPECT_EQ(b->Material()->Texture()->Image()->ImageWidth(), 4);
    EXPECT_EQ(b->Material()->FrontProperties()->Diffuse()->Color().W, 0.4f);
    EXPECT_EQ(b->Material()->BackProperties()->PolygonMode(), pmLines);
    EXPECT_EQ(b->Material()->BlendingMode(), bmAlphaTest100);
    EXPECT_TRUE(b->Material()->MaterialOptions().Contains(moNoLighting));
    EXPECT_EQ(b->TextureOffset()->AsVector().X, 0.5f);
    EXPECT_EQ(b->Texture2Name(), L"Plain");
    ASSERT_EQ(b->Material()->TextureEx()->Count(), 1);
    EXPECT_EQ(b->Material()->TextureEx()->ItemAt(0)->TextureIndex(), 2);
    TGLLibMaterial* p = read.EntryByName(L"Plain");
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(p->Material()->Texture()->Image()->ImageWidth(), 0);
}

TEST(MaterialLibraryFile, OlderVersionsAndDuplicateNames) {
    const TFileBytes v0 = LibraryFile([](TBinaryWriter& w) {
        w.WriteInteger(0);
        w.WriteInteger(2);
        for (int i = 0; i < 2; ++i) {
            w.WriteString("Same");
            w.WriteBoolean(false);
            WriteColour3(w, 0.5f, 0.5f, 0.5f);
            WriteColour4(w, 1, 0, 0, 0.5f);
            WriteColour3(w, 0, 0, 0);
            WriteColour3(w, 0, 0, 0);
        }
    });
    TGLMaterialLibrary library(nullptr);
    LoadFromBytes(library, v0);
    ASSERT_EQ(library.Materials()->Count(), 2);
    EXPECT_EQ(library.Materials()->ItemAt(1)->Name(), L"Same1");
    TGLFaceProperties* front = library.Materials()->ItemAt(0)->Material()->FrontProperties();
    EXPECT_EQ(front->Diffuse()->Color().W, 0.5f);
    EXPECT_EQ(front->Ambient()->Color().X, 0.5f);
    EXPECT_EQ(front->Ambient()->Color().W, 1.0f);  // the alpha keeps its value

    const TFileBytes v1 = LibraryFile([](TBinaryWriter& w) {
        w.WriteInteger(1);
        w.WriteInteger(1);
        w.WriteString("Glass");
        w.WriteBoolean(false);
        for (int face = 0; face < 2; ++face) {
            WriteColour3(w, 0, 0, 0);
            WriteColour4(w, 0, 0, 1, 0.25f);
            WriteColour3(w, 0, 0, 0);
            WriteColour3(w, 0, 0, 0);
            const Byte shininess = 64;
            w.Write(&shininess, 1);
            w.WriteInteger(face == 0 ? pmFill : pmPoints);
        }
        w.WriteInteger(bmTransparency);
        w.WriteInteger(2);
        const Byte options[2] = {1, 0xFF};  // the second byte is skipped
        w.Write(options, 2);
        WriteColour3(w, 0, 0, 0);
        WriteColour3(w, 2, 2, 1);
        w.WriteString("");
    });
    LoadFromBytes(library, v1);
    ASSERT_EQ(library.Materials()->Count(), 1);
    TGLLibMaterial* glass = library.Materials()->ItemAt(0);
    EXPECT_EQ(glass->Material()->FrontProperties()->Shininess(), 64);
    EXPECT_EQ(glass->Material()->BackProperties()->PolygonMode(), pmPoints);
    EXPECT_EQ(glass->Material()->BlendingMode(), bmTransparency);
    EXPECT_EQ(glass->Material()->MaterialOptions(), TMaterialOptions{} + moIgnoreFog);
    EXPECT_EQ(glass->TextureScale()->AsVector().X, 2.0f);
}

TEST(MaterialLibraryFile, MutatedFilesLoadOrAreRefused) {
    TGLMaterialLibrary library(nullptr);
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(4, 2);
    TGLLibMaterial* entry = library.AddBitmapMaterial(L"Brick", &picture);
    entry->Material()->TextureEx()->Add()->Texture()->SetDisabled(false);
    entry->SetTexture2Name(L"Brick");
    library.Materials()->Add();
    TMemoryStream stream;
    library.SaveToStream(&stream);
    const TFileBytes valid = StreamBytes(&stream);
    std::uint32_t s = 5;
    auto next = [&s](std::uint32_t range) {
        s = s * 134775813u + 1u;
        return std::uint32_t((std::uint64_t(s) * range) >> 32);
    };
    int loaded = 0, refused = 0;
    for (int i = 0; i < 3000; ++i) {
        TFileBytes input = valid;
        if (next(8) == 0) input.resize(next(std::uint32_t(input.size())));
        const std::uint32_t changes = 1 + next(4);
        for (std::uint32_t k = 0; k < changes && !input.empty(); ++k)
            input[next(std::uint32_t(input.size()))] = next(2) ? Byte(next(256)) : Byte(0xFF);
        TGLMaterialLibrary target(nullptr);
        try {
            LoadFromBytes(target, input);
            ++loaded;
        } catch (const Exception&) {
            ++refused;
        }
    }
    EXPECT_GT(loaded, 0);
    EXPECT_GT(refused, 0);
}

TEST(MaterialLibraryFile, RefusesBadFiles) {
    auto errorOf = [](const TFileBytes& bytes) -> std::string {
        TGLMaterialLibrary library(nullptr);
        try {
            LoadFromBytes(library, bytes);
        } catch (const Exception& e) {
            return Utf8(e.Message());
        }
        return "";
    };
    EXPECT_EQ(errorOf(LibraryFile([](TBinaryWriter& w) { w.WriteInteger(3); })),
              "TGLMaterialLibrary : unknown archive version 3");
    // A count far beyond the data, and an enumeration value outside its type.
    EXPECT_NE(errorOf(LibraryFile([](TBinaryWriter& w) {
                  w.WriteInteger(2);
                  w.WriteInteger(100000000);
              })),
              "");
    EXPECT_EQ(errorOf(LibraryFile([](TBinaryWriter& w) {
                  w.WriteInteger(1);
                  w.WriteInteger(1);
                  w.WriteString("Odd");
                  w.WriteBoolean(false);
                  WriteColour3(w, 0, 0, 0);
                  WriteColour4(w, 0, 0, 0, 0);
                  WriteColour3(w, 0, 0, 0);
                  WriteColour3(w, 0, 0, 0);
                  const Byte shininess = 0;
                  w.Write(&shininess, 1);
                  w.WriteInteger(7);
              })),
              "Invalid material library value 7");
}

}  // namespace

#include "FormDescription.h"

namespace {

TEST(MaterialLibraryForm, EntriesRoundTripThroughAFormDescription) {
    TGLMaterialLibrary library(nullptr);
    library.SetName(L"libMaterials");
    library.SetTexturePaths(L"textures");
    TGLLibMaterial* sky = library.Materials()->Add();
    sky->SetName(L"Sky");
    sky->SetTag(7);
    TGLMaterial* material = sky->Material();
    material->SetBlendingMode(bmTransparency);
    material->SetMaterialOptions(TMaterialOptions{} + moNoLighting);
    material->FrontProperties()->SetShininess(20);
    TGLTexture* texture = material->Texture();
    texture->SetImageClassName(L"TGLPicFileImage");
    static_cast<TGLPicFileImage*>(texture->Image())->SetPictureFileName(L"sky.tga");
    texture->SetMinFilter(miNearest);
    texture->SetDisabled(false);
    TGLLibMaterial* blank = library.Materials()->Add();
    blank->SetName(L"Blank");
    blank->Material()->Texture()->SetImageClassName(L"TGLBlankImage");
    static_cast<TGLBlankImage*>(blank->Material()->Texture()->Image())->SetWidth(64);

    TGLLibMaterial* brick = library.Materials()->Add();
    brick->SetName(L"Brick");
    TTGAImage tga;
    tga.SetPixelFormat(pf32bit);
    tga.SetSize(4, 1);
    static_cast<Byte*>(tga.ScanLine(0))[3] = 99;
    static_cast<TGLPersistentImage*>(brick->Material()->Texture()->Image())->Picture()->SetGraphic(&tga);

    const AnsiString text = WriteComponentToText(&library);
    TGLMaterialLibrary read(nullptr);
    ReadComponentFromText(text, &read);
    EXPECT_EQ(read.TexturePaths(), L"textures");
    ASSERT_EQ(read.Materials()->Count(), 3) << text;
    TGLLibMaterial* s = read.EntryByName(L"Sky");
    ASSERT_NE(s, nullptr) << text;
    EXPECT_EQ(s->Tag(), 7);
    EXPECT_EQ(s->Material()->BlendingMode(), bmTransparency);
    EXPECT_TRUE(s->Material()->MaterialOptions().Contains(moNoLighting));
    EXPECT_EQ(s->Material()->FrontProperties()->Shininess(), 20);
    TGLTexture* t = s->Material()->Texture();
    EXPECT_FALSE(t->Disabled());
    EXPECT_EQ(t->MinFilter(), miNearest);
    ASSERT_EQ(t->ImageClassName(), L"TGLPicFileImage") << text;
    EXPECT_EQ(static_cast<TGLPicFileImage*>(t->Image())->PictureFileName(), L"sky.tga");
    TGLLibMaterial* b = read.EntryByName(L"Blank");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(static_cast<TGLBlankImage*>(b->Material()->Texture()->Image())->Width(), 64);
    // A stored picture keeps its class and its alpha.
    TGraphic* picture = static_cast<TGLPersistentImage*>(read.EntryByName(L"Brick")->Material()->Texture()->Image())
                            ->Picture()
                            ->Graphic();
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->ClassType(), TTGAImage::StaticClass());
    EXPECT_EQ(static_cast<Byte*>(static_cast<TTGAImage*>(picture)->ScanLine(0))[3], 99);
}

}  // namespace
