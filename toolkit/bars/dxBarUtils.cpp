#include "dxBarUtils.h"

#include "Bitmap.h"
#include "cxClasses.h"

void FreeObjectLinkAndNil(TcxObjectLink*& link) {
    TcxObjectLink* doomed = link;
    link = nullptr;
    DestroyObjectLink(doomed);
}

bool KillAndClearTimer(HWND window, UINT_PTR& timerId) {
    if (timerId == 0 || !KillTimer(window, timerId)) return false;
    timerId = 0;
    return true;
}

void ReleaseWindowHandleVar(HWND& window, bool destroy) {
    HWND doomed = window;
    window = nullptr;
    if (destroy && doomed) DestroyWindow(doomed);
}

void DeleteGdiObjectVar(HGDIOBJ& object) {
    HGDIOBJ doomed = object;
    object = nullptr;
    if (doomed) DeleteObject(doomed);
}

void SelectBackAndDelete(HDC dc, HGDIOBJ previous) { DeleteObject(SelectObject(dc, previous)); }

void EnsureMinWidth(int& width, int minWidth) {
    if (width < minWidth) width = minWidth;
}

TBitmap* CreateBitmapWithOnChange(const TNotifyEvent& onChange) {
    auto* bitmap = new TBitmap;
    bitmap->OnChange = onChange;
    return bitmap;
}

bool IsLoadingInherited(TComponent* component) {
    TComponentState state = component->ComponentState();
    return state.Contains(csLoading) && state.Contains(csAncestor) && !state.Contains(csReading);
}

NONCLIENTMETRICSW ReadNonClientMetrics() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0);
    return metrics;
}
