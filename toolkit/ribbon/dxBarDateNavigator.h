#pragma once
// The one-month calendar of the date combo.
//
// TAMonthListBox: seven months in a small pop-up list, shown while the mouse is held on the
// navigator's month caption; it scrolls by timer, faster the further the mouse leaves it.
// TdxBarCustomCalendar: a calendar control with a first date, a selection (start and finish)
// chosen with the mouse, and OnDateSelected when the user completes a choice.
// TdxBarDateNavigator: one month as a header (month name, two arrows that repeat every 170 ms),
// a weekday row and six weeks of days (42 dates, neighbouring months' dates in grey), with the
// "Сегодня" and "Очистить" buttons below when it is a combo's drop-down; keys move the
// selection in the drop-down.
//
// Weeks start at the process-wide first day of the week (dxBarFirstDayOfWeek).

#include "CustomControl.h"
#include "Events.h"
#include "SysTypes.h"

class TdxBarDateCombo;
class TdxBarPainter;
class TdxBarDateNavigator;

// The column of a date in a week that starts on firstDayOfWeek (0 Sunday .. 6 Saturday): 0..6.
int DateColumnInWeek(TDateTime date, int firstDayOfWeek);
// The month list's scroll timer for a cursor d pixels outside it (negative above, positive
// below; 0 inside): the timer identifier (1..4 back, 6..9 forward, 0 none) and its interval.
struct TMonthListScroll {
    int timerId = 0;
    UINT interval = 0;
};
TMonthListScroll MonthListScrollFor(int d);

class TAMonthListBox : public TCustomControl {
    Z_CLASS(TAMonthListBox, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_TIMER, WMTimer),
                  Z_MESSAGE(CM_FONTCHANGED, CMFontChanged))
public:
    explicit TAMonthListBox(TComponent* owner);
    ~TAMonthListBox() override;

    TDateTime TopDate() const { return topDate_; }
    void SetTopDate(TDateTime value);
    int ItemHeight() const { return itemHeight_; }
    int ItemIndex() const { return itemIndex_; }
    int TimerId() const { return timerId_; }
    // NullDate with no row highlighted, else the highlighted row's month (its first day).
    TDateTime GetDate() const;
    // The navigator hands its mouse moves on in list coordinates.
    void MouseMove(TShiftState shift, int x, int y) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void Paint() override;

private:
    void WMEraseBkgnd(TMessage& message) { message.Result = 1; }
    void WMTimer(TMessage& message);
    void CMFontChanged(TMessage& message);
    void SetItemIndex(int value);
    void StopTimer();

    TDateTime topDate_;
    int itemHeight_ = 0;
    int itemIndex_ = -1;
    int timerId_ = 0;
};

class TdxBarCustomCalendar : public TCustomControl {
    Z_CLASS(TdxBarCustomCalendar, TCustomControl)
public:
    explicit TdxBarCustomCalendar(TComponent* owner);

    virtual Byte GetLook() const { return look_; }
    void SetLook(Byte value) { look_ = value; }
    virtual TDateTime GetFirstVisibleDate() const { return firstDate_; }
    virtual TDateTime GetLastVisibleDate() const { return GetLastDate(); }
    virtual TDateTime GetLastDate() const = 0;
    // The lower end of the selection (a NullDate finish does not count), and the greater end.
    virtual TDateTime GetSelectionStart() const;
    virtual TDateTime GetSelectionEnd() const;
    TDateTime FirstDate() const { return firstDate_; }
    virtual void SetFirstDate(TDateTime value);
    virtual void SelectDate(TDateTime value);
    virtual void SetSelectionFinish(TDateTime value);
    virtual void MakeSelectionVisible() = 0;
    virtual TDateTime DateAtPoint(const TPoint& p) const = 0;
    TDateTime SelStart() const { return selStart_; }
    TDateTime SelFinish() const { return selFinish_; }

    // Ends any mouse tracking (a button release at (-1, -1)).
    virtual void CancelTracking();
    void DoDateSelected();

    TNotifyEvent OnDateSelected;

protected:
    void CreateParams(TCreateParams& params) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;

    TDateTime dragDate_;
    TDateTime firstDate_;
    TDateTime selStart_, selFinish_;
    Byte look_ = 1;
};

class TdxBarDateNavigator : public TdxBarCustomCalendar {
    Z_CLASS(TdxBarDateNavigator, TdxBarCustomCalendar)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_SIZE, WMSize),
                  Z_MESSAGE(WM_NCCALCSIZE, WMNCCalcSize), Z_MESSAGE(WM_NCPAINT, WMNCPaint),
                  Z_MESSAGE(WM_TIMER, WMTimer), Z_MESSAGE(WM_CANCELMODE, WMCancelMode),
                  Z_MESSAGE(WM_CAPTURECHANGED, WMCaptureChanged), Z_MESSAGE(WM_DESTROY, WMDestroy),
                  Z_MESSAGE(CM_FONTCHANGED, CMFontChanged), Z_MESSAGE(WM_MOUSEACTIVATE, WMMouseActivate))
public:
    // The arrow repeat, in milliseconds.
    static constexpr UINT ArrowRepeatInterval = 170;

    TdxBarDateNavigator(TComponent* owner, TdxBarDateCombo* combo, bool isPopup);
    ~TdxBarDateNavigator() override;

    TdxBarDateCombo* Combo() const { return combo_; }
    bool IsPopup() const { return isPopup_; }
    bool ShowTodayButton() const { return showTodayButton_; }
    void SetShowTodayButton(bool value) { showTodayButton_ = value; }
    bool ShowClearButton() const { return showClearButton_; }
    void SetShowClearButton(bool value) { showClearButton_ = value; }
    TAMonthListBox* MonthList() const { return monthList_; }
    int ScrollTimer() const { return scrollTimer_; }

    // Look 1 is drawn flat (2) when the painter in use says so.
    Byte GetLook() const override;
    TdxBarPainter* GetPainter() const;

    TDateTime GetFirstVisibleDate() const override;
    TDateTime GetLastVisibleDate() const override { return GetFirstVisibleDate() + 41; }
    TDateTime GetLastDate() const override;
    // Always the first day of the date's month.
    void SetFirstDate(TDateTime value) override;
    // The selection is one date: the start follows the finish.
    void SetSelectionFinish(TDateTime value) override;
    void MakeSelectionVisible() override;
    TDateTime DateAtPoint(const TPoint& p) const override;
    void CancelTracking() override;

    // -- metrics and rectangles (client coordinates)
    int ColWidth() const { return colWidth_; }
    int SideWidth() const { return sideWidth_; }
    int RowHeight() const { return rowHeight_; }
    int HeaderHeight() const { return headerHeight_; }
    int DaysOfWeekHeight() const { return daysOfWeekHeight_; }
    int TodayButtonWidth() const { return todayButtonWidth_; }
    int ClearButtonWidth() const { return clearButtonWidth_; }
    int ButtonsHeight() const { return buttonsHeight_; }
    int ButtonsRegionHeight() const { return buttonsRegionHeight_; }
    bool ShowsButtons() const { return isPopup_ && (showTodayButton_ || showClearButton_); }
    TRect HeaderRect() const;
    TRect BodyRect() const;
    TRect PrevArrowRect() const;
    TRect NextArrowRect() const;
    TRect MonthCaptionRect() const;
    TRect DayCellRect(int column, int row) const;
    TRect DayAreaRect() const;
    TRect TodayButtonRect() const;
    TRect ClearButtonRect() const;
    // The date of a day cell (42 from GetFirstVisibleDate).
    TDateTime CellDate(int column, int row) const { return GetFirstVisibleDate() + 7 * row + column; }

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void Paint() override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void KeyDown(Word& key, TShiftState shift) override;

private:
    void WMEraseBkgnd(TMessage& message) { message.Result = 1; }
    void WMSize(TMessage& message);
    void WMNCCalcSize(TMessage& message);
    void WMNCPaint(TMessage& message);
    void WMTimer(TMessage& message);
    void WMCancelMode(TMessage& message);
    void WMCaptureChanged(TMessage& message);
    void WMDestroy(TMessage& message);
    void WMMouseActivate(TMessage& message);
    void CMFontChanged(TMessage& message);

    void ScrollMonth(int delta);
    void OpenMonthList();
    void FreeMonthList();
    void StopArrowTimer();
    // The non-client size added to the client size (the border the look asks for).
    TSize NonClientExtent();
    void DrawHeader(HDC dc, HRGN region);
    void DrawWeekdayRow(HDC dc);
    void DrawDays(HDC dc);
    void DrawButtons(HDC dc, HRGN region);

    TdxBarDateCombo* combo_;
    int colCount_ = 1, rowCount_ = 1;
    int colWidth_ = 0, sideWidth_ = 0, rowHeight_ = 0, headerHeight_ = 0, daysOfWeekHeight_ = 0;
    int todayButtonWidth_ = 0, clearButtonWidth_ = 0, buttonsOffset_ = 0, buttonsHeight_ = 0,
        buttonsRegionHeight_ = 0;
    TAMonthListBox* monthList_ = nullptr;
    int monthListDelta_ = 0;
    int scrollTimer_ = 0;
    bool todayActive_ = false, todayPressed_ = false, clearActive_ = false, clearPressed_ = false;
    bool isPopup_;
    bool doubleClicked_ = false;  // the press was the second of a double-click
    bool showTodayButton_ = true, showClearButton_ = false;
};
