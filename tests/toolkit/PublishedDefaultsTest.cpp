// Every class that the units register for form descriptions starts with the defaults its
// properties declare.

#include <gtest/gtest.h>

#include "PublishedDefaults.h"
#include "Units.h"

TEST(PublishedDefaults, EveryRegisteredClassStartsWithItsDeclaredDefaults) {
    for (const std::string& off : PropertiesOffTheirDefaults(ClassesRegisteredByUnits())) ADD_FAILURE() << off;
}
