#!/usr/bin/python3
"""The host's drawings end to end: arxhost.exe under Wine opens DXF files that
ezdxf wrote, saves them, and ezdxf, which nobody here wrote, reads back and
audits what the host wrote. The window's picture is read from screenshots.

    drawing_e2e.py SCENARIO BIN_FOLDER

The launcher has exported DISPLAY, WINEPREFIX and a running wineserver.
"""
import os
import shutil
import subprocess
import sys
import tempfile
import time

import ezdxf

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_samples  # noqa: E402

VERSIONS = ("R12", "R2000", "R2018")


class Failure(Exception):
    pass


def check(condition, message):
    if not condition:
        raise Failure(message)


def windows_path(path):
    return "Z:" + path.replace("/", "\\")


def lisp_path(path):
    """A file name inside a LISP string, where a backslash escapes."""
    return "Z:" + path


def host(bin_folder, work, *args, timeout=60):
    """Runs arxhost.exe with the arguments; its standard output and error."""
    run = subprocess.run(["wine", os.path.join(bin_folder, "arxhost.exe"), *args], cwd=work,
                         capture_output=True, timeout=timeout)
    out = run.stdout.decode("utf-8", "replace").replace("\r\n", "\n")
    err = run.stderr.decode("utf-8", "replace").replace("\r\n", "\n")
    return out, err


def entities(doc):
    """What must survive a save: every entity of every layout and block and
    every object, by handle, with its type, layer and main coordinates."""
    seen = {}

    def add(entity):
        dxf = entity.dxf
        points = tuple(round(v, 9) for name in ("start", "end", "center", "insert", "location")
                       if dxf.hasattr(name) for v in dxf.get(name))
        if entity.dxftype() == "LWPOLYLINE":
            points += tuple(round(v, 9) for p in entity.get_points() for v in p)
        layer = dxf.layer if dxf.is_supported("layer") else ""
        seen[dxf.handle] = (entity.dxftype(), layer, points)

    for block in doc.blocks:
        add(block.block)
        for entity in block:
            add(entity)
    for entity in doc.entitydb.values():
        if entity.dxf.handle not in seen:
            layer = entity.dxf.layer if entity.dxf.is_supported("layer") else ""
            seen[entity.dxf.handle] = (entity.dxftype(), layer, ())
    return seen


def audit(path):
    """Reads the file with ezdxf and has its auditor check it; the auditor
    repairs what it can, so the document it saw is not used further."""
    auditor = ezdxf.readfile(path).audit()
    check(not auditor.has_errors, f"{path}: ezdxf's auditor finds errors: "
          + "; ".join(str(e.message) for e in auditor.errors))


def open_and_save_keeps_everything(bin_folder, work):
    make_samples.main_into(work)
    for version in VERSIONS:
        source = os.path.join(work, f"sample_{version}.dxf")
        target = os.path.join(work, f"saved_{version}.dxf")
        out, err = host(bin_folder, work, "--drawing", windows_path(source),
                        "-e", f'(command "_.SAVEAS" "{lisp_path(target)}")',
                        "-e", '(getvar "DWGNAME")')
        check(err == "", f"{version}: the host wrote errors: {err}")
        check(out.splitlines() == ["nil", f'"saved_{version}.dxf"'],
              f"{version}: unexpected output {out!r}")
        with open(source, "rb") as a, open(target, "rb") as b:
            check(a.read() == b.read(), f"{version}: the saved file differs from the one read")
        audit(target)
        before, after = entities(ezdxf.readfile(source)), entities(ezdxf.readfile(target))
        check(before == after, f"{version}: entities differ after the save")


def qsave_keeps_a_backup(bin_folder, work):
    make_samples.main_into(work)
    plan = os.path.join(work, "plan.dxf")
    shutil.copy(os.path.join(work, "sample_R2000.dxf"), plan)
    with open(plan, "rb") as f:
        original = f.read()
    out, err = host(bin_folder, work, "--drawing", windows_path(plan),
                    "-e", '(command "_.QSAVE")', "-e", '(command "_.QSAVE")')
    check(err == "", f"errors: {err}")
    with open(os.path.join(work, "plan.bak"), "rb") as f:
        check(f.read() == original, "plan.bak is not the previous file")
    with open(plan, "rb") as f:
        check(f.read() == original, "an unchanged drawing was saved differently")
    leftovers = sorted(set(os.listdir(work)) - {"plan.dxf", "plan.bak"}
                       - {f"sample_{v}.dxf" for v in VERSIONS})
    check(leftovers == [], f"the save left files behind: {leftovers}")

    # A save that cannot be carried out says why and changes nothing.
    out, err = host(bin_folder, work, "--drawing", windows_path(plan),
                    "-e", f'(command "_.SAVEAS" "{lisp_path(work)}/no such folder/x.dxf")',
                    "-e", '(command "_.OPEN")', "-e", '(getvar "DWGNAME")')
    check('; error: the drawing could not be saved as "' in err, f"no reason given: {err!r}")
    check('; error: unknown command "_.OPEN"' in err, f"OPEN in command: {err!r}")
    check(out.splitlines()[-1] == '"plan.dxf"', f"the drawing was renamed: {out!r}")


def damaged_files_are_reported(bin_folder, work):
    make_samples.main_into(work)
    with open(os.path.join(work, "sample_R2018.dxf"), "rb") as f:
        whole = f.read()
    cases = {
        "truncated.dxf": whole[: len(whole) // 2],
        "not-dxf.dxf": b"Hello, this is a letter.\n",
        "binary.dxf": b"AutoCAD Binary DXF\r\n\x1a\x00" + b"\x00" * 40,
        "bad-number.dxf": whole.replace(b" 10\n0.0\n", b" 10\nzero\n", 1),
    }
    for name, content in cases.items():
        path = os.path.join(work, name)
        with open(path, "wb") as f:
            f.write(content)
        out, err = host(bin_folder, work, "--drawing", windows_path(path),
                        "-e", '(getvar "DWGNAME")', "-e", '(command "_.QSAVE")')
        lines = err.splitlines()
        prefix = f'; error: drawing "{windows_path(path)}" could not be read: '
        check(len(lines) == 2 and lines[0].startswith(prefix),
              f"{name}: expected one line about the file, got {err!r}")
        check(name == "binary.dxf" or lines[0][len(prefix):].startswith("line "),
              f"{name}: no line number: {lines[0]!r}")
        check(lines[1].startswith('; error: "') and "SAVEAS" in lines[1],
              f"{name}: QSAVE over a file that was not read: {lines[1]!r}")
        check(out.splitlines()[0] == f'"{name}"', f"{name}: {out!r}")
        with open(path, "rb") as f:
            check(f.read() == content, f"{name}: the file was touched")


def screenshot(work):
    """The screen as rows of (r, g, b)."""
    png = os.path.join(work, "shot.png")
    subprocess.run(["import", "-window", "root", png], check=True, timeout=30)
    ppm = subprocess.run(["convert", png, "-depth", "8", "ppm:-"], check=True,
                         capture_output=True, timeout=30).stdout
    header = ppm.split(b"\n", 3)
    width, height = map(int, header[1].split())
    pixels = header[3]
    return [[tuple(pixels[3 * (y * width + x): 3 * (y * width + x) + 3]) for x in range(width)]
            for y in range(height)]


def box_of(rows, colour):
    """The smallest rectangle (left, top, right, bottom) holding `colour`."""
    xs, ys = [], []
    for y, row in enumerate(rows):
        for x, pixel in enumerate(row):
            if pixel == colour:
                xs.append(x)
                ys.append(y)
    return (min(xs), min(ys), max(xs), max(ys)) if xs else None


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True, timeout=30)
    time.sleep(0.6)


def window_shows_and_zooms(bin_folder, work):
    doc = ezdxf.new("R2000")
    msp = doc.modelspace()
    for start, end in (((0, 0), (100, 0)), ((100, 0), (100, 50)), ((100, 50), (0, 50)),
                       ((0, 50), (0, 0))):
        msp.add_line(start, end, dxfattribs={"color": 1})
    msp.add_line((20, 10), (80, 40), dxfattribs={"color": 3})
    path = os.path.join(work, "frame.dxf")
    doc.saveas(path)
    red, green, background = (255, 0, 0), (0, 255, 0), (33, 40, 48)

    program = subprocess.Popen(["wine", os.path.join(bin_folder, "arxhost.exe"),
                                "--drawing", windows_path(path)], cwd=work,
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        window = ""
        for _ in range(300):
            found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name",
                                    r"^arxhost - \[frame\.dxf\]$"], capture_output=True, text=True)
            window = found.stdout.split()[-1] if found.stdout.split() else ""
            if window:
                break
            time.sleep(0.1)
        check(window, "no window \"arxhost - [frame.dxf]\"")
        time.sleep(1.5)
        xdotool("windowfocus", window)

        rows = screenshot(work)
        area = box_of(rows, background)
        frame = box_of(rows, red)
        check(area and frame, "no drawing area or no frame on the screen")
        # Opened at the extents: the frame, twice as wide as high, in the middle.
        width, height = frame[2] - frame[0], frame[3] - frame[1]
        check(abs(width - 2 * height) <= 3, f"the frame is {width} by {height} pixels")
        check(abs((frame[0] + frame[2]) - (area[0] + area[2])) <= 4
              and abs((frame[1] + frame[3]) - (area[1] + area[3])) <= 4,
              f"the frame {frame} is not in the middle of {area}")
        fill = max(width / (area[2] - area[0]), height / (area[3] - area[1]))
        check(0.9 < fill < 0.97, f"the frame fills {fill:.2f} of the area")
        diagonal = box_of(rows, green)
        check(diagonal and abs(diagonal[0] - (frame[0] + 0.2 * width)) <= 2
              and abs(diagonal[3] - (frame[3] - 0.2 * height)) <= 2,
              f"the diagonal {diagonal} is not where the frame {frame} puts it")

        # One wheel notch back over the frame's lower left corner zooms out by
        # a quarter there: that corner stays where it is.
        px, py = frame[0], frame[3]
        xdotool("mousemove", str(px), str(py), "click", "5")
        zoomed = box_of(screenshot(work), red)
        check(zoomed and abs(zoomed[0] - px) <= 1 and abs(zoomed[3] - py) <= 1,
              f"the corner moved: {frame} -> {zoomed}")
        check(abs((zoomed[2] - zoomed[0]) - 0.8 * width) <= 3, f"not 0.8 times: {zoomed}")

        # A middle-button drag moves the picture with the pointer.
        xdotool("mousemove", str(px + 10), str(py - 60), "mousedown", "2")
        xdotool("mousemove", str(px + 40), str(py - 75))
        xdotool("mousemove", str(px + 70), str(py - 90), "mouseup", "2")
        panned = box_of(screenshot(work), red)
        check(panned and abs(panned[0] - (zoomed[0] + 60)) <= 1
              and abs(panned[1] - (zoomed[1] - 30)) <= 1, f"pan: {zoomed} -> {panned}")

        # A middle-button double click zooms to the extents again, and so does
        # ZOOM E typed on the command line after another wheel notch.
        xdotool("click", "--repeat", "2", "--delay", "80", "2")
        check(box_of(screenshot(work), red) == frame, "the double click did not zoom to the extents")
        xdotool("mousemove", str(px + 5), str(py - 5), "click", "5")
        xdotool("type", "--delay", "40", "ZOOM E")
        xdotool("key", "Return")
        check(box_of(screenshot(work), red) == frame, "ZOOM E did not zoom to the extents")
    finally:
        program.kill()
        program.wait()


def first_point(entity):
    """The entity's first point (group 10), as ezdxf names it."""
    if entity.dxftype() == "LWPOLYLINE":
        return entity[0]
    for name in ("start", "center", "insert", "location", "elevation", "defpoint"):
        if entity.dxf.hasattr(name):
            return entity.dxf.get(name)
    return None


# ssget filter lists against ezdxf's queries of the same drawing: each pair is
# a filter and the ezdxf queries whose entities together it must select, or a
# test of one entity where ezdxf's query language has no words for it.
FILTERS = [
    ('((0 . "LINE"))', ["LINE"]),
    ('((0 . "line,Circle,ARC"))', ["LINE CIRCLE ARC"]),
    ('((8 . "LOT-*"))', ['*[layer ? "LOT-.*"]']),
    ('((8 . "~LOT-*"))', ['*[!layer ? "LOT-.*"]']),
    ('((-4 . "<NOT") (8 . "0") (-4 . "NOT>"))', ['*[layer != "0"]']),
    ('((62 . 2))', ["*[color == 2]"]),
    ('((62 . 256))', ["*[color == 256]"]),
    ('((-4 . "<OR") (0 . "TEXT") (8 . "HIDDEN-*") (-4 . "OR>"))', ["TEXT", '*[layer ? "HIDDEN-.*"]']),
    ('((-4 . "<AND") (0 . "LINE") (-4 . "<") (62 . 256) (-4 . "AND>"))', ["LINE[color < 256]"]),
    ('((0 . "LWPOLYLINE,POLYLINE") (-4 . "&") (70 . 1))',
     lambda e: e.dxftype() in ("LWPOLYLINE", "POLYLINE") and e.dxf.flags & 1),
    ('((-4 . ">,*,*") (10 50.0 0.0 0.0))',
     lambda e: first_point(e) is not None and first_point(e)[0] > 50),
]


def ezdxf_count(doc, queries):
    """What ezdxf finds in model space and the active paper space."""
    found = set()
    for space in (doc.modelspace(), doc.layouts.active_layout()):
        if callable(queries):
            found |= {e.dxf.handle for e in space if queries(e)}
        else:
            for query in queries:
                found |= {e.dxf.handle for e in space.query(query)}
    return len(found)


def lisp_ssget_counts_as_ezdxf(bin_folder, work):
    make_samples.main_into(work)
    for version in VERSIONS:
        source = os.path.join(work, f"sample_{version}.dxf")
        doc = ezdxf.readfile(source)
        args = ["--drawing", windows_path(source)]
        for filter_list, _ in FILTERS:
            args += ["-e", f"((lambda (s) (if s (sslength s) 0)) (ssget \"X\" '{filter_list}))"]
        out, err = host(bin_folder, work, *args)
        check(err == "", f"{version}: the host wrote errors: {err}")
        counts = [int(line) for line in out.splitlines()]
        for (filter_list, queries), count in zip(FILTERS, counts):
            expected = ezdxf_count(doc, queries)
            check(count == expected, f"{version}: ssget {filter_list} counts {count}, "
                                     f"ezdxf {expected}")
        check(len(counts) == len(FILTERS), f"{version}: {out!r}")


EDITS = [
    '(entmake \'((0 . "LINE") (8 . "NEW-LOTS") (10 1 2) (11 3 4)))',
    '(entmake \'((0 . "LWPOLYLINE") (8 . "LOT-A") (70 . 1) (10 0 0) (42 . 0.5) (10 10 0) (10 10 10)))',
    '(entmake \'((0 . "CIRCLE") (10 5 5 0) (40 . 2.5) (62 . 1)))',
    '(entmake \'((0 . "TEXT") (8 . "LABELS") (10 0 0) (40 . 2.5) (1 . "Lot 7")))',
    '(entmake \'((0 . "MTEXT") (10 0 0) (40 . 2.0) (1 . "A\\\\PB")))',
    '(entmake \'((0 . "POINT") (10 1 1)))',
    '(entmake \'((0 . "LAYER") (2 . "ROADS") (70 . 0) (62 . 1) (6 . "Continuous")))',
    '(setq e (entget (entnext)))',
    '(entmod (subst \'(8 . "ROADS") (assoc 8 e) e))',
    '(entdel (ssname (ssget "X" \'((0 . "CIRCLE") (40 . 5))) 0))',
    '(setq d (entmakex \'((0 . "DICTIONARY") (100 . "AcDbDictionary"))))',
    '(setq r (entmakex \'((0 . "XRECORD") (100 . "AcDbXrecord") (1 . "LOT-A") (70 . 12) (40 . 250.5))))',
    '(and (namedobjdict) (dictadd (namedobjdict) "LOTGRID_NUMBERS" d) (dictadd d "ROW1" r))',
]


def lisp_edits_are_saved_for_ezdxf(bin_folder, work):
    make_samples.main_into(work)
    for version in VERSIONS:
        source = os.path.join(work, f"sample_{version}.dxf")
        target = os.path.join(work, f"edited_{version}.dxf")
        before = ezdxf.readfile(source)
        args = ["--drawing", windows_path(source)]
        for edit in EDITS:
            args += ["-e", edit]
        args += ["-e", f'(command "_.SAVEAS" "{lisp_path(target)}")']
        out, err = host(bin_folder, work, *args)
        check(err == "", f"{version}: the host wrote errors: {err}")
        made = out.splitlines()[:7]
        refused = [1, 4] if version == "R12" else []   # no LWPOLYLINE or MTEXT in R12
        check([i for i, line in enumerate(made) if line == "nil"] == refused,
              f"{version}: entmake: {out!r}")
        audit(target)
        doc = ezdxf.readfile(target)
        msp = doc.modelspace()
        line = msp.query('LINE[layer == "NEW-LOTS"]')
        check(len(line) == 1 and tuple(line[0].dxf.start) == (1, 2, 0)
              and tuple(line[0].dxf.end) == (3, 4, 0), f"{version}: the new line")
        texts = [t.dxf.text for t in msp.query('TEXT[layer == "LABELS"]')]
        check(texts == ["Lot 7"], f"{version}: texts {texts}")
        circles = [(c.dxf.radius, c.dxf.color) for c in msp.query("CIRCLE")]
        check(circles == [(2.5, 1)], f"{version}: circles {circles}")
        check(len(msp.query("POINT")) == 2, f"{version}: points")
        for name, colour in (("ROADS", 1), ("NEW-LOTS", 7), ("LABELS", 7)):
            check(doc.layers.has_entry(name) and doc.layers.get(name).color == colour,
                  f"{version}: layer {name}")
        first = before.modelspace()[0].dxf.handle
        check(doc.entitydb[first].dxf.layer == "ROADS", f"{version}: entmod of {first}")
        # ezdxf gives an R12 file's missing objects handles of its own, so
        # only the entities count.
        old = {e.dxf.handle for e in before.modelspace()}
        new = [e for e in msp if e.dxf.handle not in old]
        check(len(new) == (4 if version == "R12" else 6), f"{version}: {len(new)} new entities")
        seed = int(doc.header["$HANDSEED"], 16)
        check(all(int(e.dxf.handle, 16) < seed for e in msp),
              f"{version}: a handle at or past $HANDSEED")
        if version == "R12":
            continue
        polyline = msp.query('LWPOLYLINE[layer == "LOT-A"]')
        check(len(polyline) == 1 and polyline[0].closed
              and [tuple(p) for p in polyline[0].get_points("xyb")]
              == [(0, 0, 0.5), (10, 0, 0), (10, 10, 0)], f"{version}: the new polyline")
        mtext = msp.query("MTEXT")
        check([m.text for m in mtext][-1] == "A\\PB", f"{version}: mtext")
        record = doc.rootdict["LOTGRID_NUMBERS"]["ROW1"]
        check(record.dxftype() == "XRECORD" and list(record.tags)
              == [(1, "LOT-A"), (70, 12), (40, 250.5)], f"{version}: the record {record}")

        # The host reads its own dictionary back from the saved file.
        out, err = host(bin_folder, work, "--drawing", windows_path(target), "-e",
                        '(cdr (member (quote (100 . "AcDbXrecord")) (dictsearch (cdr (assoc -1 '
                        '(dictsearch (namedobjdict) "lotgrid_numbers"))) "ROW1")))')
        check(err == "" and out.splitlines() == ['((280 . 1) (1 . "LOT-A") (70 . 12) (40 . 250.5))'],
              f"{version}: read back {out!r} {err!r}")


SCENARIOS = {
    "window-shows-and-zooms": window_shows_and_zooms,
    "open-save-keeps-everything": open_and_save_keeps_everything,
    "qsave-keeps-a-backup": qsave_keeps_a_backup,
    "damaged-files-are-reported": damaged_files_are_reported,
    "lisp-ssget-counts-as-ezdxf": lisp_ssget_counts_as_ezdxf,
    "lisp-edits-are-saved-for-ezdxf": lisp_edits_are_saved_for_ezdxf,
}


def main(scenarios=None, prefix="drawing-e2e-"):
    """Runs the scenario that the command line names, in a folder of its own."""
    scenario, bin_folder = sys.argv[1], sys.argv[2]
    work = tempfile.mkdtemp(prefix=prefix)
    try:
        (scenarios or SCENARIOS)[scenario](bin_folder, work)
    except Failure as failure:
        print(f"FAIL: {failure}", file=sys.stderr)
        return 1
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print(f"{scenario}: passed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
