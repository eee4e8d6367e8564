#pragma once
// TRzFrameController pushes one frame and colour style to every control registered with it:
// by published property name, or, for a control that implements ICustomFraming, by telling the
// control to copy what it wants.

#include <functional>
#include <vector>

#include "Component.h"
#include "RzCommon.h"

class TControl;
class TRzRegIniFile;

// A control that takes the controller's settings itself instead of having them set by name.
class ICustomFraming {
public:
    virtual void CustomFramingChanged() = 0;

protected:
    ~ICustomFraming() = default;
};

class TRzFrameController : public TComponent {
    Z_CLASS(TRzFrameController, TComponent)
    Z_PUBLISHED {
        using C = TRzFrameController;
        p.Property(L"Color", &C::Color, &C::SetColor).Default(clWindow).Stored(&C::IsColorStored);
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"FlatButtonColor", &C::FlatButtonColor, &C::SetFlatButtonColor).Default(clBtnFace);
        p.Property(L"FlatButtons", &C::FlatButtons, &C::SetFlatButtons).Default(true);
        p.Property(L"DisabledColor", &C::DisabledColor, &C::SetDisabledColor).Default(clBtnFace);
        p.Property(L"ReadOnlyColor", &C::ReadOnlyColor, &C::SetReadOnlyColor).Default(clInfoBk);
        p.Property(L"ReadOnlyColorOnFocus", &C::ReadOnlyColorOnFocus, &C::SetReadOnlyColorOnFocus).Default(false);
        p.Property(L"FocusColor", &C::FocusColor, &C::SetFocusColor).Default(clWindow);
        p.Property(L"FrameColor", &C::FrameColor, &C::SetFrameColor).Default(clBtnShadow);
        p.Property(L"FrameHotColor", &C::FrameHotColor, &C::SetFrameHotColor).Default(clBtnShadow);
        p.Property(L"FrameHotTrack", &C::FrameHotTrack, &C::SetFrameHotTrack).Default(false);
        p.Property(L"FrameHotStyle", &C::FrameHotStyle, &C::SetFrameHotStyle).Default(fsFlatBold);
        p.Property(L"FrameSides", &C::FrameSides, &C::SetFrameSides).Default(sdAllSides);
        p.Property(L"FrameStyle", &C::FrameStyle, &C::SetFrameStyle).Default(fsFlat);
        p.Property(L"FrameVisible", &C::FrameVisible, &C::SetFrameVisible).Default(false);
        p.Property(L"FramingPreference", &C::FramingPreference, &C::SetFramingPreference).Default(fpXPThemes);
        p.Property(L"RegIniFile", &C::RegIniFile, &C::SetRegIniFile);
    }

public:
    explicit TRzFrameController(TComponent* owner) : TComponent(owner) {}
    ~TRzFrameController() override;

    // Registers a control (once) and pushes every setting to it.
    void AddControl(TControl* control);
    void RemoveControl(TControl* control);
    // A control's FrameController setter: leaves the controller in `field` for `controller`,
    // registered with it and told when it goes. False when it was already that one.
    static bool Switch(TRzFrameController*& field, TRzFrameController* controller, TControl* control);
    // Between the brackets nothing is pushed; the last EndUpdate pushes everything once.
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    virtual void UpdateControlFrame(TControl* control, TRzFrameControllerProperty property);
    virtual void UpdateFrames(TRzFrameControllerProperty property);
    void Assign(TPersistent* source) override;
    Integer ControlCount() const { return Integer(controls_.size()); }

    TColor Color() const { return color_; }
    virtual void SetColor(TColor value);
    bool ParentColor() const { return parentColor_; }
    bool IsColorStored() const { return !parentColor_; }
    virtual void SetParentColor(bool value);
    TColor FlatButtonColor() const { return flatButtonColor_; }
    virtual void SetFlatButtonColor(TColor value) { Change(flatButtonColor_, value, fcpFlatButtonColor); }
    bool FlatButtons() const { return flatButtons_; }
    virtual void SetFlatButtons(bool value) { Change(flatButtons_, value, fcpFlatButtons); }
    TColor DisabledColor() const { return disabledColor_; }
    virtual void SetDisabledColor(TColor value) { Change(disabledColor_, value, fcpDisabledColor); }
    TColor ReadOnlyColor() const { return readOnlyColor_; }
    virtual void SetReadOnlyColor(TColor value) { Change(readOnlyColor_, value, fcpReadOnlyColor); }
    bool ReadOnlyColorOnFocus() const { return readOnlyColorOnFocus_; }
    virtual void SetReadOnlyColorOnFocus(bool value) { Change(readOnlyColorOnFocus_, value, fcpReadOnlyColorOnFocus); }
    TColor FocusColor() const { return focusColor_; }
    virtual void SetFocusColor(TColor value) { Change(focusColor_, value, fcpFocusColor); }
    TColor FrameColor() const { return frameColor_; }
    virtual void SetFrameColor(TColor value) { Change(frameColor_, value, fcpFrameColor); }
    TColor FrameHotColor() const { return frameHotColor_; }
    virtual void SetFrameHotColor(TColor value) { Change(frameHotColor_, value, fcpFrameHotColor); }
    bool FrameHotTrack() const { return frameHotTrack_; }
    virtual void SetFrameHotTrack(bool value);
    TFrameStyle FrameHotStyle() const { return frameHotStyle_; }
    virtual void SetFrameHotStyle(TFrameStyle value) { Change(frameHotStyle_, value, fcpFrameHotStyle); }
    TSides FrameSides() const { return frameSides_; }
    virtual void SetFrameSides(TSides value) { Change(frameSides_, value, fcpFrameSides); }
    TFrameStyle FrameStyle() const { return frameStyle_; }
    virtual void SetFrameStyle(TFrameStyle value) { Change(frameStyle_, value, fcpFrameStyle); }
    bool FrameVisible() const { return frameVisible_; }
    virtual void SetFrameVisible(bool value) { Change(frameVisible_, value, fcpFrameVisible); }
    TFramingPreference FramingPreference() const { return framingPreference_; }
    virtual void SetFramingPreference(TFramingPreference value) {
        Change(framingPreference_, value, fcpFramingPreference);
    }
    // A settings store this controller refers to (not owned).
    TRzRegIniFile* RegIniFile() const { return regIniFile_; }
    virtual void SetRegIniFile(TRzRegIniFile* value);

protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    // Reads, and never writes, the settings of older form descriptions.
    void DefineProperties(TFiler* filer) override;

private:
    template <class T>
    void Change(T& field, const T& value, TRzFrameControllerProperty property) {
        if (AssignIfChanged(field, value)) UpdateFrames(property);
    }
    void PushProperty(TControl* control, TRzFrameControllerProperty property);

    TColor color_ = clWindow;
    bool parentColor_ = false;
    TColor flatButtonColor_ = clBtnFace;
    bool flatButtons_ = true;
    TColor disabledColor_ = clBtnFace;
    TColor readOnlyColor_ = clInfoBk;
    bool readOnlyColorOnFocus_ = false;
    TColor focusColor_ = clWindow;
    TColor frameColor_ = clBtnShadow;
    TColor frameHotColor_ = clBtnShadow;
    bool frameHotTrack_ = false;
    TFrameStyle frameHotStyle_ = fsFlatBold;
    TSides frameSides_ = sdAllSides;
    TFrameStyle frameStyle_ = fsFlat;
    bool frameVisible_ = false;
    TFramingPreference framingPreference_ = fpXPThemes;
    TRzRegIniFile* regIniFile_ = nullptr;

    Integer updateCount_ = 0;
    std::vector<TControl*> controls_;  // not owned
};

// The frame settings of older form descriptions, read and never written back, for the controller
// and every framed control: "FrameFlat" (hot tracking; when on, fsStatus with fsLowered while
// hot), "FrameFocusStyle" (the hot style) and "FrameFlatStyle" (dropped).
struct TRzObsoleteFrameSetters {
    std::function<void(bool)> SetFrameHotTrack;
    std::function<void(TFrameStyle)> SetFrameStyle;
    std::function<void(TFrameStyle)> SetFrameHotStyle;
};
void DefineObsoleteFrameProperties(TFiler* filer, const TRzObsoleteFrameSetters& setters);
