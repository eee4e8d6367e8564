#pragma once
// The dock manager: how a dock site (a TWinControl with DockSite and UseDockManager) shares its
// client area among its dock clients and draws the frame of each.
//
// Nothing of this system docks by dragging; clients arrive through ManualDock. The base manager
// gives each client a frame of its own (side by side in a site aligned to the top or bottom,
// one above the other otherwise), puts the client inside its frame as AdjustDockRect says
// (below a grabber strip) and paints the rest of the frame with PaintDockFrame. Site classes
// bring their own manager by overriding CreateDockManager.

#include <vector>

#include "WinControl.h"

class TDockTree : public TObject {
    Z_CLASS(TDockTree, TObject)
public:
    explicit TDockTree(TWinControl* dockSite) : dockSite_(dockSite) {}

    TWinControl* DockSite() const { return dockSite_; }
    // Height of the grabber strip above each client.
    int GrabberSize() const { return grabberSize_; }
    void SetGrabberSize(int v) { grabberSize_ = v; }

    // A client arrives (InsertAt and DropCtl say where; the base appends it) or leaves.
    virtual void InsertControl(TControl* control, TAlign insertAt, TControl* dropCtl);
    virtual void RemoveControl(TControl* control);
    // Shares the site's client area out among the visible clients and places each inside its
    // frame.
    virtual void ResetBounds(bool force);
    // Narrows a client's frame (in site coordinates) to the part the client takes.
    virtual void AdjustDockRect(TControl* control, TRect& rect);
    // Paints the frame of a client (rect: the whole frame, in site coordinates).
    virtual void PaintDockFrame(TCanvas* canvas, TControl* control, const TRect& rect);
    // Paints every visible client's frame on the site's device context.
    virtual void PaintSite(HDC dc);
    // The frame of a client, in site coordinates; empty when it has none.
    TRect FrameOf(const TControl* control) const;

private:
    struct TZone {
        TControl* control;
        TRect frame;
    };
    TWinControl* dockSite_;
    int grabberSize_ = 12;
    std::vector<TZone> zones_;
};
