#pragma once
// The link between a bar item and its action. A property of the action counts as linked while
// the item still shows the action's value for it; the action's changes reach the item only
// through linked properties, so a value the user or the program gave the item by hand stays.

#include "Actions.h"
#include "dxBarComponent.h"
#include "dxBarForward.h"

class TdxBarItemActionLink : public TActionLink {
    Z_CLASS(TdxBarItemActionLink, TActionLink)
public:
    TdxBarItemActionLink() = default;
    TdxBarItem* Client() const { return client_; }
    // Raises EInvalidCast for a client that is not a bar item.
    void AssignClient(TObject* client) override;

    bool IsCaptionLinked() const override;
    bool IsCheckedLinked() const override;
    bool IsEnabledLinked() const override;
    bool IsHelpContextLinked() const override;
    bool IsHintLinked() const override;
    bool IsImageIndexLinked() const override;
    bool IsShortCutLinked() const override;
    bool IsVisibleLinked() const override;
    bool IsOnExecuteLinked() const override;

    void SetCaption(const String& value) override;
    void SetChecked(bool value) override;
    void SetEnabled(bool value) override;
    void SetHelpContext(THelpContext value) override;
    void SetHint(const String& value) override;
    void SetImageIndex(int value) override;
    void SetShortCut(TShortCut value) override;
    void SetVisible(bool value) override;
    void SetOnExecute(const TNotifyEvent& value) override;

private:
    TCustomAction* CustomAction() const { return static_cast<TCustomAction*>(Action()); }
    // The item's visibility as the action would set it: the value read from a description
    // while the item loads, else Visible.
    TdxBarItemVisible GetItemVisibility() const;

    TdxBarItem* client_ = nullptr;
};
