# 32-bit Windows: the program as shipped.
set(ZARNIK_TARGET i686)
set(ZARNIK_TRIPLE i686-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
