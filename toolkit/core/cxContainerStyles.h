#pragma once
// Container styles: how a toolkit container (a popup window, a control with a frame) looks in
// each of its four states. TcxContainerStyle holds border colour and style, edges, colour, font,
// text colour and style, hot tracking, shadow and a transparent border, each of which may be
// left unassigned. A value a style does not assign comes from its style controller (the style
// of the same state there, asked the same way), else from the style's default. State styles
// 1 to 3 take their defaults from the base style (state 0), and the values that belong to the
// container as a whole (edges, font, hot tracking, shadow, transparent border, look-and-feel,
// style controller) are the base style's.
//
// A style reports a change through OnChanged once per outermost update bracket in which
// something changed; a style in direct access (its owner reads colour, font and text values
// straight from it) resolves and reports nothing.
//
// Sections: values · TcxContainerStyle · TcxContainerStyles · TcxStyleController.

#include <vector>

#include "Font.h"
#include "TypInfo.h"
#include "cxComponent.h"
#include "cxGraphics.h"
#include "cxLookAndFeel.h"

class TcxContainerStyle;
class TcxContainerStyles;
class TcxStyleController;

// ---- values --------------------------------------------------------------------------------

Z_ENUM(TcxContainerBorderStyle, Byte, cbsNone, cbsSingle, cbsThick, cbsFlat, cbs3D, cbsUltraFlat, cbsOffice11)

// The values a style may assign, in the order of ValueName.
Z_ENUM(TcxContainerStyleValue, Byte, csvBorderColor, csvBorderStyle, csvColor, csvEdges, csvFont, csvHotTrack,
       csvShadow, csvTextColor, csvTextStyle, csvTransparentBorder)
using TcxContainerStyleValues = TSet<TcxContainerStyleValue>;
inline const TcxContainerStyleValues cxContainerStyleValueAll{
    csvBorderColor, csvBorderStyle, csvColor,     csvEdges,     csvFont,
    csvHotTrack,    csvShadow,      csvTextColor, csvTextStyle, csvTransparentBorder};

// Container states: 0 normal (the base style), 2 disabled; 1 and 3 thicken the border while hot
// tracking is on.
constexpr int cxContainerStateNormal = 0;
constexpr int cxContainerStateDisabled = 2;
constexpr int cxContainerStateCount = 4;

// Class references of the style family: functions that make a style (or a style group) of one
// class, so that a controller or a container can choose the class it makes.
using TcxContainerStyleClass = TcxContainerStyle* (*)(TPersistent* owner, bool directAccess,
                                                      TcxContainerStyle* parentStyle, int state);
using TcxContainerStylesClass = TcxContainerStyles* (*)(TPersistent* owner, TcxContainerStyleClass styleClass);
template <class T>
TcxContainerStyle* MakeContainerStyle(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle,
                                      int state) {
    return new T(owner, directAccess, parentStyle, state);
}
template <class T>
TcxContainerStyles* MakeContainerStyles(TPersistent* owner, TcxContainerStyleClass styleClass) {
    return new T(owner, styleClass);
}

// ---- TcxContainerStyle ---------------------------------------------------------------------

class TcxContainerStyle : public TcxInterfacedPersistent {
    Z_CLASS(TcxContainerStyle, TcxInterfacedPersistent)
    Z_PUBLISHED {
        p.Property(L"AssignedValues", &TcxContainerStyle::AssignedValues, &TcxContainerStyle::SetAssignedValues)
            .Stored(false);
        p.Property(L"BorderColor", &TcxContainerStyle::BorderColor, &TcxContainerStyle::SetBorderColor)
            .Stored(&TcxContainerStyle::IsBorderColorStored);
        p.Property(L"BorderStyle", &TcxContainerStyle::BorderStyle, &TcxContainerStyle::SetBorderStyle)
            .Stored(&TcxContainerStyle::IsBorderStyleStored);
        p.Property(L"Color", &TcxContainerStyle::Color, &TcxContainerStyle::SetColor)
            .Stored(&TcxContainerStyle::IsColorStored);
        p.Property(L"Edges", &TcxContainerStyle::Edges, &TcxContainerStyle::SetEdges)
            .Stored(&TcxContainerStyle::IsEdgesStored);
        p.Property(L"Font", &TcxContainerStyle::Font).Stored(&TcxContainerStyle::IsFontStored);
        p.Property(L"HotTrack", &TcxContainerStyle::HotTrack, &TcxContainerStyle::SetHotTrack)
            .Stored(&TcxContainerStyle::IsHotTrackStored);
        p.Property(L"LookAndFeel", &TcxContainerStyle::LookAndFeel);
        p.Property(L"Shadow", &TcxContainerStyle::Shadow, &TcxContainerStyle::SetShadow)
            .Stored(&TcxContainerStyle::IsShadowStored);
        p.Property(L"StyleController", &TcxContainerStyle::StyleController, &TcxContainerStyle::SetStyleController)
            .Stored(&TcxContainerStyle::IsBaseStyle);
        p.Property(L"TextColor", &TcxContainerStyle::TextColor, &TcxContainerStyle::SetTextColor)
            .Stored(&TcxContainerStyle::IsTextColorStored);
        p.Property(L"TextStyle", &TcxContainerStyle::TextStyle, &TcxContainerStyle::SetTextStyle)
            .Stored(&TcxContainerStyle::IsTextStyleStored);
        p.Property(L"TransparentBorder", &TcxContainerStyle::TransparentBorder,
                   &TcxContainerStyle::SetTransparentBorder)
            .Stored(&TcxContainerStyle::IsTransparentBorderStored);
    }

public:
    // parentStyle is kept for states other than 0 (it is the base style of the group). A style
    // in direct access assigns colour, font, text colour and text style from the start.
    TcxContainerStyle(TPersistent* owner, bool directAccess, TcxContainerStyle* parentStyle, int state);
    ~TcxContainerStyle() override;

    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;

    void BeginUpdate() { ++updateCount_; }
    void EndUpdate();
    void RestoreDefaults();

    // --- values, resolved as the class comment says
    TcxContainerStyleValues AssignedValues() const;
    void SetAssignedValues(TcxContainerStyleValues value);
    TColor BorderColor() const;
    void SetBorderColor(TColor value);
    TcxContainerBorderStyle BorderStyle() const;
    void SetBorderStyle(TcxContainerBorderStyle value);
    virtual TColor Color() const;
    void SetColor(TColor value);
    TcxBorders Edges() const;
    void SetEdges(TcxBorders value);
    TFont* Font() const;
    void SetFont(TFont* value);
    bool HotTrack() const;
    void SetHotTrack(bool value);
    bool Shadow() const;
    void SetShadow(bool value);
    virtual TColor TextColor() const;
    void SetTextColor(TColor value);
    virtual TFontStyles TextStyle() const;
    void SetTextStyle(TFontStyles value);
    bool TransparentBorder() const;
    void SetTransparentBorder(bool value);
    TcxLookAndFeel* LookAndFeel() const;
    void SetLookAndFeel(TcxLookAndFeel* value);
    // Nil when the style follows no controller (or the default one).
    TcxStyleController* StyleController() const;
    // Refuses (silently) a controller whose chain of controllers leads back to this style.
    void SetStyleController(TcxStyleController* value);

    // --- what a style is
    bool DirectAccess() const { return directAccess_; }
    int State() const { return state_; }
    bool IsBaseStyle() const { return parentStyle_ == nullptr; }
    TcxContainerStyle* ParentStyle() const { return parentStyle_; }
    TcxContainerStyle* BaseStyle() { return parentStyle_ ? parentStyle_ : this; }
    const TcxContainerStyle* BaseStyle() const { return parentStyle_ ? parentStyle_ : this; }
    TFont* VisibleFont() const { return visibleFont_; }
    // Whether the value is assigned here or, recursively, in the controller's style of this state.
    virtual bool IsValueAssigned(TcxContainerStyleValue value) const;
    virtual int ValueCount() const { return 10; }
    // The name of value index (false beyond the last).
    virtual bool ValueName(int index, String& name) const;
    // The index of the value of that name (letter case ignored), -1 when none.
    int FindValueByName(const String& name) const;
    bool IsPropertyStored(const String& name) const;
    virtual int StyleLevel() const { return 1; }

    // The controller this style follows has changed, or is being freed.
    virtual void ControllerChanged(TcxStyleController* controller);
    virtual void ControllerFreed(TcxStyleController* controller);

    TNotifyEvent OnChanged;

protected:
    virtual void Changed();
    virtual TColor DefaultBorderColorValue() const;
    virtual TcxContainerBorderStyle DefaultBorderStyleValue() const;
    virtual TColor DefaultColorValue() const;
    virtual TcxBorders DefaultEdgesValue() const { return cxBordersAll; }
    virtual bool DefaultHotTrackValue() const { return true; }
    virtual bool DefaultShadowValue() const { return false; }
    virtual TColor DefaultTextColorValue() const;
    virtual TFontStyles DefaultTextStyleValue() const;
    virtual bool DefaultTransparentBorderValue() const { return true; }
    virtual void FontChanged();
    virtual TcxStyleController* DefaultStyleController() const { return nullptr; }
    // The colour as assigned, or from the controller, or the default.
    virtual TColor ResolvedColor() const;
    // The values a state style leaves to the base style and does not store.
    virtual TcxContainerStyleValues UnpublishedStateValues() const;
    void UpdateFont();

private:
    // The style that supplies an unassigned value: this one when it assigns it, else the style of
    // the same state along the chain of controllers; nil when none assigns it.
    const TcxContainerStyle* SourceOf(TcxContainerStyleValue value) const;
    // The style of this state in the controller of the base style; nil without a controller.
    const TcxContainerStyle* ControllerStyle() const;
    TcxStyleController* ActiveStyleController() const { return BaseStyle()->styleController_; }
    void MarkAssigned(TcxContainerStyleValue value);
    void CheckChanges();
    void FontChangeHandler(TObject*) { FontChanged(); }
    void LookAndFeelChangeHandler(TcxLookAndFeel*, TcxLookAndFeelValues) { Changed(); }
    // Whether a value is written: assigned, and not one that a state style leaves to its base.
    bool IsValueStored(TcxContainerStyleValue value) const;
    bool IsBorderColorStored() const { return IsValueStored(csvBorderColor); }
    bool IsBorderStyleStored() const { return IsValueStored(csvBorderStyle); }
    bool IsColorStored() const { return IsValueStored(csvColor); }
    bool IsEdgesStored() const { return IsValueStored(csvEdges); }
    bool IsFontStored() const { return IsValueStored(csvFont); }
    bool IsHotTrackStored() const { return IsValueStored(csvHotTrack); }
    bool IsShadowStored() const { return IsValueStored(csvShadow); }
    bool IsTextColorStored() const { return IsValueStored(csvTextColor); }
    bool IsTextStyleStored() const { return IsValueStored(csvTextStyle); }
    bool IsTransparentBorderStored() const { return IsValueStored(csvTransparentBorder); }
    void ResetFontToDefault();

    bool directAccess_;
    TcxContainerStyle* parentStyle_ = nullptr;
    int state_;
    TcxContainerStyleValues assignedValues_;
    TColor borderColor_ = clDefault;
    TcxContainerBorderStyle borderStyle_ = cbsNone;
    TcxBorders edges_ = cxBordersAll;
    bool hotTrack_ = true;
    bool shadow_ = false;
    bool transparentBorder_ = true;
    TColor color_ = clWindow;
    TFont* font_ = nullptr;  // owned by the base style outside direct access
    TColor fontColor_ = clWindowText;
    TFontStyles textStyle_;
    TFont* visibleFont_ = nullptr;
    TcxLookAndFeel* lookAndFeel_ = nullptr;          // base style only
    TcxStyleController* styleController_ = nullptr;  // base style only
    int updateCount_ = 0;
    bool modified_ = false;
    bool destroying_ = false;
    int fontAssignedLock_ = 0;
    friend class TcxStyleController;
};

// ---- TcxContainerStyles --------------------------------------------------------------------

// The four state styles of one container; states 1 to 3 have state 0 as their base style.
class TcxContainerStyles : public TObject {
    Z_CLASS(TcxContainerStyles, TObject)
public:
    TcxContainerStyles(TPersistent* owner, TcxContainerStyleClass styleClass);
    ~TcxContainerStyles() override;
    TcxContainerStyle* StyleOf(int state) const { return styles_[state]; }
    TcxContainerStyle* NormalStyle() const { return styles_[cxContainerStateNormal]; }
    void SetChangedEvent(const TNotifyEvent& event);

private:
    TcxContainerStyle* styles_[cxContainerStateCount] = {};
};

// ---- TcxStyleController --------------------------------------------------------------------

// A component whose styles supply the values that the base styles following it leave
// unassigned. Freeing it leaves those styles without a controller.
class TcxStyleController : public TComponent {
    Z_CLASS(TcxStyleController, TComponent)
    Z_PUBLISHED {
        p.Property(L"FakeStyleController", &TcxStyleController::FakeStyleController,
                   &TcxStyleController::SetFakeStyleController);
    }

public:
    explicit TcxStyleController(TComponent* owner)
        : TcxStyleController(owner, &MakeContainerStyle<TcxContainerStyle>, &MakeContainerStyles<TcxContainerStyles>) {}
    ~TcxStyleController() override;
    void Loaded() override;

    TcxContainerStyles* Styles() const { return styles_; }
    TcxContainerStyle* Style() const { return styles_->NormalStyle(); }
    // The controller of its own state-0 style; setting it does nothing.
    TcxStyleController* FakeStyleController() const { return Style()->StyleController(); }
    void SetFakeStyleController(TcxStyleController*) {}
    int ListenerCount() const { return int(listeners_.size()); }

    // A base style starts or stops following this controller; a style is listed at most once.
    virtual void AddListener(TcxContainerStyle* listener);
    virtual void RemoveListener(TcxContainerStyle* listener);

    TNotifyEvent OnStyleChanged;

    // The classes its styles are made of.
    virtual TcxContainerStyleClass StyleClass() const { return styleClass_; }
    virtual TcxContainerStylesClass StylesClass() const { return stylesClass_; }

protected:
    // A derived controller names the classes of its styles here: a constructor cannot ask a
    // derived class's overrides.
    TcxStyleController(TComponent* owner, TcxContainerStyleClass styleClass, TcxContainerStylesClass stylesClass);
    void Changed();

private:
    void StyleChanged(TObject*) { Changed(); }
    TcxContainerStyleClass styleClass_;
    TcxContainerStylesClass stylesClass_;
    std::vector<TcxContainerStyle*> listeners_;
    TcxContainerStyles* styles_ = nullptr;
    bool destroying_ = false;
};
