#!/usr/bin/env python3
"""Cuts Debian's IPA and Liberation faces down to the characters the lesson
page can show and writes them as WOFF2 under names of their own, each with its
licence beside it and a note on how they were made (font_terms.py).

    subset_fonts.py FACES CHARACTERS MORE_CHARACTERS PAGE STYLES OUT_DIR

FACES is the page's faces as its build lists them (faces.json); CHARACTERS
is what the page's build lists from the control table and the
lesson's captions; PAGE is the page's template, for the texts of its own.
MORE_CHARACTERS is what the lesson's other languages add: those letters go
into faces of their own, declared for the same families with the letters as
their unicode-range, so that a browser fetches them only for a page in a
language that shows them; STYLES, the stylesheet that declares them, is
linked only by a page in another language than Japanese, so that the
Japanese page stays as small as it was.
"""
import dataclasses
import pathlib
import sys

from fontTools import subset
from fontTools.ttLib import TTFont

from font_terms import EXTRA, faces_of, rename, write_terms

# The subsetting options; the fonts' note names them too.
OPTIONS = {"flavor": "woff2", "layout_features": ["*"], "name_IDs": ["*"],
           "notdef_outline": True}


def cut(face, text, out_dir):
    options = subset.Options(**OPTIONS)
    if face.original.endswith(".ttc"):
        options.font_number = 0  # a collection's first face
    font = subset.load_font(face.original, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(text=text)
    subsetter.subset(font)
    rename(font, face)
    subset.save_font(font, str(out_dir / face.file), options)


def covered(face):
    font = TTFont(face.original, fontNumber=0, lazy=True)
    return set(font.getBestCmap())


def unicode_range(characters):
    """U+E9, U+1EA0-1EA3 ...: the code points as runs."""
    points = sorted(ord(c) for c in characters)
    runs = []
    for point in points:
        if runs and runs[-1][1] == point - 1:
            runs[-1][1] = point
        else:
            runs.append([point, point])
    return ", ".join(f"U+{a:X}" if a == b else f"U+{a:X}-{b:X}" for a, b in runs)


def font_face(face, file, characters):
    style = " font-style: italic;" if face.style == "Italic" else ""
    return (f'@font-face {{ font-family: "{face.family}";{style} font-display: block;\n'
            f'             src: url("fonts/{file}") format("woff2");\n'
            f'             unicode-range: {unicode_range(characters)}; }}\n')


def main():
    faces = faces_of(sys.argv[1])
    characters, more_characters, page = (pathlib.Path(a) for a in sys.argv[2:5])
    styles, out_dir = (pathlib.Path(a) for a in sys.argv[5:7])
    out_dir.mkdir(parents=True, exist_ok=True)
    text = characters.read_text(encoding="utf-8") + page.read_text(encoding="utf-8")
    # Every printable ASCII character: the pupil's numbers and the equation
    # text, and any Latin text.
    text += "".join(chr(c) for c in range(0x20, 0x7F))
    more = set(more_characters.read_text(encoding="utf-8")) - set(text) - set(" \n\t")
    served, rules, lacking = list(faces), [], {}
    for face in faces:
        cut(face, text, out_dir)
        has = covered(face)
        own = "".join(sorted(c for c in more if ord(c) in has))
        lacking[face] = "".join(sorted(c for c in more if ord(c) not in has))
        if own:
            more_face = dataclasses.replace(face, file=face.file.replace(".woff2", "-more.woff2"))
            cut(more_face, own, out_dir)
            served.append(more_face)
            rules.append(font_face(face, more_face.file, own))
    extra = "".join(sorted(set("".join(lacking.values()))))
    if extra:
        cut(EXTRA, extra, out_dir)
        served.append(EXTRA)
        rules += [font_face(face, EXTRA.file, chars) for face, chars in lacking.items() if chars]
    write_terms(out_dir, OPTIONS, served)
    styles.write_text(
        "/* The faces of the other languages' letters, each fetched only where a\n"
        "   page shows them (written by subset_fonts.py). */\n" + "".join(rules),
        encoding="utf-8")


if __name__ == "__main__":
    main()
