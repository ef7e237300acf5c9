#!/bin/sh
# Binary and text files between korvex and Octave, both ways.
# Usage: octave_files.sh SAMPLE_FILES OCTAVE_CLI SOURCE_DIR WORK_DIR
set -e
tool=$1 octave=$2 src=$3 work=$4
rm -rf "$work"
mkdir -p "$work"
"$tool" write "$work"
"$octave" --norc --no-history --quiet "$src/octave_files.m" "$work"
"$tool" read "$work"
echo "Octave read every file korvex wrote, and korvex every file Octave wrote"
