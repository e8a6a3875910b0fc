# pak_install_program(<target> DESCRIPTION <text> [FOR_END_USERS])
#
# Makes <target> one of the kit's shipped programs:
# - for Windows, links in a version resource (file and product version from
#   project(VERSION), the product name, <text> as the description, the file
#   name) and the application manifest cmake/resources/program.manifest
#   (asInvoker, supported Windows versions, first-version common controls);
# - installs it: into bin/ natively, into the top of the package for Windows
#   (beside the authors' read-me and the example project); a program
#   FOR_END_USERS (Setup) goes into the folder PAK_SHIP_FOLDER instead, and
#   only from the 32-bit build, which every Windows runs (the 64-bit package
#   gets the same 32-bit file, cmake/PakPackage.cmake);
# - links kit_version (the generated kit_version.h) into it;
# - records it in the global property PAK_PROGRAMS.
# Set the target's OUTPUT_NAME before calling: the resource names the file.
set(PAK_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})
# The folder of the Windows packages that holds what an author gives to end
# users.
set(PAK_SHIP_FOLDER ShipToUsers)

function(pak_install_program target)
  cmake_parse_arguments(ARG "FOR_END_USERS" "DESCRIPTION" "" ${ARGN})
  if(NOT ARG_DESCRIPTION)
    message(FATAL_ERROR "pak_install_program(${target}): DESCRIPTION is required")
  endif()
  target_link_libraries(${target} PRIVATE kit_version)
  if(WIN32)
    get_target_property(output_name ${target} OUTPUT_NAME)
    if(NOT output_name)
      set(output_name ${target})
    endif()
    set(PAK_RC_FILE_NAME "${output_name}.exe")
    set(PAK_RC_INTERNAL_NAME "${output_name}")
    set(PAK_RC_DESCRIPTION "${ARG_DESCRIPTION}")
    set(PAK_RC_MANIFEST "${PAK_CMAKE_DIR}/resources/program.manifest")
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    configure_file(${PAK_CMAKE_DIR}/resources/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    set_source_files_properties(${rc} PROPERTIES
      OBJECT_DEPENDS "${PAK_RC_MANIFEST};${PAK_GENERATED_DIR}/kit_version.h")
    if(NOT ARG_FOR_END_USERS)
      install(TARGETS ${target} RUNTIME DESTINATION .)
    elseif(CMAKE_SIZEOF_VOID_P EQUAL 4)
      # As a plain file, not as a target: CPack would strip it (it has no
      # symbols; the Release link leaves none) and so give it a new time
      # stamp, and the two packages would hold different bytes.
      install(PROGRAMS $<TARGET_FILE:${target}> DESTINATION ${PAK_SHIP_FOLDER})
    endif()
  else()
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  set_property(GLOBAL APPEND PROPERTY PAK_PROGRAMS ${target})
endfunction()
