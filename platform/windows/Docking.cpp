#include "Docking.h"

#include <algorithm>

#include "Canvas.h"
#include "DragDrop.h"

// Sections: TDockTree; docking a control.

// ---- TDockTree ----

void TDockTree::InsertControl(TControl* control, TAlign, TControl*) {
    for (const TZone& z : zones_)
        if (z.control == control) return;
    zones_.push_back(TZone{control, TRect{}});
    ResetBounds(true);
}

void TDockTree::RemoveControl(TControl* control) {
    std::erase_if(zones_, [control](const TZone& z) { return z.control == control; });
    ResetBounds(true);
}

void TDockTree::ResetBounds(bool) {
    TRect area = dockSite_->ClientRect();
    dockSite_->AdjustClientRect(area);
    std::vector<TZone*> shown;
    for (TZone& z : zones_) {
        z.frame = TRect{};
        if (z.control->Visible()) shown.push_back(&z);
    }
    if (shown.empty()) return;
    bool sideBySide = dockSite_->Align() == alTop || dockSite_->Align() == alBottom;
    int n = int(shown.size());
    int length = sideBySide ? RectWidth(area) : RectHeight(area);
    for (int i = 0; i < n; ++i) {
        int from = length * i / n, to = length * (i + 1) / n;
        TRect frame = sideBySide ? TRect{area.left + from, area.top, area.left + to, area.bottom}
                                 : TRect{area.left, area.top + from, area.right, area.top + to};
        shown[size_t(i)]->frame = frame;
        TRect place = frame;
        AdjustDockRect(shown[size_t(i)]->control, place);
        shown[size_t(i)]->control->SetBoundsRect(place);
    }
}

void TDockTree::AdjustDockRect(TControl*, TRect& rect) {
    rect.top = std::min<LONG>(rect.top + grabberSize_, rect.bottom);
}

void TDockTree::PaintDockFrame(TCanvas* canvas, TControl*, const TRect& rect) {
    // Two raised lines across the grabber strip.
    HDC dc = canvas->Handle();
    int middle = rect.top + grabberSize_ / 2;
    for (int y : {middle - 3, middle + 1}) {
        RECT line{rect.left + 2, y, rect.right - 2, y + 3};
        DrawEdge(dc, &line, BDR_RAISEDINNER, BF_RECT);
    }
}

void TDockTree::PaintSite(HDC dc) {
    TCanvas canvas;
    canvas.SetHandle(dc);
    for (const TZone& z : zones_)
        if (z.control->Visible() && !IsRectEmpty(&z.frame)) PaintDockFrame(&canvas, z.control, z.frame);
    canvas.SetHandle(nullptr);
}

TRect TDockTree::FrameOf(const TControl* control) const {
    for (const TZone& z : zones_)
        if (z.control == control) return z.frame;
    return TRect{};
}

// ---- docking a control ----

bool TControl::ManualDock(TWinControl* NewDockSite, TControl* DropControl, TAlign ControlSide) {
    if (NewDockSite == hostDockSite_) return true;
    if (hostDockSite_) {
        if (!hostDockSite_->DoUnDock(NewDockSite, this)) return false;
        // Leaving a site without a new one keeps the control where it is: nothing floats here.
        hostDockSite_->RemoveDockClient(this);
    }
    if (NewDockSite) {
        TDragDockObject source(this, ControlSide, DropControl);
        NewDockSite->DockDrop(&source, 0, 0);
    }
    if (OnEndDock) OnEndDock(this, NewDockSite, 0, 0);
    return true;
}
