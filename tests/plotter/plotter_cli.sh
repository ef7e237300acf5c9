#!/bin/sh
# korvex-plot on its own: the rewritten commands (--print) of a command file holding every
# series form, and the answers to bad calls. Usage: plotter_cli.sh KORVEX_PLOT
set -u
plotter=$1
dir=$(mktemp -d "${TMPDIR:-/tmp}/korvex_cli.XXXXXX")
cd "$dir" || exit 1
failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }

# A command file as the runtime writes it: one series of each form, the last a point series,
# in a directory whose name holds a quote, a double quote and a backslash.
cat > kvlb.gnu <<'GNU'
cd '/no/it's "q" \x'
set zero 1e-20
set parametric
splot \
 'kvlb.1' w  d 1 ,\
 'kvlb.2' w  p 2 1,\
 'kvlb.3' w  l 3 ,\
 'kvlb.4' w  4 ,\
 'kvlb.5' w  p 1 4
pause -1
GNU
cp kvlb.gnu before.gnu
cat > want <<WANT
set terminal png size 320,240
set output "$dir/kvlb.png"
set linetype 1 lc rgb "#ff0000" lw 1
set linetype 2 lc rgb "#00a000" lw 1
set linetype 3 lc rgb "#0000ff" lw 1
set linetype 4 lc rgb "#00c0c0" lw 1
set linetype 5 lc rgb "#c000c0" lw 1
set linetype 6 lc rgb "#c0a000" lw 1
set linetype 7 lc rgb "#000000" lw 1
set linetype 8 lc rgb "#ffffff" lw 1
cd "/no/it's \\"q\\" \\\\x"
set zero 1e-20
set parametric
splot \\
 'kvlb.1' w d lt 1,\\
 'kvlb.2' w p lt 2 pt 1,\\
 'kvlb.3' w l lt 3,\\
 'kvlb.4' lt 4,\\
 'kvlb.5' w p lt 1 pt 4
WANT
env -u DISPLAY -u WAYLAND_DISPLAY "$plotter" --print --size 320x240 kvlb.gnu > got 2>err ||
  fail "--print exited with $?"
cmp -s got want || { fail "rewritten commands differ:"; diff want got >&2; }
[ -s err ] && fail "--print wrote to standard error: $(cat err)"
cmp -s before.gnu kvlb.gnu || fail "the command file was changed"

# expect STATUS MESSAGE ARG...: the exit status and the one line on standard error.
expect() {
  status=$1 message=$2
  shift 2
  env -u DISPLAY "$plotter" "$@" >/dev/null 2>err </dev/null
  got=$?
  [ $got -eq "$status" ] || fail "korvex-plot $*: status $got, expected $status"
  [ "$(cat err)" = "$message" ] || fail "korvex-plot $*: said '$(cat err)', expected '$message'"
}
usage="usage: korvex-plot [--size WxH] [--png] [--print] FILE"
expect 2 "$usage"
expect 2 "$usage" --colour kvlb.gnu
expect 2 "korvex-plot: bad size: 3x2x1 (want WxH)" --size 3x2x1 kvlb.gnu
expect 1 "korvex-plot: cannot read missing.gnu" missing.gnu
expect 1 "korvex-plot: cannot read $dir" "$dir"
# A plot without series: gnuplot is not run at all, so no PNG appears.
printf "cd '%s'\nset nokey\nplot \\\\\n\npause -1\n" "$dir" > empty.gnu
expect 0 "korvex-plot: empty.gnu has no series; nothing drawn" empty.gnu
[ -e empty.png ] && fail "a PNG was made for an empty plot"

[ $failed -eq 0 ] && rm -rf "$dir"
exit $failed
