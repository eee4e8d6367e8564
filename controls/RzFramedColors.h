#pragma once
// The colour states that the framed edit and combo box share: a colour while neither focused,
// disabled nor read-only (the normal colour), and one each for the focus, the disabled and the
// read-only state.

#include "Colors.h"

struct TRzColorStates {
    TColor Normal = clWindow;
    TColor Focus = clWindow;
    TColor Disabled = clBtnFace;
    TColor ReadOnly = clInfoBk;
    bool ReadOnlyOnFocus = false;

    // The colour the control shows in a state.
    TColor Choose(bool enabled, bool focused, bool readOnly) const {
        if (!enabled) return Disabled;
        if (focused) return readOnly && ReadOnlyOnFocus ? ReadOnly : Focus;
        return readOnly ? ReadOnly : Normal;
    }
    // A colour given to the control from outside becomes its normal colour, and its focus
    // colour too while that followed the normal one.
    void TakeNormal(TColor color) {
        if (Focus == Normal) Focus = color;
        Normal = color;
    }
};
