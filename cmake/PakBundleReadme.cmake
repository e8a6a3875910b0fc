# CPack runs this script (CPACK_PRE_BUILD_SCRIPTS) for each package after
# installing into its staging folder: it gives the package the read-me whose
# commands and paths are right where that package puts the files.
# - Debian package: /usr/share/doc/<package>/README, programs on the PATH;
# - .tar.gz: README at the top of the unpacked folder, commands typed there
#   (bin/pakmak, share/doc/<package>/...); no README in share/doc.
include(${CMAKE_CURRENT_LIST_DIR}/PakReadme.cmake)
set(PAK_KIT_NAME "${CPACK_PAK_KIT_NAME}")
set(PAK_KIT_VERSION "${CPACK_PACKAGE_VERSION}")
set(stage "${CPACK_TEMPORARY_DIRECTORY}")
set(docdir "${CPACK_PAK_DOCDIR}")  # share/doc/<package>
if(CPACK_GENERATOR STREQUAL "DEB")
  pak_render_readme("${CPACK_PAK_README_TEMPLATE}" "${stage}/usr/${docdir}/README"
    DOC "/usr/${docdir}" BIN "" MAN "man " MAN_END "")
elseif(CPACK_GENERATOR STREQUAL "TGZ")
  file(REMOVE "${stage}/${docdir}/README")
  pak_render_readme("${CPACK_PAK_README_TEMPLATE}" "${stage}/README"
    DOC "${docdir}" BIN "bin/" MAN "man -l share/man/man1/" MAN_END ".1.gz")
endif()
