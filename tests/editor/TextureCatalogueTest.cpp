// The texture catalogue on fixture folders with tiny images written here.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "EditorFixtures.h"
#include "GLTexture.h"
#include "uTextures.h"

namespace {

void PutLittleEndian(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char(value >> (8 * i));
}

// A 4 x 4 24-bit BMP of one colour.
std::string TinyBmp(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    std::string out = "BM";
    PutLittleEndian(out, 14 + 40 + 48, 4);
    PutLittleEndian(out, 0, 4);
    PutLittleEndian(out, 54, 4);
    for (std::uint32_t v : {40u, 4u, 4u}) PutLittleEndian(out, v, 4);
    PutLittleEndian(out, 1, 2);
    PutLittleEndian(out, 24, 2);
    for (int i = 0; i < 6; ++i) PutLittleEndian(out, 0, 4);
    for (int i = 0; i < 16; ++i) out += {char(b), char(g), char(r)};
    return out;
}

// A 4 x 4 uncompressed 24-bit TGA of one colour.
std::string TinyTga() {
    std::string out = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 0, 4, 0, 24, 0};
    for (int i = 0; i < 16; ++i) out += {char(10), char(20), char(30)};
    return out;
}

class TextureCatalogue : public testing::Test {
protected:
    TEditorScene editor;
    TTempFolder folder;
    TGLLibMaterials* Materials() { return editor.library->Materials(); }
    void WriteCatalogue(const std::string& text) { WriteTextFile(folder.File(L"textures.ini"), text); }
};

}  // namespace

TEST_F(TextureCatalogue, UsableEntriesFollowTheBuiltInMaterials) {
    WriteTextFile(folder.File(L"a.bmp"), TinyBmp(255, 0, 0));
    WriteTextFile(folder.File(L"c.bmp"), TinyBmp(0, 0, 255));
    WriteCatalogue(
        "[GENERAL]\nCount=3\n[TEXTURE1]\nFileName=  a.bmp \nMaterialName= First \n"
        "[TEXTURE2]\nFileName=b.bmp\nMaterialName=Second\n[TEXTURE3]\nFileName=c.bmp\nMaterialName=Third\n");
    EXPECT_TRUE(LoadTextures(folder.Path(), editor.library));
    ASSERT_EQ(Materials()->Count(), 13);
    EXPECT_EQ(Materials()->ItemAt(11)->Name(), L"First");  // trimmed name, file found after trimming
    EXPECT_EQ(Materials()->ItemAt(12)->Name(), L"Third");

    TGLMaterial* material = Materials()->ItemAt(11)->Material();
    EXPECT_FALSE(material->Texture()->Disabled());
    EXPECT_EQ(material->Texture()->Image()->ImageWidth(), 4);  // read at once
    EXPECT_EQ(material->BlendingMode(), bmOpaque);
    EXPECT_EQ(material->Texture()->TextureMode(), tmModulate);
    EXPECT_EQ(material->MaterialOptions(), TMaterialOptions{});
}

TEST_F(TextureCatalogue, EntriesThatDoNotQualifyAreSkipped) {
    WriteTextFile(folder.File(L"a.bmp"), TinyBmp(1, 2, 3));
    WriteCatalogue(
        "[GENERAL]\nCount=5\n"
        "[TEXTURE1]\nFileName=a.bmp\nMaterialName=Beton\n"  // a built-in name
        "[TEXTURE2]\nFileName=a.bmp\nMaterialName=\n"       // no name
        "[TEXTURE3]\nFileName=\nMaterialName=NoFile\n"      // the folder is no image
        "[TEXTURE4]\nFileName=a.bmp\nMaterialName=Twice\n"
        "[TEXTURE5]\nFileName=a.bmp\nMaterialName=Twice\n");  // the first one wins
    EXPECT_TRUE(LoadTextures(folder.Path(), editor.library));
    ASSERT_EQ(Materials()->Count(), 12);
    EXPECT_EQ(Materials()->ItemAt(11)->Name(), L"Twice");
    EXPECT_EQ(editor.library->EntryByName(L"Beton"), Materials()->ItemAt(5));
}

TEST_F(TextureCatalogue, TgaPicturesInAnyLetterCaseGetTheirKeyColourSeeThrough) {
    WriteTextFile(folder.File(L"ROBOT.TGA"), TinyTga());
    WriteTextFile(folder.File(L"plain.tga"), TinyTga());
    WriteCatalogue(
        "[GENERAL]\nCount=2\n[TEXTURE1]\nFileName=ROBOT.TGA\nMaterialName=Robot\n"
        "[TEXTURE2]\nFileName=plain.tga\nMaterialName=Plain\n");
    EXPECT_TRUE(LoadTextures(folder.Path(), editor.library));
    for (const wchar_t* name : {L"Robot", L"Plain"}) {
        TGLMaterial* material = editor.library->EntryByName(name)->Material();
        EXPECT_EQ(material->BlendingMode(), bmTransparency);
        EXPECT_EQ(material->Texture()->ImageAlpha(), tiaTopLeftPointColorTransparent);
        EXPECT_EQ(material->Texture()->TextureMode(), tmReplace);
        EXPECT_EQ(material->MaterialOptions(), TMaterialOptions{moNoLighting});
    }
}

TEST_F(TextureCatalogue, MissingEmptyOrOvercountedCatalogues) {
    EXPECT_FALSE(LoadTextures(folder.Path(), editor.library));
    WriteCatalogue("");
    EXPECT_TRUE(LoadTextures(folder.Path(), editor.library));
    EXPECT_EQ(Materials()->Count(), 11);
    // A count far beyond the sections costs nothing.
    WriteTextFile(folder.File(L"a.bmp"), TinyBmp(9, 9, 9));
    WriteCatalogue("[GENERAL]\nCount=2000000000\n[TEXTURE1]\nFileName=a.bmp\nMaterialName=Only\n");
    EXPECT_TRUE(LoadTextures(folder.Path(), editor.library));
    EXPECT_EQ(Materials()->Count(), 12);
}

TEST_F(TextureCatalogue, AnImageThatCannotBeDecodedIsSkippedAndReported) {
    WriteTextFile(folder.File(L"broken.bmp"), "BM this is no bitmap");
    WriteTextFile(folder.File(L"a.bmp"), TinyBmp(9, 9, 9));
    WriteCatalogue(
        "[GENERAL]\nCount=2\n[TEXTURE1]\nFileName=broken.bmp\nMaterialName=Broken\n"
        "[TEXTURE2]\nFileName=a.bmp\nMaterialName=Good\n");
    std::vector<String> unreadable;
    EXPECT_TRUE(LoadTextures(folder.Path(), editor.library, &unreadable));
    ASSERT_EQ(unreadable.size(), 1u);
    EXPECT_FALSE(unreadable[0].empty());
    // The broken entry left nothing behind: the next one takes its place at index 11.
    EXPECT_EQ(Materials()->Count(), 12);
    EXPECT_EQ(Materials()->ItemAt(11)->Name(), L"Good");
    EXPECT_EQ(editor.library->EntryByName(L"Broken"), nullptr);
}
