#pragma once
// TGLColor: an RGBA colour of four singles (nominally 0 to 1, not clamped) that reports its
// changes and streams itself in form descriptions as the 16 bytes of "Color"; and the
// conversion of Windows colours to colour vectors.

#include "BaseClasses.h"
#include "Colors.h"
#include "TypInfo.h"
#include "VectorTypes.h"

class TGLColor : public TGLUpdateAbleObject {
    Z_CLASS(TGLColor, TGLUpdateAbleObject)
    // The components read and write one value each; the form stores the whole vector instead.
    Z_PUBLISHED {
        p.Property(L"Red", &TGLColor::Red, &TGLColor::SetRed).Stored(false);
        p.Property(L"Green", &TGLColor::Green, &TGLColor::SetGreen).Stored(false);
        p.Property(L"Blue", &TGLColor::Blue, &TGLColor::SetBlue).Stored(false);
        p.Property(L"Alpha", &TGLColor::Alpha, &TGLColor::SetAlpha).Stored(false);
    }

public:
    // Black, opaque; no notification.
    explicit TGLColor(TPersistent* owner);
    // The given colour and OnChange, no notification.
    TGLColor(TPersistent* owner, const TVector4f& color, const TNotifyEvent& onChange = nullptr);

    const TVector4f& Color() const { return color_; }
    // Stores and reports.
    void SetColorVector(const TVector4f& color);
    // Store without reporting: for set-up, and for callers that report themselves.
    void SetInitialColor(const TVector4f& color) { color_ = color; }
    void StoreColorVector(const TVector4f& color) { color_ = color; }
    void AssignRGBA(Single red, Single green, Single blue, Single alpha);
    // Reports only when the value differs.
    void SetColorComponent(int index, Single value);

    Single Red() const { return color_.X; }
    Single Green() const { return color_.Y; }
    Single Blue() const { return color_.Z; }
    Single Alpha() const { return color_.W; }
    void SetRed(Single value) { SetColorComponent(0, value); }
    void SetGreen(Single value) { SetColorComponent(1, value); }
    void SetBlue(Single value) { SetColorComponent(2, value); }
    void SetAlpha(Single value) { SetColorComponent(3, value); }

    // For handing the colour to OpenGL (glMaterialfv, glLightfv, glClearColor).
    const Single* ColorVectorAddress() const { return &color_.X; }

    // From another colour: copies and reports.
    void Assign(TPersistent* source) override;
    // An owner that hears changes is told through its interface first, and then once more by
    // the update-able object's own notification when it is an update-able object or component.
    void ReportChange(TObject* sender) override;
    void DefineProperties(TFiler* filer) override;

private:
    TVector4f color_;
};

// (R/255, G/255, B/255, alpha); a system colour is resolved to its current value first.
TVector4f WinColorToVector(TColor winColor, Single alpha = 1);
inline Byte RedOfWinColor(TColor c) { return Byte(c); }
inline Byte GreenOfWinColor(TColor c) { return Byte(c >> 8); }
inline Byte BlueOfWinColor(TColor c) { return Byte(c >> 16); }
