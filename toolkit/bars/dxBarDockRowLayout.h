#pragma once
// The arrangement of the toolbar windows of one dock row along the row: where each starts and
// how long it is, given the row length, each window's column position and its smallest and full
// lengths. Kept apart from the windows so that the rules can be read (and checked) on numbers.

#include <vector>

struct TdxDockRowWindow {
    // In: the column position along the row, the smallest and full lengths (non-client included),
    // whether the window wraps its items (it is never cut then), whether it stretches to the
    // next window, and whether it is the window being dragged.
    int position = 0;
    int minSize = 0, maxSize = 0;
    bool wraps = false;
    bool useRestSpace = false;
    bool dragged = false;
    // Out: the start and length along the row; truncated windows show their mark.
    int start = 0, length = 0;
    bool truncated = false;
};

// Arranges the row of the given length. wholeRow: the first window takes the row alone.
// autoAlign: every window starts right after the previous one. A column position the dragged
// window's neighbour moves is written back to position.
void ArrangeDockRowWindows(std::vector<TdxDockRowWindow>& windows, int rowLength, bool wholeRow, bool autoAlign);
