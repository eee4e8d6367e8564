#pragma once
// Position and direction values: TGLCustomCoordinates holds a TVector4f of a kind fixed at
// construction (2D point, point or vector), reports its changes, and streams itself in form
// descriptions as the 16 bytes of "Coordinates". TGLCoordinatesUpdateAbleComponent is the
// component base (scene objects) that is told directly which of its coordinates changed.

#include "BaseClasses.h"
#include "TypInfo.h"
#include "VectorTypes.h"

// What the fix-ups of AssignVector keep: a 2D point (Z = W = 0), a point (W = 1) or a
// vector (W = 0).
enum TCoordinatesKind { csPoint2D, csPoint, csVector };

class TGLCustomCoordinates;

// Implemented by components that hear of their coordinates' changes by name.
class ICoordinatesNotifiable {
public:
    virtual void CoordinatesChanged(TGLCustomCoordinates* sender) = 0;

protected:
    ~ICoordinatesNotifiable() = default;
};

class TGLCustomCoordinates : public TGLUpdateAbleObject {
    Z_CLASS(TGLCustomCoordinates, TGLUpdateAbleObject)
public:
    // A zero 2D point.
    explicit TGLCustomCoordinates(TPersistent* owner);
    // The vector as given (no fix-up, no notification) and the kind.
    TGLCustomCoordinates(TPersistent* owner, const TVector4f& value, TCoordinatesKind kind);

    const TVector4f& AsVector() const { return coordinates_; }
    TCoordinatesKind Kind() const { return kind_; }

    // Stores the vector as it is, without notification.
    void SetInitialVector(const TVector4f& value) { coordinates_ = value; }
    void StoreVector(const TVector4f& value) { coordinates_ = value; }
    // Stores with the kind's fix-up, then reports.
    void AssignVector(const TVector4f& value);
    // (x, y, z, 1); an assertion failure that changes nothing unless the kind is point.
    void SetPoint(Single x, Single y, Single z);
    // (x, y, z, 0); an assertion failure that changes nothing unless the kind is vector.
    void SetVector(Single x, Single y, Single z);
    void SetVector(const TAffineVector& v);
    // As given, W included.
    void SetVector(Single x, Single y, Single z, Single w);
    // Stores and reports every time, equal value or not.
    void SetCoordinate(int index, Single value);
    // Scales X, Y, Z to unit length (no zero guard); W becomes 0 whatever the kind.
    void Normalize();

    Single X() const { return coordinates_.X; }
    Single Y() const { return coordinates_.Y; }
    Single Z() const { return coordinates_.Z; }
    Single W() const { return coordinates_.W; }
    void SetX(Single value) { SetCoordinate(0, value); }
    void SetY(Single value) { SetCoordinate(1, value); }
    void SetZ(Single value) { SetCoordinate(2, value); }
    void SetW(Single value) { SetCoordinate(3, value); }

    Extended VectorLength() const;
    // All four components bit for bit.
    bool SameVector(const TVector4f& value) const;
    const Single* VectorAddress() const { return &coordinates_.X; }
    void CopyToAffine(TAffineVector& dest) const { dest = {coordinates_.X, coordinates_.Y, coordinates_.Z}; }

    // From other coordinates: the four components, W too, without fix-up or notification.
    void Assign(TPersistent* source) override;
    // An owner that hears coordinates by name is told only that; any other owner the usual way.
    void ReportChange(TObject* sender) override;
    void DefineProperties(TFiler* filer) override;

private:
    TVector4f coordinates_{};
    TCoordinatesKind kind_ = csPoint2D;
};

class TGLCoordinates2 : public TGLCustomCoordinates {
    Z_CLASS(TGLCoordinates2, TGLCustomCoordinates)
    Z_PUBLISHED {
        p.Property(L"X", &TGLCoordinates2::X, &TGLCoordinates2::SetX).Stored(false);
        p.Property(L"Y", &TGLCoordinates2::Y, &TGLCoordinates2::SetY).Stored(false);
    }

public:
    using TGLCustomCoordinates::TGLCustomCoordinates;
};

class TGLCoordinates3 : public TGLCustomCoordinates {
    Z_CLASS(TGLCoordinates3, TGLCustomCoordinates)
    Z_PUBLISHED {
        p.Property(L"X", &TGLCoordinates3::X, &TGLCoordinates3::SetX).Stored(false);
        p.Property(L"Y", &TGLCoordinates3::Y, &TGLCoordinates3::SetY).Stored(false);
        p.Property(L"Z", &TGLCoordinates3::Z, &TGLCoordinates3::SetZ).Stored(false);
    }

public:
    using TGLCustomCoordinates::TGLCustomCoordinates;
};

class TGLCoordinates4 : public TGLCustomCoordinates {
    Z_CLASS(TGLCoordinates4, TGLCustomCoordinates)
    Z_PUBLISHED {
        p.Property(L"X", &TGLCoordinates4::X, &TGLCoordinates4::SetX).Stored(false);
        p.Property(L"Y", &TGLCoordinates4::Y, &TGLCoordinates4::SetY).Stored(false);
        p.Property(L"Z", &TGLCoordinates4::Z, &TGLCoordinates4::SetZ).Stored(false);
        p.Property(L"W", &TGLCoordinates4::W, &TGLCoordinates4::SetW).Stored(false);
    }

public:
    using TGLCustomCoordinates::TGLCustomCoordinates;
};

// A component told by CoordinatesChanged which of its coordinates changed; its coordinates do
// not report to it in any other way.
class TGLCoordinatesUpdateAbleComponent : public TGLUpdateAbleComponent, public ICoordinatesNotifiable {
    Z_CLASS(TGLCoordinatesUpdateAbleComponent, TGLUpdateAbleComponent)
public:
    using TGLUpdateAbleComponent::TGLUpdateAbleComponent;
    void CoordinatesChanged(TGLCustomCoordinates* sender) override = 0;
};

// Registers the coordinates classes that form descriptions create.
void InitializeGLCoordinates();
