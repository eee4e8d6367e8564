// Dies of an access violation at once: the check that a crashing test executable ends with its
// report instead of waiting on a crash dialog (tests/scripts/crash-test.sh).
int main() {
    volatile int* nowhere = nullptr;
    *nowhere = 1;
    return 0;
}
