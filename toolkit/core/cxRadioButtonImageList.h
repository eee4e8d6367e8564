#pragma once
// The radio-button images of the built-in painters, generated from the shape of the system's
// own radio button: its mask is measured once, turned into a template of pixel roles (outer and
// inner ring halves, body, check dot), and every combination of look, state, check mark and
// emphasis is coloured from that template with the current system and Office-style colours.

#include <vector>

#include "ImageList.h"
#include "cxCustomLookAndFeelPainter.h"

class TcxRadioButtonImageList : public TObject {
    Z_CLASS(TcxRadioButtonImageList, TObject)
public:
    // The roles of the template's pixels.
    enum TRole : Byte { rOutside, rOuterUpperLeft, rOuterLowerRight, rInnerUpperLeft, rInnerLowerRight, rBody, rDot };
    static constexpr int ImageCount = 128;

    TcxRadioButtonImageList();
    ~TcxRadioButtonImageList() override;

    TSize ImageSize() const { return TSize{width_, height_}; }
    TRole RoleAt(int x, int y) const { return TRole(template_[size_t(y * width_ + x)]); }
    TCustomImageList* Images() const { return images_; }
    // The image of a combination; the default state draws as normal.
    int ImageIndex(TcxLookAndFeelKind kind, TcxButtonState state, bool checked, bool focused, bool emphasized) const;
    // The image at (x, y), over the canvas when backgroundColor is clDefault, else over a fill of it.
    void Draw(TcxCanvas* canvas, int x, int y, TcxLookAndFeelKind kind, TcxButtonState state, bool checked,
              bool focused, bool emphasized, TColor backgroundColor);
    // Builds the images again from the current colours.
    void Reset();

private:
    void Measure();
    void BuildTemplate();
    void BuildMask();
    void BuildImages();

    int width_ = 0, height_ = 0;
    TRect dot_{};  // in template coordinates
    std::vector<Byte> template_;
    TBitmap* mask_ = nullptr;
    TCustomImageList* images_ = nullptr;
    int indexMap_[ImageCount] = {};
};

// The painters' shared radio-button images, made on first use.
TcxRadioButtonImageList* RadioButtonImageList();
// Rebuilds the images when they exist (after a system colour change).
void ResetRadioButtonImageList();
void FreeRadioButtonImageList();
