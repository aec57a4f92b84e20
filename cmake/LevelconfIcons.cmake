# The program's icon rendered from its drawing at the sizes desktops ask for, and built into
# levelconf for its window (run from a build folder or on Windows, no theme offers it).
# Sets LEVELCONF_ICON_SIZES to the sizes made; the PNGs are ${generated}/icons/SIZE/.
set(dist ${CMAKE_SOURCE_DIR}/dist)
set(generated ${CMAKE_BINARY_DIR}/dist)

find_program(LEVELCONF_RSVG_CONVERT rsvg-convert)
set(LEVELCONF_ICON_SIZES "")
if(LEVELCONF_RSVG_CONVERT)
    set(LEVELCONF_ICON_SIZES 16 24 32 48 64 128 256)
else()
    message(STATUS "rsvg-convert not found: only the SVG icon is installed")
endif()
set(icon_pngs "")
foreach(size ${LEVELCONF_ICON_SIZES})
    set(png ${generated}/icons/${size}/${LEVELCONF_APP_ID}.png)
    add_custom_command(
        OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}
        COMMAND ${LEVELCONF_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
                ${dist}/${LEVELCONF_APP_ID}.svg
        DEPENDS ${dist}/${LEVELCONF_APP_ID}.svg
        COMMENT "Rendering the ${size}x${size} icon"
        VERBATIM)
    list(APPEND icon_pngs ${png})
endforeach()
if(icon_pngs)
    qt_add_resources(levelconf levelconf_icons PREFIX /icons BASE ${generated}/icons
                     FILES ${icon_pngs})
endif()

