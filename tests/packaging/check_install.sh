#!/bin/sh
# Builds the project afresh, installs it into a temporary prefix, checks the installed files,
# then builds and runs a consumer against the tree with find_package and with pkg-config.
# Usage: check_install.sh SOURCE_DIR CONSUMER_DIR CMAKE CXX
set -eu
src=$1 consumer=$2 cmake=$3 cxx=$4
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
prefix=$tmp/prefix

fail() { echo "packaging: $*" >&2; exit 1; }

"$cmake" -S "$src" -B "$tmp/build" -DKORVEX_TESTS=OFF -DKORVEX_BENCH=OFF >"$tmp/log" 2>&1 ||
  { cat "$tmp/log"; fail "configure failed"; }
"$cmake" --build "$tmp/build" -j 2 >>"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "build failed"; }
"$cmake" --install "$tmp/build" --prefix "$prefix" >>"$tmp/log" 2>&1 ||
  { cat "$tmp/log"; fail "install failed"; }

for f in include/korvex.h lib/libkorvex.a lib/cmake/korvex/korvexConfig.cmake \
         lib/cmake/korvex/korvexConfigVersion.cmake lib/cmake/korvex/korvexTargets.cmake \
         lib/pkgconfig/korvex.pc bin/korvex-mex; do
  [ -f "$prefix/$f" ] || fail "$f not installed"
done

# The installed tool answers.
out=$("$prefix/bin/korvex-mex" 2 1 '[1;2;3]' | tr '\n' ' ')
[ "$out" = "out1 = 3 x 1 16 5 10 " ] || fail "installed korvex-mex printed: $out"

# CMake consumer.
"$cmake" -S "$consumer" -B "$tmp/consumer" -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_CXX_COMPILER="$cxx" \
  >"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "consumer configure (find_package) failed"; }
"$cmake" --build "$tmp/consumer" >>"$tmp/log" 2>&1 || { cat "$tmp/log"; fail "consumer build failed"; }
"$tmp/consumer/consumer" | grep -q "sum(a .* a) = 67.5 over 4" || fail "CMake consumer did not run"

# pkg-config consumer.
if command -v pkg-config >/dev/null 2>&1; then
  flags=$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags --libs korvex) ||
    fail "pkg-config does not know korvex"
  # shellcheck disable=SC2086
  "$cxx" "$consumer/main.cpp" $flags -o "$tmp/pc_consumer" || fail "pkg-config build failed"
  "$tmp/pc_consumer" | grep -q "sum(a .* a) = 67.5 over 4" || fail "pkg-config consumer did not run"
else
  echo "packaging: pkg-config not found, pkg-config consumer not checked"
fi

# The Octave module and its help, when mkoctfile built them.
if command -v mkoctfile >/dev/null 2>&1 && command -v octave-cli >/dev/null 2>&1; then
  dir=$prefix/share/korvex/octave
  [ -f "$dir/korvexval.mex" ] && [ -f "$dir/korvexval.m" ] || fail "Octave module not installed"
  got=$(cd "$tmp" && octave-cli --norc --quiet --eval \
    "addpath('$dir'); disp(korvexval(1, 1, [2; 5])); help korvexval" 2>&1) ||
    fail "installed module failed in Octave: $got"
  echo "$got" | head -1 | grep -qx ' *12' || fail "installed module returned: $got"
  echo "$got" | grep -q "KORVEXVAL" || fail "help korvexval shows no usage text"
fi
echo "packaging: install tree and consumers OK"
