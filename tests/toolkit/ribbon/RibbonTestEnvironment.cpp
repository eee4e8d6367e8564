// Starts the ribbon library's units (after the toolkit core's) before the toolkit tests run.
#include <gtest/gtest.h>

#include "ToolkitCoreUnits.h"
#include "ToolkitRibbonUnits.h"

namespace {

class TRibbonEnvironment : public testing::Environment {
public:
    void SetUp() override {
        InitializeToolkitCoreUnits();  // already run units are skipped
        InitializeToolkitRibbonUnits();
    }
};

const auto* const ribbonEnvironment = testing::AddGlobalTestEnvironment(new TRibbonEnvironment);

}  // namespace
