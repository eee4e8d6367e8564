#pragma once
// Dispatch of window messages by number to handler methods.
//
// A control class binds message numbers to its methods with one declaration after Z_CLASS; the
// table inherits its parent's entries and overrides them:
//
//     class TMyControl : public TCustomControl {
//         Z_CLASS(TMyControl, TCustomControl)
//         Z_MESSAGE_MAP(Z_MESSAGE(WM_SIZE, WMSize),
//                       Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter))
//         void WMSize(TMessage& Message);
//         ...
//     };
//
// TControl::Dispatch finds the handler of the most derived class; a message with no handler goes
// to the virtual DefaultHandler. A handler passes the message on to its ancestors' handling with
// Inherited<TParentClass>(Message).

#include <initializer_list>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "Messages.h"

class TControl;
using TMessageHandler = void (TControl::*)(TMessage& Message);

struct TMessageEntry {
    Cardinal Msg;
    TMessageHandler Handler;
};

class TMessageMap {
public:
    TMessageMap(const TMessageMap* parent, const std::vector<TMessageEntry>& entries) {
        if (parent) handlers_ = parent->handlers_;
        for (const TMessageEntry& e : entries) handlers_[e.Msg] = e.Handler;
    }
    TMessageHandler Find(Cardinal msg) const {
        auto it = handlers_.find(msg);
        return it == handlers_.end() ? nullptr : it->second;
    }

private:
    std::unordered_map<Cardinal, TMessageHandler> handlers_;
};

// One Z_MESSAGE entry: the message number and the handler, as a type, so that the entries of a
// map can travel as a list of template arguments.
template <Cardinal Msg, auto Handler>
struct TMessageBinding {};

template <class T>
struct TMessageEntryOf;  // only Z_MESSAGE entries belong in a message map
template <Cardinal Msg, auto Handler>
struct TMessageEntryOf<TMessageBinding<Msg, Handler>> {
    static void AddTo(std::vector<TMessageEntry>& entries) {
        entries.push_back({Msg, static_cast<TMessageHandler>(Handler)});
    }
};

template <class... Bindings>
std::vector<TMessageEntry> MessageEntries() {
    std::vector<TMessageEntry> entries;
    (TMessageEntryOf<Bindings>::AddTo(entries), ...);
    return entries;
}

#define Z_MESSAGE_MAP(...)                                                                           \
public:                                                                                              \
    static const TMessageMap& StaticMessageMap() {                                                   \
        static const TMessageMap map(&inherited::StaticMessageMap(), MessageEntries<__VA_ARGS__>()); \
        return map;                                                                                  \
    }                                                                                                \
    const TMessageMap& MessageMap() const override {                                                 \
        static_assert(std::is_same_v<std::remove_cvref_t<decltype(*this)>, ZSelf>,                   \
                      "Z_MESSAGE_MAP needs Z_CLASS of its own class first");                         \
        return StaticMessageMap();                                                                   \
    }                                                                                                \
                                                                                                     \
private:

#define Z_MESSAGE(Number, Method) TMessageBinding<Cardinal(Number), &ZSelf::Method>
