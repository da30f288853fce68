#!/usr/bin/env bash
# The main job: builds QDInterface.dll, registers it in a private Wine prefix
# and runs the example client examples/forecast.js, which forecasts the
# bundled airline-passenger series (or FILE.csv: a header line, then
# "label,value" lines) through the COM objects: the automatic method
# selection with its fit and PERIODS forecasts (default 12), and a hold-out
# check of the selection and of single methods on the last season.
#
#   bash scripts/main-job.sh [FILE.csv] [PERIODS] [SEASON]
#
# A 32-bit host needs the i686 server and a 64-bit host the x86-64 one. The
# job uses the i686 server (and Wine's 32-bit cscript) where this machine
# can execute 32-bit programs, and the x86-64 server (Wine's 64-bit cscript)
# otherwise; it says which. QD_MAIN_JOB_TREE=win32 or win64 chooses.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
data=${1:-$root/examples/data/airline-passengers.csv}
periods=${2:-12}
season=${3:-}

bash scripts/setup.sh

tree=${QD_MAIN_JOB_TREE:-}
if [ -z "$tree" ]; then
  if why=$(bash scripts/can-run-32bit.sh); then
    tree=win32
    echo "main job: using the i686 server (32-bit host: Wine's 32-bit cscript)"
  else
    tree=win64
    echo "main job: using the x86-64 server (64-bit host: Wine's 64-bit cscript); $why"
  fi
else
  echo "main job: using the $tree tree (QD_MAIN_JOB_TREE)"
fi

cmake --preset "$tree" >/dev/null
cmake --build --preset "$tree" --target QDInterface >/dev/null

cd "build/$tree"
run=$root/cmake/wine-run.sh
"$run" regsvr32 /s "Z:$PWD/ActiveX/QDInterface/QDInterface.dll"
"$run" cscript //nologo "Z:$root/examples/forecast.js" "Z:$(realpath "$data")" "$periods" $season
