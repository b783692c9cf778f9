#!/usr/bin/python3
"""The sample routine LOTS end to end: arxhost.exe opens a subdivision plan,
LOTS opens the lot table dialog, which is driven through the X server with
xdotool as a person would, and the numbered plan that the host saves is read
back by ezdxf, which nobody here wrote.

    lots_e2e.py SCENARIO BIN_FOLDER

The launcher has exported DISPLAY, WINEPREFIX and a running wineserver.
"""
import math
import os
import random
import re
import shutil
import subprocess
import sys
import time

import ezdxf
from ezdxf import path as dxfpath
from ezdxf.math import Vec2, is_point_in_polygon_2d

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(ROOT, "tests", "arxhost", "drawing"))
from drawing_e2e import (Failure, audit, check, entities, lisp_path,  # noqa: E402
                         main as run_scenario, windows_path)

ROUTINE = os.path.join(ROOT, "examples", "lots.lsp")
SITE_PLAN = os.path.join(ROOT, "examples", "site", "Site plan.dxf")
LABEL_LAYERS = ("LOT-NUMBERS", "LOT-TYPES")

# The lot grid in the dialog's window: the centres of the columns Layer,
# Quantity, Type and Numbering, and of the first row, in the template layout.
COLUMN_X = (130, 287, 443, 600)
ROW_Y, ROW_HEIGHT = 63, 20


class Host:
    """arxhost.exe running the given -e expressions in the background."""

    def __init__(self, bin_folder, work, drawing, expressions):
        args = ["--drawing", windows_path(drawing), "-e", f'(load "{lisp_path(ROUTINE)}")']
        for expression in expressions:
            args += ["-e", expression]
        self.out = open(os.path.join(work, "out.txt"), "w+b")
        self.err = open(os.path.join(work, "err.txt"), "w+b")
        self.process = subprocess.Popen([os.path.join(bin_folder, "..", "wine-run"),
                                         os.path.join(bin_folder, "arxhost.exe"), *args],
                                        cwd=work, stdout=self.out, stderr=self.err)

    def text(self, stream):
        stream.seek(0)
        return stream.read().decode("utf-8", "replace").replace("\r\n", "\n")

    def finish(self, timeout=120):
        try:
            self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            raise Failure("the host did not end: " + self.text(self.err))
        return self.text(self.out), self.text(self.err)

    def window(self, title, timeout=60):
        """The id of the visible window titled exactly `title`."""
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", f"^{title}$"],
                                   capture_output=True, text=True).stdout.split()
            if found:
                return found[-1]
            if self.process.poll() is not None:
                raise Failure(f"the host ended before the window {title!r}: "
                              + self.text(self.out) + self.text(self.err))
            time.sleep(0.1)
        raise Failure(f"no window {title!r} within {timeout} s: " + self.text(self.err))

    def gone(self, window, timeout=30):
        deadline = time.time() + timeout
        while time.time() < deadline:
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "."],
                                   capture_output=True, text=True).stdout.split()
            if window not in found:
                return
            time.sleep(0.1)
        raise Failure(f"the window {window} stays")


def xdotool(*args, pause=0.3):
    subprocess.run(["xdotool", *args], check=True, timeout=30)
    time.sleep(pause)


def focus(window):
    if subprocess.run(["xdotool", "windowfocus", "--sync", window], timeout=30).returncode:
        xdotool("windowfocus", window)
    time.sleep(0.2)


def press(window, column, row):
    focus(window)
    xdotool("mousemove", "--window", window, str(COLUMN_X[column]), str(ROW_Y + ROW_HEIGHT * row),
            "click", "1", pause=0.5)


def pick(window, column, row, index):
    """Item `index` of the drop list of a Layer or Type cell."""
    press(window, column, row)
    xdotool("key", "--delay", "50", "Home", *["Down"] * index, "Return", pause=0.5)


def first_number(window, row, number):
    press(window, 3, row)
    xdotool("key", "--delay", "50", "End", *["BackSpace"] * 6)
    xdotool("type", "--delay", "30", str(number))
    xdotool("key", "Return", pause=0.5)


def ok(host, window):
    focus(window)
    xdotool("key", "alt+o")
    host.gone(window)


def cancel(host, window):
    """Escape, and OK in the question that follows (Tab to it first)."""
    focus(window)
    xdotool("key", "Escape")
    box = host.window("arxhost")
    focus(box)
    xdotool("key", "Tab", "Return")
    host.gone(window)


def rows_of(line):
    """The rows of a printed table: lists of four strings."""
    texts = re.findall(r'"([^"]*)"', line)
    check(len(texts) % 4 == 0 and texts, f"not a table: {line!r}")
    return [texts[i:i + 4] for i in range(0, len(texts), 4)]


def save(path):
    return f'(progn (command "_.SAVEAS" "{lisp_path(path)}") (princ))'


# --- What the numbered plan must hold ----------------------------------------

def outline(entity):
    return [Vec2(p) for p in dxfpath.make_path(entity).flattening(0.01)]


def label_point(text):
    """Where a TEXT stands: its alignment point when it is aligned."""
    if text.dxf.halign or text.dxf.valign:
        return Vec2(text.dxf.align_point)
    return Vec2(text.dxf.insert)


class Lots:
    """The closed lot polylines of a drawing with a coarse grid over them, so
    that the lot holding a point is found among a few."""

    def __init__(self, doc):
        msp = doc.modelspace()
        self.layers = sorted(layer.dxf.name for layer in doc.layers
                             if layer.dxf.name.upper().startswith("LOT-")
                             and layer.dxf.name.upper() not in LABEL_LAYERS)
        self.lots = [(e.dxf.handle, e.dxf.layer, outline(e))
                     for e in msp.query("LWPOLYLINE POLYLINE")
                     if e.is_closed and e.dxf.layer.upper().startswith("LOT-")]
        sizes = [max(p.x for p in o) - min(p.x for p in o) for _, _, o in self.lots] or [1]
        self.cell = sorted(sizes)[len(sizes) // 2]
        self.grid = {}
        for index, (_, _, points) in enumerate(self.lots):
            for gx in range(self.key(min(p.x for p in points)), self.key(max(p.x for p in points)) + 1):
                for gy in range(self.key(min(p.y for p in points)),
                                self.key(max(p.y for p in points)) + 1):
                    self.grid.setdefault((gx, gy), []).append(index)

    def key(self, value):
        return math.floor(value / self.cell)

    def holding(self, point):
        """The handles of the lots strictly inside which the point lies."""
        return [self.lots[i][0] for i in self.grid.get((self.key(point.x), self.key(point.y)), [])
                if is_point_in_polygon_2d(point, self.lots[i][2]) > 0]


def check_numbered(original, saved, rows, report):
    """Every lot the rows cover holds exactly one number inside it and its
    row's type below it; each row's numbers run on from its first number;
    the "*" row takes exactly the lots of the layers no row above names;
    nothing of the original plan is lost; ezdxf's auditor finds no error."""
    audit(saved)
    plan, doc = ezdxf.readfile(original), ezdxf.readfile(saved)
    before, after = entities(plan), entities(doc)
    # ezdxf gives the objects that an R12 file lacks handles of its own,
    # from the file's handle seed on: only the file's own count.
    seed = int(plan.header["$HANDSEED"], 16)
    lost = [h for h, e in before.items() if int(h, 16) < seed and after.get(h) != e]
    check(not lost, f"{saved}: entities of the plan lost or changed: {lost[:5]}")

    lots = Lots(doc)
    number_of, type_of = {}, {}
    for text in doc.modelspace().query("TEXT"):
        layer = text.dxf.layer.upper()
        if layer not in LABEL_LAYERS:
            continue
        holders = lots.holding(label_point(text))
        check(len(holders) == 1, f"{layer} {text.dxf.text!r} at {label_point(text)} "
                                 f"lies in {len(holders)} lots")
        into = number_of if layer == "LOT-NUMBERS" else type_of
        check(holders[0] not in into, f"lot {holders[0]} has two texts on {layer}")
        into[holders[0]] = text.dxf.text
    numbers = sorted(int(n) for n in number_of.values())
    check(len(numbers) == len(set(numbers)), "a number appears twice")

    named, covered, total = set(), set(), 0
    for layer, quantity, kind, first in rows:
        layers = ([name for name in lots.layers if name.upper() not in named] if layer == "*"
                  else [layer])
        handles = {h for h, on, _ in lots.lots if on in layers}
        got = sorted(int(number_of.get(h, "0")) for h in handles)
        check(got == list(range(int(first), int(first) + len(handles))),
              f"row {layer}: numbers {got[:5]}... are not consecutive from {first}")
        check(str(len(handles)) == quantity, f"row {layer}: {quantity} lots shown, {len(handles)} on it")
        check(all(type_of.get(h, "") == kind for h in handles), f"row {layer}: types")
        line = (f"  {layer:<21}{len(handles):<6}"
                + (f"numbers {first} to {int(first) + len(handles) - 1}" if handles else "no lots"))
        check(line in report.splitlines(), f"the report has no line {line!r}: {report}")
        if layer != "*":
            named.add(layer.upper())
        covered |= handles
        total += len(handles)
    check(set(number_of) == covered, "lots outside every row are numbered")
    check(f"Numbered {total} lots:" in report.splitlines(), f"the report's total: {report}")


# --- Scenarios ---------------------------------------------------------------

def site_plan_numbered_twice(bin_folder, work):
    """A layer chosen and a first number typed; a second LOTS that starts
    from the table kept in the drawing and another first number; a third
    cancelled."""
    plan = os.path.join(work, "Site plan.dxf")
    shutil.copy(SITE_PLAN, plan)
    saved = [os.path.join(work, f"numbered{i}.dxf") for i in range(3)]
    host = Host(bin_folder, work, plan, [
        "(c:lots)", "(lots-saved-rows)", save(saved[0]),
        "(c:lots)", "(lots-saved-rows)", save(saved[1]),
        "(c:lots)", "(lots-saved-rows)", save(saved[2])])
    window = host.window("Lot area rapid")
    pick(window, 0, 0, 3)          # a layer instead of the "*" offered
    pick(window, 2, 0, 0)
    pick(window, 0, 1, 0)          # "*" for the rest
    pick(window, 2, 1, 2)
    first_number(window, 1, 200)
    ok(host, window)
    window = host.window("Lot area rapid")
    first_number(window, 0, 500)
    ok(host, window)
    cancel(host, host.window("Lot area rapid"))
    out, err = host.finish()
    check(err == "", f"the host wrote errors: {err}")
    reports = re.split(r"^\(\(.*\n", out, flags=re.M)
    tables = [rows_of(line) for line in out.splitlines() if line.startswith("((")]
    check(len(tables) == 3, f"three tables: {out}")
    first, second, third = tables
    check(first[0][0] == "LOT-B-OAK-NORTH" and first[0][2:] == ["Detached", "1"]
          and first[1][0] == "*" and first[1][2:] == ["Terraced", "200"], f"first table {first}")
    check(second[0][3] == "500" and second[1][0] == "*", f"second table {second}")
    check(third == second, "Cancel changed the kept table")
    check_numbered(SITE_PLAN, saved[0], first, reports[0])
    check_numbered(SITE_PLAN, saved[1], second, reports[1])
    check("Lot numbering cancelled." in reports[2], f"no word of the cancel: {reports[2]}")
    check(entities(ezdxf.readfile(saved[2])) == entities(ezdxf.readfile(saved[1])),
          "Cancel changed the drawing")


def generated_plan(path, rng):
    """2,000 lots on twenty layers of names the sample does not use, as R12
    POLYLINEs: rows of quadrilaterals along streets at random angles, every
    fifth with an arc frontage and every seventh L-shaped."""
    doc = ezdxf.new("R12")
    msp = doc.modelspace()
    layers = [f"LOT-BLOCK {i + 1:02d}" if i % 3 else f"lot-stage{i // 3}_{i}" for i in range(20)]
    for index, layer in enumerate(layers):
        doc.layers.add(layer)
        origin = Vec2((index % 5) * 1600.0, (index // 5) * 2000.0)
        along = Vec2.from_deg_angle(rng.uniform(-30, 30))
        across = along.orthogonal()
        x = 0.0
        for lot in range(100):
            width, depth = rng.uniform(8, 16), rng.uniform(25, 35)
            a, b = origin + along * x, origin + along * (x + width)
            if lot % 7 == 3:
                arm = depth * 0.4
                shape = [a, b, b + across * arm, a + along * (width * 0.45) + across * arm,
                         a + along * (width * 0.45) + across * depth, a + across * depth]
                points = [(p.x, p.y, 0) for p in shape]
            else:
                bulge = -0.2 if lot % 5 == 0 else 0.0
                points = [(a.x, a.y, bulge), (b.x, b.y, 0),
                          (*(b + across * depth), 0), (*(a + across * depth), 0)]
            msp.add_polyline2d(points, format="xyb", close=True, dxfattribs={"layer": layer})
            x += width
        msp.add_line(origin - across * 10, origin + along * x - across * 10,
                     dxfattribs={"layer": "STREETS"})
    doc.saveas(path)


def generated_r12_plan(bin_folder, work):
    """A plan that is not the sample's, with no dictionaries to keep the
    table in: the table lasts for the session."""
    plan = os.path.join(work, "generated.dxf")
    generated_plan(plan, random.Random(20261207))
    saved = os.path.join(work, "numbered.dxf")
    host = Host(bin_folder, work, plan, ["(c:lots)", "(lots-saved-rows)", "(c:lots)",
                                         "(lots-saved-rows)", "(namedobjdict)", save(saved)])
    window = host.window("Lot area rapid")
    pick(window, 2, 0, 1)
    first_number(window, 0, 1001)
    ok(host, window)
    ok(host, host.window("Lot area rapid"))
    out, err = host.finish()
    check(err == "", f"the host wrote errors: {err}")
    tables = [rows_of(line) for line in out.splitlines() if line.startswith("((")]
    check(len(tables) == 2 and tables[0] == [["*", "2000", "Semi-detached", "1001"]]
          and tables[1] == tables[0], f"the session's table: {out}")
    check("\nnil\n" in out, "an R12 drawing has no named object dictionary")
    check_numbered(plan, saved, tables[1], re.split(r"^\(\(.*\n", out, flags=re.M)[1])


SCENARIOS = {
    "site-plan-numbered-twice": site_plan_numbered_twice,
    "generated-r12-plan": generated_r12_plan,
}


if __name__ == "__main__":
    sys.exit(run_scenario(SCENARIOS, "lots-e2e-"))
