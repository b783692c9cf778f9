#!/usr/bin/python3
"""The lot routine's benchmark: LOTS (examples/lots.lsp) on a plan of 10,000
closed lot polylines on 100 layers, made with ezdxf, in arxhost.exe under
Wine. It measures the two waits a user sees:

- from LOTS typed until the dialog "Lot area rapid" shows (the lot layers
  read, the lots of each counted, the kept table read, the dialog set up);
- from OK until the numbers are drawn: every lot numbered by the routine,
  then the drawing's picture rebuilt and painted with them (timed by
  drawing_bench.exe on the numbered plan, as the drawing window does it).

    ./lotgrid build && bench/lots_bench.py [LOTS [LAYERS]]

The host runs under ./lotgrid wine on a virtual display that this script
starts, so that it can see the dialog come and press its OK with xdotool.
The host's clock (getvar "MILLISECS") and this script's monotonic clock are
the same clock here (Wine's tick count counts from the machine's start), so
the times are read on both sides of the process boundary. The plan is kept
in build/bench-site-LOTS.dxf for later runs.
"""
import os
import random
import re
import subprocess
import sys
import time

import ezdxf

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
GOAL_MS = 1000


def make_plan(path, lots, layers):
    """Each layer one street side of lots: rectangles of varying width,
    every fifth with an arc frontage, every ninth L-shaped."""
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    rng = random.Random(11)
    per_layer = lots // layers
    for layer in range(layers):
        name = f"LOT-{layer // 10:02d}-STREET-{layer % 10}"
        doc.layers.add(name, color=1 + layer % 254)
        x, y = (layer % 10) * 2200.0, (layer // 10) * 90.0
        for lot in range(per_layer):
            width, depth = 16 + rng.random() * 6, 30 + rng.random() * 8
            if lot % 9 == 4:
                points = [(x, y, 0), (x + width, y, 0), (x + width, y + depth * 0.4, 0),
                          (x + width * 0.5, y + depth * 0.4, 0), (x + width * 0.5, y + depth, 0),
                          (x, y + depth, 0)]
            else:
                bulge = -0.15 if lot % 5 == 0 else 0.0
                points = [(x, y, bulge), (x + width, y, 0), (x + width, y + depth, 0),
                          (x, y + depth, 0)]
            msp.add_lwpolyline([(px, py, 0, 0, b) for px, py, b in points], close=True,
                               dxfattribs={"layer": name})
            x += width
    doc.saveas(path)


def xdotool(env, *args):
    return subprocess.run(["xdotool", *args], env=env, capture_output=True, text=True,
                          timeout=30).stdout


def private_display():
    """An Xvfb of this script's own, and its display name."""
    read, write = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=(write,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write)
    number = b""
    while not number.endswith(b"\n"):
        chunk = os.read(read, 16)
        if not chunk:
            raise SystemExit("lots_bench: Xvfb did not start")
        number += chunk
    os.close(read)
    return xvfb, ":" + number.decode().strip()


def now_ms():
    return int(time.monotonic() * 1000)


def run_lots(plan, lots, numbered, env):
    """LOTS on the plan, OK pressed as soon as the dialog shows: the times
    from LOTS to the dialog and from OK to the end of the numbering."""
    routine = "Z:" + os.path.join(ROOT, "examples", "lots.lsp")
    host = subprocess.Popen(
        [os.path.join(ROOT, "lotgrid"), "wine", os.path.join(ROOT, "build", "bin", "arxhost.exe"),
         "--drawing", "Z:" + plan, "-e", f'(load "{routine}")',
         # The table its user confirmed last time: every lot in one row.
         "-e", f'(lots-keep-rows (quote (("*" "{lots}" "Terraced" "1"))))',
         "-e", '(strcat "started " (itoa (getvar "MILLISECS")))', "-e", "(c:lots)",
         "-e", '(strcat "numbered " (itoa (getvar "MILLISECS")))',
         "-e", f'(progn (command "_.SAVEAS" "Z:{numbered}") (princ))'],
        env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
    deadline = time.monotonic() + 300
    while not xdotool(env, "search", "--onlyvisible", "--name", "^Lot area rapid$").split():
        if time.monotonic() > deadline or host.poll() is not None:
            raise SystemExit("lots_bench: no dialog")
        time.sleep(0.005)
    shown = now_ms()
    time.sleep(1)
    dialog = xdotool(env, "search", "--onlyvisible", "--name", "^Lot area rapid$").split()[-1]
    xdotool(env, "windowfocus", "--sync", dialog)
    pressed = now_ms()
    xdotool(env, "key", "alt+o")
    try:
        out, _ = host.communicate(timeout=120)
    except subprocess.TimeoutExpired:
        host.kill()
        raise SystemExit("lots_bench: OK did not end the dialog")
    marks = dict(re.findall(r'"(started|numbered) (\d+)"', out))
    if len(marks) != 2 or "Numbered" not in out:
        raise SystemExit("lots_bench: the routine did not finish: " + out)
    return shown - int(marks["started"]), int(marks["numbered"]) - pressed


def picture_ms(numbered, env):
    """What the drawing window takes to show the numbered plan: its picture
    built and painted."""
    run = subprocess.run([os.path.join(ROOT, "lotgrid"), "wine",
                          os.path.join(ROOT, "build", "bin", "drawing_bench.exe"),
                          "Z:" + numbered.replace("/", "\\")],
                         env=env, capture_output=True, text=True, check=True)
    figures = dict(line.split() for line in run.stdout.splitlines() if len(line.split()) == 2)
    return float(figures["scene_ms"]), float(figures["repaint_ms"])


def main():
    lots = int(sys.argv[1]) if len(sys.argv) > 1 else 10000
    layers = int(sys.argv[2]) if len(sys.argv) > 2 else 100
    plan = os.path.join(ROOT, "build", f"bench-site-{lots}.dxf")
    numbered = os.path.join(ROOT, "build", f"bench-site-{lots}-numbered.dxf")
    if not os.path.exists(plan):
        print(f"making {plan} ...", file=sys.stderr)
        make_plan(plan, lots, layers)
    xvfb, display = private_display()
    env = dict(os.environ, DISPLAY=display)
    try:
        to_dialog, numbering = run_lots(plan, lots, numbered, env)
        scene, repaint = picture_ms(numbered, env)
    finally:
        xvfb.kill()
        xvfb.wait()
    drawn = numbering + scene + repaint
    print(f"{lots} lots on {layers} layers")
    print(f"LOTS to dialog shown: {to_dialog} ms, ratio to goal {GOAL_MS} ms {to_dialog / GOAL_MS:.2f}")
    print(f"OK to numbers drawn: {drawn:.0f} ms, ratio to goal {GOAL_MS} ms {drawn / GOAL_MS:.2f} "
          f"(numbering {numbering} ms, picture {scene:.0f} ms, paint {repaint:.0f} ms)")


if __name__ == "__main__":
    main()
