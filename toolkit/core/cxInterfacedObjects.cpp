#include "cxInterfacedObjects.h"

Integer TcxInterfacedPersistent::_AddRef() {
    IInterface* owner = owner_ ? dynamic_cast<IInterface*>(owner_) : nullptr;
    return owner ? owner->_AddRef() : -1;
}

Integer TcxInterfacedPersistent::_Release() {
    IInterface* owner = owner_ ? dynamic_cast<IInterface*>(owner_) : nullptr;
    return owner ? owner->_Release() : -1;
}
