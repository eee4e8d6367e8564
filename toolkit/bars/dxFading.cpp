#include "dxFading.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "cxGraphics.h"
#include "dxGDIPlusAPI.h"

namespace {
TdxFader* fader = nullptr;

int NormalFrames(int value, int fallback) { return value <= 0 ? fallback : std::min(value, 32); }
int NormalDelay(int value, int fallback) { return value < 10 ? fallback : std::min(value, 300); }

// Pixels with no alpha that are not black count as opaque: bitmaps drawn by GDI leave alpha 0.
TdxGPImage* ImageOfBitmap(TBitmap* bitmap) {
    TdxRGBColors pixels;
    GetBitmapPixels32(bitmap, pixels);
    for (RGBQUAD& p : pixels)
        if (p.rgbReserved == 0 && (p.rgbRed | p.rgbGreen | p.rgbBlue) != 0) p.rgbReserved = 255;
    return TdxGPImage::CreateFromBits(bitmap->Width(), bitmap->Height(), pixels, bitmap->PixelFormat() == pf32bit);
}
}  // namespace

// ---- TdxFadingElement ---------------------------------------------------------------------

TdxFadingElement::TdxFadingElement(TdxFader* owner, TObject* object, TDirection direction, TBitmap* normal,
                                   TBitmap* hot, int inFrames, int inDelay, int outFrames, int outDelay)
    : fader_(owner),
      object_(object),
      fadingObject_(dynamic_cast<IdxFadingObject*>(object)),
      direction_(direction),
      inFrames_(NormalFrames(inFrames, TdxFader::DefaultInFrames)),
      inDelay_(NormalDelay(inDelay, TdxFader::DefaultInDelay)),
      outFrames_(NormalFrames(outFrames, TdxFader::DefaultOutFrames)),
      outDelay_(NormalDelay(outDelay, TdxFader::DefaultOutDelay)) {
    normalImage_ = ImageOfBitmap(normal);
    hotImage_ = ImageOfBitmap(hot);
    ResetDivider();
}

// Freeing shows the end image, leaves the fader's list and lets the object go.
TdxFadingElement::~TdxFadingElement() {
    SetWorkImage((direction_ == fdIn ? hotImage_ : normalImage_)->CreateCopy());
    fader_->Remove(this);
    fadingObject_->FadingEnd();
    delete normalImage_;
    delete hotImage_;
    delete workImage_;
}

void TdxFadingElement::Start() {
    fadingObject_->FadingBegin(this);
    SetWorkImage((direction_ == fdIn ? normalImage_ : hotImage_)->CreateCopy());
}

void TdxFadingElement::ResetDivider() {
    divider_ = std::max(1, (direction_ == fdIn ? inDelay_ : outDelay_) / 10);
    counter_ = 0;
}

void TdxFadingElement::SetWorkImage(TdxGPImage* image) {
    delete workImage_;
    workImage_ = image;
    fadingObject_->FadingRepaint();
}

void TdxFadingElement::Step() {
    counter_ = (counter_ + 1) % divider_;
    if (counter_ != 0) return;
    int frames = direction_ == fdIn ? inFrames_ : outFrames_;
    if (stage_ >= frames) {
        delete this;
        return;
    }
    ++stage_;
    int alpha =
        direction_ == fdIn ? std::min(255, (256 / inFrames_) * stage_) : std::max(0, 255 - (256 / outFrames_) * stage_);
    SetWorkImage(normalImage_->BlendWith(hotImage_, Byte(alpha)));
}

void TdxFadingElement::Turn(TDirection direction) {
    if (direction == direction_) return;
    // The new stage shows about the same picture as the old one did.
    double stage = direction_ == fdIn ? (1.0 - double(stage_) / (inFrames_ + 1)) * outFrames_
                                      : (1.0 - double(stage_) / (outFrames_ + 1)) * inFrames_;
    stage_ = int(std::nearbyint(stage));  // ties to even
    direction_ = direction;
    ResetDivider();
}

bool TdxFadingElement::DrawImage(HDC dc, const TRect& rect) {
    if (!workImage_ || workImage_->Empty()) return false;
    workImage_->DrawToDC(dc, rect);
    return true;
}

bool TdxFadingElement::GetImage(TdxGPImage*& image) {
    image = workImage_;
    return image != nullptr;
}

// ---- TdxFader -----------------------------------------------------------------------------

TdxFader::TdxFader() {
    timer_ = new TTimer(nullptr);
    timer_->SetEnabled(false);
    timer_->SetInterval(10);
    timer_->SetOnTimer(MakeEvent(this, &TdxFader::TimerTick));
}

TdxFader::~TdxFader() {
    Clear();
    delete timer_;
}

bool TdxFader::IsFadingAvailable() const {
    bool allowed = false;
    if (mode_ == 0) {
        BOOL animation = FALSE;
        SystemParametersInfoW(SPI_GETMENUANIMATION, 0, &animation, 0);
        allowed = animation != FALSE;
    } else {
        allowed = mode_ == 1;
    }
    return allowed && GdiPlusUsable() && GetDeviceCaps(SharedScreenCanvas()->GetCanvasHandle(), BITSPIXEL) > 16;
}

TdxFadingElement* TdxFader::Find(TObject* object) const {
    for (TdxFadingElement* e : elements_)
        if (e->Object() == object) return e;
    return nullptr;
}

void TdxFader::Fade(TObject* object, TdxFadingElement::TDirection direction) {
    auto* fadingObject = dynamic_cast<IdxFadingObject*>(object);
    if (!IsFadingAvailable() || !fadingObject || !fadingObject->CanFade()) return;
    if (TdxFadingElement* running = Find(object)) {
        running->Turn(direction);
        return;
    }
    TBitmap* normal = nullptr;
    TBitmap* hot = nullptr;
    int inFrames = DefaultInFrames, inDelay = DefaultInDelay, outFrames = DefaultOutFrames, outDelay = DefaultOutDelay;
    fadingObject->GetFadingImages(normal, hot, inFrames, inDelay, outFrames, outDelay);
    std::unique_ptr<TBitmap> normalOwner(normal), hotOwner(hot);
    if (!normal || !hot || normal->Empty() || hot->Empty()) return;
    auto* element = new TdxFadingElement(this, object, direction, normal, hot, inFrames, inDelay, outFrames, outDelay);
    Add(element);
    element->Start();
    ApplyLimit();
}

void TdxFader::Add(TdxFadingElement* element) { elements_.push_back(element); }

void TdxFader::Remove(TdxFadingElement* element) {
    auto it = std::find(elements_.begin(), elements_.end(), element);
    if (it != elements_.end()) elements_.erase(it);
    ApplyLimit();
}

void TdxFader::ApplyLimit() {
    while (int(elements_.size()) > MaxElements) delete elements_.front();
    timer_->SetEnabled(!elements_.empty());
}

void TdxFader::StopFading(TObject* object, bool) { delete Find(object); }

void TdxFader::Clear() {
    while (!elements_.empty()) delete elements_.back();
}

void TdxFader::TimerTick(TObject*) {
    // Newest first: a step may free its element.
    for (int i = int(elements_.size()) - 1; i >= 0; --i)
        if (i < int(elements_.size())) elements_[size_t(i)]->Step();
}

TdxFader* FaderInstance() { return fader; }

void InitializedxFading() {
    if (!fader) fader = new TdxFader;
}

void FinalizedxFading() {
    delete fader;
    fader = nullptr;
}
