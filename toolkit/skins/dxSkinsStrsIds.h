#pragma once
// String-table identifiers of the skin library's messages, shared by dxSkinsStrs.rc and
// dxSkinsStrs.cpp. The block 62400..62415 belongs to the skins alone.

#define DXSKINS_SINVALIDSTREAMFORMAT 62400
#define DXSKINS_SVERSIONMISMATCH 62401
