"""Pixel painters for the skin art: rounded-rectangle state cells with a mask half, glyphs,
check and radio boxes and seamless textures.

A "cell" is painted by a function of the pixel that returns an overlay (colour, alpha): alpha 0
keeps what the engine painted below (mask 255), alpha 1 replaces it (mask 0).  None marks a
key-coloured (transparent, cut-out) pixel.
"""
import math
import random

from imgio import Image, KEY, mix, clamp8


def mask_value(alpha):
    """Blend weight of the mask half for an overlay alpha; snapped to 8 steps so the palette
    can hold every level exactly."""
    v = 255 * (1.0 - alpha)
    if v >= 251:
        return 255
    return clamp8(round(v / 8.0) * 8)


def over(acc, c, a):
    """Puts overlay (c, a) over accumulated overlay acc = (colour, alpha)."""
    if a <= 0:
        return acc
    c0, a0 = acc
    A = 1 - (1 - a0) * (1 - a)
    if A <= 0:
        return acc
    col = tuple((c0[i] * a0 * (1 - a) + c[i] * a) / A for i in range(3))
    return (col, A)


def rounded_inside(px, py, w, h, radii):
    """Distance of point (px, py) inside the box (0, 0, w, h) whose corners have the radii
    (top-left, top-right, bottom-right, bottom-left); negative outside."""
    left = px < w / 2
    top = py < h / 2
    r = radii[0 if (top and left) else 1 if top else 2 if not left else 3]
    cx = min(max(px, r), w - r)
    cy = min(max(py, r), h - r)
    dx, dy = px - cx, py - cy
    if dx == 0 and dy == 0:
        return min(px, w - px, py, h - py)
    if (px < r or px > w - r) and (py < r or py > h - r):
        return r - math.hypot(dx, dy)
    return min(px, w - px, py, h - py)


def edge_normal_y(px, py, w, h, core):
    """Vertical part of the outward direction: -1 at the top edge, +1 at the bottom, 0 at the
    sides; smooth in the corners."""
    cx = min(max(px, core), w - core)
    cy = min(max(py, core), h - core)
    dx, dy = px - cx, py - cy
    n = math.hypot(dx, dy)
    if n == 0:
        d = [py, h - py, px, w - px]
        i = d.index(min(d))
        return (-1.0, 1.0, 0.0, 0.0)[i]
    return dy / n


SUBSAMPLES = 4


def coverage(x, y, w, h, radii, inset=0.0):
    """Share of pixel (x, y) inside the rounded box (0, 0, w, h) shrunk by inset on every side
    (its radii shrink with it), by 4 x 4 samples."""
    if inset:
        radii = tuple(max(0.0, r - inset) for r in radii)
    n = 0
    for sy in range(SUBSAMPLES):
        for sx in range(SUBSAMPLES):
            px = x + (sx + 0.5) / SUBSAMPLES - inset
            py = y + (sy + 0.5) / SUBSAMPLES - inset
            if rounded_inside(px, py, w - 2 * inset, h - 2 * inset, radii) >= 0:
                n += 1
    return n / float(SUBSAMPLES * SUBSAMPLES)


def paint_cell(w, h, style, radii=None):
    """One state cell: image (w x h) and mask (w x h) following a style:
    outline: rim colour; rim: its width; radius or radii; rings: [(d0, d1, (ct, at), (cs, as),
    (cb, ab))] bands at a depth inside the rim, coloured by the edge they lie along (top, sides,
    bottom); tint: (colour, alpha) over the interior; sheen: (colour, alpha, height) fading
    downward; glow_bottom: (colour, alpha, height) fading upward; matte: the colour the
    rounded corners' partly covered pixels are smoothed against (what usually lies behind);
    keep_colour: image colour of kept pixels.

    The rim's inner side is smoothed through the mask half (a partly covered pixel lets the
    layers below show by the uncovered share); its outer side, in the corners, is smoothed
    against the matte, since the engine shows the parent only through key pixels."""
    r = style.get('radius', 3)
    radii = radii or style.get('radii') or (r, r, r, r)
    core = max(max(radii), style.get('core', 3))
    img = Image(w, h, KEY)
    msk = Image(w, h, (255, 255, 255))
    keepc = style.get('keep_colour', style['outline'])
    rim = style.get('rim', 1.0)
    matte = style.get('matte')
    outline = style['outline']
    for y in range(h):
        for x in range(w):
            px, py = x + 0.5, y + 0.5
            d = rounded_inside(px, py, w, h, radii)
            outer = coverage(x, y, w, h, radii) if d < 1.5 else 1.0
            # Pixels the shape barely touches stay cut out: the program sets buttons of one
            # skin on another skin's window, where a pixel smoothed against this skin's matte
            # would show as a speck.
            if outer < 0.4 or (matte is None and outer < 0.5):
                continue
            inner = coverage(x, y, w, h, radii, rim) if d < rim + 1.5 else 1.0
            acc = ((0, 0, 0), 0.0)
            depth = max(0.0, d - rim)
            tint = style.get('tint')
            if tint:
                acc = over(acc, tint[0], tint[1])
            sheen = style.get('sheen')
            if sheen and py < sheen[2]:
                t = py / sheen[2]
                acc = over(acc, sheen[0], sheen[1] * (1 - t) ** 1.6)
            glow = style.get('glow_bottom')
            if glow and h - py < glow[2]:
                t = (h - py) / glow[2]
                acc = over(acc, glow[0], glow[1] * (1 - t) ** 1.6)
            ny = edge_normal_y(px, py, w, h, core)
            for d0, d1, top, side, bottom in style.get('rings', ()):
                if d0 <= depth < d1:
                    if ny < 0:
                        c, a = mix(side[0], top[0], -ny), side[1] + (top[1] - side[1]) * -ny
                    else:
                        c, a = mix(side[0], bottom[0], ny), side[1] + (bottom[1] - side[1]) * ny
                    # A band's last pixel row fades by the share that lies inside it.
                    a *= max(0.0, min(1.0, d1 - depth))
                    acc = over(acc, c, a)
            acc = over(acc, outline, max(0.0, min(1.0, 1.0 - inner)))
            if outer < 0.999:
                # A corner pixel the shape covers in part: the rim over the matte.
                col = mix(matte, outline, outer) if matte else outline
                img.set(x, y, col)
                msk.set(x, y, (0, 0, 0))
                continue
            col, a = acc
            m = mask_value(a)
            img.set(x, y, keepc if m == 255 else tuple(clamp8(round(v)) for v in col))
            msk.set(x, y, (m, m, m))
    return img, msk


def state_strip(w, h, styles, radii=None):
    """States side by side in the upper half, their masks in the lower half."""
    out = Image(w * len(styles), h * 2, KEY)
    for i, st in enumerate(styles):
        img, msk = paint_cell(w, h, st, radii)
        out.blit(img, i * w, 0)
        out.blit(msk, i * w, h)
    return out


# ---------------------------------------------------------------------------------------------
# Glyphs: small pixel pictures given as text rows ('#' stroke, '.' nothing).

GLYPHS = {
    'down': ["#######", ".#####.", "..###..", "...#..."],
    'up': ["...#...", "..###..", ".#####.", "#######"],
    'left': ["...#", "..##", ".###", "####", ".###", "..##", "...#"],
    'right': ["#...", "##..", "###.", "####", "###.", "##..", "#..."],
    'check': [".......#", "......##", "#....##.", "##..##..", ".####...", "..##...."],
}


def glyph_cells(w, h, name, states, scale=1):
    """A glyph centred in each state cell.  states: [(colour, halo colour or None, plate)] where
    plate is None or (fill, fill alpha, outline, outline alpha, radius)."""
    rows = GLYPHS[name]
    gh, gw = len(rows) * scale, len(rows[0]) * scale
    out = Image(w * len(states), h * 2, KEY)
    for i, (col, halo, plate) in enumerate(states):
        img = Image(w, h, KEY)
        msk = Image(w, h, (255, 255, 255))
        if plate:
            fill, fa, oc, oa, rad = plate
            for y in range(h):
                for x in range(w):
                    d = rounded_inside(x + 0.5, y + 0.5, w, h, (rad,) * 4)
                    if d < 0:
                        continue
                    c, a = (oc, oa) if d < 1 else (fill, fa)
                    if d >= 1 and y < h / 2:
                        c = mix(fill, (255, 255, 255), 0.25)
                    img.set(x, y, c)
                    m = mask_value(a)
                    msk.set(x, y, (m, m, m))
        ox, oy = (w - gw) // 2, (h - gh) // 2

        def on(gx, gy):
            if 0 <= gy < gh and 0 <= gx < gw:
                return rows[gy // scale][gx // scale] == '#'
            return False
        if halo:
            for gy in range(-1, gh + 1):
                for gx in range(-1, gw + 1):
                    if on(gx, gy):
                        continue
                    if any(on(gx + ax, gy + ay) for ax in (-1, 0, 1) for ay in (-1, 0, 1)):
                        x, y = ox + gx, oy + gy
                        base = img.get(x, y)
                        if base == KEY:
                            img.set(x, y, halo[0])
                            m = mask_value(halo[1])
                        else:
                            img.set(x, y, mix(base, halo[0], halo[1]))
                            m = msk.get(x, y)[0]
                        msk.set(x, y, (m, m, m))
        for gy in range(gh):
            for gx in range(gw):
                if on(gx, gy):
                    img.set(ox + gx, oy + gy, col)
                    msk.set(ox + gx, oy + gy, (0, 0, 0))
        out.blit(img, i * w, 0)
        out.blit(msk, i * w, h)
    return out


# ---------------------------------------------------------------------------------------------
# Title-bar glyphs drawn as smooth strokes: each is a list of capsules (segments with a
# half-width) and boxes in a unit square, scaled to the glyph size.

TITLE_STROKES = {
    'none': [],
    'close': [('seg', (0.0, 0.0), (1.0, 1.0), 0.11), ('seg', (1.0, 0.0), (0.0, 1.0), 0.11)],
    'max': [('box', (0.0, 0.0, 1.0, 1.0), (0.25, 0.1, 0.1, 0.1))],
    'norm': [('box', (0.3, 0.0, 1.0, 0.7), (0.18, 0.1, 0.1, 0.1)),
             ('fill', (0.0, 0.3, 0.7, 1.0), None),
             ('box', (0.0, 0.3, 0.7, 1.0), (0.22, 0.1, 0.1, 0.1))],
    'min': [('box', (0.0, 0.78, 1.0, 1.0), (0.22, 0.22, 0.22, 0.22))],
    'help': [('arc', (0.5, 0.3), 0.3, 0.1), ('seg', (0.5, 0.6), (0.5, 0.72), 0.1),
             ('seg', (0.5, 0.95), (0.5, 0.96), 0.1)],
    # Arrows of combo boxes, spin and scroll buttons.
    'down': [('tri', (0.0, 0.22), (1.0, 0.22), (0.5, 0.8))],
    'up': [('tri', (0.0, 0.78), (1.0, 0.78), (0.5, 0.2))],
    'left': [('tri', (0.78, 0.0), (0.78, 1.0), (0.2, 0.5))],
    'right': [('tri', (0.22, 0.0), (0.22, 1.0), (0.8, 0.5))],
}


def _in_triangle(u, v, a, b, c, grow):
    """Whether (u, v) lies in triangle a, b, c widened by `grow`."""
    def inside_of(p, q, other):
        # Signed distance from the line p-q, positive on the side of the third corner.
        nx, ny = q[1] - p[1], p[0] - q[0]
        n = math.hypot(nx, ny)
        d = ((u - p[0]) * nx + (v - p[1]) * ny) / n
        return d if (other[0] - p[0]) * nx + (other[1] - p[1]) * ny > 0 else -d
    return min(inside_of(a, b, c), inside_of(b, c, a), inside_of(c, a, b)) >= -grow


def _seg_dist(px, py, a, b):
    ax, ay = a
    bx, by = b
    dx, dy = bx - ax, by - ay
    L = dx * dx + dy * dy
    t = 0.0 if L == 0 else max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / L))
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def _stroke_hit(name, u, v, grow=0.0):
    """Whether the unit-square point (u, v) lies on glyph `name` widened by `grow`.  A 'fill'
    item clears what earlier items drew (the front window of 'norm' hides the back one)."""
    hit = False
    for kind, a, b, *rest in TITLE_STROKES[name]:
        if kind == 'seg':
            if _seg_dist(u, v, a, b) <= rest[0] + grow:
                hit = True
        elif kind == 'box':
            x0, y0, x1, y1 = a
            t, r, btm, left = b
            inside = x0 - grow <= u <= x1 + grow and y0 - grow <= v <= y1 + grow
            hole = x0 + left + grow < u < x1 - r - grow and y0 + t + grow < v < y1 - btm - grow
            if inside and not hole:
                hit = True
        elif kind == 'tri':
            if _in_triangle(u, v, a, b, rest[0], grow):
                hit = True
        elif kind == 'fill':
            x0, y0, x1, y1 = a
            if x0 < u < x1 and y0 < v < y1:
                hit = False
        elif kind == 'arc':
            # The hook of a question mark: the upper circle and its right side down to the
            # centre line, then in towards the stem.
            cx, cy = a
            rad, half = b, rest[0]
            d = abs(math.hypot(u - cx, v - cy) - rad)
            ang = math.degrees(math.atan2(v - cy, u - cx))
            if d <= half + grow and not (90 < ang <= 200):
                hit = True
    return hit


def title_glyph_cells(w, h, name, size, states):
    """A smooth title-bar glyph of `size` pixels in each w x h state cell.  states:
    [(colour, halo or None, plate or None, shift)], halo = (colour, alpha) drawn one pixel
    round the strokes, plate = (top, bottom, outline, alpha, radius) a rounded backing with a
    vertical gradient, shift = pixels the glyph moves right and down (a pushed look)."""
    out = Image(w * len(states), h * 2, KEY)
    n = SUBSAMPLES
    for i, (col, halo, plate, shift) in enumerate(states):
        ox = (w - size) / 2.0 + shift
        oy = (h - size) / 2.0 + shift
        for y in range(h):
            for x in range(w):
                acc = ((0, 0, 0), 0.0)
                if plate:
                    top, bottom, oc, pa, rad = plate
                    cov = coverage(x, y, w, h, (rad,) * 4)
                    if cov > 0:
                        inner = coverage(x, y, w, h, (rad,) * 4, 1.0)
                        fill = mix(top, bottom, y / max(1, h - 1))
                        acc = over(acc, fill, pa * inner)
                        acc = over(acc, oc, pa * max(0.0, cov - inner))
                        if y < h / 2 and inner > 0:
                            acc = over(acc, (255, 255, 255), 0.18 * inner)
                g = hl = 0
                for sy in range(n):
                    for sx in range(n):
                        u = (x + (sx + 0.5) / n - ox) / size
                        v = (y + (sy + 0.5) / n - oy) / size
                        if _stroke_hit(name, u, v):
                            g += 1
                        elif halo and _stroke_hit(name, u, v, 1.0 / size):
                            hl += 1
                if halo and hl:
                    acc = over(acc, halo[0], halo[1] * hl / (n * n))
                if g:
                    acc = over(acc, col, g / (n * n))
                c, a = acc
                m = mask_value(a)
                if m == 255:
                    continue
                out.set(i * w + x, y, tuple(clamp8(round(v)) for v in c))
                out.set(i * w + x, h + y, (m, m, m))
    return out


def box_cells(size, states, round_box, mark):
    """Check box (round_box False) or radio button cells: states are
    (outline, top fill, bottom fill, mark colour)."""
    out = Image(size * len(states), size * 2, KEY)
    for i, (oc, c1, c2, mc) in enumerate(states):
        rad = size / 2 if round_box else 2
        for y in range(size):
            for x in range(size):
                d = rounded_inside(x + 0.5, y + 0.5, size, size, (rad,) * 4)
                if d < 0.15:
                    continue
                if d < 1.15:
                    c = oc
                else:
                    c = mix(c1, c2, y / (size - 1))
                cx, cy = x - (size - 1) / 2, y - (size - 1) / 2
                if mark == 'dot' and math.hypot(cx, cy) < size * 0.2:
                    c = mc
                if mark == 'square' and abs(cx) <= size * 0.2 and abs(cy) <= size * 0.2:
                    c = mc
                out.set(i * size + x, y, c)
                out.set(i * size + x, size + y, (0, 0, 0))
        if mark == 'check':
            rows = GLYPHS['check']
            ox, oy = (size - len(rows[0])) // 2, (size - len(rows)) // 2
            for gy, row in enumerate(rows):
                for gx, ch in enumerate(row):
                    if ch == '#':
                        out.set(i * size + ox + gx, oy + gy, mc)
    return out


# ---------------------------------------------------------------------------------------------
# Seamless textures (period = the tile size).

def value_noise(size, cells, seed):
    rnd = random.Random(seed)
    grid = [[rnd.random() for _ in range(cells)] for _ in range(cells)]

    def smooth(t):
        return t * t * (3 - 2 * t)
    out = [[0.0] * size for _ in range(size)]
    for y in range(size):
        fy = y * cells / size
        y0 = int(fy) % cells
        y1 = (y0 + 1) % cells
        ty = smooth(fy - int(fy))
        for x in range(size):
            fx = x * cells / size
            x0 = int(fx) % cells
            x1 = (x0 + 1) % cells
            tx = smooth(fx - int(fx))
            a = grid[y0][x0] + (grid[y0][x1] - grid[y0][x0]) * tx
            b = grid[y1][x0] + (grid[y1][x1] - grid[y1][x0]) * tx
            out[y][x] = a + (b - a) * ty
    return out


def fractal_noise(size, seed, octaves=((4, 0.5), (8, 0.25), (16, 0.15), (32, 0.1))):
    acc = [[0.0] * size for _ in range(size)]
    for k, (cells, amp) in enumerate(octaves):
        n = value_noise(size, cells, seed * 31 + k)
        for y in range(size):
            for x in range(size):
                acc[y][x] += n[y][x] * amp
    total = sum(a for _, a in octaves)
    return [[v / total for v in row] for row in acc]


def texture(size, kind, base, seed=1):
    """A seamless tile around the colour base."""
    im = Image(size, size, base)
    rnd = random.Random(seed)
    if kind == 'carbon':
        for y in range(size):
            for x in range(size):
                cx, cy = (x % 8), (y % 8)
                weave = ((x // 4) + (y // 4)) % 2
                t = (cx if weave else cy) / 7.0
                shade = 0.5 + 0.5 * math.sin(t * math.pi)
                im.set(x, y, mix(mix(base, (0, 0, 0), 0.35), mix(base, (255, 255, 255), 0.18), shade))
    elif kind == 'sand':
        n = fractal_noise(size, seed)
        for y in range(size):
            for x in range(size):
                ripple = 0.5 + 0.5 * math.sin(2 * math.pi * (y * 4 / size + n[y][x] * 1.2))
                v = 0.55 * ripple + 0.45 * rnd.random()
                im.set(x, y, mix(mix(base, (90, 50, 20), 0.22), mix(base, (255, 250, 235), 0.3), v))
    elif kind == 'damask':
        for y in range(size):
            for x in range(size):
                u = 2 * math.pi * x / size
                v = 2 * math.pi * y / size
                f = math.cos(u) * math.cos(v) + 0.5 * math.cos(2 * u + 2 * v) * math.cos(2 * u - 2 * v)
                t = 0.5 + 0.33 * f
                im.set(x, y, mix(mix(base, (0, 0, 0), 0.35), mix(base, (255, 225, 140), 0.25), t))
    elif kind == 'dots':
        for y in range(size):
            for x in range(size):
                on = (x % 4 == 0 and y % 4 == 0) or (x % 4 == 2 and y % 4 == 2)
                im.set(x, y, mix(base, (255, 255, 255), 0.5) if on else base)
    elif kind == 'silk':
        n = fractal_noise(size, seed, ((2, 0.6), (4, 0.3), (8, 0.1)))
        for y in range(size):
            for x in range(size):
                s = 0.5 + 0.5 * math.sin(2 * math.pi * ((x + y) * 2 / size + n[y][x]))
                im.set(x, y, mix(mix(base, (120, 150, 200), 0.2), mix(base, (255, 255, 255), 0.5), s))
    elif kind == 'stars':
        n = fractal_noise(size, seed, ((2, 0.7), (4, 0.3)))
        for y in range(size):
            for x in range(size):
                im.set(x, y, mix(mix(base, (0, 0, 0), 0.3), mix(base, (120, 160, 255), 0.3), n[y][x]))
        for _ in range(size * size // 90):
            x, y = rnd.randrange(size), rnd.randrange(size)
            im.set(x, y, mix(base, (255, 255, 255), 0.5 + rnd.random() * 0.5))
    elif kind == 'granite':
        n = fractal_noise(size, seed)
        for y in range(size):
            for x in range(size):
                v = n[y][x] * 0.6 + rnd.random() * 0.4
                im.set(x, y, mix(mix(base, (0, 0, 0), 0.3), mix(base, (255, 255, 255), 0.3), v))
    elif kind == 'marble':
        n = fractal_noise(size, seed, ((3, 0.5), (6, 0.25), (12, 0.15), (24, 0.1)))
        for y in range(size):
            for x in range(size):
                # Fine veins where a turbulent stripe pattern crosses zero, a fainter second
                # family across them, over soft clouds.
                s = math.sin(2 * math.pi * ((x + 2 * y) / size + 1.6 * n[y][x]))
                s2 = math.sin(2 * math.pi * ((3 * x - y) / size + 2.2 * n[(y * 7) % size][(x * 3) % size]))
                vein = max(0.0, 1.0 - abs(s) * 14.0) ** 2
                vein2 = max(0.0, 1.0 - abs(s2) * 22.0) ** 2
                cloud = mix(base, (214, 212, 204), 0.55 * n[y][x])
                im.set(x, y, mix(mix(cloud, (150, 156, 160), 0.22 * vein2), (112, 118, 124), 0.5 * vein))
    return im
