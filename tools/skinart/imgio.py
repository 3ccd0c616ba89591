"""Small image toolkit for the skin art: RGB canvases, palette quantisation, BMP files.

Standard library only.  An image is a width, a height and a flat list of (r, g, b) tuples,
row by row from the top.
"""
import struct
from collections import Counter

KEY = (255, 0, 255)


class Image:
    def __init__(self, w, h, fill=(0, 0, 0)):
        self.w, self.h = w, h
        self.px = [fill] * (w * h)

    def get(self, x, y):
        return self.px[y * self.w + x]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y * self.w + x] = c

    def fill_rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(self.h, y1)):
            row = y * self.w
            for x in range(max(0, x0), min(self.w, x1)):
                self.px[row + x] = c

    def blit(self, src, dx, dy, sx=0, sy=0, sw=None, sh=None):
        sw = src.w if sw is None else sw
        sh = src.h if sh is None else sh
        for y in range(sh):
            ty = dy + y
            if not 0 <= ty < self.h or not 0 <= sy + y < src.h:
                continue
            for x in range(sw):
                tx = dx + x
                if 0 <= tx < self.w and 0 <= sx + x < src.w:
                    self.px[ty * self.w + tx] = src.px[(sy + y) * src.w + sx + x]

    def crop(self, x, y, w, h):
        out = Image(w, h)
        out.blit(self, 0, 0, x, y, w, h)
        return out


def clamp8(v):
    return 0 if v < 0 else 255 if v > 255 else int(v)


def mix(a, b, t):
    """Colour a moved by t (0..1) towards b."""
    return tuple(clamp8(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def hexc(s):
    s = s.lstrip('#')
    return (int(s[0:2], 16), int(s[2:4], 16), int(s[4:6], 16))


def colorref(c):
    """Decimal colour value as the options file stores it (red in the low byte)."""
    return c[0] | (c[1] << 8) | (c[2] << 16)


# ---------------------------------------------------------------------------------------------
# Palette quantisation: fuchsia and every grey that occurs are kept exact (mask halves are grey
# and their values are blend weights); the remaining entries come from a median cut.

def _median_cut(counts, n):
    boxes = [list(counts.items())]
    while len(boxes) < n:
        best, best_range, best_ch = None, -1, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c, _ in box]
                rng = max(vals) - min(vals)
                if rng > best_range:
                    best, best_range, best_ch = i, rng, ch
        if best is None or best_range <= 0:
            break
        box = sorted(boxes.pop(best), key=lambda e: e[0][best_ch])
        total = sum(k for _, k in box)
        acc, cut = 0, 1
        for j, (_, k) in enumerate(box):
            acc += k
            if acc >= total / 2:
                cut = max(1, min(len(box) - 1, j + 1))
                break
        boxes.append(box[:cut])
        boxes.append(box[cut:])
    pal = []
    for box in boxes:
        total = sum(k for _, k in box)
        pal.append(tuple(round(sum(c[ch] * k for c, k in box) / total) for ch in range(3)))
    return pal


def build_palette(images):
    counts = Counter()
    greys = set()
    for im in images:
        for c in im.px:
            if c == KEY:
                continue
            if c[0] == c[1] == c[2]:
                greys.add(c)
            else:
                counts[c] += 1
    greys = sorted(greys)
    if len(greys) > 96:
        raise ValueError('too many grey levels for an exact palette: %d' % len(greys))
    room = 255 - len(greys)
    colours = list(counts) if len(counts) <= room else _median_cut(counts, room)
    pal = [KEY] + greys + colours
    pal += [(0, 0, 0)] * (256 - len(pal))
    return pal


def quantise(im, pal):
    exact = {}
    for i, c in enumerate(pal):
        exact.setdefault(c, i)
    cache = {}
    out = []
    search = [(i, c) for i, c in enumerate(pal) if i > 0]
    for c in im.px:
        idx = exact.get(c)
        if idx is None:
            idx = cache.get(c)
            if idx is None:
                idx = min(search, key=lambda e: (e[1][0] - c[0]) ** 2 * 3 + (e[1][1] - c[1]) ** 2 * 4
                          + (e[1][2] - c[2]) ** 2 * 2)[0]
                cache[c] = idx
        out.append(idx)
    return out


def write_bmp8(path, im, pal=None):
    """Uncompressed, bottom-up, 256-colour BMP."""
    pal = pal or build_palette([im])
    idx = quantise(im, pal)
    stride = (im.w + 3) & ~3
    data = bytearray()
    for y in range(im.h - 1, -1, -1):
        row = bytes(idx[y * im.w:(y + 1) * im.w])
        data += row + b'\0' * (stride - im.w)
    offset = 14 + 40 + 1024
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, im.w, im.h, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    paldata = b''.join(struct.pack('<BBBB', c[2], c[1], c[0], 0) for c in pal)
    with open(path, 'wb') as f:
        f.write(head + info + paldata + data)


def write_bmp24(path, im):
    stride = (im.w * 3 + 3) & ~3
    data = bytearray()
    for y in range(im.h - 1, -1, -1):
        row = bytearray()
        for c in im.px[y * im.w:(y + 1) * im.w]:
            row += bytes((c[2], c[1], c[0]))
        data += row + b'\0' * (stride - len(row))
    offset = 54
    head = struct.pack('<2sIHHI', b'BM', offset + len(data), 0, 0, offset)
    info = struct.pack('<IiiHHIIiiII', 40, im.w, im.h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(head + info + data)


def read_bmp(path):
    with open(path, 'rb') as f:
        b = f.read()
    offset = struct.unpack_from('<I', b, 10)[0]
    _, w, h, _, bpp, comp = struct.unpack_from('<IiiHHI', b, 14)
    if comp != 0 or bpp not in (8, 24, 32):
        raise ValueError('%s: unsupported BMP (bpp %d, compression %d)' % (path, bpp, comp))
    bottom_up = h > 0
    h = abs(h)
    im = Image(w, h)
    if bpp == 8:
        ncol = struct.unpack_from('<I', b, 46)[0] or 256
        pal = [(b[54 + 4 * i + 2], b[54 + 4 * i + 1], b[54 + 4 * i]) for i in range(ncol)]
        stride = (w + 3) & ~3
    else:
        stride = (w * (bpp // 8) + 3) & ~3
    for y in range(h):
        row = offset + (h - 1 - y if bottom_up else y) * stride
        for x in range(w):
            if bpp == 8:
                im.px[y * w + x] = pal[b[row + x]]
            else:
                p = row + x * (bpp // 8)
                im.px[y * w + x] = (b[p + 2], b[p + 1], b[p])
    return im
