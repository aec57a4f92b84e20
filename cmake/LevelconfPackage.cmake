# The Debian package: `cpack -G DEB` in a Release build folder wraps what `cmake --install`
# puts in place into levelconf_<version>_<architecture>.deb. Its dependencies are read from
# the binaries by dpkg-shlibdeps, so they follow whatever the build was linked against.

set(CPACK_PACKAGE_NAME levelconf)
set(CPACK_PACKAGE_VENDOR "The levelconf developers")
set(CPACK_PACKAGE_CONTACT "${LEVELCONF_MAINTAINER}")
set(CPACK_PACKAGE_HOMEPAGE_URL "${LEVELCONF_HOMEPAGE}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "configurator for RS-485 liquid-level sensors")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
    "levelconf configures and services QX-510 and HZL-310 liquid-level sensors on"
    "an RS-485 bus through one serial port: it finds the sensors on the bus, shows"
    "their live readings, changes their settings, calibrates tanks, exchanges the"
    "sensor's calibration table and writes new firmware through its boot loader."
    "Every exchange is written to a session log."
    ""
    "levelconf-cli does the same from scripts and production lines, and"
    "levelconf-gateway, a service, publishes every sensor of a bus to an MQTT"
    "broker with Home Assistant discovery."
    ""
    "sensor-sim simulates a bus of such sensors on a pseudo-terminal, for trying"
    "and demonstrating levelconf without hardware.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${LEVELCONF_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# A cross build's package is of the architecture built for, not of the machine building it
# (CPack asks dpkg for the latter). dpkg-shlibdeps then needs that architecture's libraries
# and the DEB_HOST_* of dpkg-architecture in its environment, as scripts/make-package.sh
# sets them.
if(CMAKE_CROSSCOMPILING)
    execute_process(COMMAND dpkg-architecture -t${CMAKE_LIBRARY_ARCHITECTURE} -qDEB_HOST_ARCH
                    OUTPUT_VARIABLE CPACK_DEBIAN_PACKAGE_ARCHITECTURE
                    OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
endif()
# The program's own translations are built into it; Qt's, for the standard buttons and the
# file dialog in Russian, come from Qt's package. Without it those stay in English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
# The gateway's broker may run on this machine or on any other.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS mosquitto)
# The gateway's configuration is the administrator's once installed.
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/dist/conffiles)

include(CPack)
