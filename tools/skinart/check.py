#!/usr/bin/env python3
"""Checks skin folders against the rules the art must keep; prints problems, exits 1 on any.

Usage: python3 tools/skinart/check.py SKIN_FOLDER ...
"""
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from imgio import KEY, read_bmp  # noqa: E402

REQUIRED = """GLOBALINFO BUTTON BUTTON_BIG BUTTON_HUGE SPEEDBUTTON SPEEDBUTTON_SMALL TOOLBUTTON WEBBUTTON
CHECKBOX RADIOBUTTON EDIT COMBOBOX COMBOBTN UPDOWNBTN GROUPBOX PANEL PANEL_LOW HINT BAR BARTITLE
DRAGBAR GAUGE PROGRESSH PROGRESSV SPLITTER DIVIDER STATUSBAR TOOLBAR TRACKBAR COLHEADER PAGECONTROL
TABSHEET TABTOP TABBOTTOM TABLEFT TABRIGHT FORM DIALOG FORMTITLE MAINMENU MENUITEM MENULINE
EXTRALINE ICOLINE SCROLLBAR1H SCROLLBAR1V SCROLLBAR2H SCROLLBAR2V SCROLLBTNTOP SCROLLBTNBOTTOM
SCROLLBTNLEFT SCROLLBTNRIGHT SCROLLSLIDERH SCROLLSLIDERV""".split()
GLOBAL_KEYS = """MASTERBITMAP VERSION AUTHOR DESCRIPTION COLOR FONTCOLOR TCLEFT SHADOW1COLOR SHADOW1OFFSET
SHADOW1BLUR SHADOW1TRANSPARENCY BISPACE BORDERCOLOR BICONCLOSE BICONMAX BICONNORM BICONMIN
BICONHELP""".split()


def bmp_header_problems(path):
    with open(path, 'rb') as f:
        b = f.read()
    if b[:2] != b'BM':
        return ['not a BMP']
    _, w, h, _, bpp, comp = struct.unpack_from('<IiiHHI', b, 14)
    out = []
    if bpp != 8:
        out.append('%d bits per pixel, not 8' % bpp)
    if comp != 0:
        out.append('compressed')
    if h <= 0:
        out.append('not bottom-up')
    if len(b) != 14 + 40 + 1024 + ((w + 3) & ~3) * abs(h):
        out.append('unexpected file size %d' % len(b))
    return out


def check(folder):
    probs = []
    files = {f.upper(): os.path.join(folder, f) for f in os.listdir(folder)}
    text = open(files['OPTIONS.DAT'], 'rb').read().decode('latin-1')
    sections, cur = {}, None
    for line in text.splitlines():
        line = line.strip()
        if not line or line.startswith(';'):
            continue
        if line != line.upper():
            probs.append('not upper case: ' + line)
        if line.startswith('['):
            cur = line[1:-1]
            if cur in sections:
                probs.append('section twice: ' + cur)
            sections[cur] = {}
        else:
            k, _, v = line.partition('=')
            if k in sections[cur]:
                probs.append('%s: key twice: %s' % (cur, k))
            sections[cur][k] = v
    for s in REQUIRED:
        if s not in sections:
            probs.append('missing section ' + s)
    g = sections.get('GLOBALINFO', {})
    for k in GLOBAL_KEYS:
        if k not in g:
            probs.append('GLOBALINFO lacks ' + k)
    b = sections.get('BUTTON', {})
    if b.get('FADINGENABLED') != 'TRUE' or b.get('FADINGITERATIONS') not in ('20', '5'):
        probs.append('BUTTON fading is not TRUE with 20 or 5 iterations')
    if not sections.get('BUTTON_HUGE', {}).get('BORDERSMASK', '').startswith('!BUTTONHUGE.BMP!'):
        probs.append('BUTTON_HUGE does not use BUTTONHUGE.BMP')
    for name, keys in sections.items():
        seen, p = {name}, keys.get('PARENTCLASS', '')
        while p:
            if p not in sections:
                probs.append('%s: parent %s missing' % (name, p))
                break
            if p in seen:
                probs.append('%s: PARENTCLASS loop' % name)
                break
            seen.add(p)
            p = sections[p].get('PARENTCLASS', '')
    master = read_bmp(files[g['MASTERBITMAP']])
    probs += ['MASTER: ' + p for p in bmp_header_problems(files[g['MASTERBITMAP']])]
    if master.w > 200 or master.h > 400:
        probs.append('master bitmap %dx%d is larger than 200x400' % (master.w, master.h))
    for name, keys in sections.items():
        for k, v in keys.items():
            where = '%s.%s' % (name, k)
            if not v:
                continue
            try:
                if v[0] in '@^~':
                    R = [int(v[i:i + 4]) for i in (1, 6, 11, 16)]
                    if R[2] > master.w or R[3] > master.h or R[0] >= R[2] or R[1] >= R[3]:
                        probs.append('%s: rectangle %s outside the master bitmap' % (where, R))
                        continue
                if v[0] == '@':
                    n, m = int(v[21]), int(v[23])
                    if len(v) != 24 or (R[2] - R[0]) % n or (R[3] - R[1]) % (m + 1):
                        probs.append(where + ': glyph size does not divide by its states')
                elif v[0] == '^':
                    if len(v) != 48:
                        probs.append(where + ': border reference is not 48 characters')
                    w = [int(v[i:i + 4]) for i in (21, 26, 31, 36)]
                    n, m, d = int(v[41]), int(v[43]), int(v[45])
                    cw, ch = (R[2] - R[0]) // n, (R[3] - R[1]) // (m + 1)
                    if (R[2] - R[0]) % n or (R[3] - R[1]) % (m + 1):
                        probs.append(where + ': size does not divide by its states')
                    if sum(w) == 0:
                        w = [cw // 3, ch // 3, cw // 3, ch // 3]
                    if w[0] + w[2] >= cw or w[1] + w[3] >= ch:
                        probs.append(where + ': borders leave no centre')
                    probs += edge_key_problems(where, master, R, n, m, w)
                elif v[0] == '~':
                    if len(v) not in (23, 25):
                        probs.append(where + ': texture reference length')
                elif v[0] == '!':
                    words = v[1:].split('!')
                    path = files.get(words[0])
                    if not path:
                        probs.append(where + ': missing ' + words[0])
                        continue
                    probs += ['%s: %s' % (words[0], p) for p in bmp_header_problems(path)]
                    im = read_bmp(path)
                    n, m = int(words[1]), int(words[2])
                    cw, ch = im.w // n, im.h // (m + 1)
                    w = [int(x) for x in words[4:8]] if len(words) > 4 else \
                        [im.w // (n * 3), im.h // ((m + 1) * 3)] * 2
                    probs += edge_key_problems(where, im, (0, 0, im.w, im.h), n, m, w)
                elif '.JPG' in v:
                    if v not in files:
                        probs.append(where + ': missing ' + v)
            except (ValueError, IndexError) as e:
                probs.append('%s: %s' % (where, e))
    return probs


def edge_key_problems(where, im, R, n, m, w):
    """Key pixels belong in corner pieces only: an edge or the centre is tiled and must not
    carry holes."""
    cw, ch = (R[2] - R[0]) // n, (R[3] - R[1]) // (m + 1)
    wl, wt, wr, wb = w
    out = []
    for s in range(n):
        for y in range(ch):
            for x in range(cw):
                corner = (x < wl or x >= cw - wr) and (y < wt or y >= ch - wb)
                if not corner and im.get(R[0] + s * cw + x, R[1] + y) == KEY:
                    out.append('%s: key pixel outside the corners at state %d (%d, %d)' % (where, s, x, y))
                    return out
    return out


def main():
    bad = 0
    for folder in sys.argv[1:]:
        probs = check(folder)
        for p in probs:
            print('%s: %s' % (folder, p))
        print('%s: %s' % (folder, 'ok' if not probs else '%d problems' % len(probs)))
        bad += bool(probs)
    sys.exit(1 if bad else 0)


if __name__ == '__main__':
    main()
