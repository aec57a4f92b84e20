# Which files of a source list belong to the system being built for. What the systems do
# differently lives in files of its own: *Posix.cpp, QtSerialPort and AlsaTone for Linux,
# *Windows.cpp and Win32SerialPort for Windows. No #ifdef in the shared files chooses.
function(levelconf_platform_sources var)
    set(sources ${${var}})
    if(WIN32)
        list(FILTER sources EXCLUDE REGEX "(Posix\\.cpp|/QtSerialPort\\.(cpp|h)|/AlsaTone\\.(cpp|h))$")
    else()
        list(FILTER sources EXCLUDE REGEX "(Windows\\.cpp|/Win32[^/]*\\.(cpp|h))$")
    endif()
    set(${var} ${sources} PARENT_SCOPE)
endfunction()
