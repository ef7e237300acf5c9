#!/bin/sh
# Builds the project afresh, installs it into a temporary prefix and checks the tree: its files,
# the tool, a consumer through find_package and through pkg-config, the Octave module.
# Usage: check_install.sh SOURCE_DIR CONSUMER_DIR CMAKE CXX
set -eu
src=$1 consumer=$2 cmake=$3 cxx=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix
fail() { echo "packaging: $*" >&2; exit 1; }
step() { what=$1; shift; "$@" >>"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "$what failed"; }; }
consumer_runs() { "$1" | grep -q "sum(a .\* a) = 67.5 over 4"; }

step configure "$cmake" -S "$src" -B "$tmp/build" -DKORVEX_TESTS=OFF -DKORVEX_BENCH=OFF
step build "$cmake" --build "$tmp/build" -j 2
step install "$cmake" --install "$tmp/build" --prefix "$prefix"
# The consumers below need the header, the library and the package files; this one they do not.
[ -f "$prefix/lib/cmake/korvex/korvexConfigVersion.cmake" ] || fail "no korvexConfigVersion.cmake"
out=$("$prefix/bin/korvex-mex" 2 1 '[1;2;3]' | tr '\n' ' ')
[ "$out" = "out1 = 3 x 1 16 5 10 " ] || fail "installed korvex-mex printed: $out"
[ -x "$prefix/bin/korvex-plot" ] || fail "korvex-plot not installed"

step "consumer configure (find_package)" "$cmake" -S "$consumer" -B "$tmp/consumer" \
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx"
step "consumer build" "$cmake" --build "$tmp/consumer"
consumer_runs "$tmp/consumer/consumer" || fail "CMake consumer did not run"

if command -v pkg-config >/dev/null 2>&1; then
  flags=$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs korvex) ||
    fail "pkg-config does not know korvex"
  # shellcheck disable=SC2086
  step "pkg-config consumer build" "$cxx" "$consumer/main.cpp" $flags -o "$tmp/pc_consumer"
  consumer_runs "$tmp/pc_consumer" || fail "pkg-config consumer did not run"
else
  echo "packaging: pkg-config not found, pkg-config consumer not checked"
fi

if command -v mkoctfile >/dev/null 2>&1 && command -v octave-cli >/dev/null 2>&1; then
  dir=$prefix/share/korvex/octave
  got=$(cd "$tmp" && octave-cli --norc --quiet --eval \
    "addpath('$dir'); disp(korvexval(1, 1, [2; 5])); help korvexval" 2>&1) ||
    fail "installed module failed in Octave: $got"
  echo "$got" | head -1 | grep -qx ' *12' || fail "installed module returned: $got"
  echo "$got" | grep -q "KORVEXVAL" || fail "help korvexval shows no usage text"
fi
echo "packaging: install tree and consumers OK"
