#!/usr/bin/env bash
# Installs Faldone for the user who runs it, without root:
#   ~/.local/lib/faldone/   the program, its archiver and its help page; this is also the data
#                           folder, where the profiles (Copia_NN.Dat) and the archives live
#   ~/.local/bin/faldone    the launcher
#   the desktop entry, the icon and the software-centre description under ~/.local/share
# Usage: bash scripts/install.sh [PROGRAM_FOLDER]
# Without PROGRAM_FOLDER the program is built first (Release, no tests) into build-release.
# Running it again over an earlier install replaces the program and keeps profiles and archives.
set -euo pipefail
source_dir=$(cd "$(dirname "$0")/.." && pwd)
app_id=it.faldone.Faldone

lib=$HOME/.local/lib/faldone
bin=$HOME/.local/bin
share=${XDG_DATA_HOME:-$HOME/.local/share}
applications=$share/applications
icons=$share/icons/hicolor/scalable/apps
metainfo=$share/metainfo

if [ $# -ge 1 ]; then
  program_dir=$1
else
  if ! bash "$source_dir/scripts/build.sh" build-release -DCMAKE_BUILD_TYPE=Release -DFALDONE_TESTS=OFF; then
    echo "Compilazione non riuscita. Se mancano dei pacchetti, come root: bash scripts/setup.sh" >&2
    exit 1
  fi
  program_dir=$source_dir/build-release/programma
fi
for f in faldone archivia HELP/FALDONE.htm; do
  if [ ! -f "$program_dir/$f" ]; then
    echo "Manca $program_dir/$f: il programma non è stato compilato." >&2
    exit 1
  fi
done

# Every file goes in under a temporary name beside its place and is then renamed over it: a
# program that is running keeps its old file, and a copy that fails leaves nothing half-written.
put() {
  local mode=$1 from=$2 to=$3 temporary
  temporary=$(mktemp "$(dirname "$to")/.installa.XXXXXX")
  if cp "$from" "$temporary" && chmod "$mode" "$temporary" && mv -f "$temporary" "$to"; then return 0; fi
  rm -f "$temporary"
  echo "Impossibile scrivere $to" >&2
  return 1
}

# A path as one word of a desktop entry's Exec key: quoted, with the characters the quotes do
# not protect escaped, then backslashes doubled as every string value of the entry needs.
exec_word() {
  local word=$1
  word=${word//\\/\\\\}
  word=${word//\"/\\\"}
  word=${word//\`/\\\`}
  word=${word//\$/\\\$}
  word=${word//%/%%}
  word=${word//\\/\\\\}
  printf '"%s"' "$word"
}

mkdir -p "$lib/HELP" "$bin" "$applications" "$icons" "$metainfo"
put 755 "$program_dir/faldone" "$lib/faldone"
put 755 "$program_dir/archivia" "$lib/archivia"
put 644 "$program_dir/HELP/FALDONE.htm" "$lib/HELP/FALDONE.htm"

launcher=$(mktemp)
trap 'rm -f "$launcher"' EXIT
{
  echo '#!/bin/sh'
  echo '# Faldone, installed by scripts/install.sh: the program keeps its profiles and archives'
  echo '# in its own folder, so it is started from there.'
  printf "exec '%s' \"\$@\"\n" "${lib//\'/\'\\\'\'}/faldone"
} > "$launcher"
put 755 "$launcher" "$bin/faldone"

sed "s|^Exec=@LAUNCHER@\$|Exec=$(exec_word "$bin/faldone" | sed 's/[|&\\]/\\&/g')|" \
  "$source_dir/data/$app_id.desktop" > "$launcher"
put 644 "$launcher" "$applications/$app_id.desktop"
put 644 "$source_dir/data/$app_id.svg" "$icons/$app_id.svg"
put 644 "$source_dir/data/$app_id.metainfo.xml" "$metainfo/$app_id.metainfo.xml"

# The menus read the entries without these caches too; they only make them notice sooner.
if command -v update-desktop-database >/dev/null; then update-desktop-database -q "$applications" || true; fi
touch "$share/icons/hicolor"

echo "Faldone è installato in $lib."
echo "Profili (Copia_NN.Dat) e archivi (.ZIP) stanno nella stessa cartella."
echo "Si avvia dal menu delle applicazioni o con il comando faldone."
case ":$PATH:" in
  *":$bin:"*) ;;
  *) echo "Attenzione: $bin non è nel PATH; il comando completo è $bin/faldone" ;;
esac
