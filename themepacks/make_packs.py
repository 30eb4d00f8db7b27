#!/usr/bin/env python3
"""Draws the two theme packs shipped with the browser, Daylight and Midnight.

Usage: make_packs.py OUTPUT_THEME_FOLDER

Every picture is drawn here from simple shapes (rectangles, rounded
rectangles, circles, lines and polygons), four by four samples a pixel for
smooth edges, and written as PNG under the pack format's ".gif" names: the
browser tells a picture's format by its content, as it does for the packs the
theme builder writes. Only the standard library is used, so the packs can be
rebuilt anywhere the build runs.
"""

import math
import os
import struct
import sys
import zlib

SAMPLES = 4  # samples per pixel along each axis


# --- pictures -------------------------------------------------------------

class Picture:
    def __init__(self, width, height, colour=(0, 0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [list(colour) for _ in range(width * height)]

    def blend(self, x, y, colour, coverage):
        if coverage <= 0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        r, g, b, a = colour
        alpha = a / 255.0 * coverage
        p = self.pixels[y * self.width + x]
        out_a = alpha + p[3] / 255.0 * (1 - alpha)
        if out_a <= 0:
            return
        for i, c in enumerate((r, g, b)):
            p[i] = round((c * alpha + p[i] * (p[3] / 255.0) * (1 - alpha)) / out_a)
        p[3] = round(out_a * 255)

    def fill(self, inside, colour, box=None):
        """Paints colour where inside(x, y) holds, x and y in pixel units."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.width, int(math.ceil(x1))), min(self.height, int(math.ceil(y1)))
        step = 1.0 / SAMPLES
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for sy in range(SAMPLES):
                    for sx in range(SAMPLES):
                        if inside(x + (sx + 0.5) * step, y + (sy + 0.5) * step):
                            hits += 1
                self.blend(x, y, colour, hits / (SAMPLES * SAMPLES))

    def gradient(self, top, bottom, box=None):
        """A vertical gradient over a box (the whole picture by default)."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(int(y0), int(y1)):
            t = 0 if y1 - y0 <= 1 else (y - y0) / (y1 - y0 - 1)
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            for x in range(int(x0), int(x1)):
                self.blend(x, y, colour, 1.0)

    def png(self):
        raw = bytearray()
        for y in range(self.height):
            raw.append(0)
            for x in range(self.width):
                raw.extend(bytes(self.pixels[y * self.width + x]))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


# --- shapes: functions of a point ------------------------------------------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x < x1 and y0 <= y < y1


def rounded(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x < x1 and y0 <= y < y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r, width, start=None, end=None):
    """A ring; with start and end (degrees, clockwise from three o'clock) an arc."""
    def inside(x, y):
        d = math.hypot(x - cx, y - cy)
        if not (r - width / 2 <= d <= r + width / 2):
            return False
        if start is None:
            return True
        angle = math.degrees(math.atan2(y - cy, x - cx)) % 360
        return (angle - start) % 360 <= (end - start) % 360
    return inside


def line(ax, ay, bx, by, width):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
        return math.hypot(x - ax - t * dx, y - ay - t * dy) <= width / 2
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i, (xi, yi) in enumerate(points):
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def minus(shape, cut):
    return lambda x, y: shape(x, y) and not cut(x, y)


# --- the two looks ----------------------------------------------------------

DAYLIGHT = {
    "name": "Daylight",
    "title": "Daylight (밝은 테마)",
    # A sky-blue title strip (the caption text is white) over light edges.
    "frameTop": (104, 160, 232, 255), "frameBottom": (58, 112, 196, 255),
    "edge": (222, 229, 240, 255), "border": (96, 124, 168, 255), "accent": (52, 120, 220, 255),
    "titleLine": (190, 218, 252, 255),
    "toolTop": (246, 248, 251, 255), "toolBottom": (214, 222, 234, 255),
    "button": (255, 255, 255, 255), "buttonPressed": (196, 212, 236, 255), "buttonRim": (160, 176, 200, 255),
    "glyph": (44, 62, 92, 255), "close": (214, 64, 64, 255),
    "side": (236, 240, 246, 255), "sidePressed": (206, 218, 236, 255),
}

MIDNIGHT = {
    "name": "Midnight",
    "title": "Midnight (어두운 테마)",
    "frameTop": (54, 58, 68, 255), "frameBottom": (30, 32, 38, 255),
    "edge": (36, 38, 45, 255), "border": (14, 15, 18, 255), "accent": (255, 146, 52, 255),
    "titleLine": (255, 146, 52, 255),
    "toolTop": (44, 47, 55, 255), "toolBottom": (26, 28, 33, 255),
    "button": (60, 64, 75, 255), "buttonPressed": (110, 72, 40, 255), "buttonRim": (16, 17, 20, 255),
    "glyph": (236, 238, 242, 255), "close": (255, 110, 90, 255),
    "side": (40, 43, 50, 255), "sidePressed": (92, 62, 38, 255),
}


def frame_pieces(look):
    """The eight frame pieces: a title strip with an accent line, thin edges."""
    top, bottom, edge, border, accent = (look[k] for k in ("frameTop", "frameBottom", "edge", "border", "accent"))
    pieces = {}

    def title_piece(width, left_rim, right_rim):
        p = Picture(width, 25)
        p.gradient(top, bottom)
        p.fill(rect(0, 0, width, 2), look["titleLine"])
        p.fill(rect(0, 24, width, 25), border)
        if left_rim:
            p.fill(rect(0, 0, 1, 25), border)
        if right_rim:
            p.fill(rect(width - 1, 0, width, 25), border)
        return p

    pieces["TopLeftEdge"] = title_piece(9, True, False)
    pieces["TopLine"] = title_piece(64, False, False)
    pieces["TopRightEdge"] = title_piece(9, False, True)

    def side_piece(width, height, rim):
        p = Picture(width, height, edge)
        for r in rim:
            p.fill(r, border)
        return p

    pieces["LeftLine"] = side_piece(7, 64, [rect(0, 0, 1, 64)])
    pieces["RightLine"] = side_piece(7, 64, [rect(6, 0, 7, 64)])
    pieces["BottomLine"] = side_piece(64, 8, [rect(0, 7, 64, 8)])
    pieces["BottomLeftEdge"] = side_piece(9, 8, [rect(0, 0, 1, 8), rect(0, 7, 9, 8)])
    pieces["BottomRightEdge"] = side_piece(9, 8, [rect(8, 0, 9, 8), rect(0, 7, 9, 8)])
    return pieces


def caption_buttons(look):
    """Minimize, maximize, restore and close, 33 x 17, each normal and pressed."""
    out = {}
    glyph = look["glyph"]
    shapes = {
        "SystemMinButton": rect(12, 11, 21, 13),
        "SystemMaxButton": minus(rect(12, 4, 22, 13), rect(13.5, 6.5, 20.5, 11.5)),
        "SystemBeforeButton": union(minus(rect(11, 6, 19, 13), rect(12.5, 8, 17.5, 11.5)),
                                    minus(rect(14, 3.5, 22, 10.5), union(rect(15.5, 5.5, 20.5, 9), rect(11, 6, 19, 13)))),
        "SystemExitButton": union(line(12.5, 4, 20.5, 12.5, 1.8), line(20.5, 4, 12.5, 12.5, 1.8)),
    }
    for name, shape in shapes.items():
        for pressed in (False, True):
            p = Picture(33, 17)
            face = look["buttonPressed"] if pressed else look["button"]
            if name == "SystemExitButton" and pressed:
                face = look["close"]
            p.fill(rounded(1, 1, 32, 16, 4), look["buttonRim"])
            p.fill(rounded(2, 2, 31, 15, 3), face)
            colour = look["close"] if name == "SystemExitButton" and not pressed else glyph
            if name == "SystemExitButton" and pressed:
                colour = (255, 255, 255, 255)
            p.fill(shape, colour)
            out[name + ("Press" if pressed else "")] = p
    return out


def arrow(cx, cy, size, pointing_left):
    s = -1 if pointing_left else 1
    head = polygon([(cx + s * size, cy), (cx, cy - size), (cx, cy + size)])
    shaft = rect(min(cx, cx - s * size), cy - size * 0.38, max(cx, cx - s * size), cy + size * 0.38)
    return union(head, shaft)


def toolbar(look):
    out = {}
    bg = Picture(64, 39)
    bg.gradient(look["toolTop"], look["toolBottom"])
    bg.fill(rect(0, 38, 64, 39), look["border"])
    out["ToolbarBackgroundImage"] = bg

    def round_button(name, glyph_shape):
        for pressed in (False, True):
            p = Picture(45, 39)
            p.fill(circle(22.5, 19.5, 16.5), look["buttonRim"])
            p.fill(circle(22.5, 19.5, 15.2), look["buttonPressed"] if pressed else look["button"])
            if not pressed:
                p.fill(ring(22.5, 19.5, 15.2, 1.2, 200, 340), look["accent"])
            p.fill(glyph_shape(1 if pressed else 0), look["glyph"])
            out[name + ("Press" if pressed else "")] = p

    round_button("BackButton", lambda d: arrow(21 + d, 19.5 + d, 8, True))
    round_button("ForwardButton", lambda d: arrow(24 + d, 19.5 + d, 8, False))

    def small_button(name, glyph_shape):
        for pressed in (False, True):
            p = Picture(29, 25)
            p.fill(rounded(1, 1, 28, 24, 5), look["buttonRim"])
            p.fill(rounded(2, 2, 27, 23, 4), look["buttonPressed"] if pressed else look["button"])
            p.fill(glyph_shape(1 if pressed else 0), look["glyph"])
            out[name + ("Press" if pressed else "")] = p

    small_button("RefreshButton", lambda d: union(
        ring(14.5 + d, 12.5 + d, 6, 2, 320, 250),
        polygon([(18.2 + d, 3.8 + d), (22.6 + d, 9.6 + d), (15.6 + d, 10.4 + d)])))
    small_button("StopButton", lambda d: union(line(10 + d, 8 + d, 19 + d, 17 + d, 2.4),
                                               line(19 + d, 8 + d, 10 + d, 17 + d, 2.4)))
    return out


def sidebar(look):
    """The eight side-bar buttons, 25 x 25."""
    star = [(12.5 + (9 if i % 2 == 0 else 3.8) * math.cos(math.radians(-90 + i * 36)),
             12.5 + (9 if i % 2 == 0 else 3.8) * math.sin(math.radians(-90 + i * 36))) for i in range(10)]
    glyphs = {
        "FavoriteButton": (polygon(star), "accent"),
        "SearchButton": (union(ring(10.5, 10.5, 5.5, 2.2), line(14.5, 14.5, 20, 20, 3)), "glyph"),
        "DesignModeButton": (union(polygon([(6, 19), (7, 15), (16.5, 5.5), (19.5, 8.5), (10, 18)]),
                                   rect(5, 20, 20, 21.3)), "glyph"),
        "ScriptErrorsButton": (minus(polygon([(12.5, 4), (21.5, 20), (3.5, 20)]),
                                     union(rect(11.6, 9, 13.4, 15), rect(11.6, 16.3, 13.4, 18))), "accent"),
        "TaskManagerButton": (union(rect(5, 13, 8, 20), rect(10.5, 8, 13.5, 20), rect(16, 5, 19, 20),
                                    rect(4, 20, 21, 21.3)), "glyph"),
        "VitrelButton": (union(minus(rounded(4, 4, 16, 16, 2), rounded(5.5, 5.5, 14.5, 14.5, 1)),
                               rounded(9, 9, 21, 21, 2)), "glyph"),
        "PanovelButton": (union(minus(rect(3, 7, 22, 18), rect(4.5, 8.5, 20.5, 16.5)),
                                polygon([(6, 12.5), (9.5, 10), (9.5, 15)]), polygon([(19, 12.5), (15.5, 10), (15.5, 15)])),
                          "glyph"),
        "NotepadButton": (union(minus(rect(6, 4, 19, 21), rect(7.5, 5.5, 17.5, 19.5)), rect(9, 8.5, 16, 9.7),
                                rect(9, 11.5, 16, 12.7), rect(9, 14.5, 14, 15.7)), "glyph"),
    }
    out = {}
    for name, (shape, colour) in glyphs.items():
        p = Picture(25, 25)
        p.fill(rounded(0.5, 0.5, 24.5, 24.5, 5), look["buttonRim"])
        p.fill(rounded(1.5, 1.5, 23.5, 23.5, 4), look["side"])
        p.fill(shape, look[colour])
        out[name] = p
    return out


def write_atomically(path, data):
    temporary = path + ".tmp"
    with open(temporary, "wb") as f:
        f.write(data)
    os.replace(temporary, path)


def make_pack(theme_folder, look):
    folder = os.path.join(theme_folder, look["name"])
    os.makedirs(folder, exist_ok=True)
    pictures = {}
    for part in (frame_pieces, caption_buttons, toolbar, sidebar):
        pictures.update(part(look))
    if len(pictures) != 33:
        raise SystemExit("%s: %d pictures drawn, 33 expected" % (look["name"], len(pictures)))
    for name, picture in pictures.items():
        write_atomically(os.path.join(folder, name + ".gif"), picture.png())
    info = ("[Ambrel ThemePack Info]\n"
            "Name=%s\n"
            "MakerName=Vorlen 개발팀\n"
            "MakerURL=https://vorlen.example.org/themes/\n" % look["title"])
    write_atomically(os.path.join(folder, look["name"] + ".iti"), info.encode("utf-8"))


def main(argv):
    if len(argv) != 2:
        sys.stderr.write(__doc__)
        return 2
    for look in (DAYLIGHT, MIDNIGHT):
        make_pack(argv[1], look)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
