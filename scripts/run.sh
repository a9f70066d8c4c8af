#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts Halvora from a build folder; without a display it runs under a virtual X server.
set -euo pipefail
build=${1:-build}
if [ -x "$build/app/halvora" ]; then
  program=("$build/app/halvora")
else
  # A build without the windows (-DHALVORA_BUILD_UI=OFF): print the chart of a sample birth.
  exec "$build/tools/halvora-chart" --name "ASHA" --month 2 --day 22 --year 2011 --hour 9 --minute 5 \
    --second 30 --city "New Delhi" --state "Delhi" --country "India" --lat-deg 28 --lat-min 37 --north \
    --lon-deg 77 --lon-min 13 --east --zone 34
fi
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found: starting Halvora under a virtual X server (xvfb-run)."
  exec xvfb-run -a "${program[@]}"
fi
exec "${program[@]}"
