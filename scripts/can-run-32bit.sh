#!/usr/bin/env bash
# Tells whether this machine can execute 32-bit x86 programs: it writes a
# tiny static 32-bit Linux program (no loader, no library: it only asks the
# kernel to exit with status 42) and starts it. Some kernels have 32-bit
# execution switched off; every 32-bit program, Wine's 32-bit loader
# included, then fails with "Exec format error".
#
# Exit status 0 when the probe ran; otherwise 1, with the reason on stdout.
# QD_PRETEND_NO_32BIT=1 answers no without probing, to try the scripts'
# paths for such machines on one that has 32-bit execution.
set -u
if [ "${QD_PRETEND_NO_32BIT:-0}" = 1 ]; then
  echo "QD_PRETEND_NO_32BIT is set"
  exit 1
fi
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
probe=$dir/probe32
printf '\177\105\114\106\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\270\001\000\000\000\273\052\000\000\000\315\200' > "$probe"
chmod +x "$probe"
out=$("$probe" 2>&1)
status=$?
if [ "$status" = 42 ]; then
  exit 0
fi
reason=${out##*: }
echo "a 32-bit test program could not run (exit status $status${reason:+: $reason})"
exit 1
