#include "FloatControl.h"

Word Get8087CW() {
    Word cw = 0;
    asm volatile("fnstcw %0" : "=m"(cw));
    return cw;
}

void Set8087CW(Word controlWord) { asm volatile("fnclex\n\tfldcw %0" : : "m"(controlWord)); }

void InitializeFloatControl() { SetDefaultFPUControlWord(); }
