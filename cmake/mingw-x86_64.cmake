# 64-bit Windows: the same program, built and tested where 32-bit programs cannot run.
set(ZARNIK_TARGET x86_64)
set(ZARNIK_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR AMD64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
