// A test that dies of an access violation, run only by tests/scripts/crash-test.sh: a crashing
// test executable must end at once with a failure code and the name of the test.
#include <gtest/gtest.h>

TEST(Crashing, WritesThroughANullPointer) {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
}
