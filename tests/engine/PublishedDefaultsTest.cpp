// The root object of a scene, which the shared defaults test leaves out, starts with the
// defaults its properties declare, as its scene makes it.

#include <gtest/gtest.h>

#include "PublishedDefaults.h"
#include "Scene.h"

TEST(PublishedDefaults, TheSceneRootStartsWithItsDeclaredDefaults) {
    TGLScene scene(nullptr);
    for (const std::string& off : PropertiesOffTheirDefaults(scene.Objects())) ADD_FAILURE() << off;
}
