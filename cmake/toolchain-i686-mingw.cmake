# Cross-compiling for 32-bit Windows (i686) with Debian's MinGW-w64 toolchain.
# Programs built here run under Wine's 32-bit loader with a private win32
# prefix inside the build tree (cmake/wine-run.sh).
set(CMAKE_SYSTEM_PROCESSOR x86)
set(QD_MINGW_TRIPLET i686-w64-mingw32)
set(QD_WINE_ARCH win32)
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw-common.cmake)
