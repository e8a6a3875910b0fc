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
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
