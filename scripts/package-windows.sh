#!/usr/bin/env bash
# Builds the Windows program folder and zips it:
#   build-windows/Faldone/            faldone.exe, archivia.exe, HELP\FALDONE.htm
#   build-windows/faldone-windows.zip the same folder, ready to unzip anywhere on Windows
# Needs the cross-built libraries (scripts/windows/deps.sh makes the missing ones). Every .exe
# must be self-contained: one that imports anything beyond Windows' own DLLs stops the script.
set -euo pipefail
cd "$(dirname "$0")/.."

build="build-windows"
folder=$build/Faldone
zip=$build/faldone-windows.zip

bash scripts/windows/build.sh "$build" -DFALDONE_TESTS=OFF

# Windows' own DLLs, which every Windows 10 and later has.
system_dlls='^(kernel32|user32|gdi32|comctl32|comdlg32|shell32|shlwapi|ole32|oleaut32|oleacc|advapi32|rpcrt4|uxtheme|winspool\.drv|winmm|version|ws2_32|winhttp|msvcrt|msimg32|imm32|bcrypt|api-ms-win-[a-z0-9-]+)\.dll$|^winspool\.drv$'
for exe in faldone.exe archivia.exe; do
  while read -r dll; do
    if ! grep -Eiq "$system_dlls" <<<"$dll"; then
      echo "$exe importa $dll, che Windows non ha: il programma non sarebbe autonomo." >&2
      exit 1
    fi
  done < <(x86_64-w64-mingw32-objdump -p "$build/programma/$exe" | sed -n 's/^[[:space:]]*DLL Name: //p')
done

rm -rf "$folder" "$zip"
mkdir -p "$folder/HELP"
cp "$build/programma/faldone.exe" "$build/programma/archivia.exe" "$folder/"
cp help/FALDONE.htm "$folder/HELP/"
(cd "$build" && zip -qr9 "$(basename "$zip")" Faldone)
echo "Cartella del programma: $folder"
echo "Archivio da distribuire: $zip"
