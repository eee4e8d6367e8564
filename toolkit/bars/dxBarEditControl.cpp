// Sections: TdxBarWinControl (window procedure, text, focus, keys, messages, mouse) ·
// TdxBarCustomEditControl (layout and drawing) · TdxBarEditControl (the EDIT window).

#include "dxBarEditControl.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "Control.h"
#include "Form.h"
#include "cxGraphics.h"
#include "cxObjectLinks.h"
#include "dxBarAccessibility.h"
#include "dxBarEdit.h"
#include "dxBarItemControlDrawParams.h"
#include "dxBarItemLinks.h"
#include "dxBarManager.h"
#include "dxBarPainter.h"
#include "dxBarUnit.h"
#include "dxBarWindowHelpers.h"
#include "dxCustomBarControl.h"

namespace {

TPoint MouseMessagePoint(const TMessage& message) {
    return TPoint{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
}

// Maps a point between two windows' client areas.
TPoint MapPoint(HWND from, HWND to, TPoint p) {
    POINT point{p.x, p.y};
    MapWindowPoints(from, to, &point, 1);
    return TPoint{point.x, point.y};
}

bool IsMouseButtonMessage(UINT msg) { return msg >= WM_LBUTTONDOWN && msg <= WM_MOUSEWHEEL; }

// The wheel's point is in screen coordinates; the others in the window's client area.
TPoint MessagePointInBar(const TMessage& message, HWND window, HWND bar) {
    TPoint p = MouseMessagePoint(message);
    return MapPoint(message.Msg == WM_MOUSEWHEEL ? nullptr : window, bar, p);
}

}  // namespace

// ---- TdxBarWinControl: the window and its text ------------------------------------------------

const TcxAccessibilityHelperMeta* TdxBarWinControl::GetAccessHelperClass() const {
    return TdxBarWinControlAccessibilityHelper::StaticClass();
}

TdxBarWinControl::~TdxBarWinControl() { subclass_.Release(); }

bool TdxBarWinControl::EditWindowVisible() const {
    HWND window = GetEditHandle();
    return window && IsWindowVisible(window);
}

void TdxBarWinControl::HookEditWindow() {
    HWND window = GetEditHandle();
    if (window) subclass_.Attach(window, MakeEvent(this, &TdxBarWinControl::SubclassProc));
}

void TdxBarWinControl::UnhookEditWindow(bool /*destroyWindow*/) {
    if (!GetEditHandle()) return;
    ChangeFocused(false);
    subclass_.Release();
}

void TdxBarWinControl::ReadEditText(String& text) const {
    text.clear();
    HWND window = GetEditHandle();
    if (!window) return;
    // The whole text: the window accepts the item's MaxLength, which may pass any fixed buffer.
    int length = int(SendMessageW(window, WM_GETTEXTLENGTH, 0, 0));
    if (length <= 0) return;
    std::vector<wchar_t> buffer(size_t(length) + 1);
    int read = int(SendMessageW(window, WM_GETTEXT, WPARAM(buffer.size()), LPARAM(buffer.data())));
    text.assign(buffer.data(), size_t(std::max(0, read)));
}

void TdxBarWinControl::WriteEditText(const String& text) {
    if (HWND window = GetEditHandle()) SetWindowTextW(window, text.c_str());
    if (!ItemShowsEditor()) RepaintControl();
}

void TdxBarWinControl::LoadTextFromItem() {
    auto* item = As<TdxBarWindowItem>(Item());
    WriteEditText(item ? item->GetText() : String());
}

void TdxBarWinControl::StoreTextToItem() {
    auto* item = As<TdxBarWindowItem>(Item());
    if (!item || !GetEditHandle()) return;
    String text;
    ReadEditText(text);
    item->SetText(text);
}

TRect TdxBarWinControl::GetWindowRect() const {
    if (!IsEnabled() || !ItemShowsEditor()) return TRect{};
    return windowRect_;
}

void TdxBarWinControl::SetWindowRect(const TRect& r) {
    windowRect_ = r;
    HWND window = GetEditHandle();
    if (!window || !IsWindowVisible(window) || !BarControl()) return;
    RECT now{};
    ::GetWindowRect(window, &now);
    MapWindowPoints(nullptr, BarControl()->WindowHandle(), reinterpret_cast<POINT*>(&now), 2);
    if (EqualRect(&now, &r)) return;
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateEditRect();
}

// ---- TdxBarWinControl: focus --------------------------------------------------------------------

void TdxBarWinControl::ChangeFocused(bool value) {
    if (focused_ == value) return;
    focused_ = value;
    TdxBarManager* manager = GetManager();
    if (value) {
        cancelling_ = false;
        savedFocus_ = GetFocus();
        TcxObjectLinkGuard self(this);
        if (!IsActive()) ControlActivate(true);
        if (!self.Alive()) return;
        if (BarControl() && BarControl()->GetSelectedControl() == this) BarControl()->EnsureItemVisible(this);
        ShowEditWindow();
        return;
    }
    bool escape = (GetAsyncKeyState(VK_ESCAPE) & 0x8000) && !(GetAsyncKeyState(VK_CONTROL) & 0x8000) &&
                  !(GetAsyncKeyState(VK_MENU) & 0x8000);
    bool store = manager && manager->AlwaysSaveText() && !escape && !cancelling_;
    cancelling_ = false;
    // Only a focus still inside the editor is given back: a click elsewhere keeps its window.
    HWND window = GetEditHandle(), focus = GetFocus();
    bool focusInside = !focusLeaving_ && window && focus && (focus == window || IsChild(window, focus));
    TcxObjectLinkGuard self(this);
    HideEditWindow(store);
    if (!self.Alive()) return;
    if (!focusInside || !manager || manager->IsDestroying()) {
        savedFocus_ = nullptr;
        return;
    }
    RestoreFocus();
}

void TdxBarWinControl::RestoreFocus() {
    HWND saved = savedFocus_;
    savedFocus_ = nullptr;
    HWND window = GetEditHandle();
    if (saved && saved != window && IsWindow(saved) && IsWindowVisible(saved)) {
        SetFocus(saved);
        return;
    }
    TdxBarManager* manager = GetManager();
    auto* owner = manager ? As<TWinControl>(manager->GetManagerOwner()) : nullptr;
    if (owner && owner->HandleAllocated() && owner->CanFocus()) {
        SetFocus(owner->Handle());
        return;
    }
    if (BarControl() && BarControl()->HandleAllocated())
        if (HWND next = GetWindow(BarControl()->Handle(), GW_HWNDNEXT)) SetFocus(next);
}

void TdxBarWinControl::ControlInactivate(bool immediately) {
    TcxObjectLinkGuard self(this);
    TdxBarItemControl::ControlInactivate(immediately);
    if (self.Alive()) ChangeFocused(false);
}

void TdxBarWinControl::EnabledChanged() {
    ChangeFocused(false);
    TdxBarItemControl::EnabledChanged();
}

void TdxBarWinControl::ReleaseWindows() { UnhookEditWindow(true); }

// ---- TdxBarWinControl: clicks and the mouse -----------------------------------------------------

void TdxBarWinControl::ControlPress(bool byMouse, bool extra) {
    TcxObjectLinkGuard self(this);
    ChangeFocused(true);
    if (!self.Alive()) return;
    TdxBarItemControl::ControlPress(byMouse, extra);
    if (self.Alive()) UpdateHotFromCursor(byMouse);
}

bool TdxBarWinControl::AcceptsMouse() const {
    if (!TdxBarItemControl::AcceptsMouse()) return false;
    if (!BarControl() || BarControl()->IsCustomizing() || GetPaintKind() == 1) return true;
    return HotPart() != 1 && HotPart() != 2;
}

bool TdxBarWinControl::IsClickable() const { return BarControl() && BarControl()->IsRotated(); }

bool TdxBarWinControl::ContainsWindow(HWND window) const {
    if (!window) return false;
    if (TdxBarItemControl::ContainsWindow(window)) return true;
    HWND own = GetEditHandle();
    return own && (window == own || IsChild(own, window));
}

void TdxBarWinControl::UpdateHotFromCursor(bool byMouse) {
    HWND window = GetEditHandle();
    if (!byMouse || !window || !BarControl() || !BarControl()->HandleAllocated()) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    TPoint inBar = MapPoint(nullptr, BarControl()->Handle(), TPoint{cursor.x, cursor.y});
    TRect r = GetWindowRect();
    if (PtInRect(&r, inBar)) return;
    // A press on the caption or the glyph (or a combo's button) reaches the window too, which
    // lets the window's handling see where it was pressed.
    TPoint inWindow = MapPoint(nullptr, window, TPoint{cursor.x, cursor.y});
    WPARAM keys = MK_LBUTTON;
    if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
    SendMessageW(window, WM_LBUTTONDOWN, keys, MAKELPARAM(inWindow.x, inWindow.y));
}

// ---- TdxBarWinControl: keys ---------------------------------------------------------------------

void TdxBarWinControl::KeyDown(Word& key, TShiftState shift) {
    if (key == VK_F10 || key == VK_MENU || shift.Contains(ssAlt)) {
        bool chord = key != VK_MENU && shift.Contains(ssAlt);
        TcxObjectLinkGuard self(this);
        HandleKeyDown(key, shift);
        // Alt used with another key is a chord: its release closes nothing.
        if (chord && self.Alive()) keyPressedInside_ = 0;
        return;
    }
    auto* item = As<TdxBarWindowItem>(Item());
    TcxObjectLinkGuard self(this);
    HWND window = GetEditHandle();
    if (item) item->DoKeyDown(key, shift);
    // A handler that freed the control or its window drops the key.
    if (!self.Alive() || (window && !IsWindow(window))) {
        key = 0;
        return;
    }
    switch (key) {
        case VK_TAB: TabOut(); break;
        case VK_RETURN: AcceptEdit(); break;
        case VK_ESCAPE: CancelEdit(); break;
        default: return;
    }
    key = 0;
}

void TdxBarWinControl::KeyUp(Word& key, TShiftState shift) {
    if (key == VK_MENU || shift.Contains(ssAlt)) {
        HandleKeyUp(key);
        return;
    }
    if (auto* item = As<TdxBarWindowItem>(Item())) item->DoKeyUp(key, shift);
}

void TdxBarWinControl::KeyPress(wchar_t& key) {
    if (auto* item = As<TdxBarWindowItem>(Item())) item->DoKeyPress(key);
}

bool TdxBarWinControl::HandleKeyDown(Word& key, TShiftState shift) {
    ++keyPressedInside_;
    if (key == VK_MENU) {
        key = 0;
        return true;
    }
    if (key == VK_F10) {
        keyPressedInside_ = 0;
        // Hook (message hooks): without Shift, F10 goes to the manager's keyboard hook.
        if (shift.Contains(ssShift)) key = 0;
        HideBarMenuChain();
        return true;
    }
    return false;
}

void TdxBarWinControl::HandleKeyUp(Word& key) {
    if (keyPressedInside_ == 0) {
        key = 0;
        return;
    }
    keyPressedInside_ = 0;
    // Hook (message hooks): the release is passed to the manager's keyboard hook.
    if (key == VK_MENU) HideBarMenuChain();
}

void TdxBarWinControl::HideBarMenuChain() {
    TcxObjectLinkGuard self(this);
    if (TCustomdxBarControl* bar = BarControl()) bar->HideMenuChain();
    // A bar window that does not inactivate its controls on closing still ends the editing.
    if (self.Alive() && Focused()) ControlInactivate(true);
}

void TdxBarWinControl::ClearBarSelection() {
    TcxObjectLinkGuard self(this);
    TCustomdxBarControl* bar = BarControl();
    if (bar && bar->GetSelectedControl() == this) bar->SetSelControl(nullptr);
    // The selection may have ended the editing already.
    (void)self;
}

void TdxBarWinControl::TabOut() {
    TcxObjectLinkGuard self(this);
    HWND window = GetEditHandle();
    StoreTextToItem();
    if (!self.Alive()) return;
    if (window && IsWindowVisible(window)) DropPendingCharMessages(window);
}

void TdxBarWinControl::AcceptEdit() {
    TcxObjectLinkGuard self(this);
    HWND window = GetEditHandle();
    if (TdxBarItemLink* link = Link()) link->GetSourceLink()->MarkUsed(true);
    StoreTextToItem();
    if (!self.Alive()) return;
    if (window && IsWindowVisible(window)) {
        ClearBarSelection();
        if (!self.Alive()) return;
        DropPendingCharMessages(window);
        HideBarMenuChain();
    }
}

void TdxBarWinControl::CancelEdit() {
    HWND window = GetEditHandle();
    TcxObjectLinkGuard self(this);
    // Leaving the editor now never stores its text.
    cancelling_ = true;
    ClearBarSelection();
    if (!self.Alive()) return;
    if (window && IsWindow(window)) DropPendingCharMessages(window);
    // Hook (bar window Escape handling): a menu closes one level.
    if (Focused()) ControlInactivate(true);
    if (self.Alive()) cancelling_ = false;
}

// ---- TdxBarWinControl: the window's messages ----------------------------------------------------

void TdxBarWinControl::SubclassProc(TMessage& message) { HandleEditMessage(message); }

void TdxBarWinControl::HandleEditMessage(TMessage& message) {
    TcxObjectLinkGuard self(this);
    auto* item = As<TdxBarWindowItem>(Item());
    switch (message.Msg) {
        case WM_SETFOCUS:
            if (item) item->DoEnter();
            if (self.Alive()) CallDefault(message);
            return;
        case WM_KILLFOCUS: {
            HWND newFocus = HWND(message.WParam);
            struct TExitLast {
                TcxObjectLinkGuard& self;
                TdxBarWindowItem* item;
                ~TExitLast() {
                    if (self.Alive() && item) item->DoExit();
                }
            } exitLast{self, item};
            EditKillFocus(newFocus);
            if (!self.Alive()) return;
            CallDefault(message);
            // The focus went elsewhere while editing: the editor ends as when the chain closes.
            if (focused_ && !ContainsWindow(newFocus)) {
                focusLeaving_ = true;
                ChangeFocused(false);
                if (self.Alive()) focusLeaving_ = false;
            }
            return;
        }
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN: {
            Word key = Word(message.WParam);
            KeyDown(key, KeyDataToShiftState(message.LParam));
            if (!self.Alive() || key == 0) return;
            message.WParam = key;
            break;
        }
        case WM_KEYUP:
        case WM_SYSKEYUP: {
            Word key = Word(message.WParam);
            KeyUp(key, KeyDataToShiftState(message.LParam));
            if (!self.Alive() || key == 0) return;
            message.WParam = key;
            break;
        }
        case WM_CHAR: {
            wchar_t key = wchar_t(message.WParam);
            KeyPress(key);
            if (!self.Alive() || key == 0) return;
            message.WParam = key;
            break;
        }
        case WM_COMMAND:
            if (HIWORD(message.WParam) == EN_CHANGE) {
                if (!focusing_ && item) item->CurChange();
                return;
            }
            break;
        case WM_DESTROY:
            ChangeFocused(false);
            if (!self.Alive()) return;
            CallDefault(message);
            if (self.Alive()) {
                subclass_.Release();
                ForgetEditHandle();
            }
            return;
        default:
            if (IsMouseButtonMessage(message.Msg) && !HandleMouseMessage(message)) return;
            break;
    }
    if (self.Alive()) CallDefault(message);
}

bool TdxBarWinControl::HandleMouseMessage(TMessage& message) {
    HWND window = GetEditHandle();
    TCustomdxBarControl* bar = BarControl();
    if (!bar || !bar->HandleAllocated()) return true;
    TPoint inBar = MessagePointInBar(message, window, bar->Handle());
    if (message.Msg == WM_RBUTTONDOWN) {
        // The bar window shows its context menu.
        SendMessageW(bar->Handle(), message.Msg, message.WParam, MAKELPARAM(inBar.x, inBar.y));
        return false;
    }
    if (GetCapture() == window) return true;
    TRect r = GetWindowRect();
    if (PtInRect(&r, inBar)) return true;
    // Inside the control but off the edit box (its caption or glyph): not the window's.
    TRect bounds = GetBounds();
    return !PtInRect(&bounds, inBar);
}

// ---- TdxBarCustomEditControl --------------------------------------------------------------------

TdxBarCustomEditControl::~TdxBarCustomEditControl() {
    if (editBrush_) DeleteObject(editBrush_);
}

IdxBarPaintedWindow* TdxBarCustomEditControl::PaintedWindow() const {
    return BarControl() ? BarControl()->PaintedWindow() : nullptr;
}

bool TdxBarCustomEditControl::ShowsCaption() const {
    if (GetPaintKind() == 1) return true;
    TdxBarItem* item = Item();
    return item && item->ShowCaption();
}

Byte TdxBarCustomEditControl::GetViewStructure() const {
    Byte structure = ShowsCaption() ? 2 : 0;
    TdxBarPainter* painter = GetPainter();
    auto* self = const_cast<TdxBarCustomEditControl*>(this);
    if (painter && painter->ShowsEditGlyph() && self->HasImageAt(GetDisplaySize())) structure |= 1;
    return structure;
}

TdxBarItemViewLevels TdxBarCustomEditControl::GetPossibleViewLevels() const {
    return TdxBarItemControl::GetPossibleViewLevels() + ivlControlOnly;
}

int TdxBarCustomEditControl::GetEditWidth() const {
    TdxBarItemLink* link = Link();
    if (link && link->UserDefine().Contains(udWidth)) return link->UserWidth();
    TdxBarItem* item = Item();
    return item ? item->GetWidth() : 0;
}

int TdxBarCustomEditControl::CalcCaptionWidth() {
    if (!(GetViewLevelStyle() & 2)) return 0;
    TdxBarPainter* painter = GetPainter();
    TRect margins{};
    if (painter) painter->GetEditPartMargins(DrawParams(), 2, margins);
    int extent = MeasureText(Link() ? Link()->GetEffectiveCaption() : String()).cx;
    return extent + (extent != 0 ? margins.right : 0) + margins.left;
}

int TdxBarCustomEditControl::GetGlyphAreaWidth() {
    if (!(GetViewLevelStyle() & 1)) return 0;
    // The glyph with its margins on both sides.
    TRect margins{};
    if (TdxBarPainter* painter = GetPainter()) painter->GetGlyphMargins(margins);
    return CalcGlyphSize(GetViewSize()).cx + 2 * margins.left;
}

TRect TdxBarCustomEditControl::CalcEditRect() {
    TRect bounds = GetBounds();
    if (IsRectEmpty(&bounds)) return TRect{};
    TRect r = bounds;
    TdxBarItem* item = Item();
    bool clientAligned = item && item->Align() == iaClient && BarControl() &&
                         !(BarControl()->GetBehaviorOptions() & bcboClientAlignFullWidth);
    if (clientAligned) {
        r.left = r.right - GetEditWidth();
    } else {
        r.left = bounds.left + CalcCaptionWidth() + GetGlyphAreaWidth();
        r.right = r.left + GetEditWidth();
    }
    return r;
}

TFont* TdxBarCustomEditControl::GetEditFont() const {
    TdxBarItem* item = Item();
    if (item && item->GetStyleCount() > 1)
        if (TFont* font = item->GetStyleValues(1).Font) return font;
    return BarControl() ? BarControl()->GetEditFont() : nullptr;
}

HBRUSH TdxBarCustomEditControl::GetEditBkBrush() {
    TdxBarPainter* painter = GetPainter();
    TColor color = painter ? painter->GetEditBackColor(DrawParams()) : clWindow;
    if (!editBrush_ || color != editBrushColor_) {
        if (editBrush_) DeleteObject(editBrush_);
        editBrush_ = CreateSolidBrush(ColorToRGB(color));
        editBrushColor_ = color;
    }
    return editBrush_;
}

void TdxBarCustomEditControl::CalcParts() {
    TdxBarItemControl::CalcParts();
    editParts_.fill(TRect{});
    CalcEditParts(editParts_.data());
}

void TdxBarCustomEditControl::CalcEditParts(TRect* parts) {
    if (TdxBarPainter* painter = GetPainter()) painter->CalcEditLayout(DrawParams(), parts, 2, GetBounds());
}

int TdxBarCustomEditControl::HitTestPart(const TPoint& p) {
    const TRect bounds = GetBounds();
    if (!PtInRect(&bounds, p)) return -1;
    for (int i = 0; i < EditPartCount; ++i)
        if (PtInRect(&editParts_[size_t(i)], p)) return i;
    return 100;
}

int TdxBarCustomEditControl::HitTestEditMessage(const TMessage& message) {
    HWND window = GetEditHandle();
    TCustomdxBarControl* bar = BarControl();
    if (!window || !bar || !bar->HandleAllocated()) return -1;
    return HitTestPart(MessagePointInBar(message, window, bar->Handle()));
}

int TdxBarCustomEditControl::CalcWidth() { return CalcCaptionWidth() + GetGlyphAreaWidth() + GetEditWidth(); }

int TdxBarCustomEditControl::CalcHeight() {
    int height = BarControl() ? BarControl()->EditTextSize() : 0;
    if (ShowsCaption() && BarControl()) height = std::max(height, BarControl()->GetItemTextSize(this));
    return height;
}

int TdxBarCustomEditControl::CalcMinWidth() const {
    auto* self = const_cast<TdxBarCustomEditControl*>(this);
    return self->CalcCaptionWidth() + GetMinEditWidth();
}

void TdxBarCustomEditControl::DrawContent(const TRect& r, Byte /*paintKind*/) {
    CalcParts();
    if (TdxBarPainter* painter = GetPainter()) painter->DrawEditControl(DrawParams(), r);
}

void TdxBarCustomEditControl::DrawEditFrame() {
    TdxBarPainter* painter = GetPainter();
    if (!painter) return;
    TRect frame = CalcEditRect();
    AdjustDropDownButtonWidth(frame);
    painter->DrawEditBoxFrame(DrawParams(), frame);
}

bool TdxBarCustomEditControl::GetEditingText(String& text) const {
    if (!Focused() || !GetEditHandle()) return false;
    ReadEditText(text);
    return true;
}

// ---- TdxBarEditControl --------------------------------------------------------------------------

TdxBarEditControl::~TdxBarEditControl() {
    // The focus goes back and the window goes while the control is still whole.
    TdxBarEditControl::UnhookEditWindow(true);
}

TdxBarEdit* TdxBarEditControl::GetEditItem() const { return As<TdxBarEdit>(Item()); }

void TdxBarEditControl::AfterCreate() {
    TdxBarCustomEditControl::AfterCreate();
    if (BarControl() && BarControl()->HandleAllocated()) HookEditWindow();
}

void TdxBarEditControl::CreateEditHandle() {
    if (editHandle_ || !BarControl() || !BarControl()->HandleAllocated()) return;
    editHandle_ = CreateWindowExW(0, L"EDIT", L"", GetEditStyle(), 0, 0, 100, 100, BarControl()->Handle(), nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
    if (!editHandle_) return;
    SetFocusing(true);
    LoadTextFromItem();
    SetFocusing(false);
    TdxBarEdit* item = GetEditItem();
    SendMessageW(editHandle_, EM_LIMITTEXT, item ? WPARAM(item->MaxLength()) : 0, 0);
}

void TdxBarEditControl::DestroyEditHandle(bool destroyWindow) {
    HWND window = editHandle_;
    editHandle_ = nullptr;
    if (destroyWindow && window && IsWindow(window)) DestroyWindow(window);
}

void TdxBarEditControl::HookEditWindow() {
    CreateEditHandle();
    TdxBarCustomEditControl::HookEditWindow();
}

void TdxBarEditControl::UnhookEditWindow(bool destroyWindow) {
    TdxBarCustomEditControl::UnhookEditWindow(destroyWindow);
    DestroyEditHandle(destroyWindow);
}

void TdxBarEditControl::HideEditWindow(bool storeText) {
    if (editHandle_) ShowWindow(editHandle_, SW_HIDE);
    if (storeText) StoreTextToItem();
}

void TdxBarEditControl::UpdateEditRect() {
    if (!editHandle_) return;
    TRect r = GetWindowRect();
    OffsetRect(&r, -r.left, -r.top);
    if (TdxBarPainter* painter = GetPainter()) painter->AdjustEditTextRect(this, r);
    SendMessageW(editHandle_, EM_SETRECTNP, 0, LPARAM(&r));
}

bool TdxBarEditControl::DrawsText() const { return !(Focused() && IsEnabled()); }

void TdxBarEditControl::ChangeFocused(bool value) {
    if (Focused() == value) return;
    if (value) {
        HookEditWindow();  // a bar window made after the control gives its window now
        if (!editHandle_) return;
        TdxBarEdit* item = GetEditItem();
        bool readOnly = !ItemShowsEditor() || (item && item->ReadOnly());
        SendMessageW(editHandle_, EM_SETREADONLY, readOnly, 0);
    }
    TcxObjectLinkGuard self(this);
    TdxBarCustomEditControl::ChangeFocused(value);
    if (self.Alive()) RepaintControl();
}

void TdxBarEditControl::ShowEditWindow() {
    Recalculate();
    CalcDrawParams(true);
    SetWindowRect(EditPart(0));
    if (!editHandle_) return;
    if (TFont* font = GetEditFont()) SendMessageW(editHandle_, WM_SETFONT, WPARAM(font->Handle()), 0);
    TRect r = GetWindowRect();
    SetWindowPos(editHandle_, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    UpdateEditRect();
    SetFocusing(true);
    LoadTextFromItem();
    SetFocusing(false);
    SetFocus(editHandle_);
}

void TdxBarEditControl::WriteEditText(const String& text) {
    if (!editHandle_) return;
    String old;
    ReadEditText(old);
    SetWindowTextW(editHandle_, text.c_str());
    if (!ItemShowsEditor()) RepaintControl();
    if (TdxBarPainter* painter = GetPainter()) painter->SelectEditText(this, editHandle_, old != text);
}

void TdxBarEditControl::ControlPress(bool byMouse, bool extra) {
    TcxObjectLinkGuard self(this);
    TdxBarCustomEditControl::ControlPress(byMouse, extra);
    if (self.Alive() && Focused() && editHandle_) SendMessageW(editHandle_, EM_SETSEL, 0, -1);
}

void TdxBarEditControl::DrawEditContent() {
    if (IsEnabled()) SetWindowRect(EditPart(0));
    if (!DrawsText()) return;
    TdxBarPainter* painter = GetPainter();
    TcxCanvas* canvas = GetDrawCanvas();
    if (painter && canvas) painter->FillEditArea(this, canvas, EditPart(0));
}

void TdxBarEditControl::PaintEditText(TcxCanvas* canvas, const TRect& rect) {
    if (TdxBarPainter* painter = GetPainter()) painter->DrawEditText(this, Item(), canvas, rect, Link());
}
