#pragma once
// The sub-menu editor: a small title bar that shows the links of a sub item or popup menu as a
// menu window hanging below it, so that commands can be dragged into the menu while the bars
// are customized. The menu follows the editor when it moves; the editor cannot be resized and
// takes the menu's width. One editor at most exists; it closes itself when the component whose
// links it shows is freed.

#include "Form.h"
#include "dxBarForward.h"

class TdxBarSubMenuControl;

class TdxBarSubMenuEditor : public TForm {
    Z_CLASS(TdxBarSubMenuEditor, TForm)
    Z_PUBLISHED {
        p.Method(L"FormActivate", &TdxBarSubMenuEditor::FormActivate);
        p.Method(L"FormClose", &TdxBarSubMenuEditor::FormClose);
        p.Method(L"FormDestroy", &TdxBarSubMenuEditor::FormDestroy);
    }
    Z_MESSAGE_MAP(Z_MESSAGE(WM_GETMINMAXINFO, WMGetMinMaxInfo), Z_MESSAGE(WM_MOVE, WMMove),
                  Z_MESSAGE(WM_NCLBUTTONDOWN, WMNCLButtonDown), Z_MESSAGE(CM_SHOWINGCHANGED, CMShowingChanged))

public:
    // Reads the stored description "dxBarSubMenuEditor".
    explicit TdxBarSubMenuEditor(TComponent* owner) : TForm(owner) {}

    TdxBarItemLinks* ItemLinks() const { return itemLinks_; }
    // Shows other links (the menu of the previous ones closes); nil closes the editor. The
    // links' owner is watched: when it is freed, the editor closes.
    void SetItemLinks(TdxBarItemLinks* links);
    // Releases the editor (frees it at once when it has no window); nothing while it is being
    // freed already.
    void CloseEditor();
    // Moves the window right or down so that its top-left corner lies in the work area of its
    // monitor.
    void KeepOnWorkArea();
    // The menu window of the links, nil while there is none.
    TdxBarSubMenuControl* MenuControl() const;

protected:
    void CreateParams(TCreateParams& Params) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void FormActivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormDestroy(TObject* Sender);
    void WMGetMinMaxInfo(TMessage& Message);
    void WMMove(TMessage& Message);
    void WMNCLButtonDown(TMessage& Message);
    void CMShowingChanged(TMessage& Message);
    void HideMenu();
    void WatchLinksOwner(TComponent* owner);

    TdxBarItemLinks* itemLinks_ = nullptr;
    TComponent* linksOwner_ = nullptr;
    int menuWidth_ = 0;
};

// The one editor, nil while none exists.
TdxBarSubMenuEditor* SubMenuEditorInstance();
// Switches the links' manager into customizing mode and shows the editor for the links (made
// when none exists).
void ShowSubMenuEditor(TdxBarItemLinks* links);
