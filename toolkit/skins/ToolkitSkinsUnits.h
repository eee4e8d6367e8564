#pragma once
// The skins' unit list: each unit's initialization in start-up order. The program (and the
// toolkit tests) call this after InitializeToolkitCoreUnits.

void InitializeToolkitSkinsUnits();
