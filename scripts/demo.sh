#!/usr/bin/env bash
# Runs the main job on the bundled defaults; the build folder is the first argument.
set -euo pipefail
build=${1:-build}
mkdir -p out
echo "Raven Soot 3 built in $build/."
ls "$build"

# The editor as a host opens it (headless), with a few sections switched on and the meters lit.
"$build/tools/snapshot/ravensoot-snapshot" --program 0 --set MasterOn=1 --set MasterMix=0.5 \
    --set BpFilterOn=1 --set BpFilterHigh=0.8 --set MmFilterOn=1 --set MmFilterType=0.03 \
    --set MmFilterCutoff=0.6 --set MmFilterRes=0.4 --set MorphXParam=0.13 --set MorphYParam=0.14 \
    --set MasterVolume=0.7 --level 0.5 --meters out/editor.png
