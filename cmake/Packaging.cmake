# The Debian package: `cpack -G DEB` in a build folder configured with CMAKE_BUILD_TYPE=Release.
# Dependencies come from dpkg-shlibdeps; the changelog and copyright go where Debian policy
# puts them.
include(GNUInstallDirs)

set(ORVANDEL_PACKAGE_NAME orvandel)
set(ORVANDEL_PACKAGE_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/${ORVANDEL_PACKAGE_NAME})
set(ORVANDEL_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging/debian)

find_program(GZIP gzip)
if(GZIP)
  set(changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND sh -c "'${GZIP}' -9n < '${ORVANDEL_PACKAGING_DIR}/changelog' > '${changelog}'"
    DEPENDS ${ORVANDEL_PACKAGING_DIR}/changelog
    VERBATIM)
  add_custom_target(orvandel_changelog ALL DEPENDS ${changelog})
  install(FILES ${changelog} DESTINATION ${ORVANDEL_PACKAGE_DOC_DIR})
endif()
install(FILES ${ORVANDEL_PACKAGING_DIR}/copyright DESTINATION ${ORVANDEL_PACKAGE_DOC_DIR})

set(CPACK_PACKAGE_NAME ${ORVANDEL_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Orvandel developers")
set(CPACK_PACKAGE_CONTACT "Orvandel developers <orvandel@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "previewer for first-person dungeon wall sets")
# CPack puts the summary first and indents these lines itself; an empty line separates paragraphs.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Orvandel shows wall artists their walls the way the game shows them. It
loads six wall pictures in one shared 16-colour palette, composes the
first-person view from any square of an editable test map, simulates the
alternating even/odd wall drawing and exports every wall piece as 8-bit BMP.

The package holds the desktop program, the headless orvandel-cli for scripts,
a thumbnailer for .Pelorim files, and the manual pages.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/orvandel/orvandel")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
