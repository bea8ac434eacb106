#!/usr/bin/env bash
# Renders the demonstration loop through every program of the factory bank and measures each render
# against the dry loop and against its neighbour (ravensoot-survey). The renders go to out/survey/, the
# table to the file given second (make survey keeps it as docs/factory-bank-survey.txt).
set -euo pipefail

build=${1:-build}
table=${2:-out/survey/survey.txt}
out=out/survey
render="$build/tools/render/ravensoot-render"
survey="$build/tools/sound_survey/ravensoot-survey"
loop="$out/00-dry-loop.wav"

slug() {
  tr '[:upper:]' '[:lower:]' <<<"$1" | sed 's/[^a-z0-9]\{1,\}/-/g; s/^-//; s/-$//'
}

rm -rf "$out"
mkdir -p "$out" "$(dirname "$table")"
"$build/tools/demo_loop/ravensoot-demo-loop" "$loop"
files=()
while read -r number name; do
  file="$out/$(printf %02d "$number")-$(slug "$name").wav"
  "$render" --quiet --program "$number" "$loop" "$file"
  files+=("$file")
done < <("$render" --list-programs)

{
  echo "Factory bank survey: the demonstration loop (120 BPM, 8 s) through each program."
  echo "vs ref: RMS against the dry loop (dB); limit%: samples at the output limit; to prev / to ref:"
  echo "frame-by-frame third-octave distance (dB) to the previous program and to the dry loop."
  echo
  "$survey" "$loop" "${files[@]}"
} >"$table"
cat "$table"
