# pak_install_program(<target> DESCRIPTION <text>)
#
# Makes <target> one of the kit's shipped programs:
# - for Windows, links in a version resource (file and product version from
#   project(VERSION), the product name, <text> as the description, the file
#   name) and the application manifest cmake/resources/program.manifest
#   (asInvoker, supported Windows versions, first-version common controls);
# - installs it: into bin/ natively, into the top of the package for Windows
#   (beside the authors' read-me and the example project);
# - links kit_version (the generated kit_version.h) into it;
# - records it in the global property PAK_PROGRAMS.
# Set the target's OUTPUT_NAME before calling: the resource names the file.
set(PAK_CMAKE_DIR ${CMAKE_CURRENT_LIST_DIR})

function(pak_install_program target)
  cmake_parse_arguments(ARG "" "DESCRIPTION" "" ${ARGN})
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
    install(TARGETS ${target} RUNTIME DESTINATION .)
  else()
    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
  set_property(GLOBAL APPEND PROPERTY PAK_PROGRAMS ${target})
endfunction()
