# Installed files and the CPack packages of the kit.
#
# Natively: the programs in bin/ (pak_install_program) and the documentation
# in share/doc/<package>/; packed as a .tar.gz and a Debian package.
# Windows presets: every program at the top of the package, beside the
# authors' read-me (README.txt), the documentation (docs/) and the example
# project (examples/project: its saved project file and its source folder
# KantanMemo/); packed as a .zip.

# The target "programs" builds every program that pak_install_program named;
# installing and packing need only those (not every test), so "install" and
# CPack do not build "all" first.
get_property(pak_programs GLOBAL PROPERTY PAK_PROGRAMS)
add_custom_target(programs)
add_dependencies(programs ${pak_programs})
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

file(GLOB pak_docs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/*.md)

if(WIN32)
  # The read-me is opened with Notepad: written with CR LF line ends.
  file(READ ${CMAKE_SOURCE_DIR}/docs/windows-readme.txt pak_readme)
  string(REPLACE "\r\n" "\n" pak_readme "${pak_readme}")
  string(REPLACE "\n" "\r\n" pak_readme "${pak_readme}")
  string(REPLACE "@PAK_KIT_NAME@" "${PAK_KIT_NAME}" pak_readme "${pak_readme}")
  string(REPLACE "@PAK_KIT_VERSION@" "${PROJECT_VERSION}" pak_readme "${pak_readme}")
  file(WRITE ${PAK_GENERATED_DIR}/README.txt "${pak_readme}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/windows-readme.txt)
  install(FILES ${PAK_GENERATED_DIR}/README.txt DESTINATION .)
  install(FILES ${pak_docs} DESTINATION docs)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/project/ DESTINATION .)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(pak_platform windows-x64)
  else()
    set(pak_platform windows-x86)
  endif()
  set(CPACK_GENERATOR ZIP)
else()
  install(FILES ${CMAKE_SOURCE_DIR}/README.md ${pak_docs} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  set(pak_platform linux-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_GENERATOR TGZ DEB)
endif()

set(CPACK_PACKAGE_NAME ${PAK_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "${PAK_KIT_NAME}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Packaging kit for LORIVANDER handhelds: archive builder, archive tool and project builder")
set(CPACK_PACKAGE_FILE_NAME ${PAK_PACKAGE_NAME}-${PROJECT_VERSION}-${pak_platform})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PAK_KIT_NAME} authors")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
