// Starts the toolkit's units (core, then bars) once before the toolkit tests run (the shared
// main starts only the platform's).
#include <gtest/gtest.h>

#include "ToolkitBarsUnits.h"
#include "ToolkitCoreUnits.h"

namespace {

class TToolkitEnvironment : public testing::Environment {
public:
    void SetUp() override {
        InitializeToolkitCoreUnits();
        InitializeToolkitBarsUnits();
    }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new TToolkitEnvironment);

}  // namespace
