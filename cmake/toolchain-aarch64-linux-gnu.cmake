# Cross-building for 64-bit ARM (arm64: Raspberry Pi 3, 4 and 5 on a 64-bit system, and most
# industrial boards) on a Debian machine of another architecture, against Debian's own arm64
# libraries installed beside the machine's own (multiarch):
#
#   dpkg --add-architecture arm64 && apt-get update
#   apt-get install crossbuild-essential-arm64 qt6-base-dev:arm64 qt6-serialport-dev:arm64 \
#       libmosquitto-dev:arm64 libasound2-dev:arm64 qemu-user-static
#   cmake -S . -B build-arm64 -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-aarch64-linux-gnu.cmake
#
# (scripts/install-deps.sh --arm64 does both steps.) The arm64 libraries and headers live
# in the machine's own tree under aarch64-linux-gnu, so there is no separate sysroot. Qt's
# tools that run during the build (moc, rcc, uic, lrelease) are the machine's own, and a
# built program that the build runs (help2man reads each program's --help) runs under
# qemu-user.

set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(LEVELCONF_TARGET_TRIPLET aarch64-linux-gnu)

set(CMAKE_C_COMPILER ${LEVELCONF_TARGET_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${LEVELCONF_TARGET_TRIPLET}-g++)
# The libraries are looked up in the multiarch folders of arm64 alone, never in the
# machine's own.
set(CMAKE_LIBRARY_ARCHITECTURE ${LEVELCONF_TARGET_TRIPLET})

# pkg-config (libmosquitto) reads the arm64 .pc files only.
set(ENV{PKG_CONFIG_LIBDIR}
    "/usr/lib/${LEVELCONF_TARGET_TRIPLET}/pkgconfig:/usr/share/pkgconfig")
unset(ENV{PKG_CONFIG_PATH})

# Qt's build tools come from the machine's own Qt: Debian's arm64 Qt names the same tools
# (they are one package for every architecture), and Linguist's, which the arm64 Qt does not
# carry, is found in the machine's own Qt as a package of host tools.
find_program(LEVELCONF_DPKG_ARCHITECTURE dpkg-architecture)
if(LEVELCONF_DPKG_ARCHITECTURE)
    execute_process(COMMAND ${LEVELCONF_DPKG_ARCHITECTURE} -qDEB_BUILD_MULTIARCH
                    OUTPUT_VARIABLE LEVELCONF_BUILD_MULTIARCH OUTPUT_STRIP_TRAILING_WHITESPACE
                    ERROR_QUIET)
endif()
if(LEVELCONF_BUILD_MULTIARCH)
    set(QT_HOST_PATH /usr)
    set(Qt6HostInfo_DIR /usr/lib/${LEVELCONF_BUILD_MULTIARCH}/cmake/Qt6HostInfo)
endif()

# The built programs run under qemu-user where the build or its tests run them.
find_program(LEVELCONF_QEMU_AARCH64 NAMES qemu-aarch64-static qemu-aarch64)
if(LEVELCONF_QEMU_AARCH64)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${LEVELCONF_QEMU_AARCH64})
endif()
