// Starts the toolkit's units once before the toolkit tests run (the shared main starts only the
// platform's).
#include <gtest/gtest.h>

#include "ToolkitCoreUnits.h"
#include "ToolkitSkinsUnits.h"

namespace {

class TToolkitEnvironment : public testing::Environment {
public:
    void SetUp() override {
        InitializeToolkitCoreUnits();
        InitializeToolkitSkinsUnits();
    }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new TToolkitEnvironment);

}  // namespace
