#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a program on a virtual X server of the given screen size, with a window manager, on the
# real X11 platform: run_under_x.sh WIDTHxHEIGHT SCALE PROGRAM [ARGS...]
set -euo pipefail
screen=$1
scale=$2
shift 2
if [ "${HALVORA_INSIDE_X:-}" != 1 ]; then
  export HALVORA_INSIDE_X=1
  # A free display from a random start: runs begun at the same moment do not pick the same one.
  exec xvfb-run -a -n $((100 + RANDOM % 800)) -s "-screen 0 ${screen}x24 -nolisten tcp" "$0" "$screen" "$scale" "$@"
fi
openbox --sm-disable >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null || true' EXIT
# The window manager owns the screen once it has set its check window on the root.
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
export QT_QPA_PLATFORM=xcb
export QT_SCALE_FACTOR="$scale"
unset QT_SCREEN_SCALE_FACTORS QT_AUTO_SCREEN_SCALE_FACTOR
"$@"
