cmake_minimum_required(VERSION 3.22)
# Fails when the core includes anything of the window: a Qt Gui or Qt Widgets header, a
# generated form, ALSA, or a header under src/window. Run with -DSOURCE_DIR=<src>
# -DSTAMP=<file touched when all is well>.
file(GLOB_RECURSE core_files ${SOURCE_DIR}/core/*.cpp ${SOURCE_DIR}/core/*.h)
set(forbidden
    "#[ \t]*include[ \t]*[<\"](QtGui|QtWidgets|QtOpenGL|QtSvg)/"
    "#[ \t]*include[ \t]*[<\"]Q(Widget|Application|GuiApplication|Painter|Color|Pixmap|Image|Font|Icon|Palette|KeySequence|Clipboard)[>\"]"
    "#[ \t]*include[ \t]*[<\"]ui_[A-Za-z0-9_]+\\.h[>\"]"
    "#[ \t]*include[ \t]*[<\"]alsa/"
    "#[ \t]*include[ \t]*\"window/")
set(found "")
foreach(f ${core_files})
    file(STRINGS ${f} lines REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${lines})
        foreach(pattern ${forbidden})
            if(line MATCHES "${pattern}")
                file(RELATIVE_PATH rel ${SOURCE_DIR} ${f})
                list(APPEND found "src/${rel}: ${line}")
            endif()
        endforeach()
    endforeach()
endforeach()
if(found)
    list(JOIN found "\n  " text)
    message(FATAL_ERROR "The core must not include the window or its toolkit:\n  ${text}")
endif()
file(TOUCH ${STAMP})
