#!/usr/bin/env bash
# The main job: builds QDInterface.dll, registers it in the Windows tree's
# private Wine prefix and runs the example client, which forecasts the
# bundled airline-passenger series through the COM objects.
#
#   bash scripts/main-job.sh [FILE.csv] [PERIODS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
data=${1:-$root/examples/data/airline-passengers.csv}
periods=${2:-12}

bash scripts/setup.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 --target QDInterface >/dev/null

cd build/win32
run=$root/cmake/wine-run.sh
"$run" regsvr32 /s "Z:$PWD/ActiveX/QDInterface/QDInterface.dll"
"$run" cscript //nologo "Z:$root/examples/forecast.vbs" "Z:$(realpath "$data")" "$periods"
