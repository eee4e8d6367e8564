#pragma once
// Dispatch of window messages by number to handler methods.
//
// A control class binds message numbers to its methods with one declaration in its body; the
// table inherits its parent's entries and overrides them:
//
//     class TMyControl : public TCustomControl {
//         Z_CLASS(TMyControl, TCustomControl)
//         Z_MESSAGE_MAP(TMyControl, TCustomControl,
//             Z_MESSAGE(WM_SIZE, WMSize),
//             Z_MESSAGE(CM_MOUSEENTER, CMMouseEnter))
//         void WMSize(TMessage& Message);
//         ...
//     };
//
// TControl::Dispatch finds the handler of the most derived class; a message with no handler goes
// to the virtual DefaultHandler. A handler passes the message on to its ancestors' handling with
// Inherited<TParentClass>(Message).

#include <initializer_list>
#include <unordered_map>

#include "Messages.h"

class TControl;
using TMessageHandler = void (TControl::*)(TMessage& Message);

struct TMessageEntry {
    Cardinal Msg;
    TMessageHandler Handler;
};

class TMessageMap {
public:
    TMessageMap(const TMessageMap* parent, std::initializer_list<TMessageEntry> entries) {
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

#define Z_MESSAGE_MAP(Self, Parent, ...)                                                \
public:                                                                                 \
    static const TMessageMap& StaticMessageMap() {                                      \
        using ZMsgSelf = Self;                                                          \
        static const TMessageMap map(&Parent::StaticMessageMap(), {__VA_ARGS__});       \
        return map;                                                                     \
    }                                                                                   \
    const TMessageMap& MessageMap() const override { return StaticMessageMap(); }      \
                                                                                        \
private:

#define Z_MESSAGE(Number, Method) \
    TMessageEntry { Cardinal(Number), static_cast<TMessageHandler>(&ZMsgSelf::Method) }
