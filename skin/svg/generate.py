#!/usr/bin/env python3
"""Writes the skin's SVG picture sources (palette of the look-and-feel guide).
Render them to PNG with the zorvath_render_skin tool:  zorvath_render_skin skin/svg skin"""
import os

ACCENT, ACCENT_DOWN = "#0099FF", "#0078C8"
TEXT, SECOND, DISABLED = "#FFFFFF", "#A7B0BC", "#666666"
RAISED, HOVER, CARD, BORDER = "#20262E", "#2A313B", "#181C22", "#262C35"
WARN, OK = "#FF5A5F", "#3DDC84"
HERE = os.path.dirname(os.path.abspath(__file__))


def svg(name, w, h, body, top=0):
    """top: the first row of the drawing shown, for a picture cut to what it draws."""
    path = os.path.join(HERE, name + ".svg")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{w}" height="{h}" viewBox="0 {top} {w} {h}">\n{body}\n</svg>\n')


# ---- check boxes, radio buttons ----
def check(name, fill, stroke, mark):
    m = (f'<path d="M4.2 8.3 L6.9 11 L11.8 5.4" fill="none" stroke="{mark}" stroke-width="2" '
         f'stroke-linecap="round" stroke-linejoin="round"/>' if mark else "")
    svg(name, 16, 16, f'<rect x="0.75" y="0.75" width="14.5" height="14.5" rx="3.5" fill="{fill}" '
                      f'stroke="{stroke}" stroke-width="1.5"/>{m}')


check("Control/check_off", RAISED, "#4A535F", None)
check("Control/check_off_hot", HOVER, "#6B7684", None)
check("Control/check_on", ACCENT, ACCENT, TEXT)
# Keyboard focus: the box ringed in the accent (a lighter ring when checked).
check("Control/check_off_focus", RAISED, ACCENT, None)
check("Control/check_on_focus", ACCENT, "#7FCCFF", TEXT)
check("Control/check_disabled", "#1A1F26", "#333A44", None)
# Checked but not changeable (the one DPI stage left on): the mark stays, in grey.
check("Control/check_on_disabled", "#2C333D", "#3A424D", SECOND)


def radio(name, stroke, dot, fill=None):
    d = f'<circle cx="8" cy="8" r="3.5" fill="{dot}"/>' if dot else ""
    fill = fill or (RAISED if not dot else "#0F2A40")
    svg(name, 16, 16, f'<circle cx="8" cy="8" r="7.1" fill="{fill}" stroke="{stroke}" stroke-width="1.5"/>{d}')


radio("Control/radio_off", "#4A535F", None)
radio("Control/radio_off_hot", "#6B7684", None)
radio("Control/radio_on", ACCENT, TEXT)
radio("Control/radio_off_focus", ACCENT, None)
radio("Control/radio_on_focus", "#7FCCFF", TEXT)
radio("Control/radio_off_disabled", "#333A44", None, "#1A1F26")
radio("Control/radio_on_disabled", "#3A424D", SECOND, "#2C333D")


# ---- slider thumbs and bars ----
def thumb(name, ring, fill, glow=None, size=16):
    c = size / 2
    g = f'<circle cx="{c}" cy="{c}" r="{c - 0.2}" fill="{glow}" fill-opacity="0.35"/>' if glow else ""
    svg(name, size, size, f'{g}<circle cx="{c}" cy="{c}" r="{c - 2.5}" fill="{fill}" '
                          f'stroke="{ring}" stroke-width="2.5"/>')


thumb("Control/slider_thumb", ACCENT, TEXT)
thumb("Control/slider_thumb_hot", ACCENT, TEXT, glow=ACCENT)
thumb("Control/slider_thumb_disabled", "#4A535F", DISABLED)
# DPI stage sliders: inactive stages grey, the active stage in the accent colour.
thumb("Control/SliderBar1_Thumb", "#6B7684", "#D9DEE5")
thumb("Control/SliderBar2_Thumb", ACCENT, TEXT, glow=ACCENT)
svg("Control/SliderBar_BK1", 200, 4, f'<rect x="0" y="0" width="200" height="4" rx="2" fill="#3A424D"/>')
svg("Control/SliderBar_BK3", 200, 4, f'<rect x="0" y="0" width="200" height="4" rx="2" fill="{ACCENT}"/>')

# ---- combo arrow, small icons ----
for name, colour in (("combo_arrow", SECOND), ("combo_arrow_disabled", DISABLED)):
    svg("Control/" + name, 12, 12, f'<path d="M2.5 4.5 L6 8 L9.5 4.5" fill="none" stroke="{colour}" '
                                   f'stroke-width="1.8" stroke-linecap="round" stroke-linejoin="round"/>')


def gear(colour, cx, cy, r):
    teeth = []
    import math
    for i in range(8):
        a = i * math.pi / 4
        x, y = cx + math.cos(a) * r * 1.05, cy + math.sin(a) * r * 1.05
        teeth.append(f'<circle cx="{x:.2f}" cy="{y:.2f}" r="{r * 0.28:.2f}" fill="{colour}"/>')
    return (''.join(teeth) + f'<circle cx="{cx}" cy="{cy}" r="{r * 0.9:.2f}" fill="{colour}"/>'
            f'<circle cx="{cx}" cy="{cy}" r="{r * 0.38:.2f}" fill="{RAISED}"/>')


svg("Control/settings_icon", 20, 20, gear(SECOND, 10, 10, 6.2))

# ---- tray menu icons ----
svg("menu/settings", 16, 16, gear(SECOND, 8, 8, 5).replace(RAISED, CARD))
svg("menu/about", 16, 16, f'<circle cx="8" cy="8" r="6.5" fill="none" stroke="{SECOND}" stroke-width="1.5"/>'
                          f'<rect x="7.2" y="7" width="1.6" height="4.5" rx="0.8" fill="{SECOND}"/>'
                          f'<circle cx="8" cy="4.9" r="1" fill="{SECOND}"/>')
svg("menu/exit", 16, 16, f'<path d="M5 3.5 A5.5 5.5 0 1 0 11 3.5" fill="none" stroke="{WARN}" stroke-width="1.6" '
                         f'stroke-linecap="round"/><rect x="7.2" y="1.5" width="1.6" height="6" rx="0.8" fill="{WARN}"/>')

# ---- caption (system) buttons, 32 x 32: normal and hot ----
glyphs = {
    "min": lambda c: f'<rect x="10" y="15.2" width="12" height="1.6" rx="0.8" fill="{c}"/>',
    "max": lambda c: f'<rect x="10.8" y="10.8" width="10.4" height="10.4" rx="1.5" fill="none" stroke="{c}" stroke-width="1.6"/>',
    "restore": lambda c: (f'<rect x="10" y="13" width="9" height="9" rx="1.5" fill="none" stroke="{c}" stroke-width="1.6"/>'
                          f'<path d="M13 10 H20.5 A1.5 1.5 0 0 1 22 11.5 V19" fill="none" stroke="{c}" stroke-width="1.6"/>'),
    "close": lambda c: f'<path d="M11 11 L21 21 M21 11 L11 21" stroke="{c}" stroke-width="1.8" stroke-linecap="round"/>',
    "set": lambda c: gear(c, 16, 16, 6.4).replace(RAISED, "#101317"),
    "skin": lambda c: (f'<path d="M16 9 C11.5 9 9 12 9 15.5 C9 19.5 12 23 16 23 C17.4 23 17.6 21.8 16.9 21 '
                       f'C16.2 20.1 16.8 19 18 19 H20 C22 19 23 17.5 23 15.5 C23 11.8 20 9 16 9 Z" fill="none" '
                       f'stroke="{c}" stroke-width="1.6"/><circle cx="13" cy="14" r="1.2" fill="{c}"/>'
                       f'<circle cx="16.5" cy="12.3" r="1.2" fill="{c}"/><circle cx="19.6" cy="14.5" r="1.2" fill="{c}"/>'),
    "light": lambda c: (f'<path d="M16 8.5 A5.5 5.5 0 0 1 19.3 18.4 V20.5 H12.7 V18.4 A5.5 5.5 0 0 1 16 8.5 Z" '
                        f'fill="none" stroke="{c}" stroke-width="1.6" stroke-linejoin="round"/>'
                        f'<rect x="13" y="22" width="6" height="1.6" rx="0.8" fill="{c}"/>'),
}
for key, glyph in glyphs.items():
    svg(f"sysbtn/{key}_normal", 32, 32, glyph(SECOND))
    bg = WARN if key == "close" else HOVER
    svg(f"sysbtn/{key}_hot", 32, 32, f'<rect x="0" y="0" width="32" height="32" rx="6" fill="{bg}"/>' + glyph(TEXT))
svg("sysbtn/haveNewInfo", 32, 32, f'<circle cx="25" cy="7" r="5" fill="#101317"/><circle cx="25" cy="7" r="3.6" fill="{WARN}"/>')


# ---- battery and charging (power/), 28 x 16 ----
def battery(level, colour, extra=""):
    w = 20 * level
    return (f'<rect x="1" y="2" width="23" height="12" rx="3" fill="none" stroke="{SECOND}" stroke-width="1.5"/>'
            f'<rect x="25" y="5.5" width="2.2" height="5" rx="1" fill="{SECOND}"/>'
            f'<rect x="3" y="4" width="{w:.1f}" height="8" rx="1.5" fill="{colour}"/>{extra}')


bolt = lambda c: f'<path d="M13.8 3.2 L9.2 8.8 H12.4 L11.2 12.8 L15.8 7.2 H12.6 Z" fill="{c}" stroke="#101317" stroke-width="0.6"/>'
svg("power/power", 28, 16, battery(0.6, TEXT))
svg("power/powered", 28, 16, battery(1.0, OK))
svg("power/powering", 28, 16, battery(0.45, ACCENT) + bolt(TEXT))
svg("power/wuxian_powering", 28, 16, battery(0.45, ACCENT) + bolt(TEXT).replace("M13.8", "M13.8") +
    f'<path d="M26.5 1.5 A3 3 0 0 1 26.5 6" fill="none" stroke="{ACCENT}" stroke-width="1"/>')


def phone(name, mark):
    svg("power/" + name, 16, 16, f'<rect x="4" y="1" width="8" height="14" rx="2" fill="none" stroke="{SECOND}" '
                                 f'stroke-width="1.4"/><rect x="6.5" y="12.2" width="3" height="1" rx="0.5" fill="{SECOND}"/>{mark}')


phone("Phone_type_iphone", f'<circle cx="8" cy="6.5" r="1.8" fill="{TEXT}"/>')
phone("Phone_type_samsung", f'<rect x="5.8" y="5.5" width="4.4" height="2" rx="1" fill="{TEXT}"/>')
phone("Phone_type_other", f'<circle cx="8" cy="6.5" r="1.2" fill="{SECOND}"/>')
phone("Phone_type_no_device", f'<path d="M2 14 L14 2" stroke="{DISABLED}" stroke-width="1.4"/>')


# ---- device selector icons, 56 x 56 ----
def device_glyph(kind, c):
    if kind == "ms":
        return (f'<path d="M28 12 C21 12 18 17 18 24 V33 C18 40 22 45 28 45 C34 45 38 40 38 33 V24 C38 17 35 12 28 12 Z" '
                f'fill="none" stroke="{c}" stroke-width="2.2"/><path d="M28 12 V23 M18.5 23 H37.5" stroke="{c}" stroke-width="1.8"/>'
                f'<rect x="26.6" y="15.5" width="2.8" height="5" rx="1.4" fill="{c}"/>')
    if kind == "kb":
        keys = ''.join(f'<rect x="{12 + i * 6.5}" y="{21 + j * 6}" width="4.5" height="4" rx="1" fill="{c}"/>'
                       for j in range(2) for i in range(5))
        return (f'<rect x="8" y="17" width="40" height="24" rx="4" fill="none" stroke="{c}" stroke-width="2.2"/>{keys}'
                f'<rect x="17" y="33.5" width="22" height="4" rx="1" fill="{c}"/>')
    if kind == "hard_mp":
        return (f'<rect x="9" y="14" width="38" height="28" rx="5" fill="none" stroke="{c}" stroke-width="2.2"/>'
                f'<path d="M14 37 H42" stroke="{c}" stroke-width="1.4" stroke-dasharray="2 3"/>')
    if kind == "soft_mp":
        return (f'<path d="M9 18 H41 A6 6 0 0 1 41 30 H9 Z" fill="none" stroke="{c}" stroke-width="2.2"/>'
                f'<path d="M9 30 V40 H44" fill="none" stroke="{c}" stroke-width="2.2"/>')
    if kind == "hd":
        return (f'<path d="M14 32 V27 A14 14 0 0 1 42 27 V32" fill="none" stroke="{c}" stroke-width="2.2"/>'
                f'<rect x="11" y="30" width="7" height="12" rx="3" fill="{c}"/><rect x="38" y="30" width="7" height="12" rx="3" fill="{c}"/>')
    if kind == "hub":
        return (f'<rect x="12" y="22" width="32" height="14" rx="4" fill="none" stroke="{c}" stroke-width="2.2"/>'
                + ''.join(f'<rect x="{16 + i * 7}" y="27" width="4" height="4" rx="1" fill="{c}"/>' for i in range(4)))
    return (f'<circle cx="28" cy="28" r="15" fill="none" stroke="{c}" stroke-width="2.2"/>'
            f'<path d="M23.5 24 A4.5 4.5 0 1 1 28 28.5 V31" fill="none" stroke="{c}" stroke-width="2.2" stroke-linecap="round"/>'
            f'<circle cx="28" cy="35.5" r="1.5" fill="{c}"/>')


sync_badge = (f'<circle cx="44" cy="44" r="9" fill="#101317"/><circle cx="44" cy="44" r="7.5" fill="{OK}"/>'
              f'<path d="M40.5 43 A3.8 3.8 0 0 1 47 41.5 M47.5 45 A3.8 3.8 0 0 1 41 46.5" fill="none" stroke="#101317" '
              f'stroke-width="1.5" stroke-linecap="round"/>')
for kind in ("kb", "ms", "hard_mp", "soft_mp", "hd", "hub", "unknow"):
    normal = device_glyph(kind, SECOND)
    selected = (f'<rect x="1" y="1" width="54" height="54" rx="10" fill="#0F2A40" stroke="{ACCENT}" stroke-width="2"/>'
                + device_glyph(kind, TEXT))
    svg(f"common/device_ico/{kind}_device_normal", 56, 56, normal)
    svg(f"common/device_ico/{kind}_device_selected", 56, 56, selected)
    svg(f"common/device_ico/{kind}_device_synchro_normal", 56, 56, normal + sync_badge)
    svg(f"common/device_ico/{kind}_device_synchro_selected", 56, 56, selected + sync_badge)

# ---- window background: a calm gradient with a faint diagonal texture ----
lines = ''.join(f'<path d="M{x} 0 L{x - 640} 640" stroke="#FFFFFF" stroke-opacity="0.012" stroke-width="1"/>'
                for x in range(0, 1700, 16))
svg("common/background", 1000, 640,
    '<defs><radialGradient id="g" cx="0.72" cy="0.18" r="0.9"><stop offset="0" stop-color="#16202B"/>'
    '<stop offset="0.55" stop-color="#111519"/><stop offset="1" stop-color="#101317"/></radialGradient></defs>'
    f'<rect x="0" y="0" width="1000" height="640" fill="url(#g)"/>{lines}')

# ---- the mouse seen from above, for the device page ----
# Drawn on 300 x 420; the picture shows rows 16 to 404 (300 x 388, the body with a small rim),
# so no empty band pushes the device page taller than the window. Key areas, in drawing pixels
# (subtract 16 from y for picture pixels), for placing the key buttons over it:
#   left (42,40)-(146,170)  right (154,40)-(258,170)  wheel (138,62)-(162,122)
#   DPI up (140,132)-(160,150)  DPI down (140,154)-(160,172)  DPI cycle (136,190)-(164,206)
#   forward (33,180)-(45,226)  back (33,232)-(45,282)
SHELL = ("M150 18 C95 18 58 40 46 92 C38 130 36 180 38 230 C40 300 70 395 150 402 "
         "C230 395 260 300 262 230 C264 180 262 130 254 92 C242 40 205 18 150 18 Z")


def mouse(accent_on):
    glow = ACCENT if accent_on else "#3A424D"
    return (
        '<defs>'
        '<linearGradient id="body" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#232A33"/>'
        '<stop offset="1" stop-color="#15191E"/></linearGradient>'
        '<linearGradient id="keys" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#2B333D"/>'
        '<stop offset="1" stop-color="#1E242C"/></linearGradient>'
        '</defs>'
        f'<path d="{SHELL}" fill="url(#body)" stroke="#323A45" stroke-width="2"/>'
        # the two main buttons, split down the middle, ending in a curved seam
        '<path d="M146 24 C100 28 66 48 54 96 C50 118 46 146 46 170 L146 170 Z" fill="url(#keys)" stroke="#38414D" stroke-width="1.5"/>'
        '<path d="M154 24 C200 28 234 48 246 96 C250 118 254 146 254 170 L154 170 Z" fill="url(#keys)" stroke="#38414D" stroke-width="1.5"/>'
        # wheel
        '<rect x="138" y="62" width="24" height="60" rx="12" fill="#101317" stroke="#3A424D" stroke-width="1.5"/>'
        + ''.join(f'<rect x="142" y="{68 + i * 7}" width="16" height="3" rx="1.5" fill="#4A535F"/>' for i in range(7)) +
        # DPI up / down behind the wheel
        '<rect x="140" y="132" width="20" height="18" rx="4" fill="#262D36" stroke="#3A424D" stroke-width="1.2"/>'
        '<path d="M145 144 L150 138 L155 144" fill="none" stroke="#A7B0BC" stroke-width="1.6" stroke-linecap="round"/>'
        '<rect x="140" y="154" width="20" height="18" rx="4" fill="#262D36" stroke="#3A424D" stroke-width="1.2"/>'
        '<path d="M145 160 L150 166 L155 160" fill="none" stroke="#A7B0BC" stroke-width="1.6" stroke-linecap="round"/>'
        # DPI cycle button with its stage light
        '<rect x="136" y="190" width="28" height="16" rx="8" fill="#1E242C" stroke="#3A424D" stroke-width="1.2"/>'
        f'<circle cx="150" cy="198" r="3" fill="{glow}"/>'
        # side buttons on the left flank
        '<path d="M45 180 C41 195 40 210 41 226 L33 226 C32 210 33 194 37 180 Z" fill="#2B333D" stroke="#4A535F" stroke-width="1.2"/>'
        '<path d="M41 232 C41 248 42 264 45 280 L37 282 C34 266 33 250 33 234 Z" fill="#2B333D" stroke="#4A535F" stroke-width="1.2"/>'
        # palm: logo and a light strip
        f'<path d="M96 352 C120 372 180 372 204 352" fill="none" stroke="{glow}" stroke-width="3" stroke-linecap="round" opacity="0.9"/>'
        '<path d="M138 282 L150 262 L162 282 L150 276 Z" fill="#A7B0BC" opacity="0.8"/>'
        '<text x="150" y="312" font-family="DejaVu Sans" font-size="13" font-weight="bold" fill="#A7B0BC" '
        'text-anchor="middle" letter-spacing="3">ZORVATH</text>'
    )


svg("common/device/ms_device_top", 300, 388, mouse(True), top=16)
# "No device" illustration: the mouse dimmed with an unplugged cable (240 x 240).
svg("common/no_device", 240, 240,
    '<g transform="translate(62,40) scale(0.4)">' + mouse(False).replace('opacity="0.9"', 'opacity="0.4"') + '</g>'
    '<path d="M122 49 C122 30 130 20 146 18 L176 18" fill="none" stroke="#4A535F" stroke-width="4" stroke-linecap="round"/>'
    '<rect x="176" y="10" width="26" height="16" rx="3" fill="#2A313B" stroke="#4A535F" stroke-width="2"/>'
    f'<path d="M210 11 L222 4 M212 18 L228 18 M210 25 L222 32" stroke="{WARN}" stroke-width="3" stroke-linecap="round"/>'
    '<ellipse cx="120" cy="222" rx="58" ry="8" fill="#000000" opacity="0.35"/>')
