// Every class registered for form descriptions starts with the defaults its properties declare.

#include <gtest/gtest.h>

#include "ControlsUnits.h"
#include "PublishedDefaults.h"

TEST(PublishedDefaults, EveryRegisteredClassStartsWithItsDeclaredDefaults) {
    InitializeControlsUnits();
    for (const std::string& off : PropertiesOffTheirDefaults(RegisteredClasses())) ADD_FAILURE() << off;
}
