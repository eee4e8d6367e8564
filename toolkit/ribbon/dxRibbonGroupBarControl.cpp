#include "dxRibbonGroupBarControl.h"

#include "cxObjectLinks.h"
#include "dxRibbonAccessibility.h"
#include "dxBarItem.h"
#include "dxBarItemControl.h"
#include "dxBarItemControlViewInfo.h"
#include "dxBarItemLinks.h"

// One item control as the calculator sees it: the control's own view info, with the place in
// its button group kept here (the calculator sets it anew in every pass).
class TdxRibbonGroupBarControlViewInfo::TItemLayout final : public IdxBarItemControlViewInfo {
public:
    explicit TItemLayout(TdxBarItemControlViewInfo* info) : info_(info) {}
    TdxBarItemControlViewInfo* Info() const { return info_; }
    TdxBarItemLink* Link() const { return info_->Control()->Link(); }

    void CallHook() override { info_->CallHook(); }
    int GetColumnRowCount() override { return info_->GetColumnRowCount(); }
    void SetColumnRowCount(int count) override { info_->SetColumnRowCount(count); }
    TdxBarButtonGroupPosition GetButtonGroupPosition() override { return info_->GetButtonGroupPosition(); }
    TdxBarButtonGroupPlace GetResolvedButtonGroupPosition() override { return place_; }
    void SetResolvedButtonGroupPosition(TdxBarButtonGroupPlace place) override { place_ = place; }
    TdxBarItemViewLevel GetViewLevel() override { return info_->GetViewLevel(); }
    void SetViewLevel(TdxBarItemViewLevel level) override { info_->SetViewLevel(level); }
    TdxBarItemViewLevels GetAllowedViewLevels() override { return info_->GetAllowedViewLevels(); }
    TdxBarItemViewLevel GetMinViewLevel() override { return info_->GetMinViewLevel(); }
    int GetWidthForLevel(TdxBarItemViewLevel level) override { return info_->GetWidthForLevel(level); }
    bool BeginsNewGroup() override { return info_->BeginsNewGroup(); }
    bool IsDistributed() override { return distributed_.value_or(info_->IsDistributed()); }
    // Links are distributed unless told otherwise: a cleared flag is the user's.
    bool IsDistributedExplicitly() override { return !info_->IsDistributed(); }
    void SetDistributed(bool value) override { distributed_ = value; }
    TdxBarItemPosition GetLinkPosition() override { return info_->GetLinkPosition(); }
    TdxBarItemAlign GetAlign() override {
        TdxBarItem* item = info_->Control()->Item();
        return item ? item->Align() : iaLeft;
    }
    IColumnedItemControl* IsMultiColumn() override { return nullptr; }
    TRect GetBounds() override { return info_->GetBounds(); }
    void SetBounds(const TRect& r) override { info_->SetBounds(r); }
    int GetRowIndex() override { return info_->GetRowIndex(); }
    void SetRowIndex(int row) override { info_->SetRowIndex(row); }

private:
    TdxBarItemControlViewInfo* info_;
    TdxBarButtonGroupPlace place_ = bgplNone;
    // What the layout decided for the item's run; the link's own flag stays as the user set it.
    std::optional<bool> distributed_;
};

// ---- TdxRibbonGroupBarControlViewInfo -----------------------------------------------------

TdxRibbonGroupBarControlViewInfo::TdxRibbonGroupBarControlViewInfo(TCustomdxBarControl* barControl)
    : TCustomdxBarControlViewInfo(barControl), host_(std::make_unique<TdxRibbonGroupBarControlViewInfoHelper>(this)) {}

TdxRibbonGroupBarControlViewInfo::~TdxRibbonGroupBarControlViewInfo() = default;

IdxBarItemControlViewInfo* TdxRibbonGroupBarControlViewInfo::LayoutItem(int index) const {
    return layouts_.at(size_t(index)).get();
}

IPtr<IdxRibbonGroupLayoutCalculator> TdxRibbonGroupBarControlViewInfo::CreateLayoutCalculator() {
    return IPtr<IdxRibbonGroupLayoutCalculator>(new TdxRibbonGroupLayoutCalculator(itemRowHeight_, RowsPerGroup));
}

void TdxRibbonGroupBarControlViewInfo::RebuildItems() {
    ClearItems();
    layouts_.clear();
    groupCollapsed_ = false;
    TdxBarItemLinks* links = BarControl()->ItemLinks();
    if (links && links->GetShownLinkCount() > 0)
        for (int i = 0; i < links->GetShownLinkCount(); ++i)
            if (TdxBarItemControl* control = links->GetShownLink(i)->Control()) {
                AppendItemViewInfo(control->ViewInfo());
                layouts_.push_back(std::make_unique<TItemLayout>(control->ViewInfo()));
            }
    calculatorRef_ = CreateLayoutCalculator();
    calculatorRef_->InitializeItems(*host_);
}

void TdxRibbonGroupBarControlViewInfo::Calculate() {
    if (!calculatorRef_) return;  // only inside a pass
    if (!groupCollapsed_) {
        calculatorRef_->LayOutGroup(*host_);
        return;
    }
    contentSize_ = TSize{collapsedWidth_, itemRowHeight_ * RowsPerGroup};
    ClearSeparatorData();
    for (auto& layout : layouts_) layout->SetBounds(TRect{});
}

void TdxRibbonGroupBarControlViewInfo::FinishLayout() {
    calculatorRef_.reset();
    bool changed = false;
    for (auto& layout : layouts_) {
        const TRect r = groupCollapsed_ ? TRect{} : layout->GetBounds();
        TdxBarItemLink* link = layout->Link();
        if (!EqualRect(&r, &link->ItemRect())) changed = true;
        link->SetItemRect(r);
    }
    if (changed && BarControl()->HandleAllocated()) BarControl()->Invalidate();
}

void TdxRibbonGroupBarControlViewInfo::BeginReduction() {
    if (calculatorRef_) calculatorRef_->BeginReduction(*host_);
}

bool TdxRibbonGroupBarControlViewInfo::NarrowColumnedItem() {
    return calculatorRef_ && calculatorRef_->NarrowColumnedItem(*host_);
}

bool TdxRibbonGroupBarControlViewInfo::FoldColumnedItem() {
    return calculatorRef_ && calculatorRef_->FoldColumnedItem(*host_);
}

bool TdxRibbonGroupBarControlViewInfo::ReduceToViewLevel(TdxBarItemViewLevel level) {
    return calculatorRef_ && calculatorRef_->ReduceToViewLevel(*host_, level);
}

// ---- TdxRibbonGroupBarControlViewInfoHelper -----------------------------------------------

void TdxRibbonGroupBarControlViewInfoHelper::AppendSeparator(const TdxRibbonGroupSeparator& s) {
    viewInfo_->AppendSeparatorData(s.bounds, s.kind, nullptr);
}

void TdxRibbonGroupBarControlViewInfoHelper::ClearSeparators() { viewInfo_->ClearSeparatorData(); }

void TdxRibbonGroupBarControlViewInfoHelper::GetSpacing(int& buttonGroupSpacing, int& leftIndent, int& rightIndent) {
    buttonGroupSpacing = 3;
    leftIndent = 2;
    rightIndent = 2;
}

TdxRibbonGroupSeparator TdxRibbonGroupBarControlViewInfoHelper::GetSeparator(int index) {
    const TdxBarSeparatorInfo& data = viewInfo_->GetSeparatorData(index);
    return {data.bounds, data.kind};
}

void TdxRibbonGroupBarControlViewInfoHelper::SetSeparator(int index, const TdxRibbonGroupSeparator& s) {
    TdxBarSeparatorInfo data = viewInfo_->GetSeparatorData(index);
    data.bounds = s.bounds;
    data.kind = s.kind;
    viewInfo_->SetSeparatorData(index, data);
}

// ---- TdxRibbonGroupBarControl -------------------------------------------------------------

TdxRibbonGroupBarControl::TdxRibbonGroupBarControl(TComponent* manager) : TCustomdxBarControl(manager) {}

TdxRibbonGroupBarControlViewInfo* TdxRibbonGroupBarControl::GroupViewInfo() {
    return static_cast<TdxRibbonGroupBarControlViewInfo*>(ViewInfo());
}

void TdxRibbonGroupBarControl::AssignItemLinks(TdxBarItemLinks* links) {
    TCustomdxBarControl::AssignItemLinks(links);
    RecreateControls();
}

void TdxRibbonGroupBarControl::LayOutAlone() {
    TdxRibbonGroupBarControlViewInfo* info = GroupViewInfo();
    info->RebuildItems();
    try {
        info->Calculate();
    } catch (...) {
        info->FinishLayout();
        throw;
    }
    info->FinishLayout();
    SetBounds(Left(), Top(), info->GetWidth(), info->ContentSize().cy + info->NonContentSize().cy);
}

void TdxRibbonGroupBarControl::PressItemControl(TdxBarItemControl* control) {
    if (control && control->IsEnabled() && control->AcceptsMouse()) {
        TcxObjectLinkGuard self(this);
        TcxObjectLinkGuard controlAlive(control);
        SelectAndActivate(control);
        if (!self.Alive() || !controlAlive.Alive()) return;
    }
    TCustomdxBarControl::PressItemControl(control);
}

void TdxRibbonGroupBarControl::Rebuild(bool recreate) {
    TCustomdxBarControl::Rebuild(recreate);
    LayOutAlone();
}

void TdxRibbonGroupBarControl::FillBk(HDC dc, const TRect& r, bool, TColor, HBRUSH) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
}

void TdxRibbonGroupBarControl::Paint() {
    FillBk(Canvas()->Handle(), ClientRect(), false, clNone, nullptr);
    DrawItems();
}

const TcxAccessibilityHelperMeta* TdxRibbonGroupBarControl::GetAccessHelperClass() const {
    return TdxRibbonGroupBarControlAccessibilityHelper::StaticClass();
}
