#pragma once
// String-table identifiers of the toolkit library's strings, shared by cxLibraryStrs.rc and
// cxLibraryStrs.cpp. The block 62000..62031 belongs to this library alone.

#define CXLIB_SCANTCREATEREGISTRYKEY 62000
#define CXLIB_SCANTOPENREGISTRYKEY 62001
#define CXLIB_SERRORSTOREOBJECT 62002
#define CXLIB_SCANTCREATESTYLEREPOSITORY 62003
#define CXLIB_SDATEFIRSTWORD 62004  // the 20 smart words follow in order: 62004..62023
