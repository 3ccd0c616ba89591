"""Text contrast of a skin, measured the way `quibbleton-skin check` measures it, at every hue
offset the program wears its skins with.

The program's managers turn a skin's hue by 0, 50, 60, 170, 240 and 340 degrees.  A hue turn
keeps a colour's HSV value and saturation but not its luminance (a dark blue turned to green
gets much lighter), so a text colour is only safe when it reads at every one of those hues.
`settle_text` moves a text colour towards black or white, keeping its tint as long as it can,
until it does.
"""
import math

HUES = (0, 50, 60, 170, 240, 340)
# The program's managers wear skins at these hues both plain and with `Saturation` 100 (more
# vivid); a text is settled for every pair.
LOOKS = tuple((h, s) for s in (0, 100) for h in HUES)
MINIMUM = 4.5
# A little above the tool's limit: the tool rounds the face mix its own way.
TARGET = 4.6

# The sections the program's controls write on; any other section is checked when it sets a
# text colour of its own.
TEXT_SECTIONS = ('BUTTON', 'SPEEDBUTTON', 'SPEEDBUTTON_SMALL', 'TOOLBUTTON', 'WEBBUTTON', 'EDIT',
                 'COMBOBOX', 'GROUPBOX', 'CHECKBOX', 'RADIOBUTTON', 'FORMTITLE', 'PANEL', 'DIALOG')
DEFAULTS = {'COLOR': 0xFFFFFF, 'HOTCOLOR': 0xFFFFFF, 'FONTCOLOR': 0, 'HOTFONTCOLOR': 0,
            'GRADIENTPERCENT': 0, 'HOTGRADIENTPERCENT': 0}


def round_half_even(v):
    return int(round(v))


def change_hue(offset, rgb):
    """The engine's hue turn in the HSV model (value and saturation kept, hue in whole
    degrees)."""
    if offset == 0:
        return rgb
    r, g, b = rgb
    v, m = max(rgb), min(rgb)
    delta = v - m
    s = delta / v if v else 0.0
    if s == 0:
        return rgb
    k = 60.0 / delta
    if v == r:
        h = (g - b) * k
    elif v == g:
        h = 120 + (b - r) * k
    else:
        h = 240 + (r - g) * k
    if h < 0:
        h += 360
    h = math.fmod(round_half_even(offset + h), 360)
    x = h / 60.0
    i = int(x)
    f = x - i

    def clamp(c):
        return min(255.0, max(0.0, c))
    p, q, t = clamp(v * (1 - s)), clamp(v * (1 - s * f)), clamp(v * (1 - s * (1 - f)))
    out = {0: (v, t, p), 1: (q, v, p), 2: (p, v, t), 3: (p, q, v), 4: (t, p, v)}.get(i, (v, p, q))
    return tuple(round_half_even(c) for c in out)


def change_saturation(rgb, amount):
    """The engine's saturation change: each channel moved away from (negative amount) or
    towards (positive) the colour's grey by amount percent of its distance."""
    if amount == 0:
        return rgb
    g = sum(rgb) / 3.0
    return tuple(min(255, max(0, round_half_even(x + amount * ((g - x) / 100.0)))) for x in rgb)


def recolour(rgb, hue, saturation):
    """A colour as a manager with that hue offset and `Saturation` shows it (hue first)."""
    return change_saturation(change_hue(hue, rgb), int(math.fmod(-saturation, 101)))


def luminance(rgb):
    def lin(c):
        c = c / 255.0
        return c / 12.92 if c <= 0.03928 else ((c + 0.055) / 1.055) ** 2.4
    return 0.2126 * lin(rgb[0]) + 0.7152 * lin(rgb[1]) + 0.0722 * lin(rgb[2])


def ratio(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def face_behind_text(colour, gradient, percent):
    """The face behind a section's text: its colour mixed with the mean of the gradient's
    colours by the gradient's percentage."""
    percent = max(0, min(100, percent))
    if not gradient or percent == 0:
        return colour
    cols = [c for seg in gradient for c in seg[:2]]
    mean = [sum(c[i] for c in cols) / len(cols) for i in range(3)]
    return tuple(int(math.floor((colour[i] * (100 - percent) + mean[i] * percent) / 100.0 + 0.5))
                 for i in range(3))


def worst_ratio(text, colour, gradient, percent, looks=LOOKS):
    """The lowest contrast of text over the face in the given (hue, saturation) looks, and
    the look it occurs in."""
    worst = None
    for h, s in looks:
        face = face_behind_text(recolour(colour, h, s), [(recolour(a, h, s), recolour(b, h, s))
                                                        for a, b, *_ in gradient], percent)
        r = ratio(recolour(text, h, s), face)
        if worst is None or r < worst[0]:
            worst = (r, (h, s))
    return worst


def _towards(c, target, t):
    return tuple(int(round(c[i] + (target[i] - c[i]) * t)) for i in range(3))


def settle_text(text, colour, gradient, percent, what='text'):
    """The text colour nearest to `text` (moved towards black or white in small steps) that
    reads over the face at every hue; raises ValueError when neither black nor white does."""
    if worst_ratio(text, colour, gradient, percent)[0] >= TARGET:
        return text
    face = face_behind_text(colour, gradient, percent)
    darker_first = luminance(text) <= luminance(face)
    for end in ((0, 0, 0), (255, 255, 255)) if darker_first else ((255, 255, 255), (0, 0, 0)):
        for step in range(1, 21):
            c = _towards(text, end, step / 20.0)
            if worst_ratio(c, colour, gradient, percent)[0] >= TARGET:
                return c
    raise ValueError('%s: no text colour reads over the face %s at every hue' % (what, face))


# ---------------------------------------------------------------------------------------------
# Whole skins: sections as {name: {key: value text}}.

def c2rgb(v):
    v = int(v)
    return (v & 255, (v >> 8) & 255, (v >> 16) & 255)


def rgb2c(c):
    return c[0] | (c[1] << 8) | (c[2] << 16)


def inherited(sections, name, key):
    """A key's text through the PARENTCLASS chain; -1 and '?' count as absent."""
    seen = set()
    while name in sections and name not in seen:
        seen.add(name)
        v = sections[name].get(key)
        if v is not None and v not in ('-1', '?'):
            return v
        name = sections[name].get('PARENTCLASS', '')
    return None


def number(sections, name, key):
    v = inherited(sections, name, key)
    return int(v) if v is not None else DEFAULTS.get(key, 0)


def gradient(sections, name, key):
    v = inherited(sections, name, key)
    if not v or v == ' ':
        return []
    w = v.split(';')
    return [(c2rgb(w[5 * k]), c2rgb(w[5 * k + 1])) for k in range(len(w) // 5)]


def draws_text(sections, name):
    if name == 'GLOBALINFO':
        return False
    own = sections[name]
    return name in TEXT_SECTIONS or 'FONTCOLOR' in own or 'HOTFONTCOLOR' in own


def state_values(sections, name, hot):
    p = 'HOT' if hot else ''
    return (c2rgb(number(sections, name, p + 'FONTCOLOR')), c2rgb(number(sections, name, p + 'COLOR')),
            gradient(sections, name, p + 'GRADIENTDATA'), number(sections, name, p + 'GRADIENTPERCENT'))


def problems(sections):
    """Every (section, state, ratio, hue) whose text is hard to read at one of the hues."""
    out = []
    for name in sections:
        if not draws_text(sections, name):
            continue
        for hot in (False, True):
            text, colour, grad, pct = state_values(sections, name, hot)
            r, h = worst_ratio(text, colour, grad, pct)
            if r < MINIMUM:
                out.append((name, 'hot' if hot else 'normal', r, h))
    return out
