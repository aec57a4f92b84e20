#!/usr/bin/env bash
# Checks that a folder of Windows programs runs on its own: every DLL that one of its
# executables or DLLs imports is either in the folder (or its plugin folders) or one of
# Windows' own. Prints what is missing and fails when anything is.
#   scripts/windows-imports.sh FOLDER
set -euo pipefail
folder=$1

# Windows' own libraries, and the API sets that stand for them.
system_dll='^(advapi32|authz|bcrypt|comctl32|comdlg32|crypt32|d3d9|d3d11|d3d12|dcomp|dwmapi|dwrite|dxgi|gdi32|imm32|kernel32|mpr|msvcrt|netapi32|ntdll|ole32|oleaut32|opengl32|setupapi|shcore|shell32|shlwapi|user32|userenv|uxtheme|version|winmm|winspool\.drv|ws2_32|wtsapi32|api-ms-win-.*|ext-ms-win-.*)\.dll$'

shipped=$(find "$folder" -iname '*.dll' -printf '%f\n' | tr 'A-Z' 'a-z' | sort -u)
missing=0
while IFS= read -r -d '' file; do
    while read -r dll; do
        lower=$(echo "$dll" | tr 'A-Z' 'a-z')
        if grep -qxF "$lower" <<<"$shipped" || [[ $lower =~ $system_dll ]]; then
            continue
        fi
        echo "${file#"$folder"/} needs $dll, which is not shipped" >&2
        missing=1
    done < <(x86_64-w64-mingw32-objdump -p "$file" | sed -n 's/^\s*DLL Name: //p')
done < <(find "$folder" \( -iname '*.exe' -o -iname '*.dll' \) -print0)
exit $missing
