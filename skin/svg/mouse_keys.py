#!/usr/bin/env python3
"""Writes the SVG sources of the mouse page's key overlays (hover and pressed shapes of each
button of common/device/ms_device_top, the assignment mark, the light shapes).
Render them with:  zorvath_render_skin skin/svg skin"""
import os

ACCENT, SECOND = "#0099FF", "#A7B0BC"
HERE = os.path.dirname(os.path.abspath(__file__))

# Hit area (drawing pixels of the top view, whose picture starts at row 16) and shape of each
# button; the layout places the key buttons over the same areas.
KEYS = {
    "left": ((42, 40, 146, 170),
             "M146 40 L146 170 L46 170 C46 146 50 118 54 96 C60 72 72 52 92 42 L146 40 Z"),
    "right": ((154, 40, 258, 170),
              "M154 40 L154 170 L254 170 C254 146 250 118 246 96 C240 72 228 52 208 42 L154 40 Z"),
    "wheel": ((134, 58, 166, 126), "M150 62 A12 12 0 0 1 162 74 L162 110 A12 12 0 0 1 150 122 "
              "A12 12 0 0 1 138 110 L138 74 A12 12 0 0 1 150 62 Z"),
    "dpi_up": ((136, 130, 164, 152), "M144 132 L156 132 Q160 132 160 136 L160 146 Q160 150 156 150 "
               "L144 150 Q140 150 140 146 L140 136 Q140 132 144 132 Z"),
    "dpi_down": ((136, 152, 164, 174), "M144 154 L156 154 Q160 154 160 158 L160 168 Q160 172 156 172 "
                 "L144 172 Q140 172 140 168 L140 158 Q140 154 144 154 Z"),
    "dpi_loop": ((132, 186, 168, 210), "M144 190 L156 190 A8 8 0 0 1 156 206 L144 206 A8 8 0 0 1 144 190 Z"),
    "forward": ((29, 178, 49, 228), "M45 180 C41 195 40 210 41 226 L33 226 C32 210 33 194 37 180 Z"),
    "back": ((29, 230, 49, 284), "M41 232 C41 248 42 264 45 280 L37 282 C34 266 33 250 33 234 Z"),
}


def svg(name, box, body):
    x0, y0, x1, y1 = box
    w, h = x1 - x0, y1 - y0
    path = os.path.join(HERE, name + ".svg")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w") as f:
        f.write(f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                f'width="{w}" height="{h}" viewBox="{x0} {y0} {w} {h}">\n{body}\n</svg>\n')


for key, (box, shape) in KEYS.items():
    svg(f"common/device/keys/{key}_hot", box,
        f'<path d="{shape}" fill="#FFFFFF" fill-opacity="0.10" stroke="{SECOND}" '
        f'stroke-opacity="0.55" stroke-width="1.5"/>')
    svg(f"common/device/keys/{key}_pushed", box,
        f'<path d="{shape}" fill="{ACCENT}" fill-opacity="0.28" stroke="{ACCENT}" stroke-width="2"/>')

# A key button over the picture draws nothing of its own until hovered.
svg("common/device/keys/clear", (0, 0, 4, 4), '<rect x="0" y="0" width="4" height="4" fill="#000000" fill-opacity="0"/>')
# The mark of a button whose function is not its default.
svg("common/device/keys/assigned_mark", (0, 0, 10, 10),
    f'<circle cx="5" cy="5" r="4" fill="{ACCENT}" stroke="#101317" stroke-width="1.5"/>')
# Light shapes tinted with the LED colour: the palm strip and the logo.
svg("common/device/keys/strip_light", (92, 346, 208, 376),
    '<path d="M96 352 C120 372 180 372 204 352" fill="none" stroke="#FFFFFF" stroke-width="6" '
    'stroke-linecap="round"/>')
svg("common/device/keys/logo_light", (132, 256, 168, 286),
    '<path d="M138 282 L150 262 L162 282 L150 276 Z" fill="#FFFFFF"/>')
