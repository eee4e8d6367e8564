#pragma once
// The platform layer's start-up: floating-point control word, class registration.

void InitializePlatformUnits();
