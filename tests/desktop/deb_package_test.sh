#!/usr/bin/env bash
# The .deb cpack makes: lintian finds no error in it; as root, `apt-get install` of it gives a
# desktop that knows the type, its opener, icon and thumbnailer, and removing it leaves none of
# its files. Without root only the lintian half runs and the test says it skipped the rest.
# Usage: deb_package_test.sh BUILD_FOLDER lintian|install
set -euo pipefail
build=$1
mode=$2
here=$(dirname "$0")
fail() { echo "FAIL: $*" >&2; exit 1; }
if [ "$mode" = install ]; then
  [ "$(id -u)" = 0 ] || { echo "SKIPPED: installing a .deb needs root"; exit 77; }
  ! dpkg-query -W -f='${Status}' mepu 2>/dev/null | grep -q 'ok installed' ||
    fail "a mepu package is installed already; this test will not touch it"
fi
work=$(mktemp -d)
installed=""
cleanup() {
  # Whatever failed, the package does not stay on the machine.
  [ -z "$installed" ] || apt-get purge -y -qq -o DPkg::Lock::Timeout=300 mepu >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; fail "cpack"; }
deb=$(ls "$work"/package/mepu_*.deb)

if [ "$mode" = lintian ]; then
  dpkg-deb -f "$deb" Depends | grep -q 'libqt6' || fail "no Qt libraries in Depends"
  # lintian leaves a cache file of its own in TMPDIR; it goes with the work folder.
  mkdir "$work/tmp"
  TMPDIR=$work/tmp lintian --fail-on error "$deb" ||
    fail "lintian found errors"
  echo "lintian: ok"
  exit 0
fi

installed=yes
(cd "$work/package" && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
   -o DPkg::Lock::Timeout=300 --no-install-recommends "./$(basename "$deb")") >/dev/null
[ "$(readlink -f /usr/bin/mepu)" = /usr/libexec/mepu/mepu ] || fail "/usr/bin/mepu"
export HOME=$work/home XDG_DATA_HOME=$work/data-home XDG_DATA_DIRS=/usr/share
export XDG_CONFIG_HOME=$work/config XDG_CACHE_HOME=$work/cache
mkdir -p "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME"
bash "$here/desktop_checks.sh" /usr "$work"

apt-get purge -y -qq -o DPkg::Lock::Timeout=300 mepu >/dev/null
installed=""
for file in /usr/bin/mepu /usr/libexec/mepu /usr/share/mime/packages/mepu.xml \
            /usr/share/thumbnailers/mepu.thumbnailer /usr/share/metainfo/org.mepu.Mepu.metainfo.xml; do
  [ ! -e "$file" ] || fail "$file is left after removal"
done
[ "$(gio info -a standard::content-type "$work/anime.mpa" | sed -n 's/^ *standard::content-type: //p')" \
  != application/x-mepu-animation ] || fail "the type is still known after removal"
echo "install and removal: ok"
