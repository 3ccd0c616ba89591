#!/usr/bin/env python3
"""Generates the program's skins: Options.dat, Master.bmp and ButtonHuge.bmp of every skin.

Usage: python3 tools/skinart/skinart.py [--out DIR] [SKIN ...]
With no skin names every skin is written.  DIR defaults to the repository's skins/ folder.

Sections of this file, in order:
  state styles of the push-button family (button_styles, pressed_tint, frame_styles);
  the master bitmap (Packer, build_master, add_title_buttons, build_huge);
  image reference texts (caret, at, tilde);
  the options text (options_text, settle_contrast, check_chains);
  writing the files (write_skin, write_jpeg, main).
"""
import argparse
import os
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from imgio import Image, KEY, hexc, colorref, mix, write_bmp8, write_bmp24, build_palette  # noqa: E402
import contrast  # noqa: E402
import shapes  # noqa: E402
from themes import THEMES  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.dirname(os.path.dirname(HERE))

# Skin name -> (folder below skins/, file names of options, master, huge, extra files).
TARGETS = {
    'Desert': ('Desert', 'Master.bmp', 'ButtonHuge.bmp'),
    'Golden': ('Golden', 'Master.bmp', 'ButtonHuge.bmp'),
    'Office2003': ('Office2003', 'Master.bmp', 'ButtonHuge.bmp'),
    'Office2007Black': ('Office2007Black', 'Master.bmp', 'ButtonHuge.bmp'),
    'Office2007Blue': ('Office2007Blue', 'Master.bmp', 'ButtonHuge.bmp'),
    'Aurora': ('extra/Aurora', 'Master.bmp', 'ButtonHuge.bmp'),
    # A folder skin: file names in upper case, as the options file writes them, so that they
    # are found on file systems that compare names exactly.
    'Marble': ('extra/Marble', 'MASTER.BMP', 'BUTTONHUGE.BMP'),
}

MASTER_W, MASTER_H = 200, 380
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def C(s):
    return hexc(s) if isinstance(s, str) else s


def cref(s):
    return str(colorref(C(s)))


def grad(segs, mode=0):
    words = []
    for a, b, pct in segs:
        words += [cref(a), cref(b), str(pct), str(mode), '0']
    return ';'.join(words)


def average(segs):
    cols = [C(a) for a, _, _ in segs] + [C(b) for _, b, _ in segs]
    return tuple(sum(c[i] for c in cols) // len(cols) for i in range(3))


# ---------------------------------------------------------------------------------------------
# State styles of the push-button family.

def backdrop(t):
    """What usually lies behind a control of the skin: the mean of its window's gradient."""
    return average(t['form_grad'])


def pressed_tint(face, tint, alpha, text):
    """The strongest tint up to `alpha` over the hot face under which the caption still reads
    at every hue (the caption's colour settled over the hot face first, as the options
    text will have it)."""
    text = contrast.settle_text(text, face, [], 0, 'pressed caption')
    while alpha > 0 and contrast.worst_ratio(text, mix(face, tint, alpha), [], 0)[0] < contrast.TARGET:
        alpha = round(alpha - 0.02, 2)
    return max(0.0, alpha)


def button_styles(t, big=False, radius=5):
    """Normal, hot ("lit") and pressed ("pushed") looks of the push-button family.  Normal: a
    rim, a bright line along the top inside it and a soft shade along the bottom.  Hot: the
    rim in the accent colour, a stronger top light and the skin's glow rising from the bottom
    edge.  Pressed: the face darkened, a shadow falling from the top edge inwards and a faint
    light bounced from the bottom."""
    hi, a_top, a_side, a_bot = C(t['btn_hi'][0]), *t['btn_hi'][1:]
    o0, o1, o2 = (C(c) for c in t['btn_outline'])
    tint, ta, shade, sa = C(t['btn_press'][0]), t['btn_press'][1], C(t['btn_press'][2]), t['btn_press'][3]
    glow = C(t['btn_glow'])
    # Pressed uses the hot values' face, so its tint must pull that lit face well down, but no
    # further than the caption stays readable at every hue.
    ta = pressed_tint(average(t['btn_hot']), tint, min(0.5, ta + 0.12), C(t['btn_hotfont']))
    s = 2 if big else 1
    common = dict(radius=radius, core=max(radius, 3), matte=backdrop(t))
    normal = dict(common, outline=o0,
                  rings=[(0, s, (hi, a_top), (hi, a_side), (hi, a_bot * 0.5)),
                         (0, s, (BLACK, 0.0), (BLACK, 0.0), (BLACK, 0.14)),
                         (s, 2 * s, (hi, a_top * 0.35), (hi, 0.0), (BLACK, 0.06))])
    hot = dict(common, outline=o1,
               rings=[(0, s, (WHITE, min(1.0, a_top + 0.15)), (WHITE, a_side * 0.8), (glow, 0.85)),
                      (s, 3 * s, (WHITE, 0.25), (glow, 0.12), (glow, 0.55)),
                      (3 * s, 5 * s, (WHITE, 0.0), (glow, 0.0), (glow, 0.25))])
    pressed = dict(common, outline=o2, tint=(tint, ta),
                   rings=[(0, s, (shade, sa), (shade, sa * 0.6), (WHITE, 0.18)),
                          (s, 2 * s, (shade, sa * 0.6), (shade, sa * 0.25), (WHITE, 0.06)),
                          (2 * s, 3 * s, (shade, sa * 0.3), (shade, 0.0), (WHITE, 0.0))])
    if big:
        normal['sheen'] = (WHITE, 0.28, 26)
        hot['sheen'] = (WHITE, 0.35, 26)
        hot['glow_bottom'] = (glow, 0.45, 26)
        pressed['sheen'] = (shade, 0.25, 18)
    return [normal, hot, pressed]


def frame_styles(outer, inner, n=1, radius=0, inner_alpha=(0.6, 0.35, 0.2)):
    st = dict(outline=C(outer), radius=radius,
              rings=[(0, 1, (C(inner), inner_alpha[0]), (C(inner), inner_alpha[1]),
                      (C(inner), inner_alpha[2]))])
    return [st] * n


# ---------------------------------------------------------------------------------------------
# The master bitmap: pieces are packed on shelves; every piece keeps its rectangle.

class Packer:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.pieces = []

    def add(self, name, im):
        self.pieces.append((name, im))

    def pack(self, background):
        out = Image(self.w, self.h, background)
        rects = {}
        x = y = shelf = 0
        for name, im in sorted(self.pieces, key=lambda p: (-p[1].h, -p[1].w)):
            if x + im.w > self.w:
                x, y, shelf = 0, y + shelf + 1, 0
            if y + im.h > self.h:
                raise ValueError('master bitmap too small for ' + name)
            out.blit(im, x, y)
            rects[name] = (x, y, x + im.w, y + im.h)
            x += im.w + 1
            shelf = max(shelf, im.h)
        return out, rects


def build_master(t):
    p = Packer(MASTER_W, MASTER_H)
    # The BUTTON mask serves every size class, 70 x 17 up to the super button: its 7-pixel
    # borders hold a rounding of up to 6 pixels and still leave a centre on the smallest button.
    p.add('BUTTON', shapes.state_strip(20, 20, button_styles(t, radius=t.get('btn_radius', 5))))
    p.add('BUTTON_BIG', shapes.state_strip(30, 30, button_styles(t, radius=8)))
    p.add('SMALLBTN', shapes.state_strip(15, 15, button_styles(t, radius=min(3, t.get('btn_radius', 5)))))
    fo, fa = t['frame']
    frame = Image(24, 24, KEY)
    for i, col in enumerate((fo, fa)):
        img, msk = shapes.paint_cell(12, 12, frame_styles(col, t['frame_inner'], radius=0)[0])
        frame.blit(img, i * 12, 0)
        frame.blit(msk, i * 12, 12)
    p.add('FORMFRAME', frame)
    title = Image(24, 24, KEY)
    for i, col in enumerate((fo, fa)):
        st = dict(outline=C(col), radius=0,
                  rings=[(0, 1, (C(t['frame_inner']), 0.55), (C(t['frame_inner']), 0.3),
                          (BLACK, 0.18))])
        img, msk = shapes.paint_cell(12, 12, st)
        title.blit(img, i * 12, 0)
        title.blit(msk, i * 12, 12)
    p.add('FORMTITLE', title)
    add_title_buttons(p, t)
    ebg, efont, eo0, eo1 = (C(c) for c in t['edit'])
    # Edits and combo boxes: a sunken field (a shade inside the top edge) with the buttons'
    # rounding; the hot (focused) field takes the accent rim with a soft inner glow.
    er = min(3, t.get('btn_radius', 5))
    edit_styles = [dict(outline=eo0, radius=er, matte=backdrop(t),
                        rings=[(0, 1, (BLACK, 0.14), (BLACK, 0.05), (WHITE, 0.3)),
                               (1, 2, (BLACK, 0.05), (BLACK, 0.0), (BLACK, 0.0))]),
                   dict(outline=eo1, radius=er, matte=backdrop(t),
                        rings=[(0, 1, (eo1, 0.35), (eo1, 0.25), (eo1, 0.2)),
                               (1, 2, (eo1, 0.12), (eo1, 0.08), (eo1, 0.06))])]
    p.add('EDIT', shapes.state_strip(12, 12, edit_styles))
    tc = C(t['btn_font'])
    # Arrows: smooth triangles; a pressed arrow moves one pixel down and right.
    p.add('COMBOGLYPH', shapes.title_glyph_cells(9, 7, 'down', 7, [
        (efont, None, None, 0), (efont, None, None, 0), (efont, None, None, 1)]))
    for name in ('up', 'down', 'left', 'right'):
        p.add('ARROW' + name.upper(), shapes.title_glyph_cells(9, 9, name, 7, [
            (tc, None, None, 0), (C(t['btn_hotfont']), None, None, 0), (C(t['btn_hotfont']), None, None, 1)]))
    po = C(t['panel_outline'])
    p.add('GROUPBOX', shapes.state_strip(15, 15, frame_styles(po, WHITE, radius=min(4, t.get('btn_radius', 5)),
                                                               inner_alpha=(0.45, 0.25, 0.15))))
    p.add('TRACK', shapes.state_strip(12, 12, frame_styles(mix(po, C(t['window']), 0.3), BLACK, radius=3,
                                                           inner_alpha=(0.15, 0.08, 0.0))))
    tab = button_styles(t)
    for name, radii in (('TABTOP', (4, 4, 0, 0)), ('TABBOTTOM', (0, 0, 4, 4)), ('TABLEFT', (4, 0, 0, 4)),
                        ('TABRIGHT', (0, 4, 4, 0))):
        p.add(name, shapes.state_strip(18, 18, tab, radii))
    bo, b1, b2, bm = (C(c) for c in t['box'])
    hot_o = C(t['btn_outline'][1])
    for kind, round_box, size in (('BOX', False, 13), ('RADIO', True, 13), ('SMALL', False, 11)):
        for state, mark in (('CHECKED', 'dot' if round_box else 'check'), ('UNCHECKED', None),
                            ('GRAYED', 'square')):
            states = [(bo, b1, b2, bm), (hot_o, WHITE, b2, bm), (hot_o, b2, b1, bm)]
            p.add(kind + state, shapes.box_cells(size, states, round_box, mark))
    p.add('PATTERN', shapes.texture(64, t['form_tex'], C(t['form_tex_base']), seed=len(t['desc'])))
    grip = Image(12, 12, KEY)
    for i in range(3):
        for j in range(3 - i):
            x, y = 9 - 4 * j, 9 - 4 * i
            grip.fill_rect(x, y, x + 2, y + 2, mix(C(t['window']), BLACK, 0.45))
            grip.set(x, y, mix(C(t['window']), WHITE, 0.6))
    p.add('GRIPIMAGE', grip)
    return p.pack(KEY)


def add_title_buttons(p, t):
    """The title-bar button set: a backing plate shared by every button (none when normal, lit
    glass when hot, a sunken plate when pressed) and the glyphs close, maximize, restore,
    minimize and help in the big (22 x 18) and tool-window (16 x 14) sizes.  The close button
    has its own warning-coloured plate when hot or pressed; a pressed glyph moves one pixel
    down and right.  The plate's rounding gives every skin its own buttons."""
    frame, inner = C(t['frame'][1]), C(t['frame_inner'])
    rad = t.get('title_plate', 3)
    for prefix, (w, h, size) in (('BICON', (22, 18, 9)), ('SICON', (16, 14, 7))):
        r = min(rad, h // 2)
        lit = (mix(inner, WHITE, 0.6), inner, frame, 0.75, r)
        sunk = (mix(frame, BLACK, 0.1), mix(inner, frame, 0.5), frame, 0.8, r)
        if prefix == 'BICON':
            p.add('TITLEBUTTON', shapes.title_glyph_cells(w, h, 'none', size, [
                (KEY, None, None, 0), (KEY, None, lit, 0), (KEY, None, sunk, 0)]))
        gcol, halo = C(t['glyph']), (C(t['glyph_halo'][0]), t['glyph_halo'][1])
        hot_col = mix(gcol, WHITE, 0.3) if luminance_of(gcol) > 0.4 else mix(gcol, BLACK, 0.2)
        warn = C(t['close_hot'])
        close_hot = (mix(warn, WHITE, 0.25), warn, mix(warn, BLACK, 0.35), 1.0, r)
        close_down = (mix(warn, BLACK, 0.35), mix(warn, BLACK, 0.15), mix(warn, BLACK, 0.5), 1.0, r)
        for key in ('CLOSE', 'MAX', 'NORM', 'MIN', 'HELP'):
            g = key.lower()
            if key == 'CLOSE':
                states = [(gcol, halo, None, 0), (WHITE, None, close_hot, 0), (WHITE, None, close_down, 1)]
            else:
                states = [(gcol, halo, None, 0), (hot_col, halo, None, 0), (gcol, halo, None, 1)]
            p.add(prefix + key, shapes.title_glyph_cells(w, h, g, size, states))


def luminance_of(c):
    return contrast.luminance(c)


def build_huge(t):
    styles = button_styles(t, big=True, radius=14)
    return shapes.state_strip(96, 96, styles)


# ---------------------------------------------------------------------------------------------
# Image reference texts.

def caret(r, n, m, d, widths):
    wl, wt, wr, wb = widths
    return '^%04d^%04d^%04d^%04d^%04d^%04d^%04d^%04d^%d^%d^%d^0' % (r[0], r[1], r[2], r[3], wl, wt, wr, wb, n, m, d)


def at(r, n, m):
    return '@%04d@%04d@%04d@%04d@%d@%d' % (r[0], r[1], r[2], r[3], n, m)


def tilde(r, mode):
    return '~%04d~%04d~%04d~%04d~%02d' % (r[0], r[1], r[2], r[3], mode)


def options_text(t, rects, huge_name, pattern=None, button_pattern=None):
    """Options file of one skin.  pattern/button_pattern: JPEG file names (folder skins)."""
    r = rects
    S = []

    def sec(name, *items):
        S.append((name, [(k, v) for k, v in items if v is not None]))

    btn_mid = average(t['btn'])
    btn_hot_mid = average(t['btn_hot'])
    title_mid = average(t['title_hot'])
    ebg, efont, eo0, eo1 = t['edit']
    panel = C(t['panel'])
    glyph_keys = []
    for key in ('CLOSE', 'MAX', 'NORM', 'MIN', 'HELP'):
        glyph_keys.append(('BICON' + key, at(r['BICON' + key], 3, 1)))
    for key in ('CLOSE', 'MAX', 'NORM', 'MIN', 'HELP'):
        glyph_keys.append(('SICON' + key, at(r['SICON' + key], 3, 1)))
    boxes = []
    for kind in ('BOX', 'RADIO', 'SMALL'):
        for state in ('CHECKED', 'UNCHECKED', 'GRAYED'):
            boxes.append((kind + state, at(r[kind + state], 3, 1)))
    sec('GLOBALINFO',
        ('MASTERBITMAP', 'MASTER.BMP'), ('VERSION', '1.00'), ('AUTHOR', 'QUIBBLETON'),
        ('DESCRIPTION', t['desc']), ('COLOR', cref(t['window'])), ('HOTCOLOR', cref(t['accent'])),
        ('FONTCOLOR', cref(t['text'])), ('HOTFONTCOLOR', cref(t['accent_text'])),
        ('TCLEFT', cref(t['phrase'])), ('TCTOP', '-1'), ('TCRIGHT', '-1'), ('TCBOTTOM', '-1'),
        ('SHADOW1COLOR', cref(t['glow'])), ('SHADOW1OFFSET', str(t['glow_offset'])),
        ('SHADOW1BLUR', str(t['glow_blur'])), ('SHADOW1TRANSPARENCY', '0'), ('BISPACE', '2'),
        ('BORDERCOLOR', cref(t['frame'][1])), *glyph_keys, *boxes,
        ('GRIPIMAGE', at(r['GRIPIMAGE'], 1, 0)))
    fading = str(t['fading'])
    sec('BUTTON',
        ('BORDERSMASK', caret(r['BUTTON'], 3, 1, 4, (7, 7, 7, 7))),
        ('COLOR', cref(btn_mid)), ('HOTCOLOR', cref(btn_hot_mid)),
        ('GRADIENTPERCENT', '100'), ('GRADIENTDATA', grad(t['btn'])),
        ('HOTGRADIENTPERCENT', '100'), ('HOTGRADIENTDATA', grad(t['btn_hot'])),
        ('IMAGEPERCENT', '25' if button_pattern else '0'), ('PATTERN', button_pattern),
        ('HOTIMAGEPERCENT', '0'),
        ('FONTCOLOR', cref(t['btn_font'])), ('TCLEFT', '-1'), ('TCTOP', '-1'), ('TCRIGHT', '-1'),
        ('TCBOTTOM', '-1'), ('HOTFONTCOLOR', cref(t['btn_hotfont'])), ('HOTTCLEFT', '-1'),
        ('HOTTCTOP', '-1'), ('HOTTCRIGHT', '-1'), ('HOTTCBOTTOM', '-1'),
        ('TRANSPARENCY', '0'), ('HOTTRANSPARENCY', '0'), ('BEVEL', '0'), ('HOTBEVEL', '0'),
        ('SHOWFOCUS', 'TRUE'), ('FADINGENABLED', 'TRUE'), ('FADINGITERATIONS', fading),
        ('FADINGINTERVALIN', '5'), ('FADINGINTERVALOUT', '5'))
    sec('BUTTON_BIG', ('PARENTCLASS', 'BUTTON'),
        ('BORDERSMASK', caret(r['BUTTON_BIG'], 3, 1, 4, (10, 10, 10, 10))))
    sec('BUTTON_HUGE', ('PARENTCLASS', 'BUTTON'), ('BORDERSMASK', '!%s!3!1!0' % huge_name.upper()))
    sec('SPEEDBUTTON', ('PARENTCLASS', 'BUTTON'), ('FADINGITERATIONS', '10'))
    # SPEEDBUTTON_SMALL carries the spin edits' arrows, which the program draws in the form's
    # black font colour: where the buttons' own face is too dark for black, the small buttons
    # take a light face of the edit field's family instead.
    small_face = []
    if contrast.worst_ratio(BLACK, C(btn_mid), [], 0)[0] < contrast.TARGET:
        light = [(mix(C(ebg), WHITE, 0.5), C(ebg), 45), (mix(C(ebg), C(btn_mid), 0.3), mix(C(ebg), WHITE, 0.2), 55)]
        small_face = [('COLOR', cref(average(light))), ('GRADIENTPERCENT', '100'),
                      ('GRADIENTDATA', grad(light)), ('FONTCOLOR', cref(efont))]
    sec('SPEEDBUTTON_SMALL', ('PARENTCLASS', 'SPEEDBUTTON'),
        ('BORDERSMASK', caret(r['SMALLBTN'], 3, 1, 4, (5, 5, 5, 5))), *small_face)
    sec('TOOLBUTTON', ('PARENTCLASS', 'BUTTON'),
        ('BORDERSMASK', caret(r['BUTTON'], 3, 1, 6, (7, 7, 7, 7))),
        ('TRANSPARENCY', '100'), ('COLOR', cref(t['window'])), ('GRADIENTPERCENT', '0'),
        ('FONTCOLOR', cref(t['text'])))
    # Transparent sections name the window's colour as their own: it is what lies behind
    # their text.
    sec('WEBBUTTON', ('TRANSPARENCY', '100'), ('HOTTRANSPARENCY', '100'),
        ('COLOR', cref(t['window'])), ('HOTCOLOR', cref(t['window'])),
        ('FONTCOLOR', cref(t['link'])), ('HOTFONTCOLOR', cref(t['link'])), ('TCLEFT', '-1'),
        ('HOTTCLEFT', '-1'))
    # CHECKBOX is also the plate under a group box's caption, which sits over the dialog's own
    # face, perhaps of another skin: an opaque plate in the group box's colour (as it shows
    # over this skin's window) with the group box's rim keeps the caption readable anywhere.
    plate = mix(panel, backdrop(t), t['groupbox_tr'] / 100.0)
    sec('CHECKBOX', ('BORDERSMASK', caret(r['GROUPBOX'], 1, 1, 0, (5, 5, 5, 5))),
        ('TRANSPARENCY', '0'), ('HOTTRANSPARENCY', '0'),
        ('FONTCOLOR', cref(t['text'])), ('HOTFONTCOLOR', cref(t['text'])),
        ('COLOR', cref(plate)), ('HOTCOLOR', cref(plate)))
    sec('RADIOBUTTON', ('PARENTCLASS', 'CHECKBOX'))
    sec('EDIT', ('BORDERSMASK', caret(r['EDIT'], 2, 1, 0, (4, 4, 4, 4))),
        ('COLOR', cref(ebg)), ('HOTCOLOR', cref(ebg)), ('FONTCOLOR', cref(efont)),
        ('HOTFONTCOLOR', cref(efont)), ('TRANSPARENCY', '0'), ('HOTTRANSPARENCY', '0'),
        ('GRADIENTPERCENT', '0'), ('HOTGRADIENTPERCENT', '0'), ('SHOWFOCUS', 'TRUE'))
    sec('COMBOBOX', ('PARENTCLASS', 'EDIT'), ('GLYPHMASK', at(r['COMBOGLYPH'], 3, 1)),
        ('SHOWFOCUS', 'TRUE'))
    sec('COMBOBTN', ('PARENTCLASS', 'BUTTON'),
        ('BORDERSMASK', caret(r['SMALLBTN'], 3, 1, 4, (5, 5, 5, 5))), ('FADINGENABLED', 'FALSE'))
    sec('UPDOWNBTN', ('PARENTCLASS', 'SPEEDBUTTON_SMALL'))
    sec('GROUPBOX', ('BORDERSMASK', caret(r['GROUPBOX'], 1, 1, 0, (5, 5, 5, 5))),
        ('COLOR', cref(panel)), ('HOTCOLOR', cref(panel)),
        ('TRANSPARENCY', str(t['groupbox_tr'])), ('HOTTRANSPARENCY', str(t['groupbox_tr'])),
        ('FONTCOLOR', cref(t['text'])), ('HOTFONTCOLOR', cref(t['text'])))
    sec('PANEL', ('PARENTCLASS', 'GROUPBOX'), ('COLOR', cref(panel)), ('HOTCOLOR', cref(panel)),
        ('TRANSPARENCY', '0'), ('HOTTRANSPARENCY', '0'), ('GRADIENTPERCENT', '100'),
        ('GRADIENTDATA', grad([(mix(panel, WHITE, 0.25), panel, 100)])),
        ('HOTGRADIENTPERCENT', '100'),
        ('HOTGRADIENTDATA', grad([(mix(panel, WHITE, 0.25), panel, 100)])))
    sec('PANEL_LOW', ('PARENTCLASS', 'PANEL'), ('GRADIENTPERCENT', '0'), ('HOTGRADIENTPERCENT', '0'))
    sec('HINT', ('PARENTCLASS', 'PANEL'), ('COLOR', cref(t['hint'][0])),
        ('HOTCOLOR', cref(t['hint'][0])), ('GRADIENTPERCENT', '0'), ('HOTGRADIENTPERCENT', '0'),
        ('FONTCOLOR', cref(t['hint'][1])), ('HOTFONTCOLOR', cref(t['hint'][1])))
    sec('BAR', ('PARENTCLASS', 'PANEL'))
    sec('BARTITLE', ('GRADIENTPERCENT', '100'), ('GRADIENTDATA', grad(t['title'])),
        ('HOTGRADIENTPERCENT', '100'), ('HOTGRADIENTDATA', grad(t['title_hot'])),
        ('COLOR', cref(title_mid)), ('HOTCOLOR', cref(title_mid)),
        ('FONTCOLOR', cref(t['title_font'][0])), ('HOTFONTCOLOR', cref(t['title_font'][1])))
    sec('DRAGBAR', ('PARENTCLASS', 'BARTITLE'))
    sec('GAUGE', ('PARENTCLASS', 'EDIT'))
    sec('PROGRESSH', ('PARENTCLASS', 'COMBOBTN'), ('GRADIENTDATA', grad(t['btn_hot'])),
        ('HOTGRADIENTDATA', grad(t['btn_hot'])), ('COLOR', cref(btn_hot_mid)),
        ('FONTCOLOR', cref(t['btn_hotfont'])))
    sec('PROGRESSV', ('PARENTCLASS', 'PROGRESSH'), ('GRADIENTDATA', grad(t['btn_hot'], 1)),
        ('HOTGRADIENTDATA', grad(t['btn_hot'], 1)))
    sec('SPLITTER', ('COLOR', cref(t['window'])), ('HOTCOLOR', cref(t['accent'])))
    sec('DIVIDER', ('PARENTCLASS', 'SPLITTER'))
    sec('STATUSBAR', ('GRADIENTPERCENT', '100'), ('GRADIENTDATA', grad(t['title'])),
        ('HOTGRADIENTPERCENT', '100'), ('HOTGRADIENTDATA', grad(t['title'])),
        ('COLOR', cref(title_mid)), ('FONTCOLOR', cref(t['title_font'][0])),
        ('HOTFONTCOLOR', cref(t['title_font'][0])))
    sec('TOOLBAR', ('PARENTCLASS', 'STATUSBAR'))
    sec('TRACKBAR', ('TRANSPARENCY', '100'), ('HOTTRANSPARENCY', '100'),
        ('COLOR', cref(t['window'])), ('HOTCOLOR', cref(t['window'])),
        ('FONTCOLOR', cref(t['text'])), ('HOTFONTCOLOR', cref(t['text'])), ('SLIDERCHANNEL', caret(r['TRACK'], 1, 1, 0, (4, 4, 4, 4))))
    sec('COLHEADER', ('PARENTCLASS', 'BUTTON'), ('FADINGENABLED', 'FALSE'))
    sec('PAGECONTROL', ('PARENTCLASS', 'PANEL'))
    sec('TABSHEET', ('PARENTCLASS', 'PAGECONTROL'))
    sec('TABTOP', ('BORDERSMASK', caret(r['TABTOP'], 3, 1, 4, (6, 6, 6, 6))),
        ('COLOR', cref(btn_mid)), ('HOTCOLOR', cref(btn_hot_mid)),
        ('GRADIENTPERCENT', '100'), ('GRADIENTDATA', grad(t['btn'])),
        ('HOTGRADIENTPERCENT', '100'), ('HOTGRADIENTDATA', grad(t['btn_hot'])),
        ('FONTCOLOR', cref(t['btn_font'])), ('HOTFONTCOLOR', cref(t['btn_hotfont'])))
    for side in ('BOTTOM', 'LEFT', 'RIGHT'):
        sec('TAB' + side, ('PARENTCLASS', 'TABTOP'),
            ('BORDERSMASK', caret(r['TAB' + side], 3, 1, 4, (6, 6, 6, 6))))
    form_grad = grad(t['form_grad'])
    hot_form = grad(t['form_hot_grad'] or t['form_grad'])
    img = t['form_img']
    sec('FORM', ('BORDERSMASK', caret(r['FORMFRAME'], 2, 1, 0, (4, 4, 4, 4))),
        ('COLOR', cref(t['window'])), ('HOTCOLOR', cref(t['window'])),
        ('GRADIENTPERCENT', str(100 - img)), ('GRADIENTDATA', form_grad),
        ('HOTGRADIENTPERCENT', str(100 - img)), ('HOTGRADIENTDATA', hot_form),
        ('IMAGEPERCENT', str(img)), ('HOTIMAGEPERCENT', str(img)),
        ('PATTERN', pattern or tilde(r['PATTERN'], 0)),
        ('HOTPATTERN', pattern or tilde(r['PATTERN'], 0)),
        ('FONTCOLOR', cref(t['text'])), ('HOTFONTCOLOR', cref(t['text'])),
        ('TRANSPARENCY', '0'), ('HOTTRANSPARENCY', '0'))
    sec('DIALOG', ('PARENTCLASS', 'FORM'))
    sec('FORMTITLE', ('BORDERSMASK', caret(r['FORMTITLE'], 2, 1, 0, (4, 4, 4, 4))),
        ('TITLEBUTTON', at(r['TITLEBUTTON'], 3, 1)),
        ('COLOR', cref(average(t['title']))), ('HOTCOLOR', cref(title_mid)),
        ('GRADIENTPERCENT', '100'), ('GRADIENTDATA', grad(t['title'])),
        ('HOTGRADIENTPERCENT', '100'), ('HOTGRADIENTDATA', grad(t['title_hot'])),
        ('FONTCOLOR', cref(t['title_font'][0])), ('HOTFONTCOLOR', cref(t['title_font'][1])),
        ('TCLEFT', '-1'), ('HOTTCLEFT', '-1'), ('TRANSPARENCY', '0'), ('HOTTRANSPARENCY', '0'))
    sec('MAINMENU', ('PARENTCLASS', 'PANEL'), ('COLOR', cref(t['hint'][0])),
        ('HOTCOLOR', cref(t['hint'][0])), ('GRADIENTPERCENT', '0'), ('HOTGRADIENTPERCENT', '0'),
        ('FONTCOLOR', cref(t['hint'][1])), ('HOTFONTCOLOR', cref(t['hint'][1])))
    sec('MENUITEM', ('BORDERSMASK', caret(r['BUTTON'], 3, 1, 6, (7, 7, 7, 7))),
        ('TRANSPARENCY', '100'), ('HOTTRANSPARENCY', '0'), ('COLOR', cref(t['hint'][0])),
        ('HOTCOLOR', cref(t['accent'])), ('HOTGRADIENTPERCENT', '100'),
        ('HOTGRADIENTDATA', grad(t['btn_hot'])), ('FONTCOLOR', cref(t['hint'][1])),
        ('HOTFONTCOLOR', cref(t['btn_hotfont'])))
    sec('MENULINE', ('PARENTCLASS', 'STATUSBAR'))
    sec('EXTRALINE', ('GRADIENTPERCENT', '100'), ('GRADIENTDATA', grad(t['title_hot'])),
        ('HOTGRADIENTPERCENT', '100'), ('HOTGRADIENTDATA', grad(t['title_hot'])),
        ('COLOR', cref(title_mid)), ('FONTCOLOR', cref(t['title_font'][1])),
        ('HOTFONTCOLOR', cref(t['title_font'][1])))
    sec('ICOLINE', ('PARENTCLASS', 'EXTRALINE'), ('GRADIENTDATA', grad([(t['title'][0][0], t['title'][-1][1], 100)], 1)),
        ('HOTGRADIENTDATA', grad([(t['title'][0][0], t['title'][-1][1], 100)], 1)))
    track = mix(C(t['window']), WHITE, 0.35)
    sec('SCROLLBAR1H', ('BORDERSMASK', caret(r['TRACK'], 1, 1, 0, (4, 4, 4, 4))),
        ('COLOR', cref(track)), ('HOTCOLOR', cref(mix(track, WHITE, 0.2))))
    sec('SCROLLBAR1V', ('PARENTCLASS', 'SCROLLBAR1H'))
    sec('SCROLLBAR2H', ('PARENTCLASS', 'SCROLLBAR1H'))
    sec('SCROLLBAR2V', ('PARENTCLASS', 'SCROLLBAR1V'))
    for side, arrow in (('TOP', 'UP'), ('BOTTOM', 'DOWN'), ('LEFT', 'LEFT'), ('RIGHT', 'RIGHT')):
        sec('SCROLLBTN' + side, ('PARENTCLASS', 'COMBOBTN'), ('GLYPHMASK', at(r['ARROW' + arrow], 3, 1)))
    sec('SCROLLSLIDERH', ('PARENTCLASS', 'COMBOBTN'))
    sec('SCROLLSLIDERV', ('PARENTCLASS', 'SCROLLSLIDERH'))
    check_chains(S)
    settled = settle_contrast(S)
    lines = ['; QUIBBLETON SKIN "%s", MADE BY THE SKIN ART GENERATOR.' % t['desc']]
    for name, items in S:
        lines.append('')
        lines.append('[%s]' % name)
        for k, v in items:
            lines.append('%s=%s' % (k, v))
    text = '\r\n'.join(lines) + '\r\n'
    assert text == text.upper(), 'options text must be upper case'
    return text, settled


def settle_contrast(S):
    """Makes every text of the skin readable at every hue the program wears it with: a text
    colour that does not reach the contrast over its face is moved towards black or white and
    written into its own section.  The phrase and the labels' text (GLOBALINFO) are held to the
    dialog's face, the phrase's glow to the phrase.  Returns what was moved, for the log."""
    sections = {n: dict(items) for n, items in S}
    moved = []

    def put(name, key, rgb):
        old = contrast.inherited(sections, name, key)
        value = str(contrast.rgb2c(rgb))
        sections[name][key] = value
        for sec_name, items in S:
            if sec_name == name:
                for i, (k, _) in enumerate(items):
                    if k == key:
                        items[i] = (k, value)
                        break
                else:
                    items.append((key, value))
        moved.append('%s.%s %s -> %s' % (name, key, old, value))

    for name, _ in S:
        if not contrast.draws_text(sections, name):
            continue
        for hot in (False, True):
            text, colour, gradient, percent = contrast.state_values(sections, name, hot)
            good = contrast.settle_text(text, colour, gradient, percent, '%s %s' % (name, hot))
            if good != text:
                put(name, 'HOTFONTCOLOR' if hot else 'FONTCOLOR', good)
    _, face, gradient, percent = contrast.state_values(sections, 'FORM', True)
    for key in ('FONTCOLOR', 'TCLEFT'):
        text = contrast.c2rgb(sections['GLOBALINFO'][key])
        good = contrast.settle_text(text, face, gradient, percent, 'GLOBALINFO ' + key)
        if good != text:
            put('GLOBALINFO', key, good)
    accent = contrast.c2rgb(sections['GLOBALINFO']['HOTCOLOR'])
    text = contrast.c2rgb(sections['GLOBALINFO']['HOTFONTCOLOR'])
    good = contrast.settle_text(text, accent, [], 0, 'GLOBALINFO HOTFONTCOLOR')
    if good != text:
        put('GLOBALINFO', 'HOTFONTCOLOR', good)
    phrase = contrast.c2rgb(sections['GLOBALINFO']['TCLEFT'])
    glow = contrast.c2rgb(sections['GLOBALINFO']['SHADOW1COLOR'])
    good = contrast.settle_text(glow, phrase, [], 0, 'GLOBALINFO SHADOW1COLOR')
    if good != glow:
        put('GLOBALINFO', 'SHADOW1COLOR', good)
    return moved


def check_chains(sections):
    names = {n for n, _ in sections}
    parent = {n: dict(items).get('PARENTCLASS', '') for n, items in sections}
    for n in parent:
        seen = {n}
        p = parent[n]
        while p:
            if p not in names:
                raise ValueError('%s: PARENTCLASS %s does not exist' % (n, p))
            if p in seen:
                raise ValueError('PARENTCLASS loop through ' + n)
            seen.add(p)
            p = parent[p]


# ---------------------------------------------------------------------------------------------

def write_skin(name, out_root):
    t = THEMES[name]
    folder, master_name, huge_name = TARGETS[name]
    path = os.path.join(out_root, folder)
    os.makedirs(path, exist_ok=True)
    master, rects = build_master(t)
    huge = build_huge(t)
    write_bmp8(os.path.join(path, master_name), master)
    write_bmp8(os.path.join(path, huge_name), huge)
    pattern = button_pattern = None
    if name == 'Marble':
        pattern, button_pattern = 'MARBLE.JPG', 'GRANITE.JPG'
        write_jpeg(shapes.texture(320, 'marble', C(t['form_tex_base']), seed=7),
                   os.path.join(path, pattern))
        write_jpeg(shapes.texture(128, 'granite', C('#5C6C6F'), seed=11),
                   os.path.join(path, button_pattern))
    text, settled = options_text(t, rects, huge_name, pattern, button_pattern)
    for line in settled:
        print('  contrast: ' + line)
    with open(os.path.join(path, 'Options.dat'), 'w', newline='') as f:
        f.write(text)
    print('%-16s -> %s (%d sections)' % (name, path, text.count('\n[')))


def write_jpeg(im, path):
    tmp = path + '.tmp.bmp'
    write_bmp24(tmp, im)
    try:
        subprocess.run(['convert', tmp, '-quality', '88', 'JPG:' + path], check=True)
    finally:
        os.remove(tmp)


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument('--out', default=os.path.join(REPO, 'skins'))
    ap.add_argument('skins', nargs='*')
    a = ap.parse_args()
    for name in a.skins or list(TARGETS):
        if name not in TARGETS:
            sys.exit('unknown skin %s (known: %s)' % (name, ', '.join(TARGETS)))
        write_skin(name, a.out)


if __name__ == '__main__':
    main()
