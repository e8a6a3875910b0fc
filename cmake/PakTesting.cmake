# GoogleTest for every preset. Natively the system package is used; for the
# Windows presets the sources that Debian ships in /usr/src/googletest are
# built with the cross compiler.
if(CMAKE_CROSSCOMPILING)
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Keep third-party warnings out of our build log.
  foreach(t gtest gtest_main gmock gmock_main)
    if(TARGET ${t})
      target_compile_options(${t} PRIVATE -w)
    endif()
  endforeach()
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# pak_add_test(<name> SOURCES <files...> [LIBS <targets...>])
#
# Builds a GoogleTest executable <name> into bin/ and registers it with CTest.
# Natively every test case is discovered and run on its own; for the Windows
# presets the whole executable is one CTest test, run under Wine through
# CMAKE_CROSSCOMPILING_EMULATOR.
function(pak_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main GTest::gtest)
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR})
  else()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${CMAKE_BINARY_DIR} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()
