// What libraries hook into the program: the application's initialization hook, the test whether
// code runs in a library, and handlers compared by their code alone.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Application.h"
#include "SysUtils.h"

namespace {

std::vector<std::string> initLog;
void FirstLibraryInit() { initLog.push_back("first"); }
TInitProc keptByLibrary = nullptr;
void SecondLibraryInit() {
    if (keptByLibrary) keptByLibrary();
    initLog.push_back("second");
}

TEST(ApplicationHooks, InitializeRunsTheChainedInitializationHooks) {
    TInitProc saved = InitProc;
    initLog.clear();
    InitProc = nullptr;
    Application->Initialize();  // no hook: nothing
    InitProc = &FirstLibraryInit;
    keptByLibrary = InitProc;
    InitProc = &SecondLibraryInit;
    Application->Initialize();
    EXPECT_EQ(initLog, (std::vector<std::string>{"first", "second"}));
    InitProc = saved;
}

TEST(ApplicationHooks, TheProgramIsNotALibrary) { EXPECT_FALSE(IsLibrary()); }

struct THandlerOwner : TObject {
    int calls = 0;
    void Handle(TObject*) { ++calls; }
    void Other(TObject*) { ++calls; }
};

TEST(ApplicationHooks, HandlersOfOneMethodOfTwoObjectsHaveTheSameCode) {
    THandlerOwner a, b;
    TNotifyEvent first = MakeEvent(&a, &THandlerOwner::Handle);
    TNotifyEvent second = MakeEvent(&b, &THandlerOwner::Handle);
    EXPECT_FALSE(first == second);
    EXPECT_TRUE(SameCode(first, second));
    EXPECT_FALSE(SameCode(first, MakeEvent(&a, &THandlerOwner::Other)));
    EXPECT_FALSE(SameCode(first, TNotifyEvent()));
    EXPECT_TRUE(SameCode(TNotifyEvent(), TNotifyEvent()));
}

}  // namespace
