#pragma once
// Start-up of the graphics classes: common controls, and the picture formats the platform
// provides ("bmp", "ico", "jpg", "jpeg").

void InitializeGraphicsUnit();
void FinalizeGraphicsUnit();
