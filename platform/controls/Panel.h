#pragma once
// TCustomPanel and TPanel: a container with a beveled border and a caption.

#include "Bevel.h"
#include "CustomControl.h"
#include "SystemControl.h"

class TCustomPanel : public TCustomControl {
    Z_CLASS(TCustomPanel, TCustomControl)
    Z_MESSAGE_MAP(Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged))
public:
    explicit TCustomPanel(TComponent* AOwner);

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment v);
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v);
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int v);
    // The band between the outer and the inner bevel.
    int BorderWidth() const { return borderWidth_; }
    void SetBorderWidth(int v);
    // bsSingle adds a sunken window edge (a line without Ctl3D).
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v);
    // Repaints everything on a resize, not only the uncovered part.
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool v) { fullRepaint_ = v; }
    // A locked panel stays when its form is replaced in place; kept for descriptions.
    bool Locked() const { return locked_; }
    void SetLocked(bool v) { locked_ = v; }

    void AdjustClientRect(TRect& rect) override;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Paint() override;

private:
    void CMTextChanged(TMessage& Message);
    void Changed() {
        Realign();
        Invalidate();
    }

    TAlignment alignment_ = taCenter;
    TBevelCut bevelInner_ = bvNone;
    TBevelCut bevelOuter_ = bvRaised;
    int bevelWidth_ = 1;
    int borderWidth_ = 0;
    TBorderStyle borderStyle_ = bsNone;
    bool fullRepaint_ = true;
    bool locked_ = false;
};

class TPanel : public TCustomPanel {
    Z_CLASS(TPanel, TCustomPanel)
    Z_PUBLISHED {
        using C = TPanel;
        p.Property(L"ParentColor", &C::ParentColor, &C::SetParentColor).Default(false);
        p.Property(L"Alignment", &C::Alignment, &C::SetAlignment).Default(taCenter);
        p.Property(L"BevelInner", &C::BevelInner, &C::SetBevelInner).Default(bvNone);
        p.Property(L"BevelOuter", &C::BevelOuter, &C::SetBevelOuter).Default(bvRaised);
        p.Property(L"BevelWidth", &C::BevelWidth, &C::SetBevelWidth).Default(1);
        p.Property(L"BorderWidth", &C::BorderWidth, &C::SetBorderWidth).Default(0);
        p.Property(L"BorderStyle", &C::BorderStyle, &C::SetBorderStyle).Default(bsNone);
        p.Property(L"FullRepaint", &C::FullRepaint, &C::SetFullRepaint).Default(true);
        p.Property(L"Locked", &C::Locked, &C::SetLocked).Default(false);
    }

public:
    explicit TPanel(TComponent* AOwner) : TCustomPanel(AOwner) {}
};
