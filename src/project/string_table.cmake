# cmake -DRESOURCE_H=... -DOUTPUT=... -DTABLES=Japanese=strings_ja.rc,English=strings_en.rc
#       -P string_table.cmake
#
# Makes the C++ form of Pakforge's string tables (wizard/string_table.cpp
# includes it), so that pakforge-build shows the very texts of the resource
# scripts. Each table becomes an array k<Name>Strings of {id, "UTF-8 text"}
# in the order of its script. An entry is a line "  IDS_NAME, "text"" of a
# STRINGTABLE; the name is looked up in resource.h. The resource compiler's
# escapes become C++ ones: "" is a double quote, \n and \\ stay as they are.
cmake_minimum_required(VERSION 3.20)

file(STRINGS "${RESOURCE_H}" defines REGEX "^#define IDS_[A-Z0-9_]+ [0-9]+")
foreach(define IN LISTS defines)
  string(REGEX REPLACE "^#define (IDS_[A-Z0-9_]+) ([0-9]+).*" "\\1;\\2" pair "${define}")
  list(GET pair 0 name)
  list(GET pair 1 value)
  set(id_${name} ${value})
endforeach()

string(REPLACE "," ";" TABLES "${TABLES}")
set(out "// Made by string_table.cmake from Pakforge's resource scripts; do not edit.\n")
foreach(table IN LISTS TABLES)
  string(REGEX REPLACE "=.*" "" array "${table}")
  string(REGEX REPLACE "^[^=]*=" "" script "${table}")
  file(READ "${script}" content)
  # Characters that CMake lists treat specially travel as placeholders.
  string(REPLACE ";" "@SEMICOLON@" content "${content}")
  string(REPLACE "[" "@OPEN@" content "${content}")
  string(REPLACE "]" "@CLOSE@" content "${content}")
  string(REPLACE "\n" ";" lines "${content}")
  string(APPEND out "\nconst StringEntry k${array}Strings[] = {\n")
  set(count 0)
  foreach(line IN LISTS lines)
    if(NOT line MATCHES "^  (IDS_[A-Z0-9_]+), \"(.*)\"\r?$")
      continue()
    endif()
    set(name "${CMAKE_MATCH_1}")
    set(text "${CMAKE_MATCH_2}")
    if(NOT DEFINED id_${name})
      message(FATAL_ERROR "${script}: ${name} is not defined in ${RESOURCE_H}")
    endif()
    if(DEFINED seen_${array}_${name})
      message(FATAL_ERROR "${script}: ${name} is given twice")
    endif()
    set(seen_${array}_${name} 1)
    string(REPLACE "\"\"" "\\\"" text "${text}")
    string(APPEND out "    {${id_${name}}, \"${text}\"},\n")
    math(EXPR count "${count} + 1")
  endforeach()
  if(count EQUAL 0)
    message(FATAL_ERROR "${script}: no strings found")
  endif()
  string(APPEND out "};\n")
endforeach()
string(REPLACE "@SEMICOLON@" ";" out "${out}")
string(REPLACE "@OPEN@" "[" out "${out}")
string(REPLACE "@CLOSE@" "]" out "${out}")

# Rewritten only when it changes, so that nothing is rebuilt for nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old)
endif()
if(NOT "${old}" STREQUAL "${out}")
  file(WRITE "${OUTPUT}" "${out}")
endif()
