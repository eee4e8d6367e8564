// Sections: construction and destruction · tree · notification · progress · properties ·
// placement · extents · streaming and copying.

#include "GLBaseSceneObject.h"

#include <cmath>

#include "Filer.h"
#include "GLContext.h"
#include "GLCrossPlatform.h"
#include "Scene.h"
#include "GLSilhouette.h"
#include "GeometryBB.h"
#include "PersistentObjectList.h"
#include "Streams.h"
#include "SysUtils.h"
#include "VectorGeometry.h"

TGLObjectRenamedEvent GLBaseSceneObjectRenamed;

namespace {

constexpr TBoxCorners EmptyBox{
    {{0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}, {0, 0, 0, 1}}};

bool IsEmptyBox(const TBoxCorners& box) { return SameBoundingBox(box, EmptyBox); }

TAffineVector Affine(const TVector4f& v) { return {v.X, v.Y, v.Z}; }

bool IsCameraObject(TGLBaseSceneObject* object) {
    auto* camera = dynamic_cast<IGLCameraObject*>(object);
    return camera && camera->IsCamera();
}

// R := a x b, with the two fallbacks that keep Direction and Up apart when they are parallel.
TVector4f RightOf(const TVector4f& a, const TVector4f& up) {
    TVector4f r = CrossVector4(a, up);
    if (LengthVector4xyz(r) < 1e-5) r = CrossVector4(ZVector4, up);
    if (LengthVector4xyz(r) < 1e-5) r = CrossVector4(XVector4, up);
    return r;
}

// The table behind the picking names: slot i holds the object named i + 1; freed slots are
// taken again first, so the table stays as large as the most objects alive at once.
std::vector<TGLBaseSceneObject*>& PickingTable() {
    static std::vector<TGLBaseSceneObject*> table;
    return table;
}
std::vector<GLuint>& FreePickingSlots() {
    static std::vector<GLuint> slots;
    return slots;
}

GLuint TakePickingName(TGLBaseSceneObject* object) {
    auto& table = PickingTable();
    auto& free = FreePickingSlots();
    if (!free.empty()) {
        GLuint slot = free.back();
        free.pop_back();
        table[slot] = object;
        return slot + 1;
    }
    table.push_back(object);
    return GLuint(table.size());
}

void ReleasePickingName(GLuint name) {
    if (name == 0) return;
    PickingTable()[name - 1] = nullptr;
    FreePickingSlots().push_back(name - 1);
}

}  // namespace

TGLBaseSceneObject* TGLBaseSceneObject::FindByPickingName(GLuint name) {
    const auto& table = PickingTable();
    return name >= 1 && name <= table.size() ? table[name - 1] : nullptr;
}

// ---- construction and destruction ------------------------------------------------------------

TGLBaseSceneObject::TGLBaseSceneObject(TComponent* owner) : TGLCoordinatesUpdateAbleComponent(owner) {
    position_ = new TGLCoordinates3(this, NullHomogeneousPoint, csPoint);
    direction_ = new TGLCoordinates3(this, ZVector4, csVector);
    up_ = new TGLCoordinates3(this, YVector4, csVector);
    scale_ = new TGLCoordinates3(this, {1, 1, 1, 0}, csVector);
    rotation_ = new TGLCoordinates3(this, NullVector4, csVector);
    changes_ = TGLObjectChanges{ocTransformation, ocAbsoluteMatrix, ocInvAbsoluteMatrix, ocStructure};
    boxCache_ = TGLBoxCacheFlags{bcChildrenBoxStale, bcOwnBoxStale};
    ownBox_ = childrenBox_ = ownAndChildrenBox_ = EmptyBox;
    pickingName_ = TakePickingName(this);
}

TGLBaseSceneObject::~TGLBaseSceneObject() {
    TearDown();
    delete position_;
    delete direction_;
    delete up_;
    delete scale_;
    delete rotation_;
    ReleasePickingName(pickingName_);
}

void TGLBaseSceneObject::BeforeDestruction() {
    TearDown();
    TGLCoordinatesUpdateAbleComponent::BeforeDestruction();
}

void TGLBaseSceneObject::TearDown() {
    if (tornDown_) return;
    tornDown_ = true;
    FreeCameras();
    delete[] absoluteMatrices_;
    absoluteMatrices_ = nullptr;
    FreeAndNil(effects_);
    FreeAndNil(behaviours_);
    FreeAndNil(listHandle_);
    if (parent_) parent_->Remove(this, false);
    if (children_) {
        DeleteChildren();
        FreeAndNil(children_);
    }
}

// ---- tree ------------------------------------------------------------------------------------

TPersistentObjectList* TGLBaseSceneObject::ChildList() {
    if (!children_) children_ = new TPersistentObjectList();
    return children_;
}

Integer TGLBaseSceneObject::GetChildCount() const { return children_ ? children_->Count() : 0; }

TGLBaseSceneObject* TGLBaseSceneObject::GetChild(Integer index) const {
    if (index < 0 || index >= GetChildCount()) ListIndexError(index);
    return static_cast<TGLBaseSceneObject*>(children_->GetItem(index));
}

bool TGLBaseSceneObject::IsInSubtreeOf(const TGLBaseSceneObject* node) const {
    for (const TGLBaseSceneObject* p = this; p; p = p->parent_)
        if (p == node) return true;
    return false;
}

void TGLBaseSceneObject::TakeOutOfParent(TGLBaseSceneObject* object) {
    TGLBaseSceneObject* former = object->parent_;
    if (!former) return;
    if (object->scene_ && object->scene_ == scene_) {
        // A move inside one scene: its display lists and textures stay valid.
        former->Detach(object);
        former->ReportChange(former);
    } else {
        former->Remove(object, false);
    }
}

void TGLBaseSceneObject::AddChild(TGLBaseSceneObject* object) {
    // A node under itself would free itself twice; one in two lists likewise.
    Assert(!IsInSubtreeOf(object), L"Cannot add a scene object to its own subtree");
    TakeOutOfParent(object);
    if (scene_) scene_->AddLights(object);
    ChildList()->Add(object);
    object->parent_ = this;
    object->SetScene(scene_);
    TransformationChanged();
    object->TransformationChanged();
    object->NotifyAddedToParent();
    InvalidateBoxCache(TGLBoxCacheFlags{bcChildrenBoxStale});
}

TGLBaseSceneObject* TGLBaseSceneObject::AddNewChild(TClass objectClass) {
    Assert(objectClass->InheritsFrom(TGLBaseSceneObject::StaticClass()), L"Not a scene object class");
    auto* object = static_cast<TGLBaseSceneObject*>(objectClass->Create(Owner()));
    AddChild(object);
    return object;
}

TGLBaseSceneObject* TGLBaseSceneObject::PrependNewChild(TClass objectClass) {
    Assert(objectClass->InheritsFrom(TGLBaseSceneObject::StaticClass()), L"Not a scene object class");
    auto* object = static_cast<TGLBaseSceneObject*>(objectClass->Create(Owner()));
    Insert(0, object);
    return object;
}

void TGLBaseSceneObject::Insert(Integer index, TGLBaseSceneObject* object) {
    Assert(!IsInSubtreeOf(object), L"Cannot add a scene object to its own subtree");
    // Checked before anything moves; taking out a child of this node shortens the list by one.
    Integer last = GetChildCount() - (object->parent_ == this ? 1 : 0);
    if (index < 0 || index > last) ListIndexError(index);
    TakeOutOfParent(object);
    ChildList()->Insert(index, object);
    object->parent_ = this;
    if (object->scene_ != scene_) object->DestroyHandles();
    object->SetScene(scene_);
    if (scene_) scene_->AddLights(object);
    object->TransformationChanged();
    object->NotifyAddedToParent();
    InvalidateBoxCache(TGLBoxCacheFlags{bcChildrenBoxStale});
}

void TGLBaseSceneObject::Detach(TGLBaseSceneObject* object) {
    if (scene_) scene_->RemoveLights(object);
    if (object->Owner() == this) RemoveComponent(object);
    children_->Remove(object);
    object->parent_ = nullptr;
    InvalidateBoxCache(TGLBoxCacheFlags{bcChildrenBoxStale});
}

void TGLBaseSceneObject::Remove(TGLBaseSceneObject* object, bool keepChildren) {
    if (!object || object->parent_ != this || !children_) return;
    Detach(object);
    if (!keepChildren) {
        // A detached object reports nowhere, and must not keep a scene that may go before it.
        object->SetScene(nullptr);
        ReportChange(this);
        return;
    }
    // The children move while their old parent still shares their scene, so they keep their
    // display lists; then the emptied object leaves the scene.
    BeginUpdate();
    try {
        for (Integer i = object->GetChildCount() - 1; i >= 0; --i) {
            TGLBaseSceneObject* child = object->GetChild(i);
            if (!HasSubComponentStyle(child)) child->MoveTo(this);
        }
    } catch (...) {
        object->SetScene(nullptr);
        EndUpdate();
        throw;
    }
    object->SetScene(nullptr);
    EndUpdate();
}

void TGLBaseSceneObject::MoveTo(TGLBaseSceneObject* newParent) {
    if (newParent == parent_) return;
    if (newParent) {
        // AddChild takes the object out of its parent, keeping its GL objects inside one scene.
        newParent->AddChild(this);
    } else {
        if (parent_) parent_->Remove(this, false);
        SetScene(nullptr);
    }
}

void TGLBaseSceneObject::FreeCameras() {
    Integer i = 0;
    while (i < GetChildCount()) {
        TGLBaseSceneObject* child = GetChild(i);
        child->FreeCameras();
        if (IsCameraObject(child)) {
            Remove(child, true);
            FreeObject(child);
        } else {
            ++i;
        }
    }
}

void TGLBaseSceneObject::DeleteChildren() {
    // Reports nothing, not even for the cameras taken out first: the scene is held quiet
    // without the report that ending its bracket would make.
    TGLScene* scene = scene_;
    if (scene) ++scene->updateCount_;
    try {
        FreeCameras();
        if (scene_)
            for (Integer i = 0; i < GetChildCount(); ++i) scene_->RemoveLights(GetChild(i));
        while (GetChildCount() > 0) {
            auto* child = static_cast<TGLBaseSceneObject*>(children_->Pop());
            child->parent_ = nullptr;
            FreeObject(child);
        }
    } catch (...) {
        if (scene) --scene->updateCount_;
        throw;
    }
    if (scene) --scene->updateCount_;
    InvalidateBoxCache(TGLBoxCacheFlags{bcChildrenBoxStale});
}

Integer TGLBaseSceneObject::Index() const { return parent_ ? parent_->children_->IndexOf(this) : -1; }

void TGLBaseSceneObject::SetIndex(Integer newIndex) {
    if (!parent_) return;
    Integer count = parent_->GetChildCount();
    newIndex = std::max(0, std::min(newIndex, count - 1));
    Integer current = Index();
    if (newIndex == current) return;
    // Moved in place: ownership, lights and display lists stay as they are.
    if (scene_) scene_->BeginUpdate();
    parent_->children_->Delete(current);
    parent_->children_->Insert(newIndex, this);
    parent_->InvalidateBoxCache(TGLBoxCacheFlags{bcChildrenBoxStale});
    parent_->ReportChange(parent_);
    if (scene_) scene_->EndUpdate();
}

TGLBaseSceneObject* TGLBaseSceneObject::FindChild(const String& name, bool ownChildrenOnly) const {
    TGLBaseSceneObject* direct = nullptr;
    for (Integer i = 0; i < GetChildCount(); ++i) {
        TGLBaseSceneObject* child = GetChild(i);
        if (SameText(child->Name(), name)) {
            direct = child;
            break;
        }
    }
    if (ownChildrenOnly) return direct;
    for (Integer i = 0; i < GetChildCount(); ++i)
        if (TGLBaseSceneObject* found = GetChild(i)->FindChild(name, false)) return found;
    return direct;
}

void TGLBaseSceneObject::SetScene(TGLScene* value) {
    if (value == scene_) return;
    if (scene_) DestroyHandles();
    scene_ = value;
    for (Integer i = 0; i < GetChildCount(); ++i) GetChild(i)->SetScene(value);
}

void TGLBaseSceneObject::NotifyAddedToParent() {
    if (OnAddedToParent) OnAddedToParent(this);
}

void TGLBaseSceneObject::DestroyHandle() {
    if (listHandle_) listHandle_->Deallocate();
}

void TGLBaseSceneObject::DestroyHandles() {
    for (Integer i = 0; i < GetChildCount(); ++i) GetChild(i)->DestroyHandles();
    DestroyHandle();
}

// ---- notification ----------------------------------------------------------------------------

bool TGLBaseSceneObject::IsUpdating() const {
    return updateCount_ > 0 || ComponentState().Contains(csLoading) || ComponentState().Contains(csReading);
}

void TGLBaseSceneObject::ReportChange(TObject* sender) {
    if (scene_ && !IsUpdating()) scene_->ReportChange(this);
}

void TGLBaseSceneObject::StructureChanged() {
    // The geometry, and with it the own box, is no longer what the cache holds.
    InvalidateBoxCache(TGLBoxCacheFlags{bcOwnBoxStale});
    if (!changes_.Contains(ocStructure)) {
        changes_ += ocStructure;
        ReportChange(this);
    } else if (objectStyle_.Contains(osDirectDraw)) {
        ReportChange(this);
    }
}

void TGLBaseSceneObject::ClearStructureChanged() {
    changes_ -= ocStructure;
    InvalidateBoxCache(TGLBoxCacheFlags{bcOwnBoxStale});
}

void TGLBaseSceneObject::MarkSubtreeMatricesStale() {
    changes_ += ocAbsoluteMatrix;
    changes_ += ocInvAbsoluteMatrix;
    for (Integer i = 0; i < GetChildCount(); ++i) {
        TGLBaseSceneObject* child = GetChild(i);
        if (!child->changes_.Contains(ocAbsoluteMatrix) || !child->changes_.Contains(ocInvAbsoluteMatrix))
            child->MarkSubtreeMatricesStale();
    }
}

void TGLBaseSceneObject::TransformationChanged() {
    if (changes_.Contains(ocTransformation)) return;
    changes_ += ocTransformation;
    MarkSubtreeMatricesStale();
    // The parent's box of its children holds this object where it was.
    if (parent_) parent_->InvalidateBoxCache(TGLBoxCacheFlags{bcChildrenBoxStale});
    if (!IsLoading()) ReportChange(this);
}

void TGLBaseSceneObject::InvalidateBoxCache(TGLBoxCacheFlags flags) {
    boxCache_ += flags;
    for (TGLBaseSceneObject* p = parent_; p; p = p->parent_) {
        if (p->boxCache_.Contains(bcChildrenBoxStale)) break;
        p->boxCache_ += bcChildrenBoxStale;
    }
}

void TGLBaseSceneObject::BeginUpdate() { ++updateCount_; }

void TGLBaseSceneObject::EndUpdate() {
    Assert(updateCount_ >= 1, L"Unbalanced Begin/EndUpdate");
    if (--updateCount_ == 0) ReportChange(this);
}

// ---- progress --------------------------------------------------------------------------------

void TGLBaseSceneObject::DoProgress(const TProgressStepTimes& times) {
    for (Integer i = GetChildCount() - 1; i >= 0; --i) {
        // A handler may have freed children meanwhile.
        if (i >= GetChildCount()) continue;
        GetChild(i)->DoProgress(times);
    }
    if (behaviours_) behaviours_->DoProgress(times);
    if (effects_) effects_->DoProgress(times);
    if (OnProgress) OnProgress(this, times.DeltaTime, times.NewTime);
}

TGLBehaviours* TGLBaseSceneObject::Behaviours() {
    if (!behaviours_) behaviours_ = new TGLBehaviours(this);
    return behaviours_;
}

TGLObjectEffects* TGLBaseSceneObject::Effects() {
    if (!effects_) effects_ = new TGLObjectEffects(this);
    return effects_;
}

// ---- properties ------------------------------------------------------------------------------

void TGLBaseSceneObject::SetVisible(bool value) {
    if (visible_ == value) return;
    visible_ = value;
    ReportChange(this);
}

void TGLBaseSceneObject::SetShowAxes(bool value) {
    if (showAxes_ == value) return;
    showAxes_ = value;
    ReportChange(this);
}

void TGLBaseSceneObject::SetObjectsSorting(TGLObjectsSorting value) {
    if (objectsSorting_ == value) return;
    objectsSorting_ = value;
    ReportChange(this);
}

void TGLBaseSceneObject::SetVisibilityCulling(TGLVisibilityCulling value) {
    if (visibilityCulling_ == value) return;
    visibilityCulling_ = value;
    ReportChange(this);
}

void TGLBaseSceneObject::SetName(const String& name) {
    if (name == Name()) return;
    String oldName = Name();
    TGLCoordinatesUpdateAbleComponent::SetName(name);
    if (GLBaseSceneObjectRenamed) GLBaseSceneObjectRenamed(this, oldName);
}

// ---- placement -------------------------------------------------------------------------------

void TGLBaseSceneObject::SetPosition(TGLCoordinates3* value) {
    position_->AssignVector(value->AsVector());  // a point: W becomes 1
}

void TGLBaseSceneObject::SetDirection(TGLCoordinates3* value) {
    if (IsNullAffine(Affine(value->AsVector()))) return;
    direction_->AssignVector(value->AsVector());
}

void TGLBaseSceneObject::SetUp(TGLCoordinates3* value) {
    if (IsNullAffine(Affine(value->AsVector()))) return;
    up_->AssignVector(value->AsVector());
}

void TGLBaseSceneObject::SetScale(TGLCoordinates3* value) {
    scale_->Assign(value);
    TransformationChanged();
}

void TGLBaseSceneObject::CoordinatesChanged(TGLCustomCoordinates* sender) {
    if (rotating_) return;
    rotating_ = true;
    try {
        if (sender == direction_) {
            TVector4f d = direction_->AsVector();
            if (LengthVector4xyz(d) == 0) d = ZVector4;
            NormalizeVector4InPlace(d);
            TVector4f up = NormalizedVector4(CrossVector4(RightOf(d, up_->AsVector()), d));
            direction_->StoreVector(d);
            up_->StoreVector(up);
        } else if (sender == up_) {
            TVector4f u = up_->AsVector();
            if (LengthVector4xyz(u) == 0) u = YVector4;
            NormalizeVector4InPlace(u);
            TVector4f d = NormalizedVector4(CrossVector4(u, RightOf(direction_->AsVector(), u)));
            up_->StoreVector(u);
            direction_->StoreVector(d);
        }
        TransformationChanged();
    } catch (...) {
        rotating_ = false;
        throw;
    }
    rotating_ = false;
}

void TGLBaseSceneObject::RotateUpAndDirection(const TAffineVector& axis, Single radians) {
    TVector4f up = up_->AsVector(), dir = direction_->AsVector();
    RotateAroundAxisInPlace(up, axis, radians);
    RotateAroundAxisInPlace(dir, axis, radians);
    NormalizeVector4InPlace(up);
    NormalizeVector4InPlace(dir);
    up_->StoreVector(up);
    direction_->StoreVector(dir);
}

void TGLBaseSceneObject::DoSetAngle(int axis, Single value) {
    Single old = rotation_->AsVector()[axis];
    if (old == value) return;
    if (!IsLoading()) {
        rotating_ = true;
        try {
            TAffineVector about;
            switch (axis) {
                case 0:
                    about = Affine(CrossVector4(direction_->AsVector(), up_->AsVector()));
                    break;
                case 1:
                    about = Affine(up_->AsVector());
                    break;
                default:
                    about = Affine(direction_->AsVector());
                    break;
            }
            RotateUpAndDirection(about, DegreesToRadiansSingle(old - value));
            TransformationChanged();
        } catch (...) {
            rotating_ = false;
            throw;
        }
        rotating_ = false;
    }
    TVector4f angles = rotation_->AsVector();
    angles[axis] = WrapDegrees(value);
    rotation_->StoreVector(angles);
}

void TGLBaseSceneObject::SetPitchAngle(Single value) { DoSetAngle(0, value); }
void TGLBaseSceneObject::SetTurnAngle(Single value) { DoSetAngle(1, value); }
void TGLBaseSceneObject::SetRollAngle(Single value) { DoSetAngle(2, value); }

void TGLBaseSceneObject::ResetRotations() {
    const TVector4f& s = scale_->AsVector();
    const TVector4f& p = position_->AsVector();
    localMatrix_ = {{{s.X, 0, 0, 0}, {0, s.Y, 0, 0}, {0, 0, s.Z, 0}, {p.X, p.Y, p.Z, p.W}}};
    rotation_->StoreVector(NullVector4);
    direction_->StoreVector(ZVector4);
    up_->StoreVector(YVector4);
    TransformationChanged();
    changes_ -= ocTransformation;  // the matrix above is already right
}

void TGLBaseSceneObject::SetOrientationAngles(Single pitch, Single turn, Single roll) {
    ResetRotations();
    TVector4f angles = NullVector4;
    RotateUpAndDirection(Affine(CrossVector4(direction_->AsVector(), up_->AsVector())), DegreesToRadiansSingle(pitch));
    angles.X = WrapDegrees(pitch);
    RotateUpAndDirection(Affine(up_->AsVector()), DegreesToRadiansSingle(turn));
    angles.Y = WrapDegrees(turn);
    RotateUpAndDirection(Affine(direction_->AsVector()), DegreesToRadiansSingle(roll));
    angles.Z = WrapDegrees(roll);
    rotation_->StoreVector(angles);
    TransformationChanged();
    ReportChange(this);
}

void TGLBaseSceneObject::RebuildMatrix() {
    if (!changes_.Contains(ocTransformation)) return;
    const TVector4f& up = up_->AsVector();
    const TVector4f& dir = direction_->AsVector();
    const TVector4f& s = scale_->AsVector();
    TVector4f right = CrossVector4(up, dir);
    localMatrix_[0] = ScaledVector4(right, s.X);
    localMatrix_[1] = ScaledVector4(up, s.Y);
    localMatrix_[2] = ScaledVector4(dir, s.Z);
    localMatrix_[0].W = localMatrix_[1].W = localMatrix_[2].W = 0;
    localMatrix_[3] = position_->AsVector();
    changes_ -= ocTransformation;
    changes_ += ocAbsoluteMatrix;
    changes_ += ocInvAbsoluteMatrix;
}

const TMatrix4x4& TGLBaseSceneObject::LocalMatrix() {
    RebuildMatrix();
    return localMatrix_;
}

void TGLBaseSceneObject::SetLocalMatrix(const TMatrix4x4& matrix) {
    localMatrix_ = matrix;
    TVector4f dir = matrix[2], up = matrix[1];
    dir.W = up.W = 0;
    direction_->StoreVector(NormalizedVector4(dir));
    up_->StoreVector(NormalizedVector4(up));
    scale_->StoreVector({Single(LengthVector4xyz(matrix[0])), Single(LengthVector4xyz(matrix[1])),
                         Single(LengthVector4xyz(matrix[2])), 0});
    position_->StoreVector(matrix[3]);
    TransformationChanged();
}

const TMatrix4x4& TGLBaseSceneObject::AbsoluteMatrix() {
    if (!absoluteMatrices_) {
        absoluteMatrices_ = new TMatrix4x4[2]{IdentityMatrix, IdentityMatrix};
        changes_ += ocAbsoluteMatrix;
        changes_ += ocInvAbsoluteMatrix;
    }
    if (changes_.Contains(ocAbsoluteMatrix)) {
        RebuildMatrix();
        bool rootParent = !parent_ || (scene_ && parent_ == scene_->Objects());
        if (rootParent)
            absoluteMatrices_[0] = localMatrix_;
        else
            absoluteMatrices_[0] = MultiplyMatrices(localMatrix_, parent_->AbsoluteMatrix());
        changes_ -= ocAbsoluteMatrix;
        changes_ += ocInvAbsoluteMatrix;
    }
    return absoluteMatrices_[0];
}

const TMatrix4x4& TGLBaseSceneObject::InvAbsoluteMatrix() {
    if (!absoluteMatrices_) AbsoluteMatrix();
    if (changes_.Contains(ocInvAbsoluteMatrix)) {
        const TVector4f& s = scale_->AsVector();
        if (s.X == 1 && s.Y == 1 && s.Z == 1 && s.W == 0) {
            RebuildMatrix();
            TMatrix4x4 invLocal;
            InvertUniformScaleMatrix(localMatrix_, invLocal);
            bool rootParent = !parent_ || (scene_ && parent_ == scene_->Objects());
            if (rootParent)
                absoluteMatrices_[1] = invLocal;
            else
                absoluteMatrices_[1] = MultiplyMatrices(parent_->InvAbsoluteMatrix(), invLocal);
        } else {
            TMatrix4x4 m = AbsoluteMatrix();
            InvertMatrixInPlace(m);
            absoluteMatrices_[1] = m;
        }
        changes_ -= ocInvAbsoluteMatrix;
    }
    return absoluteMatrices_[1];
}

TVector4f TGLBaseSceneObject::GetAbsolutePosition() { return AbsoluteMatrix()[3]; }

TVector4f TGLBaseSceneObject::AbsoluteDirection() {
    TVector4f v = AbsoluteMatrix()[2];
    v.W = 0;
    return NormalizedVector4(v);
}

TVector4f TGLBaseSceneObject::AbsoluteUp() {
    TVector4f v = AbsoluteMatrix()[1];
    v.W = 0;
    return NormalizedVector4(v);
}

TVector4f TGLBaseSceneObject::AbsoluteToLocal(const TVector4f& v) { return TransformVector4(v, InvAbsoluteMatrix()); }

TVector4f TGLBaseSceneObject::LocalToAbsolute(const TVector4f& v) { return TransformVector4(v, AbsoluteMatrix()); }

TVector4f TGLBaseSceneObject::RightVector() const { return CrossVector4(direction_->AsVector(), up_->AsVector()); }

Single TGLBaseSceneObject::SqrDistanceTo(const TVector4f& point) {
    TVector4f c = Barycenter();
    return Single(SquaredLengthVector4xyz(SubtractVectors4(c, point)));
}

void TGLBaseSceneObject::MoveAroundTarget(TGLBaseSceneObject* target, Single pitchDelta, Single turnDelta) {
    if (!target) return;
    TVector4f t = target->GetAbsolutePosition();
    TVector4f p = GetAbsolutePosition();
    TVector4f v = SubtractVectors4(p, t);
    v.W = 0;
    Single dist = Single(LengthVector4xyz(v));
    NormalizeVector4InPlace(v);
    TVector4f u = AbsoluteUp();
    TVector4f r = CrossVector4(u, v);
    if (LengthVector4xyz(r) < 0.001)
        r = XVector4;
    else
        NormalizeVector4InPlace(r);
    // Kept clear of the up axis, where the orbit would flip over.
    Extended a = ArcCosExtended(DotVector4xyz(u, v)) + DegreesToRadians(pitchDelta);
    a = std::max<Extended>(0.025, std::min<Extended>(a, 3.1165926));
    TVector4f w = u;
    RotateAroundAxisInPlace(w, Affine(r), Single(-a));
    RotateAroundAxisInPlace(w, Affine(u), -DegreesToRadiansSingle(turnDelta));
    w = ScaledVector4(w, dist);
    TVector4f newPos{t.X + w.X, t.Y + w.Y, t.Z + w.Z, 1};
    if (parent_) newPos = parent_->AbsoluteToLocal(newPos);
    position_->AssignVector(newPos);
}

// ---- extents ---------------------------------------------------------------------------------

TVector4f TGLBaseSceneObject::UnscaledDimensions() const { return {0.5f, 0.5f, 0.5f, 0}; }

TVector4f TGLBaseSceneObject::Barycenter() { return GetAbsolutePosition(); }

TVector4f TGLBaseSceneObject::AxisAlignedDimensions() {
    TVector4f d = UnscaledDimensions();
    MultiplyVector4Components(d, scale_->AsVector());
    d.W = 0;
    return d;
}

TAxisAlignedBox TGLBaseSceneObject::AxisAlignedBoundingBoxUnscaled(bool includeChildren) {
    TAxisAlignedBox box = AABBFromExtents(UnscaledDimensions());
    if (includeChildren)
        for (Integer i = 0; i < GetChildCount(); ++i) {
            TGLBaseSceneObject* child = GetChild(i);
            TAxisAlignedBox childBox = child->AxisAlignedBoundingBoxUnscaled(true);
            TransformAABB(childBox, child->LocalMatrix());
            MergeIntoAABB(box, childBox);
        }
    return box;
}

TAxisAlignedBox TGLBaseSceneObject::GetAxisAlignedBox(bool includeChildren) {
    TAxisAlignedBox box = AxisAlignedBoundingBoxUnscaled(includeChildren);
    ScaleAABB(box, Affine(scale_->AsVector()));
    return box;
}

Single TGLBaseSceneObject::BoundingSphereRadius() { return Single(LengthVector4xyz(AxisAlignedDimensions())); }

Single TGLBaseSceneObject::BoundingSphereRadiusUnscaled() const {
    return Single(LengthVector4xyz(UnscaledDimensions()));
}

bool TGLBaseSceneObject::ContainsPoint(const TVector4f& point) {
    TVector4f local = AbsoluteToLocal(point);
    MultiplyVector4Components(local, scale_->AsVector());
    TVector4f d = AxisAlignedDimensions();
    return std::fabs(local.X) <= d.X && std::fabs(local.Y) <= d.Y && std::fabs(local.Z) <= d.Z;
}

TBoxCorners TGLBaseSceneObject::BoundingBoxCorners() {
    TBoxCorners corners;
    AABBToBoxCorners(AABBFromExtents(UnscaledDimensions()), corners);
    TranslateBoxCorners(corners, Affine(AbsoluteToLocal(Barycenter())));
    return corners;
}

const TBoxCorners& TGLBaseSceneObject::OwnBox() {
    if (boxCache_.Contains(bcOwnBoxStale)) {
        ownBox_ = BoundingBoxCorners();
        boxCache_ -= bcOwnBoxStale;
    }
    return ownBox_;
}

const TBoxCorners& TGLBaseSceneObject::ChildrenBox() {
    if (boxCache_.Contains(bcChildrenBoxStale)) {
        childrenBox_ = EmptyBox;
        bool first = true;
        for (Integer i = 0; i < GetChildCount(); ++i) {
            TGLBaseSceneObject* child = GetChild(i);
            TBoxCorners box = child->OwnAndChildrenBox();
            if (IsEmptyBox(box)) continue;
            TransformBoundingBox(box, child->LocalMatrix());
            if (first) {
                childrenBox_ = box;
                first = false;
            } else {
                TBoxCorners grown;
                ExtendBoundingBox(childrenBox_, box, grown);
                childrenBox_ = grown;
            }
        }
        boxCache_ -= bcChildrenBoxStale;
    }
    return childrenBox_;
}

const TBoxCorners& TGLBaseSceneObject::OwnAndChildrenBox() {
    bool stale = !boxCache_.Empty();
    TBoxCorners own = OwnBox();
    const TBoxCorners& children = ChildrenBox();
    if (stale) {
        if (IsEmptyBox(children)) {
            ownAndChildrenBox_ = own;
        } else if (!IsEmptyBox(own)) {
            ExtendBoundingBox(own, children, ownAndChildrenBox_);
        } else {
            ownAndChildrenBox_ = children;
        }
    }
    return ownAndChildrenBox_;
}

TAxisAlignedBox TGLBaseSceneObject::AbsoluteAxisAlignedBox() {
    TBoxCorners corners = OwnAndChildrenBox();
    TransformBoundingBox(corners, AbsoluteMatrix());
    TAxisAlignedBox box;
    BoxCornersToAABB(corners, box);
    return box;
}

bool TGLBaseSceneObject::IntersectRay(const TVector4f& rayStart, const TVector4f& rayVector, TVector4f* intersectPoint,
                                      TVector4f* intersectNormal) {
    TVector4f centre = GetAbsolutePosition();
    TVector4f direction = rayVector;
    direction.W = 0;
    NormalizeVector4InPlace(direction);
    TVector4f hit1, hit2;
    if (RaySphereHits(rayStart, direction, centre, BoundingSphereRadius(), hit1, hit2) == 0) return false;
    if (intersectPoint) *intersectPoint = hit1;
    if (intersectNormal) {
        TVector4f n = SubtractVectors4(hit1, centre);
        n.W = 0;
        *intersectNormal = NormalizedVector4(n);
    }
    return true;
}

TGLSilhouette* TGLBaseSceneObject::BuildSilhouette(const TSilhouetteParameters& parameters) {
    Single r = BoundingSphereRadiusUnscaled();
    Single radius = 0;
    TAffineVector seen = parameters.LightDirection;
    switch (parameters.Style) {
        case ssParallel:
            radius = r;
            break;
        case ssOmni:
            radius = SphereSilhouetteRadius(Single(LengthAffine(seen)), r);
            break;
        default:
            Assert(false, L"Unknown silhouette style");
    }
    TAffineVector a = CrossAffine(seen, XAffineVector);
    if (LengthAffine(a) < 0.001) a = CrossAffine(seen, YAffineVector);
    NormalizeAffineInPlace(a);
    TAffineVector b = CrossAffine(seen, a);
    NormalizeAffineInPlace(b);

    auto* silhouette = new TGLSilhouette();
    const int n = 21;
    const Single step = 0.2991993f;
    const Single circle = 0.98f * radius;
    for (int i = 0; i < n; ++i) {
        Single s = std::sin(i * step), c = std::cos(i * step);
        silhouette->Vertices()->Add(
            TVector4f{circle * (a.X * c + b.X * s), circle * (a.Y * c + b.Y * s), circle * (a.Z * c + b.Z * s), 1});
        silhouette->Indices()->Add(i);
        silhouette->Indices()->Add((i + 1) % n);
    }
    if (parameters.CappingRequired) {
        for (int i = 0; i < n; ++i) {
            silhouette->CapIndices()->Add(n);
            silhouette->CapIndices()->Add(i);
            silhouette->CapIndices()->Add((i + 1) % n);
        }
        silhouette->Vertices()->Add(NullHomogeneousPoint);
    }
    return silhouette;
}

// ---- streaming and copying -------------------------------------------------------------------

void TGLBaseSceneObject::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TGLBaseSceneObject*>(source);
    if (!other) {
        TGLCoordinatesUpdateAbleComponent::Assign(source);
        return;
    }
    if (other == this) return;
    // The copy's children are made from the source's: a source inside this subtree would be
    // freed before it is read, and one above this node would copy it into itself forever.
    Assert(!other->IsInSubtreeOf(this) && !IsInSubtreeOf(other), L"Cannot assign a scene object from its own branch");
    DestroyHandles();
    visible_ = other->visible_;
    SetLocalMatrix(other->LocalMatrix());
    showAxes_ = other->showAxes_;
    objectsSorting_ = other->objectsSorting_;
    visibilityCulling_ = other->visibilityCulling_;
    rotation_->StoreVector(other->rotation_->AsVector());
    DeleteChildren();
    if (scene_) scene_->BeginUpdate();
    try {
        for (Integer i = 0; i < other->GetChildCount(); ++i) {
            TGLBaseSceneObject* source = other->GetChild(i);
            AddNewChild(source->ClassType())->Assign(source);
        }
    } catch (...) {
        if (scene_) scene_->EndUpdate();
        throw;
    }
    if (scene_) scene_->EndUpdate();
    OnProgress = other->OnProgress;
    if (other->behaviours_)
        Behaviours()->Assign(other->behaviours_);
    else
        FreeAndNil(behaviours_);
    if (other->effects_)
        Effects()->Assign(other->effects_);
    else
        FreeAndNil(effects_);
    SetTag(other->Tag());
    tagFloat_ = other->tagFloat_;
}

void TGLBaseSceneObject::Loaded() {
    TGLCoordinatesUpdateAbleComponent::Loaded();
    TVector4f p = position_->AsVector();
    p.W = 1;
    position_->StoreVector(p);
    if (behaviours_) behaviours_->NotifyItemsLoaded();
    if (effects_) effects_->NotifyItemsLoaded();
}

namespace {

void WriteCollection(TXCollection* collection, TStream* stream) {
    TWriter writer(stream);
    collection->WriteToWriter(&writer);
}

void ReadCollection(TXCollection* collection, TStream* stream) {
    TReader reader(stream);
    collection->ReadFromReader(&reader);
}

}  // namespace

void TGLBaseSceneObject::DefineProperties(TFiler* filer) {
    TGLCoordinatesUpdateAbleComponent::DefineProperties(filer);
    filer->DefineBinaryProperty(
        L"BehavioursData", [this](TStream* s) { ReadCollection(Behaviours(), s); },
        [this](TStream* s) { WriteCollection(Behaviours(), s); }, HasBehaviours());
    filer->DefineBinaryProperty(
        L"EffectsData", [this](TStream* s) { ReadCollection(Effects(), s); },
        [this](TStream* s) { WriteCollection(Effects(), s); }, HasEffects());
}

void TGLBaseSceneObject::GetChildren(const TGetChildProc& proc, TComponent* root) {
    for (Integer i = 0; i < GetChildCount(); ++i) {
        TGLBaseSceneObject* child = GetChild(i);
        if (!HasSubComponentStyle(child)) proc(child);
    }
}

TComponent* TGLBaseSceneObject::GetParentComponent() const {
    if (scene_ && parent_ == scene_->Objects()) return scene_;
    return parent_;
}

void TGLBaseSceneObject::SetParentComponent(TComponent* value) {
    if (auto* scene = dynamic_cast<TGLScene*>(value))
        MoveTo(scene->Objects());
    else if (auto* object = dynamic_cast<TGLBaseSceneObject*>(value))
        MoveTo(object);
    else
        MoveTo(nullptr);
}

void TGLBaseSceneObject::SetChildOrder(TComponent* child, int order) {
    auto* object = dynamic_cast<TGLBaseSceneObject*>(child);
    if (object && object->parent_ == this) object->SetIndex(order);
}
