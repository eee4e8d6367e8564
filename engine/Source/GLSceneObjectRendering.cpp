// Drawing of scene objects: TGLBaseSceneObject's Render, DoRender, RenderChildren and display
// lists, the material passes of TGLCustomSceneObject, and the axes.
//
// Sections: culling · Render · display lists · DoRender · children and sorting · axes.

#include <algorithm>
#include <vector>

#include "GLBaseSceneObject.h"
#include "GLContext.h"
#include "GLCustomSceneObject.h"
#include "GLState.h"
#include "PersistentObjectList.h"
#include "SysExceptions.h"
#include "VectorGeometry.h"
#include "VectorLists.h"

namespace {

// Runs draw with the depth test off when the object asks for it and the test is on.
template <class F>
void WithDepthHandling(TGLBaseSceneObject* object, TRenderContextInfo& rci, F draw) {
    bool suspend =
        object->ObjectStyle().Contains(osIgnoreDepthBuffer) && rci.GLStates && rci.GLStates->IsEnabled(stDepthTest);
    if (!suspend) {
        draw();
        return;
    }
    rci.GLStates->DisableState(stDepthTest);
    try {
        draw();
    } catch (...) {
        rci.GLStates->EnableState(stDepthTest);
        throw;
    }
    rci.GLStates->EnableState(stDepthTest);
}

}  // namespace

// ---- Render ----------------------------------------------------------------------------------

void TGLBaseSceneObject::Render(TRenderContextInfo& rci) {
    bool hasChildren = GetChildCount() > 0;
    bool mayCull = !objectStyle_.Contains(osNoVisibilityCulling);
    bool renderSelf = true, renderChildren = hasChildren;
    switch (rci.visibilityCulling) {
        case vcNone:
        case vcInherited:
            break;
        case vcObjectBased:
            renderSelf = !mayCull || !SphereOutsideFrustum(GetAbsolutePosition(), BoundingSphereRadius(), rci.frustum);
            break;
        case vcHierarchical: {
            // The box in world axes: the frustum is a world-space one, so a box in the object's
            // own axes would be tested at the wrong place for any moved or turned object.
            if (mayCull) {
                TAxisAlignedBox box = AbsoluteAxisAlignedBox();
                renderSelf = !BoxOutsideFrustum(box.Min, box.Max, rci.frustum);
            }
            renderChildren = renderSelf && hasChildren;
            break;
        }
        default:
            Assert(false, L"Unknown visibility culling option");
    }
    if (!renderSelf && !renderChildren) return;

    GL.glPushMatrix();
    GL.glMultMatrixf(&LocalMatrix()[0].X);
    if (rci.drawState == dsPicking) {
        if (rci.insideProxy)
            GL.glPushName(PickingName());
        else
            GL.glLoadName(PickingName());
    }
    if (renderSelf) {
        if (showAxes_) AxesBuildList(rci, 0xCCCC, rci.farClippingDistance - rci.nearClippingDistance);
        auto draw = [&] {
            WithDepthHandling(this, rci, [&] { DoRender(rci, true, renderChildren); });
            if (objectStyle_.Contains(osDoesTemperWithColorsOrFaceWinding) && rci.GLStates) rci.GLStates->ResetAll();
        };
        if (HasEffects()) {
            // Effects draw in the object's axes; whatever the pre-render step does to the matrix
            // is undone before the object draws.
            GL.glPushMatrix();
            effects_->RenderPreEffects(rci);
            GL.glPopMatrix();
            GL.glPushMatrix();
            draw();
            effects_->RenderPostEffects(rci);
            GL.glPopMatrix();
        } else {
            draw();
        }
    } else {
        WithDepthHandling(this, rci, [&] { DoRender(rci, false, renderChildren); });
    }
    if (rci.drawState == dsPicking && rci.insideProxy) GL.glPopName();
    GL.glPopMatrix();
}

// ---- display lists ---------------------------------------------------------------------------

bool TGLBaseSceneObject::HasValidDisplayList() const {
    return listHandle_ && listHandle_->Handle() != 0 && !changes_.Contains(ocStructure);
}

GLuint TGLBaseSceneObject::DisplayListFor(TRenderContextInfo& rci) {
    if (HasValidDisplayList()) return listHandle_->Handle();
    ClearStructureChanged();
    if (!listHandle_) listHandle_ = new TGLListHandle();
    if (listHandle_->Handle() == 0) listHandle_->Allocate();
    GLuint name = listHandle_->Handle();
    Assert(name != 0, L"Could not allocate a display list");
    GL.glNewList(name, GL_COMPILE);
    try {
        BuildList(rci);
    } catch (...) {
        GL.glEndList();
        // Compiled from a failed build: draw nothing stale, build again next time.
        changes_ += ocStructure;
        throw;
    }
    GL.glEndList();
    return name;
}

// ---- DoRender --------------------------------------------------------------------------------

namespace {

// Puts a field of the record back as it was, also when a child fails.
template <class T>
struct TRestoreOnExit {
    explicit TRestoreOnExit(T& field) : field(field), saved(field) {}
    ~TRestoreOnExit() { field = saved; }
    T& field;
    T saved;
};

// Unapplies the material the last children left applied, if any.
void ReleaseHeldMaterial(TRenderContextInfo& rci) {
    TGLLibMaterial* held = rci.heldMaterial;
    if (!held) return;
    rci.heldMaterial = nullptr;
    while (held->Unapply(rci)) {}
}

// Draws one child of a run. Consecutive children that draw with the same library material
// share one Apply and one Unapply: switching texturing off and on again between them costs
// the driver far more than drawing a small object.
void RenderChildInRun(TGLBaseSceneObject* child, TRenderContextInfo& rci) {
    TGLLibMaterial* holdable = child->HoldableMaterial(rci);
    if (rci.heldMaterial != holdable) ReleaseHeldMaterial(rci);
    rci.materialToHold = holdable;
    child->Render(rci);
    rci.materialToHold = nullptr;
}

// Runs render, then unapplies what its children left applied, also when one of them fails.
template <class F>
void WithHeldMaterialReleased(TRenderContextInfo& rci, F render) {
    try {
        render();
    } catch (...) {
        rci.materialToHold = nullptr;
        try {
            ReleaseHeldMaterial(rci);
        } catch (...) {}
        throw;
    }
    ReleaseHeldMaterial(rci);
}

void DrawSelf(TGLBaseSceneObject* object, TRenderContextInfo& rci) {
    if (object->ObjectStyle().Contains(osDirectDraw) || rci.amalgamating)
        object->BuildList(rci);
    else
        GL.glCallList(object->DisplayListFor(rci));
}

}  // namespace

void TGLBaseSceneObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    if (renderSelf) DrawSelf(this, rci);
    if (renderChildren) RenderChildren(0, GetChildCount() - 1, rci);
}

TGLLibMaterial* TGLCustomSceneObject::HoldableMaterial(const TRenderContextInfo& rci) {
    TGLLibMaterial* library = material_->LibMaterial();
    if (!library || rci.ignoreMaterials || !DrawsGeometryOnly() || GetChildCount() > 0 || ShowAxes() || HasEffects() ||
        ObjectStyle().Contains(osDoesTemperWithColorsOrFaceWinding) || !library->CanStayApplied())
        return nullptr;
    return library;
}

void TGLCustomSceneObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    TGLLibMaterial* hold = rci.materialToHold;
    rci.materialToHold = nullptr;
    if (renderSelf) {
        if (rci.ignoreMaterials) {
            DrawSelf(this, rci);
        } else if (hold && hold == material_->LibMaterial()) {
            // Left applied for the next sibling; the loop over the children unapplies it.
            if (rci.heldMaterial != hold) {
                ReleaseHeldMaterial(rci);
                hold->Apply(rci);
                rci.heldMaterial = hold;
            }
            DrawSelf(this, rci);
        } else {
            material_->Apply(rci);
            try {
                do DrawSelf(this, rci);
                while (material_->Unapply(rci));
            } catch (...) {
                // Leaves OpenGL as the material found it; the passes are abandoned.
                while (material_->Unapply(rci)) {}
                throw;
            }
        }
    }
    if (renderChildren) RenderChildren(0, GetChildCount() - 1, rci);
}

void TGLImmaterialSceneObject::DoRender(TRenderContextInfo& rci, bool renderSelf, bool renderChildren) {
    TGLBaseSceneObject::DoRender(rci, renderSelf, renderChildren);
}

// ---- children and sorting --------------------------------------------------------------------

void TGLBaseSceneObject::RenderChildren(Integer firstChildIndex, Integer lastChildIndex, TRenderContextInfo& rci) {
    if (GetChildCount() == 0) return;
    TRestoreOnExit restoreCulling(rci.visibilityCulling);
    if (visibilityCulling_ != vcInherited) rci.visibilityCulling = visibilityCulling_;

    if (firstChildIndex == lastChildIndex) {
        TGLBaseSceneObject* child = GetChild(firstChildIndex);
        if (child->Visible()) child->Render(rci);
        return;
    }
    if (firstChildIndex > lastChildIndex) return;

    TRestoreOnExit restoreSorting(rci.objectsSorting);
    if (objectsSorting_ != osInherited) rci.objectsSorting = objectsSorting_;

    // Keys and children sorted together, then drawn from the largest key down.
    auto renderSorted = [&](TSingleList& keys, TPersistentObjectList& objects) {
        if (objects.Count() == 0) return;
        SortSinglesWithObjects(0, objects.Count() - 1, &keys, &objects);
        for (Integer i = objects.Count() - 1; i >= 0; --i)
            static_cast<TGLBaseSceneObject*>(objects.GetItem(i))->Render(rci);
    };
    auto distanceKey = [&](TGLBaseSceneObject* child) {
        return Single(SquaredLengthVector4xyz(SubtractVectors4(child->Barycenter(), rci.cameraPosition)));
    };

    switch (rci.objectsSorting) {
        case osNone:
        case osInherited:
            WithHeldMaterialReleased(rci, [&] {
                for (Integer i = firstChildIndex; i <= lastChildIndex; ++i) {
                    TGLBaseSceneObject* child = GetChild(i);
                    if (child->Visible()) RenderChildInRun(child, rci);
                }
            });
            break;
        case osRenderFarthestFirst:
        case osRenderBlendedLast:
        case osRenderNearestFirst: {
            TSingleList keys;
            TPersistentObjectList objects;
            keys.SetGrowthDelta(lastChildIndex + 1);
            objects.SetGrowthDelta(lastChildIndex + 1);
            // Opaque children in a row that share a held material are drawn nearest first: the
            // depth test then turns away what they hide before it is shaded. Only with the depth
            // test on, and among objects of one material, does the order leave the picture alone.
            const bool depthTested = rci.GLStates && rci.GLStates->IsEnabled(stDepthTest);
            std::vector<std::pair<Single, TGLBaseSceneObject*>> run;
            TGLLibMaterial* runMaterial = nullptr;
            auto drawRun = [&] {
                std::stable_sort(run.begin(), run.end(), [](auto& a, auto& b) { return a.first < b.first; });
                for (auto& [distance, child] : run) RenderChildInRun(child, rci);
                run.clear();
            };
            WithHeldMaterialReleased(rci, [&] {
                for (Integer i = firstChildIndex; i <= lastChildIndex; ++i) {
                    TGLBaseSceneObject* child = GetChild(i);
                    if (!child->Visible()) continue;
                    switch (rci.objectsSorting) {
                        case osRenderFarthestFirst:
                            keys.Add(1 + distanceKey(child));
                            break;
                        case osRenderNearestFirst:
                            keys.Add(-1 - distanceKey(child));
                            break;
                        default:
                            if (!child->IsBlended()) {
                                TGLLibMaterial* material =
                                    depthTested && !child->ObjectStyle().Contains(osIgnoreDepthBuffer)
                                        ? child->HoldableMaterial(rci)
                                        : nullptr;
                                if (material != runMaterial || !material) drawRun();
                                runMaterial = material;
                                if (material)
                                    run.push_back({distanceKey(child), child});
                                else
                                    RenderChildInRun(child, rci);
                                continue;
                            }
                            keys.Add(1 + distanceKey(child));
                    }
                    objects.Add(child);
                }
                drawRun();
            });
            renderSorted(keys, objects);
            break;
        }
        default:
            Assert(false, L"Unknown objects sorting option");
    }
}

// ---- axes ------------------------------------------------------------------------------------

void AxesBuildList(TRenderContextInfo& rci, GLushort pattern, Single axisLength) {
    GL.glPushAttrib(GL_ENABLE_BIT | GL_LIGHTING_BIT | GL_LINE_BIT);
    GL.glDisable(GL_LIGHTING);
    GL.glEnable(GL_LINE_STIPPLE);
    if (!rci.ignoreBlendingRequests) {
        GL.glEnable(GL_BLEND);
        GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    GL.glLineWidth(1);
    GL.glLineStipple(1, pattern);
    GL.glBegin(GL_LINES);
    const Single halfTone = 0.5f;
    for (int axis = 0; axis < 3; ++axis) {
        Single dim[3] = {0, 0, 0}, full[3] = {0, 0, 0}, end[3] = {0, 0, 0};
        dim[axis] = halfTone;
        full[axis] = 1;
        GL.glColor3f(dim[0], dim[1], dim[2]);
        GL.glVertex3f(0, 0, 0);
        end[axis] = -axisLength;
        GL.glVertex3f(end[0], end[1], end[2]);
        GL.glColor3f(full[0], full[1], full[2]);
        GL.glVertex3f(0, 0, 0);
        end[axis] = axisLength;
        GL.glVertex3f(end[0], end[1], end[2]);
    }
    GL.glEnd();
    GL.glPopAttrib();
}
