#!/usr/bin/env bash
# Installs what the native and Windows build trees need on a Debian machine.
# Idempotent: when everything is present it only checks and returns.
#
# Both Windows trees are always built. Wine's 32-bit part (wine32:i386), which
# runs the i686 programs, is installed only where this machine can execute
# 32-bit programs (scripts/can-run-32bit.sh); elsewhere its post-install
# steps could not run, and the i686 tests are skipped anyway.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

packages=(
  cmake ninja-build g++ make python3
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-tools
  wine wine64 wine64-tools
  util-linux
)
if bash "$here/can-run-32bit.sh" >/dev/null; then
  packages+=(wine32:i386)
  need_i386=1
else
  need_i386=0
fi

# not_installed: the packages of the list that dpkg does not hold installed.
not_installed() {
  local p status
  for p in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${db:Status-Status}' "$p" 2>/dev/null || true)
    [ "$status" = installed ] || echo "$p"
  done
}

mapfile -t missing < <(not_installed)

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  SUDO=
  [ "$(id -u)" = 0 ] || SUDO=sudo
  if [ "$need_i386" = 1 ] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -q
  if ! $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"; then
    # A package of another architecture whose post-install step cannot run
    # here leaves dpkg with an error; what matters is whether every package
    # the trees need ended up installed, checked below.
    echo "setup: apt-get reported errors; checking what was installed"
  fi
  mapfile -t failed < <(not_installed)
  if [ ${#failed[@]} -gt 0 ]; then
    echo "setup: not installed: ${failed[*]}" >&2
    exit 1
  fi
fi
