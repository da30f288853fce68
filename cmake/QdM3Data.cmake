# The M3 competition series that the tests and benchmarks read: the archive
# data/m3/m3.tar.xz of the repository, unpacked into <build>/data/m3 when
# the tree is configured (again whenever the archive changes). A folder
# holding the same CSV files can be named instead with -DQD_M3_DIR=... or
# QD_M3_DIR in the environment at configure time; QD_M3_DIR in the
# environment of a test or benchmark overrides both when it runs.
set(QD_M3_DIR "$ENV{QD_M3_DIR}" CACHE PATH "Folder of the M3 CSV files (empty: unpack the bundled archive)")
set(QD_M3_ARCHIVE ${CMAKE_SOURCE_DIR}/data/m3/m3.tar.xz)
if(QD_M3_DIR)
  set(QD_M3_FOLDER ${QD_M3_DIR})
else()
  set(QD_M3_FOLDER ${CMAKE_BINARY_DIR}/data/m3)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${QD_M3_ARCHIVE})
  file(SHA256 ${QD_M3_ARCHIVE} archive_hash)
  set(stamp ${QD_M3_FOLDER}/.unpacked)
  set(unpacked_hash "")
  if(EXISTS ${stamp})
    file(READ ${stamp} unpacked_hash)
  endif()
  if(NOT unpacked_hash STREQUAL archive_hash)
    file(REMOVE_RECURSE ${QD_M3_FOLDER})
    file(ARCHIVE_EXTRACT INPUT ${QD_M3_ARCHIVE} DESTINATION ${QD_M3_FOLDER})
    file(WRITE ${stamp} ${archive_hash})
  endif()
endif()
foreach(name m3_yearly.csv m3_quarterly.csv m3_monthly.csv m3_other.csv)
  if(NOT EXISTS ${QD_M3_FOLDER}/${name})
    message(FATAL_ERROR "M3 data: ${QD_M3_FOLDER}/${name} is missing")
  endif()
endforeach()
# The folder as the tree's programs name it (drive Z: in a Windows tree).
if(WIN32)
  set(QD_M3_FOLDER_FOR_TARGET "Z:${QD_M3_FOLDER}")
else()
  set(QD_M3_FOLDER_FOR_TARGET "${QD_M3_FOLDER}")
endif()
add_compile_definitions(QD_M3_DATA_DIR="${QD_M3_FOLDER_FOR_TARGET}")
