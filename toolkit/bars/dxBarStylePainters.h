#pragma once
// The painter classes the manager's styles choose. Their own looks come later; until then each
// draws as the base painter does, which keeps the choice of class (and the ribbon's and skins'
// questions about it) true from now on.

#include "dxBarPainter.h"

class TdxBarStandardPainter : public TdxBarPainter {
    Z_CLASS(TdxBarStandardPainter, TdxBarPainter)
public:
    using TdxBarPainter::TdxBarPainter;
    bool IsStandardStyle() const override { return true; }
};

class TdxBarEnhancedPainter : public TdxBarStandardPainter {
    Z_CLASS(TdxBarEnhancedPainter, TdxBarStandardPainter)
public:
    using TdxBarStandardPainter::TdxBarStandardPainter;
};

class TdxBarFlatPainter : public TdxBarPainter {
    Z_CLASS(TdxBarFlatPainter, TdxBarPainter)
public:
    using TdxBarPainter::TdxBarPainter;
};

class TdxBarOffice11Painter : public TdxBarFlatPainter {
    Z_CLASS(TdxBarOffice11Painter, TdxBarFlatPainter)
public:
    using TdxBarFlatPainter::TdxBarFlatPainter;
};

class TdxBarXPPainter : public TdxBarPainter {
    Z_CLASS(TdxBarXPPainter, TdxBarPainter)
public:
    using TdxBarPainter::TdxBarPainter;
};

// The painter class of the skinned paint style: the standard painter until the skins library
// puts its own in (and back again when it ends).
TdxBarPainterClass SkinBarPainterClass();
void SetSkinBarPainterClass(TdxBarPainterClass value);
