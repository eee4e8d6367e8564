#pragma once
// The engine's start-up: registration of its classes with the platform's class registry.
// Runs after the platform's own units.

void InitializeEngineUnits();
