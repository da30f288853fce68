# Type library of Glossmere (Windows trees only).
#
# Included from Glossmere/CMakeLists.txt. Generates into the including
# directory's binary dir:
#   Glossmere.h      C/C++ declarations of the interfaces (with
#                    GLOSSMERE_C_HEADER: eLocaleInfo as long, no defaults)
#   Glossmere_i.c    the LIBID, CLSIDs and IIDs
#   Glossmere.tlb    the type library, for the pointer size of the tree
# and defines the target GlossmereTypeLib and the cache variables
# GLOSSMERE_TLB_FILE, GLOSSMERE_IDL_HEADER_DIR and GLOSSMERE_IDL_IID_FILE.

if(TARGET GlossmereTypeLib)
  return()
endif()

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
  set(_gl_arch --win64)
else()
  set(_gl_arch --win32)
endif()
set(_gl_src ${CMAKE_CURRENT_LIST_DIR}/Glossmere.idl)
set(_gl_out ${CMAKE_CURRENT_BINARY_DIR})
set(_gl_widl ${QD_WIDL} ${_gl_arch} -I${QD_WIDL_IDL_DIR})
if(QD_WIDL_STDOLE_DIR)
  list(APPEND _gl_widl -L${QD_WIDL_STDOLE_DIR})
endif()

add_custom_command(
  OUTPUT ${_gl_out}/Glossmere.h ${_gl_out}/Glossmere_i.c ${_gl_out}/Glossmere.tlb
  COMMAND ${_gl_widl} -DGLOSSMERE_C_HEADER -h -o ${_gl_out}/Glossmere.h ${_gl_src}
  COMMAND ${_gl_widl} -DGLOSSMERE_C_HEADER -u -o ${_gl_out}/Glossmere_i.c ${_gl_src}
  COMMAND ${_gl_widl} -t -o ${_gl_out}/Glossmere.tlb ${_gl_src}
  DEPENDS ${_gl_src}
  WORKING_DIRECTORY ${_gl_out}
  COMMENT "Generating the Glossmere type library, header and identifiers"
  VERBATIM)

add_custom_target(GlossmereTypeLib ALL
  DEPENDS ${_gl_out}/Glossmere.h ${_gl_out}/Glossmere_i.c ${_gl_out}/Glossmere.tlb)

set(GLOSSMERE_TLB_FILE ${_gl_out}/Glossmere.tlb CACHE INTERNAL "Glossmere type library")
set(GLOSSMERE_IDL_HEADER_DIR ${_gl_out} CACHE INTERNAL "Directory of Glossmere.h and Glossmere_i.c")
set(GLOSSMERE_IDL_IID_FILE ${_gl_out}/Glossmere_i.c CACHE INTERNAL "Glossmere_i.c")
