# Installation and the Debian package.
#   cmake --install build/release --prefix P    installs the programs, the menu entry and the icon
#   (cd build/release && cpack -G DEB)          makes morvane_<version>_<arch>.deb

if(MORVANE_BUILD_GUI)
  install(FILES ${PROJECT_SOURCE_DIR}/app/morvane.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/app/morvane.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  install(FILES ${PROJECT_SOURCE_DIR}/app/morvane.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()

set(CPACK_PACKAGE_NAME morvane)
set(CPACK_PACKAGE_VENDOR "The Morvane developers")
set(CPACK_PACKAGE_CONTACT "The Morvane developers <morvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Elicitation of two-sided power distributions\n\
 Helps a risk or decision analyst turn an expert's judgements (two quantiles, a\n\
 most likely value and a power or a third quantile) into a bounded probability\n\
 distribution, fitted in 80-bit extended arithmetic and shown with live graphs.\n\
 Includes morvane-fit for scripts and morvane-snapshot for headless pictures.")
# The libraries the programs link (Qt, the C++ runtime) come from dpkg-shlibdeps; the font
# the windows draw with is named here, as nothing links it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation")
set(CPACK_GENERATOR DEB)
include(CPack)
