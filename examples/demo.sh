#!/bin/sh
# The main job: the gateway's four services for models 1 and 2, called through the stand-in host,
# then the file functions, then the translated example programs, which print, plot through
# gnuplot and write an image.
# Usage: sh examples/demo.sh [BUILD_DIR]
set -e
build=$(cd "${1:-build}" && pwd)
tool=$build/host/korvex-mex
[ -x "$tool" ] || { echo "demo: $tool not found; run 'make demo'" >&2; exit 1; }

call() {
  what=$1
  shift
  echo "== $what"
  shown=""
  for a in "$@"; do
    case $a in *[][\;\ \(]*) shown="$shown '$a'" ;; *) shown="$shown $a" ;; esac
  done
  echo "   korvex-mex$shown"
  "$tool" "$@" | sed 's/^/   /'
  echo
}

echo "korvex gateway ($("$tool" --version)), model 1:"
echo "  F(x)(1) = 3*x1^2 + x2^2 + ... + xm^2,  F(x)(i) = x1^2 + xi^2"
echo

call "Service 1: first component of F at x = (2, 5); only x1 enters, F1 = 3*2^2 = 12" \
  1 1 '[2;5]'
call "Service 2: F at x = (1, 2, 3), m = n = 3: expect (16, 5, 10)" \
  2 1 '[1;2;3]'
call "Service 2 with m = 2 given as input 4: the first two components" \
  2 1 '[1;2;3]' 2
call "Service 3: F(x) and forward differences along the columns of V = I, steps 1e-6, at x = (2, -1)
   (exact Jacobian: [12 -2; 4 -2])" \
  --nargout 2 3 1 '[2;-1]' '[1 0;0 1]' 2 '[1e-6 1e-6]'
call "Service 4: Hessian-times-direction products of F1 along V = I, steps 1e-3, at x = (2, -1)
   (exact Hessian of F1: [6 0; 0 2])" \
  4 1 '[2;-1]' '[1 0;0 1]' '[1e-3 1e-3]'

echo "Model 2, the translated matrix-language function run on the matrix runtime:"
echo "  F(x)(i) = (x_i^3)^2, a cube then a square, element by element"
echo

call "Service 2 on model 2 at x = (2, -1): expect (64, 1)" \
  2 2 '[2;-1]'
call "Service 3 on model 2: F(x) and differences along V = I, steps 1e-6, at x = (1, 2)
   (exact Jacobian: diag(6, 192))" \
  --nargout 2 3 2 '[1;2]' '[1 0;0 1]' 2 '[1e-6 1e-6]'
call "Service 4 on model 2: Hessian-times-direction products of F1 = x1^6 along V = I, steps 1e-3,
   at x = (1, 2) (exact Hessian of F1: [30 0; 0 0])" \
  4 2 '[1;2]' '[1 0;0 1]' '[1e-3 1e-3]'

echo "== A malformed call is rejected with a message, and nothing is returned:"
echo "   korvex-mex 2 1 '[1;2]' 5"
if "$tool" 2 1 '[1;2]' 5 2>&1 | sed 's/^/   /'; then :; fi

echo
echo "Files, written and read by the matrix runtime:"
demo=${1:-build}/examples/files_demo
out=${1:-build}/demo
mkdir -p "$out"
echo "== A picture with bmpwrite, and a matrix with fwrite"
"$demo" write "$out"
if command -v identify >/dev/null 2>&1; then
  echo "   ImageMagick's identify: $(identify "$out/korvex_picture.bmp")"
fi
if command -v octave-cli >/dev/null 2>&1; then
  echo "== Octave reads the matrix, halves it and writes it back as little-endian doubles"
  octave-cli --norc --no-history --quiet --eval "
    f = fopen('$out/matrix.bin', 'r'); A = fread(f, [2 Inf], 'int16', 0, 'ieee-be'); fclose(f);
    printf('   Octave read:'); printf(' %g', A); printf(' (column order)\n');
    f = fopen('$out/octave.bin', 'w'); fwrite(f, A / 2, 'double', 0, 'ieee-le'); fclose(f);"
  "$demo" read "$out"
fi
echo "   Open $out/korvex_picture.bmp to see the picture."

echo
echo "Translated example programs (examples/*.cpp): each main calls initM first and exit last."
echo "Plots go through gnuplot by way of korvex-plot, as PNG files; the image is a BMP file."
echo
if command -v identify >/dev/null 2>&1; then viewer=identify; else viewer="ls -l"; fi
run_example() {
  name=$1
  shift
  dir=$build/examples/out/$name
  rm -rf "$dir"
  mkdir -p "$dir"
  echo "== $*"
  (cd "$dir" && KORVEXGNUPLOT="$build/bin/korvex-plot --png" KORVEXVIEWER="$viewer" \
    "$build/examples/example_$name") 2>&1 | sed 's/^/   /'
  echo
}
run_example newton "Newton's method for x1^2 + x2^2 = 4, x1*x2 = 1 from (2, 0.5)
   (exact: x1 = sqrt(2 + sqrt(3)) = 1.93185165257814, x2 = sqrt(2 - sqrt(3)) = 0.517638090205042)"
run_example oscillation "A damped oscillator, potential and total energy on a log axis with a grid"
run_example fractal "Escape counts of z <- z^2 + c as an image with the jet colormap"
echo "Plot:  $build/examples/out/oscillation/kvlb.png (command file kvlb.gnu, data kvlb.1, kvlb.2)"
echo "Image: $build/examples/out/fractal/kvlb1.bmp"
