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

include(${CMAKE_SOURCE_DIR}/cmake/QdWidl.cmake)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

set(_qd_tl_src ${CMAKE_CURRENT_LIST_DIR}/QDInterface.idl)
set(_qd_tl_tool ${CMAKE_CURRENT_LIST_DIR}/typelib_defaults.py)
set(_qd_tl_out ${CMAKE_CURRENT_BINARY_DIR})
set(_qd_tl_work ${CMAKE_CURRENT_BINARY_DIR}/typelib-work)
set(_qd_tl_idl ${_qd_tl_work}/tlb/QDInterface.idl)
set(_qd_tl_hidl ${_qd_tl_work}/h/QDInterface.idl)
set(_qd_tl_table ${_qd_tl_work}/double-defaults.txt)
set(_qd_tl_raw ${_qd_tl_work}/QDInterface.tlb)

set(_qd_widl ${Python3_EXECUTABLE} ${_qd_tl_tool} run ${QD_WIDL_COMMAND})

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
