# Installation and the Debian package.
#
# Everything the program reads at run time (programs, shared libraries, Brelt.rcc, data/,
# help/) goes into one program folder, <prefix>/lib/vimbro-suite, exactly as build/bin holds
# it, so the programs find their libraries through $ORIGIN and the rest beside themselves. The
# commands vimbro-suite and vimbro-tool in <prefix>/bin are relative links into that folder.
# A marker file there makes the programs keep the catalogue and the rest of the user's data in
# $XDG_DATA_HOME/VimbroSuite instead of the (read-only) program folder.

set(VIMBRO_INSTALL_DIR lib/vimbro-suite)

set(vimbro_installed_targets Vimbro vimbro-tool)
foreach(lib winplat afx Pavix Kordune Lurvane brelt Gandry Vornic Taplex Pelloq)
  if(TARGET ${lib})
    list(APPEND vimbro_installed_targets ${lib})
  endif()
endforeach()
install(TARGETS ${vimbro_installed_targets}
  RUNTIME DESTINATION ${VIMBRO_INSTALL_DIR}
  LIBRARY DESTINATION ${VIMBRO_INSTALL_DIR})
install(FILES ${VIMBRO_BIN_DIR}/Brelt.rcc ${CMAKE_SOURCE_DIR}/packaging/vimbro-installed
  DESTINATION ${VIMBRO_INSTALL_DIR})
install(DIRECTORY ${VIMBRO_BIN_DIR}/data ${VIMBRO_BIN_DIR}/help
  DESTINATION ${VIMBRO_INSTALL_DIR}
  PATTERN ".keep" EXCLUDE)

# The commands: relative links, so an unpacked tree (dpkg -x) works wherever it lies.
set(vimbro_link_dir ${CMAKE_BINARY_DIR}/install-links)
file(MAKE_DIRECTORY ${vimbro_link_dir})
file(CREATE_LINK ../${VIMBRO_INSTALL_DIR}/Vimbro ${vimbro_link_dir}/vimbro-suite SYMBOLIC)
file(CREATE_LINK ../${VIMBRO_INSTALL_DIR}/vimbro-tool ${vimbro_link_dir}/vimbro-tool SYMBOLIC)
install(FILES ${vimbro_link_dir}/vimbro-suite ${vimbro_link_dir}/vimbro-tool DESTINATION bin)

# Desktop integration: the launcher and the program icon at the theme's sizes, drawn at build
# time by the resource generator from the same drawing as the window icon.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vimbro-suite.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/vimbro-suite-mime.xml DESTINATION share/mime/packages
  RENAME vimbro-suite.xml)
set(vimbro_icon_files)
foreach(size 48 128 256)
  set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/vimbro-suite.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen $<TARGET_FILE:brelt-gen> --icon ${size} ${icon}
    DEPENDS brelt-gen
    COMMENT "Drawing the ${size} px program icon"
    VERBATIM)
  list(APPEND vimbro_icon_files ${icon})
  install(FILES ${icon} DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(vimbro_icons ALL DEPENDS ${vimbro_icon_files})

# The Debian package: scripts/package runs cpack in the build folder.
execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE vimbro_deb_arch
  OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
if(NOT vimbro_deb_arch)
  set(vimbro_deb_arch amd64)
endif()
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME vimbro-suite)
set(CPACK_PACKAGE_VENDOR "VimbroSuite")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "ZEL VimbroSuite, photo manager for ZEL camera phones")
set(CPACK_PACKAGE_DESCRIPTION
  "Keeps a catalogue of pictures with titles, keywords and albums, edits them, decorates them \
with the phone model's frames, composes animations and exports PHT, EBA and GIF files for the \
phone. Includes vimbro-tool, the same functions from the command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_DEBIAN_FILE_NAME vimbro-suite_${PROJECT_VERSION}_${vimbro_deb_arch}.deb)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${vimbro_deb_arch})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "VimbroSuite developers <vimbro@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# Library dependencies come from dpkg-shlibdeps; our own libraries are found in the build's
# program folder. The Korean face is a dependency no library reveals.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${VIMBRO_BIN_DIR})
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-nanum")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "desktop-file-utils, hicolor-icon-theme, shared-mime-info, qt6-translations-l10n")
# (qt6-translations-l10n: the standard dialogs, open file and print preview, in Korean.)
set(CPACK_STRIP_FILES ON)
include(CPack)
