# Shared by the two toolchain files: cross-compiles for Windows with the posix-thread MinGW-w64
# compilers of the triple that the including file sets in ZARNIK_TRIPLE.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_C_COMPILER ${ZARNIK_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZARNIK_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${ZARNIK_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${ZARNIK_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Tests run under Wine through this wrapper, with the loader of the target's word size.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run ${ZARNIK_TARGET})
