// Every class that the units register for form descriptions starts with the defaults its
// properties declare.

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "Form.h"
#include "PublishedDefaults.h"
#include "Units.h"
#include "dxBarManager.h"

TEST(PublishedDefaults, EveryRegisteredClassStartsWithItsDeclaredDefaults) {
    // A bar manager refuses to exist without a windowed owner: it is made on a form of its own.
    std::vector<TClass> classes = ClassesRegisteredByUnits();
    std::erase(classes, TdxBarManager::StaticClass());
    for (const std::string& off : PropertiesOffTheirDefaults(classes)) ADD_FAILURE() << off;
    std::unique_ptr<TForm> form(CreateNewForm(nullptr));
    for (const std::string& off : PropertiesOffTheirDefaults(new TdxBarManager(form.get()))) ADD_FAILURE() << off;
}
