#include "cxRegion.h"

TcxRegion::~TcxRegion() { ReleaseHandle(); }

TcxRegion* TcxRegion::CreateFromRect(const TRect& r) { return new TcxRegion(CreateRectRgnIndirect(&r)); }

TcxRegion* TcxRegion::CreateFromBounds(int left, int top, int right, int bottom) {
    return new TcxRegion(CreateRectRgn(left, top, right, bottom));
}

bool TcxRegion::IsEmpty() const {
    RECT box;
    return !handle_ || GetRgnBox(handle_, &box) == NULLREGION;
}

void TcxRegion::ReleaseHandle() {
    if (handle_) DeleteObject(handle_);
    handle_ = nullptr;
}

void TcxRegion::CombineWith(TcxRegion* other, TcxRegionOperation operation, bool freeOther) {
    static const int modes[] = {RGN_COPY, RGN_OR, RGN_DIFF, RGN_AND};
    if (operation == roSet)
        CombineRgn(handle_, other->handle_, nullptr, RGN_COPY);
    else
        CombineRgn(handle_, handle_, other->handle_, modes[operation]);
    if (freeOther) delete other;
}

void TcxRegion::OffsetBy(int dx, int dy) { OffsetRgn(handle_, dx, dy); }
