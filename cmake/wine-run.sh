#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix, so nothing touches
# the user's own ~/.wine.
#
#   wine-run.sh PROGRAM [ARGS...]
#   wine-run.sh --server [WINESERVER-ARGS...]   e.g. -p (stay up), -k (stop)
#
# Environment:
#   QD_WINEARCH    win32 or win64; by default the architecture of the build
#                  tree the current directory lies in (its CMakeCache.txt
#                  records QD_WINE_ARCH), else win32
#   QD_WINEPREFIX  the prefix to use (default: wineprefix-ARCH at the top of
#                  that build tree, or in the current directory)
#
# 32-bit programs run through Wine's 32-bit loader in a win32 prefix;
# 64-bit programs through the 64-bit loader `wine64`, started by its own
# path (it refuses to start through a link named `wine`), in a win64 prefix.
# A win64 prefix needs no 32-bit part of Wine and no 32-bit execution.
#
# The prefix is created on first use, under a lock, so parallel tests can
# share it. PROGRAM may be a Unix path to an .exe, or a program of the prefix
# such as regsvr32 or cscript. The exit status is the program's.
set -euo pipefail

tree=$PWD
while [ "$tree" != / ] && [ ! -f "$tree/CMakeCache.txt" ]; do tree=$(dirname "$tree"); done
[ -f "$tree/CMakeCache.txt" ] || tree=$PWD

arch=${QD_WINEARCH:-}
if [ -z "$arch" ] && [ -f "$tree/CMakeCache.txt" ]; then
  arch=$(sed -n 's/^QD_WINE_ARCH:[A-Z]*=//p' "$tree/CMakeCache.txt" | head -n 1)
fi
arch=${arch:-win32}

winelib=${QD_WINE_LIBDIR:-/usr/lib/wine}
case "$arch" in
  win32)
    loader=$winelib/wine
    server=$winelib/wineserver
    ;;
  win64)
    loader=$winelib/wine64
    server=$winelib/wineserver64
    ;;
  *)
    echo "wine-run.sh: unknown architecture '$arch' (win32 or win64)" >&2
    exit 2
    ;;
esac
for f in "$loader" "$server"; do
  if [ ! -x "$f" ]; then
    echo "wine-run.sh: $f is missing (run scripts/setup.sh)" >&2
    exit 2
  fi
done

export WINEPREFIX=${QD_WINEPREFIX:-$tree/wineprefix-$arch}
export WINEARCH=$arch
export WINELOADER=$loader
export WINESERVER=$server
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
# No display is needed or wanted.
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/.qd-ready" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/.qd-ready" ]; then
      "$loader" wineboot --init >/dev/null 2>&1 || true
      "$server" --wait || true
      if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "wine-run.sh: could not create the $arch prefix $WINEPREFIX" >&2
        exit 2
      fi
      : > "$WINEPREFIX/.qd-ready"
    fi
  ) 9>"$WINEPREFIX.lock"
fi

if [ "${1:-}" = --server ]; then
  shift
  exec "$server" "$@"
fi
exec "$loader" "$@"
