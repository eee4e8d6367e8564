// Archives do not depend on the target that wrote them: the committed fixture was written by
// one build, and every build must write the same bytes and read them back to the same values.
// Regenerate the fixture with ZARNIK_WRITE_FIXTURES=<folder> (the file lands in that folder).
#include <gtest/gtest.h>

#include <cstdlib>

#include "Bitmap.h"
#include "GLMaterial.h"
#include "PersistentObjectList.h"
#include "Streams.h"
#include "SysUtils.h"
#include "VectorLists.h"

namespace {

// A material library and a list of vector lists: integers, singles, colours, names,
// a small picture and the list's class table.
AnsiString WriteSample() {
    TMemoryStream out;
    TGLMaterialLibrary library(nullptr);
    TBitmap picture;
    picture.SetPixelFormat(pf24bit);
    picture.SetSize(4, 2);
    picture.Canvas()->SetPixels(0, 0, 0x0000FF);
    picture.Canvas()->SetPixels(3, 1, 0x00FF00);
    TGLLibMaterial* brick = library.AddBitmapMaterial(L"Brick", &picture);
    brick->Material()->FrontProperties()->Diffuse()->AssignRGBA(0.1f, 0.2f, 0.3f, 0.4f);
    brick->Material()->SetBlendingMode(bmTransparency);
    brick->TextureScale()->SetPoint(2, 0.5f, 1);
    library.Materials()->Add()->SetName(L"Plain");
    library.SaveToStream(&out);

    TPersistentObjectList lists;
    auto* affine = new TAffineVectorList;
    affine->AddXYZ(1.5f, -2, 1e-7f);
    affine->AddXYZ(3.4028235e38f, 0, -0.0f);
    auto* singles = new TSingleList;
    singles->Add(1.0f / 3.0f);
    singles->Add(-1e30f);
    lists.Add(affine);
    lists.Add(singles);
    lists.Add(nullptr);
    const AnsiString listBytes = lists.SaveToString();
    lists.Clean();
    out.WriteBuffer(listBytes.data(), Integer(listBytes.size()));
    return AnsiString(static_cast<const char*>(out.Memory()), size_t(out.Size()));
}

AnsiString Fixture() {
    TResourceStream stream(GetModuleHandleW(nullptr), L"CROSS_TARGET_ARCHIVE", MAKEINTRESOURCEW(10));
    return AnsiString(static_cast<const char*>(stream.Memory()), size_t(stream.Size()));
}

TEST(CrossTargetArchive, EveryTargetWritesTheFixtureByteForByte) {
    const AnsiString written = WriteSample();
    if (const char* folder = std::getenv("ZARNIK_WRITE_FIXTURES")) {
        TFileStream file(String(folder, folder + strlen(folder)) + L"\\cross-target-archive.bin", fmCreate);
        file.WriteBuffer(written.data(), Integer(written.size()));
    }
    const AnsiString fixture = Fixture();
    ASSERT_EQ(written.size(), fixture.size());
    EXPECT_TRUE(written == fixture) << "the archive's bytes differ from the committed fixture";
}

TEST(CrossTargetArchive, TheFixtureReadsBackToItsValues) {
    const AnsiString fixture = Fixture();
    TMemoryStream in;
    in.WriteBuffer(fixture.data(), Integer(fixture.size()));
    in.SetPosition(0);
    TGLMaterialLibrary library(nullptr);
    library.LoadFromStream(&in);
    ASSERT_EQ(library.Materials()->Count(), 2);
    TGLLibMaterial* brick = library.EntryByName(L"Brick");
    ASSERT_NE(brick, nullptr);
    EXPECT_EQ(brick->Material()->FrontProperties()->Diffuse()->Color().Z, 0.3f);
    EXPECT_EQ(brick->Material()->BlendingMode(), bmTransparency);
    EXPECT_EQ(brick->TextureScale()->AsVector().Y, 0.5f);
    EXPECT_EQ(brick->Material()->Texture()->Image()->ImageWidth(), 4);
    EXPECT_NE(library.EntryByName(L"Plain"), nullptr);

    const Int64 rest = in.Size() - in.Position();
    AnsiString listBytes(size_t(rest), '\0');
    in.ReadBuffer(listBytes.data(), Integer(rest));
    TPersistentObjectList lists;
    lists.LoadFromString(listBytes);
    ASSERT_EQ(lists.Count(), 3);
    auto* affine = dynamic_cast<TAffineVectorList*>(lists[0]);
    auto* singles = dynamic_cast<TSingleList*>(lists[1]);
    ASSERT_TRUE(affine && singles);
    EXPECT_EQ(affine->GetItem(0).Z, 1e-7f);
    EXPECT_EQ(affine->GetItem(1).X, 3.4028235e38f);
    EXPECT_EQ(singles->GetItem(0), 1.0f / 3.0f);
    EXPECT_EQ(lists[2], nullptr);
    lists.Clean();
}

}  // namespace
