#pragma once
// The container panel style and its child window: a panel that hosts other controls in a
// TdxStatusBarContainerControl placed over the panel's content (clear of the size grip), which
// shows the bar's background behind them.
//
// Sections: the container control · the style.

#include "cxControl.h"
#include "dxStatusBarPanelStyle.h"

class TdxStatusBarContainerPanelStyle;

// ---- the container control -----------------------------------------------------------------

class TdxStatusBarContainerControl : public TcxControl {
    Z_CLASS(TdxStatusBarContainerControl, TcxControl)
public:
    explicit TdxStatusBarContainerControl(TComponent* AOwner);
    // Leaves its style, and the panel keeps no style.
    ~TdxStatusBarContainerControl() override;

    // The container style that uses this control, or nil.
    TdxStatusBarContainerPanelStyle* PanelStyle() const { return panelStyle_; }

protected:
    void Paint() override;
    bool IsFocusable() const override { return false; }
    bool HasScrollBars() const override { return false; }

private:
    friend class TdxStatusBarContainerPanelStyle;
    TdxStatusBarContainerPanelStyle* panelStyle_ = nullptr;
};

// ---- the style -----------------------------------------------------------------------------

class TdxStatusBarContainerPanelStyle : public TdxStatusBarPanelStyle {
    Z_CLASS(TdxStatusBarContainerPanelStyle, TdxStatusBarPanelStyle)
    Z_PUBLISHED {
        p.Property(L"AlignControl", &TdxStatusBarContainerPanelStyle::AlignControl,
                   &TdxStatusBarContainerPanelStyle::SetAlignControl)
            .Default(true);
        p.Property(L"Container", &TdxStatusBarContainerPanelStyle::Container,
                   &TdxStatusBarContainerPanelStyle::SetContainer);
    }

public:
    // Makes its container (owned by the bar's owner, parented to the bar), unless the bar is
    // being read or updated: then the description supplies it.
    explicit TdxStatusBarContainerPanelStyle(TdxStatusBarPanel* owner);
    ~TdxStatusBarContainerPanelStyle() override;

    // The hosted controls fill the container.
    bool AlignControl() const { return alignControl_; }
    void SetAlignControl(bool value);
    TdxStatusBarContainerControl* Container() const { return container_; }
    // Links the control; clearing frees the old one, except while the bar is being read,
    // destroyed or updated (then it is only let go).
    void SetContainer(TdxStatusBarContainerControl* value);

    // False for a container that an ancestor form introduced.
    bool CanDelete() const override;
    void DoAssign(TdxStatusBarPanelStyle* source) override;
    // The background, then the container placed over the content.
    void DrawContent(TcxCanvas* canvas, const TRect& r, TdxStatusBarPainterClass painter) override;
    void RestoreDefaults() override;
    // The container shows and hides with its panel.
    void VisibleChanged() override;

private:
    friend class TdxStatusBarContainerControl;
    bool alignControl_ = true;
    TdxStatusBarContainerControl* container_ = nullptr;
};
