// The level model: blocks, light tiles and the counts per cell. The file half is uLevelFile.cpp.

#include "uLevel.h"

#include "GLMaterial.h"
#include "SysMath.h"
#include "SysUtils.h"

namespace {

TGLBaseSceneObject* RequiredSceneObject(TGLScene* scene, const String& name) {
    TGLBaseSceneObject* object = scene->FindObjectByName(name);
    if (!object) throw Exception(L"The level needs the scene object \"" + name + L"\"");
    return object;
}

}  // namespace

TLevel::TLevel(TGLScene* scene, TGLMaterialLibrary* materialLibrary)
    : scene_(scene), materialLibrary_(materialLibrary) {
    sky_ = dynamic_cast<TGLSphere*>(scene->FindObjectByName(L"Sky"));
    if (sky_) sky_->Material()->SetMaterialLibrary(materialLibrary);
    blocks_ = RequiredSceneObject(scene, L"dcBlocks");
    lights_ = RequiredSceneObject(scene, L"dcLights");
}

TLevel::~TLevel() { Clear(); }

TGridCell TLevel::CellOf(TGLBaseSceneObject* object) {
    TGLCoordinates3* position = object->Position();
    return {Integer(Trunc(position->X())), Integer(Trunc(position->Z()))};
}

// ---- blocks ----

TGLCube* TLevel::AddBlock(Integer x, Integer z) {
    auto* cube = static_cast<TGLCube*>(blocks_->AddNewChild(TGLCube::StaticClass()));
    cube->SetCubeHeight(kBlockHeight);
    MoveBlock(cube, x, z);  // from the origin, cell (0, 0), which no count holds
    cube->Material()->SetMaterialLibrary(materialLibrary_);
    return cube;
}

void TLevel::MoveBlock(TGLCube* cube, Integer x, Integer z) {
    const TGridCell from = CellOf(cube);
    if (from == TGridCell{x, z}) return;
    if (IsCellInside(from)) --HeightEntry(from.X, from.Z);
    // A column outside the grid has no entry: it is as high as the cubes standing there.
    const Integer height = IsInside(x, z) ? ++HeightEntry(x, z) : CountBlocksAt(x, z) + 1;
    cube->Position()->SetPoint(Single(x), Single(height) * kBlockHeight, Single(z));
}

void TLevel::DeleteBlock(TGLCube* cube) {
    if (!cube) return;
    const TGridCell cell = CellOf(cube);
    FreeObject(cube);
    RecountHeights();
    // The tile goes back on top of what is left of the column. (Lowering it by one block, as
    // if the freed cube had always raised it, sinks it into the column when the cube was one
    // being added, which never raised it.)
    if (TGLBaseSceneObject* tile = FirstTileAt(cell)) tile->Position()->SetY(TileHeightOver(CountBlocksAtCell(cell)));
}

Integer TLevel::CountBlocksAt(Integer x, Integer z) const {
    Integer count = 0;
    for (Integer i = 0; i < blocks_->Count(); ++i)
        if (CellOf(blocks_->GetChild(i)) == TGridCell{x, z}) ++count;
    return count;
}

TGLCube* TLevel::TopBlockAt(Integer x, Integer z) const {
    TGLBaseSceneObject* top = nullptr;
    for (Integer i = 0; i < blocks_->Count(); ++i) {
        TGLBaseSceneObject* block = blocks_->GetChild(i);
        if (CellOf(block) == TGridCell{x, z} && (!top || block->Position()->Y() > top->Position()->Y())) top = block;
    }
    return dynamic_cast<TGLCube*>(top);
}

Integer TLevel::HeightAt(Integer x, Integer z) const { return IsInside(x, z) ? heights_[x - 1][z - 1] : 0; }

void TLevel::ClearHeights() {
    for (auto& column : heights_)
        for (Integer& height : column) height = 0;
}

void TLevel::RecountHeights() {
    ClearHeights();
    for (Integer i = 0; i < blocks_->Count(); ++i) {
        const TGridCell cell = CellOf(blocks_->GetChild(i));
        if (IsCellInside(cell)) ++HeightEntry(cell.X, cell.Z);
    }
}

void TLevel::Clear() {
    blocks_->DeleteChildren();
    lights_->DeleteChildren();
    ClearHeights();
}

// ---- light tiles ----

TGLBaseSceneObject* TLevel::FirstTileAt(TGridCell cell) const {
    for (Integer i = 0; i < lights_->Count(); ++i)
        if (CellOf(lights_->GetChild(i)) == cell) return lights_->GetChild(i);
    return nullptr;
}

TGLPlane* TLevel::ToggleLight(Integer x, Integer z) {
    scene_->BeginUpdate();
    TGLPlane* tile = nullptr;
    try {
        if (TGLBaseSceneObject* old = FirstTileAt({x, z})) {
            FreeObject(old);
        } else {
            tile = static_cast<TGLPlane*>(lights_->AddNewChild(TGLPlane::StaticClass()));
            tile->SetPitchAngle(90);
            tile->Material()->SetMaterialLibrary(materialLibrary_);
            tile->Material()->SetLibMaterialName(L"LightOff");
            tile->Position()->SetPoint(Single(x), TileHeightOver(CountBlocksAt(x, z)), Single(z));
        }
    } catch (...) {
        scene_->EndUpdate();
        throw;
    }
    scene_->EndUpdate();
    return tile;
}

// ---- looks ----

void TLevel::SetBlockLook(TGLCube* cube, const String& name, bool isFile) {
    if (!cube) return;
    if (!isFile) {
        cube->Material()->SetLibMaterialName(name);
    } else if (FileExists(name)) {
        cube->Material()->Texture()->Image()->LoadFromFile(name);
        cube->Material()->Texture()->SetDisabled(false);
    }
}

void TLevel::SetSkyMaterial(const String& name) {
    if (!sky_) {
        skyMaterialName_.clear();
        return;
    }
    sky_->Material()->SetLibMaterialName(name);
    skyMaterialName_ = name;
}

Integer TLevel::DirectionCode() const {
    const TAffineVector& d = direction_;
    if (d.X == 1 && d.Z == 0) return 1;
    if (d.X == 0 && d.Z == 1) return 2;
    if (d.X == -1 && d.Z == 0) return 3;
    if (d.X == 0 && d.Z == -1) return 4;
    return 0;
}
