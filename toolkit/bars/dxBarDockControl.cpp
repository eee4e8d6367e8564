#include "dxBarDockControl.h"

#include "dxBarDesignController.h"

#include <algorithm>

#include "dxBarAccessibility.h"
#include "dxBarControl.h"
#include "dxBarDockRowLayout.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"

// Sections: columns and rows · the dock · placing windows · row zones · geometry and
// arrangement · painting · the placed dock.

// ---- Columns and rows ---------------------------------------------------------------------

void TdxDockCol::UpdatePos() { Pos = TPoint{barControl_->Left(), barControl_->Top()}; }

TdxDockRow::~TdxDockRow() {
    cols_.clear();
    for (TdxBar* bar : std::vector<TdxBar*>(bars_))
        if (bar->DockRow() == this) bar->SetDockRow(nullptr);
}

int TdxDockRow::IndexOfCol(const TdxBarControl* barControl) const {
    for (size_t i = 0; i < cols_.size(); ++i)
        if (cols_[i]->BarControl() == barControl) return int(i);
    return -1;
}

void TdxDockRow::AddBar(TdxBar* bar) {
    if (std::find(bars_.begin(), bars_.end(), bar) == bars_.end()) bars_.push_back(bar);
    TdxBarControl* window = bar->BarControl();
    if (ColCount() < BarCount() && window && window->DockControl() == dock_ && IndexOfCol(window) < 0) {
        TdxDockCol* col = AddCol(window);
        col->Pos = TPoint{bar->DockedLeft(), bar->DockedTop()};
    }
}

void TdxDockRow::RemoveBar(TdxBar* bar, bool freeWhenEmpty) {
    bars_.erase(std::remove(bars_.begin(), bars_.end(), bar), bars_.end());
    if (TdxBarControl* window = bar->BarControl()) RemoveColOf(window);
    if (bar->DockRow() == this) bar->SetDockRow(nullptr);
    if (bars_.empty() && freeWhenEmpty) dock_->FreeRow(this);
}

TdxDockCol* TdxDockRow::InsertCol(int index, TdxBarControl* barControl) {
    index = std::max(0, std::min(index, ColCount()));
    auto* col = new TdxDockCol(this, barControl);
    cols_.insert(cols_.begin() + index, std::unique_ptr<TdxDockCol>(col));
    UpdateOneOnRow();
    return col;
}

void TdxDockRow::DeleteCol(int index) {
    if (index < 0 || index >= ColCount()) return;
    cols_.erase(cols_.begin() + index);
    UpdateOneOnRow();
}

void TdxDockRow::RemoveColOf(TdxBarControl* barControl) { DeleteCol(IndexOfCol(barControl)); }

void TdxDockRow::UpdateOneOnRow() {
    // A row whose last window went keeps what its bars stored when their windows left.
    if (ColCount() == 0 || !dock_->StoresBarRows()) return;
    for (TdxBar* bar : bars_) bar->SetOneOnRow(ColCount() == 1);
}

// ---- The dock -----------------------------------------------------------------------------

TdxDockControl::TdxDockControl(TComponent* owner) : TCustomControl(owner) { SetParentColor(true); }

TdxDockControl::~TdxDockControl() {
    ReleaseAccessibilityHelper(accessibilityHelper_);
    std::vector<std::unique_ptr<TdxDockRow>> rows = std::move(rows_);
    rows.clear();
}

void TdxDockControl::BeforeDestruction() {
    // The bars shown here lose their windows before the dock goes.
    for (int i = RowCount() - 1; i >= 0; --i) {
        TdxDockRow* row = Rows(i);
        for (int b = row->BarCount() - 1; b >= 0; --b) {
            TdxBar* bar = row->Bars(b);
            if (bar->BarControl() && bar->BarControl()->DockControl() == this) bar->HideBarControl();
        }
    }
    SetBarManager(nullptr);
    ReleaseAccessibilityHelper(accessibilityHelper_);
    TCustomControl::BeforeDestruction();
}

IdxBarAccessibilityHelper* TdxDockControl::ObtainAccessibilityHelper() {
    if (ComponentState().Contains(csDestroying)) return nullptr;
    if (!accessibilityHelper_) accessibilityHelper_ = new TdxDockControlAccessibilityHelper(this);
    return accessibilityHelper_.get();
}

void TdxDockControl::SetBarManager(TdxBarManager* value) {
    if (manager_ == value) return;
    TdxBarManager* old = manager_;
    manager_ = nullptr;
    if (old) {
        old->RemoveFreeNotification(this);
        old->RemoveDockControl(this);
    }
    manager_ = value;
    if (value) {
        value->FreeNotification(this);
        value->AddDockControl(this);
    }
}

TdxBarDockingStyle TdxDockControl::DockingStyle() const { return dockingStyle_; }

bool TdxDockControl::CanDockBar(TdxBar* bar) const {
    (void)bar;
    return allowDocking_;
}

TClass TdxDockControl::GetDockedBarControlClass() const { return TdxBarControl::StaticClass(); }

TdxBarPainter* TdxDockControl::GetPainter() const { return manager_ ? manager_->Painter() : nullptr; }

void TdxDockControl::Notification(TComponent* component, TOperation operation) {
    TCustomControl::Notification(component, operation);
    if (operation == opRemove && component == manager_) manager_ = nullptr;
}

int TdxDockControl::IndexOfRow(const TdxDockRow* row) const {
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].get() == row) return int(i);
    return -1;
}

TdxDockRow* TdxDockControl::InsertRow(int index) {
    index = std::max(0, std::min(index, RowCount()));
    auto* row = new TdxDockRow(this);
    rows_.insert(rows_.begin() + index, std::unique_ptr<TdxDockRow>(row));
    return row;
}

void TdxDockControl::FreeRow(TdxDockRow* row) {
    int index = IndexOfRow(row);
    if (index < 0) return;
    std::unique_ptr<TdxDockRow> going = std::move(rows_[size_t(index)]);
    rows_.erase(rows_.begin() + index);
}

void TdxDockControl::RemoveEmptyRows() {
    for (int i = RowCount() - 1; i >= 0; --i)
        if (Rows(i)->BarCount() == 0) FreeRow(Rows(i));
}

// ---- Placing windows ----------------------------------------------------------------------

void TdxDockControl::InsertBar(TdxBarControl* barControl, const TPoint& screenPoint, bool apply) {
    TdxBar* bar = barControl->Bar();
    if (!manager_ || !bar) return;
    const bool loading = manager_->IsBarsLoading() || manager_->IsCreatingDockHandles();
    int index;
    bool ownRow;
    if (!barControl->IsDragging()) {
        index = UsesBarRow() ? bar->Row() : 0;
        ownRow = bar->OneOnRow();
        // A bar still in one of the dock's rows goes back into that row.
        if (bar->DockRow() && bar->DockRow()->DockControl() == this) {
            index = IndexOfRow(bar->DockRow());
            ownRow = false;
        }
    } else {
        bool newRow = false;
        RowAtPoint(screenPoint, index, newRow);
        ownRow = newRow;
    }
    if (bar->WholeRow()) ownRow = true;
    if (!barControl->IsDragging() && loading)
        while (RowCount() <= index) AddRow();
    else
        index = std::max(0, std::min(index, ownRow ? RowCount() : RowCount() - 1));
    if (index == RowCount()) ownRow = true;
    if (!ownRow) {
        TdxDockRow* row = Rows(index);
        for (int i = 0; i < row->BarCount(); ++i)
            if (row->Bars(i) != bar && row->Bars(i)->WholeRow()) ownRow = true;
    }
    TdxDockRow* row;
    TdxDockCol* col;
    if (ownRow) {
        bool reuse = (loading && index < RowCount()) ||
                     (index < RowCount() && bar->DockRow() == Rows(index) && Rows(index)->ColCount() == 0);
        row = reuse ? Rows(index) : InsertRow(index);
        bar->SetDockRow(row);
        row->RemoveColOf(barControl);
        col = row->AddCol(barControl);
    } else {
        row = Rows(index);
        bar->SetDockRow(row);
        row->RemoveColOf(barControl);
        col = row->InsertCol(ColumnAtPoint(row, screenPoint), barControl);
    }
    TPoint point = screenPoint;
    if (barControl->IsDragging() && !barControl->InInternalUpdate()) {
        const TPoint grab = manager_->Bars()->GrabOffset();
        const TPoint offset = barControl->GetCursorOffset(DockingStyle());
        point = TPoint{point.x - grab.x - offset.x, point.y - grab.y - offset.y};
    }
    TPoint p = ScreenToClient(point);
    if (IsHorizontal())
        p.x = std::max<LONG>(0, p.x);
    else
        p.y = std::max<LONG>(0, p.y);
    col->Pos = p;
    if (apply) {
        barControl->SetBounds(p.x, p.y, barControl->Width(), barControl->Height());
        Relayout();
        if (!loading) col->UpdatePos();
    }
}

void TdxDockControl::RemoveBar(TdxBarControl* barControl, TdxDockCol* col, bool relayout) {
    TdxDockRow* row = col ? col->Row() : nullptr;
    if (!row)
        for (int i = 0; i < RowCount() && !row; ++i)
            if (Rows(i)->IndexOfCol(barControl) >= 0) row = Rows(i);
    if (!row) return;
    row->RemoveColOf(barControl);
    if (relayout) Relayout();
}

void TdxDockControl::MoveBar(TdxBarControl* barControl, const TPoint& screenPoint) {
    RemoveBar(barControl, nullptr, false);
    InsertBar(barControl, screenPoint, true);
}

void TdxDockControl::UpdateColumnPositions() {
    for (int i = 0; i < RowCount(); ++i)
        for (int c = 0; c < Rows(i)->ColCount(); ++c) Rows(i)->GetCol(c)->UpdatePos();
}

int TdxDockControl::ColumnAtPoint(TdxDockRow* row, const TPoint& screenPoint) const {
    if (row->ColCount() == 0) return 0;
    TPoint p = ScreenToClient(screenPoint);
    int along = IsHorizontal() ? p.x : p.y;
    if (TdxBarControl* dragged = manager_ ? manager_->Bars()->DraggedWindow() : nullptr)
        if (!dragged->InInternalUpdate()) {
            const TPoint offset = dragged->GetCursorOffset(DockingStyle());
            along -= IsHorizontal() ? offset.x : offset.y;
        }
    for (int i = 0; i < row->ColCount(); ++i) {
        TdxBarControl* window = row->GetCol(i)->BarControl();
        int pos = IsHorizontal() ? window->Left() : window->Top();
        if (pos >= along) return i;
    }
    return row->ColCount();
}

// ---- Row zones ----------------------------------------------------------------------------

void TdxDockControl::GetRowZone(int boundary, int part, int& from, int& to) const {
    const int zone = TdxBars::DockingZoneSize;
    const bool farSide = DockingStyle() == dsRight || DockingStyle() == dsBottom;
    const int clientSize = IsHorizontal() ? ClientRect().bottom : ClientRect().right;
    const int extent = CalcRowsExtent();
    if (boundary < 0) {
        from = farSide ? clientSize - extent - zone : -zone;
        to = farSide ? clientSize - extent : 0;
    } else if (boundary >= RowCount()) {
        from = farSide ? clientSize : extent;
        to = farSide ? clientSize + zone : extent + zone;
    } else {
        TRect r = GetRowRect(boundary);
        from = IsHorizontal() ? r.top : r.left;
        to = IsHorizontal() ? r.bottom : r.right;
    }
    // A band of 5 pixels in the zone means "a new row here".
    const int band = farSide ? to - (zone - 5) / 2 - 5 : from + (zone - 5) / 2;
    switch (part) {
        case 0: to = band; break;
        case 1: from = band, to = band + 5; break;
        default: from = band + 5; break;
    }
}

void TdxDockControl::CentrePointInRow(int row, bool ownRow, TPoint& screenPoint) const {
    if (ownRow && row == RowCount()) ownRow = false;
    TPoint p = ScreenToClient(screenPoint);
    int from, to;
    if (ownRow) {
        GetRowZone(row - 1, 1, from, to);
    } else {
        int keepFrom, keepTo, nextFrom, nextTo;
        GetRowZone(row - 1, 2, keepFrom, keepTo);
        GetRowZone(row, 0, nextFrom, nextTo);
        from = keepFrom;
        to = nextTo;
        // Both halves as long as the shorter one, so that either way is half a zone.
        if (nextTo - nextFrom < keepTo - keepFrom) from = keepTo - (nextTo - nextFrom);
    }
    (IsHorizontal() ? p.y : p.x) = (from + to) / 2;
    screenPoint = ClientToScreen(p);
}

void TdxDockControl::RowAtPoint(const TPoint& screenPoint, int& index, bool& newRow) const {
    index = 0;
    newRow = true;
    if (RowCount() == 0) return;
    TPoint p = ScreenToClient(screenPoint);
    const int c = IsHorizontal() ? p.y : p.x;
    for (int b = -1; b < RowCount(); ++b)
        for (int part = 0; part < 3; ++part) {
            int from, to;
            GetRowZone(b, part, from, to);
            if (c < from || c >= to) continue;
            index = part == 0 ? b : b + 1;
            newRow = part == 1;
            if (index < 0) index = 0, newRow = true;
            if (index >= RowCount()) newRow = true;
            return;
        }
    index = c < CalcRowsExtent() ? 0 : RowCount();
    newRow = true;
}

// ---- Geometry and arrangement -------------------------------------------------------------

int TdxDockControl::GetRowThickness(int index) const {
    if (index < 0 || index >= RowCount()) return 0;
    TdxDockRow* row = Rows(index);
    int thickness = 0;
    for (int i = 0; i < row->ColCount(); ++i) {
        TdxBarControl* window = row->GetCol(i)->BarControl();
        thickness = std::max(thickness, IsHorizontal() ? window->Height() : window->Width());
    }
    if (thickness > 0 && index < RowCount() - 1 && GetPainter()) thickness += GetPainter()->GetDockRowSpacing();
    return thickness;
}

TRect TdxDockControl::GetRowRect(int index) const {
    if (index < 0 || index >= RowCount()) return TRect{};
    int start = 0;
    const bool farSide = DockingStyle() == dsRight || DockingStyle() == dsBottom;
    const TRect client = ClientRect();
    if (draggingInside_ && farSide) {
        // The rows stay at the form's edge while the dock changes size under a drag.
        start = IsHorizontal() ? client.bottom : client.right;
        for (int i = index; i < RowCount(); ++i) start -= GetRowThickness(i);
    } else {
        for (int i = 0; i < index; ++i) start += GetRowThickness(i);
    }
    int thickness = GetRowThickness(index);
    return IsHorizontal() ? TRect{0, start, client.right, start + thickness}
                          : TRect{start, 0, start + thickness, client.bottom};
}

int TdxDockControl::CalcRowsExtent() const {
    int extent = 0;
    for (int i = 0; i < RowCount(); ++i) extent += GetRowThickness(i);
    return extent;
}

int TdxDockControl::GetNeededSize() const {
    int size = CalcRowsExtent();
    return size > 0 && GetSunkenBorder() ? size + 2 : size;
}

void TdxDockControl::FitSizeToRows() {
    const int needed = GetNeededSize();
    switch (DockingStyle()) {
        case dsLeft: SetWidth(needed); break;
        case dsRight: SetBounds(Left() + Width() - needed, Top(), needed, Height()); break;
        case dsBottom: SetBounds(Left(), Top() + Height() - needed, Width(), needed); break;
        default: SetHeight(needed); break;
    }
}

int TdxDockControl::Length() const { return IsHorizontal() ? ClientRect().right : ClientRect().bottom; }

void TdxDockControl::Resize() {
    TCustomControl::Resize();
    if (Length() != arrangedLength_ && RowCount() > 0) Relayout();
}

void TdxDockControl::ArrangeRows() {
    arrangedLength_ = Length();
    for (int i = 0; i < RowCount(); ++i)
        if (Rows(i)->ColCount() > 0) ArrangeRow(i, Length());
}

void TdxDockControl::ArrangeRow(int index, int length) {
    TdxDockRow* row = Rows(index);
    const bool horizontal = IsHorizontal();
    std::vector<TdxDockRowWindow> sizes(size_t(row->ColCount()));
    for (int i = 0; i < row->ColCount(); ++i) {
        TdxDockCol* col = row->GetCol(i);
        TdxBarControl* window = col->BarControl();
        TdxDockRowWindow& w = sizes[size_t(i)];
        w.position = horizontal ? col->Pos.x : col->Pos.y;
        w.minSize = window->CalcMinLength();
        w.maxSize = window->CalcFullLength();
        if (w.minSize != w.maxSize) w.minSize += window->GetMarkAreaSize();
        w.minSize = std::min(w.minSize, w.maxSize);
        w.wraps = false;
        w.useRestSpace = window->Bar()->UseRestSpace();
        w.dragged = window->IsDragging();
    }
    TdxBar* first = row->ColCount() > 0 ? row->GetCol(0)->BarControl()->Bar() : nullptr;
    ArrangeDockRowWindows(sizes, length, first && first->WholeRow(), manager_ && manager_->AutoAlignBars());
    int thickness = 0;
    for (int i = 0; i < row->ColCount(); ++i)
        thickness = std::max(thickness, row->GetCol(i)->BarControl()->CalcThickness());
    // The row's place across is where the rows before it end.
    int across = 0;
    for (int i = 0; i < index; ++i) across += GetRowThickness(i);
    if (draggingInside_) across = horizontal ? GetRowRect(index).top : GetRowRect(index).left;
    for (int i = 0; i < row->ColCount(); ++i) {
        TdxBarControl* window = row->GetCol(i)->BarControl();
        const TdxDockRowWindow& w = sizes[size_t(i)];
        window->SetTruncated(w.truncated);
        TRect r = horizontal ? TRect{w.start, across, w.start + w.length, across + thickness}
                             : TRect{across, w.start, across + thickness, w.start + w.length};
        window->ApplyNewBounds(r);
    }
}

void TdxDockControl::Relayout() {
    if (!manager_ || manager_->UpdateLockCount() > 0 || manager_->IsDestroying() || arranging_) return;
    arranging_ = true;
    try {
        ArrangeRows();
        FitSizeToRows();
    } catch (...) {
        arranging_ = false;
        throw;
    }
    arranging_ = false;
    if (HandleAllocated()) Invalidate();
}

// ---- Painting -----------------------------------------------------------------------------

void TdxDockControl::FillBk(HDC dc, const TRect& r, TColor color) {
    if (TdxBarPainter* painter = GetPainter()) {
        painter->DrawDockBk(this, dc, r, ClientRect(), r, nullptr, color);
        return;
    }
    HBRUSH brush = CreateSolidBrush(COLORREF(ColorToRGB(color)));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void TdxDockControl::WMEraseBkgnd(TMessage& m) {
    FillBk(HDC(m.WParam), ClientRect(), Color());
    m.Result = 1;
}

void TdxDockControl::Paint() { FillBk(Canvas()->Handle(), ClientRect(), Color()); }

// ---- The placed dock ----------------------------------------------------------------------

TdxBarDockControl::TdxBarDockControl(TComponent* owner) : TdxDockControl(owner) {
    SetAlign(alTop);
    SetHeight(0);
}

TdxBarDockingStyle TdxBarDockControl::DockingStyle() const {
    switch (Align()) {
        case alLeft: return dsLeft;
        case alRight: return dsRight;
        case alBottom: return dsBottom;
        default: return dsTop;
    }
}

void TdxBarDockControl::SetDockAlign(TAlign value) {
    if (Align() == value) return;
    TdxBarManager* manager = BarManager();
    std::vector<TdxBarControl*> windows;
    for (int i = 0; i < RowCount(); ++i)
        for (int c = 0; c < Rows(i)->ColCount(); ++c) windows.push_back(Rows(i)->GetCol(c)->BarControl());
    auto rebuild = [&] {
        if (manager) manager->UnlockUpdate();
        for (TdxBarControl* window : windows) window->UpdateBar();
        Relayout();
        if (Parent()) Parent()->Invalidate();
    };
    if (manager) manager->LockUpdate();
    try {
        SetAlign(value);
        TdxBarDockingStyle style = DockingStyle();
        for (TdxBarControl* window : windows) {
            window->SetDockingStyle(style);
            // A column's position along the old axis means nothing along the new one.
            if (TdxDockCol* col = window->Bar()->DockRow() ? window->Bar()->DockRow()->GetCol(
                                                                 window->Bar()->DockRow()->IndexOfCol(window))
                                                           : nullptr)
                col->Pos = TPoint{0, 0};
        }
    } catch (...) {
        rebuild();
        throw;
    }
    rebuild();
}

bool TdxBarDockControl::CanDockBar(TdxBar* bar) const {
    if (!AllowDocking()) return false;
    // A dock inside the bar's own window would move with it.
    TdxBarControl* window = bar ? bar->BarControl() : nullptr;
    for (TWinControl* p = Parent(); p && window; p = p->Parent())
        if (p == window) return false;
    return true;
}

void TdxBarDockControl::SetAllowZeroSizeInDesignTime(bool value) {
    if (allowZeroSize_ == value) return;
    allowZeroSize_ = value;
    FitSizeToRows();
}

int TdxBarDockControl::CalcRowsExtent() const {
    TdxBarManager* manager = BarManager();
    if (ComponentState().Contains(csLoading) || (manager && manager->IsBarsLoading()))
        return IsHorizontal() ? ClientRect().bottom : ClientRect().right;
    int extent = TdxDockControl::CalcRowsExtent();
    if (extent == 0 && ComponentState().Contains(csDesigning) && !allowZeroSize_) extent = 3;
    return extent;
}

void TdxBarDockControl::Paint() {
    TdxDockControl::Paint();
    if (!ComponentState().Contains(csDesigning)) return;
    // At design time a dotted frame shows where the dock is.
    HDC dc = Canvas()->Handle();
    HPEN pen = CreatePen(PS_DOT, 1, COLORREF(ColorToRGB(clBtnShadow)));
    HGDIOBJ oldPen = SelectObject(dc, pen);
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    TRect r = ClientRect();
    Rectangle(dc, r.left, r.top, r.right, r.bottom);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(pen);
}

void TdxDockControl::ShowToolbarsPopup() {
    if (!manager_) return;
    if (TdxBarDesignController* controller = DesignControllerInstance())
        controller->ShowToolbarsPopup(manager_, GetPainter());
}

void TdxDockControl::WMRButtonDown(TMessage& m) {
    Inherited<TCustomControl>(m);
    if (manager_ && !manager_->IsCustomizingOrDesigning()) ShowToolbarsPopup();
}
