#pragma once
// The neighbour that keyboard navigation moves to: among candidate elements, the nearest one in
// a direction (0 left, 1 up, 2 right, 3 down) from an element, judged by their screen bounds.

#include <vector>

class TcxAccessibilityHelper;

// The candidate nearest to the helper in the direction: the smallest gap (only candidates on
// that side count), then the smallest deviation of the line between the centres from the
// direction, then the first in the list. With wrap, a left or right search that finds nothing
// starts again from the far side. Nil when nothing qualifies (always for directions 4 and 5).
TcxAccessibilityHelper* FindNearestInDirection(TcxAccessibilityHelper* helper,
                                               const std::vector<TcxAccessibilityHelper*>& candidates, int direction,
                                               bool wrap);
