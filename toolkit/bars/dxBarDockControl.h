#pragma once
// TdxDockControl: a window on the form where toolbar windows lie in rows. The four side docks
// of a manager are made by its TdxBars with their docking style; TdxBarDockControl is the dock
// an application places itself, whose docking style follows its Align.
//
// A dock keeps its bars in rows (TdxDockRow); a row holds its bars (also the hidden ones) and
// one column (TdxDockCol) per bar window shown in it. The dock arranges the windows of each row
// along its length and sizes itself across to the sum of its rows.
//
// Ownership: the dock owns its rows, a row its columns; windows and bars belong elsewhere.

#include <memory>
#include <vector>

#include "CustomControl.h"
#include "Interfaces.h"
#include "dxBar.h"

class TdxBarAccessibilityHelper;
class TdxBarControl;
class TdxBarPainter;
struct IdxBarAccessibilityHelper;
class TdxDockControl;
class TdxDockRow;

class TdxDockCol {
public:
    TdxDockCol(TdxDockRow* row, TdxBarControl* barControl) : row_(row), barControl_(barControl) {}
    TdxDockRow* Row() const { return row_; }
    TdxBarControl* BarControl() const { return barControl_; }
    // The window's last known top-left in the dock's client coordinates.
    TPoint Pos;
    void UpdatePos();

private:
    TdxDockRow* row_;
    TdxBarControl* barControl_;
};

class TdxDockRow {
public:
    explicit TdxDockRow(TdxDockControl* dock) : dock_(dock) {}
    ~TdxDockRow();
    TdxDockControl* DockControl() const { return dock_; }
    int BarCount() const { return int(bars_.size()); }
    TdxBar* Bars(int index) const { return bars_.at(size_t(index)); }
    int ColCount() const { return int(cols_.size()); }
    TdxDockCol* GetCol(int index) const { return cols_.at(size_t(index)).get(); }
    int IndexOfCol(const TdxBarControl* barControl) const;

    // The bar joins the row; its window, when docked here without a column, gets one.
    void AddBar(TdxBar* bar);
    // The bar and its window's column leave; an emptied row leaves its dock when asked.
    void RemoveBar(TdxBar* bar, bool freeWhenEmpty);
    TdxDockCol* AddCol(TdxBarControl* barControl) { return InsertCol(ColCount(), barControl); }
    TdxDockCol* InsertCol(int index, TdxBarControl* barControl);
    void DeleteCol(int index);
    void RemoveColOf(TdxBarControl* barControl);

private:
    // Every bar of the row is alone in it exactly when the row has one column.
    void UpdateOneOnRow();

    TdxDockControl* dock_;
    std::vector<TdxBar*> bars_;
    std::vector<std::unique_ptr<TdxDockCol>> cols_;
};

class TdxDockControl : public TCustomControl {
    Z_CLASS(TdxDockControl, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_RBUTTONDOWN, WMRButtonDown))
public:
    explicit TdxDockControl(TComponent* owner);
    ~TdxDockControl() override;
    void BeforeDestruction() override;

    TdxBarManager* BarManager() const { return manager_; }
    // Registers the dock with the manager (and leaves the previous one).
    void SetBarManager(TdxBarManager* value);
    // The side of a standard dock; other docks take it from their Align.
    virtual TdxBarDockingStyle DockingStyle() const;
    void SetDockingStyle(TdxBarDockingStyle value) { dockingStyle_ = value; }
    bool IsStandard() const { return dockingStyle_ != dsNone; }
    bool IsHorizontal() const { return DockingStyle() == dsTop || DockingStyle() == dsBottom; }
    bool AllowDocking() const { return allowDocking_; }
    void SetAllowDocking(bool value) { allowDocking_ = value; }

    // May the bar dock here?
    virtual bool CanDockBar(TdxBar* bar) const;
    // Does a loaded layout that names no dock for a bar sitting here undock it? Docks that keep
    // their bars whatever a layout says answer False.
    virtual bool AllowsLayoutUndock() const { return true; }
    // The class of the windows of the bars docked here (TdxBarControl); nil: the dock shows no
    // bar windows of its own.
    virtual TClass GetDockedBarControlClass() const;
    virtual bool UsesBarRow() const { return true; }
    // Do the rows here tell their bars whether each is alone in its row? A dock that places its
    // windows itself leaves the bars' stored row settings as they were read.
    virtual bool StoresBarRows() const { return true; }

    // -- rows
    int RowCount() const { return int(rows_.size()); }
    TdxDockRow* Rows(int index) const { return rows_.at(size_t(index)).get(); }
    int IndexOfRow(const TdxDockRow* row) const;
    TdxDockRow* AddRow() { return InsertRow(RowCount()); }
    TdxDockRow* InsertRow(int index);
    // The row leaves the list and is freed (its bars leave it).
    void FreeRow(TdxDockRow* row);
    void RemoveEmptyRows();

    // -- placing windows
    // Inserts the window at the screen point (its bar's row when placed by program); with
    // apply the window moves there and the dock re-lays out.
    void InsertBar(TdxBarControl* barControl, const TPoint& screenPoint, bool apply);
    // The window's column (or the given one) leaves its row; the row stays.
    void RemoveBar(TdxBarControl* barControl, TdxDockCol* col, bool relayout);
    void MoveBar(TdxBarControl* barControl, const TPoint& screenPoint);
    void UpdateColumnPositions();
    // The row index for a screen point, and whether a new row is made there.
    void RowAtPoint(const TPoint& screenPoint, int& index, bool& newRow) const;
    int ColumnAtPoint(TdxDockRow* row, const TPoint& screenPoint) const;
    // Moves the point across the dock to the middle of the zone that keeps the bar in row R (the
    // band that makes a new row R when ownRow): a drag leaves the bar in its row until the cursor
    // has crossed half a row zone.
    void CentrePointInRow(int row, bool ownRow, TPoint& screenPoint) const;
    // The cross-axis interval of part (0, 1 or 2) of the zone of boundary b (-1 … row count).
    void GetRowZone(int boundary, int part, int& from, int& to) const;

    // -- geometry
    virtual int GetRowThickness(int index) const;
    TRect GetRowRect(int index) const;
    virtual int CalcRowsExtent() const;
    int GetNeededSize() const;
    virtual void FitSizeToRows();
    int Length() const;
    virtual void ArrangeRows();
    virtual void ArrangeRow(int index, int length);
    // Arranges the rows and fits the size (nothing while the manager is locked or goes).
    void Relayout();
    bool DraggingInside() const { return draggingInside_; }
    void SetDraggingInside(bool value) { draggingInside_ = value; }

    virtual TdxBarPainter* GetPainter() const;
    virtual void FillBk(HDC dc, const TRect& r, TColor color);
    virtual bool GetSunkenBorder() const { return false; }
    // The toolbars popup of the manager at the cursor.
    void ShowToolbarsPopup();
    // The dock's helper for keyboard navigation, made on first request and told that the dock
    // is gone when it goes.
    virtual IdxBarAccessibilityHelper* ObtainAccessibilityHelper();

protected:
    void Notification(TComponent* component, TOperation operation) override;
    void Paint() override;
    // A new length along the dock arranges the rows again.
    void Resize() override;

private:
    void WMEraseBkgnd(TMessage& m);
    // A right press shows the toolbars popup, except while customizing or designing.
    void WMRButtonDown(TMessage& m);

    TdxBarManager* manager_ = nullptr;
    IPtr<TdxBarAccessibilityHelper> accessibilityHelper_;
    TdxBarDockingStyle dockingStyle_ = dsNone;
    std::vector<std::unique_ptr<TdxDockRow>> rows_;
    bool allowDocking_ = true;
    bool draggingInside_ = false;
    bool arranging_ = false;
    int arrangedLength_ = -1;
};

// The dock an application places on a form (or a panel): its docking style follows its Align
// (alNone, alTop, alClient: dsTop). SetDockAlign turns the docked bars to the new style.
class TdxBarDockControl : public TdxDockControl {
    Z_CLASS(TdxBarDockControl, TdxDockControl)
    Z_PUBLISHED {
        // Always written: the dock starts at the top, not at the platform's alNone.
        p.Property(L"Align", &TdxBarDockControl::Align, &TdxBarDockControl::SetAlign);
        p.Property(L"AllowDocking", &TdxBarDockControl::AllowDocking, &TdxBarDockControl::SetAllowDocking)
            .Default(true);
        p.Property(L"AllowZeroSizeInDesignTime", &TdxBarDockControl::AllowZeroSizeInDesignTime,
                   &TdxBarDockControl::SetAllowZeroSizeInDesignTime)
            .Default(false);
        p.Property(L"BarManager", &TdxBarDockControl::BarManager, &TdxBarDockControl::SetBarManager);
    }

public:
    explicit TdxBarDockControl(TComponent* owner);

    // The docked bars take the docking style of the new align.
    void SetDockAlign(TAlign value);
    bool AllowZeroSizeInDesignTime() const { return allowZeroSize_; }
    void SetAllowZeroSizeInDesignTime(bool value);
    TdxBarDockingStyle DockingStyle() const override;
    bool CanDockBar(TdxBar* bar) const override;
    // Empty docks are 0 across at run time, 3 at design time unless AllowZeroSizeInDesignTime.
    int CalcRowsExtent() const override;

protected:
    void Paint() override;

private:
    bool allowZeroSize_ = false;
};
