#pragma once
// Editable points in a collection: TGLNode holds X, Y, Z (and an unpublished W); TGLNodes tells
// its owner of every change, unless inside an update bracket, and builds a cubic spline through
// its nodes.

#include "Collection.h"
#include "VectorTypes.h"

class TCubicSpline;

class TGLNode : public TCollectionItem {
    Z_CLASS(TGLNode, TCollectionItem)
    Z_PUBLISHED {
        p.Property(L"X", &TGLNode::X, &TGLNode::SetX).Default(0.0f);
        p.Property(L"Y", &TGLNode::Y, &TGLNode::SetY).Default(0.0f);
        p.Property(L"Z", &TGLNode::Z, &TGLNode::SetZ).Default(0.0f);
    }

public:
    explicit TGLNode(TCollection* collection) : TCollectionItem(collection) {}

    Single X() const { return coords_.X; }
    Single Y() const { return coords_.Y; }
    Single Z() const { return coords_.Z; }
    Single W() const { return coords_.W; }
    // Each stores and runs the collection's change notice.
    void SetX(Single value);
    void SetY(Single value);
    void SetZ(Single value);
    void SetW(Single value);
    const TVector4f& AsVector() const { return coords_; }
    TAffineVector AsAffineVector() const { return {coords_.X, coords_.Y, coords_.Z}; }
    void SetAsVector(const TVector4f& value);

    // From another node: the four components.
    void Assign(TPersistent* source) override;
    // "x; y; z" with four decimals.
    String DisplayName() const override;

protected:
    void NotifyCollection();

private:
    TVector4f coords_ = {0, 0, 0, 0};
};

class TGLNodes : public TOwnedCollection {
    Z_CLASS(TGLNodes, TOwnedCollection)
public:
    explicit TGLNodes(TPersistent* owner, TClass itemClass = TGLNode::StaticClass())
        : TOwnedCollection(owner, itemClass) {}

    TGLNode* Items(int index) const { return static_cast<TGLNode*>(TOwnedCollection::Items(index)); }
    TGLNode* Add() { return static_cast<TGLNode*>(TOwnedCollection::Add()); }
    // Outside an update bracket, tells an update-able owner (ReportChange with the collection
    // as the sender).
    virtual void NotifyChange();
    // A new spline through the nodes' X, Y and Z; the caller frees it.
    TCubicSpline* CreateNewCubicSpline() const;

protected:
    // After the platform's own handling, the change notice (also when a bracket ends).
    void Update(TCollectionItem* item) override;
};
