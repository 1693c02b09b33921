#!/usr/bin/env bash
# Installs the Debian packages the Windows build and its tests need; installs nothing when all
# are present.
set -euo pipefail

packages=(
  build-essential cmake pkg-config make
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix   # posix threads, for std::thread
  binutils-mingw-w64-x86-64  # windres for the manifest and the icon
  libz-mingw-w64-dev         # zlib for wxWidgets and libzip
  dpkg-dev xz-utils          # apt-get source unpacks the dependencies' sources
  googletest                 # /usr/src/googletest, cross-built like the rest
  wine64                     # runs the cross-built programs and tests
  xvfb xauth                 # windows in the tests
  librsvg2-bin icoutils      # the program's icon, drawn from its SVG at build time
  zip                        # scripts/package-windows.sh zips the program folder
)

. "$(dirname "$0")/../install_packages.sh"
install_packages "${packages[@]}"
