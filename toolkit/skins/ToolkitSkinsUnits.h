#pragma once
// The skins' unit list, in start-up order. The program (and the toolkit tests) call this after
// InitializeToolkitCoreUnits.

void InitializeToolkitSkinsUnits();
