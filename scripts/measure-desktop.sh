#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The start-up time and the memory of Halvora beside a bare Qt window, both started the same way on
# a virtual X screen: the time from starting a program to its window on the screen (polled every
# 2 ms), and the memory it holds a second later (and, for Halvora, after it has computed a chart).
# Measured twice: with a window manager (openbox), as on a desktop, and without one, where the
# window is on the screen as soon as the program maps it.
# The bare window draws nothing, so it never reads a font; a second bare window showing one line of
# text is measured in the same runs, for what any window with words in it costs.
# With OTHER_BUILD_DIR, the Halvora built there is measured in the same runs, for a comparison.
# Usage: scripts/measure-desktop.sh [BUILD_DIR] [RUNS] [OTHER_BUILD_DIR]   (needs xvfb, openbox, xdotool)
set -euo pipefail
build=${1:-build}
runs=${2:-20}
halvora="$build/app/halvora"
bare="$build/bench/halvora_bare_window"
text="$build/bench/halvora_bare_text_window"
other=${3:+$3/app/halvora}
for program in "$halvora" "$bare" "$text" $other; do
  [ -x "$program" ] || { echo "missing $program: build it first" >&2; exit 1; }
done
# Without them the waits below would never end.
for tool in Xvfb openbox xdotool; do
  command -v "$tool" >/dev/null || { echo "missing $tool: install it first (make desktop-figures does)" >&2; exit 1; }
done

display=":$((200 + $$ % 500))"
# -noreset: without a window manager no client stays, and a server that resets between two
# programs refuses the next one for a moment.
Xvfb "$display" -screen 0 1920x1080x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=$display
home=$(mktemp -d)
export HOME=$home XDG_CONFIG_HOME=$home/.config XDG_RUNTIME_DIR=$home
chmod 700 "$home"
cleanup() {
  if [ -n "${pid:-}" ]; then kill "$pid" 2>/dev/null || true; fi
  kill ${wm:+"$wm"} "$xvfb" 2>/dev/null || true
  rm -rf "$home"
}
trap cleanup EXIT
for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.1; done
openbox >/dev/null 2>&1 &
wm=$!
sleep 1

# Starts a program and waits for its window: leaves its process in $pid and the microseconds that
# took in $elapsed. A program that shows no window within ten seconds ends the measuring.
started() {
  local t0 t1
  t0=$(date +%s%N)
  "$1" >/dev/null 2>&1 &
  pid=$!
  until xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
    if (($(date +%s%N) - t0 > 10000000000)); then
      echo "$1 showed no window within ten seconds" >&2
      exit 1
    fi
    sleep 0.002
  done
  t1=$(date +%s%N)
  elapsed=$(((t1 - t0) / 1000))
}

# Resident memory of $pid in kB, once its windows have settled.
resident() {
  sleep 1
  awk '/^VmRSS/ {print $2}' "/proc/$pid/status"
}

stop() {
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  pid=
}

# The entry form filled by keyboard (name, then the latitude and longitude boxes) and its button,
# tabbing forward through City: City's focus has the atlas read.
chart() {
  xdotool search --onlyvisible --pid "$pid" | head -n 1 | xargs -I{} xdotool windowactivate --sync {}
  xdotool type --delay 20 ASHA
  for _ in $(seq 11); do xdotool key Tab; done
  xdotool type 28 && xdotool key Tab && xdotool type 37 && xdotool key Tab Tab
  xdotool type 77 && xdotool key Tab && xdotool type 13
  xdotool key Return
}

# The same chart with the boxes reached backwards from the name (six stops back to the longitude's
# minutes), never passing City: no atlas is read.
chartPastCity() {
  xdotool search --onlyvisible --pid "$pid" | head -n 1 | xargs -I{} xdotool windowactivate --sync {}
  xdotool type --delay 20 ASHA
  for _ in $(seq 6); do xdotool key shift+Tab; done
  xdotool type 13 && xdotool key shift+Tab && xdotool type 77 && xdotool key shift+Tab shift+Tab
  xdotool type 37 && xdotool key shift+Tab && xdotool type 28
  xdotool key Return
}

# After a chart round: the memory held, or "refused" when the form answered with a message box
# (titled "Halvora", where the windows are "Halvora v1.15") instead of the results: a build whose
# boxes stand in another focus order takes the keys into other boxes.
charted() {
  local kb
  kb=$(resident)
  if xdotool search --all --onlyvisible --pid "$pid" --name '^Halvora$' >/dev/null 2>&1; then
    echo refused
  else
    echo "$kb"
  fi
}

median() { sort -n | awk '{a[NR] = $1} END {print a[int((NR + 1) / 2)]}'; }

ratio() { awk -v a="$1" -v b="$2" 'BEGIN {if (a ~ /^[0-9]+$/) printf "%.3f", a / b; else printf "no chart"}'; }

memoryRuns=5

# The start-up times, alternated so that a busy moment of the machine falls on all alike, and the
# memory of each program at its start (medians); prints them under the heading $1.
measure() {
  local -a th=() tb=() tt=() to=() rh=() rb=() rt=() ro=()
  for _ in $(seq "$runs"); do
    started "$halvora"; th+=("$elapsed"); stop
    started "$bare"; tb+=("$elapsed"); stop
    started "$text"; tt+=("$elapsed"); stop
    if [ -n "$other" ]; then started "$other"; to+=("$elapsed"); stop; fi
  done
  for _ in $(seq "$memoryRuns"); do
    started "$halvora"; rh+=("$(resident)"); stop
    started "$bare"; rb+=("$(resident)"); stop
    started "$text"; rt+=("$(resident)"); stop
    if [ -n "$other" ]; then started "$other"; ro+=("$(resident)"); stop; fi
  done
  local mh mb mt kh kb kt
  mh=$(printf '%s\n' "${th[@]}" | median); mb=$(printf '%s\n' "${tb[@]}" | median); mt=$(printf '%s\n' "${tt[@]}" | median)
  kh=$(printf '%s\n' "${rh[@]}" | median); kb=$(printf '%s\n' "${rb[@]}" | median); kt=$(printf '%s\n' "${rt[@]}" | median)
  echo "$1:"
  echo "  start-up to the window (median of $runs, microseconds): Halvora $mh, bare Qt window $mb, ratio $(ratio "$mh" "$mb");" \
    "bare Qt window with text $mt, ratio $(ratio "$mh" "$mt")"
  echo "  resident memory at start (median of $memoryRuns, kB): Halvora $kh, bare Qt window $kb, ratio $(ratio "$kh" "$kb");" \
    "bare Qt window with text $kt, ratio $(ratio "$kh" "$kt")"
  if [ -n "$other" ]; then
    local mo ko
    mo=$(printf '%s\n' "${to[@]}" | median); ko=$(printf '%s\n' "${ro[@]}" | median)
    echo "  the other build: start-up $mo, ratio $(ratio "$mo" "$mb"); memory at start $ko, ratio $(ratio "$ko" "$kb")"
  fi
}

pid=
measure "with a window manager (openbox)"
started "$halvora"; chart; rc=$(charted); stop
started "$halvora"; chartPastCity; rp=$(charted); stop
echo "  Halvora's memory after a chart through City $rc kB, after a chart past City $rp kB"
if [ -n "$other" ]; then
  started "$other"; chart; oc=$(charted); stop
  started "$other"; chartPastCity; op=$(charted); stop
  echo "  the other build's memory after a chart through City $oc kB, after a chart past City $op kB"
fi

kill "$wm" 2>/dev/null || true
wait "$wm" 2>/dev/null || true
wm=
measure "without a window manager"
