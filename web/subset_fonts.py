#!/usr/bin/env python3
"""Cuts Debian's IPA and Liberation faces down to the characters the lesson
page can show and writes them as WOFF2 under names of their own, each with its
licence beside it and a note on how they were made (font_terms.py).

    subset_fonts.py CHARACTERS PAGE OUT_DIR

CHARACTERS is what the page's build lists from the control table and the
lesson's captions; PAGE is the page's template, for the texts of its own.
"""
import pathlib
import sys

from fontTools import subset

from font_terms import FACES, rename, write_terms

# The subsetting options; the fonts' note names them too.
OPTIONS = {"flavor": "woff2", "layout_features": ["*"], "name_IDs": ["*"],
           "notdef_outline": True}


def main():
    characters, page = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    out_dir = pathlib.Path(sys.argv[3])
    out_dir.mkdir(parents=True, exist_ok=True)
    text = characters.read_text(encoding="utf-8") + page.read_text(encoding="utf-8")
    # Every printable ASCII character: the pupil's numbers and the equation
    # text, and any Latin text.
    text += "".join(chr(c) for c in range(0x20, 0x7F))
    for face in FACES:
        options = subset.Options(**OPTIONS)
        font = subset.load_font(face.original, options)
        subsetter = subset.Subsetter(options)
        subsetter.populate(text=text)
        subsetter.subset(font)
        rename(font, face)
        subset.save_font(font, str(out_dir / face.file), options)
    write_terms(out_dir, OPTIONS)


if __name__ == "__main__":
    main()
