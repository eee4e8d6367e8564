#pragma once
// The engine's storable objects in one include: the archive reader and writer, persistent
// objects and the persistent object list.

#include "BinaryArchive.h"
#include "PersistentObject.h"
#include "PersistentObjectList.h"
#include "VirtualArchive.h"

// Registers the persistent classes that archives name.
void InitializePersistentObjectList();
