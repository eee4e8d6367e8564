// Runs the toolkit core's start-up once before the toolkit tests (the platform's has run).

#include <gtest/gtest.h>

#include "ToolkitCoreUnits.h"

namespace {

class ToolkitEnvironment : public testing::Environment {
public:
    void SetUp() override { InitializeToolkitCoreUnits(); }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

}  // namespace
