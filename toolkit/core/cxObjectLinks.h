#pragma once
// Weak object links (TcxObjectLink, CreateObjectLink, DestroyObjectLink, ResetObjectLinks) and
// the scope guard made of one (TcxObjectLinkGuard). A link to a component is cleared by the
// component free notification (TcxFreeNotificator, cxComponent.h).

#include "SysObject.h"

// Ref becomes nil when the object is destroyed: a component's free notification clears the links
// to it; other objects call ResetObjectLinks from their destructors.
class TcxObjectLink : public TObject {
    Z_CLASS(TcxObjectLink, TObject)
public:
    TObject* Ref = nullptr;
};

TcxObjectLink* CreateObjectLink(TObject* object);
void DestroyObjectLink(TcxObjectLink* link);
void ResetObjectLinks(TObject* object);
int ObjectLinkCount();  // links alive, for checks of balance

// Holds a weak link to an object for a scope, so that code that runs user handlers can stop
// touching the object once a handler has destroyed it.
class TcxObjectLinkGuard {
public:
    explicit TcxObjectLinkGuard(TObject* object) : link_(CreateObjectLink(object)) {}
    ~TcxObjectLinkGuard() { DestroyObjectLink(link_); }
    TcxObjectLinkGuard(const TcxObjectLinkGuard&) = delete;
    TcxObjectLinkGuard& operator=(const TcxObjectLinkGuard&) = delete;
    bool Alive() const { return link_->Ref != nullptr; }

private:
    TcxObjectLink* link_;
};
