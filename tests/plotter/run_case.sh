#!/bin/sh
# One plot case end to end: plot_cases writes kvlb.gnu and its data in a fresh directory, and
# korvex-plot draws them with the real gnuplot into kvlb.png. Passes when the plotter exits 0
# without a word on standard error (so gnuplot warned about nothing), leaves the command file
# unchanged, and check_png.py finds the size asked for and the series in its colour.
# Usage: run_case.sh PLOT_CASES KORVEX_PLOT PYTHON CASE COLOUR MIN_COLOURED
set -u
cases=$1 plotter=$2 python=$3 case=$4 colour=$5 least=$6
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d "${TMPDIR:-/tmp}/korvex_png_$case.XXXXXX")
fail() { echo "$case: $*" >&2; exit 1; }
cd "$dir" || exit 1
KORVEXGNUPLOT=true "$cases" "$case" || fail "plot_cases failed"
cp kvlb.gnu before.gnu
env -u DISPLAY -u WAYLAND_DISPLAY "$plotter" --size 320x240 kvlb.gnu </dev/null >out 2>err
status=$?
cat out err
[ $status -eq 0 ] || fail "korvex-plot exited with $status"
[ -s err ] && fail "korvex-plot wrote to standard error"
cmp -s before.gnu kvlb.gnu || fail "the command file was changed"
"$python" "$here/check_png.py" kvlb.png 320 240 "$colour" "$least" || fail "bad PNG"
rm -rf "$dir"
