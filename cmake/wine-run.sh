#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix, so nothing touches
# the user's own ~/.wine.
#
#   wine-run.sh PROGRAM [ARGS...]
#
# Environment:
#   QD_WINEPREFIX  the prefix to use (default: ./wineprefix-win32 in the
#                  current directory's build tree, found by walking up to
#                  the directory holding CMakeCache.txt)
#   QD_WINEARCH    win32 (default) or win64
#
# The prefix is created on first use, under a lock, so parallel tests can
# share it. PROGRAM may be a Unix path to an .exe, or a program of the prefix
# such as regsvr32 or cscript. The exit status is the program's.
set -euo pipefail

arch=${QD_WINEARCH:-win32}
if [ -z "${QD_WINEPREFIX:-}" ]; then
  dir=$PWD
  while [ "$dir" != / ] && [ ! -f "$dir/CMakeCache.txt" ]; do dir=$(dirname "$dir"); done
  [ -f "$dir/CMakeCache.txt" ] || dir=$PWD
  QD_WINEPREFIX="$dir/wineprefix-$arch"
fi

export WINEPREFIX=$QD_WINEPREFIX
export WINEARCH=$arch
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"mscoree,mshtml="}
# No display is needed or wanted.
unset DISPLAY WAYLAND_DISPLAY

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  mkdir -p "$(dirname "$WINEPREFIX")"
  (
    flock 9
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
      wineboot --init >/dev/null 2>&1 || true
      wineserver --wait || true
    fi
  ) 9>"$WINEPREFIX.lock"
fi

exec wine "$@"
