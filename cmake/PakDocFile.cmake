# cmake -DINPUT=<file> -DOUTPUT=<file.gz> [-DMANUAL_SOURCE=<text>]
#       [-DCHANGELOG_PACKAGE=<name> -DCHANGELOG_MAINTAINER=<text>] -P PakDocFile.cmake
#
# Writes OUTPUT, a gzip file made with the highest compression and without
# a name or time stamp (so every build gives the same bytes), from INPUT.
# With MANUAL_SOURCE, INPUT is a Markdown document and what is compressed is
# its manual page, made by scripts/md2man.awk; MANUAL_SOURCE is the text of
# the page's footer (the kit's name and version). With CHANGELOG_PACKAGE,
# INPUT is CHANGELOG.md and what is compressed is its Debian form, made by
# scripts/changelog2deb.awk.
cmake_minimum_required(VERSION 3.21)
get_filename_component(root "${CMAKE_CURRENT_LIST_DIR}/.." ABSOLUTE)
find_program(PAK_GZIP gzip REQUIRED)

get_filename_component(folder "${OUTPUT}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
set(plain "${INPUT}")
if(DEFINED MANUAL_SOURCE OR DEFINED CHANGELOG_PACKAGE)
  find_program(PAK_AWK NAMES awk mawk gawk REQUIRED)
  string(REGEX REPLACE "\\.gz$" "" plain "${OUTPUT}")
  if(DEFINED MANUAL_SOURCE)
    set(script md2man.awk)
    set(variables -v "source=${MANUAL_SOURCE}")
  else()
    set(script changelog2deb.awk)
    set(variables -v "package=${CHANGELOG_PACKAGE}" -v "maintainer=${CHANGELOG_MAINTAINER}")
  endif()
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C
            ${PAK_AWK} ${variables} -f "${root}/scripts/${script}" "${INPUT}"
    OUTPUT_FILE "${plain}.new"
    RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${script} failed on ${INPUT}")
  endif()
  file(RENAME "${plain}.new" "${plain}")
endif()
execute_process(COMMAND ${PAK_GZIP} -9 -n -c "${plain}" OUTPUT_FILE "${OUTPUT}.new" RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${plain}")
endif()
file(RENAME "${OUTPUT}.new" "${OUTPUT}")
