#include "dxStatusBarTextPanel.h"

#include "AssignIfChanged.h"
#include "cxGraphics.h"
#include "dxStatusBar.h"
#include "dxStatusBarPainter.h"

void TdxStatusBarTextPanelStyle::SetAutoHint(bool value) {
    if (value == autoHint_) return;
    if (TdxCustomStatusBar* bar = value ? StatusBar() : nullptr)
        for (int i = 0; i < bar->Panels()->Count(); ++i)
            if (auto* text = As<TdxStatusBarTextPanelStyle>(bar->Panels()->Items(i)->PanelStyle()))
                text->autoHint_ = false;
    autoHint_ = value;
}

void TdxStatusBarTextPanelStyle::SetEllipsisType(TdxStatusBarEllipsisType value) {
    if (AssignIfChanged(ellipsisType_, value)) Changed();
}

void TdxStatusBarTextPanelStyle::SetImageIndex(int value) {
    if (AssignIfChanged(imageIndex_, value)) Changed();
}

void TdxStatusBarTextPanelStyle::DoAssign(TdxStatusBarPanelStyle* source) {
    TdxStatusBarPanelStyle::DoAssign(source);
    if (auto* text = As<TdxStatusBarTextPanelStyle>(source)) {
        autoHint_ = text->autoHint_;
        ellipsisType_ = text->ellipsisType_;
        imageIndex_ = text->imageIndex_;
        OnGetText = text->OnGetText;
    }
}

void TdxStatusBarTextPanelStyle::RestoreDefaults() {
    autoHint_ = false;
    ellipsisType_ = dxetNone;
    imageIndex_ = -1;
    TdxStatusBarPanelStyle::RestoreDefaults();
}

void TdxStatusBarTextPanelStyle::DrawContent(TcxCanvas* canvas, const TRect& r, TdxStatusBarPainterClass painter) {
    TdxStatusBarPanelStyle::DrawContent(canvas, r, painter);
    TdxCustomStatusBar* bar = StatusBar();
    TRect textRect = r;
    TCustomImageList* images = bar->Images();
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        images->Draw(canvas->Canvas(), r.left + 1, (r.top + r.bottom) / 2 - images->Height() / 2, imageIndex_,
                     bar->Enabled());
        textRect.left = r.left + images->Width() + 2;
    }
    canvas->GetCanvasBrush()->SetStyle(bsClear);
    TColor color = Font()->Color();
    painter->AdjustPanelTextColor(bar, color, true);
    AdjustTextColor(color, true);
    canvas->SetCanvasFont(Font());
    canvas->GetCanvasFont()->SetColor(color);
    InflateRect(&textRect, -2, 0);
    String text = Owner()->Text();
    textRect = painter->AdjustPanelTextRect(bar, Owner(), textRect);
    if (OnGetText) OnGetText(this, textRect, text);
    static const Word alignments[] = {cxAlignLeft, cxAlignRight, cxAlignHCenter};
    static const Word ellipses[] = {0, cxShowEndEllipsis, cxShowPathEllipsis};
    const Word flags = alignments[Alignment()] | cxAlignVCenter | cxSingleLine | ellipses[ellipsisType_];
    canvas->DrawTextInRect(text, textRect, flags, bar->Enabled());
    canvas->GetCanvasBrush()->SetStyle(bsSolid);
}
