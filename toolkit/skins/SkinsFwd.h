#pragma once
// Forward declarations of the skin library's most used classes, for headers that only name them
// (pointers, references, parameters) and need not see their declarations.

class TdxSkin;
class TdxSkinControlGroup;
class TdxSkinElement;
class TdxSkinImage;
class TdxSkinProperty;
class TdxSkinColor;
class TdxSkinInfo;
class TdxSkinCanvas;
class TdxCustomBarSkin;
class TdxCustomRibbonSkin;
