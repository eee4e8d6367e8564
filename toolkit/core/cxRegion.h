#pragma once
// The toolkit's region object (TcxRegion): owns one GDI region handle and combines regions
// (TcxRegionOperation).

#include <windows.h>

#include "GraphicsTypes.h"
#include "SysObject.h"

enum TcxRegionOperation : Byte { roSet, roAdd, roSubtract, roIntersect };

// Owns one GDI region handle.
class TcxRegion : public TObject {
    Z_CLASS(TcxRegion, TObject)
public:
    explicit TcxRegion(HRGN handle) : handle_(handle) {}
    ~TcxRegion() override;
    static TcxRegion* CreateFromHandle(HRGN handle) { return new TcxRegion(handle); }
    static TcxRegion* CreateFromRect(const TRect& r);
    static TcxRegion* CreateEmpty() { return CreateFromBounds(0, 0, 0, 0); }
    static TcxRegion* CreateFromBounds(int left, int top, int right, int bottom);

    HRGN Handle() const { return handle_; }
    bool IsEmpty() const;
    void ReleaseHandle();
    // Combines other into this region (roSet copies it); frees other when asked.
    void CombineWith(TcxRegion* other, TcxRegionOperation operation, bool freeOther = true);
    void OffsetBy(int dx, int dy);

private:
    HRGN handle_;
};
