# Cross-compiling for 64-bit Windows (x86-64) with Debian's MinGW-w64
# toolchain. Programs built here run under Wine's 64-bit loader with a
# private win64 prefix inside the build tree (cmake/wine-run.sh).
set(CMAKE_SYSTEM_PROCESSOR AMD64)
set(QD_MINGW_TRIPLET x86_64-w64-mingw32)
set(QD_WINE_ARCH win64)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
