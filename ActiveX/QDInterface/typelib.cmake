# Type library of QDInterface (Windows trees only).
#
# Included from ActiveX/QDInterface/CMakeLists.txt. Generates into the
# including directory's binary dir:
#   QDInterface.h      C/C++ declarations of the interfaces and enums
#   QDInterface_i.c    the LIBID, CLSIDs and IIDs
#   QDInterface.tlb    the type library, with its double defaults written
# and defines
#   target   QDInterfaceTypeLib   builds the three files
#   QD_TLB_FILE                   full path of QDInterface.tlb
#   QD_IDL_HEADER_DIR             directory holding QDInterface.h and _i.c
#   QD_IDL_IID_FILE               full path of QDInterface_i.c
# The variables are also kept in the cache, so other directories (the type
# library check under tests/) see them.
#
# widl cannot write double default values; typelib_defaults.py hands it a copy
# of the IDL without them and writes them into the .tlb afterwards. The header
# is generated from a copy without any default value: widl would otherwise
# emit C++ default arguments, which do not compile for VARIANT and enum
# parameters. C++ clients pass every argument.

if(TARGET QDInterfaceTypeLib)
  return()
endif()

find_program(QD_WIDL NAMES widl i686-w64-mingw32-widl REQUIRED)
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
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(_qd_tl_src ${CMAKE_CURRENT_LIST_DIR}/QDInterface.idl)
set(_qd_tl_tool ${CMAKE_CURRENT_LIST_DIR}/typelib_defaults.py)
set(_qd_tl_out ${CMAKE_CURRENT_BINARY_DIR})
set(_qd_tl_work ${CMAKE_CURRENT_BINARY_DIR}/typelib-work)
set(_qd_tl_idl ${_qd_tl_work}/tlb/QDInterface.idl)
set(_qd_tl_hidl ${_qd_tl_work}/h/QDInterface.idl)
set(_qd_tl_table ${_qd_tl_work}/double-defaults.txt)
set(_qd_tl_raw ${_qd_tl_work}/QDInterface.tlb)

# The type library describes the tree's own architecture: vtable offsets and
# the system kind differ between 32- and 64-bit Windows.
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(_qd_widl_arch --win64)
else()
  set(_qd_widl_arch --win32)
endif()
set(_qd_widl ${Python3_EXECUTABLE} ${_qd_tl_tool} run ${QD_WIDL} ${_qd_widl_arch} -I${QD_WIDL_IDL_DIR})
if(QD_WIDL_STDOLE_DIR)
  list(APPEND _qd_widl -L${QD_WIDL_STDOLE_DIR})
endif()

add_custom_command(
  OUTPUT ${_qd_tl_idl} ${_qd_tl_hidl} ${_qd_tl_table}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${_qd_tl_work}/tlb ${_qd_tl_work}/h
  COMMAND ${Python3_EXECUTABLE} ${_qd_tl_tool} strip ${_qd_tl_src} ${_qd_tl_idl} ${_qd_tl_hidl} ${_qd_tl_table}
  DEPENDS ${_qd_tl_src} ${_qd_tl_tool}
  COMMENT "Preparing QDInterface.idl for widl"
  VERBATIM)

add_custom_command(
  OUTPUT ${_qd_tl_out}/QDInterface.h ${_qd_tl_out}/QDInterface_i.c ${_qd_tl_out}/QDInterface.tlb
  COMMAND ${_qd_widl} -h -o ${_qd_tl_out}/QDInterface.h ${_qd_tl_hidl}
  COMMAND ${_qd_widl} -u -o ${_qd_tl_out}/QDInterface_i.c ${_qd_tl_hidl}
  COMMAND ${_qd_widl} -t -o ${_qd_tl_raw} ${_qd_tl_idl}
  COMMAND ${Python3_EXECUTABLE} ${_qd_tl_tool} patch ${_qd_tl_raw} ${_qd_tl_out}/QDInterface.tlb ${_qd_tl_table}
  DEPENDS ${_qd_tl_idl} ${_qd_tl_hidl} ${_qd_tl_table} ${_qd_tl_tool}
  WORKING_DIRECTORY ${_qd_tl_work}
  COMMENT "Generating the QDInterface type library, header and identifiers"
  VERBATIM)

add_custom_target(QDInterfaceTypeLib ALL
  DEPENDS ${_qd_tl_out}/QDInterface.h ${_qd_tl_out}/QDInterface_i.c ${_qd_tl_out}/QDInterface.tlb)

set(QD_TLB_FILE ${_qd_tl_out}/QDInterface.tlb)
set(QD_IDL_HEADER_DIR ${_qd_tl_out})
set(QD_IDL_IID_FILE ${_qd_tl_out}/QDInterface_i.c)
set(QD_TLB_FILE ${QD_TLB_FILE} CACHE INTERNAL "QDInterface type library")
set(QD_IDL_HEADER_DIR ${QD_IDL_HEADER_DIR} CACHE INTERNAL "Directory of QDInterface.h and QDInterface_i.c")
set(QD_IDL_IID_FILE ${QD_IDL_IID_FILE} CACHE INTERNAL "QDInterface_i.c")
