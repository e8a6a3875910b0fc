# Installed files and the CPack packages of the kit.
#
# Natively: the programs in bin/ (pak_install_program), their manual pages in
# share/man/man1/, and in share/doc/<package>/ the documentation, a read-me,
# the licence as Debian's copyright file, the change log (changelog.gz) and
# the example project (examples/); packed as a .tar.gz and a Debian package.
# Windows presets: every program at the top of the package, beside the
# authors' read-me and licence (LORIVANDER-kit-README.txt,
# LORIVANDER-kit-LICENSE.txt), the documentation (docs/) and the example
# project (examples/project: its saved project file and its source folder
# KantanMemo/); the 32-bit Setup.exe in ShipToUsers/; packed as a .zip.

# The target "programs" builds every program that pak_install_program named;
# installing and packing need only those (not every test), so "install" and
# CPack do not build "all" first.
get_property(pak_programs GLOBAL PROPERTY PAK_PROGRAMS)
add_custom_target(programs)
add_dependencies(programs ${pak_programs})
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY TRUE)

# The documents every bundle carries: the users' documents of docs/ (the
# developers' documents of docs/dev/ stay in the source tree).
set(pak_docs)
foreach(doc ci editors first-archive install-info lvar pakforge-build pakforge pakmak pakmak-lsp project-file setup)
  list(APPEND pak_docs ${CMAKE_SOURCE_DIR}/docs/${doc}.md)
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/PakReadme.cmake)
set(PAK_KIT_VERSION ${PROJECT_VERSION})
# The maintainer of the Debian package and its change log. The address lies
# in the reserved domain .invalid: the kit has no public address or home page
# yet (so the package has no Homepage field either).
set(PAK_MAINTAINER "LORIVANDER packaging kit authors <authors@lorivander-kit.invalid>")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/LICENSE ${CMAKE_SOURCE_DIR}/docs/windows-readme.txt ${CMAKE_SOURCE_DIR}/docs/linux-readme.txt)

if(WIN32)
  # The authors' read-me and the licence carry the kit's name: Setup shows
  # any readme.txt, note.txt or license.txt of its folder (letter case
  # aside) to end users. Both are opened with Notepad: CR LF line ends.
  pak_render_readme(${CMAKE_SOURCE_DIR}/docs/windows-readme.txt
    ${PAK_GENERATED_DIR}/LORIVANDER-kit-README.txt CRLF)
  pak_render_readme(${CMAKE_SOURCE_DIR}/LICENSE
    ${PAK_GENERATED_DIR}/LORIVANDER-kit-LICENSE.txt CRLF)
  install(FILES ${PAK_GENERATED_DIR}/LORIVANDER-kit-README.txt
                ${PAK_GENERATED_DIR}/LORIVANDER-kit-LICENSE.txt DESTINATION .)
  install(FILES ${pak_docs} DESTINATION docs)
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/project/ DESTINATION .)
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(pak_platform windows-x64)
    # The folder for end users holds the 32-bit Setup.exe, which every
    # Windows runs; the 64-bit build of Setup is not packed.
    set(PAK_SHIP_SETUP_EXE ${CMAKE_SOURCE_DIR}/build/win32/bin/Setup.exe CACHE FILEPATH
      "The 32-bit Setup.exe packed into ${PAK_SHIP_FOLDER} (built by the win32 preset)")
    install(PROGRAMS ${PAK_SHIP_SETUP_EXE} DESTINATION ${PAK_SHIP_FOLDER})
  else()
    set(pak_platform windows-x86)
  endif()
  set(CPACK_GENERATOR ZIP)
else()
  # Manual pages, made from the "manual" sections of the programs' documents
  # (scripts/md2man.awk), and the change log, compressed as Debian wants.
  set(pak_doc_outputs)
  foreach(program pakmak lvar pakforge-build pakmak-lsp)
    set(page ${PAK_GENERATED_DIR}/man/${program}.1.gz)
    add_custom_command(OUTPUT ${page}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/docs/${program}.md -DOUTPUT=${page}
              "-DMANUAL_SOURCE=${PAK_KIT_NAME} ${PROJECT_VERSION}" -P ${CMAKE_CURRENT_LIST_DIR}/PakDocFile.cmake
      DEPENDS ${CMAKE_SOURCE_DIR}/docs/${program}.md ${CMAKE_SOURCE_DIR}/scripts/md2man.awk
              ${CMAKE_CURRENT_LIST_DIR}/PakDocFile.cmake
      COMMENT "Manual page ${program}(1)" VERBATIM)
    list(APPEND pak_doc_outputs ${page})
    install(FILES ${page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endforeach()
  set(changelog ${PAK_GENERATED_DIR}/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -DINPUT=${CMAKE_SOURCE_DIR}/CHANGELOG.md -DOUTPUT=${changelog}
            -DCHANGELOG_PACKAGE=${PAK_PACKAGE_NAME} "-DCHANGELOG_MAINTAINER=${PAK_MAINTAINER}"
            -P ${CMAKE_CURRENT_LIST_DIR}/PakDocFile.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/CHANGELOG.md ${CMAKE_SOURCE_DIR}/scripts/changelog2deb.awk
            ${CMAKE_CURRENT_LIST_DIR}/PakDocFile.cmake
    COMMENT "Debian change log" VERBATIM)
  list(APPEND pak_doc_outputs ${changelog})
  add_custom_target(package_docs ALL DEPENDS ${pak_doc_outputs})
  add_dependencies(programs package_docs)

  # The licence in Debian's machine-readable copyright form.
  file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE pak_license_lines)
  set(pak_license_body "")
  set(pak_in_body FALSE)
  foreach(line IN LISTS pak_license_lines)
    if(line MATCHES "^Permission ")
      set(pak_in_body TRUE)
    endif()
    if(pak_in_body)
      if(line STREQUAL "")
        string(APPEND pak_license_body " .\n")
      else()
        string(APPEND pak_license_body " ${line}\n")
      endif()
    endif()
  endforeach()
  file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE pak_copyright_line REGEX "^Copyright ")
  string(REGEX REPLACE "^Copyright \\(c\\) " "" pak_copyright "${pak_copyright_line}")
  file(WRITE ${PAK_GENERATED_DIR}/copyright
    "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n"
    "Upstream-Name: ${PAK_PACKAGE_NAME}\n"
    "\n"
    "Files: *\n"
    "Copyright: ${pak_copyright}\n"
    "License: Expat\n"
    "\n"
    "License: Expat\n"
    "${pak_license_body}")

  install(FILES ${PAK_GENERATED_DIR}/copyright ${changelog} ${pak_docs} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  # The read-me of an installation names the paths under the prefix given at
  # install time; CPack gives each package its own instead
  # (cmake/PakBundleReadme.cmake).
  install(CODE "
    include(\"${CMAKE_CURRENT_LIST_DIR}/PakReadme.cmake\")
    set(PAK_KIT_NAME \"${PAK_KIT_NAME}\")
    set(PAK_KIT_VERSION \"${PROJECT_VERSION}\")
    set(doc \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}\")
    pak_render_readme(\"${CMAKE_SOURCE_DIR}/docs/linux-readme.txt\" \"\$ENV{DESTDIR}\${doc}/README\"
      DOC \"\${doc}\" BIN \"\" MAN \"man \" MAN_END \"\")")
  install(DIRECTORY ${CMAKE_SOURCE_DIR}/examples/project/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PakBundleReadme.cmake)
  set(CPACK_PAK_KIT_NAME "${PAK_KIT_NAME}")
  set(CPACK_PAK_DOCDIR ${CMAKE_INSTALL_DOCDIR})
  set(CPACK_PAK_README_TEMPLATE ${CMAKE_SOURCE_DIR}/docs/linux-readme.txt)
  set(pak_platform linux-${CMAKE_SYSTEM_PROCESSOR})
  set(CPACK_GENERATOR TGZ DEB)
endif()

set(CPACK_PACKAGE_NAME ${PAK_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "${PAK_KIT_NAME}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "packaging kit for LORIVANDER handheld programs")
set(CPACK_PACKAGE_FILE_NAME ${PAK_PACKAGE_NAME}-${PROJECT_VERSION}-${pak_platform})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${PAK_MAINTAINER}")
# The Debian package's extended description (CPack indents its lines).
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "With this kit an application's author packages a program for a
LORIVANDER handheld (a Windows CE-class device), so that end users can
install it on the device from their PC. This package holds the kit's
console programs:

 * pakmak checks the install information files of a source folder and
   writes one install archive (.lvar);
 * lvar lists, verifies, compares and extracts install archives, and shows
   what installing one does on the device;
 * pakforge-build builds the archive of a project saved by the Pakforge
   wizard, without the wizard.

The wizard Pakforge and the end users' launcher Setup are Windows
programs, released as zips. The example project is in
/usr/share/doc/lorivander-kit/examples.")
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
