#pragma once
// TBot: the robot standing in the editor's scene, so that the user sees a level's start cell and
// facing. It hangs an animated model under a carrier dummy cube at the scene root: the carrier's
// position is the robot's place (on top of a column), its Direction the robot's facing, its Up
// stays +Y. The model is described by an INI file ("models\Bot\model.ini"):
//
//     [MODEL]       FileName=robot.smd  Interval=100  Texture=Robot  CountAnimations=1
//                   CountTextures=1  SpeedMove=10  SpeedJump=10  SpeedRotate=10
//     [SCALE]       X=1  Y=1  Z=1
//     [ROTATION]    Pith=-90  Turn=0  Roll=0          (degrees; the key is spelled "Pith")
//     [ANIMATION1]  FileName=stand.smd  Name=stand
//     [TEXTURE1]    Name=Metal                        (a library material's texture, added)
//
// A model is built around its centre with Z as its height axis: its bounding box decides how
// high it hangs in the carrier, and the rotation stands it upright.

#include "GLActor.h"
#include "GLObjects.h"
#include "Scene.h"
#include "VectorTypes.h"
#include "uLevel.h"

class TGLMaterialLibrary;

class TBot : public TObject {
    Z_CLASS(TBot, TObject)
public:
    // Loads the model (a missing description or mesh leaves the actor empty; the readers'
    // exceptions pass on), hangs it under a new carrier "dcActor" at the scene root, stands it on
    // cell (4, 4) at ground level facing +X and loops its "stand" animation.
    TBot(TGLScene* scene, const String& modelFile, TGLMaterialLibrary* materialLibrary);
    // Frees the actor, then the carrier.
    ~TBot() override;

    // Reads the model description into the actor. The description's folder becomes the
    // process's current folder for good, so that its relative names resolve there.
    void LoadModel();

    void PlaceAt(Integer x, Integer z, Integer blockCount);
    void PlaceAtCell(TGridCell cell, Integer blockCount) { PlaceAt(cell.X, cell.Z, blockCount); }
    void SetPosition(Single x, Single y, Single z);
    // The carrier's cell: its X and Z truncated toward zero.
    TGridCell GetCell() const;

    TAffineVector GetDirection() const;
    void SetDirection(const TAffineVector& direction);
    void SetDirectionXYZ(Single x, Single y, Single z) { SetDirection({x, y, z}); }
    // 1 = +X, 2 = +Z, 3 = -X, 4 = -Z; other codes change nothing.
    void SetDirectionCode(Integer code);
    // The facing a quarter turn further: Direction x Up.
    TAffineVector TurnedDirection() const;
    // Loops the animation named "stand", when there is one.
    void PlayStand();

    TGLActor* Actor() const { return actor_; }
    TGLDummyCube* ActorCube() const { return actorCube_; }
    TGLScene* Scene() const { return scene_; }
    TGLMaterialLibrary* MaterialLibrary() const { return materialLibrary_; }
    const String& ModelFile() const { return modelFile_; }
    // Read from the description and kept; the editor does not use them.
    Integer SpeedMove() const { return speedMove_; }
    Integer SpeedJump() const { return speedJump_; }
    Integer SpeedRotate() const { return speedRotate_; }

private:
    TGLActor* actor_ = nullptr;
    TGLDummyCube* actorCube_ = nullptr;
    TGLScene* scene_;
    TGLMaterialLibrary* materialLibrary_;
    String modelFile_;
    Integer speedMove_ = 10, speedJump_ = 10, speedRotate_ = 10;
};
