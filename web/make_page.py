#!/usr/bin/python3
"""Writes the calculator's page from the window's control table.

OUT/index.html with its stylesheet, script, core, faces, icons, manifest and
service worker, for a web server; OUT/toric.html, the same page in one file
with nothing beside it, for opening from disk. The controls are placed,
captioned, coloured and lettered as the table says; the Japanese faces are
Debian's stand-ins for the requested ones, cut down to the glyphs the page
shows and renamed, as their licences ask of a changed face.
"""

import argparse
import base64
import hashlib
import html
import io
import json
import pathlib
import shutil
import subprocess

from fontTools import subset

HERE = pathlib.Path(__file__).resolve().parent
PIXELS_PER_POINT = 96 / 72
ICON_SIZES = (48, 192, 256, 512)
# The window's own font, for controls that ask for none: the Gothic
# stand-in at nine points.
DEFAULT_FACE = "ＭＳ ゴシック"
DEFAULT_POINTS = 9
LICENCES = {
    "fonts-ipafont-gothic": "/usr/share/doc/fonts-ipafont-gothic/copyright",
    "fonts-rocknroll": "/usr/share/doc/fonts-rocknroll/copyright",
}


def face_file(family):
    """The file of an installed face, found by the font configuration."""
    found = subprocess.run(
        ["fc-match", "-f", "%{family}\n%{file}", family],
        check=True, capture_output=True, text=True).stdout.split("\n")
    if family not in found[0].split(","):
        raise SystemExit(f"make_page: the face {family} is not installed")
    return found[1]


def page_family(installed):
    """The name of a cut-down face: no longer the original's."""
    return "Toric " + installed.replace("IPA", "").replace(" ", "")


def cut_face(installed, characters):
    """The installed face with only `characters`, renamed, as WOFF2."""
    options = subset.Options()
    options.flavor = "woff2"
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 16, 17]
    font = subset.load_font(face_file(installed), options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=characters)
    subsetter.subset(font)
    family = page_family(installed)
    for record in font["name"].names:
        if record.nameID in (1, 4, 16):
            record.string = family
        elif record.nameID == 3:
            record.string = family + " (cut down for the page)"
        elif record.nameID == 6:
            record.string = family.replace(" ", "-")
    out = io.BytesIO()
    subset.save_font(font, out, options)
    return out.getvalue(), line_metrics(font)


def line_metrics(font):
    """The face's typographic ascent, descent and line gap, as the window
    places lines of text with them (where a browser would take the larger
    ones a pop face also carries), for its @font-face rule."""
    em = font["head"].unitsPerEm
    metrics = font["OS/2"]
    return (f"ascent-override: {100 * metrics.sTypoAscender / em:g}%; "
            f"descent-override: {-100 * metrics.sTypoDescender / em:g}%; "
            f"line-gap-override: {100 * metrics.sTypoLineGap / em:g}%; ")


def face_file_name(installed):
    return "fonts/" + page_family(installed).lower().replace(" ", "-") + ".woff2"


def element_id(row):
    return row["name"] if row["index"] < 0 else f'{row["name"]}_{row["index"]}'


def font_style(font, stand_ins):
    face = font["face"] or DEFAULT_FACE
    points = font["points"] if font["face"] else DEFAULT_POINTS
    family = f'"{face}", "{page_family(stand_ins[face])}"'
    # In pixels as the window's; the stacked layout takes it in rem, so
    # that the reader's own font size counts there.
    style = [f"font-family: {family}",
             f"--font: {round(points * PIXELS_PER_POINT)}"]
    if font["bold"]:
        style.append("font-weight: bold")
    if font["italic"]:
        style.append("font-style: italic")
    return style


def reading_order(table):
    """The controls as one reads the window, with the columns of six each
    spans when the page stacks them: [(id, span)]. The window's rows
    (controls whose heights overlap) are read left to right, top to bottom;
    each bar follows its readout, a whole row wide, and its readout shares
    a row with the caption before it; buttons side by side stay side by
    side; any other control takes a row of its own. The page's elements
    stand in this order, so that a screen reader reads them as they are
    seen, in either layout."""
    rows = sorted(table["controls"], key=lambda r: r["rect"][1])
    bands, bottom = [], None
    for row in rows:
        top, height = row["rect"][1], row["rect"][3]
        if bottom is None or top >= bottom:
            bands.append([])
            bottom = top + height
        bands[-1].append(row)
        bottom = max(bottom, top + height)
    readouts = {b["readout"]: b["bar"] for b in table["bars"]}
    bars = set(readouts.values())
    places, order = {}, []
    for band in bands:
        band.sort(key=lambda r: r["rect"][0])
        buttons = [r for r in band if r["kind"] == "button"]
        for i, row in enumerate(band):
            ident = element_id(row)
            if row["name"] in bars:
                continue
            if row["name"] in readouts:
                places[ident] = 3
                if i > 0 and element_id(band[i - 1]) in places:
                    places[element_id(band[i - 1])] = 3
                order.append(ident)
                order.append(readouts[row["name"]])
                places[readouts[row["name"]]] = 6
                continue
            places[ident] = 6 // len(buttons) if row in buttons else 6
            order.append(ident)
    return [(ident, places[ident]) for ident in order]


def control_html(row, stacking, stand_ins, bars, twips, span, tab):
    left, top, width, height = (v // twips for v in row["rect"])
    style = [f"--x: {left}px", f"--y: {top}px", f"--w: {width}px",
             f"--h: {height}px", f"z-index: {stacking}", f"--span: {span}"]
    style += font_style(row["font"], stand_ins)
    if row["colour"]:
        style.append(f'--colour: {row["colour"]}')
    if row["background"]:
        style.append(f'--background: {row["background"]}')
    if row["centred"]:
        style.append("text-align: center")
    ident = element_id(row)
    attributes = f'id="{ident}" style="{html.escape("; ".join(style))}"'
    caption = html.escape(row["caption"] or "")
    if row["kind"] == "label":
        readout = any(b["readout"] == row["name"] for b in bars)
        kind = "label readout" if readout else "label"
        return f'<div class="{kind}" {attributes}>{caption}</div>'
    if row["kind"] == "button":
        return (f'<button type="button" class="button" tabindex="{tab}" '
                f'{attributes}>{caption}</button>')
    bar = row["bar"]
    steps = bar["max"] - bar["min"]
    thumb = (f'--share: {bar["large"] / (steps + bar["large"]):.6g}; '
             f'--at: {(bar["start"] - bar["min"]) / steps if steps else 0:.6g}')
    number = next(i for i, b in enumerate(bars) if b["bar"] == row["name"])
    return (
        f'<div class="bar" {attributes} role="slider" tabindex="{tab}" '
        f'aria-orientation="horizontal" '
        f'aria-label="{html.escape(row["accessible_name"])}" '
        f'data-bar="{number}" data-min="{bar["min"]}" data-max="{bar["max"]}" '
        f'data-small="{bar["small"]}" data-large="{bar["large"]}" '
        f'data-start="{bar["start"]}">'
        '<div class="arrow less" aria-hidden="true"></div>'
        '<div class="trough" aria-hidden="true">'
        f'<div class="thumb" style="{thumb}"></div></div>'
        '<div class="arrow more" aria-hidden="true"></div></div>')


def controls_html(table):
    rows = {element_id(row): row for row in table["controls"]}
    # The table's order is the stacking, topmost first.
    count = len(table["controls"])
    stacking = {element_id(row): count - i
                for i, row in enumerate(table["controls"])}
    # The keys keep the window's tab order, whatever order the elements
    # stand in.
    focusable = sorted((row for row in table["controls"]
                        if row["kind"] != "label"), key=lambda r: r["tab"])
    tabs = {element_id(row): i + 1 for i, row in enumerate(focusable)}
    return "\n".join(
        control_html(rows[ident], stacking[ident], table["stand_ins"],
                     table["bars"], table["twips_per_pixel"], span,
                     tabs.get(ident))
        for ident, span in reading_order(table))


def shown_characters(table):
    """What the window's faces draw: its captions, readouts and result. The
    page's own words around it (and what is only spoken) are in the
    reader's system face, so that the faces stay small."""
    shown = set(table["readout_characters"] + " ")
    for row in table["controls"]:
        shown.update(row["caption"] or "")
    return "".join(sorted(shown))


def data_url(kind, data):
    return f"data:{kind};base64,{base64.b64encode(data).decode()}"


def fill(template, **parts):
    for name, text in parts.items():
        template = template.replace("{{" + name + "}}", text)
    return template


def script_text(text):
    """A script's text as it can stand inside a <script> element."""
    if "</script" in text.lower():
        raise SystemExit("make_page: a script holds </script")
    return text


def main():
    arguments = argparse.ArgumentParser(description=__doc__)
    arguments.add_argument("--core", required=True, type=pathlib.Path)
    arguments.add_argument("--controls", required=True, type=pathlib.Path)
    arguments.add_argument("--icons", required=True, type=pathlib.Path)
    arguments.add_argument("--out", required=True, type=pathlib.Path)
    options = arguments.parse_args()

    table = json.loads(options.controls.read_text(encoding="utf-8"))
    texts = json.loads((HERE / "page_texts.json").read_text(encoding="utf-8"))
    texts["reset_done"] = table["reset_done"]
    out = options.out
    # Written anew each time, but only over a page written before: a folder
    # that holds other files is left alone.
    if out.exists() and any(out.iterdir()) and not (out / "toric.html").exists():
        raise SystemExit(f"make_page: {out} holds other files; not writing there")
    shutil.rmtree(out, ignore_errors=True)
    (out / "fonts").mkdir(parents=True)

    characters = shown_characters(table)
    faces = {}
    for installed in sorted(set(table["stand_ins"].values())):
        faces[installed] = cut_face(installed, characters)
        (out / face_file_name(installed)).write_bytes(faces[installed][0])
    for package, licence in LICENCES.items():
        shutil.copy(licence, out / "fonts" / f"{package}.copyright")

    def face_rules(source):
        return "".join(
            f'@font-face {{ font-family: "{page_family(installed)}"; '
            f'src: url("{source(installed, data)}") format("woff2"); '
            f"{metrics}font-display: block; }}\n"
            for installed, (data, metrics) in faces.items())

    style = (HERE / "toric.css").read_text(encoding="utf-8")
    script = (HERE / "toric.js").read_text(encoding="utf-8")
    core = options.core.read_text(encoding="utf-8")
    icon_svg = (options.icons / "toric-lens-combination.svg").read_bytes()
    page = fill(
        (HERE / "page.html").read_text(encoding="utf-8"),
        title=html.escape(table["accessible_name"]),
        description=html.escape(
            next(r["caption"] for r in table["controls"] if r["name"] == "Label2")),
        form=html.escape(table["name"]),
        # The window's own layout wherever it fits and a mouse points.
        stacked=(f'(max-width: {table["width"] // table["twips_per_pixel"] - 1}px)'
                 ", (pointer: coarse)"),
        form_size=(f'--form-w: {table["width"] // table["twips_per_pixel"]}px; '
                   f'--form-h: {table["height"] // table["twips_per_pixel"]}px'),
        controls=controls_html(table),
        no_script=html.escape(texts["no_script"]),
        back=html.escape(texts["back"]),
        table=script_text(json.dumps(
            {"form": table["name"], "bars": table["bars"],
             "roles": table["roles"], "plus": table["plus"],
             "dioptre": table["dioptre"], "degree": table["degree"],
             "texts": texts}, ensure_ascii=False)))

    # The page for a web server: files beside it, kept for offline use by
    # the service worker.
    (out / "toric.css").write_text(
        face_rules(lambda installed, data: face_file_name(installed)) + style,
        encoding="utf-8")
    (out / "toric.js").write_text(script, encoding="utf-8")
    (out / "toric-core.js").write_text(core, encoding="utf-8")
    (out / "icon.svg").write_bytes(icon_svg)
    for size in ICON_SIZES:
        shutil.copy(options.icons / f"toric-lens-combination-{size}.png",
                    out / f"icon-{size}.png")
    shutil.copy(options.icons / "toric-lens-combination-maskable-512.png",
                out / "icon-maskable-512.png")
    manifest = {
        "id": "./",
        "name": table["accessible_name"],
        "short_name": table["accessible_name"],
        "description": next(r["caption"] for r in table["controls"]
                            if r["name"] == "Label2"),
        "lang": "ja",
        "start_url": ".",
        "scope": ".",
        "display": "standalone",
        "background_color": "#efefef",
        "theme_color": "#efefef",
        "icons": [
            {"src": "icon.svg", "sizes": "any", "type": "image/svg+xml"},
            *({"src": f"icon-{size}.png", "sizes": f"{size}x{size}",
               "type": "image/png"} for size in reversed(ICON_SIZES)),
            {"src": "icon-maskable-512.png", "sizes": "512x512",
             "type": "image/png", "purpose": "maskable"},
        ],
    }
    (out / "manifest.webmanifest").write_text(
        json.dumps(manifest, ensure_ascii=False, indent=1), encoding="utf-8")
    head = "\n".join([
        '<link rel="manifest" href="manifest.webmanifest">',
        '<link rel="icon" href="icon.svg" type="image/svg+xml">',
        '<link rel="apple-touch-icon" href="icon-256.png">',
        '<meta name="theme-color" content="#efefef">',
        '<link rel="stylesheet" href="toric.css">'])
    scripts = ('<script src="toric-core.js"></script>\n'
               '<script src="toric.js"></script>')
    (out / "index.html").write_text(fill(page, head=head, scripts=scripts),
                                    encoding="utf-8")
    # The page in one file: the faces, the stylesheet and the scripts
    # inside it, for opening from disk, where a browser fetches nothing
    # beside the page.
    inline_head = "\n".join([
        f'<link rel="icon" href="{data_url("image/svg+xml", icon_svg)}">',
        "<style>\n" + face_rules(
            lambda installed, data: data_url("font/woff2", data)) + style +
        "</style>"])
    inline_scripts = (f"<script>\n{script_text(core)}</script>\n"
                      f"<script>\n{script_text(script)}</script>")
    (out / "toric.html").write_text(
        fill(page, head=inline_head, scripts=inline_scripts), encoding="utf-8")

    # The worker keeps every file, the page in one file too, in a store
    # named by their contents.
    kept = sorted(str(p.relative_to(out)) for p in out.rglob("*")
                  if p.is_file() and p.suffix != ".copyright")
    digest = hashlib.sha256()
    for name in kept:
        digest.update(name.encode() + (out / name).read_bytes())
    worker = fill((HERE / "service_worker.js").read_text(encoding="utf-8"),
                  cache=json.dumps("toric-" + digest.hexdigest()[:16]),
                  files=json.dumps(["./"] + kept))
    (out / "service_worker.js").write_text(worker, encoding="utf-8")


if __name__ == "__main__":
    main()
