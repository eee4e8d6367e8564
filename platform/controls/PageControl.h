#pragma once
// TPageControl and TTabSheet: pages of controls under a row of tabs, over the common controls'
// tab class. Each page is a TTabSheet child of the page control; a tab click (or ActivePage)
// shows its page and hides the others.

#include <vector>

#include "SystemControl.h"

class TPageControl;

class TTabSheet : public TWinControl {
    Z_CLASS(TTabSheet, TWinControl)
    Z_PUBLISHED {
        // The page control shows and hides its pages itself.
        p.Property(L"Visible", &TTabSheet::Visible, &TTabSheet::SetVisible).Stored(false);
        p.Property(L"TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible).Default(true);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CM_TEXTCHANGED, CMTextChanged))

public:
    explicit TTabSheet(TComponent* AOwner);
    TPageControl* PageControl() const;
    void SetPageControl(TPageControl* v);
    int PageIndex() const;
    void SetPageIndex(int v);
    // The page's position among the shown tabs; -1 when its tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return tabVisible_; }
    void SetTabVisible(bool v);

private:
    void CMTextChanged(TMessage& Message);
    bool tabVisible_ = true;
};

class TPageControl : public TSystemControl {
    Z_CLASS(TPageControl, TSystemControl)
    Z_PUBLISHED {
        p.Property(L"TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop).Default(true);
        p.Property(L"MultiLine", &TPageControl::MultiLine, &TPageControl::SetMultiLine).Default(false);
        p.Property(L"ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
        p.Event(L"OnChange", &TPageControl::OnChange);
        p.Event(L"OnChanging", &TPageControl::OnChanging);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(CN_NOTIFY, CNNotify), Z_MESSAGE(CM_CONTROLLISTCHANGE, CMControlListChange))

public:
    explicit TPageControl(TComponent* AOwner);

    int PageCount() const { return int(pages_.size()); }
    TTabSheet* Pages(int index) const;
    TTabSheet* ActivePage() const { return activePage_; }
    void SetActivePage(TTabSheet* v);
    int ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }
    void SetActivePageIndex(int v) { SetActivePage(v >= 0 && v < PageCount() ? Pages(v) : nullptr); }
    // Moves to the next (previous) page whose tab shows, wrapping around, as a tab click would.
    void SelectNextPage(bool goForward);
    bool MultiLine() const { return multiLine_; }
    void SetMultiLine(bool v);

    // The pages' area under the tabs.
    void AdjustClientRect(TRect& rect) override;
    void Loaded() override;

    // A tab click: OnChanging may refuse it; OnChange follows the change.
    TNotifyEvent OnChange;
    TEvent<void(TObject* Sender, bool& AllowChange)> OnChanging;

protected:
    const wchar_t* SystemClassName() const override { return WC_TABCONTROLW; }
    void CreateParams(TCreateParams& Params) override;
    void FillWindow() override;
    void AlignControls(TControl* AControl, TRect& rect) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual bool CanChange();
    virtual void Change() {
        if (OnChange) OnChange(this);
    }

private:
    friend class TTabSheet;
    void CNNotify(TMessage& Message);
    void CMControlListChange(TMessage& Message);
    void ShowTabs();
    void MovePage(TTabSheet* page, int index);

    std::vector<TTabSheet*> pages_;
    TTabSheet* activePage_ = nullptr;
    bool multiLine_ = false;
};
