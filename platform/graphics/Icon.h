#pragma once
// An icon: loaded from a resource of the program or from an .ico file, drawn with its mask.
// The file data it was read from is kept, so that saving writes the same file back.

#include <windows.h>

#include "Graphic.h"
#include "Streams.h"

class TIcon : public TGraphic {
    Z_CLASS(TIcon, TGraphic)
public:
    TIcon() = default;
    ~TIcon() override;

    void Assign(TPersistent* source) override;

    bool Empty() const override { return !handle_; }
    Integer Width() const override { return width_; }
    Integer Height() const override { return height_; }
    // An icon's size comes from its image; setting it raises EInvalidGraphicOperation.
    void SetWidth(Integer value) override;
    void SetHeight(Integer value) override;
    bool Transparent() const override { return true; }

    // The icon; owned by the TIcon.
    HICON Handle() const { return handle_; }
    // Takes ownership of an icon handle; it has no file data to save afterwards.
    void SetHandle(HICON value);
    // Hands the icon over to the caller; the TIcon becomes empty.
    HICON ReleaseHandle();

    // An .ico file: the image nearest to the system's icon size is used.
    void LoadFromStream(TStream* stream) override;
    // Writes the file data the icon was read from; raises for an icon made from a handle.
    void SaveToStream(TStream* stream) override;
    // An icon resource (RT_GROUP_ICON) of the module at the system's icon size.
    void LoadFromResourceName(HINSTANCE instance, const String& name);
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;

    void Draw(TCanvas* canvas, const TRect& r) override;

private:
    void Replace(HICON handle, TBytes data);

    HICON handle_ = nullptr;
    Integer width_ = 0, height_ = 0;
    TBytes data_;
};
