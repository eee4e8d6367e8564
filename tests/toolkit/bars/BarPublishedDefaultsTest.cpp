// The bar manager starts with the defaults its properties declare. It refuses to exist without a
// windowed owner, so the shared defaults test leaves it out and it is made on a form here.
#include <gtest/gtest.h>

#include <memory>

#include "Form.h"
#include "PublishedDefaults.h"
#include "dxBarManager.h"

namespace {

const bool managerLeftOut = LeaveOutOfDefaultsTest(TdxBarManager::StaticClass());

TEST(PublishedDefaults, ABarManagerStartsWithItsDeclaredDefaults) {
    std::unique_ptr<TForm> form(CreateNewForm(nullptr));
    for (const std::string& off : PropertiesOffTheirDefaults(new TdxBarManager(form.get()))) ADD_FAILURE() << off;
}

}  // namespace
