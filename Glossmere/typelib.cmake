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

include(${CMAKE_SOURCE_DIR}/cmake/QdWidl.cmake)

set(_gl_src ${CMAKE_CURRENT_LIST_DIR}/Glossmere.idl)
set(_gl_out ${CMAKE_CURRENT_BINARY_DIR})
add_custom_command(
  OUTPUT ${_gl_out}/Glossmere.h ${_gl_out}/Glossmere_i.c ${_gl_out}/Glossmere.tlb
  COMMAND ${QD_WIDL_COMMAND} -DGLOSSMERE_C_HEADER -h -o ${_gl_out}/Glossmere.h ${_gl_src}
  COMMAND ${QD_WIDL_COMMAND} -DGLOSSMERE_C_HEADER -u -o ${_gl_out}/Glossmere_i.c ${_gl_src}
  COMMAND ${QD_WIDL_COMMAND} -t -o ${_gl_out}/Glossmere.tlb ${_gl_src}
  DEPENDS ${_gl_src}
  WORKING_DIRECTORY ${_gl_out}
  COMMENT "Generating the Glossmere type library, header and identifiers"
  VERBATIM)

add_custom_target(GlossmereTypeLib ALL
  DEPENDS ${_gl_out}/Glossmere.h ${_gl_out}/Glossmere_i.c ${_gl_out}/Glossmere.tlb)

set(GLOSSMERE_TLB_FILE ${_gl_out}/Glossmere.tlb CACHE INTERNAL "Glossmere type library")
set(GLOSSMERE_IDL_HEADER_DIR ${_gl_out} CACHE INTERNAL "Directory of Glossmere.h and Glossmere_i.c")
set(GLOSSMERE_IDL_IID_FILE ${_gl_out}/Glossmere_i.c CACHE INTERNAL "Glossmere_i.c")
