# Installing KORV the ordinary way, and the Debian packages made from it (scripts/package):
#   korv            the window, korv-cli, the desktop entry, icons, metadata, manuals, the
#                   udev rule that lets the user at the seat use the cable
#   korv-simulator  the simulated cable library and korv-training, never in the main package
include(GNUInstallDirs)

set(pkg ${PROJECT_SOURCE_DIR}/data/packaging)
set(KORV_APP_ID com.example.korv)

# Manuals and the changelog are installed compressed, as Debian's policy asks. KORV is a
# native package (no Debian revision), so its changelog is changelog.gz.
function(korv_gzip_manual name)
  set(out ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/packaging
    COMMAND gzip -9n -c ${pkg}/${name} > ${out}
    DEPENDS ${pkg}/${name} VERBATIM)
  list(APPEND KORV_MANUALS ${out})
  set(KORV_MANUALS ${KORV_MANUALS} PARENT_SCOPE)
endfunction()
korv_gzip_manual(korv.1)
korv_gzip_manual(korv-cli.1)
korv_gzip_manual(korv-training.1)
korv_gzip_manual(changelog)
add_custom_target(korv_manuals ALL DEPENDS ${KORV_MANUALS})
set(gz ${CMAKE_BINARY_DIR}/packaging)

install(TARGETS korv-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT korv)
if(KORV_WITH_QT)
  install(TARGETS korv RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT korv)
endif()
install(FILES ${pkg}/${KORV_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        COMPONENT korv)
install(FILES ${pkg}/${KORV_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        COMPONENT korv)
install(FILES ${pkg}/icons/${KORV_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT korv)
foreach(size 48 64 128 256)
  install(FILES ${pkg}/icons/${KORV_APP_ID}-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KORV_APP_ID}.png COMPONENT korv)
endforeach()
install(FILES ${gz}/korv.1.gz ${gz}/korv-cli.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT korv)
# udev reads /usr/lib/udev/rules.d on Debian 12 as well as /lib/udev/rules.d.
install(FILES ${pkg}/70-korv-cable.rules DESTINATION lib/udev/rules.d COMPONENT korv)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${pkg}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR} COMPONENT korv)
install(FILES ${gz}/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME changelog.gz
        COMPONENT korv)

# The simulator: its library off the system's search path, found only through korv-training.
# Its folder is the architecture's private one: CPack gives a package whose library lies
# directly under /usr/lib/<folder> maintainer scripts that run ldconfig, needless for a folder
# the loader never searches.
set(KORV_SIMULATOR_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE}/korv-simulator)
configure_file(${pkg}/korv-training.in ${gz}/korv-training @ONLY)
install(TARGETS ftd2xx_sim LIBRARY DESTINATION ${KORV_SIMULATOR_LIBDIR} COMPONENT simulator)
install(PROGRAMS ${gz}/korv-training DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT simulator)
install(FILES ${pkg}/sample.ini DESTINATION ${CMAKE_INSTALL_DATADIR}/korv-simulator
        COMPONENT simulator)
install(FILES ${gz}/korv-training.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1
        COMPONENT simulator)
install(FILES ${pkg}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/korv-simulator
        COMPONENT simulator)
install(FILES ${gz}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/korv-simulator
        RENAME changelog.gz COMPONENT simulator)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME korv)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_VENDOR "Your Company Ltd.")
set(CPACK_PACKAGE_CONTACT "Your Company Ltd. <service@example.com>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Your Company Ltd. <service@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.com/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL korv simulator)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_KORV_PACKAGE_NAME korv)
# The first line of each description is the package's synopsis.
set(CPACK_DEBIAN_KORV_DESCRIPTION
    "card register of ZEL access-control reader modules\nKORV keeps the register of up to 6144 proximity cards of a ZEL reader module,\nedits it card by card, writes it to the module over the USB cable, verifies\nthe module against it and keeps it in card files. korv-cli does the same\nfrom the command line.")
set(CPACK_DEBIAN_SIMULATOR_PACKAGE_NAME korv-simulator)
set(CPACK_DEBIAN_SIMULATOR_PACKAGE_DEPENDS "korv (= ${CPACK_PACKAGE_VERSION})")
set(CPACK_DEBIAN_SIMULATOR_DESCRIPTION
    "simulated ZEL reader module for practising with KORV\nkorv-training starts KORV against a simulated reader module in place of the\nUSB cable, so an installer can practise without hardware.")
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS OFF)
include(CPack)
