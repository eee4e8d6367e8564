#pragma once
// String-table identifiers of the status bar's strings, shared by dxStatusBarStrs.rc and
// dxStatusBarStrs.cpp. The block 62528..62543 (one string-table block) belongs to the status bar.

#define DXSB_SCANNOTDELETEANCESTORCOMPONENT 62528
#define DXSB_STEXTPANELSTYLE 62529
#define DXSB_SCONTAINERPANELSTYLE 62530
#define DXSB_SKEYBOARDSTATEPANELSTYLE 62531
#define DXSB_SSTATEINDICATORPANELSTYLE 62532
