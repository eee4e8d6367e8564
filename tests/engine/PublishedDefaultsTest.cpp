// Every class that the units register for form descriptions starts with the defaults its
// properties declare.

#include <gtest/gtest.h>

#include <algorithm>

#include "PublishedDefaults.h"
#include "Units.h"
#include "Scene.h"

TEST(PublishedDefaults, EveryRegisteredClassStartsWithItsDeclaredDefaults) {
    std::vector<TClass> classes = ClassesRegisteredByUnits();
    // The root of a scene is made by its scene only.
    std::erase(classes, TGLSceneRootObject::StaticClass());
    for (const std::string& off : PropertiesOffTheirDefaults(classes)) ADD_FAILURE() << off;
    TGLScene scene(nullptr);
    for (const std::string& off : PropertiesOffTheirDefaults(scene.Objects())) ADD_FAILURE() << off;
}
