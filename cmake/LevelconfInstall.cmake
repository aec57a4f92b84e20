# What `cmake --install` puts on a machine: the programs, the desktop entry, the icon,
# the AppStream metainfo, a man page for each program and the package's documents.
# Included from the top-level CMakeLists.txt once the levelconf and sensor-sim targets exist.

# The date of this version's release, for the metainfo; dist/changelog has the same.
set(LEVELCONF_RELEASE_DATE "2026-12-08")

set(dist ${CMAKE_SOURCE_DIR}/dist)
set(generated ${CMAKE_BINARY_DIR}/dist)

install(TARGETS levelconf levelconf-cli levelconf-gateway
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET sensor-sim)
    install(TARGETS sensor-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()

configure_file(${dist}/${LEVELCONF_APP_ID}.desktop.in ${generated}/${LEVELCONF_APP_ID}.desktop
               @ONLY)
configure_file(${dist}/${LEVELCONF_APP_ID}.metainfo.xml.in
               ${generated}/${LEVELCONF_APP_ID}.metainfo.xml @ONLY)
install(FILES ${generated}/${LEVELCONF_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${generated}/${LEVELCONF_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the drawing itself, and PNG renderings of it for desktops and toolkits that
# cannot read SVG (cmake/LevelconfIcons.cmake renders them, and builds them into levelconf).
set(icon_dir ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${dist}/${LEVELCONF_APP_ID}.svg DESTINATION ${icon_dir}/scalable/apps)
include(${CMAKE_CURRENT_LIST_DIR}/LevelconfIcons.cmake)
foreach(size ${LEVELCONF_ICON_SIZES})
    install(FILES ${generated}/icons/${size}/${LEVELCONF_APP_ID}.png
            DESTINATION ${icon_dir}/${size}x${size}/apps)
endforeach()

# Man pages, from each program's own --help and --version, so that they never drift from
# the options. levelconf makes its application object before it reads the options, so it
# runs on the offscreen platform here, where there may be no display; a sanitizer build
# should not fail the page over what the toolkit keeps until exit. The pages are in the
# programs' source language, whatever the locale of whoever builds them.
find_program(LEVELCONF_HELP2MAN help2man)
set(man_env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 LC_ALL=C.UTF-8 LANGUAGE=)
set(man_pages "")
if(NOT LEVELCONF_HELP2MAN)
    message(WARNING "help2man not found: no man pages are built or installed "
                    "(scripts/install-deps.sh installs it)")
endif()

# In a cross build the programs cannot run here by themselves: help2man runs each through a
# script of the program's name that starts it under the emulator (qemu-user).
if(LEVELCONF_HELP2MAN AND CMAKE_CROSSCOMPILING AND NOT CMAKE_CROSSCOMPILING_EMULATOR)
    message(WARNING "cross-building without an emulator: no man pages are built or installed "
                    "(qemu-user-static runs the programs)")
    set(LEVELCONF_HELP2MAN "")
endif()

# levelconf_man_page(<target> <one-line description>)
function(levelconf_man_page target description)
    if(NOT LEVELCONF_HELP2MAN OR NOT TARGET ${target})
        return()
    endif()
    set(page ${generated}/man/${target}.1)
    set(program $<TARGET_FILE:${target}>)
    if(CMAKE_CROSSCOMPILING)
        set(program ${generated}/emulated/${target})
        string(JOIN " " emulator ${CMAKE_CROSSCOMPILING_EMULATOR})
        file(GENERATE OUTPUT ${program}
             CONTENT "#!/bin/sh\nexec ${emulator} \"$<TARGET_FILE:${target}>\" \"$@\"\n"
             FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                              WORLD_READ WORLD_EXECUTE)
    endif()
    add_custom_command(
        OUTPUT ${page}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/man
        COMMAND ${CMAKE_COMMAND} -E env ${man_env}
                ${LEVELCONF_HELP2MAN} --no-info --section=1 --name=${description}
                --include=${dist}/${target}.h2m --output=${page} ${program}
        COMMAND gzip -9 -n -f ${page}
        DEPENDS ${target} ${dist}/${target}.h2m
        COMMENT "Generating the man page of ${target}"
        VERBATIM)
    install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    set(man_pages ${man_pages} ${page}.gz PARENT_SCOPE)
endfunction()

levelconf_man_page(levelconf "configure and service RS-485 liquid-level sensors")
levelconf_man_page(levelconf-cli "configure RS-485 liquid-level sensors from scripts")
levelconf_man_page(sensor-sim "a simulated bus of RS-485 level sensors on a pseudo-terminal")
levelconf_man_page(levelconf-gateway "publish a bus of RS-485 level sensors to an MQTT broker")
add_custom_target(levelconf_man_pages ALL DEPENDS ${man_pages})

# The gateway as a service: its unit, installed but not enabled (it needs the port and the
# broker named first), and an example of its configuration, which the package keeps as a
# conffile: an administrator's changes survive upgrades. The configuration lives in the
# system's configuration folder (/etc for a prefix of /usr) whatever the prefix the files
# are installed under, so the unit names it by its full path.
set(LEVELCONF_GATEWAY_CONFIG "${CMAKE_INSTALL_FULL_SYSCONFDIR}/levelconf/gateway.conf")
configure_file(${dist}/levelconf-gateway.service.in ${generated}/levelconf-gateway.service
               @ONLY)
install(FILES ${generated}/levelconf-gateway.service DESTINATION lib/systemd/system)
# The template for a gateway of each bus, each with its own configuration beside that one.
set(LEVELCONF_GATEWAY_CONFIG_DIR "${CMAKE_INSTALL_FULL_SYSCONFDIR}/levelconf")
configure_file(${dist}/levelconf-gateway@.service.in
               ${generated}/levelconf-gateway@.service @ONLY)
install(FILES ${generated}/levelconf-gateway@.service DESTINATION lib/systemd/system)
install(FILES ${dist}/gateway.conf DESTINATION ${CMAKE_INSTALL_FULL_SYSCONFDIR}/levelconf)
file(WRITE ${generated}/conffiles "${LEVELCONF_GATEWAY_CONFIG}\n")

# The package's documents: where the project stands on copying, and its release history.
configure_file(${dist}/copyright.in ${generated}/copyright @ONLY)
add_custom_command(
    OUTPUT ${generated}/changelog.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${dist}/changelog ${generated}/changelog
    COMMAND gzip -9 -n -f ${generated}/changelog
    DEPENDS ${dist}/changelog
    VERBATIM)
add_custom_target(levelconf_changelog ALL DEPENDS ${generated}/changelog.gz)
install(FILES ${generated}/copyright ${generated}/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
