# `cpack -G DEB` in a build tree: a Debian package of what `cmake --install` installs, under /usr.
# Its name and version are the project's (kestrel_<version>_<arch>.deb); Depends is worked out from
# the built programs by dpkg-shlibdeps (Debian's dpkg-dev), so it names the Qt 6 libraries they
# link. `make package` makes one from a Release build.
set(KESTREL_PACKAGE_MAINTAINER
    "Kestrel Programming Tool maintainers <maintainers@users.noreply.c-seed-cb674d09.example>"
    CACHE STRING "The Maintainer field of the Debian package")

# Debian wants a copyright file and a changelog beside the README in the package's documentation
# folder. The changelog names the version the package carries, in Debian's form, gzipped.
install(FILES "${PROJECT_SOURCE_DIR}/data/copyright" DESTINATION ${CMAKE_INSTALL_DOCDIR})
find_program(KESTREL_GZIP gzip)
if(KESTREL_GZIP)
  string(TIMESTAMP changelog_date "%a, %d %b %Y %H:%M:%S +0000" UTC)
  set(changelog "${CMAKE_CURRENT_BINARY_DIR}/debian/changelog")
  file(WRITE "${changelog}"
       "kestrel (${PROJECT_VERSION}) unstable; urgency=medium\n\n"
       "  * Kestrel Programming Tool ${PROJECT_VERSION}.\n\n"
       " -- ${KESTREL_PACKAGE_MAINTAINER}  ${changelog_date}\n")
  execute_process(COMMAND "${KESTREL_GZIP}" -9 -n -f "${changelog}" COMMAND_ERROR_IS_FATAL ANY)
  install(FILES "${changelog}.gz" DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kestrel)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Kestrel Programming Tool")
set(CPACK_PACKAGE_CONTACT "${KESTREL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "programming tool for the Kestrel wide-band receiver")
# Debian's extended description: lines under 80 characters, a lone dot between paragraphs.
set(CPACK_PACKAGE_DESCRIPTION
    "Reads the configuration of a Kestrel hand-held wide-band receiver over a
serial port, edits its menu functions, 1000 memory channels and 24 search
bands, keeps configurations in .dat files, prints them, and writes one
configuration into one receiver after another.
.
The package holds the window (kestrel), the same jobs for scripts and batch
programming (kestrel-cli) and a simulated receiver on a pseudo-terminal
(kestrel-sim), so that everything can be tried without hardware.")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KESTREL_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window's X11 platform plugin comes with qt6-qpa-plugins, which Qt's libraries only
# recommend: without it the window does not start.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# postrm clears away on purge what the programs leave in /usr; the control files get the modes
# dpkg expects (scripts 0755, the rest 0644).
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${PROJECT_SOURCE_DIR}/cmake/debian/postrm")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
