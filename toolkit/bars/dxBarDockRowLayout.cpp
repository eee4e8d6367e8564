#include "dxBarDockRowLayout.h"

#include <algorithm>

void ArrangeDockRowWindows(std::vector<TdxDockRowWindow>& windows, int rowLength, bool wholeRow, bool autoAlign) {
    const int count = int(windows.size());
    if (count == 0) return;
    for (TdxDockRowWindow& w : windows) w.truncated = false;
    if (wholeRow) {
        TdxDockRowWindow& w = windows[0];
        w.start = 0;
        w.length = std::max(w.minSize, rowLength);
        w.truncated = !w.wraps && w.length < w.maxSize;
        return;
    }
    // The sums of the smallest and full lengths of the windows before each one.
    std::vector<int> minBefore(size_t(count) + 1, 0), maxBefore(size_t(count) + 1, 0);
    for (int i = 0; i < count; ++i) {
        minBefore[size_t(i) + 1] = minBefore[size_t(i)] + windows[size_t(i)].minSize;
        maxBefore[size_t(i) + 1] = maxBefore[size_t(i)] + windows[size_t(i)].maxSize;
    }
    auto clampStart = [&](int i, int value) {
        return std::max(minBefore[size_t(i)], std::min(value, maxBefore[size_t(i)]));
    };
    if (rowLength >= maxBefore[size_t(count)]) {
        // Everything fits: each window keeps its full length and, as far as it can, its place.
        int limit = rowLength;
        for (int i = count - 1; i >= 0; --i) {
            TdxDockRowWindow& w = windows[size_t(i)];
            w.length = w.maxSize;
            int start = w.position;
            if (start + w.length > limit) start = limit - w.length;
            w.start = std::max(start, maxBefore[size_t(i)]);
            limit = w.start;
        }
    } else {
        // Squeezing: from the row's end back, each window takes what is left up to its place.
        int remaining = rowLength;
        for (int i = count - 1; i >= 0; --i) {
            TdxDockRowWindow& w = windows[size_t(i)];
            int wanted = clampStart(i, w.position);
            if (i > 0 && windows[size_t(i) - 1].dragged) {
                // The window being dragged keeps its full length while it can.
                const TdxDockRowWindow& d = windows[size_t(i) - 1];
                int full = std::max(minBefore[size_t(i)] - d.minSize, d.position) + d.maxSize;
                if (wanted < full && full < remaining) {
                    wanted = full;
                    w.position = full;
                }
            }
            int space = remaining - wanted;
            if (space < w.maxSize) {
                w.length = std::max(w.minSize, space);
                w.truncated = !w.wraps && w.minSize != w.maxSize;
            } else {
                w.length = w.maxSize;
            }
            if (i == 0 && w.length < remaining) w.length = remaining;
            if (w.length >= w.maxSize) w.truncated = false;
            w.start = clampStart(i, remaining - w.length);
            remaining -= w.length;
        }
    }
    // Windows that take the rest of the row, or all of them when the bars align themselves.
    for (int i = 0; i < count; ++i) {
        TdxDockRowWindow& w = windows[size_t(i)];
        if (!w.useRestSpace && !autoAlign) continue;
        const TdxDockRowWindow* previous = i > 0 ? &windows[size_t(i) - 1] : nullptr;
        w.start = previous ? previous->start + previous->length : 0;
        if (w.useRestSpace) {
            int end = i + 1 < count ? windows[size_t(i) + 1].start : rowLength;
            w.length = std::max(w.minSize, end - w.start);
        }
    }
    // A truncated last window reaches to the end of the row.
    TdxDockRowWindow& last = windows[size_t(count) - 1];
    if (last.truncated) last.length = std::max(last.minSize, rowLength - last.start);
}
