# The Debian packages: `cpack -G DEB` in a build folder configured with CMAKE_BUILD_TYPE=Release.
# Two packages: orvandel-cli (the command-line tool, its manual page, the thumbnailer and the
# report's schema) installs alone; orvandel (the desktop program) depends on it. Each package's
# library dependencies come from dpkg-shlibdeps, so orvandel-cli names exactly the libraries
# the tool links. The changelog and copyright go where Debian policy puts them, in each package.
include(GNUInstallDirs)

set(ORVANDEL_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging/debian)
set(orvandel_components)
if(ORVANDEL_BUILD_CLI)
  list(APPEND orvandel_components cli)
endif()
if(ORVANDEL_BUILD_GUI)
  list(APPEND orvandel_components gui)
endif()
set(orvandel_package_of_cli orvandel-cli)
set(orvandel_package_of_gui orvandel)

find_program(GZIP gzip)
if(GZIP)
  set(changelog ${CMAKE_CURRENT_BINARY_DIR}/packaging/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/packaging
    COMMAND sh -c "'${GZIP}' -9n < '${ORVANDEL_PACKAGING_DIR}/changelog' > '${changelog}'"
    DEPENDS ${ORVANDEL_PACKAGING_DIR}/changelog
    VERBATIM)
  add_custom_target(orvandel_changelog ALL DEPENDS ${changelog})
endif()
foreach(component ${orvandel_components})
  set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/${orvandel_package_of_${component}})
  if(GZIP)
    install(FILES ${changelog} DESTINATION ${doc_dir} COMPONENT ${component})
  endif()
  install(FILES ${ORVANDEL_PACKAGING_DIR}/copyright DESTINATION ${doc_dir} COMPONENT ${component})
endforeach()

set(CPACK_PACKAGE_NAME orvandel)
set(CPACK_PACKAGE_VENDOR "Orvandel developers")
set(CPACK_PACKAGE_CONTACT "Orvandel developers <orvandel@users.noreply.github.com>")
set(CPACK_COMPONENTS_ALL ${orvandel_components})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_CLI_PACKAGE_NAME orvandel-cli)
set(CPACK_DEBIAN_GUI_PACKAGE_NAME orvandel)
set(CPACK_DEBIAN_CLI_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_GUI_PACKAGE_SECTION graphics)
# CPack puts the first line first and indents the rest itself; an empty line separates
# paragraphs.
set(CPACK_DEBIAN_CLI_DESCRIPTION
  "check, render and export dungeon wall sets without a display
orvandel-cli loads a wall set (six wall pictures in one shared 16-colour
palette) the way the Orvandel desktop program does, reports what loads and
what each wall piece covers, renders the first-person view and exports every
wall piece as 8-bit BMP, for scripts and asset pipelines.

The package holds the tool, its manual page, the JSON schema of its report
and a thumbnailer for .Pelorim files.")
set(CPACK_DEBIAN_GUI_DESCRIPTION
  "previewer for first-person dungeon wall sets
Orvandel shows wall artists their walls the way the game shows them. It
loads six wall pictures in one shared 16-colour palette, composes the
first-person view from any square of an editable test map, simulates the
alternating even/odd wall drawing and exports every wall piece as 8-bit BMP.

The package holds the desktop program, its desktop entry, icons and manual
page; the command-line tool comes with orvandel-cli.")
set(CPACK_DEBIAN_GUI_PACKAGE_DEPENDS "orvandel-cli (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/orvandel/orvandel")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)
