#pragma once
// The check that new objects hold the defaults their published properties declare: a property
// off its declared default is written into every description and read back as something else
// when the declaration is later believed.

#include <string>
#include <vector>

#include "Persistent.h"

// For each class that can be created on its own (with a null owner, or with no argument): a
// line "TClass.Property holds X, declares Y" for every published property whose value in a new
// object differs from its declared default; "TClass: message" for a class whose creation
// failed. Empty when all hold.
std::vector<std::string> PropertiesOffTheirDefaults(const std::vector<TClass>& classes);
// The same for one object that only its owner can create.
std::vector<std::string> PropertiesOffTheirDefaults(TPersistent* object);

// Every test executable checks every class that its units registered (PublishedDefaults.cpp),
// less the classes that only their owner can create: a layer's tests name those here, at
// namespace scope, and check an object made by the owner themselves.
bool LeaveOutOfDefaultsTest(TClass cls);
