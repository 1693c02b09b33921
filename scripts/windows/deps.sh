#!/usr/bin/env bash
# Builds the static libraries the Windows build links (wxWidgets MSW, libzip, libdeflate,
# GoogleTest), cross-compiled with MinGW-w64, once each into a cache folder outside the
# repository: <cache>/<package>-<version>, with <cache> from FALDONE_WINDOWS_CACHE
# (default /var/cache/faldone-windows) and the versions from versions.txt beside this script.
# What is already in the cache is skipped. Each library is built in a scratch folder and
# renamed into place only when complete, so a failed or interrupted build leaves no entry.
# zlib is Debian's libz-mingw-w64-dev. Builds run at the lowest priority.
set -euo pipefail
shopt -s inherit_errexit   # a failure inside $(...) stops the script too

here=$(cd "$(dirname "$0")" && pwd)
toolchain=$(cd "$here/../../cmake" && pwd)/mingw-w64-x86_64.cmake
cache=${FALDONE_WINDOWS_CACHE:-/var/cache/faldone-windows}
jobs=${FALDONE_WINDOWS_JOBS:-$(nproc)}
host=x86_64-w64-mingw32
export CC=$host-gcc-posix CXX=$host-g++-posix AR=$host-gcc-ar-posix RANLIB=$host-gcc-ranlib-posix

version_of() { awk -v p="$1" '$1 == p { print $2 }' "$here/versions.txt"; }

bash "$here/setup.sh"
mkdir -p "$cache"

# One run at a time; scratch folders left by a run that was killed go first.
exec 8>"$cache/.lock"
flock 8
rm -rf "$cache"/.scratch.*
# A scratch folder inside the cache, so the final rename stays on one file system.
scratch=$(mktemp -d "$cache/.scratch.XXXXXX")
trap 'rm -rf "$scratch"' EXIT

# The deb-src entries of the machine's own apt sources, in a private apt configuration: the
# machine's source lists and package lists stay as they are.
apt_options=()
private_apt() {
  [ ${#apt_options[@]} -eq 0 ] || return 0
  local dir=$scratch/apt
  mkdir -p "$dir/sources.list.d" "$dir/lists/partial"
  : >"$dir/sources.list"
  if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' /etc/apt/sources.list >>"$dir/sources.list"
  fi
  local f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$dir/sources.list.d/$(basename "$f")"
  done
  for f in /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] && sed -n 's/^[[:space:]]*deb[[:space:]]/deb-src /p' "$f" >"$dir/sources.list.d/$(basename "$f")"
  done
  apt_options=(-o "Dir::Etc::SourceList=$dir/sources.list" -o "Dir::Etc::SourceParts=$dir/sources.list.d"
               -o "Dir::State::Lists=$dir/lists" -o "Dir::Cache=$dir/cache")
  apt-get "${apt_options[@]}" update -qq
}

# Unpacks the source package PACKAGE=VERSION into the folder given and prints the source tree.
fetch_source() {
  local package=$1 version=$2 into=$3
  private_apt
  mkdir -p "$into"
  (cd "$into" && apt-get "${apt_options[@]}" source -qq "$package=$version" >/dev/null)
  local tree
  tree=$(find "$into" -mindepth 1 -maxdepth 1 -type d)
  if [ -z "$tree" ]; then
    echo "apt-get source $package=$version non ha estratto nulla" >&2
    return 1
  fi
  echo "$tree"
}

# Runs the build function given for PACKAGE unless <cache>/<package>-<version> exists. The
# function installs under DESTDIR=$3 with the final folder $2 as prefix.
build_once() {
  local package=$1 build=$2 version
  version=$(version_of "$package")
  if [ -z "$version" ]; then
    echo "versions.txt non indica la versione di $package" >&2
    exit 1
  fi
  local final=$cache/$package-$version
  if [ -d "$final" ]; then
    echo "$package $version: già pronto in $final"
    return
  fi
  echo "$package $version: compilo in $final"
  local work=$scratch/$package
  mkdir -p "$work/dest"
  local started=$SECONDS status
  # Not under "||": there bash would ignore errexit inside the build function.
  set +e
  ( set -e; "$build" "$version" "$final" "$work/dest" "$work" ) >"$work.log" 2>&1
  status=$?
  set -e
  if [ $status -ne 0 ]; then
    echo "$package $version: compilazione non riuscita; ultime righe del registro:" >&2
    tail -n 40 "$work.log" >&2
    exit 1
  fi
  {
    echo "$package $version, built by scripts/windows/deps.sh in $((SECONDS - started)) s"
    $CXX --version | head -n 1
  } >"$work/dest$final/BUILD-INFO"
  mv "$work/dest$final" "$final"
  echo "$package $version: pronto in $((SECONDS - started)) s"
}

build_wxwidgets() {
  local version=$1 prefix=$2 dest=$3 work=$4 src
  src=$(fetch_source wxwidgets3.2 "$version" "$work/src")
  mkdir -p "$work/build"
  cd "$work/build"
  # Only what the program uses; Debian's source carries no image libraries of its own.
  nice -n 19 "$src/configure" --prefix="$prefix" \
    --host=$host --build=x86_64-linux-gnu --disable-shared \
    --without-libpng --without-libjpeg --without-libtiff --with-zlib=sys --without-expat \
    --disable-svg --disable-xrc --disable-richtext --disable-webview --disable-mediactrl \
    --disable-stc --disable-ribbon --disable-propgrid --disable-aui --disable-sound \
    --without-opengl CFLAGS=-O2 CXXFLAGS=-O2
  nice -n 19 make -j"$jobs"
  make install DESTDIR="$dest"
}

build_libzip() {
  local version=$1 prefix=$2 dest=$3 work=$4 src
  src=$(fetch_source libzip "$version" "$work/src")
  # No encryption and no codecs beyond deflate: the archiver writes and reads plain ZIP.
  nice -n 19 cmake -S "$src" -B "$work/build" --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
    -DENABLE_COMMONCRYPTO=OFF -DENABLE_GNUTLS=OFF -DENABLE_MBEDTLS=OFF -DENABLE_OPENSSL=OFF \
    -DENABLE_WINDOWS_CRYPTO=OFF -DENABLE_BZIP2=OFF -DENABLE_LZMA=OFF \
    -DBUILD_TOOLS=OFF -DBUILD_REGRESS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_DOC=OFF
  nice -n 19 cmake --build "$work/build" -j"$jobs"
  DESTDIR="$dest" cmake --install "$work/build"
  # zipconf.h already says the library is static; its own libraries must be on every link
  # line, not only on static ones.
  sed -i -e '/^Libs.private:/d' -e 's/^Libs: .*/& -ladvapi32 -lz/' "$dest$prefix/lib/pkgconfig/libzip.pc"
}

build_libdeflate() {
  local version=$1 prefix=$2 dest=$3 work=$4 src
  src=$(fetch_source libdeflate "$version" "$work/src")
  # The Makefile names its Windows static library libdeflatestatic.lib; it is installed under
  # the name the linker looks for, with a pkg-config file like the Linux package's.
  nice -n 19 make -C "$src" -j"$jobs" CC="$CC" AR="$AR" CFLAGS=-O2 libdeflatestatic.lib
  mkdir -p "$dest$prefix/include" "$dest$prefix/lib/pkgconfig"
  cp "$src/libdeflate.h" "$dest$prefix/include/"
  cp "$src/libdeflatestatic.lib" "$dest$prefix/lib/libdeflate.a"
  cat >"$dest$prefix/lib/pkgconfig/libdeflate.pc" <<EOF
prefix=$prefix
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: libdeflate
Description: Fast implementation of DEFLATE, zlib, and gzip
Version: ${version%-*}
Libs: -L\${libdir} -ldeflate
Cflags: -I\${includedir}
EOF
}

build_googletest() {
  local version=$1 prefix=$2 dest=$3 work=$4 installed
  installed=$(dpkg-query -W -f='${Version}' googletest)
  if [ "$installed" != "$version" ]; then
    echo "/usr/src/googletest è la versione $installed, versions.txt chiede $version" >&2
    return 1
  fi
  nice -n 19 cmake -S /usr/src/googletest -B "$work/build" --toolchain "$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_GMOCK=ON
  nice -n 19 cmake --build "$work/build" -j"$jobs"
  DESTDIR="$dest" cmake --install "$work/build"
}

build_once libdeflate build_libdeflate
build_once libzip build_libzip
build_once googletest build_googletest
build_once wxwidgets3.2 build_wxwidgets
du -sh "$cache"/*-* 2>/dev/null
