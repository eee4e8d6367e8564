#pragma once
// TGLBaseSceneObject: the node of the scene tree, the base of every camera, light, dummy cube,
// plane, mesh and HUD object.
//
// Sections: object style and change flags · light/camera/buffer hooks · the class (tree,
// notification, progress, placement, extents, rendering hooks, streaming).
//
// A node is a component (its owner frees it and streams it) and, separately, has a parent in
// the tree (which draws and places it). A node owns its children: freeing a node frees its
// subtree. Changes climb to the scene (TGLScene::ReportChange) unless the node is inside its own
// update bracket or is being read from a form description.
//
// Placement: row vectors, translation in the fourth row. The local matrix has the rows
// Right * Scale.X, Up * Scale.Y, Direction * Scale.Z, Position with Right = Up x Direction; the
// absolute matrix is local x absolute(parent), the root's being left out. Angles are degrees at
// the interface: the PitchAngle/TurnAngle/RollAngle setters turn by old minus new, while
// SetOrientationAngles turns by plus the angle, so the two give opposite tilts.

#include "BaseClasses.h"
#include "GLBehaviours.h"
#include "GLCoordinates.h"
#include "GLRenderContextInfo.h"
#include "OpenGL1x.h"
#include "Sets.h"
#include "VectorTypes.h"

class TGLScene;
class TGLBaseSceneObject;
class TGLListHandle;
class TGLLibMaterial;
class TGLSilhouette;
class TPersistentObjectList;
struct TSilhouetteParameters;

enum TGLObjectStyleItem {
    osDirectDraw,                         // BuildList runs every frame; nothing is compiled
    osDoesTemperWithColorsOrFaceWinding,  // the state cache's colour and winding are reset after it
    osIgnoreDepthBuffer,                  // drawn with the depth test off
    osNoVisibilityCulling                 // drawn whatever the culling test says
};
using TGLObjectStyle = TSet<TGLObjectStyleItem>;

enum TGLObjectChange { ocTransformation, ocAbsoluteMatrix, ocInvAbsoluteMatrix, ocStructure };
using TGLObjectChanges = TSet<TGLObjectChange>;

enum TGLBoxCacheFlag { bcChildrenBoxStale, bcOwnBoxStale };
using TGLBoxCacheFlags = TSet<TGLBoxCacheFlag>;

// Light sources implement it: the scene hands each the OpenGL light it uses while it is in the
// scene's light table (GL_LIGHT0 + slot), and 0 when it has none.
class IGLLightSourceSlot {
public:
    virtual void SetLightID(Cardinal lightID) = 0;
    virtual Cardinal LightID() const = 0;

protected:
    ~IGLLightSourceSlot() = default;
};

// Cameras implement it: cameras are freed before the other nodes of a subtree, so that nothing
// renders through a camera whose scene is half gone.
class IGLCameraObject {
public:
    virtual bool IsCamera() const { return true; }

protected:
    ~IGLCameraObject() = default;
};

// What a silhouette is built for: a viewpoint (omni) or a viewing direction (parallel).
enum TGLSilhouetteStyle : Byte { ssOmni, ssParallel };

// Called with every scene object that changes its name.
using TGLObjectRenamedEvent = TEvent<void(TGLBaseSceneObject* object, const String& oldName)>;
extern TGLObjectRenamedEvent GLBaseSceneObjectRenamed;

// Draws the three axes from the origin, +length bright and -length dim, stippled with the
// pattern, lighting off; restores what it changes.
void AxesBuildList(TRenderContextInfo& rci, GLushort pattern, Single axisLength);

class TGLBaseSceneObject : public TGLCoordinatesUpdateAbleComponent {
    Z_CLASS(TGLBaseSceneObject, TGLCoordinatesUpdateAbleComponent)
    Z_PUBLISHED {
        p.Property(L"ObjectsSorting", &TGLBaseSceneObject::ObjectsSorting, &TGLBaseSceneObject::SetObjectsSorting)
            .Default(osInherited);
        p.Property(L"VisibilityCulling", &TGLBaseSceneObject::VisibilityCulling,
                   &TGLBaseSceneObject::SetVisibilityCulling)
            .Default(vcInherited);
        p.Property(L"Direction", &TGLBaseSceneObject::Direction);
        p.Property(L"PitchAngle", &TGLBaseSceneObject::PitchAngle, &TGLBaseSceneObject::SetPitchAngle).Default(0);
        p.Property(L"Position", &TGLBaseSceneObject::Position);
        p.Property(L"RollAngle", &TGLBaseSceneObject::RollAngle, &TGLBaseSceneObject::SetRollAngle).Default(0);
        p.Property(L"Scale", &TGLBaseSceneObject::Scale);
        p.Property(L"ShowAxes", &TGLBaseSceneObject::ShowAxes, &TGLBaseSceneObject::SetShowAxes).Default(false);
        p.Property(L"TurnAngle", &TGLBaseSceneObject::TurnAngle, &TGLBaseSceneObject::SetTurnAngle).Default(0);
        p.Property(L"Up", &TGLBaseSceneObject::Up);
        p.Property(L"Visible", &TGLBaseSceneObject::Visible, &TGLBaseSceneObject::SetVisible).Default(true);
        p.Event(L"OnProgress", &TGLBaseSceneObject::OnProgress);
        p.Property(L"TagFloat", &TGLBaseSceneObject::TagFloat, &TGLBaseSceneObject::SetTagFloat).Default(0);
    }

public:
    explicit TGLBaseSceneObject(TComponent* owner);
    ~TGLBaseSceneObject() override;
    void BeforeDestruction() override;

    // ---- tree ----
    TGLBaseSceneObject* Parent() const { return parent_; }
    TGLScene* Scene() const { return scene_; }
    Integer Count() const { return GetChildCount(); }
    Integer GetChildCount() const;
    // Raises the list's index error outside 0 .. count - 1.
    TGLBaseSceneObject* GetChild(Integer index) const;
    TGLBaseSceneObject* operator[](Integer index) const { return GetChild(index); }
    bool HasSubChildren() const { return GetChildCount() > 0; }

    // Appends the object, first taking it out of its former parent, if any (so that it never
    // sits in two child lists). Moving inside one scene keeps the object's display lists and
    // textures; only leaving its scene releases them.
    virtual void AddChild(TGLBaseSceneObject* object);
    // A new object of the class, owned by this node's owner, appended / inserted first.
    virtual TGLBaseSceneObject* AddNewChild(TClass objectClass);
    virtual TGLBaseSceneObject* PrependNewChild(TClass objectClass);
    // Inserts at a position, taking the object out of its former parent first.
    virtual void Insert(Integer index, TGLBaseSceneObject* object);
    // Takes a child out (it is not freed); the child leaves the scene. With keepChildren its
    // children move to this node, last first, and stay in the scene.
    virtual void Remove(TGLBaseSceneObject* object, bool keepChildren);
    // Frees the whole subtree below this node, cameras first. Reports no change.
    virtual void DeleteChildren();
    // Re-parents; null detaches (the scene becomes null).
    virtual void MoveTo(TGLBaseSceneObject* newParent);
    // The position in the parent's list; -1 without a parent.
    Integer Index() const;
    // Moves within the parent's list, clamped to 0 .. count - 1.
    void SetIndex(Integer newIndex);
    // The first child of that name, letter case ignored. Without ownChildrenOnly the subtrees are
    // searched too, and a match inside a child's subtree wins over a later direct match.
    TGLBaseSceneObject* FindChild(const String& name, bool ownChildrenOnly) const;

    // ---- notification ----
    // Tells the scene, unless detached, inside the update bracket or being read.
    virtual void ReportChange(TObject* sender) override;
    // The geometry changed: the display list must be rebuilt.
    virtual void StructureChanged();
    void ClearStructureChanged();
    // Position, orientation or scale changed: the matrices of the subtree are stale.
    void TransformationChanged();
    TGLObjectChanges Changes() const { return changes_; }
    virtual void BeginUpdate();
    virtual void EndUpdate();
    Integer UpdateCount() const { return updateCount_; }
    bool IsUpdating() const;

    // ---- progress ----
    // Children last to first, behaviours, effects, then OnProgress.
    virtual void DoProgress(const TProgressStepTimes& times) override;
    TGLProgressEvent OnProgress;
    TNotifyEvent OnAddedToParent;

    // ---- behaviours and effects (created on first access) ----
    TGLBehaviours* Behaviours();
    void SetBehaviours(TGLBehaviours* value) { Behaviours()->Assign(value); }
    TGLObjectEffects* Effects();
    void SetEffects(TGLObjectEffects* value) { Effects()->Assign(value); }
    bool HasBehaviours() const { return behaviours_ && behaviours_->Count() > 0; }
    bool HasEffects() const { return effects_ && effects_->Count() > 0; }

    // ---- simple properties ----
    bool Visible() const { return visible_; }
    virtual void SetVisible(bool value);
    bool ShowAxes() const { return showAxes_; }
    void SetShowAxes(bool value);
    TGLObjectsSorting ObjectsSorting() const { return objectsSorting_; }
    void SetObjectsSorting(TGLObjectsSorting value);
    TGLVisibilityCulling VisibilityCulling() const { return visibilityCulling_; }
    void SetVisibilityCulling(TGLVisibilityCulling value);
    Single TagFloat() const { return tagFloat_; }
    void SetTagFloat(Single value) { tagFloat_ = value; }
    TGLObjectStyle ObjectStyle() const { return objectStyle_; }
    void SetObjectStyle(TGLObjectStyle value) { objectStyle_ = value; }

    void SetName(const String& name) override;

    // ---- placement ----
    TGLCoordinates3* Position() const { return position_; }
    TGLCoordinates3* Direction() const { return direction_; }
    TGLCoordinates3* Up() const { return up_; }
    TGLCoordinates3* Scale() const { return scale_; }
    TGLCoordinates3* Rotation() const { return rotation_; }
    // Copies the vector as a point / as a direction (a null vector is ignored) / as it is.
    void SetPosition(TGLCoordinates3* value);
    void SetDirection(TGLCoordinates3* value);
    void SetUp(TGLCoordinates3* value);
    void SetScale(TGLCoordinates3* value);

    Single PitchAngle() const { return rotation_->X(); }
    Single TurnAngle() const { return rotation_->Y(); }
    Single RollAngle() const { return rotation_->Z(); }
    void SetPitchAngle(Single value);
    void SetTurnAngle(Single value);
    void SetRollAngle(Single value);
    // From the reset orientation: pitch about Right, then turn about Up, then roll about
    // Direction, each by plus the angle (degrees).
    void SetOrientationAngles(Single pitch, Single turn, Single roll);
    // Back to Direction +Z, Up +Y, no angles; Position and Scale stay.
    void ResetRotations();

    const TMatrix4x4& LocalMatrix();
    // Takes the matrix over and rebuilds Direction, Up, Scale and Position from it.
    void SetLocalMatrix(const TMatrix4x4& matrix);
    const TMatrix4x4& AbsoluteMatrix();
    const TMatrix4x4& InvAbsoluteMatrix();

    TVector4f GetAbsolutePosition();
    TVector4f AbsoluteDirection();
    TVector4f AbsoluteUp();
    TAffineVector AbsoluteAffinePosition() { return AffineOf(GetAbsolutePosition()); }
    TAffineVector AbsoluteAffineDirection() { return AffineOf(AbsoluteDirection()); }
    TAffineVector AbsoluteAffineUp() { return AffineOf(AbsoluteUp()); }
    // W decides whether the translation applies (1 points, 0 directions).
    TVector4f AbsoluteToLocal(const TVector4f& v);
    TVector4f LocalToAbsolute(const TVector4f& v);
    // Direction x Up.
    TVector4f RightVector() const;
    Single SqrDistanceTo(const TVector4f& point);

    // Orbits around the target: pitch about the local right axis (never reaching the up axis),
    // turn about up, degrees. Keeps the orientation.
    void MoveAroundTarget(TGLBaseSceneObject* target, Single pitchDelta, Single turnDelta);

    // ---- extents ----
    virtual bool IsBlended() const { return false; }
    // The library material this object draws with when it may stay applied for a next sibling
    // with the same one: the object then draws only geometry with it, has no children, axes or
    // effects. None by default.
    virtual TGLLibMaterial* HoldableMaterial(const TRenderContextInfo&) { return nullptr; }
    virtual TBoxCorners BoundingBoxCorners();
    virtual TVector4f Barycenter();
    virtual TVector4f UnscaledDimensions() const;
    virtual bool ContainsPoint(const TVector4f& point);
    virtual bool IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector,
                              TVector4f* intersectPoint = nullptr, TVector4f* intersectNormal = nullptr);
    virtual TGLSilhouette* BuildSilhouette(const TSilhouetteParameters& parameters);
    TVector4f AxisAlignedDimensions();
    // In the object's own axes, scaled; with children their boxes are merged in.
    TAxisAlignedBox GetAxisAlignedBox(bool includeChildren);
    TAxisAlignedBox AxisAlignedBoundingBoxUnscaled(bool includeChildren);
    Single BoundingSphereRadius();
    Single BoundingSphereRadiusUnscaled() const;
    // Cached eight-corner boxes in the object's local frame.
    const TBoxCorners& OwnBox();
    const TBoxCorners& ChildrenBox();
    const TBoxCorners& OwnAndChildrenBox();
    // The object and its subtree as a world-space axis-aligned box.
    TAxisAlignedBox AbsoluteAxisAlignedBox();
    void InvalidateBoxCache(TGLBoxCacheFlags flags);

    // ---- rendering (GLSceneObjectRendering.cpp) ----
    // Draws the object and its subtree: culling, the local matrix, the picking name, axes,
    // effects. The entry for the root and for every child.
    void Render(TRenderContextInfo& rci);
    // The compiled display list of BuildList, compiled again after a structure change. Needs
    // an active context; the compile is closed also when BuildList fails.
    virtual GLuint DisplayListFor(TRenderContextInfo& rci);
    // Emits the object's own geometry (in its own axes); nothing in the base.
    virtual void BuildList(TRenderContextInfo& rci) {}
    // The object's geometry (direct or through its list), then its children.
    virtual void DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren);
    // The visible children first..last, sorted and culled as the record (or this object) says.
    virtual void RenderChildren(Integer firstChildIndex, Integer lastChildIndex, TRenderContextInfo& rci);
    // The list exists, has a name and no structure change waits.
    bool HasValidDisplayList() const;
    // The name the object is loaded with while picking: its slot in the table of live scene
    // objects (never 0), not its address, which does not fit a 32-bit name on 64-bit Windows.
    GLuint PickingName() const { return pickingName_; }
    // The live object a picking name stands for; nullptr when it is freed or was never given.
    static TGLBaseSceneObject* FindByPickingName(GLuint name);
    // Releases the display list.
    virtual void DestroyHandle();
    // The subtree's handles, children first.
    void DestroyHandles();
    TGLListHandle* ListHandle() const { return listHandle_; }
    void SetListHandle(TGLListHandle* handle) { listHandle_ = handle; }  // owned from then on

    // ---- streaming and copying ----
    void Assign(TPersistent* source) override;
    void Loaded() override;
    void DefineProperties(TFiler* filer) override;
    void GetChildren(const TGetChildProc& proc, TComponent* root) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }
    void SetParentComponent(TComponent* value) override;
    void SetChildOrder(TComponent* child, int order) override;

    // Coordinates tell which of them changed: Direction and Up are kept orthonormal.
    void CoordinatesChanged(TGLCustomCoordinates* sender) override;
    virtual void SetScene(TGLScene* value);
    virtual void NotifyAddedToParent();

protected:
    void SetParent(TGLBaseSceneObject* parent) { parent_ = parent; }
    bool IsLoading() const { return ComponentState().Contains(csLoading); }
    void RebuildMatrix();
    // The children's list, created on demand.
    TPersistentObjectList* ChildList();

private:
    static TAffineVector AffineOf(const TVector4f& v) { return {v.X, v.Y, v.Z}; }
    void TearDown();
    void FreeCameras();
    // Takes a child out of the list without telling anyone; it keeps its scene.
    void Detach(TGLBaseSceneObject* object);
    // Takes the object out of its parent before this node adopts it.
    void TakeOutOfParent(TGLBaseSceneObject* object);
    bool IsInSubtreeOf(const TGLBaseSceneObject* node) const;
    void DoSetAngle(int axis, Single value);
    void RotateUpAndDirection(const TAffineVector& axis, Single radians);
    void MarkSubtreeMatricesStale();

    TMatrix4x4 localMatrix_ = IdentityMatrix;
    TMatrix4x4* absoluteMatrices_ = nullptr;  // absolute, then inverse absolute
    TGLObjectStyle objectStyle_;
    TGLListHandle* listHandle_ = nullptr;
    TGLCoordinates3* position_ = nullptr;
    TGLCoordinates3* direction_ = nullptr;
    TGLCoordinates3* up_ = nullptr;
    TGLCoordinates3* scale_ = nullptr;
    TGLObjectChanges changes_;
    TGLBaseSceneObject* parent_ = nullptr;
    TGLScene* scene_ = nullptr;
    TGLBoxCacheFlags boxCache_;
    TBoxCorners ownBox_{}, childrenBox_{}, ownAndChildrenBox_{};
    TPersistentObjectList* children_ = nullptr;
    bool visible_ = true;
    Integer updateCount_ = 0;
    bool showAxes_ = false;
    TGLCoordinates3* rotation_ = nullptr;
    bool rotating_ = false;
    TGLObjectsSorting objectsSorting_ = osInherited;
    TGLVisibilityCulling visibilityCulling_ = vcInherited;
    TGLBehaviours* behaviours_ = nullptr;
    TGLObjectEffects* effects_ = nullptr;
    Single tagFloat_ = 0;
    bool tornDown_ = false;
    GLuint pickingName_ = 0;
};
