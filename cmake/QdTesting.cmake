# Test support shared by every test folder.
#
#   qd_add_test(<name> SOURCES a.cpp b.cpp [LIBS lib...] [LABELS label...])
#
# builds one GoogleTest executable and registers it as one ctest test. In a
# cross-compiled tree ctest runs it through CMAKE_CROSSCOMPILING_EMULATOR
# (Wine with the tree's private prefix).

if(CMAKE_CROSSCOMPILING)
  # Debian ships GoogleTest as source; build it with the cross compiler.
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  if(NOT TARGET GTest::gtest_main)
    add_library(GTest::gtest ALIAS gtest)
    add_library(GTest::gtest_main ALIAS gtest_main)
    add_library(GTest::gmock ALIAS gmock)
  endif()
else()
  find_package(GTest REQUIRED)
endif()

function(qd_add_test name)
  cmake_parse_arguments(QT "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${QT_SOURCES})
  target_link_libraries(${name} PRIVATE ${QT_LIBS} GTest::gtest_main GTest::gmock)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  if(NOT QT_TIMEOUT)
    set(QT_TIMEOUT 600)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${QT_TIMEOUT})
  if(QT_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${QT_LABELS}")
  endif()
endfunction()
