#include "GLNodes.h"

#include <vector>

#include "BaseClasses.h"
#include "Format.h"
#include "Spline.h"

// ---- TGLNode ---------------------------------------------------------------------------------

void TGLNode::NotifyCollection() {
    if (auto* nodes = dynamic_cast<TGLNodes*>(Collection())) nodes->NotifyChange();
}

void TGLNode::SetX(Single value) {
    coords_.X = value;
    NotifyCollection();
}

void TGLNode::SetY(Single value) {
    coords_.Y = value;
    NotifyCollection();
}

void TGLNode::SetZ(Single value) {
    coords_.Z = value;
    NotifyCollection();
}

void TGLNode::SetW(Single value) {
    coords_.W = value;
    NotifyCollection();
}

void TGLNode::SetAsVector(const TVector4f& value) {
    coords_ = value;
    NotifyCollection();
}

void TGLNode::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGLNode*>(source)) {
        coords_ = other->coords_;
        return;
    }
    TCollectionItem::Assign(source);
}

String TGLNode::DisplayName() const { return Format(L"%.4f; %.4f; %.4f", {coords_.X, coords_.Y, coords_.Z}); }

// ---- TGLNodes --------------------------------------------------------------------------------

void TGLNodes::NotifyChange() {
    if (UpdateCount() > 0) return;
    if (auto* owner = dynamic_cast<IChangeNotifiable*>(GetOwner())) owner->ReportChange(this);
}

void TGLNodes::Update(TCollectionItem* item) {
    TOwnedCollection::Update(item);
    NotifyChange();
}

TCubicSpline* TGLNodes::CreateNewCubicSpline() const {
    const int n = Count();
    const size_t size = static_cast<size_t>(n);
    std::vector<Single> x(size), y(size), z(size);
    for (int i = 0; i < n; ++i) {
        x[size_t(i)] = Items(i)->X();
        y[size_t(i)] = Items(i)->Y();
        z[size_t(i)] = Items(i)->Z();
    }
    return new TCubicSpline(x.data(), y.data(), z.data(), nullptr, n);
}
