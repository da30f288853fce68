# The IDL compiler of the Windows trees, shared by the type libraries of
# QDInterface and Glossmere.
#
# Defines QD_WIDL_COMMAND: widl for the tree's architecture (vtable offsets
# and the system kind differ between 32- and 64-bit Windows), with the
# platform IDL folder and, where found, the folder of stdole2.tlb that the
# libraries import. The 32-bit part of Wine may be absent (machines without
# 32-bit execution): the 64-bit stdole2.tlb serves a 32-bit library as well,
# since only its type descriptions are read.

find_program(QD_WIDL NAMES widl i686-w64-mingw32-widl x86_64-w64-mingw32-widl REQUIRED)
find_path(QD_WIDL_IDL_DIR oaidl.idl
  PATHS /usr/include/wine/wine/windows /usr/include/wine/windows
        /usr/share/mingw-w64/include /usr/i686-w64-mingw32/include
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
find_path(QD_WIDL_STDOLE_DIR stdole2.tlb
  PATHS /usr/lib/i386-linux-gnu/wine/i386-windows /usr/lib/wine/i386-windows
        /usr/lib/i386-linux-gnu/wine /usr/lib/wine
        /usr/lib/x86_64-linux-gnu/wine/x86_64-windows /usr/lib64/wine/x86_64-windows
  NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT QD_WIDL_IDL_DIR)
  message(FATAL_ERROR "oaidl.idl not found: install the Wine development files (libwine-dev)")
endif()

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QD_WIDL_COMMAND ${QD_WIDL} --win64 -I${QD_WIDL_IDL_DIR})
else()
  set(QD_WIDL_COMMAND ${QD_WIDL} --win32 -I${QD_WIDL_IDL_DIR})
endif()
if(QD_WIDL_STDOLE_DIR)
  list(APPEND QD_WIDL_COMMAND -L${QD_WIDL_STDOLE_DIR})
endif()
