#include "Canvas.h"

#include <vector>

#include "Bitmap.h"
#include "Graphic.h"

TCanvas::TCanvas() : font_(new TFont), brush_(new TBrush), pen_(new TPen) {
    InitializeCriticalSection(&lock_);
    font_->OnChange = MakeEvent(this, &TCanvas::FontChanged);
    brush_->OnChange = MakeEvent(this, &TCanvas::BrushChanged);
    pen_->OnChange = MakeEvent(this, &TCanvas::PenChanged);
}

TCanvas::~TCanvas() {
    SetHandle(nullptr);
    delete font_;
    delete brush_;
    delete pen_;
    DeleteCriticalSection(&lock_);
}

// --- handle

HDC TCanvas::Handle() {
    if (!handle_) CreateHandle();
    if (!handle_) throw EInvalidOperation(L"Canvas does not allow drawing");
    return handle_;
}

void TCanvas::SetHandle(HDC value, bool owned) {
    if (value == handle_) {
        owned_ = owned;
        return;
    }
    if (handle_) {
        DeselectHandles();
        penPos_ = PenPos();
        if (owned_) DeleteDC(handle_);
        handle_ = nullptr;
        state_ = 0;
    }
    handle_ = value;
    owned_ = value && owned;
    if (handle_) {
        state_ = csHandleValid;
        MoveToEx(handle_, penPos_.x, penPos_.y, nullptr);
    }
}

void TCanvas::FreeHandle() { SetHandle(nullptr); }

void TCanvas::Refresh() { DeselectHandles(); }

void TCanvas::DeselectHandles() {
    if (!handle_) return;
    if (state_ & csFontValid) SelectObject(handle_, oldFont_);
    if (state_ & csPenValid) SelectObject(handle_, oldPen_);
    if (state_ & csBrushValid) SelectObject(handle_, oldBrush_);
    state_ &= Byte(~(csFontValid | csPenValid | csBrushValid));
}

void TCanvas::RequiredState(Byte required) {
    Byte missing = Byte(required & ~state_);
    if (!missing) return;
    if (missing & csHandleValid) Handle();
    if (missing & csFontValid) {
        HGDIOBJ old = SelectObject(handle_, font_->Handle());
        oldFont_ = old;
        SetTextColor(handle_, ColorToRGB(font_->Color()) & 0xFFFFFF);
        state_ |= csFontValid;
    }
    if (missing & csPenValid) {
        oldPen_ = SelectObject(handle_, pen_->Handle());
        SetROP2(handle_, pen_->Rop2());
        state_ |= csPenValid;
    }
    if (missing & csBrushValid) {
        UnrealizeObject(brush_->Handle());
        oldBrush_ = SelectObject(handle_, brush_->Handle());
        COLORREF color = ColorToRGB(brush_->Color()) & 0xFFFFFF;
        if (brush_->Style() == bsSolid) {
            SetBkColor(handle_, color);
            SetBkMode(handle_, OPAQUE);
        } else {
            SetBkColor(handle_, ~color & 0xFFFFFF);
            SetBkMode(handle_, TRANSPARENT);
        }
        state_ |= csBrushValid;
    }
}

// The tools drop their handles when they change; the canvas selects the originals back so that
// GDI can delete them, and selects the new handles at the next drawing operation.
void TCanvas::FontChanged(TObject*) {
    if (handle_ && (state_ & csFontValid)) {
        SelectObject(handle_, oldFont_);
        state_ &= Byte(~csFontValid);
    }
}

void TCanvas::PenChanged(TObject*) {
    if (handle_ && (state_ & csPenValid)) {
        SelectObject(handle_, oldPen_);
        state_ &= Byte(~csPenValid);
    }
}

void TCanvas::BrushChanged(TObject*) {
    if (handle_ && (state_ & csBrushValid)) {
        SelectObject(handle_, oldBrush_);
        state_ &= Byte(~csBrushValid);
    }
}

void TCanvas::Changing() {
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed() {
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos() {
    if (handle_) GetCurrentPositionEx(handle_, &penPos_);
    return penPos_;
}

TRect TCanvas::ClipRect() {
    RequiredState(csHandleValid);
    TRect r{};
    GetClipBox(handle_, &r);
    return r;
}

// --- drawing

void TCanvas::MoveTo(int x, int y) {
    RequiredState(csHandleValid);
    MoveToEx(handle_, x, y, nullptr);
}

void TCanvas::LineTo(int x, int y) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::LineTo(handle_, x, y);
    Changed();
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polyline(handle_, points.data(), int(points.size()));
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Polygon(handle_, points.data(), int(points.size()));
    Changed();
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Rectangle(handle_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int cornerWidth, int cornerHeight) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::RoundRect(handle_, x1, y1, x2, y2, cornerWidth, cornerHeight);
    Changed();
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
    Changing();
    RequiredState(csHandleValid | csPenValid | csBrushValid);
    ::Ellipse(handle_, x1, y1, x2, y2);
    Changed();
}

void TCanvas::FillRect(const TRect& r) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    if (brush_->Style() != bsClear || brush_->Bitmap()) ::FillRect(handle_, &r, brush_->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& r) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::FrameRect(handle_, &r, brush_->Handle());
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& r) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    ::DrawFocusRect(handle_, &r);
    Changed();
}

TColor TCanvas::Pixels(int x, int y) {
    RequiredState(csHandleValid);
    COLORREF c = GetPixel(handle_, x, y);
    return c == CLR_INVALID ? clNone : TColor(c);
}

void TCanvas::SetPixels(int x, int y, TColor color) {
    Changing();
    RequiredState(csHandleValid | csPenValid);
    SetPixel(handle_, x, y, ColorToRGB(color) & 0xFFFFFF);
    Changed();
}

// --- text

void TCanvas::TextOut(int x, int y, const String& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    ExtTextOutW(handle_, x, y, 0, nullptr, text.c_str(), UINT(text.size()), nullptr);
    MoveToEx(handle_, x + TextWidth(text), y, nullptr);
    Changed();
}

void TCanvas::TextRect(const TRect& r, int x, int y, const String& text) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    UINT options = ETO_CLIPPED;
    if (brush_->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOutW(handle_, x, y, options, &r, text.c_str(), UINT(text.size()), nullptr);
    Changed();
}

int TCanvas::TextRect(TRect& r, const String& text, UINT format) {
    Changing();
    RequiredState(csHandleValid | csFontValid | csBrushValid);
    int height = DrawTextW(handle_, text.c_str(), int(text.size()), &r, format);
    Changed();
    return height;
}

TSize TCanvas::TextExtent(const String& text) {
    RequiredState(csHandleValid | csFontValid);
    TSize size{0, 0};
    GetTextExtentPoint32W(handle_, text.c_str(), int(text.size()), &size);
    return size;
}

// --- pictures and copies

void TCanvas::Draw(int x, int y, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    StretchDraw(Bounds(x, y, graphic->Width(), graphic->Height()), graphic);
}

void TCanvas::StretchDraw(const TRect& r, TGraphic* graphic) {
    if (!graphic || graphic->Empty()) return;
    Changing();
    RequiredState(csHandleValid);
    graphic->Draw(this, r);
    Changed();
}

void TCanvas::CopyRect(const TRect& dest, TCanvas* source, const TRect& sourceRect) {
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    HDC src = source->Handle();
    int oldMode = SetStretchBltMode(handle_, COLORONCOLOR);
    StretchBlt(handle_, dest.left, dest.top, RectWidth(dest), RectHeight(dest), src, sourceRect.left, sourceRect.top,
               RectWidth(sourceRect), RectHeight(sourceRect), copyMode_);
    SetStretchBltMode(handle_, oldMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& dest, TBitmap* bitmap, const TRect& sourceRect, TColor color) {
    if (!bitmap || bitmap->Empty()) return;
    const int w = RectWidth(dest), h = RectHeight(dest);
    if (w <= 0 || h <= 0) return;
    Changing();
    RequiredState(csHandleValid | csBrushValid);
    HDC src = bitmap->Canvas()->Handle();
    HDC work = CreateCompatibleDC(handle_);
    HBITMAP workBitmap = CreateCompatibleBitmap(handle_, w, h);
    HGDIOBJ oldWork = SelectObject(work, workBitmap);
    HDC maskDC = CreateCompatibleDC(handle_);
    HBITMAP mask = CreateBitmap(w, h, 1, 1, nullptr);
    HGDIOBJ oldMask = SelectObject(maskDC, mask);

    SetStretchBltMode(work, COLORONCOLOR);
    StretchBlt(work, 0, 0, w, h, src, sourceRect.left, sourceRect.top, RectWidth(sourceRect), RectHeight(sourceRect),
               SRCCOPY);
    // Pixels of the key colour become 1 in the mask.
    COLORREF oldBk = SetBkColor(work, ColorToRGB(color) & 0xFFFFFF);
    BitBlt(maskDC, 0, 0, w, h, work, 0, 0, SRCCOPY);
    SetBkColor(work, oldBk);

    BitBlt(handle_, dest.left, dest.top, w, h, work, 0, 0, SRCCOPY);
    // Where the mask is 1, paint the brush: ((D xor P) and S) xor D, the mask mapped to white.
    COLORREF oldText = SetTextColor(handle_, RGB(0, 0, 0));
    oldBk = SetBkColor(handle_, RGB(255, 255, 255));
    BitBlt(handle_, dest.left, dest.top, w, h, maskDC, 0, 0, 0x00E20746);
    SetTextColor(handle_, oldText);
    SetBkColor(handle_, oldBk);

    SelectObject(maskDC, oldMask);
    DeleteObject(mask);
    DeleteDC(maskDC);
    SelectObject(work, oldWork);
    DeleteObject(workBitmap);
    DeleteDC(work);
    Changed();
}

// --- locking

void TCanvas::Lock() {
    EnterCriticalSection(&lock_);
    ++lockCount_;
}

void TCanvas::Unlock() {
    --lockCount_;
    LeaveCriticalSection(&lock_);
}

bool TCanvas::TryLock() {
    if (!TryEnterCriticalSection(&lock_)) return false;
    ++lockCount_;
    return true;
}
