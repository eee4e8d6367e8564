#pragma once
// The bar library's unit list: each unit's initialization in start-up order. The program (and
// the toolkit tests) call this after InitializeToolkitCoreUnits.

void InitializeToolkitBarsUnits();
