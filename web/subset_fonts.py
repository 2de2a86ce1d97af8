#!/usr/bin/env python3
"""Cuts Debian's IPA and Liberation faces down to the characters the lesson
page shows and writes them as WOFF2 under names of their own, each with its
licence beside it and a note on how they were made (font_terms.py).

    subset_fonts.py PAGE OUT_DIR
"""
import pathlib
import sys

from fontTools import subset

from font_terms import FACES, rename, write_terms

# The subsetting options; the fonts' note names them too.
OPTIONS = {"flavor": "woff2", "layout_features": ["*"], "name_IDs": ["*"],
           "notdef_outline": True}
# Texts that the lesson writes at run time: the toggles' other captions, the
# pupil's numbers and the equation text.
RUNTIME_TEXT = "接 線 １ ２ 1 本 補助線なしあり 0123456789-+=^xyabcd"


def main():
    page, out_dir = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
    out_dir.mkdir(parents=True, exist_ok=True)
    text = page.read_text(encoding="utf-8") + RUNTIME_TEXT
    # Every printable ASCII character, so that any Latin text still shows.
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
