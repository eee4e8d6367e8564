#pragma once
// A named group of skin elements ("Bars", "Common", "Ribbon", ...) with properties of its own.

#include "dxSkinElement.h"

class TdxSkinControlGroup : public TdxSkinPersistent {
    Z_CLASS(TdxSkinControlGroup, TdxSkinPersistent)
public:
    explicit TdxSkinControlGroup(TPersistent* owner, const String& name = String());
    ~TdxSkinControlGroup() override;

    TdxSkin* Skin() const;

    TdxSkinElement* AddElement(const String& name) { return AddElementOfClass(name, TdxSkinElement::StaticClass()); }
    TdxSkinElement* AddElementOfClass(const String& name, TdxSkinObjectClass elementClass);
    TdxSkinElement* GetElementByName(const String& name);
    int ElementCount() const { return elements_.Count(); }
    TdxSkinElement* Elements(int index) const { return elements_.Items(index); }

    // Adds clones of the source's elements, then its properties.
    void Assign(TPersistent* source) override;
    void Sort() override;

    // The group record of the stream format after the group's name.
    virtual void ReadData(TStream* stream, double version);
    virtual void WriteData(TStream* stream);

private:
    TTypedObjectList<TdxSkinElement> elements_;
};
