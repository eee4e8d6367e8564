#include "dxRibbonGroupLayoutCalculator.h"

#include <algorithm>
#include <climits>

// One layout or reduction call over a host: the item predicates, all read through the items.
class TdxRibbonGroupLayoutCalculator::TPass {
public:
    TPass(TdxRibbonGroupLayoutCalculator& owner, IdxRibbonGroupLayoutHost& host)
        : calc(owner), host(host), count(host.CountItems()) {}

    IdxBarItemControlViewInfo& Item(int i) const { return *host.GetItem(i); }
    bool InRange(int i) const { return i >= 0 && i < count; }

    IColumnedItemControl* UnfoldedColumned(int i) const {
        IColumnedItemControl* columned = Item(i).IsMultiColumn();
        return columned && !columned->IsFolded() ? columned : nullptr;
    }
    bool IsWholeHeight(int i) const {
        return UnfoldedColumned(i) || Item(i).GetViewLevel() == ivlLargeIconWithText;
    }
    bool IsLargeOnly(int i) const {
        return UnfoldedColumned(i) || Item(i).GetAllowedViewLevels() == TdxBarItemViewLevels{ivlLargeIconWithText};
    }
    TdxBarButtonGroupPlace Place(int i) const { return Item(i).GetResolvedButtonGroupPosition(); }
    // A place that may start something: an item outside a button group, or a group's first.
    bool PlaceStarts(int i) const {
        TdxBarButtonGroupPlace place = Place(i);
        return place == bgplNone || place == bgplFirst || place == bgplSingle;
    }
    bool EndsButtonGroup(int i) const { return Place(i) == bgplLast || Place(i) == bgplSingle; }
    bool StartsButtonGroup(int i) const { return Place(i) == bgplFirst || Place(i) == bgplSingle; }
    bool IsNewColumn(int i) const {
        return Item(i).BeginsNewGroup() || (Item(i).GetLinkPosition() == ipBeginsNewColumn && PlaceStarts(i));
    }
    TdxBarButtonGroupPosition GroupPosition(int i) const {
        return IsLargeOnly(i) ? bgpNone : Item(i).GetButtonGroupPosition();
    }
    bool InHorizontalBox(int i, bool mayBegin) const {
        TdxBarButtonGroupPlace place = Place(i);
        if (place == bgplMiddle || place == bgplLast) return true;
        if (mayBegin && place == bgplFirst) return true;
        if (mayBegin && InRange(i + 1) && !IsNewColumn(i + 1) && Item(i + 1).GetLinkPosition() == ipContinuesRow)
            return true;
        return Item(i).GetLinkPosition() == ipContinuesRow && i > 0 && !IsNewColumn(i);
    }
    int CurrentWidth(int i) const { return Item(i).GetWidthForLevel(Item(i).GetViewLevel()); }

    // Moves an item and the separator placed before it.
    void Shift(int i, int dx) const {
        TRect r = Item(i).GetBounds();
        OffsetRect(&r, dx, 0);
        Item(i).SetBounds(r);
        int separator = calc.itemSeparatorIndex_[size_t(i)];
        if (separator >= 0) {
            TdxRibbonGroupSeparator s = host.GetSeparator(separator);
            OffsetRect(&s.bounds, dx, 0);
            host.SetSeparator(separator, s);
        }
    }
    int Column(int i) const { return calc.itemColumnIndex_[size_t(i)]; }
    int FirstOfColumn(int i) const {
        while (i > 0 && Column(i - 1) == Column(i)) --i;
        return i;
    }

    void ComputeButtonGroupPlaces() const;
    void LayOut();
    void OpenNewColumn(int lastOfEndingColumn);
    void AdjustColumnSpacing(int e);
    void PlaceSeparator(int i);
    void PlaceWholeHeightItem(int i);
    void PlaceRun(int first, int last);
    void AlignColumn(int i, int width);
    void DistributeRun(int first, int last);
    // Skips the horizontal box at k; answers whether it holds a whole-height item.
    bool SkipHorizontalBox(int& k) const;

    TdxRibbonGroupLayoutCalculator& calc;
    IdxRibbonGroupLayoutHost& host;
    int count;
    int buttonGroupSpacing = 0;
};

void TdxRibbonGroupLayoutCalculator::TPass::ComputeButtonGroupPlaces() const {
    auto continuesGroup = [&](int i) {
        return InRange(i + 1) && GroupPosition(i + 1) == bgpMember && !Item(i + 1).BeginsNewGroup();
    };
    for (int i = 0; i < count; ++i) {
        TdxBarButtonGroupPlace place = bgplNone;
        switch (GroupPosition(i)) {
            case bgpStart:
                place = continuesGroup(i) ? bgplFirst : bgplSingle;
                break;
            case bgpMember:
                if (!Item(i).BeginsNewGroup() && i > 0 && (Place(i - 1) == bgplFirst || Place(i - 1) == bgplMiddle))
                    place = continuesGroup(i) ? bgplMiddle : bgplLast;
                break;
            default:
                break;
        }
        Item(i).SetResolvedButtonGroupPosition(place);
    }
}

void TdxRibbonGroupLayoutCalculator::TPass::LayOut() {
    host.ClearSeparators();
    calc.columnIndex_ = -1;
    calc.usedWidth_ = 0;
    // -1 never matches a column being filled, so walks stop at items not yet placed.
    calc.itemColumnIndex_.assign(size_t(count), -1);
    calc.itemSeparatorIndex_.assign(size_t(count), -1);
    int leftIndent = 0, rightIndent = 0;
    host.GetSpacing(buttonGroupSpacing, leftIndent, rightIndent);

    int i = 0;
    while (i < count) {
        int j = i;
        while (j < count && !IsWholeHeight(j) && !(j > i && IsNewColumn(j))) ++j;
        if (j > i) {
            OpenNewColumn(i - 1);
            PlaceRun(i, j - 1);
        }
        i = j;
        while (i < count && IsWholeHeight(i)) {
            OpenNewColumn(i - 1);
            PlaceWholeHeightItem(i);
            ++i;
        }
    }
    AdjustColumnSpacing(count - 1);

    for (int k = 0; k < count; ++k) Shift(k, leftIndent);
    calc.usedWidth_ += leftIndent + rightIndent;

    int minWidth = std::max(host.GetMinContentWidth(), 30);
    if (calc.usedWidth_ < minWidth) {
        if (calc.usedWidth_ != 0)
            for (int k = 0; k < count; ++k) Shift(k, (minWidth - calc.usedWidth_) / 2);
        calc.usedWidth_ = minWidth;
    }
    host.SetContentSize(TSize{calc.usedWidth_, calc.GroupHeight()});
    for (int k = 0; k < count; ++k) Item(k).CallHook();
}

void TdxRibbonGroupLayoutCalculator::TPass::OpenNewColumn(int lastOfEndingColumn) {
    AdjustColumnSpacing(lastOfEndingColumn);
    ++calc.columnIndex_;
}

// Keeps button groups of neighbouring columns apart by the button-group spacing.
void TdxRibbonGroupLayoutCalculator::TPass::AdjustColumnSpacing(int e) {
    if (calc.columnIndex_ <= 0 || !InRange(e)) return;
    int f = FirstOfColumn(e);
    if (f == 0 || Item(f).BeginsNewGroup()) return;

    int rightEdge = INT_MIN, groupRightEdge = -1;
    for (int p = f - 1; p >= 0 && Column(p) == Column(f - 1); --p) {
        TRect r = Item(p).GetBounds();
        rightEdge = std::max(rightEdge, int(r.right));
        if (EndsButtonGroup(p)) groupRightEdge = std::max(groupRightEdge, int(r.right));
    }
    int leftEdge = Item(f).GetBounds().left, groupLeftEdge = INT_MAX;
    for (int k = f; k <= e; ++k)
        if (StartsButtonGroup(k)) groupLeftEdge = std::min(groupLeftEdge, int(Item(k).GetBounds().left));

    int s = buttonGroupSpacing;
    int a = groupRightEdge != -1 && leftEdge - groupRightEdge < s ? s - (leftEdge - groupRightEdge) : 0;
    int b = groupLeftEdge != INT_MAX && groupLeftEdge - rightEdge < s ? s - (groupLeftEdge - rightEdge) : 0;
    int shift = std::max(a, b);
    if (shift > 0) {
        for (int k = f; k <= e; ++k) Shift(k, shift);
        calc.usedWidth_ += shift;
    }
}

void TdxRibbonGroupLayoutCalculator::TPass::PlaceSeparator(int i) {
    int& used = calc.usedWidth_;
    host.AppendSeparator({Rect(used, 5, used + 8, calc.GroupHeight() - 6), 1});
    used += 8;
    calc.itemSeparatorIndex_[size_t(i)] = host.CountSeparators() - 1;
}

void TdxRibbonGroupLayoutCalculator::TPass::PlaceWholeHeightItem(int i) {
    if (Item(i).BeginsNewGroup()) PlaceSeparator(i);
    int w = CurrentWidth(i);
    Item(i).SetBounds(Rect(calc.usedWidth_, 0, calc.usedWidth_ + w, calc.GroupHeight()));
    calc.itemColumnIndex_[size_t(i)] = calc.columnIndex_;
    Item(i).SetRowIndex(0);
    calc.usedWidth_ += w;
}

void TdxRibbonGroupLayoutCalculator::TPass::PlaceRun(int first, int last) {
    if (Item(first).BeginsNewGroup()) PlaceSeparator(first);
    int& used = calc.usedWidth_;
    int rowHeight = calc.rowPixelHeight_;
    int row = 0, x = used, right = used, start = first;
    for (int i = first; i <= last; ++i) {
        if (i > first && Item(i).GetLinkPosition() == ipBeginsNewRow && PlaceStarts(i)) {
            ++row;
            if (row < calc.rowsPerGroup_) {
                x = used;
            } else {
                AlignColumn(start, right - used);
                start = i;
                row = 0;
                used = right;
                OpenNewColumn(i - 1);
                x = right = used;
            }
        }
        int w = CurrentWidth(i);
        calc.itemColumnIndex_[size_t(i)] = calc.columnIndex_;
        Item(i).SetRowIndex(row);
        if (PlaceStarts(i) && i > first && Column(i - 1) == Column(i) && Item(i - 1).GetRowIndex() == row) {
            bool spaced = StartsButtonGroup(i) || (Place(i) == bgplNone && EndsButtonGroup(i - 1));
            if (spaced) x += buttonGroupSpacing;
        }
        Item(i).SetBounds(Rect(x, rowHeight * row, x + w, rowHeight * (row + 1)));
        x += w;
        right = std::max(right, x);
    }
    AlignColumn(start, right - used);
    used = right;

    // The run follows the first flag its user set, else its first item's.
    int decider = first;
    for (int i = first; i <= last; ++i)
        if (Item(i).IsDistributedExplicitly()) {
            decider = i;
            break;
        }
    bool distributed = Item(decider).IsDistributed();
    for (int i = first; i <= last; ++i) Item(i).SetDistributed(distributed);
    if (distributed) DistributeRun(first, last);
}

void TdxRibbonGroupLayoutCalculator::TPass::AlignColumn(int i, int width) {
    int column = Column(i);
    int k = i;
    while (InRange(k) && Column(k) == column) {
        int rowEnd = k;
        while (InRange(rowEnd + 1) && Column(rowEnd + 1) == column &&
               Item(rowEnd + 1).GetRowIndex() == Item(k).GetRowIndex())
            ++rowEnd;
        if (rowEnd == k) {  // a row of two or more items keeps its places
            TRect r = Item(k).GetBounds();
            int w = RectWidth(r);
            switch (Item(k).GetAlign()) {
                case iaCenter: OffsetRect(&r, (width - w) / 2, 0); break;
                case iaRight: OffsetRect(&r, width - w, 0); break;
                case iaClient: r.right = r.left + width; break;
                default: break;
            }
            Item(k).SetBounds(r);
        }
        k = rowEnd + 1;
    }
}

// Spreads the rows of each column of the run evenly over the group height.
void TdxRibbonGroupLayoutCalculator::TPass::DistributeRun(int first, int last) {
    int height = calc.GroupHeight();
    int rowHeight = calc.rowPixelHeight_;
    int k = first;
    while (k <= last) {
        int a = k;
        while (a + 1 <= last && Column(a + 1) == Column(k)) ++a;
        int rows = Item(a).GetRowIndex() + 1;
        if (rows < calc.rowsPerGroup_) {
            int gap = (height - rowHeight * rows) / (rows + 1);
            for (int i = k; i <= a; ++i) {
                TRect r = Item(i).GetBounds();
                r.top = height - (rows - Item(i).GetRowIndex()) * (gap + rowHeight);
                r.bottom = r.top + rowHeight;
                Item(i).SetBounds(r);
            }
        }
        for (int i = k; i <= a; ++i) Item(i).SetColumnRowCount(rows);
        k = a + 1;
    }
}

bool TdxRibbonGroupLayoutCalculator::TPass::SkipHorizontalBox(int& k) const {
    bool holdsWholeHeight = IsWholeHeight(k);
    ++k;
    while (InRange(k) && InHorizontalBox(k, false)) {
        holdsWholeHeight = holdsWholeHeight || IsWholeHeight(k);
        ++k;
    }
    return holdsWholeHeight;
}

TdxRibbonGroupLayoutCalculator::TdxRibbonGroupLayoutCalculator(int rowPixelHeight, int rowsPerGroup)
    : rowsPerGroup_(rowsPerGroup), rowPixelHeight_(rowPixelHeight) {}

void TdxRibbonGroupLayoutCalculator::InitializeItems(IdxRibbonGroupLayoutHost& host) {
    TPass pass(*this, host);
    pass.ComputeButtonGroupPlaces();
    for (int i = 0; i < pass.count; ++i) {
        IdxBarItemControlViewInfo& item = pass.Item(i);
        item.SetBounds(TRect{});
        if (item.GetResolvedButtonGroupPosition() != bgplNone)
            item.SetViewLevel(item.GetMinViewLevel());
        else
            item.SetViewLevel(TdxBarItemViewLevel(GetFirstViewLevel(item.GetAllowedViewLevels())));
        if (IColumnedItemControl* columned = item.IsMultiColumn()) {
            columned->SetFolded(false);
            columned->SetColumnCount(columned->GetMaxColumnCount());
        }
    }
}

void TdxRibbonGroupLayoutCalculator::LayOutGroup(IdxRibbonGroupLayoutHost& host) {
    TPass pass(*this, host);
    pass.LayOut();
}

bool TdxRibbonGroupLayoutCalculator::NarrowColumnedItem(IdxRibbonGroupLayoutHost& host) {
    TPass pass(*this, host);
    for (int i = pass.count - 1; i >= 0; --i) {
        IColumnedItemControl* columned = pass.UnfoldedColumned(i);
        if (columned && columned->GetMinColumnCount() < columned->GetColumnCount()) {
            columned->SetColumnCount(columned->GetColumnCount() - 1);
            pass.LayOut();
            return true;
        }
    }
    return false;
}

bool TdxRibbonGroupLayoutCalculator::FoldColumnedItem(IdxRibbonGroupLayoutHost& host) {
    TPass pass(*this, host);
    for (int i = pass.count - 1; i >= 0; --i) {
        IColumnedItemControl* columned = pass.UnfoldedColumned(i);
        if (columned && columned->CanFold()) {
            columned->SetFolded(true);
            pass.LayOut();
            return true;
        }
    }
    return false;
}

void TdxRibbonGroupLayoutCalculator::BeginReduction(IdxRibbonGroupLayoutHost& host) {
    TPass pass(*this, host);
    sequences_.clear();
    int k = 0;
    for (;;) {
        TSequence sequence = BuildSequence(pass, k);
        if (sequence.empty()) break;
        sequences_.push_back(std::move(sequence));
    }
    sequenceCursor_ = int(sequences_.size()) - 1;
    reduceCursor_ = pass.count - 1;
}

TdxRibbonGroupLayoutCalculator::TSequence TdxRibbonGroupLayoutCalculator::BuildSequence(TPass& pass, int& k) {
    TSequence sequence;
    while (sequence.empty() && pass.InRange(k)) {
        // The leading part: what lies before the sequence's first large item.
        int units = 0;
        while (pass.InRange(k)) {
            if (pass.IsLargeOnly(k)) {
                ++k;
                continue;
            }
            if (pass.InHorizontalBox(k, true)) {
                if (!pass.SkipHorizontalBox(k)) {
                    units = 1;
                    break;
                }
                continue;
            }
            if (!pass.IsWholeHeight(k)) {
                units = 1;
                ++k;
            }
            break;
        }
        if (pass.InRange(k) && pass.IsWholeHeight(k) && !pass.IsLargeOnly(k)) {
            sequence.push_back({&pass.Item(k), units, 0});
            units = 0;
            ++k;
        }
        while (pass.InRange(k) && !pass.IsLargeOnly(k) && !pass.IsNewColumn(k)) {
            if (pass.InHorizontalBox(k, true)) {
                if (pass.SkipHorizontalBox(k)) break;
                ++units;
            } else if (!pass.IsWholeHeight(k)) {
                ++k;
                ++units;
            } else {
                if (!sequence.empty()) sequence.back().rowsAfter = units;
                sequence.push_back({&pass.Item(k), units, 0});
                units = 0;
                ++k;
            }
        }
        if (!sequence.empty() && units > 0) sequence.back().rowsAfter = units;
    }
    return sequence;
}

bool TdxRibbonGroupLayoutCalculator::ReduceToViewLevel(IdxRibbonGroupLayoutHost& host, TdxBarItemViewLevel level) {
    TPass pass(*this, host);
    if (pass.count == 0) return false;
    if (level == ivlSmallIconWithText) return ReduceWholeHeightItems(pass);
    if (ReduceOneRowItems(pass, level)) return true;
    // A later, deeper level starts again at the right end.
    reduceCursor_ = pass.count - 1;
    return false;
}

bool TdxRibbonGroupLayoutCalculator::ReduceWholeHeightItems(TPass& pass) {
    while (sequenceCursor_ >= 0) {
        if (ReduceSequence(sequences_[size_t(sequenceCursor_)])) {
            pass.LayOut();
            return true;
        }
        sequences_.resize(size_t(sequenceCursor_));
        --sequenceCursor_;
    }
    return false;
}

// The empty row slots left in the last column of `units` one-row units.
int TdxRibbonGroupLayoutCalculator::FreeSlots(int units) const {
    return (rowsPerGroup_ - units % rowsPerGroup_) % rowsPerGroup_;
}

// Turning the item small fits it, with its neighbours, into the columns they leave free.
bool TdxRibbonGroupLayoutCalculator::MayReduce(const TSequenceItem& e) const {
    return FreeSlots(e.rowsBefore) + FreeSlots(e.rowsAfter) >= FreeSlots(e.rowsBefore + e.rowsAfter + 1);
}

bool TdxRibbonGroupLayoutCalculator::ReduceSequence(TSequence& sequence) {
    auto reduce = [](IdxBarItemControlViewInfo* item) {
        item->SetViewLevel(
            TdxBarItemViewLevel(GetNextViewLevel(item->GetAllowedViewLevels(), ivlLargeIconWithText)));
    };
    // Drops the last element, merging its units and itself into its predecessor; answers the
    // predecessor's units before the merge (-1 without one).
    auto dropLast = [&]() {
        int previousAfter = -1;
        if (sequence.size() > 1) {
            TSequenceItem& predecessor = sequence[sequence.size() - 2];
            previousAfter = predecessor.rowsAfter;
            predecessor.rowsAfter += sequence.back().rowsAfter + 1;
        }
        sequence.pop_back();
        return previousAfter;
    };
    if (sequence.empty()) return false;
    if (sequence.size() == 1) {
        if (!MayReduce(sequence[0])) return false;
        reduce(sequence[0].item);
        sequence.clear();
        return true;
    }
    // The rightmost large item goes first, whatever its neighbours leave free.
    reduce(sequence.back().item);
    int previousAfter = dropLast();
    while (previousAfter == 0 && !sequence.empty() && MayReduce(sequence.back())) {
        reduce(sequence.back().item);
        previousAfter = dropLast();
    }
    return true;
}

bool TdxRibbonGroupLayoutCalculator::ReduceOneRowItems(TPass& pass, TdxBarItemViewLevel level) {
    for (;;) {
        int a = reduceCursor_;
        while (a >= 0 && pass.IsWholeHeight(a)) --a;
        if (a < 0) return false;
        reduceCursor_ = a;

        int column = pass.Column(a);
        int widest = 0, widestReduced = 0;
        std::vector<int> candidates;
        int i = a;
        while (i >= 0 && pass.Column(i) == column) {
            IdxBarItemControlViewInfo& item = pass.Item(i);
            if (pass.InHorizontalBox(i, true)) {
                // A row of several items counts as it is and is never narrowed here.
                int row = item.GetRowIndex(), width = 0;
                while (i >= 0 && pass.Column(i) == column && pass.Item(i).GetRowIndex() == row)
                    width += pass.CurrentWidth(i--);
                widest = std::max(widest, width);
                widestReduced = std::max(widestReduced, width);
                continue;
            }
            int width = pass.CurrentWidth(i);
            widest = std::max(widest, width);
            if (item.GetViewLevel() < level && item.GetAllowedViewLevels().Contains(level)) {
                widestReduced = std::max(widestReduced, item.GetWidthForLevel(level));
                candidates.push_back(i);
            } else {
                widestReduced = std::max(widestReduced, width);
            }
            --i;
        }
        reduceCursor_ = i;

        bool changed = false;
        for (int c : candidates) {
            IdxBarItemControlViewInfo& item = pass.Item(c);
            if (item.GetWidthForLevel(level) < widest && pass.CurrentWidth(c) > widestReduced) {
                item.SetViewLevel(level);
                changed = true;
            }
        }
        if (changed) {
            pass.LayOut();
            return true;
        }
    }
}
