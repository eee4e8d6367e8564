#pragma once
// TdxBarDropDownListBox: the list a combo item drops down. A borderless owner-drawn list window
// that floats above everything without taking the focus; the combo measures and draws its
// entries, the painter its border. The mouse tracks the entry under it; a release chooses that
// entry as the combo's ItemIndex. While the list was opened by a press whose button is still
// down it waits for the pointer to come in (the press then starts the list's own tracking); a
// release before that chooses nothing.

#include "ListBox.h"

class TdxBarCustomCombo;
class TdxBarPainter;

class TdxBarDropDownListBox : public TCustomListBox {
    Z_CLASS(TdxBarDropDownListBox, TCustomListBox)
    Z_MESSAGE_MAP(Z_MESSAGE(WM_NCCALCSIZE, WMNCCalcSize), Z_MESSAGE(WM_NCPAINT, WMNCPaint),
                  Z_MESSAGE(WM_ERASEBKGND, WMEraseBkgnd), Z_MESSAGE(WM_MOUSEMOVE, WMMouseMove),
                  Z_MESSAGE(WM_CAPTURECHANGED, WMCaptureChanged), Z_MESSAGE(WM_LBUTTONUP, WMLButtonUp),
                  Z_MESSAGE(WM_KEYDOWN, WMKeyDown), Z_MESSAGE(WM_MOUSEACTIVATE, WMMouseActivate))
public:
    TdxBarDropDownListBox(TComponent* owner, TdxBarCustomCombo* combo);

    TdxBarCustomCombo* Combo() const { return combo_; }
    // Set by the combo when a press opened the list and its button is still down.
    bool WaitsForCapture() const { return waitForCapture_; }
    void SetWaitsForCapture(bool value) { waitForCapture_ = value; }
    // The painter of the bar window that shows the list; nil without one.
    TdxBarPainter* GetPainter() const;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DrawItem(int index, TRect rect, TOwnerDrawState state) override;
    void DoClick() override;

private:
    void WMNCCalcSize(TMessage& m);
    void WMNCPaint(TMessage& m);
    void WMEraseBkgnd(TMessage& m) { m.Result = 1; }
    void WMMouseMove(TMessage& m);
    void WMCaptureChanged(TMessage& m);
    void WMLButtonUp(TMessage& m);
    void WMKeyDown(TMessage& m);
    void WMMouseActivate(TMessage& m) { m.Result = MA_NOACTIVATE; }

    TdxBarCustomCombo* combo_;
    bool waitForCapture_ = false;
};
