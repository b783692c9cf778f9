#!/usr/bin/python3
"""Makes "Site plan.dxf", the sample subdivision that the lot routine numbers:
108 lots on the twelve lot layers that lots.lsp names (LOT-Z-EASEMENT holds
none), drawn as a surveyor would: closed polylines for the lots, street centre
lines and kerbs, the site boundary, a park, and the street names as text.

The lots come in several shapes: rectangles of varying width along the
streets, corner lots cut back at the junctions, lots with an arc frontage on
Parkside Crescent, and L-shaped lots whose centroid lies outside the lot.

    examples/site/make_site_plan.py [FOLDER]     (default: beside this script)

It needs ezdxf (Debian's python3-ezdxf). The DXF it makes is kept in the
repository, so nobody needs to run this to try the sample.
"""
import math
import os
import random
import sys

import ezdxf

ROAD_HALF_WIDTH = 8.0
DEPTH = 36.0

# (layer, colour) of everything that is not a lot.
OTHER_LAYERS = [("SITE-BOUNDARY", 7), ("ROAD-CENTRE", 1), ("ROAD-KERB", 8),
                ("ROAD-NAMES", 2), ("PARK", 3)]
LOT_LAYERS = [("LOT-A-ELM-NORTH", 4), ("LOT-A-ELM-SOUTH", 4), ("LOT-B-OAK-NORTH", 5),
              ("LOT-B-OAK-SOUTH", 5), ("LOT-C-ASH-EAST", 6), ("LOT-C-ASH-WEST", 6),
              ("LOT-D-PARKSIDE", 30), ("LOT-E-MILL-EAST", 140), ("LOT-E-MILL-WEST", 140),
              ("LOT-F-MARKET", 210), ("LOT-G-CORNERS", 50), ("LOT-H-RESERVE", 90),
              ("LOT-Z-EASEMENT", 250)]


def widths(total, count, rng):
    """`count` lot widths of up to a quarter more or less than the mean that
    add up to `total`, rounded to decimetres."""
    raw = [0.75 + rng.random() * 0.5 for _ in range(count)]
    scale = total / sum(raw)
    result = [round(w * scale, 1) for w in raw]
    result[-1] = round(total - sum(result[:-1]), 1)
    return result


def row_along_x(msp, layer, x0, x1, y_front, y_back, count, rng):
    """Rectangular lots side by side from x0 to x1, between a street frontage
    at y_front and their rear boundary at y_back."""
    x = x0
    for width in widths(x1 - x0, count, rng):
        msp.add_lwpolyline([(x, y_front), (x + width, y_front), (x + width, y_back), (x, y_back)],
                           close=True, dxfattribs={"layer": layer})
        x += width


def row_along_y(msp, layer, y0, y1, x_front, x_back, count, rng):
    y = y0
    for width in widths(y1 - y0, count, rng):
        msp.add_lwpolyline([(x_front, y), (x_back, y), (x_back, y + width), (x_front, y + width)],
                           close=True, dxfattribs={"layer": layer})
        y += width


def corner_lot(msp, x0, x1, y_front, y_back, cut):
    """A lot at the junction of a street along x (frontage y_front) and Ash
    Street (frontage x1): its corner at (x1, y_front) cut back by `cut`."""
    sign = 1 if y_back > y_front else -1
    points = [(x0, y_front), (x1 - cut, y_front), (x1, y_front + sign * cut), (x1, y_back),
              (x0, y_back)]
    if sign < 0:
        points.reverse()
    msp.add_lwpolyline(points, close=True, dxfattribs={"layer": "LOT-G-CORNERS"})


def l_shaped_lot(msp, layer, x, y, long_x, long_y, arm, flip=False):
    """An L whose two arms are `arm` wide: with slender arms its centroid lies
    in the notch, outside the lot."""
    points = [(0, 0), (long_x, 0), (long_x, arm), (arm, arm), (arm, long_y), (0, long_y)]
    if flip:
        points = [(long_x - px, py) for px, py in points]
        points.reverse()
    msp.add_lwpolyline([(x + px, y + py) for px, py in points], close=True,
                       dxfattribs={"layer": layer})


def crescent_lots(msp, centre, front_radius, back_radius, first, last, count):
    """Lots between two arcs about `centre`: the frontage on the crescent and
    the rear boundary are arcs (bulges), the sides run to the centre."""
    cx, cy = centre
    step = (last - first) / count
    for i in range(count):
        a1 = math.radians(first + i * step)
        a2 = math.radians(first + (i + 1) * step)
        bulge = math.tan((a2 - a1) / 4)

        def at(radius, angle):
            return (cx + radius * math.cos(angle), cy + radius * math.sin(angle))

        p1, p2 = at(front_radius, a1), at(front_radius, a2)
        p3, p4 = at(back_radius, a2), at(back_radius, a1)
        msp.add_lwpolyline([(*p1, 0, 0, bulge), (*p2, 0, 0, 0), (*p3, 0, 0, -bulge), (*p4, 0, 0, 0)],
                           format="xyseb", close=True, dxfattribs={"layer": "LOT-D-PARKSIDE"})


def street(msp, name, start, end, label_at, rotation=0.0):
    (x1, y1), (x2, y2) = start, end
    length = math.hypot(x2 - x1, y2 - y1)
    nx, ny = -(y2 - y1) / length, (x2 - x1) / length
    msp.add_line(start, end, dxfattribs={"layer": "ROAD-CENTRE"})
    for side in (-1, 1):
        offset = side * ROAD_HALF_WIDTH
        msp.add_line((x1 + nx * offset, y1 + ny * offset), (x2 + nx * offset, y2 + ny * offset),
                     dxfattribs={"layer": "ROAD-KERB"})
    text = msp.add_text(name, dxfattribs={"layer": "ROAD-NAMES", "height": 4.0,
                                          "rotation": rotation})
    text.set_placement(label_at, align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)


def make(path):
    doc = ezdxf.new("R2018", setup=True)
    doc.header["$INSUNITS"] = 6   # metres
    msp = doc.modelspace()
    for name, colour in OTHER_LAYERS + LOT_LAYERS:
        doc.layers.add(name, color=colour)
    rng = random.Random(1965)

    msp.add_lwpolyline([(0, 0), (480, 0), (480, 360), (0, 360)], close=True,
                       dxfattribs={"layer": "SITE-BOUNDARY", "const_width": 0.5})

    # Streets: Elm and Oak run east-west, Ash and Mill Lane north-south,
    # Parkside Crescent curves round the park in the south-east.
    street(msp, "ELM STREET", (0, 100), (480, 100), (150, 100))
    street(msp, "OAK STREET", (0, 240), (330, 240), (150, 240))
    street(msp, "ASH STREET", (330, 0), (330, 360), (330, 180), 90)
    street(msp, "MILL LANE", (420, 108), (420, 360), (420, 230), 90)
    crescent = (405.0, -40.0)
    msp.add_arc(crescent, 100, 60, 120, dxfattribs={"layer": "ROAD-CENTRE"})
    for radius in (100 - ROAD_HALF_WIDTH, 100 + ROAD_HALF_WIDTH):
        msp.add_arc(crescent, radius, 60, 120, dxfattribs={"layer": "ROAD-KERB"})
    msp.add_text("PARKSIDE CRESCENT", dxfattribs={"layer": "ROAD-NAMES", "height": 3.5}
                 ).set_placement((405, 60), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)
    msp.add_circle((405, 14), 22, dxfattribs={"layer": "PARK"})
    msp.add_text("PARK", dxfattribs={"layer": "PARK", "height": 5}
                 ).set_placement((405, 14), align=ezdxf.enums.TextEntityAlignment.MIDDLE_CENTER)

    elm_n, elm_s = 100 + ROAD_HALF_WIDTH, 100 - ROAD_HALF_WIDTH
    oak_n, oak_s = 240 + ROAD_HALF_WIDTH, 240 - ROAD_HALF_WIDTH
    ash_w, ash_e = 330 - ROAD_HALF_WIDTH, 330 + ROAD_HALF_WIDTH
    mill_w, mill_e = 420 - ROAD_HALF_WIDTH, 420 + ROAD_HALF_WIDTH

    # Along Elm and Oak Street, west of the corner lots at Ash Street.
    row_along_x(msp, "LOT-A-ELM-NORTH", 0, 292, elm_n, elm_n + DEPTH, 14, rng)
    row_along_x(msp, "LOT-A-ELM-SOUTH", 0, 292, elm_s, elm_s - DEPTH, 12, rng)
    row_along_x(msp, "LOT-B-OAK-NORTH", 0, 292, oak_n, oak_n + DEPTH, 9, rng)
    row_along_x(msp, "LOT-B-OAK-SOUTH", 0, 292, oak_s, oak_s - DEPTH, 11, rng)
    for y_front, y_back in ((elm_n, elm_n + DEPTH), (elm_s, elm_s - DEPTH),
                            (oak_n, oak_n + DEPTH), (oak_s, oak_s - DEPTH)):
        corner_lot(msp, 292, ash_w, y_front, y_back, 6)

    # Narrow lots facing Ash Street between the blocks, and along its east side.
    west_front, west_back = ash_w, ash_w - DEPTH
    row_along_y(msp, "LOT-C-ASH-WEST", 2, elm_s - DEPTH - 4, west_front, west_back, 4, rng)
    row_along_y(msp, "LOT-C-ASH-WEST", elm_n + DEPTH, oak_s - DEPTH, west_front, west_back, 5, rng)
    row_along_y(msp, "LOT-C-ASH-WEST", oak_n + DEPTH, 358, west_front, west_back, 6, rng)
    row_along_y(msp, "LOT-C-ASH-EAST", elm_n, 358, ash_e, ash_e + DEPTH, 16, rng)

    # Mill Lane: deeper lots on both sides.
    row_along_y(msp, "LOT-E-MILL-WEST", elm_n, 358, mill_w, ash_e + DEPTH + 2, 8, rng)
    row_along_y(msp, "LOT-E-MILL-EAST", elm_n, 358, mill_e, 478, 8, rng)

    # Parkside Crescent: six lots with an arc frontage.
    crescent_lots(msp, crescent, 100 + ROAD_HALF_WIDTH, 128, 62, 118, 6)

    # The market south of Elm Street: two plain lots and an L-shaped one.
    l_shaped_lot(msp, "LOT-F-MARKET", 4, 4, 70, 48, 14)
    msp.add_lwpolyline([(80, 4), (180, 4), (180, 50), (80, 50)], close=True,
                       dxfattribs={"layer": "LOT-F-MARKET"})
    msp.add_lwpolyline([(186, 4), (286, 4), (286, 50), (186, 50)], close=True,
                       dxfattribs={"layer": "LOT-F-MARKET"})

    # The reserve north of Oak Street: two L-shaped lots back to back.
    reserve_y = oak_n + DEPTH + 4
    l_shaped_lot(msp, "LOT-H-RESERVE", 4, reserve_y, 140, 352 - reserve_y - 4, 16)
    l_shaped_lot(msp, "LOT-H-RESERVE", 148, reserve_y, 140, 352 - reserve_y - 4, 16, flip=True)

    doc.saveas(path)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    make(os.path.join(folder, "Site plan.dxf"))


if __name__ == "__main__":
    main()
