#pragma once
// Start-up and shut-down of the toolkit core's units, in order; run after the platform's units.
void InitializeToolkitCoreUnits();
