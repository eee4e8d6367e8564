#pragma once
// The named, typed values of a skin (on the skin, a group or an element) and an element's four
// border lines.
//
// A property's record in a stream is its class name, its name and its value; the class name
// picks the class from the platform's class registry when the stream is read. Each value setter
// reports a change only when the value differs.

#include "cxGeometry.h"
#include "dxSkinPersistent.h"

class TStream;

// ---- TdxSkinProperty -----------------------------------------------------------------------

class TdxSkinProperty : public TdxSkinCustomPersistentObject {
    Z_CLASS(TdxSkinProperty, TdxSkinCustomPersistentObject)
public:
    explicit TdxSkinProperty(TPersistent* owner, const String& name = String());

    virtual void ReadData(TStream* stream) {}
    // The name, then the value.
    virtual void ReadFromStream(TStream* stream);
    virtual void WriteData(TStream* stream) {}
    // The class name, the name, then the value.
    virtual void WriteToStream(TStream* stream);
    // The class name without "TdxSkin" and "Property": "Integer", "Color", "Borders" ...
    virtual String GetDescription() const;
    // Same class, same name and same value.
    virtual bool IsEqual(TdxSkinProperty* other) { return false; }

protected:
    bool IsSameKindAndName(TdxSkinProperty* other) const;
};

// ---- value properties ----------------------------------------------------------------------

// A property holding one plain value: the setter reports a real change only, Assign copies the
// value of a property of the same class, IsEqual compares class, name and value (Self may
// declare its own SameValues).
template <class Self, class T>
class TdxSkinValueProperty : public TdxSkinProperty {
public:
    TdxSkinValueProperty(TPersistent* owner, const String& name, T initial)
        : TdxSkinProperty(owner, name), value_(initial) {}
    T Value() const { return value_; }
    void SetValue(const T& value) {
        if (AssignIfChanged(value_, value)) DoChange();
    }
    void Assign(TPersistent* source) override {
        if (auto* other = As<Self>(source))
            SetValue(other->value_);
        else
            TdxSkinProperty::Assign(source);
    }
    bool IsEqual(TdxSkinProperty* other) override {
        return IsSameKindAndName(other) && Self::SameValues(static_cast<Self*>(other)->value_, value_);
    }
    static bool SameValues(const T& a, const T& b) { return a == b; }

protected:
    T value_;
};

class TdxSkinIntegerProperty : public TdxSkinValueProperty<TdxSkinIntegerProperty, Integer> {
    Z_CLASS(TdxSkinIntegerProperty, TdxSkinProperty)
    Z_PUBLISHED { p.Property(L"Value", &TdxSkinIntegerProperty::Value, &TdxSkinIntegerProperty::SetValue).Default(0); }

public:
    explicit TdxSkinIntegerProperty(TPersistent* owner, const String& name = String())
        : TdxSkinValueProperty(owner, name, 0) {}
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;
};

class TdxSkinBooleanProperty : public TdxSkinValueProperty<TdxSkinBooleanProperty, bool> {
    Z_CLASS(TdxSkinBooleanProperty, TdxSkinProperty)
    Z_PUBLISHED {
        p.Property(L"Value", &TdxSkinBooleanProperty::Value, &TdxSkinBooleanProperty::SetValue).Default(false);
    }

public:
    explicit TdxSkinBooleanProperty(TPersistent* owner, const String& name = String())
        : TdxSkinValueProperty(owner, name, false) {}
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;
};

class TdxSkinColor : public TdxSkinValueProperty<TdxSkinColor, TColor> {
    Z_CLASS(TdxSkinColor, TdxSkinProperty)
    Z_PUBLISHED { p.Property(L"Value", &TdxSkinColor::Value, &TdxSkinColor::SetValue).Default(clDefault); }

public:
    explicit TdxSkinColor(TPersistent* owner, const String& name = String())
        : TdxSkinValueProperty(owner, name, clDefault) {}
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;
};

// Its values compare with the user's locale.
class TdxSkinStringProperty : public TdxSkinValueProperty<TdxSkinStringProperty, String> {
    Z_CLASS(TdxSkinStringProperty, TdxSkinProperty)
    Z_PUBLISHED { p.Property(L"Value", &TdxSkinStringProperty::Value, &TdxSkinStringProperty::SetValue); }

public:
    explicit TdxSkinStringProperty(TPersistent* owner, const String& name = String())
        : TdxSkinValueProperty(owner, name, String()) {}
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;
    static bool SameValues(const String& a, const String& b) { return CompareSkinNames(a, b) == 0; }
};

class TdxSkinRectProperty : public TdxSkinProperty {
    Z_CLASS(TdxSkinRectProperty, TdxSkinProperty)
    Z_PUBLISHED { p.Property(L"Value", &TdxSkinRectProperty::Value); }

public:
    explicit TdxSkinRectProperty(TPersistent* owner, const String& name = String());
    ~TdxSkinRectProperty() override;
    TcxRect* Value() const { return value_; }
    void SetValue(const TRect& value) { value_->AssignRect(value); }
    void Assign(TPersistent* source) override;
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;
    bool IsEqual(TdxSkinProperty* other) override;

private:
    void ValueChanged(TObject* sender) { DoChange(); }
    TcxRect* value_;
};

class TdxSkinSizeProperty : public TdxSkinProperty {
    Z_CLASS(TdxSkinSizeProperty, TdxSkinProperty)
    Z_PUBLISHED {
        p.Property(L"cx", &TdxSkinSizeProperty::cx, &TdxSkinSizeProperty::SetCx).Default(0);
        p.Property(L"cy", &TdxSkinSizeProperty::cy, &TdxSkinSizeProperty::SetCy).Default(0);
    }

public:
    explicit TdxSkinSizeProperty(TPersistent* owner, const String& name = String()) : TdxSkinProperty(owner, name) {}
    Integer cx() const { return value_.cx; }
    Integer cy() const { return value_.cy; }
    void SetCx(Integer value);
    void SetCy(Integer value);
    TSize Value() const { return value_; }
    void SetValue(const TSize& value);
    void Assign(TPersistent* source) override;
    void ReadData(TStream* stream) override;
    void WriteData(TStream* stream) override;
    bool IsEqual(TdxSkinProperty* other) override;

private:
    TSize value_{0, 0};
};

// ---- borders -------------------------------------------------------------------------------

// The side of a border: 0 left, 1 top, 2 right, 3 bottom.
using TdxSkinBorderSide = Byte;
constexpr TdxSkinBorderSide dxSkinBorderLeft = 0, dxSkinBorderTop = 1, dxSkinBorderRight = 2, dxSkinBorderBottom = 3;

// One border line of an element: a band Thin pixels wide along one side of the element's
// rectangle, drawn unless its colour is clNone.
class TdxSkinBorder : public TdxSkinProperty {
    Z_CLASS(TdxSkinBorder, TdxSkinProperty)
    Z_PUBLISHED {
        p.Property(L"Color", &TdxSkinBorder::Color, &TdxSkinBorder::SetColor).Default(clNone);
        p.Property(L"Thin", &TdxSkinBorder::Thin, &TdxSkinBorder::SetThin).Default(1);
    }

public:
    explicit TdxSkinBorder(TPersistent* owner, const String& name = String(),
                           TdxSkinBorderSide side = dxSkinBorderLeft);
    TColor Color() const { return color_; }
    void SetColor(TColor value);
    TdxSkinBorderSide Side() const { return side_; }
    Integer Thin() const { return thin_; }
    void SetThin(Integer value);
    // The band this border covers in r.
    TRect BandIn(const TRect& r) const;

    void Assign(TPersistent* source) override;
    // Reads the record of the stream format: class name (ignored), name, colour, thickness.
    void ReadFromStream(TStream* stream) override;
    void WriteData(TStream* stream) override;
    bool IsEqual(TdxSkinProperty* other) override;

    void Draw(HDC dc, const TRect& r);
    void DrawEx(TdxSkinCanvas* canvas, const TRect& r);

private:
    TColor color_ = clNone;
    TdxSkinBorderSide side_;
    Integer thin_ = 1;
};

// The four borders of an element, "Left", "Top", "Right" and "Bottom".
class TdxSkinBorders : public TdxSkinProperty {
    Z_CLASS(TdxSkinBorders, TdxSkinProperty)
    Z_PUBLISHED {
        p.Property(L"Left", &TdxSkinBorders::Left);
        p.Property(L"Top", &TdxSkinBorders::Top);
        p.Property(L"Right", &TdxSkinBorders::Right);
        p.Property(L"Bottom", &TdxSkinBorders::Bottom);
    }

public:
    explicit TdxSkinBorders(TPersistent* owner, const String& name = String());
    ~TdxSkinBorders() override;
    TdxSkinBorder* Left() const { return items_[dxSkinBorderLeft]; }
    TdxSkinBorder* Top() const { return items_[dxSkinBorderTop]; }
    TdxSkinBorder* Right() const { return items_[dxSkinBorderRight]; }
    TdxSkinBorder* Bottom() const { return items_[dxSkinBorderBottom]; }
    TdxSkinBorder* Items(TdxSkinBorderSide side) const { return items_[side & 3]; }

    void Assign(TPersistent* source) override;
    bool IsEqual(TdxSkinProperty* other) override;
    // Left, top, right, bottom, in this order.
    void DrawEx(TdxSkinCanvas* canvas, const TRect& r);
    void BorderChanged(TObject* sender) { DoChange(); }

private:
    TdxSkinBorder* items_[4];
};
