# levelconf.exe and levelconf-cli.exe: the icon and version of each, and the window as a
# program of the desktop, without a console. Included from the top-level CMakeLists.txt
# when building for Windows; scripts/make-windows.sh gathers what they need to run.

include(${CMAKE_CURRENT_LIST_DIR}/LevelconfIcons.cmake)

set_target_properties(levelconf PROPERTIES WIN32_EXECUTABLE ON)

# The icon of the executables, Explorer and the Start menu: every rendering in one file.
find_program(LEVELCONF_CONVERT convert REQUIRED)
set(icon_file ${generated}/levelconf.ico)
set(icon_inputs "")
foreach(size 16 24 32 48 64 256)
    list(APPEND icon_inputs ${generated}/icons/${size}/${LEVELCONF_APP_ID}.png)
endforeach()
add_custom_command(OUTPUT ${icon_file} COMMAND ${LEVELCONF_CONVERT} ${icon_inputs} ${icon_file}
                   DEPENDS ${icon_inputs} COMMENT "Making the Windows icon" VERBATIM)

# Version resources: what Explorer's properties and the installed programs list show.
foreach(target levelconf levelconf-cli)
    if(target STREQUAL levelconf)
        set(LEVELCONF_RC_DESCRIPTION "QX-510 and HZL-310 sensor configurator")
    else()
        set(LEVELCONF_RC_DESCRIPTION "QX-510 and HZL-310 sensor configurator for scripts")
    endif()
    set(LEVELCONF_RC_NAME ${target})
    set(LEVELCONF_RC_ICON ${icon_file})
    configure_file(${CMAKE_SOURCE_DIR}/dist/windows/program.rc.in
                   ${generated}/${target}.rc @ONLY)
    target_sources(${target} PRIVATE ${generated}/${target}.rc)
    set_source_files_properties(${generated}/${target}.rc PROPERTIES OBJECT_DEPENDS ${icon_file})
endforeach()

# What the folder and the installer say of copying.
configure_file(${dist}/copyright.in ${generated}/copyright @ONLY)

# The engine's ticks on the Windows serial module, measured under Wine (scripts/test-windows.sh
# with BENCH=1); not shipped.
add_executable(bench_tick_port ${CMAKE_SOURCE_DIR}/bench/bench_tick_port.cpp)
target_include_directories(bench_tick_port PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_link_libraries(bench_tick_port PRIVATE levelconf_window)
