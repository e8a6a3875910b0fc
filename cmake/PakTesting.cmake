# pak_test_compile_options(<target>): how the test programs' own sources
# compile. The code under test keeps the build type's flags. The tests
# themselves need no optimisation: in RelWithDebInfo (the sanitizer build)
# they compile at -O0 with line tables (-g1, enough for the sanitizers' stack
# traces), at half the cost of -O1 under AddressSanitizer; in Release (the
# Windows presets) at -O1, where -O0 gains little.
# GCC's -Wformat-truncation needs -O2's value ranges: below -O2 it warns about
# snprintf calls whose arguments are bounded (a loop counter below 300), so
# the tests leave it out.
# ccache (PAK_CCACHE) caches compilations that make or use a precompiled
# header only with these sloppiness settings and, for GCC, -fpch-preprocess.
function(pak_test_compile_options target)
  target_compile_options(${target} PRIVATE $<$<CONFIG:Release>:-O1>
                                           $<$<CONFIG:RelWithDebInfo>:-O0>
                                           $<$<CONFIG:RelWithDebInfo>:-g1>
                                           $<$<CXX_COMPILER_ID:GNU>:-Wno-format-truncation>)
  if(PAK_CCACHE AND PAK_TEST_PCH)
    set_target_properties(${target} PROPERTIES CXX_COMPILER_LAUNCHER
      "${CMAKE_COMMAND};-E;env;CCACHE_SLOPPINESS=pch_defines,time_macros;${PAK_CCACHE}")
    if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
      target_compile_options(${target} PRIVATE -fpch-preprocess)
    endif()
  endif()
endfunction()

# GoogleTest, only when tests are built (BUILD_TESTING). Natively the
# installed package is found with find_package; for the Windows presets the
# GoogleTest sources named by PAK_GTEST_SOURCE_DIR (set by the presets) are
# built with the cross compiler.
if(BUILD_TESTING)
  if(CMAKE_CROSSCOMPILING)
    set(PAK_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build with the cross compiler")
    if(NOT EXISTS "${PAK_GTEST_SOURCE_DIR}/CMakeLists.txt")
      message(FATAL_ERROR "PAK_GTEST_SOURCE_DIR (\"${PAK_GTEST_SOURCE_DIR}\") holds no GoogleTest sources; "
                          "set it, or configure with -DBUILD_TESTING=OFF to build only the programs")
    endif()
    set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${PAK_GTEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # Keep third-party warnings out of our build log.
    foreach(t gtest gtest_main gmock gmock_main)
      target_compile_options(${t} PRIVATE -w)
    endforeach()
  else()
    find_package(GTest REQUIRED)
    include(GoogleTest)
  endif()

  # Test programs compile in batches: each one is a unity build (up to eight
  # of its sources in one translation unit), and every test program takes
  # <gtest/gtest.h> precompiled once, from pak_test_pch (which therefore
  # compiles with the same options as the tests). In a batch, file-local
  # names of its sources must differ; a source that cannot be changed so is
  # left out with the source property SKIP_UNITY_BUILD_INCLUSION.
  option(PAK_TEST_UNITY_BUILD "Compile each test program's sources in batches (unity build)" ON)
  option(PAK_TEST_PCH "Precompile <gtest/gtest.h> once for every test program" ON)
  if(PAK_TEST_PCH)
    set(pch_source ${CMAKE_BINARY_DIR}/pak_test_pch.cpp)
    if(NOT EXISTS ${pch_source})
      file(WRITE ${pch_source} "// The precompiled GoogleTest header of the test programs.\n")
    endif()
    add_library(pak_test_pch OBJECT ${pch_source})
    target_link_libraries(pak_test_pch PRIVATE GTest::gtest)
    target_precompile_headers(pak_test_pch PRIVATE <gtest/gtest.h>)
    pak_test_compile_options(pak_test_pch)
  endif()
endif()

# pak_add_test(<name> SOURCES <files...> [LIBS <targets...>])
#
# Builds a GoogleTest executable <name> into bin/ and registers it with CTest.
# Natively every test case is discovered and run on its own; for the Windows
# presets the whole executable is one CTest test, run under Wine through
# CMAKE_CROSSCOMPILING_EMULATOR. Does nothing when BUILD_TESTING is off;
# anything else that names the test target belongs inside if(BUILD_TESTING).
function(pak_add_test name)
  if(NOT BUILD_TESTING)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gtest)
  pak_test_compile_options(${name})
  if(PAK_TEST_UNITY_BUILD)
    set_target_properties(${name} PROPERTIES UNITY_BUILD ON UNITY_BUILD_BATCH_SIZE 8)
  endif()
  if(PAK_TEST_PCH)
    target_precompile_headers(${name} REUSE_FROM pak_test_pch)
  endif()
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
