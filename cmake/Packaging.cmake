# Installation and the Debian package.
#   cmake --install build/release --prefix P    installs the programs, their manual pages and
#                                               bash completion, the menu entry, the icon,
#                                               the elicitation files' MIME type and the
#                                               AppStream metadata
#   (cd build/release && cpack -G DEB)          makes morvane_<version>-<revision>_<arch>.deb,
#                                               with the programs stripped, and beside it
#                                               morvane-debug/, their debugging information

set(MORVANE_PACKAGE_MAINTAINER "Morvane developers <morvane@users.noreply.github.com>"
    CACHE STRING "Maintainer of the Debian package and of its changelog entries")
set(MORVANE_HOMEPAGE "https://github.com/morvane/morvane"
    CACHE STRING "Home page named by the package and the AppStream metadata")
set(MORVANE_SCREENSHOTS "${MORVANE_HOMEPAGE}/raw/main/docs"
    CACHE STRING "Web folder holding the README's screenshots, for the AppStream metadata")

set(packaging ${PROJECT_SOURCE_DIR}/packaging)
set(generated ${PROJECT_BINARY_DIR}/packaging)

# The newest changelog entry and the newest AppStream release must be this version, so
# that a new version cannot be packaged without its notes.
set(MORVANE_DEBIAN_REVISION 1)
file(STRINGS ${packaging}/changelog.in changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^morvane \\(${PROJECT_VERSION}-${MORVANE_DEBIAN_REVISION}\\) ")
  message(FATAL_ERROR "packaging/changelog.in begins \"${changelog_top}\"; version "
                      "${PROJECT_VERSION}-${MORVANE_DEBIAN_REVISION} needs an entry of its own.")
endif()
file(READ ${packaging}/io.github.morvane.Morvane.metainfo.xml.in metainfo)
string(REGEX MATCH "<release version=\"[^\"]*\"" metainfo_release "${metainfo}")
if(NOT metainfo_release STREQUAL "<release version=\"${PROJECT_VERSION}\"")
  message(FATAL_ERROR "The first release of the AppStream metadata is ${metainfo_release}; "
                      "version ${PROJECT_VERSION} needs its release notes.")
endif()

configure_file(${packaging}/copyright.in ${generated}/copyright @ONLY)
configure_file(${packaging}/changelog.in ${generated}/changelog.Debian @ONLY)
configure_file(${packaging}/io.github.morvane.Morvane.metainfo.xml.in
               ${generated}/io.github.morvane.Morvane.metainfo.xml @ONLY)

# Compressed as Debian wants them: the most, and without a name or time stamp inside, so
# that the same sources give the same package.
find_program(GZIP_PROGRAM gzip REQUIRED)
set(compressed)
set(manual_pages morvane-fit)
if(MORVANE_BUILD_GUI)
  list(APPEND manual_pages morvane morvane-snapshot)
endif()
foreach(page IN LISTS manual_pages)
  list(APPEND compressed ${packaging}/man/${page}.1)
endforeach()
list(APPEND compressed ${generated}/changelog.Debian)
set(compressed_outputs)
foreach(source IN LISTS compressed)
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${generated}/${name}.gz
                     COMMAND ${GZIP_PROGRAM} -9 -n -c ${source} > ${generated}/${name}.gz
                     DEPENDS ${source}
                     COMMENT "Compressing ${name}")
  list(APPEND compressed_outputs ${generated}/${name}.gz)
endforeach()
add_custom_target(morvane_package_files ALL DEPENDS ${compressed_outputs})

set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/morvane)
install(FILES ${generated}/copyright ${generated}/changelog.Debian.gz DESTINATION ${doc_dir})
foreach(page IN LISTS manual_pages)
  install(FILES ${generated}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
install(FILES ${packaging}/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME morvane)
set(completions ${CMAKE_INSTALL_DATADIR}/bash-completion/completions)
install(FILES ${packaging}/bash-completion/morvane-fit DESTINATION ${completions})

if(MORVANE_BUILD_GUI)
  install(FILES ${packaging}/bash-completion/morvane-snapshot DESTINATION ${completions})
  install(FILES ${PROJECT_SOURCE_DIR}/app/morvane.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The elicitation files' type, which the menu entry's MimeType= names.
  install(FILES ${packaging}/morvane-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
          RENAME morvane.xml)
  install(FILES ${generated}/io.github.morvane.Morvane.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${PROJECT_SOURCE_DIR}/app/morvane.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/app/morvane.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()

set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VENDOR "The Morvane developers")
set(CPACK_PACKAGE_CONTACT "${MORVANE_PACKAGE_MAINTAINER}")
# The synopsis; CPack puts it before the long description.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "fit a two-sided power distribution to an expert's judgements")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${MORVANE_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MORVANE_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Morvane helps a risk or decision analyst turn an expert's judgements about an\n\
uncertain quantity (two quantiles, a most likely value and a power or a third\n\
quantile) into a bounded probability distribution. It fits the distribution in\n\
80-bit extended arithmetic and shows its figures with live graphs of the\n\
density, the distribution function and how the fit moves with the power.\n\
\n\
The package also holds morvane-fit, which prints the same figures, quantiles\n\
and draws for scripts and fits whole CSV files, and morvane-snapshot, which\n\
renders the windows headless.")
# The libraries the programs link (Qt, the C++ runtime) come from dpkg-shlibdeps; the font
# the windows draw with is named here, as nothing links it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
# The programs are stripped and their debugging information kept beside the package.
# (CPack's own morvane-dbgsym package lists its files in md5sums by their staging paths.)
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/SplitDebugInfo.cmake)
set(CPACK_GENERATOR DEB)
include(CPack)
