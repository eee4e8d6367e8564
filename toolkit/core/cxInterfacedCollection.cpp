#include "cxInterfacedCollection.h"

TcxInterfacedCollectionItem::TcxInterfacedCollectionItem(TCollection* collection) : TCollectionItem(collection) {
    if (collection) collectionInterface_ = dynamic_cast<IInterface*>(collection);
}

void TcxOwnedInterfacedCollection::BeforeDestruction() {
    destroying_ = true;
    TOwnedCollection::BeforeDestruction();
}

TcxOwnedInterfacedCollection::~TcxOwnedInterfacedCollection() {
    destroying_ = true;
    Clear();
}

void TcxOwnedInterfacedCollection::Update(TCollectionItem* item) {
    TOwnedCollection::Update(item);
    if (!destroying_ && OnChange.Assigned()) OnChange(this, item);
}
