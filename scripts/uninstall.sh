#!/usr/bin/env bash
# Removes what scripts/install.sh put in place for the user who runs it. The profiles and the
# archives in the program's folder are the user's data: they stay where they are, and it says so.
set -euo pipefail
app_id=it.faldone.Faldone

lib=$HOME/.local/lib/faldone
bin=$HOME/.local/bin
share=${XDG_DATA_HOME:-$HOME/.local/share}

rm -f "$lib/faldone" "$lib/archivia" "$lib/HELP/FALDONE.htm"
[ -d "$lib/HELP" ] && rmdir "$lib/HELP" 2>/dev/null || true
# Only our own launcher: a program of the same name that the user put there stays.
if [ -f "$bin/faldone" ] && grep -q 'installed by scripts/install.sh' "$bin/faldone"; then rm -f "$bin/faldone"; fi
rm -f "$share/applications/$app_id.desktop" "$share/icons/hicolor/scalable/apps/$app_id.svg" \
  "$share/metainfo/$app_id.metainfo.xml"
if command -v update-desktop-database >/dev/null && [ -d "$share/applications" ]; then
  update-desktop-database -q "$share/applications" || true
fi

echo "Faldone è stato disinstallato."
if [ -d "$lib" ] && ! rmdir "$lib" 2>/dev/null; then
  profiles=$(find "$lib" -maxdepth 1 -type f -name 'Copia_*.Dat' | wc -l)
  archives=$(find "$lib" -maxdepth 1 -type f -iname '*.zip' | wc -l)
  echo "I profili ($profiles) e gli archivi ($archives) restano in $lib;"
  echo "una nuova installazione li ritrova. Per eliminarli si cancella quella cartella."
fi
