#pragma once
// A picture: one graphic of any registered kind, chosen by file extension when loading. The
// registry of picture formats (extension, description, graphic class) is process-wide; the
// platform registers "bmp", "ico", "jpg" and "jpeg", other layers add their own formats.
//
// In a form description a picture is stored as its "Data": the graphic's class name (one
// length byte and the name's characters) followed by the graphic's own data.

#include <vector>

#include "Graphic.h"

class TBitmap;

struct TFileFormat {
    String extension;  // lower case, without the dot
    String description;
    TGraphicClass graphicClass;
};

class TPicture : public TPersistent {
    Z_CLASS(TPicture, TPersistent)
public:
    TPicture() = default;
    ~TPicture() override;

    // The graphic; owned by the picture, nullptr when there is none.
    TGraphic* Graphic() const { return graphic_; }
    // Replaces the graphic with a copy of value (a new graphic of its class), or none.
    void SetGraphic(TGraphic* value);
    // The graphic as a bitmap; a graphic of another kind is replaced by an empty bitmap.
    TBitmap* Bitmap();
    Integer Width() const { return graphic_ ? graphic_->Width() : 0; }
    Integer Height() const { return graphic_ ? graphic_->Height() : 0; }

    // Loads a file through the graphic class registered for its extension (in any case).
    // Raises EInvalidGraphic "Unknown picture file extension (.ext)" when there is none; on a
    // failure the picture keeps what it had.
    void LoadFromFile(const String& fileName);
    // Saves the graphic in its own format; an empty picture writes nothing.
    void SaveToFile(const String& fileName);

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;
    // The stored form: class name and the graphic's data (an empty name for no graphic).
    void ReadData(TStream* stream);
    void WriteData(TStream* stream);

    TNotifyEvent OnChange;

    // --- the format registry
    // Registers a graphic class for an extension (with or without the dot, any case); an
    // extension registered before is taken over by the new class.
    static void RegisterFileFormat(const String& extension, const String& description, TGraphicClass graphicClass);
    // Removes every format of the class or of a class derived from it.
    static void UnregisterGraphicClass(TGraphicClass graphicClass);
    // The registered formats, in order of registration.
    static const std::vector<TFileFormat>& FileFormats();
    // The class registered for the extension (with or without the dot, any case), or nullptr.
    static TGraphicClass GraphicClassForExtension(const String& extension);

protected:
    void AssignTo(TPersistent* dest) override;
    virtual void Changed(TObject* sender);

private:
    void ReplaceGraphic(TGraphic* graphic);

    TGraphic* graphic_ = nullptr;
};
