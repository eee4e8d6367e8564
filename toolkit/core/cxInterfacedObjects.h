#pragma once
// Interface objects of the toolkit: TcxIUnknownObject hands out interfaces without counting
// references; TcxInterfacedPersistent is a persistent that knows its owner and passes reference
// counts to the owner's interface.

#include "Interfaces.h"
#include "Persistent.h"

// Hands out interfaces without counting references; its owner frees it.
class TcxIUnknownObject : public TObject, public virtual IInterface {
    Z_CLASS(TcxIUnknownObject, TObject)
public:
    Integer _AddRef() override { return -1; }
    Integer _Release() override { return -1; }
};

// A persistent that knows its owner; reference counts go to the owner's interface, if any.
class TcxInterfacedPersistent : public TPersistent, public virtual IInterface {
    Z_CLASS(TcxInterfacedPersistent, TPersistent)
public:
    explicit TcxInterfacedPersistent(TPersistent* owner) : owner_(owner) {}
    TPersistent* GetOwner() const override { return owner_; }
    Integer _AddRef() override;
    Integer _Release() override;

private:
    TPersistent* owner_;
};
