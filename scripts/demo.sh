#!/usr/bin/env bash
# The demonstration: synthesises a loop, renders it through several sounds of the plug-in into out/ and
# prints a table of what it did. The build folder is the first argument. Each step is a function; the
# steps run in the order listed at the bottom, and a new step adds its files to the table with add_row.
set -euo pipefail

build=${1:-build}
out=out
render="$build/tools/render/ravensoot-render"
loop_tool="$build/tools/demo_loop/ravensoot-demo-loop"
factory_bank="$build/vst/RavenSootData/RavenSoot3PresetsA.fxb"
loop="$out/demo-loop.wav"
# Programs taken from the factory bank, at most.
factory_sounds=6

rows=()

# add_row WHAT FILE PEAK RMS
add_row() {
  rows+=("$1"$'\t'"$2"$'\t'"$3"$'\t'"$4")
}

slug() {
  tr '[:upper:]' '[:lower:]' <<<"$1" | sed 's/[^a-z0-9]\{1,\}/-/g; s/^-//; s/-$//'
}

level() { # level input|output SUMMARY-LINE: the peak and RMS of one side of ravensoot-render's summary
  sed -n "s/.*$1 peak \([^ ]*\) dBFS, RMS \([^ ;]*\) dBFS.*/\1\t\2/p" <<<"$2"
}

# render_sound WHAT FILE [ravensoot-render options...]: renders the loop and adds a row with its levels.
render_sound() {
  local what=$1 file=$2 summary peak rms
  shift 2
  summary=$("$render" "$@" "$loop" "$file")
  IFS=$'\t' read -r peak rms <<<"$(level output "$summary")"
  add_row "$what" "$file" "$peak" "$rms"
}

make_loop() {
  mkdir -p "$out"
  "$loop_tool" "$loop"
  # The loop's own levels, read by a run with the effect switched off.
  local summary peak rms
  summary=$("$render" --set MasterOn=0 "$loop" "$out/.loop-levels.wav")
  rm -f "$out/.loop-levels.wav"
  IFS=$'\t' read -r peak rms <<<"$(level input "$summary")"
  add_row "the loop itself (dry)" "$loop" "$peak" "$rms"
}

# The first named programs of the factory bank, each into its own file.
render_factory_programs() {
  local count=0 number name
  while read -r number name; do
    [ "$name" = "Init" ] && continue
    render_sound "program $number \"$name\"" "$out/demo-$(printf %02d "$number")-$(slug "$name").wav" \
      --program "$number"
    count=$((count + 1))
    [ "$count" -ge "$factory_sounds" ] && break
  done < <("$render" --list-programs)
  return 0
}

# Sounds made with --set, from a chain with every unit off, for as long as there is no factory bank.
render_settings() {
  local plain=(--set BpFilterOn=0 --set DistOn=0 --set MmFilterOn=0 --set FlangerOn=0 --set MagicEQOn=0
    --set CompressOn=0 --set Lfo1On=0 --set Lfo2On=0 --set MasterOn=1 --set MasterMix=1 --set MasterVolume=1)
  # Edges 304 Hz and 3355 Hz; the upper edge first, as a lower edge above it would be held down.
  render_sound "telephone band-pass" "$out/demo-telephone.wav" "${plain[@]}" \
    --set BpFilterOn=1 --set BpFilterHigh=0.746 --set BpFilterLow=0.403 \
    --set BpFilterQLow=0.7 --set BpFilterQHigh=0.7
  render_sound "tube drive" "$out/demo-tube.wav" "${plain[@]}" \
    --set DistOn=1 --set DistTube=0.75 --set MasterVolume=0.85
  render_sound "synced filter sweep" "$out/demo-sweep.wav" "${plain[@]}" \
    --set MmFilterOn=1 --set "MmFilterType=LowPass Fat" --set MmFilterMix=1 --set MmFilterCutoff=0.5 \
    --set MmFilterRes=0.6 --set Lfo1On=1 --set Lfo1Target=MmFilterCutoff --set Lfo1Shape=Triangle \
    --set Lfo1Depth=0.9 --set Lfo1Sync=1 --set Lfo1Rate=1/1
  render_sound "slow flanger" "$out/demo-flanger.wav" "${plain[@]}" \
    --set FlangerOn=1 --set FlangerAmount=0.7 --set FlangerRate=0.1
}

render_sounds() {
  if [ -f "$factory_bank" ]; then
    render_factory_programs
  else
    render_settings
  fi
}

print_table() {
  echo
  echo "Raven Soot 3 demonstration (peak and RMS in dBFS):"
  printf '  %-34s %-36s %7s %7s\n' "sound" "file" "peak" "RMS"
  local row what file peak rms
  for row in "${rows[@]}"; do
    IFS=$'\t' read -r what file peak rms <<<"$row"
    printf '  %-34s %-36s %7s %7s\n' "$what" "$file" "$peak" "$rms"
  done
  echo
  echo "Listen with any audio player, e.g. aplay $out/demo-loop.wav"
}

# The editor as a host opens it (headless), with a few sections switched on and the meters lit.
editor_screenshot() {
  "$build/tools/snapshot/ravensoot-snapshot" --program 0 --set MasterOn=1 --set MasterMix=0.5 \
    --set BpFilterOn=1 --set BpFilterHigh=0.8 --set MmFilterOn=1 --set MmFilterType=0.03 \
    --set MmFilterCutoff=0.6 --set MmFilterRes=0.4 --set MorphXParam=0.13 --set MorphYParam=0.14 \
    --set MasterVolume=0.7 --level 0.5 --meters "$out/editor.png"
  add_row "the editor (screenshot)" "$out/editor.png" "" ""
}

make_loop
render_sounds
editor_screenshot
print_table
