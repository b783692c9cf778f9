#!/usr/bin/python3
"""Writes the sample drawings of the drawing tests with ezdxf, a DXF library
that nobody here wrote: one per file version the host reads (R12, R2000,
R2018), each with lines, polylines with arcs, circles, texts, blocks and
inserts, extension data and layer names beyond ASCII, and from R2000 on an
MTEXT, a HATCH, a DIMENSION and a dictionary with an XRECORD.

    make_samples.py FOLDER        writes FOLDER/sample_R12.dxf, ...

The drawing tests of the host's C++ read the samples kept in samples/, made
by this script; the end-to-end tests make them anew.
"""
import os
import sys

import ezdxf


def make(version, path):
    doc = ezdxf.new(version, setup=True)
    msp = doc.modelspace()
    doc.layers.add("LOT-A", color=3)
    doc.layers.add("LOT-B", color=1)
    doc.layers.add("Straße-Ü", color=5)
    doc.layers.add("HIDDEN-OFF", color=2).off()
    doc.layers.add("HIDDEN-FROZEN", color=4).freeze()
    if "LOTGRID" not in doc.appids:
        doc.appids.new("LOTGRID")

    msp.add_line((0, 0), (100, 50), dxfattribs={"layer": "LOT-A"})
    corners = [(0, 0, 0.5), (50, 0, 0), (50, 30, 0), (0, 30, 0)]
    if version == "R12":
        msp.add_polyline2d([(x, y) for x, y, _ in corners], close=True,
                           dxfattribs={"layer": "LOT-A"})
    else:
        msp.add_lwpolyline([(x, y, 0, 0, b) for x, y, b in corners], format="xyseb",
                           close=True, dxfattribs={"layer": "LOT-B"})
    msp.add_circle((20, 20), 5, dxfattribs={"color": 6})
    msp.add_arc((70, 20), 8, 30, 210, dxfattribs={"layer": "LOT-B"})
    msp.add_point((90, 45))
    msp.add_text("Grüße", dxfattribs={"height": 2.5, "layer": "Straße-Ü"}).set_placement((5, 5))
    msp.add_line((0, 80), (40, 80), dxfattribs={"layer": "HIDDEN-OFF"})
    msp.add_line((0, 90), (40, 90), dxfattribs={"layer": "HIDDEN-FROZEN"})
    tagged = msp.add_line((0, 60), (10, 60), dxfattribs={"color": 2})
    tagged.set_xdata("LOTGRID", [(1000, "lot 7"), (1040, 3.5), (1070, 12)])

    tree = doc.blocks.new("TREE", base_point=(1, 1))
    tree.add_circle((1, 1), 2)
    tree.add_line((-1, 1), (3, 1), dxfattribs={"color": 0})
    msp.add_blockref("TREE", (80, 10), dxfattribs={"xscale": 2, "yscale": 2, "rotation": 30,
                                                   "color": 3})

    if version != "R12":
        msp.add_mtext("Line one\\PLine {\\fArial|b1;two}", dxfattribs={"char_height": 2}
                      ).set_location((60, 40))
        hatch = msp.add_hatch(color=2)
        hatch.paths.add_polyline_path([(0, 0), (10, 0), (10, 10)], is_closed=True)
        msp.add_linear_dim(base=(0, -10), p1=(0, 0), p2=(50, 0)).render()
        data = doc.rootdict.get_required_dict("LOTGRID_TABLE")
        record = data.add_xrecord("ROWS")
        record.reset([(1, "LOT-A"), (70, 3), (40, 1.5)])
    doc.saveas(path)


def main_into(folder):
    os.makedirs(folder, exist_ok=True)
    for version in ("R12", "R2000", "R2018"):
        make(version, os.path.join(folder, f"sample_{version}.dxf"))


if __name__ == "__main__":
    main_into(sys.argv[1])
