#pragma once
// Triangle strips turned into plain triangle lists.

#include "VectorLists.h"

// Appends the strip's triangles to list: (v[i], v[i+1], v[i+2]) for even i and
// (v[i+2], v[i+1], v[i]) for odd i, so that every triangle keeps the strip's winding. Fewer
// than three vertices add nothing.
void ConvertStripToList(const TAffineVectorList* strip, TAffineVectorList* list);
// The same over the vertices named by consecutive indices; every index must name a vertex.
void ConvertIndexedStripToList(const TAffineVectorList* vertices, const TIntegerList* indices, TAffineVectorList* list);
