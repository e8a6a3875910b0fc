# pak_render_readme(<template> <output> [CRLF] [<NAME> <value>]...)
#
# Writes <output> from a read-me template of docs/: @PAK_KIT_NAME@ and
# @PAK_KIT_VERSION@ become the kit's name and version, and each @NAME@ given
# becomes its value (the paths that differ between the bundles). With CRLF
# the lines end in CR LF (read-mes opened with Notepad).
# Used at configure time and by the CPack script PakBundleReadme.cmake, so
# it needs PAK_KIT_NAME and PAK_KIT_VERSION set by its caller.
# Also included by install and CPack scripts, which set no policies.
cmake_policy(VERSION 3.21)

function(pak_render_readme template output)
  set(args "${ARGN}")  # quoted: an empty value stays a list element
  file(READ "${template}" text)
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "@PAK_KIT_NAME@" "${PAK_KIT_NAME}" text "${text}")
  string(REPLACE "@PAK_KIT_VERSION@" "${PAK_KIT_VERSION}" text "${text}")
  set(crlf FALSE)
  list(LENGTH args count)
  set(index 0)
  while(index LESS count)
    list(GET args ${index} name)
    if(name STREQUAL "CRLF")
      set(crlf TRUE)
      math(EXPR index "${index} + 1")
      continue()
    endif()
    math(EXPR value_index "${index} + 1")
    if(value_index LESS count)
      list(GET args ${value_index} value)
    else()
      set(value "")
    endif()
    string(REPLACE "@${name}@" "${value}" text "${text}")
    math(EXPR index "${index} + 2")
  endwhile()
  if(text MATCHES "@[A-Z_]+@")
    message(FATAL_ERROR "${template}: ${CMAKE_MATCH_0} has no value")
  endif()
  if(crlf)
    string(REPLACE "\n" "\r\n" text "${text}")
  endif()
  file(WRITE "${output}" "${text}")
endfunction()
