#include "MeshUtils.h"

namespace {

// item(k) gives the strip's k-th vertex.
template <class Item>
void AppendStripTriangles(Integer count, TAffineVectorList* list, Item item) {
    if (count < 3) return;
    list->ReserveCapacity(list->Count() + 3 * count - 6);
    for (Integer i = 0; i + 2 < count; ++i) {
        if (i % 2 == 0)
            list->AddThree(item(i), item(i + 1), item(i + 2));
        else
            list->AddThree(item(i + 2), item(i + 1), item(i));
    }
}

}  // namespace

void ConvertStripToList(const TAffineVectorList* strip, TAffineVectorList* list) {
    const TAffineVector* v = strip->List();
    AppendStripTriangles(strip->Count(), list, [v](Integer k) { return v[k]; });
}

void ConvertIndexedStripToList(const TAffineVectorList* vertices, const TIntegerList* indices,
                               TAffineVectorList* list) {
    const TAffineVector* v = vertices->List();
    const Integer* index = indices->List();
    AppendStripTriangles(indices->Count(), list, [v, index](Integer k) { return v[index[k]]; });
}
