#pragma once
// Helpers shared by the toolkit's tests.

#include <windows.h>

#include <gtest/gtest.h>

#include "Bitmap.h"
#include "GraphicsTypes.h"
#include "PixelSurface.h"
#include "cxBitmap.h"
#include "cxImageStates.h"

// The desktop's work area, where popups and hints are kept.
inline TRect WorkArea() {
    RECT r;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0);
    return r;
}

// A function as the untyped entry a binding table holds.
// Only WINAPI functions are accepted: a stand-in with the default calling convention would
// leave its arguments on the 32-bit stack and corrupt the caller's frame.
template <typename R, typename... Args>
inline FARPROC AsProc(R(WINAPI* f)(Args...)) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void*>(f));
}

// Compares two rectangles, naming both when they differ: EXPECT_TRUE(SameRect(a, b)).
inline testing::AssertionResult SameRect(const TRect& actual, const TRect& expected) {
    if (EqualRect(&actual, &expected)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "(" << actual.left << ", " << actual.top << ", " << actual.right << ", "
                                       << actual.bottom << ") instead of (" << expected.left << ", " << expected.top
                                       << ", " << expected.right << ", " << expected.bottom << ")";
}
