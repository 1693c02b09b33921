#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need; installs nothing when all are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  libwxgtk3.2-dev          # every window
  wx3.2-i18n               # the toolkit's own texts in Italian
  libgtk-3-dev             # tests read the texts of the toolkit's own dialogs
  libx11-dev               # tests ask the X server which window holds the keyboard
  libglib2.0-dev           # GIO: default applications, the trash, D-Bus
  libzip-dev libdeflate-dev zlib1g-dev  # our archiver
  googletest libgtest-dev libgmock-dev
  xvfb xauth x11-utils     # windows in the tests
  openbox                  # a window manager for the tests that need one
  xdg-utils                # opening documents with the desktop's default application
  zip unzip python3        # interoperability checks of the archiver
  desktop-file-utils appstream  # checking the desktop entry and the metadata that install.sh puts in place
)

. "$(dirname "$0")/install_packages.sh"
install_packages "${packages[@]}"
