#pragma once
// TLevel: the editor's model of one level, an 8 x 8 grid of cells with a column of blocks on
// each, light tiles (the tiles the robot has to switch on), the robot's start cell and facing,
// one material for every block and one for the sky.
//
// The scene is the store: every block is a TGLCube child of the container "dcBlocks" (which sits
// 0.25 below the ground), every light tile a TGLPlane child of "dcLights", and a block or tile
// belongs to the cell (trunc X, trunc Z) of its position. The level keeps only a table of block
// counts per grid cell beside them. Cells outside 1..8 never touch that table: such objects are
// counted by scanning the children instead.
//
// The level file (uLevelFile.cpp) is an INI text:
//     [GENERAL]  CountLights, CountBlocks, BlockMaterialName, SkyMaterialName, BotNumDirection,
//                StartPosX, StartPosY ("Y" is always the grid's second axis, the scene's Z)
//     [LIGHTn]   X, Y            one light tile
//     [BLOCKn]   X, Y, Count     one column, n in X-major order of the cells

#include "GLObjects.h"
#include "Scene.h"
#include "SysExceptions.h"
#include "VectorTypes.h"

class TGLMaterialLibrary;

// A cell of the grid: X and Z from 1 to 8 (the level file calls Z "Y").
struct TGridCell {
    Integer X = 0, Z = 0;
    bool operator==(const TGridCell&) const = default;
};

// A level file the editor refuses to open (the level stays as it was).
Z_EXCEPTION(ELevelFileError, Exception)

class TLevel : public TObject {
    Z_CLASS(TLevel, TObject)
public:
    static constexpr Integer kGridSize = 8;
    static constexpr Single kBlockHeight = 0.5f;
    // A light tile floats this far above the top of its column.
    static constexpr Single kTileLift = 0.01f;
    // The most blocks one column of a level file may stack: 128 units, beyond the sky's radius.
    static constexpr Integer kMaxColumnBlocks = 256;

    // Finds "Sky", "dcBlocks" and "dcLights" in the scene (Exception when a container is
    // missing; the sky may be) and gives the sky's material the library.
    TLevel(TGLScene* scene, TGLMaterialLibrary* materialLibrary);
    // Clears the level; the containers stay in the scene.
    ~TLevel() override;

    // ---- blocks ----
    // A new block on top of the column of (x, z), with the library but no material name.
    TGLCube* AddBlock(Integer x, Integer z);
    // Puts the cube on top of the column of (x, z); cubes above its old place stay where they are.
    void MoveBlock(TGLCube* cube, Integer x, Integer z);
    void MoveBlockToCell(TGLCube* cube, TGridCell cell) { MoveBlock(cube, cell.X, cell.Z); }
    // Frees the cube (nothing without one); the cell's light tile then rests on what is left.
    void DeleteBlock(TGLCube* cube);
    // The cubes standing on the cell, counted from the scene.
    Integer CountBlocksAt(Integer x, Integer z) const;
    Integer CountBlocksAtCell(TGridCell cell) const { return CountBlocksAt(cell.X, cell.Z); }
    // The highest cube on the cell, the first of equal heights; nullptr when none.
    TGLCube* TopBlockAt(Integer x, Integer z) const;
    TGLCube* TopBlockAtCell(TGridCell cell) const { return TopBlockAt(cell.X, cell.Z); }
    // The stored count of the cell; 0 outside the grid.
    Integer HeightAt(Integer x, Integer z) const;
    Integer HeightAtCell(TGridCell cell) const { return HeightAt(cell.X, cell.Z); }
    static bool IsInside(Integer x, Integer z) { return x >= 1 && x <= kGridSize && z >= 1 && z <= kGridSize; }
    static bool IsCellInside(TGridCell cell) { return IsInside(cell.X, cell.Z); }
    void ClearHeights();
    // Rebuilds the stored counts from the cubes inside the grid.
    void RecountHeights();
    // Frees every block and tile and zeroes the counts.
    void Clear();

    // ---- light tiles ----
    // Frees the cell's first tile and returns nullptr, or adds a tile on top of its column.
    TGLPlane* ToggleLight(Integer x, Integer z);

    // ---- looks ----
    // The cube (nothing without one) shows a library material, or, with isFile, the image of an
    // existing file.
    void SetBlockLook(TGLCube* cube, const String& name, bool isFile);
    // The sky shows the library material; without a sky the name becomes empty.
    void SetSkyMaterial(const String& name);

    // ---- the robot's start ----
    // 1 = +X, 2 = +Z, 3 = -X, 4 = -Z by exact comparison of Direction; 0 for anything else.
    Integer DirectionCode() const;

    // ---- files ----
    // Replaces the level with the file's content. A file that names more than the grid holds
    // raises ELevelFileError and changes nothing; a missing file reads as an empty level.
    void LoadFromFile(const String& fileName);
    // Writes everything but the start cell into the file, keeping what else it holds.
    void SaveToFile(const String& fileName);

    // ---- fields the main window reads and writes ----
    const String& BlockMaterialName() const { return blockMaterialName_; }
    void SetBlockMaterialName(const String& value) { blockMaterialName_ = value; }
    const String& SkyMaterialName() const { return skyMaterialName_; }
    TGridCell StartPos() const { return startPos_; }
    void SetStartPos(TGridCell value) { startPos_ = value; }
    const TAffineVector& Direction() const { return direction_; }
    void SetDirection(const TAffineVector& value) { direction_ = value; }

    TGLScene* Scene() const { return scene_; }
    TGLMaterialLibrary* MaterialLibrary() const { return materialLibrary_; }
    TGLBaseSceneObject* Blocks() const { return blocks_; }
    TGLBaseSceneObject* Lights() const { return lights_; }
    TGLSphere* Sky() const { return sky_; }

    // The cell a block or tile belongs to.
    static TGridCell CellOf(TGLBaseSceneObject* object);
    // The height a tile on a column of count blocks rests at.
    static Single TileHeightOver(Integer count) { return Single(count) * kBlockHeight + kTileLift; }

private:
    // The cell's first tile (in child order), nullptr when none.
    TGLBaseSceneObject* FirstTileAt(TGridCell cell) const;
    Integer& HeightEntry(Integer x, Integer z) { return heights_[x - 1][z - 1]; }

    TGLScene* scene_;
    TGLMaterialLibrary* materialLibrary_;
    TGLBaseSceneObject* blocks_;
    TGLBaseSceneObject* lights_;
    TGLSphere* sky_;
    Integer heights_[kGridSize][kGridSize] = {};
    String blockMaterialName_;
    String skyMaterialName_;
    TGridCell startPos_{4, 2};
    TAffineVector direction_{1, 0, 0};
};
