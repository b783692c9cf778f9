#!/usr/bin/python3
"""The drawing benchmark: a plan of 100,000 closed lot polylines on 200
layers (about 17 MB), made with ezdxf, opened, painted and saved by the
host's drawing code (drawing_bench.exe under Wine), and read by ezdxf in the
same run for the ratio. Prints one line per figure.

    ./lotgrid build && bench/drawing_bench.py [LOTS]

It runs the program through ./lotgrid wine, which prepares Wine and a
display. The drawing is kept in build/bench-lots-LOTS.dxf for later runs.
"""
import math
import os
import random
import subprocess
import sys
import time

import ezdxf

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def make_plan(path, lots):
    """Lots in blocks along streets: rectangles of varying width, every fifth
    with an arc frontage, 500 lots a layer."""
    doc = ezdxf.new("R2018")
    msp = doc.modelspace()
    rng = random.Random(7)
    layers = 200
    for layer in range(layers):
        doc.layers.add(f"LOT-{layer:03d}", color=1 + layer % 254)
    per_row = 250
    for i in range(lots):
        layer = i * layers // lots
        row, column = divmod(i, per_row)
        x = column * 22.0
        y = row * 45.0
        width = 18 + rng.random() * 3
        depth = 30 + rng.random() * 8
        bulge = -0.2 if i % 5 == 0 else 0
        points = [(x, y, 0, 0, bulge), (x + width, y, 0, 0, 0), (x + width, y + depth, 0, 0, 0),
                  (x, y + depth, 0, 0, 0)]
        msp.add_lwpolyline(points, format="xyseb", close=True,
                           dxfattribs={"layer": f"LOT-{layer:03d}"})
    doc.saveas(path)


def main():
    lots = int(sys.argv[1]) if len(sys.argv) > 1 else 100000
    path = os.path.join(ROOT, "build", f"bench-lots-{lots}.dxf")
    if not os.path.exists(path):
        print(f"making {path} ...", file=sys.stderr)
        make_plan(path, lots)

    started = time.perf_counter()
    ezdxf.readfile(path)
    ezdxf_ms = (time.perf_counter() - started) * 1000

    run = subprocess.run([os.path.join(ROOT, "lotgrid"), "wine",
                          os.path.join(ROOT, "build", "bin", "drawing_bench.exe"),
                          "Z:" + path.replace("/", "\\")],
                         capture_output=True, text=True, check=True)
    figures = {}
    for line in run.stdout.splitlines():
        name, _, value = line.strip().partition(" ")
        if value:
            figures[name] = float(value)
    opened = figures["open_ms"] + figures["scene_ms"]
    print(f"dxf open {lots} lots: {opened:.0f} ms, ratio {opened / ezdxf_ms:.3f} "
          f"(reading {figures['open_ms']:.0f} ms, picture {figures['scene_ms']:.0f} ms; "
          f"ezdxf readfile {ezdxf_ms:.0f} ms)")
    print(f"repaint at extents: {figures['repaint_ms']:.1f} ms, ratio to goal 150 ms "
          f"{figures['repaint_ms'] / 150:.2f}")
    print(f"save: {figures['save_ms']:.0f} ms, ratio to goal 2000 ms {figures['save_ms'] / 2000:.2f}")
    print(f"memory: {figures['memory_mb']:.0f} MB, ratio to the file's {figures['file_mb']:.1f} MB "
          f"{figures['memory_mb'] / figures['file_mb']:.1f}")
    print(f"ssget of one layer pattern: {figures['ssget_ms']:.1f} ms "
          f"({figures['ssget_count']:.0f} lots), ratio to goal 100 ms {figures['ssget_ms'] / 100:.2f}; "
          f"every lot: {figures['ssget_all_ms']:.1f} ms ({figures['ssget_all_count']:.0f} lots)")


if __name__ == "__main__":
    main()
