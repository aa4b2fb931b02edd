#!/usr/bin/env python3
"""Draws the page icons, the picture buttons and the application icon of Kovana into res/.

    python3 tools/make-icons.py [--sheet preview.png | --buttons preview.png]

The page icons and the picture buttons come at 100, 150 and 200 % of their
size (res/icons/, res/buttons/ and their folders 150/ and 200/): the program
takes the set that suits the display's scale. The application icon carries an
image for each size that Windows asks for, 16 to 256 pixels.

Plain python3, no imaging library: the pictures are built from signed distance
shapes, flattened onto the transparent key colour, quantised and written as
BMP and ICO bytes. The output depends on nothing but this file, so running it
twice gives the same files.

Why the palette is shared: the launcher windows build one image list from the
Emulator bitmap, and with an 8-bit source the image list takes that bitmap's
colour table for every image added later. Each page icon therefore draws only
from one common palette (the Config icon's sixteen colours are part of it), so
no icon loses colours on the way into the list.
"""

import math
import os
import struct
import sys
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))

ICON_W, ICON_H = 34, 36       # the part of a page bitmap that the image list shows
BITMAP_W = 35                 # the bitmaps carry one more column, never shown
KEY = (254, 254, 254)         # transparent colour of the page bitmaps
# Partly covered edge pixels are mixed with a light grey between the tab
# dialog's face (245) and the white list view, so they suit both.
EDGE_BG = 250.0
LIGHT = (-0.6, -0.8)          # light from the top left (unit vector towards it)


# ---------------------------------------------------------------- shapes
# A shape is a function (x, y) -> signed distance in pixels, negative inside.
# Pixel (i, j) covers [i, i+1) x [j, j+1), so edges on whole numbers are crisp.

def box(x0, y0, x1, y1, r=0.0):
    cx, cy, hx, hy = (x0 + x1) / 2, (y0 + y1) / 2, (x1 - x0) / 2, (y1 - y0) / 2

    def d(x, y):
        qx = abs(x - cx) - hx + r
        qy = abs(y - cy) - hy + r
        return math.hypot(max(qx, 0.0), max(qy, 0.0)) + min(max(qx, qy), 0.0) - r
    return d


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ellipse(cx, cy, rx, ry):
    def d(x, y):
        k0 = math.hypot((x - cx) / rx, (y - cy) / ry)
        k1 = math.hypot((x - cx) / (rx * rx), (y - cy) / (ry * ry))
        return k0 * (k0 - 1.0) / k1 if k1 > 1e-9 else -min(rx, ry)
    return d


def poly(points):
    pts = list(points)

    def d(x, y):
        n = len(pts)
        best = (x - pts[0][0]) ** 2 + (y - pts[0][1]) ** 2
        sign = 1.0
        j = n - 1
        for i in range(n):
            (xi, yi), (xj, yj) = pts[i], pts[j]
            ex, ey = xj - xi, yj - yi
            wx, wy = x - xi, y - yi
            t = max(0.0, min(1.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            bx, by = wx - ex * t, wy - ey * t
            best = min(best, bx * bx + by * by)
            c1, c2, c3 = y >= yi, y < yj, ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                sign = -sign
            j = i
        return sign * math.sqrt(best)
    return d


def segment(ax, ay, bx, by, width):
    r = width / 2

    def d(x, y):
        px, py, ex, ey = x - ax, y - ay, bx - ax, by - ay
        t = max(0.0, min(1.0, (px * ex + py * ey) / (ex * ex + ey * ey)))
        return math.hypot(px - ex * t, py - ey * t) - r
    return d


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def inter(*shapes):
    return lambda x, y: max(s(x, y) for s in shapes)


def minus(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def grow(s, k):
    return lambda x, y: s(x, y) - k


def band(s, outer, inner):
    """The part of s between depth outer and depth inner (0 = its edge)."""
    return lambda x, y: max(s(x, y) + outer, -(s(x, y) + inner))


def arc(cx, cy, r, width, a0, a1):
    """A stroke along a circle from angle a0 to a1 (degrees, 0 = right, y down), round ends."""
    r0, r1 = math.radians(a0), math.radians(a1)
    mid, half = (r0 + r1) / 2, (r1 - r0) / 2
    ends = [(cx + r * math.cos(a), cy + r * math.sin(a)) for a in (r0, r1)]

    def d(x, y):
        ang = math.atan2(y - cy, x - cx)
        delta = (ang - mid + math.pi) % (2 * math.pi) - math.pi
        if abs(delta) <= half:
            return abs(math.hypot(x - cx, y - cy) - r) - width / 2
        return min(math.hypot(x - ex, y - ey) for ex, ey in ends) - width / 2
    return d


def normal(s, x, y):
    e = 0.25
    gx = s(x + e, y) - s(x - e, y)
    gy = s(x, y + e) - s(x, y - e)
    n = math.hypot(gx, gy)
    return (gx / n, gy / n) if n > 1e-9 else (0.0, 0.0)


# ---------------------------------------------------------------- paints
# A paint is a function (x, y) -> (r, g, b) or (r, g, b, alpha), colours 0..255.

def solid(c):
    return lambda x, y: c


def mix(c0, c1, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def lgrad(x0, y0, c0, x1, y1, c1):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy
    return lambda x, y: mix(c0, c1, ((x - x0) * dx + (y - y0) * dy) / ll)


def vgrad(y0, c0, y1, c1):
    return lgrad(0, y0, c0, 0, y1, c1)


def rgrad(cx, cy, r, c0, c1):
    return lambda x, y: mix(c0, c1, math.hypot(x - cx, y - cy) / r)


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]   # premultiplied rgb, alpha
        self.clip = (0, 0, w, h)    # the pixels that draw may touch: x0, y0, x1, y1

    def draw(self, shape, paint, alpha=1.0, ss=1):
        """Lays paint over the canvas where the shape is; ss > 1 samples each pixel ss*ss times."""
        offsets = [((i + 0.5) / ss, (j + 0.5) / ss) for j in range(ss) for i in range(ss)]
        x0, y0, x1, y1 = self.clip
        for y in range(y0, y1):
            for x in range(x0, x1):
                if ss == 1:
                    cov = 0.5 - shape(x + 0.5, y + 0.5)
                    if cov <= 0.0:
                        continue
                    cov = min(cov, 1.0)
                    c = paint(x + 0.5, y + 0.5)
                    a = cov * alpha * (c[3] if len(c) > 3 else 1.0)
                    r, g, b = c[0] * a, c[1] * a, c[2] * a
                else:
                    r = g = b = a = 0.0
                    for ox, oy in offsets:
                        sx, sy = x + ox, y + oy
                        if shape(sx, sy) >= 0.0:
                            continue
                        c = paint(sx, sy)
                        k = alpha * (c[3] if len(c) > 3 else 1.0) / len(offsets)
                        r, g, b, a = r + c[0] * k, g + c[1] * k, b + c[2] * k, a + k
                if a <= 0.0:
                    continue
                p = self.px[y * self.w + x]
                p[0] = r + p[0] * (1 - a)
                p[1] = g + p[1] * (1 - a)
                p[2] = b + p[2] * (1 - a)
                p[3] = a + p[3] * (1 - a)

    def rgba(self):
        """Straight RGBA bytes per pixel, for the application icon."""
        out = []
        for r, g, b, a in self.px:
            if a <= 1e-6:
                out.append((0, 0, 0, 0))
            else:
                out.append(tuple(int(round(max(0, min(255, v / a)))) for v in (r, g, b)) + (int(round(a * 255)),))
        return out

    def flatten(self):
        """Opaque colours for a masked bitmap: None where the pixel stays transparent."""
        out = []
        for r, g, b, a in self.px:
            c = (r + EDGE_BG * (1 - a), g + EDGE_BG * (1 - a), b + EDGE_BG * (1 - a))
            if a < 0.04 or max(abs(v - EDGE_BG) for v in c) < 7:
                out.append(None)
            else:
                out.append(tuple(int(round(max(0.0, min(255.0, v)))) for v in c))
        return out


# ---------------------------------------------------------------- house style

def shadow(cv, cx, cy, rx, ry, strength=0.30):
    """A soft contact shadow on the ground under an object."""
    def paint(x, y):
        t = math.hypot((x - cx) / rx, (y - cy) / ry)
        return (0, 0, 0, strength * max(0.0, 1.0 - t) ** 1.5)
    cv.draw(ellipse(cx, cy, rx + 0.5, ry + 0.5), paint)


def body(cv, shape, fill, outline, hi=0.55, lo=0.18, ss=1):
    """A solid part: fill, a one-pixel bevel lit from the top left, a one-pixel outline."""
    cv.draw(shape, fill, ss=ss)

    def bevel(x, y):
        nx, ny = normal(shape, x, y)
        lit = nx * LIGHT[0] + ny * LIGHT[1]     # > 0 where the edge faces the light
        if lit > 0:
            return (255, 255, 255, hi * min(1.0, lit * 1.4))
        return (0, 0, 0, lo * min(1.0, -lit * 1.4))
    cv.draw(band(shape, 1.0, 2.0), bevel)
    cv.draw(band(shape, 0.0, 1.0), solid(outline))


def gloss(cv, shape, strength=0.35, y0=None, y1=None):
    """A soft white sheen over the upper part of a shape."""
    if y0 is None:
        cv.draw(shape, solid((255, 255, 255, strength)))
    else:
        cv.draw(shape, lambda x, y: (255, 255, 255, strength * max(0.0, min(1.0, (y1 - y) / (y1 - y0)))))


def pixels(cv, rows, x0, y0, colours):
    """Hand-placed pixels: rows of characters, '.' or ' ' for none."""
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch in colours:
                cv.draw(box(x0 + i, y0 + j, x0 + i + 1, y0 + j + 1), solid(colours[ch]))


# ---------------------------------------------------------------- palette family

STEEL_HI, STEEL, STEEL_LO, STEEL_INK = (238, 240, 242), (190, 195, 201), (136, 142, 150), (72, 78, 86)
CHAR_HI, CHAR, CHAR_LO, CHAR_INK = (104, 110, 118), (70, 75, 82), (46, 50, 56), (24, 26, 30)
BLUE_HI, BLUE, BLUE_LO, BLUE_INK = (128, 174, 226), (56, 112, 190), (34, 78, 150), (20, 48, 100)
GREEN_HI, GREEN, GREEN_LO, GREEN_INK = (150, 220, 90), (84, 164, 40), (54, 120, 22), (30, 76, 12)
RED_HI, RED, RED_LO, RED_INK = (250, 110, 100), (216, 40, 36), (168, 20, 20), (104, 10, 10)
ORANGE_HI, ORANGE, ORANGE_LO, ORANGE_INK = (255, 200, 110), (246, 146, 30), (208, 104, 10), (130, 62, 4)
GOLD_HI, GOLD, GOLD_LO = (250, 222, 140), (222, 176, 70), (168, 120, 30)
PAPER_HI, PAPER, PAPER_LO, PAPER_INK = (250, 250, 246), (236, 236, 230), (214, 214, 206), (118, 122, 128)
PCB_HI, PCB, PCB_LO, PCB_INK = (70, 170, 110), (34, 130, 80), (22, 96, 58), (10, 56, 32)
PIN_HI, PIN_LO = (196, 200, 206), (104, 110, 118)


def glyph_badge(cv, hi, lo, ink, gloss_alpha, glyph, glyph_colour):
    """A glossy disc of one colour on its shadow, a light glyph set into it."""
    shadow(cv, 17, 32.5, 13, 2.4)
    body(cv, circle(17, 17, 14), lgrad(6, 4, hi, 26, 31, lo), ink, hi=0.45)
    gloss(cv, ellipse(17, 9.5, 10, 6), gloss_alpha, 3.5, 16)
    cv.draw(grow(glyph, 0.8), solid(ink + (0.45,)), ss=3)
    cv.draw(glyph, solid(glyph_colour), ss=3)


def play_badge(cv, cx, cy, r):
    body(cv, circle(cx, cy, r), lgrad(cx - r, cy - r, GREEN_HI, cx + r * 0.6, cy + r, GREEN_LO), GREEN_INK)
    gloss(cv, ellipse(cx, cy - r * 0.45, r * 0.7, r * 0.42), 0.35)
    t = r * 0.5
    tri = poly([(cx - t * 0.75, cy - t * 1.05), (cx + t * 1.15, cy), (cx - t * 0.75, cy + t * 1.05)])
    cv.draw(grow(tri, 0.7), solid(GREEN_INK + (0.35,)))
    cv.draw(tri, solid((250, 252, 248)), ss=3)


# ---------------------------------------------------------------- page icons

def pin(cv, x0, y0, x1, y1):
    """A metal leg: lit on its left or top side."""
    leg = box(x0, y0, x1, y1)
    cv.draw(leg, solid(PIN_LO))
    if x1 - x0 < y1 - y0:
        cv.draw(box(x0, y0, x0 + 1, y1), solid(PIN_HI))
    else:
        cv.draw(box(x0, y0, x1, y0 + 1), solid(PIN_HI))


def icon_emulator(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 16, 32.5, 14, 2.6)
    # pins on all four sides of a square processor
    for k in range(5):
        p = 8 + 4 * k
        pin(cv, p, 3, p + 2, 8)
        pin(cv, p, 26, p + 2, 31)
        pin(cv, 1, p, 7, p + 2)
        pin(cv, 25, p, 31, p + 2)
    chip = box(5, 6, 27, 28, 1.5)
    body(cv, chip, lgrad(6, 6, CHAR_HI, 22, 28, CHAR_LO), CHAR_INK, hi=0.35)
    lid = box(9, 10, 23, 24, 1)
    body(cv, lid, lgrad(9, 10, STEEL_HI, 23, 24, STEEL_LO), STEEL_INK, hi=0.6)
    cv.draw(circle(7.5, 8.5, 0.9), solid(CHAR_HI))
    play_badge(cv, 25, 26.5, 7.5)
    return cv


def icon_kickstart(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 31.5, 15, 2.6)
    for k in range(6):
        p = 6 + 4 * k
        pin(cv, p, 6, p + 2, 11)
        pin(cv, p, 25, p + 2, 30)
    chip = box(2, 10, 32, 26, 1.5)
    body(cv, chip, vgrad(10, CHAR_HI, 26, CHAR_LO), CHAR_INK, hi=0.4)
    cv.draw(circle(2, 18, 2.2), solid(CHAR_INK))
    label = box(7, 12, 30, 24, 0.8)
    body(cv, label, vgrad(12, PAPER_HI, 24, PAPER_LO), PAPER_INK, hi=0.5, lo=0.08)
    cv.draw(box(8, 13, 29, 15), vgrad(13, RED, 15, RED_LO))
    font = {
        "R": ["###.", "#..#", "###.", "#.#.", "#..#"],
        "O": [".##.", "#..#", "#..#", "#..#", ".##."],
        "M": ["#...#", "##.##", "#.#.#", "#...#", "#...#"],
    }
    x = 10
    for ch in "ROM":
        pixels(cv, font[ch], x, 17, {"#": BLUE_INK})
        x += len(font[ch][0]) + 1
    return cv


def icon_video(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 32.5, 12, 2.4)
    body(cv, box(13, 24, 21, 30), vgrad(24, STEEL_LO, 30, STEEL), STEEL_INK, hi=0.3)
    body(cv, box(8, 28, 26, 32, 1.5), vgrad(28, STEEL_HI, 32, STEEL_LO), STEEL_INK)
    case = box(1, 3, 33, 26, 2.5)
    body(cv, case, vgrad(3, STEEL_HI, 26, STEEL), STEEL_INK)
    screen = box(4, 6, 30, 22, 1)
    cv.draw(screen, vgrad(6, (86, 150, 226), 22, (170, 210, 245)))
    cv.draw(inter(screen, circle(23, 11.5, 2.8)), solid((255, 214, 80)), ss=3)
    hills = inter(screen, union(circle(10, 31, 13), circle(25, 34, 12)))
    cv.draw(hills, vgrad(18, GREEN, 22, GREEN_LO), ss=3)
    cv.draw(inter(screen, circle(25, 34, 12)), solid(GREEN_HI + (0.35,)), ss=3)
    cv.draw(inter(screen, poly([(4, 6), (17, 6), (4, 17)])), solid((255, 255, 255, 0.18)))
    cv.draw(band(screen, 0.0, 1.0), solid(STEEL_INK))
    cv.draw(circle(28.5, 24, 0.8), solid(GREEN))
    return cv


def icon_memory(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 31.5, 15, 2.4)
    pcb = minus(box(1, 9, 33, 29, 1), box(19, 27, 21, 30))
    body(cv, pcb, vgrad(9, PCB_HI, 29, PCB_LO), PCB_INK, hi=0.4)
    for k in range(15):
        x = 3 + 2 * k
        if 18 <= x <= 20:
            continue
        cv.draw(box(x, 24, x + 1, 28), vgrad(24, GOLD_HI, 28, GOLD_LO))
    for k in range(4):
        x = 3 + 7.5 * k
        chip = box(round(x), 11, round(x) + 6, 22, 0.5)
        body(cv, chip, vgrad(11, CHAR_HI, 22, CHAR_LO), CHAR_INK, hi=0.3)
    return cv


def icon_harddisk(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 33, 14, 2.4)
    case = box(3, 2, 31, 33, 2)
    body(cv, case, lgrad(3, 2, STEEL_HI, 31, 33, STEEL_LO), STEEL_INK)
    for sx, sy in ((6, 5), (28, 5), (6, 30), (28, 30)):
        cv.draw(circle(sx, sy, 1.1), solid(STEEL_LO))
        cv.draw(circle(sx - 0.3, sy - 0.3, 0.5), solid(STEEL_INK))
    platter = circle(17, 15, 11)
    body(cv, platter, lgrad(7, 5, (246, 248, 250), 27, 26, (150, 158, 168)), STEEL_INK, hi=0.5)
    cv.draw(band(circle(17, 15, 7.5), 0.0, 0.6), solid(STEEL + (0.6,)))
    # a sheen across the platter, as brushed metal catches the light
    cv.draw(inter(platter, poly([(8, 6), (13, 4), (26, 24), (21, 26)])), solid((255, 255, 255, 0.35)), ss=3)
    body(cv, circle(17, 15, 3), rgrad(16, 14, 3, STEEL_HI, STEEL_LO), STEEL_INK, hi=0.3)
    # the head arm swings from its pivot in the corner out over the platter
    px, py, hx, hy = 26.5, 28.0, 9.5, 17.5
    ux, uy = hx - px, hy - py
    ll = math.hypot(ux, uy)
    nx, ny = -uy / ll, ux / ll
    arm = poly([(px + nx * 2.2, py + ny * 2.2), (hx + nx * 0.9, hy + ny * 0.9),
                (hx - nx * 0.9, hy - ny * 0.9), (px - nx * 2.2, py - ny * 2.2)])
    arm = union(arm, circle(px, py, 3.4), circle(hx, hy, 1.6))
    body(cv, arm, lgrad(14, 17, CHAR_HI, 28, 31, CHAR_LO), CHAR_INK, hi=0.35, ss=3)
    cv.draw(circle(px, py, 1.2), solid(CHAR_HI), ss=3)
    return cv


def icon_floppy(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 33.5, 14, 2.4)
    disk = poly([(3, 3), (28, 3), (31, 6), (31, 32), (3, 32)])
    body(cv, disk, lgrad(3, 3, (80, 112, 170), 31, 32, (36, 60, 110)), BLUE_INK, hi=0.35)
    label = box(7, 17, 27, 32, 0.8)
    body(cv, label, vgrad(17, PAPER_HI, 32, PAPER_LO), PAPER_INK, hi=0.5, lo=0.06)
    cv.draw(box(8, 18, 26, 20), solid(ORANGE))
    for y in (23, 26, 29):
        cv.draw(box(9, y, 25, y + 1), solid((170, 176, 188)))
    shutter = box(9, 3, 25, 14, 0.5)
    body(cv, shutter, lgrad(9, 3, STEEL_HI, 25, 14, STEEL_LO), STEEL_INK, hi=0.6)
    cv.draw(box(19, 5, 22, 12), vgrad(5, CHAR_LO, 12, CHAR))
    cv.draw(box(3, 29, 5, 31), solid(CHAR_INK))
    return cv


def icon_joystick(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 32.5, 15, 2.6)
    base = box(2, 21, 32, 32, 4)
    body(cv, base, vgrad(21, CHAR_HI, 32, CHAR_LO), CHAR_INK, hi=0.4)
    cv.draw(box(3, 29, 31, 31, 2), solid(CHAR_INK + (0.35,)))
    cv.draw(ellipse(8, 25.5, 3.8, 2.3), solid(RED_INK), ss=3)
    button = ellipse(8, 24.3, 3.6, 2.1)
    body(cv, button, vgrad(22, RED_HI, 26.5, RED), RED_INK, hi=0.6)
    cv.draw(ellipse(19, 25, 5.0, 2.2), solid(CHAR_INK))
    shaft = segment(19, 24.5, 21.2, 11, 3.2)
    body(cv, shaft, lgrad(17, 0, STEEL, 22.5, 0, CHAR), CHAR_INK, hi=0.4, ss=3)
    knob = circle(21.5, 8.5, 6)
    body(cv, knob, rgrad(19.5, 6.5, 8, RED_HI, RED_LO), RED_INK, hi=0.3)
    gloss(cv, ellipse(20, 6, 3, 2), 0.5)
    return cv


def icon_sound(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    cone = poly([(9.5, 12), (17, 5), (17, 31), (9.5, 24)])
    body(cv, cone, lgrad(9, 5, STEEL_HI, 17, 31, STEEL_LO), STEEL_INK, ss=3)
    magnet = box(3, 12, 10.5, 24, 1)
    body(cv, magnet, vgrad(12, CHAR_HI, 24, CHAR_LO), CHAR_INK, hi=0.4)
    for r, a in ((6, 0.95), (10.5, 0.8), (15, 0.65)):
        wave = arc(17, 18, r, 2.4, -45, 45)
        cv.draw(grow(wave, 0.6), solid(BLUE_INK + (a * 0.9,)), ss=3)
        cv.draw(wave, lgrad(17, 3, BLUE_HI, 17, 33, BLUE), ss=3)
    return cv


def icon_keyboard(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 16.5, 30.5, 16, 2.4)
    case = box(1, 9, 32, 30, 2)
    body(cv, case, vgrad(9, (214, 208, 188), 30, (166, 158, 134)), (84, 78, 62), hi=0.6)
    cv.draw(box(2, 27, 31, 29), solid((112, 104, 84, 0.5)))
    light = ((250, 248, 240), (178, 172, 154))
    dark = ((128, 124, 116), (74, 70, 62))
    rows = [
        [(3 + 4 * k, 3, dark) for k in range(7)],
        [(3 + 4 * k, 3, light) for k in range(7)],
        [(3 + 4 * k, 3, light) for k in range(7)],
        [(3, 3, dark), (7, 15, light), (23, 3, dark), (27, 3, dark)],
    ]
    for r, keys in enumerate(rows):
        y = 11 + 4 * r
        for x, w, (face, side) in keys:
            cv.draw(box(x, y, x + w, y + 3), solid(side))
            cv.draw(box(x, y, x + w, y + 2), solid(face))
    cv.draw(box(26, 10, 28, 11), solid(GREEN_HI))
    cv.draw(box(29, 10, 31, 11), solid((250, 90, 70)))
    return cv


def gear(cx, cy, r_out, r_in, teeth, hole):
    rim = circle(cx, cy, r_in)

    def tooth_ring(x, y):
        ang = math.atan2(y - cy, x - cx)
        step = 2 * math.pi / teeth
        a = (ang % step) - step / 2
        rr = math.hypot(x - cx, y - cy)
        # a tooth is a band about its spoke, narrower towards the tip
        half = rr * math.sin(abs(a))
        width = 2.3 - 0.5 * max(0.0, (rr - r_in) / (r_out - r_in))
        return max(half - width, rr - r_out)
    return minus(union(rim, tooth_ring), circle(cx, cy, hole))


def icon_misc(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 32.5, 14, 2.4)
    g = gear(14, 15, 12, 9, 8, 3.6)
    body(cv, g, lgrad(3, 3, (140, 170, 210), 25, 27, (60, 90, 140)), BLUE_INK, hi=0.45, ss=3)
    cv.draw(band(circle(14, 15, 6.2), 0.0, 1.0), solid(BLUE_INK + (0.35,)), ss=2)
    # an open-ended wrench laid across the gear
    head = minus(circle(26, 10, 6),
                 union(poly([(26, 10), (29, 1.5), (34.5, 6)]), circle(26.5, 9.5, 2.6)))
    handle = segment(24, 12, 7, 30, 4.2)
    wrench = union(head, handle, circle(7, 30, 3))
    wrench = minus(wrench, circle(7, 30, 1.3))
    body(cv, wrench, lgrad(6, 6, STEEL_HI, 30, 30, STEEL_LO), STEEL_INK, hi=0.6, ss=3)
    return cv


def icon_config(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 33.5, 14, 2.2, 0.22)
    back = box(11, 2, 31, 27, 0.5)
    body(cv, back, solid(PAPER_LO), PAPER_INK, hi=0.0, lo=0.0)
    mid = box(7, 5, 27, 30, 0.5)
    body(cv, mid, solid(PAPER), PAPER_INK, hi=0.0, lo=0.0)
    sheet = poly([(3, 8), (18, 8), (23, 13), (23, 34), (3, 34)])
    body(cv, sheet, solid(PAPER_HI), PAPER_INK, hi=0.0, lo=0.0)
    cv.draw(poly([(18, 8), (18, 13), (23, 13)]), solid(PAPER_LO))
    cv.draw(band(poly([(18, 8), (18, 13), (23, 13)]), 0.0, 1.0), solid(PAPER_INK))
    for k, y in enumerate((12, 17, 22, 27)):
        colour = BLUE if k != 1 else ORANGE
        cv.draw(box(6, y, 9, y + 3), solid(colour))
        cv.draw(box(11, y + 1, 20 if k else 16, y + 2), solid(STEEL_INK))
    return cv


def icon_info(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    letter = union(circle(17, 9.5, 2.4), box(15, 14, 19, 25, 0.4), box(13, 23, 21, 26, 0.5), box(14, 14, 19, 16, 0.4))
    glyph_badge(cv, BLUE_HI, BLUE_LO, BLUE_INK, 0.4, letter, (250, 252, 255))
    return cv


# ---------------------------------------------------------------- application icon

def ball_icon(size):
    """A checkered ball with a light from the top left, on its own shadow."""
    cv = Canvas(size, size)
    s = size / 32.0
    cx, cy, r = 16 * s, 14.5 * s, 13.2 * s
    shadow(cv, 16 * s, 29.5 * s, 12 * s, 2.4 * s, 0.4)
    tilt = math.radians(-18)
    turn = math.radians(45)
    # fewer, larger squares and gentler shading where pixels are few
    bands = {16: 5, 20: 5, 24: 6, 32: 6}.get(size, 8)
    dark, bright, shine = (0.6, 0.5, 0.4) if size <= 16 else (0.35, 0.75, 0.9)
    light = (-0.45, -0.6, 0.66)
    ln = math.sqrt(sum(v * v for v in light))
    light = tuple(v / ln for v in light)

    def paint(x, y):
        nx, ny = (x - cx) / r, (y - cy) / r
        nz = math.sqrt(max(0.0, 1 - nx * nx - ny * ny))
        # turn the pattern's axis a little to the side
        px = nx * math.cos(tilt) - ny * math.sin(tilt)
        py = nx * math.sin(tilt) + ny * math.cos(tilt)
        lon = math.atan2(px, nz) + turn
        lat = math.asin(max(-1.0, min(1.0, py)))
        cell = int(math.floor(lon / (math.pi / bands)) + math.floor(lat / (math.pi / bands)))
        base = BLUE if cell % 2 else (246, 246, 240)
        lam = max(0.0, nx * light[0] + ny * light[1] + nz * light[2])
        c = tuple(min(255, v * (dark + bright * lam)) for v in base)
        return mix(c, (255, 255, 255), shine * lam ** 24)
    sphere = circle(cx, cy, r)
    # at the smallest size each pixel takes one square's colour, which keeps them crisp
    cv.draw(sphere, paint, ss=1 if size <= 16 else 4)
    cv.draw(band(sphere, 0.0, max(1.0, s)), solid(BLUE_INK + (0.85,)))
    return cv


# ---------------------------------------------------------------- quantising

def dist2(a, b):
    return 2 * (a[0] - b[0]) ** 2 + 4 * (a[1] - b[1]) ** 2 + 3 * (a[2] - b[2]) ** 2


def count_colours(images):
    counts = {}
    for img in images:
        for c in img:
            if c is not None:
                counts[c] = counts.get(c, 0) + 1
    return counts


def median_cut(counts, n):
    boxes = [sorted(counts.items())]
    while len(boxes) < n:
        best, best_score, best_axis = None, 0, 0
        for i, bx in enumerate(boxes):
            if len(bx) < 2:
                continue
            ranges = [max(c[ax] for c, _ in bx) - min(c[ax] for c, _ in bx) for ax in range(3)]
            axis = max(range(3), key=lambda ax: ranges[ax] * (2, 4, 3)[ax])
            score = ranges[axis] * (2, 4, 3)[axis] * math.sqrt(sum(w for _, w in bx))
            if score > best_score:
                best, best_score, best_axis = i, score, axis
        if best is None:
            break
        bx = sorted(boxes.pop(best), key=lambda cw: (cw[0][best_axis], cw[0]))
        total, acc, cut = sum(w for _, w in bx), 0, 1
        for k, (_, w) in enumerate(bx):
            acc += w
            if acc * 2 >= total:
                cut = max(1, min(len(bx) - 1, k + 1))
                break
        boxes[best:best] = [bx[:cut], bx[cut:]]
    return [mean_colour(bx) for bx in boxes]


def mean_colour(cws):
    total = sum(w for _, w in cws)
    return tuple(sum(c[ax] * w for c, w in cws) / total for ax in range(3))


def refine(counts, fixed, free, rounds=8):
    """A few rounds of k-means that move only the free entries."""
    items = sorted(counts.items())
    for _ in range(rounds):
        palette = fixed + free
        groups = [[] for _ in palette]
        for c, w in items:
            groups[nearest(palette, c)].append((c, w))
        free = [mean_colour(groups[len(fixed) + i]) if groups[len(fixed) + i] else free[i] for i in range(len(free))]
    return [palette_colour(c) for c in free]


def palette_colour(c):
    """A colour that survives GDI's way into an 8-bit bitmap unchanged.

    GDI finds a colour's palette entry after cutting each channel to five
    bits and adding 4, so only colours whose channels are 4 more than a
    multiple of 8 are sure to come back as themselves.
    """
    c = tuple((int(round(v)) & ~7) + 4 for v in c)
    if min(c) >= 244:
        c = (244, 244, 244)     # white and the key colour itself land near (252, 252, 252)
    if c == (4, 4, 4):
        c = (12, 12, 12)        # and black near (4, 4, 4)
    return c


def nearest(palette, c):
    return min(range(len(palette)), key=lambda i: dist2(palette[i], c))


def index_image(img, palette):
    """Indices into palette; only transparent pixels get the key colour's entry."""
    key = palette.index(KEY)
    others = [i for i in range(len(palette)) if i != key]
    cache = {}
    out = []
    for c in img:
        if c is None:
            out.append(key)
            continue
        if c not in cache:
            cache[c] = others[nearest([palette[i] for i in others], c)]
        out.append(cache[c])
    return out


# ---------------------------------------------------------------- file formats

def bmp_bytes(indices, palette, bpp):
    """A bottom-up BMP with a colour table, BITMAP_W x ICON_H; the extra column is transparent."""
    ncolours = 1 << bpp
    pal = list(palette) + [(0, 0, 0)] * (ncolours - len(palette))
    stride = ((BITMAP_W * bpp + 31) // 32) * 4
    rows = []
    for y in range(ICON_H - 1, -1, -1):
        line = [indices[y * ICON_W + x] for x in range(ICON_W)] + [palette.index(KEY)]
        if bpp == 8:
            data = bytes(line)
        else:
            line += [line[-1]] * (len(line) % 2)
            data = bytes((line[i] << 4) | line[i + 1] for i in range(0, len(line), 2))
        rows.append(data + b"\0" * (stride - len(data)))
    pixels_ = b"".join(rows)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels_), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, BITMAP_W, ICON_H, 1, bpp, 0, len(pixels_), 2835, 2835, ncolours, 0)
    return header + info + table + pixels_


def rgb_bmp(img, w, h):
    """A bottom-up 24-bit BMP; transparent pixels take the key colour."""
    stride = (w * 3 + 3) & ~3
    rows = []
    for y in range(h - 1, -1, -1):
        data = b"".join(bytes(reversed(c if c is not None else KEY)) for c in img[y * w:(y + 1) * w])
        rows.append(data + b"\0" * (stride - len(data)))
    pixels_ = b"".join(rows)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels_), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels_), 2835, 2835, 0, 0)
    return header + info + pixels_


def rgba_png(size, rgba):
    raw = b"".join(b"\0" + bytes(v for px in rgba[y * size:(y + 1) * size] for v in px) for y in range(size))

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# Small icons at 100, 125 and 150 % (16, 20, 24), large ones (32, 48) and the
# one Explorer shows in its largest views
APP_ICON_SIZES = (16, 20, 24, 32, 48, 256)


def ico_bytes(images):
    """An icon file of 32-bit images with alpha, each with an AND mask for older
    readers; the 256-pixel image is stored as PNG, as Windows expects it."""
    entries, blobs = [], []
    offset = 6 + 16 * len(images)
    for size, rgba in images:
        if size >= 256:
            blob = rgba_png(size, rgba)
            entries.append(struct.pack("<BBBBHHII", 0, 0, 0, 0, 1, 32, len(blob), offset))
            blobs.append(blob)
            offset += len(blob)
            continue
        xor = b"".join(bytes((b, g, r, a)) for y in range(size - 1, -1, -1)
                       for r, g, b, a in rgba[y * size:(y + 1) * size])
        mstride = ((size + 31) // 32) * 4
        mask = bytearray()
        for y in range(size - 1, -1, -1):
            row = bytearray(mstride)
            for x in range(size):
                if rgba[y * size + x][3] == 0:
                    row[x // 8] |= 0x80 >> (x % 8)
            mask += row
        info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        blob = info + xor + bytes(mask)
        entries.append(struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob), offset))
        blobs.append(blob)
        offset += len(blob)
    return struct.pack("<HHH", 0, 1, len(images)) + b"".join(entries) + b"".join(blobs)


def png_bytes(w, h, rgb_rows):
    raw = b"".join(b"\0" + bytes(v for px in row for v in px) for row in rgb_rows)

    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 2, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------- picture buttons
# The modern launcher window chooses its page with picture buttons: each page
# icon drawn half as large again, on the window's white. A button with the
# keyboard focus stands on a blue tile. The band below the icon is left empty:
# the program writes the button's name there in the dialog's font.

BUTTON_W, BUTTON_H = 74, 76
# Left blank all round, tile included: a button's cell in its window may come
# out a pixel or two narrower than the picture, which then loses only blank.
BUTTON_MARGIN = 2
BUTTON_BG = (255, 255, 255)
BUTTON_SCALE = 1.5
TILE_HI, TILE_LO = (232, 241, 252), (198, 220, 246)
SCALES = (100, 150, 200)        # the sizes of the page icons and picture buttons, in percent


class Placed:
    """Icon coordinates on part of a bigger canvas: scaled by s, moved to (ox, oy)."""

    def __init__(self, cv, ox, oy, s):
        self.cv, self.ox, self.oy, self.s = cv, ox, oy, s

    def draw(self, shape, paint, alpha=1.0, ss=1):
        cv, ox, oy, s = self.cv, self.ox, self.oy, self.s
        saved = cv.clip
        cv.clip = (max(0, int(ox)), max(0, int(oy)),
                   min(cv.w, int(math.ceil(ox + ICON_W * s))), min(cv.h, int(math.ceil(oy + ICON_H * s))))
        cv.draw(lambda x, y: shape((x - ox) / s, (y - oy) / s) * s,
                lambda x, y: paint((x - ox) / s, (y - oy) / s), alpha, ss)
        cv.clip = saved


def icon_launch(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    shadow(cv, 17, 32.5, 13, 2.4)
    play_badge(cv, 17, 17, 14)
    return cv


def icon_leave(cv=None):
    cv = cv or Canvas(ICON_W, ICON_H)
    # the power sign: a ring open at the top with a bar through the gap
    sign = union(arc(17, 18, 7.5, 2.8, -55, 235), segment(17, 7.5, 17, 16, 2.8))
    glyph_badge(cv, RED_HI, RED_LO, RED_INK, 0.35, sign, (252, 250, 248))
    return cv


FONT = {    # capitals five pixels wide and seven high, for the button names
    "A": [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "B": ["####.", "#...#", "#...#", "####.", "#...#", "#...#", "####."],
    "C": [".###.", "#...#", "#....", "#....", "#....", "#...#", ".###."],
    "D": ["####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."],
    "E": ["#####", "#....", "#....", "####.", "#....", "#....", "#####"],
    "F": ["#####", "#....", "#....", "####.", "#....", "#....", "#...."],
    "G": [".###.", "#...#", "#....", "#.###", "#...#", "#...#", ".####"],
    "H": ["#...#", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
    "I": ["###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"],
    "J": ["..###", "...#.", "...#.", "...#.", "...#.", "#..#.", ".##.."],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "M": ["#...#", "##.##", "#.#.#", "#.#.#", "#...#", "#...#", "#...#"],
    "N": ["#...#", "#...#", "##..#", "#.#.#", "#..##", "#...#", "#...#"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "P": ["####.", "#...#", "#...#", "####.", "#....", "#....", "#...."],
    "R": ["####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"],
    "S": [".####", "#....", "#....", ".###.", "....#", "....#", "####."],
    "T": ["#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."],
    "U": ["#...#", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "V": ["#...#", "#...#", "#...#", "#...#", "#...#", ".#.#.", "..#.."],
    "Y": ["#...#", "#...#", ".#.#.", "..#..", "..#..", "..#..", "..#.."],
    " ": ["..", "..", "..", "..", "..", "..", ".."],
}


def label(cv, text, y, colour):
    """The text in FONT, centred across the canvas."""
    width = sum(len(FONT[ch][0]) + 1 for ch in text) - 1
    x = (cv.w - width) // 2
    for ch in text:
        pixels(cv, FONT[ch], x, y, {"#": colour})
        x += len(FONT[ch][0]) + 1


def button_size(scale):
    return round(BUTTON_W * scale / 100), round(BUTTON_H * scale / 100)


def button_picture(draw, focused, scale):
    s = scale / 100
    w, h = button_size(scale)
    cv = Canvas(w, h)
    m = BUTTON_MARGIN * s
    tile = box(m, m, w - m, h - m, 7 * s)
    if focused:
        cv.draw(tile, vgrad(m, TILE_HI, h - m, TILE_LO), ss=3)
        cv.draw(band(tile, 0.0, 2.0 * s), solid(BLUE), ss=3)
    ox = (w - ICON_W * BUTTON_SCALE * s) / 2
    draw(Placed(cv, ox, 3 * s, BUTTON_SCALE * s))
    return cv


def flatten_on(cv, bg):
    return [tuple(int(round(max(0.0, min(255.0, v + bgv * (1 - a))))) for v, bgv in zip((r, g, b), bg))
            for r, g, b, a in cv.px]


def own_palette(img, n):
    """At most n colours for one picture: its own when it has no more, else a median cut."""
    counts = count_colours([img])
    if len(counts) <= n:
        return sorted(counts)
    return sorted(set(tuple(int(round(v)) for v in c) for c in median_cut(counts, n)))


def indexed_bmp(img, w, h, bpp):
    """A bottom-up BMP with its own colour table of at most 2 ** bpp entries."""
    palette = own_palette(img, 1 << bpp)
    cache = {}
    indices = []
    for c in img:
        if c not in cache:
            cache[c] = nearest(palette, c)
        indices.append(cache[c])
    ncolours = 1 << bpp
    pal = palette + [(0, 0, 0)] * (ncolours - len(palette))
    stride = ((w * bpp + 31) // 32) * 4
    rows = []
    for y in range(h - 1, -1, -1):
        line = indices[y * w:(y + 1) * w]
        if bpp == 8:
            data = bytes(line)
        else:
            line = line + [0] * (len(line) % 2)
            data = bytes((line[i] << 4) | line[i + 1] for i in range(0, len(line), 2))
        rows.append(data + b"\0" * (stride - len(data)))
    pixels_ = b"".join(rows)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in pal)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels_), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, bpp, 0, len(pixels_), 2835, 2835, ncolours, 0)
    return header + info + table + pixels_


BUTTONS = [     # resource name prefix and drawing (in the window's button order)
    ("EMUL_", icon_emulator),
    ("KICKSTART_", icon_kickstart),
    ("VIDEO_", icon_video),
    ("MEMORY_", icon_memory),
    ("HD_", icon_harddisk),
    ("FLOPPY_", icon_floppy),
    ("JOYSTICK_", icon_joystick),
    ("SOUND_", icon_sound),
    ("KEYBOARD_", icon_keyboard),
    ("MISC_", icon_misc),
    ("CONFIG_", icon_config),
    ("INFO_", icon_info),
    ("LEAVE_", icon_leave),
    ("LAUNCH_", icon_launch),
]


def scale_folder(scale):
    return "" if scale == 100 else "%d/" % scale


def build_buttons():
    """The pictures at every scale; the preview takes those at 100 %."""
    files, sheet = {}, []
    for scale in SCALES:
        w, h = button_size(scale)
        for prefix, draw in BUTTONS:
            for state, focused in (("U", False), ("F", True)):
                img = flatten_on(button_picture(draw, focused, scale), BUTTON_BG)
                bpp = 4 if prefix + state == "CONFIG_U" and scale == 100 else 8
                name = "res/buttons/%s%s%s.bmp" % (scale_folder(scale), prefix.lower(), state.lower())
                files[name] = indexed_bmp(img, w, h, bpp)
                if scale == 100:
                    sheet.append(img)
    return files, sheet


def button_sheet(images, path):
    """A preview of every picture at twice its size, normal and focused side by side."""
    z, cols = 2, 4
    cw, ch = BUTTON_W * z + 4, BUTTON_H * z + 4
    rows_ = (len(images) + cols - 1) // cols
    img = [[(255, 255, 255)] * (cols * cw) for _ in range(rows_ * ch)]
    for k, pic in enumerate(images):
        ox, oy = (k % cols) * cw, (k // cols) * ch
        for y in range(BUTTON_H * z):
            for x in range(BUTTON_W * z):
                img[oy + y][ox + x] = pic[(y // z) * BUTTON_W + x // z]
    with open(path, "wb") as f:
        f.write(png_bytes(cols * cw, rows_ * ch, img))


# ---------------------------------------------------------------- main

PAGES = [   # resource id, file name, drawing, bits per pixel (in page order)
    (224, "emulator", icon_emulator, 8),
    (242, "kickstart", icon_kickstart, 8),
    (260, "video", icon_video, 8),
    (251, "memory", icon_memory, 8),
    (230, "harddisk", icon_harddisk, 8),
    (227, "floppy", icon_floppy, 8),
    (236, "joystick", icon_joystick, 8),
    (257, "sound", icon_sound, 8),
    (239, "keyboard", icon_keyboard, 8),
    (254, "misc", icon_misc, 8),
    (221, "config", icon_config, 4),
    (233, "info", icon_info, 8),
]


def choose_colours(images, fixed, n):
    """n palette entries, none of them in fixed, for the opaque pixels of the images."""
    counts = count_colours(images)
    chosen = []
    for c in refine(counts, fixed, median_cut(counts, n)):
        if c not in fixed and c not in chosen:
            chosen.append(c)
    # entries lost to merged colours go to the commonest colours still missing
    snapped = {}
    for c, k in counts.items():
        snapped[palette_colour(c)] = snapped.get(palette_colour(c), 0) + k
    grid = [(r, g, b) for r in range(12, 252, 8) for g in range(12, 252, 8) for b in range(12, 252, 8)]
    spare = (c for c in sorted(snapped, key=lambda c: (-snapped[c], c)) + grid if c not in fixed + chosen)
    while len(chosen) < n:
        chosen.append(next(spare))
    return chosen


def build():
    flat = {name: draw().flatten() for _, name, draw, _ in PAGES}
    (small,) = [name for _, name, _, bpp in PAGES if bpp == 4]
    own = choose_colours([flat[small]], [KEY], 15)
    # Black first and white last, as in the system palette: the image list
    # blanks masked pixels with bitwise operations on the palette indices,
    # which give black only when black is entry 0 and white entry 255.
    fixed = [(0, 0, 0), KEY] + own
    free = choose_colours([flat[name] for _, name, _, bpp in PAGES if bpp == 8], fixed, 255 - len(fixed))
    shared = fixed + free + [(255, 255, 255)]
    files = {}
    for _, name, _, bpp in PAGES:
        palette = [KEY] + own if bpp == 4 else shared
        files["res/icons/%s.bmp" % name] = bmp_bytes(index_image(flat[name], palette), palette, bpp)
    # The larger icons go into an image list of 24-bit colour, which keeps
    # each bitmap's own colours: they need no shared palette.
    for scale in SCALES[1:]:
        s = scale / 100
        w, h = round(ICON_W * s), round(ICON_H * s)
        for _, name, draw, _ in PAGES:
            cv = Canvas(w, h)
            draw(Placed(cv, 0, 0, s))
            files["res/icons/%s%s.bmp" % (scale_folder(scale), name)] = rgb_bmp(cv.flatten(), w, h)
    files["res/Kovana.ico"] = ico_bytes([(n, ball_icon(n).rgba()) for n in APP_ICON_SIZES])
    return files


def read_bmp(data):
    offset, = struct.unpack_from("<I", data, 10)
    _, w, h, _, bpp, _, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", data, 14)
    table = [(data[54 + 4 * i + 2], data[54 + 4 * i + 1], data[54 + 4 * i]) for i in range(used or (1 << bpp))]
    stride = ((w * bpp + 31) // 32) * 4
    out = []
    for y in range(h):
        row = data[offset + (h - 1 - y) * stride:]
        line = []
        for x in range(w):
            i = row[x] if bpp == 8 else (row[x // 2] >> (4 if x % 2 == 0 else 0)) & 15
            line.append(table[i])
        out.append(line)
    return out


def contact_sheet(files, path):
    """A preview: every page icon at four times and at real size on the tab face and on white."""
    names = [name for _, name, _, _ in PAGES]
    icons = [read_bmp(files["res/icons/%s.bmp" % n]) for n in names]
    z, pad = 4, 8
    cell_w, cell_h = ICON_W * z + pad, ICON_H * z + pad
    width = 6 * cell_w + pad
    bands = [(245, 245, 245), (255, 255, 255)]
    height = len(bands) * (2 * cell_h + 2 * (ICON_H + pad)) + 48 * 4 + 3 * pad
    img = [[(200, 200, 200)] * width for _ in range(height)]

    def put(bmp, ox, oy, zoom, bg):
        for y in range(ICON_H):
            for x in range(ICON_W):
                c = bmp[y][x]
                c = bg if c == KEY else c
                for j in range(zoom):
                    row = img[oy + y * zoom + j]
                    for i in range(zoom):
                        row[ox + x * zoom + i] = c

    y0 = 0
    for bg in bands:
        block_h = 2 * cell_h + 2 * (ICON_H + pad)
        for y in range(y0, y0 + block_h):
            img[y] = [bg] * width
        for k, bmp in enumerate(icons):
            put(bmp, pad + (k % 6) * cell_w, y0 + pad + (k // 6) * cell_h, z, bg)
            put(bmp, pad + k * (ICON_W + 6), y0 + 2 * cell_h + pad, 1, bg)
        y0 += block_h
    # the application icon at its three sizes, at real size and at four times
    for y in range(y0, height):
        img[y] = [(245, 245, 245)] * width
    x = pad
    for size in (16, 32, 48):
        rgba = ball_icon(size).rgba()
        for zoom in (1, 4):
            for yy in range(size):
                for xx in range(size):
                    r, g, b, a = rgba[yy * size + xx]
                    bgc = img[y0 + pad + yy * zoom][x + xx * zoom]
                    c = tuple(int(round(v * a / 255 + bv * (1 - a / 255))) for v, bv in zip((r, g, b), bgc))
                    for j in range(zoom):
                        for i in range(zoom):
                            img[y0 + pad + yy * zoom + j][x + xx * zoom + i] = c
            x += size * zoom + pad
    with open(path, "wb") as f:
        f.write(png_bytes(width, height, img))


def main(argv):
    files = build()
    buttons, pictures = build_buttons()
    files.update(buttons)
    for rel, data in sorted(files.items()):
        path = os.path.join(ROOT, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    if len(argv) == 3 and argv[1] == "--sheet":
        contact_sheet(files, argv[2])
    elif len(argv) == 3 and argv[1] == "--buttons":
        button_sheet(pictures, argv[2])
    elif len(argv) != 1:
        sys.stderr.write("usage: make-icons.py [--sheet preview.png | --buttons preview.png]\n")
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
