#pragma once
// The toolkit core's unit list: each unit's initialization in start-up order. The program (and
// the toolkit tests) call this after InitializePlatformUnits.

void InitializeToolkitCoreUnits();
