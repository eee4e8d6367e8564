// Starts the engine's units once before the engine tests run (the shared main starts only the
// platform's).
#include <gtest/gtest.h>

#include "EngineUnits.h"

namespace {

class TEngineEnvironment : public testing::Environment {
public:
    void SetUp() override { InitializeEngineUnits(); }
};

const auto* const environment = testing::AddGlobalTestEnvironment(new TEngineEnvironment);

}  // namespace
