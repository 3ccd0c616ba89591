"""Tests of the skin art generator's painters and of its contrast model against the engine.

Run by ctest (skinart_tests) with QUIBBLETON_SKIN_TOOL naming the built quibbleton-skin.
"""
import contextlib
import io
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import unittest

REPO = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
sys.path.insert(0, os.path.join(REPO, 'tools', 'skinart'))

import contrast  # noqa: E402
import shapes  # noqa: E402
import skinart  # noqa: E402
from imgio import KEY  # noqa: E402
from themes import THEMES  # noqa: E402

SKIN_FOLDERS = [os.path.join(REPO, 'skins', f) for f in
                ('Desert', 'Golden', 'Office2003', 'Office2007Black', 'Office2007Blue',
                 os.path.join('extra', 'Aurora'), os.path.join('extra', 'Marble'))]


def read_sections(folder):
    sections, cur = {}, None
    with open(os.path.join(folder, 'Options.dat'), encoding='latin-1') as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith(';'):
                continue
            if line.startswith('['):
                cur = line[1:-1]
                sections[cur] = {}
            else:
                k, _, v = line.partition('=')
                sections[cur][k] = v
    return sections


class RecolouringMatchesTheEngine(unittest.TestCase):
    """The generator settles text colours by its own copy of the engine's hue turn and
    saturation change; the engine's dump of a recoloured skin must show the same colours."""

    def setUp(self):
        self.tool = os.environ.get('QUIBBLETON_SKIN_TOOL')
        if not self.tool or not os.path.exists(self.tool):
            self.skipTest('QUIBBLETON_SKIN_TOOL does not name the built skin tool')

    def test_every_section_colour_in_every_look(self):
        for folder in (SKIN_FOLDERS[1], SKIN_FOLDERS[4], SKIN_FOLDERS[5]):
            sections = read_sections(folder)
            for hue, sat in ((50, 0), (240, 100), (170, 100)):
                out = subprocess.run([self.tool, 'dump', folder, '--hue', str(hue), '--saturation', str(sat)],
                                     check=True, capture_output=True, text=True).stdout
                dumped = {s['ClassName']: s for s in json.loads(out)['sections']}
                compared = 0
                for name, keys in sections.items():
                    for key, field in (('COLOR', 'Color'), ('HOTCOLOR', 'HotColor')):
                        if key in keys and keys[key] != '-1':
                            want = contrast.recolour(contrast.c2rgb(keys[key]), hue, sat)
                            self.assertEqual(contrast.c2rgb(dumped[name][field]), want,
                                             '%s %s.%s at %d/%d' % (folder, name, key, hue, sat))
                            compared += 1
                    if keys.get('FONTCOLOR', '-1') != '-1':
                        want = contrast.recolour(contrast.c2rgb(keys['FONTCOLOR']), hue, sat)
                        self.assertEqual(contrast.c2rgb(dumped[name]['FontColor'][0]), want)
                self.assertGreater(compared, 20)


class Contrast(unittest.TestCase):
    def test_ratio_follows_the_luminance_formula(self):
        self.assertAlmostEqual(contrast.ratio((0, 0, 0), (255, 255, 255)), 21.0, places=6)
        self.assertAlmostEqual(contrast.ratio((90, 90, 90), (90, 90, 90)), 1.0)

    def test_hue_turn_keeps_value_and_saturation(self):
        rnd = random.Random(5)
        for _ in range(300):
            c = tuple(rnd.randrange(256) for _ in range(3))
            for h in contrast.HUES:
                t = contrast.change_hue(h, c)
                self.assertLessEqual(abs(max(t) - max(c)), 1, (c, h, t))
                self.assertLessEqual(abs((max(t) - min(t)) - (max(c) - min(c))), 2, (c, h, t))
        self.assertEqual(contrast.change_hue(170, (77, 77, 77)), (77, 77, 77))

    def test_settled_text_reads_in_every_look_and_readable_text_stays(self):
        face = (230, 215, 180)
        self.assertEqual(contrast.settle_text((20, 20, 20), face, [], 0), (20, 20, 20))
        rnd = random.Random(9)
        for _ in range(40):
            text = tuple(rnd.randrange(256) for _ in range(3))
            try:
                good = contrast.settle_text(text, face, [], 0)
            except ValueError:
                continue
            self.assertGreaterEqual(contrast.worst_ratio(good, face, [], 0)[0], contrast.TARGET)

    def test_a_face_no_text_reads_over_is_refused(self):
        # Pure red turns into pure blue (dark) and pure green (light) among the looks.
        with self.assertRaises(ValueError):
            contrast.settle_text((0, 0, 0), (255, 0, 0), [], 0)

    def test_shipped_skins_read_in_every_look(self):
        for folder in SKIN_FOLDERS:
            self.assertEqual(contrast.problems(read_sections(folder)), [], folder)

    def test_spin_arrows_in_black_read_on_the_small_buttons(self):
        # The program draws the spin edits' arrows in the form's black font colour.
        for folder in SKIN_FOLDERS:
            sections = read_sections(folder)
            _, colour, grad, pct = contrast.state_values(sections, 'SPEEDBUTTON_SMALL', False)
            self.assertGreaterEqual(contrast.worst_ratio((0, 0, 0), colour, grad, pct)[0], contrast.MINIMUM, folder)

    def test_pressed_tint_keeps_the_caption_readable(self):
        for name, t in THEMES.items():
            face = skinart.average(t['btn_hot'])
            tint = skinart.C(t['btn_press'][0])
            text = contrast.settle_text(skinart.C(t['btn_hotfont']), face, [], 0)
            alpha = skinart.pressed_tint(face, tint, 0.5, text)
            self.assertGreaterEqual(contrast.worst_ratio(text, shapes.mix(face, tint, alpha), [], 0)[0],
                                    contrast.TARGET, name)


class GeneratedFilesAreCommitted(unittest.TestCase):
    """The skins in skins/ are what the generator writes today: a change to the art that was
    not regenerated (or a hand edit that the generator would undo) shows here."""

    def test_options_and_bitmaps_match_a_fresh_run(self):
        with tempfile.TemporaryDirectory() as out:
            with contextlib.redirect_stdout(io.StringIO()):
                for name in skinart.TARGETS:
                    if name == 'Marble' and not shutil.which('convert'):
                        continue
                    skinart.write_skin(name, out)
            compared = 0
            for name, (folder, master, huge) in skinart.TARGETS.items():
                fresh = os.path.join(out, folder)
                if not os.path.isdir(fresh):
                    continue
                for f in ('Options.dat', master, huge):
                    with open(os.path.join(fresh, f), 'rb') as a, \
                            open(os.path.join(REPO, 'skins', folder, f), 'rb') as b:
                        self.assertTrue(a.read() == b.read(), '%s/%s differs from a fresh run' % (folder, f))
                    compared += 1
            self.assertGreaterEqual(compared, 18)


class Cells(unittest.TestCase):
    def test_edges_are_uniform_along_their_length(self):
        # A tiled edge piece must not carry a seam: every row of a side edge is alike, and so
        # is every column of the top and bottom edges.
        t = THEMES['Golden']
        for style in skinart.button_styles(t, radius=5):
            img, msk = shapes.paint_cell(20, 20, style)
            for y in range(7, 13):
                self.assertEqual([img.get(x, y) for x in range(20)], [img.get(x, 7) for x in range(20)])
                self.assertEqual([msk.get(x, y) for x in range(20)], [msk.get(x, 7) for x in range(20)])
            for x in range(7, 13):
                self.assertEqual([img.get(x, y) for y in range(20)], [img.get(7, y) for y in range(20)])

    def test_key_pixels_lie_in_the_corners_and_partly_covered_ones_are_smoothed(self):
        t = THEMES['Desert']
        style = skinart.button_styles(t, radius=5)[0]
        img, msk = shapes.paint_cell(20, 20, style)
        keys = [(x, y) for y in range(20) for x in range(20) if img.get(x, y) == KEY]
        self.assertTrue(keys)
        self.assertTrue(all((x < 7 or x >= 13) and (y < 7 or y >= 13) for x, y in keys))
        self.assertEqual(img.get(0, 0), KEY)
        outline, matte = style['outline'], style['matte']
        smoothed = [img.get(x, y) for y in range(7) for x in range(7)
                    if img.get(x, y) not in (KEY, outline) and msk.get(x, y) == (0, 0, 0)]
        # Some corner pixels lie between the rim and the matte behind it.
        self.assertTrue(any(all(min(o, m) <= c <= max(o, m) for c, o, m in zip(p, outline, matte))
                            for p in smoothed))

    def test_states_differ_and_pressed_is_darker_than_hot(self):
        t = THEMES['Office2007Blue']
        normal, hot, pressed = (shapes.paint_cell(20, 20, s) for s in skinart.button_styles(t))
        self.assertNotEqual(normal[0].px, hot[0].px)
        centre = (10, 10)
        self.assertEqual(hot[1].get(*centre), (255, 255, 255))   # the hot face shows as painted
        self.assertLess(pressed[1].get(*centre)[0], 255)         # the pressed face is tinted

    def test_title_glyphs_are_smooth_and_the_pressed_one_moves(self):
        cells = shapes.title_glyph_cells(22, 18, 'close', 9, [((255, 255, 255), None, None, 0),
                                                               ((255, 255, 255), None, None, 1)])
        mask = [cells.get(x, 18 + y)[0] for y in range(18) for x in range(22)]
        self.assertTrue(any(0 < m < 255 for m in mask), 'no partly covered pixel')
        first = [(x, y) for y in range(18) for x in range(22) if cells.get(x, 18 + y)[0] == 0]
        second = [(x - 22, y) for y in range(18) for x in range(22, 44) if cells.get(x, 18 + y)[0] == 0]
        self.assertTrue(first)
        self.assertEqual(sorted((x + 1, y + 1) for x, y in first), sorted(second))


if __name__ == '__main__':
    unittest.main()
