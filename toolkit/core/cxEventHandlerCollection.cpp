#include "cxEventHandlerCollection.h"

#include <algorithm>

void TcxEventHandlerCollection::AddHandler(const TcxEventHandler& handler) {
    if (std::find(handlers_.begin(), handlers_.end(), handler) == handlers_.end()) handlers_.push_back(handler);
}

void TcxEventHandlerCollection::RemoveHandler(const TcxEventHandler& handler) {
    auto it = std::find(handlers_.begin(), handlers_.end(), handler);
    if (it != handlers_.end()) handlers_.erase(it);
}

void TcxEventHandlerCollection::CallHandlers(TObject* sender, const void* eventArgs) const {
    // A copy, so that a handler that changes the list cannot make the loop read past its end.
    std::vector<TcxEventHandler> handlers = handlers_;
    for (const auto& handler : handlers)
        if (handler.Assigned()) handler(sender, eventArgs);
}

// ---- TcxAutoWidthObject -------------------------------------------------------------------

TcxAutoWidthObject::TcxAutoWidthObject(int capacity) { items_.reserve(size_t(std::max(capacity, 0))); }

TcxAutoWidthObject::~TcxAutoWidthObject() { Clear(); }

TcxAutoWidthItem* TcxAutoWidthObject::NewItem() {
    items_.push_back(new TcxAutoWidthItem);
    return items_.back();
}

void TcxAutoWidthObject::Clear() {
    for (auto* item : items_) FreeObject(item);
    items_.clear();
}

int TcxAutoWidthObject::TotalWidth() const {
    int total = 0;
    for (auto* item : items_) total += item->Width;
    return total;
}

void TcxAutoWidthObject::DistributeWidths() {
    int poolAvailable = AvailableWidth;
    int poolWidth = TotalWidth();
    for (auto* item : items_) {
        item->AutoWidth = -1;
        if (item->Fixed) {
            item->AutoWidth = item->Width;
            poolAvailable -= item->Width;
            poolWidth -= item->Width;
        }
    }
    bool finalPass = false;
    while (poolWidth > 0) {
        int available = poolAvailable, width = poolWidth, sum = 0;
        bool changed = false;
        for (auto* item : items_) {
            if (item->AutoWidth != -1) continue;
            // Cumulative rounding: the shares of one pass add up to the available width.
            int share = MulDiv(sum + item->Width, available, width) - MulDiv(sum, available, width);
            if (finalPass) {
                item->AutoWidth = share;
            } else if (item->MinWidth >= share) {
                item->AutoWidth = item->MinWidth;
                poolAvailable -= item->MinWidth;
                poolWidth -= item->Width;
                changed = true;
            }
            sum += item->Width;
        }
        if (finalPass) break;
        if (!changed) finalPass = true;
    }
    // Items of no natural width left in an empty pool get their minimum instead of no result.
    for (auto* item : items_)
        if (item->AutoWidth == -1) item->AutoWidth = std::max(item->MinWidth, 0);
}
