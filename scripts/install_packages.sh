# Sourced by the setup scripts: install_packages NAME... installs the Debian packages that are
# missing, and nothing when all are present.
install_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "Installo: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Servono i permessi di root per installare i pacchetti mancanti." >&2
    return 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
}
