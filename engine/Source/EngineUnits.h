#pragma once
// The engine's unit list: each unit's initialization in start-up order. The program (and the
// engine tests) call this after InitializePlatformUnits.

void InitializeEngineUnits();
