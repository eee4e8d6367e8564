// Sections: week columns and the month list's scrolling · TAMonthListBox · TdxBarCustomCalendar ·
// TdxBarDateNavigator (dates of the view, metrics and rectangles, painting, mouse, keys).

#include "dxBarDateNavigator.h"

#include <windowsx.h>

#include <algorithm>

#include "DateUtils.h"
#include "Font.h"
#include "SysUtils.h"
#include "cxDateUtils.h"
#include "cxTextMeasuring.h"
#include "dxBarDateCombo.h"
#include "dxBarExtItemsShared.h"
#include "dxBarItemControl.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarStrs.h"

// ---- week columns and the month list's scrolling ---------------------------------------------

int DateColumnInWeek(TDateTime date, int firstDayOfWeek) {
    // DayOfWeek: 1 Sunday .. 7 Saturday; the remainder kept non-negative.
    return ((int(DayOfWeek(date)) - firstDayOfWeek - 1) % 7 + 7) % 7;
}

TMonthListScroll MonthListScrollFor(int d) {
    if (d == 0) return {};
    const int g = d > 0 ? 1 : -1;
    int b = g + d / 12;
    b = std::clamp(b, -4, 4);
    static const UINT intervals[] = {0, 500, 250, 100, 50};
    return {b + 5, intervals[std::abs(b)]};
}

namespace {

TDateTime FirstOfMonth(TDateTime date) {
    Word y, m, d;
    DecodeDate(date, y, m, d);
    return EncodeDate(y, m, 1);
}

// The same day (clamped to the month's length) delta months away.
TDateTime ShiftMonths(TDateTime date, int delta) {
    Word y, m, d;
    DecodeDate(date, y, m, d);
    ShiftMonth(y, m, delta);
    return EncodeDate(y, m, Word(ClampDay(y, m, d)));
}

String MonthCaption(TDateTime date) {
    Word y, m, d;
    DecodeDate(date, y, m, d);
    return LocaleLongMonthName(m) + L" " + IntToStr(Integer(y));
}

SIZE TextSizeOn(HDC dc, const String& text) {
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), int(text.length()), &size);
    return size;
}

void FillWithColor(HDC dc, const TRect& r, TColor color) {
    HBRUSH brush = CreateSolidBrush(ColorToRGB(color));
    FillRect(dc, &r, brush);
    DeleteObject(brush);
}

void LineWithColor(HDC dc, int x0, int y0, int x1, int y1, TColor color) {
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(color));
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x0, y0, nullptr);
    LineTo(dc, x1, y1);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// Right-aligned 3 pixels from the cell's right edge, vertically centred; the cell filled.
void DrawCellText(HDC dc, const TRect& cell, const String& text, TColor textColor, TColor backColor) {
    const SIZE size = TextSizeOn(dc, text);
    SetTextColor(dc, ColorToRGB(textColor));
    SetBkColor(dc, ColorToRGB(backColor));
    ExtTextOutW(dc, cell.right - 3 - size.cx, (cell.top + cell.bottom - size.cy) / 2, ETO_OPAQUE | ETO_CLIPPED,
                &cell, text.c_str(), UINT(text.length()), nullptr);
}

}  // namespace

// ---- TAMonthListBox ------------------------------------------------------------------------------

TAMonthListBox::TAMonthListBox(TComponent* owner) : TCustomControl(owner), topDate_(NullDate) {}

TAMonthListBox::~TAMonthListBox() { StopTimer(); }

void TAMonthListBox::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style = WS_POPUP | WS_BORDER;
    params.ExStyle = WS_EX_TOPMOST;
    params.WindowClass.style |= CS_SAVEBITS;
}

void TAMonthListBox::CMFontChanged(TMessage& message) {
    Inherited<TCustomControl>(message);
    auto* navigator = dynamic_cast<TdxBarDateNavigator*>(Owner());
    if (!navigator) return;
    itemHeight_ = navigator->HeaderHeight() - 2;
    SetBounds(Left(), Top(), 6 * navigator->ColWidth() + 2 * GetSystemMetrics(SM_CXBORDER),
              7 * itemHeight_ + 2 * GetSystemMetrics(SM_CYBORDER));
}

void TAMonthListBox::SetTopDate(TDateTime value) {
    if (value == topDate_) return;
    topDate_ = value;
    Invalidate();
}

TDateTime TAMonthListBox::GetDate() const {
    if (itemIndex_ == -1) return NullDate;
    return ShiftMonths(FirstOfMonth(topDate_), itemIndex_);
}

void TAMonthListBox::SetItemIndex(int value) {
    if (value == itemIndex_) return;
    auto invalidateRow = [this](int row) {
        if (row < 0 || !HandleAllocated()) return;
        RECT r{0, row * itemHeight_, ClientWidth(), (row + 1) * itemHeight_};
        InvalidateRect(Handle(), &r, FALSE);
    };
    invalidateRow(itemIndex_);
    itemIndex_ = value;
    invalidateRow(itemIndex_);
}

void TAMonthListBox::StopTimer() {
    if (timerId_ && HandleAllocated()) KillTimer(Handle(), UINT_PTR(timerId_));
    timerId_ = 0;
}

void TAMonthListBox::MouseMove(TShiftState shift, int x, int y) {
    TCustomControl::MouseMove(shift, x, y);
    const TRect client = ClientRect();
    if (PtInRect(&client, TPoint{x, y})) {
        StopTimer();
        SetItemIndex(itemHeight_ > 0 ? std::min(y / itemHeight_, 6) : -1);
        return;
    }
    SetItemIndex(-1);
    int d = 0;
    if (y < 0) d = y;
    if (y >= ClientHeight()) d = y + 1 - ClientHeight();
    const TMonthListScroll scroll = MonthListScrollFor(d);
    if (scroll.timerId == timerId_) return;
    StopTimer();
    if (scroll.timerId && HandleAllocated() && SetTimer(Handle(), UINT_PTR(scroll.timerId), scroll.interval, nullptr))
        timerId_ = scroll.timerId;
}

void TAMonthListBox::WMTimer(TMessage& message) {
    if (int(message.WParam) != timerId_) return;
    SetTopDate(ShiftMonths(FirstOfMonth(topDate_), timerId_ < 6 ? -1 : 1));
}

void TAMonthListBox::Paint() {
    HDC dc = Canvas()->Handle();
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    SetBkMode(dc, OPAQUE);
    for (int row = 0; row < 7; ++row) {
        TRect r{0, row * itemHeight_, ClientWidth(), (row + 1) * itemHeight_};
        const bool highlighted = row == itemIndex_;
        const TColor back = highlighted ? clWindowText : Color(), text = highlighted ? Color() : clWindowText;
        FillWithColor(dc, r, back);
        SetTextColor(dc, ColorToRGB(text));
        SetBkColor(dc, ColorToRGB(back));
        const String caption = topDate_ == NullDate ? String() : MonthCaption(ShiftMonths(FirstOfMonth(topDate_), row));
        DrawTextW(dc, caption.c_str(), int(caption.length()), &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
    }
    SelectObject(dc, oldFont);
}

// ---- TdxBarCustomCalendar --------------------------------------------------------------------------

TdxBarCustomCalendar::TdxBarCustomCalendar(TComponent* owner) : TCustomControl(owner) {
    const TDateTime today = Date();
    dragDate_ = NullDate;
    firstDate_ = today;
    selStart_ = selFinish_ = today;
    TControlStyle style = ControlStyle();
    style += csDoubleClicks;
    SetControlStyle(style);
}

void TdxBarCustomCalendar::CreateParams(TCreateParams& params) {
    TCustomControl::CreateParams(params);
    params.Style |= WS_CLIPCHILDREN;
}

TDateTime TdxBarCustomCalendar::GetSelectionStart() const {
    return selStart_ >= selFinish_ && selFinish_ != NullDate ? selFinish_ : selStart_;
}

TDateTime TdxBarCustomCalendar::GetSelectionEnd() const { return std::max(selStart_, selFinish_); }

void TdxBarCustomCalendar::SetFirstDate(TDateTime value) {
    if (value == firstDate_) return;
    firstDate_ = value;
    Invalidate();
}

void TdxBarCustomCalendar::SelectDate(TDateTime value) {
    selStart_ = value;
    selFinish_ = NullDate;
    SetSelectionFinish(value);
}

void TdxBarCustomCalendar::SetSelectionFinish(TDateTime value) {
    if (selFinish_ == value) return;
    MakeSelectionVisible();
    selFinish_ = value;
    MakeSelectionVisible();
    Invalidate();
}

void TdxBarCustomCalendar::CancelTracking() {
    if (HandleAllocated()) SendMessageW(Handle(), WM_LBUTTONUP, 0, MAKELPARAM(-1, -1));
}

void TdxBarCustomCalendar::DoDateSelected() {
    if (OnDateSelected) OnDateSelected(this);
}

void TdxBarCustomCalendar::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TCustomControl::MouseDown(button, shift, x, y);
    if (shift.Contains(ssDouble) || button != mbLeft) return;
    dragDate_ = GetSelectionStart();
    const TDateTime date = DateAtPoint(TPoint{x, y});
    if (date != NullDate) SelectDate(date);
}

// ---- TdxBarDateNavigator: dates of the view --------------------------------------------------------

TdxBarDateNavigator::TdxBarDateNavigator(TComponent* owner, TdxBarDateCombo* combo, bool isPopup)
    : TdxBarCustomCalendar(owner), combo_(combo), isPopup_(isPopup) {
    firstDate_ = FirstOfMonth(firstDate_);
    SetColor(clWindow);
    Font()->SetColor(clWindowText);
    TMessage message{CM_FONTCHANGED, 0, 0, 0};
    CMFontChanged(message);
}

TdxBarDateNavigator::~TdxBarDateNavigator() {
    FreeMonthList();
    StopArrowTimer();
}

TdxBarPainter* TdxBarDateNavigator::GetPainter() const {
    if (!combo_) return nullptr;
    if (isPopup_)
        if (TdxBarItemLink* link = combo_->GetEditingLink())
            if (TdxBarItemControl* control = link->Control()) return control->GetPainter();
    TdxBarManager* manager = combo_->BarManager();
    return manager ? manager->Painter() : nullptr;
}

Byte TdxBarDateNavigator::GetLook() const {
    if (look_ != 1) return look_;
    TdxBarPainter* painter = GetPainter();
    return painter && painter->IsFlatDateNavigator() ? 2 : 1;
}

TDateTime TdxBarDateNavigator::GetFirstVisibleDate() const {
    const int column = DateColumnInWeek(firstDate_, dxBarFirstDayOfWeek());
    return column == 0 ? firstDate_ - 7 : firstDate_ - column;
}

TDateTime TdxBarDateNavigator::GetLastDate() const {
    Word y, m, d;
    DecodeDate(firstDate_, y, m, d);
    return EncodeDate(y, m, Word(MonthDayCount(y, m)));
}

void TdxBarDateNavigator::SetFirstDate(TDateTime value) { TdxBarCustomCalendar::SetFirstDate(FirstOfMonth(value)); }

void TdxBarDateNavigator::SetSelectionFinish(TDateTime value) {
    selStart_ = value;
    TdxBarCustomCalendar::SetSelectionFinish(value);
}

void TdxBarDateNavigator::MakeSelectionVisible() {
    if (selStart_ == NullDate) return;
    if (GetFirstVisibleDate() > selStart_) SetFirstDate(ShiftMonths(selStart_, -1));
    if (GetLastVisibleDate() < selStart_) SetFirstDate(selStart_);
}

TDateTime TdxBarDateNavigator::DateAtPoint(const TPoint& p) const {
    const TRect client = ClientRect(), days = DayAreaRect();
    if (!PtInRect(&client, p) || !PtInRect(&days, p) || colWidth_ <= 0 || rowHeight_ <= 0) return NullDate;
    const int column = (p.x - days.left) / colWidth_, row = (p.y - days.top) / rowHeight_;
    return CellDate(column, row);
}

// ---- TdxBarDateNavigator: metrics and rectangles ---------------------------------------------------

void TdxBarDateNavigator::CMFontChanged(TMessage& message) {
    if (message.Msg == CM_FONTCHANGED && HandleAllocated()) Inherited<TdxBarCustomCalendar>(message);
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    const SIZE zero = TextSizeOn(dc, L"0");
    const int today = TextSizeOn(dc, BarString(dxSBAR_DATETODAY)).cx;
    const int clear = TextSizeOn(dc, BarString(dxSBAR_DATECLEAR)).cx;
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    colWidth_ = 3 * zero.cx;
    sideWidth_ = 2 * zero.cx;
    rowHeight_ = zero.cy + 2;
    headerHeight_ = zero.cy + 4 + (GetLook() != 0 ? 1 : 0);
    daysOfWeekHeight_ = rowHeight_ + 1;
    todayButtonWidth_ = today + colWidth_;
    clearButtonWidth_ = clear + colWidth_;
    const int s = Font()->Size();
    buttonsOffset_ = s / 2;
    buttonsHeight_ = MulDiv(s, 5, 2);
    buttonsRegionHeight_ = s * 3 / 4 + buttonsHeight_ + buttonsOffset_;
    if (HandleAllocated()) SendMessageW(Handle(), WM_SIZE, 0, 0);
}

TSize TdxBarDateNavigator::NonClientExtent() {
    if (!HandleAllocated()) return TSize{GetLook() == 0 ? 0 : 2, GetLook() == 0 ? 0 : 2};
    RECT window{}, client{};
    GetWindowRect(Handle(), &window);
    GetClientRect(Handle(), &client);
    return TSize{(window.right - window.left) - client.right, (window.bottom - window.top) - client.bottom};
}

void TdxBarDateNavigator::WMSize(TMessage& message) {
    Inherited<TdxBarCustomCalendar>(message);
    const TSize nonClient = NonClientExtent();
    const int width = nonClient.cx + 2 * sideWidth_ + 7 * colWidth_;
    int height = nonClient.cy + headerHeight_ + daysOfWeekHeight_ + 6 * rowHeight_ + 1 + (GetLook() == 0 ? 1 : 0);
    if (ShowsButtons()) height += buttonsRegionHeight_;
    if (width != Width() || height != Height()) SetBounds(Left(), Top(), width, height);
}

TRect TdxBarDateNavigator::HeaderRect() const { return TRect{0, 0, ClientWidth(), headerHeight_}; }

TRect TdxBarDateNavigator::BodyRect() const {
    const int e = GetLook() == 0 ? 1 : 0;
    const int top = headerHeight_ + e;
    return TRect{0, top, ClientWidth(), top + daysOfWeekHeight_ + 6 * rowHeight_ + 1};
}

TRect TdxBarDateNavigator::PrevArrowRect() const { return TRect{1, 1, colWidth_ - 1, headerHeight_ - 1}; }

TRect TdxBarDateNavigator::NextArrowRect() const {
    const int e = GetLook() == 0 ? 1 : 0;
    return TRect{ClientWidth() - colWidth_, 1, ClientWidth() - 1 - e, headerHeight_ - 1};
}

TRect TdxBarDateNavigator::MonthCaptionRect() const {
    const int e = GetLook() == 0 ? 1 : 0;
    const TRect body = BodyRect();
    const int bottom = body.top - e - 1;
    return TRect{body.left + colWidth_, bottom - headerHeight_ + 2, body.right - colWidth_ - e, bottom};
}

TRect TdxBarDateNavigator::DayCellRect(int column, int row) const {
    const int left = sideWidth_ + colWidth_ * column, top = BodyRect().top + daysOfWeekHeight_ + rowHeight_ * row;
    return TRect{left, top, left + colWidth_, top + rowHeight_};
}

TRect TdxBarDateNavigator::DayAreaRect() const {
    const TRect first = DayCellRect(0, 0);
    return TRect{first.left, first.top, ClientWidth() - sideWidth_, first.top + 6 * rowHeight_};
}

TRect TdxBarDateNavigator::TodayButtonRect() const {
    const int clear = showClearButton_ ? clearButtonWidth_ : 0;
    const int left = (ClientWidth() - todayButtonWidth_ - clear) / (showClearButton_ ? 3 : 2);
    const int top = ClientHeight() + buttonsOffset_ - buttonsRegionHeight_;
    return TRect{left, top, left + todayButtonWidth_, top + buttonsHeight_};
}

TRect TdxBarDateNavigator::ClearButtonRect() const {
    const int today = showTodayButton_ ? todayButtonWidth_ : 0;
    const int gap = (ClientWidth() - today - clearButtonWidth_) / (showTodayButton_ ? 3 : 2);
    const int left = ClientWidth() - clearButtonWidth_ - gap;
    const int top = ClientHeight() + buttonsOffset_ - buttonsRegionHeight_;
    return TRect{left, top, left + clearButtonWidth_, top + buttonsHeight_};
}

// ---- TdxBarDateNavigator: window -------------------------------------------------------------------

void TdxBarDateNavigator::CreateParams(TCreateParams& params) {
    TdxBarCustomCalendar::CreateParams(params);
    const Byte look = GetLook();
    if (isPopup_) {
        // A window of its own above everything, owned by the bar window that shows the combo;
        // it never takes the activation from the combo's editor.
        params.Style = WS_POPUP | (look != 2 ? WS_DLGFRAME : 0);
        params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
        params.WindowClass.style |= CS_SAVEBITS;
        params.WndParent = ParentWindow();
    }
    if (look == 0) params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TdxBarDateNavigator::CreateWnd() {
    TdxBarCustomCalendar::CreateWnd();
    TMessage message{CM_FONTCHANGED, 0, 0, 0};
    CMFontChanged(message);
    if (isPopup_) CallWindowProcW(DefWndProc(), Handle(), WM_SETFOCUS, 0, 0);
}

void TdxBarDateNavigator::WMNCCalcSize(TMessage& message) {
    Inherited<TdxBarCustomCalendar>(message);
    if (GetLook() == 0) return;
    auto* r = reinterpret_cast<RECT*>(message.LParam);
    InflateRect(r, -1, -1);
}

void TdxBarDateNavigator::WMNCPaint(TMessage& message) {
    Inherited<TdxBarCustomCalendar>(message);
    const Byte look = GetLook();
    if (look == 0) return;
    HDC dc = GetWindowDC(Handle());
    RECT window{};
    GetWindowRect(Handle(), &window);
    OffsetRect(&window, -window.left, -window.top);
    // The client area starts one pixel in from what the window frame leaves.
    RECT client{};
    GetClientRect(Handle(), &client);
    POINT origin{0, 0};
    MapWindowPoints(Handle(), nullptr, &origin, 1);
    RECT screen{};
    GetWindowRect(Handle(), &screen);
    OffsetRect(&client, origin.x - screen.left, origin.y - screen.top);
    InflateRect(&client, 1, 1);
    if (look == 1) {
        DrawEdge(dc, &client, BDR_SUNKENOUTER, BF_RECT);
    } else {
        HBRUSH shadow = GetSysColorBrush(COLOR_BTNSHADOW);
        FrameRect(dc, &window, shadow);
    }
    ReleaseDC(Handle(), dc);
}

void TdxBarDateNavigator::WMMouseActivate(TMessage& message) {
    if (isPopup_)
        message.Result = MA_NOACTIVATE;
    else
        Inherited<TdxBarCustomCalendar>(message);
}

void TdxBarDateNavigator::WMDestroy(TMessage& message) {
    StopArrowTimer();
    Inherited<TdxBarCustomCalendar>(message);
}

// ---- TdxBarDateNavigator: painting ------------------------------------------------------------------

void TdxBarDateNavigator::Paint() {
    HDC dc = Canvas()->Handle();
    HGDIOBJ oldFont = SelectObject(dc, Font()->Handle());
    const TRect client = ClientRect();
    HRGN region = CreateRectRgnIndirect(&client);
    TRect dayArea = DayAreaRect();
    HRGN days = CreateRectRgnIndirect(&dayArea);
    CombineRgn(region, region, days, RGN_DIFF);
    DeleteObject(days);
    DrawHeader(dc, region);
    DrawWeekdayRow(dc);
    {
        // Only what the weekday row painted: the rest goes to the final fill.
        const TRect body = BodyRect();
        TRect row{sideWidth_ - 8, body.top, client.right - sideWidth_ + 8, body.top + daysOfWeekHeight_};
        HRGN weekdays = CreateRectRgnIndirect(&row);
        CombineRgn(region, region, weekdays, RGN_DIFF);
        DeleteObject(weekdays);
    }
    DrawDays(dc);
    DrawButtons(dc, region);
    HBRUSH back = CreateSolidBrush(ColorToRGB(Color()));
    FillRgn(dc, region, back);
    DeleteObject(back);
    DeleteObject(region);
    SelectObject(dc, oldFont);
}

void TdxBarDateNavigator::DrawHeader(HDC dc, HRGN region) {
    const Byte look = GetLook();
    TRect r = HeaderRect();
    TRect removed = r;
    if (look == 0) InflateRect(&removed, 0, 1);
    HRGN header = CreateRectRgnIndirect(&removed);
    CombineRgn(region, region, header, RGN_DIFF);
    DeleteObject(header);
    if (look == 0) {
        LineWithColor(dc, r.left, r.bottom, r.right, r.bottom, clBtnText);
        LineWithColor(dc, r.right - 1, r.top, r.right - 1, r.bottom, clBtnText);
        --r.right;
    } else if (look == 2) {
        LineWithColor(dc, r.left, r.bottom - 1, r.right, r.bottom - 1, clBtnShadow);
        --r.bottom;
    }
    if (look != 2) {
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_TOP | BF_BOTTOM | BF_LEFT | BF_RIGHT);
        InflateRect(&r, -1, -1);
    }
    // The caption over the header's colour.
    TdxBarPainter* painter = GetPainter();
    const TColor headerColor = painter ? painter->GetDateNavigatorHeaderColor() : clBtnFace;
    const String caption = MonthCaption(firstDate_);
    const SIZE size = TextSizeOn(dc, caption);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SetBkColor(dc, ColorToRGB(headerColor));
    ExtTextOutW(dc, (r.left + r.right - size.cx) / 2, (r.top + r.bottom - size.cy) / 2, ETO_OPAQUE | ETO_CLIPPED, &r,
                caption.c_str(), UINT(caption.length()), nullptr);
    // The arrows, their vertical side SideWidth - 1 inside the header's edge.
    int a = (r.bottom - r.top) / 2;
    if (a % 2 == 0) ++a;
    const int y0 = (r.top + r.bottom - a) / 2;
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(clBtnText));
    HBRUSH brush = CreateSolidBrush(ColorToRGB(clBtnText));
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    const int leftX = r.left - 1 + (sideWidth_ - 1), rightX = r.right - (sideWidth_ - 1);
    POINT left[3] = {{leftX, y0}, {leftX, y0 + a - 1}, {leftX - a / 2, y0 + a / 2}};
    POINT right[3] = {{rightX, y0}, {rightX, y0 + a - 1}, {rightX + a / 2, y0 + a / 2}};
    Polygon(dc, left, 3);
    Polygon(dc, right, 3);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

void TdxBarDateNavigator::DrawWeekdayRow(HDC dc) {
    const TRect body = BodyRect();
    const int top = body.top, bottom = body.top + daysOfWeekHeight_ - 2;
    FillWithColor(dc, TRect{sideWidth_ - 8, top, sideWidth_, bottom + 2}, Color());
    FillWithColor(dc, TRect{ClientWidth() - sideWidth_, top, ClientWidth() - sideWidth_ + 8, bottom + 2}, Color());
    LineWithColor(dc, sideWidth_, bottom, ClientWidth() - sideWidth_, bottom, clBtnShadow);
    LineWithColor(dc, sideWidth_, bottom + 1, ClientWidth() - sideWidth_, bottom + 1, Color());
    const bool complex = IsComplexScriptText(Byte(Font()->Charset()), L"");
    for (int k = 0; k < 7; ++k) {
        int day = dxBarFirstDayOfWeek() + 1 + k;
        if (day > 7) day -= 7;
        const String name = LocaleShortDayName(day);
        const String letter = name.empty() ? String() : String(1, complex ? name.back() : name.front());
        const TRect cell{sideWidth_ + k * colWidth_, top, sideWidth_ + (k + 1) * colWidth_, bottom};
        DrawCellText(dc, cell, letter, TColor(0xFF000000 | COLOR_BTNTEXT), Color());
    }
}

void TdxBarDateNavigator::DrawDays(HDC dc) {
    const Byte look = GetLook();
    const TDateTime today = Date(), last = GetLastDate();
    const TDateTime selFrom = GetSelectionStart(), selTo = GetSelectionEnd();
    for (int column = 0; column < 7; ++column)
        for (int row = 0; row < 6; ++row) {
            TRect cell = DayCellRect(column, row);
            const TDateTime date = CellDate(column, row);
            if (date == today) {
                HBRUSH frame = CreateSolidBrush(RGB(128, 0, 0));
                FrameRect(dc, &cell, frame);
                DeleteObject(frame);
                InflateRect(&cell, -1, -1);
            }
            const bool selected = selFrom != NullDate && selFrom <= date && date <= selTo;
            TColor back = Color();
            if (selected) {
                TdxBarManager* manager = combo_ ? combo_->BarManager() : nullptr;
                back = look == 2 ? (manager ? manager->GetFlatLightColor() : clBtnFace)
                                 : look == 1 ? clBtnFace
                                             : clHighlight;
            }
            TColor text = TColor(0xFF000000 | COLOR_WINDOWTEXT);
            if ((date < firstDate_ || date > last) && !selected)
                text = TColor(0xFF000000 | COLOR_GRAYTEXT);
            else if (selected && look != 2)
                text = TColor(0xFF000000 | COLOR_HIGHLIGHTTEXT);
            Word y, m, d;
            DecodeDate(date, y, m, d);
            DrawCellText(dc, cell, IntToStr(Integer(d)), text, back);
        }
}

void TdxBarDateNavigator::DrawButtons(HDC dc, HRGN region) {
    if (!ShowsButtons()) return;
    const int y = ClientHeight() - buttonsRegionHeight_ - 1;
    LineWithColor(dc, sideWidth_, y, ClientWidth() - sideWidth_, y, clBtnShadow);
    TRect line{sideWidth_, y, ClientWidth() - sideWidth_, y + 1};
    HRGN lineRegion = CreateRectRgnIndirect(&line);
    CombineRgn(region, region, lineRegion, RGN_DIFF);
    DeleteObject(lineRegion);
    TdxBarPainter* painter = GetPainter();
    if (!painter) return;
    auto draw = [&](const TRect& r, const String& caption, bool pushed) {
        HRGN buttonRegion = CreateRectRgnIndirect(&r);
        CombineRgn(region, region, buttonRegion, RGN_DIFF);
        DeleteObject(buttonRegion);
        painter->DrawDateNavigatorButton(combo_, dc, r, caption, pushed);
    };
    if (showTodayButton_) draw(TodayButtonRect(), BarString(dxSBAR_DATETODAY), todayActive_ && todayPressed_);
    if (showClearButton_) draw(ClearButtonRect(), BarString(dxSBAR_DATECLEAR), clearActive_ && clearPressed_);
}

// ---- TdxBarDateNavigator: mouse ---------------------------------------------------------------------

void TdxBarDateNavigator::ScrollMonth(int delta) { SetFirstDate(ShiftMonths(firstDate_, delta)); }

void TdxBarDateNavigator::StopArrowTimer() {
    if (scrollTimer_ && HandleAllocated()) KillTimer(Handle(), UINT_PTR(scrollTimer_));
    scrollTimer_ = 0;
}

void TdxBarDateNavigator::FreeMonthList() {
    TAMonthListBox* list = monthList_;
    monthList_ = nullptr;
    delete list;
}

void TdxBarDateNavigator::CancelTracking() {
    TdxBarCustomCalendar::CancelTracking();
    StopArrowTimer();
    FreeMonthList();
    todayActive_ = todayPressed_ = clearActive_ = clearPressed_ = false;
}

void TdxBarDateNavigator::OpenMonthList() {
    monthListDelta_ = 0;
    FreeMonthList();
    monthList_ = new TAMonthListBox(this);
    monthList_->Font()->Assign(Font());
    monthList_->SetColor(Color());
    monthList_->SetParentWindow(Handle());
    monthList_->HandleNeeded();
    TMessage message{CM_FONTCHANGED, 0, 0, 0};
    monthList_->Perform(message.Msg, 0, 0);
    monthList_->SetTopDate(ShiftMonths(firstDate_, -3));
    const TRect caption = MonthCaptionRect();
    POINT centre{(caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2};
    ::ClientToScreen(Handle(), &centre);
    const int width = monthList_->Width(), height = monthList_->Height();
    SetWindowPos(monthList_->Handle(), HWND_TOPMOST, centre.x - width / 2, centre.y - height / 2, width, height,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TdxBarDateNavigator::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    const TPoint p{x, y};
    doubleClicked_ = shift.Contains(ssDouble);
    if (isPopup_ && button == mbLeft && ShowsButtons()) {
        const TRect today = TodayButtonRect(), clear = ClearButtonRect();
        if (showTodayButton_ && PtInRect(&today, p)) {
            todayActive_ = todayPressed_ = true;
            Invalidate();
            return;
        }
        if (showClearButton_ && PtInRect(&clear, p)) {
            clearActive_ = clearPressed_ = true;
            Invalidate();
            return;
        }
        if (y >= ClientHeight() - buttonsRegionHeight_) return;
    }
    TdxBarCustomCalendar::MouseDown(button, shift, x, y);
    if (doubleClicked_ && !isPopup_ && DateAtPoint(p) != NullDate && combo_) {
        combo_->CloseDateDialog();
        return;
    }
    if (button != mbLeft) return;
    const TRect caption = MonthCaptionRect(), prev = PrevArrowRect(), next = NextArrowRect();
    if (PtInRect(&caption, p)) {
        OpenMonthList();
    } else if (PtInRect(&prev, p) || PtInRect(&next, p)) {
        const bool back = PtInRect(&prev, p);
        ScrollMonth(back ? -1 : 1);
        if (!scrollTimer_ && SetTimer(Handle(), back ? 1 : 2, ArrowRepeatInterval, nullptr)) scrollTimer_ = back ? 1 : 2;
    }
}

void TdxBarDateNavigator::WMTimer(TMessage& message) {
    const int id = int(message.WParam);
    if (id != scrollTimer_) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    ::ScreenToClient(Handle(), &cursor);
    const TRect arrow = id == 1 ? PrevArrowRect() : NextArrowRect();
    if (PtInRect(&arrow, TPoint{cursor.x, cursor.y})) ScrollMonth(id == 1 ? -1 : 1);
}

void TdxBarDateNavigator::MouseMove(TShiftState shift, int x, int y) {
    TdxBarCustomCalendar::MouseMove(shift, x, y);
    if (scrollTimer_) return;
    const TPoint p{x, y};
    if (monthList_) {
        POINT inList{x, y};
        MapWindowPoints(Handle(), monthList_->Handle(), &inList, 1);
        monthList_->MouseMove(shift, inList.x, inList.y);
        return;
    }
    if (todayActive_ || clearActive_) {
        const TRect r = todayActive_ ? TodayButtonRect() : ClearButtonRect();
        bool& pressed = todayActive_ ? todayPressed_ : clearPressed_;
        const bool over = PtInRect(&r, p) != FALSE;
        if (over != pressed) {
            pressed = over;
            Invalidate();
        }
        return;
    }
    if (!shift.Contains(ssLeft) || GetCapture() != Handle()) return;
    const TRect client = ClientRect();
    if (!PtInRect(&client, p)) {
        SelectDate(dragDate_);
    } else {
        const TDateTime date = DateAtPoint(p);
        if (date != NullDate) SetSelectionFinish(date);
    }
    UpdateWindow(Handle());
}

void TdxBarDateNavigator::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TdxBarCustomCalendar::MouseUp(button, shift, x, y);
    if (scrollTimer_) {
        StopArrowTimer();
        return;
    }
    if (monthList_) {
        const TDateTime chosen = monthList_->GetDate();
        FreeMonthList();
        if (chosen != NullDate) SetFirstDate(ShiftMonths(chosen, -monthListDelta_));
        return;
    }
    const TPoint p{x, y};
    bool onButton = false;
    if (todayActive_) {
        const bool pressed = todayPressed_;
        todayActive_ = todayPressed_ = false;
        Invalidate();
        if (!pressed) return;
        SelectDate(Date());
        onButton = true;
    } else if (clearActive_) {
        const bool pressed = clearPressed_;
        clearActive_ = clearPressed_ = false;
        Invalidate();
        if (!pressed) return;
        SelectDate(NullDate);
        onButton = true;
    }
    if (doubleClicked_) {
        doubleClicked_ = false;
        return;
    }
    const TRect client = ClientRect();
    if (PtInRect(&client, p) && (onButton || DateAtPoint(p) != NullDate))
        DoDateSelected();
    else if (button == mbLeft)
        SelectDate(dragDate_);
}

void TdxBarDateNavigator::WMCancelMode(TMessage& message) {
    Inherited<TdxBarCustomCalendar>(message);
    CancelTracking();
}

void TdxBarDateNavigator::WMCaptureChanged(TMessage& message) {
    Inherited<TdxBarCustomCalendar>(message);
    if (HWND(message.LParam) != Handle()) {
        StopArrowTimer();
        FreeMonthList();
        todayActive_ = todayPressed_ = clearActive_ = clearPressed_ = false;
    }
}

// ---- TdxBarDateNavigator: keys ------------------------------------------------------------------------

void TdxBarDateNavigator::KeyDown(Word& key, TShiftState shift) {
    TdxBarCustomCalendar::KeyDown(key, shift);
    if (!isPopup_) return;
    const TDateTime current = GetSelectionStart() == NullDate ? Date() : GetSelectionStart();
    const bool ctrlOnly = shift == TShiftState{ssCtrl};
    const int column = DateColumnInWeek(current, dxBarFirstDayOfWeek());
    Word y, m, d;
    DecodeDate(current, y, m, d);
    switch (key) {
        case VK_RETURN:
            if (!monthList_) DoDateSelected();
            return;
        case VK_PRIOR: SelectDate(ShiftMonths(current, -1)); return;
        case VK_NEXT: SelectDate(ShiftMonths(current, 1)); return;
        case VK_END:
            SelectDate(ctrlOnly ? EncodeDate(y, m, Word(MonthDayCount(y, m))) : current + (6 - column));
            return;
        case VK_HOME: SelectDate(ctrlOnly ? EncodeDate(y, m, 1) : current - column); return;
        case VK_LEFT: SelectDate(current - 1); return;
        case VK_RIGHT: SelectDate(current + 1); return;
        case VK_UP: SelectDate(current - 7); return;
        case VK_DOWN: SelectDate(current + 7); return;
        default: return;
    }
}
