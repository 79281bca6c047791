# Installation and the Debian package.
#
#   bin/                         plug528-host, simdist, chrm-import, chrmgen
#   lib/plug528/                 libplug528.so, libplug528ENU.so, simdist-pictures.so (the
#                                report pictures of simdist), plug528.xsl, plug528ENU.xsl,
#                                tqle528data.csv (the plug-in folder; the host looks here),
#                                plug528-aia-convert (the AIA import's worker process)
#   share/applications/          plug528-host.desktop
#   share/icons/hicolor/...      plug528-host icon (64x64 PNG and scalable SVG)
#   share/plug528/demo/          the demonstration sets
#
# cpack -G DEB builds plug528_<version>_<arch>.deb for Debian 12 with its run-time
# dependencies declared (scripts/check-package.sh installs it into a scratch root).
include(GNUInstallDirs)
set(PLUG528_PLUGIN_DIR lib/plug528)

foreach(program plug528-host simdist chrm-import chrmgen)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()
foreach(module plug528 plug528ENU simdist_pictures)
  if(TARGET ${module})
    install(TARGETS ${module} LIBRARY DESTINATION ${PLUG528_PLUGIN_DIR})
  endif()
endforeach()
if(TARGET plug528-aia-convert)
  install(TARGETS plug528-aia-convert RUNTIME DESTINATION ${PLUG528_PLUGIN_DIR})
endif()
install(FILES data/tqle528data.csv data/plug528.xsl data/plug528ENU.xsl DESTINATION ${PLUG528_PLUGIN_DIR})
if(TARGET plug528-host)
  install(FILES host/app/share/plug528-host.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES host/app/share/plug528-host.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/64x64/apps)
  install(FILES host/app/share/plug528-host.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
endif()
install(DIRECTORY data/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/plug528/demo)

set(CPACK_PACKAGE_NAME plug528)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "plug528 maintainers <plug528@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Simulated distillation of petroleum products by gas chromatography")
set(CPACK_PACKAGE_DESCRIPTION
  "The plug528 calculation module, its desktop host with an assay database and chromatogram viewer, and the simdist command line.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Declared by hand (Debian 12 names), so the package does not depend on the build machine's
# dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libc6 (>= 2.36), libstdc++6 (>= 12), libsqlite3-0 (>= 3.40), libxml2 (>= 2.9), libxslt1.1 (>= 1.1.35), libicu72, libpugixml1v5 (>= 1.13), libnetcdf19 (>= 1:4.9)")
if(TARGET plug528-host)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    ", libqt6core6 (>= 6.4), libqt6gui6 (>= 6.4), libqt6widgets6 (>= 6.4)")
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
endif()
set(CPACK_GENERATOR DEB)
include(CPack)
