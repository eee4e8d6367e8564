#pragma once
// The base of every picture kind (bitmap, icon, JPEG and the engine's TGA and DDS images): a
// size, a transparency flag, drawing onto a canvas, and reading and writing the file format
// through streams. Subclasses are created by class reference (TPicture's format registry).

#include "Events.h"
#include "GraphicsTypes.h"
#include "Persistent.h"
#include "Streams.h"

class TCanvas;

class TGraphic : public TPersistent {
    Z_CLASS(TGraphic, TPersistent)
public:
    TGraphic() = default;

    virtual bool Empty() const = 0;
    virtual Integer Width() const = 0;
    virtual Integer Height() const = 0;
    virtual void SetWidth(Integer value) = 0;
    virtual void SetHeight(Integer value) = 0;
    virtual void SetSize(Integer width, Integer height);
    virtual bool Transparent() const { return transparent_; }
    virtual void SetTransparent(bool value);
    bool Modified() const { return modified_; }
    void SetModified(bool value);

    // Draws the picture stretched into the rectangle of the canvas.
    virtual void Draw(TCanvas* canvas, const TRect& r) = 0;

    // The file format, read from the stream's position on; a failure raises and leaves the
    // graphic as it was or empty.
    virtual void LoadFromStream(TStream* stream) = 0;
    virtual void SaveToStream(TStream* stream) = 0;
    virtual void LoadFromFile(const String& fileName);
    virtual void SaveToFile(const String& fileName);

    // The data stored for the graphic in a form description; the file format unless a subclass
    // frames it differently.
    virtual void ReadData(TStream* stream) { LoadFromStream(stream); }
    virtual void WriteData(TStream* stream) { SaveToStream(stream); }
    // The framing most graphics use for their stored data: a 32-bit length, then the bytes.
    // Reading raises EInvalidGraphic with the message when the length runs past the stream.
    static TBytes ReadFramedData(TStream* stream, const String& invalidMessage);
    static void WriteFramedData(TStream* stream, const TBytes& data);
    // Stores the graphic as "Data" (ReadData/WriteData) when it is not empty.
    void DefineProperties(TFiler* filer) override;
    // True when both write the same data.
    virtual bool Equals(TGraphic* other);

    // Marks the graphic modified and fires OnChange.
    virtual void Changed(TObject* sender);

    TNotifyEvent OnChange;

protected:
    // Onto a bitmap: the picture drawn on a bitmap of its size.
    void AssignTo(TPersistent* dest) override;

private:
    bool transparent_ = false;
    bool modified_ = false;
};

using TGraphicClass = TClass;
