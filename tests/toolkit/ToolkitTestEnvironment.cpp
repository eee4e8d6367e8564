// Starts the toolkit core's units once before the toolkit tests run (the shared main starts
// only the platform's).
#include <gtest/gtest.h>

#include "ToolkitCoreUnits.h"

namespace {

class TToolkitEnvironment : public testing::Environment {
public:
    void SetUp() override { InitializeToolkitCoreUnits(); }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new TToolkitEnvironment);

}  // namespace
