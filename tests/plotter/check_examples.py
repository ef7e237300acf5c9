"""Runs the translated example programs in fresh directories and checks what they print and
draw against values worked out here independently.
Usage: check_examples.py EXAMPLES_DIR KORVEX_PLOT"""
import math
import os
import subprocess
import sys
import tempfile

from PIL import Image

examples, plotter = sys.argv[1:3]
failures = []


def check(cond, what):
    if not cond:
        failures.append(what)
        print("FAILED:", what)


def run(name, env_extra):
    work = tempfile.mkdtemp(prefix="korvex_example_%s." % name)
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env.update(env_extra)
    done = subprocess.run([os.path.join(examples, "example_" + name)], cwd=work, env=env,
                          stdin=subprocess.DEVNULL, capture_output=True, text=True, timeout=60)
    print(done.stdout, end="")
    check(done.returncode == 0, "%s exited with %d" % (name, done.returncode))
    check(done.stderr == "", "%s wrote to standard error: %r" % (name, done.stderr))
    return work, done.stdout.splitlines()


# Newton: quadratic convergence to (sqrt(2 + sqrt 3), sqrt(2 - sqrt 3)).
work, lines = run("newton", {})
rows = [line.split() for line in lines[1:] if len(line.split()) == 4]
check(len(rows) == 5, "newton: 5 iterations, got %d" % len(rows))
x1, x2 = math.sqrt(2 + math.sqrt(3)), math.sqrt(2 - math.sqrt(3))
check(abs(float(rows[-1][1]) - x1) < 2e-15 and abs(float(rows[-1][2]) - x2) < 2e-15,
      "newton: last iterate %s" % rows[-1])
check(rows[0] == ["0", "2.000000000000000", "0.500000000000000", "2.5000e-01"],
      "newton: first row %s" % rows[0])
residuals = [float(r[3]) for r in rows]
check(all(b < a * a * 10 for a, b in zip(residuals[:3], residuals[1:4])),
      "newton: residuals do not fall quadratically: %s" % residuals)
check(lines[-3:] == ["x = ", "   %.12g" % x1, "  %.12g" % x2], "newton: final display %s" % lines[-3:])

# Oscillation: the drawing on a log axis, and the energy decaying like exp(-2*z*w*t).
work, lines = run("oscillation", {"KORVEXGNUPLOT": plotter + " --png --size 400x300"})
commands = open(os.path.join(work, "kvlb.gnu")).read().splitlines()
for want in ("set logscale y", "set grid", "set noautoscale", "set yrange [0.0001:10]",
             " 'kvlb.1' w  l 3 ,\\", " 'kvlb.2' w  l 1 "):
    check(want in commands, "oscillation: no line %r in kvlb.gnu" % want)
drawing = Image.open(os.path.join(work, "kvlb.png")).convert("RGB")
blue, red = (list(drawing.getdata()).count(rgb) for rgb in ((0, 0, 255), (255, 0, 0)))
check(drawing.size == (400, 300) and blue > 500 and red > 200,
      "oscillation: PNG %s with %d blue and %d red pixels" % (drawing.size, blue, red))
envelope = 0.5 * math.pi ** 2 * math.exp(-2 * 0.05 * math.pi * 20)
words = lines[0].replace("(", " ").replace(")", " ").split()
check(words[-1] == "%.6g" % envelope, "oscillation: envelope %s, expected %.6g" % (words[-1], envelope))
check(abs(float(words[5]) / envelope - 1) < 0.05, "oscillation: energy %s" % words[5])

# Fractal: the escape counts, the BMP and the viewer run on it.
work, lines = run("fractal", {"KORVEXVIEWER": "sh -c 'cp \"$0\" shown.bmp'"})
rows, cols, inside = 96, 128, 0
for r in range(rows):
    ci = 1.2 - (2.4 * r) / (rows - 1)
    for c in range(cols):
        cr = -2.2 + (3.0 * c) / (cols - 1)
        zr, zi, bounded = cr, ci, True
        for _ in range(63):
            zr, zi = zr * zr - zi * zi + cr, 2.0 * zr * zi + ci
            bounded = bounded and zr * zr + zi * zi <= 4
        inside += bounded
check(lines[0] == "%d of %d points stay bounded for 63 steps" % (inside, rows * cols),
      "fractal: printed %r, expected %d inside" % (lines[0], inside))
bmp = os.path.join(work, "kvlb1.bmp")
check(os.path.getsize(bmp) == 1078 + rows * cols, "fractal: BMP of %d bytes" % os.path.getsize(bmp))
check(open(bmp, "rb").read() == open(os.path.join(work, "shown.bmp"), "rb").read(),
      "fractal: the viewer was not given kvlb1.bmp")
picture = Image.open(bmp).convert("RGB")
# The centre (c = -0.2 + 0i region) never escapes: the last jet colour, dark red (127, 0, 0).
check(picture.size == (cols, rows) and picture.getpixel((cols // 2, rows // 2)) == (127, 0, 0),
      "fractal: centre pixel %s" % (picture.getpixel((cols // 2, rows // 2)),))

sys.exit(1 if failures else 0)
