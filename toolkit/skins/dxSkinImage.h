#pragma once
// The image strip of a skin element: one PNG picture holding, along its layout axis, ImageCount
// image sets one after the other, each made of one frame per state of States in state order.
// A frame is drawn into any rectangle as nine parts: the corners at their own size, the edges
// and the centre stretched or tiled (Margins say where the parts meet); an image without a
// picture may fill its centre with a gradient instead.
//
// The layout (frame numbers, frame size, state rectangles) is computed once per change: Changed,
// reading and the element's ImageCount mark it dirty, CheckInfo recomputes it when needed.

#include "cxGeometry.h"
#include "dxSkinsTypes.h"

class TdxPNGImage;
class TStream;

class TdxSkinImage : public TPersistent {
    Z_CLASS(TdxSkinImage, TPersistent)
    Z_PUBLISHED {
        p.Property(L"Gradient", &TdxSkinImage::Gradient, &TdxSkinImage::SetGradient).Default(gmHorizontal);
        p.Property(L"GradientBeginColor", &TdxSkinImage::GradientBeginColor, &TdxSkinImage::SetGradientBeginColor)
            .Default(clNone);
        p.Property(L"GradientEndColor", &TdxSkinImage::GradientEndColor, &TdxSkinImage::SetGradientEndColor)
            .Default(clNone);
        p.Property(L"ImageLayout", &TdxSkinImage::ImageLayout, &TdxSkinImage::SetImageLayout).Default(ilHorizontal);
        p.Property(L"Margins", &TdxSkinImage::Margins);
        p.Property(L"States", &TdxSkinImage::States, &TdxSkinImage::SetStates).Default(TdxSkinElementStates{});
        p.Property(L"Stretch", &TdxSkinImage::Stretch, &TdxSkinImage::SetStretch).Default(smStretch);
        p.Event(L"OnChange", &TdxSkinImage::OnChange);
    }

public:
    // The nine parts, indexed column * 3 + row.
    using TParts = TRect[9];
    using TPartFlags = bool[9];

    explicit TdxSkinImage(TPersistent* owner);
    ~TdxSkinImage() override;
    TPersistent* GetOwner() const override { return owner_; }
    // The element that owns the image, or null.
    TdxSkinElement* Element() const;

    TdxSkinGradientMode Gradient() const { return gradient_; }
    void SetGradient(TdxSkinGradientMode value);
    TColor GradientBeginColor() const { return gradientBeginColor_; }
    void SetGradientBeginColor(TColor value);
    TColor GradientEndColor() const { return gradientEndColor_; }
    void SetGradientEndColor(TColor value);
    TdxSkinImageLayout ImageLayout() const { return imageLayout_; }
    void SetImageLayout(TdxSkinImageLayout value);
    TcxRect* Margins() const { return margins_; }
    TdxSkinElementStates States() const { return states_; }
    void SetStates(TdxSkinElementStates value);
    TdxSkinStretchMode Stretch() const { return stretch_; }
    void SetStretch(TdxSkinStretchMode value);
    TdxPNGImage* Picture() const { return picture_; }
    const String& SourceName() const { return sourceName_; }
    void SetSourceName(const String& value) { sourceName_ = value; }

    // No source name and no picture.
    bool Empty() const;
    bool HasGradient() const { return Integer(gradientBeginColor_) != Integer(clNone); }
    // Removes the picture and the source name.
    void Clear();

    // Copies the picture (or clears it when the source is empty), the source name and every
    // published value.
    void Assign(TPersistent* source) override;
    // Same layout, emptiness, states, gradient, stretch, frame size, margins and pixels.
    virtual bool IsEqual(TdxSkinImage* other);

    // Marks the layout dirty and fires OnChange.
    virtual void Changed();
    void MarkDirty() { dirty_ = true; }
    bool Dirty() const { return dirty_; }
    // Recomputes the layout when it is dirty.
    void CheckInfo();
    virtual void UpdateInfo();

    TSize FrameSize();
    int StateCount();
    // The frame of the state in image set imageIndex (not checked against ImageCount).
    TRect GetStateRect(int imageIndex, TdxSkinElementState state);
    // The state itself when the strip holds it, else the lowest state it holds (or the state
    // itself when it holds none).
    TdxSkinElementState AdjustState(TdxSkinElementState state) const;
    // Whether a part may change size in the last CalculateParts.
    const TPartFlags& PartResizable() const { return partResizable_; }

    // The nine parts of r for the margins; with fit, margins wider (or taller) than r shrink in
    // proportion and their parts become resizable. Only parts still visible are computed, and
    // each then stays visible when it is not empty.
    void CalculateParts(const TRect& r, TParts& parts, TPartFlags& visible, bool fit);

    // Draws the frame of the state in image set imageIndex into r on a device context.
    virtual void Draw(HDC dc, const TRect& r, int imageIndex, TdxSkinElementState state);
    virtual void DrawEx(TdxSkinCanvas* canvas, const TRect& r, int imageIndex, TdxSkinElementState state);

    // The image record of the stream format.
    void ReadData(TStream* stream, double version);
    void WriteData(TStream* stream);

    TNotifyEvent OnChange;

protected:
    virtual void DrawPart(TdxSkinCanvas* canvas, const TRect& dest, const TRect& source, bool resizable, bool isCentre);

private:
    void MarginsChanged(TObject* sender) { Changed(); }
    void PictureChanged(TObject* sender) { Changed(); }
    int OwnerImageCount() const;

    TPersistent* owner_;
    TdxSkinGradientMode gradient_ = gmHorizontal;
    TColor gradientBeginColor_ = clNone;
    TColor gradientEndColor_ = clNone;
    TdxSkinImageLayout imageLayout_ = ilHorizontal;
    TcxRect* margins_;
    TdxSkinElementStates states_;
    TdxSkinStretchMode stretch_ = smStretch;
    TdxPNGImage* picture_;
    String sourceName_;

    // the layout
    bool dirty_ = true;
    TPartFlags partResizable_{};
    TSize frameSize_{0, 0};
    TRect stateRects_[dxSkinElementStateCount]{};
    int stateCount_ = 0;
};
