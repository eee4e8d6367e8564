#pragma once
// The skins' shared vocabulary: element states, image modes, the colour values that mean "no
// colour", the skin exception, the class family through which a skin stream creates its objects,
// and forward declarations of the skin model.

#include "Colors.h"
#include "Sets.h"
#include "TypInfo.h"
#include "dxCore.h"

class TdxSkin;
class TdxSkinControlGroup;
class TdxSkinElement;
class TdxSkinImage;
class TdxSkinProperty;
class TdxSkinColor;
class TdxSkinIntegerProperty;
class TdxSkinBooleanProperty;
class TdxSkinBorder;
class TdxSkinBorders;
class TdxSkinCanvas;
class TdxSkinCustomPersistentObject;
class TdxSkinInfo;

// The states a skin element can be drawn in; bit n of a stored state set is state n.
Z_ENUM(TdxSkinElementState, Byte, esNormal, esHot, esPressed, esDisabled, esActive, esFocused, esDroppedDown, esChecked,
       esHotCheck, esActiveDisabled, esCheckPressed)
using TdxSkinElementStates = TSet<TdxSkinElementState>;
constexpr int dxSkinElementStateCount = 11;

Z_ENUM(TdxSkinGradientMode, Byte, gmHorizontal, gmVertical, gmForwardDiagonal, gmBackwardDiagonal)
// How the frames of an image strip follow each other: side by side or stacked.
Z_ENUM(TdxSkinImageLayout, Byte, ilHorizontal, ilVertical)
Z_ENUM(TdxSkinStretchMode, Byte, smStretch, smTile, smNoResize)

// Both mean "no colour of its own" wherever a skin colour is tested.
constexpr TColor dxSkinDefaultColor = clDefault;  // $20000000
constexpr TColor dxSkinNoColor = clNone;          // $1FFFFFFF
inline bool IsSkinColorAssigned(TColor color) { return color != clDefault && color != clNone; }

// The version of the skin stream format that this library writes.
constexpr double dxSkinStreamVersion = 1.02;

Z_EXCEPTION(EdxSkin, EdxException)

// ---- the class family of the skin model ----------------------------------------------------

// Class references of the skin model: a stream names the class of each property it holds, and
// the reader creates it by name through this virtual constructor.
class TdxSkinObjectMeta : public TMetaClass {
public:
    using TMetaClass::TMetaClass;
    // A new object of the class with the owner and name; EInvalidOperation for a class that
    // cannot be made that way.
    virtual TdxSkinCustomPersistentObject* CreateObject(TPersistent* owner, const String& name) const = 0;
};
using TdxSkinObjectClass = const TdxSkinObjectMeta*;

template <class C>
class TMetaClassOf<TdxSkinObjectMeta, C> final : public TdxSkinObjectMeta {
public:
    using TdxSkinObjectMeta::TdxSkinObjectMeta;
    TdxSkinCustomPersistentObject* CreateObject(TPersistent* owner, const String& name) const override {
        if constexpr (!std::is_abstract_v<C> && std::is_constructible_v<C, TPersistent*, const String&>)
            return new C(owner, name);
        else
            throw EInvalidOperation(L"Cannot create an object of " + ClassName());
    }
};
