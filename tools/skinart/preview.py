#!/usr/bin/env python3
"""Renders a preview sheet of a skin folder the way the engine paints it: the main screen's
background (FORM layers), push buttons in three states at the program's sizes, the super button
with the BUTTON and BUTTON_HUGE masks, and the phrase dialog with its title bar.

Usage: python3 tools/skinart/preview.py SKIN_FOLDER [OUT.png]
"""
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imgio import Image, KEY, read_bmp, write_bmp24  # noqa: E402

FUCHSIA = KEY


def c2rgb(v):
    v = int(v)
    return (v & 255, (v >> 8) & 255, (v >> 16) & 255)


class Skin:
    def __init__(self, folder):
        self.folder = folder
        self.files = {f.upper(): os.path.join(folder, f) for f in os.listdir(folder)}
        self.sections = {}
        cur = None
        with open(self.files['OPTIONS.DAT'], encoding='latin-1') as f:
            for line in f:
                line = line.strip()
                if not line or line.startswith(';'):
                    continue
                if line.startswith('[') and line.endswith(']'):
                    cur = line[1:-1].strip().upper()
                    self.sections[cur] = {}
                elif cur is not None:
                    k, _, v = line.partition('=')
                    self.sections[cur][k.strip().upper()] = v.strip()
        self.master = self.image(self.sections['GLOBALINFO']['MASTERBITMAP'])

    def image(self, name):
        path = self.files.get(name.upper())
        if not path:
            raise FileNotFoundError(name)
        if name.upper().endswith('.BMP'):
            return read_bmp(path)
        with tempfile.TemporaryDirectory() as d:
            tmp = os.path.join(d, 'x.bmp')
            subprocess.run(['convert', path, 'BMP3:' + tmp], check=True)
            return read_bmp(tmp)

    def raw(self, sec, key, seen=None):
        seen = seen or set()
        s = self.sections.get(sec, {})
        if key in s and s[key] not in ('-1', '?'):
            return s[key]
        p = s.get('PARENTCLASS', '')
        if p and p != sec and p not in seen:
            seen.add(sec)
            return self.raw(p, key, seen)
        return None

    def num(self, sec, key, default=0):
        v = self.raw(sec, key)
        return int(v) if v is not None else default

    def colour(self, sec, key, default=0xFFFFFF):
        return c2rgb(self.num(sec, key, default))

    def grad(self, sec, key):
        v = self.raw(sec, key)
        if not v or v == ' ':
            return []
        w = v.split(';')
        return [(c2rgb(w[5 * k]), c2rgb(w[5 * k + 1]), min(100, int(w[5 * k + 2])), int(w[5 * k + 3]))
                for k in range(len(w) // 5)]

    def entry(self, sec, key):
        """Mask entry with PARENTCLASS inheritance, as a dict."""
        s, seen = sec, set()
        while s and s not in seen:
            v = self.sections.get(s, {}).get(key)
            if v:
                return self.parse_entry(v)
            seen.add(s)
            s = self.sections.get(s, {}).get('PARENTCLASS', '')
        return None

    def parse_entry(self, v):
        if v[0] in '@^~':
            n = [int(v[i:i + 4]) for i in (1, 6, 11, 16)]
            e = dict(img=self.master, R=n, W=(0, 0, 0, 0), D=0, N=1, M=0)
            if v[0] == '@':
                e.update(N=int(v[21]), M=int(v[23]))
            elif v[0] == '^':
                e.update(W=tuple(int(v[i:i + 4]) for i in (21, 26, 31, 36)), N=int(v[41]), M=int(v[43]),
                         D=int(v[45]), BW=int(v[47]))
            else:
                e.update(D=int(v[21:23]), M=int(v[24]) if len(v) >= 25 else 0, tex=True)
        elif v[0] == '!':
            w = v[1:].split('!')
            im = self.image(w[0])
            e = dict(img=im, R=[0, 0, im.w, im.h], N=int(w[1]), M=int(w[2]), D=4,
                     W=tuple(int(x) for x in w[4:8]) if len(w) > 4 else (0, 0, 0, 0))
        elif '.JPG' in v.upper():
            im = self.image(v)
            return dict(img=im, R=[0, 0, im.w, im.h], N=1, M=0, D=0, W=(0, 0, 0, 0), tex=True)
        else:
            return None
        R = e['R']
        if sum(e['W']) == 0:
            wl = (R[2] - R[0]) // (e['N'] * 3)
            wt = (R[3] - R[1]) // ((e['M'] + 1) * 3)
            e['W'] = (wl, wt, wl, wt)
        return e


# ---------------------------------------------------------------------------------------------

def paint_gradient(bmp, rect, segs):
    if not segs:
        return
    l, t, r, b = rect
    r, b = min(r, bmp.w), min(b, bmp.h)
    kind = segs[0][3]
    if kind == 0:
        e = t
        for i, (c1, c2, pct, _) in enumerate(segs):
            s = e
            e = pct * (b - t) // 100 + s
            last = i == len(segs) - 1
            e = b - 1 if last else min(e, b - 1)
            if e - s > 0:
                steps = e - s
                for y in range(s, e + 1):
                    f = (y - s) / steps
                    col = tuple(round(c1[k] + (c2[k] - c1[k]) * f) for k in range(3))
                    row = y * bmp.w
                    bmp.px[row + l:row + r] = [col] * (r - l)
    elif kind == 1:
        for y in range(t, b):
            x = l
            for i, (c1, c2, pct, _) in enumerate(segs):
                j = x
                x = round(pct * ((r - l) / 100) + j)
                x = r - 1 if i == len(segs) - 1 else min(x, r - 1)
                if x - j > 0:
                    for xx in range(j, x + 1):
                        f = (xx - j) / (x - j)
                        bmp.px[y * bmp.w + xx] = tuple(round(c1[k] + (c2[k] - c1[k]) * f) for k in range(3))
    elif kind == 2:
        cols = []
        for i in range(5):
            cols.append(segs[i][0] if i < len(segs) else cols[-1])
        w, h = r - l, b - t
        cx, cy = l + w // 2, t + h // 2
        for y in range(t, b):
            for x in range(l, r):
                # Bilinear-ish: distance to centre against the corner colour of the quadrant.
                u = abs(x - cx) / (w / 2)
                v = abs(y - cy) / (h / 2)
                k = min(1.0, max(u, v))
                corner = cols[{(0, 0): 0, (1, 0): 2, (1, 1): 3, (0, 1): 4}[(x >= cx, y >= cy)]]
                bmp.px[y * bmp.w + x] = tuple(round(cols[1][c] + (corner[c] - cols[1][c]) * k) for c in range(3))


def fill(bmp, rect, col):
    l, t, r, b = rect
    for y in range(max(0, t), min(bmp.h, b)):
        bmp.px[y * bmp.w + max(0, l):y * bmp.w + min(bmp.w, r)] = [col] * (min(bmp.w, r) - max(0, l))


def paint_layers(skin, bmp, rect, sec, state, parent=None, pos=(0, 0)):
    hot = state != 0
    P = 'HOT' if hot else ''
    col = skin.colour(sec, P + 'COLOR')
    ip = skin.num(sec, P + 'IMAGEPERCENT')
    gp = skin.num(sec, P + 'GRADIENTPERCENT')
    tr = skin.num(sec, P + 'TRANSPARENCY')
    segs = skin.grad(sec, P + 'GRADIENTDATA')
    l, t, r, b = rect
    if tr == 100 and parent:
        for y in range(t, b):
            for x in range(l, r):
                bmp.px[y * bmp.w + x] = parent.get(pos[0] + x, pos[1] + y)
        return
    tex = skin.entry(sec, P + 'PATTERN') if ip > 0 else None
    painted = False
    if tex:
        src, R = tex['img'], tex['R']
        tw, th = R[2] - R[0], (R[3] - R[1]) // (tex['M'] + 1)
        for y in range(t, b):
            for x in range(l, r):
                bmp.px[y * bmp.w + x] = src.get(R[0] + (x - l) % tw, R[1] + (y - t) % th)
        painted = True
    if gp > 0:
        if painted:
            tmp = Image(bmp.w, bmp.h, col)
            paint_gradient(tmp, rect, segs) if segs else None
            a = ip * 255 // 100
            for y in range(t, b):
                for x in range(l, r):
                    d, s = bmp.px[y * bmp.w + x], tmp.px[y * bmp.w + x]
                    bmp.px[y * bmp.w + x] = tuple((d[k] * a + s[k] * (255 - a) + 127) >> 8 for k in range(3))
        elif segs:
            paint_gradient(bmp, rect, segs)
        else:
            fill(bmp, rect, col)
    if ip == 0 and gp == 0:
        fill(bmp, rect, col)
    elif ip + gp < 100:
        f = (ip + gp) / 100
        for y in range(t, b):
            for x in range(l, r):
                d = bmp.px[y * bmp.w + x]
                bmp.px[y * bmp.w + x] = tuple(round(f * d[k] + (1 - f) * col[k]) for k in range(3))
    if 0 < tr < 100 and parent:
        a = tr * 255 // 100
        for y in range(t, b):
            for x in range(l, r):
                p, s = parent.get(pos[0] + x, pos[1] + y), bmp.px[y * bmp.w + x]
                bmp.px[y * bmp.w + x] = tuple((p[k] * a + s[k] * (255 - a) + 127) >> 8 for k in range(3))


def blend_px(dst, s, a):
    return tuple(max(0, min(255, ((dst[k] - s[k]) * a[k] + s[k] * 256) >> 8)) for k in range(3))


def draw_mask(bmp, rect, e, state, centre, parent=None, pos=(0, 0), cut=None):
    """3x3 mask drawing with the mask-half blend.  Key pixels of corner pieces take the parent
    pixel (border mask) or are recorded in cut (button mask: cut from the window region)."""
    l, t, r, b = rect
    W, H = r - l, b - t
    WL, WT, WR, WB = e['W']
    if W < WL + WR:
        c = (WL + WR - W) // 2
        WL -= c
        WR -= c + (W % 2)
        WL, WR = max(0, WL), max(0, WR)
    if H < WT + WB:
        c = (WT + WB - H) // 2
        WT -= c
        WB -= c + (H % 2)
        WT, WB = max(0, WT), max(0, WB)
    R, N, M = e['R'], e['N'], e['M']
    s = min(state, N - 1)
    w = (R[2] - R[0]) // N
    h = (R[3] - R[1]) // (M + 1)
    cw, ch = max(0, w - WL - WR), max(0, h - WT - WB)
    x0, y0 = R[0] + s * w, R[1]
    src = e['img']
    mh = (R[3] - R[1]) // 2

    def piece(sx, sy, sw, sh, dx, dy, dw, dh, corner):
        for yy in range(dh):
            for xx in range(dw):
                tx, ty = dx + xx, dy + yy
                if not (0 <= tx < bmp.w and 0 <= ty < bmp.h):
                    continue
                px, py = sx + (xx % sw if sw else 0), sy + (yy % sh if sh else 0)
                S = src.get(px, py)
                if M >= 1:
                    if S == KEY:
                        if corner:
                            if cut is not None:
                                cut.add((tx, ty))
                            elif parent:
                                bmp.px[ty * bmp.w + tx] = parent.get(pos[0] + tx, pos[1] + ty)
                        continue
                    A = src.get(px, py + mh)
                    bmp.px[ty * bmp.w + tx] = blend_px(bmp.px[ty * bmp.w + tx], S, A)
                else:
                    if S != KEY:
                        bmp.px[ty * bmp.w + tx] = S
    piece(x0, y0, WL, WT, l, t, WL, WT, True)
    piece(x0, y0 + h - WB, WL, WB, l, b - WB, WL, WB, True)
    piece(x0 + WL + cw, y0 + h - WB, WR, WB, r - WR, b - WB, WR, WB, True)
    piece(x0 + WL + cw, y0, WR, WT, r - WR, t, WR, WT, True)
    ih = H - WT - WB
    iw = W - WL - WR
    piece(x0, y0 + WT, WL, ch, l, t + WT, WL, ih, False)
    piece(x0 + WL + cw, y0 + WT, WR, ch, r - WR, t + WT, WR, ih, False)
    piece(x0 + WL, y0, cw, WT, l + WL, t, iw, WT, False)
    piece(x0 + WL, y0 + h - WB, cw, WB, l + WL, b - WB, iw, WB, False)
    if centre and e['D'] & 4:
        piece(x0 + WL, y0 + WT, cw, ch, l + WL, t + WT, iw, ih, False)


def draw_glyph(bmp, x, y, e, state):
    R, N, M = e['R'], e['N'], e['M']
    w, h = (R[2] - R[0]) // N, (R[3] - R[1]) // (M + 1)
    s = min(state, N - 1)
    src = e['img']
    for yy in range(h):
        for xx in range(w):
            S = src.get(R[0] + s * w + xx, R[1] + yy)
            if S == KEY:
                continue
            tx, ty = x + xx, y + yy
            if 0 <= tx < bmp.w and 0 <= ty < bmp.h:
                if M >= 1:
                    A = src.get(R[0] + s * w + xx, R[1] + h + yy)
                    bmp.px[ty * bmp.w + tx] = blend_px(bmp.px[ty * bmp.w + tx], S, A)
                else:
                    bmp.px[ty * bmp.w + tx] = S


# ---------------------------------------------------------------------------------------------

def hexcol(c):
    return '#%02X%02X%02X' % c


class Sheet:
    def __init__(self, skin, w, h):
        self.skin, self.w, self.h = skin, w, h
        self.bmp = Image(w, h)
        self.texts = []

    def button(self, x, y, w, h, state, caption, pt, sec='BUTTON'):
        skin, bg = self.skin, self.bmp
        face = Image(w, h)
        paint_layers(skin, face, (0, 0, w, h), sec, state, bg, (x, y))
        cut = set()
        e = skin.entry(sec, 'BORDERSMASK')
        if e:
            draw_mask(face, (0, 0, w, h), e, state, True, cut=cut)
        for yy in range(h):
            for xx in range(w):
                if (xx, yy) not in cut:
                    bg.set(x + xx, y + yy, face.get(xx, yy))
        hot = state != 0
        col = skin.colour(sec, 'HOTFONTCOLOR' if hot else 'FONTCOLOR', 0)
        d = 1 if state == 2 else 0
        self.texts.append((x + d, y + d, w, h, caption, col, pt, False, None))

    def dialog(self, x, y, cw, chh, phrase):
        skin = self.skin
        fw, cap = 3, 19
        W, H = cw + 2 * fw, chh + 2 * fw + cap
        face = Image(W, H)
        paint_layers(skin, face, (0, 0, W, H), 'FORM', 1)
        e = skin.entry('FORM', 'BORDERSMASK')
        if e:
            draw_mask(face, (0, 0, W, H), e, 1, False)
        th = fw + cap
        paint_layers(skin, face, (0, 0, W, th), 'FORMTITLE', 1)
        e = skin.entry('FORMTITLE', 'BORDERSMASK')
        if e:
            draw_mask(face, (0, 0, W, th), e, 1, True)
        close = skin.entry('GLOBALINFO', 'BICONCLOSE')
        tb = skin.entry('FORMTITLE', 'TITLEBUTTON')
        bh = (close['R'][3] - close['R'][1]) // 2
        bw = (close['R'][2] - close['R'][0]) // 3
        right = W - fw - skin.num('GLOBALINFO', 'BISPACE')
        top = (th - bh) // 2
        for i, (key, st) in enumerate((('BICONCLOSE', 0), ('BICONMAX', 0), ('BICONMIN', 0))):
            bx = right - bw - i * (bw + skin.num('GLOBALINFO', 'BISPACE'))
            if tb:
                draw_glyph(face, bx, top, tb, st)
            draw_glyph(face, bx, top, skin.entry('GLOBALINFO', key), st)
        # A hot close button beside, to show the hot image.
        self.bmp.blit(face, x, y)
        tcol = skin.colour('FORMTITLE', 'HOTFONTCOLOR', 0)
        self.texts.append((x + fw + 6, y, W - 80, th, 'Случайная фраза', tcol, 12, True, 'west'))
        txt = skin.colour('GLOBALINFO', 'TCLEFT', 0xFFFFFF)
        glow = skin.colour('GLOBALINFO', 'SHADOW1COLOR', 0)
        blur = skin.num('GLOBALINFO', 'SHADOW1BLUR', -1)
        self.texts.append((x + fw + 24, y + th + 32, 321, 105, phrase, txt, 16, False, (glow, blur)))

    def options_group(self, x, y, w, h):
        """A group box of the options dialog with a combo box, a spin edit and a button, on a
        dialog background."""
        skin, bg = self.skin, self.bmp
        paint_layers(skin, bg, (x, y, x + w, y + h), 'FORM', 1)
        parent = bg.crop(0, 0, bg.w, bg.h)
        gy = y + 18
        face = Image(w - 16, h - 26)
        paint_layers(skin, face, (0, 0, face.w, face.h), 'GROUPBOX', 0, parent, (x + 8, gy))
        e = skin.entry('GROUPBOX', 'BORDERSMASK')
        draw_mask(face, (0, 0, face.w, face.h), e, 0, False, parent, (x + 8, gy))
        bg.blit(face, x + 8, gy)
        # Caption plate (CHECKBOX, usually see-through) and the caption.
        self.texts.append((x + 14, gy - 8, 170, 16, ' Стиль кнопок 1 ', skin.colour('CHECKBOX', 'FONTCOLOR', 0),
                           11, False, 'west'))
        for i, state in enumerate((0, 1)):
            cx, cy, cw, chh = x + 20, gy + 18 + i * 30, 145, 21
            cf = Image(cw, chh)
            paint_layers(skin, cf, (0, 0, cw, chh), 'COMBOBOX', state, bg, (cx, cy))
            draw_mask(cf, (0, 0, cw, chh), skin.entry('COMBOBOX', 'BORDERSMASK'), state, True, bg, (cx, cy))
            bw = 17
            bl = cw - bw - 2
            sub = Image(bw, chh - 4)
            paint_layers(skin, sub, (0, 0, bw, chh - 4), 'COMBOBTN', state)
            draw_mask(sub, (0, 0, bw, chh - 4), skin.entry('COMBOBTN', 'BORDERSMASK'), state, True,
                      cf, (bl, 2))
            cf.blit(sub, bl, 2)
            g = skin.entry('COMBOBOX', 'GLYPHMASK')
            gw, gh = (g['R'][2] - g['R'][0]) // 3, (g['R'][3] - g['R'][1]) // 2
            draw_glyph(cf, bl + (bw - gw) // 2, (chh - gh) // 2, g, state)
            bg.blit(cf, cx, cy)
            self.texts.append((cx + 4, cy, 110, chh, 'Golden (internal)', skin.colour('COMBOBOX', 'FONTCOLOR', 0),
                               11, False, 'west'))
            ex = cx + cw + 10
            ef = Image(49, chh)
            paint_layers(skin, ef, (0, 0, 49, chh), 'EDIT', state, bg, (ex, cy))
            draw_mask(ef, (0, 0, 49, chh), skin.entry('EDIT', 'BORDERSMASK'), state, True, bg, (ex, cy))
            bg.blit(ef, ex, cy)
            self.texts.append((ex + 4, cy, 40, chh, '240', skin.colour('EDIT', 'FONTCOLOR', 0), 11, False, 'west'))
        self.button(x + 20, gy + 80, 75, 25, 0, 'Ok', 11)
        self.button(x + 105, gy + 80, 75, 25, 1, 'Cancel', 11)

    def title_states(self, x, y):
        """The three states of the title buttons over a title-bar strip."""
        skin = self.skin
        W, th = 400, 22
        face = Image(W, th)
        paint_layers(skin, face, (0, 0, W, th), 'FORMTITLE', 1)
        tb = skin.entry('FORMTITLE', 'TITLEBUTTON')
        for i, key in enumerate(('BICONCLOSE', 'BICONMAX', 'BICONNORM', 'BICONMIN', 'BICONHELP')):
            for st in range(3):
                e = skin.entry('GLOBALINFO', key)
                bw = (e['R'][2] - e['R'][0]) // 3
                bh = (e['R'][3] - e['R'][1]) // 2
                bx = 4 + (i * 3 + st) * (bw + 2) + i * 8
                if bx + bw > W:
                    continue
                if tb:
                    draw_glyph(face, bx, (th - bh) // 2, tb, st)
                draw_glyph(face, bx, (th - bh) // 2, e, st)
        self.bmp.blit(face, x, y)

    def write(self, out):
        with tempfile.TemporaryDirectory() as d:
            base = os.path.join(d, 'base.bmp')
            write_bmp24(base, self.bmp)
            cmd = ['convert', base]
            for x, y, w, h, text, col, pt, bold, extra in self.texts:
                font = 'DejaVu-Sans-Bold' if bold else 'DejaVu-Sans'
                grav = 'west' if extra == 'west' else 'center'
                if isinstance(extra, tuple):
                    glow, blur = extra
                    # The glow: a plane of the glow colour whose opacity is the text's shape,
                    # widened and blurred.
                    cmd += ['(', '-size', '%dx%d' % (w, h), 'xc:' + hexcol(glow),
                            '(', '-size', '%dx%d' % (w, h), '-background', 'black', '-fill', 'white',
                            '-font', font, '-pointsize', str(pt), '-gravity', 'northwest',
                            'caption:' + text, '-morphology', 'Dilate', 'Disk:1',
                            '-blur', '0x%d' % max(1, blur), '-level', '0,60%', ')',
                            '-alpha', 'off', '-compose', 'CopyOpacity', '-composite', '-compose', 'Over', ')',
                            '-gravity', 'northwest', '-geometry', '+%d+%d' % (x + 1, y + 1), '-composite']
                    cmd += ['(', '-size', '%dx%d' % (w, h), '-background', 'none', '-fill', hexcol(col),
                            '-font', font, '-pointsize', str(pt), '-gravity', 'northwest',
                            'caption:' + text, ')', '-gravity', 'northwest', '-geometry', '+%d+%d' % (x, y),
                            '-composite']
                    continue
                cmd += ['(', '-size', '%dx%d' % (w, h), 'xc:none', '-fill', hexcol(col), '-font', font,
                        '-pointsize', str(pt), '-gravity', grav, '-annotate', '+0+0', text, ')',
                        '-gravity', 'northwest', '-geometry', '+%d+%d' % (x, y), '-composite']
            cmd.append(out)
            subprocess.run(cmd, check=True)


def render(folder, out):
    skin = Skin(folder)
    W, H = 1032, 620
    sh = Sheet(skin, W, H)
    paint_layers(skin, sh.bmp, (0, 0, W, H), 'FORM', 1)
    # Point sizes of the program's fonts turned into pixel sizes (96 dots per inch).
    sizes = [(70, 17, 'Кнопулечка', 11), (100, 23, 'Кнопочка', 11), (130, 25, 'Кнопка', 13),
             (150, 30, 'Кнопа', 16), (170, 40, 'Кнопище', 19)]
    y = 16
    for st in range(3):
        x = 16
        for w, h, cap, pt in sizes:
            sh.button(x, y, w, h, st, cap, pt)
            x += w + 14
        y += 52
    for st in range(3):
        sh.button(16 + st * 255, 180, 241, 129, st, 'Супер кнопка', 24)
        sh.button(16 + st * 255, 320, 241, 129, st, 'Супер кнопка', 24, 'BUTTON_HUGE')
    sh.dialog(16, 460, 363, 120, 'Кто рано встаёт, тому Бог подаёт. The quick brown fox.')
    sh.title_states(420, 470)
    sh.options_group(790, 16, 236, 150)
    sh.write(out)


if __name__ == '__main__':
    folder = sys.argv[1]
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join('/tmp', os.path.basename(folder.rstrip('/')) + '.png')
    render(folder, out)
    print(out)
