#include "RzSplit.h"

#include <algorithm>
#include <climits>

#include "Brush.h"
#include "Canvas.h"
#include "Filer.h"
#include "Form.h"
#include "Pen.h"
#include "RzOldPropReader.h"
#include "SysMath.h"

// Sections: TRzSplitterPane; creation; setters; position and layout; hot spot; dragging and
// the marker; painting; streaming and loading.

namespace {

// While a splitter finishes loading, no splitter lays out its children: the panes' children
// are still being moved into place.
int loadingSplitters = 0;

// Cursor resources, in the order of TRzSplitter::cursors_.
const wchar_t* const kCursorNames[4] = {L"RZSPLIT_HORZ", L"RZSPLIT_HORZHOTSPOT", L"RZSPLIT_VERT",
                                        L"RZSPLIT_VERTHOTSPOT"};

// Pixels one frame style takes in the splitter's allowance (the flat bold and rounded frames
// are not counted here, unlike in the panel's frame).
int AllowanceOf(TFrameStyleEx style, int bevelWidth) {
    switch (style) {
        case fsFlat:
            return 1;
        case fsStatus:
        case fsPopup:
            return bevelWidth;
        case fsGroove:
        case fsBump:
        case fsLowered:
        case fsButtonDown:
        case fsRaised:
        case fsButtonUp:
            return 2;
        default:
            return 0;
    }
}

// A cursor of the program's resources, kept as RCDATA in the form the system keeps cursor images
// (hot spot, then the DIB); null when the program lacks it.
HCURSOR LoadControlsCursor(const wchar_t* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    if (!found) return nullptr;
    HGLOBAL data = LoadResource(module, found);
    DWORD size = SizeofResource(module, found);
    if (!data || size < 4) return nullptr;
    auto* bytes = static_cast<PBYTE>(LockResource(data));
    return HCURSOR(CreateIconFromResourceEx(bytes, size, FALSE, 0x00030000, 32, 32, LR_DEFAULTCOLOR));
}

}  // namespace

// ---- TRzSplitterPane

TRzSplitterPane::TRzSplitterPane(TComponent* AOwner) : TRzCustomPanel(AOwner) {
    SetBorderOuter(fsNone);
    SetControlStyle(ControlStyle() + csAcceptsControls + csDisplayDragImage);
    SetTabStop(false);
    splitter_ = As<TRzSplitter>(AOwner);
}

void TRzSplitterPane::SetParentComponent(TComponent* Value) {
    TRzCustomPanel::SetParentComponent(Value);
    if (auto* splitter = As<TRzSplitter>(Value)) splitter_ = splitter;
}

void TRzSplitterPane::WMNCHitTest(TMessage& Message) {
    // The mouse over a pane's empty area reaches the splitter.
    if (!DockSite()) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    Inherited<TRzCustomPanel>(Message);
}

void TRzSplitterPane::CMVisibleChanged(TMessage& Message) {
    Inherited<TRzCustomPanel>(Message);
    if (splitter_ && !splitter_->ComponentState().Contains(csDestroying)) splitter_->AlignPanes();
}

void TRzSplitterPane::CMFocusMoved(TMessage& Message) {
    Inherited<TRzCustomPanel>(Message);
    Invalidate();
}

// ---- creation

TRzSplitter::TRzSplitter(TComponent* AOwner) : TRzCustomPanel(AOwner) {
    SetControlStyle(TControlStyle{csCaptureMouse, csOpaque, csDisplayDragImage});
    SetBorderOuter(fsNone);
    SetBounds(Left(), Top(), 200, 100);
    for (int i = 0; i < 2; ++i) {
        panes_[i] = new TRzSplitterPane(this);
        panes_[i]->SetParent(this);
        panes_[i]->OnGetSiteInfo = MakeEvent(this, &TRzSplitter::ForwardGetSiteInfo);
        panes_[i]->OnDockOver = MakeEvent(this, &TRzSplitter::ForwardDockOver);
        panes_[i]->OnDockDrop = MakeEvent(this, &TRzSplitter::ForwardDockDrop);
        panes_[i]->OnUnDock = MakeEvent(this, &TRzSplitter::ForwardUnDock);
        paneData_[i] = new TRzPaneData(panes_[i]);
        controlNames_[i] = new TStringList;
    }
    for (int i = 0; i < 4; ++i) cursors_[i] = LoadControlsCursor(kCursorNames[i]);
    UpdateFixedSize();
    AlignPanes();
}

TRzSplitter::~TRzSplitter() {
    ReleaseMarker();
    for (HCURSOR& c : cursors_)
        if (c) DestroyCursor(c);
    for (int i = 0; i < 2; ++i) {
        delete paneData_[i];
        delete controlNames_[i];
    }
}

void TRzSplitter::CreateParams(TCreateParams& Params) {
    TRzCustomPanel::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

// The pane events reach the splitter's own, with the splitter as sender.
void TRzSplitter::ForwardGetSiteInfo(TObject* Sender, TControl* DockClient, TRect& InfluenceRect, TPoint MousePos,
                                     bool& CanDock) {
    auto& e = Sender == panes_[0] ? OnULGetSiteInfo : OnLRGetSiteInfo;
    if (e) e(this, DockClient, InfluenceRect, MousePos, CanDock);
}

void TRzSplitter::ForwardDockOver(TObject* Sender, TDragDockObject* Source, int X, int Y, TDragState State,
                                  bool& Accept) {
    auto& e = Sender == panes_[0] ? OnULDockOver : OnLRDockOver;
    if (e) e(this, Source, X, Y, State, Accept);
}

void TRzSplitter::ForwardDockDrop(TObject* Sender, TDragDockObject* Source, int X, int Y) {
    auto& e = Sender == panes_[0] ? OnULDockDrop : OnLRDockDrop;
    if (e) e(this, Source, X, Y);
}

void TRzSplitter::ForwardUnDock(TObject* Sender, TControl* Client, TWinControl* NewTarget, bool& Allow) {
    auto& e = Sender == panes_[0] ? OnULUnDock : OnLRUnDock;
    if (e) e(this, Client, NewTarget, Allow);
}

// ---- setters

int TRzSplitter::PercentOf(int percent) const { return int(Round(percent / 100.0 * HalfExtent())); }

void TRzSplitter::SetOrientation(TOrientation v) {
    if (!AssignIfChanged(orientation_, v)) return;
    if (usePercent_) {
        SetPosition(PercentOf(percent_));
        int half = std::max(0, HalfExtent());
        marginMin_ = std::clamp(PercentOf(percentMin_), 0, std::max(0, Extent()));
        marginMax_ = std::clamp(half - PercentOf(percentMax_), 0, std::max(0, Extent()));
    } else {
        AlignPanes();
    }
    Invalidate();
}

// Margins stay within 0..E: a margin set when the splitter was larger, or one beyond the
// splitter, would otherwise push the validated position below 0.
void TRzSplitter::SetMarginMin(int v) {
    int e = std::max(0, Extent());
    marginMin_ = std::clamp(v, 0, e);
    if (marginMin_ + marginMax_ > e) marginMin_ = std::max(0, e - marginMax_);
}

void TRzSplitter::SetMarginMax(int v) {
    int e = std::max(0, Extent());
    marginMax_ = std::clamp(v, 0, e);
    if (marginMin_ + marginMax_ > e) marginMax_ = std::max(0, e - marginMin_);
}

void TRzSplitter::SetPercent(int v) {
    if (!AssignIfChanged(percent_, v)) return;
    if (IsLoading()) return;
    usePercent_ = true;
    SetPosition(PercentOf(v));
}

void TRzSplitter::SetUsePercent(bool v) {
    if (!AssignIfChanged(usePercent_, v)) return;
    if (v) {
        fixedPane_ = fpUpperLeft;
        SetPercentMin(percentMin_);
        SetPercentMax(percentMax_);
    }
    SetPosition(position_);
}

// Percentages stay within 0..100 on both ends.
void TRzSplitter::SetPercentMin(int v) {
    percentMin_ = std::clamp(v, 0, 100);
    if (IsLoading() || !usePercent_) return;
    marginMin_ = std::clamp(PercentOf(percentMin_), 0, std::max(0, Extent()));
}

void TRzSplitter::SetPercentMax(int v) {
    percentMax_ = std::clamp(v, 0, 100);
    if (IsLoading() || !usePercent_) return;
    marginMax_ = std::clamp(HalfExtent() - PercentOf(percentMax_), 0, std::max(0, Extent()));
}

void TRzSplitter::SetFixedPane(TFixedPane v) {
    if (!AssignIfChanged(fixedPane_, v)) return;
    if (v == fpLowerRight) usePercent_ = false;
    SetManualPosition(position_);
    UpdateFixedSize();
}

void TRzSplitter::SetSplitterStyle(TSplitterStyle v) {
    if (!AssignIfChanged(splitterStyle_, v)) return;
    if (v != ssStandard && splitterWidth_ < 6) SetSplitterWidth(6);
    Invalidate();
}

void TRzSplitter::SetSplitterWidth(Word v) {
    if (!AssignIfChanged(splitterWidth_, v)) return;
    if (orientation_ == orVertical)
        barRect_.bottom = barRect_.top + v;
    else
        barRect_.right = barRect_.left + v;
    AlignPanes();
    Invalidate();
}

void TRzSplitter::SetHotSpotVisible(bool v) {
    if (!AssignIfChanged(hotSpotVisible_, v)) return;
    if (v && splitterWidth_ < 7) SetSplitterWidth(7);
    Invalidate();
}

void TRzSplitter::SetHotSpotSizePercent(int v) {
    if (!AssignIfChanged(hotSpotSizePercent_, v)) return;
    UpdateHotSpotRect();
    Invalidate();
}

void TRzSplitter::SetParentColor(bool v) {
    TRzCustomPanel::SetParentColor(v);
    for (TRzSplitterPane* pane : panes_)
        if (pane) pane->SetParentColor(v);
}

void TRzSplitter::SetTransparent(bool v) {
    TRzCustomPanel::SetTransparent(v);
    for (TRzSplitterPane* pane : panes_)
        if (pane) pane->SetTransparent(v);
}

void TRzSplitter::SetBorderInner(TFrameStyleEx v) {
    if (v == BorderInner()) return;
    TRzCustomPanel::SetBorderInner(v);
    AlignPanes();
}

void TRzSplitter::SetBorderOuter(TFrameStyleEx v) {
    if (v == BorderOuter()) return;
    TRzCustomPanel::SetBorderOuter(v);
    AlignPanes();
}

void TRzSplitter::SetBorderSides(TSides v) {
    if (v == BorderSides()) return;
    TRzCustomPanel::SetBorderSides(v);
    AlignPanes();
}

void TRzSplitter::SetBorderWidth(int v) {
    if (v == BorderWidth()) return;
    TRzCustomPanel::SetBorderWidth(v);
    AlignPanes();
}

// ---- position and layout

void TRzSplitter::UpdateFixedSize() { fixedSize_ = fixedPane_ == fpLowerRight ? Extent() - position_ : position_; }

void TRzSplitter::SetManualPosition(int p) { manualPosition_ = fixedPane_ == fpLowerRight ? Extent() - p : p; }

void TRzSplitter::MoveToPosition(int p) {
    if (p == position_) return;
    SetPosition(p);
    SetManualPosition(position_);
}

int TRzSplitter::GetBorderSize() const {
    int b = BorderWidth();
    for (TFrameStyleEx style : {BorderOuter(), BorderInner()}) {
        int w = AllowanceOf(style, BevelWidth());
        if (BorderSides().Contains(sdLeft)) b += w;
        if (BorderSides().Contains(sdTop)) b += w;
    }
    return b;
}

void TRzSplitter::ValidatePosition(int& p) const {
    if (!BothPanesVisible()) return;
    bool ignoreMargins = hotSpotClosed_ && hotSpotIgnoreMargins_;
    int lo = ignoreMargins ? 0 : marginMin_, hi = ignoreMargins ? 0 : marginMax_;
    p = std::max(p, lo);
    // The upper bound wins when the two cross; in a splitter too small for its bar the bar
    // stays at 0 rather than giving the panes negative sizes.
    long long upper = (long long)Extent() - hi - splitterWidth_ - 2LL * GetBorderSize();
    p = int(std::max(0LL, std::min<long long>(p, upper)));
}

bool TRzSplitter::DoChanging(int newPos) {
    bool allow = true;
    if (OnChanging) OnChanging(this, newPos, allow);
    return allow;
}

void TRzSplitter::SetPosition(int v) {
    if (!resizing_ && v == position_) return;
    ValidatePosition(v);
    if (!DoChanging(v)) return;
    position_ = v;
    int half = HalfExtent();
    percent_ = half == 0 ? 0 : int(Round(double(v) / half * 100));
    AlignPanes();
    UpdateFixedSize();
    DoChange();
}

TRect TRzSplitter::PaneArea() const {
    TRect r = ClientRect();
    if (!DockSite()) AdjustRectForBorders(r, true);
    return r;
}

void TRzSplitter::AlignPanes() {
    // Nothing before both panes exist (the constructor's own settings come first).
    if (IsLoading() || !panes_[1]) return;
    TRect r = PaneArea();
    int w = std::max(0, RectWidth(r)), h = std::max(0, RectHeight(r));
    bool horizontal = orientation_ == orHorizontal;
    bool v1 = panes_[0]->Visible(), v2 = panes_[1]->Visible();
    int sw = splitterWidth_;
    DisableAlign();
    if (v1 && !v2)
        panes_[0]->SetBounds(r.left, r.top, w, h);
    else if (v1)
        panes_[0]->SetBounds(r.left, r.top, horizontal ? position_ : w, horizontal ? h : position_);
    else
        panes_[0]->SetBounds(r.left, r.top, horizontal ? 0 : w, horizontal ? h : 0);

    if (v1 && v2)
        barRect_ = horizontal ? TRect{r.left + position_, r.top, r.left + position_ + sw, r.top + h}
                              : TRect{r.left, r.top + position_, r.left + w, r.top + position_ + sw};
    else
        barRect_ = horizontal ? TRect{r.left, r.top, r.left, r.top + h} : TRect{r.left, r.top, r.left + w, r.top};
    UpdateHotSpotRect();

    if (v2 && !v1)
        panes_[1]->SetBounds(r.left, r.top, w, h);
    else if (v2 && horizontal)
        panes_[1]->SetBounds(r.left + position_ + sw, r.top, std::max(0, w - position_ - sw), h);
    else if (v2)
        panes_[1]->SetBounds(r.left, r.top + position_ + sw, w, std::max(0, h - position_ - sw));
    else
        panes_[1]->SetBounds(r.left, r.top, horizontal ? 0 : w, horizontal ? h : 0);

    for (TRzSplitterPane* pane : panes_)
        for (int i = 0; i < pane->ControlCount(); ++i)
            if (auto* inner = As<TRzSplitter>(pane->Controls(i))) inner->AlignPanes();
    EnableAlign();
    if (realTimeDrag_)
        for (TRzSplitterPane* pane : panes_) pane->Repaint();
    Invalidate();
}

void TRzSplitter::AlignControls(TControl* AControl, TRect& rect) {
    if (loadingSplitters > 0 || IsLoading()) return;
    TRzCustomPanel::AlignControls(AControl, rect);
}

void TRzSplitter::Resize() {
    TRzCustomPanel::Resize();
    if (!panes_[1] || IsDestroying() || ComponentState().Contains(csWriting)) return;
    resizing_ = true;
    try {
        bool open = !hotSpotClosed_;
        if (fixedPane_ == fpUpperLeft && usePercent_) {
            int half = HalfExtent();
            marginMin_ = std::clamp(PercentOf(percentMin_), 0, std::max(0, Extent()));
            marginMax_ = std::clamp(half - PercentOf(percentMax_), 0, std::max(0, Extent()));
            SetPosition(open ? PercentOf(percent_) : hotSpotClosedToMin_ ? 0 : half);
        } else if (fixedPane_ == fpUpperLeft) {
            SetPosition(open ? position_ : hotSpotClosedToMin_ ? 0 : INT_MAX);
            // A splitter squeezed below the user's position returns to it when it grows again.
            if (open && position_ < manualPosition_) SetPosition(manualPosition_);
        } else {
            SetPosition(Extent() - fixedSize_);
            if (open && Extent() - position_ < manualPosition_) SetPosition(Extent() - manualPosition_);
            if (!open) hotSpotPosition_ = Extent() - manualPosition_;
        }
    } catch (...) {
        resizing_ = false;
        throw;
    }
    resizing_ = false;
}

// ---- hot spot

void TRzSplitter::ResetHotSpotState() { hotSpotClosed_ = hotSpotClosedToMin_ = hotSpotClosedToMax_ = false; }

void TRzSplitter::UpdateHotSpotRect() {
    bool vertical = orientation_ == orVertical;
    long long length = vertical ? RectWidth(barRect_) : RectHeight(barRect_);
    long long half = (long long)Round(hotSpotSizePercent_ / 100.0 * double(length)) / 2;
    long long start = vertical ? barRect_.left : barRect_.top;
    long long c = start + length / 2;
    auto clampInt = [](long long v) { return int(std::clamp<long long>(v, INT_MIN, INT_MAX)); };
    if (vertical)
        hotSpotRect_ = TRect{clampInt(c - half), barRect_.top, clampInt(c + half), barRect_.bottom};
    else
        hotSpotRect_ = TRect{barRect_.left, clampInt(c - half), barRect_.right, clampInt(c + half)};
}

void TRzSplitter::UpdateHotSpotHover() {
    if (!hotSpotVisible_ || !HandleAllocated()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    TPoint p = ScreenToClient(TPoint{cursor.x, cursor.y});
    bool inside = PtInRect(&hotSpotRect_, p);
    bool redraw;
    if (inside) {
        redraw = outsideHotSpot_ || hotSpotDirection_ == hsdBoth;
        outsideHotSpot_ = false;
    } else {
        redraw = !outsideHotSpot_;
        outsideHotSpot_ = true;
    }
    if (!redraw) return;
    hoverHot_ = inside;
    hoverPoint_ = p;
    InvalidateRect(WindowHandle(), &hotSpotRect_, FALSE);
}

void TRzSplitter::CMMouseLeave(TMessage& Message) {
    UpdateHotSpotHover();
    Inherited<TRzCustomPanel>(Message);
}

void TRzSplitter::WMSetCursor(TMessage& Message) {
    UpdateHotSpotHover();
    POINT cursor{};
    GetCursorPos(&cursor);
    TPoint p = ScreenToClient(TPoint{cursor.x, cursor.y});
    if (HWND(Message.WParam) == WindowHandle() && PtInRect(&barRect_, p) && !lockBar_) {
        bool spot = hotSpotVisible_ && PtInRect(&hotSpotRect_, p);
        int index = (orientation_ == orVertical ? 2 : 0) + (spot ? 1 : 0);
        HCURSOR cursor = cursors_[index];
        if (!cursor) cursor = LoadCursorW(nullptr, orientation_ == orVertical ? IDC_SIZENS : IDC_SIZEWE);
        ::SetCursor(cursor);
        Message.Result = 1;
        return;
    }
    Inherited<TRzCustomPanel>(Message);
}

// ---- dragging and the marker

void TRzSplitter::TakeMarker() {
    ReleaseMarker();
    if (IsWindowsVersionOrLater(7) && Parent()) {
        markerWindow_ = Parent()->Handle();
        markerDC_ = GetDCEx(markerWindow_, nullptr, DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    } else {
        markerWindow_ = nullptr;
        markerDC_ = GetDC(nullptr);
    }
    if (!realTimeDrag_ && markerDC_) {
        // Alternating black and white pixels: drawn twice with PATINVERT, the marker is gone.
        WORD rows[8];
        for (int y = 0; y < 8; ++y) rows[y] = y % 2 ? 0xAA : 0x55;
        HBITMAP pattern = CreateBitmap(8, 8, 1, 1, rows);
        markerBrush_ = CreatePatternBrush(pattern);
        DeleteObject(pattern);
        markerOldBrush_ = SelectObject(markerDC_, markerBrush_);
    }
}

void TRzSplitter::ReleaseMarker() {
    if (markerDC_) {
        if (markerOldBrush_) SelectObject(markerDC_, markerOldBrush_);
        ReleaseDC(markerWindow_, markerDC_);
    }
    if (markerBrush_) DeleteObject(markerBrush_);
    markerDC_ = nullptr;
    markerWindow_ = nullptr;
    markerBrush_ = nullptr;
    markerOldBrush_ = nullptr;
}

void TRzSplitter::DrawMarker(int pos) {
    if (realTimeDrag_ || !markerDC_ || !HandleAllocated()) return;
    int b = GetBorderSize();
    POINT p = orientation_ == orHorizontal ? POINT{b + pos, b} : POINT{b, b + pos};
    MapWindowPoints(WindowHandle(), markerWindow_, &p, 1);
    PatBlt(markerDC_, p.x, p.y, RectWidth(barRect_), RectHeight(barRect_), PATINVERT);
}

void TRzSplitter::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TRzCustomPanel::MouseDown(Button, Shift, X, Y);
    TPoint p{X, Y};
    if (Button != mbLeft || !PtInRect(&barRect_, p)) return;
    bool inSpot = hotSpotVisible_ && PtInRect(&hotSpotRect_, p);
    if (!inSpot && lockBar_) return;
    if (!realTimeDrag_ && CanFocus()) SetFocus();
    SetMouseCapture(true);
    sliding_ = true;
    hotSpotting_ = inSpot;
    centerOffset_ = AxisOf(X, Y) - Extent() / 2;
    TakeMarker();
    origPos_ = position_;
    DrawMarker(position_);
    lastPos_ = position_;
}

void TRzSplitter::MouseMove(TShiftState Shift, int X, int Y) {
    TRzCustomPanel::MouseMove(Shift, X, Y);
    if ((hotSpotting_ && lockBar_) || !sliding_) return;
    int n = AxisOf(X, Y) + origPos_ - Extent() / 2 - centerOffset_;
    ValidatePosition(n);
    if (!DoChanging(n)) return;
    if (n != lastPos_) {
        // Dragging the bar leaves the hot spot's closed state.
        ResetHotSpotState();
        hotSpotting_ = false;
        DrawMarker(lastPos_);
        DrawMarker(n);
        if (realTimeDrag_) {
            SetPosition(n);
            manualPosition_ = fixedPane_ == fpLowerRight ? Extent() - n : n;
        }
    }
    lastPos_ = n;
}

void TRzSplitter::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TRzCustomPanel::MouseUp(Button, Shift, X, Y);
    if (!((sliding_ && Button == mbLeft) || hotSpotting_)) return;
    sliding_ = false;
    SetMouseCapture(false);
    if (!realTimeDrag_) {
        DrawMarker(lastPos_);
        SetPosition(lastPos_);
        SetManualPosition(lastPos_);
    }
    TPoint p{X, Y};
    if (hotSpotting_) {
        hotSpotting_ = false;
        if (PtInRect(&hotSpotRect_, p)) {
            // Toggled first, so that validation already sees the new state.
            hotSpotClosed_ = !hotSpotClosed_;
            if (!hotSpotClosed_) {
                hotSpotClosedToMin_ = hotSpotClosedToMax_ = false;
                SetPosition(hotSpotPosition_);
                SetManualPosition(position_);
            } else {
                hotSpotPosition_ = position_;
                bool firstHalf = orientation_ == orVertical ? X < hotSpotRect_.left + RectWidth(hotSpotRect_) / 2
                                                            : Y < hotSpotRect_.top + RectHeight(hotSpotRect_) / 2;
                if (hotSpotDirection_ == hsdMin || (hotSpotDirection_ == hsdBoth && firstHalf)) {
                    hotSpotClosedToMin_ = true;
                    SetPosition(0);
                } else {
                    hotSpotClosedToMax_ = true;
                    SetPosition(INT_MAX);
                }
            }
            DoHotSpotClick();
        }
    }
    ReleaseMarker();
    refreshHotSpot_ = true;
    Invalidate();
}

void TRzSplitter::KeyDown(Word& Key, TShiftState Shift) {
    TRzCustomPanel::KeyDown(Key, Shift);
    if (Key != VK_ESCAPE || !sliding_) return;
    sliding_ = false;
    SetMouseCapture(false);
    if (!realTimeDrag_) {
        DrawMarker(lastPos_);
        SetManualPosition(position_);
    }
    // A pending hot-spot press keeps the marker until its button comes up.
    if (!hotSpotting_) ReleaseMarker();
}

void TRzSplitter::CMWantSpecialKey(TMessage& Message) {
    // Escape ends a drag here instead of closing the form.
    if (Message.WParam == VK_ESCAPE && sliding_)
        Message.Result = 1;
    else
        Inherited<TRzCustomPanel>(Message);
}

void TRzSplitter::CMShowingChanged(TMessage& Message) {
    Inherited<TRzCustomPanel>(Message);
    if (!IsDestroying())
        for (TRzSplitterPane* pane : panes_)
            if (pane) pane->Invalidate();
}

// ---- painting

void TRzSplitter::Paint() {
    TRzCustomPanel::Paint();
    DrawSplitterBar(Canvas());
}

void TRzSplitter::DrawSplitterBar(TCanvas* canvas) {
    TRect bar = barRect_;
    canvas->Brush()->SetStyle(bsSolid);
    if (splitterStyle_ == ssGroove || splitterStyle_ == ssBump) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(bar);
        TFrameStyleEx style = splitterStyle_ == ssGroove ? fsStatus : fsPopup;
        if (orientation_ == orVertical) {
            int m = bar.top + RectHeight(bar) / 2;
            PaintFrameStyle(canvas, TRect{bar.left, m - 3, bar.right, m}, style);
            PaintFrameStyle(canvas, TRect{bar.left, m, bar.right, m + 3}, style);
        } else {
            int m = bar.left + RectWidth(bar) / 2;
            PaintFrameStyle(canvas, TRect{m - 3, bar.top, m, bar.bottom}, style);
            PaintFrameStyle(canvas, TRect{m, bar.top, m + 3, bar.bottom}, style);
        }
    } else if (splitterStyle_ == ssGroupBar && VisualStyle() != vsClassic) {
        PaintGroupBarFill(canvas, bar, VisualStyle(), GradientColorStyle(), gradientPath_, GradientColorStart(),
                          GradientColorStop());
    } else if (!FullRepaint()) {
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(bar);
    }
    if (!hotSpotVisible_) return;
    if (refreshHotSpot_) {
        POINT cursor{};
        GetCursorPos(&cursor);
        TPoint p = ScreenToClient(TPoint{cursor.x, cursor.y});
        hoverHot_ = PtInRect(&hotSpotRect_, p);
        hoverPoint_ = p;
        refreshHotSpot_ = false;
    }
    DrawHotSpot(canvas, hoverHot_, hoverPoint_);
}

void TRzSplitter::DrawHotSpot(TCanvas* canvas, bool hot, TPoint p) {
    TRect r = hotSpotRect_;
    if (IsRectEmpty(&r)) return;
    bool vertical = orientation_ == orVertical;
    int mx = r.left + RectWidth(r) / 2, my = r.top + RectHeight(r) / 2;
    TRect inner = PaintSides(canvas, r, hotSpotFrameColor_, hotSpotFrameColor_, sdAllSides);
    canvas->Brush()->SetStyle(bsSolid);
    if (hotSpotDirection_ == hsdBoth) {
        canvas->Brush()->SetColor(hotSpotColor_);
        canvas->FillRect(inner);
        if (hot) {
            TRect lit = inner;
            if (!hotSpotClosed_) {
                if (vertical)
                    (p.x < mx ? lit.right : lit.left) = mx;
                else
                    (p.y < my ? lit.bottom : lit.top) = my;
            }
            canvas->Brush()->SetColor(hotSpotHighlight_);
            canvas->FillRect(lit);
        }
    } else {
        canvas->Brush()->SetColor(hot ? hotSpotHighlight_ : hotSpotColor_);
        canvas->FillRect(inner);
    }
    if (hotSpotDirection_ == hsdBoth && !hotSpotClosed_) {
        canvas->Pen()->SetColor(hotSpotFrameColor_);
        if (vertical) {
            canvas->MoveTo(mx, r.top);
            canvas->LineTo(mx, r.bottom);
        } else {
            canvas->MoveTo(r.left, my);
            canvas->LineTo(r.right, my);
        }
    }
    // Arrows toward min point up (vertical) or left; toward max down or right.
    bool firstToMin, secondToMin;
    switch (hotSpotDirection_) {
        case hsdMin:
            firstToMin = secondToMin = !hotSpotClosed_;
            break;
        case hsdMax:
            firstToMin = secondToMin = hotSpotClosed_;
            break;
        default:
            if (hotSpotClosed_ && hotSpotClosedToMin_)
                firstToMin = secondToMin = false;
            else if (hotSpotClosed_ && hotSpotClosedToMax_)
                firstToMin = secondToMin = true;
            else
                firstToMin = true, secondToMin = false;
    }
    canvas->Pen()->SetColor(hotSpotDotColor_);
    canvas->Brush()->SetColor(hotSpotDotColor_);
    auto arrow = [&](int a, int b, bool toMin) {
        if (vertical && toMin)
            canvas->Polygon({TPoint{a - 2, b + 1}, TPoint{a, b - 1}, TPoint{a + 2, b + 1}});
        else if (vertical)
            canvas->Polygon({TPoint{a - 2, b - 1}, TPoint{a, b + 1}, TPoint{a + 2, b - 1}});
        else if (toMin)
            canvas->Polygon({TPoint{a + 1, b - 2}, TPoint{a - 1, b}, TPoint{a + 1, b + 2}});
        else
            canvas->Polygon({TPoint{a - 1, b - 2}, TPoint{a + 1, b}, TPoint{a - 1, b + 2}});
    };
    if (vertical) {
        arrow(r.left + 8, my, firstToMin);
        arrow(r.right - 8, my, secondToMin);
    } else {
        arrow(mx, r.top + 8, firstToMin);
        arrow(mx, r.bottom - 8, secondToMin);
    }
    int length = vertical ? RectWidth(r) : RectHeight(r);
    int start = vertical ? r.left : r.top, middle = vertical ? mx : my;
    int dots = (length - 32) / 3 + 1;
    for (int i = 0; i < dots; ++i) {
        int at = start + 15 + 3 * i;
        if (hotSpotDirection_ == hsdBoth && !hotSpotClosed_ && std::abs(at - middle) <= 3) continue;
        if (vertical)
            canvas->SetPixels(at, my, hotSpotDotColor_);
        else
            canvas->SetPixels(mx, at, hotSpotDotColor_);
    }
}

// ---- streaming and loading

void TRzSplitter::GetChildren(const TGetChildProc& Proc, TComponent* Root) {
    TRzCustomPanel::GetChildren(Proc, Root);
    for (TRzSplitterPane* pane : panes_)
        for (int i = 0; i < pane->ControlCount(); ++i)
            if (pane->Controls(i)->Owner() == Owner()) Proc(pane->Controls(i));
}

void TRzSplitter::ReadBarSize(TReader* reader) {
    int v[4];
    reader->ReadListBegin();
    for (int& x : v) {
        if (reader->EndOfList()) throw EReadError(L"Four numbers expected in BarSize");
        x = reader->ReadInteger();
    }
    reader->ReadListEnd();
    barRect_ = TRect{v[0], v[1], v[2], v[3]};
    UpdateHotSpotRect();
}

void TRzSplitter::WriteBarSize(TWriter* writer) {
    writer->WriteListBegin();
    for (int x : {barRect_.left, barRect_.top, barRect_.right, barRect_.bottom}) writer->WriteInteger(x);
    writer->WriteListEnd();
}

void TRzSplitter::ReadControlNames(TReader* reader, int index) {
    TStringList* names = controlNames_[index];
    names->Clear();
    reader->ReadListBegin();
    while (!reader->EndOfList()) names->Add(reader->ReadIdent());
    reader->ReadListEnd();
}

void TRzSplitter::WriteControlNames(TWriter* writer, int index) {
    writer->WriteListBegin();
    TRzSplitterPane* pane = panes_[index];
    for (int i = 0; i < pane->ControlCount(); ++i)
        if (!pane->Controls(i)->Name().empty()) writer->WriteIdent(pane->Controls(i)->Name());
    writer->WriteListEnd();
}

void TRzSplitter::DefineProperties(TFiler* filer) {
    TRzCustomPanel::DefineProperties(filer);
    filer->DefineProperty(
        L"BarSize", [this](TReader* r) { ReadBarSize(r); }, [this](TWriter* w) { WriteBarSize(w); },
        filer->Ancestor() == nullptr);
    filer->DefineProperty(
        L"HotSpotClosed", [this](TReader* r) { hotSpotClosed_ = r->ReadBoolean(); },
        [this](TWriter* w) { w->WriteBoolean(hotSpotClosed_); }, hotSpotClosed_);
    filer->DefineProperty(
        L"HotSpotClosedToMin", [this](TReader* r) { hotSpotClosedToMin_ = r->ReadBoolean(); },
        [this](TWriter* w) { w->WriteBoolean(hotSpotClosedToMin_); }, hotSpotClosed_);
    filer->DefineProperty(
        L"HotSpotClosedToMax", [this](TReader* r) { hotSpotClosedToMax_ = r->ReadBoolean(); },
        [this](TWriter* w) { w->WriteBoolean(hotSpotClosedToMax_); }, hotSpotClosed_);
    filer->DefineProperty(
        L"HotSpotPosition", [this](TReader* r) { hotSpotPosition_ = r->ReadInteger(); },
        [this](TWriter* w) { w->WriteInteger(hotSpotPosition_); }, hotSpotClosed_);
    filer->DefineProperty(
        L"UpperLeftControls", [this](TReader* r) { ReadControlNames(r, 0); },
        [this](TWriter* w) { WriteControlNames(w, 0); }, true);
    filer->DefineProperty(
        L"LowerRightControls", [this](TReader* r) { ReadControlNames(r, 1); },
        [this](TWriter* w) { WriteControlNames(w, 1); }, true);
    filer->DefineProperty(L"PositionMin", &TRzOldPropReader::ReadOldIntegerProp, nullptr, false);
    filer->DefineProperty(L"PositionMax", &TRzOldPropReader::ReadOldIntegerProp, nullptr, false);
}

bool TRzSplitter::CanTakeIntoPane(TControl* control) const {
    if (!control || control == this || Is<TCustomForm>(control)) return false;
    for (const TControl* c = panes_[0]; c; c = c->Parent())
        if (c == control) return false;
    return control != panes_[1];
}

void TRzSplitter::Loaded() {
    ++loadingSplitters;
    try {
        TRzCustomPanel::Loaded();
        TCustomForm* form = GetParentForm();
        TWinControl* active = form ? form->ActiveControl() : nullptr;
        SetManualPosition(position_);
        AlignPanes();
        DisableAlign();
        if (TComponent* owner = Owner())
            for (int i = 0; i < 2; ++i)
                for (int n = 0; n < controlNames_[i]->Count(); ++n)
                    if (auto* control = As<TControl>(owner->FindComponent(controlNames_[i]->Strings(n))))
                        if (CanTakeIntoPane(control)) control->SetParent(panes_[i]);
        EnableAlign();
        if (form && form->ActiveControl() != active) form->SetActiveControl(active);
    } catch (...) {
        --loadingSplitters;
        throw;
    }
    --loadingSplitters;
}

void InitializeRzSplit() {
    RegisterClass(TRzSplitter::StaticClass());
    RegisterClass(TRzSplitterPane::StaticClass());
}
