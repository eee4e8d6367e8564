#pragma once
// The action links of controls: a control follows its action's caption, enabled state, hint,
// visibility and handler while it still shows the action's values.

#include "WinControl.h"

class TControlActionLink : public TActionLink {
    Z_CLASS(TControlActionLink, TActionLink)
public:
    // Raises EInvalidCast for a client that is no TControl.
    void AssignClient(TObject* client) override;
    TControl* Client() const { return client_; }

    bool IsCaptionLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHintLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;
    void SetCaption(const String& value) override;
    void SetEnabled(bool value) override;
    void SetHint(const String& value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(const TNotifyEvent& value) override;

protected:
    TCustomAction* CustomAction() const { return As<TCustomAction>(Action()); }

private:
    TControl* client_ = nullptr;
};

// The link of windowed controls; the base of the links that controls with more to follow
// (a checked state, an image) derive.
class TWinControlActionLink : public TControlActionLink {
    Z_CLASS(TWinControlActionLink, TControlActionLink)
};
