// Starts the engine's units once before the editor tests run (the shared main starts only the
// platform's).
#include <gtest/gtest.h>

#include "EngineUnits.h"

namespace {

class TEditorEnvironment : public testing::Environment {
public:
    void SetUp() override { InitializeEngineUnits(); }
};

const auto* const editorEnvironment = testing::AddGlobalTestEnvironment(new TEditorEnvironment);

}  // namespace
