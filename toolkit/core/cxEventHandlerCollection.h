#pragma once
// A list of method pointers called in turn: the toolkit's multicast events.

#include <vector>

#include "Events.h"
#include "SysObject.h"

using TcxEventHandler = TEvent<void(TObject* sender, const void* eventArgs)>;

class TcxEventHandlerCollection : public TObject {
    Z_CLASS(TcxEventHandlerCollection, TObject)
public:
    void AddHandler(const TcxEventHandler& handler);     // an equal handler is not added twice
    void RemoveHandler(const TcxEventHandler& handler);  // an absent one is ignored
    // Calls every handler in order; the handlers present when the call starts are the ones
    // called, even when one of them adds or removes handlers.
    void CallHandlers(TObject* sender, const void* eventArgs = nullptr) const;
    int Count() const { return int(handlers_.size()); }

private:
    std::vector<TcxEventHandler> handlers_;
};

class TcxAutoWidthItem : public TObject {
    Z_CLASS(TcxAutoWidthItem, TObject)
public:
    int MinWidth = 0;
    int Width = 0;
    bool Fixed = false;
    int AutoWidth = -1;  // the result; -1 until computed
};

// Spreads an available width over items in proportion to their natural widths, giving no
// item less than its minimum.
class TcxAutoWidthObject : public TObject {
    Z_CLASS(TcxAutoWidthObject, TObject)
public:
    explicit TcxAutoWidthObject(int capacity = 0);
    ~TcxAutoWidthObject() override;

    TcxAutoWidthItem* NewItem();
    int ItemCount() const { return int(items_.size()); }
    TcxAutoWidthItem* ItemAt(int index) const { return items_.at(size_t(index)); }
    void Clear();
    int TotalWidth() const;

    int AvailableWidth = 0;
    void DistributeWidths();

private:
    std::vector<TcxAutoWidthItem*> items_;
};
