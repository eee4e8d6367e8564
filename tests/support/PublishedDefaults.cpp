#include "PublishedDefaults.h"

#include <algorithm>
#include <sstream>

#include <gtest/gtest.h>

#include "Component.h"
#include "SysExceptions.h"
#include "TestSupport.h"
#include "TypInfo.h"
#include "Units.h"

namespace {

std::vector<TClass>& LeftOut() {
    static std::vector<TClass> classes;
    return classes;
}

std::string ValueText(const TPropInfo& p, TPersistent* object, bool declared) {
    std::ostringstream text;
    switch (p.Kind) {
        case tkFloat:
            text << double(declared ? p.DefaultFloat : p.GetFloat(object));
            break;
        case tkString:
            text << '\'' << Utf8(declared ? p.DefaultString : p.GetString(object)) << '\'';
            break;
        default:
            text << (declared ? p.DefaultOrd : p.GetOrd(object));
            break;
    }
    return text.str();
}

void CollectOffDefaults(TPersistent* object, const std::string& path, std::vector<std::string>& found) {
    for (const TPropInfo* p : object->PublishedTable().Properties()) {
        if (!p->HasDefault || p->IsDefault(object)) continue;
        found.push_back(path + "." + Utf8(p->Name) + " holds " + ValueText(*p, object, false) + ", declares " +
                        ValueText(*p, object, true));
    }
}

}  // namespace

std::vector<std::string> PropertiesOffTheirDefaults(const std::vector<TClass>& classes) {
    std::vector<std::string> found;
    for (TClass cls : classes) {
        if (cls->IsAbstract() || !cls->InheritsFrom(TPersistent::StaticClass())) continue;
        if (!cls->CanCreateWithComponent() && !cls->CanCreate()) continue;
        std::string name = Utf8(cls->ClassName());
        TObject* object = nullptr;
        try {
            object = cls->CanCreateWithComponent() ? cls->Create(static_cast<TComponent*>(nullptr)) : cls->Create();
            CollectOffDefaults(static_cast<TPersistent*>(object), name, found);
        } catch (const Exception& e) {
            found.push_back(name + ": " + Utf8(e.Message()));
        }
        FreeObject(object);
    }
    return found;
}

std::vector<std::string> PropertiesOffTheirDefaults(TPersistent* object) {
    std::vector<std::string> found;
    CollectOffDefaults(object, Utf8(object->ClassName()), found);
    return found;
}

bool LeaveOutOfDefaultsTest(TClass cls) {
    LeftOut().push_back(cls);
    return true;
}

// Run by every test executable over the classes of every unit it started: a declared default
// that a new object does not hold would be left out of descriptions and read back wrong.
TEST(PublishedDefaults, EveryRegisteredClassStartsWithItsDeclaredDefaults) {
    std::vector<TClass> classes = ClassesRegisteredByUnits();
    std::erase_if(classes, [](TClass cls) { return std::ranges::count(LeftOut(), cls) > 0; });
    for (const std::string& off : PropertiesOffTheirDefaults(classes)) ADD_FAILURE() << off;
}
