#pragma once
// The fading engine: hot-tracked elements cross-fade between their normal and hot look. One
// process-wide fader (FaderInstance) runs at most ten fades at a time on a 10 ms timer; each
// step blends the element's two pre-rendered images and asks it to repaint with the blend.
//
// An element takes part through IdxFadingObject, usually by embedding a TdxFadingObjectHelper;
// while a fade runs it paints the fader's work image (DrawFadingImage) instead of itself.

#include <vector>

#include "Bitmap.h"
#include "GraphicsTypes.h"
#include "Timer.h"
#include "cxComponent.h"
#include "dxGDIPlusClasses.h"

class TdxFader;

// What a running fade offers the element it fades.
struct IdxFadingElementData : virtual IInterface {
    // Draws the current blend into the rectangle; false when there is none.
    virtual bool DrawImage(HDC dc, const TRect& rect) = 0;
    virtual bool GetImage(TdxGPImage*& image) = 0;
};

// What an element gives the fader.
struct IdxFadingObject : virtual IInterface {
    virtual bool CanFade() = 0;
    virtual void FadingRepaint() = 0;
    virtual void FadingBegin(IdxFadingElementData* data) = 0;
    virtual void FadingEnd() = 0;
    // The normal and the hot look, freed by the fader; the timing values arrive holding the
    // defaults (frames and milliseconds per frame, in and out).
    virtual void GetFadingImages(TBitmap*& normal, TBitmap*& hot, int& inFrames, int& inDelay, int& outFrames,
                                 int& outDelay) = 0;
};

// One running fade.
class TdxFadingElement : public TcxIUnknownObject, public IdxFadingElementData {
    Z_CLASS(TdxFadingElement, TcxIUnknownObject)
public:
    enum TDirection { fdIn, fdOut };
    TdxFadingElement(TdxFader* fader, TObject* object, TDirection direction, TBitmap* normal, TBitmap* hot,
                     int inFrames, int inDelay, int outFrames, int outDelay);
    ~TdxFadingElement() override;

    TObject* Object() const { return object_; }
    TDirection Direction() const { return direction_; }
    int Stage() const { return stage_; }
    int InFrames() const { return inFrames_; }
    int InDelay() const { return inDelay_; }
    int OutFrames() const { return outFrames_; }
    int OutDelay() const { return outDelay_; }

    // Attaches itself to the object and shows the start image.
    void Start();
    // One timer tick; may free the element.
    void Step();
    // Turns the fade toward the other image from a matching point.
    void Turn(TDirection direction);

    bool DrawImage(HDC dc, const TRect& rect) override;
    bool GetImage(TdxGPImage*& image) override;

private:
    void ResetDivider();
    void SetWorkImage(TdxGPImage* image);

    TdxFader* fader_;
    TObject* object_;
    IdxFadingObject* fadingObject_;
    TDirection direction_;
    int inFrames_, inDelay_, outFrames_, outDelay_;
    TdxGPImage* normalImage_ = nullptr;
    TdxGPImage* hotImage_ = nullptr;
    TdxGPImage* workImage_ = nullptr;
    int stage_ = 0;
    int divider_ = 1, counter_ = 0;
};

class TdxFader : public TObject {
    Z_CLASS(TdxFader, TObject)
public:
    static constexpr int MaxElements = 10;
    static constexpr int DefaultInFrames = 4, DefaultInDelay = 15, DefaultOutFrames = 12, DefaultOutDelay = 20;

    TdxFader();
    ~TdxFader() override;

    // 0 follows the system's menu-animation setting, 1 always fades, other values never.
    Byte Mode() const { return mode_; }
    void SetMode(Byte value) { mode_ = value; }
    bool IsFadingAvailable() const;

    void FadeIn(TObject* object) { Fade(object, TdxFadingElement::fdIn); }
    void FadeOut(TObject* object) { Fade(object, TdxFadingElement::fdOut); }
    // Ends the object's fade at its end image (the flag makes no difference).
    void StopFading(TObject* object, bool flag = false);
    void Clear();

    // The running fades, oldest first.
    int Count() const { return int(elements_.size()); }
    TdxFadingElement* Element(int index) const { return elements_[size_t(index)]; }
    TdxFadingElement* Find(TObject* object) const;
    TTimer* Timer() const { return timer_; }
    // The timer's handler: one step of every fade, newest first.
    void TimerTick(TObject* sender);

private:
    friend class TdxFadingElement;
    void Fade(TObject* object, TdxFadingElement::TDirection direction);
    void Add(TdxFadingElement* element);
    void Remove(TdxFadingElement* element);
    void ApplyLimit();

    Byte mode_ = 0;
    std::vector<TdxFadingElement*> elements_;
    TTimer* timer_ = nullptr;
};

// The helper an element embeds: it answers IdxFadingObject from three virtual steps and keeps
// the running fade's data.
class TdxFadingObjectHelper : public TcxIUnknownObject, public IdxFadingObject {
    Z_CLASS(TdxFadingObjectHelper, TcxIUnknownObject)
public:
    TdxFadingObjectHelper() = default;
    bool IsIdle() const { return data_ == nullptr; }
    void DrawFadingImage(HDC dc, const TRect& rect) {
        if (data_) data_->DrawImage(dc, rect);
    }

    bool CanFade() override { return IsFadingAllowed(); }
    void FadingRepaint() override { InvalidateElement(); }
    void FadingBegin(IdxFadingElementData* data) override { data_ = data; }
    void FadingEnd() override { data_ = nullptr; }
    void GetFadingImages(TBitmap*& normal, TBitmap*& hot, int& inFrames, int& inDelay, int& outFrames,
                         int& outDelay) override {
        CreateFadingImages(normal, hot, inFrames, inDelay, outFrames, outDelay);
    }

protected:
    virtual bool IsFadingAllowed() { return false; }
    virtual void InvalidateElement() {}
    // The base makes no images, so nothing fades.
    virtual void CreateFadingImages(TBitmap*& /*normal*/, TBitmap*& /*hot*/, int& /*inFrames*/, int& /*inDelay*/,
                                    int& /*outFrames*/, int& /*outDelay*/) {}

private:
    IdxFadingElementData* data_ = nullptr;
};

// The process-wide fader: nil before the unit starts and after it ends.
TdxFader* FaderInstance();
void InitializedxFading();
void FinalizedxFading();
