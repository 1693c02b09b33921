#!/usr/bin/env bash
# Installs into a temporary home, as an unprivileged user when run as root, and uninstalls again.
# Usage: install_test.sh SOURCE_FOLDER PROGRAM_FOLDER
set -uo pipefail
source_dir=$1
program_dir=$2
failures=0
fail() { echo "ERRORE: $*" >&2; failures=$((failures + 1)); }

root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
chmod 755 "$root"
# A home with a blank and an accent: the launcher and the desktop entry must quote it.
home="$root/casa di Niccolò"
mkdir "$home"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
  chown 65534:65534 "$home"
  as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  # The checkout may sit in a folder only root can enter: the user installs from a copy.
  mkdir "$root/sorgente"
  cp -r "$source_dir/scripts" "$source_dir/data" "$root/sorgente/"
  cp -r "$program_dir" "$root/programma"
  chmod -R a+rX "$root/sorgente" "$root/programma"
  source_dir=$root/sorgente
  program_dir=$root/programma
fi
# The scripts see only the user's home and an ordinary PATH, as after a login.
run() { "${as_user[@]}" env -i HOME="$home" PATH=/usr/local/bin:/usr/bin:/bin LANG=C.UTF-8 "$@"; }

lib="$home/.local/lib/faldone"
launcher="$home/.local/bin/faldone"
entry="$home/.local/share/applications/it.faldone.Faldone.desktop"
icon="$home/.local/share/icons/hicolor/scalable/apps/it.faldone.Faldone.svg"
metainfo="$home/.local/share/metainfo/it.faldone.Faldone.metainfo.xml"

# --- install: the program folder, the launcher, the desktop files, all valid ---
run bash "$source_dir/scripts/install.sh" "$program_dir" > "$root/out" 2>&1 || { cat "$root/out"; fail "install.sh non riuscito"; }
for f in faldone archivia HELP/FALDONE.htm; do
  cmp -s "$program_dir/$f" "$lib/$f" || fail "$lib/$f non è la copia di $program_dir/$f"
done
[ -x "$lib/faldone" ] && [ -x "$lib/archivia" ] || fail "programma o archiviatore non eseguibili"
for f in "$launcher" "$entry" "$icon" "$metainfo"; do [ -f "$f" ] || fail "manca $f"; done
[ "$(stat -c %u "$lib/faldone")" = "$(stat -c %u "$home")" ] || fail "i file non appartengono all'utente"
desktop-file-validate "$entry" || fail "la voce del menu non è valida"
appstreamcli validate --no-net --strict "$metainfo" > "$root/appstream" 2>&1 || { cat "$root/appstream"; fail "metadati AppStream non validi"; }
grep -qx 'Categories=Utility;Archiving;' "$entry" || fail "categorie della voce del menu"
grep -qx "Exec=\"$launcher\"" "$entry" || fail "la voce del menu non avvia il lanciatore: $(grep ^Exec= "$entry")"

# --- the launcher starts the installed program by its full path, which is how the program
#     finds its folder, the data folder; a stand-in shows what it was started as ---
printf '#!/bin/sh\necho "avviato: $0 $*"\n' > "$root/standin"
chmod 755 "$root/standin"
cp "$root/standin" "$lib/faldone"
started=$(run "$launcher" uno "due tre" 2>&1)
[ "$started" = "avviato: $lib/faldone uno due tre" ] || fail "il lanciatore ha avviato: $started"

# --- a second install over the first replaces the program and keeps the user's data ---
printf 'Copia_01.Dat#Casa\r\n 1#Documenti#C:\\DOC\\\r\n' > "$lib/Copia_01.Dat"
printf 'PK\005\006%018d' 0 > "$lib/0101_1_1.ZIP"
cp "$lib/Copia_01.Dat" "$lib/0101_1_1.ZIP" "$root/"
[ "$(id -u)" -eq 0 ] && chown 65534:65534 "$lib/Copia_01.Dat" "$lib/0101_1_1.ZIP"
run bash "$source_dir/scripts/install.sh" "$program_dir" > "$root/out" 2>&1 || { cat "$root/out"; fail "seconda installazione non riuscita"; }
cmp -s "$program_dir/faldone" "$lib/faldone" || fail "la seconda installazione non ha rimesso il programma"
cmp -s "$root/Copia_01.Dat" "$lib/Copia_01.Dat" || fail "la seconda installazione ha toccato il profilo"
cmp -s "$root/0101_1_1.ZIP" "$lib/0101_1_1.ZIP" || fail "la seconda installazione ha toccato l'archivio"
leftovers=$(find "$home" -name '.installa.*')
[ -z "$leftovers" ] || fail "file temporanei rimasti: $leftovers"

# --- uninstall removes the program, keeps profiles and archives and says so; twice is fine ---
run bash "$source_dir/scripts/uninstall.sh" > "$root/out" 2>&1 || { cat "$root/out"; fail "uninstall.sh non riuscito"; }
for f in "$lib/faldone" "$lib/archivia" "$lib/HELP" "$launcher" "$entry" "$icon" "$metainfo"; do
  [ ! -e "$f" ] || fail "la disinstallazione ha lasciato $f"
done
cmp -s "$root/Copia_01.Dat" "$lib/Copia_01.Dat" || fail "la disinstallazione ha tolto il profilo"
cmp -s "$root/0101_1_1.ZIP" "$lib/0101_1_1.ZIP" || fail "la disinstallazione ha tolto l'archivio"
grep -q "I profili (1) e gli archivi (1) restano in $lib" "$root/out" || { cat "$root/out"; fail "la disinstallazione non dice dove restano i dati"; }
run bash "$source_dir/scripts/uninstall.sh" > "$root/out" 2>&1 || { cat "$root/out"; fail "seconda disinstallazione non riuscita"; }

# --- a program of the user's own under the launcher's name is not ours to remove ---
printf '#!/bin/sh\necho mio\n' > "$launcher"
run bash "$source_dir/scripts/uninstall.sh" > /dev/null 2>&1
[ -f "$launcher" ] || fail "la disinstallazione ha cancellato un programma dell'utente"

[ "$failures" -eq 0 ] && echo "installazione e disinstallazione: tutto in ordine"
exit $((failures > 0))
