#include "GLPoints.h"

#include <algorithm>

#include "Filer.h"
#include "Streams.h"
#include "VectorLists.h"

// ---- TGLPointParameters ----------------------------------------------------------------------

TGLPointParameters::TGLPointParameters(TPersistent* owner)
    : TGLUpdateAbleObject(owner), distanceAttenuation_(new TGLCoordinates3(this, {1, 0, 0, 0}, csVector)) {}

TGLPointParameters::~TGLPointParameters() { delete distanceAttenuation_; }

void TGLPointParameters::SetEnabled(bool value) {
    if (AssignIfChanged(enabled_, value)) ReportChange(this);
}

void TGLPointParameters::StoreSize(Single& field, Single value) {
    value = std::max<Single>(value, 0);
    if (AssignIfChanged(field, value)) ReportChange(this);
}

void TGLPointParameters::SetMinSize(Single value) { StoreSize(minSize_, value); }
void TGLPointParameters::SetMaxSize(Single value) { StoreSize(maxSize_, value); }
void TGLPointParameters::SetFadeTresholdSize(Single value) { StoreSize(fadeTresholdSize_, value); }

void TGLPointParameters::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TGLPointParameters*>(source);
    if (!other) return;
    minSize_ = other->minSize_;
    maxSize_ = other->maxSize_;
    fadeTresholdSize_ = other->fadeTresholdSize_;
    distanceAttenuation_->Assign(other->distanceAttenuation_);
}

void TGLPointParameters::DefineProperties(TFiler* filer) {
    TGLUpdateAbleObject::DefineProperties(filer);
    const bool differs = minSize_ != 0 || maxSize_ != 128 || fadeTresholdSize_ != 1;
    filer->DefineBinaryProperty(
        L"PointParams",
        [this](TStream* stream) {
            Single sizes[3];
            if (stream->Size() != Int64(sizeof(sizes))) throw EReadError(L"Invalid PointParams data");
            stream->ReadBuffer(sizes, Integer(sizeof(sizes)));
            minSize_ = sizes[0];
            maxSize_ = sizes[1];
            fadeTresholdSize_ = sizes[2];
        },
        [this](TStream* stream) {
            const Single sizes[3] = {minSize_, maxSize_, fadeTresholdSize_};
            stream->WriteBuffer(sizes, Integer(sizeof(sizes)));
        },
        differs);
}

void TGLPointParameters::Apply() {
    if (!enabled_ || !GL.GL_ARB_point_parameters) return;
    GL.glPointParameterfARB(GL_POINT_SIZE_MIN_ARB, minSize_);
    GL.glPointParameterfARB(GL_POINT_SIZE_MAX_ARB, maxSize_);
    GL.glPointParameterfARB(GL_POINT_FADE_THRESHOLD_SIZE_ARB, fadeTresholdSize_);
    GL.glPointParameterfvARB(GL_POINT_DISTANCE_ATTENUATION_ARB, &distanceAttenuation_->AsVector().X);
}

void TGLPointParameters::UnApply() {
    if (!enabled_ || !GL.GL_ARB_point_parameters) return;
    static const GLfloat attenuation[3] = {1, 0, 0};
    GL.glPointParameterfARB(GL_POINT_SIZE_MIN_ARB, 0);
    GL.glPointParameterfARB(GL_POINT_SIZE_MAX_ARB, 128);
    GL.glPointParameterfARB(GL_POINT_FADE_THRESHOLD_SIZE_ARB, 1);
    GL.glPointParameterfvARB(GL_POINT_DISTANCE_ATTENUATION_ARB, attenuation);
}

// ---- TGLPoints -------------------------------------------------------------------------------

TGLPoints::TGLPoints(TComponent* owner)
    : TGLImmaterialSceneObject(owner),
      pointParameters_(new TGLPointParameters(this)),
      positions_(new TAffineVectorList()),
      colors_(new TVectorList()) {
    SetObjectStyle(ObjectStyle() + osDirectDraw + osNoVisibilityCulling);
    positions_->Add({0, 0, 0});
}

TGLPoints::~TGLPoints() {
    delete colors_;
    delete positions_;
    delete pointParameters_;
}

void TGLPoints::SetNoZWrite(bool value) {
    if (AssignIfChanged(noZWrite_, value)) StructureChanged();
}

void TGLPoints::SetStatic(bool value) {
    if (value == static_) return;
    static_ = value;
    SetObjectStyle(value ? ObjectStyle() - osDirectDraw : ObjectStyle() + osDirectDraw);
    StructureChanged();
}

void TGLPoints::SetSize(Single value) {
    if (AssignIfChanged(size_, value)) StructureChanged();
}

void TGLPoints::SetStyle(TGLPointStyle value) {
    if (AssignIfChanged(style_, value)) StructureChanged();
}

void TGLPoints::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLPoints*>(source)) {
        size_ = other->size_;
        style_ = other->style_;
        positions_->Assign(other->positions_);
        colors_->Assign(other->colors_);
        StructureChanged();
    }
    TGLImmaterialSceneObject::Assign(source);
}

void TGLPoints::BuildList(TRenderContextInfo&) {
    Integer count = positions_->Count();
    if (count == 0) return;
    const bool colorArray = colors_->Count() > 1;
    switch (colors_->Count()) {
        case 0:
            GL.glColor4f(1, 1, 1, 1);
            break;
        case 1:
            GL.glColor4fv(&colors_->List()[0].X);
            break;
        default:
            GL.glColorPointer(4, GL_FLOAT, 0, colors_->List());
            GL.glEnableClientState(GL_COLOR_ARRAY);
            count = std::min(count, colors_->Count());
    }
    GL.glPushAttrib(GL_ENABLE_BIT);
    GL.glDisable(GL_LIGHTING);
    GL.glVertexPointer(3, GL_FLOAT, 0, positions_->List());
    GL.glEnableClientState(GL_VERTEX_ARRAY);
    if (noZWrite_) GL.glDepthMask(GL_FALSE);
    GL.glPointSize(size_);
    pointParameters_->Apply();
    const bool locked = GL.GL_EXT_compiled_vertex_array && count > 64;
    if (locked) GL.glLockArraysEXT(0, count);
    switch (style_) {
        case psSquare:
            GL.glDisable(GL_BLEND);
            break;
        case psRound:
            GL.glEnable(GL_POINT_SMOOTH);
            GL.glEnable(GL_ALPHA_TEST);
            GL.glAlphaFunc(GL_GREATER, 0.5f);
            GL.glDisable(GL_BLEND);
            break;
        case psSmooth:
            GL.glEnable(GL_POINT_SMOOTH);
            GL.glEnable(GL_ALPHA_TEST);
            GL.glAlphaFunc(GL_NOTEQUAL, 0);
            GL.glEnable(GL_BLEND);
            GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case psSmoothAdditive:
            GL.glEnable(GL_POINT_SMOOTH);
            GL.glEnable(GL_ALPHA_TEST);
            GL.glAlphaFunc(GL_NOTEQUAL, 0);
            GL.glEnable(GL_BLEND);
            GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        case psSquareAdditive:
            GL.glEnable(GL_BLEND);
            GL.glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        default:
            Assert(false, kAssertionFailure);
    }
    GL.glDrawArrays(GL_POINTS, 0, count);
    if (locked) GL.glUnlockArraysEXT();
    pointParameters_->UnApply();
    GL.glDepthMask(GL_TRUE);
    GL.glDisableClientState(GL_VERTEX_ARRAY);
    if (colorArray) GL.glDisableClientState(GL_COLOR_ARRAY);
    GL.glPopAttrib();
    GL.glAlphaFunc(GL_GREATER, 0);
}
