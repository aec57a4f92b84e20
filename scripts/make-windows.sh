#!/usr/bin/env bash
# Cross-builds levelconf.exe and levelconf-cli.exe for 64-bit Windows with MinGW-w64, and
# makes a portable zip and an NSIS installer of them in build-windows/.
#
# Debian has no Qt for MinGW, so Qt 6 base is built once from Debian's own qt6-base source
# into a cache folder (LEVELCONF_WINDOWS_CACHE, by default ~/.cache/levelconf-windows) and
# reused after that. The serial port is the program's own module on the Win32 API, so Qt
# SerialPort is not needed.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

cache=${LEVELCONF_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/levelconf-windows}
jobs=${JOBS:-$(nproc)}
toolchain=$root/cmake/toolchains/mingw-w64-x86_64.cmake

scripts/install-deps.sh --windows

qt_prefix=$cache/qt6-win64
build_qt() {
    [ -f "$qt_prefix/.complete" ] && return 0
    echo "Building Qt 6 base for Windows into $qt_prefix (once; about half an hour on two cores)"
    mkdir -p "$cache"
    local src
    src=$(find "$cache/source" -maxdepth 1 -type d -name 'qt6-base-*' 2>/dev/null | head -n 1 || true)
    if [ -z "$src" ]; then
        rm -rf "$cache/source"
        mkdir -p "$cache/source"
        (cd "$cache/source" && apt-get source --download-only qt6-base &&
             dpkg-source --no-check --skip-patches -x ./*.dsc)
        src=$(find "$cache/source" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
    fi
    rm -rf "$cache/qt-build" "$qt_prefix"
    cmake -S "$src" -B "$cache/qt-build" -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$qt_prefix" \
        -DQT_HOST_PATH=/usr \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=ON \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF \
        -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_opengl=OFF -DFEATURE_printsupport=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_xml=OFF -DFEATURE_testlib=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_dynamicgl=OFF \
        -DINPUT_openssl=no
    cmake --build "$cache/qt-build" --parallel "$jobs"
    cmake --install "$cache/qt-build"
    touch "$qt_prefix/.complete"
}
build_qt

# ---- levelconf.exe and levelconf-cli.exe ----
build=build-windows
cmake -S . -B "$build/programs" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$qt_prefix/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release
cmake --build "$build/programs" --parallel "$jobs" --target levelconf levelconf-cli

# ---- The folder that runs where it is unpacked ----
version=$(sed -n 's/^project(levelconf VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name=levelconf-$version
folder=$build/$name
rm -rf "$folder"
mkdir -p "$folder/platforms" "$folder/styles" "$folder/translations"
cp "$build/programs/levelconf.exe" "$build/programs/levelconf-cli.exe" "$folder/"
x86_64-w64-mingw32-strip "$folder/levelconf.exe" "$folder/levelconf-cli.exe"
for dll in Qt6Core Qt6Gui Qt6Widgets; do
    cp "$qt_prefix/bin/$dll.dll" "$folder/"
done
cp "$qt_prefix/plugins/platforms/qwindows.dll" "$folder/platforms/"
cp "$qt_prefix/plugins/styles/qwindowsvistastyle.dll" "$folder/styles/"
# The compiler's run-time libraries, which the programs and Qt's DLLs are linked against.
gcc_dir=$(dirname "$(x86_64-w64-mingw32-g++-posix -print-libgcc-file-name)")
cp "$gcc_dir/libstdc++-6.dll" "$gcc_dir/libgcc_s_seh-1.dll" "$folder/"
cp /usr/x86_64-w64-mingw32/lib/libwinpthread-1.dll "$folder/"
# Qt's own texts in Russian (the standard buttons, the file dialog); the program's own
# texts are built into it.
cp /usr/share/qt6/translations/qtbase_ru.qm "$folder/translations/"
# Qt finds its plugins and translations beside the programs, not in the folder it was
# built for.
printf '[Paths]\r\nPrefix = .\r\nPlugins = .\r\nTranslations = translations\r\n' >"$folder/qt.conf"
sed 's/$/\r/' dist/windows/README-windows.txt >"$folder/README.txt"
sed 's/$/\r/' "$build/programs/dist/copyright" >"$folder/COPYRIGHT.txt"
# Qt is the Qt Company's, under the GNU LGPL version 3: its licence, and where its source is.
qt_source=$(find "$cache/source" -maxdepth 1 -type d -name 'qt6-base-*' | head -n 1)
{
    echo "The Qt libraries in this folder (Qt6Core.dll, Qt6Gui.dll, Qt6Widgets.dll and the"
    echo "plugins) are Qt $(basename "$qt_source" | sed 's/^qt6-base-//'), built unchanged from"
    echo "Debian's qt6-base source package. They are licensed under the GNU Lesser General"
    echo "Public License version 3, which follows."
    echo
    cat "$qt_source/LICENSES/LGPL-3.0-only.txt"
} | sed 's/$/\r/' >"$folder/LICENSE-Qt.txt"

# Every DLL a shipped file imports is shipped too, or is one of Windows' own.
scripts/windows-imports.sh "$folder"

(cd "$build" && rm -f "$name-win64.zip" && zip -qr9 "$name-win64.zip" "$name")
echo "Made $build/$name-win64.zip"

# ---- The installer ----
makensis -V2 -DVERSION="$version" -DSOURCE="$PWD/$folder" -DICON="$PWD/$build/programs/dist/levelconf.ico" \
    -DOUTFILE="$PWD/$build/$name-setup.exe" dist/windows/levelconf.nsi
echo "Made $build/$name-setup.exe"
