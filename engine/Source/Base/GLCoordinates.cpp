#include "GLCoordinates.h"

#include <cstring>

#include "VectorArithmetic.h"

TGLCustomCoordinates::TGLCustomCoordinates(TPersistent* owner) : TGLUpdateAbleObject(owner) {}

TGLCustomCoordinates::TGLCustomCoordinates(TPersistent* owner, const TVector4f& value, TCoordinatesKind kind)
    : TGLUpdateAbleObject(owner), coordinates_(value), kind_(kind) {}

void TGLCustomCoordinates::AssignVector(const TVector4f& value) {
    coordinates_ = value;
    switch (kind_) {
        case csPoint2D:
            coordinates_.Z = 0;
            coordinates_.W = 0;
            break;
        case csPoint:
            coordinates_.W = 1;
            break;
        case csVector:
            coordinates_.W = 0;
            break;
        default:
            Assert(false, L"Assertion failure");
    }
    ReportChange(this);
}

void TGLCustomCoordinates::SetPoint(Single x, Single y, Single z) {
    Assert(kind_ == csPoint, L"If you are getting assertions here, consider using the SetVector procedure");
    coordinates_ = {x, y, z, 1};
    ReportChange(this);
}

void TGLCustomCoordinates::SetVector(Single x, Single y, Single z) { SetVector(x, y, z, 0); }

void TGLCustomCoordinates::SetVector(const TAffineVector& v) { SetVector(v.X, v.Y, v.Z, 0); }

void TGLCustomCoordinates::SetVector(Single x, Single y, Single z, Single w) {
    Assert(kind_ == csVector, L"If you are getting assertions here, consider using the SetPoint procedure");
    coordinates_ = {x, y, z, w};
    ReportChange(this);
}

void TGLCustomCoordinates::SetCoordinate(int index, Single value) {
    coordinates_[index] = value;
    ReportChange(this);
}

void TGLCustomCoordinates::Normalize() {
    NormalizeVector4InPlace(coordinates_);
    ReportChange(this);
}

Extended TGLCustomCoordinates::VectorLength() const { return LengthVector4xyz(coordinates_); }

bool TGLCustomCoordinates::SameVector(const TVector4f& value) const {
    return std::memcmp(&coordinates_, &value, sizeof(value)) == 0;
}

void TGLCustomCoordinates::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLCustomCoordinates*>(source)) {
        coordinates_ = other->coordinates_;
        return;
    }
    TGLUpdateAbleObject::Assign(source);
}

void TGLCustomCoordinates::ReportChange(TObject* sender) {
    if (auto* owner = dynamic_cast<ICoordinatesNotifiable*>(Owner())) {
        owner->CoordinatesChanged(this);
        return;
    }
    TGLUpdateAbleObject::ReportChange(sender);
}

void TGLCustomCoordinates::DefineProperties(TFiler* filer) {
    TGLUpdateAbleObject::DefineProperties(filer);
    DefineVector4Property(filer, L"Coordinates", coordinates_);
}

void InitializeGLCoordinates() {
    RegisterClasses({TGLCoordinates2::StaticClass(), TGLCoordinates3::StaticClass(), TGLCoordinates4::StaticClass()});
}
