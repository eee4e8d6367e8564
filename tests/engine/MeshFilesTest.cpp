// Model files: the format registry, and meshes loading, adding and saving through it with their
// scaling and centring.
#include <gtest/gtest.h>

#include <memory>

#include "MeshFixtures.h"
#include "SceneFixtures.h"
#include "TestSupport.h"

namespace {

// A model format for the tests: the stream holds single-precision x, y, z triples, read into one
// new mesh object appended to the mesh's objects.
class TPointsVectorFile : public TVectorFile {
    Z_CLASS(TPointsVectorFile, TVectorFile)
public:
    using TVectorFile::TVectorFile;
    void LoadFromStream(TStream* stream) override {
        auto* object = new TMeshObject(Owner()->MeshObjects());
        TAffineVector v;
        while (stream->Read(&v, sizeof v) == Integer(sizeof v)) object->Vertices()->Add(v);
        lastOrientation = NormalsOrientation();
        lastStoredName = StoredName();
    }
    static inline TMeshNormalsOrientation lastOrientation = mnoDefault;
    static inline String lastStoredName;
};

// Another class for the same extension.
class TOtherPointsVectorFile : public TPointsVectorFile {
    Z_CLASS(TOtherPointsVectorFile, TPointsVectorFile)
public:
    using TPointsVectorFile::TPointsVectorFile;
};

void RegisterPointsFormat() {
    static const bool registered =
        (RegisterVectorFileFormat(L"PTS", L"points", VectorFileClassOf<TPointsVectorFile>()), true);
    (void)registered;
}

TStringStream* PointsStream(std::initializer_list<TAffineVector> points) {
    auto* stream = new TStringStream;
    for (const TAffineVector& v : points) stream->WriteBuffer(&v, sizeof v);
    stream->SetPosition(0);
    return stream;
}

class MeshFiles : public testing::Test {
protected:
    void SetUp() override { RegisterPointsFormat(); }
    TSceneFixture fixture;
    TGLFreeForm* mesh = fixture.Add<TGLFreeForm>(nullptr);
};

}  // namespace

TEST(VectorFileFormats, FormatsAreFoundByTheExtensionInAnyCase) {
    RegisterPointsFormat();
    TVectorFileFormatsList* formats = GetVectorFileFormats();
    EXPECT_EQ(formats->FindFromFileName(L"C:\\models\\Crate.GLSM"), VectorFileClassOf<TGLGLSMVectorFile>());
    EXPECT_EQ(formats->FindFromFileName(L"points.Pts"), VectorFileClassOf<TPointsVectorFile>());
    EXPECT_EQ(formats->FindExt(L"pts"), VectorFileClassOf<TPointsVectorFile>());
    EXPECT_EQ(formats->FindExt(L"xyz"), nullptr);
    EXPECT_EQ(GetClass(L"TPointsVectorFile"), TPointsVectorFile::StaticClass());  // registered by name too
    EXPECT_TRUE(VectorFileClassOf<TGLGLSMVectorFile>()->Capabilities() == (TDataFileCapabilities{dfcRead, dfcWrite}));

    const struct {
        const wchar_t* fileName;
        const char* message;
    } unknown[] = {
        {L"robot.xyz",
         "Unknown file extension (xyz), maybe you forgot to add the support unit to your uses? (GLFileXYZ?)"},
        {L"C:\\models\\Robot.Xyz",
         "Unknown file extension (Xyz), maybe you forgot to add the support unit to your uses? (GLFileXYZ?)"},
        {L"robot", "Unknown file extension (), maybe you forgot to add the support unit to your uses? (GLFile?)"},
        {L"C:\\a.b\\robot",
         "Unknown file extension (), maybe you forgot to add the support unit to your uses? (GLFile?)"},
    };
    for (const auto& k : unknown)
        EXPECT_EQ(ClassAndMessageOf([&] { formats->FindFromFileName(k.fileName); }),
                  std::string("EInvalidVectorFile: ") + k.message);
}

TEST(VectorFileFormats, ALaterFormatForAnExtensionWins) {
    RegisterVectorFileFormat(L"pts2", L"points", VectorFileClassOf<TPointsVectorFile>());
    RegisterVectorFileFormat(L"PTS2", L"other points", VectorFileClassOf<TOtherPointsVectorFile>());
    EXPECT_EQ(GetVectorFileFormats()->FindExt(L"pts2"), VectorFileClassOf<TOtherPointsVectorFile>());
    TVectorFileFormat* last = GetVectorFileFormats()->FormatAt(GetVectorFileFormats()->Count() - 1);
    EXPECT_EQ(Utf8(last->Extension), "pts2");
    EXPECT_EQ(Utf8(last->Description), "other points");
}

TEST(VectorFileFormats, VectorFilesBelongToMeshes) {
    TComponent notAMesh(nullptr);
    EXPECT_NE(MessageOf([&] { TGLGLSMVectorFile file(&notAMesh); }).find("belongs to a mesh"), std::string::npos);
    // A format that only reads refuses to save.
    RegisterPointsFormat();
    TGLFreeForm mesh(nullptr);
    TStringStream out;
    EXPECT_EQ(MessageOf([&] {
                  mesh.SaveToStream(L"a.pts", &out);
              }).rfind("Export for TPointsVectorFile to TStringStream not available.", 0),
              0u);
}

TEST_F(MeshFiles, LoadingScalesFirstAndThenCentres) {
    mesh->AutoScaling()->SetPoint(2, 2, 2);
    mesh->SetAutoCentering(TMeshAutoCenterings{macCenterY});
    mesh->SetNormalsOrientation(mnoInvert);
    std::unique_ptr<TStringStream> points(PointsStream({V3(0, 1, 0), V3(2, 3, 4)}));
    mesh->LoadFromStream(L"C:\\models\\two.pts", points.get());
    ASSERT_EQ(mesh->MeshObjects()->Count(), 1);
    // Doubled to y 2..6, then moved down by its centre 4 on Y alone.
    EXPECT_ITEMS(*mesh->MeshObjects()->GetMeshObject(0)->Vertices(), V3(0, -2, 0), V3(4, 2, 8));
    EXPECT_EQ(TPointsVectorFile::lastOrientation, mnoInvert);
    EXPECT_EQ(Utf8(TPointsVectorFile::lastStoredName), "C:\\models\\two.pts");  // folder included
    EXPECT_EQ(Utf8(mesh->LastLoadedFilename()), "C:\\models\\two.pts");
    EXPECT_FLOAT_EQ(mesh->UnscaledDimensions().Z, 4);

    // Centring on the barycentre moves the mean of all vertices to the origin.
    mesh->AutoScaling()->SetPoint(1, 1, 1);
    mesh->SetAutoCentering(TMeshAutoCenterings{macUseBarycenter, macCenterX});
    points.reset(PointsStream({V3(0, 0, 0), V3(0, 0, 0), V3(3, 6, 9)}));
    mesh->LoadFromStream(L"three.pts", points.get());
    EXPECT_ITEMS(*mesh->MeshObjects()->GetMeshObject(0)->Vertices(), V3(-1, -2, -3), V3(-1, -2, -3), V3(2, 4, 6));
}

TEST_F(MeshFiles, AddingKeepsWhatIsThereAndIsNeitherScaledNorCentred) {
    std::unique_ptr<TStringStream> points(PointsStream({V3(1, 1, 1)}));
    mesh->LoadFromStream(L"first.pts", points.get());
    mesh->AutoScaling()->SetPoint(10, 10, 10);
    mesh->SetAutoCentering(TMeshAutoCenterings{macCenterX});
    points.reset(PointsStream({V3(2, 2, 2)}));
    mesh->AddDataFromStream(L"second.pts", points.get());
    ASSERT_EQ(mesh->MeshObjects()->Count(), 2);
    EXPECT_ITEMS(*mesh->MeshObjects()->GetMeshObject(1)->Vertices(), V3(2, 2, 2));
    EXPECT_EQ(Utf8(mesh->LastLoadedFilename()), "first.pts");
    // The structure change of the addition is seen: the cached size is computed again.
    EXPECT_FLOAT_EQ(mesh->UnscaledDimensions().X, 0.5f);

    // An empty name does nothing; an unknown extension leaves the objects when adding...
    mesh->AddDataFromStream(L"", points.get());
    EXPECT_EQ(ClassAndMessageOf([&] { mesh->AddDataFromStream(L"x.xyz", points.get()); }).substr(0, 20),
              "EInvalidVectorFile: ");
    EXPECT_EQ(mesh->MeshObjects()->Count(), 2);
    // ... but a load has emptied the mesh before the format was looked for.
    EXPECT_EQ(ClassAndMessageOf([&] { mesh->LoadFromStream(L"x.xyz", points.get()); }).substr(0, 20),
              "EInvalidVectorFile: ");
    EXPECT_EQ(mesh->MeshObjects()->Count(), 0);
    EXPECT_EQ(mesh->LastLoadedFilename(), L"");
}

TEST_F(MeshFiles, ModelFilesOnDiskAndTheSceneBracket) {
    TTempFolder folder;
    MakeCube(mesh->MeshObjects());
    mesh->SaveToFile(folder.File(L"cube.glsm"));
    const int changes = fixture.buffer.changes;
    auto* loaded = fixture.Add<TGLFreeForm>(nullptr);
    loaded->LoadFromFile(folder.File(L"cube.glsm"));
    EXPECT_EQ(loaded->MeshObjects()->TriangleCount(), 12);
    EXPECT_EQ(loaded->LastLoadedFilename(), folder.File(L"cube.glsm"));
    EXPECT_GT(fixture.buffer.changes, changes);  // the scene heard of the new geometry
    EXPECT_FALSE(fixture.scene->IsUpdating());

    // A broken file fails, the bracket closes all the same and the name is forgotten.
    TStringStream broken(AnsiString("\x02\x00\x01\x06\x0bTMeshObject\x02", 16));
    EXPECT_EQ(ClassAndMessageOf([&] { loaded->LoadFromStream(L"broken.glsm", &broken); }).substr(0, 12),
              "EReadError: ");
    EXPECT_FALSE(fixture.scene->IsUpdating());
    EXPECT_EQ(loaded->LastLoadedFilename(), L"");
    EXPECT_EQ(loaded->MeshObjects()->Count(), 0);

    EXPECT_EQ(MessageOf([&] { loaded->LoadFromFile(folder.File(L"missing.glsm")); }),
              "File not found: \"" + Utf8(folder.File(L"missing.glsm")) + "\"");
    loaded->LoadFromFile(L"");  // nothing to read
    EXPECT_EQ(loaded->MeshObjects()->Count(), 0);
}
