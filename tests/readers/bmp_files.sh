#!/bin/sh
# BMP files from bmpwrite, opened by ImageMagick and by Python's PIL.
# Usage: bmp_files.sh SAMPLE_FILES SOURCE_DIR WORK_DIR. Exits 77 (skipped) without the readers.
tool=$1 src=$2 work=$3
python=""
for p in python3 /usr/bin/python3; do
  if "$p" -c "import PIL" 2>/dev/null; then python=$p; break; fi
done
for program in identify convert; do
  command -v $program >/dev/null 2>&1 || { echo "$program not found"; exit 77; }
done
[ -n "$python" ] || { echo "no python3 with PIL (python3-pil)"; exit 77; }
set -e
rm -rf "$work"
mkdir -p "$work"
"$tool" bmp "$work"
"$python" "$src/check_bmp.py" "$work" odd one_row one_column full
