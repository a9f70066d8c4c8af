#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# What a chart looks like has one home, src/chart_view/: the printed pages include nothing of the
# windows, the floor itself is Qt-free, the signs' names are written once (src/chart/sign_names.h)
# and halvora-chart keeps no grid or sign-title table of its own. Run from anywhere with the
# source folder as argument; prints what it finds and fails when it finds anything.
root=${1:-.}
cd "$root" || exit 2
status=0
found() { echo "$1:"; echo "$2"; status=1; }

hits=$(grep -rn '#include "ui/' src/print src/chart_view)
[ -z "$hits" ] || found "src/print and src/chart_view include the windows" "$hits"
hits=$(grep -rn '#include <Q' src/chart_view)
[ -z "$hits" ] || found "src/chart_view uses Qt" "$hits"
hits=$(grep -rln '"Aquarius"\|"Aqu"' src tools | grep -v '^src/chart/sign_names.h$')
[ -z "$hits" ] || found "the signs' names are written outside src/chart/sign_names.h" "$hits"
hits=$(grep -rnE '"(Pisces|Aries|Surya/Sun)"|kGrid|kSignTitles|kRowNames' tools)
[ -z "$hits" ] || found "tools/ keeps a grid, sign titles or position names of its own" "$hits"
exit $status
