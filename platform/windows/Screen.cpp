#include "Screen.h"

#include <algorithm>

#include "CallbackBarrier.h"

TScreen* Screen = nullptr;

// ---- TMonitor ----

TRect TMonitor::BoundsRect() const {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(handle_, &info))
        return TRect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return info.rcMonitor;
}

TRect TMonitor::WorkareaRect() const {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(handle_, &info)) return BoundsRect();
    return info.rcWork;
}

bool TMonitor::Primary() const {
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    return GetMonitorInfoW(handle_, &info) && (info.dwFlags & MONITORINFOF_PRIMARY);
}

// ---- TScreen ----

TScreen::TScreen(TComponent* AOwner)
    : TComponent(AOwner), hintFont_(new TFont()), menuFont_(new TFont()), iconFont_(new TFont()) {
    HDC dc = GetDC(nullptr);
    pixelsPerInch_ = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    static const struct {
        TCursor id;
        const wchar_t* resource;
    } standard[] = {
        {crArrow, IDC_ARROW},          {crCross, IDC_CROSS},       {crIBeam, IDC_IBEAM},    {crSizeNESW, IDC_SIZENESW},
        {crSizeNS, IDC_SIZENS},        {crSizeNWSE, IDC_SIZENWSE}, {crSizeWE, IDC_SIZEWE},  {crUpArrow, IDC_UPARROW},
        {crHourGlass, IDC_WAIT},       {crDrag, IDC_ARROW},        {crNoDrop, IDC_NO},      {crHSplit, IDC_SIZEWE},
        {crVSplit, IDC_SIZENS},        {crMultiDrag, IDC_ARROW},   {crSQLWait, IDC_WAIT},   {crNo, IDC_NO},
        {crAppStart, IDC_APPSTARTING}, {crHelp, IDC_HELP},         {crHandPoint, IDC_HAND}, {crSizeAll, IDC_SIZEALL},
    };
    cursors_[crDefault] = LoadCursorW(nullptr, IDC_ARROW);
    cursors_[crNone] = nullptr;
    for (const auto& s : standard) {
        HCURSOR c = LoadCursorW(nullptr, s.resource);
        cursors_[s.id] = c ? c : cursors_[crDefault];
    }
    LoadSystemFonts();
}

TScreen::~TScreen() {
    for (TMonitor* m : monitors_) delete m;
    delete hintFont_;
    delete menuFont_;
    delete iconFont_;
    if (Screen == this) Screen = nullptr;
}

void TScreen::LoadSystemFonts() {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        hintFont_->SetHandle(CreateFontIndirectW(&metrics.lfStatusFont));
        menuFont_->SetHandle(CreateFontIndirectW(&metrics.lfMenuFont));
    }
    LOGFONTW icon{};
    if (SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(icon), &icon, 0))
        iconFont_->SetHandle(CreateFontIndirectW(&icon));
    hintFont_->SetColor(clInfoText);
}

HCURSOR TScreen::Cursors(TCursor id) const {
    auto it = cursors_.find(id);
    if (it == cursors_.end()) it = cursors_.find(crDefault);
    return it->second;
}

void TScreen::SetCursors(TCursor id, HCURSOR cursor) {
    if (id == crDefault) return;  // the default is the system's arrow and stays so
    cursors_[id] = cursor ? cursor : Cursors(crDefault);
}

void TScreen::SetCursor(TCursor v) {
    if (cursor_ == v) return;
    cursor_ = v;
    if (v == crDefault) {
        // Let the window under the mouse choose its own cursor again.
        POINT p;
        GetCursorPos(&p);
        HWND window = WindowFromPoint(p);
        if (window) ::SendMessageW(window, WM_SETCURSOR, WPARAM(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    } else {
        ::SetCursor(Cursors(v));
    }
}

TRect TScreen::DesktopRect() const {
    int x = GetSystemMetrics(SM_XVIRTUALSCREEN), y = GetSystemMetrics(SM_YVIRTUALSCREEN);
    return Bounds(x, y, GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

TRect TScreen::WorkAreaRect() const {
    RECT r;
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0)) r = TRect{0, 0, Width(), Height()};
    return r;
}

namespace {
BOOL CALLBACK CollectMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    return CallbackBarrier(FALSE, [&]() -> BOOL {
        reinterpret_cast<std::vector<HMONITOR>*>(data)->push_back(monitor);
        return TRUE;
    });
}
}  // namespace

void TScreen::RefreshMonitors() {
    std::vector<HMONITOR> handles;
    EnumDisplayMonitors(nullptr, nullptr, &CollectMonitor, reinterpret_cast<LPARAM>(&handles));
    for (TMonitor* m : monitors_) delete m;
    monitors_.clear();
    for (HMONITOR h : handles) {
        auto* m = new TMonitor();
        m->handle_ = h;
        m->number_ = int(monitors_.size());
        monitors_.push_back(m);
    }
}

int TScreen::MonitorCount() {
    RefreshMonitors();
    return int(monitors_.size());
}

TMonitor* TScreen::Monitors(int index) {
    if (monitors_.empty()) RefreshMonitors();
    return monitors_.at(size_t(index));
}

TMonitor* TScreen::FindMonitor(HMONITOR handle) {
    for (int pass = 0; pass < 2; ++pass) {
        for (TMonitor* m : monitors_)
            if (m->handle_ == handle) return m;
        RefreshMonitors();
    }
    return monitors_.empty() ? nullptr : monitors_.front();
}

TMonitor* TScreen::MonitorFromPoint(TPoint p) { return FindMonitor(::MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST)); }

TMonitor* TScreen::MonitorFromWindow(HWND window) {
    return FindMonitor(::MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST));
}

void TScreen::AddForm(TCustomForm* form) {
    if (std::find(forms_.begin(), forms_.end(), form) == forms_.end()) forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
    if (activeForm_ == form) SetActiveForm(nullptr);
    if (activeControl_ && activeControl_->GetParentForm() == form) activeControl_ = nullptr;
}

void TScreen::SetActiveForm(TCustomForm* form) {
    if (activeForm_ == form) return;
    activeForm_ = form;
    if (form) {
        // The active form comes first in the list, as the most recent one.
        forms_.erase(std::remove(forms_.begin(), forms_.end(), form), forms_.end());
        forms_.insert(forms_.begin(), form);
    }
    if (OnActiveFormChange) OnActiveFormChange(this);
}

void TScreen::SetActiveControl(TWinControl* control) {
    if (activeControl_ == control) return;
    activeControl_ = control;
    if (OnActiveControlChange) OnActiveControlChange(this);
}

void TScreen::ControlDestroyed(TControl* control) {
    if (activeControl_ == control) SetActiveControl(nullptr);
}
